#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Rgn.h"
#include "platform/afx/StdControls.h"
#include "skin/SkinRecords.h"
#include "skin/SliderPictures.h"

// A slider of its own on a static control: a 64-bit range, a selection band inside it and a thumb
// that stays inside the selection. The user drags the thumb or clicks into the band; the parent
// hears once the thumb is placed: WM_HSCROLL sent with wParam 255 and lParam this object.
class CMultiSlider : public CStatic
{
    DECLARE_DYNAMIC(CMultiSlider)
public:
    enum
    {
        PlacedNotification = 255
    };

    CMultiSlider();
    ~CMultiSlider() override;

    // The slider a skin section describes, its pictures loaded; null when a picture does not load.
    // The cursor comes from the current resource module.
    static CMultiSlider* FromRecord(const SkinMultiSliderRecord& record);

    // Identifiers of the current resource module; neither may be 0. The edges and the band's line
    // and thickness are kept once the pictures are loaded.
    BOOL LoadBitmaps(UINT track, UINT thumb, int startEdge, int endEdge, int middleLine, int middleHeight,
                     COLORREF transparentColor, BOOL transparent);
    BOOL LoadBitmapFiles(LPCSTR track, LPCSTR thumb, int startEdge, int endEdge, int middleLine, int middleHeight,
                         COLORREF transparentColor, BOOL transparent);
    BOOL UpdateSizeAndRegion() { return m_pictures.UpdateSizeAndRegion(); }

    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    BOOL SetHorizontal(BOOL horizontal);

    // Each setter refuses values out of order or out of range and then changes nothing.
    BOOL SetRange(LONGLONG minimum, LONGLONG maximum, BOOL redraw);
    BOOL SetSelection(LONGLONG start, LONGLONG end, BOOL redraw);
    BOOL SetPos(LONGLONG position, BOOL redraw);
    // Moves the thumb by delta, kept inside the selection.
    BOOL OffsetPos(LONGLONG delta, BOOL redraw);
    LONGLONG GetPos() const { return m_position; }
    LONGLONG GetRangeMin() const { return m_minimum; }
    LONGLONG GetRangeMax() const { return m_maximum; }
    LONGLONG GetSelectionStart() const { return m_selectionStart; }
    LONGLONG GetSelectionEnd() const { return m_selectionEnd; }
    // TRUE while the user drags the thumb, and while the parent handles the notification.
    BOOL IsDragging() const { return m_dragging; }
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

    CRect GetThumbRect() const;
    BOOL GetSelectionRect(CRect& rect) const;

protected:
    void PreSubclassWindow() override;
    virtual void Draw(CDC* dc);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadPictures(const SkinPictureSource& track, const SkinPictureSource& thumb, int startEdge, int endEdge,
                      int middleLine, int middleHeight, COLORREF transparentColor, BOOL transparent);
    void Changed(BOOL redraw);
    void NotifyPlaced();
    int AlongTrack(CPoint point) const { return m_horizontal ? point.x : point.y; }
    // The track has no length when both edges are one pixel: then the mouse moves nothing.
    BOOL HasTrackLength() const { return m_endEdge != m_startEdge; }

    int m_x;
    int m_y;
    COLORREF m_selectionColor;
    int m_startEdge;
    int m_endEdge;
    int m_middleLine;
    int m_middleHeight;
    BOOL m_horizontal;
    CSliderPictures m_pictures;
    LONGLONG m_selectionStart;
    LONGLONG m_selectionEnd;
    LONGLONG m_minimum;
    LONGLONG m_maximum;
    LONGLONG m_position;
    BOOL m_dragging;
    int m_anchor;
    HCURSOR m_cursor;
    // The copy of the skin's cursor, which outlives the skin's library.
    HCURSOR m_ownCursor;
};

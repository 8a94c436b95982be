#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Rgn.h"
#include "platform/afx/StdControls.h"
#include "skin/SkinRecords.h"

// A push or two-state button of a skinned dialog drawn from four pictures (hover, normal, pressed,
// disabled), optionally cut to the shape of its normal picture. It keeps the button's own click
// notifications; a two-state button flips its check state on a release inside itself, before the
// dialog hears of the click.
class CSkinButton : public CButton
{
    DECLARE_DYNAMIC(CSkinButton)
public:
    enum State
    {
        StateHover,
        StateNormal,
        StatePressed,
        StateDisabled,
        StateCount
    };

    CSkinButton();
    ~CSkinButton() override;

    // The button a skin section describes, its pictures loaded; null when a picture does not load.
    static CSkinButton* FromRecord(const SkinButtonRecord& record);

    // Identifiers of the current resource module; none may be 0.
    BOOL LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled, COLORREF transparentColor, BOOL transparent);
    BOOL LoadBitmapFiles(LPCSTR hover, LPCSTR normal, LPCSTR pressed, LPCSTR disabled, COLORREF transparentColor,
                         BOOL transparent);
    // Size from the hover picture; with the transparent flag, the shape of the normal picture.
    BOOL UpdateSizeAndRegion();

    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    CSkinButton& SetToggle(BOOL toggle);
    BOOL IsToggle() const { return m_toggle; }
    // The two-state button's own state; setting it does not redraw.
    int SetCheck(int check);
    int GetCheck() const { return m_checked; }

    // Shows one of the four pictures unless it is already shown.
    void DrawState(int state);

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

    void OnEnable(BOOL enable);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnKillFocus(CWnd* newFocus);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadPictures(const SkinPictureSource (&sources)[StateCount], COLORREF transparentColor, BOOL transparent);

    // A left-button press happened on one of the skinned buttons and no two-state button has
    // taken its release yet.
    static BOOL s_pressPending;

    int m_checked;
    BOOL m_toggle;
    CBitmap m_bitmaps[StateCount];
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    CRgn m_region;
    int m_currentState;
    BOOL m_pressed;
    BOOL m_transparent;
    COLORREF m_transparentColor;
};

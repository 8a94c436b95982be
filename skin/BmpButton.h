#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/CommonControls.h"
#include "platform/afx/StdControls.h"

// An owner-drawn push button with four state pictures (hover, normal, pressed or checked,
// disabled) from the resource module, and an optional two-state check mode.
class CBmpButton : public CButton
{
public:
    enum
    {
        STATE_HOVER,
        STATE_NORMAL,
        STATE_PRESSED,
        STATE_DISABLED
    };
    CBmpButton();

    BOOL LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled);
    // The same, then the window is cut to the normal picture without its transparent pixels.
    BOOL LoadBitmapsWithRegion(UINT hover, UINT normal, UINT pressed, UINT disabled, COLORREF transparent);
    CBmpButton& SetCheckMode(BOOL checkMode);
    BOOL GetCheckMode() const { return m_bCheckMode; }
    void SetCheck(BOOL checked);
    BOOL GetCheck() const { return m_bChecked; }
    int GetLastDrawnState() const { return m_nLastState; }

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override;
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOld);
    void OnKillFocus(CWnd* pNew);
    void OnEnable(BOOL enable);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    void DrawState(int state);

    int m_nLastState;
    CBitmap m_bitmaps[4];
    int m_nWidth;
    int m_nHeight;
    BOOL m_bCheckMode;
    BOOL m_bChecked;
};

// A track bar whose background is the piece of its parent's picture under it and whose thumb is
// a masked picture (the picture in the left half, the mask in the right half).
class CBmpSlider : public CSliderCtrl
{
public:
    CBmpSlider();
    void SetBitmaps(UINT backgroundId, UINT thumbId);
    BOOL HasBackground() const { return m_background.GetSafeHandle() != nullptr; }

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    int m_nThumbHeight;
    int m_nThumbWidth;
    CRect m_rect;
    CBitmap m_thumb;
    CBitmap m_background;
};

#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/Dialog.h"

// The small modeless window with the five picture sliders of the capture card. Every slider move
// is applied at once through the controller; key presses go on to the window that owns it (the
// control panel), so hot keys keep working while a slider has the focus.
class CVideoAdjustDlg : public CDialog
{
public:
    enum { IDD = 230 };

    explicit CVideoAdjustDlg(CWnd* pParent = NULL);

    BOOL Create(CWnd* pParent);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Shows the controller's current values, or hides the window.
    void Show(BOOL bShow);
    void MoveTo(int x, int y);
    void MoveTo(POINT pt) { MoveTo(pt.x, pt.y); }
    // Applies the slider's position when the id is one of the five sliders; the position.
    int OnSliderChanged(UINT nID);

    int GetBrightnessPos() const { return SliderPos(1168); }
    int GetContrastPos() const { return SliderPos(1169); }
    int GetHuePos() const { return SliderPos(1170); }
    int GetSaturationPos() const { return SliderPos(1171); }
    int GetSharpnessPos() const { return SliderPos(1172); }

    int m_nBrightness;
    int m_nContrast;
    int m_nHue;
    int m_nSaturation;
    int m_nSharpness;

protected:
    void OnHide();
    void OnReset();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

private:
    int SliderPos(UINT nID) const;
    void ReadValues();
    void ShowValues();
    void OnScroll(UINT nSBCode, CScrollBar* pScrollBar);

    CToolTipCtrl m_ToolTip;
};

// The one video-adjust dialog of the application; the control panel creates its window.
CVideoAdjustDlg& GetVideoAdjustDlg();

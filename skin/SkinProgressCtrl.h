#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/String.h"

// A progress bar that draws itself: the bar in one colour, the rest in another, and a centred text
// (the window text, else the percentage) that changes colour where the bar ends.
class CSkinProgressCtrl : public CProgressCtrl
{
public:
    CSkinProgressCtrl();

    int SetRange(int nLower, int nUpper);
    int SetStep(int nStep);
    // The old position, or -1 when there is no window.
    int SetPos(int nPos);
    int StepIt() { return SetPos(m_nPos + m_nStep); }
    int OffsetPos(int nPos) { return SetPos(m_nPos + nPos); }
    int GetPos() const { return m_nPos; }

    void SetBarColour(COLORREF colour) { m_crBar = colour; }
    COLORREF GetBarColour() const { return m_crBar; }
    void SetBgColour(COLORREF colour) { m_crBg = colour; }
    COLORREF GetBgColour() const { return m_crBg; }
    void SetTextBkColour(COLORREF colour) { m_crTextOverBg = colour; }
    COLORREF GetTextBkColour() const { return m_crTextOverBg; }
    void SetTextForeColour(COLORREF colour) { m_crTextOverBar = colour; }
    COLORREF GetTextForeColour() const { return m_crTextOverBar; }
    void SetShowText(BOOL bShow);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    double Fraction() const;

    int m_nPos;
    int m_nStep;
    int m_nUpper;
    int m_nLower;
    CString m_strText;
    BOOL m_bShowText;
    int m_nBarWidth;
    COLORREF m_crBar;
    COLORREF m_crBg;
    COLORREF m_crTextOverBg;
    COLORREF m_crTextOverBar;
};

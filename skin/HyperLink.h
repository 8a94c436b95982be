#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/Font.h"
#include "platform/afx/StdControls.h"

// A static text control that acts as a link: drawn in the link, visited or hover colour,
// underlined while the mouse is over it, with a hand cursor and a tool tip showing the address;
// a click opens the address with the shell.
class CHyperLink : public CStatic
{
public:
    enum
    {
        ulHover = -1,
        ulNone = 0,
        ulAlways = 1,
    };

    CHyperLink();
    ~CHyperLink() override;

    void SetURL(LPCSTR pszURL);
    CString GetURL() const { return m_strURL; }

    void SetColours(COLORREF crLinkColour, COLORREF crVisitedColour, COLORREF crHoverColour = static_cast<COLORREF>(-1));
    COLORREF GetLinkColour() const { return m_crLinkColour; }
    COLORREF GetVisitedColour() const { return m_crVisitedColour; }
    COLORREF GetHoverColour() const { return m_crHoverColour; }

    void SetVisited(BOOL bVisited = TRUE);
    BOOL GetVisited() const { return m_bVisited; }

    void SetLinkCursor(HCURSOR hCursor);
    HCURSOR GetLinkCursor() const { return m_hLinkCursor; }

    void SetUnderline(int nUnderline = ulHover);
    int GetUnderline() const { return m_nUnderline; }

    void SetAutoSize(BOOL bAutoSize = TRUE);
    BOOL GetAutoSize() const { return m_bAdjustToFit; }

    BOOL IsOver() const { return m_bOverControl; }

    // The shell's result code (above 32 is success); falls back to the registered ".htm" command.
    static INT_PTR GotoURL(LPCSTR pszURL, int nShowCmd);
    // The text of the error box for a shell result code.
    static CString ErrorText(INT_PTR nError);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    enum { TIMER_ID = 100 };

protected:
    void PreSubclassWindow() override;

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClicked();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void PositionWindow();
    void SetDefaultCursor();
    void ReportError(INT_PTR nError);

    COLORREF m_crLinkColour;
    COLORREF m_crVisitedColour;
    COLORREF m_crHoverColour;
    BOOL m_bOverControl;
    BOOL m_bVisited;
    int m_nUnderline;
    BOOL m_bAdjustToFit;
    CString m_strURL;
    CFont m_UnderlineFont;
    CFont m_StdFont;
    HCURSOR m_hLinkCursor;
    CToolTipCtrl m_ToolTip;
    int m_nTimerID;
};

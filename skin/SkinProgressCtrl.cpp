#include "skin/SkinProgressCtrl.h"

#include <string.h>

#include <algorithm>

#include "skin/DrawHelpers.h"

BEGIN_MESSAGE_MAP(CSkinProgressCtrl, CProgressCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

CSkinProgressCtrl::CSkinProgressCtrl()
    : m_nPos(0), m_nStep(1), m_nUpper(100), m_nLower(0), m_bShowText(TRUE), m_nBarWidth(-1),
      m_crBar(::GetSysColor(COLOR_HIGHLIGHT)), m_crBg(::GetSysColor(COLOR_WINDOW)),
      m_crTextOverBg(::GetSysColor(COLOR_HIGHLIGHT)), m_crTextOverBar(::GetSysColor(COLOR_WINDOW))
{
}

int CSkinProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    return nLower;
}

int CSkinProgressCtrl::SetStep(int nStep)
{
    m_nStep = nStep;
    return nStep;
}

double CSkinProgressCtrl::Fraction() const
{
    if (m_nUpper == m_nLower)
        return 0.0;
    return static_cast<double>(m_nPos - m_nLower) / static_cast<double>(m_nUpper - m_nLower);
}

int CSkinProgressCtrl::SetPos(int nPos)
{
    if (m_hWnd == NULL)
        return -1;
    int nOld = m_nPos;
    m_nPos = nPos;
    CRect client;
    GetClientRect(&client);
    int nWidth = static_cast<int>(client.Width() * Fraction());
    if (nWidth != m_nBarWidth)
    {
        m_nBarWidth = nWidth;
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    }
    return nOld;
}

void CSkinProgressCtrl::SetShowText(BOOL bShow)
{
    if (m_hWnd != NULL && bShow != m_bShowText)
        Invalidate();
    m_bShowText = bShow;
}

LRESULT CSkinProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
    {
        LRESULT result = CProgressCtrl::WindowProc(message, wParam, lParam);
        LPCSTR pszText = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
        if (m_strText != pszText)
        {
            m_strText = pszText;
            Invalidate();
        }
        return result;
    }
    if (message == WM_GETTEXT)
    {
        int nSize = static_cast<int>(wParam);
        if (nSize <= 0 || lParam == 0)
            return 0;
        // At most the buffer, terminator included.
        int nCopy = std::min(nSize - 1, m_strText.GetLength());
        memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCSTR>(m_strText), nCopy);
        reinterpret_cast<char*>(lParam)[nCopy] = '\0';
        return nCopy;
    }
    return CProgressCtrl::WindowProc(message, wParam, lParam);
}

void CSkinProgressCtrl::OnSize(UINT nType, int cx, int cy)
{
    Default();
    m_nBarWidth = -1;
}

void CSkinProgressCtrl::OnPaint()
{
    CPaintDC paint(this);
    if (m_nLower >= m_nUpper)
        return;
    CRect client;
    GetClientRect(&client);
    CMemoryDC dc(&paint);
    double f = Fraction();
    CRect bar = client;
    bar.right = bar.left + static_cast<int>(client.Width() * f);
    CRect rest = client;
    rest.left = bar.right;
    dc.FillSolidRect(&bar, m_crBar);
    dc.FillSolidRect(&rest, m_crBg);
    if (!m_bShowText)
        return;
    CString text = m_strText;
    if (text.IsEmpty())
        text.Format("%d%%", static_cast<int>(f * 100));
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    dc.SetBkMode(TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    CRect all = client;
    int saved = dc.SaveDC();
    dc.IntersectClipRect(&bar);
    dc.SetTextColor(m_crTextOverBar);
    dc.DrawText(text, &all, format);
    dc.RestoreDC(saved);
    saved = dc.SaveDC();
    dc.IntersectClipRect(&rest);
    dc.SetTextColor(m_crTextOverBg);
    dc.DrawText(text, &all, format);
    dc.RestoreDC(saved);
    if (hOldFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
}

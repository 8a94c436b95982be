#include "skin/HyperLink.h"

#include <shellapi.h>

#include "platform/afx/Dc.h"
#include "platform/afx/WinApp.h"

namespace
{
const int kCursorFromHelp = 106;

// Reads the default value of a key under HKEY_CLASSES_ROOT.
BOOL ReadClassesDefault(LPCSTR pszKey, CString& value)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szData[MAX_PATH + 1] = "";
    DWORD cbData = MAX_PATH;
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueExA(hKey, NULL, NULL, &dwType, reinterpret_cast<BYTE*>(szData), &cbData);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return FALSE;
    szData[MAX_PATH] = '\0';
    value = szData;
    return TRUE;
}
}  // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_CONTROL_REFLECT(STN_CLICKED, &CHyperLink::OnClicked)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
    : m_crLinkColour(RGB(0, 0, 238)), m_crVisitedColour(RGB(85, 26, 139)), m_crHoverColour(RGB(255, 0, 0)),
      m_bOverControl(FALSE), m_bVisited(FALSE), m_nUnderline(ulHover), m_bAdjustToFit(TRUE), m_hLinkCursor(NULL),
      m_nTimerID(TIMER_ID)
{
}

CHyperLink::~CHyperLink()
{
    if (m_hLinkCursor != NULL)
        ::DestroyCursor(m_hLinkCursor);
    m_UnderlineFont.DeleteObject();
    m_StdFont.DeleteObject();
}

BOOL CHyperLink::DestroyWindow()
{
    KillTimer(m_nTimerID);
    return CStatic::DestroyWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd != NULL)
        m_ToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CHyperLink::PreSubclassWindow()
{
    // Only a notifying static reports the click.
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetStyle() | SS_NOTIFY);

    CString text;
    GetWindowText(text);
    if (m_strURL.IsEmpty())
        m_strURL = text;
    if (text.IsEmpty())
        SetWindowText(m_strURL);

    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (hFont == NULL)
        hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (hFont == NULL)
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    m_StdFont.DeleteObject();
    m_StdFont.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_UnderlineFont.DeleteObject();
    m_UnderlineFont.CreateFontIndirect(&lf);

    PositionWindow();
    SetDefaultCursor();
    SetUnderline(m_nUnderline);

    CRect rect;
    GetClientRect(rect);
    m_ToolTip.Create(this);
    m_ToolTip.AddTool(this, m_strURL, rect, 1);

    CStatic::PreSubclassWindow();
}

void CHyperLink::SetURL(LPCSTR pszURL)
{
    m_strURL = pszURL != NULL ? pszURL : "";
    if (m_hWnd != NULL)
    {
        PositionWindow();
        if (m_ToolTip.m_hWnd != NULL)
            m_ToolTip.UpdateTipText(m_strURL, this, 1);
    }
}

void CHyperLink::SetColours(COLORREF crLinkColour, COLORREF crVisitedColour, COLORREF crHoverColour)
{
    m_crLinkColour = crLinkColour;
    m_crVisitedColour = crVisitedColour;
    m_crHoverColour = crHoverColour == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_HIGHLIGHT) : crHoverColour;
    if (m_hWnd != NULL)
        Invalidate();
}

void CHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    if (m_hWnd != NULL)
        Invalidate();
}

void CHyperLink::SetLinkCursor(HCURSOR hCursor)
{
    if (m_hLinkCursor != NULL)
        ::DestroyCursor(m_hLinkCursor);
    m_hLinkCursor = hCursor != NULL ? static_cast<HCURSOR>(::CopyImage(hCursor, IMAGE_CURSOR, 0, 0, 0)) : NULL;
    if (hCursor == NULL)
        SetDefaultCursor();
}

void CHyperLink::SetUnderline(int nUnderline)
{
    m_nUnderline = nUnderline;
    if (m_hWnd != NULL)
    {
        SendMessage(WM_SETFONT,
                    reinterpret_cast<WPARAM>(static_cast<HFONT>(nUnderline == ulAlways ? m_UnderlineFont : m_StdFont)),
                    FALSE);
        Invalidate();
    }
}

void CHyperLink::SetAutoSize(BOOL bAutoSize)
{
    m_bAdjustToFit = bAutoSize;
    if (m_hWnd != NULL)
        PositionWindow();
}

void CHyperLink::PositionWindow()
{
    if (m_hWnd == NULL || !m_bAdjustToFit)
        return;

    CRect rcWnd;
    GetWindowRect(rcWnd);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->ScreenToClient(rcWnd);
    CRect rcClient;
    GetClientRect(rcClient);
    const int nBorderWidth = rcWnd.Width() - rcClient.Width();
    const int nBorderHeight = rcWnd.Height() - rcClient.Height();

    CString text;
    GetWindowText(text);
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE extent = {};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &extent);
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    extent.cx += nBorderWidth;
    extent.cy += nBorderHeight;

    const DWORD dwStyle = GetStyle();
    if (dwStyle & SS_CENTERIMAGE)
        rcWnd.DeflateRect(0, (rcWnd.Height() - extent.cy) / 2);
    else
        rcWnd.bottom = rcWnd.top + extent.cy;

    if ((dwStyle & SS_TYPEMASK) == SS_CENTER)
        rcWnd.DeflateRect((rcWnd.Width() - extent.cx) / 2, 0);
    else if ((dwStyle & SS_TYPEMASK) == SS_RIGHT)
        rcWnd.left = rcWnd.right - extent.cx;
    else
        rcWnd.right = rcWnd.left + extent.cx;

    SetWindowPos(NULL, rcWnd.left, rcWnd.top, rcWnd.Width(), rcWnd.Height(), SWP_NOZORDER);
}

// The hand of the system's help program; loaded from it and copied so the module can go again.
void CHyperLink::SetDefaultCursor()
{
    if (m_hLinkCursor != NULL)
        return;
    char szWindows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(szWindows, MAX_PATH);
    CString path = CString(szWindows) + "\\winhlp32.exe";
    HMODULE hModule = ::LoadLibraryA(path);
    if (hModule == NULL)
        return;
    HCURSOR hHand = ::LoadCursorA(hModule, MAKEINTRESOURCEA(kCursorFromHelp));
    if (hHand != NULL)
        m_hLinkCursor = static_cast<HCURSOR>(::CopyImage(hHand, IMAGE_CURSOR, 0, 0, 0));
    ::FreeLibrary(hModule);
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    if (m_bOverControl)
        pDC->SetTextColor(m_crHoverColour);
    else if (m_bVisited)
        pDC->SetTextColor(m_crVisitedColour);
    else
        pDC->SetTextColor(m_crLinkColour);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

BOOL CHyperLink::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(rect);
    ::FillRect(pDC->GetSafeHdc(), rect, ::GetSysColorBrush(COLOR_3DFACE));
    return TRUE;
}

BOOL CHyperLink::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    if (m_hLinkCursor == NULL)
        return FALSE;
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_bOverControl)
        return;
    m_bOverControl = TRUE;
    if (m_nUnderline == ulHover)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_UnderlineFont)), FALSE);
    Invalidate();
    SetTimer(m_nTimerID, 100, NULL);
}

void CHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != static_cast<UINT_PTR>(m_nTimerID))
    {
        Default();
        return;
    }
    const DWORD dwPos = ::GetMessagePos();
    POINT pt = { static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)) };
    ScreenToClient(&pt);
    CRect rect;
    GetClientRect(rect);
    if (rect.PtInRect(pt))
        return;
    m_bOverControl = FALSE;
    KillTimer(m_nTimerID);
    if (m_nUnderline != ulAlways)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_StdFont)), FALSE);
    // The underline lies just below the text: take a little more than the control.
    rect.bottom += 10;
    InvalidateRect(rect);
}

void CHyperLink::OnClicked()
{
    m_bOverControl = FALSE;
    const INT_PTR nResult = GotoURL(m_strURL, SW_SHOW);
    m_bVisited = nResult > 32;
    if (!m_bVisited)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportError(nResult);
    }
    else
    {
        SetVisited(TRUE);
    }
}

INT_PTR CHyperLink::GotoURL(LPCSTR pszURL, int nShowCmd)
{
    INT_PTR nResult = reinterpret_cast<INT_PTR>(::ShellExecuteA(NULL, "open", pszURL, NULL, NULL, nShowCmd));
    if (nResult > 32)
        return nResult;

    CString key;
    if (!ReadClassesDefault(".htm", key))
        return nResult;
    key += "\\shell\\open\\command";
    CString command;
    if (!ReadClassesDefault(key, command))
        return nResult;

    int nCut = command.Find("\"%1\"");
    if (nCut < 0)
        nCut = command.Find("%1");
    if (nCut >= 0)
        command = command.Left(nCut);
    command += " ";
    command += pszURL;
    return static_cast<INT_PTR>(::WinExec(command, nShowCmd));
}

CString CHyperLink::ErrorText(INT_PTR nError)
{
    switch (nError)
    {
    case 0: return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default:
    {
        CString text;
        text.Format("Unknown Error (%d) occurred.", static_cast<int>(nError));
        return text;
    }
    }
}

void CHyperLink::ReportError(INT_PTR nError)
{
    CString text = "Unable to open hyperlink:\n\n" + ErrorText(nError);
    AfxMessageBox(text, MB_ICONEXCLAMATION | MB_OK);
}

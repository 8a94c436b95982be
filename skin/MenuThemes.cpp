#include "skin/MenuThemes.h"

#include <cstring>

#include "platform/afx/Exception.h"
#include "skin/MenuColors.h"
#include "skin/NewMenu.h"

// Plain values, set before any static object is constructed.
CPtrList* CMenuThemes::m_pThemeList = nullptr;
CMenuTheme* CMenuThemes::m_pActualTheme = nullptr;
HMODULE CMenuThemes::m_hMsimg32 = nullptr;
CMenuThemes::PFN_GRADIENTFILL CMenuThemes::m_pfnGradientFill = nullptr;
HHOOK CMenuThemes::m_hHook = nullptr;
std::map<HWND, CMenuWindowRecord*>* CMenuThemes::m_pRecords = nullptr;
HMENU CMenuThemes::m_hNextMenu = nullptr;
BOOL CMenuThemes::m_bRemoteSession = FALSE;
int CMenuThemes::m_nOsCode = 0;
POINT CMenuThemes::m_ptLastKey = { 0, 0 };
int CMenuThemes::m_nDepth = 0;

namespace {

const char kOldMenuProc[] = "OldMenuProc";
// Sent to a pop-up menu window that the system uses again for another menu.
const UINT WM_MENU_REUSED = 0x1E2;

// Made before every other static object of the program (lower priorities construct first), so
// that the application object and the windows made by the static initialisers already find the
// styles built and the thread hooked, whatever order the linker gives the object files.
__attribute__((init_priority(200))) CMenuThemes g_menuThemes;

WNDPROC OldMenuProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kOldMenuProc));
}

LRESULT PassOn(WNDPROC pfnOld, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pfnOld ? ::CallWindowProcW(pfnOld, hWnd, message, wParam, lParam)
                  : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Some systems paint the menu's border themselves, inside the client area of a window made
// without a frame; the own border replaces it, so it is covered with the menu colour.
void CoverSystemBorder(HWND hWnd, HDC hDC)
{
    if (CMenuTheme::GetSystemFrame(hWnd) != CSize(0, 0))
        return;
    CRect client;
    ::GetClientRect(hWnd, &client);
    HBRUSH hBrush = ::CreateSolidBrush(GetMenuColor());
    ::FrameRect(hDC, &client, hBrush);
    ::DeleteObject(hBrush);
}

// The style paints the border and shadow; the system then paints only inside the border.
LRESULT PaintMenuFrame(HWND hWnd, WPARAM wParam, CMenuTheme* pTheme, WNDPROC pfnOld)
{
    HRGN hUpdate = wParam > 1 ? reinterpret_cast<HRGN>(wParam) : NULL;
    HDC hDC = NULL;
    if (hUpdate)
    {
        // The context takes its clip region over and deletes it; the update region stays the caller's.
        HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(hClip, hUpdate, NULL, RGN_COPY);
        hDC = ::GetDCEx(hWnd, hClip, DCX_WINDOW | DCX_INTERSECTRGN);
        if (!hDC)
            ::DeleteObject(hClip);
    }
    else
    {
        hDC = ::GetWindowDC(hWnd);
    }
    if (!hDC)
        return PassOn(pfnOld, hWnd, WM_NCPAINT, wParam, 0);
    CDC dc;
    dc.Attach(hDC);
    const BOOL bPainted = pTheme->PaintNonClient(hWnd, &dc);
    dc.Detach();
    LRESULT result = 0;
    CRect visible;
    if (!bPainted)
    {
        result = PassOn(pfnOld, hWnd, WM_NCPAINT, wParam, 0);
    }
    else if (pTheme->GetVisibleRect(hWnd, &visible))
    {
        visible.DeflateRect(1, 1);
        HRGN hInside = ::CreateRectRgnIndirect(&visible);
        if (hUpdate)
            ::CombineRgn(hInside, hInside, hUpdate, RGN_AND);
        result = PassOn(pfnOld, hWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(hInside), 0);
        ::DeleteObject(hInside);
    }
    ::ReleaseDC(hWnd, hDC);
    return result;
}

// The system's menu animation prints the window into a context: border and shadow from the
// style, the rest from the system, inside the border.
LRESULT PrintMenuWindow(HWND hWnd, HDC hTarget, LPARAM lParam, CMenuTheme* pTheme, WNDPROC pfnOld)
{
    CRect window;
    ::GetWindowRect(hWnd, &window);
    HDC hMemory = ::CreateCompatibleDC(hTarget);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hTarget, window.Width(), window.Height());
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    CDC dc;
    dc.Attach(hMemory);
    pTheme->PaintNonClient(hWnd, &dc);
    dc.Detach();
    LRESULT result = 0;
    CRect visible;
    if (pTheme->GetVisibleRect(hWnd, &visible))
    {
        visible.OffsetRect(-window.left, -window.top);
        visible.DeflateRect(1, 1);
        HRGN hClip = ::CreateRectRgnIndirect(&visible);
        ::SelectClipRgn(hMemory, hClip);
        ::DeleteObject(hClip);
        result = PassOn(pfnOld, hWnd, WM_PRINT, reinterpret_cast<WPARAM>(hMemory), lParam & ~PRF_CLIENT);
        ::BitBlt(hTarget, 0, 0, window.Width(), window.Height(), hMemory, 0, 0, SRCCOPY);

        CRect client;
        ::GetClientRect(hWnd, &client);
        hClip = ::CreateRectRgn(0, 0, client.Width(), client.Height());
        ::SelectClipRgn(hMemory, hClip);
        ::DeleteObject(hClip);
        ::SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMemory), 0);
        ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMemory), lParam);
        CoverSystemBorder(hWnd, hMemory);
        POINT origin = { 0, 0 };
        ::ClientToScreen(hWnd, &origin);
        ::BitBlt(hTarget, origin.x - window.left, origin.y - window.top, client.Width() - 1, client.Height(), hMemory,
                 0, 0, SRCCOPY);
    }
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    return result;
}

// A window moved to another place and resized at once shows another menu now: let it go.
void TrackPosition(HWND hWnd, const WINDOWPOS* pPos)
{
    CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hWnd);
    if (!pRecord || (pPos->flags & SWP_NOMOVE))
        return;
    const CPoint position(pPos->x, pPos->y);
    if (pRecord->m_Screen == CPoint(0, 0) || position == pRecord->m_Screen)
        pRecord->m_Screen = position;
    else if (!(pPos->flags & SWP_NOSIZE))
        CMenuThemes::UnsubclassMenuWindow(hWnd);
    else
        pRecord->m_Screen = position;
}

// Where a window will stand after the position change.
CRect PlannedRect(HWND hWnd, const WINDOWPOS* pPos)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    if (!(pPos->flags & SWP_NOMOVE))
        rect.OffsetRect(pPos->x - rect.left, pPos->y - rect.top);
    if (!(pPos->flags & SWP_NOSIZE))
    {
        rect.right = rect.left + pPos->cx;
        rect.bottom = rect.top + pPos->cy;
    }
    return rect;
}

struct DepthCount
{
    explicit DepthCount(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthCount() { --m_depth; }
    int& m_depth;
};

}  // namespace

void AFXAPI ShowLastError()
{
    const DWORD code = ::GetLastError();
    LPSTR text = NULL;
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, NULL, code, 0,
                                          reinterpret_cast<LPSTR>(&text), 0, NULL);
    if (length && text)
    {
        ::MessageBoxA(NULL, text, "Error", MB_OK | MB_ICONINFORMATION);
        ::LocalFree(text);
        return;
    }
    char missing[64];
    wsprintfA(missing, "Error message 0x%lx not found", static_cast<unsigned long>(code));
    ::MessageBoxA(NULL, missing, "Error", MB_OK | MB_ICONINFORMATION);
}

int CMenuThemes::ReadOsCode()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version))
    {
        ShowLastError();
        return 0;
    }
    switch (version.dwPlatformId)
    {
    case VER_PLATFORM_WIN32_WINDOWS:
        return version.dwMinorVersion >= 90 ? 4 : version.dwMinorVersion >= 10 ? 3 : 2;
    case VER_PLATFORM_WIN32_NT:
        if (version.dwMajorVersion == 4)
            return 5;
        if (version.dwMajorVersion == 5)
            return version.dwMinorVersion == 0 ? 6 : version.dwMinorVersion == 1 ? 7 : 1;
        return 1;
    default:
        return 0;
    }
}

CMenuThemes::CMenuThemes()
{
    m_nOsCode = ReadOsCode();
    m_bRemoteSession = m_nOsCode >= 6 && ::GetSystemMetrics(SM_REMOTESESSION);
    m_hMsimg32 = ::LoadLibraryA("Msimg32.dll");
    if (m_hMsimg32)
        m_pfnGradientFill = reinterpret_cast<PFN_GRADIENTFILL>(::GetProcAddress(m_hMsimg32, "GradientFill"));

    AddTheme(new CMenuTheme(0, 1, &MeasureItemClassic, &DrawItemClassic, &DrawMenuTitle));
    AddTheme(new CMenuTheme(1, 0, &MeasureItemClassic, &DrawItemClassic, &DrawMenuTitle));
    AddTheme(new CMenuThemeFlat(2, 1, &MeasureItemFlat, &DrawItemFlat, &DrawMenuTitle));
    AddTheme(new CMenuThemeFlat(3, 0, &MeasureItemFlat, &DrawItemFlat, &DrawMenuTitle));
    AddTheme(new CMenuTheme(4, 1, &MeasureItemClassic, &DrawItemHighlightBar, &DrawMenuTitle));
    AddTheme(new CMenuTheme(5, 0, &MeasureItemClassic, &DrawItemHighlightBar, &DrawMenuTitle));
    m_pActualTheme = FindTheme(2);

    if (!m_hHook)
    {
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &MenuCallWndProc, NULL, ::GetCurrentThreadId());
        if (!m_hHook)
        {
            ShowLastError();
            AfxThrowMemoryException();
        }
    }
}

CMenuThemes::~CMenuThemes()
{
    if (m_hHook)
    {
        if (!::UnhookWindowsHookEx(m_hHook))
            ShowLastError();
        m_hHook = nullptr;
    }
    m_pActualTheme = nullptr;
    while (m_pThemeList)
        delete RemoveTheme(static_cast<CMenuTheme*>(m_pThemeList->GetHead())->m_nStyle);
    m_pfnGradientFill = nullptr;
    if (m_hMsimg32)
        ::FreeLibrary(m_hMsimg32);
    m_hMsimg32 = nullptr;
    DeleteMenuIconLists();
    if (m_pRecords)
    {
        for (auto& entry : *m_pRecords)
        {
            if (entry.second->m_hUnder)
                ::DeleteObject(entry.second->m_hUnder);
            delete entry.second;
        }
        delete m_pRecords;
        m_pRecords = nullptr;
    }
}

CMenuTheme* CMenuThemes::FindTheme(int nStyle)
{
    if (!m_pThemeList)
        return nullptr;
    for (POSITION pos = m_pThemeList->GetHeadPosition(); pos;)
    {
        CMenuTheme* pTheme = static_cast<CMenuTheme*>(m_pThemeList->GetNext(pos));
        if (pTheme->m_nStyle == nStyle)
            return pTheme;
    }
    return nullptr;
}

CMenuTheme* CMenuThemes::RemoveTheme(int nStyle)
{
    CMenuTheme* pTheme = FindTheme(nStyle);
    if (!pTheme)
        return nullptr;
    m_pThemeList->RemoveAt(m_pThemeList->Find(pTheme));
    if (m_pThemeList->IsEmpty())
    {
        delete m_pThemeList;
        m_pThemeList = nullptr;
    }
    if (m_pActualTheme == pTheme)
        m_pActualTheme = nullptr;
    return pTheme;
}

BOOL CMenuThemes::AddTheme(CMenuTheme* pTheme)
{
    if (!m_pThemeList)
        m_pThemeList = new CPtrList(10);
    if (m_pThemeList->Find(pTheme))
        return FALSE;
    m_pThemeList->AddTail(pTheme);
    return TRUE;
}

int CNewMenu::GetMenuStyle()
{
    CMenuTheme* pTheme = CMenuThemes::GetCurrentTheme();
    return pTheme ? pTheme->m_nStyle : -1;
}

CMenuTheme* CNewMenu::SetMenuStyle(int nStyle)
{
    CMenuTheme* pTheme = CMenuThemes::FindTheme(nStyle);
    if (pTheme)
        CMenuThemes::SetCurrentTheme(pTheme);
    return pTheme;
}

CMenuWindowRecord* CMenuThemes::FindRecord(HWND hWnd)
{
    if (!m_pRecords)
        return nullptr;
    auto found = m_pRecords->find(hWnd);
    return found == m_pRecords->end() ? nullptr : found->second;
}

LRESULT CALLBACK CMenuThemes::MenuCallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg->message == WM_CREATE || pMsg->message == WM_MENU_REUSED)
            SubclassMenuWindow(pMsg->hwnd, pMsg->message == WM_MENU_REUSED);
    }
    return ::CallNextHookEx(m_hHook, nCode, wParam, lParam);
}

BOOL CMenuThemes::SubclassMenuWindow(HWND hWnd, BOOL bCaughtBy1E2)
{
    char className[21] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (std::strcmp(className, "#32768") != 0)
        return FALSE;
    BOOL bSubclassed = FALSE;
    CMenuWindowRecord* pRecord = FindRecord(hWnd);
    if (!pRecord)
    {
        WNDPROC pfnOld = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        if (pfnOld && !OldMenuProc(hWnd))
        {
            if (!::SetPropA(hWnd, kOldMenuProc, reinterpret_cast<HANDLE>(pfnOld)))
                ShowLastError();
            if (OldMenuProc(hWnd) == pfnOld)
                ::GlobalAddAtomA(kOldMenuProc);
            pRecord = new CMenuWindowRecord;
            pRecord->m_dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
            pRecord->m_dwExStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE));
            pRecord->m_Screen = CPoint(0, 0);
            pRecord->m_dwFlags = bCaughtBy1E2 ? MWR_CAUGHT_BY_1E2 : 0;
            pRecord->m_nPaint = 1;
            pRecord->m_hMenu = m_hNextMenu;
            pRecord->m_hUnder = nullptr;
            m_hNextMenu = nullptr;
            if (!m_pRecords)
                m_pRecords = new std::map<HWND, CMenuWindowRecord*>;
            (*m_pRecords)[hWnd] = pRecord;
            if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWndProc)))
                ShowLastError();
            bSubclassed = TRUE;
            if (m_pActualTheme)
                m_pActualTheme->OnSubclass(hWnd);
        }
    }
    if (m_hNextMenu && pRecord)
    {
        pRecord->m_hMenu = m_hNextMenu;
        m_hNextMenu = nullptr;
    }
    return bSubclassed;
}

void CMenuThemes::UnsubclassMenuWindow(HWND hWnd)
{
    if (WNDPROC pfnOld = OldMenuProc(hWnd))
    {
        if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOld)))
            ShowLastError();
        ::RemovePropA(hWnd, kOldMenuProc);
        ::GlobalDeleteAtom(::GlobalFindAtomA(kOldMenuProc));
    }
    if (CMenuWindowRecord* pRecord = FindRecord(hWnd))
    {
        if (m_pActualTheme)
            m_pActualTheme->OnUnsubclass(hWnd);
        m_pRecords->erase(hWnd);
        if (pRecord->m_hUnder)
            ::DeleteObject(pRecord->m_hUnder);
        delete pRecord;
    }
}

void CMenuThemes::KeepScreenBeneath(CMenuWindowRecord* pRecord, const CRect& rect)
{
    if (pRecord->m_hUnder)
        ::DeleteObject(pRecord->m_hUnder);
    pRecord->m_hUnder = nullptr;
    if (rect.IsRectEmpty())
        return;
    HDC hScreen = ::GetDC(NULL);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    pRecord->m_hUnder = ::CreateCompatibleBitmap(hScreen, rect.Width(), rect.Height());
    HGDIOBJ hOld = ::SelectObject(hMemory, pRecord->m_hUnder);
    ::BitBlt(hMemory, 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    ::ReleaseDC(NULL, hScreen);
    pRecord->m_rcUnder = rect;
}

void CMenuThemes::DrawMenuShadow(HWND hWnd, CDC* pDC, int xOrigin, int yOrigin)
{
    BOOL bSystemShadow = FALSE;
    if (::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bSystemShadow, 0) && bSystemShadow)
        return;
    CRect window;
    ::GetWindowRect(hWnd, &window);
    const int width = window.Width();
    const int height = window.Height();
    // The screen as it was before the window came, when it was kept for this place and size.
    const CMenuWindowRecord* pRecord = FindRecord(hWnd);
    const BOOL bKept = pRecord && pRecord->m_hUnder && pRecord->m_rcUnder.left == xOrigin &&
                       pRecord->m_rcUnder.top == yOrigin && pRecord->m_rcUnder.Width() == width &&
                       pRecord->m_rcUnder.Height() == height;
    HDC hScreen = bKept ? ::CreateCompatibleDC(NULL) : ::GetDC(NULL);
    HGDIOBJ hOld = bKept ? ::SelectObject(hScreen, pRecord->m_hUnder) : NULL;
    if (bKept)
    {
        xOrigin = 0;
        yOrigin = 0;
    }
    for (int i = 1; i <= 4; ++i)
    {
        for (int row = 0; row < height; ++row)
        {
            const COLORREF pixel = ::GetPixel(hScreen, xOrigin + width - i, yOrigin + row);
            const long amount = row < 4            ? 0
                                : row < 8          ? i * 6 * (row - 3)
                                : row < height - 4 ? i * 30
                                                   : i * 6 * (height - row);
            pDC->SetPixelV(width - i, row, amount ? DarkenColor(amount, pixel) : pixel);
        }
    }
    for (int j = 1; j <= 4; ++j)
    {
        for (int column = 0; column < width - 4; ++column)
        {
            const COLORREF pixel = ::GetPixel(hScreen, xOrigin + column, yOrigin + height - j);
            const long amount = column < 4 ? 0 : column < 8 ? (column - 3) * 6 * j : j * 30;
            pDC->SetPixelV(column, height - j, amount ? DarkenColor(amount, pixel) : pixel);
        }
    }
    if (bKept)
    {
        ::SelectObject(hScreen, hOld);
        ::DeleteDC(hScreen);
    }
    else
    {
        ::ReleaseDC(NULL, hScreen);
    }
}

LRESULT CALLBACK CMenuThemes::MenuWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Read first: the window may be released while it handles the message.
    const WNDPROC pfnOld = OldMenuProc(hWnd);
    DepthCount depth(m_nDepth);
    CMenuWindowRecord* pRecord = FindRecord(hWnd);
    CMenuTheme* pTheme = m_pActualTheme;
    switch (message)
    {
    case WM_NCPAINT:
        if (pRecord && pRecord->m_nPaint && pTheme && pTheme->HasOwnBorders())
            return PaintMenuFrame(hWnd, wParam, pTheme, pfnOld);
        break;
    case WM_PRINT:
        if (pRecord && pTheme && pTheme->HasOwnBorders())
            return PrintMenuWindow(hWnd, reinterpret_cast<HDC>(wParam), lParam, pTheme, pfnOld);
        break;
    case WM_ERASEBKGND:
        if (pTheme)
        {
            CDC dc;
            dc.Attach(reinterpret_cast<HDC>(wParam));
            const BOOL bErased = pTheme->EraseBackground(hWnd, &dc);
            dc.Detach();
            if (bErased)
                return 1;
        }
        break;
    case WM_NCCALCSIZE:
        if (pTheme && pTheme->OnNcCalcSize(hWnd, reinterpret_cast<LPRECT>(lParam)))
            return 0;
        break;
    case WM_WINDOWPOSCHANGING:
    {
        LPWINDOWPOS pPos = reinterpret_cast<LPWINDOWPOS>(lParam);
        if (pTheme)
            pTheme->OnWindowPosChanging(hWnd, pPos);
        TrackPosition(hWnd, pPos);
        if (CMenuWindowRecord* pShown = FindRecord(hWnd))
            if ((pPos->flags & SWP_SHOWWINDOW) && !::IsWindowVisible(hWnd))
                KeepScreenBeneath(pShown, PlannedRect(hWnd, pPos));
        break;
    }
    case WM_PAINT:
    {
        const LRESULT result = PassOn(pfnOld, hWnd, message, wParam, lParam);
        if (pRecord && pTheme && pTheme->HasOwnBorders() && FindRecord(hWnd))
        {
            HDC hDC = ::GetDC(hWnd);
            CoverSystemBorder(hWnd, hDC);
            ::ReleaseDC(hWnd, hDC);
        }
        return result;
    }
    case WM_WINDOWPOSCHANGED:
        TrackPosition(hWnd, reinterpret_cast<LPWINDOWPOS>(lParam));
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            UnsubclassMenuWindow(hWnd);
        break;
    case WM_NCDESTROY:
        UnsubclassMenuWindow(hWnd);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && pRecord)
            pRecord->m_dwFlags |= MWR_ESCAPE;
        {
            const DWORD pos = ::GetMessagePos();
            m_ptLastKey.x = static_cast<short>(LOWORD(pos));
            m_ptLastKey.y = static_cast<short>(HIWORD(pos));
        }
        break;
    }
    return PassOn(pfnOld, hWnd, message, wParam, lParam);
}

#include "skin/MenuTheme.h"

#include "skin/MenuColors.h"
#include "skin/MenuThemes.h"
#include "skin/NewMenu.h"

namespace {

// The frame the system gives its menu windows (a dialog frame of 3 pixels a side), which the
// window sizes below are reckoned against.
const int kSystemFrame = 6;

CRect WindowRect(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// The client area widened into the border at the left, short of the frame's last column.
CRect BackgroundRect(HWND hWnd)
{
    CRect client;
    ::GetClientRect(hWnd, &client);
    client.left -= 2;
    client.right -= 1;
    return client;
}

// The own shadow, made of the screen at the window's last recorded position.
void DrawOwnShadow(HWND hWnd, CDC* pDC, const CRect& window)
{
    const CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hWnd);
    CMenuThemes::DrawMenuShadow(hWnd, pDC, pRecord ? pRecord->m_Screen.x : window.left,
                                pRecord ? pRecord->m_Screen.y : window.top);
}

}  // namespace

CMenuTheme::CMenuTheme(int nStyle, int nVariant, PFN_MEASUREMENUITEM pfnMeasure, PFN_DRAWMENUITEM pfnDraw,
                       PFN_DRAWMENUITEM pfnTitle)
    : m_nStyle(nStyle),
      m_nVariant(nVariant),
      m_pfnMeasureItem(pfnMeasure),
      m_pfnDrawItem(pfnDraw),
      m_pfnDrawTitle(pfnTitle),
      m_BorderSize(2, 2),
      m_ShadowSize(SystemDrawsShadow() ? CSize(2, 2) : CSize(5, 6))
{
}

CMenuTheme::~CMenuTheme()
{
}

CSize CMenuTheme::GetSystemFrame(HWND hWnd)
{
    const CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hWnd);
    if (!pRecord)
        return CSize(kSystemFrame, kSystemFrame);
    CRect frame(0, 0, 0, 0);
    ::AdjustWindowRectEx(&frame, pRecord->m_dwStyle & ~WS_CHILD, FALSE, pRecord->m_dwExStyle);
    return CSize(frame.Width(), frame.Height());
}

BOOL CMenuTheme::SystemDrawsShadow()
{
    BOOL shadow = FALSE;
    return ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0) && shadow;
}

BOOL CMenuTheme::HasOwnBorders() const
{
    return m_nVariant;
}

BOOL CMenuTheme::OnSubclass(HWND hWnd)
{
    if (!HasOwnBorders())
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_STYLE, ::GetWindowLongA(hWnd, GWL_STYLE) & ~WS_BORDER);
    ::SetWindowLongA(hWnd, GWL_EXSTYLE,
                     ::GetWindowLongA(hWnd, GWL_EXSTYLE) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    if (CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hWnd))
        pRecord->m_dwFlags |= MWR_STYLES_CHANGED;
    return TRUE;
}

BOOL CMenuTheme::OnUnsubclass(HWND hWnd)
{
    CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hWnd);
    if (!pRecord)
        return FALSE;
    if (CNewMenu* pMenu = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(pRecord->m_hMenu)))
        pMenu->OnUnInitMenuPopup(::GetParent(hWnd));
    if (pRecord->m_dwFlags & MWR_STYLES_CHANGED)
    {
        const DWORD visible = (pRecord->m_dwFlags & MWR_CAUGHT_BY_1E2) ? WS_VISIBLE : 0;
        ::SetWindowLongA(hWnd, GWL_STYLE, pRecord->m_dwStyle | visible);
        ::SetWindowLongA(hWnd, GWL_EXSTYLE, pRecord->m_dwExStyle);
    }
    return TRUE;
}

BOOL CMenuTheme::PaintNonClient(HWND hWnd, CDC* pDC)
{
    const CRect window = WindowRect(hWnd);
    const int width = window.Width();
    const int height = window.Height();
    const COLORREF menu = GetMenuColor();
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    if (!SystemDrawsShadow())
    {
        DrawFrame3D(pDC, CRect(1, 1, 1 + width - 6, 1 + height - 6), menu, menu, menu, menu);
        pDC->Draw3dRect(0, 0, width - 4, height - 4, highlight, highlight);
        DrawOwnShadow(hWnd, pDC, window);
    }
    else
    {
        DrawFrame3D(pDC, CRect(1, 1, width - 1, height - 1), menu, menu, menu, menu);
        pDC->Draw3dRect(0, 0, width, height, highlight, highlight);
    }
    return TRUE;
}

BOOL CMenuTheme::EraseBackground(HWND hWnd, CDC* pDC)
{
    pDC->FillSolidRect(BackgroundRect(hWnd), ::GetSysColor(COLOR_MENU));
    return TRUE;
}

BOOL CMenuTheme::OnNcCalcSize(HWND, LPRECT lpRect)
{
    if (HasOwnBorders())
    {
        m_ShadowSize = SystemDrawsShadow() ? CSize(2, 2) : CSize(5, 6);
        lpRect->left += m_BorderSize.cx;
        lpRect->top += m_BorderSize.cy;
        lpRect->right -= m_ShadowSize.cx;
        lpRect->bottom -= m_ShadowSize.cy;
    }
    return FALSE;
}

BOOL CMenuTheme::OnWindowPosChanging(HWND hWnd, LPWINDOWPOS lpPos)
{
    if (!HasOwnBorders())
        return FALSE;
    const int grow = SystemDrawsShadow() ? -2 : 2;
    // The system sized the window for the frame it was made with; where that frame was not the
    // usual one (or none at all), the own border and shadow need the difference as well.
    const CSize removed = GetSystemFrame(hWnd);
    lpPos->cx += grow + kSystemFrame - removed.cx;
    lpPos->cy += grow + kSystemFrame - removed.cy;
    lpPos->y -= 1;
    return TRUE;
}

BOOL CMenuTheme::GetVisibleRect(HWND hWnd, LPRECT lpRect)
{
    if (!::GetWindowRect(hWnd, lpRect))
        return FALSE;
    if (HasOwnBorders())
    {
        const int outer = SystemDrawsShadow() ? 3 : 7;
        lpRect->left += 2;
        lpRect->top += 2;
        lpRect->right -= outer;
        lpRect->bottom -= outer;
    }
    return TRUE;
}

CMenuThemeFlat::CMenuThemeFlat(int nStyle, int nVariant, PFN_MEASUREMENUITEM pfnMeasure, PFN_DRAWMENUITEM pfnDraw,
                               PFN_DRAWMENUITEM pfnTitle)
    : CMenuTheme(nStyle, nVariant, pfnMeasure, pfnDraw, pfnTitle)
{
}

BOOL CMenuThemeFlat::PaintNonClient(HWND hWnd, CDC* pDC)
{
    const CRect window = WindowRect(hWnd);
    const int width = window.Width();
    const int height = window.Height();
    const COLORREF menu = GetMenuColor();
    const COLORREF white = ::GetSysColor(COLOR_WINDOW);
    const COLORREF inner = MixColor86(white, menu);
    const COLORREF outer = DarkenColor(128, menu);
    const COLORREF face = MixColor86(menu, white);
    const BOOL ownShadow = !SystemDrawsShadow();
    const CRect frame = ownShadow ? CRect(1, 1, 1 + width - 6, 1 + height - 6) : CRect(1, 1, width - 1, height - 1);
    DrawFrame3D(pDC, frame, face, face, face, face);
    pDC->Draw3dRect(&frame, inner, inner);
    if (ownShadow)
    {
        pDC->Draw3dRect(0, 0, width - 4, height - 4, outer, outer);
        DrawOwnShadow(hWnd, pDC, window);
    }
    else
    {
        pDC->Draw3dRect(0, 0, width, height, outer, outer);
    }
    ClearMenuBarJoin(hWnd, pDC);
    return TRUE;
}

BOOL CMenuThemeFlat::EraseBackground(HWND hWnd, CDC* pDC)
{
    CMenuTheme::EraseBackground(hWnd, pDC);
    pDC->FillSolidRect(BackgroundRect(hWnd), GetMenuColor());
    return TRUE;
}

void ClearMenuBarJoin(HWND hMenuWnd, CDC* pDC)
{
    const CMenuWindowRecord* pRecord = CMenuThemes::FindRecord(hMenuWnd);
    CNewMenu* pMenu = pRecord ? DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(pRecord->m_hMenu)) : nullptr;
    CNewMenu* pBar = pMenu ? pMenu->GetParentMenu() : nullptr;
    if (!pBar || !pBar->IsMenuBar())
        return;
    const CRect window = WindowRect(hMenuWnd);
    CRect join;
    if (!join.IntersectRect(&window, &pBar->m_LastActiveMenuRect))
        return;
    if (join.Width() < join.Height())
        join.right -= 1;
    else
        join.bottom -= 1;
    join.OffsetRect(-window.left, -window.top);
    if (!join.IsRectEmpty())
        pDC->FillSolidRect(&join, GetMenuColor());
}

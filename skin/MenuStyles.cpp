// The measure and draw routines of the menu styles.
#include <algorithm>

#include "skin/MenuColors.h"
#include "skin/MenuTheme.h"
#include "skin/NewMenu.h"

namespace {

// Room for the shortcut of an item whose text holds a tab, and the shortcut's distance from the
// item's right edge.
const int kShortcutGap = 15;

// A device context of the system, wrapped for one routine; its state is restored on the way out.
class CItemDC : public CDC
{
public:
    explicit CItemDC(HDC hDC)
    {
        Attach(hDC);
        m_nSaved = SaveDC();
    }
    ~CItemDC() override
    {
        RestoreDC(m_nSaved);
        Detach();
    }

private:
    int m_nSaved;
};

LOGFONTA MenuLogFont(BOOL bBold)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bBold)
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    return metrics.lfMenuFont;
}

void CreateTitleFont(CFont& font, BOOL bVertical)
{
    font.CreateFont(16, 0, bVertical ? 900 : 0, bVertical ? 900 : 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

int FloorHalf(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

int ItemPosition(HMENU hMenu, const CNewMenuItemData* pData)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (::GetMenuItemInfoA(hMenu, i, TRUE, &info) && info.dwItemData == reinterpret_cast<ULONG_PTR>(pData))
            return i;
    }
    return -1;
}

// The draw routine uses the bold font for the menu's default item; measuring does the same.
BOOL IsDefaultItem(HMENU hMenu, const CNewMenuItemData* pData)
{
    const UINT nDefault = ::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED);
    return nDefault != static_cast<UINT>(-1) && static_cast<int>(nDefault) == ItemPosition(hMenu, pData);
}

// Width of an item's text in the menu font: the part before the first tab and the shortcut after
// the last one, with the gap between them.
int TextWidth(HDC hDC, const CString& text)
{
    const int tab = text.Find('\t');
    const CString label = tab < 0 ? text : text.Left(tab);
    CRect rect(0, 0, 0, 0);
    ::DrawTextA(hDC, label, label.GetLength(), &rect, DT_SINGLELINE | DT_CALCRECT);
    int width = rect.Width();
    if (tab >= 0)
    {
        const CString shortcut = text.Mid(text.ReverseFind('\t') + 1);
        CRect shortcutRect(0, 0, 0, 0);
        ::DrawTextA(hDC, shortcut, shortcut.GetLength(), &shortcutRect, DT_SINGLELINE | DT_CALCRECT);
        width += shortcutRect.Width() + kShortcutGap;
    }
    return width;
}

BOOL IsSystemCommand(UINT_PTR nID)
{
    const UINT_PTR masked = nID & ~static_cast<UINT_PTR>(0xF);
    return masked >= 61440 && masked <= 61776;
}

void MeasureTitle(const CNewMenuItemData* pData, LPMEASUREITEMSTRUCT lpMIS)
{
    const BOOL bVertical = (pData->m_nTitleFlags & MFT_TITLE_VERTICAL) != 0;
    CFont font;
    CreateTitleFont(font, FALSE);
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, font);
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, pData->m_szMenuText, pData->m_szMenuText.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    const int thickness = size.cy + ((pData->m_nTitleFlags & MFT_TITLE_THICK) ? 8 : 0);
    lpMIS->itemWidth = bVertical ? thickness : size.cx;
    lpMIS->itemHeight = bVertical ? size.cx : thickness;
}

void MeasureItem(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar, int nIconMargin)
{
    CNewMenuItemData* pData = pMenu->FindItemData(lpMIS->itemData);
    if (!pData)
        return;
    if (pData->IsSeparator())
    {
        if (pData->IsTitle())
        {
            MeasureTitle(pData, lpMIS);
        }
        else
        {
            lpMIS->itemWidth = 0;
            lpMIS->itemHeight = 3;
        }
        return;
    }
    const CSize icon = pMenu->GetIconSize();
    CFont font;
    LOGFONTA logFont = MenuLogFont(IsDefaultItem(pMenu->m_hMenu, pData));
    font.CreateFontIndirect(&logFont);
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, font);
    const auto itemWidth = [&](const CString& text) {
        return TextWidth(hDC, text) + (bIsMenuBar ? 0 : 2 * icon.cx + 2);
    };
    int width = itemWidth(pData->m_szMenuText);
    int height = std::max<int>(::GetSystemMetrics(SM_CYMENU), icon.cy + nIconMargin);
    if (IsSystemCommand(pData->m_nID) && !pData->IsPopup())
    {
        height = ::GetSystemMetrics(SM_CYMENU);
        for (int i = 0; i < pMenu->GetRecordCount(); ++i)
        {
            if (pMenu->GetRecord(i) != pData)
                continue;
            for (int j = i + 1; j < pMenu->GetRecordCount(); ++j)
            {
                if (pMenu->GetRecord(j)->m_nID)
                {
                    width = std::max<int>(width, itemWidth(pMenu->GetRecord(j)->m_szMenuText));
                    break;
                }
            }
            break;
        }
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    lpMIS->itemWidth = width;
    lpMIS->itemHeight = height;
}

void FrameRectangle(CDC& dc, const CRect& rect, COLORREF color)
{
    dc.Draw3dRect(&rect, color, color);
}

void DrawImage(CDC& dc, CNewMenuIcons* pIcons, int nImage, CPoint pt)
{
    ImageList_Draw(pIcons->m_IconsList.GetSafeHandle(), nImage, dc.GetSafeHdc(), pt.x, pt.y, ILD_TRANSPARENT);
}

// The picture's shape in one colour.
void DrawSilhouette(CDC& dc, CNewMenuIcons* pIcons, int nImage, CPoint pt, COLORREF color)
{
    HICON hIcon = pIcons->m_IconsList.ExtractIcon(nImage);
    if (!hIcon)
        return;
    CBrush brush(color);
    const CSize size = pIcons->GetIconSize();
    dc.DrawState(pt, size, hIcon, DST_ICON | DSS_MONO, brush);
    ::DestroyIcon(hIcon);
}

void DrawEmbossed(CDC& dc, CNewMenuIcons* pIcons, int nImage, CPoint pt)
{
    HICON hIcon = pIcons->m_IconsList.ExtractIcon(nImage);
    if (!hIcon)
        return;
    dc.DrawState(pt, pIcons->GetIconSize(), hIcon, DST_ICON | DSS_DISABLED, static_cast<HBRUSH>(NULL));
    ::DestroyIcon(hIcon);
}

// One character of the Marlett symbol font, as high as the rectangle less 2 pixels a side.
void DrawGlyph(CDC& dc, CRect rect, char glyph, BOOL bBold, COLORREF color)
{
    rect.DeflateRect(2, 2);
    if (rect.Height() <= 0)
        return;
    CFont font;
    font.CreateFont(-rect.Height(), 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    HGDIOBJ hOld = dc.SelectObject(font.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(color);
    char text[2] = { glyph, 0 };
    dc.DrawText(text, 1, &rect, DT_CENTER | DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    dc.SelectObject(hOld);
}

// The check glyph: "b" (a check), or "i" (a bullet) when the item has its own checked bitmap.
char CheckGlyph(HMENU hMenu, const CNewMenuItemData* pData)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    const int nPos = ItemPosition(hMenu, pData);
    return nPos >= 0 && ::GetMenuItemInfoA(hMenu, nPos, TRUE, &info) && info.hbmpChecked ? 'i' : 'b';
}

// The window-button glyph of a system-menu command, or 0.
char SystemGlyph(UINT_PTR nID)
{
    if (nID < 0xF000 || nID > 0xF150)
        return 0;
    switch (nID & 0xFFF0)
    {
    case SC_RESTORE:
        return '2';
    case SC_MINIMIZE:
        return '0';
    case SC_MAXIMIZE:
        return '1';
    case SC_CLOSE:
        return 'r';
    default:
        return 0;
    }
}

void DrawItemText(CDC& dc, const CNewMenuItemData* pData, const CRect& textRect, BOOL bIsMenuBar, BOOL bBold,
                  COLORREF color)
{
    CFont font;
    LOGFONTA logFont = MenuLogFont(bBold);
    font.CreateFontIndirect(&logFont);
    HGDIOBJ hOld = dc.SelectObject(font.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(color);
    CRect rect = textRect;
    const CString& text = pData->m_szMenuText;
    if (bIsMenuBar)
    {
        dc.DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    else
    {
        const int tab = text.Find('\t');
        const CString label = tab < 0 ? text : text.Left(tab);
        dc.DrawText(label, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (tab >= 0)
        {
            const CString shortcut = text.Mid(text.ReverseFind('\t') + 1);
            dc.DrawText(shortcut, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    }
    dc.SelectObject(hOld);
}

// Where the item's picture stands: 3 pixels into the strip, centred in the menu's icon width
// when narrower, and centred vertically.
CPoint PicturePosition(const CNewMenu* pMenu, const CNewMenuItemData* pData, const CRect& strip, const CRect& item)
{
    const CSize image = pData->m_pMenuIcon->GetIconSize();
    const CSize icon = pMenu->GetIconSize();
    const int x = strip.left + 3 + (image.cx < icon.cx ? (icon.cx - image.cx) / 2 : 0);
    return CPoint(x, item.top + (item.Height() - image.cy) / 2);
}

CRect StripRect(const CNewMenu* pMenu, const CRect& item)
{
    CRect strip = item;
    strip.right = strip.left + pMenu->GetIconSize().cx + 8;
    return strip;
}

void RememberMenuBarItem(CNewMenu* pMenu, HDC hDC, const CRect& item)
{
    CRect window;
    if (::GetWindowRect(::WindowFromDC(hDC), &window))
    {
        pMenu->m_LastActiveMenuRect = item;
        pMenu->m_LastActiveMenuRect.OffsetRect(window.left, window.top);
    }
}

// Where a pop-up item's text and shortcut go: 4 pixels right of the strip to 15 before the end.
CRect TextRect(const CRect& strip, const CRect& item)
{
    CRect text = item;
    text.left = strip.right + 4;
    text.right = item.right - kShortcutGap;
    return text;
}

// A separator line or an etched one across the item's middle, from the text's left edge.
void DrawSeparator(CDC& dc, const CRect& item, int left, BOOL bEtched)
{
    CRect line(left, item.top + item.Height() / 2, item.right, item.top + item.Height() / 2 + 1);
    if (bEtched)
    {
        line.bottom = line.top + 2;
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    }
    else
    {
        dc.FillSolidRect(&line, ::GetSysColor(COLOR_GRAYTEXT));
    }
}

// Separators are a line, or the title when they are one; TRUE when the item was one.
BOOL DrawSeparatorItem(CNewMenu* pMenu, const CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS, CDC& dc, int left,
                       BOOL bEtched, BOOL bIsMenuBar)
{
    if (!pData->IsSeparator())
        return FALSE;
    if (pData->IsTitle())
        pMenu->DrawTitle(lpDIS, bIsMenuBar);
    else
        DrawSeparator(dc, CRect(lpDIS->rcItem), left, bEtched);
    return TRUE;
}

void DrawClassicPopupItem(CNewMenu* pMenu, CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS)
{
    CItemDC dc(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    const UINT state = lpDIS->itemState;
    const CRect strip = StripRect(pMenu, item);
    dc.FillSolidRect(&item, ::GetSysColor(COLOR_MENU));
    const CRect textRect = TextRect(strip, item);
    if (DrawSeparatorItem(pMenu, pData, lpDIS, dc, strip.left, TRUE, FALSE))
        return;
    const BOOL bSelected = (state & ODS_SELECTED) != 0;
    const BOOL bDisabled = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    if (bSelected)
    {
        CRect bar = item;
        bar.left = strip.right;
        dc.FillSolidRect(&bar, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    CRect box = strip;
    box.DeflateRect(1, 1);
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF dark = ::GetSysColor(COLOR_3DSHADOW);
    if (pData->HasImage())
    {
        const CPoint pt = PicturePosition(pMenu, pData, strip, item);
        if (state & ODS_CHECKED)
            dc.Draw3dRect(&box, dark, light);
        else if (bSelected && !bDisabled)
            dc.Draw3dRect(&box, light, dark);
        if (bDisabled)
            DrawEmbossed(dc, pData->m_pMenuIcon, pData->m_nMenuIconOffset, pt);
        else
            DrawImage(dc, pData->m_pMenuIcon, pData->m_nMenuIconOffset, pt);
    }
    else if (state & ODS_CHECKED)
    {
        dc.Draw3dRect(&box, dark, light);
        DrawGlyph(dc, box, CheckGlyph(pMenu->m_hMenu, pData), FALSE,
                  ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    }
    const COLORREF text =
        bDisabled ? ::GetSysColor(COLOR_GRAYTEXT) : ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    DrawItemText(dc, pData, textRect, FALSE, (state & ODS_DEFAULT) != 0, text);
}

void DrawClassicBarItem(CNewMenu* pMenu, CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS, BOOL bFlatHighlight)
{
    CItemDC dc(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    const UINT state = lpDIS->itemState;
    const BOOL bLit = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    if (bLit && !(state & ODS_INACTIVE))
        RememberMenuBarItem(pMenu, lpDIS->hDC, item);
    COLORREF text =
        ::GetSysColor((state & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE)) ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
    if (bFlatHighlight && bLit)
    {
        dc.FillSolidRect(&item, ::GetSysColor(COLOR_HIGHLIGHT));
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    else
    {
        dc.FillSolidRect(&item, ::GetSysColor(COLOR_MENU));
        if (bLit)
            dc.Draw3dRect(&item, ::GetSysColor((state & ODS_SELECTED) ? COLOR_3DSHADOW : COLOR_3DHILIGHT),
                          ::GetSysColor((state & ODS_SELECTED) ? COLOR_3DHILIGHT : COLOR_3DSHADOW));
    }
    DrawItemText(dc, pData, item, TRUE, (state & ODS_DEFAULT) != 0, text);
}

// Pop-up items are classic in both styles; the menu bar lights its items in the highlight colour
// or raises and sinks them.
void DrawClassicItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar, BOOL bHighlightBar)
{
    CNewMenuItemData* pData = pMenu->FindItemData(lpDIS->itemData);
    if (!pData)
        return;
    if (bIsMenuBar)
        DrawClassicBarItem(pMenu, pData, lpDIS, bHighlightBar);
    else
        DrawClassicPopupItem(pMenu, pData, lpDIS);
}

}  // namespace

void MeasureItemClassic(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar)
{
    MeasureItem(pMenu, lpMIS, bIsMenuBar, 4);
}

void MeasureItemFlat(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar)
{
    MeasureItem(pMenu, lpMIS, bIsMenuBar, 8);
}

void DrawItemClassic(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar)
{
    DrawClassicItem(pMenu, lpDIS, bIsMenuBar, FALSE);
}

void DrawItemHighlightBar(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar)
{
    DrawClassicItem(pMenu, lpDIS, bIsMenuBar, TRUE);
}

void DrawItemFlat(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar)
{
    CNewMenuItemData* pData = pMenu->FindItemData(lpDIS->itemData);
    if (!pData)
        return;
    CItemDC dc(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);

    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF menu = GetMenuColor();
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF back = MixColor86(window, menu);
    COLORREF strip = MixColor86(menu, window);
    const COLORREF select = MixColor70(window, highlight);
    // A display with few colours would show both tints as one.
    if (::GetNearestColor(lpDIS->hDC, back) == ::GetNearestColor(lpDIS->hDC, strip))
    {
        back = window;
        strip = menu;
    }
    COLORREF framePen = highlight;

    UINT state = lpDIS->itemState;
    if (bIsMenuBar && (state & ODS_SELECTED) && pMenu->m_dwOpenMenu == 0)
        state = (state & ~ODS_SELECTED) | ODS_HOTLIGHT;
    if (state & (ODS_HOTLIGHT | ODS_INACTIVE))
        state |= ODS_SELECTED;
    const BOOL bSelected = (state & ODS_SELECTED) && !(state & ODS_INACTIVE);

    CRect textRect = item;
    CRect stripRect;
    CRect selection = item;
    COLORREF selectionFill = select;
    if (bIsMenuBar)
    {
        back = menu;
        dc.FillSolidRect(&item, menu);
        if (bSelected)
        {
            RememberMenuBarItem(pMenu, lpDIS->hDC, item);
            if (!(state & ODS_HOTLIGHT))
            {
                framePen = DarkenColor(128, menu);
                selectionFill = strip;
                for (int i = 1; i <= 4; ++i)
                    for (int row = 0; row < item.Height(); ++row)
                    {
                        const COLORREF shade = row < 4   ? menu
                                               : row < 8 ? DarkenColor(i * 6 * (row - 3), menu)
                                                         : DarkenColor(i * 30, menu);
                        dc.SetPixelV(item.right - i, item.top + row, shade);
                    }
            }
            selection.right -= 4;
        }
    }
    else
    {
        stripRect = StripRect(pMenu, item);
        dc.FillSolidRect(&stripRect, strip);
        CRect rest = item;
        rest.left = stripRect.right;
        dc.FillSolidRect(&rest, back);
        textRect = TextRect(stripRect, item);
    }
    if (DrawSeparatorItem(pMenu, pData, lpDIS, dc, textRect.left, FALSE, bIsMenuBar))
        return;

    if (bSelected)
    {
        dc.FillSolidRect(&selection, selectionFill);
        FrameRectangle(dc, selection, framePen);
    }

    const BOOL bGrayText = (state & ODS_GRAYED) || (bIsMenuBar && (state & ODS_INACTIVE));
    const COLORREF textColor = ::GetSysColor(bGrayText ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
    DrawItemText(dc, pData, textRect, bIsMenuBar, (state & ODS_DEFAULT) != 0, textColor);
    if (bIsMenuBar)
        return;

    const BOOL bChecked = (state & ODS_CHECKED) != 0;
    CRect checkBox = stripRect;
    checkBox.DeflateRect(1, 1);
    if (bChecked)
    {
        dc.FillSolidRect(&checkBox, MixColor86(bSelected ? select : strip, highlight));
        FrameRectangle(dc, checkBox, framePen);
    }
    if (pData->HasImage())
    {
        CNewMenuIcons* pIcons = pData->m_pMenuIcon;
        const int nImage = pData->m_nMenuIconOffset;
        const CPoint pt = PicturePosition(pMenu, pData, stripRect, item);
        if (state & ODS_DISABLED)
        {
            DrawImage(dc, pIcons, nImage + 2, pt);
        }
        else if (bSelected && !bChecked)
        {
            DrawSilhouette(dc, pIcons, nImage, pt + CSize(1, 1), ShadowColor(select));
            DrawImage(dc, pIcons, nImage, pt - CSize(1, 1));
        }
        else if (bSelected)
        {
            DrawImage(dc, pIcons, nImage, pt);
        }
        else
        {
            DrawImage(dc, pIcons, nImage + 1, pt);
        }
    }
    else if (bChecked)
    {
        CRect glyph = stripRect;
        glyph.InflateRect(2, FloorHalf(pMenu->GetIconSize().cy - item.Height()) + 2);
        DrawGlyph(dc, glyph, CheckGlyph(pMenu->m_hMenu, pData), FALSE, textColor);
    }
    else if (const char glyph = SystemGlyph(pData->m_nID))
    {
        CRect glyphRect = stripRect;
        glyphRect.top = item.top + (item.Height() - pMenu->GetIconSize().cy) / 2;
        glyphRect.bottom = glyphRect.top + pMenu->GetIconSize().cy;
        const BOOL bBold = (state & ODS_DEFAULT) != 0;
        if (state & (ODS_DISABLED | ODS_GRAYED | ODS_INACTIVE))
        {
            DrawGlyph(dc, glyphRect, glyph, bBold, ::GetSysColor(COLOR_GRAYTEXT));
        }
        else if (bSelected)
        {
            CRect raised = glyphRect;
            raised.OffsetRect(1, 1);
            DrawGlyph(dc, raised, glyph, bBold, ::GetSysColor(COLOR_GRAYTEXT));
            raised.OffsetRect(-2, -2);
            DrawGlyph(dc, raised, glyph, bBold, ::GetSysColor(COLOR_MENUTEXT));
        }
        else
        {
            DrawGlyph(dc, glyphRect, glyph, bBold, ::GetSysColor(COLOR_MENUTEXT));
        }
    }
}

void DrawMenuTitle(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL)
{
    CNewMenuItemData* pData = pMenu->FindItemData(lpDIS->itemData);
    if (!pData)
        return;
    CItemDC dc(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    const BOOL bVertical = (pData->m_nTitleFlags & MFT_TITLE_VERTICAL) != 0;
    DrawGradient(&dc, item, GetMenuColor(), ::GetSysColor(COLOR_ACTIVECAPTION), !bVertical);
    dc.Draw3dRect(&item, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
    CFont font;
    CreateTitleFont(font, bVertical);
    HGDIOBJ hOld = dc.SelectObject(font.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT));
    if (bVertical)
    {
        TEXTMETRICA metrics = {};
        dc.GetTextMetrics(&metrics);
        dc.TextOut(item.left + (item.Width() - metrics.tmHeight) / 2, item.bottom - 4, pData->m_szMenuText);
    }
    else
    {
        CRect rect = item;
        dc.DrawText(pData->m_szMenuText, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(hOld);
}

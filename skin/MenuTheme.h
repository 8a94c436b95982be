#pragma once
#include "platform/afx/Dc.h"

class CNewMenu;

// The routines of a menu style; the flag is TRUE for an item of a menu bar.
typedef void (*PFN_MEASUREMENUITEM)(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar);
typedef void (*PFN_DRAWMENUITEM)(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);

// Classic: sunken and raised boxes in the system's 3-D colours (styles 0, 1).
void MeasureItemClassic(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar);
void DrawItemClassic(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);
// Flat and light, with a tinted picture strip and a framed selection (styles 2, 3).
void MeasureItemFlat(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bIsMenuBar);
void DrawItemFlat(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);
// Classic pop-ups under a menu bar lit in the highlight colour (styles 4, 5).
void DrawItemHighlightBar(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);
// A separator marked as a title, in every style.
void DrawMenuTitle(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);

// The part of a pop-up menu's border that meets the open menu-bar item it hangs from is painted in
// the menu colour, so that the item and its menu read as one shape.
void ClearMenuBarJoin(HWND hMenuWnd, CDC* pDC);

// One menu style: its three routines and how it frames the system's pop-up menu windows.
class CMenuTheme
{
public:
    CMenuTheme(int nStyle, int nVariant, PFN_MEASUREMENUITEM pfnMeasure, PFN_DRAWMENUITEM pfnDraw,
               PFN_DRAWMENUITEM pfnTitle);
    virtual ~CMenuTheme();

    // With own borders: takes the system's frame styles off a caught menu window.
    virtual BOOL OnSubclass(HWND hWnd);
    // Gives a released menu window its styles back and closes its menu's pop-up bookkeeping.
    virtual BOOL OnUnsubclass(HWND hWnd);
    virtual BOOL HasOwnBorders() const;
    virtual BOOL PaintNonClient(HWND hWnd, CDC* pDC);
    virtual BOOL EraseBackground(HWND hWnd, CDC* pDC);
    virtual BOOL OnNcCalcSize(HWND hWnd, LPRECT lpRect);
    virtual BOOL OnWindowPosChanging(HWND hWnd, LPWINDOWPOS lpPos);
    // The part of the window inside the own border and shadow, in screen coordinates.
    virtual BOOL GetVisibleRect(HWND hWnd, LPRECT lpRect);

    int m_nStyle;
    int m_nVariant;
    PFN_MEASUREMENUITEM m_pfnMeasureItem;
    PFN_DRAWMENUITEM m_pfnDrawItem;
    PFN_DRAWMENUITEM m_pfnDrawTitle;
    CSize m_BorderSize;
    CSize m_ShadowSize;

    // The frame the system gave a caught window (0 x 0 when it draws its border inside the
    // client area instead).
    static CSize GetSystemFrame(HWND hWnd);

protected:
    static BOOL SystemDrawsShadow();
};

// Styles 2 and 3: a softer frame in tints of the window and menu colours.
class CMenuThemeFlat : public CMenuTheme
{
public:
    CMenuThemeFlat(int nStyle, int nVariant, PFN_MEASUREMENUITEM pfnMeasure, PFN_DRAWMENUITEM pfnDraw,
                   PFN_DRAWMENUITEM pfnTitle);

    BOOL PaintNonClient(HWND hWnd, CDC* pDC) override;
    BOOL EraseBackground(HWND hWnd, CDC* pDC) override;
};

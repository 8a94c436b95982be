#pragma once
#include <functional>

#include "platform/afx/Array.h"
#include "platform/afx/ImageList.h"
#include "platform/afx/Menu.h"
#include "skin/MenuTheme.h"
#include "skin/NewMenuIcons.h"

// Title flags of a separator record.
#define MFT_TITLE_LINE 0x0001      // the separator is the menu's title
#define MFT_TITLE_VERTICAL 0x0002  // the title runs upwards along the menu's left edge
#define MFT_TITLE_THICK 0x0010     // 8 pixels more of title thickness

// The record behind one owner-drawn item; the item's data word is the record's address.
class CNewMenuItemData : public CObject
{
    DECLARE_DYNCREATE(CNewMenuItemData)
public:
    CNewMenuItemData();
    ~CNewMenuItemData() override;

    // The picture: one reference on the list is held; an earlier list is let go.
    void SetMenuIcon(CNewMenuIcons* pMenuIcon, int nImageIndex);
    BOOL IsSeparator() const { return (m_nFlags & MF_SEPARATOR) != 0; }
    BOOL IsPopup() const { return (m_nFlags & MF_POPUP) != 0; }
    BOOL IsTitle() const { return IsSeparator() && (m_nTitleFlags & MFT_TITLE_LINE) != 0; }
    BOOL HasImage() const { return m_pMenuIcon && m_nMenuIconOffset >= 0; }

    CString m_szMenuText;
    UINT m_nTitleFlags;
    UINT m_nFlags;
    UINT_PTR m_nID;
    UINT m_nSyncFlag;
    CNewMenuIcons* m_pMenuIcon;
    int m_nMenuIconOffset;
    UINT m_nUserValue;
};

// A menu whose every item is owner-drawn through the current menu style, with its own item records
// and pictures given to commands from toolbar resources. Loading a menu gives every sub-menu at
// every depth a CNewMenu of its own, deleted again with the menu.
class CNewMenu : public CMenu
{
    DECLARE_DYNCREATE(CNewMenu)
public:
    explicit CNewMenu(HMENU hParent = NULL);
    ~CNewMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    virtual BOOL LoadMenu(UINT nIDResource);
    virtual BOOL LoadMenu(LPCSTR lpszResourceName);
    virtual BOOL LoadMenu(HMENU hMenu);
    virtual BOOL DestroyMenu();
    virtual void DrawTitle(LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar);
    virtual BOOL EraseBkgnd(HWND hWnd, HDC hDC);
    // A pop-up of this menu opens or closes in hWnd (the window that owns the menu bar).
    virtual void OnInitMenuPopup(HWND hWnd);
    virtual void OnUnInitMenuPopup(HWND hWnd);

    // Pictures of the toolbars' buttons for the items of their commands, at every depth; FALSE when
    // a toolbar failed (the others are still given).
    BOOL LoadToolBars(const UINT* arID, int nCount, HINSTANCE hInst = NULL);
    BOOL LoadToolBar(UINT nToolBar, HINSTANCE hInst = NULL);

    // Items are always owner-drawn. nIconNormal of AppendMenu is not a picture; that of InsertMenu
    // and ModifyODMenu names a toolbar (the command's button) or else a bitmap resource; -1 none.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL, int nIconNormal = -1);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* pIcons, int nIconIndex);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* pBitmap);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL,
                    int nIconNormal = -1);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* pIcons,
                    int nIconIndex);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* pBitmap);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
    // Text and picture of the item of the command, found at any depth; appended when missing.
    BOOL ModifyODMenu(LPCSTR lpszText, UINT nID, int nIconNormal = -1);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);

    BOOL SetMenuText(UINT nID, LPCSTR lpszText, UINT nFlags = MF_BYPOSITION);
    BOOL GetMenuText(UINT nID, CString& rString, UINT nFlags = MF_BYPOSITION);
    BOOL SetItemUserValue(UINT nID, UINT nValue, UINT nFlags = MF_BYPOSITION);
    UINT GetItemUserValue(UINT nID, UINT nFlags = MF_BYPOSITION);
    // The position of the first item with that text (mnemonic ampersands included), or -1.
    int FindMenuItem(LPCSTR lpszText);
    // The sub-menu of the item with that text, when it has a menu object of this kind.
    CNewMenu* FindSubMenu(LPCSTR lpszText);
    BOOL SetMenuTitle(LPCSTR lpszTitle, UINT nTitleFlags = MFT_TITLE_LINE);
    BOOL RemoveMenuTitle();
    BOOL LoadCheckmarkBitmap(int nUnselectID, int nSelectID);
    void SetBitmapBackground(COLORREF color) { m_bitmapBackground = color; }
    COLORREF GetBitmapBackground() const { return m_bitmapBackground; }
    void SetIconSize(int width, int height);

    // The record of an item data word, when it is one of this menu's; NULL otherwise.
    CNewMenuItemData* FindItemData(ULONG_PTR itemData) const;
    // The holder of the command at any depth below this menu (with its position), or NULL.
    CNewMenu* FindMenuOption(UINT_PTR nID, int& nPos, ULONG_PTR itemData = 0);
    CNewMenu* GetParentMenu() const;
    BOOL IsMenuBar() const { return !m_hParentMenu && !m_bIsPopupMenu; }
    int GetRecordCount() const { return static_cast<int>(m_MenuItemList.GetSize()); }
    CNewMenuItemData* GetRecord(int nIndex) const { return m_MenuItemList[nIndex]; }
    CSize GetIconSize() const { return CSize(m_iconX, m_iconY); }

    static int GetMenuStyle();
    // Makes the style current and returns it; NULL (and no change) when there is no such style.
    static CMenuTheme* SetMenuStyle(int nStyle);
    // The mnemonic search of a window's WM_MENUCHAR: MAKELONG(position, MNC_EXECUTE), or 0.
    static LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    // For windows that route WM_MEASUREITEM here; TRUE when an owner-drawn menu item was measured.
    static BOOL OnMeasureItem(const MSG* pMsg);
    // The list of the toolbar (shared by every menu), loaded on first use; NULL when it fails.
    static CNewMenuIcons* GetMenuIcons(LPCSTR lpszResourceName, HMODULE hInst, COLORREF crMask = CLR_DEFAULT);
    // Reloads every picture list after a change of the system colours, at most once in 2000 ms.
    static void RefreshMenuIcons();
    static void RefreshMenuIcons(DWORD dwNow);
    // A timer of the window with the first free id from 31 to 99; 0 when none was set.
    static UINT_PTR SetFreeTimer(HWND hWnd, UINT nElapse);
    // Asks the window to paint one owner-drawn menu-bar item, which becomes the hot item.
    static BOOL DrawMenuBarItem(HWND hWnd, HMENU hMenu, UINT nPos, UINT nState);
    // The data word of the menu-bar item drawn hot, 0 when none.
    static ULONG_PTR m_dwLastActiveItem;

    CArray<CNewMenuItemData*, CNewMenuItemData*> m_MenuItemList;
    CArray<HMENU, HMENU> m_SubMenus;
    int m_iconX;
    int m_iconY;
    COLORREF m_bitmapBackground;
    CImageList* m_pCheckMenuBitmap;
    BOOL m_bCheckBitmapShared;
    int m_nCheckUnselectID;
    int m_nCheckSelectID;
    HMENU m_hParentMenu;
    BOOL m_bIsPopupMenu;
    CRect m_LastActiveMenuRect;
    int m_dwOpenMenu;
    int m_dwUserValue;

protected:
    // Matches the system items to the records again (after loading, when a pop-up opens).
    void SynchronizeMenu();
    CNewMenuItemData* NewItemData(UINT nFlags, UINT_PTR nID, LPCSTR lpszText);
    void UpdateIconSize(CNewMenuIcons* pIcons);
    BOOL InsertItem(int nPosition, UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CNewMenuIcons* pIcons, int nImage);
    // The first bitmap list that takes the picture (a new one when none does), and the picture's index.
    CNewMenuBitmaps* AddPicture(int& nImage, const std::function<int(CNewMenuBitmaps*)>& add);
    CNewMenu* InsertionPlace(UINT& nPosition, UINT nFlags);
    CNewMenuItemData* LocateItem(UINT nID, UINT nFlags, CNewMenu*& pHolder, int& nPos, MENUITEMINFOA& info);
    BOOL TakeItemOut(UINT nPosition, UINT nFlags, BOOL bDelete);
    BOOL PictureFromResource(UINT_PTR nID, int nResource, CNewMenuIcons*& pIcons, int& nImage);
    int FindRecord(UINT_PTR nID) const;
    void RemoveRecord(int nIndex);
    void GiveToolBarPictures(CNewMenuIcons* pIcons);
};

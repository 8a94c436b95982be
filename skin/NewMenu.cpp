#include "skin/NewMenu.h"

#include <functional>

#include "platform/afx/HandleMap.h"
#include "skin/MenuColors.h"
#include "skin/MenuThemes.h"

IMPLEMENT_DYNCREATE(CNewMenuItemData, CObject)
IMPLEMENT_DYNCREATE(CNewMenu, CMenu)

ULONG_PTR CNewMenu::m_dwLastActiveItem = 0;

namespace {

// The system-menu commands that Windows XP draws itself unless their ids are moved while the
// menu is open.
const UINT kXpSystemCommands[] = { 61728, 61536, 61472 };

CNewMenu* NewMenuOf(HMENU hMenu)
{
    return DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(hMenu));
}

// A sub-menu's item is known by the sub-menu's handle, a separator by 0.
UINT_PTR ItemCommand(const MENUITEMINFOA& info)
{
    if (info.hSubMenu)
        return reinterpret_cast<UINT_PTR>(info.hSubMenu);
    return (info.fType & MFT_SEPARATOR) ? 0 : info.wID;
}

BOOL ReadItem(HMENU hMenu, int nPos, MENUITEMINFOA& info)
{
    info = MENUITEMINFOA();
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    return ::GetMenuItemInfoA(hMenu, nPos, TRUE, &info);
}

// The item's type and state as MF_ flags, owner-drawn.
UINT RecordFlags(const MENUITEMINFOA& info)
{
    return (info.fType & ~MFT_OWNERDRAW) | info.fState | MF_OWNERDRAW | (info.hSubMenu ? MF_POPUP : 0);
}

void CarryRecord(HMENU hMenu, int nPos, UINT fType, CNewMenuItemData* pData)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = fType | MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(pData);
    ::SetMenuItemInfoA(hMenu, nPos, TRUE, &info);
}

// Separators (command 0) become owner-drawn separators; everything else is owner-drawn.
UINT OwnerDrawFlags(UINT nFlags, UINT_PTR nID)
{
    if (nID == 0 && !(nFlags & MF_POPUP))
        return MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    return (nFlags & ~MF_BITMAP) | MF_OWNERDRAW;
}

CString LowerCase(const CString& text)
{
    CString lower(text);
    lower.MakeLower();
    return lower;
}

// A window's menu-bar item rectangle, widened for the item's shadow, in window coordinates.
void RedrawMenuBarItem(HWND hWnd, const CRect& screenRect)
{
    CRect window;
    if (!hWnd || !::GetWindowRect(hWnd, &window))
        return;
    CRect rect = screenRect;
    rect.right += 10;
    rect.bottom += 10;
    rect.OffsetRect(-window.left, -window.top);
    ::RedrawWindow(hWnd, &rect, NULL, RDW_INVALIDATE | RDW_FRAME);
}

CNewMenu* FindHolderIn(HMENU hMenu, UINT_PTR nID, ULONG_PTR itemData)
{
    CNewMenu* pMenu = NewMenuOf(hMenu);
    int nPos = -1;
    return pMenu ? pMenu->FindMenuOption(nID, nPos, itemData) : nullptr;
}

}  // namespace

CNewMenuItemData::CNewMenuItemData()
    : m_nTitleFlags(0), m_nFlags(0), m_nID(0), m_nSyncFlag(0), m_pMenuIcon(NULL), m_nMenuIconOffset(-1), m_nUserValue(0)
{
}

CNewMenuItemData::~CNewMenuItemData()
{
    SetMenuIcon(NULL, -1);
}

void CNewMenuItemData::SetMenuIcon(CNewMenuIcons* pMenuIcon, int nImageIndex)
{
    if (pMenuIcon)
        pMenuIcon->AddRef();
    if (m_pMenuIcon)
        m_pMenuIcon->Release();
    m_pMenuIcon = pMenuIcon;
    m_nMenuIconOffset = pMenuIcon ? nImageIndex : -1;
}

CNewMenu::CNewMenu(HMENU hParent)
    : m_iconX(16),
      m_iconY(15),
      m_bitmapBackground(CLR_DEFAULT),
      m_pCheckMenuBitmap(NULL),
      m_bCheckBitmapShared(FALSE),
      m_nCheckUnselectID(-1),
      m_nCheckSelectID(-1),
      m_hParentMenu(hParent),
      m_bIsPopupMenu(TRUE),
      m_dwOpenMenu(0),
      m_dwUserValue(0)
{
}

CNewMenu::~CNewMenu()
{
    DestroyMenu();
}

BOOL CNewMenu::DestroyMenu()
{
    for (INT_PTR i = m_SubMenus.GetSize() - 1; i >= 0; --i)
        delete NewMenuOf(m_SubMenus[i]);
    m_SubMenus.RemoveAll();
    for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        delete m_MenuItemList[i];
    m_MenuItemList.RemoveAll();
    if (m_pCheckMenuBitmap && !m_bCheckBitmapShared)
        delete m_pCheckMenuBitmap;
    m_pCheckMenuBitmap = NULL;
    return CMenu::DestroyMenu();
}

CNewMenu* CNewMenu::GetParentMenu() const
{
    return NewMenuOf(m_hParentMenu);
}

CNewMenuItemData* CNewMenu::FindItemData(ULONG_PTR itemData) const
{
    for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        if (reinterpret_cast<ULONG_PTR>(m_MenuItemList[i]) == itemData)
            return m_MenuItemList[i];
    return NULL;
}

BOOL CNewMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CNewMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName);
    if (!hMenu)
        return FALSE;
    if (!LoadMenu(hMenu))
    {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CNewMenu::LoadMenu(HMENU hMenu)
{
    if (!::IsMenu(hMenu) || !Attach(hMenu))
        return FALSE;
    m_bIsPopupMenu = FALSE;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i)
    {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (!hSub)
            continue;
        CNewMenu* pSub = new CNewMenu(m_hMenu);
        if (!pSub->LoadMenu(hSub))
        {
            delete pSub;
            continue;
        }
        m_SubMenus.Add(hSub);
        pSub->m_bIsPopupMenu = TRUE;
    }
    SynchronizeMenu();
    return TRUE;
}

void CNewMenu::SynchronizeMenu()
{
    for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        m_MenuItemList[i]->m_nSyncFlag = 0;
    CArray<CNewMenuItemData*, CNewMenuItemData*> ordered;
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < count; ++pos)
    {
        MENUITEMINFOA info;
        if (!ReadItem(m_hMenu, pos, info))
            continue;
        const UINT_PTR nID = ItemCommand(info);
        const BOOL bSeparator = !info.hSubMenu && (info.fType & MFT_SEPARATOR);
        CNewMenuItemData* pData = NULL;
        for (INT_PTR i = 0; i < m_MenuItemList.GetSize() && !pData; ++i)
        {
            CNewMenuItemData* pCandidate = m_MenuItemList[i];
            if (pCandidate->m_nSyncFlag || pCandidate->m_nID != nID)
                continue;
            if (info.hSubMenu ? pCandidate->IsPopup()
                : bSeparator  ? pCandidate->IsSeparator()
                              : !pCandidate->IsPopup() && !pCandidate->IsSeparator())
                pData = pCandidate;
        }
        if (!pData)
        {
            pData = new CNewMenuItemData;
            pData->m_nID = nID;
            m_MenuItemList.Add(pData);
        }
        pData->m_nSyncFlag = 1;
        CString text;
        if (::GetMenuStringA(m_hMenu, pos, NULL, 0, MF_BYPOSITION) > 0)
            GetMenuString(pos, text, MF_BYPOSITION);
        if (!text.IsEmpty())
            pData->m_szMenuText = text;
        pData->m_nFlags = RecordFlags(info);
        CarryRecord(m_hMenu, pos, info.fType, pData);
        ordered.Add(pData);
        if (info.hSubMenu)
        {
            CNewMenu* pSub = NewMenuOf(info.hSubMenu);
            if (pSub && pSub->m_hParentMenu != m_hMenu)
                pSub->m_hParentMenu = m_hMenu;
        }
    }
    for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        if (!m_MenuItemList[i]->m_nSyncFlag)
            delete m_MenuItemList[i];
    m_MenuItemList.Copy(ordered);
}

void CNewMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    CMenuTheme* pTheme = CMenuThemes::GetCurrentTheme();
    if (!pTheme || lpMIS->CtlType != ODT_MENU)
        return;
    // A pop-up item is measured for the menu that holds it, which reaches a sub-menu's own object
    // when the item is found by the sub-menu's handle.
    CNewMenu* pHolder = this;
    const BOOL bOpensMenu = ::IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID)));
    if (bOpensMenu && reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID)) == m_hMenu && GetParentMenu())
        pHolder = GetParentMenu();
    const BOOL bIsMenuBar = bOpensMenu && !pHolder->m_bIsPopupMenu;
    pTheme->m_pfnMeasureItem(pHolder, lpMIS, bIsMenuBar);
}

void CNewMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CMenuTheme* pTheme = CMenuThemes::GetCurrentTheme();
    if (!pTheme || lpDIS->CtlType != ODT_MENU)
        return;
    const BOOL bIsMenuBar = IsMenuBar();
    if (bIsMenuBar && m_dwLastActiveItem == lpDIS->itemData && !(lpDIS->itemState & ODS_HOTLIGHT))
        m_dwLastActiveItem = 0;
    pTheme->m_pfnDrawItem(this, lpDIS, bIsMenuBar);
}

void CNewMenu::DrawTitle(LPDRAWITEMSTRUCT lpDIS, BOOL bIsMenuBar)
{
    if (CMenuTheme* pTheme = CMenuThemes::GetCurrentTheme())
        pTheme->m_pfnDrawTitle(this, lpDIS, bIsMenuBar);
}

BOOL CNewMenu::EraseBkgnd(HWND hWnd, HDC hDC)
{
    CRect client;
    if (!::GetClientRect(hWnd, &client))
        return FALSE;
    CDC dc;
    dc.Attach(hDC);
    dc.FillSolidRect(&client, GetMenuColor());
    dc.Detach();
    return TRUE;
}

void CNewMenu::OnInitMenuPopup(HWND hWnd)
{
    m_bIsPopupMenu = TRUE;
    SynchronizeMenu();
    CMenuThemes::AnnounceMenu(m_hMenu);
    if (CMenuThemes::GetOsCode() == 7)
    {
        for (UINT nCommand : kXpSystemCommands)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID;
            info.wID = nCommand + 1;
            ::SetMenuItemInfoA(m_hMenu, nCommand, FALSE, &info);
        }
    }
    if (CNewMenu* pParent = GetParentMenu())
    {
        if (++pParent->m_dwOpenMenu == 1 && pParent->IsMenuBar())
            RedrawMenuBarItem(hWnd, pParent->m_LastActiveMenuRect);
    }
}

void CNewMenu::OnUnInitMenuPopup(HWND hWnd)
{
    if (CMenuThemes::GetOsCode() == 7)
    {
        for (UINT nCommand : kXpSystemCommands)
        {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID;
            info.wID = nCommand;
            ::SetMenuItemInfoA(m_hMenu, nCommand + 1, FALSE, &info);
        }
    }
    if (CNewMenu* pParent = GetParentMenu())
    {
        if (pParent->m_dwOpenMenu > 0)
            --pParent->m_dwOpenMenu;
        if (pParent->IsMenuBar())
            RedrawMenuBarItem(hWnd, pParent->m_LastActiveMenuRect);
    }
}

void CNewMenu::UpdateIconSize(CNewMenuIcons* pIcons)
{
    const CSize size = pIcons ? pIcons->GetIconSize() : CSize(0, 0);
    m_iconX = std::max<int>(m_iconX, size.cx);
    m_iconY = std::max<int>(m_iconY, size.cy);
}

CNewMenuIcons* CNewMenu::GetMenuIcons(LPCSTR lpszResourceName, HMODULE hInst, COLORREF crMask)
{
    CPtrList* pLists = GetMenuIconLists(TRUE);
    for (POSITION pos = pLists->GetHeadPosition(); pos;)
    {
        CNewMenuIcons* pIcons = static_cast<CNewMenuIcons*>(pLists->GetNext(pos));
        if (pIcons->MatchesResource(lpszResourceName, hInst))
            return pIcons;
    }
    CNewMenuIcons* pIcons = new CNewMenuIcons;
    pIcons->m_crMask = crMask;
    if (!pIcons->LoadToolBar(lpszResourceName, hInst))
    {
        delete pIcons;
        return NULL;
    }
    pLists->AddTail(pIcons);
    return pIcons;
}

BOOL CNewMenu::LoadToolBar(UINT nToolBar, HINSTANCE hInst)
{
    CNewMenuIcons* pIcons = GetMenuIcons(MAKEINTRESOURCEA(nToolBar), hInst, m_bitmapBackground);
    if (!pIcons)
        return FALSE;
    GiveToolBarPictures(pIcons);
    return TRUE;
}

BOOL CNewMenu::LoadToolBars(const UINT* arID, int nCount, HINSTANCE hInst)
{
    BOOL bResult = TRUE;
    for (int i = 0; i < nCount; ++i)
        if (!LoadToolBar(arID[i], hInst))
            bResult = FALSE;
    return bResult;
}

void CNewMenu::GiveToolBarPictures(CNewMenuIcons* pIcons)
{
    for (INT_PTR k = pIcons->m_IDs.GetSize() - 1; k >= 0; --k)
    {
        for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        {
            CNewMenuItemData* pData = m_MenuItemList[i];
            if (!pData->IsPopup() && !pData->IsSeparator() && pData->m_nID == pIcons->m_IDs[k])
            {
                pData->SetMenuIcon(pIcons, static_cast<int>(k) * 3);
                UpdateIconSize(pIcons);
            }
        }
    }
    for (INT_PTR i = 0; i < m_SubMenus.GetSize(); ++i)
        if (CNewMenu* pSub = NewMenuOf(m_SubMenus[i]))
            pSub->GiveToolBarPictures(pIcons);
}

CNewMenuBitmaps* CNewMenu::AddPicture(int& nImage, const std::function<int(CNewMenuBitmaps*)>& add)
{
    nImage = -1;
    CPtrList* pLists = GetMenuIconLists(TRUE);
    for (POSITION pos = pLists->GetHeadPosition(); pos;)
    {
        CNewMenuBitmaps* pBitmaps = DYNAMIC_DOWNCAST(CNewMenuBitmaps, static_cast<CObject*>(pLists->GetNext(pos)));
        if (pBitmaps && (nImage = add(pBitmaps)) >= 0)
            return pBitmaps;
    }
    CNewMenuBitmaps* pBitmaps = new CNewMenuBitmaps;
    pBitmaps->m_crMask = m_bitmapBackground;
    if ((nImage = add(pBitmaps)) < 0)
    {
        delete pBitmaps;
        return NULL;
    }
    pLists->AddTail(pBitmaps);
    return pBitmaps;
}

BOOL CNewMenu::PictureFromResource(UINT_PTR nID, int nResource, CNewMenuIcons*& pIcons, int& nImage)
{
    pIcons = NULL;
    nImage = -1;
    if (nResource == -1)
        return FALSE;
    if (CNewMenuIcons* pToolBar = GetMenuIcons(MAKEINTRESOURCEA(nResource), NULL, m_bitmapBackground))
    {
        if ((nImage = pToolBar->FindImageIndex(static_cast<UINT>(nID))) >= 0)
        {
            pIcons = pToolBar;
            return TRUE;
        }
    }
    pIcons = AddPicture(nImage, [&](CNewMenuBitmaps* pList) {
        return pList->AddBitmapResource(static_cast<UINT>(nResource), m_bitmapBackground);
    });
    return pIcons != NULL;
}

BOOL CNewMenu::InsertItem(int nPosition, UINT nFlags, UINT_PTR nID, LPCSTR lpszText, CNewMenuIcons* pIcons, int nImage)
{
    nFlags = OwnerDrawFlags(nFlags, nID);
    if (nFlags & MF_POPUP)
    {
        if (CNewMenu* pSub = NewMenuOf(reinterpret_cast<HMENU>(nID)))
            pSub->m_hParentMenu = m_hMenu;
    }
    CNewMenuItemData* pData = new CNewMenuItemData;
    pData->m_szMenuText = lpszText ? lpszText : "";
    pData->m_nFlags = nFlags & ~MF_BYPOSITION;
    pData->m_nID = nID;
    if (pIcons && nImage >= 0)
    {
        pData->SetMenuIcon(pIcons, nImage);
        UpdateIconSize(pIcons);
    }
    const BOOL bAppend = nPosition < 0 || nPosition >= ::GetMenuItemCount(m_hMenu);
    const BOOL bDone =
        bAppend ? ::AppendMenuA(m_hMenu, nFlags & ~MF_BYPOSITION, nID, reinterpret_cast<LPCSTR>(pData))
                : ::InsertMenuA(m_hMenu, nPosition, nFlags | MF_BYPOSITION, nID, reinterpret_cast<LPCSTR>(pData));
    if (!bDone)
    {
        delete pData;
        return FALSE;
    }
    if (bAppend || nPosition >= m_MenuItemList.GetSize())
        m_MenuItemList.Add(pData);
    else
        m_MenuItemList.InsertAt(nPosition, pData);
    return TRUE;
}

CNewMenu* CNewMenu::InsertionPlace(UINT& nPosition, UINT nFlags)
{
    if (nFlags & MF_BYPOSITION)
        return this;
    int nPos = -1;
    CNewMenu* pHolder = FindMenuOption(nPosition, nPos);
    nPosition = static_cast<UINT>(nPos);
    return pHolder;
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, int)
{
    return InsertItem(-1, nFlags, nIDNewItem, lpszNewItem, NULL, -1);
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* pIcons, int nIconIndex)
{
    return InsertMenu(static_cast<UINT>(-1), nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem, pIcons, nIconIndex);
}

BOOL CNewMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* pBitmap)
{
    return InsertMenu(static_cast<UINT>(-1), nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem, pBitmap);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, int nIconNormal)
{
    CNewMenu* pMenu = InsertionPlace(nPosition, nFlags);
    if (!pMenu)
        return FALSE;
    CNewMenuIcons* pIcons = NULL;
    int nImage = -1;
    pMenu->PictureFromResource(nIDNewItem, nIconNormal, pIcons, nImage);
    return pMenu->InsertItem(static_cast<int>(nPosition), nFlags, nIDNewItem, lpszNewItem, pIcons, nImage);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* pIcons,
                          int nIconIndex)
{
    CNewMenu* pMenu = InsertionPlace(nPosition, nFlags);
    if (!pMenu)
        return FALSE;
    HICON hIcon = pIcons ? pIcons->ExtractIcon(nIconIndex) : NULL;
    int nImage = -1;
    CNewMenuBitmaps* pBitmaps = pMenu->AddPicture(
        nImage, [&](CNewMenuBitmaps* pList) { return pList->AddIcon(hIcon, static_cast<UINT>(nIDNewItem)); });
    if (hIcon)
        ::DestroyIcon(hIcon);
    return pMenu->InsertItem(static_cast<int>(nPosition), nFlags, nIDNewItem, lpszNewItem, pBitmaps, nImage);
}

BOOL CNewMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* pBitmap)
{
    CNewMenu* pMenu = InsertionPlace(nPosition, nFlags);
    if (!pMenu)
        return FALSE;
    int nImage = -1;
    CNewMenuBitmaps* pBitmaps = NULL;
    if (pBitmap && pBitmap->GetSafeHandle())
        pBitmaps = pMenu->AddPicture(
            nImage, [&](CNewMenuBitmaps* pList) { return pList->AddBitmap(pBitmap, pMenu->m_bitmapBackground); });
    return pMenu->InsertItem(static_cast<int>(nPosition), nFlags, nIDNewItem, lpszNewItem, pBitmaps, nImage);
}

BOOL CNewMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (!(nFlags & MF_BYPOSITION))
    {
        int nPos = -1;
        CNewMenu* pHolder = FindMenuOption(nPosition, nPos);
        return pHolder && pHolder->ModifyMenu(nPos, nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem);
    }
    MENUITEMINFOA info;
    if (!ReadItem(m_hMenu, static_cast<int>(nPosition), info))
        return FALSE;
    nFlags = OwnerDrawFlags(nFlags, nIDNewItem);
    CNewMenuItemData* pData = FindItemData(info.dwItemData);
    if (!pData)
    {
        pData = new CNewMenuItemData;
        m_MenuItemList.Add(pData);
    }
    pData->m_szMenuText = lpszNewItem ? lpszNewItem : "";
    pData->m_nFlags = nFlags & ~MF_BYPOSITION;
    pData->m_nID = nIDNewItem;
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags | MF_BYPOSITION, nIDNewItem, reinterpret_cast<LPCSTR>(pData));
}

BOOL CNewMenu::ModifyODMenu(LPCSTR lpszText, UINT nID, int nIconNormal)
{
    CNewMenu* pHolder = NULL;
    int nPos = -1;
    MENUITEMINFOA info;
    CNewMenuItemData* pData = LocateItem(nID, MF_BYCOMMAND, pHolder, nPos, info);
    if (!pHolder)
        return InsertMenu(static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, nID, lpszText, nIconNormal);
    if (!pData)
        return FALSE;
    if (lpszText)
        pData->m_szMenuText = lpszText;
    CNewMenuIcons* pIcons = NULL;
    int nImage = -1;
    pHolder->PictureFromResource(nID, nIconNormal, pIcons, nImage);
    pData->SetMenuIcon(pIcons, nImage);
    pHolder->UpdateIconSize(pIcons);
    // Modifying the item makes the system measure it again.
    return ::ModifyMenuA(pHolder->m_hMenu, nPos, MF_BYPOSITION | RecordFlags(info), nID,
                         reinterpret_cast<LPCSTR>(pData));
}

int CNewMenu::FindRecord(UINT_PTR itemData) const
{
    for (INT_PTR i = 0; i < m_MenuItemList.GetSize(); ++i)
        if (reinterpret_cast<UINT_PTR>(m_MenuItemList[i]) == itemData)
            return static_cast<int>(i);
    return -1;
}

void CNewMenu::RemoveRecord(int nIndex)
{
    if (nIndex < 0)
        return;
    delete m_MenuItemList[nIndex];
    m_MenuItemList.RemoveAt(nIndex);
}

BOOL CNewMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return TakeItemOut(nPosition, nFlags, FALSE);
}

BOOL CNewMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return TakeItemOut(nPosition, nFlags, TRUE);
}

BOOL CNewMenu::TakeItemOut(UINT nPosition, UINT nFlags, BOOL bDelete)
{
    if (!(nFlags & MF_BYPOSITION))
    {
        int nPos = -1;
        CNewMenu* pHolder = FindMenuOption(nPosition, nPos);
        return pHolder && pHolder->TakeItemOut(nPos, MF_BYPOSITION, bDelete);
    }
    MENUITEMINFOA info;
    if (!ReadItem(m_hMenu, static_cast<int>(nPosition), info))
        return FALSE;
    // A sub-menu with an object of its own goes with that object.
    CNewMenu* pSub = bDelete && info.hSubMenu ? NewMenuOf(info.hSubMenu) : nullptr;
    const BOOL bTaken = (bDelete && !pSub) ? ::DeleteMenu(m_hMenu, nPosition, MF_BYPOSITION)
                                           : ::RemoveMenu(m_hMenu, nPosition, MF_BYPOSITION);
    if (!bTaken)
        return FALSE;
    if (pSub)
    {
        for (INT_PTR i = 0; i < m_SubMenus.GetSize(); ++i)
            if (m_SubMenus[i] == info.hSubMenu)
            {
                m_SubMenus.RemoveAt(i);
                break;
            }
        delete pSub;
    }
    RemoveRecord(FindRecord(info.dwItemData));
    return TRUE;
}

CNewMenu* CNewMenu::FindMenuOption(UINT_PTR nID, int& nPos, ULONG_PTR itemData)
{
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info;
        if (!ReadItem(m_hMenu, i, info))
            continue;
        if (ItemCommand(info) == nID && !(info.fType & MFT_SEPARATOR) && (!itemData || info.dwItemData == itemData))
        {
            nPos = i;
            return this;
        }
        if (info.hSubMenu)
            if (CNewMenu* pSub = NewMenuOf(info.hSubMenu))
                if (CNewMenu* pFound = pSub->FindMenuOption(nID, nPos, itemData))
                    return pFound;
    }
    nPos = -1;
    return NULL;
}

CNewMenuItemData* CNewMenu::LocateItem(UINT nID, UINT nFlags, CNewMenu*& pHolder, int& nPos, MENUITEMINFOA& info)
{
    nPos = static_cast<int>(nID);
    pHolder = (nFlags & MF_BYPOSITION) ? this : FindMenuOption(nID, nPos);
    return pHolder && ReadItem(pHolder->m_hMenu, nPos, info) ? pHolder->FindItemData(info.dwItemData) : NULL;
}

BOOL CNewMenu::SetMenuText(UINT nID, LPCSTR lpszText, UINT nFlags)
{
    CNewMenu* pHolder = NULL;
    int nPos = -1;
    MENUITEMINFOA info;
    CNewMenuItemData* pData = LocateItem(nID, nFlags, pHolder, nPos, info);
    if (!pData)
        return FALSE;
    pData->m_szMenuText = lpszText ? lpszText : "";
    return ::ModifyMenuA(pHolder->m_hMenu, nPos, MF_BYPOSITION | RecordFlags(info), ItemCommand(info),
                         reinterpret_cast<LPCSTR>(pData));
}

BOOL CNewMenu::GetMenuText(UINT nID, CString& rString, UINT nFlags)
{
    CNewMenu* pHolder = NULL;
    int nPos = -1;
    MENUITEMINFOA info;
    const CNewMenuItemData* pData = LocateItem(nID, nFlags, pHolder, nPos, info);
    if (pData)
        rString = pData->m_szMenuText;
    return pData != NULL;
}

BOOL CNewMenu::SetItemUserValue(UINT nID, UINT nValue, UINT nFlags)
{
    CNewMenu* pHolder = NULL;
    int nPos = -1;
    MENUITEMINFOA info;
    CNewMenuItemData* pData = LocateItem(nID, nFlags, pHolder, nPos, info);
    if (pData)
        pData->m_nUserValue = nValue;
    return pData != NULL;
}

UINT CNewMenu::GetItemUserValue(UINT nID, UINT nFlags)
{
    CNewMenu* pHolder = NULL;
    int nPos = -1;
    MENUITEMINFOA info;
    const CNewMenuItemData* pData = LocateItem(nID, nFlags, pHolder, nPos, info);
    return pData ? pData->m_nUserValue : 0;
}

int CNewMenu::FindMenuItem(LPCSTR lpszText)
{
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count && lpszText; ++i)
    {
        MENUITEMINFOA info;
        if (!ReadItem(m_hMenu, i, info))
            continue;
        const CNewMenuItemData* pData = FindItemData(info.dwItemData);
        if (pData && pData->m_szMenuText == lpszText)
            return i;
    }
    return -1;
}

CNewMenu* CNewMenu::FindSubMenu(LPCSTR lpszText)
{
    const int nPos = FindMenuItem(lpszText);
    return nPos < 0 ? NULL : NewMenuOf(::GetSubMenu(m_hMenu, nPos));
}

BOOL CNewMenu::SetMenuTitle(LPCSTR lpszTitle, UINT nTitleFlags)
{
    MENUITEMINFOA info;
    CNewMenuItemData* pData = ReadItem(m_hMenu, 0, info) ? FindItemData(info.dwItemData) : NULL;
    if (!pData || !pData->IsTitle())
    {
        if (!InsertItem(0, MF_BYPOSITION | MF_SEPARATOR, 0, lpszTitle, NULL, -1))
            return FALSE;
        ReadItem(m_hMenu, 0, info);
        pData = FindItemData(info.dwItemData);
    }
    pData->m_szMenuText = lpszTitle ? lpszTitle : "";
    pData->m_nTitleFlags = nTitleFlags | MFT_TITLE_LINE;
    return ::ModifyMenuA(m_hMenu, 0, MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, reinterpret_cast<LPCSTR>(pData));
}

BOOL CNewMenu::RemoveMenuTitle()
{
    MENUITEMINFOA info;
    CNewMenuItemData* pData = ReadItem(m_hMenu, 0, info) ? FindItemData(info.dwItemData) : NULL;
    return pData && pData->IsTitle() && RemoveMenu(0, MF_BYPOSITION);
}

BOOL CNewMenu::LoadCheckmarkBitmap(int nUnselectID, int nSelectID)
{
    CBitmap unselected;
    CBitmap selected;
    if (!unselected.LoadBitmap(nUnselectID) || !selected.LoadBitmap(nSelectID))
        return FALSE;
    if (m_pCheckMenuBitmap && !m_bCheckBitmapShared)
        delete m_pCheckMenuBitmap;
    m_pCheckMenuBitmap = new CImageList;
    m_bCheckBitmapShared = FALSE;
    m_pCheckMenuBitmap->Create(m_iconX, m_iconY, ILC_MASK | ILC_COLORDDB, 2, 0);
    m_pCheckMenuBitmap->Add(&unselected, MixColor86(GetMenuColor(), ::GetSysColor(COLOR_WINDOW)));
    m_pCheckMenuBitmap->Add(&selected, MixColor86(GetMenuColor(), ::GetSysColor(COLOR_WINDOW)));
    m_nCheckUnselectID = nUnselectID;
    m_nCheckSelectID = nSelectID;
    return TRUE;
}

void CNewMenu::SetIconSize(int width, int height)
{
    m_iconX = width;
    m_iconY = height;
}

LRESULT CNewMenu::OnMenuChar(UINT nChar, UINT, CMenu* pMenu)
{
    CNewMenu* pNewMenu = DYNAMIC_DOWNCAST(CNewMenu, pMenu);
    if (!pNewMenu)
        return 0;
    const int count = ::GetMenuItemCount(pNewMenu->m_hMenu);
    if (count != pNewMenu->GetRecordCount())
        pNewMenu->SynchronizeMenu();
    char key[2] = { static_cast<char>(nChar), 0 };
    const CString search = LowerCase(CString("&") + key);
    for (int i = 0; i < count; ++i)
    {
        MENUITEMINFOA info;
        if (!ReadItem(pNewMenu->m_hMenu, i, info))
            continue;
        const CNewMenuItemData* pData = pNewMenu->FindItemData(info.dwItemData);
        if (pData && LowerCase(pData->m_szMenuText).Find(search) >= 0)
            return MAKELONG(i, MNC_EXECUTE);
    }
    return 0;
}

BOOL CNewMenu::OnMeasureItem(const MSG* pMsg)
{
    LPMEASUREITEMSTRUCT lpMIS = reinterpret_cast<LPMEASUREITEMSTRUCT>(pMsg->lParam);
    if (!lpMIS || lpMIS->CtlType != ODT_MENU)
        return FALSE;
    HMENU hItemMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID));
    CNewMenu* pMenu = NULL;
    if (::IsMenu(hItemMenu))
    {
        pMenu = NewMenuOf(hItemMenu);
    }
    else
    {
        const AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_hTrackingWindow == pMsg->hwnd)
            pMenu = FindHolderIn(pState->m_hTrackingMenu, lpMIS->itemID, lpMIS->itemData);
        if (!pMenu)
            pMenu = FindHolderIn(::GetMenu(pMsg->hwnd), lpMIS->itemID, lpMIS->itemData);
        if (!pMenu)
            pMenu = FindHolderIn(::GetSystemMenu(pMsg->hwnd, FALSE), lpMIS->itemID, lpMIS->itemData);
    }
    if (!pMenu)
        return FALSE;
    pMenu->MeasureItem(lpMIS);
    return TRUE;
}

void CNewMenu::RefreshMenuIcons()
{
    RefreshMenuIcons(::GetTickCount());
}

void CNewMenu::RefreshMenuIcons(DWORD dwNow)
{
    static BOOL s_bRefreshed = FALSE;
    static DWORD s_dwLast = 0;
    if (s_bRefreshed && dwNow - s_dwLast < 2001)
        return;
    s_bRefreshed = TRUE;
    s_dwLast = dwNow;
    if (CPtrList* pLists = GetMenuIconLists(FALSE))
        for (POSITION pos = pLists->GetHeadPosition(); pos;)
            static_cast<CNewMenuIcons*>(pLists->GetNext(pos))->Reload();
}

UINT_PTR CNewMenu::SetFreeTimer(HWND hWnd, UINT nElapse)
{
    if (!::IsWindow(hWnd))
        return 0;
    for (UINT_PTR nID = 31; nID <= 99; ++nID)
        if (::SetTimer(hWnd, nID, nElapse, NULL))
            return nID;
    return 0;
}

BOOL CNewMenu::DrawMenuBarItem(HWND hWnd, HMENU hMenu, UINT nPos, UINT nState)
{
    MENUITEMINFOA info;
    if (!ReadItem(hMenu, static_cast<int>(nPos), info) || !(info.fType & MFT_OWNERDRAW))
        return FALSE;
    CRect item;
    CRect window;
    if (!::GetMenuItemRect(hWnd, hMenu, nPos, &item) || !::GetWindowRect(hWnd, &window))
        return FALSE;
    item.OffsetRect(-window.left, -window.top);
    HDC hDC = ::GetWindowDC(hWnd);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT hFont = ::CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = static_cast<UINT>(ItemCommand(info));
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = nState;
    draw.hwndItem = reinterpret_cast<HWND>(hMenu);
    draw.hDC = hDC;
    draw.rcItem = item;
    draw.itemData = info.dwItemData;
    ::SendMessageA(hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    m_dwLastActiveItem = info.dwItemData;
    ::SelectObject(hDC, hOldFont);
    ::DeleteObject(hFont);
    ::ReleaseDC(hWnd, hDC);
    return TRUE;
}

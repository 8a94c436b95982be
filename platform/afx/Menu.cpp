#include "platform/afx/Menu.h"

#include "platform/afx/HandleMap.h"
#include "platform/afx/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
CHandleMap& MenuMap() { return AfxGetThreadState()->m_mapHMENU; }
}  // namespace

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() { DestroyMenu(); }

HMENU CMenu::GetSafeHmenu() const {
  const CMenu* self = static_cast<const CMenu*>(AfxOpaquePointer(this));
  return self ? self->m_hMenu : NULL;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  return static_cast<CMenu*>(MenuMap().FromHandle(hMenu, [] { return static_cast<CObject*>(new CMenu); }));
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) {
  return hMenu ? static_cast<CMenu*>(MenuMap().LookupPermanent(hMenu)) : NULL;
}

void PASCAL CMenu::DeleteTempMap() { MenuMap().DeleteTemp(AfxGetThreadState()->m_nLoopDepth); }

BOOL CMenu::Attach(HMENU hNewMenu) { return MenuMap().AttachHandle(m_hMenu, hNewMenu, this); }

HMENU CMenu::Detach() { return MenuMap().DetachHandle(m_hMenu, this); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
  return Attach(::LoadMenuA(AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_MENU), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) { return Attach(::LoadMenuIndirectA(lpMenuTemplate)); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu)
    return FALSE;
  return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  const int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
  ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const {
  HMENU hSub = ::GetSubMenu(m_hMenu, nPos);
  return hSub ? FromHandle(hSub) : NULL;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hOldWindow = pState->m_hTrackingWindow;
  HMENU hOldMenu = pState->m_hTrackingMenu;
  pState->m_hTrackingWindow = pWnd->GetSafeHwnd();
  pState->m_hTrackingMenu = m_hMenu;
  const BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pState->m_hTrackingWindow, lpRect);
  pState->m_hTrackingWindow = hOldWindow;
  pState->m_hTrackingMenu = hOldMenu;
  return bResult;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace {
HMENU FindHolder(HMENU hMenu, UINT nID) {
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < nCount; ++i) {
    if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
      if (reinterpret_cast<UINT_PTR>(hSub) == nID)
        return hMenu;
      if (HMENU hFound = FindHolder(hSub, nID))
        return hFound;
    } else if (::GetMenuItemID(hMenu, i) == nID) {
      return hMenu;
    }
  }
  return NULL;
}
}  // namespace

CMenu* AFXAPI AfxFindPopupMenuFromID(CMenu* pMenu, UINT nID) {
  HMENU hMenu = pMenu->GetSafeHmenu();
  return hMenu ? CMenu::FromHandlePermanent(FindHolder(hMenu, nID)) : NULL;
}

#include "platform/afx/HandleMap.h"

#include "platform/afx/Dc.h"
#include "platform/afx/GdiObject.h"
#include "platform/afx/ImageList.h"
#include "platform/afx/Menu.h"
#include "platform/afx/Wnd.h"

CHandleMap::~CHandleMap() { DeleteTemp(0); }

CObject* CHandleMap::LookupPermanent(HANDLE h) const {
  auto it = m_permanent.find(h);
  return it == m_permanent.end() ? nullptr : it->second;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const {
  auto it = m_temporary.find(h);
  return it == m_temporary.end() ? nullptr : it->second.pObject;
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject) { m_permanent[h] = pObject; }

void CHandleMap::RemovePermanent(HANDLE h, CObject* pObject) {
  auto it = m_permanent.find(h);
  if (it != m_permanent.end() && (!pObject || it->second == pObject))
    m_permanent.erase(it);
}

CObject* CHandleMap::FromHandle(HANDLE h, PFN_CONSTRUCT pfnConstruct) {
  if (!h)
    return nullptr;
  if (CObject* p = LookupPermanent(h))
    return p;
  if (CObject* p = LookupTemporary(h))
    return p;
  CObject* p = pfnConstruct();
  m_pfnSetHandle(p, h);
  m_temporary[h] = Temp{p, AfxGetThreadState()->m_nLoopDepth};
  return p;
}

void CHandleMap::DeleteTemp(int nMinDepth) {
  for (auto it = m_temporary.begin(); it != m_temporary.end();) {
    if (it->second.nDepth >= nMinDepth) {
      CObject* p = it->second.pObject;
      it = m_temporary.erase(it);
      m_pfnSetHandle(p, nullptr);
      delete p;
    } else {
      ++it;
    }
  }
}

namespace {

void SetWndHandle(CObject* p, HANDLE h) { static_cast<CWnd*>(p)->m_hWnd = static_cast<HWND>(h); }
void SetDcHandle(CObject* p, HANDLE h) {
  CDC* dc = static_cast<CDC*>(p);
  dc->m_hDC = dc->m_hAttribDC = static_cast<HDC>(h);
}
void SetGdiHandle(CObject* p, HANDLE h) { static_cast<CGdiObject*>(p)->m_hObject = static_cast<HGDIOBJ>(h); }
void SetMenuHandle(CObject* p, HANDLE h) { static_cast<CMenu*>(p)->m_hMenu = static_cast<HMENU>(h); }
void SetImageListHandle(CObject* p, HANDLE h) {
  static_cast<CImageList*>(p)->m_hImageList = static_cast<HIMAGELIST>(h);
}

volatile LONG g_tlsIndex = (LONG)TLS_OUT_OF_INDEXES;

// Frees a worker thread's temporary wrappers when the thread ends. The state itself stays: a
// permanent object of the thread may still be destroyed later (the main thread's globals are
// destroyed after its thread-local objects).
struct ThreadStateGuard {
  AFX_THREAD_STATE* pState = nullptr;
  ~ThreadStateGuard() {
    if (pState)
      pState->DeleteTempMaps(0);
  }
};
thread_local ThreadStateGuard t_guard;

}  // namespace

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_mapHWND(&SetWndHandle),
      m_mapHDC(&SetDcHandle),
      m_mapHGDIOBJ(&SetGdiHandle),
      m_mapHMENU(&SetMenuHandle),
      m_mapHIMAGELIST(&SetImageListHandle),
      m_lastSentMsg(),
      m_msgCur(),
      m_pWndInit(nullptr),
      m_hHookOldCbtFilter(nullptr),
      m_nCreateHookDepth(0),
      m_hLockoutNotifyWindow(nullptr),
      m_nLoopDepth(0),
      m_pCurrentWinThread(nullptr),
      m_hTrackingWindow(nullptr),
      m_hTrackingMenu(nullptr),
      m_ptCursorLast{-1, -1},
      m_nMsgLast(0) {}

AFX_THREAD_STATE::~AFX_THREAD_STATE() {}

void AFX_THREAD_STATE::DeleteTempMaps(int nMinDepth) {
  m_mapHWND.DeleteTemp(nMinDepth);
  m_mapHDC.DeleteTemp(nMinDepth);
  m_mapHGDIOBJ.DeleteTemp(nMinDepth);
  m_mapHMENU.DeleteTemp(nMinDepth);
  m_mapHIMAGELIST.DeleteTemp(nMinDepth);
}

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() {
  if (g_tlsIndex == (LONG)TLS_OUT_OF_INDEXES) {
    const DWORD index = TlsAlloc();
    if (InterlockedCompareExchange(&g_tlsIndex, (LONG)index, (LONG)TLS_OUT_OF_INDEXES) != (LONG)TLS_OUT_OF_INDEXES)
      TlsFree(index);
  }
  AFX_THREAD_STATE* pState = static_cast<AFX_THREAD_STATE*>(TlsGetValue((DWORD)g_tlsIndex));
  if (!pState) {
    pState = new AFX_THREAD_STATE;
    TlsSetValue((DWORD)g_tlsIndex, pState);
    t_guard.pState = pState;
  }
  return pState;
}

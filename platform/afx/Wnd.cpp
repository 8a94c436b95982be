#include "platform/afx/Wnd.h"

#include <set>
#include <string>

#include "platform/afx/DataExchange.h"
#include "platform/afx/Dc.h"
#include "platform/afx/GdiObject.h"
#include "platform/afx/HandleMap.h"
#include "platform/afx/Menu.h"
#include "platform/afx/StdControls.h"
#include "platform/afx/WinApp.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

CHandleMap& WndMap() { return AfxGetThreadState()->m_mapHWND; }
CObject* NewTempWnd() { return new CWnd; }

}  // namespace

CScrollBar* AFXAPI AfxScrollBarFromHandle(HWND hWnd) {
  return static_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

CWnd::CWnd() : m_hWnd(nullptr), m_nFlags(0), m_nModalResult(0), m_pfnSuper(nullptr) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_nModalResult(0), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // The derived parts are gone already: the window's last messages reach this base only.
    ::DestroyWindow(m_hWnd);
    if (m_hWnd)
      Detach();
  }
}

HWND CWnd::GetSafeHwnd() const {
  const CWnd* self = static_cast<const CWnd*>(AfxOpaquePointer(this));
  return self ? self->m_hWnd : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return static_cast<CWnd*>(WndMap().FromHandle(hWnd, &NewTempWnd)); }

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd ? static_cast<CWnd*>(WndMap().LookupPermanent(hWnd)) : nullptr;
}

void PASCAL CWnd::DeleteTempMap() { WndMap().DeleteTemp(AfxGetThreadState()->m_nLoopDepth); }

BOOL CWnd::Attach(HWND hWndNew) { return WndMap().AttachHandle(m_hWnd, hWndNew, this); }

HWND CWnd::Detach() { return WndMap().DetachHandle(m_hWnd, this); }

// --- creation -------------------------------------------------------------------------------

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code == HCBT_CREATEWND && pState->m_pWndInit) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    char className[8] = "";
    // The system may make the thread's input-method window first; it is nobody's object.
    const bool ime = (::GetClassLongA(hWnd, GCL_STYLE) & CS_IME) ||
                     (::GetClassNameA(hWnd, className, sizeof className) && lstrcmpiA(className, "ime") == 0);
    if (!ime) {
      CWnd* pWnd = pState->m_pWndInit;
      pState->m_pWndInit = nullptr;
      pWnd->Attach(hWnd);
      pWnd->PreSubclassWindow();
      WNDPROC oldWndProc =
          reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
      if (oldWndProc != &AfxWndProc)
        pWnd->m_pfnSuper = oldWndProc;
    }
  }
  return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nCreateHookDepth++ == 0)
    pState->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
  pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nCreateHookDepth > 0 && --pState->m_nCreateHookDepth == 0 && pState->m_hHookOldCbtFilter) {
    ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
    pState->m_hHookOldCbtFilter = nullptr;
  }
  if (pState->m_pWndInit) {
    pState->m_pWndInit = nullptr;
    return FALSE;
  }
  return TRUE;
}

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static CRITICAL_SECTION lock;
  static std::set<std::string>* names = [] {
    ::InitializeCriticalSection(&lock);
    return new std::set<std::string>;
  }();
  HINSTANCE hInst = AfxGetInstanceHandle();
  char name[96];
  wsprintfA(name, "Afx:%p:%x:%p:%p:%p", hInst, nClassStyle, hCursor, hbrBackground, hIcon);
  ::EnterCriticalSection(&lock);
  auto it = names->find(name);
  if (it == names->end()) {
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc)) {
      wc.style = nClassStyle;
      wc.lpfnWndProc = &::DefWindowProcA;
      wc.hInstance = hInst;
      wc.hIcon = hIcon;
      wc.hCursor = hCursor;
      wc.hbrBackground = hbrBackground;
      wc.lpszClassName = name;
      ::RegisterClassA(&wc);
    }
    it = names->insert(name).first;
  }
  LPCSTR result = it->c_str();
  ::LeaveCriticalSection(&lock);
  return result;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                  lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCTA cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // The hook never saw the window: nothing was attached, so the object is cleaned up here.
  if (!AfxUnhookWindowCreate())
    PostNcDestroy();
  return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd)
    return FALSE;
  // A permanent object is detached (and maybe deleted) on the way through WM_NCDESTROY.
  return ::DestroyWindow(m_hWnd);
}

// --- subclassing ----------------------------------------------------------------------------

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd))
    return FALSE;
  PreSubclassWindow();
  WNDPROC oldWndProc =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (oldWndProc != &AfxWndProc)
    m_pfnSuper = oldWndProc;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
  return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd && m_pfnSuper)
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

void CWnd::CleanUpAfterNcDestroy() {
  CWinThread* pThread = AfxGetThread();
  if (pThread && pThread->m_pMainWnd == this) {
    // The main window's end is the thread's end.
    ::PostQuitMessage(0);
    pThread->m_pMainWnd = nullptr;
  }
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc && m_pfnSuper)
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  Detach();
  PostNcDestroy();
}

// --- dispatch -------------------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd)
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  const MSG oldMsg = pState->m_lastSentMsg;
  pState->m_lastSentMsg.hwnd = hWnd;
  pState->m_lastSentMsg.message = message;
  pState->m_lastSentMsg.wParam = wParam;
  pState->m_lastSentMsg.lParam = lParam;
  const LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
  // A WM_NCDESTROY handler that did not pass the message to the base leaves the object attached.
  if (message == WM_NCDESTROY) {
    if (CWnd* pStill = CWnd::FromHandlePermanent(hWnd))
      pStill->CleanUpAfterNcDestroy();
  }
  pState->m_lastSentMsg = oldMsg;
  return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult))
    lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam))
      return FALSE;
    lResult = 1;
  } else if (message == WM_NOTIFY) {
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (!pNMHDR || !pNMHDR->hwndFrom || !OnNotify(wParam, lParam, &lResult))
      return FALSE;
  } else {
    UINT nMsg = message;
    AFX_CTLCOLOR ctl;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
      ctl.hWnd = reinterpret_cast<HWND>(lParam);
      ctl.hDC = reinterpret_cast<HDC>(wParam);
      ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
      nMsg = WM_CTLCOLOR;
      lParam = reinterpret_cast<LPARAM>(&ctl);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(nMsg, 0, 0);
    if (!pEntry)
      return FALSE;
    AFX_MSGCALL call = {nMsg, wParam, lParam, 0, 0, nullptr, 0};
    if (!DispatchEntry(this, pEntry, call))
      return FALSE;
    lResult = call.lResult;
  }
  if (pResult)
    *pResult = lResult;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper)
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (!hWndCtrl) {
    // Menus (code 0) and accelerators (code 1) are both plain commands.
    if (nID == 0)
      return FALSE;
    nCode = CN_COMMAND;
  } else {
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
      return TRUE;
    if (ReflectLastMsg(hWndCtrl))
      return TRUE;
    if (nID == 0)
      return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  // The id is the sender window's own (tool tips put other values into idFrom).
  const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndCtrl));
  const int nCode = static_cast<int>(pNMHDR->code);
  if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
    return TRUE;
  if (ReflectLastMsg(hWndCtrl, pResult))
    return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
      return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
      const int nCode = HIWORD(wParam);
      if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
        if (pResult)
          *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify = {pResult, pNMHDR};
      return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  nullptr);
    }
    default:
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl = {m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        LRESULT lResult = 0;
        // A control that answers NULL leaves the colours to its parent.
        if (!CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &lResult) || !lResult)
          return FALSE;
        if (pResult)
          *pResult = lResult;
        return TRUE;
      }
      return FALSE;
  }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  return pWnd && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->PreTranslateMessage(pMsg))
      return TRUE;
    if (hWnd == hWndStop)
      break;
  }
  return FALSE;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessageA(m_hWnd, lpMsg); }

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
  if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
      (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
    return FALSE;
  return IsDialogMessage(lpMsg);
}

void CWnd::WinHelp(DWORD_PTR, UINT) {}
void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
  // The controls' change notifications caused by the exchange itself are not the user's.
  pState->m_hLockoutNotifyWindow = m_hWnd;
  DoDataExchange(&dx);
  pState->m_hLockoutNotifyWindow = hWndOldLockout;
  return !dx.m_bFailed;
}

// --- modal loop -----------------------------------------------------------------------------

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y &&
        pMsg->message == pState->m_nMsgLast)
      return FALSE;
    pState->m_ptCursorLast = pMsg->pt;
    pState->m_nMsgLast = pMsg->message;
    return TRUE;
  }
  // 0x118: the caret blink timer.
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg) {
  if (CWinThread* pThread = AfxGetThread())
    return pThread->PreTranslateMessage(pMsg);
  return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AFXAPI AfxPumpMessage() {
  if (CWinThread* pThread = AfxGetThread())
    return pThread->PumpMessage();
  return AfxInternalPumpMessage();
}

BOOL AFXAPI AfxInternalPumpMessage() {
  MSG& msg = AfxGetThreadState()->m_msgCur;
  if (!::GetMessageA(&msg, nullptr, 0, 0))
    return FALSE;
  if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    // Wakes the loop up so it sees the end.
    PostMessage(WM_NULL);
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
  const int nDepth = ++pState->m_nLoopDepth;
  MSG* pMsg = &pState->m_msgCur;
  for (;;) {
    while (bIdle && !::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (lIdleCount == 0) {
        pState->DeleteTempMaps(nDepth);
        if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent)
          ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      }
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
        bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        // Leaves the quit for the loops further out.
        ::PostQuitMessage(static_cast<int>(pMsg->wParam));
        m_nModalResult = -1;
        goto ExitModal;
      }
      if (bShowIdle && (pMsg->message == 0x0118 || pMsg->message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!ContinueModal())
        goto ExitModal;
      if (AfxIsIdleMessage(pMsg)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(pMsg, nullptr, 0, 0, PM_NOREMOVE));
  }
ExitModal:
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  --pState->m_nLoopDepth;
  return m_nModalResult;
}

// --- wrappers -------------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

namespace {
void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
  for (HWND hChild = ::GetTopWindow(hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    ::SendMessageA(hChild, message, wParam, lParam);
    if (bDeep && ::GetTopWindow(hChild))
      SendToDescendants(hChild, message, wParam, lParam, bDeep);
  }
}
}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) const {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep);
}

namespace {
BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, nIndex));
  const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle)
    return FALSE;
  ::SetWindowLongA(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
  if (nFlags)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}
}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

namespace {
void ReadWindowText(HWND hWnd, CString& rString) {
  const int nLen = ::GetWindowTextLengthA(hWnd);
  ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
  rString.ReleaseBuffer();
}
}  // namespace

void CWnd::GetWindowText(CString& rString) const { ReadWindowText(m_hWnd, rString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  if (HWND hWnd = ::GetDlgItem(m_hWnd, nID))
    ReadWindowText(hWnd, rString);
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
  ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
  ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
  lpwndpl->length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) {
  WINDOWPLACEMENT wp = *lpwndpl;
  wp.length = sizeof(WINDOWPLACEMENT);
  return ::SetWindowPlacement(m_hWnd, &wp);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  const DWORD dwStyle = GetStyle();
  HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
  if (dwStyle & WS_CHILD)
    hWndCenter = ::GetParent(m_hWnd);
  else if (!hWndCenter)
    hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);

  CRect rcDlg;
  GetWindowRect(&rcDlg);
  CRect rcArea;
  CRect rcCenter;
  if (!(dwStyle & WS_CHILD)) {
    // Never centre over a hidden or minimised owner.
    if (hWndCenter) {
      const DWORD dwCenterStyle = static_cast<DWORD>(::GetWindowLongA(hWndCenter, GWL_STYLE));
      if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
        hWndCenter = nullptr;
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (!hWndCenter) {
      ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
      rcCenter = mi.rcWork;
      rcArea = mi.rcWork;
    } else {
      ::GetWindowRect(hWndCenter, &rcCenter);
      ::GetMonitorInfoA(::MonitorFromWindow(hWndCenter, MONITOR_DEFAULTTONEAREST), &mi);
      rcArea = mi.rcWork;
    }
  } else {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
  }
  int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
  int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
  if (xLeft + rcDlg.Width() > rcArea.right)
    xLeft = rcArea.right - rcDlg.Width();
  if (xLeft < rcArea.left)
    xLeft = rcArea.left;
  if (yTop + rcDlg.Height() > rcArea.bottom)
    yTop = rcArea.bottom - rcDlg.Height();
  if (yTop < rcArea.top)
    yTop = rcArea.top;
  SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }

CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
CWnd* PASCAL CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* PASCAL CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* PASCAL CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
  ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) {
  return CDC::FromHandle(::GetDCEx(m_hWnd, static_cast<HRGN>(prgnClip->GetSafeHandle()), flags));
}

int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

BOOL CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect) {
  return ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }

CWnd* CWnd::GetOwner() const {
  HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  return FromHandle(hOwner ? hOwner : ::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  for (;;) {
    HWND hUp = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    if (!hUp)
      break;
    hWnd = hUp;
  }
  return FromHandle(hWnd);
}

CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }

namespace {
HWND FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm) {
  if (HWND hChild = ::GetDlgItem(hWnd, nID)) {
    if (::GetTopWindow(hChild) == nullptr && (!bOnlyPerm || CWnd::FromHandlePermanent(hChild)))
      return hChild;
  }
  for (HWND hChild = ::GetTopWindow(hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(hChild) == nID && (!bOnlyPerm || CWnd::FromHandlePermanent(hChild)))
      return hChild;
    if (::GetTopWindow(hChild)) {
      if (HWND hFound = FindDescendant(hChild, nID, bOnlyPerm))
        return hFound;
    }
  }
  return nullptr;
}
}  // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  HWND hFound = FindDescendant(m_hWnd, nID, bOnlyPerm);
  return bOnlyPerm ? FromHandlePermanent(hFound) : FromHandle(hFound);
}

CWnd* PASCAL CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName) {
  return FromHandle(::FindWindowA(lpszClassName, lpszWindowName));
}

CWnd* PASCAL CWnd::FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow) {
  return FromHandle(::FindWindowExA(hwndParent, hwndChildAfter, lpszClass, lpszWindow));
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
  for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
    if (::IsDlgButtonChecked(m_hWnd, nID))
      return nID;
  return 0;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

// --- default handlers -----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CTLCOLOR()
  ON_WM_COMPAREITEM()
  ON_WM_DELETEITEM()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
  ON_WM_NCDESTROY()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy() {
  Default();
  CleanUpAfterNcDestroy();
}

void CWnd::OnClose() { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar && pScrollBar->SendChildNotifyLastMsg())
    return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar && pScrollBar->SendChildNotifyLastMsg())
    return;
  Default();
}

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT lResult = 0;
  if (pWnd && pWnd->SendChildNotifyLastMsg(&lResult))
    return reinterpret_cast<HBRUSH>(lResult);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
      pMenu->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CMenu* pMenu = nullptr;
    if (pState->m_hTrackingWindow == m_hWnd)
      pMenu = AfxFindPopupMenuFromID(CMenu::FromHandle(pState->m_hTrackingMenu), lpMeasureItemStruct->itemID);
    if (!pMenu)
      pMenu = AfxFindPopupMenuFromID(GetMenu(), lpMeasureItemStruct->itemID);
    if (!pMenu)
      pMenu = AfxFindPopupMenuFromID(CMenu::FromHandle(::GetSystemMenu(m_hWnd, FALSE)), lpMeasureItemStruct->itemID);
    if (pMenu) {
      pMenu->MeasureItem(lpMeasureItemStruct);
      return;
    }
  } else if (CWnd* pChild = GetDescendantWindow(lpMeasureItemStruct->CtlID, TRUE)) {
    if (pChild->SendChildNotifyLastMsg())
      return;
  }
  Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT lResult = 0;
  if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
    return static_cast<int>(lResult);
  return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
    return;
  Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
      ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
    return;
  Default();
}

void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnUnInitMenuPopup(CMenu*, UINT) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }

BOOL CWnd::OnHelpInfo(HELPINFO*) {
  if (!(GetStyle() & WS_CHILD) && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
      ::GetKeyState(VK_MENU) >= 0) {
    CWnd* pMainWnd = AfxGetMainWnd();
    (pMainWnd ? pMainWnd : this)->WinHelp(0, HELP_CONTEXT);
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

// --- owners ---------------------------------------------------------------------------------

HWND AFXAPI AfxGetSafeOwner(HWND hParent, HWND* phWndTop) {
  HWND hWnd = hParent;
  if (!hWnd) {
    CWnd* pMainWnd = AfxGetMainWnd();
    hWnd = pMainWnd->GetSafeHwnd();
  }
  // A pop-up cannot be owned by a child window.
  while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
    hWnd = ::GetParent(hWnd);
  HWND hWndTop = hWnd;
  for (HWND hUp = hWnd; hUp; hUp = ::GetParent(hUp))
    hWndTop = hUp;
  if (!hParent && hWnd)
    hWnd = ::GetLastActivePopup(hWnd);
  if (phWndTop) {
    if (hWndTop && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
      *phWndTop = hWndTop;
      ::EnableWindow(hWndTop, FALSE);
    } else {
      *phWndTop = nullptr;
    }
  }
  return hWnd;
}

#include "platform/afx/WinApp.h"

#include <process.h>

#include "platform/afx/HandleMap.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;

HWND TopLevelOf(HWND hWnd) {
  for (;;) {
    HWND hUp = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    if (!hUp)
      return hWnd;
    hWnd = hUp;
  }
}

// The framework's own messages, for resource modules that do not carry them.
struct FrameworkText {
  UINT nID;
  LPCSTR lpszText;
};
const FrameworkText kFrameworkTexts[] = {
    {AFX_IDP_PARSE_INT, "Please enter an integer."},
    {AFX_IDP_PARSE_REAL, "Please enter a number."},
    {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
    {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
    {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
    {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
    {AFX_IDP_PARSE_DATETIME, "Please enter a date and/or time."},
};

int ShowMessageBox(LPCSTR lpszPrompt, UINT nType) {
  HWND hWndTop = nullptr;
  HWND hWnd = AfxGetSafeOwner(nullptr, &hWndTop);
  // The owner itself stays enabled so that the focus goes back to it afterwards.
  if (hWnd && hWnd != hWndTop)
    ::EnableWindow(hWnd, TRUE);
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
        nType |= MB_ICONEXCLAMATION;
        break;
      case MB_YESNO:
      case MB_YESNOCANCEL:
        nType |= MB_ICONQUESTION;
        break;
      default:
        break;
    }
  }
  LPCSTR lpszCaption = AfxGetAppName();
  const int nResult = ::MessageBoxA(hWnd, lpszPrompt, *lpszCaption ? lpszCaption : nullptr, nType);
  if (hWndTop)
    ::EnableWindow(hWndTop, TRUE);
  return nResult;
}

}  // namespace

// --- threads --------------------------------------------------------------------------------

CWinThread::CWinThread()
    : m_pMainWnd(nullptr),
      m_bAutoDelete(TRUE),
      m_hThread(nullptr),
      m_nThreadID(0),
      m_pfnThreadProc(nullptr),
      m_pThreadParams(nullptr) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
  m_pfnThreadProc = pfnThreadProc;
  m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
  if (m_hThread && this != g_pApp)
    ::CloseHandle(m_hThread);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_pCurrentWinThread == this)
    pState->m_pCurrentWinThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned nThreadID = 0;
  m_hThread = reinterpret_cast<HANDLE>(
      _beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this, dwCreateFlags, &nThreadID));
  m_nThreadID = nThreadID;
  return m_hThread != nullptr;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  pState->m_pCurrentWinThread = pThread;
  UINT nResult;
  if (pThread->m_pfnThreadProc)
    nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
  else if (pThread->InitInstance())
    nResult = pThread->Run();
  else
    nResult = pThread->ExitInstance();
  pState->m_pCurrentWinThread = nullptr;
  pState->DeleteTempMaps(0);
  pThread->Delete();
  return nResult;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CWinThread* pThread = pState->m_pCurrentWinThread;
  pState->m_pCurrentWinThread = nullptr;
  pState->DeleteTempMaps(0);
  if (pThread && bDelete)
    pThread->Delete();
  _endthreadex(nExitCode);
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return nullptr;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED))
    pThread->ResumeThread();
  return pThread;
}

void CWinThread::Delete() {
  if (m_bAutoDelete)
    delete this;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam); }

CWnd* CWinThread::GetMainWnd() {
  if (m_pMainWnd)
    return m_pMainWnd;
  CWinApp* pApp = AfxGetApp();
  return pApp && pApp != this ? pApp->m_pMainWnd : nullptr;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) { return AfxIsIdleMessage(pMsg); }

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount >= 1) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->DeleteTempMaps(pState->m_nLoopDepth);
  }
  return lCount < 1;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (!pMsg->hwnd)
    return FALSE;
  CWnd* pMainWnd = GetMainWnd();
  HWND hWndMain = pMainWnd->GetSafeHwnd();
  if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
    return TRUE;
  // A window outside the main window's tree (a modeless dialog) still gets the main window's keys.
  if (hWndMain && ::IsWindow(pMsg->hwnd) && TopLevelOf(pMsg->hwnd) != hWndMain)
    return pMainWnd->PreTranslateMessage(pMsg);
  return FALSE;
}

BOOL CWinThread::PumpMessage() { return AfxInternalPumpMessage(); }

int CWinThread::Run() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageA(&pState->m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++))
        bIdle = FALSE;
    }
    do {
      if (!PumpMessage())
        return ExitInstance();
      if (IsIdleMessage(&pState->m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(&pState->m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

// --- application ----------------------------------------------------------------------------

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(nullptr), m_pszExeName(nullptr) {
  if (lpszAppName) {
    m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName;
  }
  g_pApp = this;
  m_hThread = ::GetCurrentThread();
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
  AfxGetThreadState()->m_pCurrentWinThread = this;
}

CWinApp::~CWinApp() {
  if (g_pApp == this)
    g_pApp = nullptr;
}

void CWinApp::SetCurrentHandles() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
  CString name = path;
  name = name.Mid(name.ReverseFind('\\') + 1);
  const int dot = name.ReverseFind('.');
  if (dot > 0)
    name = name.Left(dot);
  m_strExeName = name;
  m_pszExeName = m_strExeName;
  if (!m_pszAppName) {
    if (!m_strAppName.LoadString(m_hInstance, AFX_IDS_APP_TITLE))
      m_strAppName = m_strExeName;
    m_pszAppName = m_strAppName;
  }
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }
BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) { return ShowMessageBox(lpszPrompt, nType); }

HICON CWinApp::LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEA(nIDResource)); }

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
  return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
  LPCSTR name = MAKEINTRESOURCEA(nIDResource);
  return ::LoadCursorA(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

CWinThread* AFXAPI AfxGetThread() { return AfxGetThreadState()->m_pCurrentWinThread; }

CWnd* AFXAPI AfxGetMainWnd() {
  if (CWinThread* pThread = AfxGetThread())
    return pThread->GetMainWnd();
  return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

LPCSTR AFXAPI AfxGetAppName() { return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : ""; }

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  AfxGetThreadState();
  if (CWinApp* pApp = AfxGetApp()) {
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->SetCurrentHandles();
    AfxGetThreadState()->m_pCurrentWinThread = pApp;
  }
  return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (!pApp || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
    return -1;
  if (!pApp->InitInstance()) {
    if (pApp->m_pMainWnd)
      pApp->m_pMainWnd->DestroyWindow();
    return pApp->ExitInstance();
  }
  return pApp->Run();
}

BOOL AFXAPI AfxLoadString(UINT nID, CString& rString) {
  if (rString.LoadString(nID))
    return TRUE;
  if (AfxGetResourceHandle() != AfxGetInstanceHandle() && rString.LoadString(AfxGetInstanceHandle(), nID))
    return TRUE;
  for (const FrameworkText& text : kFrameworkTexts) {
    if (text.nID == nID) {
      rString = text.lpszText;
      return TRUE;
    }
  }
  rString.Empty();
  return FALSE;
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* pApp = AfxGetApp())
    return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return ShowMessageBox(lpszText, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString prompt;
  AfxLoadString(nIDPrompt, prompt);
  if (nIDHelp == static_cast<UINT>(-1))
    nIDHelp = nIDPrompt;
  return AfxMessageBox(prompt, nType, nIDHelp);
}

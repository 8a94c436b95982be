#pragma once
#include "platform/afx/Wnd.h"

typedef UINT (*AFX_THREADPROC)(LPVOID);

// A thread of the framework: the application's main thread, or a worker started by AfxBeginThread.
// Run is the message loop with idle processing (OnIdle with a rising count while the queue is
// empty); the temporary window wrappers are deleted at idle.
class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  operator HANDLE() const { return m_hThread; }

  virtual BOOL InitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // lCount 0 is the first call after a message; TRUE asks for another call.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual int ExitInstance();
  virtual void Delete();
  virtual CWnd* GetMainWnd();

  CWnd* m_pMainWnd;
  BOOL m_bAutoDelete;
  HANDLE m_hThread;
  DWORD m_nThreadID;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;

private:
  static unsigned __stdcall ThreadEntry(void* pParam);
};

// The application: one object per program. AfxWinMain calls InitInstance, then Run unless
// InitInstance answered FALSE, then ExitInstance.
class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;
  // The message boxes of AfxMessageBox.
  virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCSTR lpszResourceName) const;
  HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

  // Kept for the start-up code of the programs; nothing to do on the systems this runs on.
  BOOL Enable3dControls() { return TRUE; }
  BOOL Enable3dControlsStatic() { return TRUE; }

  HINSTANCE m_hInstance;
  LPSTR m_lpCmdLine;
  int m_nCmdShow;
  LPCSTR m_pszAppName;  // the constructor's name, else string AFX_IDS_APP_TITLE, else the program's name
  LPCSTR m_pszExeName;  // the program's file name without folder and extension

private:
  friend BOOL AFXAPI AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
  void SetCurrentHandles();
  CString m_strAppName;
  CString m_strExeName;
};

CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
// The current thread's main window (a worker's is the application's).
CWnd* AFXAPI AfxGetMainWnd();
LPCSTR AFXAPI AfxGetAppName();
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxPostQuitMessage(int nExitCode);
// Starts a worker thread running pfnThreadProc(pParam); the object deletes itself when it ends.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// Kept for the start-up code of the programs; the layer hosts no ActiveX controls.
inline void AFXAPI AfxEnableControlContainer() {}

// A message box with the application's name as caption, owned by the main window's active
// pop-up; without an icon flag OK boxes get the exclamation mark and Yes/No boxes the question mark.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// A string of the resource module; the framework's own messages have built-in texts when the
// module lacks them. FALSE (and an empty string) when there is no such text.
BOOL AFXAPI AfxLoadString(UINT nID, CString& rString);

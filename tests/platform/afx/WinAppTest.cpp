// The application's start-up and message loop, and the framework's message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "platform/afx/HandleMap.h"
#include "resources/ResourceIds.h"
#include "tests/platform/afx/WindowTestIds.h"
#include "tests/platform/afx/WindowTestUtil.h"

namespace {

class CTestApp : public CWinApp {
 public:
  explicit CTestApp(BOOL start) : CWinApp("Afx Test"), m_bStart(start) {}
  std::vector<std::string> log;
  std::vector<LONG> idleCounts;
  int tempsAtFirstIdle = -1;
  CWnd mainWnd;

  BOOL InitInstance() override {
    log.push_back("init");
    if (!m_bStart)
      return FALSE;
    mainWnd.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr);
    m_pMainWnd = &mainWnd;
    // A wrapper made before the loop runs is gone after the first idle time.
    CWnd::FromHandle(::GetDesktopWindow());
    return TRUE;
  }
  BOOL OnIdle(LONG lCount) override {
    idleCounts.push_back(lCount);
    const BOOL more = CWinApp::OnIdle(lCount);
    if (!more && tempsAtFirstIdle < 0) {
      tempsAtFirstIdle = AfxGetThreadState()->m_mapHWND.LookupTemporary(::GetDesktopWindow()) != nullptr;
      // Closing the main window ends the application.
      mainWnd.PostMessage(WM_CLOSE);
    }
    return more;
  }
  int ExitInstance() override {
    log.push_back("exit");
    return CWinApp::ExitInstance() + 10;
  }

 private:
  BOOL m_bStart;
};

TEST(WinApp, RunsUntilTheMainWindowCloses) {
  CTestApp app(TRUE);
  EXPECT_EQ(&app, AfxGetApp());
  EXPECT_EQ(&app, AfxGetThread());
  EXPECT_EQ(10, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW));
  EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.log);
  ASSERT_GE(app.idleCounts.size(), 2u);
  EXPECT_EQ(0, app.idleCounts[0]);
  EXPECT_EQ(1, app.idleCounts[1]);
  EXPECT_EQ(0, app.tempsAtFirstIdle);
  EXPECT_EQ(nullptr, app.m_pMainWnd);
  EXPECT_EQ(nullptr, app.mainWnd.m_hWnd);
  EXPECT_STREQ("Afx Test", AfxGetAppName());
  EXPECT_STREQ("AfxWindowTest", app.m_pszExeName);
}

TEST(WinApp, AnInstanceThatDoesNotStartGoesStraightToExit) {
  CTestApp app(FALSE);
  EXPECT_EQ(10, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>("-Rec"), SW_SHOW));
  EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.log);
  EXPECT_TRUE(app.idleCounts.empty());
  EXPECT_STREQ("-Rec", app.m_lpCmdLine);
}

// The thread's loop pre-translates for modeless dialogs, and gives the main window the keys of
// windows outside its tree.
class CKeyLoggingWnd : public CWnd {
 public:
  std::vector<std::string>* log = nullptr;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN)
      log->push_back("main " + std::to_string(pMsg->wParam));
    return FALSE;
  }
};

class CModelessDlg : public CDialog {
 public:
  std::vector<std::string>* log = nullptr;
  void OnCancel() override {
    log->push_back("modeless cancel");
    DestroyWindow();
  }
};

class CKeysApp : public CWinApp {
 public:
  std::vector<std::string> log;
  CKeyLoggingWnd mainWnd;
  CModelessDlg modeless;
  CWnd plain;

  BOOL InitInstance() override {
    mainWnd.log = &log;
    modeless.log = &log;
    mainWnd.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr);
    plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr);
    m_pMainWnd = &mainWnd;
    modeless.Create(IDD_TEST_PLAIN);
    modeless.GetDlgItem(IDC_TEXT)->PostMessage(WM_KEYDOWN, VK_ESCAPE);
    plain.PostMessage(WM_KEYDOWN, 'P');
    mainWnd.PostMessage(WM_CLOSE);
    return TRUE;
  }
};

TEST(WinApp, TheLoopPreTranslatesForModelessDialogsAndTheMainWindow) {
  AfxSetResourceHandle(nullptr);
  CKeysApp app;
  EXPECT_EQ(0, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW));
  EXPECT_EQ((std::vector<std::string>{"modeless cancel", "main 80"}), app.log);
  EXPECT_EQ(nullptr, app.modeless.m_hWnd);
}

TEST(WinApp, MessageBoxesTakeTheirTextFromTheResourceModule) {
  HINSTANCE library = UseResourceLibrary();
  CTestApp app(FALSE);
  MessageBoxAnswerer answerer(IDCANCEL);
  EXPECT_EQ(IDCANCEL, AfxMessageBox(IDS_SKIN_FILES_MISSING, MB_OKCANCEL));
  EXPECT_EQ(IDCANCEL, AfxMessageBox("plain text"));
  CString expected;
  expected.LoadString(library, IDS_SKIN_FILES_MISSING);
  ASSERT_EQ(2u, answerer.boxes.size());
  EXPECT_EQ(std::string(expected), answerer.boxes[0].text);
  EXPECT_EQ("Afx Test", answerer.boxes[0].caption);
  EXPECT_EQ("plain text", answerer.boxes[1].text);
}

}  // namespace

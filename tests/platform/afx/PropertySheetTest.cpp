// Property sheets and pages on the system's property-sheet control: tabs, activation, apply,
// reset, query-cancel, validation, wizard buttons; the file dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/DataExchange.h"
#include "platform/afx/FileDialog.h"
#include "platform/afx/PropertySheet.h"
#include "tests/platform/afx/WindowTestIds.h"
#include "tests/platform/afx/WindowTestUtil.h"

#include <dlgs.h>

namespace {

const UINT kApplyButton = 0x3021;

// A page that logs every notification as "<name>:<event>".
class CLogPage : public CPropertyPage {
 public:
  CLogPage(UINT nIDTemplate, const char* name, std::vector<std::string>* log)
      : CPropertyPage(nIDTemplate), m_name(name), m_log(log) {}
  int m_value = 5;
  BOOL m_refuseApply = FALSE;
  BOOL m_refuseCancel = FALSE;
  DWORD m_wizardButtons = 0;

  BOOL OnSetActive() override {
    Log("set");
    if (m_wizardButtons)
      GetParentSheet()->SetWizardButtons(m_wizardButtons);
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Log("kill");
    return CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    Log("apply");
    return !m_refuseApply;
  }
  void OnReset() override { Log("reset"); }
  BOOL OnQueryCancel() override {
    Log("query");
    return !m_refuseCancel;
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NUMBER, m_value);
    DDV_MinMaxInt(pDX, m_value, 1, 10);
  }
  void Log(const char* event) { m_log->push_back(std::string(m_name) + ":" + event); }
  const char* m_name;
  std::vector<std::string>* m_log;
};

// A sheet that runs one step of a script at each start of idle time.
class CScriptSheet : public CPropertySheet {
 public:
  explicit CScriptSheet(LPCSTR caption, UINT start = 0) : CPropertySheet(caption, nullptr, start) {}
  std::vector<std::function<void()>> steps;
  size_t next = 0;
  int lastActive = -2;

 protected:
  LRESULT OnKickIdle(WPARAM, LPARAM lCount) {
    if (lCount == 0 && next < steps.size()) {
      steps[next++]();
      // Another round of idle time for the next step.
      if (m_hWnd)
        PostMessage(WM_NULL);
    }
    return FALSE;
  }
  void OnDestroy() {
    lastActive = GetActiveIndex();
    Default();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptSheet, CPropertySheet)
  ON_MESSAGE(WM_KICKIDLE, &CScriptSheet::OnKickIdle)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

struct ThreePages {
  std::vector<std::string> log;
  CLogPage first{IDD_TEST_PAGE_FIRST, "1", &log};
  CLogPage second{IDD_TEST_PAGE_SECOND, "2", &log};
  CLogPage third{IDD_TEST_PAGE_THIRD, "3", &log};
  void AddTo(CPropertySheet& sheet) {
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third);
  }
};

BOOL IsOpen(CPropertySheet& sheet) { return sheet.m_hWnd && sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0; }

TEST(Sheet, OpensOnItsStartPageWithTabsInOrderAndOkAppliesTheCreatedPages) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Sheet", 2);
  p.AddTo(sheet);
  EXPECT_EQ(3, sheet.GetPageCount());
  EXPECT_EQ(2, sheet.GetActiveIndex());
  sheet.steps = {
      [&] {
        ASSERT_TRUE(sheet.IsWindowVisible());
        CTabCtrl* tab = sheet.GetTabControl();
        ASSERT_NE(nullptr, tab);
        ASSERT_EQ(3, tab->GetItemCount());
        EXPECT_STREQ("First", tab->GetItemText(0));
        EXPECT_STREQ("Second", tab->GetItemText(1));
        EXPECT_STREQ("Third", tab->GetItemText(2));
        EXPECT_EQ(2, sheet.GetActiveIndex());
        EXPECT_EQ(&p.third, sheet.GetActivePage());
        EXPECT_EQ(nullptr, p.first.m_hWnd);
        EXPECT_EQ(&sheet, p.third.GetParentSheet());
        CString caption;
        sheet.GetWindowText(caption);
        EXPECT_NE(-1, caption.Find("Sheet")) << caption;
        EXPECT_EQ(std::vector<std::string>({"3:set"}), p.log);
        p.log.clear();
        EXPECT_TRUE(sheet.SetActivePage(0));
      },
      [&] {
        EXPECT_EQ(std::vector<std::string>({"3:kill", "1:set"}), p.log);
        EXPECT_NE(nullptr, p.first.m_hWnd);
        EXPECT_EQ(nullptr, p.second.m_hWnd);
        p.log.clear();
        sheet.PressButton(PSBTN_OK);
      },
  };
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(2u, sheet.next);
  // The active page is left, then every page that has a window applies; the one never shown does not.
  EXPECT_EQ(std::vector<std::string>({"1:kill", "1:apply", "3:apply"}), p.log);
  EXPECT_EQ(0, sheet.lastActive);
  EXPECT_EQ(nullptr, sheet.m_hWnd);
  EXPECT_EQ(nullptr, p.first.m_hWnd);
}

TEST(Sheet, RefusedApplyKeepsItOpenAndCancelResetsTheCreatedPages) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Sheet");
  p.AddTo(sheet);
  p.first.m_refuseApply = TRUE;
  sheet.steps = {
      [&] { sheet.SetActivePage(1); },
      [&] {
        p.log.clear();
        sheet.PressButton(PSBTN_OK);
        EXPECT_TRUE(IsOpen(sheet));
      },
      [&] {
        EXPECT_TRUE(IsOpen(sheet));
        // The page in front stays in front.
        EXPECT_EQ(1, sheet.GetActiveIndex());
        p.log.clear();
        sheet.PressButton(PSBTN_CANCEL);
      },
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(3u, sheet.next);
  ASSERT_GE(p.log.size(), 3u);
  EXPECT_EQ("2:query", p.log[0]);
  EXPECT_NE(p.log.end(), std::find(p.log.begin(), p.log.end(), "1:reset"));
  EXPECT_NE(p.log.end(), std::find(p.log.begin(), p.log.end(), "2:reset"));
  EXPECT_EQ(p.log.end(), std::find(p.log.begin(), p.log.end(), "3:reset"));
}

TEST(Sheet, ValidationFailureShowsTheFrameworkMessageAndKeepsTheSheetOpen) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Sheet");
  p.AddTo(sheet);
  MessageBoxAnswerer answerer;
  sheet.steps = {
      [&] {
        EXPECT_EQ("5", [&] {
          CString t;
          p.first.GetDlgItemText(IDC_NUMBER, t);
          return std::string(t);
        }());
        p.first.SetDlgItemText(IDC_NUMBER, "42");
        p.log.clear();
        sheet.PressButton(PSBTN_OK);
        EXPECT_TRUE(IsOpen(sheet));
        // Another tab is refused as well.
        sheet.SetActivePage(1);
      },
      [&] {
        EXPECT_TRUE(IsOpen(sheet));
        EXPECT_EQ(0, sheet.GetActiveIndex());
        EXPECT_EQ(p.log.end(), std::find(p.log.begin(), p.log.end(), "1:apply"));
        p.first.SetDlgItemText(IDC_NUMBER, "7");
        sheet.PressButton(PSBTN_OK);
      },
  };
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ(7, p.first.m_value);
  ASSERT_GE(answerer.boxes.size(), 1u);
  CString expected;
  AfxFormatString2(expected, AFX_IDP_PARSE_INT_RANGE, "1", "10");
  EXPECT_STREQ(expected, answerer.boxes[0].text.c_str());
}

TEST(Sheet, QueryCancelRefusalKeepsTheSheetOpenForCancelAndClose) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Sheet");
  p.AddTo(sheet);
  p.first.m_refuseCancel = TRUE;
  sheet.steps = {
      [&] { sheet.PressButton(PSBTN_CANCEL); },
      [&] {
        EXPECT_TRUE(IsOpen(sheet));
        sheet.SendMessage(WM_CLOSE);
      },
      [&] {
        EXPECT_TRUE(IsOpen(sheet));
        EXPECT_EQ(p.log.end(), std::find(p.log.begin(), p.log.end(), "1:reset"));
        p.first.m_refuseCancel = FALSE;
        sheet.SendMessage(WM_CLOSE);
      },
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(3u, sheet.next);
  EXPECT_NE(p.log.end(), std::find(p.log.begin(), p.log.end(), "1:reset"));
}

TEST(Sheet, ModifiedPageLightsApplyAndApplyStoresWithoutClosing) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Sheet");
  p.AddTo(sheet);
  sheet.steps = {
      [&] {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, kApplyButton)));
        p.first.SetModified(TRUE);
        EXPECT_TRUE(p.first.IsModified());
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, kApplyButton)));
        p.log.clear();
        sheet.PressButton(PSBTN_APPLYNOW);
      },
      [&] {
        EXPECT_TRUE(IsOpen(sheet));
        EXPECT_NE(p.log.end(), std::find(p.log.begin(), p.log.end(), "1:apply"));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, kApplyButton)));
        sheet.PressButton(PSBTN_CANCEL);
      },
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_EQ(2u, sheet.next);
}

TEST(Sheet, WizardStepsThroughItsPagesWithTheButtonsThePagesSetAndEndsWithFinish) {
  UseResourceLibrary();
  ThreePages p;
  CScriptSheet sheet("Wizard");
  p.AddTo(sheet);
  sheet.SetWizardMode();
  EXPECT_TRUE(sheet.IsWizard());
  p.first.m_wizardButtons = PSWIZB_NEXT;
  p.second.m_wizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
  p.third.m_wizardButtons = PSWIZB_BACK | PSWIZB_FINISH;
  auto enabled = [&](UINT nID) {
    HWND h = ::GetDlgItem(sheet.m_hWnd, nID);
    return h && ::IsWindowVisible(h) && ::IsWindowEnabled(h);
  };
  sheet.steps = {
      [&] {
        EXPECT_FALSE(enabled(ID_WIZBACK));
        EXPECT_TRUE(enabled(ID_WIZNEXT));
        sheet.PressButton(PSBTN_NEXT);
      },
      [&] {
        EXPECT_EQ(1, sheet.GetActiveIndex());
        EXPECT_TRUE(enabled(ID_WIZBACK));
        EXPECT_TRUE(enabled(ID_WIZNEXT));
        sheet.PressButton(PSBTN_NEXT);
      },
      [&] {
        EXPECT_EQ(2, sheet.GetActiveIndex());
        EXPECT_TRUE(enabled(ID_WIZBACK));
        EXPECT_TRUE(enabled(ID_WIZFINISH));
        sheet.PressButton(PSBTN_FINISH);
      },
  };
  EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
  EXPECT_EQ(3u, sheet.next);
}

// Answers the file dialogs the calling thread shows: types `name` and presses OK, or cancels.
class FileDialogAnswerer {
 public:
  explicit FileDialogAnswerer(std::string name) : m_name(std::move(name)) {
    s_self = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~FileDialogAnswerer() {
    ::UnhookWindowsHookEx(m_hook);
    s_self = nullptr;
  }
  int shown = 0;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    char className[16] = "";
    if (s_self && code == HCBT_ACTIVATE && ::GetClassNameA(hWnd, className, sizeof className) &&
        lstrcmpA(className, "#32770") == 0 && !CWnd::FromHandlePermanent(hWnd)) {
      ++s_self->shown;
      if (s_self->m_name.empty()) {
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      } else {
        // The name box is an edit or a combo box, by the dialog's version.
        ::SetDlgItemTextA(hWnd, edt1, s_self->m_name.c_str());
        ::SetDlgItemTextA(hWnd, cmb13, s_self->m_name.c_str());
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static FileDialogAnswerer* s_self;
  std::string m_name;
  HHOOK m_hook;
};
FileDialogAnswerer* FileDialogAnswerer::s_self = nullptr;

std::string TempFolder() {
  char path[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, path);
  return path;
}

TEST(FileDialog, SaveAndOpenGiveTheChosenFileAndCancelGivesNothing) {
  const std::string path = TempFolder() + "afx_filedialog_test.tvb";
  ::DeleteFileA(path.c_str());
  {
    FileDialogAnswerer answerer(path);
    CFileDialog save(FALSE, "tvb", "TVChl", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Channel files (*.tvb)|*.tvb|Profiles (*.ini)|*.ini||");
    ASSERT_EQ(IDOK, save.DoModal());
    EXPECT_EQ(1, answerer.shown);
    EXPECT_STRCASEEQ(path.c_str(), save.GetPathName());
    EXPECT_STREQ("afx_filedialog_test.tvb", save.GetFileName());
    EXPECT_STREQ("tvb", save.GetFileExt());
    EXPECT_STREQ("afx_filedialog_test", save.GetFileTitle());
  }
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  ::CloseHandle(h);
  {
    FileDialogAnswerer answerer(path);
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "Channel files (*.tvb)|*.tvb||");
    ASSERT_EQ(IDOK, open.DoModal());
    EXPECT_STRCASEEQ(path.c_str(), open.GetPathName());
  }
  {
    FileDialogAnswerer answerer("");
    CFileDialog open(TRUE);
    EXPECT_EQ(IDCANCEL, open.DoModal());
    EXPECT_EQ(1, answerer.shown);
  }
  ::DeleteFileA(path.c_str());
}

}  // namespace

// Dialogs on real windows: the modal loop and its idle calls, the pre-translation walk,
// subclassing, and the data exchange with its validation messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/DataExchange.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/HandleMap.h"
#include "platform/afx/StdControls.h"
#include "resources/ResourceIds.h"
#include "tests/platform/afx/WindowTestIds.h"
#include "tests/platform/afx/WindowTestUtil.h"

namespace {

class CKickDlg : public CDialog {
 public:
  CKickDlg() : CDialog(IDD_TIMED_MESSAGE) {}
  // "k<count>" per idle call, "app" per posted message.
  std::vector<std::string> events;
  BOOL visibleAtFirstKick = FALSE;
  CString text;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_TIMED_TEXT, "kick");
    return TRUE;
  }
  LRESULT OnKickIdle(WPARAM, LPARAM lCount) {
    if (events.empty())
      visibleAtFirstKick = IsWindowVisible();
    events.push_back("k" + std::to_string(lCount));
    if (lCount < 3)
      return TRUE;
    PostMessage(WM_APP);
    return FALSE;
  }
  LRESULT OnApp(WPARAM, LPARAM) {
    events.push_back("app");
    if (++m_nRuns == 2) {
      GetDlgItemText(IDC_TIMED_TEXT, text);
      EndDialog(42);
    }
    return 0;
  }
  int m_nRuns = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKickDlg, CDialog)
  ON_MESSAGE(WM_KICKIDLE, &CKickDlg::OnKickIdle)
  ON_MESSAGE(WM_APP, &CKickDlg::OnApp)
END_MESSAGE_MAP()

TEST(Dialog, ModalFromTheResourceLibraryKicksIdleWithARisingCount) {
  UseResourceLibrary();
  CKickDlg dlg;
  EXPECT_EQ(42, dlg.DoModal());
  EXPECT_TRUE(dlg.visibleAtFirstKick);
  EXPECT_STREQ("kick", dlg.text);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  // The window system's own messages (a mouse move after showing) may restart the count at any
  // time; the rules hold all the same: counts rise by one from 0, a 0 result stops the calls
  // until the next message, and every message starts again at 0.
  const std::vector<std::string>& e = dlg.events;
  ASSERT_EQ(2, std::count(e.begin(), e.end(), "app"));
  ASSERT_EQ("app", e.back());
  EXPECT_EQ("k0", e.front());
  for (size_t i = 1; i < e.size(); ++i) {
    if (e[i][0] == 'k' && e[i] != "k0") {
      EXPECT_EQ("k" + std::to_string(std::stoi(e[i].substr(1)) - 1), e[i - 1]) << i;
    }
    if (e[i - 1] == "k3") {
      EXPECT_EQ("app", e[i]) << i;
    }
    if (e[i - 1] == "app") {
      EXPECT_EQ("k0", e[i]) << i;
    }
  }

  CDialog missing(4711);
  EXPECT_EQ(-1, missing.DoModal());
}

// A modal dialog inside a handler of another: the outer handler's temporary wrapper must live
// through the inner loop's idle time and go at the outer loop's.
class CNestedDlg : public CDialog {
 public:
  explicit CNestedDlg(CWnd* pParent) : CDialog(IDD_TEST_PLAIN, pParent) {}
  BOOL outerTempAlive = FALSE;

 protected:
  LRESULT OnKickIdle(WPARAM, LPARAM) {
    outerTempAlive = AfxGetThreadState()->m_mapHWND.LookupTemporary(::GetDesktopWindow()) != nullptr;
    EndDialog(IDOK);
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestedDlg, CDialog)
  ON_MESSAGE(WM_KICKIDLE, &CNestedDlg::OnKickIdle)
END_MESSAGE_MAP()

class COuterDlg : public CDialog {
 public:
  COuterDlg() : CDialog(IDD_TEST_PLAIN) {}
  BOOL aliveInNestedIdle = FALSE;
  BOOL aliveAfterNested = FALSE;
  BOOL aliveAfterOuterIdle = TRUE;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    PostMessage(WM_APP);
    return TRUE;
  }
  LRESULT OnApp(WPARAM, LPARAM) {
    CWnd* pDesktop = CWnd::FromHandle(::GetDesktopWindow());
    CNestedDlg nested(this);
    nested.DoModal();
    aliveInNestedIdle = nested.outerTempAlive;
    aliveAfterNested = pDesktop->m_hWnd == ::GetDesktopWindow();
    m_bNestedDone = TRUE;
    return 0;
  }
  LRESULT OnKickIdle(WPARAM, LPARAM) {
    if (m_bNestedDone) {
      aliveAfterOuterIdle = AfxGetThreadState()->m_mapHWND.LookupTemporary(::GetDesktopWindow()) != nullptr;
      EndDialog(IDOK);
    }
    return FALSE;
  }
  BOOL m_bNestedDone = FALSE;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDlg, CDialog)
  ON_MESSAGE(WM_APP, &COuterDlg::OnApp)
  ON_MESSAGE(WM_KICKIDLE, &COuterDlg::OnKickIdle)
END_MESSAGE_MAP()

TEST(Dialog, NestedModalLoopKeepsTheOuterHandlersTemporaries) {
  AfxSetResourceHandle(nullptr);
  CWnd::DeleteTempMap();
  COuterDlg dlg;
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(dlg.aliveInNestedIdle);
  EXPECT_TRUE(dlg.aliveAfterNested);
  EXPECT_FALSE(dlg.aliveAfterOuterIdle);
}

// The pre-translation walk: from the window the key was sent to, up through its parents.
class CLoggingEdit : public CEdit {
 public:
  std::vector<std::string>* log = nullptr;
  int nPreSubclass = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message != WM_KEYDOWN)
      return FALSE;
    log->push_back("edit " + std::to_string(pMsg->wParam));
    return pMsg->wParam == 'X';
  }

 protected:
  void PreSubclassWindow() override { ++nPreSubclass; }
};

class CWalkDlg : public CDialog {
 public:
  CWalkDlg() : CDialog(IDD_TEST_PLAIN) { edit.log = &log; }
  std::vector<std::string> log;
  CLoggingEdit edit;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN)
      log.push_back("dialog " + std::to_string(pMsg->wParam));
    return CDialog::PreTranslateMessage(pMsg);
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEXT, edit); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    edit.PostMessage(WM_KEYDOWN, 'X');
    edit.PostMessage(WM_KEYDOWN, VK_ESCAPE);
    return TRUE;
  }
};

TEST(Dialog, KeysWalkFromTheControlUpToTheDialog) {
  AfxSetResourceHandle(nullptr);
  CWalkDlg dlg;
  // Esc reaches the dialog manager through the dialog's pre-translation and cancels.
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  const std::string esc = std::to_string(VK_ESCAPE);
  EXPECT_EQ((std::vector<std::string>{"edit 88", "edit " + esc, "dialog " + esc}), dlg.log);
  EXPECT_EQ(1, dlg.edit.nPreSubclass);
}

class CCountingEdit : public CEdit {
 public:
  int nChars = 0;
  int nPreSubclass = 0;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    ++nChars;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
  }
  void PreSubclassWindow() override { ++nPreSubclass; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
  ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(Subclassing, TakesAndGivesBackAnExistingControl) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(7), nullptr, nullptr);
  const LONG_PTR original = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);

  CCountingEdit edit;
  ASSERT_TRUE(edit.SubclassDlgItem(7, &parent));
  EXPECT_EQ(1, edit.nPreSubclass);
  EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));
  EXPECT_FALSE(CCountingEdit().SubclassWindow(hEdit));
  ::SendMessageA(hEdit, WM_CHAR, 'a', 0);
  ::SendMessageA(hEdit, WM_CHAR, 'b', 0);
  EXPECT_EQ(2, edit.nChars);
  // The control's own procedure still ran underneath.
  CString text;
  edit.GetWindowText(text);
  EXPECT_STREQ("ab", text);

  EXPECT_EQ(hEdit, edit.UnsubclassWindow());
  EXPECT_EQ(original, ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
  ::SendMessageA(hEdit, WM_CHAR, 'c', 0);
  EXPECT_EQ(2, edit.nChars);
}

// Data exchange: the values go into the controls at initialisation and come back on request;
// bad input shows the framework's message, puts the focus on the control and keeps OK from
// closing the dialog.
class CDataDlg : public CDialog {
 public:
  CDataDlg() : CDialog(IDD_TEST_DATA) {}
  CString m_text = "hello";
  int m_number = 300;
  UINT m_unsigned = 7;
  double m_real = 2.5;
  int m_check = 1;
  int m_radio = 2;
  int m_choice = 1;
  CEdit m_other;
  std::function<void(CDataDlg&)> script;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_TEXT, m_text);
    DDV_MaxChars(pDX, m_text, 8);
    DDX_Text(pDX, IDC_NUMBER, m_number);
    DDV_MinMaxInt(pDX, m_number, 200, 600);
    DDX_Text(pDX, IDC_UNSIGNED, m_unsigned);
    DDX_Text(pDX, IDC_REAL, m_real);
    DDX_Check(pDX, IDC_CHECK, m_check);
    DDX_Radio(pDX, IDC_RADIO_A, m_radio);
    DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
    DDX_Control(pDX, IDC_OTHER, m_other);
  }
  BOOL OnInitDialog() override {
    for (const char* item : {"one", "two", "three"})
      SendDlgItemMessage(IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    CDialog::OnInitDialog();
    PostMessage(WM_APP);
    return TRUE;
  }
  LRESULT OnApp(WPARAM, LPARAM) {
    script(*this);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDataDlg, CDialog)
  ON_MESSAGE(WM_APP, &CDataDlg::OnApp)
END_MESSAGE_MAP()

std::string ItemText(CWnd& dlg, int nID) {
  CString text;
  dlg.GetDlgItemText(nID, text);
  return static_cast<LPCSTR>(text);
}

std::string Formatted(UINT nID, LPCSTR a, LPCSTR b) {
  CString text;
  AfxFormatString2(text, nID, a, b);
  return static_cast<LPCSTR>(text);
}

TEST(DataExchange, LoadsSavesAndValidatesWithTheFrameworkMessages) {
  HINSTANCE library = UseResourceLibrary();
  CDataDlg dlg;
  MessageBoxAnswerer answerer;
  std::vector<std::string> failures;
  dlg.script = [&](CDataDlg& d) {
    EXPECT_EQ("hello", ItemText(d, IDC_TEXT));
    EXPECT_EQ("300", ItemText(d, IDC_NUMBER));
    EXPECT_EQ("7", ItemText(d, IDC_UNSIGNED));
    EXPECT_EQ("2.5", ItemText(d, IDC_REAL));
    EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(IDC_RADIO_C, d.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C));
    EXPECT_EQ(1, d.SendDlgItemMessage(IDC_CHOICE, CB_GETCURSEL));
    EXPECT_EQ(d.GetDlgItem(IDC_OTHER)->m_hWnd, d.m_other.m_hWnd);

    d.SetDlgItemText(IDC_TEXT, "world");
    d.SetDlgItemText(IDC_UNSIGNED, " 12 ");
    d.SetDlgItemText(IDC_REAL, "-0.125");
    d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    d.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_A);
    d.SendDlgItemMessage(IDC_CHOICE, CB_SETCURSEL, 2);
    const HWND hOther = d.m_other.m_hWnd;
    EXPECT_TRUE(d.UpdateData(TRUE));
    EXPECT_STREQ("world", d.m_text);
    EXPECT_EQ(12u, d.m_unsigned);
    EXPECT_EQ(-0.125, d.m_real);
    EXPECT_EQ(0, d.m_check);
    EXPECT_EQ(0, d.m_radio);
    EXPECT_EQ(2, d.m_choice);
    EXPECT_EQ(hOther, d.m_other.m_hWnd);

    struct Row {
      int nID;
      const char* input;
      std::string message;  // empty: accepted
    } rows[] = {
        {IDC_NUMBER, "450", ""},
        {IDC_NUMBER, " 201 ", ""},
        {IDC_NUMBER, "199", Formatted(AFX_IDP_PARSE_INT_RANGE, "200", "600")},
        {IDC_NUMBER, "601", Formatted(AFX_IDP_PARSE_INT_RANGE, "200", "600")},
        {IDC_NUMBER, "abc", Formatted(AFX_IDP_PARSE_INT, nullptr, nullptr)},
        {IDC_NUMBER, "", Formatted(AFX_IDP_PARSE_INT, nullptr, nullptr)},
        {IDC_NUMBER, "12x", Formatted(AFX_IDP_PARSE_INT, nullptr, nullptr)},
        {IDC_NUMBER, "99999999999", Formatted(AFX_IDP_PARSE_INT, nullptr, nullptr)},
        {IDC_UNSIGNED, "-1", Formatted(AFX_IDP_PARSE_UINT, nullptr, nullptr)},
        {IDC_REAL, "1.5e", Formatted(AFX_IDP_PARSE_REAL, nullptr, nullptr)},
        {IDC_TEXT, "123456789", Formatted(AFX_IDP_PARSE_STRING_SIZE, "8", nullptr)},
    };
    for (const Row& row : rows) {
      const std::string before = ItemText(d, row.nID);
      d.SetDlgItemText(row.nID, row.input);
      answerer.boxes.clear();
      const BOOL ok = d.UpdateData(TRUE);
      const std::string shown = answerer.boxes.empty() ? "" : answerer.boxes[0].text;
      if (ok != row.message.empty() || shown != row.message || answerer.boxes.size() > 1)
        failures.push_back(std::string(row.input) + " -> " + shown);
      if (!ok && CWnd::GetFocus()->GetSafeHwnd() != d.GetDlgItem(row.nID)->m_hWnd)
        failures.push_back(std::string(row.input) + ": focus elsewhere");
      d.SetDlgItemText(row.nID, before.c_str());
    }

    // OK with a bad value keeps the dialog; with a good one it ends with IDOK.
    d.SetDlgItemText(IDC_NUMBER, "601");
    d.SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(d.ContinueModal());
    d.SetDlgItemText(IDC_NUMBER, "500");
    d.SendMessage(WM_COMMAND, IDOK);
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(500, dlg.m_number);
  EXPECT_EQ(std::vector<std::string>{}, failures);

  // The messages came from the resource library, not the built-in texts.
  CString fromLibrary;
  fromLibrary.LoadString(library, AFX_IDP_PARSE_INT_RANGE);
  EXPECT_NE(std::string::npos, Formatted(AFX_IDP_PARSE_INT_RANGE, "200", "600").find(
                                   static_cast<LPCSTR>(fromLibrary.Left(fromLibrary.Find('%')))));
  EXPECT_FALSE(fromLibrary.IsEmpty());
}

}  // namespace

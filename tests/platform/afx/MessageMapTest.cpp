// Message maps, reflection and the window handle maps, on real windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dc.h"
#include "platform/afx/Menu.h"
#include "platform/afx/StdControls.h"
#include "tests/platform/afx/WindowTestUtil.h"

namespace {

const UINT WM_PING = WM_APP + 1;
const UINT kNotifyCode = 0x1234;
const int kButtonId = 300;
const int kStaticId = 301;
const int kOwnerDrawId = 302;

class CBaseTestWnd : public CWnd {
 public:
  std::vector<std::string> log;
  int nPostNcDestroyCalls = 0;

  BOOL CreateTopLevel() {
    return CreateEx(0, AfxRegisterWndClass(0), "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
  }

 protected:
  void OnSize(UINT, int cx, int cy) { log.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy)); }
  void OnCommandA() { log.push_back("base A"); }
  void OnCommandB() { log.push_back("base B"); }
  LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return wParam + lParam; }
  void PostNcDestroy() override { ++nPostNcDestroyCalls; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
  ON_WM_SIZE()
  ON_COMMAND(101, &CBaseTestWnd::OnCommandA)
  ON_COMMAND(102, &CBaseTestWnd::OnCommandB)
  ON_MESSAGE(WM_PING, &CBaseTestWnd::OnPing)
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd {
 protected:
  void OnCommandB2() { log.push_back("derived B"); }
  void OnRange(UINT nID) { log.push_back("range " + std::to_string(nID)); }
  void OnButton() { log.push_back("parent clicked"); }
  void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult) {
    log.push_back("parent notify " + std::to_string(pNMHDR->idFrom));
    *pResult = 42;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
  ON_COMMAND(102, &CDerivedTestWnd::OnCommandB2)
  ON_COMMAND_RANGE(200, 209, &CDerivedTestWnd::OnRange)
  ON_BN_CLICKED(kButtonId, &CDerivedTestWnd::OnButton)
  ON_NOTIFY(kNotifyCode, kStaticId, &CDerivedTestWnd::OnChildNotify)
END_MESSAGE_MAP()

// A button that takes its own clicks, or lets the parent see them as well.
class CSelfClickButton : public CButton {
 public:
  std::vector<std::string>* log = nullptr;
  BOOL passOn = FALSE;
  int nDrawn = 0;

 protected:
  BOOL OnClicked() {
    log->push_back("button clicked");
    return !passOn;
  }
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    ++nDrawn;
    CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 0, 255));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClickButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CSelfClickButton::OnClicked)
END_MESSAGE_MAP()

// A static that colours itself and answers notifications of its own code.
class CSelfColourStatic : public CStatic {
 public:
  CBrush brush{RGB(10, 20, 30)};
  BOOL takeNotify = FALSE;

 protected:
  HBRUSH CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(RGB(255, 0, 0));
    return brush;
  }
  BOOL OnNotifyReflect(NMHDR*, LRESULT* pResult) {
    *pResult = 7;
    return takeNotify;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfColourStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_NOTIFY_REFLECT_EX(kNotifyCode, &CSelfColourStatic::OnNotifyReflect)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesWinAndTheRestChainsToTheBase) {
  CDerivedTestWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  wnd.log.clear();

  struct Row {
    UINT nCommand;
    const char* expected;  // nullptr: nobody handles it
  } rows[] = {{101, "base A"}, {102, "derived B"}, {200, "range 200"}, {209, "range 209"}, {210, nullptr}};
  for (const Row& row : rows) {
    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, row.nCommand);
    if (row.expected)
      EXPECT_EQ(std::vector<std::string>{row.expected}, wnd.log) << row.nCommand;
    else
      EXPECT_TRUE(wnd.log.empty()) << row.nCommand;
  }
  EXPECT_EQ(5, wnd.SendMessage(WM_PING, 2, 3));

  wnd.log.clear();
  wnd.SetWindowPos(nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER);
  CRect client;
  wnd.GetClientRect(&client);
  ASSERT_FALSE(wnd.log.empty());
  EXPECT_EQ("base size " + std::to_string(client.Width()) + "x" + std::to_string(client.Height()), wnd.log.back());

  HWND hWnd = wnd.m_hWnd;
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
  EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
  wnd.DestroyWindow();
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
  EXPECT_EQ(1, wnd.nPostNcDestroyCalls);
}

TEST(MessageMap, ControlsHandleTheirOwnNotificationsBeforeTheParent) {
  CDerivedTestWnd parent;
  ASSERT_TRUE(parent.CreateTopLevel());
  CSelfClickButton button;
  button.log = &parent.log;
  ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, kButtonId));
  CSelfColourStatic label;
  ASSERT_TRUE(label.Create("s", WS_CHILD | WS_VISIBLE, CRect(50, 0, 90, 20), &parent, kStaticId));

  // A reflected handler that takes the click hides it from the parent; one that declines does not.
  for (BOOL passOn : {FALSE, TRUE}) {
    parent.log.clear();
    button.passOn = passOn;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    std::vector<std::string> expected{"button clicked"};
    if (passOn)
      expected.push_back("parent clicked");
    EXPECT_EQ(expected, parent.log) << passOn;
  }

  // Notifications: the control's reflected entry first; when it declines, the parent's ON_NOTIFY.
  NMHDR nmhdr = {label.m_hWnd, static_cast<UINT_PTR>(kStaticId), kNotifyCode};
  label.takeNotify = TRUE;
  parent.log.clear();
  EXPECT_EQ(7, parent.SendMessage(WM_NOTIFY, kStaticId, reinterpret_cast<LPARAM>(&nmhdr)));
  EXPECT_TRUE(parent.log.empty());
  label.takeNotify = FALSE;
  EXPECT_EQ(42, parent.SendMessage(WM_NOTIFY, kStaticId, reinterpret_cast<LPARAM>(&nmhdr)));
  EXPECT_EQ(std::vector<std::string>{"parent notify " + std::to_string(kStaticId)}, parent.log);

  // The parent's colour message comes back to the static, which picks its own brush.
  CClientDC dc(&label);
  EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(label.brush)),
            parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(label.m_hWnd)));
  EXPECT_EQ(RGB(255, 0, 0), dc.GetTextColor());

  // Painting an owner-drawn button reaches its DrawItem through the parent.
  parent.ShowWindow(SW_SHOW);
  button.Invalidate();
  button.UpdateWindow();
  EXPECT_GE(button.nDrawn, 1);
}

TEST(HandleMap, TemporaryWrappersLastUntilTheirLoopIdles) {
  HWND hDesktop = ::GetDesktopWindow();
  CWnd::DeleteTempMap();
  const int nBefore = TemporaryWindowCount();
  CWnd* pTemp = CWnd::FromHandle(hDesktop);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(pTemp, CWnd::FromHandle(hDesktop));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDesktop));
  EXPECT_EQ(hDesktop, pTemp->m_hWnd);
  EXPECT_EQ(nBefore + 1, TemporaryWindowCount());
  CWnd::DeleteTempMap();
  EXPECT_EQ(nBefore, TemporaryWindowCount());
  EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

  // Attaching makes the object the window's permanent one; detaching gives the window back.
  CBaseTestWnd owner;
  ASSERT_TRUE(owner.CreateTopLevel());
  HWND hChild = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 10, 10, owner.m_hWnd, nullptr, nullptr, nullptr);
  CWnd attached;
  EXPECT_TRUE(attached.Attach(hChild));
  EXPECT_FALSE(CWnd().Attach(hChild));
  EXPECT_EQ(&attached, CWnd::FromHandle(hChild));
  EXPECT_EQ(hChild, attached.Detach());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
  EXPECT_TRUE(::IsWindow(hChild));
}

// Owner-drawn menu items are measured and drawn by the object of the menu that holds them.
class CLoggingMenu : public CMenu {
 public:
  std::vector<std::string>* log = nullptr;
  std::string name;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    log->push_back(name + " draws " + std::to_string(lpDrawItemStruct->itemID));
  }
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override {
    log->push_back(name + " measures " + std::to_string(lpMeasureItemStruct->itemID));
    lpMeasureItemStruct->itemHeight = 20;
  }
};

TEST(MessageMap, OwnerDrawnMenuItemsReachTheirMenuObjects) {
  CBaseTestWnd wnd;
  ASSERT_TRUE(wnd.CreateTopLevel());
  CLoggingMenu bar, popup;
  bar.log = popup.log = &wnd.log;
  bar.name = "bar";
  popup.name = "popup";
  ASSERT_TRUE(bar.CreateMenu());
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_OWNERDRAW, 501);
  bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "File");
  ASSERT_TRUE(wnd.SetMenu(&bar));
  wnd.log.clear();

  MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 501, 0, 0, 0};
  wnd.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  EXPECT_EQ(20u, measure.itemHeight);
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.itemID = 501;
  draw.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
  wnd.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ((std::vector<std::string>{"popup measures 501", "popup draws 501"}), wnd.log);

  EXPECT_EQ(&popup, bar.GetSubMenu(0));
  EXPECT_EQ(&popup, AfxFindPopupMenuFromID(&bar, 501));
  EXPECT_EQ(&bar, AfxFindPopupMenuFromID(&bar, static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup.m_hMenu))));
  wnd.SetMenu(nullptr);
  bar.RemoveMenu(0, MF_BYPOSITION);
}

TEST(WindowHelpers, StylesAndCentring) {
  CBaseTestWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
  EXPECT_FALSE(wnd.ModifyStyle(0, WS_POPUP));
  EXPECT_TRUE(wnd.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
  EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
  EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
  EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);

  // Without an owner the window is centred in the work area; a child in its parent's client area.
  wnd.CenterWindow();
  MONITORINFO mi = {sizeof mi};
  ::GetMonitorInfoA(::MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
  CRect rect;
  wnd.GetWindowRect(&rect);
  EXPECT_EQ((mi.rcWork.left + mi.rcWork.right) / 2 - 100, rect.left);
  EXPECT_EQ((mi.rcWork.top + mi.rcWork.bottom) / 2 - 50, rect.top);

  CStatic child;
  ASSERT_TRUE(child.Create("c", WS_CHILD, CRect(0, 0, 40, 20), &wnd));
  child.CenterWindow();
  CRect client, placed;
  wnd.GetClientRect(&client);
  child.GetWindowRect(&placed);
  wnd.ScreenToClient(&placed);
  EXPECT_EQ(client.Width() / 2 - 20, placed.left);
  EXPECT_EQ(client.Height() / 2 - 10, placed.top);
}

}  // namespace

#include "foundation/TimedMessageBox.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Without a window manager (Xvfb), Wine waits two seconds for every managed window it hides; this
// program's windows need no management. Written before the first window loads the display driver.
const bool g_unmanaged = [] {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\UtilitiesTest.exe\\X11 Driver", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
  }
  return true;
}();

std::vector<std::string> g_titles;
std::string g_caption, g_message;
int g_pressAfterTitles = -1;  // press "No" once this many countdown titles were seen
HHOOK g_hook = nullptr;

LRESULT CALLBACK WatchBox(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    char cls[16] = {};
    GetClassNameA(m->hwnd, cls, sizeof cls);
    if (m->message == WM_SETTEXT && lstrcmpA(cls, "#32770") == 0 && m->lParam) {
      g_titles.push_back(reinterpret_cast<const char*>(m->lParam));
      if (g_titles.back().rfind("Left Seconds: ", 0) == 0 && g_caption.empty()) {
        // The hook runs before the box takes the new title: this is still the caller's caption.
        char text[260] = {};
        GetWindowTextA(m->hwnd, text, sizeof text);
        g_caption = text;
        GetDlgItemTextA(m->hwnd, 0xFFFF, text, sizeof text);
        g_message = text;
      }
      if (g_titles.back().rfind("Left Seconds: ", 0) == 0 && --g_pressAfterTitles == 0)
        PostMessageA(m->hwnd, WM_COMMAND, IDNO, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

class TimedMessageBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_titles.clear();
    g_caption.clear();
    g_message.clear();
    g_pressAfterTitles = -1;
    SetTimedMessageBoxTick(30);
    g_hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchBox, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, g_hook);
  }
  void TearDown() override {
    UnhookWindowsHookEx(g_hook);
    SetTimedMessageBoxTick(1000);
  }
  static std::vector<std::string> CountdownTitles() {
    std::vector<std::string> out;
    for (auto& t : g_titles)
      if (t.rfind("Left Seconds: ", 0) == 0) out.push_back(t);
    return out;
  }
};

TEST_F(TimedMessageBoxTest, CountsDownAndReturnsTheDefault) {
  DWORD start = GetTickCount();
  int result = TimedMessageBox(nullptr, "Recording will stop.", "Disk", IDRETRY, MB_YESNO, 2500);
  DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(IDRETRY, result);
  EXPECT_EQ((std::vector<std::string>{"Left Seconds: 2", "Left Seconds: 1"}), CountdownTitles());
  EXPECT_GE(elapsed, 60u);  // three ticks of 30 ms
  EXPECT_EQ("Disk", g_caption);
  EXPECT_EQ("Recording will stop.", g_message);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a stray quit was left behind";
}

TEST_F(TimedMessageBoxTest, ShortTimeOutStillCountsOneSecond) {
  struct Row { UINT timeout; size_t titles; } rows[] = {{999, 0}, {1000, 1}, {1999, 1}, {2000, 2}};
  for (auto& r : rows) {
    g_titles.clear();
    EXPECT_EQ(IDCANCEL, TimedMessageBox(nullptr, "t", "c", IDCANCEL, MB_OK, r.timeout)) << r.timeout;
    EXPECT_EQ(r.titles, CountdownTitles().size()) << r.timeout;
  }
}

TEST_F(TimedMessageBoxTest, PressedButtonWins) {
  g_pressAfterTitles = 1;
  int result = TimedMessageBox(nullptr, "Stop recording?", "Disk", IDRETRY, MB_YESNO, 5000);
  EXPECT_EQ(IDNO, result);
  // The timer is gone: no late quit arrives.
  Sleep(100);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) EXPECT_NE(static_cast<UINT>(WM_QUIT), msg.message);
}

TEST_F(TimedMessageBoxTest, TextsFromResources) {
  g_pressAfterTitles = 1;
  EXPECT_EQ(IDNO, TimedMessageBoxRes(nullptr, 101, 102, IDRETRY, MB_YESNO, 3000));
  EXPECT_EQ((std::vector<std::string>{"Left Seconds: 3"}), CountdownTitles());
  EXPECT_EQ("Disk", g_caption);
  EXPECT_EQ("Recording will stop.", g_message);
}

}  // namespace

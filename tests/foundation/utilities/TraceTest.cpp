#include "foundation/Trace.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_received;

LRESULT CALLBACK DebugWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETTEXT && lp) g_received.push_back(reinterpret_cast<const char*>(lp));
  return DefWindowProcA(wnd, msg, wp, lp);
}

HWND CreateDebugWindow(const char* title) {
  static ATOM cls = 0;
  if (!cls) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DebugWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OndrixDebugHelperTest";
    cls = RegisterClassA(&wc);
  }
  return CreateWindowExA(0, "OndrixDebugHelperTest", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

struct ThreadArgs {
  HANDLE ready;
};

DWORD WINAPI DebugWindowThread(LPVOID p) {
  HWND wnd = CreateDebugWindow("DebugHelper ");
  SetEvent(static_cast<ThreadArgs*>(p)->ready);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  DestroyWindow(wnd);
  return 0;
}

TEST(DebugHelperTrace, NoWindowNoTrace) {
  g_received.clear();
  EXPECT_EQ(0, DebugHelperTrace("nobody listens %d", 1));
  HWND almost = CreateDebugWindow("DebugHelper");  // without the trailing blank
  EXPECT_EQ(0, DebugHelperTrace("still nobody"));
  DestroyWindow(almost);
  EXPECT_TRUE(g_received.empty());
}

TEST(DebugHelperTrace, SendsFormattedLinesAndFindsANewWindow) {
  g_received.clear();
  HWND wnd = CreateDebugWindow("DebugHelper ");
  ASSERT_NE(nullptr, wnd);
  EXPECT_EQ(1, DebugHelperTrace("WatchDisk WPARAM: %s,LPARAM: %d\n", "C:\\", 300));
  EXPECT_EQ(1, DebugHelperTrace("频道 %02d", 7));
  CString channel("CCTV-1");
  EXPECT_EQ(1, DebugHelperTrace("%s", channel));
  ASSERT_EQ(3u, g_received.size());
  EXPECT_EQ("WatchDisk WPARAM: C:\\,LPARAM: 300\n", g_received[0]);
  EXPECT_EQ("频道 07", g_received[1]);
  EXPECT_EQ("CCTV-1", g_received[2]);
  char title[64] = {};
  GetWindowTextA(wnd, title, sizeof title);
  EXPECT_STREQ("CCTV-1", title);
  DestroyWindow(wnd);

  EXPECT_EQ(0, DebugHelperTrace("gone"));
  HWND again = CreateDebugWindow("DebugHelper ");
  EXPECT_EQ(1, DebugHelperTrace("back"));
  EXPECT_EQ("back", g_received.back());
  DestroyWindow(again);
}

TEST(DebugHelperTrace, WindowOfAnotherThreadGetsTheLineSynchronously) {
  g_received.clear();
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD threadId = 0;
  ThreadArgs args = {ready};
  HANDLE thread = CreateThread(nullptr, 0, DebugWindowThread, &args, 0, &threadId);
  WaitForSingleObject(ready, 5000);
  EXPECT_EQ(1, DebugHelperTrace("from %s", "afar"));
  ASSERT_EQ(1u, g_received.size());  // SendMessage returned only after the window had it
  EXPECT_EQ("from afar", g_received[0]);
  PostThreadMessageA(threadId, WM_QUIT, 0, 0);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(ready);
}

TEST(NullTrace, DoesNothing) { EXPECT_EQ(0, NullTrace("%s %d", CString("x"), 1)); }

}  // namespace

// The build itself: GBK literals survive a round trip through an "A" call under code page 936.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <thread>

TEST(Toolchain, AnsiCodePageIsChinese) { EXPECT_EQ(936u, GetACP()); }

TEST(Toolchain, GbkLiteralRoundTripsThroughAnsiCall) {
  const char* text = "黑体";
  ASSERT_EQ(4u, std::strlen(text));  // two double-byte characters
  HWND wnd = CreateWindowExA(0, "STATIC", text, 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, wnd);
  char back[32] = {};
  GetWindowTextA(wnd, back, sizeof back);
  WCHAR wide[8] = {};
  GetWindowTextW(wnd, wide, 8);
  DestroyWindow(wnd);
  EXPECT_STREQ(text, back);
  EXPECT_EQ(0x9ED1, wide[0]);
  EXPECT_EQ(0x4F53, wide[1]);
}

TEST(Toolchain, StdThreadRuns) {
  int v = 0;
  std::thread t([&] { v = 42; });
  t.join();
  EXPECT_EQ(42, v);
}

#include "foundation/DiskWatcher.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "FakeDisks.h"
#include "tests/foundation/timer/MessagePump.h"

namespace {

struct Posted {
  HWND wnd;
  std::string root;
  LPARAM freeMB;
};
std::vector<Posted> g_posted;

LRESULT CALLBACK PanelProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DISK_SPACE_LOW) g_posted.push_back({wnd, reinterpret_cast<const char*>(wp), lp});
  return DefWindowProcA(wnd, msg, wp, lp);
}

HWND CreatePanel() {
  static ATOM cls = 0;
  if (!cls) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OndrixDiskWatcherTest";
    cls = RegisterClassA(&wc);
  }
  return CreateWindowExA(0, "OndrixDiskWatcherTest", "panel", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

class DiskWatcherTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_posted.clear();
    FakeDisks().clear();
    FakeDisks()["C:\\"] = {100000, 50000};
    CDriveInfo::SetSpaceQuery(FakeSpaceQuery);
    panel_ = CreatePanel();
    ASSERT_NE(nullptr, panel_);
  }
  void TearDown() override {
    DestroyWindow(panel_);
    CDriveInfo::SetSpaceQuery(nullptr);
  }
  HWND panel_ = nullptr;
};

TEST_F(DiskWatcherTest, PostsWhileFreeSpaceIsAtOrBelowTheLimit) {
  struct Row { ULONGLONG free; bool posts; } rows[] = {{301, false}, {300, true}, {299, true}, {0, true}};
  for (auto& r : rows) {
    g_posted.clear();
    FakeDisks()["C:\\"] = {100000, r.free};
    CDiskWatcher watcher;
    ASSERT_TRUE(watcher.Init(panel_));
    ASSERT_TRUE(watcher.SetWatch("C:\\", 300));
    watcher.Start(10);
    EXPECT_TRUE(watcher.IsRunning());
    if (r.posts) {
      EXPECT_TRUE(PumpMessages(3000, [] { return g_posted.size() >= 3; })) << r.free << " MB: repeats every period";
      for (const Posted& p : g_posted) {
        EXPECT_EQ(panel_, p.wnd);
        EXPECT_EQ("C:\\", p.root);
        EXPECT_EQ(static_cast<LPARAM>(r.free), p.freeMB);
      }
    } else {
      PumpMessages(100);
      EXPECT_TRUE(g_posted.empty()) << r.free << " MB";
    }
  }
}

TEST_F(DiskWatcherTest, MessagesFollowTheSpaceAsItChanges) {
  CDiskWatcher watcher;
  ASSERT_TRUE(watcher.Init(panel_));
  ASSERT_TRUE(watcher.SetWatch("c:\\", 300));
  watcher.Start(10);
  PumpMessages(60);
  EXPECT_TRUE(g_posted.empty());
  FakeDisks()["C:\\"].freeMB = 250;
  EXPECT_TRUE(PumpMessages(3000, [] { return !g_posted.empty(); }));
  EXPECT_EQ(250, g_posted.back().freeMB);
  FakeDisks()["C:\\"].freeMB = 400;
  PumpMessages(30);
  g_posted.clear();
  PumpMessages(60);
  EXPECT_TRUE(g_posted.empty());
  watcher.Stop();
  EXPECT_FALSE(watcher.IsRunning());
}

TEST_F(DiskWatcherTest, UnknownRootIsRefused) {
  CDiskWatcher watcher;
  EXPECT_FALSE(watcher.SetWatch("C:\\", 300)) << "before Init the list is empty";
  ASSERT_TRUE(watcher.Init(panel_));
  EXPECT_FALSE(watcher.SetWatch("Q:\\", 300));
  EXPECT_EQ(nullptr, watcher.GetWatchedDrive());
  EXPECT_TRUE(watcher.SetWatch("C:\\", 300));
  ASSERT_NE(nullptr, watcher.GetWatchedDrive());
  EXPECT_STREQ("C:\\", watcher.GetWatchedDrive()->GetRoot());
}

TEST_F(DiskWatcherTest, WatchersShareOneCallbackButPostOnlyTheirOwn) {
  HWND other = CreatePanel();
  FakeDisks()["C:\\"] = {100000, 200};
  CDiskWatcher low, fine;
  ASSERT_TRUE(low.Init(panel_));
  ASSERT_TRUE(fine.Init(other));
  ASSERT_TRUE(low.SetWatch("C:\\", 300));
  ASSERT_TRUE(fine.SetWatch("C:\\", 100));
  low.Start(10);
  fine.Start(10);
  EXPECT_TRUE(PumpMessages(3000, [] { return g_posted.size() >= 3; }));
  for (const Posted& p : g_posted) EXPECT_EQ(panel_, p.wnd);
  // Both keep running: each check restarts the timer that fired.
  FakeDisks()["C:\\"].freeMB = 50;
  EXPECT_TRUE(PumpMessages(3000, [other] {
    for (const Posted& p : g_posted)
      if (p.wnd == other) return true;
    return false;
  }));
  DestroyWindow(other);
}

// A message still queued when the watcher goes still carries a readable root.
TEST_F(DiskWatcherTest, DestroyedWatcherFallsSilent) {
  FakeDisks()["C:\\"] = {100000, 10};
  CDiskWatcher* watcher = new CDiskWatcher;
  ASSERT_TRUE(watcher->Init(panel_));
  ASSERT_TRUE(watcher->SetWatch("C:\\", 300));
  watcher->Start(10);
  EXPECT_TRUE(PumpMessages(3000, [] { return !g_posted.empty(); }));
  g_posted.clear();
  watcher->WatchDisk();  // queued, not yet delivered
  delete watcher;
  PumpMessages(20);
  ASSERT_FALSE(g_posted.empty());
  EXPECT_EQ("C:\\", g_posted.front().root);
  g_posted.clear();
  PumpMessages(60);
  EXPECT_TRUE(g_posted.empty());
}

// Reading the drive list again replaces its entries: the watcher must not keep pointing into the old ones.
TEST_F(DiskWatcherTest, InitAgainForgetsTheWatchedDrive) {
  FakeDisks()["C:\\"] = {100000, 10};
  CDiskWatcher watcher;
  ASSERT_TRUE(watcher.Init(panel_));
  ASSERT_TRUE(watcher.SetWatch("C:\\", 300));
  ASSERT_TRUE(watcher.Init(panel_));
  EXPECT_EQ(nullptr, watcher.GetWatchedDrive());
  watcher.Start(10);
  PumpMessages(60);
  EXPECT_TRUE(g_posted.empty());
}

}  // namespace

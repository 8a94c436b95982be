#include "foundation/CallbackTimer.h"

#include <gtest/gtest.h>
#include <vector>

#include "tests/foundation/timer/MessagePump.h"

namespace {

int g_ticks = 0;
int g_result = 0;
std::vector<int> g_firedDuringCallback;
CCallbackTimer* g_first = nullptr;
CCallbackTimer* g_second = nullptr;

int Count() {
  ++g_ticks;
  return g_result;
}

// One callback for two timers: which one woke it shows in IsFired.
int WhichFired() {
  g_firedDuringCallback.push_back((g_first && g_first->IsFired() ? 1 : 0) | (g_second && g_second->IsFired() ? 2 : 0));
  return 0;
}

class CallbackTimerTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_ticks = 0;
    g_result = 0;
    g_firedDuringCallback.clear();
    g_first = g_second = nullptr;
  }
};

TEST_F(CallbackTimerTest, FiresOnTheMessageLoopUntilStopped) {
  CCallbackTimer timer;
  EXPECT_EQ(0u, timer.GetTimerId());
  timer.SetCallback(Count);
  timer.Start(10);
  EXPECT_NE(0u, timer.GetTimerId());
  EXPECT_EQ(10u, timer.GetPeriod());
  EXPECT_EQ(0, g_ticks) << "ticks come only through the message loop";
  EXPECT_TRUE(PumpMessages(2000, [] { return g_ticks >= 3; }));
  EXPECT_EQ(0, timer.IsFired());
  timer.Stop();
  int after = g_ticks;
  PumpMessages(60);
  EXPECT_EQ(after, g_ticks);
  UINT_PTR id = timer.GetTimerId();
  EXPECT_NE(0u, id) << "a stop keeps the id";
  timer.Stop();  // twice: harmless
}

TEST_F(CallbackTimerTest, NegativeResultStopsTheTimer) {
  CCallbackTimer timer;
  timer.SetCallback(Count);
  g_result = -1;
  timer.Start(10);
  EXPECT_TRUE(PumpMessages(2000, [] { return g_ticks >= 1; }));
  PumpMessages(60);
  EXPECT_EQ(1, g_ticks);
  EXPECT_EQ(0, timer.IsFired());
  EXPECT_FALSE(KillTimer(nullptr, timer.GetTimerId())) << "already killed";
}

TEST_F(CallbackTimerTest, WithoutCallbackTheFirstTickStopsIt) {
  CCallbackTimer timer;
  timer.Start(10);
  PumpMessages(80);
  EXPECT_FALSE(KillTimer(nullptr, timer.GetTimerId())) << "already killed";
}

TEST_F(CallbackTimerTest, UnknownTimerIdIsKilled) {
  UINT_PTR id = SetTimer(nullptr, 0, 10, CCallbackTimer::TimerProc);
  ASSERT_NE(0u, id);
  PumpMessages(80);
  EXPECT_FALSE(KillTimer(nullptr, id)) << "the timer procedure killed it";
}

TEST_F(CallbackTimerTest, NeverStartedStopIsHarmless) {
  CCallbackTimer timer;
  timer.Stop();
  timer.ClearFired();
  EXPECT_EQ(0u, timer.GetTimerId());
  EXPECT_EQ(0, timer.IsFired());
}

TEST_F(CallbackTimerTest, OneCallbackSeesWhichTimerFired) {
  CCallbackTimer first, second;
  g_first = &first;
  g_second = &second;
  first.SetCallback(WhichFired);
  second.SetCallback(WhichFired);
  first.Start(10);
  second.Start(15);
  PumpMessages(2000, [] { return g_firedDuringCallback.size() >= 6; });
  first.Stop();
  second.Stop();
  bool sawFirst = false, sawSecond = false;
  for (int f : g_firedDuringCallback) {
    EXPECT_TRUE(f == 1 || f == 2) << f;
    sawFirst |= f == 1;
    sawSecond |= f == 2;
  }
  EXPECT_TRUE(sawFirst);
  EXPECT_TRUE(sawSecond);
}

TEST_F(CallbackTimerTest, RestartKeepsThePeriodAndRuns) {
  CCallbackTimer timer;
  timer.SetCallback(Count);
  timer.Start(10);
  timer.Restart();
  EXPECT_EQ(10u, timer.GetPeriod());
  EXPECT_TRUE(PumpMessages(2000, [] { return g_ticks >= 2; }));
}

TEST_F(CallbackTimerTest, DestroyingARunningTimerStopsIt) {
  CCallbackTimer* timer = new CCallbackTimer;
  timer->SetCallback(Count);
  timer->Start(10);
  UINT_PTR id = timer->GetTimerId();
  delete timer;
  PumpMessages(60);
  EXPECT_EQ(0, g_ticks);
  EXPECT_FALSE(KillTimer(nullptr, id));
}

}  // namespace

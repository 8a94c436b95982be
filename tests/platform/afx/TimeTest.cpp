#include "platform/afx/Time.h"

#include <gtest/gtest.h>

namespace {

TEST(CTime, LocalFieldsRoundTrip) {
  CTime t(2024, 2, 29, 23, 59, 58);
  EXPECT_EQ(2024, t.GetYear());
  EXPECT_EQ(2, t.GetMonth());
  EXPECT_EQ(29, t.GetDay());
  EXPECT_EQ(23, t.GetHour());
  EXPECT_EQ(59, t.GetMinute());
  EXPECT_EQ(58, t.GetSecond());
  EXPECT_STREQ("2024,02,29,23,59,58", t.Format("%Y,%m,%d,%H,%M,%S"));
  CTime next = t + CTimeSpan(0, 0, 0, 2);
  EXPECT_EQ(3, next.GetMonth());
  EXPECT_EQ(1, next.GetDay());
  EXPECT_EQ(2, (next - t).GetTotalSeconds());
  SYSTEMTIME st;
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(t, CTime(st));
}

TEST(CTimeSpan, Parts) {
  CTimeSpan s(1, 2, 3, 4);
  EXPECT_EQ(1, s.GetDays());
  EXPECT_EQ(26, s.GetTotalHours());
  EXPECT_EQ(2, s.GetHours());
  EXPECT_EQ(3, s.GetMinutes());
  EXPECT_EQ(4, s.GetSeconds());
  EXPECT_STREQ("1 02:03:04 %", s.Format("%D %H:%M:%S %%"));
}

TEST(CTime, CurrentTimeIsNow) {
  CTime now = CTime::GetCurrentTime();
  EXPECT_GT(now.GetYear(), 2000);
}

}  // namespace

#include "foundation/IniSection.h"

#include <gtest/gtest.h>

namespace {

const RECT kUntouchedRect = {-9, -9, -9, -9};

TEST(CIniSection, AbsentKeyGivesZeroAndLeavesOutputs) {
  CIniSection s("S");
  int i = 7;
  POINT p = {7, 7};
  RGBTriple c(1, 2, 3);
  CStringArray list;
  CTime t(2020, 1, 1, 0, 0, 0);
  EXPECT_FALSE(s.GetInt("k", i));
  EXPECT_FALSE(s.GetPoint("k", p));
  EXPECT_FALSE(s.GetColor("k", c));
  EXPECT_FALSE(s.GetStringList("k", list, ','));
  EXPECT_FALSE(s.GetTime("k", t));
  EXPECT_EQ(7, i);
  EXPECT_EQ(7, p.x);
  EXPECT_EQ(1, c.red);
  EXPECT_EQ(0, list.GetSize());
  EXPECT_EQ(2020, t.GetYear());
}

TEST(CIniSection, NumbersReadWithAtoi) {
  struct Row { const char* text; int value; } rows[] = {
      {"abc", 0}, {"12abc", 12}, {" -3", -3}, {"", 0}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    int v = 99;
    EXPECT_TRUE(s.GetInt("k", v)) << r.text;
    EXPECT_EQ(r.value, v) << r.text;
  }
  CIniSection s("S");
  s.SetString("k", "1.25e1x");
  double d = 0;
  EXPECT_TRUE(s.GetDouble("k", d));
  EXPECT_EQ(12.5, d);
}

TEST(CIniSection, PointNeedsThreeCharactersAndAComma) {
  struct Row { const char* text; BOOL ok; int x, y; } rows[] = {
      {"1,", FALSE, 7, 7}, {"1,2", TRUE, 1, 2}, {"123", FALSE, 7, 7}, {",5,", TRUE, 0, 5},
      {"10,-20,30", TRUE, 10, -20}, {"a,b", TRUE, 0, 0}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    POINT p = {7, 7};
    EXPECT_EQ(r.ok, s.GetPoint("k", p)) << r.text;
    EXPECT_EQ(r.x, p.x) << r.text;
    EXPECT_EQ(r.y, p.y) << r.text;
    SIZE z = {7, 7};
    EXPECT_EQ(r.ok, s.GetSize("k", z)) << r.text;
    EXPECT_EQ(r.y, z.cy) << r.text;
  }
}

TEST(CIniSection, RectFieldsEndAtACommaAfterTheirFirstCharacter) {
  struct Row { const char* text; BOOL ok; RECT r; } rows[] = {
      {"1,2,3", FALSE, kUntouchedRect},
      {"1,2,3,", FALSE, kUntouchedRect},
      {"1,2,3,,", TRUE, {1, 2, 3, 0}},
      {"10,20,30", TRUE, {10, 20, 30, 0}},
      {"1,2,3,4", TRUE, {1, 2, 3, 4}},
      {"1,,3,4,5", TRUE, {1, 0, 4, 5}},
      {"-1,-2,-3,-4", TRUE, {-1, -2, -3, -4}},
      {"1234567", TRUE, {1234567, 0, 0, 0}},
      {"1,2,3,4,5,6", TRUE, {1, 2, 3, 4}}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    RECT got = kUntouchedRect;
    EXPECT_EQ(r.ok, s.GetRect("k", got)) << r.text;
    EXPECT_EQ(r.r.left, got.left) << r.text;
    EXPECT_EQ(r.r.top, got.top) << r.text;
    EXPECT_EQ(r.r.right, got.right) << r.text;
    EXPECT_EQ(r.r.bottom, got.bottom) << r.text;
  }
}

TEST(CIniSection, ColourNeedsFiveCharactersAndTwoCommasAndWrapsEachPart) {
  struct Row { const char* text; BOOL ok; int r, g, b; } rows[] = {
      {"255,0", FALSE, 9, 9, 9}, {"1,2,", FALSE, 9, 9, 9}, {"1,2,,", TRUE, 1, 2, 0}, {"1,2,3", TRUE, 1, 2, 3}, {"12345", FALSE, 9, 9, 9},
      {"1,234", FALSE, 9, 9, 9}, {"300,1,2", TRUE, 44, 1, 2}, {"-1,256,257", TRUE, 255, 0, 1}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    RGBTriple c(9, 9, 9);
    EXPECT_EQ(r.ok, s.GetColor("k", c)) << r.text;
    EXPECT_EQ(r.r, c.red) << r.text;
    EXPECT_EQ(r.g, c.green) << r.text;
    EXPECT_EQ(r.b, c.blue) << r.text;
  }
  EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(RGBTriple(1, 2, 3)));
  RGBTriple fromRef(RGB(4, 5, 6));
  EXPECT_EQ(4, fromRef.red);
  EXPECT_EQ(6, fromRef.blue);
}

TEST(CIniSection, TimeRoundTripsInLocalTime) {
  CIniSection s("S");
  CTime t(2024, 7, 9, 8, 5, 3);
  EXPECT_TRUE(s.SetTime("ShutTime", t));
  CString text;
  EXPECT_TRUE(s.GetString("ShutTime", text));
  EXPECT_STREQ("2024,07,09,08,05,03", text);
  CTime back;
  EXPECT_TRUE(s.GetTime("ShutTime", back));
  EXPECT_EQ(t, back);
}

TEST(CIniSection, TimeNeedsTenCharacters) {
  struct Row { const char* text; BOOL ok; int year, month, day, hour, minute, second; } rows[] = {
      {"2024,1,2,3", TRUE, 2024, 1, 2, 3, 0, 0},
      {"2024,1,2,", FALSE, 0, 0, 0, 0, 0, 0},
      {"2024,1,2,3,4,5", TRUE, 2024, 1, 2, 3, 4, 5},
      {"2024,12,31,23,59,60", TRUE, 2025, 1, 1, 0, 0, 0}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    CTime t(2000, 6, 6, 6, 6, 6);
    EXPECT_EQ(r.ok, s.GetTime("k", t)) << r.text;
    if (r.ok) {
      EXPECT_EQ(CTime(r.year, r.month, r.day, r.hour, r.minute, r.second), t) << r.text;
    } else {
      EXPECT_EQ(CTime(2000, 6, 6, 6, 6, 6), t) << r.text;
    }
  }
}

// Fields that form no time at all (year 0) are refused rather than read as some other time.
TEST(CIniSection, ImpossibleTimeIsRefused) {
  CIniSection s("S");
  s.SetString("k", "0,0,0,0,0,0");
  CTime t(2000, 6, 6, 6, 6, 6);
  EXPECT_FALSE(s.GetTime("k", t));
  EXPECT_EQ(CTime(2000, 6, 6, 6, 6, 6), t);
}

TEST(CIniSection, ListSplitting) {
  struct Row { const char* text; BOOL ok; const char* joined; } rows[] = {
      {"", FALSE, ""}, {"a", TRUE, "a|"}, {"a,,b", TRUE, "a||b|"}, {"a,b,", TRUE, "a|b||"},
      {",a,b", TRUE, ",a,b|"}, {"C:\\,D:\\", TRUE, "C:\\|D:\\|"}, {"ab,", TRUE, "ab||"}};
  for (auto& r : rows) {
    CIniSection s("S");
    s.SetString("k", r.text);
    CStringArray list;
    EXPECT_EQ(r.ok, s.GetStringList("k", list, ',')) << r.text;
    CString joined;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) joined += list[i] + "|";
    EXPECT_STREQ(r.joined, joined) << r.text;
  }
}

TEST(CIniSection, ListJoining) {
  CIniSection s("S");
  CStringArray list;
  EXPECT_TRUE(s.SetStringList("k", list, ';'));
  CString text("x");
  EXPECT_TRUE(s.GetString("k", text));
  EXPECT_STREQ("", text);
  list.Add("a");
  list.Add("");
  list.Add("c");
  s.SetStringList("k", list, ';');
  s.GetString("k", text);
  EXPECT_STREQ("a;;c", text);
}

TEST(CIniSection, FloatsAreWrittenWithSixDecimals) {
  CIniSection s("S");
  s.SetFloat("f", 0.5f);
  s.SetDouble("d", -1.0 / 3);
  CString f, d;
  s.GetString("f", f);
  s.GetString("d", d);
  EXPECT_STREQ("0.500000", f);
  EXPECT_STREQ("-0.333333", d);
}

TEST(CIniSection, KeysAreCaseSensitiveAndReplaced) {
  CIniSection s("S");
  s.SetInt("Key", 1);
  s.SetInt("key", 2);
  s.SetInt("Key", 3);
  EXPECT_EQ(2, s.GetKeyCount());
  int v = 0;
  s.GetInt("Key", v);
  EXPECT_EQ(3, v);
  EXPECT_TRUE(s.HasKey("key"));
  EXPECT_FALSE(s.HasKey("KEY"));
}

}  // namespace

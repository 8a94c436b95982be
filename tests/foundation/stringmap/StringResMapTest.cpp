#include "foundation/StringResMap.h"

#include <gtest/gtest.h>

TEST(StringResMap, UnknownKeyGivesEmptyText) {
  CStringResMap map;
  EXPECT_TRUE(map.GetString(86).IsEmpty());
  map.SetAt(86, "China");
  EXPECT_TRUE(map.GetString(49).IsEmpty());
  EXPECT_STREQ("China", map.GetString(86));
}

TEST(StringResMap, StoresTextsDirectly) {
  CStringResMap map;
  map.SetAt(1, "United States");
  map.SetAt(86, "China");
  map[1] = "USA";
  EXPECT_EQ(2, map.GetCount());
  EXPECT_STREQ("USA", map.GetString(1));
}

TEST(StringResMap, AddStringLoadsTheResource) {
  CStringResMap map;
  EXPECT_TRUE(map.AddString(86, 101));
  EXPECT_TRUE(map.AddString(49, 102));
  EXPECT_STREQ("China", map.GetString(86));
  EXPECT_STREQ("Germany", map.GetString(49));
  EXPECT_FALSE(map.AddString(7, 999));
  EXPECT_TRUE(map.GetString(7).IsEmpty());
  CString ignored;
  EXPECT_FALSE(map.Lookup(7, ignored));
}

#include "platform/afx/Map.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

CString Keys(const CMapStringToString& m) {
  CString out, k, v;
  for (POSITION p = m.GetStartPosition(); p;) {
    m.GetNextAssoc(p, k, v);
    out += k + "=" + v + ";";
  }
  return out;
}

TEST(CMapStringToString, HashIsTimes33OverSignedBytes) {
  struct Row { const char* key; UINT hash; } rows[] = {
      {"", 0}, {"a", 97}, {"Width", 107061344u}, {"Height", 2941415417u}, {"\xBA\xDA\xCC\xE5", 4292408581u}};
  for (auto& r : rows) EXPECT_EQ(r.hash, HashKey<LPCSTR>(r.key)) << r.key;
}

// Buckets 0..16 in order; within a bucket the newest key first; a replaced value keeps its place.
TEST(CMapStringToString, IterationFollowsBucketsThenNewestFirst) {
  CMapStringToString m;
  EXPECT_EQ(nullptr, m.GetStartPosition());
  m.SetAt("a", "1");       // bucket 12
  m.SetAt("b", "2");       // bucket 13
  m.SetAt("r", "3");       // bucket 12
  m.SetAt("Top", "4");     // bucket 0
  m.SetAt("Left", "5");    // bucket 5
  m.SetAt("Height", "6");  // bucket 5
  m.SetAt("a", "7");
  EXPECT_EQ(17u, m.GetHashTableSize());
  EXPECT_EQ(6, m.GetCount());
  EXPECT_STREQ("Top=4;Height=6;Left=5;r=3;a=7;b=2;", Keys(m));
  EXPECT_TRUE(m.RemoveKey("r"));
  EXPECT_FALSE(m.RemoveKey("r"));
  EXPECT_STREQ("Top=4;Height=6;Left=5;a=7;b=2;", Keys(m));
}

TEST(CMapStringToString, DoubleByteKeysHashAsSignedBytes) {
  CMapStringToString m;
  m.SetAt("\xBA\xDA\xCC\xE5", "x");  // bucket 7 (6 if the bytes were taken unsigned)
  m.SetAt("k", "y");                 // 107 % 17 = 5
  m.SetAt("l", "z");                 // 108 % 17 = 6
  EXPECT_STREQ("k=y;l=z;\xBA\xDA\xCC\xE5=x;", Keys(m));
}

TEST(CMapStringToString, LookupIsExactAndCaseSensitive) {
  CMapStringToString m;
  m["Key"] = "v";
  CString v("untouched");
  EXPECT_FALSE(m.Lookup("key", v));
  EXPECT_STREQ("untouched", v);
  EXPECT_TRUE(m.Lookup("Key", v));
  EXPECT_STREQ("v", v);
  LPCSTR stored = nullptr;
  EXPECT_TRUE(m.LookupKey("Key", stored));
  EXPECT_STREQ("Key", stored);
  m.RemoveAll();
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_FALSE(m.Lookup("Key", v));
}

TEST(CMap, HashTableSizeChosenBeforeFirstInsert) {
  CMap<int, int, int, int> m;
  m.InitHashTable(3);
  for (int k : {0, 16, 32, 48}) m[k] = k;  // (k >> 4) % 3 = 0, 1, 2, 0
  std::vector<int> order;
  int k, v;
  for (POSITION p = m.GetStartPosition(); p;) {
    m.GetNextAssoc(p, k, v);
    order.push_back(k);
  }
  EXPECT_EQ((std::vector<int>{48, 0, 16, 32}), order);
  m.InitHashTable(5);  // ignored while not empty
  EXPECT_EQ(3u, m.GetHashTableSize());
}

}  // namespace

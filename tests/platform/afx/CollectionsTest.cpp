#include "platform/afx/Array.h"
#include "platform/afx/List.h"
#include "platform/afx/StringArray.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringArray, AddInsertRemove) {
  CStringArray a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(0, a.Add("one"));
  EXPECT_EQ(1, a.Add(CString("three")));
  a.InsertAt(1, "two");
  ASSERT_EQ(3, a.GetSize());
  EXPECT_STREQ("two", a[1]);
  EXPECT_EQ(2, a.GetUpperBound());
  a.SetAtGrow(5, "six");
  EXPECT_EQ(6, a.GetCount());
  EXPECT_TRUE(a[4].IsEmpty());
  a.RemoveAt(3, 2);
  EXPECT_STREQ("six", a.GetAt(3));
  a.RemoveAt(9);
  EXPECT_EQ(4, a.GetSize());
  a.ElementAt(0) += "!";
  EXPECT_STREQ("one!", a[0]);
  CStringArray b;
  b.Copy(a);
  EXPECT_EQ(4, b.Append(a));
  EXPECT_EQ(8, b.GetSize());
  a.RemoveAll();
  EXPECT_EQ(0, a.GetSize());
}

TEST(CPtrArray, DerivedTableIsPolymorphic) {
  struct Table : CPtrArray {
    ~Table() override { RemoveAll(); }
  };
  CObject* t = new Table;
  static_cast<Table*>(t)->Add(t);
  EXPECT_EQ(1, static_cast<Table*>(t)->GetSize());
  delete t;
}

TEST(CList, OrderAndPositions) {
  CStringList l;
  l.AddTail("b");
  l.AddHead("a");
  POSITION c = l.AddTail("c");
  l.InsertBefore(c, "b2");
  l.InsertAfter(c, "d");
  CString joined;
  for (POSITION p = l.GetHeadPosition(); p;) joined += l.GetNext(p);
  EXPECT_STREQ("abb2cd", joined);
  joined.Empty();
  for (POSITION p = l.GetTailPosition(); p;) joined += l.GetPrev(p);
  EXPECT_STREQ("dcb2ba", joined);
  EXPECT_EQ(c, l.Find("c"));
  EXPECT_EQ(nullptr, l.Find("a", l.GetHeadPosition()));
  EXPECT_EQ(c, l.FindIndex(3));
  EXPECT_EQ(nullptr, l.FindIndex(5));
  l.RemoveAt(c);
  EXPECT_STREQ("a", l.RemoveHead());
  EXPECT_STREQ("d", l.RemoveTail());
  EXPECT_EQ(2, l.GetCount());
  EXPECT_STREQ("b", l.GetHead());
  EXPECT_STREQ("b2", l.GetTail());
}

TEST(CArray, OfStructs) {
  struct P { int x, y; };
  CArray<P> a;
  a.Add(P{1, 2});
  a.InsertAt(0, P{0, 0}, 2);
  EXPECT_EQ(3, a.GetSize());
  EXPECT_EQ(1, a[2].x);
  EXPECT_EQ(0, a.GetData()[0].y);
  CUIntArray u;
  u.Add(5);
  EXPECT_EQ(5u, u[0]);
}

}  // namespace

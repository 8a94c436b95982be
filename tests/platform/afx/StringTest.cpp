#include "platform/afx/String.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

TEST(CString, ConstructionAndAssignment) {
  CString empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_STREQ("", (LPCSTR)empty);
  CString a("abc");
  CString b(a);
  CString c("abcdef", 3);
  CString d('x', 3);
  CString e((LPCSTR) nullptr);
  CString w(L"黑体");
  EXPECT_EQ(3, a.GetLength());
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_STREQ("xxx", d);
  EXPECT_TRUE(e.IsEmpty());
  EXPECT_STREQ("黑体", w);
  b = "longer text";
  EXPECT_STREQ("abc", a);
  b = b;
  EXPECT_STREQ("longer text", b);
  b = 'z';
  EXPECT_STREQ("z", b);
  b.Empty();
  EXPECT_EQ(0, b.GetLength());
}

TEST(CString, Concatenation) {
  CString a("ab");
  a += "cd";
  a += 'e';
  a += CString("f");
  EXPECT_STREQ("abcdef", a);
  EXPECT_STREQ("xabcdefy", "x" + a + 'y');
  EXPECT_STREQ("0abcdef", '0' + a);
  a += (LPCSTR)a;  // appending itself
  EXPECT_STREQ("abcdefabcdef", a);
}

TEST(CString, Comparisons) {
  CString a("Apple");
  EXPECT_EQ(0, a.Compare("Apple"));
  EXPECT_LT(a.Compare("apple"), 0);
  EXPECT_EQ(0, a.CompareNoCase("APPLE"));
  EXPECT_GT(a.CompareNoCase("APP"), 0);
  EXPECT_LT(a.CompareNoCase("apples"), 0);
  EXPECT_TRUE(a == "Apple");
  EXPECT_TRUE("Apple" == a);
  EXPECT_TRUE(a != "apple");
  EXPECT_TRUE(a < CString("B"));
  EXPECT_TRUE(a <= "Apple");
  EXPECT_TRUE("Z" > a);
  EXPECT_TRUE(a >= "Aa");
}

// A GBK trail byte may look like an ASCII letter: case folding must not touch it.
TEST(CString, CaseChangesSkipDoubleByteCharacters) {
  const char gbk[] = "\x81\x61x\x81\x41";  // two double-byte characters with 'a'/'A' trail bytes
  CString s(gbk);
  s.MakeUpper();
  EXPECT_STREQ("\x81\x61X\x81\x41", s);
  s.MakeLower();
  EXPECT_STREQ("\x81\x61x\x81\x41", s);
  EXPECT_NE(0, CString("\x81\x61").CompareNoCase("\x81\x41"));
  EXPECT_EQ(0, CString("\x81\x61Q").CompareNoCase("\x81\x61q"));
}

TEST(CString, ElementsAndSubstrings) {
  CString s("Hello");
  EXPECT_EQ('e', s.GetAt(1));
  EXPECT_EQ('o', s[4]);
  s.SetAt(0, 'J');
  EXPECT_STREQ("Jello", s);
  struct Row { int first, count; const char* mid; } rows[] = {
      {0, 5, "Jello"}, {1, 3, "ell"}, {4, 9, "o"}, {5, 1, ""}, {6, 1, ""}, {-1, 2, "Je"}, {2, -1, ""}};
  for (auto& r : rows) EXPECT_STREQ(r.mid, s.Mid(r.first, r.count)) << r.first << "," << r.count;
  EXPECT_STREQ("llo", s.Mid(2));
  EXPECT_STREQ("Je", s.Left(2));
  EXPECT_STREQ("", s.Left(-1));
  EXPECT_STREQ("Jello", s.Left(6));
  EXPECT_STREQ("lo", s.Right(2));
  EXPECT_STREQ("Jello", s.Right(9));
  EXPECT_STREQ("", s.Right(0));
}

TEST(CString, Searching) {
  CString s("a\\b\\c.mpg");
  EXPECT_EQ(1, s.Find('\\'));
  EXPECT_EQ(3, s.Find('\\', 2));
  EXPECT_EQ(-1, s.Find('\\', 4));
  EXPECT_EQ(-1, s.Find('z'));
  EXPECT_EQ(-1, s.Find('a', 99));
  EXPECT_EQ(5, s.Find(".mpg"));
  EXPECT_EQ(-1, s.Find(".mpg", 6));
  EXPECT_EQ(3, s.ReverseFind('\\'));
  EXPECT_EQ(1, s.FindOneOf("\\."));
  EXPECT_EQ(-1, s.FindOneOf("xyz"));
  // '\' (0x5C) is a valid GBK trail byte: "表" is B1 ED, "\x95\x5C" holds a backslash trail.
  CString dbcs("\x95\x5C\\x");
  EXPECT_EQ(2, dbcs.Find('\\'));
  EXPECT_EQ(2, dbcs.ReverseFind('\\'));
  EXPECT_STREQ("ab", CString("abcba").SpanIncluding("ab"));
  EXPECT_STREQ("", CString("xab").SpanIncluding("ab"));
  EXPECT_STREQ("ab", CString("ab,c").SpanExcluding(",;"));
  EXPECT_STREQ("abc", CString("abc").SpanExcluding(","));
}

TEST(CString, Trimming) {
  CString s("  \t a b \r\n");
  s.TrimRight();
  EXPECT_STREQ("  \t a b", s);
  s.TrimLeft();
  EXPECT_STREQ("a b", s);
  CString t("xxaxx");
  t.TrimLeft('x');
  EXPECT_STREQ("axx", t);
  t.TrimRight('x');
  EXPECT_STREQ("a", t);
  CString u(".,a.b,.");
  u.Trim(".,");
  EXPECT_STREQ("a.b", u);
  CString v("  both  ");
  v.Trim();
  EXPECT_STREQ("both", v);
  CString all("   ");
  all.Trim();
  EXPECT_TRUE(all.IsEmpty());
}

TEST(CString, Editing) {
  CString s("a-b-c");
  EXPECT_EQ(2, s.Replace('-', '+'));
  EXPECT_STREQ("a+b+c", s);
  EXPECT_EQ(2, s.Replace("+", "--"));
  EXPECT_STREQ("a--b--c", s);
  EXPECT_EQ(0, s.Replace("", "x"));
  EXPECT_EQ(2, s.Replace("--", ""));
  EXPECT_STREQ("abc", s);
  CString r("aXbXX");
  EXPECT_EQ(3, r.Remove('X'));
  EXPECT_STREQ("ab", r);
  EXPECT_EQ(3, r.Insert(1, '_'));
  EXPECT_STREQ("a_b", r);
  EXPECT_EQ(6, r.Insert(99, "end"));
  EXPECT_STREQ("a_bend", r);
  EXPECT_EQ(8, r.Insert(-5, "<>"));
  EXPECT_STREQ("<>a_bend", r);
  EXPECT_EQ(6, r.Delete(0, 2));
  EXPECT_STREQ("a_bend", r);
  EXPECT_EQ(3, r.Delete(3, 100));
  EXPECT_STREQ("a_b", r);
  EXPECT_EQ(3, r.Delete(5));
  CString rev("ab\xBA\xDA");
  rev.MakeReverse();
  EXPECT_STREQ("\xBA\xDA" "ba", rev);
}

TEST(CString, Format) {
  CString s;
  s.Format("%d,%d", -3, 42);
  EXPECT_STREQ("-3,42", s);
  s.Format("%f", 0.5);
  EXPECT_STREQ("0.500000", s);
  s.Format("%s|%5s|%-3s|", "x", "ab", "c");
  EXPECT_STREQ("x|   ab|c  |", s);
  s.Format("%I64d", 1099511627776LL);
  EXPECT_STREQ("1099511627776", s);
  CString big;
  big.Format("%0600d", 7);
  EXPECT_EQ(600, big.GetLength());
  EXPECT_EQ('7', big[599]);
  s.Format("%s", (LPCSTR)s);  // formatting from itself
  EXPECT_STREQ("1099511627776", s);
  s.AppendFormat("+%c", 'z');
  EXPECT_STREQ("1099511627776+z", s);
}

TEST(CString, FormatTakesCStringArgumentsAsText) {
  CString name("CCTV"), s;
  const CString constName("BTV");
  s.Format("%s|%s|%s|%d", name, constName, name + "-1", 5);
  EXPECT_STREQ("CCTV|BTV|CCTV-1|5", s);
  s.AppendFormat("/%s", name);
  EXPECT_STREQ("CCTV|BTV|CCTV-1|5/CCTV", s);
}

TEST(CString, Buffers) {
  CString s;
  LPSTR p = s.GetBuffer(32);
  std::strcpy(p, "from api");
  s.ReleaseBuffer();
  EXPECT_EQ(8, s.GetLength());
  EXPECT_STREQ("from api", s);
  p = s.GetBuffer(0);
  p[4] = '\0';
  s.ReleaseBuffer();
  EXPECT_STREQ("from", s);
  p = s.GetBufferSetLength(2);
  EXPECT_STREQ("fr", s);
  s.ReleaseBuffer(1);
  EXPECT_STREQ("f", s);
  s.FreeExtra();
  EXPECT_STREQ("f", s);
}

TEST(CString, LoadStringOfMissingResourceIsEmpty) {
  CString s("keep?");
  EXPECT_FALSE(s.LoadString(0xFFF0));
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, LoadStringConvertsToTheAnsiCodePage) {
  CString s;
  ASSERT_TRUE(s.LoadString(201));
  EXPECT_STREQ("频道 %d: %s", s);
  CString f;
  f.Format(201, 5, "CCTV");
  EXPECT_STREQ("频道 5: CCTV", f);
  CString fromId(MAKEINTRESOURCEA(201));
  EXPECT_STREQ("频道 %d: %s", fromId);
  CString longText;
  ASSERT_TRUE(longText.LoadString(202));
  EXPECT_GT(longText.GetLength(), 256);
  EXPECT_STREQ("end", longText.Right(3));
}

TEST(CString, Tokenize) {
  CString s(",,a,b;;c,");
  int pos = 0;
  CString joined;
  for (CString t = s.Tokenize(",;", pos); pos >= 0; t = s.Tokenize(",;", pos)) joined += t + "|";
  EXPECT_STREQ("a|b|c|", joined);
  pos = 0;
  EXPECT_TRUE(CString(",,").Tokenize(",", pos).IsEmpty());
  EXPECT_EQ(-1, pos);
}

TEST(CString, ChainedEdits) {
  CString s("  Mixed Case  ");
  EXPECT_STREQ("MIXED CASE", s.Trim().MakeUpper());
  s.Append("!");
  s.AppendChar('?');
  s.Append("xyz", 1);
  EXPECT_STREQ("MIXED CASE!?x", s.GetString());
}

TEST(CString, IndexOfAnyIntegerType) {
  CString s("abc");
  size_t i = 1;
  unsigned u = 2;
  EXPECT_EQ('b', s[i]);
  EXPECT_EQ('c', s.GetAt(u));
}

TEST(CString, IsPointerSized) { EXPECT_EQ(sizeof(void*), sizeof(CString)); }

}  // namespace

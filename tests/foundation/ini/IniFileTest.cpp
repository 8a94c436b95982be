#include "foundation/IniFile.h"
#include "IniTestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(CIniFile, NewFileHasNoErrorAndNoSections) {
  CIniFile ini;
  EXPECT_STREQ("No error", ini.GetLastErrorText());
  EXPECT_EQ(0, ini.GetSectionCount());
  EXPECT_TRUE(ini.GetPathName().IsEmpty());
  CIniFile named("C:\\x.ini");
  EXPECT_STREQ("C:\\x.ini", named.GetPathName());
}

TEST(CIniFile, LoadLineRules) {
  std::string path = IniTestPath("rules.ini");
  WriteBytes(path,
             "orphan=1\r\n"
             "[Video]\r\n"
             "Width=720\n"
             "\r\n"
             "no equals here\r\n"
             "Key = 5\r\n"
             "k= v \r\n"
             "=x\r\n"
             ";c=1\r\n"
             "a=b=c\r\n"
             "empty=\r\n"
             "Width=768\r\n"
             "[Video] \r\n"
             "[Nam\r\n"
             "[]\r\n"
             "[\r\n"
             "cr=1\r2\r\n"
             "last=end");
  CIniFile ini(path.c_str());
  ASSERT_TRUE(ini.Load());
  EXPECT_STREQ("No error", ini.GetLastErrorText());
  ASSERT_EQ(5, ini.GetSectionCount());
  EXPECT_TRUE(ini.HasSection("Video"));
  EXPECT_TRUE(ini.HasSection("Video]"));
  EXPECT_TRUE(ini.HasSection("Na"));
  EXPECT_TRUE(ini.HasSection(""));
  EXPECT_FALSE(ini.HasSection("video"));
  EXPECT_EQ(5, ini.GetSectionCount());  // HasSection never creates

  struct Row { const char* key; const char* value; } rows[] = {
      {"Width", "768"}, {"Key ", " 5"}, {"k", " v "}, {"", "x"}, {";c", "1"}, {"a", "b=c"}, {"empty", ""}};
  for (auto& r : rows) {
    CString v;
    EXPECT_TRUE(ini.GetValue("Video", r.key, v)) << r.key;
    EXPECT_STREQ(r.value, v) << r.key;
  }
  EXPECT_EQ(7, ini.GetKeyCount("Video"));
  CString v;
  EXPECT_FALSE(ini.GetValue("Video", "orphan", v));
  EXPECT_FALSE(ini.GetValue("Video", "Key", v));
  EXPECT_FALSE(ini.GetValue("Missing", "Width", v));
  EXPECT_EQ(5, ini.GetSectionCount());  // GetValue never creates
  // '[]' and '[' both give an empty name; the keys after '[' belong to the second, which lookups never reach.
  EXPECT_EQ(0, ini.GetKeyCount(""));
}

TEST(CIniFile, LoneCarriageReturnStaysInTheValue) {
  std::string path = IniTestPath("cr.ini");
  WriteBytes(path, "[S]\r\ncr=1\r2\r\nlast=end");
  CIniFile ini(path.c_str());
  ASSERT_TRUE(ini.Load());
  CString v;
  EXPECT_TRUE(ini.GetValue("S", "cr", v));
  EXPECT_STREQ("1\r2", v);
  EXPECT_TRUE(ini.GetValue("S", "last", v));
  EXPECT_STREQ("end", v);
}

TEST(CIniFile, DuplicateSectionsStayApartAndAreSavedBoth) {
  std::string path = IniTestPath("dup.ini");
  WriteBytes(path, "[A]\r\nk=1\r\n[A]\r\nk=2\r\n");
  CIniFile ini(path.c_str());
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(2, ini.GetSectionCount());
  int k = 0;
  EXPECT_TRUE(ini.GetInt("A", "k", k));
  EXPECT_EQ(1, k);
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ("[A]\r\nk=1\r\n[A]\r\nk=2\r\n", ReadBytes(path));
}

// Keys come out bucket by bucket of a 17-bucket table (h = h * 33 + c), newest first within a bucket.
TEST(CIniFile, SaveWritesKeysInMapOrderWithCrLf) {
  std::string path = IniTestPath("order.ini");
  CIniFile ini(path.c_str());
  ini.SetValue("Window", "a", "1");       // bucket 12
  ini.SetValue("Window", "Width", "720");  // bucket 2
  ini.SetValue("Window", "r", "2");       // bucket 12
  ini.SetValue("Window", "Top", "0");     // bucket 0
  ini.SetValue("Window", "Left", "5");    // bucket 5
  ini.SetValue("Window", "Height", "576");  // bucket 5
  ini.GetSection("Empty");
  ini.SetValue("Disk", "ValidDisk", "C:\\,D:\\");
  ini.SetValue("Disk", "\xBA\xDA\xCC\xE5", "font");  // bucket 7
  ini.SetValue("Disk", "ShutTime", "2024,01,02,03,04,05");  // bucket 11
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(
      "[Window]\r\nTop=0\r\nWidth=720\r\nHeight=576\r\nLeft=5\r\nr=2\r\na=1\r\n"
      "[Empty]\r\n"
      "[Disk]\r\nValidDisk=C:\\,D:\\\r\n\xBA\xDA\xCC\xE5=font\r\nShutTime=2024,01,02,03,04,05\r\n",
      ReadBytes(path));
  EXPECT_EQ("<missing>", ReadBytes(path + ".tmp"));
}

// Loading inserts keys in file order, so keys sharing a bucket come out swapped on the next save,
// and a second load and save swaps them back.
TEST(CIniFile, ResavingSwapsKeysThatShareABucket) {
  std::string src = std::string(ONDRIX_TEST_DIR) + "/TVParam.ini";
  std::string original = ReadBytes(src);
  std::string resaved = ReadBytes(std::string(ONDRIX_TEST_DIR) + "/TVParam-resaved.ini");
  ASSERT_NE("<missing>", original);
  CIniFile ini(src.c_str());
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(5, ini.GetSectionCount());
  std::string path = IniTestPath("roundtrip.ini");
  ini.SetPathName(path.c_str());
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(resaved, ReadBytes(path));

  CIniFile again(path.c_str());
  ASSERT_TRUE(again.Load());
  ASSERT_TRUE(again.Save());
  EXPECT_EQ(original, ReadBytes(path));
}

TEST(CIniFile, LoadAppendsToSectionsAlreadyHeld) {
  std::string path = IniTestPath("append.ini");
  WriteBytes(path, "[B]\r\nx=1\r\n");
  CIniFile ini(path.c_str());
  ini.SetValue("A", "y", "2");
  ASSERT_TRUE(ini.Load());
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(3, ini.GetSectionCount());
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ("[A]\r\ny=2\r\n[B]\r\nx=1\r\n[B]\r\nx=1\r\n", ReadBytes(path));
  ini.RemoveAll();
  EXPECT_EQ(0, ini.GetSectionCount());
}

TEST(CIniFile, MissingFileLeavesTheListAlone) {
  CIniFile ini(IniTestPath("does-not-exist.ini").c_str());
  ini.SetValue("Keep", "k", "v");
  EXPECT_FALSE(ini.Load());
  EXPECT_STREQ("File not exist!", ini.GetLastErrorText());
  EXPECT_EQ(1, ini.GetSectionCount());
}

TEST(CIniFile, FolderInsteadOfFileCannotBeOpened) {
  std::string dir = IniTestPath("a-folder.ini");
  CreateDirectoryA(dir.c_str(), nullptr);
  CIniFile ini(dir.c_str());
  EXPECT_FALSE(ini.Load());
  EXPECT_STREQ("Unable to open ini File!", ini.GetLastErrorText());
}

TEST(CIniFile, SaveWithoutPathOrOntoAFolderFails) {
  CIniFile unnamed;
  unnamed.SetValue("S", "k", "v");
  EXPECT_FALSE(unnamed.Save());
  EXPECT_STREQ("Unable to open ini File!", unnamed.GetLastErrorText());
  std::string dir = IniTestPath("a-folder.ini");
  CreateDirectoryA(dir.c_str(), nullptr);
  CIniFile folder(dir.c_str());
  folder.SetValue("S", "k", "v");
  EXPECT_FALSE(folder.Save());
  EXPECT_STREQ("Unable to open ini File!", folder.GetLastErrorText());
}

TEST(CIniFile, SaveIntoMissingFolderFails) {
  CIniFile ini(IniTestPath("no-such-folder/x.ini").c_str());
  ini.SetValue("S", "k", "v");
  EXPECT_FALSE(ini.Save());
  EXPECT_STREQ("Unable to open ini File!", ini.GetLastErrorText());
}

TEST(CIniFile, TypedGetterOnMissingSectionAddsAnEmptySection) {
  std::string path = IniTestPath("created.ini");
  CIniFile ini(path.c_str());
  int value = 77;
  EXPECT_FALSE(ini.GetInt("Nowhere", "k", value));
  EXPECT_EQ(77, value);
  EXPECT_EQ(1, ini.GetSectionCount());
  EXPECT_EQ(0, ini.GetKeyCount("Other"));
  EXPECT_EQ(2, ini.GetSectionCount());
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ("[Nowhere]\r\n[Other]\r\n", ReadBytes(path));
}

TEST(CIniFile, TypedValuesThroughTheFile) {
  CIniFile ini;
  ini.SetInt("S", "i", -5);
  ini.SetUInt("S", "u", 0xFFFFFFFFu);
  ini.SetLong("S", "l", 123456L);
  ini.SetFloat("S", "f", 0.5f);
  ini.SetDouble("S", "d", 2.25);
  ini.SetPoint("S", "p", POINT{3, -4});
  ini.SetSize("S", "s", SIZE{720, 576});
  ini.SetRect("S", "r", RECT{1, 2, 3, 4});
  ini.SetColor("S", "c", RGBTriple(RGB(10, 20, 30)));
  CStringArray list;
  list.Add("C:\\");
  list.Add("D:\\");
  ini.SetStringList("S", "ValidDisk", list, ',');
  struct Row { const char* key; const char* text; } rows[] = {
      {"i", "-5"}, {"u", "-1"}, {"l", "123456"}, {"f", "0.500000"}, {"d", "2.250000"}, {"p", "3,-4"},
      {"s", "720,576"}, {"r", "1,2,3,4"}, {"c", "10,20,30"}, {"ValidDisk", "C:\\,D:\\"}};
  for (auto& r : rows) {
    CString v;
    EXPECT_TRUE(ini.GetValue("S", r.key, v)) << r.key;
    EXPECT_STREQ(r.text, v) << r.key;
  }
  UINT u = 0;
  EXPECT_TRUE(ini.GetUInt("S", "u", u));
  EXPECT_EQ(0xFFFFFFFFu, u);
  RGBTriple c;
  EXPECT_TRUE(ini.GetColor("S", "c", c));
  EXPECT_EQ(RGB(10, 20, 30), static_cast<COLORREF>(c));
  CStringArray back;
  back.Add("kept");
  EXPECT_TRUE(ini.GetStringList("S", "ValidDisk", back, ','));
  ASSERT_EQ(3, back.GetSize());
  EXPECT_STREQ("D:\\", back[2]);
  RECT r = {};
  EXPECT_TRUE(ini.GetRect("S", "r", r));
  EXPECT_EQ(4, r.bottom);
  SIZE s = {};
  EXPECT_TRUE(ini.GetSize("S", "s", s));
  EXPECT_EQ(576, s.cy);
  float f = 0;
  EXPECT_TRUE(ini.GetFloat("S", "f", f));
  EXPECT_EQ(0.5f, f);
}

// The old direct write could not open a read-only file; replacing it through a rename must not either.
TEST(CIniFile, ReadOnlyFileIsNotReplaced) {
  std::string path = IniTestPath("readonly.ini");
  WriteBytes(path, "[Old]\r\nk=1\r\n");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  CIniFile ini(path.c_str());
  ini.SetValue("New", "k", "2");
  BOOL saved = ini.Save();
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(saved);
  EXPECT_STREQ("Unable to open ini File!", ini.GetLastErrorText());
  EXPECT_EQ("[Old]\r\nk=1\r\n", ReadBytes(path));
  EXPECT_EQ("<missing>", ReadBytes(path + ".tmp"));
}

// A full disk: the write error is reported and the old settings survive whole.
TEST(CIniFile, WriteErrorOnFullDiskKeepsTheOldFile) {
  std::string dir = std::string(ONDRIX_BINARY_DIR) + "/tinyfs";
  if (GetFileAttributesA((dir + "/tiny-volume").c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no tiny volume mounted (needs root)";
  std::string path = dir + "/TVParam.ini";
  WriteBytes(path, "[Old]\r\nk=1\r\n");
  CIniFile ini(path.c_str());
  CString big('x', 4000);
  for (int i = 0; i < 40; ++i) {
    CString key;
    key.Format("Key%d", i);
    ini.SetValue("Big", key, big);
  }
  EXPECT_FALSE(ini.Save());
  EXPECT_STREQ("Unable to write file!", ini.GetLastErrorText());
  EXPECT_EQ("[Old]\r\nk=1\r\n", ReadBytes(path));
  EXPECT_EQ("<missing>", ReadBytes(path + ".tmp"));
  DeleteFileA(path.c_str());
}

TEST(CIniFile, SaveReplacesAnExistingFile) {
  std::string path = IniTestPath("replace.ini");
  WriteBytes(path, std::string(5000, 'z'));
  CIniFile ini(path.c_str());
  ini.SetValue("S", "k", "v");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ("[S]\r\nk=v\r\n", ReadBytes(path));
}

}  // namespace

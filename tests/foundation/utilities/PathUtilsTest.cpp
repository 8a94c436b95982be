#include "foundation/PathUtils.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string TestRoot() {
  std::string root = Backslashed(std::string(ONDRIX_BINARY_DIR) + "/testdata");
  CreateDirectoryA(root.c_str(), nullptr);
  root += "\\paths";
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

TEST(JoinPath, AddsOneBackslashOnlyWhereNeitherSideHasOne) {
  struct Row { const char* folder; const char* name; const char* joined; } rows[] = {
      {"C:\\Video\\", "a.mpg", "C:\\Video\\a.mpg"},
      {"C:\\Video", "\\a.mpg", "C:\\Video\\a.mpg"},
      {"C:\\Video\\", "\\a.mpg", "C:\\Video\\\\a.mpg"},
      {"C:\\Video", "a.mpg", "C:\\Video\\a.mpg"},
      {"", "a.mpg", "\\a.mpg"},
      {"C:\\Video", "", "C:\\Video\\"},
      {"C:\\\x95\x5C", "a", "C:\\\x95\x5C\\a"},  // a double-byte character ending in 0x5C is no separator
  };
  for (auto& r : rows) EXPECT_STREQ(r.joined, JoinPath(r.folder, r.name)) << r.folder << " + " << r.name;
}

TEST(FileAndFolderTests, FilesAreNotFoldersAndSlashesWorkForFolders) {
  std::string root = TestRoot();
  std::string file = root + "\\file.txt";
  HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(f);
  EXPECT_TRUE(FileExists(file.c_str()));
  EXPECT_FALSE(FileExists(root.c_str()));
  EXPECT_FALSE(FileExists((root + "\\missing").c_str()));
  EXPECT_FALSE(FileExists(nullptr));
  EXPECT_TRUE(DirectoryExists("C:\\windows"));
  EXPECT_TRUE(DirectoryExists("C:/windows"));
  EXPECT_TRUE(DirectoryExists(root.c_str()));
  EXPECT_FALSE(DirectoryExists(file.c_str()));
  EXPECT_FALSE(DirectoryExists(nullptr));
}

TEST(CreateDirectoryPath, CreatesEveryMissingLevel) {
  std::string root = TestRoot();
  std::string deep = root + "\\a\\b\\c\\";
  RemoveDirectoryA((root + "\\a\\b\\c").c_str());
  RemoveDirectoryA((root + "\\a\\b").c_str());
  RemoveDirectoryA((root + "\\a").c_str());
  ASSERT_FALSE(DirectoryExists((root + "\\a").c_str()));
  EXPECT_TRUE(CreateDirectoryPath(deep.c_str()));
  EXPECT_TRUE(DirectoryExists((root + "\\a").c_str()));
  EXPECT_TRUE(DirectoryExists((root + "\\a\\b\\c").c_str()));
  EXPECT_TRUE(CreateDirectoryPath(deep.c_str()));  // existing: fine
  EXPECT_TRUE(CreateDirectoryPath("C:"));
  EXPECT_FALSE(CreateDirectoryPath(nullptr));
  EXPECT_FALSE(CreateDirectoryPath(""));
  EXPECT_FALSE(CreateDirectoryPath("no-such-relative-folder"));
  // A file in the way cannot become a folder.
  std::string file = root + "\\blocker";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_FALSE(CreateDirectoryPath((file + "\\sub").c_str()));
}

TEST(SystemFolders, ComeFromTheSystem) {
  CString windows, root, programs, module;
  GetWindowsFolder(windows);
  GetSystemDriveRoot(root);
  GetProgramFilesFolder(programs);
  EXPECT_EQ(0, windows.CompareNoCase("C:\\windows"));
  EXPECT_STREQ("C:\\", root);
  EXPECT_STREQ("C:\\Program Files", programs);
  GetModuleDirectory(module);
  std::string bin = Backslashed(std::string(ONDRIX_BINARY_DIR) + "/bin");
  EXPECT_EQ(0, module.CompareNoCase(bin.c_str())) << module;
  EXPECT_EQ(0, GetModuleFolder(nullptr).CompareNoCase(bin.c_str()));
}

TEST(ShortAndLongPaths, EmptyWhenTheSystemFails) {
  CString shortPath = GetShortPath("C:\\Program Files");
  EXPECT_FALSE(shortPath.IsEmpty());
  EXPECT_EQ(0, GetLongPath(shortPath).CompareNoCase("C:\\Program Files"));
  EXPECT_TRUE(GetShortPath("C:\\no\\such\\thing").IsEmpty());
  EXPECT_TRUE(GetLongPath("C:\\no\\such\\thing").IsEmpty());
  EXPECT_TRUE(GetShortPath(nullptr).IsEmpty());
}

TEST(SplitPathPart, PartsByNumber) {
  struct Row { const char* path; int part; const char* text; } rows[] = {
      {"C:\\Video\\a.mpg", 1, "C:"},        {"C:\\Video\\a.mpg", 2, "C:\\Video"},
      {"C:\\Video\\a.mpg", 3, "a.mpg"},     {"C:\\Video\\a.mpg", 4, "a"},
      {"C:\\Video\\a.mpg", 5, "mpg"},       {"C:\\Video\\a.mpg", 0, ""},
      {"C:\\Video\\a.mpg", 6, ""},          {"C:\\Video\\noext", 5, ""},
      {"a.b.mpg", 3, "a.b.mpg"},            {"a.b.mpg", 4, "a.b"},
      {"a.b.mpg", 2, ""},                   {"C:a.mpg", 3, "C:a.mpg"},
      {"C:\\", 2, "C:"},                    {"\\\\server\\share\\f.ts", 3, "f.ts"},
  };
  for (auto& r : rows) EXPECT_STREQ(r.text, SplitPathPart(r.path, r.part)) << r.path << " part " << r.part;
  std::string longPath = "C:\\" + std::string(400, 'd') + "\\" + std::string(300, 'f') + ".mpg";
  EXPECT_EQ(300, SplitPathPart(longPath.c_str(), 4).GetLength());
  EXPECT_STREQ("mpg", SplitPathPart(longPath.c_str(), 5));
}

TEST(FindStringInArray, ExactAndCaseless) {
  CStringArray a;
  a.Add("C:\\");
  a.Add("d:\\");
  a.Add("D:\\");
  a.Add("\x81\x61");
  EXPECT_EQ(1, FindStringInArray(a, "d:\\"));
  EXPECT_EQ(2, FindStringInArray(a, "D:\\"));
  EXPECT_EQ(-1, FindStringInArray(a, "c:\\"));
  EXPECT_EQ(0, FindStringInArrayNoCase(a, "c:\\"));
  EXPECT_EQ(1, FindStringInArrayNoCase(a, "D:\\"));
  EXPECT_EQ(-1, FindStringInArrayNoCase(a, "\x81\x41"));  // trail bytes are not letters
  EXPECT_EQ(3, FindStringInArrayNoCase(a, "\x81\x61"));
  CStringArray empty;
  EXPECT_EQ(-1, FindStringInArray(empty, "x"));
}

TEST(UInt64ToDecimalString, UnsignedAndZero) {
  struct Row { DWORD low, high; const char* text; } rows[] = {
      {0, 0, "0"},
      {1, 0, "1"},
      {9, 0, "9"},
      {10, 0, "10"},
      {0xFFFFFFFF, 0, "4294967295"},
      {0, 1, "4294967296"},
      {0, 0x100, "1099511627776"},
      {0xFFFFFFFF, 0x7FFFFFFF, "9223372036854775807"},
      {0, 0x80000000, "9223372036854775808"},
      {0xFFFFFFFF, 0xFFFFFFFF, "18446744073709551615"},
  };
  for (auto& r : rows) EXPECT_STREQ(r.text, UInt64ToDecimalString(r.low, r.high)) << r.text;
}

}  // namespace

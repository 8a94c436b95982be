#include "skin/SkinList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skin/description/SkinTestFiles.h"

namespace {

std::vector<std::string> Names(const CSkinList& list, BOOL* result = nullptr)
{
    CStringList names;
    const BOOL got = list.GetSkinNames(names);
    if (result)
        *result = got;
    std::vector<std::string> out;
    for (POSITION pos = names.GetHeadPosition(); pos;)
        out.push_back(std::string(names.GetNext(pos)));
    return out;
}

const char kSkinSet[] = "[General]\r\nTotal=3\r\nSkin-0=One\r\nSkin-2=Three\r\n"
                        "[One]\r\nIni=Skins\\One\\Skin.ini\r\nDll=Skins\\One\\One.dll\r\n"
                        "[Three]\r\nIni=Skins\\Three\\Skin.ini\r\n";

}  // namespace

TEST(SkinListTest, NotOpenGivesNothing)
{
    CSkinList list;
    BOOL result = TRUE;
    EXPECT_TRUE(Names(list, &result).empty());
    EXPECT_FALSE(result);
    EXPECT_EQ(0, list.GetTotal());
    CString ini = "keep", dll = "keep";
    EXPECT_FALSE(list.GetSkinFiles("One", ini, dll));
    EXPECT_EQ("keep", std::string(ini));
    EXPECT_FALSE(list.Open(SkinTestPath("no-SkinSet.ini").c_str()));
}

TEST(SkinListTest, NamesSkipMissingKeysAndFilesComeFromTheSkinsSection)
{
    const std::string path = SkinTestPath("SkinSet.ini");
    WriteBytes(path, kSkinSet);
    CSkinList list;
    ASSERT_TRUE(list.Open(path.c_str()));
    EXPECT_EQ(3, list.GetTotal());
    EXPECT_EQ((std::vector<std::string>{ "One", "Three" }), Names(list));

    CString ini, dll;
    ASSERT_TRUE(list.GetSkinFiles("One", ini, dll));
    EXPECT_EQ("Skins\\One\\Skin.ini", std::string(ini));
    EXPECT_EQ("Skins\\One\\One.dll", std::string(dll));
    // A missing key leaves its output alone.
    dll = "unchanged";
    ASSERT_TRUE(list.GetSkinFiles("Three", ini, dll));
    EXPECT_EQ("Skins\\Three\\Skin.ini", std::string(ini));
    EXPECT_EQ("unchanged", std::string(dll));
    // Section names are case-sensitive.
    ini = "unchanged";
    EXPECT_TRUE(list.GetSkinFiles("one", ini, dll));
    EXPECT_EQ("unchanged", std::string(ini));
}

TEST(SkinListTest, WithoutGeneralThereAreNoNames)
{
    const std::string path = SkinTestPath("SkinSet-no-general.ini");
    WriteBytes(path, "[One]\r\nIni=Skin.ini\r\n");
    CSkinList list;
    ASSERT_TRUE(list.Open(path.c_str()));
    BOOL result = FALSE;
    EXPECT_TRUE(Names(list, &result).empty());
    EXPECT_TRUE(result);
}

TEST(SkinListTest, OpeningAgainAppendsAndAnotherPathReplaces)
{
    const std::string first = SkinTestPath("SkinSet-first.ini");
    const std::string second = SkinTestPath("SkinSet-second.ini");
    WriteBytes(first, "[General]\r\nTotal=1\r\nSkin-0=A\r\n");
    WriteBytes(second, "[General]\r\nTotal=1\r\nSkin-0=B\r\n");
    CSkinList list;
    ASSERT_TRUE(list.Open(first.c_str()));
    // The file changes on disk; reopening it appends, and the first "General" still wins.
    WriteBytes(first, "[General]\r\nTotal=1\r\nSkin-0=Changed\r\n");
    ASSERT_TRUE(list.Open(first.c_str()));
    EXPECT_EQ((std::vector<std::string>{ "A" }), Names(list));
    ASSERT_TRUE(list.Open(second.c_str()));
    EXPECT_EQ((std::vector<std::string>{ "B" }), Names(list));
}

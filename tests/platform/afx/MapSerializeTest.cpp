// The map of strings in the archive form, checked against the map file beside this test, written
// by hand: the count, then each key and value in the order the map walks its buckets.
#include "platform/afx/Archive.h"
#include "platform/afx/Map.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TestPath(const char* name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/testdata";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "/archive";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + name;
}

std::string ReadAll(const std::string& path)
{
    std::string out;
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return "<missing>";
    char buf[4096];
    for (UINT got; (got = file.Read(buf, sizeof buf)) != 0;)
        out.append(buf, got);
    return out;
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
    ASSERT_TRUE(file.Write(bytes.data(), static_cast<UINT>(bytes.size())));
}

std::string Golden()
{
    return ReadAll(std::string(ONDRIX_TEST_DIR) + "/mapChannel.dat");
}

CString Pairs(const CMapStringToString& map)
{
    CString out, key, value;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        map.GetNextAssoc(pos, key, value);
        out += key + "=" + value + ";";
    }
    return out;
}

BOOL LoadMap(const std::string& path, CMapStringToString& map)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return FALSE;
    CArchive ar(&file, CArchive::load, 4096);
    map.Serialize(ar);
    return ar.Close();
}

TEST(CMapStringToStringArchive, MapStoresCountThenPairsInIterationOrder)
{
    // Buckets of 17: Film and News share bucket 2, CCTV-1 and Weather bucket 6, the GBK key is in
    // bucket 12; within a bucket the later key comes first.
    CMapStringToString map;
    map.SetAt("Film", "film.txt");
    map.SetAt("CCTV-1", "cctv1.txt");
    map.SetAt("新闻", "新闻.txt");
    map.SetAt("News", "news.txt");
    map.SetAt("Weather", "weather.txt");

    std::string path = TestPath("store.dat");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
        CArchive ar(&file, CArchive::store, 4096);
        map.Serialize(ar);
        ASSERT_TRUE(ar.Close());
    }
    EXPECT_EQ(Golden(), ReadAll(path));

    CMapStringToString empty;
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
        CArchive ar(&file, CArchive::store);
        empty.Serialize(ar);
    }
    EXPECT_EQ(std::string("\0\0", 2), ReadAll(path));
}

TEST(CMapStringToStringArchive, MapLoadAddsPairsToWhatItHolds)
{
    std::string path = TestPath("load.dat");
    WriteAll(path, Golden());
    CMapStringToString map;
    map.SetAt("News", "old.txt");
    map.SetAt("Extra", "extra.txt");
    ASSERT_TRUE(LoadMap(path, map));
    EXPECT_EQ(6, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("News", value));
    EXPECT_STREQ("news.txt", value);
    EXPECT_TRUE(map.Lookup("Extra", value));
    EXPECT_TRUE(map.Lookup("新闻", value));
    EXPECT_STREQ("新闻.txt", value);
}

TEST(CMapStringToStringArchive, DamagedMapKeepsThePairsBeforeTheDamage)
{
    std::string golden = Golden();
    std::string path = TestPath("damaged.dat");
    struct Row
    {
        size_t keep;
        const char* pairs;
    } rows[] = {
        { 0, "" },
        { 1, "" },
        { 2, "" },
        { 10, "" },                                // inside the first value
        { 16, "News=news.txt;" },                  // first pair complete
        { 0x30, "Film=film.txt;News=news.txt;" },  // inside Weather's value
        // Read back in file order, so keys sharing a bucket come out the other way round.
        { golden.size() - 1, "Film=film.txt;News=news.txt;CCTV-1=cctv1.txt;Weather=weather.txt;" },
    };
    for (const Row& row : rows)
    {
        WriteAll(path, golden.substr(0, row.keep));
        CMapStringToString map;
        EXPECT_FALSE(LoadMap(path, map)) << row.keep;
        EXPECT_STREQ(row.pairs, Pairs(map)) << row.keep;
    }

    // A length that promises more than the file holds is read as far as the file goes.
    WriteAll(path, std::string("\x01\x00\xFF\xFF\xFF\xFE\xFF\xFF\x7F"
                               "abc",
                               12));
    CMapStringToString map;
    EXPECT_FALSE(LoadMap(path, map));
    EXPECT_EQ(0, map.GetCount());
}

// A buffer smaller than the data: the archive refills and flushes across its edges.
TEST(CMapStringToStringArchive, SmallBufferCarriesLongData)
{
    std::string path = TestPath("small.dat");
    CMapStringToString map;
    for (int i = 0; i < 300; ++i)
    {
        CString key, value;
        key.Format("key%d", i);
        value.Format("%0*d", i + 1, i);
        map.SetAt(key, value);
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
        CArchive ar(&file, CArchive::store, 128);
        map.Serialize(ar);
        ASSERT_TRUE(ar.Close());
    }
    CMapStringToString back;
    ASSERT_TRUE(LoadMap(path, back));
    ASSERT_EQ(map.GetCount(), back.GetCount());
    CString key, value, backValue;
    for (POSITION pos = map.GetStartPosition(); pos;)
    {
        map.GetNextAssoc(pos, key, value);
        ASSERT_TRUE(back.Lookup(key, backValue)) << key;
        EXPECT_TRUE(backValue == value) << key;
    }
}

}  // namespace

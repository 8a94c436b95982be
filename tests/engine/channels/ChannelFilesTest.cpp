// The channel file and the profile form against files written by hand from their formats.
#include "engine/ChannelTable.h"
#include "ChannelTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ChannelFiles : public ChannelTables
{
protected:
    void Add(CChannelTable& table, DWORD id, DWORD flags, long frequency, const char* name)
    {
        table.Add(new CChannelItem(id, frequency, name, flags));
    }
    // The channels of the expected files.
    void FillTV()
    {
        Add(tv, 1, 0, 49750, "Channel 1");
        Add(tv, 5, 2, 175250, "Channel Five");
        Add(tv, 3, 4, 471250, "News, Sport");
        Add(tv, static_cast<DWORD>(-7), 9, 583250, "台\t北 一");
    }
};

TEST_F(ChannelFiles, WritesTheHeaderAndOneLinePerChannel)
{
    FillTV();
    Add(fm, 1, 0, 87500, "Radio A");
    Add(fm, 2, 2, 101700, "Radio B");
    tv.SetModified(TRUE);
    fm.SetModified(TRUE);
    std::string tvPath = ChannelTestPath("TVChannel.tvc");
    std::string fmPath = ChannelTestPath("FMChannel.fmc");
    WriteBytes(tvPath, std::string(9000, 'x'));
    ASSERT_TRUE(tv.SaveToFile(tvPath.c_str()));
    ASSERT_TRUE(fm.SaveToFile(fmPath.c_str()));
    EXPECT_EQ(ReadBytes(GoldenPath("TVChannel.tvc")), ReadBytes(tvPath));
    EXPECT_EQ(ReadBytes(GoldenPath("FMChannel.fmc")), ReadBytes(fmPath));
    EXPECT_FALSE(tv.IsModified());
    EXPECT_FALSE(fm.IsModified());
    EXPECT_EQ("<missing>", ReadBytes(tvPath + ".tmp"));
}

TEST_F(ChannelFiles, ReadsBackWhatItWrote)
{
    tv.m_nCurIndex = 2;
    tv.m_lCurFreq = 471250;
    tv.SetModified(TRUE);
    Add(tv, 99, 0, 1000, "replaced");
    ASSERT_TRUE(tv.LoadFromFile(GoldenPath("TVChannel.tvc").c_str()));
    ASSERT_EQ(4, tv.GetCount());
    EXPECT_FALSE(tv.IsModified());
    EXPECT_EQ(2, tv.m_nCurIndex);
    EXPECT_EQ(471250, tv.m_lCurFreq);
    EXPECT_STREQ("News, Sport", tv.GetChannel(2)->Name);
    EXPECT_FALSE(tv.GetChannel(2)->IsVisible());
    EXPECT_TRUE(tv.GetChannel(1)->IsFavorite());
    EXPECT_EQ(static_cast<DWORD>(-7), tv.GetChannel(3)->ID);
    EXPECT_EQ(9u, tv.GetChannel(3)->Flags);
    EXPECT_STREQ("台\t北 一", tv.GetChannel(3)->Name);

    std::string path = ChannelTestPath("resaved.tvc");
    ASSERT_TRUE(tv.SaveToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(GoldenPath("TVChannel.tvc")), ReadBytes(path));
}

TEST_F(ChannelFiles, CommentsShortLinesAndDamageAreSkipped)
{
    std::string path = ChannelTestPath("damaged.tvc");
    WriteBytes(path, std::string(";1,0,49750,commented\r\n"
                                 "//2,0,57750,commented\n"
                                 "\\\\3,0,65750,commented\r\n"
                                 "  4,0,1\r\n"
                                 "   5, 2, 175250, Channel Five   \r\n"
                                 "garbage line with no numbers\r\n"
                                 "\x01\x02\xFF\xFE,\xFF\r\n"
                                 "6,0,0,zero frequency\r\n"
                                 "7,0,183250,Seven\r\n"
                                 "8,0,191250,Trunc"));
    Add(tv, 42, 0, 1, "old");
    ASSERT_TRUE(tv.LoadFromFile(path.c_str()));
    ASSERT_EQ(3, tv.GetCount());
    EXPECT_EQ(5u, tv.GetChannel(0)->ID);
    EXPECT_STREQ("Channel Five", tv.GetChannel(0)->Name);
    EXPECT_EQ(2u, tv.GetChannel(0)->Flags);
    EXPECT_STREQ("Seven", tv.GetChannel(1)->Name);
    EXPECT_STREQ("Trunc", tv.GetChannel(2)->Name);

    // A NUL and a Ctrl-Z: the text ends at the Ctrl-Z, as text mode reads it.
    static const char kNulAndEnd[] = "1,0,49750,A\0B\r\n2,0,57750,Two\r\n\x1A"
                                     "3,0,65750,After\r\n";
    WriteBytes(path, std::string(kNulAndEnd, sizeof kNulAndEnd - 1));
    ASSERT_TRUE(tv.LoadFromFile(path.c_str()));
    ASSERT_EQ(2, tv.GetCount());
    EXPECT_STREQ("A", tv.GetChannel(0)->Name);
    EXPECT_STREQ("Two", tv.GetChannel(1)->Name);

    WriteBytes(path, ";only\r\n// comments\r\n\r\n");
    tv.SetModified(TRUE);
    EXPECT_TRUE(tv.LoadFromFile(path.c_str()));
    EXPECT_EQ(0, tv.GetCount());
    EXPECT_FALSE(tv.IsModified());
}

TEST_F(ChannelFiles, MissingFileLeavesTheTableAlone)
{
    Add(tv, 1, 0, 49750, "kept");
    tv.SetModified(TRUE);
    EXPECT_FALSE(tv.LoadFromFile(ChannelTestPath("no-such.tvc").c_str()));
    EXPECT_EQ(1, tv.GetCount());
    EXPECT_TRUE(tv.IsModified());
}

// A save that cannot be completed reports failure, leaves the old file and keeps the table
// marked modified, so the channels are not taken for saved.
TEST_F(ChannelFiles, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    FillTV();
    tv.SetModified(TRUE);
    EXPECT_FALSE(tv.SaveToFile(ChannelTestPath("no-such-folder/TVChannel.tvc").c_str()));
    EXPECT_TRUE(tv.IsModified());

    std::string folder = ChannelTestPath("a-folder.tvc");
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(tv.SaveToFile(folder.c_str()));
    EXPECT_TRUE(tv.IsModified());
    EXPECT_EQ("<missing>", ReadBytes(folder + ".tmp"));
}

TEST_F(ChannelFiles, FullDiskKeepsTheOldFile)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/tinyfs-channels";
    if (GetFileAttributesA((dir + "/tiny-volume").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no tiny volume mounted (needs root)";
    std::string path = dir + "/TVChannel.tvc";
    WriteBytes(path, "1,0,49750,Old\r\n");
    CString name('n', 200);
    for (int i = 1; i <= 400; ++i)
        Add(tv, i, 0, 49750 + i * 8000, name);
    tv.SetModified(TRUE);
    EXPECT_FALSE(tv.SaveToFile(path.c_str()));
    EXPECT_TRUE(tv.IsModified());
    EXPECT_EQ("1,0,49750,Old\r\n", ReadBytes(path));
    EXPECT_EQ("<missing>", ReadBytes(path + ".tmp"));
    DeleteFileA(path.c_str());
}

TEST_F(ChannelFiles, ProfileFormKeepsNamesFrequenciesAndFavourites)
{
    FillTV();
    tv.SetModified(TRUE);
    std::string path = ChannelTestPath("TVChl.ini");
    WriteBytes(path, "[Old]\r\nstale=1\r\n");
    ASSERT_TRUE(tv.SaveToProfile(path.c_str()));
    EXPECT_FALSE(tv.IsModified());
    EXPECT_EQ(ReadBytes(GoldenPath("TVChl.ini")), ReadBytes(path));

    CChannelTable back;
    back.SetFMTable(FALSE);
    back.SetModified(TRUE);
    ASSERT_TRUE(back.LoadFromProfile(GoldenPath("TVChl.ini").c_str()));
    EXPECT_FALSE(back.IsModified());
    ASSERT_EQ(4, back.GetCount());
    const char* names[] = { "Channel 1", "Channel Five", "News, Sport", "台\t北 一" };
    const long frequencies[] = { 49750, 175250, 471250, 583250 };
    for (int i = 0; i < 4; ++i)
    {
        const CChannelItem* pItem = back.GetChannel(i);
        EXPECT_EQ(static_cast<DWORD>(i + 1), pItem->ID);
        EXPECT_STREQ(names[i], pItem->Name);
        EXPECT_EQ(frequencies[i], pItem->Frequency);
        EXPECT_TRUE(pItem->IsVisible());
        EXPECT_EQ(i == 1, pItem->IsFavorite());
        EXPECT_EQ(i == 1 ? 3u : 1u, pItem->Flags);
    }
    back.RemoveAll();
}

TEST_F(ChannelFiles, ProfileTotalsAndMissingKeys)
{
    std::string path = ChannelTestPath("profile.ini");
    struct Case
    {
        const char* text;
        BOOL result;
        int count;
        BOOL touched;
    } cases[] = {
        { "[General]\r\nTotal=10\r\n[Channel]\r\nChannel-0=A,1000,1\r\nChannel-5=B,2000,3\r\nChannel-11=C,3000,1\r\n",
          TRUE, 2, TRUE },
        { "[General]\r\nTotal=0\r\n[Channel]\r\nChannel-0=A,1000,1\r\n", FALSE, 0, TRUE },
        { "[Channel]\r\nChannel-0=A,1000,1\r\n", FALSE, 1, FALSE },
        // An old export of a name with a comma: the rest of the name stands where the frequency goes.
        { "[General]\r\nTotal=2\r\n[Channel]\r\nChannel-0=News, Sport,49750,1\r\nChannel-1=Z,5000,1\r\n", TRUE, 1,
          TRUE },
        // A damaged total costs no time.
        { "[General]\r\nTotal=2000000000\r\n[Channel]\r\nChannel-0=A,1000,1\r\nChannel-x=B,2000,1\r\n", TRUE, 1, TRUE },
        { "[General]\r\nTotal=3\r\n[Chan", FALSE, 0, TRUE },
    };
    for (const Case& c : cases)
    {
        WriteBytes(path, c.text);
        tv.RemoveAll();
        Add(tv, 77, 0, 12345, "before");
        EXPECT_EQ(c.result, tv.LoadFromProfile(path.c_str())) << c.text;
        EXPECT_EQ(c.count, tv.GetCount()) << c.text;
        if (!c.touched)
        {
            EXPECT_EQ(77u, tv.GetChannel(0)->ID);
        }
        for (int i = 0; c.touched && i < tv.GetCount(); ++i)
            EXPECT_EQ(static_cast<DWORD>(i + 1), tv.GetChannel(i)->ID) << c.text;
    }
    tv.RemoveAll();
    Add(tv, 77, 0, 12345, "before");
    EXPECT_FALSE(tv.LoadFromProfile(ChannelTestPath("no-such.ini").c_str()));
    EXPECT_EQ(1, tv.GetCount());
}

}  // namespace

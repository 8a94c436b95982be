// The programme guide of the controller: a real zip archive unpacked by the archiver program the
// ".zip" ShellNew key leads to, the folder's programme files, the channel map in
// "mapChannel.dat", and the now/next lines of a channel at set times of the week.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/TVEngine.h"
#include "tests/engine/controller/ControllerTestSupport.h"
#include "tests/engine/support/TestFiles.h"

namespace
{
const char kZipShellNew[] = "Software\\Classes\\.zip\\ShellNew";
const char kNoGuideFile[] = "没有找到该频道所对应的EPG文件，请指定！";

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

class ProgrammeGuide : public ::testing::Test
{
protected:
    CTestWindows windows;
    std::string folder;
    std::string epg;

    void SetUp() override
    {
        folder = FreshAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        epg = folder + "\\Programme Files\\";
        CreateDirectoryA(epg.c_str(), nullptr);
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA((epg + "*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileA((epg + data.cFileName).c_str());
            while (FindNextFileA(hFind, &data));
            FindClose(hFind);
        }
    }
    void Prepare(CTVEngine& engine)
    {
        engine.SetEngineWindows(&windows);
        engine.SetEpgFolder(epg.c_str());
    }
};

TEST_F(ProgrammeGuide, TheArchiverUnpacksTheProgrammeFilesOfTheArchive)
{
    SetMachineValue(kZipShellNew, "FileName", (ProgramFolder() + "zipnew.zip").c_str());
    // A name with blanks: the archiver gets the short form.
    std::string archive = folder + "\\guide download of the week.zip";
    WriteBytes(archive, ReadBytes(std::string(ONDRIX_TEST_DIR) + "/guide.zip"));
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    engine.SetEpgArchive(archive.c_str());
    ASSERT_TRUE(engine.UnpackEpgArchive());
    EXPECT_TRUE(windows.messages.empty());
    ASSERT_TRUE(WaitForFiles(epg, { "CCTV1.txt", "CCTV2.txt", "CCTV3.txt" }, 30000));

    ASSERT_TRUE(engine.ListEpgFiles());
    std::vector<std::string> files;
    for (int i = 0; i < engine.GetEpgFiles().GetSize(); ++i)
        files.push_back(static_cast<LPCSTR>(engine.GetEpgFiles()[i]));
    std::sort(files.begin(), files.end());
    // Only the ".txt" files of the programme folder of the archive, without its folders.
    EXPECT_EQ(std::vector<std::string>({ "CCTV1.txt", "CCTV2.txt", "CCTV3.txt" }), files);
    for (const std::string& name : files)
        EXPECT_EQ(ReadBytes(std::string(ONDRIX_TEST_DIR) + "/expected/" + name), ReadBytes(epg + name)) << name;
}

TEST_F(ProgrammeGuide, WithoutTheArchiverNothingStarts)
{
    std::string empty = folder + "\\NoArchiver";
    CreateDirectoryA(empty.c_str(), nullptr);
    SetMachineValue(kZipShellNew, "FileName", (empty + "\\zipnew.zip").c_str());
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    engine.SetEpgArchive((folder + "\\guide.zip").c_str());
    EXPECT_FALSE(engine.UnpackEpgArchive());
    EXPECT_EQ(std::vector<std::string>({ "找不到 WinRAR.exe" }), windows.messages);

    // No key at all: no message either.
    windows.messages.clear();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kZipShellNew);
    EXPECT_FALSE(engine.UnpackEpgArchive());
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(ProgrammeGuide, AnEmptyFolderListsNothing)
{
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    EXPECT_FALSE(engine.ListEpgFiles());
    EXPECT_EQ(0, engine.GetEpgFiles().GetSize());
    // Without the trailing backslash the search misses the folder's files.
    WriteBytes(epg + "CCTV1.txt", "<Monday>\r\n");
    engine.SetEpgFolder(epg.substr(0, epg.size() - 1).c_str());
    EXPECT_FALSE(engine.ListEpgFiles());
    engine.SetEpgFolder("");
    EXPECT_FALSE(engine.ListEpgFiles());
}

TEST_F(ProgrammeGuide, TheChannelMapIsStoredInTheArchiveForm)
{
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    ASSERT_TRUE(engine.ReplaceEpgMapEntry("CCTV-1", "CCTV3.txt"));
    ASSERT_TRUE(engine.ReplaceEpgMapEntry("CCTV-2", "CCTV2.txt"));
    ASSERT_TRUE(engine.ReplaceEpgMapEntry("CCTV-1", "CCTV1.txt"));
    ASSERT_TRUE(engine.SerializeEpgChannelMap(TRUE));
    // Count 2; then key and value, each a length byte and its characters, bucket by bucket of
    // the texts' hashes: "CCTV-1" falls in bucket 6 of 17, "CCTV-2" in bucket 7.
    const char golden[] = "\x02\x00"
                          "\x06" "CCTV-1" "\x09" "CCTV1.txt"
                          "\x06" "CCTV-2" "\x09" "CCTV2.txt";
    EXPECT_EQ(std::string(golden, sizeof(golden) - 1), ReadBytes(folder + "\\mapChannel.dat"));

    CTVEngine loaded(folder.c_str());
    ASSERT_TRUE(loaded.SerializeEpgChannelMap(FALSE));
    CString file("stale");
    EXPECT_TRUE(loaded.LookupEpgFile("CCTV-2", file));
    EXPECT_STREQ("CCTV2.txt", file);
    EXPECT_FALSE(loaded.LookupEpgFile("CCTV-3", file));
    EXPECT_STREQ("", file);
}

SYSTEMTIME g_now;
void WINAPI TestClock(LPSYSTEMTIME pTime) { *pTime = g_now; }

// Day of the week as the system counts it (0 Sunday), hour, minute.
void SetNow(WORD dayOfWeek, WORD hour, WORD minute)
{
    g_now = SYSTEMTIME{};
    g_now.wYear = 2026;
    g_now.wMonth = 12;
    g_now.wDayOfWeek = dayOfWeek;
    g_now.wDay = static_cast<WORD>(6 + dayOfWeek);
    g_now.wHour = hour;
    g_now.wMinute = minute;
}

enum { SUNDAY = 0, MONDAY = 1, TUESDAY = 2 };

struct NowNextRow
{
    const char* what;
    const char* file;
    WORD day, hour, minute;
    BOOL result;
    const char* now;
    const char* next;
};

TEST_F(ProgrammeGuide, NowAndNextTexts)
{
    const std::string longTitle(5000, 'x');
    const std::string longFile = "<Tuesday>\r\n19:00\tNews\r\n20:00\t" + longTitle + "\r\n";
    const std::string longNext = "下一节目: 20:00 " + longTitle;
    const NowNextRow rows[] = {
        { "in the evening", "<Monday>\r\n09:00\tMonday Show\r\n<Tuesday>\r\n19:00\tNews\r\n20:00 Film\r\n21:30\tSport\r\n",
          TUESDAY, 20, 15, 1, "正在播放: 20:00 Film", "下一节目: 21:30 Sport" },
        { "after midnight from the day before",
          "<Monday>\r\n22:00\tEvening\r\n23:00\tLate Show\r\n24:30\tNight Talk\r\n<Tuesday>\r\n06:00\tMorning News\r\n",
          TUESDAY, 0, 40, 1, "正在播放: 00:30 Night Talk", "下一节目: 06:00 Morning News" },
        { "a one-digit hour keeps its minutes", "<Tuesday>\r\n  6:30\tEarly\r\n07:00\tBreakfast\r\n",
          TUESDAY, 6, 45, 1, "正在播放: 06:30 Early", "下一节目: 07:00 Breakfast" },
        { "after the last programme the texts are cleared", "<Tuesday>\r\n19:00\tNews\r\n23:00\tLate\r\n",
          TUESDAY, 23, 50, 1, "", "" },
        { "another day's header ends today's section",
          "<Tuesday>\r\n19:00\tNews\r\n20:00\tFilm\r\n<Wednesday>\r\n21:00\tWednesday Show\r\n",
          TUESDAY, 20, 30, 1, "", "" },
        { "before the first programme nothing is on", "<Tuesday>\r\n19:00\tNews\r\n20:00\tFilm\r\n",
          TUESDAY, 8, 0, 1, "", "下一节目: 19:00 News" },
        { "Monday reads from the start of the file", "<Monday>\r\n07:00\tA\r\n08:00\tB\r\n<Tuesday>\r\n09:00\tC\r\n",
          MONDAY, 7, 30, 1, "正在播放: 07:00 A", "下一节目: 08:00 B" },
        { "Sunday after Saturday", "<Saturday>\r\n23:00\tX\r\n25:10\tY\r\n<Sunday>\r\n03:00\tZ\r\n",
          SUNDAY, 2, 0, 1, "正在播放: 01:10 Y", "下一节目: 03:00 Z" },
        { "a file that begins with today", "<Tuesday>\r\n19:00\tNews\r\n20:00\tFilm\r\n",
          TUESDAY, 19, 10, 1, "正在播放: 19:00 News", "下一节目: 20:00 Film" },
        { "a line without a separator", "<Tuesday>\r\n19:00\tNews\r\nbroken\r\n21:00\tLate\r\n",
          TUESDAY, 19, 30, 0, "previous now", "previous next" },
        { "a long title is taken whole", longFile.c_str(), TUESDAY, 19, 30, 1, "正在播放: 19:00 News", longNext.c_str() },
    };
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    engine.SetClock(&TestClock);
    engine.ReplaceEpgMapEntry("CCTV-1", "CCTV1.txt");
    CChannelItem item(1, 175250, "CCTV-1", 1);
    for (const NowNextRow& row : rows)
    {
        SCOPED_TRACE(row.what);
        WriteBytes(epg + "CCTV1.txt", row.file);
        SetNow(row.day, row.hour, row.minute);
        CString now("previous now"), next("previous next");
        EXPECT_EQ(row.result, engine.GetNowNextText(&item, now, next));
        EXPECT_EQ(std::string(row.now), static_cast<LPCSTR>(now));
        EXPECT_EQ(std::string(row.next), static_cast<LPCSTR>(next));
    }
}

TEST_F(ProgrammeGuide, ChannelsWithoutAGuideFile)
{
    CTVEngine engine(folder.c_str());
    Prepare(engine);
    engine.SetClock(&TestClock);
    SetNow(TUESDAY, 20, 0);
    // A file named like the channel is not enough: the map decides.
    WriteBytes(epg + "CCTV-5.txt", "<Tuesday>\r\n19:00\tNews\r\n");
    CChannelItem item(1, 175250, "CCTV-5", 1);
    CString now("previous now"), next("previous next");
    EXPECT_TRUE(engine.GetNowNextText(&item, now, next));
    EXPECT_STREQ(kNoGuideFile, now);
    EXPECT_STREQ("", next);
    now = "previous now";
    next = "previous next";
    EXPECT_TRUE(engine.GetNowNextText(nullptr, now, next));
    EXPECT_STREQ(kNoGuideFile, now);

    // Mapped to a file that is not there: the texts stay.
    engine.ReplaceEpgMapEntry("CCTV-5", "Missing.txt");
    now = "previous now";
    next = "previous next";
    EXPECT_TRUE(engine.GetNowNextText(&item, now, next));
    EXPECT_STREQ("previous now", now);
    EXPECT_STREQ("previous next", next);
}
} // namespace

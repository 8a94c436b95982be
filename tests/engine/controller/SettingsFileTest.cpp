// "TVParam.ini", "mapChannel.dat" and the registry values, without a card: against files written by
// hand from the settings table, and damaged files.
#include <gtest/gtest.h>

#include "ControllerTestSupport.h"
#include "engine/TVEngine.h"
#include "foundation/IniFile.h"

namespace {

const char kEpgFolderName[] = "节目单";

class Settings : public ::testing::Test
{
protected:
    std::string folder;
    CTestWindows windows;

    void SetUp() override
    {
        folder = FreshAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetMachineValue(kCommonKey, "RecordPath", (folder + "\\Rec").c_str());
        SetMachineValue(kCommonKey, "SnapPath", (folder + "\\Snap").c_str());
        SetMachineValue(kCommonKey, "EpgUnzipPath", nullptr);
        SetMachineValue(kRunKey, "Wimbrel", nullptr);
    }
    std::string File(const char* name) { return folder + "\\" + name; }

    // The application's start-up as far as it goes without a card, then its exit.
    void Start(CTVEngine& engine)
    {
        engine.SetEngineWindows(&windows);
        ASSERT_TRUE(engine.InitFormatLists());
        ASSERT_TRUE(engine.InitStringLists());
        ASSERT_TRUE(engine.LoadSettings());
        ASSERT_TRUE(engine.ApplyLoadedSettings());
    }
};

TEST_F(Settings, FirstStartWritesEverySettingWithItsDefault)
{
    RemoveDirectoryA(File(kEpgFolderName).c_str());
    {
        CTVEngine engine(folder.c_str());
        EXPECT_EQ(&engine, g_pTVEngine);
        Start(engine);
        EXPECT_EQ(folder + "\\Rec", std::string(engine.RecordPath));
        EXPECT_STREQ("Classic", engine.GetSkinName());
        EXPECT_EQ(folder + "\\" + kEpgFolderName + "\\", std::string(engine.GetEpgFolder()));
        EXPECT_TRUE(GetFileAttributesA(File(kEpgFolderName).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Snap").c_str()));
        EXPECT_EQ("", MachineValue(kRunKey, "Wimbrel"));
        engine.SetCountryCode(86);
        engine.SetShutTime(CTime(2024, 1, 2, 3, 4, 5));
        ASSERT_TRUE(engine.SaveSettings());
        EXPECT_TRUE(engine.SaveChannelFiles());
        EXPECT_EQ(nullptr, g_pTVEngine->GetChannelTable()->GetCurrentChannel());
    }
    EXPECT_EQ(nullptr, g_pTVEngine);
    EXPECT_EQ(ReadBytes(std::string(ONDRIX_TEST_DIR) + "/TVParam-new.ini"), ReadBytes(File("TVParam.ini")));
    EXPECT_EQ(std::string("\0\0", 2), ReadBytes(File("mapChannel.dat")));
    EXPECT_EQ("<missing>", ReadBytes(File("TVChannel.tvc")));
}

TEST_F(Settings, ReadsEverySettingAndWritesItBackInTheMapsOrder)
{
    WriteBytes(File("TVParam.ini"), ReadBytes(std::string(ONDRIX_TEST_DIR) + "/TVParam-user.ini"));
    WriteBytes(File("SkinSet.ini"), "[General]\r\nTotal=1\r\nSkin-0=Blue\r\n");
    CTVEngine engine(folder.c_str());
    Start(engine);
    // The skin list is the windows' to read; the built-in skin stands first.
    EXPECT_EQ(File("SkinSet.ini"), windows.skinListPath);
    ASSERT_EQ(2, engine.GetSkinNames().GetCount());
    EXPECT_STREQ("Classic", engine.GetSkinNames().GetHead());
    EXPECT_STREQ("Blue", engine.GetSkinNames().GetTail());
    EXPECT_STREQ("Blue", engine.GetSkinName());
    EXPECT_STREQ("深圳", engine.City);
    EXPECT_EQ(44, engine.GetCountryCode());
    EXPECT_EQ(175250, engine.GetTVTable().m_lCurFreq);
    EXPECT_EQ(49750, engine.GetTVTable().m_lLastFreq);
    EXPECT_EQ(1, engine.GetTVTable().m_nCurIndex);
    EXPECT_TRUE(engine.GetTVTable().m_bFavorOnly);
    EXPECT_FALSE(engine.GetTVTable().m_bReservePrev);
    EXPECT_EQ(101700, engine.GetFMTable().m_lCurFreq);
    EXPECT_EQ(16, engine.GetHardWare().TVStandard);
    EXPECT_STREQ("线路输入", engine.GetHardWare().AudioInput);
    EXPECT_EQ(75, engine.GetHardWare().AudioRecVol);
    EXPECT_EQ(2, engine.GetRecordFormat());
    EXPECT_EQ(3, engine.GetFMFilterMode());
    EXPECT_EQ(1200, engine.TFTime);
    EXPECT_EQ(CSize(352, 288), engine.GetVideoSize());
    EXPECT_EQ(CSize(352, 288), engine.Mpeg4RecordSize);
    EXPECT_EQ(6000, engine.GetBrightness());
    EXPECT_EQ(5020, engine.GetHue());
    EXPECT_EQ(CRect(10, 20, 730, 596), engine.VideoWnd);
    EXPECT_EQ(CPoint(-5, 7), engine.ControlLeftTop);
    EXPECT_EQ(CSize(16, 9), engine.VideoRatio);
    EXPECT_EQ(CTime(2025, 12, 31, 23, 30, 0), engine.ShutTime);
    ASSERT_EQ(3, engine.ValidDisk.GetSize());
    EXPECT_STREQ("C:\\", engine.ValidDisk[0]);
    EXPECT_STREQ("E:\\", engine.ValidDisk[2]);
    ASSERT_EQ(2, engine.GetFMCustomList().GetCount());
    EXPECT_EQ(1, engine.GetFMCustomList().m_nCurrent);
    EXPECT_STREQ("MPEG Layer-3", engine.GetFMCustomList().GetCurEntry()->m_strAudioComp);
    EXPECT_EQ(8, engine.GetRecordParam().m_Mpeg2.VideoRate);
    EXPECT_EQ(5, engine.GetRecordParam().m_Mpeg1.VideoRate);
    // Start-up keeps the FM custom mode, which has its entry, and hands the entry's compressor on.
    EXPECT_TRUE(engine.ValidateSettings());
    EXPECT_EQ(3, engine.GetFMFilterMode());
    EXPECT_STREQ("MPEG Layer-3", engine.GetHardWare().m_strCustomCompressor);

    ASSERT_TRUE(engine.SaveSettings());
    // Keys read back from a file go into their buckets in file order, so keys that share a bucket
    // come out the other way round.
    EXPECT_EQ(ReadBytes(std::string(ONDRIX_TEST_DIR) + "/TVParam-user-resaved.ini"), ReadBytes(File("TVParam.ini")));
}

TEST_F(Settings, ExistingSectionsKeepTheirOrderAndMissingOnesFollow)
{
    WriteBytes(File("TVParam.ini"), "[Video]\r\nBrightness=7000\r\n[Mine]\r\nx=1\r\n[Interface]\r\nSkinName=Red\r\n");
    CTVEngine engine(folder.c_str());
    Start(engine);
    EXPECT_EQ(7000, engine.GetBrightness());
    ASSERT_TRUE(engine.SaveSettings());
    CIniFile saved(File("TVParam.ini").c_str());
    ASSERT_TRUE(saved.Load());
    const char* order[] = {
        "Video",  "Mine",    "Interface", "Channel",           "Device",           "Record", "Schedule", "Storage",
        "Window", "Runonce", "FMCustom",  "RecordParam-mpeg1", "RecordParam-mpeg2"
    };
    std::string text = ReadBytes(File("TVParam.ini"));
    size_t at = 0;
    for (const char* name : order)
    {
        size_t found = text.find(std::string("[") + name + "]\r\n");
        ASSERT_NE(std::string::npos, found) << name;
        EXPECT_GE(found, at) << name;
        at = found;
    }
    CString value;
    EXPECT_TRUE(saved.GetValue("Mine", "x", value));
    EXPECT_FALSE(saved.GetValue("Video", "Hue", value));
}

TEST_F(Settings, DamagedFileLoadsWhatItCanAndTracesTheRest)
{
    CTraceWindow trace;
    static const char kDamaged[] = "[Channel]\r\n"
                                   "TVCurFreq=175250\r\n"
                                   "CountryCode=oops\r\n"
                                   "\x01\x02\xFF garbage without equals\r\n"
                                   "[Window]\r\n"
                                   "VideoWnd=bad\r\n"
                                   "VideoRatio=4\r\n"
                                   "ControlLeftTop=12,34\r\n"
                                   "[Schedule]\r\n"
                                   "ShutTime=soon\r\n"
                                   "[FMCustom]\r\n"
                                   "Current=0\r\n"
                                   "Count=2000000000\r\n"
                                   "FMCustom0_Name=Kept\r\n"
                                   "[Video]\r\n"
                                   "Brightness=6000\r\n"
                                   "Contr";
    WriteBytes(File("TVParam.ini"), std::string(kDamaged, sizeof kDamaged - 1));
    CTVEngine engine(folder.c_str());
    CTime before = engine.ShutTime;
    Start(engine);
    EXPECT_EQ(175250, engine.GetTVTable().m_lCurFreq);
    EXPECT_EQ(0, engine.GetCountryCode());
    EXPECT_EQ(CRect(0, 0, 0, 0), engine.VideoWnd);
    EXPECT_EQ(CSize(1, 1), engine.VideoRatio);
    EXPECT_EQ(CPoint(12, 34), engine.ControlLeftTop);
    EXPECT_EQ(before, engine.ShutTime);
    EXPECT_EQ(6000, engine.GetBrightness());
    EXPECT_EQ(2235, engine.GetContrast());
    EXPECT_EQ(256, engine.GetFMCustomList().GetCount());
    EXPECT_STREQ("Kept", engine.GetFMCustomList().GetAt(0)->m_strName);
    EXPECT_TRUE(trace.Saw("[Window] VideoWnd=bad"));
    EXPECT_TRUE(trace.Saw("[Window] VideoRatio=4"));
    EXPECT_TRUE(trace.Saw("[Schedule] ShutTime=soon"));
    EXPECT_FALSE(trace.Saw("ControlLeftTop"));

    ASSERT_TRUE(engine.SaveSettings());
    CIniFile saved(File("TVParam.ini").c_str());
    ASSERT_TRUE(saved.Load());
    CString value;
    EXPECT_TRUE(saved.GetValue("Video", "Contrast", value));
    EXPECT_STREQ("2235", value);
    EXPECT_TRUE(saved.GetValue("Window", "VideoWnd", value));
    EXPECT_STREQ("0,0,0,0", value);
    EXPECT_TRUE(saved.GetValue("FMCustom", "Count", value));
    EXPECT_STREQ("256", value);
}

TEST_F(Settings, UnreadableOrUnwritableFileGivesTheDefaults)
{
    CreateDirectoryA(File("TVParam.ini").c_str(), nullptr);
    CTVEngine engine(folder.c_str());
    Start(engine);
    EXPECT_EQ(5020, engine.GetBrightness());
    EXPECT_FALSE(engine.SaveSettings());
    RemoveDirectoryA(File("TVParam.ini").c_str());

    CTVEngine unopened(folder.c_str());
    EXPECT_FALSE(unopened.FlushSettingsFile(""));
    unopened.SerializeSettings(TRUE);
}

TEST_F(Settings, RegistryValues)
{
    SetMachineValue(kCommonKey, "EpgUnzipPath", (folder + "\\Guide").c_str());
    SetMachineValue(kCommonKey, "RecordPath", nullptr);
    SetMachineValue(kRunKey, "Wimbrel", "C:\\Tray\\Wimbrel.exe");
    CTVEngine engine(folder.c_str());
    EXPECT_TRUE(engine.AutoStartTray);
    CString root;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows, 3) + "Video", std::string(engine.RecordPath));
    EXPECT_EQ(std::string(windows, 3) + "Video", std::string(engine.GetDefaultRecordPath()));
    EXPECT_EQ(std::string("My Pictures"),
              std::string(engine.GetDefaultSnapPath()).substr(engine.GetDefaultSnapPath().GetLength() - 11));
    Start(engine);
    EXPECT_EQ(folder + "\\Guide\\", std::string(engine.GetEpgFolder()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Guide").c_str()));

    // The tray program's Run value: its short path while on, an empty text when off.
    WriteBytes(File("Wimbrel.exe"), "MZ");
    engine.SetAutoStartTray(TRUE);
    CString shortPath;
    GetShortPathNameA(File("Wimbrel.exe").c_str(), shortPath.GetBuffer(MAX_PATH), MAX_PATH);
    shortPath.ReleaseBuffer();
    EXPECT_EQ(std::string(shortPath), MachineValue(kRunKey, "Wimbrel"));
    BOOL enabled = FALSE;
    EXPECT_TRUE(engine.ReadTrayAutostart(&enabled));
    EXPECT_TRUE(enabled);
    engine.SetAutoStartTray(FALSE);
    EXPECT_EQ("", MachineValue(kRunKey, "Wimbrel"));
    EXPECT_TRUE(engine.ReadTrayAutostart(&enabled));
    EXPECT_FALSE(enabled);

    engine.RecordPath = "D:\\Rec";
    engine.SnapPath = "D:\\Snap";
    engine.SaveRecordPathToRegistry();
    engine.SaveSnapPathToRegistry();
    EXPECT_EQ("D:\\Rec", MachineValue(kCommonKey, "RecordPath"));
    EXPECT_EQ("D:\\Snap", MachineValue(kCommonKey, "SnapPath"));
    engine.RecordPath.Empty();
    EXPECT_TRUE(engine.LoadRecordPathFromRegistry());
    EXPECT_STREQ("D:\\Rec", engine.RecordPath);

    SetMachineValue("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "DefaultUserName", "viewer");
    CString user;
    EXPECT_TRUE(engine.GetSystemLogonUser(user));
    EXPECT_STREQ("viewer", user);
    EXPECT_FALSE(engine.SetDefaultLogon("", "x"));
    EXPECT_TRUE(engine.SetDefaultLogon("tv", "pw"));
    EXPECT_STREQ("tv", engine.DefaultUser);
    EXPECT_STREQ("pw", engine.DefaultPass);
}

TEST_F(Settings, ProgrammeGuideMapIsKeptInTheArchiveForm)
{
    {
        CTVEngine engine(folder.c_str());
        Start(engine);
        engine.ReplaceEpgMapEntry("Film", "film.txt");
        engine.ReplaceEpgMapEntry("CCTV-1", "cctv1.txt");
        engine.ReplaceEpgMapEntry("新闻", "新闻.txt");
        engine.ReplaceEpgMapEntry("News", "news.txt");
        engine.ReplaceEpgMapEntry("Weather", "weather.txt");
        engine.ReplaceEpgMapEntry("News", "news.txt");
        ASSERT_TRUE(engine.SaveSettings());
    }
    // Replacing News moved it to the head of its bucket again: the same order as inserting it last.
    EXPECT_EQ(ReadBytes(SourcePath("tests/platform/afx/mapChannel.dat")), ReadBytes(File("mapChannel.dat")));

    CTVEngine engine(folder.c_str());
    Start(engine);
    CString file("untouched");
    EXPECT_TRUE(engine.LookupEpgFile("新闻", file));
    EXPECT_STREQ("新闻.txt", file);
    EXPECT_FALSE(engine.LookupEpgFile("Missing", file));
    EXPECT_STREQ("", file);

    // A damaged map keeps the pairs before the damage.
    std::string golden = ReadBytes(SourcePath("tests/platform/afx/mapChannel.dat"));
    WriteBytes(File("mapChannel.dat"), golden.substr(0, 30));
    CTVEngine damaged(folder.c_str());
    EXPECT_FALSE(damaged.SerializeEpgChannelMap(FALSE));
    EXPECT_TRUE(damaged.LookupEpgFile("Film", file));
    EXPECT_FALSE(damaged.LookupEpgFile("Weather", file));
}

}  // namespace

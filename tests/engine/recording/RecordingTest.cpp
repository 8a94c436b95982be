// Recording on the simulated BlackBird card through the real device
// enumerator, Hollit's pause filter as installed, the dump stand-ins and real
// files; the record names and disks of the controller with its clock and the
// disks' free space put in by the test.
#include <gtest/gtest.h>

#include <dshow.h>

#include <string>
#include <vector>

#include "engine/RecordParam.h"
#include "engine/TVEngine.h"
#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
struct Write
{
    DWORD id;
    std::vector<DWORD> values;  // the 32-bit words, or the one byte
};

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Folder(const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string folder = std::string(szTemp) + pszName;
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

class Recording : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ RecordingFilterModules() };
    CTestWindow window{ 40, 40, 360, 288, "Recording" };
    CRecordingWindows windows;
    CRecordParam param;
    CTVHardWare hw;
    std::string folder = Folder("ondrix-recording");

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        sim.Card()->SetEncoderPacing(FALSE);
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
        hw.SetRecordParam(&param);
        ASSERT_TRUE(hw.Initialize());
        ASSERT_NE(nullptr, hw.GetCaptureDevice());
        ASSERT_TRUE(hw.BuildPreviewGraph());
    }

    std::string FreshPath(const char* pszName)
    {
        std::string path = folder + "\\" + pszName;
        DeleteFileA(path.c_str());
        return path;
    }

    std::vector<Write> EncoderLog()
    {
        std::vector<Write> log;
        for (int i = 0; i < sim.Card()->GetEncoderWriteCount(); ++i)
        {
            DWORD id = 0, cb = 0;
            BYTE data[16] = {};
            sim.Card()->GetEncoderWrite(i, &id, data, sizeof(data), &cb);
            Write w{ id, {} };
            if (cb == 1)
                w.values.push_back(data[0]);
            for (DWORD at = 0; at + 4 <= cb; at += 4)
                w.values.push_back(*reinterpret_cast<DWORD*>(data + at));
            log.push_back(w);
        }
        return log;
    }

    // Pumps messages until the file holds at least the bytes.
    BOOL WaitForBytes(const std::string& path, LONGLONG bytes)
    {
        return PumpUntil([&] { return FileSize(path) >= bytes; }, 10000);
    }
};

std::vector<DWORD> Ids(const std::vector<Write>& log)
{
    std::vector<DWORD> ids;
    for (const Write& w : log)
        ids.push_back(w.id);
    return ids;
}

const Write* Last(const std::vector<Write>& log, DWORD id)
{
    const Write* p = nullptr;
    for (const Write& w : log)
        if (w.id == id)
            p = &w;
    return p;
}
}  // namespace

struct PresetCase
{
    int format;
    int standard;
    std::vector<DWORD> ids;
    DWORD kind, sizeCode, gop, audioDataRate;
    std::vector<DWORD> bitRate;
};

TEST_F(Recording, EachPresetWritesItsPropertiesInItsOrder)
{
    // Preset A (format 2) writes the user's parameters after its fixed values.
    const std::vector<DWORD> presetA = { 9, 6, 5, 4, 2, 1, 7, 0, 8, 6, 5, 4, 2, 1, 7, 0 };
    const std::vector<DWORD> presetB = { 9, 8, 6, 5, 4, 2, 1, 7, 0 };
    const std::vector<DWORD> presetCD = { 9, 8, 6, 7, 5, 4, 2, 1, 0 };
    param.m_Mpeg2.VideoSize = 1;
    param.m_Mpeg2.VideoRate = 7;
    param.m_Mpeg2.GOPSIZE = 12;
    param.m_Mpeg2.AudioDataRate = 2;
    const PresetCase cases[] = {
        { 1, AnalogVideo_PAL_D, presetB, 2, 7, 6, 0, { 0, 2000000, 7000000 } },
        { 1, AnalogVideo_NTSC_M, presetB, 2, 6, 6, 0, { 0, 2000000, 7000000 } },
        // NTSC_M_J is a 525-line standard like NTSC_M.
        { 1, AnalogVideo_NTSC_M_J, presetB, 2, 6, 6, 0, { 0, 2000000, 7000000 } },
        { 2, AnalogVideo_PAL_D, presetA, 10, 3, 12, 2, { 0, 7000000, 2000000 } },
        { 2, AnalogVideo_NTSC_M_J, presetA, 10, 0, 12, 2, { 0, 7000000, 2000000 } },
        { 2, AnalogVideo_SECAM_D, presetA, 10, 3, 12, 2, { 0, 7000000, 2000000 } },
        { 4, AnalogVideo_PAL_D, presetCD, 11, 7, 15, 0, { 1, 4000000, 6000000 } },
        { 4, AnalogVideo_NTSC_M, presetCD, 11, 6, 15, 0, { 1, 4000000, 6000000 } },
        { 6, AnalogVideo_PAL_D, presetCD, 10, 3, 15, 1, { 0, 4500000, 9800000 } },
        { 6, AnalogVideo_NTSC_433, presetCD, 10, 0, 15, 1, { 0, 4500000, 9800000 } },
    };
    for (const PresetCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "format " << c.format << " standard " << c.standard);
        hw.TVStandard = c.standard;
        hw.RecordFormat = c.format;
        std::string path = FreshPath("preset.mpg");
        hw.SetRecordFileName(path.c_str());
        sim.Card()->ClearEncoderLog();
        ASSERT_TRUE(hw.StartRecord());
        std::vector<Write> log = EncoderLog();
        EXPECT_EQ(c.ids, Ids(log));
        EXPECT_EQ(c.kind, Last(log, 9)->values[0]);
        EXPECT_EQ(c.sizeCode, Last(log, 8)->values[0]);
        EXPECT_EQ(c.gop, Last(log, 2)->values[0]);
        EXPECT_EQ(c.audioDataRate, Last(log, 7)->values[0]);
        EXPECT_EQ(c.bitRate, Last(log, 0)->values);
        ASSERT_TRUE(hw.StopRecord());
        EXPECT_FALSE(hw.IsRecording());
    }
}

TEST_F(Recording, RecordPauseResumeAndStopKeepTheLastGroupOfPictures)
{
    hw.RecordFormat = 6;
    std::string path = FreshPath("recording-pause.mpg");
    hw.SetRecordFileName(path.c_str());
    ASSERT_TRUE(hw.StartRecord());
    ASSERT_TRUE(hw.IsRecording());
    ASSERT_TRUE(WaitForBytes(path, 3 * 1024 * 1024));
    ASSERT_TRUE(hw.PauseRecord(TRUE));
    BOOL bPaused = FALSE;
    EXPECT_TRUE(hw.IsRecordPaused(&bPaused));
    EXPECT_TRUE(bPaused);
    LONGLONG paused = FileSize(path);
    ASSERT_TRUE(hw.PauseRecord(FALSE));
    EXPECT_FALSE(hw.IsRecordPaused(NULL));
    ASSERT_TRUE(WaitForBytes(path, paused + 3 * 1024 * 1024));
    ASSERT_TRUE(hw.PauseRecord(TRUE));
    // Stopping ends a paused recording and clears the paused flag.
    ASSERT_TRUE(hw.StopRecord());
    EXPECT_FALSE(hw.IsRecording());
    EXPECT_FALSE(hw.IsRecordPaused(NULL));
    EXPECT_GT(FileSize(path), paused);
    // ffprobe checks the file after this program (see CMakeLists.txt).
    CopyFileA(path.c_str(), "recording-pause.mpg", FALSE);
}

TEST_F(Recording, TheLastGroupBeforeAStopReachesTheFile)
{
    hw.RecordFormat = 6;
    std::string path = FreshPath("recording-stop.mpg");
    hw.SetRecordFileName(path.c_str());
    ASSERT_TRUE(hw.StartRecord());
    ASSERT_TRUE(WaitForBytes(path, 2 * 1024 * 1024));
    ASSERT_TRUE(hw.StopRecord());
    CopyFileA(path.c_str(), "recording-stop.mpg", FALSE);
}

TEST_F(Recording, AStartThatFailsLeavesNoFileAndThePreview)
{
    struct Failure
    {
        int format;
        DWORD refusedId;
    };
    const Failure failures[] = { { 6, 9 }, { 6, 0 }, { 2, 8 }, { 1, 7 } };
    for (const Failure& f : failures)
    {
        SCOPED_TRACE(testing::Message() << "format " << f.format << " refusing " << f.refusedId);
        sim.Card()->RefuseEncoderProperty(f.refusedId, E_FAIL);
        hw.RecordFormat = f.format;
        std::string path = FreshPath("refused.mpg");
        hw.SetRecordFileName(path.c_str());
        EXPECT_FALSE(hw.StartRecord());
        EXPECT_FALSE(hw.IsRecording());
        EXPECT_EQ(-1, FileSize(path));
        EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState());
        sim.Card()->RefuseEncoderProperty(f.refusedId, S_OK);
    }
}

TEST_F(Recording, AFileThatCannotBeWrittenFailsTheStartAndKeepsThePreview)
{
    // The folder is missing, or a folder of the file's name stands in the way.
    std::string blocked = FreshPath("blocked.mpg");
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS);
    for (const std::string& path : { folder + "\\missing\\run.mpg", blocked })
    {
        SCOPED_TRACE(path);
        hw.RecordFormat = 6;
        hw.SetRecordFileName(path.c_str());
        EXPECT_FALSE(hw.StartRecord());
        EXPECT_FALSE(hw.IsRecording());
        DWORD dwAttributes = GetFileAttributesA(path.c_str());
        EXPECT_TRUE(dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.GetGraph().GetState());
    }
    RemoveDirectoryA(blocked.c_str());
    // A start after the failed ones records.
    std::string path = FreshPath("after-failure.mpg");
    hw.SetRecordFileName(path.c_str());
    ASSERT_TRUE(hw.StartRecord());
    EXPECT_TRUE(WaitForBytes(path, 64 * 1024));
    EXPECT_TRUE(hw.StopRecord());
}

TEST_F(Recording, PauseWithoutThePauseFilterSaysItDidNotPause)
{
    EXPECT_FALSE(hw.PauseRecord(TRUE));
    EXPECT_FALSE(hw.IsRecordPaused(NULL));
    EXPECT_TRUE(hw.PauseRecord(FALSE));
}

namespace
{
SYSTEMTIME g_now = { 2026, 12, 5, 11, 6, 7, 8, 0 };
void WINAPI FixedClock(LPSYSTEMTIME p)
{
    *p = g_now;
}

struct FakeDisk
{
    const char* root;
    ULONGLONG freeMB;
};
std::vector<FakeDisk> g_disks;

BOOL FakeSpace(LPCSTR root, ULARGE_INTEGER* total, ULARGE_INTEGER* freeBytes)
{
    for (const FakeDisk& d : g_disks)
    {
        if (_stricmp(d.root, root) == 0)
        {
            total->QuadPart = 1000000ull << 20;
            freeBytes->QuadPart = d.freeMB << 20;
            return TRUE;
        }
    }
    return FALSE;
}

UINT FakeDriveType(LPCSTR root)
{
    for (const FakeDisk& d : g_disks)
        if (_stricmp(d.root, root) == 0)
            return DRIVE_FIXED;
    return DRIVE_NO_ROOT_DIR;
}
}  // namespace

TEST(RecordNames, TimeStampAndTheExtensionOfWhatIsWritten)
{
    CTVEngine engine;
    engine.SetClock(&FixedClock);
    struct Row
    {
        int format;
        const char* tv;
        const char* radio;
    };
    const Row rows[] = {
        { 0, "20261211-060708.avi", "20261211-060708.avi" }, { 1, "20261211-060708.mpg", "20261211-060708.avi" },
        { 2, "20261211-060708.mpg", "20261211-060708.mp2" }, { 3, "20261211-060708.avi", "20261211-060708.avi" },
        { 4, "20261211-060708.mpg", "20261211-060708.avi" }, { 5, "20261211-060708.avi", "20261211-060708.avi" },
        { 6, "20261211-060708.mpg", "20261211-060708.avi" }, { 7, "20261211-060708.avi", "20261211-060708.avi" },
        { 8, "20261211-060708.avi", "20261211-060708.avi" },
    };
    for (const Row& r : rows)
    {
        EXPECT_STREQ(r.tv, engine.MakeRecordFileName(r.format)) << r.format;
        EXPECT_STREQ(r.radio, engine.MakeAudioRecordFileName(r.format)) << r.format;
    }
    EXPECT_STREQ("20261211-060708.jpg", engine.MakeSnapshotFileName(2));
    EXPECT_STREQ("20261211-060708.bmp", engine.MakeSnapshotFileName(1));
}

TEST(RecordNames, ASecondRecordingInTheSameSecondGetsASuffix)
{
    std::string folder = Folder("ondrix-names");
    for (const char* name : { "\\a.mpg", "\\a-2.mpg", "\\a-3.mpg" })
        DeleteFileA((folder + name).c_str());
    EXPECT_EQ(folder + "\\a.mpg", std::string(CTVEngine::MakeUniquePath(folder.c_str(), "a.mpg")));
    for (const char* expected : { "\\a-2.mpg", "\\a-3.mpg" })
    {
        HANDLE h = CreateFileA(CTVEngine::MakeUniquePath(folder.c_str(), "a.mpg"), GENERIC_WRITE, 0, NULL,
                               CREATE_NEW, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        CloseHandle(h);
        if (std::string(expected) == "\\a-2.mpg")
            EXPECT_NE(-1, FileSize(folder + "\\a.mpg"));
    }
    EXPECT_NE(-1, FileSize(folder + "\\a-2.mpg"));
    EXPECT_EQ(folder + "\\a-3.mpg", std::string(CTVEngine::MakeUniquePath(folder.c_str(), "a.mpg")));
}

TEST(RecordDisks, AllowedDisksRotateFromTheDiskInUse)
{
    g_disks = { { "C:\\", 5000 }, { "Z:\\", 5000 } };
    CDriveInfo::SetSpaceQuery(&FakeSpace);
    CDriveList::SetDriveTypeQuery(&FakeDriveType);
    CTVEngine engine;
    ASSERT_TRUE(engine.GetDriveList().Refresh());
    CStringArray valid;
    valid.Add("C:\\");
    valid.Add("z:\\");
    engine.SetValidDisks(valid);
    ASSERT_TRUE(engine.UseDiskOfPath("C:\\Recordings"));
    EXPECT_STREQ("C:\\", engine.GetCurDisk());
    CString root;
    ASSERT_TRUE(engine.GetRecordDisk(root));
    EXPECT_STREQ("C:\\", root);
    // C: down to the reserve + 10: the walk goes on to Z:.
    g_disks[0].freeMB = 310;
    ASSERT_TRUE(engine.GetRecordDisk(root));
    EXPECT_STREQ("Z:\\", root);
    EXPECT_EQ(engine.GetDriveList().FindByRoot("Z:\\"), engine.FindDiskWithSpace("Z:\\"));
    // 311 MB is above the reserve of FindDiskWithSpace.
    EXPECT_EQ(engine.GetDriveList().FindByRoot("C:\\"), engine.FindDiskWithSpace("C:\\"));
    g_disks[1].freeMB = 300;
    g_disks[0].freeMB = 300;
    EXPECT_FALSE(engine.GetRecordDisk(root));
    EXPECT_TRUE(root.IsEmpty());
    EXPECT_EQ(nullptr, engine.FindDiskWithSpace("C:\\"));
    // Raising the reserve past every disk marks the disks full.
    g_disks[0].freeMB = 1000;
    EXPECT_FALSE(engine.SetReservedSpace(2000));
    EXPECT_TRUE(engine.IsDiskFull());
    EXPECT_FALSE(engine.StartRecord());
    EXPECT_TRUE(engine.SetReservedSpace(300));
    EXPECT_FALSE(engine.IsDiskFull());
    CDriveInfo::SetSpaceQuery(NULL);
    CDriveList::SetDriveTypeQuery(NULL);
}

// The controller's disks during a recording on the simulated card: the disk
// watcher reports the disk in use at its limit (free space put in by the
// test), the recording stops as the control panel stops it, and what was
// written stays a whole program stream (ffprobe checks it afterwards, see
// CMakeLists.txt). A start refused for want of room leaves no file.
#include <gtest/gtest.h>

#include <dshow.h>

#include <string>

#include "engine/TVEngine.h"
#include "engine/TVHardWare.h"
#include "foundation/DiskWatcher.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
ULONGLONG g_freeMB = 5000;

BOOL FakeSpace(LPCSTR root, ULARGE_INTEGER* total, ULARGE_INTEGER* freeBytes)
{
    if (_stricmp(root, "C:\\") != 0)
        return FALSE;
    total->QuadPart = 1000000ull << 20;
    freeBytes->QuadPart = g_freeMB << 20;
    return TRUE;
}

UINT FakeDriveType(LPCSTR root)
{
    return _stricmp(root, "C:\\") == 0 ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The control panel's part: on the low-space report for the disk in use,
// another disk with room or else the recording stops.
CTVEngine* g_pEngine = NULL;
WNDPROC g_oldProc = NULL;
LPARAM g_reportedMB = -1;

LRESULT CALLBACK PanelProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_DISK_SPACE_LOW && g_pEngine != NULL)
    {
        g_reportedMB = lParam;
        if (g_pEngine->FindDiskWithSpace(g_pEngine->GetCurDisk()) == NULL && g_pEngine->IsRecording())
            g_pEngine->StopRecord();
        return 0;
    }
    return CallWindowProcA(g_oldProc, hWnd, uMsg, wParam, lParam);
}

class Storage : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ RecordingFilterModules() };
    CTestWindow window{ 40, 40, 360, 288, "Record storage" };
    CRecordingWindows windows;
    std::string folder;

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        // The encoder at its own pace: the file grows as a recording's does.
        sim.Card()->SetEncoderPacing(TRUE);
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        folder = std::string(szTemp) + "ondrix-storage";
        CreateDirectoryA(folder.c_str(), NULL);
        g_freeMB = 5000;
        CDriveInfo::SetSpaceQuery(&FakeSpace);
        CDriveList::SetDriveTypeQuery(&FakeDriveType);
    }

    void TearDown() override
    {
        CDriveInfo::SetSpaceQuery(NULL);
        CDriveList::SetDriveTypeQuery(NULL);
        g_pEngine = NULL;
    }

    // The engine on the card, recording to the folder on C:, the watcher
    // reporting to the test's window.
    void Start(CTVEngine& engine)
    {
        engine.SetEngineWindows(&windows);
        CTVHardWare& hw = engine.GetHardWare();
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
        hw.SetRecordParam(&engine.GetRecordParam());
        ASSERT_TRUE(hw.Initialize());
        ASSERT_TRUE(hw.BuildPreviewGraph());
        ASSERT_TRUE(engine.GetDriveList().Refresh());
        CStringArray valid;
        valid.Add("C:\\");
        engine.SetValidDisks(valid);
        ASSERT_TRUE(engine.SetRecordPath((folder + "\\Rec").c_str()));
        engine.InitDiskMonitor(window.Handle());
        ASSERT_FALSE(engine.IsDiskFull());
    }
};
}  // namespace

TEST_F(Storage, RecordingStopsAtTheDiskLimitAndKeepsWhatItWrote)
{
    CTVEngine engine(folder.c_str());
    Start(engine);
    g_pEngine = &engine;
    g_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PanelProc)));
    engine.GetHardWare().RecordFormat = 6;
    ASSERT_TRUE(engine.StartRecord());
    std::string path = static_cast<LPCSTR>(engine.GetRecordingPath());
    ASSERT_TRUE(PumpUntil([&] { return FileSize(path) >= 2 * 1024 * 1024; }, 15000));

    // The disk reaches the reserve: the watcher's next look reports it.
    g_freeMB = engine.GetReservedSpace();
    ASSERT_TRUE(PumpUntil([&] { return !engine.IsRecording(); }, 15000));
    EXPECT_EQ(static_cast<LPARAM>(engine.GetReservedSpace()), g_reportedMB);
    EXPECT_FALSE(engine.GetHardWare().IsRecording());
    EXPECT_GT(FileSize(path), 2 * 1024 * 1024);
    SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_oldProc));
    ASSERT_TRUE(CopyFileA(path.c_str(), "recording-diskfull.mpg", FALSE));

    // No room: the next start is refused and leaves no file.
    auto countFiles = [&] {
        int n = 0;
        WIN32_FIND_DATAA find;
        HANDLE hFind = FindFirstFileA((folder + "\\Rec\\*.*").c_str(), &find);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &find))
            n += (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        if (hFind != INVALID_HANDLE_VALUE)
            FindClose(hFind);
        return n;
    };
    int nBefore = countFiles();
    EXPECT_FALSE(engine.StartRecord());
    EXPECT_FALSE(engine.IsRecording());
    EXPECT_EQ(nBefore, countFiles());
}

TEST_F(Storage, RaisingTheReserveWhileRecordingStopsTheRecordingWhole)
{
    CTVEngine engine(folder.c_str());
    Start(engine);
    engine.GetHardWare().RecordFormat = 4;
    ASSERT_TRUE(engine.StartRecord());
    std::string path = static_cast<LPCSTR>(engine.GetRecordingPath());
    ASSERT_TRUE(PumpUntil([&] { return FileSize(path) >= 2 * 1024 * 1024; }, 15000));
    EXPECT_FALSE(engine.SetReservedSpace(6000));
    EXPECT_FALSE(engine.IsRecording());
    EXPECT_TRUE(engine.IsDiskFull());
    ASSERT_TRUE(CopyFileA(path.c_str(), "recording-reserve.mpg", FALSE));
}

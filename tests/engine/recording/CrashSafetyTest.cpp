// A recording whose process is killed: this program starts itself as a
// recording process on the simulated card (real-time encoder, Hollit, the
// dump writer), kills it with TerminateProcess once the file has grown, and
// leaves the file for ffprobe (see CMakeLists.txt), which must read it up
// to about its last second.
#include <gtest/gtest.h>

#include <dshow.h>

#include <string>

#include "engine/RecordParam.h"
#include "engine/TVHardWare.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const char kChildSwitch[] = "--record-until-killed";

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The recording process: records format 6 at the card's own pace into the
// file until it is killed (or a minute has passed).
int RecordUntilKilled(const char* pszPath)
{
    CBlackBirdSimHost sim;
    CFilterModules filters(RecordingFilterModules());
    if (!sim.IsReady() || !filters.IsReady())
        return 2;
    sim.Card()->SetEncoderPacing(TRUE);
    CTestWindow window(40, 40, 360, 288, "Killed recording");
    CRecordingWindows windows;
    CRecordParam param;
    CTVHardWare hw;
    hw.SetEngineWindows(&windows);
    hw.SetVideoWindow(window.Handle());
    hw.SetRecordParam(&param);
    if (!hw.Initialize() || !hw.BuildPreviewGraph())
        return 3;
    hw.RecordFormat = 6;
    hw.SetRecordFileName(pszPath);
    if (!hw.StartRecord())
        return 4;
    PumpUntil([] { return false; }, 60000);
    hw.StopRecord();
    return 5;
}
}  // namespace

TEST(CrashSafety, AKilledRecordingLeavesAReadableFile)
{
    CBlackBirdSimHost sim;
    ASSERT_TRUE(sim.IsReady());
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string path = std::string(szTemp) + "ondrix-killed.mpg";
    DeleteFileA(path.c_str());
    char szSelf[MAX_PATH];
    GetModuleFileNameA(NULL, szSelf, MAX_PATH);
    std::string command = std::string("\"") + szSelf + "\" " + kChildSwitch + " \"" + path + "\"";
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    ASSERT_TRUE(CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    // About four seconds of a 4.5 Mbit/s recording.
    BOOL bGrown = PumpUntil(
        [&] { return FileSize(path) >= 2 * 1024 * 1024 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; },
        30000);
    DWORD dwExit = STILL_ACTIVE;
    GetExitCodeProcess(pi.hProcess, &dwExit);
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(static_cast<DWORD>(STILL_ACTIVE), dwExit) << "the recording process ended by itself";
    ASSERT_TRUE(bGrown);
    EXPECT_GE(FileSize(path), 2 * 1024 * 1024);
    ASSERT_TRUE(CopyFileA(path.c_str(), "recording-killed.mpg", FALSE));
}

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], kChildSwitch) == 0)
        return RecordUntilKilled(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Ondrix.exe started as a user starts it, on the simulated card: the skinned video window shows
// the card's moving picture, a second start brings the first forward and ends, and the exit
// request of another program ends it through its normal exit path, which saves the settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include <string>

#include "engine/ChannelItem.h"
#include "engine/ChannelTable.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const char kTitle[] = "Veltrane Mireval IV";
const UINT kExitRequest = 1468;

struct CProcess
{
    PROCESS_INFORMATION info = {};
    bool Start(const char* pszCommandLine)
    {
        STARTUPINFOA startup = { sizeof(startup) };
        std::string line = pszCommandLine;
        return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info) != FALSE;
    }
    DWORD WaitExit(DWORD ms)
    {
        if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
    ~CProcess()
    {
        if (info.hProcess != NULL)
        {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

ULONGLONG WriteTime(const char* pszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

ULONGLONG Now()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

HWND VisibleVideoWindow()
{
    HWND hwnd = FindWindowA(NULL, kTitle);
    return hwnd != NULL && IsWindowVisible(hwnd) ? hwnd : NULL;
}

// The tuned channel's picture: the card's test picture has a white box near its top-left corner
// (snow or the black of an empty window never makes that area white).
bool ShowsPicture(HWND hwnd)
{
    CScreenShot shot = CScreenShot::OfClient(hwnd);
    return shot.Width() == 640 && Luma(shot.Mean(40, 40, 80, 75)) > 200;
}
}  // namespace

TEST(OndrixStartTest, StartsOnTheCardShowsMovingPictureAndEndsThroughItsExitPath)
{
    CFilterModules filters(PreviewFilterModules());
    CBlackBirdSimHost sim;
    ASSERT_TRUE(sim.IsReady());
    ASSERT_TRUE(filters.IsReady());
    ASSERT_EQ(NULL, FindWindowA(NULL, kTitle)) << "another Ondrix is running";

    // One channel, current, on the frequency the card shows its picture at.
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("TVChannel.tvc")) << "a channel file is in the way";
    {
        CChannelTable table;
        CChannelItem* pItem = new CChannelItem(1, 471250, "TV-1", 1);
        table.Add(pItem);
        table.SetCurrentChannel(pItem);
        ASSERT_TRUE(table.SaveToFile("TVChannel.tvc"));
    }
    // The settings name that channel's frequency as the current one.
    HANDLE hSettings = CreateFileA("TVParam.ini", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hSettings);
    const char kSettings[] = "[Channel]\r\nTVInput=0\r\nTVCurFreq=471250\r\n";
    DWORD written = 0;
    WriteFile(hSettings, kSettings, sizeof(kSettings) - 1, &written, NULL);
    CloseHandle(hSettings);
    struct RemoveFiles
    {
        ~RemoveFiles()
        {
            DeleteFileA("TVChannel.tvc");
            DeleteFileA("TVParam.ini");
        }
    } removeFiles;

    ULONGLONG started = Now();
    CProcess first;
    DWORD startTick = GetTickCount();
    ASSERT_TRUE(first.Start("Ondrix.exe"));
    ASSERT_TRUE(PumpUntil([] { return VisibleVideoWindow() != NULL; }, 20000)) << "no video window";
    HWND hwnd = VisibleVideoWindow();

    // The skinned frame: the client area sits inside the caption and borders of the skin.
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    EXPECT_GT(window.bottom - window.top - client.bottom, 20);
    EXPECT_EQ(640, client.right);
    EXPECT_EQ(480, client.bottom);

    ASSERT_TRUE(PumpUntil([&] { return ShowsPicture(hwnd); }, 20000)) << "no picture from the card on the current channel";
    // A figure, not a limit: process start to the tuned channel's picture in the window.
    printf("first picture of the channel %lu ms after the process started\n", GetTickCount() - startTick);
    CScreenShot one = CScreenShot::OfClient(hwnd);
    CScreenShot two = one;
    ASSERT_TRUE(PumpUntil(
        [&] {
            two = CScreenShot::OfClient(hwnd);
            return two.MeanLumaDifference(one, 0, 0, one.Width(), one.Height()) > 1.0;
        },
        5000))
        << "the picture does not move";
    one.Save("OndrixStart-1.bmp");
    two.Save("OndrixStart-2.bmp");

    // The movie player takes the card (0x4400): the window hides and lets the device go; given back
    // (0x4401), the window shows the channel again.
    SendMessageA(hwnd, 0x4400, 0, 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    SendMessageA(hwnd, 0x4401, 0, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(PumpUntil([&] { return ShowsPicture(hwnd); }, 10000)) << "no picture after the device came back";

    // A second start while the first is minimised: the first comes back, the second ends.
    ShowWindow(hwnd, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(hwnd) != FALSE; }, 5000));
    CProcess second;
    ASSERT_TRUE(second.Start("Ondrix.exe"));
    EXPECT_EQ(0u, second.WaitExit(20000));
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(hwnd); }, 5000));
    EXPECT_TRUE(IsWindow(hwnd));

    // Another program asks it to exit: it saves its settings and ends.
    PostMessageA(hwnd, kExitRequest, 0, 0);
    EXPECT_EQ(0u, first.WaitExit(20000));
    EXPECT_GE(WriteTime("TVParam.ini"), started);
}

TEST(OndrixStartTest, ResourceLibraryMissingEndsWithItsMessage)
{
    // A copy of the program in a folder without the resource library.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "OndrixNoRsc";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string exe = folder + "\\Ondrix.exe";
    ASSERT_TRUE(CopyFileA("Ondrix.exe", exe.c_str(), FALSE));
    // The card and scheduling libraries it imports come along: without them it would not load at all.
    for (const char* dll : { "DM1105.dll", "Grenvil.dll", "Tamblin.dll" })
        CopyFileA(dll, (folder + "\\" + dll).c_str(), FALSE);
    char self[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, self);
    SetCurrentDirectoryA(folder.c_str());
    CProcess process;
    bool started = process.Start(("\"" + exe + "\"").c_str());
    SetCurrentDirectoryA(self);
    ASSERT_TRUE(started);
    // The message box of the missing library, with the application's name as its caption.
    HWND box = NULL;
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = FindWindowA("#32770", "Ondrix");
            return box != NULL;
        },
        10000));
    char text[256] = "";
    EnumChildWindows(
        box,
        [](HWND child, LPARAM lParam) WINAPI -> BOOL {
            char buffer[256];
            if (GetDlgCtrlID(child) == 0xFFFF && GetWindowTextA(child, buffer, sizeof(buffer)) > 0)
                lstrcpynA(reinterpret_cast<char*>(lParam), buffer, 256);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(text));
    EXPECT_NE(std::string::npos, std::string(text).find("OndrixRsc.dll")) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, process.WaitExit(10000));
    EXPECT_EQ(NULL, FindWindowA(NULL, kTitle));
    DeleteFileA(exe.c_str());
    for (const char* dll : { "DM1105.dll", "Grenvil.dll", "Tamblin.dll" })
        DeleteFileA((folder + "\\" + dll).c_str());
    RemoveDirectoryA(folder.c_str());
}

// Desktop video and the teletext viewer: the overlay's colour key against the
// desktop background on the simulated card's preview, the wallpaper taken
// away and put back, and our stand-in viewer started through its App Paths
// entry, clicked at its page selector and closed.
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>
#include <shlobj.h>

#include <string>

#include "dshow/OverlayMixerFilter.h"
#include "engine/ActiveDesktop.h"
#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/engine/support/SystemWallpaper.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vtx.Exe";
const char kViewerTitle[] = "PC Text Pro Light Version";

}

TEST(DesktopWallpaper, IsTakenAwayAndPutBack)
{
    CoInitialize(NULL);
    CActiveDesktop::SetCreateFunction(CSystemWallpaper::Create);
    std::string picture = MakeWallpaper();
    std::wstring before = CurrentWallpaper();
    {
        CActiveDesktop desktop;
        ASSERT_TRUE(desktop.SetWallpaper(picture.c_str(), NULL));
    }
    CTVHardWare hw;
    CSystemWallpaper::s_applied = 0;
    ASSERT_TRUE(hw.ClearDesktopWallpaper());
    EXPECT_STREQ(picture.c_str(), hw.m_SavedWallpaper);
    EXPECT_EQ(L"", CurrentWallpaper());
    EXPECT_EQ(1, CSystemWallpaper::s_applied);
    ASSERT_TRUE(hw.RestoreDesktopWallpaper());
    EXPECT_TRUE(hw.m_SavedWallpaper.IsEmpty());
    EXPECT_EQ(std::wstring(picture.begin(), picture.end()), CurrentWallpaper());

    // No wallpaper: nothing saved, nothing to put back.
    {
        CActiveDesktop desktop;
        ASSERT_TRUE(desktop.SetWallpaper("", NULL));
    }
    EXPECT_TRUE(hw.ClearDesktopWallpaper());
    EXPECT_TRUE(hw.m_SavedWallpaper.IsEmpty());
    EXPECT_FALSE(hw.RestoreDesktopWallpaper());

    // The system's own desktop object, which cannot read the wallpaper.
    CActiveDesktop::SetCreateFunction(NULL);
    hw.m_SavedWallpaper = "old";
    EXPECT_FALSE(hw.ClearDesktopWallpaper());
    EXPECT_TRUE(hw.m_SavedWallpaper.IsEmpty());
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<WCHAR*>(before.c_str()), SPIF_UPDATEINIFILE);
    CoUninitialize();
}

namespace
{
class DesktopVideo : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ PreviewFilterModules() };
    CTestWindow window{ 40, 40, 360, 288, "Desktop video" };
    CRecordingWindows windows;
    CTVHardWare hw;
    COLORREF background = GetSysColor(COLOR_BACKGROUND);

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
        ASSERT_TRUE(hw.Initialize());
        ASSERT_TRUE(hw.GetCaptureDevice()->SetTunerFrequency(471250.0f));
        ASSERT_TRUE(hw.BuildPreviewGraph());
    }
    void TearDown() override
    {
        INT element = COLOR_BACKGROUND;
        SetSysColors(1, &element, &background);
    }
    COLORREF Key()
    {
        COLORREF key = 0;
        hw.m_pOverlayMixer->GetColorKey(&key);
        return key;
    }
    void SetBackground(COLORREF color)
    {
        INT element = COLOR_BACKGROUND;
        SetSysColors(1, &element, &color);
    }
};
}

TEST_F(DesktopVideo, TheOverlayKeyFollowsTheDesktopBackground)
{
    SetBackground(RGB(10, 20, 30));
    ASSERT_TRUE(hw.StartDesktopOverlay());
    EXPECT_TRUE(hw.m_bDesktopVideo);
    EXPECT_EQ(RGB(10, 20, 30), Key());
    // Started again, it takes the background as it is now.
    SetBackground(RGB(40, 50, 60));
    ASSERT_TRUE(hw.StartDesktopOverlay());
    EXPECT_EQ(RGB(40, 50, 60), hw.m_DesktopColor);
    EXPECT_EQ(RGB(40, 50, 60), Key());
    EXPECT_EQ(CDShowGraph::STATE_RUNNING, hw.m_Graph.GetState());
    EXPECT_TRUE(PumpUntil([&] { return Luma(CScreenShot::OfClient(window.Handle()).Mean(20, 20, 44, 44)) > 200; }, 8000));

    ASSERT_TRUE(hw.StopDesktopOverlay());
    EXPECT_FALSE(hw.m_bDesktopVideo);
    EXPECT_EQ(RGB(16, 0, 16), Key());
    EXPECT_EQ(RGB(16, 0, 16), hw.m_OverlayColorKey);
    // Not active: nothing to stop, but the standard is applied again.
    sim.Card()->Reset();
    EXPECT_FALSE(hw.StopDesktopOverlay());
    EXPECT_EQ(AnalogVideo_PAL_D, sim.Card()->GetVideoStandard());

    hw.SetUseOverlay(FALSE);
    EXPECT_FALSE(hw.StartDesktopOverlay());
    EXPECT_FALSE(hw.m_bDesktopVideo);
}

namespace
{
class Teletext : public ::testing::Test
{
protected:
    CTVHardWare hw;

    void SetUp() override
    {
        char exe[MAX_PATH];
        GetFullPathNameA("Vtx.exe", MAX_PATH, exe, NULL);
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                                 &hKey, NULL));
        RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(exe), lstrlenA(exe) + 1);
        RegCloseKey(hKey);
    }
    void TearDown() override
    {
        hw.CloseTeletextViewer();
        PumpUntil([] { return FindWindowA(NULL, kViewerTitle) == NULL; }, 5000);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
    }
    static std::string Page()
    {
        char text[32] = "";
        GetDlgItemTextA(FindWindowA(NULL, kViewerTitle), 100, text, sizeof(text));
        return text;
    }
};
}

TEST_F(Teletext, TheViewerStartsOnceIsClickedAtItsPageSelectorAndCloses)
{
    EXPECT_FALSE(hw.IsTeletextViewerRunning());
    ASSERT_TRUE(hw.StartTeletextViewer());
    EXPECT_NE(nullptr, hw.m_hTeletextProcess);
    ASSERT_TRUE(PumpUntil([] { return FindWindowA(NULL, kViewerTitle) != NULL && Page() == "P100"; }, 10000));
    EXPECT_TRUE(hw.IsTeletextViewerRunning());
    // Its window is open: nothing more is started.
    EXPECT_FALSE(hw.StartTeletextViewer());

    // The click lands on the selector wherever the cursor was, and the cursor goes back.
    SetCursorPos(1200, 20);
    POINT before;
    GetCursorPos(&before);
    ASSERT_TRUE(hw.FocusTeletextViewer());
    EXPECT_TRUE(PumpUntil([] { return Page() == "P888"; }, 5000)) << Page();
    EXPECT_TRUE(PumpUntil(
        [&] {
            POINT now;
            GetCursorPos(&now);
            return abs(now.x - before.x) <= 1 && abs(now.y - before.y) <= 1;
        },
        5000));

    ASSERT_TRUE(hw.CloseTeletextViewer());
    EXPECT_EQ(nullptr, hw.m_hTeletextProcess);
    EXPECT_TRUE(PumpUntil([] { return FindWindowA(NULL, kViewerTitle) == NULL; }, 5000));
    EXPECT_FALSE(hw.IsTeletextViewerRunning());
    EXPECT_FALSE(hw.FocusTeletextViewer());
}

TEST_F(Teletext, WithoutItsAppPathsEntryNothingStarts)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
    EXPECT_FALSE(hw.StartTeletextViewer());
    EXPECT_EQ(nullptr, hw.m_hTeletextProcess);
}

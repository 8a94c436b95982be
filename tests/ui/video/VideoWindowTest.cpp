// The video window with the real control panel over the real engine on the simulated card: remote
// keys handed to the panel, a channel scan followed step by step, the desktop video entered and
// left by maximising, and the cursor hidden over the full-screen picture.
#include "PanelWindowsFixture.h"

#include "engine/ActiveDesktop.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDChannelPages.h"
#include "tests/engine/support/SystemWallpaper.h"

namespace
{
class VideoWindow : public PanelWindows
{
protected:
    CChannelTable& TV() { return engine->GetTVTable(); }
    int CurrentIndex() { return TV().FindItem(TV().GetCurrentChannel()); }
    static BOOL Enabled(UINT id) { return ::IsWindowEnabled(::GetDlgItem(Panel().m_hWnd, id)); }
    static void Timer(UINT id)
    {
        Video().SendMessage(WM_TIMER, id, 0);
        desktop::Pump();
    }
};
}  // namespace

TEST_F(VideoWindow, RemoteKeysReachThePanel)
{
    ASSERT_TRUE(Video().IsWindowVisible());
    int before = CurrentIndex();
    RemoteKey(233);
    EXPECT_LT(before, CurrentIndex());
    RemoteKey(237);
    EXPECT_EQ(before, CurrentIndex());
    RemoteKey(243);
    EXPECT_TRUE(Video().VolumeLabel().IsShown());
    // The full-screen key, and Esc in full screen leaves it; the panel takes the Esc as well.
    RemoteKey(228);
    EXPECT_TRUE(Video().IsFullScreen());
    EXPECT_FALSE(Panel().IsWindowVisible());
    Key(Video().m_hWnd, VK_ESCAPE);
    EXPECT_FALSE(Video().IsFullScreen());
}

TEST_F(VideoWindow, ScanStepsFillTheTableAndTheBars)
{
    TV().m_bReservePrev = TRUE;
    const int points = engine->GetPointCount();
    ASSERT_GT(points, 10);
    // The OSD menu stands on the channel-edit page while the scan runs.
    Panel().ShowOsdMenu(TRUE);
    COSDMenuDlg& menu = Panel().GetOsdMenu();
    Key(menu.m_hWnd, VK_RETURN);
    ASSERT_EQ(menu.GetPage(COSDMenuDlg::PAGE_CHANNEL_EDIT), menu.GetCurrentPage());

    // The engine starts the scan and calls the video window, as it does once its worker runs.
    engine->m_bScanning = TRUE;
    panelWindows.OnSearchBegin();
    EXPECT_EQ(0, TV().GetCount());
    EXPECT_TRUE(Video().ScanLabel().IsShown());
    CString scanning;
    scanning.LoadString(IDS_SCANNING);
    EXPECT_EQ(scanning, Video().ScanLabel().GetText());
    EXPECT_TRUE(engine->IsPlaySourceMuted());
    for (UINT id : { ID_CHANNEL_NEXT, ID_CHANNEL_PREV, ID_SNAPSHOT, ID_RECORD })
        if (::GetDlgItem(Panel().m_hWnd, id) != NULL)
            EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Video().ScanLabel().GetMargins().bottom + 35, Video().VolumeLabel().GetMargins().bottom);

    // Steps as the scan worker posts them: a miss advances the bar and adds nothing.
    struct Step
    {
        long frequency;
        LPARAM found;
        const char* name;  // the added channel's, or null
    };
    const Step steps[] = {
        { 48250, 0, nullptr }, { 55250, 1, "TV-1" }, { 62250, 0, nullptr }, { 175250, 1, "Channel Five" },
    };
    int count = 0;
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(steps[i].frequency);
        ::PostMessageA(Video().m_hWnd, CVideoDlg::WM_SCAN_STEP, steps[i].frequency, steps[i].found);
        desktop::Pump();
        if (steps[i].name != nullptr)
        {
            ++count;
            ASSERT_EQ(count, TV().GetCount());
            CChannelItem* pItem = TV().GetChannel(count - 1);
            EXPECT_STREQ(steps[i].name, pItem->Name);
            EXPECT_EQ(steps[i].frequency, pItem->Frequency);
        }
        EXPECT_EQ(count, TV().GetCount());
        EXPECT_EQ((i + 1) * 100 / points, Video().ScanLabel().GetPercent());
    }

    // The end: the bars go, the commands come back, the menu goes back a page and the sound returns.
    engine->m_bScanning = FALSE;
    ::PostMessageA(Video().m_hWnd, CVideoDlg::WM_SCAN_DONE, 0, 0);
    desktop::Pump();
    EXPECT_FALSE(Video().ScanLabel().IsShown());
    EXPECT_EQ(5, Video().VolumeLabel().GetMargins().bottom);
    for (UINT id : { ID_CHANNEL_NEXT, ID_CHANNEL_PREV, ID_SNAPSHOT, ID_RECORD })
        if (::GetDlgItem(Panel().m_hWnd, id) != NULL)
            EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(engine->IsPlaySourceMuted());
    EXPECT_EQ(menu.GetPage(COSDMenuDlg::PAGE_MAIN), menu.GetCurrentPage());
    EXPECT_NE(nullptr, TV().GetCurrentChannel());
    // Kept channels and found ones together.
    EXPECT_GE(TV().GetCount(), 2);
    EXPECT_GE(TV().FindIndexByFrequency(55250), 0);
}

TEST_F(VideoWindow, MaximisingInDesktopVideoClearsTheWallpaperAndComesBack)
{
    CActiveDesktop::SetCreateFunction(CSystemWallpaper::Create);
    const std::wstring before = CurrentWallpaper();
    const std::string picture = MakeWallpaper();
    {
        CActiveDesktop desktop;
        ASSERT_TRUE(desktop.SetWallpaper(picture.c_str(), NULL));
    }
    // Without desktop video, maximising is plain full screen: the wallpaper stays.
    Video().ShowMaximized();
    desktop::Pump();
    EXPECT_FALSE(Video().IsDesktopVideo());
    EXPECT_TRUE(Video().IsFullScreen());
    EXPECT_EQ(std::wstring(picture.begin(), picture.end()), CurrentWallpaper());
    Video().ShowNormal();
    desktop::Pump();

    // The desktop-video command puts the picture on the desktop's colour key.
    Video().SendMessage(WM_COMMAND, ID_DESKTOP_VIDEO, 0);
    desktop::Pump();
    ASSERT_TRUE(engine->GetHardWare().IsDesktopVideo());
    Video().ShowMaximized();
    desktop::Pump();
    EXPECT_TRUE(Video().IsDesktopVideo());
    EXPECT_EQ(L"", CurrentWallpaper());
    EXPECT_FALSE(Panel().IsWindowVisible());
    // 100 ms later the window gets out of the way.
    EXPECT_TRUE(desktop::PumpUntil([] { return Video().IsIconic() != FALSE; }, 3000));

    // Maximised again, the wallpaper, the panel and the window come back.
    Video().ShowMaximized();
    desktop::Pump();
    EXPECT_FALSE(Video().IsDesktopVideo());
    EXPECT_EQ(std::wstring(picture.begin(), picture.end()), CurrentWallpaper());
    EXPECT_TRUE(Panel().IsWindowVisible());
    EXPECT_FALSE(Video().IsIconic());
    EXPECT_FALSE(Video().IsFullScreen());

    Video().SendMessage(WM_COMMAND, ID_DESKTOP_VIDEO, 0);
    desktop::Pump();
    EXPECT_FALSE(engine->GetHardWare().IsDesktopVideo());
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<WCHAR*>(before.c_str()), SPIF_UPDATEINIFILE);
    CActiveDesktop::SetCreateFunction(NULL);
}

TEST_F(VideoWindow, TheCursorHidesOverTheFullScreenPictureOnly)
{
    CScreenToolDlg& tool = Panel().GetScreenTool();
    Video().ShowMaximized();
    desktop::Pump();
    ASSERT_TRUE(Video().IsFullScreen());
    ASSERT_FALSE(Panel().IsWindowVisible());

    // A move near the top edge calls the screen tool; while it is shown the cursor stays.
    Video().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 1));
    EXPECT_TRUE(tool.IsWindowVisible());
    EXPECT_TRUE(Video().IsCursorTimerRunning());
    Timer(CVideoDlg::TIMER_CURSOR);
    EXPECT_TRUE(Video().IsCursorShown());
    // Labels stand below the tool while it is shown.
    EXPECT_EQ(45, Video().ChannelLabel().GetMargins().top);
    EXPECT_EQ(100, Video().InputLabel().GetMargins().top);

    // Without the tool and the panel, the cursor goes when the timer runs out.
    tool.Show(FALSE);
    EXPECT_EQ(5, Video().ChannelLabel().GetMargins().top);
    Video().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_TRUE(Video().IsCursorShown());
    EXPECT_FALSE(tool.IsWindowVisible());
    Timer(CVideoDlg::TIMER_CURSOR);
    EXPECT_FALSE(Video().IsCursorShown());
    EXPECT_FALSE(Video().IsCursorTimerRunning());
    // Any move brings it back; the panel's face too.
    Video().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_TRUE(Video().IsCursorShown());
    Timer(CVideoDlg::TIMER_CURSOR);
    ASSERT_FALSE(Video().IsCursorShown());
    Panel().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(Video().IsCursorShown());

    // With automatic hiding off the timer only stops.
    Video().SetCursorAutoHide(FALSE);
    EXPECT_TRUE(Video().IsCursorTimerRunning());
    Timer(CVideoDlg::TIMER_CURSOR);
    EXPECT_TRUE(Video().IsCursorShown());
    EXPECT_FALSE(Video().IsCursorTimerRunning());
    Video().SetCursorAutoHide(TRUE);

    // Leaving full screen shows the cursor and stops the timer.
    Video().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    Timer(CVideoDlg::TIMER_CURSOR);
    ASSERT_FALSE(Video().IsCursorShown());
    Video().ShowNormal();
    desktop::Pump();
    EXPECT_TRUE(Video().IsCursorShown());
    EXPECT_FALSE(Video().IsCursorTimerRunning());
    // Out of full screen a move starts no timer.
    Video().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 1));
    EXPECT_FALSE(Video().IsCursorTimerRunning());
}

TEST_F(VideoWindow, HidingTheVideoWindowLeavesThePanelStandingAlone)
{
    Video().SetChannelText("1 Test");
    Video().ShowChannelLabel(TRUE);
    ASSERT_TRUE(Video().ChannelLabel().IsShown());
    Video().ShowVideo(FALSE);
    desktop::Pump();
    EXPECT_FALSE(Video().ChannelLabel().IsShown());
    LONG_PTR exStyle = ::GetWindowLongPtrA(Panel().m_hWnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::GetWindowLongPtrA(Panel().m_hWnd, GWL_STYLE) & WS_MINIMIZEBOX);
    Video().ShowVideo(TRUE);
    desktop::Pump();
    EXPECT_FALSE(::GetWindowLongPtrA(Panel().m_hWnd, GWL_STYLE) & WS_MINIMIZEBOX);
    EXPECT_TRUE(Panel().IsWindowVisible());
}

// The OSD menu as the application runs it: opened by the control panel's command over the video
// window, walked through all nine pages with the navigation keys, a channel scan started from it
// on the simulated card and followed by the search page through the video window, and the remote's
// keys still reaching the panel while the menu stands.
#include "PanelWindowsFixture.h"

#include "resources/ResourceIds.h"
#include "tests/hardware/support/FastBusClock.h"

namespace
{
class OsdThroughPanel : public PanelWindows
{
protected:
    COSDMenuDlg& Menu() { return Panel().GetOsdMenu(); }
    MFrame* Page(int index) { return Menu().GetPage(index); }
    void Press(UINT key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            Key(Menu().m_hWnd, key);
    }
    // The menu over the picture, as the user sees it.
    void Look(const char* name)
    {
        ::RedrawWindow(Menu().m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CRect video, panel, seen;
        Video().GetWindowRect(&video);
        Panel().GetWindowRect(&panel);
        seen.UnionRect(&video, &panel);
        CScreenShot::OfScreen(seen).Save(std::string(ONDRIX_BINARY_DIR) + "/osd-panel-" + name + ".bmp");
    }
    // From the root, the entry at that row opens its page.
    void Open(int row, int page)
    {
        ASSERT_EQ(Page(COSDMenuDlg::PAGE_MAIN), Menu().GetCurrentPage());
        // The root keeps the row it had when the page above was left.
        const int current = Menu().GetCurrentPage()->GetCurrentRow();
        Press(row >= current ? VK_DOWN : VK_UP, row >= current ? row - current : current - row);
        ASSERT_EQ(row, Menu().GetCurrentPage()->GetCurrentRow());
        Press(VK_RETURN);
        ASSERT_EQ(Page(page), Menu().GetCurrentPage());
        EXPECT_TRUE(Page(page)->IsWindowVisible());
    }
};
}  // namespace

TEST_F(OsdThroughPanel, OpenedByThePanelItWalksEveryPageAndScansOnTheCard)
{
    ASSERT_FALSE(Panel().IsOsdMenuShown());
    Command(ID_OSD_MENU);
    ASSERT_TRUE(Panel().IsOsdMenuShown());
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_MAIN), Menu().GetCurrentPage());
    // The menu stands centred on the application's main window, the panel, inside the screen.
    CRect panel, menu;
    Panel().GetWindowRect(&panel);
    Menu().GetWindowRect(&menu);
    EXPECT_NEAR(panel.CenterPoint().x, menu.CenterPoint().x, 2);
    Look("main");

    // Channel edit, and from it a scan of the cable band on the simulated card, held a while
    // after its first steps so the search page can be seen.
    CFastBusClock clock;
    clock.ParkAtWait(40);
    SimStation stations[] = { { 61250, FALSE }, { 67250, FALSE } };
    sim.Card()->SetStations(stations, 2);
    engine->SetCountryCode(1);
    engine->SetTVInput(CTVEngine::TV_INPUT_CABLE);
    engine->GetTVTable().m_bReservePrev = FALSE;
    Open(0, COSDMenuDlg::PAGE_CHANNEL_EDIT);
    Look("channel-edit");
    Press(VK_RETURN);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(clock.ParkedEvent(), 20000));
    desktop::Pump();
    ASSERT_TRUE(engine->IsScanning());
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_CHANNEL_SEARCH), Menu().GetCurrentPage());
    EXPECT_TRUE(Video().ScanLabel().IsShown());
    EXPECT_GT(Video().ScanLabel().GetPercent(), 0);
    // The worker's steps reached the video window, which filled the table.
    EXPECT_EQ(2, engine->GetTVTable().GetCount());
    EXPECT_GE(engine->GetTVTable().FindIndexByFrequency(61250), 0);
    EXPECT_GE(engine->GetTVTable().FindIndexByFrequency(67250), 0);
    Look("channel-search");
    // Enter on the search page stops the scan; its end takes the bar away and the menu back.
    Press(VK_RETURN);
    ASSERT_TRUE(desktop::PumpUntil([&] { return !Video().ScanLabel().IsShown(); }, 20000));
    EXPECT_FALSE(engine->IsScanning());
    EXPECT_EQ(2, engine->GetTVTable().GetCount());
    EXPECT_NE(nullptr, engine->GetTVTable().GetCurrentChannel());
    Look("after-scan");
    if (!Panel().IsOsdMenuShown())
        Command(ID_OSD_MENU);
    ASSERT_TRUE(Panel().IsOsdMenuShown());
    while (Menu().GetCurrentPage() != Page(COSDMenuDlg::PAGE_MAIN))
        ASSERT_TRUE(Menu().GoBack());

    // The picture page changes the card's brightness at once.
    const int brightness = engine->GetBrightness();
    Open(1, COSDMenuDlg::PAGE_PICTURE);
    Press(VK_RIGHT);
    EXPECT_NE(brightness, engine->GetBrightness());
    Look("picture");
    Press(VK_ESCAPE);

    // The task list and, through its action row, the scheduled-recording page.
    Open(2, COSDMenuDlg::PAGE_TASK_LIST);
    Look("task-list");
    Press(VK_RETURN);
    Press(VK_RETURN);
    ASSERT_EQ(Page(COSDMenuDlg::PAGE_SCHEDULE_RECORD), Menu().GetCurrentPage());
    Look("schedule-record");
    Press(VK_ESCAPE);
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_TASK_LIST), Menu().GetCurrentPage());
    Press(VK_ESCAPE);

    Open(3, COSDMenuDlg::PAGE_CAPTURE);
    Look("capture");
    Press(VK_ESCAPE);

    // The noise-reduction page's last row opens the timed shut-down page.
    Open(4, COSDMenuDlg::PAGE_NOISE);
    Look("noise");
    Press(VK_DOWN, 5);
    Press(VK_RETURN);
    ASSERT_EQ(Page(COSDMenuDlg::PAGE_SHUTDOWN), Menu().GetCurrentPage());
    Look("shutdown");
    Press(VK_ESCAPE);
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_NOISE), Menu().GetCurrentPage());
    Press(VK_ESCAPE);
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_MAIN), Menu().GetCurrentPage());

    // The remote's channel key goes on to the panel while the menu stands.
    CChannelTable& table = engine->GetTVTable();
    const int index = table.FindItem(table.GetCurrentChannel());
    RemoteKey(233);
    EXPECT_NE(index, table.FindItem(table.GetCurrentChannel()));
    EXPECT_TRUE(Panel().IsOsdMenuShown());

    // The close key hides the menu; the panel's command shows it again at the root, and hides it.
    Press(OSD_KEY_CLOSE);
    EXPECT_FALSE(Panel().IsOsdMenuShown());
    Command(ID_OSD_MENU);
    EXPECT_TRUE(Panel().IsOsdMenuShown());
    EXPECT_EQ(Page(COSDMenuDlg::PAGE_MAIN), Menu().GetCurrentPage());
    Command(ID_OSD_MENU);
    EXPECT_FALSE(Panel().IsOsdMenuShown());
}

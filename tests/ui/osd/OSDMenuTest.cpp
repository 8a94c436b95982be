// The OSD menu over the real engine on the simulated card: pages opened and left with the
// remote's navigation keys, channels fine-tuned and deleted, a picture setting changed and a
// scheduled recording stored in the real scheduling library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/osd/OSDChannelPages.h"
#include "ui/osd/OSDMenuDlg.h"
#include "ui/osd/OSDSchedulePages.h"
#include "ControllerOnCard.h"
#include "engine/TVEngine.h"
#include "hardware/devices/FilterClassTable.h"
#include "platform/afx/WinApp.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"
#include "tests/support/DesktopInput.h"

namespace {

struct RecordingOwner : COSDMenuOwner
{
    void ShowNotice(UINT textId) override { notices.push_back(textId); }
    void OnRecordFormatChanged() override { ++formatChanges; }
    void OnShutdownArmed(const CTime& time) override { armed.push_back(time); }
    std::vector<UINT> notices;
    std::vector<CTime> armed;
    int formatChanges = 0;
};

class OsdMenu : public ControllerOnCard
{
protected:
    RecordingOwner owner;

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        ControllerOnCard::SetUp();
        WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=175250\r\nTVCurIndex=1\r\n");
        ASSERT_TRUE(Timing_Initialize(File("Rec.rec").c_str(), 0));
    }
    void TearDown() override { Timing_Uninitialize(); }

    // The key as the remote's receiver hands it to the menu: a key-down message in the queue.
    static void Press(COSDMenuDlg& menu, UINT key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
        {
            ::PostMessageA(menu.m_hWnd, WM_KEYDOWN, key, 1);
            desktop::Pump();
        }
    }
    static void Shoot(COSDMenuDlg& menu, const char* name)
    {
        ::RedrawWindow(menu.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(menu.m_hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/osd-" + name + ".bmp");
    }
    // Every row's texts stand out from the dark row pictures, selected or not, and none runs over
    // its item's edges; the title stays inside the page.
    static void ExpectReadableRows(COSDMenuDlg& menu)
    {
        const CScreenShot shot = CScreenShot::OfClient(menu.m_hWnd);
        MFrame* pPage = menu.GetCurrentPage();
        for (int row = 0; row < pPage->GetRowCount(); ++row)
            for (int item = 0; item < pPage->GetRow(row)->GetCount(); ++item)
            {
                CRect rect;
                pPage->GetRow(row)->GetItem(item)->GetWindowRect(&rect);
                menu.ScreenToClient(&rect);
                int text = 0, atEdge = 0;
                for (int y = rect.top; y < rect.bottom; ++y)
                    for (int x = rect.left; x < rect.right; ++x)
                        if (Luma(shot.At(x, y)) > 130)
                        {
                            ++text;
                            atEdge += x < rect.left + 2 || x >= rect.right - 2;
                        }
                EXPECT_GT(text, 50) << "row " << row << " item " << item;
                EXPECT_EQ(0, atEdge) << "row " << row << " item " << item;
            }
        for (int x = 0; x < shot.Width(); ++x)
        {
            const Rgb bottom = shot.At(x, shot.Height() - 1);
            EXPECT_FALSE(bottom.r > 150 && bottom.g < 80) << "title on the bottom edge at " << x;
        }
    }
};

} // namespace

TEST_F(OsdMenu, RemoteKeysWalkThePagesAndChangeTheEngine)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    COSDMenuDlg menu;
    menu.SetOwner(&owner);
    ASSERT_TRUE(menu.Create(nullptr));
    EXPECT_FALSE(menu.IsWindowVisible());
    // Esc while hidden shows the root page.
    Press(menu, VK_ESCAPE);
    ASSERT_TRUE(menu.IsWindowVisible());
    EXPECT_EQ(menu.GetPage(COSDMenuDlg::PAGE_MAIN), menu.GetCurrentPage());
    Shoot(menu, "main");
    ExpectReadableRows(menu);
    {
        // The head of the page carries the product's name in light letters, not an empty band.
        const CScreenShot shot = CScreenShot::OfClient(menu.m_hWnd);
        int light = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 60; x < 500; ++x)
                light += Luma(shot.At(x, y)) > 190;
        EXPECT_GT(light, 300);
    }

    // Up from the first entry wraps to the last; Enter opens the page of the selected entry.
    Press(menu, VK_UP);
    EXPECT_EQ(4, menu.GetCurrentPage()->GetCurrentRow());
    Press(menu, VK_DOWN);
    Press(menu, VK_RETURN);
    ASSERT_EQ(menu.GetPage(COSDMenuDlg::PAGE_CHANNEL_EDIT), menu.GetCurrentPage());

    // Fine-tune: ten steps of 50 kHz to the right retune the channel and store it.
    CChannelItem* pFive = engine.GetCurrentChannel();
    ASSERT_STREQ("Channel Five", pFive->Name);
    Press(menu, VK_DOWN);
    sim.Card()->ClearBusLog();
    Press(menu, VK_RIGHT, 10);
    EXPECT_EQ(175750, pFive->Frequency);
    EXPECT_FALSE(sim.WritesTo(0xC0).empty());
    // The card tunes to the divider nearest the frequency.
    EXPECT_NEAR(175750.0, sim.Card()->GetTunedFrequency(), 62.5);
    Shoot(menu, "channel-edit");

    // Esc goes back one page, and hides the menu at the root.
    Press(menu, VK_ESCAPE);
    EXPECT_EQ(menu.GetPage(COSDMenuDlg::PAGE_MAIN), menu.GetCurrentPage());
    Press(menu, VK_ESCAPE);
    EXPECT_FALSE(menu.IsWindowVisible());

    // Shown again the menu starts at the root; the picture page changes the brightness at once.
    const int brightness = engine.GetBrightness();
    Press(menu, VK_ESCAPE);
    Press(menu, VK_DOWN);
    Press(menu, VK_RETURN);
    ASSERT_EQ(menu.GetPage(COSDMenuDlg::PAGE_PICTURE), menu.GetCurrentPage());
    Press(menu, VK_RIGHT);
    EXPECT_EQ(brightness + 2 > 255 ? 255 : brightness + 2, engine.GetBrightness());
    Shoot(menu, "picture");
    // Keys other than the navigation keys do not reach the pages.
    Press(menu, 'A');
    EXPECT_EQ(menu.GetPage(COSDMenuDlg::PAGE_PICTURE), menu.GetCurrentPage());
    // The remote's close key hides the menu.
    Press(menu, OSD_KEY_CLOSE);
    EXPECT_FALSE(menu.IsWindowVisible());
    menu.DestroyWindow();
}

TEST_F(OsdMenu, DeletingTheCurrentChannelRemovesItFromTheTableOnce)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    COSDMenuDlg menu;
    ASSERT_TRUE(menu.Create(nullptr));
    menu.ShowMenu(TRUE);
    Press(menu, VK_RETURN);
    ASSERT_EQ(menu.GetPage(COSDMenuDlg::PAGE_CHANNEL_EDIT), menu.GetCurrentPage());
    const int count = engine.GetTVTable().GetCount();
    // Row 2: choose the first action and press Enter.
    Press(menu, VK_DOWN, 2);
    Press(menu, VK_LEFT);
    Press(menu, VK_RETURN);
    EXPECT_EQ(count - 1, engine.GetTVTable().GetCount());
    for (int i = 0; i < engine.GetTVTable().GetCount(); ++i)
        EXPECT_STRNE("Channel Five", engine.GetTVTable().GetChannel(i)->Name);
    // A second delete takes the next current channel; nothing is freed twice.
    Press(menu, VK_RETURN);
    EXPECT_EQ(count - 2, engine.GetTVTable().GetCount());
    menu.DestroyWindow();
}

TEST_F(OsdMenu, ScheduledRecordingIsStoredFromTheTaskList)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    COSDMenuDlg menu;
    menu.SetOwner(&owner);
    ASSERT_TRUE(menu.Create(nullptr));
    menu.ShowMenu(TRUE);
    Press(menu, VK_DOWN, 2);
    Press(menu, VK_RETURN);
    MTaskListPage* pList = dynamic_cast<MTaskListPage*>(menu.GetCurrentPage());
    ASSERT_NE(nullptr, pList);
    // Enter on an item row makes the action row current; "new" opens the recording page.
    Press(menu, VK_RETURN);
    EXPECT_EQ(5, pList->GetCurrentRow());
    Press(menu, VK_RETURN);
    ASSERT_EQ(menu.GetPage(COSDMenuDlg::PAGE_SCHEDULE_RECORD), menu.GetCurrentPage());
    MFrame* pRecord = menu.GetCurrentPage();

    // The date row: year next year, month February, day 31 becomes the month's last day.
    const CTime now = CTime::GetCurrentTime();
    Press(menu, VK_RIGHT);          // year field
    Press(menu, VK_UP);             // next year
    Press(menu, VK_RIGHT);          // month field
    for (int m = now.GetMonth(); m > 2; --m)
        Press(menu, VK_DOWN);
    for (int m = now.GetMonth(); m < 2; ++m)
        Press(menu, VK_UP);
    Press(menu, VK_RIGHT);          // day field
    Press(menu, VK_UP, 31);
    MNumberItem* pDay = dynamic_cast<MNumberItem*>(pRecord->GetRow(0)->GetItem(5));
    ASSERT_NE(nullptr, pDay);
    const int year = now.GetYear() + 1;
    const int february = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    EXPECT_EQ(february, pDay->GetValue());
    Shoot(menu, "schedule-record");

    // Down past the length, channel and shut-down rows to the action row, and store.
    Press(menu, VK_RIGHT);          // leave the day field, back to the caption
    Press(menu, VK_DOWN, 5);
    ASSERT_EQ(5, pRecord->GetCurrentRow());
    Press(menu, VK_RETURN);
    EXPECT_EQ(menu.GetPage(COSDMenuDlg::PAGE_TASK_LIST), menu.GetCurrentPage());
    HTIMINGITEM item = Timing_GetFirstItem(0);
    ASSERT_NE(nullptr, item);
    _tagTimingParam timing;
    _tagExcuteParam excute;
    ASSERT_TRUE(Timing_GetItemTimingParam(item, &timing));
    ASSERT_TRUE(Timing_GetItemExcuteParam(item, &excute, sizeof excute));
    EXPECT_EQ(year, timing.nYear);
    EXPECT_EQ(2, timing.nMonth);
    EXPECT_EQ(february, timing.nDay);
    EXPECT_EQ(3000, timing.lLength);
    EXPECT_EQ(3000, excute.lRecordLength);
    EXPECT_EQ(0u, excute.dwSource);
    EXPECT_EQ(engine.GetTVTable().GetCurrentChannel()->Frequency, excute.lFreq);
    EXPECT_EQ(engine.GetTVTable().m_nCurIndex + 1, excute.nChannel);
    EXPECT_EQ(nullptr, Timing_GetNextItem(0, item));
    EXPECT_TRUE(owner.notices.empty());
    Shoot(menu, "task-list");
    menu.DestroyWindow();
}

// The settings sheet over the real engine on the simulated card: its tabs and remembered page,
// channel editing applied by OK and undone by Cancel, drag reordering, export and import, and a
// channel scan started from the page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/settings/sheet/SheetFixture.h"

namespace {

// The control panel's part of a scan: a fresh table, then the engine's scan.
struct ScanPanel : CSettingsPanel
{
    BOOL StartChannelScan() override
    {
        ++starts;
        g_pTVEngine->GetTVTable().RemoveAll();
        return CSettingsPanel::StartChannelScan();
    }
    int starts = 0;
};

// The video window's part of a scan: a found station becomes a channel the open page lists.
class CScanWindow : public CWnd
{
public:
    CScanWindow() { CreateEx(0, AfxRegisterWndClass(0), "scan", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr); }
    ~CScanWindow() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == 0x3979 && lParam)
        {
            CChannelTable& table = g_pTVEngine->GetTVTable();
            CString name;
            name.Format("TV-%d", static_cast<int>(table.GetMaxID() + 1));
            CChannelItem* pItem = new CChannelItem(table.GetMaxID() + 1, static_cast<long>(wParam), name, 1);
            table.Add(pItem);
            CChannelPage::OnScanProgress(0, pItem);
            return 0;
        }
        if (message == 0x3980)
        {
            CChannelPage::OnScanFinished();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string Names(const CChannelTable& table)
{
    std::string s;
    for (int i = 0; i < table.GetCount(); ++i)
    {
        const CChannelItem* p = table.GetChannel(i);
        s += std::string(p->Name) + "@" + std::to_string(p->Frequency) + ";";
    }
    return s;
}

std::string Rows(CListCtrl& list)
{
    std::string s;
    for (int i = 0; i < list.GetItemCount(); ++i)
        s += std::string(list.GetItemText(i, 1)) + ";";
    return s;
}

int RowOf(CListCtrl& list, const char* name)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemText(i, 1) == name)
            return i;
    return -1;
}

void SelectRow(CListCtrl& list, int nRow)
{
    list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

} // namespace

TEST(ChannelPageFrequency, ShownInMegahertzAndReadBackToTheNearestKilohertz)
{
    struct Row
    {
        const char* text;
        long kHz;
    } rows[] = {
        { "64.1", 64100 },  { "175.25", 175250 }, { "49.75", 49750 }, { "855.25", 855250 },
        { "87.5", 87500 },  { "108", 108000 },    { "0", 0 },         { "64.0994", 64099 },
        { "64.0996", 64100 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.kHz, CChannelPage::ParseFrequency(row.text)) << row.text;
    EXPECT_STREQ("64.1", CChannelPage::FormatFrequency(64100));
    EXPECT_STREQ("175.25", CChannelPage::FormatFrequency(175250));
}

TEST_F(SettingsSheet, OpensOnThePageLastSeenWithItsTabsInOrder)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const bool fm = engine.IsFMAvailable() != FALSE;
    std::vector<std::string> expected = { "TV 频道" };
    if (fm)
        expected.push_back("FM 频道");
    for (const char* tab : { "节目单", "设备", "录像格式", "预约", "界面", "视频", "存储" })
        expected.push_back(tab);
    const int tabs = static_cast<int>(expected.size());
    int remembered = -1;
    {
        CStepSheet sheet;
        sheet.AddAllPages();
        ASSERT_EQ(tabs, sheet.GetPageCount());
        sheet.steps = {
            [&] {
                CTabCtrl* pTab = sheet.GetTabControl();
                ASSERT_EQ(tabs, pTab->GetItemCount());
                for (int i = 0; i < tabs; ++i)
                {
                    EXPECT_EQ(expected[i], std::string(pTab->GetItemText(i))) << i;
                }
                CString title;
                sheet.GetWindowText(title);
                EXPECT_EQ(0, title.Find("设置 - ")) << title;
                EXPECT_NE(-1, title.Find("TV 频道")) << title;
                Shoot(sheet, "channel-tv");
                sheet.SetActivePage(fm ? 1 : 0);
            },
            [&] {
                if (fm)
                {
                    CString text;
                    sheet.m_FMChannelPage.GetWindowText(text);
                    EXPECT_STREQ("FM 频道", text);
                    Shoot(sheet, "channel-fm");
                }
                sheet.SetActivePage(tabs - 1);
            },
            [&] { sheet.PressButton(PSBTN_CANCEL); },
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_EQ(3u, sheet.next);
        remembered = sheet.GetRememberedPage();
    }
    EXPECT_EQ(tabs - 1, remembered);
    CStepSheet again(remembered);
    again.AddAllPages();
    again.steps = { [&] {
        EXPECT_EQ(remembered, again.GetActiveIndex());
        again.PressButton(PSBTN_CANCEL);
    } };
    EXPECT_EQ(IDCANCEL, again.DoModal());
}

TEST_F(SettingsSheet, ChannelEditsTuneTheCardCancelRestoresAndOkKeeps)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const std::string before = Names(engine.GetTVTable());
    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CChannelPage& page = sheet.m_TVChannelPage;
        sheet.steps = {
            [&] {
                // The hidden channel has no row.
                CChannelListCtrl& list = page.GetList();
                EXPECT_EQ(-1, RowOf(list, "News, Sport")) << Rows(list);
                const int five = RowOf(list, "Channel Five");
                ASSERT_NE(-1, five) << Rows(list);
                EXPECT_STREQ("175.25", list.GetItemText(five, 2));
                EXPECT_STREQ("2", list.GetItemText(five, 3));
                const int rows = list.GetItemCount();
                SelectRow(list, five);
                EXPECT_EQ("Channel Five", ItemText(page, IDC_CHANNEL_NAME));
                EXPECT_EQ("175.25", ItemText(page, IDC_CHANNEL_FREQUENCY));
                EXPECT_NEAR(175250.0, sim.Card()->GetTunedFrequency(), 62.5);

                page.SetDlgItemText(IDC_CHANNEL_NAME, "Renamed");
                Click(page, IDC_CHANNEL_RENAME);
                page.SetDlgItemText(IDC_CHANNEL_FREQUENCY, "64.1");
                Click(page, IDC_CHANNEL_SET_FREQUENCY);
                EXPECT_EQ(64100, page.GetSelectedChannel()->Frequency);
                EXPECT_NEAR(64100.0, sim.Card()->GetTunedFrequency(), 62.5);
                EXPECT_STREQ("Renamed", list.GetItemText(five, 1));
                const BOOL favourite = page.GetSelectedChannel()->IsFavorite();
                Click(page, IDC_CHANNEL_FAVOURITE);
                EXPECT_NE(favourite, page.GetSelectedChannel()->IsFavorite());
                Shoot(sheet, "channel-edited");
                Click(page, IDC_CHANNEL_DELETE);
                ASSERT_EQ(rows - 1, list.GetItemCount());
                EXPECT_EQ(-1, RowOf(list, "Renamed"));
                ASSERT_NE(nullptr, page.GetSelectedChannel());
                sheet.PressButton(PSBTN_CANCEL);
            },
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
    }
    EXPECT_EQ(before, Names(engine.GetTVTable()));

    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CChannelPage& page = sheet.m_TVChannelPage;
        sheet.steps = {
            [&] {
                const int rows = page.GetList().GetItemCount();
                SelectRow(page.GetList(), 0);
                page.SetDlgItemText(IDC_CHANNEL_NAME, "First");
                Click(page, IDC_CHANNEL_RENAME);
                page.CheckDlgButton(IDC_CHANNEL_FAVOURITES_ONLY, BST_CHECKED);
                Click(page, IDC_CHANNEL_FAVOURITES_ONLY);
                // The menu's "add": ID one above the highest, appended and selected.
                page.SendMessage(WM_COMMAND, ID_CHANNEL_ADD);
                EXPECT_EQ(rows + 1, page.GetList().GetItemCount());
                EXPECT_EQ(engine.GetTVTable().GetMaxID(), page.GetSelectedChannel()->ID);
                EXPECT_STREQ("New Channel", page.GetSelectedChannel()->Name);
                sheet.PressButton(PSBTN_OK);
            },
        };
        EXPECT_EQ(IDOK, sheet.DoModal());
    }
    const CChannelTable& table = engine.GetTVTable();
    EXPECT_STREQ("First", table.GetChannel(0)->Name);
    EXPECT_STREQ("New Channel", table.GetChannel(table.GetCount() - 1)->Name);
    EXPECT_TRUE(table.m_bFavorOnly);
    EXPECT_TRUE(table.IsModified());
}

TEST_F(SettingsSheet, DraggedRowsReorderTheTableAndExportImportRoundTrips)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const std::string tvb = folder + "\\Export.tvb";
    const std::string ini = folder + "\\Export.ini";
    MessageBoxAnswerer answerer;
    CStepSheet sheet;
    sheet.AddAllPages();
    CChannelPage& page = sheet.m_TVChannelPage;
    std::string exported;
    sheet.steps = {
        [&] {
            CChannelListCtrl& list = page.GetList();
            const int rows = list.GetItemCount();
            ASSERT_GE(rows, 2);
            const std::string first(list.GetItemText(0, 1));
            // Row 0 dropped after the last row: the channel goes to the end of the table.
            list.DropItem(0, rows, 0, 0);
            EXPECT_EQ(first, std::string(list.GetItemText(rows - 1, 1))) << Rows(list);
            CString last;
            last.Format("%d", engine.GetTVTable().GetCount());
            EXPECT_STREQ(last, list.GetItemText(rows - 1, 3));
            EXPECT_EQ(first, std::string(engine.GetTVTable().GetChannel(engine.GetTVTable().GetCount() - 1)->Name));
            EXPECT_TRUE(page.IsModified());
            exported = Names(engine.GetTVTable());
            EXPECT_TRUE(page.ExportTable(tvb.c_str()));
            EXPECT_TRUE(page.ExportTable(ini.c_str()));
            SelectRow(list, 0);
            Click(page, IDC_CHANNEL_DELETE);
            EXPECT_TRUE(page.ImportTable(tvb.c_str()));
            EXPECT_EQ(exported, Names(engine.GetTVTable()));
            EXPECT_EQ(rows, list.GetItemCount());
            const int count = engine.GetTVTable().GetCount();
            EXPECT_TRUE(page.ImportTable(ini.c_str()));
            EXPECT_EQ(count, engine.GetTVTable().GetCount());
            EXPECT_EQ(first, std::string(engine.GetTVTable().GetChannel(count - 1)->Name));
            EXPECT_FALSE(page.ImportTable((folder + "\\Missing.tvb").c_str()));
            EXPECT_EQ(count, engine.GetTVTable().GetCount());
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
}

TEST_F(SettingsSheet, ScanFromThePageRefusesCancelUntilItEndsAndTheScanBecomesTheBackup)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    ScanPanel panel;
    SetSettingsPanel(&panel);
    CScanWindow scanWindow;
    engine.SetNotifyWindow(scanWindow.m_hWnd);
    const std::string before = Names(engine.GetTVTable());
    MessageBoxAnswerer answerer(IDOK);
    CStepSheet sheet;
    sheet.AddAllPages();
    CChannelPage& page = sheet.m_TVChannelPage;
    sheet.steps = {
        [&] {
            Click(page, IDC_CHANNEL_SCAN);
            ASSERT_EQ(1, panel.starts);
            EXPECT_TRUE(engine.IsScanning());
            EXPECT_FALSE(page.GetDlgItem(IDC_CHANNEL_DELETE)->IsWindowEnabled());
            // Stations the scan finds arrive at the video window and show up as rows.
            scanWindow.SendMessage(0x3979, 55250, 1);
            scanWindow.SendMessage(0x3979, 62250, 0);
            scanWindow.SendMessage(0x3979, 175250, 1);
            sheet.PressButton(PSBTN_CANCEL);
        },
        [&] {
            // Cancel while scanning would mix the backup with the scan: the sheet stays.
            EXPECT_TRUE(IsOpen(sheet));
            EXPECT_EQ(before, Names(page.GetBackupTable()));
            Shoot(sheet, "channel-scanning");
            Click(page, IDC_CHANNEL_SCAN);
            EXPECT_FALSE(engine.IsScanning());
            scanWindow.SendMessage(0x3980, 0, 0);
        },
        [&] {
            EXPECT_TRUE(page.GetDlgItem(IDC_CHANNEL_DELETE)->IsWindowEnabled());
            EXPECT_TRUE(page.GetList().IsDragEnabled());
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(3u, sheet.next);
    // The finished scan became the page's backup, so Cancel keeps what it found (and only that).
    const CChannelTable& table = engine.GetTVTable();
    EXPECT_GE(table.GetCount(), 2);
    EXPECT_NE(-1, table.FindIndexByFrequency(55250));
    EXPECT_NE(-1, table.FindIndexByFrequency(175250));
    EXPECT_EQ(-1, table.FindIndexByFrequency(49750));
    ASSERT_GE(answerer.boxes.size(), 2u);
    CString ask;
    ask.LoadString(IDS_ASK_START_SCAN);
    EXPECT_STREQ(ask, answerer.boxes[0].text.c_str());
}

TEST_F(SettingsSheet, RecordFolderDiskSearchTriesEachDiskOnceAndThenStops)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CDriveList& drives = engine.GetDriveList();
    drives.Refresh();
    ASSERT_GT(drives.GetCount(), 0);
    const CString root = drives.GetAt(0)->GetRoot();
    CStringArray valid;
    valid.Add(root);
    engine.ValidDisk.Copy(valid);

    // No disk has the space: the search ends at once.
    const int reserved = engine.ReservedSpace;
    engine.ReservedSpace = 0x7FFFFFFF;
    EXPECT_FALSE(UseDiskOfRecordFolder(engine, "Q:\\Rec"));

    // A folder on a drive that is not there: the allowed disk is offered, and taken when the
    // controller accepts its root; a root it refuses is offered once, not for ever.
    engine.ReservedSpace = reserved > 0 ? 1 : 0;
    const BOOL accepted = UseDiskOfRecordFolder(engine, "Q:\\Rec");
    EXPECT_EQ(root.GetLength() >= 3, accepted != 0) << root;
    if (accepted)
    {
        EXPECT_EQ(0, engine.GetCurDisk().CompareNoCase(root));
    }
}

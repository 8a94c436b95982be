// The schedule list page in a settings sheet over the real engine and the scheduling library
// stand-in: items added, refused, edited and deleted through the page, each row tied to its own
// item, and the timed shut-down stored on Apply.
#include <algorithm>
#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/ScheduleListPage.h"
#include "ScheduleFixture.h"
#include "tests/engine/support/ScreenProbe.h"

using namespace schedule;

namespace {

typedef std::vector<std::string> Texts;

Texts RowTexts(HWND list, int row)
{
    Texts texts;
    for (int column = 0; column < 6; ++column)
    {
        char text[260] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    desktop::Pump();
}

// A double click on a row, as the list reports it to the page.
void DoubleClick(HWND page, HWND list, int row)
{
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list;
    activate.hdr.idFrom = IDC_SCHEDULE_LIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = row;
    SendMessageA(page, WM_NOTIFY, IDC_SCHEDULE_LIST, reinterpret_cast<LPARAM>(&activate));
    desktop::Pump();
}

std::string DateOf(const SYSTEMTIME& st)
{
    char text[16];
    snprintf(text, sizeof text, "%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
    return text;
}

CTime g_shutTime;
BOOL g_shutEnabled = FALSE;
int g_shutCalls = 0;
void RecordShutdown(const CTime& time, BOOL bEnable)
{
    g_shutTime = time;
    g_shutEnabled = bEnable;
    ++g_shutCalls;
}

class ListPage : public Fixture
{
};

}  // namespace

TEST_F(ListPage, ItemsAreAddedEditedAndDeletedThroughTheLibrary)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const SYSTEMTIME noon = Today(12, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&noon));
    // One item in the schedule before the page opens.
    _tagTimingParam early = { noon.wYear, noon.wMonth, noon.wDay, 18, 0, 0, 1800, 1, 0, 0 };
    _tagExcuteParam earlyRun = {};
    earlyRun.stuExcute.dwSize = 40;
    earlyRun.lRecordLength = 1800;
    earlyRun.dwSource = 1;
    earlyRun.nChannel = 1;
    HTIMINGITEM first = Timing_InsertItem(0, early, &earlyRun);
    ASSERT_NE(nullptr, first);
    CScheduleListPage::SetShutdownTimeHandler(&RecordShutdown);

    const std::string today = DateOf(noon);
    CPropertySheet sheet("设置", nullptr, 0);
    CScheduleListPage page;
    sheet.AddPage(&page);
    CDialogWatch watch;
    std::vector<std::function<void(HWND)>> itemSteps;
    watch.onDialog = [&](HWND h) {
        if (GetDlgItem(h, IDC_ITEM_WEEKDAYS) != nullptr)
        {
            ASSERT_FALSE(itemSteps.empty());
            auto step = itemSteps.front();
            itemSteps.erase(itemSteps.begin());
            step(h);
            return;
        }
        HWND pageWnd = page.m_hWnd;
        HWND list = GetDlgItem(pageWnd, IDC_SCHEDULE_LIST);
        ASSERT_EQ(1, RowCount(list));
        EXPECT_EQ(Texts({ today, "18:00:00", "预约录像", "00:30:00", "", "AV" }), RowTexts(list, 0));

        // A recording tonight on the current channel.
        itemSteps.push_back([&](HWND item) {
            SetTime(item, IDC_ITEM_START_TIME, 20, 0, 0, &noon);
            SetTime(item, IDC_ITEM_LENGTH, 1, 0, 0);
            Press(item, IDOK);
        });
        Press(pageWnd, IDC_SCHEDULE_ADD);
        ASSERT_EQ(2, RowCount(list));
        EXPECT_EQ(Texts({ today, "20:00:00", "预约录像", "01:00:00", "5.Channel Five", "TV" }), RowTexts(list, 1));

        // One that meets it is refused with the overlap message and adds no row.
        itemSteps.push_back([&](HWND item) {
            SetTime(item, IDC_ITEM_START_TIME, 20, 30, 0, &noon);
            Press(item, IDOK);
        });
        Press(pageWnd, IDC_SCHEDULE_ADD);
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ([] { CString t; AfxLoadString(IDS_SCHEDULE_OVERLAP, t); return std::string(t); }(), watch.boxes[0].text);
        EXPECT_EQ(2, RowCount(list));
        EXPECT_EQ(2u, Items().size());

        // A weekly viewing on Mondays and Fridays.
        itemSteps.push_back([&](HWND item) {
            Click(item, IDC_ITEM_VIEWING);
            Click(item, IDC_ITEM_ONCE);
            for (int entry = 0; entry < 7; ++entry)
                CheckDay(item, entry, entry == 1 || entry == 5);
            SetTime(item, IDC_ITEM_START_TIME, 21, 30, 0, &noon);
            Press(item, IDOK);
        });
        Press(pageWnd, IDC_SCHEDULE_ADD);
        ASSERT_EQ(3, RowCount(list));
        EXPECT_EQ(Texts({ "星期一,星期五", "21:30:00", "预约收看", "", "5.Channel Five", "TV" }), RowTexts(list, 2));

        // A radio recording shows its source as FM.
        if (engine.HasFM())
        {
            itemSteps.push_back([&](HWND item) {
                Choose(item, IDC_ITEM_SOURCE, 3);
                SetTime(item, IDC_ITEM_START_TIME, 22, 30, 0, &noon);
                SetTime(item, IDC_ITEM_LENGTH, 0, 10, 0);
                Press(item, IDOK);
            });
            Press(pageWnd, IDC_SCHEDULE_ADD);
            ASSERT_EQ(4, RowCount(list));
            EXPECT_EQ(Texts({ today, "22:30:00", "预约录像", "00:10:00", "", "FM" }), RowTexts(list, 3));
        }
        const int rows = RowCount(list);

        // An item the library cannot store (its file cannot be rewritten) shows no row.
        const std::string blocker = folder + "\\Rec.rec.tmp";
        ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
        itemSteps.push_back([&](HWND item) {
            SetTime(item, IDC_ITEM_START_TIME, 23, 30, 0, &noon);
            Press(item, IDOK);
        });
        Press(pageWnd, IDC_SCHEDULE_ADD);
        RemoveDirectoryA(blocker.c_str());
        EXPECT_EQ(rows, RowCount(list));
        EXPECT_EQ(static_cast<size_t>(rows), Items().size());
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/schedule-list.bmp");

        // Editing the tonight's recording by a double click: shorter, moved to the end, selected.
        HTIMINGITEM tonight = Items()[1];
        itemSteps.push_back([&](HWND item) {
            const SYSTEMTIME start = GetTime(item, IDC_ITEM_START_TIME);
            EXPECT_EQ(20, start.wHour);
            const SYSTEMTIME length = GetTime(item, IDC_ITEM_LENGTH);
            EXPECT_EQ(1, length.wHour);
            SetTime(item, IDC_ITEM_LENGTH, 0, 45, 0);
            Press(item, IDOK);
        });
        SelectListRow(list, 1);
        DoubleClick(pageWnd, list, 1);
        ASSERT_EQ(rows, RowCount(list));
        EXPECT_EQ(rows - 1, SelectedRow(list));
        EXPECT_EQ(Texts({ today, "20:00:00", "预约录像", "00:45:00", "5.Channel Five", "TV" }), RowTexts(list, rows - 1));
        EXPECT_EQ(2700, ExcuteOf(tonight).lRecordLength);
        EXPECT_EQ(tonight, page.GetRowItem(rows - 1));

        // Rows stay tied to their items when what they show changes: the channel is renamed, and
        // Delete on its row still removes that item.
        engine.GetTVTable().GetChannel(1)->Name = "Renamed";
        SelectListRow(list, rows - 1);
        SetFocus(list);
        desktop::Keyboard keys(list);
        keys.Down(VK_DELETE);
        keys.Up(VK_DELETE);
        EXPECT_EQ(rows - 1, RowCount(list));
        EXPECT_EQ(0, SelectedRow(list));
        const std::vector<HTIMINGITEM> left = Items();
        EXPECT_EQ(left.end(), std::find(left.begin(), left.end(), tonight));

        // The delete button removes the selected row's item.
        Press(pageWnd, IDC_SCHEDULE_DELETE);
        EXPECT_EQ(rows - 2, RowCount(list));
        const std::vector<HTIMINGITEM> after = Items();
        EXPECT_EQ(after.end(), std::find(after.begin(), after.end(), first));

        // The timed shut-down goes to the engine and the panel on Apply.
        Click(pageWnd, IDC_SCHEDULE_SHUT_DOWN);
        SetTime(pageWnd, IDC_SCHEDULE_SHUT_TIME, 23, 45, 0);
        UpdateWindow(h);
        PropSheet_PressButton(h, PSBTN_OK);
        desktop::Pump();
    };
    sheet.DoModal();
    EXPECT_TRUE(engine.GetEnableShut());
    CTime shut;
    engine.GetShutTime(shut);
    EXPECT_EQ(23, shut.GetHour());
    EXPECT_EQ(45, shut.GetMinute());
    EXPECT_EQ(1, g_shutCalls);
    EXPECT_TRUE(g_shutEnabled);
    CScheduleListPage::SetShutdownTimeHandler(nullptr);
}

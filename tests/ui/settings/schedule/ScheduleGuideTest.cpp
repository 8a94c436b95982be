// The programme-guide schedule dialog filled from a guide file of the engine's guide folder, a
// week of tabs, and programmes turned into items of the scheduling library; the library's clock
// stands at noon of today.
#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/ScheduleDlg.h"
#include "ui/settings/ScheduleItemDlg.h"
#include "ScheduleFixture.h"
#include "tests/engine/support/ScreenProbe.h"

using namespace schedule;

namespace {

std::string DayName(int tab)
{
    CString name;
    AfxLoadString(IDS_MONDAY + tab, name);
    return std::string(name);
}

std::string DateText(const CTime& day)
{
    char text[16];
    snprintf(text, sizeof text, "%04d-%02d-%02d", day.GetYear(), day.GetMonth(), day.GetDay());
    return text;
}

struct Row
{
    std::string date, time, title;
    bool operator==(const Row& o) const { return date == o.date && time == o.time && title == o.title; }
};

std::ostream& operator<<(std::ostream& os, const Row& r)
{
    return os << r.date << " " << r.time << " " << r.title;
}

std::vector<Row> Rows(HWND dlg)
{
    HWND list = GetDlgItem(dlg, IDC_GUIDE_PROGRAMMES);
    std::vector<Row> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        Row row;
        for (int column = 0; column < 3; ++column)
        {
            char text[260] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            (column == 0 ? row.date : column == 1 ? row.time : row.title) = text;
        }
        rows.push_back(row);
    }
    return rows;
}

void SelectRow(HWND dlg, int row)
{
    HWND list = GetDlgItem(dlg, IDC_GUIDE_PROGRAMMES);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    desktop::Pump();
}

void SelectTab(HWND dlg, int tab)
{
    HWND tabs = GetDlgItem(dlg, IDC_GUIDE_DAYS);
    SendMessageA(tabs, TCM_SETCURSEL, tab, 0);
    NMHDR hdr = { tabs, static_cast<UINT_PTR>(IDC_GUIDE_DAYS), static_cast<UINT>(TCN_SELCHANGE) };
    SendMessageA(dlg, WM_NOTIFY, IDC_GUIDE_DAYS, reinterpret_cast<LPARAM>(&hdr));
    desktop::Pump();
}

class GuideDialog : public Fixture
{
protected:
    // A guide file of the kind the download brings: a header, then each day's programmes after the
    // day's name.
    void WriteGuide(const std::string& path)
    {
        std::string text = "Channel Five programme guide\r\n\r\n";
        for (int tab = 0; tab < 7; ++tab)
        {
            text += "==== " + DayName(tab) + " ====\r\n";
            text += "08:00 Morning News " + std::to_string(tab) + "\r\n";
            text += "20:00\tEvening Film " + std::to_string(tab) + "\r\n";
            text += "21:00 Drama " + std::to_string(tab) + "\r\n";
            text += "23:30 Late News " + std::to_string(tab) + "\r\n";
        }
        WriteBytes(path, text);
    }
};

}  // namespace

TEST_F(GuideDialog, ProgrammesOfTheChosenDayBecomeScheduledItems)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    WriteGuide(std::string(engine.GetEpgFolder()) + "five.txt");
    engine.ReplaceEpgMapEntry("Channel Five", "five.txt");
    const SYSTEMTIME noon = Today(12, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&noon));

    const CTime now = CTime::GetCurrentTime();
    const int today = CScheduleDlg::TabOfDayOfWeek(now.GetDayOfWeek());
    const int other = (today + 3) % 7;
    const CTime otherDay = now + CTimeSpan(other - today, 0, 0, 0);
    const std::string t = std::to_string(today);

    CDialogWatch watch;
    CScheduleDlg dlg;
    std::vector<std::function<void(HWND)>> itemSteps;
    std::vector<std::string> itemStarts;
    std::vector<std::string> itemLengths;
    watch.onDialog = [&](HWND h) {
        if (GetDlgItem(h, IDC_GUIDE_DAYS) == nullptr)
        {
            // The schedule item dialog with the programme's records: the user confirms.
            const SYSTEMTIME start = GetTime(h, IDC_ITEM_START_TIME);
            const SYSTEMTIME length = GetTime(h, IDC_ITEM_LENGTH);
            char text[32];
            snprintf(text, sizeof text, "%02d:%02d:%02d", start.wHour, start.wMinute, start.wSecond);
            itemStarts.push_back(text);
            snprintf(text, sizeof text, "%02d:%02d:%02d", length.wHour, length.wMinute, length.wSecond);
            itemLengths.push_back(text);
            Press(h, IDOK);
            return;
        }
        EXPECT_EQ(today, static_cast<int>(SendDlgItemMessageA(h, IDC_GUIDE_DAYS, TCM_GETCURSEL, 0, 0)));
        EXPECT_EQ(7, static_cast<int>(SendDlgItemMessageA(h, IDC_GUIDE_DAYS, TCM_GETITEMCOUNT, 0, 0)));
        EXPECT_EQ("Channel Five", SelectedText(h, IDC_GUIDE_CHANNEL));
        const std::string date = DateText(now);
        EXPECT_EQ(std::vector<Row>({ { date, "08:00", "Morning News " + t },
                                     { date, "20:00", "Evening Film " + t },
                                     { date, "21:00", "Drama " + t },
                                     { date, "23:30", "Late News " + t } }),
                  Rows(h));
        ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/schedule-guide.bmp");

        // Another day shows its own programmes with its own date.
        SelectTab(h, other);
        std::vector<Row> rows = Rows(h);
        ASSERT_EQ(4u, rows.size());
        EXPECT_EQ((Row{ DateText(otherDay), "21:00", "Drama " + std::to_string(other) }), rows[2]);
        SelectTab(h, today);

        // A channel without a guide file shows nothing.
        Choose(h, IDC_GUIDE_CHANNEL, 0);
        EXPECT_TRUE(Rows(h).empty());
        Press(h, IDC_GUIDE_RECORD);
        EXPECT_TRUE(Items().empty());
        Choose(h, IDC_GUIDE_CHANNEL, 1);

        // The last programme records for an hour; another up to the next programme.
        SelectRow(h, 3);
        Press(h, IDC_GUIDE_RECORD);
        SelectRow(h, 1);
        Press(h, IDC_GUIDE_RECORD);
        EXPECT_TRUE(watch.boxes.empty());
        ASSERT_EQ(2u, Items().size());

        // A programme that began this morning is refused as expired; one that meets a stored
        // item as overlapping.
        SelectRow(h, 0);
        Press(h, IDC_GUIDE_VIEW);
        SelectRow(h, 1);
        Press(h, IDC_GUIDE_VIEW);
        ASSERT_EQ(2u, watch.boxes.size());
        EXPECT_EQ("EPG", watch.boxes[0].caption);
        EXPECT_EQ("添加预约收看时间过期，请重新添加", watch.boxes[0].text);
        EXPECT_EQ("添加预约收看时间重叠", watch.boxes[1].text);
        EXPECT_EQ(2u, Items().size());
        Press(h, IDCANCEL);
    };
    dlg.DoModal();

    EXPECT_EQ(std::vector<std::string>({ "23:30:00", "20:00:00", "08:00:00", "20:00:00" }), itemStarts);
    EXPECT_EQ(std::vector<std::string>({ "01:00:00", "01:00:00", "00:00:00", "00:00:00" }), itemLengths);
    const std::vector<HTIMINGITEM> items = Items();
    ASSERT_EQ(2u, items.size());
    const _tagTimingParam late = TimingOf(items[0]);
    EXPECT_EQ(now.GetYear(), late.nYear);
    EXPECT_EQ(now.GetMonth(), late.nMonth);
    EXPECT_EQ(now.GetDay(), late.nDay);
    EXPECT_EQ(23, late.nHour);
    EXPECT_EQ(30, late.nMinute);
    EXPECT_EQ(3600, late.lLength);
    EXPECT_EQ(1, late.bExcuteOnce);
    const _tagExcuteParam lateRun = ExcuteOf(items[0]);
    EXPECT_EQ(3600, lateRun.lRecordLength);
    EXPECT_EQ(0u, lateRun.dwSource);
    EXPECT_EQ(2, lateRun.nChannel);
    EXPECT_EQ(175250, lateRun.lFreq);
    EXPECT_EQ(3600, ExcuteOf(items[1]).lRecordLength);
    EXPECT_EQ(20, TimingOf(items[1]).nHour);
}

// Scheduled items entered through the schedule item dialog and through the programme-guide
// schedule dialog into the scheduling library stand-in, and a fired item that starts and stops a
// real recording on the simulated card (the test makes the record calls the panel makes on the
// library's events).
#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/ScheduleDlg.h"
#include "ui/settings/ScheduleItemDlg.h"
#include "ScheduleFixture.h"
#include "tests/engine/support/ScreenProbe.h"

using namespace schedule;

namespace {

class ItemDialog : public Fixture
{
};

std::string Loaded(UINT id)
{
    CString text;
    AfxLoadString(id, text);
    return std::string(text);
}

void Shoot(HWND hWnd, const char* name)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    desktop::Pump();
    CScreenShot::OfClient(hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/schedule-" + name + ".bmp");
}

std::string Title(HWND hWnd)
{
    char title[128] = "";
    GetWindowTextA(hWnd, title, sizeof title);
    return title;
}

int WindowHeight(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    return rect.bottom - rect.top;
}

std::vector<std::string> ComboItems(HWND dlg, int id)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        char text[256] = "";
        SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

}  // namespace

TEST_F(ItemDialog, ANewItemStartsFromTheDefaultsAndLeavesBothRecords)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CDialogWatch watch;
    CScheduleItemDlg dlg;
    const CTime opened = CTime::GetCurrentTime();
    watch.onDialog = [&](HWND h) {
        EXPECT_EQ("预约录像", Title(h));
        EXPECT_EQ(static_cast<size_t>(engine.HasFM() ? 4 : 3), ComboItems(h, IDC_ITEM_SOURCE).size());
        EXPECT_EQ(0, Selection(h, IDC_ITEM_SOURCE));
        // Hidden channels are left out (the third); the current channel is chosen.
        const std::vector<std::string> channels = ComboItems(h, IDC_ITEM_CHANNEL);
        ASSERT_EQ(3u, channels.size());
        EXPECT_EQ("1.Channel 1", channels[0]);
        EXPECT_EQ("2.Channel Five", channels[1]);
        EXPECT_EQ("4.", channels[2].substr(0, 2));
        EXPECT_EQ("2.Channel Five", SelectedText(h, IDC_ITEM_CHANNEL));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_ITEM_ONCE));
        EXPECT_TRUE(Visible(h, IDC_ITEM_DATE));
        EXPECT_FALSE(Visible(h, IDC_ITEM_WEEKDAYS));
        const SYSTEMTIME length = GetTime(h, IDC_ITEM_LENGTH);
        EXPECT_EQ(0, length.wHour);
        EXPECT_EQ(50, length.wMinute);
        EXPECT_EQ(0, length.wSecond);
        const CTime start(GetTime(h, IDC_ITEM_START_TIME));
        const LONGLONG ahead = (start - opened).GetTimeSpan();
        EXPECT_GE(ahead, 59);
        EXPECT_LE(ahead, 120);
        for (int entry = 0; entry < 7; ++entry)
            EXPECT_EQ(entry == opened.GetDayOfWeek() - 1, DayChecked(h, entry)) << entry;
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_ITEM_REMEMBER));
        EXPECT_EQ("5", Text(h, IDC_ITEM_AUTO_DELAY));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_ITEM_LOGON_USER)));

        // The advanced part folds away and back.
        EXPECT_EQ("高级设置>>", Text(h, IDC_ITEM_ADVANCED));
        EXPECT_FALSE(Visible(h, IDC_ITEM_ADVANCED_GROUP));
        const int shortHeight = WindowHeight(h);
        Shoot(h, "item-new");
        Press(h, IDC_ITEM_ADVANCED);
        EXPECT_EQ("高级设置<<", Text(h, IDC_ITEM_ADVANCED));
        EXPECT_TRUE(Visible(h, IDC_ITEM_ADVANCED_GROUP));
        EXPECT_GT(WindowHeight(h), shortHeight + 40);
        Shoot(h, "item-advanced");
        Press(h, IDC_ITEM_ADVANCED);
        EXPECT_EQ(shortHeight, WindowHeight(h));

        SetTime(h, IDC_ITEM_START_TIME, 20, 30, 0);
        SetTime(h, IDC_ITEM_LENGTH, 1, 15, 0);
        Click(h, IDC_ITEM_MUTE);
        Press(h, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(40u, dlg.m_Excute.stuExcute.dwSize);
    EXPECT_EQ(0u, dlg.m_Excute.stuExcute.dwReserved);
    EXPECT_EQ(4500, dlg.m_Excute.lRecordLength);
    EXPECT_EQ(0u, dlg.m_Excute.dwSource);
    EXPECT_EQ(2, dlg.m_Excute.nChannel);
    EXPECT_EQ(175250, dlg.m_Excute.lFreq);
    EXPECT_TRUE(dlg.m_Excute.bMute);
    EXPECT_FALSE(dlg.m_Excute.bShutDown);
    EXPECT_FALSE(dlg.m_Excute.bAutoRun);
    EXPECT_EQ(0u, dlg.m_Excute.unAutoRunTime);
    EXPECT_EQ(opened.GetYear(), dlg.m_Timing.nYear);
    EXPECT_EQ(opened.GetMonth(), dlg.m_Timing.nMonth);
    EXPECT_EQ(opened.GetDay(), dlg.m_Timing.nDay);
    EXPECT_EQ(20, dlg.m_Timing.nHour);
    EXPECT_EQ(30, dlg.m_Timing.nMinute);
    EXPECT_EQ(0, dlg.m_Timing.nSecond);
    EXPECT_EQ(4500, dlg.m_Timing.lLength);
    EXPECT_EQ(1, dlg.m_Timing.bExcuteOnce);
    EXPECT_EQ(0, dlg.m_Timing.nWeekMask);
    EXPECT_EQ(0, dlg.m_Timing.lReserved);
}

TEST_F(ItemDialog, AWeeklyViewingNeedsADayAndKeepsTheCheckedOnes)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CDialogWatch watch;
    CScheduleItemDlg dlg;
    watch.onDialog = [&](HWND h) {
        Click(h, IDC_ITEM_VIEWING);
        EXPECT_EQ("预约收看", Title(h));
        EXPECT_FALSE(Visible(h, IDC_ITEM_LENGTH));
        EXPECT_FALSE(Visible(h, IDC_ITEM_MUTE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_ITEM_SOURCE)));
        Click(h, IDC_ITEM_ONCE);
        EXPECT_FALSE(Visible(h, IDC_ITEM_DATE));
        EXPECT_TRUE(Visible(h, IDC_ITEM_WEEKDAYS));
        for (int entry = 0; entry < 7; ++entry)
            CheckDay(h, entry, false);
        Shoot(h, "item-weekly");
        Press(h, IDOK);
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ(Loaded(IDS_NO_WEEKDAY), watch.boxes[0].text);
        ASSERT_TRUE(IsWindowVisible(h));
        CheckDay(h, 0, true);  // Sunday
        CheckDay(h, 1, true);  // Monday
        Press(h, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_Excute.lRecordLength);
    EXPECT_EQ(1, dlg.m_Timing.lLength);
    EXPECT_EQ(0, dlg.m_Timing.bExcuteOnce);
    EXPECT_EQ(0x41, dlg.m_Timing.nWeekMask);
    EXPECT_EQ((1 << 1) | (1 << 2), dlg.m_nWeekDays);
}

TEST_F(ItemDialog, AnEditedItemShowsItsRecordsAndRecordingResetsTheOptions)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    _tagTimingParam timing = { 2030, 5, 6, 7, 8, 9, 1, 0, 0x41, 0 };
    _tagExcuteParam excute = {};
    excute.stuExcute.dwSize = 40;
    excute.lRecordLength = 1;
    excute.nChannel = 9;
    excute.bShutDown = TRUE;
    excute.bAutoRun = TRUE;
    excute.unAutoRunTime = 12;
    CDialogWatch watch;
    CScheduleItemDlg dlg;
    dlg.SetItem(timing, excute);
    watch.onDialog = [&](HWND h) {
        EXPECT_EQ("预约收看", Title(h));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_ITEM_VIEWING));
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(h, IDC_ITEM_ONCE));
        EXPECT_TRUE(Visible(h, IDC_ITEM_WEEKDAYS));
        for (int entry = 0; entry < 7; ++entry)
            EXPECT_EQ(entry <= 1, DayChecked(h, entry)) << entry;
        // Channel 9 is past the table: the last channel.
        EXPECT_EQ(2, Selection(h, IDC_ITEM_CHANNEL));
        const SYSTEMTIME start = GetTime(h, IDC_ITEM_START_TIME);
        EXPECT_EQ(7, start.wHour);
        EXPECT_EQ(8, start.wMinute);
        EXPECT_EQ(9, start.wSecond);
        const SYSTEMTIME date = GetTime(h, IDC_ITEM_DATE);
        EXPECT_EQ(2030, date.wYear);
        EXPECT_EQ(5, date.wMonth);
        EXPECT_EQ(6, date.wDay);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_ITEM_SHUT_DOWN));
        EXPECT_EQ("12", Text(h, IDC_ITEM_AUTO_DELAY));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_ITEM_LOGON_USER)));

        // Recording after viewing: one-shot, no shut-down.
        Click(h, IDC_ITEM_RECORDING);
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(h, IDC_ITEM_ONCE));
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(h, IDC_ITEM_SHUT_DOWN));
        EXPECT_TRUE(Visible(h, IDC_ITEM_LENGTH));
        const SYSTEMTIME length = GetTime(h, IDC_ITEM_LENGTH);
        EXPECT_EQ(0, length.wHour + length.wMinute + length.wSecond);
        // Automatic start works a week ahead at most, and needs a user name.
        Press(h, IDC_ITEM_ADVANCED);
        SetDlgItemTextA(h, IDC_ITEM_LOGON_USER, "");
        Press(h, IDOK);
        ASSERT_EQ(1u, watch.boxes.size());
        EXPECT_EQ(Loaded(IDS_AUTO_START_TOO_FAR), watch.boxes[0].text);
        const SYSTEMTIME today = Today(7, 8, 9);
        SendDlgItemMessageA(h, IDC_ITEM_DATE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&today));
        Press(h, IDOK);
        ASSERT_EQ(2u, watch.boxes.size());
        EXPECT_EQ(Loaded(IDS_LOGON_USER_EMPTY), watch.boxes[1].text);
        ASSERT_TRUE(IsWindowVisible(h));
        Click(h, IDC_ITEM_AUTO_START);
        Press(h, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0, dlg.m_Excute.lRecordLength);
    EXPECT_EQ(3, dlg.m_Excute.nChannel);
    EXPECT_EQ(583250, dlg.m_Excute.lFreq);
    EXPECT_FALSE(dlg.m_Excute.bShutDown);
    EXPECT_FALSE(dlg.m_Excute.bAutoRun);
    EXPECT_EQ(0u, dlg.m_Excute.unAutoRunTime);
    EXPECT_EQ(1, dlg.m_Timing.bExcuteOnce);
    EXPECT_EQ(0, dlg.m_Timing.nWeekMask);
    EXPECT_EQ(CTime::GetCurrentTime().GetYear(), dlg.m_Timing.nYear);
}

// A recording entered through the schedule item dialog fires in the scheduling library when its
// clock reaches the start and the end; on each event the test makes the record call the control
// panel makes, and the simulated card's MPEG stream lands in the file.
#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/ScheduleItemDlg.h"
#include "ScheduleFixture.h"
#include "tests/engine/support/ScreenProbe.h"

using namespace schedule;

namespace {

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The window the library posts its events to; it hands each to the test.
class CEventWindow : public CWnd
{
public:
    std::function<void(HTIMINGITEM, LPARAM)> onEvent;
    std::vector<LPARAM> events;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMING_EVENT)
        {
            events.push_back(lParam);
            if (onEvent)
                onEvent(reinterpret_cast<HTIMINGITEM>(wParam), lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class FiredItem : public Fixture
{
};

}  // namespace

TEST_F(FiredItem, StartsAndStopsARealRecording)
{
    CTestWindow video{ 40, 40, 360, 288, "Video" };
    CTVEngine engine(folder.c_str());
    engine.GetHardWare().SetVideoWindow(video.Handle());
    ASSERT_TRUE(Start(engine));
    ASSERT_TRUE(engine.BuildPreviewGraph());
    ASSERT_TRUE(engine.SetRecordFormat(6));
    // Recordings go to the system disk (the build tree's disk tells no free space under Wine).
    ASSERT_TRUE(engine.GetDriveList().Refresh());
    CStringArray disks;
    disks.Add("C:\\");
    engine.SetValidDisks(disks);
    ASSERT_TRUE(engine.SetRecordPath("C:\\OndrixScheduleTest"));

    CEventWindow panel;
    ASSERT_TRUE(panel.CreateEx(0, "STATIC", "Panel", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    Timing_RegisterMsgWnd(panel.m_hWnd);
    const SYSTEMTIME before = Today(11, 59, 0);
    ASSERT_TRUE(Timing_SetTestClock(&before));
    ASSERT_TRUE(Timing_StartTrigger(0));

    // Entered as a user enters it: a recording of one minute at noon on the current channel.
    CDialogWatch watch;
    CScheduleItemDlg dlg;
    watch.onDialog = [&](HWND h) {
        SetTime(h, IDC_ITEM_START_TIME, 12, 0, 0);
        SetTime(h, IDC_ITEM_LENGTH, 0, 1, 0);
        Press(h, IDOK);
    };
    ASSERT_EQ(IDOK, dlg.DoModal());
    long result = -1;
    Timing_CheckItem(0, nullptr, dlg.m_Timing, &result);
    ASSERT_EQ(TIMING_ITEM_NORMAL, result);
    HTIMINGITEM item = Timing_InsertItem(0, dlg.m_Timing, &dlg.m_Excute);
    ASSERT_NE(nullptr, item);

    panel.onEvent = [&](HTIMINGITEM fired, LPARAM what) {
        EXPECT_EQ(item, fired);
        if (what == TIMING_EVENT_STARTED)
            EXPECT_TRUE(engine.StartRecord());
        else if (what == TIMING_EVENT_STOPPED)
            EXPECT_TRUE(engine.StopRecord());
    };
    const SYSTEMTIME start = Today(12, 0, 0);
    ASSERT_TRUE(Timing_SetTestClock(&start));
    desktop::Pump();
    ASSERT_EQ(std::vector<LPARAM>({ TIMING_EVENT_STARTED }), panel.events);
    ASSERT_TRUE(engine.IsRecording());
    const std::string path(engine.GetRecordingPath());
    EXPECT_TRUE(PumpUntil([&] { return FileSize(path) > 2 * 1024 * 1024; }, 20000)) << path;

    const SYSTEMTIME end = Today(12, 1, 0);
    ASSERT_TRUE(Timing_SetTestClock(&end));
    desktop::Pump();
    EXPECT_EQ(std::vector<LPARAM>({ TIMING_EVENT_STARTED, TIMING_EVENT_STOPPED, TIMING_EVENT_REMOVED }), panel.events);
    EXPECT_FALSE(engine.IsRecording());
    EXPECT_TRUE(Items().empty());
    const LONGLONG size = FileSize(path);
    EXPECT_GT(size, 2 * 1024 * 1024);
    // ffprobe reads the file after this program (see CMakeLists.txt).
    CopyFileA(path.c_str(), (std::string(ONDRIX_BINARY_DIR) + "/bin/schedule-recording.mpg").c_str(), FALSE);
    Timing_StopTrigger(0);
    Timing_RegisterMsgWnd(nullptr);
    panel.DestroyWindow();
}

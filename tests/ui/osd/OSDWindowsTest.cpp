// The windows over the video under the test display: the channel information box, the text
// labels, the preview wall, the screen tool with its bitmap buttons, and the count-down.
#include <gtest/gtest.h>

#include <string>

// The windowing headers come before the engine's, which bring the system's macro helpers.
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDLabelWnd.h"
#include "ui/osd/OSDTextWnd.h"
#include "ui/osd/PreviewWallWnd.h"
#include "ui/osd/ScreenToolDlg.h"
#include "engine/TVEngine.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/support/DesktopInput.h"

namespace {

void UseResources()
{
    static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
    AfxSetResourceHandle(resources);
}

// A black stand-in for the video window.
class CVideoStandIn : public CWnd
{
public:
    CVideoStandIn(int width, int height)
    {
        LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        CreateEx(0, cls, "video", WS_POPUP | WS_VISIBLE, 40, 40, width, height, nullptr, nullptr);
    }
    ~CVideoStandIn() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PREVIEW_WALL_CLOSED)
            ++wallClosed;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int wallClosed = 0;
};

void Save(HWND hwnd, const char* name)
{
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    desktop::Pump();
    CScreenShot::OfClient(hwnd).Save(std::string(ONDRIX_BINARY_DIR) + "/osd-" + name + ".bmp");
}

BOOL PointInWindowRegion(HWND hwnd, int x, int y)
{
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(hwnd, region);
    const BOOL in = kind != ERROR && ::PtInRegion(region, x, y);
    ::DeleteObject(region);
    return in;
}

} // namespace

TEST(OsdWindows, InformationBoxStandsOverTheVideoInItsShape)
{
    UseResources();
    CVideoStandIn video(640, 480);
    COSDTextWnd box;
    ASSERT_TRUE(box.Create(&video));
    EXPECT_EQ(191, box.GetAppliedAlpha());
    ASSERT_TRUE(box.SetBackground(IDB_OSD_TEXT_BACKGROUND, RGB(255, 0, 255)));
    box.SetBarBitmap(IDB_OSD_TEXT_BAR);
    EXPECT_EQ(160, box.GetXOffset());
    EXPECT_EQ((480 - 160) * 90 / 100, box.GetYOffset());
    // The transparent corner is cut out, the middle is kept.
    EXPECT_FALSE(PointInWindowRegion(box.m_hWnd, 0, 0));
    EXPECT_TRUE(PointInWindowRegion(box.m_hWnd, 160, 80));

    box.SetLineText(1, "5 中央电视台");
    box.SetLineText(5, "beyond the lines in use");
    EXPECT_EQ(4, box.GetLineCount());
    // A downloaded programme text longer than a line is cut, never copied past it.
    const std::string longText(400, 'x');
    box.SetLineText(3, longText.c_str());
    EXPECT_EQ(99u, strlen(box.GetLine(2).text));
    box.SetLineText(3, "新闻联播");
    box.RedrawImages();
    box.Show(TRUE);
    // The box is a pop-up of its own: it shows on the screen over the video, not in the video's client area.
    Save(::GetDesktopWindow(), "text-window");
    box.MakeOpaque();
    EXPECT_EQ(255, box.GetAppliedAlpha());

    // A box larger than the video's client area stands at a negative offset.
    CVideoStandIn small(200, 100);
    COSDTextWnd tooBig;
    ASSERT_TRUE(tooBig.Create(&small));
    tooBig.SetBackground(IDB_OSD_TEXT_BACKGROUND, RGB(255, 0, 255));
    EXPECT_LT(tooBig.GetXOffset(), 0);

    box.SetAutoHide(30);
    box.Show(TRUE);
    EXPECT_TRUE(desktop::PumpUntil([&] { return !box.IsWindowVisible(); }));
}

TEST(OsdWindows, LabelsTakeTheShapeOfTheirText)
{
    UseResources();
    CVideoStandIn video(640, 300);
    COSDLabelWnd label;
    ASSERT_TRUE(label.Create(&video));
    EXPECT_EQ(30, label.FontHeightFor(300));
    EXPECT_EQ(55, label.FontHeightFor(1000));
    EXPECT_EQ(40, label.FontHeightFor(500));
    label.SetText("");
    EXPECT_EQ(0, label.GetLayoutCount());
    label.SetFontFace("WenQuanYi Micro Hei");
    label.SetText("12 中央一台");
    EXPECT_EQ(1, label.GetLayoutCount());
    const RECT bounds = label.GetTextBounds();
    EXPECT_FALSE(::IsRectEmpty(&bounds));
    EXPECT_GE(bounds.left, 5);
    label.Show(TRUE);

    COSDBarLabelWnd volume;
    ASSERT_TRUE(volume.Create(&video));
    volume.SetMargins(RECT{ 5, 5, 5, 60 });
    volume.SetText("音量");
    volume.SetPercent(40);
    EXPECT_GT(volume.GetBarStart(), label.GetTextBounds().left);
    volume.Show(TRUE);

    COSDMultiLineLabelWnd lines;
    ASSERT_TRUE(lines.Create(&video));
    lines.SetMargins(RECT{ 5, 120, 5, 5 });
    lines.SetText("第一行\n第二行");
    EXPECT_GT(lines.GetTextBounds().bottom - lines.GetTextBounds().top, 50);
    lines.Show(TRUE);
    desktop::Pump();
    CScreenShot shot = CScreenShot::OfClient(::GetDesktopWindow());
    RECT rect;
    ::GetWindowRect(video.m_hWnd, &rect);
    shot.Save(std::string(ONDRIX_BINARY_DIR) + "/osd-labels.bmp");
}

TEST(OsdWindows, PreviewWallRepeatsTheChannelsAndWrapsItsKeys)
{
    UseResources();
    CTVEngine engine;
    CChannelTable& table = engine.GetTVTable();
    table.Add(new CChannelItem(1, 49750, "One"));
    table.Add(new CChannelItem(2, 175250, "Two"));
    table.Add(new CChannelItem(3, 583250, "Three"));
    table.m_nCurIndex = 0;
    CVideoStandIn panel(100, 100);
    CPreviewWallWnd wall;
    ASSERT_TRUE(wall.Create(CRect(0, 0, 400, 300), &panel));
    wall.SetBackgroundBitmap(IDB_WALL_BACKGROUND);
    wall.Open(16);
    for (int cell = 0; cell < 16; ++cell)
    {
        ASSERT_NE(nullptr, wall.GetCellChannel(cell));
        EXPECT_STREQ(table.GetChannel(cell % 3)->Name, wall.GetCellChannel(cell)->Name) << cell;
    }
    EXPECT_EQ(0, wall.GetCurrentCell());
    Save(wall.m_hWnd, "wall");
    MSG key = { wall.m_hWnd, WM_KEYDOWN, VK_LEFT, 0 };
    EXPECT_FALSE(wall.PreTranslateMessage(&key));
    EXPECT_EQ(3, wall.GetCurrentCell());
    key.wParam = VK_RIGHT;
    wall.PreTranslateMessage(&key);
    key.wParam = VK_UP;
    wall.PreTranslateMessage(&key);
    EXPECT_EQ(12, wall.GetCurrentCell());
    EXPECT_STREQ("One", table.GetCurrentChannel()->Name);
    key.wParam = VK_ESCAPE;
    wall.PreTranslateMessage(&key);
    EXPECT_FALSE(wall.IsWindowVisible());
    EXPECT_EQ(1, panel.wallClosed);
    // Opened again, the wall starts from the current channel.
    table.m_nCurIndex = 1;
    wall.Open(16);
    EXPECT_STREQ("Two", wall.GetCellChannel(0)->Name);
    wall.Close();
    table.RemoveAll();
}

namespace {
struct ToolOwner : CScreenToolOwner
{
    void SetMute(BOOL mute) override { mutes.push_back(mute); }
    void OnScreenToolShown(BOOL shown) override { shows.push_back(shown); }
    HWND KeyTarget() override { return target; }
    std::vector<BOOL> mutes;
    std::vector<BOOL> shows;
    HWND target = nullptr;
};
} // namespace

TEST(OsdWindows, ScreenToolButtonsAndKeys)
{
    UseResources();
    CVideoStandIn video(320, 240);
    ToolOwner owner;
    owner.target = video.m_hWnd;
    CScreenToolDlg tool;
    tool.SetOwner(&owner);
    ASSERT_TRUE(tool.Create(&video));
    CRect rect;
    tool.GetWindowRect(&rect);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), rect.Width());
    tool.Show(TRUE);
    tool.SetInfoText("5 中央电视台");
    EXPECT_EQ(std::vector<BOOL>{ TRUE }, owner.shows);
    Save(tool.m_hWnd, "screen-tool");
    // The channel text stands between the record and the previous-channel buttons, light on the bar.
    CRect info;
    tool.Info().GetWindowRect(&info);
    tool.ScreenToClient(&info);
    EXPECT_TRUE(tool.Info().IsWindowVisible());
    EXPECT_GE(info.left, 198);
    EXPECT_LE(info.right, 373);
    EXPECT_GE(info.Height(), 14);
    const CScreenShot shot = CScreenShot::OfClient(tool.m_hWnd);
    int light = 0;
    for (int y = info.top; y < info.bottom; ++y)
        for (int x = info.left; x < info.right; ++x)
            light += Luma(shot.At(x, y)) > 180;
    EXPECT_GT(light, 40) << "no readable text in the channel label";
    // Every button, the volume and the label have their tip.
    EXPECT_EQ(10, tool.ToolTip().GetToolCount());
    // The mouse resting on a button shows its tip.
    tool.ToolTip().SetDelayTime(TTDT_INITIAL, 50);
    desktop::MoveTo(tool.Button(4).m_hWnd, 10, 7);
    desktop::MoveTo(tool.Button(4).m_hWnd, 11, 8);
    EXPECT_TRUE(desktop::PumpUntil([&] { return tool.ToolTip().IsWindowVisible() != FALSE; }));
    Save(::GetDesktopWindow(), "screen-tool-tip");
    desktop::MoveTo(video.m_hWnd, 300, 200);

    // The pin button toggles on each click of a double click; pinned stops the hide timer.
    CBmpButton& pin = tool.Button(0);
    pin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pin.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(pin.GetCheck());
    pin.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    pin.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(pin.GetCheck());
    tool.SetPinned(TRUE);
    EXPECT_FALSE(tool.IsHideTimerRunning());
    tool.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(tool.IsHideTimerRunning());
    tool.SetPinned(FALSE);
    EXPECT_TRUE(tool.IsHideTimerRunning());

    // Keys pressed in the tool, Alt ones too, reach the owner's window as key-down messages.
    MSG alt = { tool.m_hWnd, WM_SYSKEYDOWN, 'X', 0x20000000 };
    EXPECT_TRUE(tool.PreTranslateMessage(&alt));
    MSG posted;
    ASSERT_TRUE(::PeekMessageA(&posted, video.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>('X'), posted.wParam);

    tool.SendMessage(WM_COMMAND, IDC_TOOL_HIDE);
    EXPECT_FALSE(tool.IsWindowVisible());
    tool.DestroyWindow();
}

TEST(OsdWindows, CountDownDotsRunOnAcrossDialogs)
{
    UseResources();
    CCountDownDlg first;
    ASSERT_TRUE(first.Create(IDD_COUNT_DOWN, nullptr));
    first.SetStartValue(30);
    EXPECT_EQ(6, CCountDownDlg::GetDotCount());
    const int expected[] = { 5, 4, 3, 4 };
    for (int dots : expected)
    {
        first.Tick();
        EXPECT_EQ(dots, CCountDownDlg::GetDotCount());
    }
    EXPECT_EQ(26, first.GetRemaining());
    first.DestroyWindow();
    CCountDownDlg second;
    ASSERT_TRUE(second.Create(IDD_COUNT_DOWN, nullptr));
    second.Tick();
    EXPECT_EQ(5, CCountDownDlg::GetDotCount());
    char text[16] = {};
    second.GetDlgItemText(IDC_COUNT_DOWN_DOTS, text, sizeof text);
    EXPECT_STREQ(".....", text);
    second.DestroyWindow();
}

// Tool tips whose tools are a window's controls by id, and rectangles of it, with texts from the
// resource library; the mouse resting on a control shows its tip.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/ResourceIds.h"
#include "skin/ToolTipCtrlEx.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/support/DesktopInput.h"

namespace
{
const UINT kFirst = 201;
const UINT kSecond = 202;
const UINT kArea = 7;

// A window of its own with two push buttons, over other windows at a place of its own.
struct ToolWindow
{
    ToolWindow()
    {
        resources = ::LoadLibraryA("OndrixRsc.dll");
        AfxSetResourceHandle(resources);
        LPCSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
        parent.CreateEx(WS_EX_TOPMOST, cls, "tips", WS_POPUP, 700, 160, 260, 80, nullptr, nullptr);
        first.Create("one", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent, kFirst);
        second.Create("two", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(100, 10, 180, 40), &parent, kSecond);
        parent.ShowWindow(SW_SHOWNOACTIVATE);
        parent.UpdateWindow();
    }
    ~ToolWindow()
    {
        tips.DestroyWindow();
        parent.DestroyWindow();
        AfxSetResourceHandle(nullptr);
        ::FreeLibrary(resources);
    }
    // The tool's text as the tool tip keeps it.
    std::string Text(HWND window, UINT_PTR id)
    {
        char text[256] = "";
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = window;
        info.uId = id;
        info.lpszText = text;
        tips.SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }
    UINT Flags(HWND window, UINT_PTR id)
    {
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = window;
        info.uId = id;
        return tips.SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) ? info.uFlags : 0;
    }

    HINSTANCE resources = nullptr;
    CWnd parent;
    CButton first;
    CButton second;
    CToolTipCtrlEx tips;
};

std::string ResourceText(UINT id)
{
    CString text;
    text.LoadString(id);
    return static_cast<LPCSTR>(text);
}
}  // namespace

TEST(ToolTipCtrlEx, ToolsByControlIdAndByRectangleCarryTheirTexts)
{
    ToolWindow w;
    ASSERT_TRUE(w.tips.Create(&w.parent, TTS_ALWAYSTIP));
    EXPECT_TRUE(w.tips.AddTool(kFirst, IDS_TOOL_TIP_PIN));
    EXPECT_TRUE(w.tips.AddTool(kSecond, "second button"));
    EXPECT_TRUE(w.tips.AddTool(kArea, CRect(190, 10, 250, 70), IDS_TOOL_TIP_VOLUME));
    EXPECT_TRUE(w.tips.AddTool(kArea + 1, CRect(0, 50, 60, 80), "corner"));
    // No such control: no tool.
    EXPECT_FALSE(w.tips.AddTool(999u, "nothing"));
    EXPECT_EQ(4, w.tips.GetToolCount());

    const HWND owner = w.parent.m_hWnd;
    ASSERT_FALSE(ResourceText(IDS_TOOL_TIP_PIN).empty());
    EXPECT_EQ(ResourceText(IDS_TOOL_TIP_PIN), w.Text(owner, reinterpret_cast<UINT_PTR>(w.first.m_hWnd)));
    EXPECT_EQ("second button", w.Text(owner, reinterpret_cast<UINT_PTR>(w.second.m_hWnd)));
    EXPECT_EQ(ResourceText(IDS_TOOL_TIP_VOLUME), w.Text(owner, kArea));
    EXPECT_EQ("corner", w.Text(owner, kArea + 1));
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS),
              w.Flags(owner, reinterpret_cast<UINT_PTR>(w.first.m_hWnd)) & (TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(static_cast<UINT>(TTF_SUBCLASS), w.Flags(owner, kArea) & (TTF_IDISHWND | TTF_SUBCLASS));
}

TEST(ToolTipCtrlEx, MouseRestingOnAControlShowsItsTip)
{
    ToolWindow w;
    ASSERT_TRUE(w.tips.Create(&w.parent, TTS_ALWAYSTIP));
    ASSERT_TRUE(w.tips.AddTool(kFirst, IDS_TOOL_TIP_PIN));
    ASSERT_TRUE(w.tips.AddTool(kSecond, IDS_TOOL_TIP_HIDE));
    w.tips.SetDelayTime(TTDT_INITIAL, 50);

    desktop::MoveTo(w.parent.m_hWnd, 5, 70);
    desktop::MoveTo(w.second.m_hWnd, 40, 15);
    desktop::MoveTo(w.second.m_hWnd, 41, 16);
    ASSERT_TRUE(desktop::PumpUntil([&] { return w.tips.IsWindowVisible() != FALSE; }));
    char shown[256] = "";
    TOOLINFOA current = {};
    current.cbSize = TTTOOLINFOA_V2_SIZE;
    current.lpszText = shown;
    ASSERT_TRUE(w.tips.SendMessage(TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(w.second.m_hWnd), current.uId);
    EXPECT_EQ(ResourceText(IDS_TOOL_TIP_HIDE), shown);
    // The tip stands below the mouse, near the control.
    CRect tip, control;
    w.tips.GetWindowRect(&tip);
    w.second.GetWindowRect(&control);
    EXPECT_LT(std::abs(tip.left - control.left - 41), 40);
    EXPECT_GT(tip.top, control.top);
    EXPECT_GT(tip.Width(), 20);
    desktop::Pump();
    CScreenShot::OfClient(::GetDesktopWindow()).Save(std::string(ONDRIX_BINARY_DIR) + "/tooltip.bmp");

    // Moving off the tools takes the tip away.
    desktop::MoveTo(w.parent.m_hWnd, 5, 70);
    EXPECT_TRUE(desktop::PumpUntil([&] { return !w.tips.IsWindowVisible(); }));
}

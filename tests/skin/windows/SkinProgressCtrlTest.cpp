// The self-drawn progress bar, read back from its window's pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "skin/SkinProgressCtrl.h"

namespace
{
const COLORREF kBar = RGB(0, 0, 200);
const COLORREF kBg = RGB(255, 255, 255);

class ProgressWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 300, 60, NULL, NULL, NULL, NULL);
        ASSERT_TRUE(m_progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), CWnd::FromHandle(m_parent), 100));
        m_progress.SetBarColour(kBar);
        m_progress.SetBgColour(kBg);
        m_progress.SetTextForeColour(RGB(255, 255, 0));
        m_progress.SetTextBkColour(RGB(255, 0, 0));
        m_progress.SetRange(0, 100);
    }
    void TearDown() override
    {
        m_progress.DestroyWindow();
        DestroyWindow(m_parent);
    }
    COLORREF Pixel(int x, int y)
    {
        HDC dc = GetDC(m_progress.GetSafeHwnd());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(m_progress.GetSafeHwnd(), dc);
        return c;
    }
    // Whether any pixel of the row band has the colour.
    bool HasColour(int left, int right, COLORREF colour)
    {
        HDC dc = GetDC(m_progress.GetSafeHwnd());
        bool found = false;
        for (int y = 2; y < 18 && !found; ++y)
            for (int x = left; x < right && !found; ++x)
                found = GetPixel(dc, x, y) == colour;
        ReleaseDC(m_progress.GetSafeHwnd(), dc);
        return found;
    }
    HWND m_parent = NULL;
    CSkinProgressCtrl m_progress;
};
}  // namespace

TEST(SkinProgressCtrl, WithoutWindowSetPosAnswersMinusOne)
{
    CSkinProgressCtrl progress;
    EXPECT_EQ(-1, progress.SetPos(10));
    EXPECT_EQ(5, progress.SetRange(5, 50));
    EXPECT_EQ(3, progress.SetStep(3));
}

TEST_F(ProgressWindow, HalfwayShowsTheBarOnTheLeftAndThePercentageInTwoColours)
{
    EXPECT_EQ(0, m_progress.SetPos(50));
    EXPECT_EQ(kBar, Pixel(5, 2));
    EXPECT_EQ(kBar, Pixel(98, 18));
    EXPECT_EQ(kBg, Pixel(101, 2));
    EXPECT_EQ(kBg, Pixel(195, 18));
    // "50%" is centred across the bar's end: its left part over the bar, its right part over the rest.
    EXPECT_TRUE(HasColour(80, 100, RGB(255, 255, 0)));
    EXPECT_TRUE(HasColour(100, 120, RGB(255, 0, 0)));
    EXPECT_EQ(50, m_progress.StepIt());
    EXPECT_EQ(51, m_progress.OffsetPos(9));
    EXPECT_EQ(60, m_progress.GetPos());
}

TEST_F(ProgressWindow, WindowTextReplacesThePercentageAndAnEmptyTextBringsItBack)
{
    m_progress.SetPos(0);
    m_progress.SetWindowText("");
    UpdateWindow(m_progress.GetSafeHwnd());
    EXPECT_TRUE(HasColour(80, 120, RGB(255, 0, 0)));  // "0%"
    m_progress.SetWindowText("Downloading the programme guide");
    UpdateWindow(m_progress.GetSafeHwnd());
    // The long text reaches far beyond where "0%" stood.
    EXPECT_TRUE(HasColour(10, 40, RGB(255, 0, 0)));
    char text[8];
    EXPECT_EQ(7, m_progress.SendMessage(WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ("Downloa", text);
    m_progress.SetWindowText("");
    UpdateWindow(m_progress.GetSafeHwnd());
    EXPECT_FALSE(HasColour(10, 40, RGB(255, 0, 0)));
    EXPECT_TRUE(HasColour(80, 120, RGB(255, 0, 0)));
}

TEST_F(ProgressWindow, SamePixelWidthDoesNotRedrawAndAnEmptyRangePaintsNothing)
{
    m_progress.SetPos(50);
    // A mark drawn over the bar stays while the bar keeps its pixel width (200 x 50.2% = 100).
    HDC dc = GetDC(m_progress.GetSafeHwnd());
    SetPixel(dc, 10, 10, RGB(0, 255, 0));
    ReleaseDC(m_progress.GetSafeHwnd(), dc);
    m_progress.SetRange(0, 1000);
    m_progress.SetPos(502);
    EXPECT_EQ(RGB(0, 255, 0), Pixel(10, 10));
    m_progress.SetPos(600);
    EXPECT_EQ(kBar, Pixel(10, 10));

    // Lower not below upper: the painting leaves the window as it was.
    dc = GetDC(m_progress.GetSafeHwnd());
    SetPixel(dc, 150, 10, RGB(0, 255, 0));
    ReleaseDC(m_progress.GetSafeHwnd(), dc);
    m_progress.SetRange(10, 10);
    m_progress.Invalidate();
    UpdateWindow(m_progress.GetSafeHwnd());
    EXPECT_EQ(RGB(0, 255, 0), Pixel(150, 10));
}

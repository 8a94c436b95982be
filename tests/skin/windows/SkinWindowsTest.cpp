// The skinned dialog base, the timed message box and the splash window, over the product's
// resource library and real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "skin/SkinDialog.h"
#include "skin/SplashWnd.h"
#include "skin/TimedMsgDlg.h"
#include "tests/support/ThreadDialog.h"

namespace
{
class ResourceLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, m_hModule);
        m_hOld = AfxGetResourceHandle();
        AfxSetResourceHandle(m_hModule);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(m_hOld);
        FreeLibrary(m_hModule);
    }
    HMODULE m_hModule = nullptr;
    HINSTANCE m_hOld = nullptr;
};

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct SizingCase
{
    CSize ratio;
    UINT side;
    CRect proposed;
    CRect expected;
};
}  // namespace

// Caption 46, borders 10 and bottom 10 before any bitmap is loaded.
TEST(SkinDialogSizing, HoldsTheRatioOnTheRightAndBottomEdgesAndTheMinimumSize)
{
    const SizingCase cases[] = {
        // 4:3, right edge to a window width of 660: client 640 x 480, window height 480 + 46 + 10.
        { CSize(4, 3), WMSZ_RIGHT, CRect(100, 50, 760, 300), CRect(100, 50, 760, 586) },
        // The bottom edge sets the width: client height 470 gives a client width of 626.
        { CSize(4, 3), WMSZ_BOTTOM, CRect(0, 0, 400, 526), CRect(0, 0, 646, 526) },
        { CSize(4, 3), WMSZ_TOP, CRect(0, 0, 400, 526), CRect(0, 0, 646, 526) },
        // A corner follows the width.
        { CSize(16, 9), WMSZ_BOTTOMRIGHT, CRect(0, 0, 660, 100), CRect(0, 0, 660, 416) },
        // Both signs negative cancel.
        { CSize(-16, -9), WMSZ_BOTTOMRIGHT, CRect(0, 0, 660, 100), CRect(0, 0, 660, 416) },
        // 1:1 sizes freely down to 256 x 192.
        { CSize(1, 1), WMSZ_BOTTOMRIGHT, CRect(10, 10, 500, 300), CRect(10, 10, 500, 300) },
        { CSize(1, 1), WMSZ_BOTTOMRIGHT, CRect(10, 10, 265, 201), CRect(10, 10, 266, 202) },
        { CSize(1, 1), WMSZ_LEFT, CRect(10, 10, 266, 202), CRect(10, 10, 266, 202) },
    };
    for (const SizingCase& c : cases)
    {
        CSkinDialog dialog(IDD_VIDEO);
        dialog.SetAspectRatio(c.ratio);
        CRect rect = c.proposed;
        dialog.ApplySizingRule(c.side, &rect);
        EXPECT_EQ(c.expected, rect) << c.ratio.cx << ":" << c.ratio.cy << " side " << c.side;
    }
}

TEST_F(ResourceLibrary, FrameHitTestButtonsAndMaximise)
{
    CSkinDialog dialog(IDD_VIDEO);
    ASSERT_TRUE(dialog.SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM));
    ASSERT_TRUE(dialog.SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, IDB_CAPTION_MIDDLE));
    ASSERT_TRUE(dialog.SetMinButtonBitmaps(IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED));
    ASSERT_TRUE(dialog.SetMaxButtonBitmaps(IDB_MAX_NORMAL, IDB_MAX_HOVER, IDB_MAX_PRESSED));
    ASSERT_TRUE(dialog.SetCloseButtonBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED));
    // A group that does not load completely fails and keeps the sizes.
    int border = dialog.GetBorderWidth();
    EXPECT_FALSE(dialog.SetBorderBitmaps(IDB_BORDER_LEFT, 1, IDB_BORDER_BOTTOM));
    EXPECT_EQ(border, dialog.GetBorderWidth());
    ASSERT_TRUE(dialog.SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM));

    ASSERT_TRUE(dialog.Create(IDD_VIDEO));
    dialog.MoveWindow(100, 100, 400 + 2 * dialog.GetBorderWidth(),
                      300 + dialog.GetCaptionHeight() + dialog.GetBottomHeight());
    Pump();
    const int ch = dialog.GetCaptionHeight(), bw = dialog.GetBorderWidth(), bh = dialog.GetBottomHeight();
    CRect w;
    dialog.GetWindowRect(&w);
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(400, client.Width());
    EXPECT_EQ(300, client.Height());

    CRect left, middle, right;
    dialog.GetCaptionPieces(CRect(w.left, w.top, w.right, w.top + ch), left, middle, right);
    struct Hit
    {
        CPoint point;
        LRESULT code;
    };
    const Hit hits[] = {
        { CPoint(w.left, w.bottom - 1), HTBOTTOMLEFT },
        { CPoint(w.left, w.top + ch - 1), HTTOPLEFT },
        { CPoint(w.right - 1, w.bottom - 1), HTBOTTOMRIGHT },
        { CPoint(w.right - 1, w.top), HTTOPRIGHT },
        { CPoint(w.left + bw - 1, w.top + ch + 20), HTLEFT },
        { CPoint(w.right - bw, w.top + ch + 20), HTRIGHT },
        { CPoint(w.left + 50, w.bottom - bh), HTBOTTOM },
        { CPoint(right.left + 25, right.top + 2), HTMINBUTTON },
        { CPoint(right.left + 49 + 21, right.top + 22), HTMAXBUTTON },
        { CPoint(right.left + 72 + 10, right.top + 10), HTCLOSE },
        { CPoint(right.left + 10, right.top + 10), HTCAPTION },
        { CPoint(w.left + bw + 5, w.top + 5), HTSYSMENU },
        { CPoint(w.left + 200, w.top), HTTOP },
        { CPoint(w.left + 200, w.top + 20), HTCAPTION },
        { CPoint(w.left + 200, w.top + 200), HTCLIENT },
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(hit.code, dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(hit.point.x, hit.point.y)))
            << hit.point.x - w.left << "," << hit.point.y - w.top;

    // Hover and press states follow the non-client mouse messages.
    dialog.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, 0);
    EXPECT_EQ(1, dialog.CloseButton().m_nState);
    EXPECT_EQ(0, dialog.MinButton().m_nState);
    dialog.SendMessage(WM_NCLBUTTONDOWN, HTMINBUTTON, 0);
    EXPECT_EQ(2, dialog.MinButton().m_nState);

    // WM_SIZING applies the rule to the proposed rectangle.
    dialog.SetAspectRatio(CSize(4, 3));
    CRect proposed(0, 0, 640 + 2 * bw, 10);
    dialog.SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(480 + ch + bh, proposed.Height());

    // Maximised: the client area is the screen, the frame lies outside it.
    dialog.ShowWindow(SW_MAXIMIZE);
    Pump();
    EXPECT_TRUE(dialog.IsMaximized());
    dialog.GetClientRect(&client);
    dialog.ClientToScreen(&client);
    EXPECT_EQ(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), client);
    dialog.ShowWindow(SW_RESTORE);
    Pump();
    EXPECT_FALSE(dialog.IsMaximized());
    dialog.DestroyWindow();
}

namespace
{
// Presses Escape in the timed dialog once it is up.
void CALLBACK PressEscape(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = ThreadDialog();
    if (dialog == NULL)
        return;
    KillTimer(NULL, id);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

TEST_F(ResourceLibrary, TimedMessageEndsByItselfAndEscapeWithoutCancelIsOk)
{
    {
        CTimedMsgDlg dialog(IDI_APP, FALSE);
        dialog.SetText(IDS_STOP_RECORD_FAILED);
        dialog.SetTimeout(1);
        dialog.SetTimeout(0);
        EXPECT_EQ(1u, dialog.GetTimeout());
        DWORD start = GetTickCount();
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_GE(GetTickCount() - start, 900u);
        EXPECT_FALSE(dialog.GetMessageText().IsEmpty());
    }
    {
        CTimedMsgDlg dialog(0, FALSE);
        dialog.SetTimeout(30);
        UINT_PTR timer = SetTimer(NULL, 0, 20, PressEscape);
        EXPECT_EQ(IDOK, dialog.DoModal());
        KillTimer(NULL, timer);
    }
    {
        CTimedMsgDlg dialog(0, TRUE);
        dialog.SetTimeout(30);
        UINT_PTR timer = SetTimer(NULL, 0, 20, PressEscape);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        KillTimer(NULL, timer);
    }
}

namespace
{
int CountSplashWindows()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) WINAPI -> BOOL {
            if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_POPUP) && IsWindowVisible(hwnd))
                ++*reinterpret_cast<int*>(lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}
}  // namespace

TEST(SplashWnd, MissingFileLeavesNoBitmapAndShowingTwiceMakesOneWindow)
{
    CSplashWnd splash;
    EXPECT_FALSE(splash.LoadBitmapFile("NoSuchSplash.bmp"));
    EXPECT_FALSE(splash.HasBitmap());

    ASSERT_TRUE(splash.LoadBitmapFile("Splash.bmp"));
    ASSERT_TRUE(splash.Show(nullptr, FALSE, 0));
    ASSERT_TRUE(splash.Show(nullptr, FALSE, 0));
    Pump();
    EXPECT_EQ(1, CountSplashWindows());
    CRect rect;
    splash.GetWindowRect(&rect);
    EXPECT_EQ(400, rect.Width());
    EXPECT_EQ(240, rect.Height());
    // Centred on the screen.
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 400) / 2, rect.left);
    // The picture is copied 1:1: the top-left pixel is the frame's light edge.
    HDC dc = GetDC(splash.GetSafeHwnd());
    COLORREF corner = GetPixel(dc, 0, 0);
    COLORREF inside = GetPixel(dc, 200, 100);
    ReleaseDC(splash.GetSafeHwnd(), dc);
    EXPECT_NE(corner, inside);
    splash.Close();
    EXPECT_EQ(nullptr, splash.GetSafeHwnd());
    EXPECT_EQ(0, CountSplashWindows());

    // With the automatic close, timer 1 closes it.
    ASSERT_TRUE(splash.Show(nullptr, TRUE, 10));
    MSG msg;
    while (splash.GetSafeHwnd() != nullptr && GetMessageA(&msg, NULL, 0, 0))
        DispatchMessageA(&msg);
    EXPECT_EQ(nullptr, splash.GetSafeHwnd());
}

// Real pop-up menus opened on a window of the test display: the items are drawn by the menu
// objects, the menu windows are caught by the hook, framed and shadowed, and let go again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "MenuTestUtil.h"
#include "resources/ResourceIds.h"
#include "skin/MenuColors.h"
#include "skin/MenuThemes.h"
#include "skin/NewMenu.h"

namespace {

const UINT kMenuIcons[] = { IDTB_MENU_ICONS };
const COLORREF kWhite = RGB(255, 255, 255);

// The colours of the flat style on this display.
struct FlatColours
{
    COLORREF back, strip, select, highlight, outer, inner;
    FlatColours()
    {
        const COLORREF window = ::GetSysColor(COLOR_WINDOW);
        const COLORREF menu = GetMenuColor();
        highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        back = MixColor86(window, menu);
        strip = MixColor86(menu, window);
        HDC hScreen = ::GetDC(nullptr);
        if (::GetNearestColor(hScreen, back) == ::GetNearestColor(hScreen, strip))
        {
            back = window;
            strip = menu;
        }
        ::ReleaseDC(nullptr, hScreen);
        select = MixColor70(window, highlight);
        outer = DarkenColor(128, menu);
        inner = MixColor86(window, menu);
    }
};

BOOL IsCaught(HWND hMenuWnd)
{
    return ::GetPropA(hMenuWnd, "OldMenuProc") &&
           ::GetWindowLongPtrW(hMenuWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CMenuThemes::MenuWndProc) &&
           CMenuThemes::FindRecord(hMenuWnd);
}

BOOL IsReleased(HWND hMenuWnd)
{
    return !::GetPropA(hMenuWnd, "OldMenuProc") &&
           ::GetWindowLongPtrW(hMenuWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CMenuThemes::MenuWndProc) &&
           !CMenuThemes::FindRecord(hMenuWnd);
}

// Every item of the menu tree is owner-drawn and carries its menu object's record.
void ExpectOwnerDrawnTree(HMENU hMenu, const char* name)
{
    CNewMenu* pMenu = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(hMenu));
    ASSERT_NE(nullptr, pMenu) << name;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        ASSERT_TRUE(::GetMenuItemInfoA(hMenu, i, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << name << " item " << i;
        EXPECT_NE(nullptr, pMenu->FindItemData(info.dwItemData)) << name << " item " << i;
        if (info.hSubMenu)
            ExpectOwnerDrawnTree(info.hSubMenu, name);
    }
}

class MenuWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseResourceLibrary();
        ASSERT_TRUE(owner.CreateOwner());
    }
    void TearDown() override { owner.DestroyWindow(); }

    // The item's rectangle in the menu window's coordinates.
    CRect ItemRect(HWND hMenuWnd, int nPos)
    {
        CRect item;
        CRect window;
        ::GetMenuItemRect(nullptr, MenuOfWindow(hMenuWnd), nPos, &item);
        ::GetWindowRect(hMenuWnd, &window);
        item.OffsetRect(-window.left, -window.top);
        return item;
    }

    HWND OnlyMenuWindow()
    {
        const std::vector<HWND> windows = OpenMenuWindows();
        EXPECT_EQ(1u, windows.size());
        return windows.empty() ? nullptr : windows[0];
    }

    CMenuOwner owner;
    FlatColours colours;
};

TEST_F(MenuWindow, PanelMenuIsFramedShadowedAndSelectsWithItsFrame)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_PANEL));
    ASSERT_TRUE(menu.LoadToolBars(kMenuIcons, 1));
    CMenu* popup = menu.GetSubMenu(0);
    popup->CheckMenuItem(ID_MUTE, MF_CHECKED);
    CMenu* formats = popup->GetSubMenu(9);
    ASSERT_NE(nullptr, formats);
    formats->CheckMenuRadioItem(ID_RECORD_FORMAT_FIRST, ID_RECORD_FORMAT_LAST, ID_RECORD_FORMAT_FIRST + 1,
                                MF_BYCOMMAND);
    ExpectOwnerDrawnTree(menu.m_hMenu, "panel");

    HWND hMenuWnd = nullptr;
    owner.Track(
        popup, 40, 40,
        { [&] {
             hMenuWnd = OnlyMenuWindow();
             ASSERT_TRUE(IsCaught(hMenuWnd));
             // Own border at the left and top, border and shadow at the right and bottom.
             CRect window, client;
             ::GetWindowRect(hMenuWnd, &window);
             ::GetClientRect(hMenuWnd, &client);
             POINT origin = { 0, 0 };
             ::ClientToScreen(hMenuWnd, &origin);
             EXPECT_EQ(CPoint(2, 2), CPoint(origin.x - window.left, origin.y - window.top));
             EXPECT_EQ(CSize(7, 8), CSize(window.Width() - client.Width(), window.Height() - client.Height()));

             const CPixels pixels = CaptureWindow(hMenuWnd);
             pixels.Save("panel-open");
             const int w = pixels.Width();
             const int h = pixels.Height();
             EXPECT_EQ(colours.outer, pixels.At(0, h / 2));
             EXPECT_EQ(colours.outer, pixels.At(w / 2, 0));
             EXPECT_EQ(colours.inner, pixels.At(1, h / 2));
             // The shadow darkens the white window beneath, softly at its ends.
             EXPECT_EQ(kWhite, pixels.At(w - 1, 2));
             EXPECT_EQ(DarkenColor(30, kWhite), pixels.At(w - 1, h / 2));
             EXPECT_EQ(DarkenColor(120, kWhite), pixels.At(w - 4, h / 2));
             EXPECT_EQ(DarkenColor(6 * 1 * 1, kWhite), pixels.At(w - 1, 4));
             EXPECT_EQ(DarkenColor(60, kWhite), pixels.At(w / 2, h - 2));
             EXPECT_EQ(kWhite, pixels.At(1, h - 1));

             // Nothing selected yet: picture strip and back colour.
             const CRect first = ItemRect(hMenuWnd, 0);
             EXPECT_EQ(colours.strip, pixels.At(first.left + 1, first.top + 1));
             EXPECT_EQ(colours.back, pixels.At(first.right - 3, first.top + first.Height() / 2));
             EXPECT_FALSE(popup->GetMenuState(0, MF_BYPOSITION) & MF_HILITE);
             // The checked item with a picture stands in a framed, tinted square.
             const CRect mute = ItemRect(hMenuWnd, 8);
             EXPECT_EQ(colours.highlight, pixels.At(mute.left + 1, mute.top + 1));
             EXPECT_EQ(MixColor86(colours.strip, colours.highlight), pixels.At(mute.left + 2, mute.top + 2));
             owner.Key(VK_DOWN);
             owner.Key(VK_DOWN);
         },
          [&] {
              EXPECT_TRUE(popup->GetMenuState(1, MF_BYPOSITION) & MF_HILITE);
              EXPECT_FALSE(popup->GetMenuState(0, MF_BYPOSITION) & MF_HILITE);
              const CPixels pixels = CaptureWindow(hMenuWnd);
              const CRect selected = ItemRect(hMenuWnd, 1);
              EXPECT_EQ(colours.highlight, pixels.At(selected.left, selected.top));
              EXPECT_EQ(colours.highlight, pixels.At(selected.right - 1, selected.bottom - 1));
              EXPECT_EQ(colours.select, pixels.At(selected.right - 3, selected.top + selected.Height() / 2));
              EXPECT_EQ(colours.select, pixels.At(selected.left + 1, selected.top + 1));
              const CRect unselected = ItemRect(hMenuWnd, 0);
              EXPECT_EQ(colours.back, pixels.At(unselected.right - 3, unselected.top + unselected.Height() / 2));
              // Down to the record formats (past the separator), and into them.
              for (int i = 0; i < 7; ++i)
                  owner.Key(VK_DOWN);
              owner.Key(VK_RIGHT);
          },
          [&] {
              const std::vector<HWND> windows = OpenMenuWindows();
              ASSERT_EQ(2u, windows.size());
              HWND hNested = windows[0] == hMenuWnd ? windows[1] : windows[0];
              EXPECT_EQ(formats->m_hMenu, MenuOfWindow(hNested));
              EXPECT_TRUE(IsCaught(hNested));
              EXPECT_TRUE(formats->GetMenuState(ID_RECORD_FORMAT_FIRST + 1, MF_BYCOMMAND) & MF_CHECKED);
              const CPixels pixels = CaptureWindow(hNested);
              const CRect checked = ItemRect(hNested, 1);
              EXPECT_EQ(colours.highlight, pixels.At(checked.left + 1, checked.top + 1));
              EXPECT_EQ(MixColor86(colours.strip, colours.highlight), pixels.At(checked.left + 2, checked.top + 2));
              EXPECT_TRUE(formats->GetMenuState(0, MF_BYPOSITION) & MF_HILITE) << "opened by key: first item selected";
          },
          // One tick later the display shows what the windows hold.
          [&] {
              CRect screen(0, 0, 400, 400);
              CaptureScreen(screen).Save("panel-nested");
              owner.Key(VK_ESCAPE);
              owner.Key(VK_ESCAPE);
          } });
}

TEST_F(MenuWindow, ToolAndChannelMenusAreOwnerDrawnWithTheirPictures)
{
    const UINT kNone = static_cast<UINT>(-2);
    struct Case
    {
        UINT id;
        const char* name;
        UINT pictured;
        UINT plain;
    } cases[] = {
        { IDR_MENU_TOOLS, "tools", ID_SETTINGS, ID_MOVIE_PLAYER },
        { IDR_MENU_FM_TOOLS, "fm-tools", ID_SETTINGS, ID_FM_FILTER_CUSTOM },
        { IDR_MENU_CHANNEL_PAGE, "channel-page", kNone, ID_CHANNEL_ADD },
    };
    for (const Case& c : cases)
    {
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(c.id)) << c.name;
        ASSERT_TRUE(menu.LoadToolBars(kMenuIcons, 1));
        ExpectOwnerDrawnTree(menu.m_hMenu, c.name);
        CMenu* popup = menu.GetSubMenu(0);
        owner.Track(popup, 60, 60, { [&] {
                        HWND hMenuWnd = OnlyMenuWindow();
                        EXPECT_TRUE(IsCaught(hMenuWnd)) << c.name;
                        const CPixels pixels = CaptureWindow(hMenuWnd);
                        pixels.Save(c.name);
                        for (int i = 0; i < ::GetMenuItemCount(popup->m_hMenu); ++i)
                        {
                            const UINT id = ::GetMenuItemID(popup->m_hMenu, i);
                            if (id != c.pictured && id != c.plain)
                                continue;
                            CRect strip = ItemRect(hMenuWnd, i);
                            strip.right = strip.left + 24;
                            EXPECT_EQ(id == c.pictured, pixels.FirstColumnNot(colours.strip, strip.left, strip.right,
                                                                              strip.top, strip.bottom) >= 0)
                                << c.name << " item " << i;
                        }
                        owner.Key(VK_ESCAPE);
                    } });
    }

    // The panel's channel menus are made at run time: thirty channels a menu.
    CNewMenu channels;
    ASSERT_TRUE(channels.CreatePopupMenu());
    for (int i = 0; i < 30; ++i)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%s", i + 1, i % 2 ? "CCTV-1" : "本地频道");
        ASSERT_TRUE(channels.AppendMenu(MF_STRING, ID_CHANNEL_FIRST + i, text));
    }
    channels.CheckMenuRadioItem(ID_CHANNEL_FIRST, ID_CHANNEL_FIRST + 29, ID_CHANNEL_FIRST + 2, MF_BYCOMMAND);
    ExpectOwnerDrawnTree(channels.m_hMenu, "channels");
    const UINT chosen = owner.Track(&channels, 80, 20, { [&] {
        HWND hMenuWnd = OnlyMenuWindow();
        EXPECT_TRUE(IsCaught(hMenuWnd));
        CaptureWindow(hMenuWnd).Save("channels");
        owner.Key(VK_DOWN);
        owner.Key(VK_DOWN);
        owner.Key(VK_RETURN);
    } });
    EXPECT_EQ(static_cast<UINT>(ID_CHANNEL_FIRST + 1), chosen);
}

TEST_F(MenuWindow, MenuWindowMovedAndResizedForAnotherMenuIsLetGo)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TOOLS));
    owner.Track(menu.GetSubMenu(0), 50, 50, { [&] {
                    HWND hMenuWnd = OnlyMenuWindow();
                    ASSERT_TRUE(IsCaught(hMenuWnd));
                    // Moved alone, it still shows its menu.
                    CRect window;
                    ::GetWindowRect(hMenuWnd, &window);
                    ::SetWindowPos(hMenuWnd, nullptr, window.left + 5, window.top, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                    EXPECT_TRUE(IsCaught(hMenuWnd));
                    ::GetWindowRect(hMenuWnd, &window);
                    ::SetWindowPos(hMenuWnd, nullptr, window.left + 20, window.top + 20, window.Width() + 10,
                                   window.Height() + 10, SWP_NOZORDER | SWP_NOACTIVATE);
                    EXPECT_TRUE(IsReleased(hMenuWnd));
                    owner.Key(VK_ESCAPE);
                } });
    owner.Track(menu.GetSubMenu(0), 50, 50, { [&] {
                    HWND hMenuWnd = OnlyMenuWindow();
                    ASSERT_TRUE(IsCaught(hMenuWnd));
                    ::ShowWindow(hMenuWnd, SW_HIDE);
                    EXPECT_TRUE(IsReleased(hMenuWnd));
                    ::EndMenu();
                } });
}

TEST_F(MenuWindow, MenuBarItemsAreMeasuredForTheBarAndDrawnHot)
{
    CNewMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_MENU_PANEL));
    ASSERT_TRUE(owner.SetMenu(&bar));
    owner.DrawMenuBar();
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_SUBMENU;
    ASSERT_TRUE(::GetMenuItemInfoA(bar.m_hMenu, 0, TRUE, &info));

    // Measured through the window's menu: the bar item as its text alone, a pop-up's item with
    // room for its picture strip.
    MEASUREITEMSTRUCT measure = { ODT_MENU, 0, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)),
                                  0,        0, info.dwItemData };
    MSG msg = { owner.m_hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure) };
    ASSERT_TRUE(CNewMenu::OnMeasureItem(&msg));
    const UINT barWidth = measure.itemWidth;
    CNewMenu* pPopup = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(info.hSubMenu));
    ASSERT_NE(nullptr, pPopup);
    MEASUREITEMSTRUCT item = { ODT_MENU, 0, ID_CHANNEL_NEXT, 0, 0, reinterpret_cast<ULONG_PTR>(pPopup->GetRecord(0)) };
    msg.lParam = reinterpret_cast<LPARAM>(&item);
    ASSERT_TRUE(CNewMenu::OnMeasureItem(&msg));
    EXPECT_EQ(std::max<UINT>(::GetSystemMetrics(SM_CYMENU), 23), item.itemHeight);
    EXPECT_GT(barWidth, 0u);
    EXPECT_LT(barWidth, item.itemWidth);
    MEASUREITEMSTRUCT list = { ODT_LISTBOX, 1, 0, 0, 0, 0 };
    msg.lParam = reinterpret_cast<LPARAM>(&list);
    EXPECT_FALSE(CNewMenu::OnMeasureItem(&msg));

    // The hot item: the select colour framed, less its right 4 pixels; remembered on screen.
    EXPECT_FALSE(CNewMenu::DrawMenuBarItem(owner.m_hWnd, bar.m_hMenu, 5, ODS_HOTLIGHT));
    ASSERT_TRUE(CNewMenu::DrawMenuBarItem(owner.m_hWnd, bar.m_hMenu, 0, ODS_HOTLIGHT));
    EXPECT_EQ(info.dwItemData, CNewMenu::m_dwLastActiveItem);
    CRect screenItem;
    ASSERT_TRUE(::GetMenuItemRect(owner.m_hWnd, bar.m_hMenu, 0, &screenItem));
    EXPECT_EQ(screenItem, bar.m_LastActiveMenuRect);
    CRect window;
    owner.GetWindowRect(&window);
    CRect itemRect = screenItem;
    itemRect.OffsetRect(-window.left, -window.top);
    const CPixels pixels = CaptureWindow(owner.m_hWnd);
    pixels.Save("menu-bar");
    EXPECT_EQ(colours.highlight, pixels.At(itemRect.left, itemRect.top));
    EXPECT_EQ(colours.highlight, pixels.At(itemRect.right - 5, itemRect.bottom - 1));
    EXPECT_EQ(colours.select, pixels.At(itemRect.left + 2, itemRect.top + 2));
    EXPECT_EQ(GetMenuColor(), pixels.At(itemRect.right - 2, itemRect.top + 2));
    owner.SetMenu(nullptr);
}

TEST_F(MenuWindow, OtherPopupWindowsAreLeftAlone)
{
    HWND hTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 10, 10,
                                  owner.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hTip);
    HWND hCombo = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100, 100,
                                    owner.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hCombo);
    ::SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    ::SendMessageA(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(hCombo, &info));
    for (HWND hWnd : { hTip, info.hwndList })
    {
        EXPECT_EQ(nullptr, ::GetPropA(hWnd, "OldMenuProc"));
        EXPECT_EQ(nullptr, CMenuThemes::FindRecord(hWnd));
    }
    ::SendMessageA(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
    ::DestroyWindow(hTip);
}

TEST_F(MenuWindow, PrintingTheMenuWindowGivesItsBorderAndItems)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TOOLS));
    ASSERT_TRUE(menu.LoadToolBars(kMenuIcons, 1));
    owner.Track(
        menu.GetSubMenu(0), 70, 70, { [&] {
            HWND hMenuWnd = OnlyMenuWindow();
            const CPixels shown = CaptureWindow(hMenuWnd);
            MemoryCanvas canvas(shown.Width(), shown.Height(), RGB(255, 0, 255));
            ::SendMessageA(hMenuWnd, WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc()),
                           PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            const CPixels printed(canvas, shown.Width(), shown.Height());
            printed.Save("tools-printed");
            const int w = shown.Width();
            const int h = shown.Height();
            EXPECT_EQ(colours.outer, printed.At(0, h / 2));
            EXPECT_EQ(colours.inner, printed.At(1, h / 2));
            EXPECT_EQ(shown.At(w - 2, h / 2), printed.At(w - 2, h / 2)) << "shadow";
            // Item by item, the client part matches the window (its last column aside).
            for (int i = 0; i < ::GetMenuItemCount(MenuOfWindow(hMenuWnd)); ++i)
            {
                const CRect item = ItemRect(hMenuWnd, i);
                for (int x = item.left; x < item.right - 1; x += 3)
                    EXPECT_EQ(shown.At(x, item.top + item.Height() / 2), printed.At(x, item.top + item.Height() / 2))
                        << "item " << i << " x " << x;
            }
            owner.Key(VK_ESCAPE);
        } });
}

TEST_F(MenuWindow, RepaintingTheFrameForARegionLeavesTheRegionToItsOwner)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TOOLS));
    owner.Track(menu.GetSubMenu(0), 70, 70, { [&] {
                    HWND hMenuWnd = OnlyMenuWindow();
                    CRect window;
                    ::GetWindowRect(hMenuWnd, &window);
                    HRGN hUpdate = ::CreateRectRgnIndirect(&window);
                    ::SendMessageA(hMenuWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(hUpdate), 0);
                    CRect box;
                    EXPECT_EQ(SIMPLEREGION, ::GetRgnBox(hUpdate, &box)) << "the region is still the caller's";
                    EXPECT_EQ(window, box);
                    ::DeleteObject(hUpdate);
                    const CPixels pixels = CaptureWindow(hMenuWnd);
                    EXPECT_EQ(colours.outer, pixels.At(0, pixels.Height() / 2));
                    EXPECT_EQ(colours.inner, pixels.At(1, pixels.Height() / 2));
                    owner.Key(VK_ESCAPE);
                } });
}

TEST_F(MenuWindow, WithTheSystemsMenuShadowTheWindowIsSmallerAndUnshadowed)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TOOLS));
    const auto openedSize = [&](BOOL shadow, CPixels* pPixels) {
        ::SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(shadow)), 0);
        CSize size;
        owner.Track(menu.GetSubMenu(0), 90, 90, { [&] {
                        HWND hMenuWnd = OnlyMenuWindow();
                        CRect window;
                        ::GetWindowRect(hMenuWnd, &window);
                        size = window.Size();
                        *pPixels = CaptureWindow(hMenuWnd);
                        owner.Key(VK_ESCAPE);
                    } });
        return size;
    };
    BOOL before = FALSE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &before, 0);
    CPixels own, system;
    const CSize withOwnShadow = openedSize(FALSE, &own);
    const CSize withSystemShadow = openedSize(TRUE, &system);
    ::SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(before)), 0);
    BOOL after = TRUE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &after, 0);
    ASSERT_EQ(before, after);
    EXPECT_EQ(CSize(4, 4), withOwnShadow - withSystemShadow);
    // The frame runs round the whole window: no band of darkened screen at the right.
    EXPECT_EQ(colours.outer, system.At(system.Width() - 1, system.Height() / 2));
    EXPECT_EQ(colours.outer, system.At(system.Width() / 2, system.Height() - 1));
    EXPECT_NE(colours.outer, own.At(own.Width() - 1, own.Height() / 2));
}

TEST_F(MenuWindow, TypedLetterRunsTheItemWithThatMnemonic)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 501, "&Open"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 502, "Save &As"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 503, "E&xit\tAlt+F4"));
    owner.m_bRouteMenuChar = TRUE;
    const struct
    {
        char typed;
        UINT command;
    } cases[] = { { 'a', 502 }, { 'A', 502 }, { 'X', 503 }, { 'o', 501 } };
    for (const auto& c : cases)
        EXPECT_EQ(c.command, owner.Track(&menu, 30, 30, { [&] { owner.Char(c.typed); } })) << c.typed;
}

}  // namespace

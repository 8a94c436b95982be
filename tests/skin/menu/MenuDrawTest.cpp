// The flat style's items measured and drawn into memory contexts.
#include <gtest/gtest.h>

#include "MenuTestUtil.h"
#include "resources/ResourceIds.h"
#include "skin/MenuColors.h"
#include "skin/NewMenu.h"

namespace {

const UINT kMenuIcons[] = { IDTB_MENU_ICONS };
const COLORREF kUnpainted = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const int kWidth = 200;
const int kHeight = 23;

enum Item
{
    kPictured,
    kPlain,
    kSeparator,
    kShortcut,
    kRecord,
    kClose,
};

class MenuDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseResourceLibrary();
        ASSERT_TRUE(menu.CreatePopupMenu());
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, ID_CHANNEL_NEXT, "下一频道"));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, ID_CHANNEL_FIRST, "下一频道"));
        ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, 601, "Exit\tAlt+F4"));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, ID_RECORD, "录像"));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, SC_CLOSE, "Close"));
        ASSERT_TRUE(menu.LoadToolBars(kMenuIcons, 1));

        const COLORREF window = ::GetSysColor(COLOR_WINDOW);
        const COLORREF menuColour = GetMenuColor();
        back = MixColor86(window, menuColour);
        strip = MixColor86(menuColour, window);
        MemoryCanvas probe(1, 1, 0);
        if (::GetNearestColor(probe.dc(), back) == ::GetNearestColor(probe.dc(), strip))
        {
            back = window;
            strip = menuColour;
        }
        highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        select = MixColor70(window, highlight);
    }

    ULONG_PTR ItemData(int nPos)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(menu.m_hMenu, nPos, TRUE, &info);
        return info.dwItemData;
    }

    CPixels Draw(int nPos, UINT state, int height = kHeight)
    {
        MemoryCanvas canvas(kWidth, height, kUnpainted);
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = ::GetMenuItemID(menu.m_hMenu, nPos);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
        draw.hDC = canvas.dc();
        draw.rcItem = CRect(0, 0, kWidth, height);
        draw.itemData = ItemData(nPos);
        menu.DrawItem(&draw);
        return CPixels(canvas, kWidth, height);
    }

    MEASUREITEMSTRUCT Measure(int nPos)
    {
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = ::GetMenuItemID(menu.m_hMenu, nPos);
        measure.itemData = ItemData(nPos);
        menu.MeasureItem(&measure);
        return measure;
    }

    // The leftmost and rightmost ink of the text area (right of the picture strip).
    int TextLeft(const CPixels& pixels, COLORREF background)
    {
        return pixels.FirstColumnNot(background, 24, kWidth, 0, kHeight);
    }

    CNewMenu menu;
    COLORREF back, strip, highlight, select;
};

TEST_F(MenuDraw, ItemHasItsStripBackAndShadedPicture)
{
    const CPixels pixels = Draw(kRecord, 0);
    EXPECT_EQ(strip, pixels.At(0, 0));
    EXPECT_EQ(strip, pixels.At(23, kHeight - 1));
    EXPECT_EQ(back, pixels.At(24, 0));
    EXPECT_EQ(back, pixels.At(kWidth - 1, kHeight - 1));
    // The record picture's red disc, centred at (8, 7) of the 16 x 15 picture, which stands at
    // x 3 and centred vertically.
    EXPECT_EQ(DarkenColor(50, kRed), pixels.At(3 + 8, 4 + 7));
    EXPECT_FALSE(pixels.Contains(kUnpainted, CRect(0, 0, kWidth, kHeight)));
}

TEST_F(MenuDraw, SelectionFillsAndFramesTheItemAndRaisesThePicture)
{
    const CPixels pixels = Draw(kRecord, ODS_SELECTED);
    EXPECT_EQ(highlight, pixels.At(0, 0));
    EXPECT_EQ(highlight, pixels.At(kWidth - 1, kHeight - 1));
    EXPECT_EQ(highlight, pixels.At(kWidth / 2, 0));
    EXPECT_EQ(select, pixels.At(1, 1));
    EXPECT_EQ(select, pixels.At(kWidth - 2, kHeight / 2));
    // The normal picture one pixel up and left, over its silhouette one pixel down and right.
    EXPECT_EQ(kRed, pixels.At(3 + 8 - 1, 4 + 7 - 1));
    EXPECT_TRUE(pixels.Contains(ShadowColor(select), CRect(3, 4, 3 + 17, 4 + 16)));
    EXPECT_EQ(ShadowColor(select), pixels.At(3 + 13 + 1, 4 + 7 + 1)) << "right of the raised disc";
}

TEST_F(MenuDraw, PicturesOfCheckedAndDisabledItems)
{
    // Checked: a framed, tinted square round the picture; selected and checked, the picture flat.
    const CPixels checked = Draw(kRecord, ODS_CHECKED);
    EXPECT_EQ(highlight, checked.At(1, 1));
    EXPECT_EQ(highlight, checked.At(22, kHeight - 2));
    EXPECT_EQ(MixColor86(strip, highlight), checked.At(2, 2));
    EXPECT_EQ(strip, checked.At(0, 0));
    EXPECT_EQ(DarkenColor(50, kRed), checked.At(3 + 8, 4 + 7));
    const CPixels both = Draw(kRecord, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(MixColor86(select, highlight), both.At(2, 2));
    EXPECT_EQ(kRed, both.At(3 + 8, 4 + 7));
    EXPECT_FALSE(both.Contains(ShadowColor(select), CRect(0, 0, 24, kHeight)));
    // Disabled: the prepared grey picture.
    const CPixels disabled = Draw(kRecord, ODS_DISABLED);
    EXPECT_EQ(MixColor86(LightenColor(100, GrayColor(kRed)), GetMenuColor()), disabled.At(3 + 8, 4 + 7));
}

TEST_F(MenuDraw, CheckedItemWithoutPictureShowsACheckInAFramedSquare)
{
    const CPixels pixels = Draw(kPlain, ODS_CHECKED);
    EXPECT_EQ(highlight, pixels.At(1, 1));
    EXPECT_EQ(highlight, pixels.At(22, kHeight - 2));
    EXPECT_EQ(MixColor86(strip, highlight), pixels.At(2, 2));
    EXPECT_TRUE(pixels.Contains(::GetSysColor(COLOR_MENUTEXT), CRect(3, 3, 21, kHeight - 3)));
    const CPixels unchecked = Draw(kPlain, 0);
    EXPECT_FALSE(unchecked.Contains(::GetSysColor(COLOR_MENUTEXT), CRect(0, 0, 24, kHeight)));
}

TEST_F(MenuDraw, SystemCommandsGetTheirWindowButtonGlyph)
{
    const CPixels pixels = Draw(kClose, 0);
    EXPECT_TRUE(pixels.Contains(::GetSysColor(COLOR_MENUTEXT), CRect(0, 0, 24, kHeight)));
}

TEST_F(MenuDraw, TextStartsAtOnePlaceWithOrWithoutAPicture)
{
    const int pictured = TextLeft(Draw(kPictured, 0), back);
    const int plain = TextLeft(Draw(kPlain, 0), back);
    EXPECT_EQ(pictured, plain);
    EXPECT_GE(plain, 24 + 4);
    EXPECT_LE(plain, 24 + 6);
}

TEST_F(MenuDraw, ShortcutEndsFifteenPixelsBeforeTheRightEdge)
{
    const CPixels pixels = Draw(kShortcut, 0);
    const int last = pixels.LastColumnNot(back, 24, kWidth, 0, kHeight);
    EXPECT_LE(last, kWidth - 15 - 1);
    EXPECT_GE(last, kWidth - 15 - 3);
    EXPECT_LE(TextLeft(pixels, back), 24 + 6);
}

TEST_F(MenuDraw, SeparatorIsAGreyLineFromTheText)
{
    const CPixels pixels = Draw(kSeparator, 0, 3);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(strip, pixels.At(10, 1));
    EXPECT_EQ(grey, pixels.At(28, 1));
    EXPECT_EQ(grey, pixels.At(kWidth - 1, 1));
    EXPECT_EQ(back, pixels.At(27, 1));
    EXPECT_EQ(back, pixels.At(40, 0));
    EXPECT_EQ(back, pixels.At(40, 2));
}

TEST_F(MenuDraw, ForeignItemDataDrawsNothing)
{
    MemoryCanvas canvas(kWidth, kHeight, kUnpainted);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    draw.hDC = canvas.dc();
    draw.rcItem = CRect(0, 0, kWidth, kHeight);
    draw.itemData = reinterpret_cast<ULONG_PTR>(&draw);
    menu.DrawItem(&draw);
    EXPECT_FALSE(CPixels(canvas, kWidth, kHeight).Contains(strip, CRect(0, 0, kWidth, kHeight)));
}

TEST_F(MenuDraw, ItemsAreMeasuredForTheFlatStyle)
{
    const UINT height = std::max<UINT>(::GetSystemMetrics(SM_CYMENU), 15 + 8);
    EXPECT_EQ(height, Measure(kPictured).itemHeight);
    EXPECT_EQ(height, Measure(kPlain).itemHeight);
    EXPECT_EQ(3u, Measure(kSeparator).itemHeight);
    EXPECT_EQ(Measure(kPictured).itemWidth, Measure(kPlain).itemWidth);
    EXPECT_EQ(static_cast<UINT>(::GetSystemMetrics(SM_CYMENU)), Measure(kClose).itemHeight);

    // A menu-bar item is only its text; a pop-up item has room for the strip on both sides.
    MEASUREITEMSTRUCT bar = {};
    bar.CtlType = ODT_MENU;
    bar.itemData = ItemData(kPlain);
    MeasureItemFlat(&menu, &bar, TRUE);
    EXPECT_EQ(bar.itemWidth + 2 * 16 + 2, Measure(kPlain).itemWidth);

    // The shortcut gets its own room and a gap.
    CNewMenu plain;
    ASSERT_TRUE(plain.CreatePopupMenu());
    ASSERT_TRUE(plain.AppendMenu(MF_STRING, 1, "Exit"));
    ASSERT_TRUE(plain.AppendMenu(MF_STRING, 2, "Alt+F4"));
    MEASUREITEMSTRUCT exit = {}, shortcut = {};
    exit.CtlType = shortcut.CtlType = ODT_MENU;
    exit.itemData = reinterpret_cast<ULONG_PTR>(plain.GetRecord(0));
    shortcut.itemData = reinterpret_cast<ULONG_PTR>(plain.GetRecord(1));
    plain.MeasureItem(&exit);
    plain.MeasureItem(&shortcut);
    EXPECT_EQ(exit.itemWidth + shortcut.itemWidth - (2 * 16 + 2) + 15, Measure(kShortcut).itemWidth);

    // The classic measure keeps 4 pixels round the picture instead of 8.
    MEASUREITEMSTRUCT classic = {};
    classic.CtlType = ODT_MENU;
    classic.itemData = ItemData(kPlain);
    MeasureItemClassic(&menu, &classic, FALSE);
    EXPECT_EQ(std::max<UINT>(::GetSystemMetrics(SM_CYMENU), 15 + 4), classic.itemHeight);
}

TEST_F(MenuDraw, TitleIsMeasuredAndDrawnOnItsBand)
{
    ASSERT_TRUE(menu.SetMenuTitle("Ondrix"));
    const MEASUREITEMSTRUCT measure = Measure(0);
    EXPECT_GT(measure.itemHeight, 10u);
    EXPECT_GT(measure.itemWidth, 20u);
    const CPixels pixels = Draw(0, 0, measure.itemHeight);
    EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), pixels.At(kWidth / 2, 0));
    EXPECT_TRUE(pixels.Contains(::GetSysColor(COLOR_CAPTIONTEXT), CRect(0, 0, kWidth, measure.itemHeight)));
    ASSERT_TRUE(menu.RemoveMenuTitle());
    EXPECT_EQ(static_cast<UINT>(ID_CHANNEL_NEXT), ::GetMenuItemID(menu.m_hMenu, 0));
}

}  // namespace

namespace {

// The menus' texts are Chinese and their check marks Marlett glyphs: both fonts must be there.
TEST(MenuFonts, MenuFontShowsChineseAndMarlettIsInstalled)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    MemoryCanvas canvas(1, 1, 0);
    HFONT hMenuFont = ::CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ hOld = ::SelectObject(canvas.dc(), hMenuFont);
    const WCHAR text[] = L"下一频道";
    WORD glyphs[4] = {};
    ASSERT_EQ(4u, ::GetGlyphIndicesW(canvas.dc(), text, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS));
    for (WORD glyph : glyphs)
        EXPECT_NE(0xFFFF, glyph);
    HFONT hMarlett = ::CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    ::SelectObject(canvas.dc(), hMarlett);
    char face[LF_FACESIZE] = "";
    ::GetTextFaceA(canvas.dc(), sizeof face, face);
    EXPECT_STREQ("Marlett", face);
    ::SelectObject(canvas.dc(), hOld);
    ::DeleteObject(hMenuFont);
    ::DeleteObject(hMarlett);
}

}  // namespace

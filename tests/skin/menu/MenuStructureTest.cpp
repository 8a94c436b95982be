// Menu objects, their records and pictures, the styles and what start-up makes of them.
#include <gtest/gtest.h>

#include <cstdio>

#include "MenuTestUtil.h"
#include "StartupWitness.h"
#include "resources/ResourceIds.h"
#include "skin/MenuColors.h"
#include "skin/MenuThemes.h"
#include "skin/NewMenu.h"

namespace {

const UINT kMenuIcons[] = { IDTB_MENU_ICONS };

BOOL InIconLists(const CNewMenuIcons* pIcons)
{
    CPtrList* pLists = GetMenuIconLists(FALSE);
    return pLists && pLists->Find(const_cast<CNewMenuIcons*>(pIcons)) != nullptr;
}

CNewMenuItemData* RecordOf(CNewMenu& menu, UINT_PTR nID)
{
    int nPos = -1;
    CNewMenu* pHolder = menu.FindMenuOption(nID, nPos);
    if (!pHolder)
        return nullptr;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(pHolder->m_hMenu, nPos, TRUE, &info);
    return pHolder->FindItemData(info.dwItemData);
}

// Counts every item of the tree whose command is id.
int CountRecords(CNewMenu& menu, UINT_PTR nID)
{
    int count = 0;
    for (int i = 0; i < menu.GetRecordCount(); ++i)
        count += menu.GetRecord(i)->m_nID == nID;
    for (INT_PTR i = 0; i < menu.m_SubMenus.GetSize(); ++i)
        if (CNewMenu* pSub = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(menu.m_SubMenus[i])))
            count += CountRecords(*pSub, nID);
    return count;
}

TEST(MenuStartup, StylesAndHookAreReadyBeforeOtherStaticObjects)
{
    EXPECT_EQ(2, g_startupWitness.style);
    EXPECT_NE(nullptr, g_startupWitness.hook);
    EXPECT_EQ(6, g_startupWitness.themes);
}

TEST(MenuStyles, SixStylesWithStyleTwoCurrent)
{
    const struct
    {
        int style, variant;
        bool flat;
    } rows[] = { { 0, 1, false }, { 1, 0, false }, { 2, 1, true }, { 3, 0, true }, { 4, 1, false }, { 5, 0, false } };
    for (const auto& row : rows)
    {
        CMenuTheme* pTheme = CMenuThemes::FindTheme(row.style);
        ASSERT_NE(nullptr, pTheme) << row.style;
        EXPECT_EQ(row.variant, pTheme->m_nVariant) << row.style;
        EXPECT_EQ(row.variant, pTheme->HasOwnBorders()) << row.style;
        EXPECT_EQ(row.flat, dynamic_cast<CMenuThemeFlat*>(pTheme) != nullptr) << row.style;
        EXPECT_EQ(CSize(2, 2), pTheme->m_BorderSize);
    }
    EXPECT_EQ(2, CNewMenu::GetMenuStyle());
    EXPECT_FALSE(CMenuThemes::AddTheme(CMenuThemes::FindTheme(2)));
    EXPECT_EQ(nullptr, CNewMenu::SetMenuStyle(7));
    EXPECT_EQ(2, CNewMenu::GetMenuStyle());
    EXPECT_EQ(CMenuThemes::FindTheme(3), CNewMenu::SetMenuStyle(3));
    EXPECT_EQ(3, CNewMenu::GetMenuStyle());
    CNewMenu::SetMenuStyle(2);
}

TEST(MenuColours, ChannelArithmetic)
{
    const struct
    {
        const char* name;
        COLORREF result, expected;
    } rows[] = {
        { "darken 50", DarkenColor(50, RGB(255, 128, 0)), RGB(205, 102, 0) },
        { "darken 128 white", DarkenColor(128, RGB(255, 255, 255)), RGB(127, 127, 127) },
        { "darken 0", DarkenColor(0, RGB(1, 2, 3)), RGB(1, 2, 3) },
        { "lighten 100", LightenColor(100, RGB(0, 100, 255)), RGB(100, 160, 255) },
        { "mix86 white black", MixColor86(RGB(255, 255, 255), RGB(0, 0, 0)), RGB(219, 219, 219) },
        { "mix86 black white", MixColor86(RGB(0, 0, 0), RGB(255, 255, 255)), RGB(36, 36, 36) },
        { "mix86 white white", MixColor86(RGB(255, 255, 255), RGB(255, 255, 255)), RGB(255, 255, 255) },
        // 179 + 77 would be 256: kept to 255, not wrapped to 0.
        { "mix70 white white", MixColor70(RGB(255, 255, 255), RGB(255, 255, 255)), RGB(255, 255, 255) },
        { "mix70 white blue", MixColor70(RGB(255, 255, 255), RGB(0, 120, 215)), RGB(179, 215, 244) },
        { "gray", GrayColor(RGB(10, 20, 30)), RGB(20, 20, 20) },
        { "shadow", ShadowColor(RGB(100, 200, 255)), RGB(70, 140, 217) },
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, row.result) << row.name;
}

TEST(MenuColours, GradientFromOneColourIntoAnother)
{
    MemoryCanvas canvas(40, 8, RGB(255, 0, 255));
    CDC dc;
    dc.Attach(canvas.dc());
    DrawGradient(&dc, CRect(0, 0, 40, 8), RGB(0, 0, 0), RGB(200, 100, 40), TRUE);
    dc.Detach();
    const CPixels pixels(canvas, 40, 8);
    EXPECT_LE(GetRValue(pixels.At(0, 4)), 10);
    EXPECT_GE(GetRValue(pixels.At(39, 4)), 190);
    EXPECT_LT(GetRValue(pixels.At(10, 4)), GetRValue(pixels.At(30, 4)));
    EXPECT_EQ(pixels.At(20, 0), pixels.At(20, 7));
}

class MenuObjects : public ::testing::Test
{
protected:
    void SetUp() override { UseResourceLibrary(); }
};

TEST_F(MenuObjects, LoadedMenuHasAMenuObjectAndRecordsAtEveryDepth)
{
    const UINT ids[] = { IDR_MENU_PANEL, IDR_MENU_TOOLS, IDR_MENU_FM_TOOLS, IDR_MENU_CHANNEL_PAGE };
    for (UINT id : ids)
    {
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(id)) << id;
        HMENU hPlain = ::LoadMenuA(UseResourceLibrary(), MAKEINTRESOURCEA(id));
        EXPECT_FALSE(menu.m_bIsPopupMenu) << "the loaded bar";
        // Walk both trees side by side: same texts, owner-drawn items, one object per sub-menu.
        std::vector<std::pair<HMENU, HMENU>> pending = { { menu.m_hMenu, hPlain } };
        int menus = 0;
        while (!pending.empty())
        {
            const auto pair = pending.back();
            pending.pop_back();
            ++menus;
            CNewMenu* pMenu = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(pair.first));
            ASSERT_NE(nullptr, pMenu);
            const int count = ::GetMenuItemCount(pair.second);
            ASSERT_EQ(count, ::GetMenuItemCount(pair.first));
            ASSERT_EQ(count, pMenu->GetRecordCount());
            for (int i = 0; i < count; ++i)
            {
                MENUITEMINFOA info = {};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
                ASSERT_TRUE(::GetMenuItemInfoA(pair.first, i, TRUE, &info));
                CNewMenuItemData* pData = pMenu->GetRecord(i);
                EXPECT_EQ(reinterpret_cast<ULONG_PTR>(pData), info.dwItemData);
                EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
                EXPECT_TRUE(pData->m_nFlags & MF_OWNERDRAW);
                char text[128] = "";
                ::GetMenuStringA(pair.second, i, text, sizeof text, MF_BYPOSITION);
                EXPECT_STREQ(text, pData->m_szMenuText) << id << " item " << i;
                HMENU hPlainSub = ::GetSubMenu(pair.second, i);
                EXPECT_EQ(hPlainSub != nullptr, info.hSubMenu != nullptr);
                if (info.hSubMenu)
                {
                    EXPECT_TRUE(pData->IsPopup());
                    EXPECT_EQ(reinterpret_cast<UINT_PTR>(info.hSubMenu), pData->m_nID);
                    CNewMenu* pSub = DYNAMIC_DOWNCAST(CNewMenu, CMenu::FromHandlePermanent(info.hSubMenu));
                    ASSERT_NE(nullptr, pSub);
                    EXPECT_EQ(pair.first, pSub->m_hParentMenu);
                    EXPECT_TRUE(pSub->m_bIsPopupMenu);
                    pending.push_back({ info.hSubMenu, hPlainSub });
                }
                else if (info.fType & MFT_SEPARATOR)
                {
                    EXPECT_TRUE(pData->IsSeparator());
                    EXPECT_EQ(0u, pData->m_nID);
                }
                else
                {
                    EXPECT_EQ(info.wID, pData->m_nID);
                }
            }
        }
        EXPECT_GE(menus, 2);
        if (id == IDR_MENU_PANEL)
        {
            EXPECT_EQ(5, menus) << "bar, panel menu, formats, time shift, video window";
        }
        ::DestroyMenu(hPlain);
    }
}

TEST_F(MenuObjects, LoadingWhatIsNoMenuFailsAndLeavesTheObjectEmpty)
{
    CNewMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
    EXPECT_EQ(nullptr, missing.m_hMenu);
    CNewMenu bogus;
    EXPECT_FALSE(bogus.LoadMenu(reinterpret_cast<HMENU>(0x1234)));
    EXPECT_EQ(nullptr, bogus.m_hMenu);
    EXPECT_EQ(0, bogus.GetRecordCount());
}

TEST_F(MenuObjects, DestroyingDeletesTheSubMenuObjects)
{
    HMENU hSub = nullptr;
    {
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_MENU_PANEL));
        hSub = ::GetSubMenu(menu.m_hMenu, 0);
        ASSERT_NE(nullptr, CMenu::FromHandlePermanent(hSub));
    }
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hSub));
    EXPECT_FALSE(::IsMenu(hSub));
}

TEST_F(MenuObjects, ToolbarPicturesGoToTheirCommandsAtEveryDepthAndAreShared)
{
    CNewMenuIcons* pIcons = nullptr;
    {
        CNewMenu panel, tools;
        ASSERT_TRUE(panel.LoadMenu(IDR_MENU_PANEL));
        ASSERT_TRUE(tools.LoadMenu(IDR_MENU_TOOLS));
        ASSERT_TRUE(panel.LoadToolBars(kMenuIcons, 1));
        ASSERT_TRUE(tools.LoadToolBars(kMenuIcons, 1));
        const struct
        {
            UINT id;
            int image;
        } rows[] = { { ID_CHANNEL_NEXT, 0 }, { ID_CHANNEL_PREV, 3 },  { ID_RECORD, 6 },
                     { ID_MUTE, 15 },        { ID_FULL_SCREEN, 18 },  { ID_SETTINGS, 24 },
                     { ID_EXIT, 27 },        { ID_CHANNEL_LAST, -1 }, { ID_ASPECT_4_3, -1 } };
        for (const auto& row : rows)
        {
            CNewMenuItemData* pData = RecordOf(panel, row.id);
            ASSERT_NE(nullptr, pData) << row.id;
            EXPECT_EQ(row.image, pData->m_nMenuIconOffset) << row.id;
            EXPECT_EQ(row.image >= 0, pData->m_pMenuIcon != nullptr) << row.id;
        }
        pIcons = RecordOf(panel, ID_SETTINGS)->m_pMenuIcon;
        EXPECT_EQ(pIcons, RecordOf(tools, ID_SETTINGS)->m_pMenuIcon);
        EXPECT_EQ(CSize(16, 15), pIcons->GetIconSize());
        EXPECT_EQ(CSize(16, 15), static_cast<CNewMenu*>(panel.GetSubMenu(0))->GetIconSize());
        // Separators of the toolbar have no picture: ten commands, three images each.
        EXPECT_EQ(10, pIcons->m_IDs.GetSize());
        EXPECT_EQ(30, pIcons->m_IconsList.GetImageCount());
        EXPECT_EQ(-1, pIcons->FindImageIndex(0));
        // One reference per item that shows one of its pictures: the panel menu's eight
        // pictured commands (settings appears once) and the tools menu's settings.
        int users = 0;
        for (INT_PTR k = 0; k < pIcons->m_IDs.GetSize(); ++k)
            users += CountRecords(panel, pIcons->m_IDs[k]) + CountRecords(tools, pIcons->m_IDs[k]);
        EXPECT_EQ(users, pIcons->m_dwRefCount);
        EXPECT_TRUE(InIconLists(pIcons));
    }
    EXPECT_FALSE(InIconLists(pIcons)) << "deleted with the last item that used it";
}

TEST_F(MenuObjects, EachPictureComesNormalShadedAndDisabled)
{
    CNewMenuIcons* pIcons = CNewMenu::GetMenuIcons(MAKEINTRESOURCEA(IDTB_MENU_ICONS), nullptr);
    ASSERT_NE(nullptr, pIcons);
    const COLORREF background = RGB(255, 255, 255);
    const int record = pIcons->FindImageIndex(ID_RECORD);
    ASSERT_EQ(6, record);
    MemoryCanvas canvas(48, 15, background);
    for (int form = 0; form < 3; ++form)
        ImageList_Draw(pIcons->m_IconsList.GetSafeHandle(), record + form, canvas.dc(), 16 * form, 0, ILD_TRANSPARENT);
    const CPixels pixels(canvas, 48, 15);
    pixels.Save("record-picture-forms");
    int opaque = 0;
    for (int y = 0; y < 15; ++y)
    {
        for (int x = 0; x < 16; ++x)
        {
            const COLORREF normal = pixels.At(x, y);
            if (normal == background)
            {
                // What the picture leaves out (its button-face background) stays out in every form.
                EXPECT_EQ(background, pixels.At(16 + x, y)) << x << "," << y;
                EXPECT_EQ(background, pixels.At(32 + x, y)) << x << "," << y;
                continue;
            }
            ++opaque;
            EXPECT_EQ(DarkenColor(50, normal), pixels.At(16 + x, y)) << x << "," << y;
            EXPECT_EQ(MixColor86(LightenColor(100, GrayColor(normal)), GetMenuColor()), pixels.At(32 + x, y))
                << x << "," << y;
        }
    }
    EXPECT_GT(opaque, 40);
    EXPECT_EQ(RGB(255, 0, 0), pixels.At(8, 7));
    EXPECT_EQ(background, pixels.At(0, 0));
}

TEST_F(MenuObjects, IconListsAreReloadedAtMostOnceInTwoSeconds)
{
    struct CCountingIcons : public CNewMenuIcons
    {
        int reloads = 0;
        void Reload() override { ++reloads; }
    };
    CCountingIcons* pCounter = new CCountingIcons;
    GetMenuIconLists(TRUE)->AddTail(pCounter);
    const DWORD t0 = 0x70000000;
    CNewMenu::RefreshMenuIcons(t0);
    CNewMenu::RefreshMenuIcons(t0 + 1000);
    CNewMenu::RefreshMenuIcons(t0 + 2000);
    EXPECT_EQ(1, pCounter->reloads);
    CNewMenu::RefreshMenuIcons(t0 + 2001);
    EXPECT_EQ(2, pCounter->reloads);
    pCounter->AddRef();
    pCounter->Release();
    EXPECT_FALSE(InIconLists(pCounter));
}

TEST_F(MenuObjects, ItemsAddedAtRunTimeAreOwnerDrawnRecords)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_PANEL));
    CNewMenu* pPopup = static_cast<CNewMenu*>(menu.GetSubMenu(0));
    const int before = pPopup->GetRecordCount();
    // Channel entries go in above "next channel", found by its command through the sub-menus.
    ASSERT_TRUE(menu.InsertMenu(ID_CHANNEL_NEXT, MF_STRING, ID_CHANNEL_FIRST, "1.CCTV-1", -1));
    ASSERT_TRUE(menu.InsertMenu(ID_CHANNEL_NEXT, MF_SEPARATOR, 0, nullptr, -1));
    EXPECT_FALSE(menu.InsertMenu(4711, MF_STRING, ID_CHANNEL_FIRST + 1, "nowhere", -1));
    EXPECT_EQ(before + 2, pPopup->GetRecordCount());
    EXPECT_EQ(static_cast<UINT>(ID_CHANNEL_FIRST), pPopup->GetMenuItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_CHANNEL_NEXT), pPopup->GetMenuItemID(2));
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(pPopup->m_hMenu, 1, TRUE, &info));
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW), info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW));
    CNewMenuItemData* pSeparator = pPopup->FindItemData(info.dwItemData);
    ASSERT_NE(nullptr, pSeparator);
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW), pSeparator->m_nFlags);
    CNewMenuItemData* pChannel = RecordOf(menu, ID_CHANNEL_FIRST);
    ASSERT_NE(nullptr, pChannel);
    EXPECT_STREQ("1.CCTV-1", pChannel->m_szMenuText);
    EXPECT_EQ(-1, pChannel->m_nMenuIconOffset);

    // Texts and user values through the sub-menus, and the items found by text.
    EXPECT_TRUE(menu.SetMenuText(ID_CHANNEL_FIRST, "2.BTV", MF_BYCOMMAND));
    CString text;
    EXPECT_TRUE(menu.GetMenuText(ID_CHANNEL_FIRST, text, MF_BYCOMMAND));
    EXPECT_STREQ("2.BTV", text);
    EXPECT_TRUE(menu.SetItemUserValue(ID_CHANNEL_FIRST, 77, MF_BYCOMMAND));
    EXPECT_EQ(77u, menu.GetItemUserValue(ID_CHANNEL_FIRST, MF_BYCOMMAND));
    EXPECT_EQ(0, pPopup->FindMenuItem("2.BTV"));
    EXPECT_EQ(-1, pPopup->FindMenuItem("missing"));
    EXPECT_EQ(pPopup->GetSubMenu(11), pPopup->FindSubMenu("录像格式"));

    // Removal takes the record with the item, at any depth.
    EXPECT_TRUE(menu.RemoveMenu(ID_CHANNEL_FIRST, MF_BYCOMMAND));
    EXPECT_EQ(nullptr, RecordOf(menu, ID_CHANNEL_FIRST));
    EXPECT_EQ(before + 1, pPopup->GetRecordCount());

    // Deleting a pop-up item deletes its sub-menu and the sub-menu's object.
    HMENU hFormats = ::GetSubMenu(pPopup->m_hMenu, 10);
    ASSERT_NE(nullptr, CMenu::FromHandlePermanent(hFormats));
    EXPECT_TRUE(pPopup->DeleteMenu(10, MF_BYPOSITION));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hFormats));
    EXPECT_FALSE(::IsMenu(hFormats));
    EXPECT_EQ(before, pPopup->GetRecordCount());
}

TEST_F(MenuObjects, ChangingAnItemsTextAndPicture)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MENU_TOOLS));
    ASSERT_TRUE(menu.ModifyODMenu("设置", ID_SETTINGS, IDTB_MENU_ICONS));
    CNewMenuItemData* pData = RecordOf(menu, ID_SETTINGS);
    ASSERT_NE(nullptr, pData);
    EXPECT_STREQ("设置", pData->m_szMenuText);
    EXPECT_EQ(24, pData->m_nMenuIconOffset);
    ASSERT_TRUE(menu.ModifyODMenu(nullptr, ID_SETTINGS, -1));
    EXPECT_EQ(nullptr, pData->m_pMenuIcon);
    // A command that is not there yet is appended to the menu.
    ASSERT_TRUE(menu.ModifyODMenu("退出", ID_EXIT, IDTB_MENU_ICONS));
    CNewMenuItemData* pExit = RecordOf(menu, ID_EXIT);
    ASSERT_NE(nullptr, pExit);
    EXPECT_EQ(27, pExit->m_nMenuIconOffset);
    EXPECT_EQ(static_cast<UINT>(ID_EXIT), menu.GetMenuItemID(menu.GetMenuItemCount() - 1));
}

TEST_F(MenuObjects, PicturesFromImageListsAndBitmapsShareBitmapLists)
{
    CNewMenuIcons* pToolbar = CNewMenu::GetMenuIcons(MAKEINTRESOURCEA(IDTB_MENU_ICONS), nullptr);
    ASSERT_NE(nullptr, pToolbar);
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 701, "picture", &pToolbar->m_IconsList, 6));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 702, "another", &pToolbar->m_IconsList, 0));
    CNewMenuItemData* pFirst = menu.GetRecord(0);
    CNewMenuItemData* pSecond = menu.GetRecord(1);
    CNewMenuBitmaps* pBitmaps = DYNAMIC_DOWNCAST(CNewMenuBitmaps, pFirst->m_pMenuIcon);
    ASSERT_NE(nullptr, pBitmaps);
    EXPECT_EQ(pBitmaps, pSecond->m_pMenuIcon);
    EXPECT_EQ(0, pFirst->m_nMenuIconOffset);
    EXPECT_EQ(3, pSecond->m_nMenuIconOffset);
    // The same command's picture again replaces it in place; another size is refused.
    HICON hIcon = pToolbar->m_IconsList.ExtractIcon(9);
    EXPECT_EQ(0, pBitmaps->AddIcon(hIcon, 701));
    ::DestroyIcon(hIcon);
    CImageList large;
    large.Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 0);
    HICON hLarge = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    large.Add(hLarge);
    HICON hLargeCopy = large.ExtractIcon(0);
    EXPECT_EQ(-1, pBitmaps->AddIcon(hLargeCopy, 703));
    ::DestroyIcon(hLargeCopy);
    EXPECT_EQ(6, pBitmaps->m_IconsList.GetImageCount());
}

}  // namespace

// The panel's skins and hot keys on the live panel: the next-skin command walks the shipped skins
// (each one's look saved for a person to see), dresses the colour panel and docks it; the hot keys
// come from "Accel" or from the defaults, are edited through the panel and work on it.
#include "PanelWindowsFixture.h"

#include "resources/ResourceIds.h"
#include "skin/DialogShape.h"
#include "skin/DialogSkin.h"
#include "ui/settings/KeyNames.h"
#include "ui/settings/VideoAdjustDlg.h"

namespace
{
CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The shipped skins: the built-in one and the three of the skin list.
class PanelSkins : public PanelWindows
{
protected:
    void PrepareFolder() override
    {
        CopyProgramFile("SkinSet.ini");
        for (const char* skin : { "One", "Two", "Three" })
        {
            const std::string folderName = std::string("Skins\\") + skin;
            WIN32_FIND_DATAA data;
            HANDLE find = ::FindFirstFileA((folderName + "\\*").c_str(), &data);
            ASSERT_NE(INVALID_HANDLE_VALUE, find) << skin;
            do
            {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    CopyProgramFile(folderName + "\\" + data.cFileName);
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
    }
};

// Only the built-in skin.
class PanelOneSkin : public PanelWindows
{
};

// The default key table, then keys pressed in the video window as a user presses them.
class PanelHotKeys : public PanelWindows
{
protected:
    static void Press(UINT key)
    {
        Key(Video().m_hWnd, key);
        desktop::Pump();
    }
};
}  // namespace

TEST_F(PanelSkins, NextSkinWalksTheListAndDressesBothPanels)
{
    ASSERT_STREQ("BaseSkin", engine->GetSkinName());
    ASSERT_EQ(4, static_cast<int>(engine->GetSkinNames().GetCount()));
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    ASSERT_NE(nullptr, adjust.m_hWnd);
    ASSERT_NE(nullptr, Panel().GetColorSkin());
    EXPECT_EQ(Panel().GetColorSkin()->FindControl(IDC_ADJUST_BRIGHTNESS),
              CWnd::FromHandlePermanent(::GetDlgItem(adjust.m_hWnd, IDC_ADJUST_BRIGHTNESS)));

    const struct
    {
        const char* name;
        int dx;  // where the colour panel docks: from the panel's left or right edge
        bool fromRight;
        int dy;
    } steps[] = {
        { "One", 0, true, 0 }, { "Two", 7, false, 13 }, { "Three", -75, true, 0 }, { "BaseSkin", 0, true, 0 },
    };
    Shot(Panel().m_hWnd, "panel-skin-BaseSkin");
    const CString channel = Panel().GetPanelText(IDC_PANEL_CHANNEL_TEXT);
    ASSERT_EQ("2 Channel Five", std::string(channel));
    int left = 50;
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.name);
        CDialogSkin* pBefore = Panel().GetSkin();
        adjust.Show(TRUE);
        Command(ID_NEXT_SKIN);
        EXPECT_STREQ(step.name, engine->GetSkinName());
        EXPECT_NE(pBefore, Panel().GetSkin());
        EXPECT_TRUE(Panel().IsWindowVisible());
        // The new skin's display shows the channel and the clock at once.
        EXPECT_EQ(channel, Panel().GetPanelText(IDC_PANEL_CHANNEL_TEXT));
        EXPECT_EQ(8, Panel().GetPanelText(IDC_PANEL_CLOCK).GetLength());
        // The next skin hides the colour panel.
        EXPECT_FALSE(adjust.IsWindowVisible());
        // The panel takes the skin's shape and size.
        CRect window;
        Panel().GetWindowRect(&window);
        ASSERT_NE(nullptr, Panel().GetSkin()->GetShape());
        EXPECT_EQ(Panel().GetSkin()->GetShape()->GetSize().cx, window.Width());
        EXPECT_EQ(Panel().GetSkin()->GetShape()->GetSize().cy, window.Height());
        HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(Panel().m_hWnd, outline));
        ::DeleteObject(outline);
        // The colour panel wears the skin's own colour skin.
        ASSERT_NE(nullptr, Panel().GetColorSkin());
        EXPECT_EQ(7, Panel().GetColorSkin()->GetControlCount());
        EXPECT_EQ(Panel().GetColorSkin()->FindControl(IDC_ADJUST_SHARPNESS),
                  CWnd::FromHandlePermanent(::GetDlgItem(adjust.m_hWnd, IDC_ADJUST_SHARPNESS)));

        // Shown and moved with the panel, the colour panel docks where the skin wants it.
        adjust.Show(TRUE);
        left += 10;
        Panel().SetWindowPos(nullptr, left, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        desktop::Pump();
        Panel().GetWindowRect(&window);
        CRect docked;
        adjust.GetWindowRect(&docked);
        EXPECT_EQ((step.fromRight ? window.right : window.left) + step.dx, docked.left);
        EXPECT_EQ(window.top + step.dy, docked.top);
        Shot(Panel().m_hWnd, std::string("panel-skin-") + step.name);
        Shot(adjust.m_hWnd, std::string("colour-skin-") + step.name);
        // Hiding the panel hides the colour panel.
        Panel().ShowWindow(SW_HIDE);
        EXPECT_FALSE(adjust.IsWindowVisible());
        Panel().ShowWindow(SW_SHOW);
    }
}

TEST_F(PanelSkins, ASkinWhoseLibraryIsMissingLeavesTheCurrentOne)
{
    ASSERT_TRUE(::DeleteFileA((folder + "\\Skins\\One\\One.dll").c_str()));
    CDialogSkin* pBefore = Panel().GetSkin();
    EXPECT_FALSE(Panel().LoadSkin("One"));
    EXPECT_EQ(pBefore, Panel().GetSkin());
    Command(ID_NEXT_SKIN);
    EXPECT_STREQ("BaseSkin", engine->GetSkinName());
    EXPECT_EQ(pBefore, Panel().GetSkin());
    EXPECT_FALSE(Panel().LoadSkin("NoSuchSkin"));
}

TEST_F(PanelOneSkin, NextSkinWithASingleSkinChangesNothing)
{
    ASSERT_EQ(1, static_cast<int>(engine->GetSkinNames().GetCount()));
    CDialogSkin* pBefore = Panel().GetSkin();
    Command(ID_NEXT_SKIN);
    EXPECT_STREQ("BaseSkin", engine->GetSkinName());
    EXPECT_EQ(pBefore, Panel().GetSkin());
}

TEST_F(PanelHotKeys, DefaultsAreWrittenAndTheKeysWorkOnThePanel)
{
    const std::string accel = folder + "\\Accel";
    // No file at the start: the defaults were filled and written.
    ASSERT_FALSE(ReadBytes(accel).empty());
    CHotKeyTable& table = Panel().GetHotKeyTable();
    EXPECT_EQ(2, table.GetGroupCount());
    EXPECT_EQ(29, table.GetCommandCount());
    EXPECT_EQ(32, table.GetKeyCount());
    ASSERT_NE(nullptr, Panel().GetAccelerators());
    // The head binding is the last one added: Ctrl+N for the messenger.
    POSITION pos = table.GetFirstKeyPosition();
    ACCEL head = table.GetNextKey(pos)->GetAccel();
    EXPECT_EQ(4236, head.cmd);
    EXPECT_EQ('N', head.key);
    EXPECT_EQ(FVIRTKEY | FCONTROL, head.fVirt);

    // "T" in the video window reaches the panel's table: the video window goes on top and back.
    ASSERT_FALSE(Video().IsTopMost());
    Press('T');
    EXPECT_TRUE(Video().IsTopMost());
    Press('T');
    EXPECT_FALSE(Video().IsTopMost());

    // A damaged file is replaced by the defaults at the next load.
    WriteBytes(accel, std::string("\x02\x00\x05", 3));
    Panel().LoadHotKeys();
    EXPECT_EQ(32, table.GetKeyCount());
    EXPECT_GT(ReadBytes(accel).size(), 3u);
}

TEST_F(PanelHotKeys, EditedKeysAreSavedAndWithoutBindingsNoKeyActs)
{
    CHotKeyTable& table = Panel().GetHotKeyTable();
    const CString topmost = Text(33919);
    ASSERT_FALSE(topmost.IsEmpty());
    // Ctrl+B belongs to the previous channel already; Ctrl+Shift+Q is free.
    EXPECT_FALSE(Panel().AddHotKey(topmost, 'B', FALSE, TRUE, FALSE));
    EXPECT_FALSE(Panel().AddHotKey("no such command", 'Q', FALSE, TRUE, TRUE));
    ASSERT_TRUE(Panel().AddHotKey(topmost, 'Q', FALSE, TRUE, TRUE));
    EXPECT_TRUE(Panel().RemoveHotKey(topmost, FormatKeyText(FVIRTKEY, 'T')));
    EXPECT_FALSE(Panel().RemoveHotKey(topmost, FormatKeyText(FVIRTKEY, 'T')));
    ASSERT_TRUE(Panel().SaveHotKeys());
    Panel().LoadHotKeys();
    EXPECT_EQ(32, table.GetKeyCount());
    EXPECT_EQ(32894u, table.FindCommand(topmost));
    bool found = false;
    for (POSITION pos = table.GetFirstKeyPosition(); pos;)
    {
        ACCEL accel = table.GetNextKey(pos)->GetAccel();
        found |= accel.cmd == 32894 && accel.key == 'Q' && accel.fVirt == (FVIRTKEY | FCONTROL | FSHIFT);
        EXPECT_FALSE(accel.cmd == 32894 && accel.key == 'T' && accel.fVirt == FVIRTKEY);
    }
    EXPECT_TRUE(found);
    Key(Video().m_hWnd, 'T');
    EXPECT_FALSE(Video().IsTopMost());

    // With every binding removed there is no table at all, so a removed key acts no more.
    ASSERT_TRUE(Panel().AddHotKey(topmost, 'T', FALSE, FALSE, FALSE));
    Panel().RebuildAccelerators();
    Key(Video().m_hWnd, 'T');
    ASSERT_TRUE(Video().IsTopMost());
    Key(Video().m_hWnd, 'T');
    ASSERT_FALSE(Video().IsTopMost());
    while (table.GetKeyCount() > 0)
    {
        POSITION pos = table.GetFirstKeyPosition();
        const CHotKeyItem* pItem = table.GetNextKey(pos);
        CString name;
        for (int i = 0; i < table.GetCommandCount(); ++i)
            if (table.GetCommand(i).command == pItem->GetAccel().cmd)
                name = table.GetCommand(i).name;
        ASSERT_TRUE(Panel().RemoveHotKey(name, pItem->GetKeyText()));
    }
    Panel().RebuildAccelerators();
    EXPECT_EQ(nullptr, Panel().GetAccelerators());
    Key(Video().m_hWnd, 'T');
    EXPECT_FALSE(Video().IsTopMost());
}

// The storage, programme-guide and interface pages of the settings sheet over the real engine on
// the simulated card, driven as a user drives them: the check combo of drives, the in-place
// drop-down of programme files, the hot-key capture edit and the skin choice. Each page loads the
// engine's state, applies on OK and (where it changes things at once) restores on Cancel; a
// value the page refuses keeps the sheet open.
#include "tests/ui/settings/sheet/SheetFixture.h"

#include <algorithm>
#include <memory>

#include "foundation/PathUtils.h"
#include "skin/EditListCtrl.h"
#include "ui/settings/HotKeyItem.h"

namespace {

void PressKeys(HWND target, std::initializer_list<WORD> down)
{
    desktop::Keyboard keyboard(target);
    for (WORD key : down)
        keyboard.Down(key);
    for (auto it = std::rbegin(down); it != std::rend(down); ++it)
        keyboard.Up(*it);
}

// A real click in the middle of a control of the page.
void ClickControl(CWnd& page, int nID)
{
    CWnd* pControl = page.GetDlgItem(nID);
    CRect rect;
    pControl->GetClientRect(&rect);
    desktop::Click(pControl->m_hWnd, 6, rect.Height() / 2);
}

void ClickListItem(CListBox& list, int index)
{
    CRect item;
    list.GetItemRect(index, &item);
    desktop::Click(list.m_hWnd, item.CenterPoint().x, item.CenterPoint().y);
}

bool HasBox(const MessageBoxAnswerer& answerer, UINT textId)
{
    CString text;
    text.LoadString(textId);
    for (const auto& box : answerer.boxes)
        if (box.text == std::string(text))
            return true;
    return false;
}

class SettingsPages : public SettingsSheet
{
protected:
    void SetUp() override
    {
        SettingsSheet::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        m_engine.reset(new CTVEngine(folder.c_str()));
        CTVEngine& engine = *m_engine;
        ASSERT_TRUE(Start(engine));
        ASSERT_TRUE(engine.GetDriveList().Refresh());
        ASSERT_GT(engine.GetDriveList().GetCount(), 0);
        root = std::string(engine.GetDriveList().GetAt(0)->GetRoot());
    }
    void Bring(CPropSheet& sheet)
    {
        sheet.SetWindowPos(&CWnd::wndTopMost, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        sheet.SetForegroundWindow();
        desktop::Pump();
    }
    void TearDown() override
    {
        m_engine.reset();
        SettingsSheet::TearDown();
    }
    std::unique_ptr<CTVEngine> m_engine;
    std::string root;
};

// ---- storage page ----

TEST_F(SettingsPages, StorageShowsTheDrivesAndRefusesOutOfRangeValuesUntilTheyAreMended)
{
    CTVEngine& engine = *m_engine;
    engine.ValidDisk.RemoveAll();
    engine.ValidDisk.Add(root.c_str());
    engine.CurDisk = root.c_str();
    // The record sub-folder is made on the disk in use: here a folder of the test's own.
    const std::string disk = folder + "\\";
    MessageBoxAnswerer answerer;
    CStepSheet sheet;
    sheet.AddAllPages();
    CStoragePage& page = sheet.m_StoragePage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            CListCtrl& list = page.GetDriveList();
            ASSERT_EQ(engine.GetDriveList().GetCount(), list.GetItemCount());
            EXPECT_EQ(root, std::string(list.GetItemText(0, 0)));
            CString total;
            total.Format("%10d MB", engine.GetDriveList().GetAt(0)->GetTotalMB());
            EXPECT_STREQ(total, list.GetItemText(0, 1));
            EXPECT_NE(-1, list.GetItemText(0, 2).Find("%"));
            EXPECT_EQ(LVIS_SELECTED, list.GetItemState(0, LVIS_SELECTED));
            CCheckComboBox& drives = page.GetDriveChoice();
            ASSERT_EQ(list.GetItemCount(), drives.GetCount());
            EXPECT_TRUE(drives.GetCheck(0));
            EXPECT_EQ("90", ItemText(page, IDC_STORAGE_MAX_LENGTH));
            EXPECT_EQ("300", ItemText(page, IDC_STORAGE_RESERVED));
            EXPECT_EQ("Video", ItemText(page, IDC_STORAGE_FOLDER));
            // Both settings 0: go on, on the next disk and in a new file.
            EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_STORAGE_NO_SPACE_NEXT));
            EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_STORAGE_EXCESS_NEXT));
            Shoot(sheet, "storage");
            page.SetDlgItemText(IDC_STORAGE_RESERVED, "199");
            sheet.PressButton(PSBTN_OK);
        },
        [&] {
            EXPECT_TRUE(IsOpen(sheet));
            // The framework's range message names the bounds.
            ASSERT_FALSE(answerer.boxes.empty());
            EXPECT_NE(std::string::npos, answerer.boxes.back().text.find("200")) << answerer.boxes.back().text;
            EXPECT_NE(std::string::npos, answerer.boxes.back().text.find("600")) << answerer.boxes.back().text;
            EXPECT_EQ(300, engine.ReservedSpace);
            page.SetDlgItemText(IDC_STORAGE_RESERVED, "601");
            sheet.PressButton(PSBTN_OK);
        },
        [&] {
            EXPECT_TRUE(IsOpen(sheet));
            page.SetDlgItemText(IDC_STORAGE_RESERVED, "400");
            page.SetDlgItemText(IDC_STORAGE_MAX_LENGTH, "4");
            sheet.PressButton(PSBTN_OK);
        },
        [&] {
            EXPECT_TRUE(IsOpen(sheet));
            page.SetDlgItemText(IDC_STORAGE_MAX_LENGTH, "121");
            sheet.PressButton(PSBTN_OK);
        },
        [&] {
            EXPECT_TRUE(IsOpen(sheet));
            EXPECT_EQ(90, engine.MaxLength);
            EXPECT_EQ(300, engine.ReservedSpace);
            answerer.boxes.clear();
            engine.CurDisk = disk.c_str();
            page.SetDlgItemText(IDC_STORAGE_MAX_LENGTH, "60");
            page.SetDlgItemText(IDC_STORAGE_FOLDER, "Rec2");
            ClickControl(page, IDC_STORAGE_EXCESS_STOP);
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(60, engine.MaxLength);
    EXPECT_EQ(400, engine.ReservedSpace);
    EXPECT_EQ(1, engine.ExcessLength);
    EXPECT_EQ(0, engine.NoSpace);
    EXPECT_STREQ("Rec2", engine.GetVideoFolder());
    EXPECT_TRUE(DirectoryExists((disk + "Rec2").c_str()));
}

TEST_F(SettingsPages, StorageDrivesAreCheckedInTheComboAndNoDriveAtAllIsRefused)
{
    CTVEngine& engine = *m_engine;
    engine.ValidDisk.RemoveAll();
    engine.ValidDisk.Add(root.c_str());
    MessageBoxAnswerer answerer;
    CStepSheet sheet;
    sheet.AddAllPages();
    CStoragePage& page = sheet.m_StoragePage;
    HWND list = nullptr;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            CCheckComboBox& drives = page.GetDriveChoice();
            CRect rect;
            drives.GetClientRect(&rect);
            desktop::Click(drives.m_hWnd, rect.right - 8, rect.Height() / 2);
            ASSERT_TRUE(desktop::PumpUntil([&] { return drives.GetDroppedState() && drives.GetListWindow(); }));
            list = drives.GetListWindow();
            CScreenShot::OfClient(list).Save(std::string(ONDRIX_BINARY_DIR) + "/settings-storage-drives.bmp");
            // The only allowed drive unchecked: the list stays open.
            RECT item;
            ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
            desktop::Click(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
            ASSERT_TRUE(desktop::PumpUntil([&] { return !drives.GetCheck(0); }));
            EXPECT_TRUE(drives.GetDroppedState());
            EXPECT_TRUE(page.AreDrivesChanged());
            EXPECT_EQ("", ItemText(page, IDC_STORAGE_DRIVES));
            // Closing the list with no drive checked is refused with a notice.
            drives.ShowDropDown(FALSE);
            ASSERT_TRUE(desktop::PumpUntil([&] { return HasBox(answerer, IDS_NO_DRIVE_CHOSEN); }));
            EXPECT_FALSE(page.AreDrivesChanged());
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    ASSERT_EQ(1, engine.ValidDisk.GetSize());
    EXPECT_STREQ(root.c_str(), engine.ValidDisk[0]);
}

// ---- programme-guide page ----

TEST_F(SettingsPages, ProgrammeFilesArePickedInPlaceAndStoredOnOk)
{
    CTVEngine& engine = *m_engine;
    const std::string guide = folder + "\\EPG\\";
    ASSERT_TRUE(CreateDirectoryPath(guide.c_str()));
    WriteBytes(guide + "One.txt", "1");
    WriteBytes(guide + "Two.txt", "2");
    engine.SetEpgFolder(guide.c_str());
    engine.ReplaceEpgMapEntry("Channel 1", "One.txt");
    engine.ReplaceEpgMapEntry("Channel Five", "Gone.txt");
    engine.ShowEPGInfo = FALSE;
    engine.ShowEPGTime = 7;
    CStepSheet sheet;
    sheet.AddAllPages();
    CEPGPage& page = sheet.m_EPGPage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            CEditListCtrl& list = page.GetList();
            const CChannelTable& table = engine.GetTVTable();
            ASSERT_EQ(table.GetCount(), list.GetItemCount());
            EXPECT_STREQ("Channel 1", list.GetItemText(0, 0));
            EXPECT_STREQ("One.txt", list.GetItemText(0, 1));
            // The file that is no longer in the folder shows as none.
            EXPECT_STREQ("Channel Five", list.GetItemText(1, 0));
            EXPECT_STREQ("", list.GetItemText(1, 1));
            EXPECT_EQ(BST_UNCHECKED, page.IsDlgButtonChecked(IDC_EPG_SHOW_INFO));
            EXPECT_EQ("7", ItemText(page, IDC_EPG_SHOW_TIME));
            EXPECT_EQ(guide, ItemText(page, IDC_EPG_FOLDER));
            Shoot(sheet, "epg");

            // A click on the file cell of the last row: it becomes the current channel and the
            // drop-down offers no file and the folder's files.
            CRect bounds;
            list.GetItemRect(2, &bounds, LVIR_BOUNDS);
            const int x = bounds.left + list.GetColumnWidth(0) + list.GetColumnWidth(1) / 2;
            desktop::Click(list.m_hWnd, x, bounds.CenterPoint().y);
            ASSERT_TRUE(desktop::PumpUntil([] {
                CInPlaceCombo* p = CInPlaceCombo::PeekInstance();
                return p && p->m_hWnd;
            }));
            EXPECT_EQ(table.GetChannel(2), engine.GetTVTable().GetCurrentChannel());
            CInPlaceCombo* pCombo = CInPlaceCombo::PeekInstance();
            ASSERT_EQ(3, pCombo->GetCount());
            CString choice;
            pCombo->GetLBText(2, choice);
            EXPECT_STREQ("Two.txt", choice);
            Shoot(sheet, "epg-choice");
        },
        [&] {
            CInPlaceCombo* pCombo = CInPlaceCombo::PeekInstance();
            if (pCombo && pCombo->m_hWnd)
            {
                pCombo->SetFocus();
                desktop::Keyboard keys(pCombo->m_hWnd);
                for (WORD key : { VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN })
                {
                    keys.Down(key);
                    keys.Up(key);
                }
            }
            ASSERT_TRUE(desktop::PumpUntil([] {
                CInPlaceCombo* p = CInPlaceCombo::PeekInstance();
                return !p || !p->m_hWnd;
            }));
            EXPECT_STREQ("Two.txt", page.GetList().GetItemText(2, 1));
            EXPECT_TRUE(page.IsModified());
            page.CheckDlgButton(IDC_EPG_SHOW_INFO, BST_CHECKED);
            page.SetDlgItemText(IDC_EPG_SHOW_TIME, "12");
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    CString file;
    EXPECT_TRUE(engine.LookupEpgFile("News, Sport", file));
    EXPECT_STREQ("Two.txt", file);
    EXPECT_TRUE(engine.LookupEpgFile("Channel 1", file));
    EXPECT_STREQ("One.txt", file);
    // The vanished file was shown as none, and none is what is stored.
    EXPECT_TRUE(engine.LookupEpgFile("Channel Five", file));
    EXPECT_STREQ("", file);
    EXPECT_TRUE(engine.ShowEPGInfo);
    EXPECT_EQ(12u, engine.ShowEPGTime);
}

TEST_F(SettingsPages, AChosenProgrammeFolderIsKeptInTheRegistryAtOnce)
{
    CTVEngine& engine = *m_engine;
    const std::string guide = folder + "\\Guide";
    ASSERT_TRUE(CreateDirectoryPath(guide.c_str()));
    WriteBytes(guide + "\\Only.txt", "1");
    CStepSheet sheet;
    sheet.AddAllPages();
    CEPGPage& page = sheet.m_EPGPage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            page.UseEpgFolder(guide.c_str());
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(guide + "\\", std::string(engine.GetEpgFolder()));
    EXPECT_EQ(guide + "\\", MachineValue(kCommonKey, "EpgUnzipPath"));
}

// ---- interface page ----

// The control panel's part of the page: its skin loads are recorded, the hot keys are the
// stand-in's table kept in the test's "Accel".
struct SkinPanel : CSettingsPanel
{
    std::vector<std::string> loads;
    int hotKeysOff = 0;
    BOOL LoadSkin(LPCSTR pszName) override
    {
        loads.push_back(pszName);
        return TRUE;
    }
    void EnableHotKeys(BOOL bEnable) override { hotKeysOff += bEnable ? 0 : 1; }
};

int CommandIndex(const CHotKeyTable& table, WORD command)
{
    for (int i = 0; i < table.GetCommandCount(); ++i)
        if (table.GetCommand(i).command == command)
            return i;
    return -1;
}

std::vector<std::string> ListTexts(CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString text;
        list.GetText(i, text);
        texts.push_back(std::string(text));
    }
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const char* text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class InterfacePage : public SettingsPages
{
protected:
    void SetUp() override
    {
        SettingsPages::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        SetSettingsPanel(&panel);
        // No "Accel" yet: the defaults, written to the file.
        panel.LoadHotKeys();
        ASSERT_TRUE(FileExists((folder + "\\Accel").c_str()));
        m_engine->m_SkinNames.AddTail("Two");
        defaultSkin = std::string(m_engine->GetSkinName());
    }
    SkinPanel panel;
    std::string defaultSkin;
};

TEST_F(InterfacePage, HotKeysAreEditedLiveAndCancelReadsTheFileAgain)
{
    CTVEngine& engine = *m_engine;
    MessageBoxAnswerer answerer;
    const BOOL trayAtStart = engine.AutoStartTray;
    CStepSheet sheet;
    sheet.AddAllPages();
    CInterfacePage& page = sheet.m_InterfacePage;
    const CHotKeyTable& table = panel.GetHotKeyTable();
    const int lastChannel = CommandIndex(table, 1008);
    ASSERT_NE(-1, lastChannel);
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            EXPECT_EQ(table.GetCommandCount(), page.GetCommandList().GetCount());
            EXPECT_EQ(2, page.GetSkinList().GetCount());
            EXPECT_EQ(0, page.GetSkinList().GetCurSel());
            EXPECT_EQ(0, page.GetSkinCombo().GetCurSel());
            ClickListItem(page.GetCommandList(), lastChannel);
            ASSERT_TRUE(desktop::PumpUntil([&] { return page.GetKeyList().GetCount() > 0; }));
            EXPECT_EQ(std::vector<std::string>{ "Ctrl+B" }, ListTexts(page.GetKeyList()));
            EXPECT_EQ(std::string(table.GetCommand(lastChannel).description), ItemText(page, IDC_UI_DESCRIPTION));
            Shoot(sheet, "interface");

            // Ctrl+B is taken.
            CHotKeyEdit& edit = page.GetHotKeyEdit();
            edit.SetFocus();
            PressKeys(edit.m_hWnd, { VK_CONTROL, 'B' });
            Click(page, IDC_UI_ADD_KEY);
            EXPECT_TRUE(HasBox(answerer, IDS_HOTKEY_ALREADY_BOUND));
            // Ctrl+Shift+Q is free: bound at once, in the panel's live table.
            PressKeys(edit.m_hWnd, { VK_CONTROL, VK_SHIFT, 'Q' });
            Click(page, IDC_UI_ADD_KEY);
            EXPECT_TRUE(Contains(ListTexts(page.GetKeyList()), "Ctrl+Shift+Q"));
            EXPECT_EQ(edit.m_hWnd, ::GetFocus());
            EXPECT_TRUE(page.IsModified());
            // Modifiers alone name no key.
            desktop::Keyboard keyboard(edit.m_hWnd);
            keyboard.Down(VK_CONTROL);
            Click(page, IDC_UI_ADD_KEY);
            keyboard.Up(VK_CONTROL);
            EXPECT_TRUE(HasBox(answerer, IDS_HOTKEY_EMPTY));
            // Remove without a key chosen.
            page.GetKeyList().SetCurSel(-1);
            Click(page, IDC_UI_REMOVE_KEY);
            EXPECT_TRUE(HasBox(answerer, IDS_HOTKEY_NO_KEY_SELECTED));

            // The tray check box the user clicked keeps its state when another command is chosen.
            const UINT tray = page.IsDlgButtonChecked(IDC_UI_TRAY_AUTOSTART);
            ClickControl(page, IDC_UI_TRAY_AUTOSTART);
            ASSERT_NE(tray, page.IsDlgButtonChecked(IDC_UI_TRAY_AUTOSTART));
            ClickListItem(page.GetCommandList(), 0);
            EXPECT_NE(tray, page.IsDlgButtonChecked(IDC_UI_TRAY_AUTOSTART));
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    // Cancel read "Accel" again: the new binding is gone, the old ones are there.
    ACCEL accel = { FVIRTKEY | FCONTROL | FSHIFT, 'Q', 1008 };
    CHotKeyTable& live = panel.GetHotKeyTable();
    EXPECT_TRUE(live.AddKey(accel, 0));
    accel = { FVIRTKEY | FCONTROL, 'B', 1008 };
    EXPECT_FALSE(live.AddKey(accel, 0));
    panel.LoadHotKeys();
    EXPECT_GE(panel.hotKeysOff, 1);
    EXPECT_EQ(trayAtStart, engine.AutoStartTray);
}

TEST_F(InterfacePage, OkWritesTheHotKeysToTheAccelFile)
{
    CStepSheet sheet;
    sheet.AddAllPages();
    CInterfacePage& page = sheet.m_InterfacePage;
    const int lastChannel = CommandIndex(panel.GetHotKeyTable(), 1008);
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            ClickListItem(page.GetCommandList(), lastChannel);
            ASSERT_TRUE(desktop::PumpUntil([&] { return page.GetKeyList().GetCount() > 0; }));
            CHotKeyEdit& edit = page.GetHotKeyEdit();
            edit.SetFocus();
            PressKeys(edit.m_hWnd, { VK_CONTROL, VK_SHIFT, 'Q' });
            Click(page, IDC_UI_ADD_KEY);
            // The old Ctrl+B removed.
            page.GetKeyList().SelectString(-1, "Ctrl+B");
            Click(page, IDC_UI_REMOVE_KEY);
            EXPECT_EQ(std::vector<std::string>{ "Ctrl+Shift+Q" }, ListTexts(page.GetKeyList()));
            sheet.PressButton(PSBTN_OK);
        },
    };
    EXPECT_EQ(IDOK, sheet.DoModal());
    CHotKeyTable stored;
    ASSERT_TRUE(stored.LoadFile((folder + "\\Accel").c_str()));
    ACCEL accel = { FVIRTKEY | FCONTROL | FSHIFT, 'Q', 1008 };
    EXPECT_FALSE(stored.AddKey(accel, 0));
    accel = { FVIRTKEY | FCONTROL, 'B', 1008 };
    EXPECT_TRUE(stored.AddKey(accel, 0));
}

TEST_F(InterfacePage, APickedSkinAppliesAtOnceAndCancelPutsTheOldOneBack)
{
    CTVEngine& engine = *m_engine;
    CStepSheet sheet;
    sheet.AddAllPages();
    CInterfacePage& page = sheet.m_InterfacePage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            Bring(sheet);
            ClickListItem(page.GetSkinList(), 1);
            ASSERT_TRUE(desktop::PumpUntil([&] { return !panel.loads.empty(); }));
            EXPECT_EQ(std::vector<std::string>{ "Two" }, panel.loads);
            EXPECT_STREQ("Two", engine.GetSkinName());
            // The same skin again does nothing.
            page.GetSkinCombo().SetCurSel(1);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UI_SKIN_COMBO, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(page.GetSkinCombo().m_hWnd));
            EXPECT_EQ(1u, panel.loads.size());
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ((std::vector<std::string>{ "Two", defaultSkin }), panel.loads);
    EXPECT_EQ(defaultSkin, std::string(engine.GetSkinName()));
}

} // namespace

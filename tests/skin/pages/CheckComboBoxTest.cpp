// The check combo box on a real dialog, driven with the mouse and the keyboard: clicking an item
// toggles its check and keeps the list open, Space toggles the highlighted item, and the closed
// combo shows the checked items joined by the user's list separator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "skin/CheckComboBox.h"
#include "tests/skin/pages/PageTestIds.h"
#include "tests/support/DesktopInput.h"

namespace {

class CComboHost : public CDialog
{
public:
    CComboHost() : CDialog(IDD_TEST_LIST_HOST) {}
    CCheckComboBox combo;
    int selChanges = 0;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        combo.SubclassDlgItem(IDC_TEST_COMBO, this);
        for (const char* text : { "Alpha", "Beta", "Gamma" })
            combo.AddString(text);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_TEST_COMBO && HIWORD(wParam) == CBN_SELCHANGE)
            ++selChanges;
        return CDialog::OnCommand(wParam, lParam);
    }
};

// The user's list separator as the combo joins with it.
std::string Joiner()
{
    char separator[11] = "";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator);
    std::string s = separator[0] ? separator : ";";
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s + " ";
}

std::string Text(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

class CheckCombo : public ::testing::Test
{
protected:
    CComboHost host;
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_TEST_LIST_HOST, nullptr));
        host.SetWindowPos(&CWnd::wndTopMost, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        host.SetForegroundWindow();
        desktop::Pump();
    }
    void TearDown() override
    {
        if (host.combo.GetDroppedState())
            host.combo.ShowDropDown(FALSE);
        host.DestroyWindow();
    }
    // Opens the list with a click on the combo, as a user does.
    HWND Open()
    {
        CRect rect;
        host.combo.GetClientRect(&rect);
        desktop::Click(host.combo.m_hWnd, rect.right - 8, rect.Height() / 2);
        EXPECT_TRUE(desktop::PumpUntil([&] { return host.combo.GetDroppedState() && host.combo.GetListWindow(); }));
        return host.combo.GetListWindow();
    }
    void ClickItem(HWND list, int index)
    {
        RECT item;
        ::SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        desktop::Click(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    }
};

TEST_F(CheckCombo, NothingCheckedShowsAnEmptyField)
{
    EXPECT_EQ("", Text(host.combo));
    EXPECT_EQ(0, host.combo.GetWindowTextLength());
    // No buffer: nothing copied, 0.
    EXPECT_EQ(0, host.combo.SendMessage(WM_GETTEXT, 10, 0));
}

TEST_F(CheckCombo, CheckedItemsAreJoinedByTheListSeparatorAndCutToTheBuffer)
{
    host.combo.SetCheck(0, TRUE);
    host.combo.SetCheck(2, TRUE);
    const std::string expected = "Alpha" + Joiner() + "Gamma";
    EXPECT_EQ(expected, Text(host.combo));
    EXPECT_EQ(static_cast<int>(expected.size()), host.combo.GetWindowTextLength());
    char small[4] = "";
    EXPECT_EQ(3, host.combo.SendMessage(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)));
    EXPECT_STREQ("Alp", small);
    EXPECT_LT(host.combo.SetCheck(7, TRUE), 0);
}

TEST_F(CheckCombo, ClickingAnItemTogglesItAndKeepsTheListOpen)
{
    HWND list = Open();
    ASSERT_NE(nullptr, list);
    ClickItem(list, 1);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetCheck(1) != FALSE; }));
    EXPECT_TRUE(host.combo.GetDroppedState());
    EXPECT_EQ(1, host.selChanges);
    EXPECT_EQ("Beta", Text(host.combo));
    ClickItem(list, 0);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetCheck(0) != FALSE; }));
    EXPECT_EQ("Alpha" + Joiner() + "Beta", Text(host.combo));
    // Clicking it again unchecks it.
    ClickItem(list, 1);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetCheck(1) == FALSE; }));
    EXPECT_TRUE(host.combo.GetDroppedState());
    EXPECT_EQ("Alpha", Text(host.combo));
    // Closing the list keeps the combo without a selection of its own.
    host.combo.ShowDropDown(FALSE);
    desktop::Pump();
    EXPECT_EQ(CB_ERR, host.combo.GetCurSel());
    EXPECT_EQ("Alpha", Text(host.combo));
}

TEST_F(CheckCombo, SpaceTogglesTheHighlightedItem)
{
    // Opened as the keyboard opens it (F4); the keys are what this case is about.
    host.combo.SetFocus();
    host.combo.ShowDropDown(TRUE);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetDroppedState() && host.combo.GetListWindow(); }));
    HWND list = host.combo.GetListWindow();
    // The highlight follows the mouse over the open list.
    RECT item;
    ::SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    desktop::MoveTo(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    desktop::Pump();
    ::CallWindowProcA(reinterpret_cast<WNDPROC>(::GetClassLongPtrA(list, GCLP_WNDPROC)), list, LB_SETCURSEL, 2, 0);
    desktop::Keyboard keys(list);
    keys.Down(VK_SPACE);
    keys.Up(VK_SPACE);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetCheck(2) != FALSE; }));
    EXPECT_EQ("Gamma", Text(host.combo));
    keys.Down(VK_SPACE);
    keys.Up(VK_SPACE);
    ASSERT_TRUE(desktop::PumpUntil([&] { return host.combo.GetCheck(2) == FALSE; }));
    EXPECT_TRUE(host.combo.GetDroppedState());
}

} // namespace

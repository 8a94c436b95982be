// The editable list on a real dialog, driven with the mouse and the keyboard: a click opens the
// drop-down of a choice column with the parent's choices, a double click opens the edit box of a
// text column, Enter keeps and Escape throws away the edit (both reported to the parent), the
// allowed characters, and the clicks that open nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "skin/EditListCtrl.h"
#include "tests/skin/pages/PageTestIds.h"
#include "tests/support/DesktopInput.h"

namespace {

enum
{
    kNameColumn = 0,   // read-only
    kFileColumn = 1,   // drop-down
    kNumberColumn = 2, // digits only
    kNarrowColumn = 3, // drop-down, too narrow to open
};

class CEditListHost : public CDialog
{
public:
    CEditListHost() : CDialog(IDD_TEST_EDIT_LIST_HOST) {}
    CEditListCtrl list;
    struct Edit
    {
        int item, subItem;
        std::string text;
    };
    std::vector<Edit> edits;
    std::vector<int> choiceRequests;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.SubclassDlgItem(IDC_TEST_EDIT_LIST, this);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        list.InsertColumn(kNameColumn, "Name", LVCFMT_LEFT, 90);
        list.InsertColumn(kFileColumn, "File", LVCFMT_LEFT, 110);
        list.InsertColumn(kNumberColumn, "Number", LVCFMT_LEFT, 70);
        list.InsertColumn(kNarrowColumn, "", LVCFMT_LEFT, 8);
        list.SetReadOnlyColumn(kNameColumn);
        list.SetComboColumn(kFileColumn);
        list.SetComboColumn(kNarrowColumn);
        list.SetValidChars("0123456789", kNumberColumn);
        list.SetComboVScroll(TRUE);
        for (int i = 0; i < 3; ++i)
        {
            const std::string name = "row" + std::to_string(i);
            list.InsertItem(i, name.c_str());
            list.SetItemText(i, kFileColumn, i == 0 ? "b.txt" : "");
            list.SetItemText(i, kNumberColumn, std::to_string(10 + i).c_str());
        }
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_EDITLIST_GET_CHOICES)
        {
            choiceRequests.push_back(static_cast<int>(wParam));
            CStringList* pChoices = reinterpret_cast<CStringList*>(lParam);
            for (const char* choice : { "", "c.txt", "a.txt", "b.txt" })
                pChoices->AddTail(choice);
            return 0;
        }
        if (message == WM_EDITLIST_CELL_EDITED)
        {
            const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(lParam);
            EXPECT_EQ(static_cast<WPARAM>(IDC_TEST_EDIT_LIST), wParam);
            edits.push_back({ pInfo->item.iItem, pInfo->item.iSubItem, pInfo->item.pszText ? pInfo->item.pszText : "" });
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

bool IsOpen(CWnd* pEditor)
{
    return pEditor != nullptr && pEditor->m_hWnd != nullptr && ::IsWindow(pEditor->m_hWnd);
}

bool ComboOpen()
{
    return IsOpen(CInPlaceCombo::PeekInstance());
}

bool EditOpen()
{
    return IsOpen(CInPlaceEdit::PeekInstance());
}

class EditList : public ::testing::Test
{
protected:
    CEditListHost host;
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_TEST_EDIT_LIST_HOST, nullptr));
        host.SetWindowPos(&CWnd::wndTopMost, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        host.SetForegroundWindow();
        desktop::Pump();
    }
    void TearDown() override { host.DestroyWindow(); }

    // The middle of a cell in the list's client coordinates.
    CPoint Cell(int item, int column)
    {
        CRect bounds;
        host.list.GetItemRect(item, &bounds, LVIR_BOUNDS);
        int x = bounds.left;
        for (int c = 0; c < column; ++c)
            x += host.list.GetColumnWidth(c);
        return CPoint(x + host.list.GetColumnWidth(column) / 2, (bounds.top + bounds.bottom) / 2);
    }
    void ClickCell(int item, int column)
    {
        const CPoint p = Cell(item, column);
        desktop::Click(host.list.m_hWnd, p.x, p.y);
    }
    void DoubleClickCell(int item, int column)
    {
        ClickCell(item, column);
        ClickCell(item, column);
    }
    void Select(int item)
    {
        host.list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    void Type(HWND target, std::initializer_list<WORD> keys)
    {
        desktop::Keyboard keyboard(target);
        for (WORD key : keys)
        {
            keyboard.Down(key);
            keyboard.Up(key);
        }
    }
};

TEST_F(EditList, AClickOnAChoiceCellOpensTheParentsChoicesAndEnterKeepsTheChoice)
{
    Select(0);
    ClickCell(0, kFileColumn);
    ASSERT_TRUE(desktop::PumpUntil(ComboOpen));
    CInPlaceCombo* pCombo = CInPlaceCombo::PeekInstance();
    ASSERT_EQ(1u, host.choiceRequests.size());
    EXPECT_EQ(kFileColumn, host.choiceRequests[0]);
    // The choices, sorted, with the cell's text selected.
    ASSERT_EQ(4, pCombo->GetCount());
    CString text;
    pCombo->GetLBText(1, text);
    EXPECT_STREQ("a.txt", text);
    pCombo->GetWindowText(text);
    EXPECT_STREQ("b.txt", text);
    EXPECT_EQ(pCombo->m_hWnd, ::GetFocus());
    // The drop-down reaches well below the cell.
    CRect cell, dropped;
    host.list.GetItemRect(0, &cell, LVIR_BOUNDS);
    pCombo->GetDroppedControlRect(&dropped);
    EXPECT_GT(dropped.Height(), 3 * cell.Height());

    Type(pCombo->m_hWnd, { VK_DOWN, VK_RETURN });
    ASSERT_TRUE(desktop::PumpUntil([] { return !ComboOpen(); }));
    EXPECT_STREQ("c.txt", host.list.GetItemText(0, kFileColumn));
    ASSERT_EQ(1u, host.edits.size());
    EXPECT_EQ(0, host.edits[0].item);
    EXPECT_EQ(kFileColumn, host.edits[0].subItem);
    EXPECT_EQ("c.txt", host.edits[0].text);
    EXPECT_EQ(host.list.m_hWnd, ::GetFocus());
}

TEST_F(EditList, EscapeInTheDropDownPutsThePreviousTextBack)
{
    Select(0);
    ClickCell(0, kFileColumn);
    ASSERT_TRUE(desktop::PumpUntil(ComboOpen));
    Type(CInPlaceCombo::PeekInstance()->m_hWnd, { VK_UP, VK_ESCAPE });
    ASSERT_TRUE(desktop::PumpUntil([] { return !ComboOpen(); }));
    EXPECT_STREQ("b.txt", host.list.GetItemText(0, kFileColumn));
    ASSERT_EQ(1u, host.edits.size());
    EXPECT_EQ("b.txt", host.edits[0].text);
}

TEST_F(EditList, ADoubleClickEditsTheTextTakingOnlyTheAllowedCharacters)
{
    Select(1);
    DoubleClickCell(1, kNumberColumn);
    ASSERT_TRUE(desktop::PumpUntil(EditOpen));
    CInPlaceEdit* pEdit = CInPlaceEdit::PeekInstance();
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_STREQ("11", text);
    int start = -1, end = -1;
    pEdit->GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(2, end);
    // A letter is refused; digits replace the selection; Enter keeps them.
    Type(pEdit->m_hWnd, { 'X', '4', '2' });
    pEdit->GetWindowText(text);
    EXPECT_STREQ("42", text);
    Type(pEdit->m_hWnd, { VK_RETURN });
    ASSERT_TRUE(desktop::PumpUntil([] { return !EditOpen(); }));
    EXPECT_STREQ("42", host.list.GetItemText(1, kNumberColumn));
    ASSERT_EQ(1u, host.edits.size());
    EXPECT_EQ("42", host.edits[0].text);
    EXPECT_EQ(kNumberColumn, host.edits[0].subItem);
}

TEST_F(EditList, EscapeInTheEditBoxPutsThePreviousTextBackAndStillReports)
{
    Select(2);
    DoubleClickCell(2, kNumberColumn);
    ASSERT_TRUE(desktop::PumpUntil(EditOpen));
    HWND edit = CInPlaceEdit::PeekInstance()->m_hWnd;
    Type(edit, { '7', VK_ESCAPE });
    ASSERT_TRUE(desktop::PumpUntil([] { return !EditOpen(); }));
    EXPECT_STREQ("12", host.list.GetItemText(2, kNumberColumn));
    ASSERT_EQ(1u, host.edits.size());
    EXPECT_EQ("12", host.edits[0].text);
}

TEST_F(EditList, ClicksThatOpenNothing)
{
    Select(0);
    // The read-only column: a double click opens no editor.
    DoubleClickCell(0, kNameColumn);
    desktop::Pump();
    EXPECT_FALSE(EditOpen());
    EXPECT_FALSE(ComboOpen());
    // A column narrower than 10 pixels never opens its drop-down.
    ClickCell(0, kNarrowColumn);
    desktop::Pump();
    EXPECT_FALSE(ComboOpen());
    // A click on the empty space below the rows does nothing at all: the selection stays.
    CRect last;
    host.list.GetItemRect(2, &last, LVIR_BOUNDS);
    desktop::Click(host.list.m_hWnd, 20, last.bottom + 20);
    desktop::Pump();
    EXPECT_EQ(LVIS_SELECTED, host.list.GetItemState(0, LVIS_SELECTED));
    EXPECT_TRUE(host.edits.empty());
    EXPECT_TRUE(host.choiceRequests.empty());
}

TEST_F(EditList, AClickWithShiftSelectsButOpensNoEditor)
{
    Select(0);
    INPUT shift = {};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    ::SendInput(1, &shift, sizeof shift);
    ClickCell(1, kFileColumn);
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &shift, sizeof shift);
    desktop::Pump();
    EXPECT_FALSE(ComboOpen());
    EXPECT_TRUE(host.choiceRequests.empty());
    EXPECT_EQ(LVIS_SELECTED, host.list.GetItemState(1, LVIS_SELECTED));
}

TEST(EditListColumns, ValidCharactersAndScrollStylesFollowTheirColumns)
{
    CEditListCtrl list;
    list.SetComboColumn(4);
    EXPECT_TRUE(list.IsComboColumn(4));
    list.SetComboColumn(4, FALSE);
    EXPECT_FALSE(list.IsComboColumn(4));
    list.SetReadOnlyColumn(0);
    EXPECT_TRUE(list.IsReadOnlyColumn(0));
    EXPECT_FALSE(list.IsReadOnlyColumn(1));
}

} // namespace

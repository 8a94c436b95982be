// The drag-reorder list on a real dialog: moves keep everything a row carries, the edge rules of
// the drop place, a real mouse drag, Escape's cancel and scrolling past the list's edge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "skin/DragListCtrl.h"
#include "tests/skin/pages/PageTestIds.h"
#include "tests/support/DesktopInput.h"

namespace {

class CListHost : public CDialog
{
public:
    CListHost() : CDialog(IDD_TEST_LIST_HOST) {}
    CDragListCtrl list;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.SubclassDlgItem(IDC_TEST_LIST, this);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Number", LVCFMT_RIGHT, 80);
        return TRUE;
    }
};

class DragList : public ::testing::Test
{
protected:
    CListHost host;
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_TEST_LIST_HOST, nullptr));
        host.SetWindowPos(&CWnd::wndTopMost, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Fill(5);
    }
    void TearDown() override { host.DestroyWindow(); }
    void Fill(int n)
    {
        host.list.DeleteAllItems();
        for (int i = 0; i < n; ++i)
        {
            const std::string name = "row" + std::to_string(i);
            const int item = host.list.InsertItem(i, name.c_str());
            host.list.SetItemText(item, 1, std::to_string(i * 10).c_str());
            host.list.SetItemData(item, 100 + i);
        }
    }
    std::string Order()
    {
        std::string s;
        for (int i = 0; i < host.list.GetItemCount(); ++i)
            s += std::string(host.list.GetItemText(i, 0)).substr(3);
        return s;
    }
};

TEST_F(DragList, DropPlacesFollowTheEdgeRules)
{
    struct Row
    {
        int from, to;
        const char* order;
    } rows[] = {
        { 1, 1, "01234" },  // on itself
        { 1, 2, "01234" },  // on the row just below
        { 1, 3, "02134" },
        { 3, 0, "30124" },
        { 0, 5, "12340" },  // after the last row
        { 4, 0, "40123" },
    };
    for (const Row& row : rows)
    {
        Fill(5);
        host.list.DropItem(row.from, row.to, 0, 0);
        EXPECT_EQ(row.order, Order()) << row.from << "->" << row.to;
    }
}

TEST_F(DragList, MovedRowKeepsItsTextsDataCheckAndSelection)
{
    host.list.SetCheck(1, TRUE);
    host.list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(3, host.list.MoveItem(1, 4));
    EXPECT_EQ("02314", Order());
    EXPECT_STREQ("10", host.list.GetItemText(3, 1));
    EXPECT_EQ(101u, host.list.GetItemData(3));
    EXPECT_TRUE(host.list.GetCheck(3));
    EXPECT_FALSE(host.list.GetCheck(1));
    EXPECT_EQ(LVIS_SELECTED | LVIS_FOCUSED, host.list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED));
}

// The mouse as the user moves it: the button goes down and the first moves are queued before the
// list sees the press, so the list's drag detection finds them.
void StartDrag(HWND list, CPoint from, CPoint to)
{
    desktop::SendMouse(0, desktop::OnScreen(list, from.x, from.y));
    desktop::Pump();
    desktop::SendMouse(MOUSEEVENTF_LEFTDOWN, desktop::OnScreen(list, from.x, from.y));
    desktop::SendMouse(0, desktop::OnScreen(list, from.x, from.y + 6));
    desktop::SendMouse(0, desktop::OnScreen(list, to.x, to.y));
    desktop::Pump();
}

CRect RowRect(CListCtrl& list, int i)
{
    CRect r;
    list.GetItemRect(i, &r, LVIR_BOUNDS);
    return r;
}

TEST_F(DragList, MouseDragMovesTheRowAndDrawsTheDropLine)
{
    CDragListCtrl& list = host.list;
    const CRect r0 = RowRect(list, 0);
    const CRect r3 = RowRect(list, 3);
    StartDrag(list.m_hWnd, CPoint(60, r0.CenterPoint().y), CPoint(60, r3.top + 2));
    ASSERT_TRUE(desktop::PumpUntil([&] { return list.IsDragging() && list.GetDropTarget() == 3; }));
    EXPECT_EQ(r3.top, list.GetDropMarker().top);
    EXPECT_EQ(2, list.GetDropMarker().Height());
    desktop::Release(list.m_hWnd, 60, r3.top + 2);
    EXPECT_FALSE(list.IsDragging());
    EXPECT_EQ("12034", Order());
    EXPECT_TRUE(list.GetDropMarker().IsRectEmpty());
}

TEST_F(DragList, CancelDuringADragKeepsTheOrderAndRemovesTheLine)
{
    CDragListCtrl& list = host.list;
    const CRect r0 = RowRect(list, 0);
    const CRect r4 = RowRect(list, 4);
    StartDrag(list.m_hWnd, CPoint(60, r0.CenterPoint().y), CPoint(60, r4.bottom + 4));
    ASSERT_TRUE(desktop::PumpUntil([&] { return list.IsDragging() && list.GetDropTarget() == 5; }));
    list.CancelDrag();
    EXPECT_TRUE(list.GetDropMarker().IsRectEmpty());
    desktop::Release(list.m_hWnd, 60, r4.bottom + 4);
    EXPECT_EQ("01234", Order());
}

TEST_F(DragList, DraggingBelowTheListScrollsItDown)
{
    Fill(40);
    CDragListCtrl& list = host.list;
    CRect client;
    list.GetClientRect(&client);
    const CRect r0 = RowRect(list, 0);
    EXPECT_EQ(0, list.GetTopIndex());
    StartDrag(list.m_hWnd, CPoint(60, r0.CenterPoint().y), CPoint(60, RowRect(list, 2).top + 2));
    ASSERT_TRUE(desktop::PumpUntil([&] { return list.IsDragging(); }));
    desktop::MoveTo(list.m_hWnd, 60, client.bottom + 30);
    desktop::MoveTo(list.m_hWnd, 60, client.bottom + 31);
    EXPECT_GT(list.GetTopIndex(), 0);
    list.CancelDrag();
    desktop::Release(list.m_hWnd, 60, client.bottom + 31);
}

} // namespace

// Items and rows of the OSD menu on real child windows: the key protocol of each kind, the row's
// routing of left and right through its items, and the clamping of values.
#include <gtest/gtest.h>

#include "platform/afx/Dialog.h"
#include "ui/osd/OSDItems.h"

namespace {

HWND Parent()
{
    static HWND hwnd = ::CreateWindowExA(0, "STATIC", "items", WS_POPUP, 0, 0, 700, 60, nullptr, nullptr, nullptr, nullptr);
    return hwnd;
}

int Key(CWnd& wnd, UINT key)
{
    return static_cast<int>(wnd.SendMessage(WM_OSD_KEY, key, 0));
}

struct Row
{
    Row()
    {
        row.Create(CRect(0, 0, 600, 45), CWnd::FromHandle(Parent()), 1);
    }
    template <class Item>
    Item* Add(Item* pItem, int left)
    {
        pItem->Create(CRect(left, 0, left + 60, 40), &row, 1, "");
        row.AddItem(pItem);
        return pItem;
    }
    MItemGroup row;
};

} // namespace

TEST(OsdItems, NumberFieldsPassTheEditStateAlongTheirRow)
{
    Row r;
    MLabelItem* pCaption = r.Add(new MLabelItem, 0);
    MNumberItem* pFields[3];
    for (int i = 0; i < 3; ++i)
    {
        pFields[i] = r.Add(new MNumberItem, 100 + i * 110);
        r.Add(new MItem, 170 + i * 110);
    }
    (void)pCaption;
    // Right from the caption: the caption passes, the first field takes the edit state.
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_RIGHT));
    EXPECT_EQ(1, r.row.GetCurrentItem());
    EXPECT_TRUE(pFields[0]->IsEditing());
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_RIGHT));
    EXPECT_FALSE(pFields[0]->IsEditing());
    EXPECT_TRUE(pFields[1]->IsEditing());
    EXPECT_EQ(3, r.row.GetCurrentItem());
    // Up changes the edited field and counts as taken.
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_UP));
    EXPECT_EQ(1, pFields[1]->GetValue());
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_DOWN));
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_DOWN));
    EXPECT_EQ(0, pFields[1]->GetValue());
    // Past the last field the edit state goes back to the caption.
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_RIGHT));
    EXPECT_TRUE(pFields[2]->IsEditing());
    EXPECT_EQ(OSD_KEY_TAKEN, Key(r.row, VK_RIGHT));
    EXPECT_EQ(0, r.row.GetCurrentItem());
    EXPECT_EQ(OSD_KEY_UNHANDLED, Key(r.row, VK_RETURN));
}

TEST(OsdItems, RowOfItemsThatPassAnswersUnhandledAfterOneRound)
{
    Row r;
    r.Add(new MItem, 0);
    r.Add(new MItem, 100);
    MValueBarItem* pBar = r.Add(new MValueBarItem, 200);
    pBar->EnableKeys(FALSE);
    EXPECT_EQ(OSD_KEY_UNHANDLED, Key(r.row, VK_LEFT));
    EXPECT_EQ(0, r.row.GetCurrentItem());
    EXPECT_EQ(OSD_KEY_UNHANDLED, Key(*pBar, VK_RIGHT));
    EXPECT_EQ(0, pBar->GetValue());
}

TEST(OsdItems, ValuesKeepToTheirRanges)
{
    Row r;
    MValueBarItem* pBar = r.Add(new MValueBarItem, 0);
    pBar->SetRange(0, 255);
    pBar->SetValue(300);
    EXPECT_EQ(255, pBar->GetValue());
    pBar->SetValue(-5);
    EXPECT_EQ(0, pBar->GetValue());
    EXPECT_EQ(OSD_KEY_CONSUMED, Key(*pBar, VK_RIGHT));
    EXPECT_EQ(2, pBar->GetValue());

    MSliderItem* pSlider = r.Add(new MSliderItem, 100);
    pSlider->SetRange(10000, 14000);
    EXPECT_EQ(1, pSlider->SetStep(3000));
    EXPECT_EQ(1, pSlider->GetStep());
    pSlider->SetStep(50);
    EXPECT_EQ(50, pSlider->GetStep());
    pSlider->SetValue(13990);
    Key(*pSlider, VK_RIGHT);
    EXPECT_EQ(14000, pSlider->GetValue());

    MChoiceItem* pChoice = r.Add(new MChoiceItem, 200);
    CString text;
    pChoice->GetCurText(text);
    EXPECT_STREQ("", text);
    const LPCSTR texts[3] = { "a", "b", "c" };
    pChoice->AddStrings(texts, 3);
    Key(*pChoice, VK_LEFT);
    EXPECT_EQ(2, pChoice->GetCurSel());
    Key(*pChoice, VK_RIGHT);
    EXPECT_EQ(0, pChoice->GetCurSel());

    MLabelItem* pLabel = r.Add(new MLabelItem, 300);
    EXPECT_EQ(OSD_KEY_UNHANDLED, Key(*pLabel, VK_LEFT));
    EXPECT_EQ(OSD_KEY_CONSUMED, Key(*pLabel, VK_RIGHT));
    EXPECT_EQ(OSD_KEY_UNHANDLED, Key(*pLabel, VK_UP));
}

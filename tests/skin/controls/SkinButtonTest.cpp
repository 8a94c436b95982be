// Skinned buttons on a real dialog, driven by the mouse: the four pictures, the two-state check and
// the shape cut from the normal picture.
#include <gtest/gtest.h>

#include "skin/SkinButton.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/DesktopInput.h"

namespace {

const COLORREF kHover = RGB(0, 0, 200);
const COLORREF kNormal = RGB(200, 200, 200);
const COLORREF kPressed = RGB(200, 0, 0);
const COLORREF kDisabled = RGB(90, 90, 90);
const COLORREF kGreen = RGB(0, 255, 0);

// Key*.bmp: 30 x 20 of one colour per state; Round*.bmp the same with green corners.
void WriteKeyPictures()
{
    const char suffix[] = "HUDX";
    const COLORREF colors[] = { kHover, kNormal, kPressed, kDisabled };
    for (int i = 0; i < 4; ++i)
    {
        WriteSolidBitmap(ControlTestPath(std::string("Key") + suffix[i] + ".bmp"), 30, 20, colors[i]);
        WriteBitmap(ControlTestPath(std::string("Round") + suffix[i] + ".bmp"), 30, 20, [&](int x, int y) {
            const bool corner = (x < 4 || x >= 26) && (y < 4 || y >= 16);
            return corner ? kGreen : colors[i];
        });
    }
}

const char kButtons[] = "[Push]\nTYPE=BUTTON\nID=901\nPOSITION=10,10\nLOADFROM=1\nBMPNAME=Key\n\n"
                        "[Toggle]\nTYPE=BUTTON\nID=902\nSTYLE=1\nPOSITION=50,10\nLOADFROM=1\nBMPNAME=Key\n\n"
                        "[Shaped]\nTYPE=BUTTON\nID=903\nPOSITION=90,10\nTRANSPARENT=1\nLOADFROM=1\nBMPNAME=Round\n";

struct Buttons : SkinnedDialog
{
    Buttons() : SkinnedDialog((WriteKeyPictures(), kButtons), "Buttons.ini") {}

    // Waits until the button shows the colour in its middle.
    BOOL Shows(UINT id, COLORREF color)
    {
        HWND button = Item(id);
        return desktop::PumpUntil([&] { return desktop::PixelAt(button, 15, 10) == color; });
    }
    void Away() { desktop::MoveTo(dialog.m_hWnd, 5, 150); }
};

}  // namespace

TEST(SkinButtonTest, ShowsHoverPressedNormalAndDisabledPicturesAsTheMouseAndStateSay)
{
    Buttons d;
    ASSERT_TRUE(d.loaded);
    ASSERT_EQ(3, d.skin.GetControlCount());
    HWND push = d.Item(IDC_PUSH);
    CRect rect;
    ::GetWindowRect(push, &rect);
    d.dialog.ScreenToClient(&rect);
    EXPECT_EQ(CRect(10, 10, 40, 30), rect);
    EXPECT_TRUE(::GetWindowLongA(push, GWL_STYLE) & BS_OWNERDRAW);

    d.Away();
    EXPECT_TRUE(d.Shows(IDC_PUSH, kNormal));
    desktop::MoveTo(push, 15, 10);
    EXPECT_TRUE(d.Shows(IDC_PUSH, kHover));
    desktop::Press(push, 15, 10);
    EXPECT_TRUE(d.Shows(IDC_PUSH, kPressed));
    desktop::Release(push, 15, 10);
    EXPECT_TRUE(desktop::PumpUntil([&] { return d.dialog.clicks[IDC_PUSH] == 1; }));
    // Leaving the button brings back the normal picture.
    desktop::MoveTo(push, 15, 10);
    EXPECT_TRUE(d.Shows(IDC_PUSH, kHover));
    d.Away();
    EXPECT_TRUE(d.Shows(IDC_PUSH, kNormal));

    ::EnableWindow(push, FALSE);
    EXPECT_TRUE(d.Shows(IDC_PUSH, kDisabled));
    ::EnableWindow(push, TRUE);
    EXPECT_TRUE(d.Shows(IDC_PUSH, kNormal));
    EXPECT_EQ(1, d.dialog.clicks[IDC_PUSH]);
}

TEST(SkinButtonTest, TwoStateButtonFlipsOnReleaseInsideBeforeTheClickArrives)
{
    Buttons d;
    ASSERT_TRUE(d.loaded);
    HWND toggle = d.Item(IDC_TOGGLE);
    CSkinButton* button = d.Find<CSkinButton>(IDC_TOGGLE);
    ASSERT_TRUE(button->IsToggle());
    EXPECT_EQ(0, button->GetCheck());

    desktop::Click(toggle, 15, 10);
    ASSERT_TRUE(desktop::PumpUntil([&] { return d.dialog.clicks[IDC_TOGGLE] == 1; }));
    EXPECT_EQ(std::vector<int>{ 1 }, d.dialog.toggleAtClick);
    EXPECT_EQ(1, button->GetCheck());
    // On, it rests on the pressed picture and never shows the hover one.
    desktop::MoveTo(toggle, 16, 11);
    desktop::MoveTo(toggle, 15, 10);
    EXPECT_TRUE(d.Shows(IDC_TOGGLE, kPressed));
    d.Away();
    EXPECT_TRUE(d.Shows(IDC_TOGGLE, kPressed));

    // Released outside itself: no click, no flip.
    desktop::Press(toggle, 15, 10);
    desktop::MoveTo(d.dialog.m_hWnd, 5, 150);
    desktop::Release(d.dialog.m_hWnd, 5, 150);
    desktop::Pump();
    EXPECT_EQ(1, d.dialog.clicks[IDC_TOGGLE]);
    EXPECT_EQ(1, button->GetCheck());

    // A double click is two presses: two clicks, two flips.
    desktop::Click(toggle, 15, 10);
    desktop::Click(toggle, 15, 10);
    ASSERT_TRUE(desktop::PumpUntil([&] { return d.dialog.clicks[IDC_TOGGLE] == 3; }));
    EXPECT_EQ((std::vector<int>{ 1, 0, 1 }), d.dialog.toggleAtClick);
    d.Away();
    EXPECT_TRUE(d.Shows(IDC_TOGGLE, kPressed));
}

TEST(SkinButtonTest, TransparentButtonIsCutToItsPictureAndAPlainOneIsRectangular)
{
    Buttons d;
    ASSERT_TRUE(d.loaded);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(d.Item(IDC_SHAPED), region));
    EXPECT_FALSE(::PtInRegion(region, 1, 1));
    EXPECT_FALSE(::PtInRegion(region, 28, 18));
    EXPECT_TRUE(::PtInRegion(region, 15, 10));
    EXPECT_TRUE(::PtInRegion(region, 5, 1));
    EXPECT_EQ(ERROR, ::GetWindowRgn(d.Item(IDC_PUSH), region));
    ::DeleteObject(region);

    // A click on a cut corner reaches the dialog, not the button.
    desktop::Click(d.Item(IDC_SHAPED), 1, 1);
    desktop::Click(d.Item(IDC_SHAPED), 15, 10);
    ASSERT_TRUE(desktop::PumpUntil([&] { return d.dialog.clicks[IDC_SHAPED] >= 1; }));
    EXPECT_EQ(1, d.dialog.clicks[IDC_SHAPED]);
}

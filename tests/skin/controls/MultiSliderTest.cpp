// The multi-slider: its thumb and band laid out from the 64-bit values, and mouse sequences on a
// real dialog (clicks into and beside the band, drags past the selection, a track without length).
#include <gtest/gtest.h>

#include "skin/MultiSlider.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/DesktopInput.h"

namespace {

const COLORREF kTrack = RGB(20, 20, 80);
const COLORREF kThumb = RGB(220, 200, 0);
const COLORREF kBand = RGB(255, 255, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// Track 220 x 16; thumb 9 x 15 with transparent corners; edges 10 and 210, band on row 8, 4 high.
void WritePictures()
{
    WriteSolidBitmap(ControlTestPath("SeekTrack.bmp"), 220, 16, kTrack);
    WriteBitmap(ControlTestPath("SeekThumb.bmp"), 9, 15,
                [](int x, int y) { return (x == 0 || x == 8) && (y == 0 || y == 14) ? kGreen : kThumb; });
}

BOOL Load(CMultiSlider& slider, int startEdge, int endEdge)
{
    WritePictures();
    return slider.LoadBitmapFiles(ControlTestPath("SeekTrack.bmp").c_str(), ControlTestPath("SeekThumb.bmp").c_str(),
                                  startEdge, endEdge, 8, 4, kGreen, TRUE);
}

const char kSeek[] = "[Seek]\nTYPE=MULTISLIDER\nID=905\nPOSITION=10,40\nTRANSPARENT=1\nLOADFROM=1\n"
                     "SLIDERBMP=SeekTrack\nTHUMBBMP=SeekThumb\nSTARTEDGE=10\nENDEDGE=210\nMIDDLELINE=8\nMIDDLEHEI=4\n";

struct Seek : SkinnedDialog
{
    Seek() : SkinnedDialog((WritePictures(), kSeek), "Seek.ini"), slider(Find<CMultiSlider>(IDC_SEEK))
    {
        slider->SetRange(0, 1000, TRUE);
        slider->SetSelection(0, 500, TRUE);
        slider->SetPos(100, TRUE);
        Show();
    }
    void Show() { ::RedrawWindow(Item(IDC_SEEK), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    COLORREF At(int x, int y) const { return desktop::PixelAt(Item(IDC_SEEK), x, y); }
    CMultiSlider* slider;
};

}  // namespace

TEST(MultiSliderTest, ThumbStaysInTheSelectionAndNarrowRangesSpanOneHundredUnits)
{
    CMultiSlider slider;
    ASSERT_TRUE(Load(slider, 10, 210));
    struct Case
    {
        const char* name;
        LONGLONG minimum, maximum, start, end, position;
        int centre;  // of the thumb along the track
    } cases[] = {
        { "at the minimum", 0, 1000, 0, 1000, 0, 10 },
        { "at the maximum", 0, 1000, 0, 1000, 1000, 210 },
        { "half way", -500, 500, -500, 500, 0, 110 },
        { "narrow range stops short", 0, 50, 0, 50, 50, 110 },
        { "ninety-nine units", 0, 99, 0, 99, 99, 208 },
        { "one hundred units", 0, 100, 0, 100, 100, 210 },
        { "beyond 32 bits", 0, 40000000000LL, 0, 40000000000LL, 30000000000LL, 160 },
        { "products past 64 bits", 0, 1LL << 62, 0, 1LL << 62, 1LL << 61, 110 },
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(slider.SetRange(c.minimum, c.maximum, FALSE)) << c.name;
        ASSERT_TRUE(slider.SetSelection(c.start, c.end, FALSE)) << c.name;
        ASSERT_TRUE(slider.SetPos(c.position, FALSE)) << c.name;
        EXPECT_EQ(CRect(c.centre - 4, 1, c.centre + 5, 16), slider.GetThumbRect()) << c.name;
    }

    // The selection moves on without the position: the thumb is drawn at the selection's edge,
    // and a narrower range leaves the position where it was.
    slider.SetRange(0, 1000, FALSE);
    slider.SetSelection(200, 300, FALSE);
    slider.SetPos(250, FALSE);
    ASSERT_TRUE(slider.SetSelection(400, 500, FALSE));
    EXPECT_EQ(250, slider.GetPos());
    EXPECT_EQ(90, slider.GetThumbRect().CenterPoint().x);
    ASSERT_TRUE(slider.SetRange(0, 100, FALSE));
    EXPECT_EQ(250, slider.GetPos());

    // Refused, nothing changed.
    EXPECT_FALSE(slider.SetRange(10, 9, FALSE));
    EXPECT_EQ(100, slider.GetRangeMax());
    slider.SetSelection(20, 60, FALSE);
    EXPECT_FALSE(slider.SetSelection(-1, 50, FALSE));
    EXPECT_FALSE(slider.SetSelection(50, 101, FALSE));
    EXPECT_FALSE(slider.SetSelection(60, 50, FALSE));
    EXPECT_EQ(20, slider.GetSelectionStart());
    EXPECT_FALSE(slider.SetPos(19, FALSE));
    EXPECT_FALSE(slider.SetPos(61, FALSE));
    EXPECT_TRUE(slider.OffsetPos(1000, FALSE));
    EXPECT_EQ(60, slider.GetPos());
    EXPECT_TRUE(slider.OffsetPos(-1000, FALSE));
    EXPECT_EQ(20, slider.GetPos());
}

TEST(MultiSliderTest, ClickIntoTheBandPlacesTheThumbAndTellsTheParentOnce)
{
    Seek d;
    ASSERT_TRUE(d.loaded);
    HWND seek = d.Item(IDC_SEEK);
    CRect rect;
    ::GetWindowRect(seek, &rect);
    EXPECT_EQ(CSize(220, 16), rect.Size());
    // Band from 10 to 110 on rows 6 to 9; thumb at 30.
    EXPECT_EQ(kBand, d.At(60, 7));
    EXPECT_EQ(kTrack, d.At(60, 11));
    EXPECT_EQ(kTrack, d.At(150, 7));
    EXPECT_EQ(kThumb, d.At(30, 8));
    EXPECT_EQ(kTrack, d.At(26, 1));  // a cut corner of the thumb

    // Beside the band: nothing.
    desktop::Click(seek, 150, 8);
    EXPECT_EQ(100, d.slider->GetPos());
    EXPECT_TRUE(d.dialog.placed.empty());

    // Into it, on any row: the thumb goes there, one notification, sent while "dragging".
    desktop::Click(seek, 90, 2);
    ASSERT_TRUE(desktop::PumpUntil([&] { return d.dialog.placed.size() == 1; }));
    EXPECT_EQ(400, d.slider->GetPos());
    EXPECT_EQ(static_cast<WPARAM>(255), d.dialog.placed[0].code);
    EXPECT_EQ(d.slider, d.dialog.placed[0].from);
    EXPECT_TRUE(d.dialog.placed[0].dragging);
    EXPECT_FALSE(d.slider->IsDragging());
    EXPECT_EQ(kThumb, d.At(90, 8));
    EXPECT_EQ(kBand, d.At(30, 7));
}

TEST(MultiSliderTest, DragPastTheSelectionStopsAtItsEndAndNotifiesOnRelease)
{
    Seek d;
    ASSERT_TRUE(d.loaded);
    HWND seek = d.Item(IDC_SEEK);
    desktop::Press(seek, 30, 8);
    desktop::MoveTo(seek, 70, 8);
    EXPECT_TRUE(desktop::PumpUntil([&] { return d.slider->GetPos() == 300; }));
    EXPECT_TRUE(d.slider->IsDragging());
    desktop::MoveTo(seek, 200, 30);
    desktop::Release(seek, 200, 30);
    ASSERT_TRUE(desktop::PumpUntil([&] { return d.dialog.placed.size() == 1; }));
    EXPECT_EQ(500, d.slider->GetPos());
    EXPECT_TRUE(d.dialog.placed[0].dragging);
    EXPECT_FALSE(d.slider->IsDragging());
    d.Show();
    EXPECT_EQ(kThumb, d.At(110, 8));
    EXPECT_EQ(kTrack, d.At(150, 8));
}

TEST(MultiSliderTest, TrackWithoutLengthIgnoresTheMouse)
{
    // The parser refuses such a section; a slider loaded by hand must not divide by it either.
    CControlsDlg dialog;
    ASSERT_TRUE(dialog.Open());
    CMultiSlider slider;
    ASSERT_TRUE(Load(slider, 50, 50));
    slider.SetPosition(10, 40);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SEEK, &dialog));
    slider.SetRange(0, 1000, TRUE);
    slider.SetSelection(0, 1000, TRUE);
    slider.SetPos(500, TRUE);
    desktop::Press(slider.m_hWnd, 50, 8);
    desktop::MoveTo(slider.m_hWnd, 120, 8);
    desktop::Release(slider.m_hWnd, 120, 8);
    desktop::Click(slider.m_hWnd, 30, 8);
    desktop::Pump();
    EXPECT_EQ(500, slider.GetPos());
    slider.UnsubclassWindow();
    dialog.DestroyWindow();
}

TEST(MultiSliderTest, OwnCursorAnswersTheCursorQuestion)
{
    Seek d;
    ASSERT_TRUE(d.loaded);
    HWND seek = d.Item(IDC_SEEK);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    EXPECT_FALSE(::SendMessageA(seek, WM_SETCURSOR, reinterpret_cast<WPARAM>(seek), hit));
    HCURSOR hand = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
    d.slider->SetCursor(hand);
    EXPECT_TRUE(::SendMessageA(seek, WM_SETCURSOR, reinterpret_cast<WPARAM>(seek), hit));
    EXPECT_EQ(hand, ::GetCursor());
}

// Skinned track bars on a real dialog: the window takes the track's size and direction, the thumb
// picture stands where the track bar puts its thumb, cut to its shape, and the mouse drags it.
#include <gtest/gtest.h>

#include "skin/SkinSlider.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/DesktopInput.h"

namespace {

const COLORREF kTrack = RGB(30, 60, 120);
const COLORREF kThumb = RGB(220, 40, 40);
const COLORREF kGreen = RGB(0, 255, 0);

// A thumb of one colour with transparent 2 x 2 corners (the shape's resolution is two rows).
void WriteThumb(const std::string& name, int width, int height)
{
    WriteBitmap(ControlTestPath(name), width, height, [=](int x, int y) {
        return (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2) ? kGreen : kThumb;
    });
}

const char kSliders[] = "[Volume]\nTYPE=SLIDER\nID=904\nPOSITION=250,40\nTRANSPARENT=1\nHORIZONTAL=0\nLOADFROM=1\n"
                        "SLIDERBMP=TallTrack\nTHUMBBMP=TallThumb\n\n"
                        "[Wide]\nTYPE=SLIDER\nID=907\nPOSITION=10,120\nTRANSPARENT=1\nLOADFROM=1\n"
                        "SLIDERBMP=WideTrack\nTHUMBBMP=WideThumb\n";

struct Sliders : SkinnedDialog
{
    Sliders()
        : SkinnedDialog((WriteSolidBitmap(ControlTestPath("TallTrack.bmp"), 24, 100, kTrack),
                         WriteThumb("TallThumb.bmp", 20, 11),
                         WriteSolidBitmap(ControlTestPath("WideTrack.bmp"), 120, 18, kTrack),
                         WriteThumb("WideThumb.bmp", 11, 14), kSliders),
                        "Sliders.ini")
    {
    }
    CRect Thumb(UINT id) const
    {
        CRect thumb;
        ::SendMessageA(Item(id), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        return thumb;
    }
    void Repaint(UINT id) const { ::RedrawWindow(Item(id), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
};

}  // namespace

TEST(SkinSliderTest, TakesTheTrackSizeAndDirectionAndDrawsTheShapedThumbWhereTheTrackBarHasIt)
{
    Sliders d;
    ASSERT_TRUE(d.loaded);
    ASSERT_EQ(2, d.skin.GetControlCount());
    struct Case
    {
        UINT id;
        CRect place;
        BOOL vertical;
        SIZE thumb;
    } cases[] = {
        { IDC_VOLUME, CRect(250, 40, 274, 140), TRUE, { 20, 11 } },
        { IDC_WIDE, CRect(10, 120, 130, 138), FALSE, { 11, 14 } },
    };
    for (const Case& c : cases)
    {
        HWND slider = d.Item(c.id);
        CRect rect;
        ::GetWindowRect(slider, &rect);
        d.dialog.ScreenToClient(&rect);
        EXPECT_EQ(c.place, rect) << c.id;
        const DWORD style = ::GetWindowLongA(slider, GWL_STYLE);
        EXPECT_EQ(c.vertical, (style & TBS_VERT) != 0) << c.id;
        EXPECT_TRUE(style & TBS_FIXEDLENGTH) << c.id;

        ::SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
        ::SendMessageA(slider, TBM_SETPOS, TRUE, 50);
        d.Repaint(c.id);
        const CRect thumb = d.Thumb(c.id);
        // The whole picture, every row and column of it, at the thumb's corner; its cut corners
        // show the track.
        const int right = thumb.left + c.thumb.cx - 1;
        const int bottom = thumb.top + c.thumb.cy - 1;
        EXPECT_EQ(kThumb, desktop::PixelAt(slider, thumb.left + 2, thumb.top)) << c.id;
        EXPECT_EQ(kThumb, desktop::PixelAt(slider, right - 2, bottom)) << c.id;
        EXPECT_EQ(kThumb, desktop::PixelAt(slider, right, bottom - 2)) << c.id;
        EXPECT_EQ(kTrack, desktop::PixelAt(slider, thumb.left, thumb.top)) << c.id;
        EXPECT_EQ(kTrack, desktop::PixelAt(slider, right, bottom)) << c.id;
        EXPECT_EQ(kTrack, desktop::PixelAt(slider, c.vertical ? 12 : 4, c.vertical ? 4 : 9)) << c.id;
    }
}

TEST(SkinSliderTest, MouseDragsTheThumbAndThePictureFollows)
{
    Sliders d;
    ASSERT_TRUE(d.loaded);
    HWND slider = d.Item(IDC_VOLUME);
    ::SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
    ::SendMessageA(slider, TBM_SETPOS, TRUE, 0);
    d.Repaint(IDC_VOLUME);
    const CRect before = d.Thumb(IDC_VOLUME);
    const POINT grip = before.CenterPoint();

    desktop::Press(slider, grip.x, grip.y);
    desktop::MoveTo(slider, grip.x, grip.y + 40);
    desktop::Release(slider, grip.x, grip.y + 40);
    ASSERT_TRUE(desktop::PumpUntil([&] { return ::SendMessageA(slider, TBM_GETPOS, 0, 0) > 40; }));
    desktop::Pump();

    const CRect after = d.Thumb(IDC_VOLUME);
    EXPECT_GT(after.top, before.top + 30);
    EXPECT_EQ(kThumb, desktop::PixelAt(slider, after.CenterPoint().x, after.CenterPoint().y));
    EXPECT_EQ(kTrack, desktop::PixelAt(slider, grip.x, grip.y));
}

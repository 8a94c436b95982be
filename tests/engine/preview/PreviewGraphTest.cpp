// The preview as a user sees it: the simulated BlackBird card through the real
// device enumerator, the stand-in companion filters and Wine's video renderer
// in a real window under Xvfb, checked on screenshots of that window.
#include <gtest/gtest.h>

#include <dshow.h>

#include <string>
#include <vector>

#include "dshow/DeinterlaceFilter.h"
#include "platform/sim/blackbird/SimPicture.h"
#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const int kWidth = 720;
const int kHeight = 576;
const DWORD kPictureTimeoutMs = 8000;

// Where the simulated picture's parts fall in a 720 x 576 window showing a
// capture of the size given (the renderer stretches the picture to the window).
struct Layout
{
    int captureWidth, captureHeight;
    int X(int x) const { return x * kWidth / captureWidth; }
    int Y(int y) const { return y * kHeight / captureHeight; }
    // The middle of colour bar n (0..7), in the middle band.
    RECT Bar(int n) const
    {
        RECT rc = { (2 * n + 1) * kWidth / 16 - 12, kHeight * 3 / 8, (2 * n + 1) * kWidth / 16 + 12, kHeight * 5 / 8 };
        return rc;
    }
    RECT Square() const
    {
        RECT rc = { X(32) + 4, Y(32) + 4, X(96) - 4, Y(96) - 4 };
        return rc;
    }
};

Rgb MeanOf(const CScreenShot& shot, const RECT& rc)
{
    return shot.Mean(rc.left, rc.top, rc.right, rc.bottom);
}

// How far the colour is from grey.
int Chroma(const Rgb& c)
{
    int high = c.r > c.g ? (c.r > c.b ? c.r : c.b) : (c.g > c.b ? c.g : c.b);
    int low = c.r < c.g ? (c.r < c.b ? c.r : c.b) : (c.g < c.b ? c.g : c.b);
    return high - low;
}

class Preview : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters{ PreviewFilterModules() };
    CTestWindow window{ 40, 40, kWidth, kHeight, "Preview" };
    CRecordingWindows windows;
    CTVHardWare hw;

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        hw.SetEngineWindows(&windows);
        hw.SetVideoWindow(window.Handle());
    }

    void Start()
    {
        ASSERT_TRUE(hw.Initialize());
        ASSERT_NE(nullptr, hw.GetCaptureDevice());
        ASSERT_TRUE(hw.GetCaptureDevice()->SetTunerFrequency(471250.0f));
        ASSERT_TRUE(hw.BuildPreviewGraph());
        ASSERT_TRUE(WaitFor([](const CScreenShot& s) { return Luma(MeanOf(s, Layout{ 720, 576 }.Square())) > 200; }))
            << "no picture";
    }

    CScreenShot Shot() { return CScreenShot::OfClient(window.Handle()); }

    // Runs the message loop until the screen satisfies the check.
    template <class Check>
    BOOL WaitFor(Check check)
    {
        return PumpUntil([&] { return check(Shot()); }, kPictureTimeoutMs);
    }

    void Keep(const CScreenShot& shot, const char* pszName) { shot.Save(std::string("preview-") + pszName + ".bmp"); }

    // Bars 1 and 4 of the middle band: colourful on every source, unless the colour is lost.
    static int BarChroma(const CScreenShot& s, const Layout& layout)
    {
        return Chroma(MeanOf(s, layout.Bar(1))) + Chroma(MeanOf(s, layout.Bar(4)));
    }
    static int BarLuma(const CScreenShot& s, const Layout& layout, int n) { return Luma(MeanOf(s, layout.Bar(n))); }
    // A picture is on screen (not the black of a window between pictures).
    static bool Shown(const CScreenShot& s) { return Luma(s.Mean(0, kHeight / 3, kWidth, kHeight * 2 / 3)) > 50; }
};

// Pixels of the band where the two fields of a frame disagree by much: the
// comb that an interlaced picture shows where something moves.
int CombedPixels(const CScreenShot& s, int top, int bottom)
{
    int count = 0;
    for (int y = top & ~1; y + 1 < bottom; y += 2)
        for (int x = 0; x < s.Width(); ++x)
            if (abs(Luma(s.At(x, y)) - Luma(s.At(x, y + 1))) > 60)
                ++count;
    return count;
}

// Rows of the still stripes block that differ from the row below.
int StripeRowsThatDiffer(const CScreenShot& s)
{
    int count = 0;
    const int x = CSimPicture::STRIPES_X + CSimPicture::SQUARE_SIZE / 2;
    for (int y = CSimPicture::BLOCK_Y + 2; y < CSimPicture::BLOCK_Y + CSimPicture::SQUARE_SIZE - 3; ++y)
        if (abs(Luma(s.At(x, y)) - Luma(s.At(x, y + 1))) > 60)
            ++count;
    return count;
}
}

TEST_F(Preview, TheCardsMovingPictureReachesTheWindowThroughTheOverlay)
{
    Start();
    EXPECT_TRUE(hw.GetUseOverlay());
    EXPECT_TRUE(hw.IsOverlayMixerReady());
    EXPECT_TRUE(windows.messages.empty());
    CScreenShot first = Shot();
    Keep(first, "overlay");
    Layout layout{ 720, 576 };
    // Eight different colour bars of the station.
    std::vector<Rgb> bars;
    for (int n = 0; n < 8; ++n)
        bars.push_back(MeanOf(first, layout.Bar(n)));
    for (int n = 1; n < 8; ++n)
        EXPECT_GT(abs(bars[n].r - bars[n - 1].r) + abs(bars[n].g - bars[n - 1].g) + abs(bars[n].b - bars[n - 1].b), 20)
            << "bar " << n;
    EXPECT_GT(Chroma(bars[1]) + Chroma(bars[4]), 40);
    // The bar at the bottom moves.
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
        return s.MeanLumaDifference(first, 0, kHeight - 100, kWidth, kHeight - 10) > 3;
    }));
}

TEST_F(Preview, EachInputShowsItsOwnPicture)
{
    Start();
    Layout layout{ 720, 576 };
    CScreenShot tuner = Shot();
    Rgb tunerBar = MeanOf(tuner, layout.Bar(2));
    RECT bar = layout.Bar(2);
    // Reception noise on the tuner only.
    EXPECT_GT(tuner.LumaDeviation(bar.left, bar.top, bar.right, bar.bottom), 2.5);

    struct Row
    {
        int source;
        LONG videoInput;
        const char* name;
    } rows[] = { { CTVHardWare::SOURCE_COMPOSITE, SIM_XBAR_VIDEO_COMPOSITE, "composite" },
                 { CTVHardWare::SOURCE_SVIDEO, SIM_XBAR_VIDEO_SVIDEO, "svideo" },
                 { CTVHardWare::SOURCE_TUNER, SIM_XBAR_VIDEO_TUNER, "tuner" } };
    Rgb previous = tunerBar;
    for (const Row& row : rows)
    {
        ASSERT_TRUE(hw.SelectVideoSource(row.source)) << row.name;
        EXPECT_EQ(row.videoInput, sim.Card()->GetRoute(SIM_XBAR_OUT_VIDEO)) << row.name;
        EXPECT_EQ(row.source == CTVHardWare::SOURCE_TUNER ? SIM_XBAR_AUDIO_TUNER : SIM_XBAR_AUDIO_LINE,
                  sim.Card()->GetRoute(SIM_XBAR_OUT_AUDIO));
        EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
            Rgb c = MeanOf(s, bar);
            return Shown(s) && abs(c.r - previous.r) + abs(c.g - previous.g) + abs(c.b - previous.b) > 30;
        })) << row.name;
        CScreenShot shot = Shot();
        Keep(shot, row.name);
        previous = MeanOf(shot, bar);
        if (row.source != CTVHardWare::SOURCE_TUNER)
            EXPECT_LT(shot.LumaDeviation(bar.left, bar.top, bar.right, bar.bottom), 1.5) << row.name;
    }

    // The radio: the graph stops, only the sound is routed, the standard is PAL_D.
    ASSERT_TRUE(hw.StopGraphForRadio(TRUE));
    EXPECT_EQ(CTVHardWare::SOURCE_RADIO, hw.GetVideoSource());
    EXPECT_EQ(CDShowGraph::STATE_STOPPED, hw.m_Graph.GetState());
    EXPECT_EQ(SIM_XBAR_AUDIO_LINE, sim.Card()->GetRoute(SIM_XBAR_OUT_AUDIO));
    EXPECT_EQ(SIM_XBAR_VIDEO_TUNER, sim.Card()->GetRoute(SIM_XBAR_OUT_VIDEO));
    EXPECT_EQ(AnalogVideo_PAL_D, hw.GetVideoStandard());
}

TEST_F(Preview, AStandardOfTheWrongColourSystemLosesTheColour)
{
    // The composite source sends NTSC; the input starts at PAL_D.
    sim.Card()->SetSourceStandard(SIM_XBAR_VIDEO_COMPOSITE, AnalogVideo_NTSC_M);
    Start();
    Layout layout{ 720, 576 };
    ASSERT_TRUE(hw.SelectVideoSource(CTVHardWare::SOURCE_COMPOSITE));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return Shown(s) && BarChroma(s, layout) < 10; }));
    Keep(Shot(), "wrong-standard");

    ASSERT_TRUE(hw.SetVideoStandard(AnalogVideo_NTSC_M));
    EXPECT_EQ(AnalogVideo_NTSC_M, hw.AVStandard);
    EXPECT_EQ(AnalogVideo_PAL_D, hw.TVStandard);
    EXPECT_TRUE(hw.IsNTSC());
    EXPECT_EQ(AnalogVideo_NTSC_M, sim.Card()->GetVideoStandard());
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarChroma(s, layout) > 40; }));

    // Re-connecting the preview for a new aspect keeps the input's own standard.
    hw.SetVideoRatio(4, 3);
    EXPECT_EQ(AnalogVideo_NTSC_M, hw.AVStandard);
    EXPECT_EQ(AnalogVideo_NTSC_M, sim.Card()->GetVideoStandard());
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarChroma(s, layout) > 40; }));
}

TEST_F(Preview, TheCaptureSizeShowsInTheSizeOfThePicturesParts)
{
    Start();
    // At 720 x 576 the 64-pixel square ends at x 96; at 352 x 288 it reaches past 180.
    const int x = 150, y = 100;
    EXPECT_LT(Luma(Shot().Mean(x - 3, y - 3, x + 3, y + 3)), 200);
    ASSERT_TRUE(hw.SetVideoSize(CSize(352, 288)));
    EXPECT_EQ(CSize(352, 288), hw.m_CaptureSize);
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return Luma(s.Mean(x - 3, y - 3, x + 3, y + 3)) > 220; }));
    Keep(Shot(), "352x288");
    // A half-height PAL request is 352 lines.
    ASSERT_TRUE(hw.SetVideoSize(CSize(720, 240)));
    EXPECT_EQ(CSize(720, 352), hw.m_CaptureSize);
    ASSERT_TRUE(hw.SetVideoSize(CSize(720, 576)));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
        return Luma(MeanOf(s, Layout{ 720, 576 }.Square())) > 200 && Luma(s.Mean(x - 3, y - 3, x + 3, y + 3)) < 200;
    }));
}

TEST_F(Preview, TheAspectFilterLetterboxesAndPillarboxes)
{
    hw.m_bUseTransformRatio = TRUE;
    Start();
    auto dark = [](const CScreenShot& s, int l, int t, int r, int b) { return Luma(s.Mean(l, t, r, b)) < 20; };
    EXPECT_FALSE(dark(Shot(), 0, 0, kWidth, 60));
    hw.SetVideoRatio(16, 9);
    EXPECT_EQ(std::make_pair(1, 1), hw.m_RatioState);
    EXPECT_TRUE(WaitFor(
        [&](const CScreenShot& s) { return Shown(s) && dark(s, 0, 0, kWidth, 60) && dark(s, 0, 520, kWidth, 576); }));
    Keep(Shot(), "wide");
    hw.SetVideoRatio(4, 3);
    EXPECT_EQ(std::make_pair(0, 2), hw.m_RatioState);
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return !dark(s, 0, 0, kWidth, 60); }));
    hw.SetVideoRatio(-16, -9);
    EXPECT_EQ(std::make_pair(1, 2), hw.m_RatioState);
    EXPECT_TRUE(WaitFor(
        [&](const CScreenShot& s) { return Shown(s) && dark(s, 0, 0, 80, kHeight) && !dark(s, 0, 0, kWidth, 60); }));
    Keep(Shot(), "normal-scaled");
    // 1:1 leaves the scaling as it is and asks for the normal aspect.
    hw.SetVideoRatio(1, 1);
    EXPECT_EQ(std::make_pair(1, 2), hw.m_RatioState);
}

TEST_F(Preview, DeinterlaceModesChangeThePicture)
{
    hw.m_bDeinterlace = FALSE;
    hw.NoiseReduce = FALSE;
    Start();
    const int top = kHeight - kHeight / 4 + 4, bottom = kHeight - 4;
    auto shown = [](const CScreenShot& s) { return Luma(MeanOf(s, Layout{ 720, 576 }.Square())) > 200; };
    // Woven fields: the moving bar combs, the still stripes alternate.
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return CombedPixels(s, top, bottom) > 500; }));
    EXPECT_GT(StripeRowsThatDiffer(Shot()), 50);
    Keep(Shot(), "interlaced");

    hw.m_bDeinterlace = TRUE;
    ASSERT_TRUE(hw.RebuildGraph());
    ASSERT_TRUE(hw.GetCaptureDevice()->SetTunerFrequency(471250.0f));
    // Line doubling: no comb, the stripes become one field's lines.
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
        return shown(s) && CombedPixels(s, top, bottom) < 20 && StripeRowsThatDiffer(s) == 0;
    }));
    Keep(Shot(), "line-doubled");

    // High quality: still parts keep both fields, moving ones do not comb.
    ASSERT_TRUE(hw.SetHighQuality(TRUE));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
        return shown(s) && CombedPixels(s, top, bottom) < 20 && StripeRowsThatDiffer(s) > 50;
    }));
    Keep(Shot(), "high-quality");

    // Noise reduction calms the snow on a still bar.
    Layout layout{ 720, 576 };
    RECT bar = layout.Bar(5);
    double noisy = Shot().LumaDeviation(bar.left, bar.top, bar.right, bar.bottom);
    ASSERT_TRUE(hw.SetNoiseReduce(TRUE));
    ASSERT_TRUE(hw.SetReduceValue(10));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) {
        return s.LumaDeviation(bar.left, bar.top, bar.right, bar.bottom) < noisy * 0.7;
    })) << noisy;
}

TEST_F(Preview, PictureControlsOfTheCardAndTheOverlayChangeThePicture)
{
    Start();
    Layout layout{ 720, 576 };
    int luma = BarLuma(Shot(), layout, 5);
    ASSERT_TRUE(hw.SetVideoProcAmp(VideoProcAmp_Brightness, 7020));
    EXPECT_EQ(7020, hw.Brightness);
    EXPECT_EQ(7020, sim.Card()->GetProcAmp(VideoProcAmp_Brightness));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarLuma(s, layout, 5) > luma + 30; }));
    ASSERT_TRUE(hw.SetVideoProcAmp(VideoProcAmp_Saturation, 0));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return Shown(s) && BarChroma(s, layout) < 10; }));
    ASSERT_TRUE(hw.SetVideoProcAmp(VideoProcAmp_Saturation, 4980));
    ASSERT_TRUE(hw.SetVideoProcAmp(VideoProcAmp_Brightness, 5020));
    VideoProcAmpRecord range;
    ASSERT_TRUE(hw.GetVideoProcAmpInfo(VideoProcAmp_Contrast, &range));
    EXPECT_EQ(2235, range.lDefault);
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarChroma(s, layout) > 40; }));

    // The overlay's own controls, read back from the mixer.
    int chroma = BarChroma(Shot(), layout);
    ASSERT_TRUE(hw.SetOverlayMixerProperty(3, 0));
    int value = -1;
    ASSERT_TRUE(hw.GetOverlayMixerProperty(3, &value));
    EXPECT_EQ(0, value);
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return Shown(s) && BarChroma(s, layout) < 10; }));
    ASSERT_TRUE(hw.SetOverlayMixerProperty(3, 10000));
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarChroma(s, layout) > chroma - 20; }));
    ASSERT_TRUE(hw.SetOverlayMixerProperty(0, 4750));
    EXPECT_EQ(4750, hw.OverlayBri);
    EXPECT_TRUE(WaitFor([&](const CScreenShot& s) { return BarLuma(s, layout, 5) > luma + 60; }));
    Keep(Shot(), "overlay-bright");
    int rangeOut[3] = { 0, 0, 0 };
    ASSERT_TRUE(hw.GetOverlayMixerRange(2, rangeOut));
    EXPECT_EQ(-180, rangeOut[0]);
    EXPECT_EQ(180, rangeOut[1]);
    EXPECT_EQ(0, rangeOut[2]);
}

TEST_F(Preview, WithoutTheOverlayTheAviDecompressorCarriesThePicture)
{
    Start();
    ASSERT_TRUE(hw.SetUseOverlay(FALSE));
    EXPECT_FALSE(hw.GetUseOverlay());
    EXPECT_FALSE(hw.IsOverlayMixerReady());
    EXPECT_TRUE(WaitFor([](const CScreenShot& s) { return Luma(MeanOf(s, Layout{ 720, 576 }.Square())) > 200; }));
    Keep(Shot(), "avi-decompressor");
    int range[3] = { 7, 7, 7 };
    EXPECT_FALSE(hw.GetOverlayMixerRange(0, range));
    EXPECT_EQ(7, range[0]);
    ASSERT_TRUE(hw.SetUseOverlay(TRUE));
    EXPECT_TRUE(hw.IsOverlayMixerReady());
}

TEST_F(Preview, WithNoOverlayMixerThePreviewStillComesUp)
{
    ASSERT_HRESULT_SUCCEEDED(CFilterModules::Register("Filters\\OverlayMixer.ax", FALSE));
    Start();
    EXPECT_FALSE(hw.GetUseOverlay());
    EXPECT_EQ(nullptr, hw.m_pOverlayMixer);
    EXPECT_FALSE(hw.SetOverlayColorKey(RGB(1, 2, 3)));
    EXPECT_TRUE(hw.ApplyOverlayMixerProperties());
    EXPECT_FALSE(hw.StartDesktopOverlay());
}

TEST_F(Preview, TheDeviceReleasedAndTakenBackShowsThePictureAgain)
{
    Start();
    ComPtr<IGraphBuilder> released(hw.m_Graph.GetGraphBuilder());
    ASSERT_TRUE(hw.CloseDevice());
    EXPECT_EQ(nullptr, hw.GetCaptureDevice());
    EXPECT_EQ(nullptr, hw.m_pVideoRender);
    EXPECT_EQ(nullptr, hw.m_Graph.GetNodeList());
    // Not a filter is left in the graph the device was released from.
    ComPtr<IEnumFilters> filters;
    ASSERT_HRESULT_SUCCEEDED(released->EnumFilters(&filters));
    ComPtr<IBaseFilter> left;
    EXPECT_NE(S_OK, filters->Next(1, &left, nullptr));
    released.Reset();

    ASSERT_TRUE(hw.RebuildGraph());
    ASSERT_NE(nullptr, hw.GetCaptureDevice());
    ASSERT_TRUE(hw.GetCaptureDevice()->SetTunerFrequency(471250.0f));
    EXPECT_TRUE(WaitFor([](const CScreenShot& s) { return Luma(MeanOf(s, Layout{ 720, 576 }.Square())) > 200; }));
    EXPECT_TRUE(hw.IsOverlayMixerReady());
}

TEST_F(Preview, SnapshotsOfThePreviewAreRealPictureFiles)
{
    Start();
    DeleteFileA("preview-snapshot.bmp");
    DeleteFileA("preview-snapshot.jpg");
    ASSERT_TRUE(hw.TakeSnapshot("preview-snapshot.bmp", 1, 0));
    ASSERT_TRUE(hw.TakeSnapshot("preview-snapshot.jpg", 2, 100));
    WIN32_FILE_ATTRIBUTE_DATA bmp, jpg;
    ASSERT_TRUE(GetFileAttributesExA("preview-snapshot.bmp", GetFileExInfoStandard, &bmp));
    ASSERT_TRUE(GetFileAttributesExA("preview-snapshot.jpg", GetFileExInfoStandard, &jpg));
    // 720 x 576 at three bytes a pixel and its two headers.
    EXPECT_EQ(720u * 576u * 3u + 54u, bmp.nFileSizeLow);
    EXPECT_GT(jpg.nFileSizeLow, 10000u);
    EXPECT_LT(jpg.nFileSizeLow, bmp.nFileSizeLow);
}

// The video adjust dialog over the real engine on the simulated card: a slider dragged with the
// mouse changes the card's picture on the screen at once, the defaults come back with the button,
// keys go on to the panel that owns the dialog, and showing it again shows the engine's values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/VideoAdjustDlg.h"
#include "ControllerOnCard.h"
#include "engine/TVEngine.h"
#include "hardware/devices/FilterClassTable.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"
#include "tests/support/DesktopInput.h"

namespace {

const int kVideoWidth = 360;
const int kVideoHeight = 288;

// The window standing in for the control panel: it keeps the keys it is sent.
class CPanelStandIn : public CWnd
{
public:
    std::vector<WPARAM> keys;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            keys.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class VideoAdjust : public ControllerOnCard
{
protected:
    CTestWindow video{ 40, 40, kVideoWidth, kVideoHeight, "Video" };
    CPanelStandIn panel;

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        // The card's PLL tuner brings in the station at 471.25 MHz.
        ControllerOnCard::SetUp();
        WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=471250\r\nTVCurIndex=2\r\n");
        ASSERT_TRUE(panel.CreateEx(0, "STATIC", "Panel", WS_POPUP | WS_VISIBLE, CRect(420, 40, 620, 140), nullptr, 0));
    }
    void TearDown() override { panel.DestroyWindow(); }

    BOOL Start(CTVEngine& engine)
    {
        engine.SetEngineWindows(&windows);
        engine.GetHardWare().SetVideoWindow(video.Handle());
        return engine.InitFormatLists() && engine.InitStringLists() && engine.LoadSettings() &&
               engine.ApplyLoadedSettings() && engine.Initialize() && engine.ValidateSettings() &&
               engine.BuildPreviewGraph() && engine.SetVideoSource(CTVEngine::SOURCE_AV);
    }

    CScreenShot Picture() { return CScreenShot::OfClient(video.Handle()); }
    int MiddleLuma() { return Luma(Picture().Mean(kVideoWidth / 4, kVideoHeight / 3, kVideoWidth * 3 / 4, kVideoHeight * 2 / 3)); }

    static int Pos(const CVideoAdjustDlg& dlg, UINT id)
    {
        return static_cast<int>(::SendDlgItemMessageA(dlg.m_hWnd, id, TBM_GETPOS, 0, 0));
    }
    // The thumb's centre in the slider's client area.
    static POINT Thumb(HWND slider)
    {
        RECT rect;
        ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    }
    static void Shoot(HWND hWnd, const char* name)
    {
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/videoadjust-" + name + ".bmp");
    }
};

}  // namespace

TEST_F(VideoAdjust, DraggingASliderChangesThePictureAndTheDefaultsComeBack)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    ASSERT_TRUE(PumpUntil([&] { return MiddleLuma() > 40; }, 10000)) << "no picture";

    CVideoAdjustDlg dlg(&panel);
    ASSERT_TRUE(dlg.Create(&panel));
    dlg.MoveTo(420, 200);
    dlg.Show(TRUE);
    desktop::Pump();
    CRect rect;
    dlg.GetWindowRect(rect);
    EXPECT_EQ(CPoint(420, 200), rect.TopLeft());

    // Ranges and positions from the engine.
    for (int i = 0; i < CTVEngine::PICTURE_CONTROLS; ++i)
    {
        HWND slider = ::GetDlgItem(dlg.m_hWnd, IDC_ADJUST_BRIGHTNESS + i);
        EXPECT_EQ(engine.GetProcAmpRange(i).m_nMin, ::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0)) << i;
        EXPECT_EQ(engine.GetProcAmpRange(i).m_nMax, ::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0)) << i;
    }
    EXPECT_EQ(engine.GetBrightness(), dlg.GetBrightnessPos());
    EXPECT_EQ(engine.GetContrast(), dlg.GetContrastPos());
    EXPECT_EQ(engine.GetSharpness(), dlg.GetSharpnessPos());
    Shoot(dlg.m_hWnd, "dialog");

    // Dragging the brightness thumb to the right: the card takes each step while dragging.
    const int before = MiddleLuma();
    HWND brightness = ::GetDlgItem(dlg.m_hWnd, IDC_ADJUST_BRIGHTNESS);
    const POINT thumb = Thumb(brightness);
    CRect track;
    ::GetClientRect(brightness, &track);
    desktop::MoveTo(brightness, thumb.x, thumb.y);
    desktop::Press(brightness, thumb.x, thumb.y);
    desktop::MoveTo(brightness, thumb.x + (track.right - thumb.x) / 2, thumb.y);
    EXPECT_TRUE(desktop::PumpUntil([&] { return sim.Card()->GetProcAmp(0) > 5020; }));
    const int whileDragging = sim.Card()->GetProcAmp(0);
    desktop::MoveTo(brightness, track.right - 2, thumb.y);
    desktop::Release(brightness, track.right - 2, thumb.y);
    EXPECT_TRUE(desktop::PumpUntil([&] { return sim.Card()->GetProcAmp(0) > whileDragging; }));
    EXPECT_EQ(dlg.GetBrightnessPos(), engine.GetBrightness());
    EXPECT_EQ(dlg.GetBrightnessPos(), sim.Card()->GetProcAmp(0));
    EXPECT_EQ(dlg.GetBrightnessPos(), dlg.m_nBrightness);
    EXPECT_TRUE(PumpUntil([&] { return MiddleLuma() > before + 20; }, 10000)) << before << " " << MiddleLuma();
    Picture().Save(std::string(ONDRIX_BINARY_DIR) + "/videoadjust-brighter.bmp");

    // Keys pressed on a slider go to the panel, and the slider stays.
    const int pos = dlg.GetBrightnessPos();
    ::SetFocus(brightness);
    desktop::Keyboard keys(brightness);
    keys.Down(VK_LEFT);
    keys.Up(VK_LEFT);
    desktop::Pump();
    ASSERT_EQ(1u, panel.keys.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_LEFT), panel.keys[0]);
    EXPECT_EQ(pos, dlg.GetBrightnessPos());

    // The wheel over the dialog moves nothing.
    ::SendMessageA(dlg.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(430, 210));
    EXPECT_EQ(pos, dlg.GetBrightnessPos());

    // Defaults: the range records' defaults, sharpness 1 whatever its record says; the card gets
    // the fixed defaults and the picture comes back.
    engine.m_ProcAmpRange[CTVEngine::PROCAMP_SHARPNESS].m_nDefault = 3;
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ADJUST_RESET, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_ADJUST_RESET)));
    EXPECT_EQ(5020, dlg.GetBrightnessPos());
    EXPECT_EQ(2235, dlg.GetContrastPos());
    EXPECT_EQ(1, dlg.GetSharpnessPos());
    EXPECT_EQ(1, dlg.m_nSharpness);
    EXPECT_EQ(5020, sim.Card()->GetProcAmp(0));
    EXPECT_EQ(2235, sim.Card()->GetProcAmp(1));
    EXPECT_TRUE(PumpUntil([&] { return MiddleLuma() < before + 10; }, 10000));

    // The close button hides; showing again reads what was changed elsewhere meanwhile.
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ADJUST_CLOSE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_ADJUST_CLOSE)));
    EXPECT_FALSE(dlg.IsWindowVisible());
    engine.SetContrast(4000);
    engine.SetHue(6000);
    dlg.Show(TRUE);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(4000, dlg.GetContrastPos());
    EXPECT_EQ(6000, dlg.GetHuePos());
    Shoot(dlg.m_hWnd, "shown-again");

    // Keyboard steps apply nothing until the end of the scroll.
    HWND saturation = ::GetDlgItem(dlg.m_hWnd, IDC_ADJUST_SATURATION);
    ::SendMessageA(saturation, TBM_SETPOS, TRUE, 3000);
    ::SendMessageA(dlg.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(saturation));
    EXPECT_EQ(4980, engine.GetSaturation());
    ::SendMessageA(dlg.m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(saturation));
    EXPECT_EQ(3000, engine.GetSaturation());
    EXPECT_EQ(3000, sim.Card()->GetProcAmp(3));
    dlg.DestroyWindow();
}

// The device, record format and video pages of the settings sheet over the real engine on the
// simulated card: what each page shows from the engine, what reaches the engine and the card when
// the user changes it, what OK keeps and what Cancel puts back; and the MPEG parameter dialog.
#include "SheetFixture.h"

#include <algorithm>

#include "tests/dshow/DShowTestUtil.h"

namespace {

void Choose(CWnd& page, int nID, int nRow)
{
    CComboBox* pCombo = static_cast<CComboBox*>(page.GetDlgItem(nID));
    ASSERT_NE(CB_ERR, pCombo->SetCurSel(nRow)) << nID << " row " << nRow;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo->m_hWnd));
}

void ChooseText(CWnd& page, int nID, const char* text)
{
    CComboBox* pCombo = static_cast<CComboBox*>(page.GetDlgItem(nID));
    const int nRow = pCombo->FindStringExact(-1, text);
    ASSERT_NE(CB_ERR, nRow) << text;
    Choose(page, nID, nRow);
}

std::vector<std::string> Entries(CWnd& page, int nID)
{
    CComboBox* pCombo = static_cast<CComboBox*>(page.GetDlgItem(nID));
    std::vector<std::string> rows;
    for (int i = 0; i < pCombo->GetCount(); ++i)
    {
        CString text;
        pCombo->GetLBText(i, text);
        rows.push_back(std::string(text));
    }
    return rows;
}

// A slider moved by the user: its new place, then the end of the track.
void Slide(CWnd& page, int nID, int nPos)
{
    CWnd* pSlider = page.GetDlgItem(nID);
    pSlider->SendMessage(TBM_SETPOS, TRUE, nPos);
    page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(pSlider->m_hWnd));
}

BOOL IsEnabled(CWnd& page, int nID)
{
    return page.GetDlgItem(nID)->IsWindowEnabled();
}

// Answers the MPEG parameter dialog once it is on screen: `act` runs inside its modal loop.
class MpegDialogDriver
{
public:
    explicit MpegDialogDriver(std::function<void(HWND)> act) : m_act(std::move(act))
    {
        s_self = this;
        m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MpegDialogDriver()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    int runs = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        MpegDialogDriver* self = s_self;
        if (self && code == HCBT_ACTIVATE)
        {
            char caption[64] = "";
            ::GetWindowTextA(reinterpret_cast<HWND>(wParam), caption, sizeof caption);
            if (lstrcmpA(caption, "MPEG 参数") == 0)
                ::SetTimer(reinterpret_cast<HWND>(wParam), 77, USER_TIMER_MINIMUM, &OnShown);
        }
        return ::CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
    }
    static void CALLBACK OnShown(HWND hWnd, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(hWnd, id);
        if (s_self)
        {
            ++s_self->runs;
            s_self->m_act(hWnd);
        }
    }
    static MpegDialogDriver* s_self;
    std::function<void(HWND)> m_act;
    HHOOK m_hook;
};
MpegDialogDriver* MpegDialogDriver::s_self = nullptr;

void Press(HWND dialog, int nID)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, nID)));
}

void ShootWindow(HWND hWnd, const char* name)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    desktop::Pump();
    CScreenShot::OfClient(hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/settings-" + name + ".bmp");
}

} // namespace

TEST_F(SettingsSheet, RecordFormatPageOkStoresItsFieldsAndCancelUndoesWhatWasAppliedAtOnce)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    engine.SetTimeShiftLength(1200);
    engine.SetTimeShiftReserved(0);
    const CSize mpeg4Before = engine.Mpeg4RecordSize;
    const int formatBefore = engine.GetRecordFormat();
    const int tfBefore = engine.TFTime;
    const int jpegBefore = engine.JpgQuality;
    ASSERT_FALSE(engine.SnapBmp);
    const std::string snapFolder = folder + "\\NewSnap";
    const std::string recordFolder = folder + "\\NewRec";

    // The user's round of changes; OK or Cancel ends it.
    auto change = [&](CRecordFormatPage& page) {
        ChooseText(page, IDC_RECORD_FORMAT, "Mpeg4");
        EXPECT_TRUE(page.GetDlgItem(IDC_RECORD_MPEG4_SIZE)->IsWindowVisible());
        EXPECT_TRUE(page.GetDlgItem(IDC_RECORD_MPEG_PARAMS)->IsWindowVisible());
        Choose(page, IDC_RECORD_MPEG4_SIZE, 2);
        EXPECT_EQ(CSize(720, 576), engine.Mpeg4RecordSize);
        EXPECT_EQ(CSize(720, 576), engine.GetHardWare().Mpeg4RecordSize);
        ChooseText(page, IDC_RECORD_FORMAT, "DVD");
        EXPECT_FALSE(page.GetDlgItem(IDC_RECORD_MPEG4_SIZE)->IsWindowVisible());
        EXPECT_FALSE(page.GetDlgItem(IDC_RECORD_MPEG_PARAMS)->IsWindowVisible());
        Choose(page, IDC_RECORD_QUALITY, 2);
        EXPECT_TRUE(IsEnabled(page, IDC_RECORD_JPEG_QUALITY));
        Slide(page, IDC_RECORD_JPEG_QUALITY, 80);
        EXPECT_EQ("80", ItemText(page, IDC_RECORD_JPEG_VALUE));
        page.CheckRadioButton(IDC_RECORD_SNAP_BMP, IDC_RECORD_SNAP_JPEG, IDC_RECORD_SNAP_BMP);
        Click(page, IDC_RECORD_SNAP_BMP);
        EXPECT_FALSE(IsEnabled(page, IDC_RECORD_JPEG_QUALITY));
        page.CheckRadioButton(IDC_RECORD_MOTION_FIRST, IDC_RECORD_MOTION_THIRD, IDC_RECORD_MOTION_THIRD);
        page.CheckRadioButton(IDC_RECORD_TIMESHIFT_FIRST, IDC_RECORD_TIMESHIFT_SECOND, IDC_RECORD_TIMESHIFT_FIRST);
        Click(page, IDC_RECORD_TIMESHIFT_FIRST);
        // The time-shift length and reservation are applied at once.
        Choose(page, IDC_RECORD_TIMESHIFT_LENGTH, 2);
        EXPECT_EQ(1800, engine.TFTime);
        page.CheckDlgButton(IDC_RECORD_TIMESHIFT_RESERVE, BST_CHECKED);
        Click(page, IDC_RECORD_TIMESHIFT_RESERVE);
        EXPECT_EQ(1, engine.TFReserved);
        page.SetDlgItemText(IDC_RECORD_SNAP_FOLDER, snapFolder.c_str());
        page.SetDlgItemText(IDC_RECORD_FOLDER, recordFolder.c_str());
        EXPECT_TRUE(page.IsModified());
    };

    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CRecordFormatPage& page = sheet.m_RecordFormatPage;
        sheet.steps = {
            [&] { sheet.SetActivePage(&page); },
            [&] {
                // What the page shows: the engine's folders, format and the time-shift length in use.
                EXPECT_EQ(folder + "\\Snap", ItemText(page, IDC_RECORD_SNAP_FOLDER));
                EXPECT_EQ(folder + "\\Rec", ItemText(page, IDC_RECORD_FOLDER));
                EXPECT_EQ(std::string(engine.GetRecordFormatNames().GetName(formatBefore)),
                          ItemText(page, IDC_RECORD_FORMAT));
                EXPECT_EQ("20", ItemText(page, IDC_RECORD_TIMESHIFT_LENGTH));
                EXPECT_EQ((std::vector<std::string>{ "AVI", "Mpeg1", "Mpeg2", "Mpeg4", "VCD", "DVD" }),
                          Entries(page, IDC_RECORD_FORMAT));
                EXPECT_EQ((std::vector<std::string>{ "352 * 288", "640 * 480", "720 * 576" }),
                          Entries(page, IDC_RECORD_MPEG4_SIZE));
                EXPECT_FALSE(page.GetDlgItem(IDC_RECORD_MPEG4_AUDIO)->IsWindowVisible());
                Shoot(sheet, "record-format");
                change(page);
                sheet.PressButton(PSBTN_CANCEL);
            },
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_EQ(2u, sheet.next);
    }
    EXPECT_EQ(mpeg4Before, engine.Mpeg4RecordSize);
    EXPECT_EQ(mpeg4Before, engine.GetHardWare().Mpeg4RecordSize);
    EXPECT_EQ(tfBefore, engine.TFTime);
    EXPECT_EQ(0, engine.TFReserved);
    EXPECT_EQ(formatBefore, engine.GetRecordFormat());
    EXPECT_FALSE(engine.SnapBmp) << "the snapshot type is stored by OK only";
    EXPECT_EQ(jpegBefore, engine.JpgQuality);
    EXPECT_EQ(folder + "\\Rec", std::string(engine.GetRecordPath()));

    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CRecordFormatPage& page = sheet.m_RecordFormatPage;
        sheet.steps = {
            [&] { sheet.SetActivePage(&page); },
            [&] {
                change(page);
                sheet.PressButton(PSBTN_OK);
            },
        };
        EXPECT_EQ(IDOK, sheet.DoModal());
    }
    EXPECT_EQ(6, engine.GetRecordFormat());
    EXPECT_EQ(2, engine.GetDisplayQuality());
    EXPECT_TRUE(engine.SnapBmp);
    EXPECT_EQ(80, engine.JpgQuality);
    EXPECT_EQ(3, engine.MotionSearchInc);
    EXPECT_EQ(0, engine.GetHardWare().TimeShiftFormat);
    EXPECT_EQ(CSize(720, 576), engine.Mpeg4RecordSize);
    EXPECT_EQ(1800, engine.TFTime);
    EXPECT_EQ(snapFolder, std::string(engine.SnapPath));
    EXPECT_EQ(recordFolder, std::string(engine.GetRecordPath()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(recordFolder.c_str()));
    EXPECT_EQ(recordFolder, MachineValue(kCommonKey, "RecordPath"));
    EXPECT_EQ(snapFolder, MachineValue(kCommonKey, "SnapPath"));
}

TEST_F(SettingsSheet, AFolderTooLongForThePathFunctionsKeepsTheSheetOpen)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    MessageBoxAnswerer answerer;
    const std::string tooLong = folder + "\\" + std::string(MAX_PATH, 'x');
    CStepSheet sheet;
    sheet.AddAllPages();
    CRecordFormatPage& page = sheet.m_RecordFormatPage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            page.SetDlgItemText(IDC_RECORD_FOLDER, tooLong.c_str());
            sheet.PressButton(PSBTN_OK);
        },
        [&] {
            EXPECT_TRUE(IsOpen(sheet));
            ASSERT_EQ(1u, answerer.boxes.size());
            EXPECT_NE(std::string::npos, answerer.boxes[0].text.find(std::to_string(MAX_PATH - 1)))
                << answerer.boxes[0].text;
            EXPECT_EQ(folder + "\\Rec", std::string(engine.GetRecordPath()));
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(3u, sheet.next);
    EXPECT_EQ(folder + "\\Rec", std::string(engine.GetRecordPath()));
}

TEST_F(SettingsSheet, MpegParameterDialogDefaultsAndOkStoreTheRecordCancelLeavesIt)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CRecordParam& param = engine.GetRecordParam();
    const CRecordParamBlock odd = { 0, 2, 3, 9, 1, 6, 2, 7, 0, 0 };
    param.m_Mpeg1 = odd;
    param.m_Mpeg2 = odd;
    std::string sizeText, rateText;
    BOOL rateEnabled = FALSE, vbrEnabled = TRUE;
    CStepSheet sheet;
    sheet.AddAllPages();
    CRecordFormatPage& page = sheet.m_RecordFormatPage;
    sheet.steps = {
        [&] { sheet.SetActivePage(&page); },
        [&] {
            ChooseText(page, IDC_RECORD_FORMAT, "Mpeg2");
            MpegDialogDriver driver([&](HWND dialog) {
                // The dialog shows the engine's record.
                CWnd* pDialog = CWnd::FromHandle(dialog);
                EXPECT_EQ("7", ItemText(*pDialog, IDC_MPEG_VBR_VALUE));
                EXPECT_TRUE(::IsDlgButtonChecked(dialog, IDC_MPEG_CRC_OFF));
                EXPECT_TRUE(::IsDlgButtonChecked(dialog, IDC_MPEG_VARIABLE));
                ShootWindow(dialog, "mpeg-parameters");
                Press(dialog, IDC_MPEG_DEFAULTS);
                sizeText = ItemText(*pDialog, IDC_MPEG_VIDEO_SIZE);
                rateText = ItemText(*pDialog, IDC_MPEG_VIDEO_RATE);
                rateEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MPEG_VIDEO_RATE));
                vbrEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_MPEG_VBR));
                Press(dialog, IDC_MPEG_OK);
            });
            Click(page, IDC_RECORD_MPEG_PARAMS);
            EXPECT_EQ(1, driver.runs);
        },
        [&] {
            // MPEG-1 this time, changed in the dialog and cancelled.
            ChooseText(page, IDC_RECORD_FORMAT, "Mpeg1");
            MpegDialogDriver driver([&](HWND dialog) {
                ::CheckRadioButton(dialog, IDC_MPEG_CRC_ON, IDC_MPEG_CRC_OFF, IDC_MPEG_CRC_ON);
                Press(dialog, IDC_MPEG_CRC_ON);
                Press(dialog, IDC_MPEG_DEFAULTS);
                Press(dialog, IDC_MPEG_CANCEL);
            });
            Click(page, IDC_RECORD_MPEG_PARAMS);
            EXPECT_EQ(1, driver.runs);
            EXPECT_EQ(0, memcmp(&odd, &param.m_Mpeg1, sizeof odd));
        },
        [&] {
            // Enter in the dialog is its OK: the defaults of MPEG-1 are stored.
            MpegDialogDriver driver([&](HWND dialog) {
                Press(dialog, IDC_MPEG_DEFAULTS);
                ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            });
            Click(page, IDC_RECORD_MPEG_PARAMS);
            EXPECT_EQ(1, driver.runs);
            EXPECT_EQ(0, param.m_Mpeg1.VideoSize);
            EXPECT_EQ(2, param.m_Mpeg1.VideoRate);
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(4u, sheet.next);
    // The defaults of MPEG-2: full picture at 5 Mbit/s, constant rate, CRC on, GOP 15.
    EXPECT_EQ(1, param.m_Mpeg2.VideoSize);
    EXPECT_EQ(5, param.m_Mpeg2.VideoRate);
    EXPECT_EQ(1, param.m_Mpeg2.AudioCrc);
    EXPECT_EQ(0, param.m_Mpeg2.AudioDataRate);
    EXPECT_EQ(0, param.m_Mpeg2.AudioPut);
    EXPECT_EQ(1, param.m_Mpeg2.VideoEncode);
    EXPECT_EQ(15, param.m_Mpeg2.GOPSIZE);
    EXPECT_EQ(1, param.m_Mpeg2.AudioRate);
    EXPECT_EQ(0, param.m_Mpeg2.CloseGop);
    EXPECT_EQ(7, param.m_Mpeg2.VideoVBR);
    EXPECT_EQ("720X576", sizeText);
    EXPECT_EQ("5 Mbps", rateText);
    EXPECT_TRUE(rateEnabled);
    EXPECT_FALSE(vbrEnabled);
}

TEST_F(SettingsSheet, DevicePageChoicesReachTheCardAndCancelPutsThemBack)
{
    // The card's TV audio under the name the engine looks for.
    RegisteredDevices tvAudio(AM_KSCATEGORY_TVAUDIO,
                              { { L"OndrixTest_Proteus", L"713x TV Card TV Audio (Proteus)", CLSID_SimBlackBirdTVAudio } });
    ASSERT_HRESULT_SUCCEEDED(tvAudio.Result());
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CTVHardWare& hw = engine.GetHardWare();
    // A viewer that is not running is not shown as on.
    hw.SetTVData(TRUE);
    const int standardBefore = hw.GetVideoStandard();
    const LONG routeBefore = sim.Card()->GetRoute(0);
    const int levelBefore = hw.AudioRecVol;
    const int stereoBefore = hw.GetTVAudioStereo();
    const int languageBefore = hw.GetTVAudioLanguage();
    ASSERT_EQ(0, engine.GetInputSource());
    CWnd viewer;
    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CDevicePage& page = sheet.m_DevicePage;
        sheet.steps = {
            [&] { sheet.SetActivePage(&page); },
            [&] {
                EXPECT_FALSE(page.IsDlgButtonChecked(IDC_DEVICE_TELETEXT));
                page.SendMessage(WM_TIMER, CDevicePage::TIMER_TELETEXT);
                EXPECT_FALSE(hw.GetTVData());
                const std::vector<std::string> sources = Entries(page, IDC_DEVICE_SOURCE);
                EXPECT_EQ(engine.HasFM() ? 4u : 3u, sources.size());
                EXPECT_EQ("TV", ItemText(page, IDC_DEVICE_SOURCE));
                EXPECT_EQ(std::string(engine.GetVideoStandardNames().GetName(standardBefore)),
                          ItemText(page, IDC_DEVICE_STANDARD));
                Shoot(sheet, "device");

                // Sound mode and language go to the card's TV audio.
                page.CheckRadioButton(IDC_DEVICE_STEREO, IDC_DEVICE_MONO, IDC_DEVICE_MONO);
                Click(page, IDC_DEVICE_MONO);
                EXPECT_EQ(AMTVAUDIO_MODE_MONO, sim.Card()->GetTVAudioMode());
                EXPECT_EQ(1, hw.GetTVAudioStereo());
                page.CheckRadioButton(IDC_DEVICE_LANGUAGE_A, IDC_DEVICE_LANGUAGE_C, IDC_DEVICE_LANGUAGE_B);
                Click(page, IDC_DEVICE_LANGUAGE_B);
                EXPECT_EQ(AMTVAUDIO_MODE_LANG_B, sim.Card()->GetTVAudioMode());
                EXPECT_EQ(1, hw.GetTVAudioLanguage());

                // The recording level.
                Slide(page, IDC_DEVICE_LEVEL, 30);
                EXPECT_EQ(30, hw.AudioRecVol);
                EXPECT_EQ("30%", ItemText(page, IDC_DEVICE_LEVEL_TEXT));

                // The composite input: the card switches, and the NTSC standards are offered.
                ChooseText(page, IDC_DEVICE_SOURCE, "AV");
                EXPECT_EQ(1, engine.GetInputSource());
                EXPECT_NE(routeBefore, sim.Card()->GetRoute(0));
                const std::vector<std::string> standards = Entries(page, IDC_DEVICE_STANDARD);
                for (const char* ntsc : { "NTSC_M", "NTSC_M_J", "NTSC_433" })
                    EXPECT_NE(standards.end(), std::find(standards.begin(), standards.end(), ntsc)) << ntsc;
                ChooseText(page, IDC_DEVICE_STANDARD, "NTSC_M");
                EXPECT_EQ(AnalogVideo_NTSC_M, hw.GetVideoStandard());
                EXPECT_EQ(AnalogVideo_NTSC_M, sim.Card()->GetVideoStandard());

                // The teletext viewer's window goes: within one watch period the box is cleared.
                viewer.CreateEx(0, AfxRegisterWndClass(0), "PC Text Pro Light Version", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr);
                page.CheckDlgButton(IDC_DEVICE_TELETEXT, BST_CHECKED);
                Click(page, IDC_DEVICE_TELETEXT);
                EXPECT_TRUE(hw.GetTVData());
                page.SendMessage(WM_TIMER, CDevicePage::TIMER_TELETEXT);
                EXPECT_TRUE(page.IsDlgButtonChecked(IDC_DEVICE_TELETEXT));
                viewer.DestroyWindow();
                page.SendMessage(WM_TIMER, CDevicePage::TIMER_TELETEXT);
                EXPECT_FALSE(page.IsDlgButtonChecked(IDC_DEVICE_TELETEXT));
                page.SendMessage(WM_TIMER, CDevicePage::TIMER_TELETEXT);
                EXPECT_FALSE(hw.GetTVData());
                sheet.PressButton(PSBTN_CANCEL);
            },
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_EQ(2u, sheet.next);
    }
    EXPECT_EQ(0, engine.GetInputSource());
    EXPECT_EQ(routeBefore, sim.Card()->GetRoute(0));
    EXPECT_EQ(standardBefore, hw.GetVideoStandard());
    EXPECT_EQ(standardBefore, sim.Card()->GetVideoStandard());
    EXPECT_EQ(standardBefore, hw.AVStandard) << "the composite input's own standard is put back too";
    EXPECT_EQ(stereoBefore, hw.GetTVAudioStereo());
    EXPECT_EQ(languageBefore, hw.GetTVAudioLanguage());
    EXPECT_EQ(CDevicePage::LanguageModeOf(languageBefore), sim.Card()->GetTVAudioMode());
    EXPECT_EQ(levelBefore, hw.AudioRecVol);
}

TEST_F(SettingsSheet, VideoPageChangesReachTheCardAndCancelPutsThePictureBack)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const int brightness = engine.GetBrightness();
    const int saturation = engine.GetSaturation();
    const BOOL noise = engine.GetNoiseReduce();
    const BOOL halfRate = engine.GetHalfRate();
    const CSize size = engine.GetVideoSize();
    MessageBoxAnswerer answerer;
    {
        CStepSheet sheet;
        sheet.AddAllPages();
        CVideoPage& page = sheet.m_VideoPage;
        sheet.steps = {
            [&] { sheet.SetActivePage(&page); },
            [&] {
                EXPECT_EQ(std::to_string(brightness), ItemText(page, IDC_VIDEO_BRIGHTNESS_VALUE));
                const CValueRange& range = engine.GetProcAmpRange(0);
                EXPECT_EQ(std::to_string(range.m_nMin), ItemText(page, IDC_VIDEO_BRIGHTNESS_MIN));
                EXPECT_EQ(std::to_string(range.m_nMax), ItemText(page, IDC_VIDEO_BRIGHTNESS_MAX));
                EXPECT_EQ((std::vector<std::string>{ "352 * 288", "640 * 480", "720 * 576" }),
                          Entries(page, IDC_VIDEO_SIZE));
                Shoot(sheet, "video");

                const int bright = range.m_nMin + (range.m_nMax - range.m_nMin) / 4;
                Slide(page, IDC_VIDEO_BRIGHTNESS, bright);
                EXPECT_EQ(bright, engine.GetBrightness());
                EXPECT_EQ(bright, sim.Card()->GetProcAmp(0));
                EXPECT_EQ(std::to_string(bright), ItemText(page, IDC_VIDEO_BRIGHTNESS_VALUE));
                const CValueRange& satRange = engine.GetProcAmpRange(3);
                Slide(page, IDC_VIDEO_SATURATION, satRange.m_nMax);
                EXPECT_EQ(satRange.m_nMax, sim.Card()->GetProcAmp(3));

                page.CheckDlgButton(IDC_VIDEO_NOISE_REDUCE, noise ? BST_UNCHECKED : BST_CHECKED);
                Click(page, IDC_VIDEO_NOISE_REDUCE);
                EXPECT_NE(noise, engine.GetNoiseReduce());
                EXPECT_EQ(!noise, IsEnabled(page, IDC_VIDEO_NOISE_LEVEL));
                page.CheckDlgButton(IDC_VIDEO_HALF_RATE, halfRate ? BST_UNCHECKED : BST_CHECKED);
                Click(page, IDC_VIDEO_HALF_RATE);
                EXPECT_NE(halfRate, engine.GetHalfRate());
                ChooseText(page, IDC_VIDEO_SIZE, "720 * 576");
                EXPECT_EQ(CSize(720, 576), engine.GetVideoSize());

                // The overlay's set while the overlay is not in use: the user is told.
                if (!engine.IsOverlayActive())
                {
                    page.CheckRadioButton(IDC_VIDEO_SET_DEVICE, IDC_VIDEO_SET_OVERLAY, IDC_VIDEO_SET_OVERLAY);
                    Click(page, IDC_VIDEO_SET_OVERLAY);
                    ASSERT_EQ(1u, answerer.boxes.size());
                    CString text;
                    text.LoadString(IDS_OVERLAY_NOT_ACTIVE);
                    EXPECT_STREQ(text, answerer.boxes[0].text.c_str());
                    EXPECT_EQ(std::to_string(engine.GetOverlayBrightness()),
                              ItemText(page, IDC_VIDEO_BRIGHTNESS_VALUE));
                }
                sheet.PressButton(PSBTN_CANCEL);
            },
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_EQ(2u, sheet.next);
    }
    EXPECT_EQ(brightness, engine.GetBrightness());
    EXPECT_EQ(brightness, sim.Card()->GetProcAmp(0));
    EXPECT_EQ(saturation, sim.Card()->GetProcAmp(3));
    EXPECT_EQ(noise, engine.GetNoiseReduce());
    EXPECT_EQ(halfRate, engine.GetHalfRate());
    EXPECT_EQ(size, engine.GetVideoSize());
}

TEST_F(SettingsSheet, AnNTSCInputOffersTheNTSCSizesAndTheRadioDisablesThePicture)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    engine.GetHardWare().SetVideoStandard(AnalogVideo_NTSC_M);
    engine.Mpeg4RecordSize = CSize(352, 288);
    CStepSheet sheet;
    sheet.AddAllPages();
    sheet.steps = {
        [&] { sheet.SetActivePage(&sheet.m_VideoPage); },
        [&] {
            CVideoPage& page = sheet.m_VideoPage;
            EXPECT_EQ((std::vector<std::string>{ "320 * 240", "640 * 480", "720 * 480" }), Entries(page, IDC_VIDEO_SIZE));
            // A size the table does not hold gives way to its first entry.
            EXPECT_EQ(CSize(320, 240), engine.GetVideoSize());
            sheet.SetActivePage(&sheet.m_RecordFormatPage);
        },
        [&] {
            CRecordFormatPage& page = sheet.m_RecordFormatPage;
            EXPECT_EQ((std::vector<std::string>{ "320 * 240", "640 * 480", "720 * 480" }),
                      Entries(page, IDC_RECORD_MPEG4_SIZE));
            EXPECT_EQ(CSize(320, 240), engine.Mpeg4RecordSize);
            if (!engine.HasFM())
            {
                sheet.PressButton(PSBTN_CANCEL);
                return;
            }
            engine.SetVideoSource(CTVEngine::SOURCE_FM);
            sheet.SetActivePage(&sheet.m_VideoPage);
        },
        [&] {
            CVideoPage& page = sheet.m_VideoPage;
            for (int nID : { IDC_VIDEO_SIZE, IDC_VIDEO_BRIGHTNESS, IDC_VIDEO_SHARPNESS, IDC_VIDEO_NOISE_REDUCE,
                             IDC_VIDEO_USE_OVERLAY, IDC_VIDEO_DEFAULTS, IDC_VIDEO_SET_OVERLAY, IDC_VIDEO_DESKTOP })
                EXPECT_FALSE(IsEnabled(page, nID)) << nID;
            sheet.PressButton(PSBTN_CANCEL);
        },
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
}

TEST_F(SettingsSheet, TheSetupShapeIsAWizardOfFourPagesWithoutCancelAndFinishSaves)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    CStepSheet sheet;
    sheet.AddSetupPages();
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_EQ(&sheet.m_DevicePage, sheet.GetPage(0));
    EXPECT_EQ(&sheet.m_RecordFormatPage, sheet.GetPage(1));
    EXPECT_EQ(&sheet.m_TVChannelPage, sheet.GetPage(2));
    EXPECT_EQ(&sheet.m_VideoPage, sheet.GetPage(3));
    sheet.steps = {
        [&] {
            EXPECT_FALSE(sheet.GetDlgItem(IDCANCEL)->IsWindowEnabled());
            CString title;
            sheet.GetWindowText(title);
            EXPECT_EQ(0, title.Find("设置向导")) << title;
            sheet.SetActivePage(&sheet.m_RecordFormatPage);
        },
        [&] {
            ChooseText(sheet.m_RecordFormatPage, IDC_RECORD_FORMAT, "DVD");
            sheet.SetActivePage(3);
        },
        [&] { sheet.PressButton(PSBTN_FINISH); },
    };
    EXPECT_NE(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(3u, sheet.next);
    EXPECT_EQ(6, engine.GetRecordFormat());
}

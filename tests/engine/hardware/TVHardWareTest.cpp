// The graph manager's rules on their own (sizes, standards, results without a
// card) and against the simulated card through the real device enumerator:
// the missing card, the country code, the TV-audio node, the companion
// filter registration.
#include <gtest/gtest.h>

#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>

#include <string>
#include <vector>

#include "engine/TVHardWare.h"
#include "hardware/devices/CaptureDevice.h"
#include "tests/dshow/DShowTestUtil.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/engine/support/RecordingWindows.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
struct SizeRow
{
    int w, h;
    BOOL ntsc;
    int rw, rh;
};

class NormalizeSize : public ::testing::TestWithParam<SizeRow> {};

TEST_P(NormalizeSize, FollowsTheTable)
{
    const SizeRow& row = GetParam();
    CSize result = CTVHardWare::NormalizeVideoSize(CSize(row.w, row.h), row.ntsc);
    EXPECT_EQ(row.rw, result.cx);
    EXPECT_EQ(row.rh, result.cy);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, NormalizeSize,
    ::testing::Values(SizeRow{ 160, 999, TRUE, 160, 120 }, SizeRow{ 176, 1, FALSE, 176, 144 },
                      SizeRow{ 320, 479, TRUE, 320, 240 }, SizeRow{ 352, 480, TRUE, 320, 480 },
                      SizeRow{ 352, 479, FALSE, 352, 288 }, SizeRow{ 320, 480, FALSE, 352, 576 },
                      SizeRow{ 480, 10, TRUE, 480, 480 }, SizeRow{ 480, 10, FALSE, 480, 576 },
                      SizeRow{ 640, 10, TRUE, 640, 480 }, SizeRow{ 640, 10, FALSE, 640, 480 },
                      SizeRow{ 704, 479, TRUE, 720, 240 }, SizeRow{ 704, 480, TRUE, 720, 480 },
                      SizeRow{ 704, 479, FALSE, 704, 352 }, SizeRow{ 704, 576, FALSE, 704, 576 },
                      SizeRow{ 720, 240, FALSE, 720, 352 }, SizeRow{ 720, 480, FALSE, 720, 576 },
                      SizeRow{ 720, 479, TRUE, 720, 240 }, SizeRow{ 720, 576, TRUE, 720, 480 },
                      SizeRow{ 800, 600, TRUE, 800, 600 }, SizeRow{ 800, 600, FALSE, 800, 600 }));

TEST(TVHardWare, EachInputKeepsItsStandardAndTheRadioIsPalD)
{
    CTVHardWare hw;
    EXPECT_EQ(&hw, g_pTVHardWare);
    hw.TVStandard = AnalogVideo_NTSC_M_J;
    hw.AVStandard = AnalogVideo_NTSC_433;
    hw.SVStandard = AnalogVideo_SECAM_K;
    struct Row
    {
        int source, standard;
        BOOL ntsc;
    } rows[] = { { 0, AnalogVideo_NTSC_M_J, TRUE }, { 1, AnalogVideo_NTSC_433, TRUE },
                 { 2, AnalogVideo_SECAM_K, FALSE }, { 3, AnalogVideo_PAL_D, FALSE } };
    for (const Row& row : rows)
    {
        hw.m_nVideoSource = row.source;
        EXPECT_EQ(row.standard, hw.GetVideoStandard()) << row.source;
        EXPECT_EQ(row.ntsc, hw.IsNTSC()) << row.source;
    }
    hw.m_nVideoSource = 1;
    hw.m_CaptureSize = CSize(704, 300);
    hw.AdjustVideoSize();
    EXPECT_EQ(CSize(720, 240), hw.m_CaptureSize);
}

TEST(TVHardWare, WithoutACardTheOperationsStoreTheirSettingsAndReportNothingDone)
{
    CTVHardWare hw;
    EXPECT_FALSE(hw.SetHighQuality(TRUE));
    EXPECT_TRUE(hw.HightQuality);
    EXPECT_FALSE(hw.SetReduceValue(3));
    EXPECT_EQ(3, hw.ReduceValue);
    EXPECT_FALSE(hw.SetVideoProcAmp(VideoProcAmp_Hue, 4000));
    EXPECT_EQ(4000, hw.Hue);
    EXPECT_FALSE(hw.SetVideoProcAmp(7, 4000));
    EXPECT_FALSE(hw.ApplyVideoProcAmp());
    EXPECT_TRUE(hw.ApplyDisplayQuality(2));
    EXPECT_TRUE(hw.SetDisplayQuality(2));
    EXPECT_EQ(2, hw.DisplayQuality);
    EXPECT_FALSE(hw.HasFM());
    EXPECT_FALSE(hw.TakeSnapshot("x.bmp", 1, 0));
    CUIntArray standards;
    EXPECT_FALSE(hw.GetSupportedStandards(&standards));
    EXPECT_TRUE(hw.SetCountryCode(44));
    EXPECT_EQ(44, hw.CountryCode);
    EXPECT_TRUE(hw.SetVideoSize(CSize(352, 200)));
    EXPECT_EQ(CSize(352, 288), hw.m_CaptureSize);
    EXPECT_FALSE(hw.StartChannelScan(TRUE, FALSE));
    EXPECT_TRUE(hw.m_bScanning);
    EXPECT_TRUE(hw.StopChannelScan());
    EXPECT_FALSE(hw.m_bScanning);
    EXPECT_FALSE(hw.SetCardActive(TRUE));
    EXPECT_TRUE(hw.ValidateAudioSettings());
    hw.m_bRecording = TRUE;
    EXPECT_FALSE(hw.SetVideoRatio(16, 9));
    EXPECT_EQ(std::make_pair(0, 0), hw.m_RatioState);
}

// A card whose audio-input switch answers what the test says.
class CAudioInputCard : public CCaptureDevice
{
public:
    CAudioInputCard() : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL)) {}
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override
    {
        calls.push_back(std::make_pair(nInput, bEnable));
        return answer;
    }
    HRESULT answer = S_OK;
    std::vector<std::pair<int, BOOL> > calls;
};

TEST(TVHardWare, TheCardsAudioInputResultCountsOnlyWhenItSucceeded)
{
    CTVHardWare hw;
    CAudioInputCard card;
    hw.m_pTVCardFilter = &card;
    struct Row
    {
        HRESULT answer;
        BOOL result;
    } rows[] = { { S_OK, TRUE }, { S_FALSE, TRUE }, { E_NOTIMPL, FALSE }, { E_FAIL, FALSE } };
    for (const Row& row : rows)
    {
        card.answer = row.answer;
        EXPECT_EQ(row.result, hw.SetCardActive(TRUE)) << std::hex << row.answer;
        EXPECT_EQ(row.result, hw.SetCardSource(CTVHardWare::SOURCE_SVIDEO, FALSE)) << std::hex << row.answer;
    }
    // The input class of each source; the radio is not stored as the source.
    card.calls.clear();
    card.answer = S_OK;
    hw.SetCardSource(CTVHardWare::SOURCE_TUNER, TRUE);
    hw.SetCardSource(CTVHardWare::SOURCE_COMPOSITE, TRUE);
    hw.SetCardSource(CTVHardWare::SOURCE_RADIO, TRUE);
    EXPECT_EQ(CTVHardWare::SOURCE_COMPOSITE, hw.GetVideoSource());
    hw.SetCardActive(FALSE);
    std::vector<std::pair<int, BOOL> > expected = { { 0, TRUE }, { 2, TRUE }, { 1, TRUE }, { 2, FALSE } };
    EXPECT_EQ(expected, card.calls);
    hw.m_pTVCardFilter = NULL;
}

TEST(TVHardWare, WithoutTheCardTheUserIsToldAndNothingStarts)
{
    ComScope com;
    // Only the card is missing: the companion filters are there.
    CFilterModules filters(PreviewFilterModules());
    CTVHardWare hw;
    CRecordingWindows windows;
    hw.SetEngineWindows(&windows);
    EXPECT_FALSE(hw.Initialize());
    EXPECT_EQ(nullptr, hw.GetCaptureDevice());
    ASSERT_EQ(1u, windows.messages.size());
    EXPECT_EQ("No TV card found.", windows.messages[0]);
    EXPECT_EQ(static_cast<UINT>(MB_OK), windows.types[0]);
    EXPECT_FALSE(hw.BuildPreviewGraph());
    EXPECT_EQ(2u, windows.messages.size());
}

class WithCard : public ::testing::Test
{
protected:
    ComScope com;
    CBlackBirdSimHost sim;
    CFilterModules filters{ PreviewFilterModules() };
    CRecordingWindows windows;
    CTVHardWare hw;

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        hw.SetEngineWindows(&windows);
    }
};

TEST_F(WithCard, TheTunerCountryDeviceMustCarryTheWholeName)
{
    // A one-letter device name matched any wanted name.
    RegisteredDevices oneLetter(AM_KSCATEGORY_TVTUNER, { { L"OndrixTest_X", L"X", CLSID_SimBlackBirdTuner } });
    ASSERT_HRESULT_SUCCEEDED(oneLetter.Result());
    EXPECT_FALSE(hw.SetTunerCountryCode(44));
    RegisteredDevices tuner(AM_KSCATEGORY_TVTUNER, { { L"OndrixTest_Ph", L"PhTVTuner 1236", CLSID_SimBlackBirdTuner } });
    ASSERT_HRESULT_SUCCEEDED(tuner.Result());
    EXPECT_TRUE(hw.SetTunerCountryCode(44));
}

TEST_F(WithCard, ShenzhenReachesTheTunerAsHongKongOnChannelTen)
{
    ASSERT_TRUE(hw.InitDevice(NULL));
    ASSERT_TRUE(hw.SetCountryCode(1201));
    EXPECT_EQ(1201, hw.CountryCode);
    ComPtr<IAMTVTuner> tuner;
    ASSERT_HRESULT_SUCCEEDED(hw.GetCaptureDevice()->GetTVTunerInterface(&tuner));
    long country = 0;
    tuner->get_CountryCode(&country);
    EXPECT_EQ(852, country);
    LONG channel = 0, video = -1, audio = -1;
    sim.Card()->GetTunerChannel(&channel, &video, &audio);
    EXPECT_EQ(10, channel);
    ASSERT_TRUE(hw.SetCountryCode(44));
    tuner->get_CountryCode(&country);
    EXPECT_EQ(44, country);
}

TEST_F(WithCard, TheTVAudioModeGoesThroughOneNode)
{
    RegisteredDevices tvAudio(AM_KSCATEGORY_TVAUDIO,
                              { { L"OndrixTest_Proteus", L"713x TV Card TV Audio (Proteus)", CLSID_SimBlackBirdTVAudio } });
    ASSERT_HRESULT_SUCCEEDED(tvAudio.Result());
    ASSERT_TRUE(hw.SetTVAudioMode(AMTVAUDIO_MODE_LANG_B));
    EXPECT_EQ(AMTVAUDIO_MODE_LANG_B, sim.Card()->GetTVAudioMode());
    ASSERT_TRUE(hw.SetTVAudioMode(AMTVAUDIO_MODE_MONO));
    EXPECT_EQ(AMTVAUDIO_MODE_MONO, sim.Card()->GetTVAudioMode());
    int nodes = 0;
    for (CFilterNode* p = hw.m_Graph.GetNodeList(); p != nullptr; p = p->GetNext())
        nodes += strcmp(p->GetName(), "TV Audio") == 0 ? 1 : 0;
    EXPECT_EQ(1, nodes);
}

TEST_F(WithCard, AMissingDeinterlacerIsRegisteredFromTheFiltersFolderOnce)
{
    ASSERT_HRESULT_SUCCEEDED(CFilterModules::Register("Filters\\Deinterlace.ax", FALSE));
    const CLSID kDeinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
    ComPtr<IBaseFilter> probe;
    ASSERT_HRESULT_FAILED(CoCreateInstance(kDeinterlace, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                           reinterpret_cast<void**>(&probe)));
    ASSERT_TRUE(hw.CreatePreviewFilter(TRUE));
    EXPECT_NE(nullptr, hw.m_pDeinterlaceFilter);
    EXPECT_NE(nullptr, hw.m_pAviDecompressor);
    EXPECT_NE(nullptr, hw.m_pTransformRatio);
    EXPECT_NE(nullptr, hw.m_pVideoRender);
    EXPECT_TRUE(windows.messages.empty());
}
}

namespace
{
std::string InprocServer(const char* pszClsid)
{
    std::string key = std::string("CLSID\\") + pszClsid + "\\InprocServer32";
    char value[MAX_PATH] = "";
    LONG cb = sizeof(value);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &cb) != ERROR_SUCCESS)
        return "";
    return value;
}
}

TEST(TVHardWare, TheCompanionFiltersRegisterFromAFolderWithBlanks)
{
    const char kClsid[] = "{C5683497-12D5-4ED1-BF8D-E53B349B0981}";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "Ondrix Program Folder";
    std::string filters = folder + "\\Filters";
    CreateDirectoryA(folder.c_str(), NULL);
    CreateDirectoryA(filters.c_str(), NULL);
    ASSERT_TRUE(CopyFileA("RegisterFiltersRun.exe", (folder + "\\RegisterFiltersRun.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA("Filters\\Deinterlace.ax", (filters + "\\Deinterlace.ax").c_str(), FALSE));
    // The libraries the program binds at load time go with it.
    ASSERT_TRUE(CopyFileA("DM1105.dll", (folder + "\\DM1105.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA("Grenvil.dll", (folder + "\\Grenvil.dll").c_str(), FALSE));
    ASSERT_HRESULT_SUCCEEDED(CFilterModules::Register("Filters\\Deinterlace.ax", FALSE));

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + folder + "\\RegisterFiltersRun.exe\"";
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup, &process));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(0u, code);
    std::string server = InprocServer(kClsid);
    // Registered from the copy, then put back to the build's own file.
    EXPECT_NE(std::string::npos, server.find("Ondrix Program Folder")) << server;
    ASSERT_HRESULT_SUCCEEDED(CFilterModules::Register("Filters\\Deinterlace.ax", TRUE));
    EXPECT_EQ(std::string::npos, InprocServer(kClsid).find("Ondrix Program Folder"));
}

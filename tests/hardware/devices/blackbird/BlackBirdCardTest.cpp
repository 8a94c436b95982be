// The BlackBird card as the engine opens it: by friendly name through the
// graph, the filter-class registry and the system device enumerator, on the
// simulated BlackBird driver.
#include <gtest/gtest.h>

#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>

#include <string.h>

#include <vector>

#include "dshow/DShowGraph.h"
#include "hardware/bus/BlackBirdRegisterAccess.h"
#include "hardware/devices/BlackBirdCapture.h"
#include "hardware/devices/BlackBirdCrossbar.h"
#include "hardware/devices/BlackBirdEncoder.h"
#include "hardware/devices/FilterClassTable.h"
#include "hardware/devices/TVAudioDevice.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const GUID kCategoryEncoder = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

class BlackBirdCard : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CDShowGraph graph;

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        RegisterFilterClasses();
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override { graph.DestroyGraph(); }

    CBlackBirdCapture* OpenCapture()
    {
        CFilterNode* pNode = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "BlackBird Video Capture",
                                                   "BlackBird Video Capture", FALSE, 0);
        return dynamic_cast<CBlackBirdCapture*>(pNode);
    }
    CBlackBirdCrossbar* OpenCrossbar()
    {
        CFilterNode* pNode = graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, "BlackBird Crossbar",
                                                   "BlackBird Crossbar", FALSE, 0);
        return dynamic_cast<CBlackBirdCrossbar*>(pNode);
    }
    CBlackBirdEncoder* OpenEncoder()
    {
        CFilterNode* pNode = graph.AddFilterByName(kCategoryEncoder, "BlackBird MPEG Encoder",
                                                   "BalckBird MPEG Encoder", FALSE, 0);
        return dynamic_cast<CBlackBirdEncoder*>(pNode);
    }
};

TEST_F(BlackBirdCard, OpensWithTheTunerItsEepromNames)
{
    sim.Card()->SetEepromTuner('T', 5);
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    EXPECT_TRUE(pCard->IsValid());
    EXPECT_EQ(CBlackBirdCapture::CARD_KIND_BLACKBIRD, pCard->GetCardType());
    EXPECT_EQ(5, pCard->GetTunerType());
    EXPECT_EQ('T', pCard->GetTunerLetter());
    EXPECT_STREQ("BlackBird Tuner", pCard->GetTunerFilterName());
    ASSERT_NE(nullptr, dynamic_cast<CBlackBirdRegisterAccess*>(pCard->GetRegisterAccess()));
    ASSERT_NE(nullptr, pCard->GetTunerModule());
    EXPECT_EQ(static_cast<CTunerOwner*>(pCard), pCard->GetTunerModule()->m_pOwner);
    EXPECT_EQ(0xC1, pCard->GetTunerModule()->m_byI2CRead);
    EXPECT_EQ(0xC0, pCard->GetTunerModule()->m_byI2CWrite);

    // The companions came from upstream of the capture pin and stay.
    EXPECT_NE(nullptr, pCard->GetTunerFilter());
    EXPECT_NE(nullptr, pCard->GetTunerInterface());
    EXPECT_NE(nullptr, pCard->GetCrossbarInterface());
    EXPECT_NE(nullptr, pCard->GetCrossbarFilter());
    EXPECT_NE(nullptr, pCard->GetTVAudioFilter());
    EXPECT_EQ(3, sim.Card()->GetCompanionsMade());
    EXPECT_EQ(AMTUNER_MODE_TV, sim.Card()->GetTunerMode());
    LONG channel = 0, video = -1, audio = -1;
    sim.Card()->GetTunerChannel(&channel, &video, &audio);
    EXPECT_EQ(1, channel);
    EXPECT_EQ(0, video);
    EXPECT_EQ(0, audio);

    ASSERT_NE(nullptr, pCard->GetCapturePin());
    EXPECT_STREQ("Capture", pCard->GetCapturePin()->GetName());
    EXPECT_EQ(pCard->GetCapturePin(), pCard->GetPin("Capture"));
    EXPECT_EQ(nullptr, pCard->GetPreviewPin());
    EXPECT_EQ(nullptr, pCard->GetPin("Preview"));
    EXPECT_STREQ("656", pCard->GetPin("656")->GetName());
    EXPECT_EQ(E_NOTIMPL, pCard->SetAudioInput(1, TRUE));
    BYTE key = 0;
    EXPECT_FALSE(pCard->ReadRemoteKey(&key));
}

TEST_F(BlackBirdCard, EepromNamesTheFallbacks)
{
    struct Row
    {
        char letter;
        BYTE type;
        int expectedLetter;
        int expectedType;
    } rows[] = { { 'B', 5, 'T', 5 }, { 'X', 255, 'X', 4 }, { 'A', 0, 'A', 4 }, { 'Y', 2, 'T', 2 } };
    for (const Row& row : rows)
    {
        sim.Card()->Reset();
        sim.Card()->SetEepromTuner(row.letter, row.type);
        CBlackBirdCapture* pCard = OpenCapture();
        ASSERT_NE(nullptr, pCard);
        EXPECT_EQ(row.expectedLetter, pCard->GetTunerLetter()) << row.letter;
        EXPECT_EQ(row.expectedType, pCard->GetTunerType()) << int(row.type);
        graph.RemoveFilter(pCard);
    }
}

TEST_F(BlackBirdCard, TunesAStationWithTheExactPllBytesAndReadsLock)
{
    sim.Card()->SetEepromTuner('T', 5);
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    sim.Card()->ClearBusLog();
    ASSERT_TRUE(pCard->SetTunerFrequency(471250.0f));
    // Divider (471250 + 38900) / 62.5 = 8162 (0x1FE2), control 0xCE, high band.
    std::vector<std::vector<BYTE> > writes = sim.WritesTo(0xC0);
    ASSERT_EQ(1u, writes.size());
    EXPECT_EQ(std::vector<BYTE>({ 0x1F, 0xE2, 0xCE, 0x08 }), writes[0]);
    EXPECT_TRUE(sim.Card()->IsOnStation());
    DWORD locked = 0;
    ASSERT_EQ(S_OK, pCard->IsSignalLocked(&locked));
    EXPECT_EQ(1u, locked);
    EXPECT_TRUE(pCard->GetTunerModule()->IsTVLocked());
    DWORD present = 0;
    EXPECT_TRUE(pCard->GetTunerModule()->IsSignalPresent(&present));
    EXPECT_EQ(1u, present);

    sim.Card()->ClearBusLog();
    ASSERT_TRUE(pCard->SetTunerFrequency(175250.0f));
    writes = sim.WritesTo(0xC0);
    ASSERT_EQ(1u, writes.size());
    // (175250 + 38900) / 62.5 = 3426 (0x0D62), mid band.
    EXPECT_EQ(std::vector<BYTE>({ 0x0D, 0x62, 0xCE, 0x02 }), writes[0]);
    ASSERT_EQ(S_OK, pCard->IsSignalLocked(&locked));
    EXPECT_EQ(0u, locked);
}

TEST_F(BlackBirdCard, SetsStandardsAndSizes)
{
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    LONG standard = 0, available = 0;
    ASSERT_EQ(S_OK, pCard->GetVideoStandard(&standard, &available));
    EXPECT_EQ(AnalogVideo_PAL_D, standard);
    EXPECT_NE(0, available & AnalogVideo_NTSC_M);
    ASSERT_EQ(S_OK, pCard->SetVideoStandard(AnalogVideo_NTSC_M));
    EXPECT_EQ(AnalogVideo_NTSC_M, sim.Card()->GetVideoStandard());
    EXPECT_NE(S_OK, pCard->SetVideoStandard(AnalogVideo_SECAM_L));

    struct Size
    {
        LONG width, height;
    } sizes[] = { { 720, 576 }, { 352, 288 }, { 720, 480 }, { 320, 240 } };
    for (const Size& size : sizes)
    {
        VideoFormatRecord record;
        ASSERT_EQ(S_OK, pCard->GetVideoFormat(&record, CCaptureDevice::PIN_SELECT_CAPTURE));
        EXPECT_EQ(2, record.nFormatCode);
        record.info.bmiHeader.biWidth = size.width;
        record.info.bmiHeader.biHeight = size.height;
        ASSERT_EQ(S_OK, pCard->SetVideoFormat(record, CCaptureDevice::PIN_SELECT_CAPTURE));
        VideoFormatRecord after;
        ASSERT_EQ(S_OK, pCard->GetVideoFormat(&after, CCaptureDevice::PIN_SELECT_CAPTURE));
        EXPECT_EQ(size.width, after.info.bmiHeader.biWidth);
        EXPECT_EQ(size.height, after.info.bmiHeader.biHeight);
        EXPECT_EQ(static_cast<DWORD>(size.width * size.height * 2), after.info.bmiHeader.biSizeImage);
    }
    // The card has no preview pin.
    VideoFormatRecord preview;
    EXPECT_NE(S_OK, pCard->GetVideoFormat(&preview, 0));

    VideoProcAmpRecord amp;
    ASSERT_EQ(S_OK, pCard->GetVideoProcAmp(VideoProcAmp_Brightness, &amp));
    EXPECT_EQ(0, amp.lMinimum);
    EXPECT_EQ(10000, amp.lMaximum);
    EXPECT_EQ(5020, amp.lDefault);
    ASSERT_EQ(S_OK, pCard->SetVideoProcAmp(VideoProcAmp_Sharpness, 3));
    EXPECT_EQ(3, sim.Card()->GetProcAmp(VideoProcAmp_Sharpness));
    EXPECT_EQ(E_INVALIDARG, pCard->GetVideoProcAmp(VideoProcAmp_Brightness, nullptr));
}

TEST_F(BlackBirdCard, CrossbarRoutesEverySource)
{
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    CBlackBirdCrossbar* pCrossbar = OpenCrossbar();
    ASSERT_NE(nullptr, pCrossbar);
    EXPECT_EQ(7, pCrossbar->GetPinCount());

    struct Row
    {
        int source;
        LONG videoPin;
        LONG audioPin;  // -1: no audio input for the source
    } rows[] = { { 0, SIM_XBAR_VIDEO_TUNER, SIM_XBAR_AUDIO_TUNER },
                 { 1, SIM_XBAR_VIDEO_COMPOSITE, SIM_XBAR_AUDIO_LINE },
                 { 2, SIM_XBAR_VIDEO_SVIDEO, -1 },
                 { 7, SIM_XBAR_VIDEO_TUNER, SIM_XBAR_AUDIO_TUNER } };
    for (const Row& row : rows)
    {
        EXPECT_TRUE(pCrossbar->RouteVideo(row.source)) << row.source;
        EXPECT_EQ(row.videoPin, sim.Card()->GetRoute(SIM_XBAR_OUT_VIDEO)) << row.source;
        LONG audioBefore = sim.Card()->GetRoute(SIM_XBAR_OUT_AUDIO);
        EXPECT_EQ(row.audioPin >= 0, pCrossbar->RouteAudio(row.source) != FALSE) << row.source;
        EXPECT_EQ(row.audioPin >= 0 ? row.audioPin : audioBefore, sim.Card()->GetRoute(SIM_XBAR_OUT_AUDIO));
    }
    // Pin numbers one past the crossbar's are refused before the crossbar sees them.
    EXPECT_FALSE(pCrossbar->Route(SIM_XBAR_INPUTS, 0));
    EXPECT_FALSE(pCrossbar->Route(0, SIM_XBAR_OUTPUTS));
    EXPECT_TRUE(pCrossbar->Route(SIM_XBAR_INPUTS - 1, 1));
}

TEST_F(BlackBirdCard, WithoutATunerFilterTheBusGoesThroughTheCaptureFilter)
{
    sim.Card()->SetCompanionsEnabled(FALSE);
    sim.Card()->SetEepromTuner('T', 5);
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    EXPECT_EQ(nullptr, pCard->GetTunerFilter());
    EXPECT_EQ(nullptr, pCard->GetCrossbarInterface());
    EXPECT_EQ(5, pCard->GetTunerType());
    ASSERT_NE(nullptr, pCard->GetTunerModule());
    sim.Card()->ClearBusLog();
    ASSERT_TRUE(pCard->SetTunerFrequency(471250.0f));
    EXPECT_EQ(1u, sim.WritesTo(0xC0).size());
}

TEST_F(BlackBirdCard, ReleasingTheCardTakesItsCompanionsOutOfTheGraph)
{
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    IGraphBuilder* pGraph = graph.GetGraphBuilder();
    auto count = [pGraph]() {
        int n = 0;
        ComPtr<IEnumFilters> pEnum;
        pGraph->EnumFilters(&pEnum);
        ComPtr<IBaseFilter> pFilter;
        while (pEnum && pEnum->Next(1, &pFilter, nullptr) == S_OK)
        {
            ++n;
            pFilter.Reset();
        }
        return n;
    };
    EXPECT_EQ(4, count());
    graph.RemoveFilter(pCard);
    EXPECT_EQ(0, count());
}

TEST_F(BlackBirdCard, EncoderPropertiesReadAndWriteAsThePresetsUseThem)
{
    CBlackBirdCapture* pCard = OpenCapture();
    ASSERT_NE(nullptr, pCard);
    CBlackBirdEncoder* pEncoder = OpenEncoder();
    ASSERT_NE(nullptr, pEncoder);
    EXPECT_STREQ("BalckBird MPEG Encoder", pEncoder->GetName());
    EXPECT_TRUE(graph.ConnectFilters(pCard, pEncoder, "656", "656"));
    EXPECT_TRUE(graph.ConnectFilters(pCard, pEncoder, "I2S", "I2S"));

    // The DVD preset in its order: 9, 8, 6, 7, 5, 4, 2, 1, 0.
    DWORD kind = 10, size = 3, put = 0, dataRate = 1, crc = 1, closeGop = 0;
    BYTE rate = 11, gop = 15;
    DWORD bitRate[3] = { 0, 4500000, 9800000 };
    struct Write
    {
        DWORD id;
        void* p;
        DWORD cb;
    } writes[] = { { 9, &kind, 4 }, { 8, &size, 4 }, { 6, &put, 4 }, { 7, &dataRate, 4 }, { 5, &crc, 4 },
                   { 4, &rate, 1 },  { 2, &gop, 1 },  { 1, &closeGop, 4 }, { 0, bitRate, 12 } };
    sim.Card()->ClearEncoderLog();
    for (const Write& w : writes)
        EXPECT_TRUE(pEncoder->SetEncoderProperty(w.id, w.p, w.cb)) << w.id;
    ASSERT_EQ(9, sim.Card()->GetEncoderWriteCount());
    for (int i = 0; i < 9; ++i)
    {
        DWORD id = 99, cb = 0;
        BYTE data[16] = {};
        ASSERT_TRUE(sim.Card()->GetEncoderWrite(i, &id, data, sizeof(data), &cb));
        EXPECT_EQ(writes[i].id, id);
        ASSERT_EQ(writes[i].cb, cb);
        EXPECT_EQ(0, memcmp(data, writes[i].p, cb)) << id;
    }

    DWORD readBack[3] = { 7, 7, 7 };
    ASSERT_TRUE(pEncoder->GetEncoderProperty(0, readBack, 12));
    EXPECT_EQ(0u, readBack[0]);
    EXPECT_EQ(4500000u, readBack[1]);
    EXPECT_EQ(9800000u, readBack[2]);
    BYTE audioRate = 0;
    ASSERT_TRUE(pEncoder->GetEncoderProperty(4, &audioRate, 1));
    EXPECT_EQ(11, audioRate);

    // A refused property fails and the driver still heard it.
    sim.Card()->RefuseEncoderProperty(6, E_FAIL);
    sim.Card()->ClearEncoderLog();
    EXPECT_FALSE(pEncoder->SetEncoderProperty(6, &put, 4));
    EXPECT_EQ(1, sim.Card()->GetEncoderWriteCount());
    EXPECT_FALSE(pEncoder->GetEncoderProperty(6, &put, 4));
    EXPECT_FALSE(pEncoder->SetEncoderProperty(3, &put, 4));
}

TEST_F(BlackBirdCard, EncoderWithoutPropertySetIsNotValidAndAnswersNothing)
{
    // A filter without IKsPropertySet: Wine's null renderer.
    static const CLSID kNullRenderer = { 0xC1F400A4, 0x3F08, 0x11D3,
                                         { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
    CBlackBirdEncoder encoder(&graph, kNullRenderer);
    EXPECT_NE(nullptr, encoder.GetFilter());
    EXPECT_FALSE(encoder.IsValid());
    DWORD value = 1;
    EXPECT_FALSE(encoder.SetEncoderProperty(9, &value, 4));
    EXPECT_FALSE(encoder.GetEncoderProperty(9, &value, 4));
}

// Wine's null renderer: a filter with one pin and neither crossbar, TV-audio
// nor property-set interfaces.
const CLSID kNullRenderer = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };

// The BlackBird crossbar's pin map for a crossbar of a given pin count.
class CPinCountCrossbar : public CBlackBirdCrossbar
{
public:
    CPinCountCrossbar(CDShowGraph* pGraph, int nPins) : CBlackBirdCrossbar(pGraph, kNullRenderer)
    {
        m_nPinCount = nPins;
        LoadPinMap();
    }
    ~CPinCountCrossbar() override { m_nPinCount = 1; }
};

TEST_F(BlackBirdCard, CrossbarPinMapDependsOnThePinCount)
{
    struct Row
    {
        int pins;
        LONG video[3];
        LONG audio[3];
    } rows[] = { { 7, { 0, 2, 1 }, { 3, 4, -1 } }, { 8, { 1, 2, 0 }, { 4, 5, 6 } }, { 6, { 1, 2, 0 }, { 4, 5, 6 } } };
    for (const Row& row : rows)
    {
        CPinCountCrossbar crossbar(&graph, row.pins);
        for (int source = 0; source < 3; ++source)
        {
            EXPECT_EQ(row.video[source], crossbar.GetVideoPin(source)) << row.pins << " pins, source " << source;
            EXPECT_EQ(row.audio[source], crossbar.GetAudioPin(source)) << row.pins << " pins, source " << source;
        }
        // A filter that is no crossbar routes nothing.
        EXPECT_FALSE(crossbar.RouteVideo(0));
    }
}

TEST_F(BlackBirdCard, TVAudioWrapperSetsTheSoundMode)
{
    CTVAudioDevice tvAudio(&graph, &AM_KSCATEGORY_TVAUDIO, "BlackBird TV Audio", FALSE);
    ASSERT_TRUE(tvAudio.Initfilter());
    LONG modes = 0;
    ASSERT_TRUE(tvAudio.GetHardwareSupportedTVAudioModes(&modes));
    EXPECT_NE(0, modes & AMTVAUDIO_MODE_LANG_B);
    ASSERT_TRUE(tvAudio.GetAvailableTVAudioModes(&modes));
    EXPECT_NE(0, modes & AMTVAUDIO_MODE_STEREO);
    ASSERT_TRUE(tvAudio.SetTVAudioMode(AMTVAUDIO_MODE_MONO));
    EXPECT_EQ(AMTVAUDIO_MODE_MONO, sim.Card()->GetTVAudioMode());
    LONG mode = 0;
    ASSERT_TRUE(tvAudio.GetTVAudioMode(&mode));
    EXPECT_EQ(AMTVAUDIO_MODE_MONO, mode);
    EXPECT_FALSE(tvAudio.SetTVAudioMode(0));

    CTVAudioDevice notTVAudio(&graph, kNullRenderer);
    EXPECT_FALSE(notTVAudio.Initfilter());
    EXPECT_FALSE(notTVAudio.SetTVAudioMode(AMTVAUDIO_MODE_MONO));
    EXPECT_FALSE(notTVAudio.GetTVAudioMode(&mode));
}
}

// The MainConcept wrappers against fake filters that record what they are
// told (the real filters are not part of this system).
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "dshow/DShowGraph.h"
#include "dshow/MCEncoderFilter.h"
#include "dshow/MCVideoDecoder.h"
#include "platform/dshow/Streams.h"

namespace
{
class CFakeParameters : public IMCParameters
{
public:
    explicit CFakeParameters(std::vector<std::string>* pLog, const char* pszName) : m_pLog(pLog), m_pszName(pszName) {}
    STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetParameter(LONG, LONG* p) override { *p = 0; return S_OK; }
    STDMETHODIMP SetParameter(LONG n, LONG v) override
    {
        m_pLog->push_back(std::string(m_pszName) + " " + std::to_string(n) + "=" + std::to_string(v));
        return refuse == n ? E_FAIL : S_OK;
    }
    LONG refuse = -1;

private:
    std::vector<std::string>* m_pLog;
    const char* m_pszName;
};

class CFakeEncoder : public CBaseFilter, public IMCVideoEncoderSettings, public IMCAudioEncoderSettings,
                     public IMCMultiplexerSettings, public IFileSinkFilter
{
public:
    CFakeEncoder() : CBaseFilter("fake encoder", nullptr, &m_lock, GUID_NULL), video(&log, "video"),
                     audio(&log, "audio")
    {
        memset(&defaults, 0, sizeof(defaults));
        defaults.data[48] = 7;
        defaults.data[812] = 0xFF;
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMCVideoEncoderSettings)
            return GetInterface(static_cast<IMCVideoEncoderSettings*>(this), ppv);
        if (riid == IID_IMCAudioEncoderSettings)
            return GetInterface(static_cast<IMCAudioEncoderSettings*>(this), ppv);
        if (riid == IID_IMCMultiplexerSettings && !noMux)
            return GetInterface(static_cast<IMCMultiplexerSettings*>(this), ppv);
        if (riid == IID_IFileSinkFilter)
            return GetInterface(static_cast<IFileSinkFilter*>(this), ppv);
        if (riid == IID_IMCVideoEncoderParameters)
            return GetInterface(static_cast<IMCParameters*>(&video), ppv);
        if (riid == IID_IMCAudioEncoderParameters)
            return GetInterface(static_cast<IMCParameters*>(&audio), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    // Video settings.
    STDMETHODIMP Value1(LONG) override { return S_OK; }
    STDMETHODIMP Value2(LONG) override { return S_OK; }
    STDMETHODIMP Value3(LONG) override { return S_OK; }
    STDMETHODIMP Value4(LONG) override { return S_OK; }
    STDMETHODIMP Values5(LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP Values6(LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP Value7(LONG) override { return S_OK; }
    STDMETHODIMP Value8(LONG) override { return S_OK; }
    STDMETHODIMP Values9(LONG, LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP GetSettings(MCVideoSettings* p) override { *p = written; return S_OK; }
    STDMETHODIMP SetSettings(MCVideoSettings s) override
    {
        written = s;
        log.push_back("video block");
        return S_OK;
    }
    STDMETHODIMP GetDefaultSettings(LONG type, LONG pal, MCVideoSettings* p) override
    {
        log.push_back("video defaults " + std::to_string(type) + " " + std::to_string(pal));
        *p = defaults;
        return S_OK;
    }
    STDMETHODIMP Values13(LONG, LONG) override { return S_OK; }
    // Audio settings.
    STDMETHODIMP Value5(LONG) override { return S_OK; }
    STDMETHODIMP Value6(LONG) override { return S_OK; }
    STDMETHODIMP Value9(LONG) override { return S_OK; }
    STDMETHODIMP SetSettings(MCAudioSettings s) override
    {
        audioWritten = s;
        log.push_back("audio record");
        return S_OK;
    }
    STDMETHODIMP GetDefaultSettings(LONG type, MCAudioSettings* p) override
    {
        log.push_back("audio defaults " + std::to_string(type));
        for (int i = 0; i < 9; ++i)
            p->fields[i] = 100 + i;
        return S_OK;
    }
    STDMETHODIMP Value12(LONG) override { return S_OK; }
    // Multiplexer settings.
    STDMETHODIMP SetSettings(MCMuxSettings) override { return S_OK; }
    STDMETHODIMP Values5(LONG, LONG) override { return S_OK; }
    STDMETHODIMP SetMultiplexType(LONG t) override
    {
        log.push_back("mux " + std::to_string(t));
        return S_OK;
    }
    // Output file.
    STDMETHODIMP SetFileName(LPCOLESTR pszName, const AM_MEDIA_TYPE*) override
    {
        file = pszName != nullptr ? pszName : L"(null)";
        return S_OK;
    }
    STDMETHODIMP GetCurFile(LPOLESTR*, AM_MEDIA_TYPE*) override { return E_NOTIMPL; }

    std::vector<std::string> log;
    CFakeParameters video;
    CFakeParameters audio;
    MCVideoSettings defaults;
    MCVideoSettings written = {};
    MCAudioSettings audioWritten = {};
    std::wstring file;
    bool noMux = false;

private:
    CCritSec m_lock;
};

class MainConcept : public ::testing::Test
{
protected:
    CDShowGraph graph;
    CFakeEncoder* pFake = nullptr;
    ComPtr<IBaseFilter> filter;
    void SetUp() override
    {
        ASSERT_TRUE(graph.CreateGraph());
        pFake = new CFakeEncoder();
        pFake->NonDelegatingAddRef();
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
    }
    void TearDown() override
    {
        filter.Reset();
        pFake->NonDelegatingRelease();
        graph.DestroyGraph();
    }
};

template <class T>
T At(const MCVideoSettings& s, size_t offset)
{
    T v;
    memcpy(&v, s.data + offset, sizeof(T));
    return v;
}

TEST(MpegPresets, EveryPresetFromTheTable)
{
    struct Row
    {
        BOOL (*pfnFill)(MpegPreset*, BOOL);
        BOOL bPal;
        LONG type, mpeg2, header;
        double bitRate;
        LONG width, height, last;
    } rows[] = { { &CMCEncoderFilter::FillMPEG1Preset, TRUE, 0, 0, 2, 4500000, 352, 288, 2 },
                 { &CMCEncoderFilter::FillVCDPreset, FALSE, 1, 0, 1, 1150000, 352, 240, 2 },
                 { &CMCEncoderFilter::FillMPEG2Preset, FALSE, 2, 1, 2, 4500000, 720, 480, 2 },
                 { &CMCEncoderFilter::FillSVCDPreset, TRUE, 3, 1, 1, 2200000, 480, 576, 2 },
                 { &CMCEncoderFilter::FillDVDPreset, TRUE, 4, 1, 1, 7200000, 720, 576, 4 },
                 { &CMCEncoderFilter::FillDVDPreset2, FALSE, 4, 1, 1, 4500000, 720, 480, 4 } };
    for (const Row& row : rows)
    {
        MpegPreset preset;
        ASSERT_TRUE(row.pfnFill(&preset, row.bPal));
        EXPECT_EQ(row.type, preset.nType);
        EXPECT_EQ(row.mpeg2, preset.bMpeg2);
        EXPECT_EQ(row.header, preset.nHeaderCode);
        EXPECT_EQ(row.bitRate, preset.dBitRate);
        EXPECT_EQ(9800000.0, preset.dMaxBitRate);
        EXPECT_EQ(row.width, preset.nWidth);
        EXPECT_EQ(row.height, preset.nHeight) << row.type;
        EXPECT_EQ(11, preset.nAudioValue);
        EXPECT_EQ(row.last, preset.nLastValue);
        EXPECT_FALSE(row.pfnFill(nullptr, row.bPal));
    }
}

TEST_F(MainConcept, VcdPresetWritesTheVideoBlockParametersAudioAndMultiplexType)
{
    CMCEncoderFilter encoder(&graph, filter.Get());
    ASSERT_TRUE(encoder.IsValid());
    EXPECT_TRUE(encoder.GetRefreshPins());
    MpegPreset preset;
    ASSERT_TRUE(CMCEncoderFilter::FillVCDPreset(&preset, TRUE));
    ASSERT_TRUE(encoder.ApplyPreset(&preset));
    std::vector<std::string> expected = { "video defaults 1 1", "video block", "video 97=0", "video 96=1",
                                          "audio 96=1", "audio defaults 1", "audio record", "mux 1" };
    EXPECT_EQ(expected, pFake->log);
    const MCVideoSettings& block = pFake->written;
    EXPECT_EQ(1, At<LONG>(block, 48));
    EXPECT_EQ(1150000.0, At<double>(block, 64));
    EXPECT_EQ(9800000.0, At<double>(block, 72));
    EXPECT_EQ(352, At<LONG>(block, 408));
    EXPECT_EQ(288, At<LONG>(block, 412));
    // Header code 1 in bits 1 to 4; bits 0, 5, 6 and 7 keep the default.
    EXPECT_EQ(0xE3, block.data[812]);
    EXPECT_EQ(1150000.0, At<double>(block, 821));
    EXPECT_EQ(0, pFake->audioWritten.fields[0]);
    EXPECT_EQ(2, pFake->audioWritten.fields[1]);
    EXPECT_EQ(102, pFake->audioWritten.fields[2]);
    EXPECT_EQ(11, pFake->audioWritten.fields[3]);
}

TEST_F(MainConcept, Mpeg2PresetKeepsTheDefaultFlagAndStopsAtTheFirstRefusal)
{
    CMCEncoderFilter encoder(&graph, filter.Get());
    MpegPreset preset;
    ASSERT_TRUE(CMCEncoderFilter::FillMPEG2Preset(&preset, FALSE));
    pFake->video.refuse = 96;
    EXPECT_FALSE(encoder.ApplyPreset(&preset));
    std::vector<std::string> expected = { "video defaults 2 0", "video block", "video 97=0", "video 96=1" };
    EXPECT_EQ(expected, pFake->log);
    EXPECT_EQ(7, At<LONG>(pFake->written, 48));
    EXPECT_EQ(480, At<LONG>(pFake->written, 412));
    EXPECT_EQ(0xE5, pFake->written.data[812]);
    EXPECT_FALSE(encoder.ApplyPreset(nullptr));
    ASSERT_TRUE(encoder.SetFileName("radio.mp2"));
    EXPECT_EQ(L"radio.mp2", pFake->file);
}

TEST_F(MainConcept, EncoderWithoutAnInterfaceIsNotValid)
{
    pFake->noMux = true;
    CMCEncoderFilter encoder(&graph, filter.Get());
    EXPECT_FALSE(encoder.IsValid());
    MpegPreset preset;
    CMCEncoderFilter::FillMPEG2Preset(&preset, TRUE);
    EXPECT_FALSE(encoder.ApplyPreset(&preset));
}

class CFakeDecoder : public CBaseFilter, public IMCVideoDecoderConfig, public IMCParameters
{
public:
    CFakeDecoder() : CBaseFilter("fake decoder", nullptr, &m_lock, GUID_NULL) {}
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMCVideoDecoderConfig)
            return GetInterface(static_cast<IMCVideoDecoderConfig*>(this), ppv);
        if (riid == IID_IMCVideoDecoderParameters)
            return GetInterface(static_cast<IMCParameters*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }
    STDMETHODIMP Values1(LONG, LONG) override { return S_OK; }
    STDMETHODIMP Values2(LONG, LONG) override { return S_OK; }
    STDMETHODIMP EnableOutputFormat(DWORD code, BOOL on) override
    {
        char text[5] = {};
        memcpy(text, &code, 4);
        log.push_back(std::string(text) + (on ? "+" : "-"));
        return refuse == code ? E_FAIL : S_OK;
    }
    STDMETHODIMP GetConfig(MCVideoDecoderConfig*) override { return S_OK; }
    STDMETHODIMP SetConfig(MCVideoDecoderConfig*) override { return S_OK; }
    STDMETHODIMP GetParameter(LONG, LONG* p) override { *p = 0; return S_OK; }
    STDMETHODIMP SetParameter(LONG n, LONG v) override
    {
        log.push_back("param " + std::to_string(n) + "=" + std::to_string(v));
        return S_OK;
    }
    std::vector<std::string> log;
    DWORD refuse = 0;

private:
    CCritSec m_lock;
};

TEST(MainConceptDecoder, OffersYuy2Alone)
{
    CDShowGraph graph;
    ASSERT_TRUE(graph.CreateGraph());
    const DWORD kRefusals[] = { 0, MAKEFOURCC('U', 'Y', 'V', 'Y') };
    for (DWORD refuse : kRefusals)
    {
        CFakeDecoder* pFake = new CFakeDecoder();
        pFake->refuse = refuse;
        pFake->NonDelegatingAddRef();
        {
            ComPtr<IBaseFilter> filter;
            pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
            CMCVideoDecoder decoder(&graph, filter.Get());
            if (refuse == 0)
            {
                EXPECT_TRUE(decoder.IsValid());
                std::vector<std::string> expected = { "YUY2+", "BGR4-", "BGR3-", "R555-", "R565-", "UYVY-", "YV12-",
                                                      "param 32=0" };
                EXPECT_EQ(expected, pFake->log);
            }
            else
            {
                EXPECT_FALSE(decoder.IsValid());
                EXPECT_EQ(6u, pFake->log.size());
            }
        }
        pFake->NonDelegatingRelease();
    }
    graph.DestroyGraph();
}
}

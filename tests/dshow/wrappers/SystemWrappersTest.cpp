// The dump and multiplexer wrappers on real filters: our file sink as the
// dump, Wine's AVI multiplexer as the mux.
#include <gtest/gtest.h>

#include "dshow/DShowGraph.h"
#include "dshow/DumpFilter.h"
#include "dshow/FileWriteFilter.h"
#include "dshow/FilterClass.h"
#include "dshow/MuxFilter.h"
#include "platform/standins/testfilters/TestFilters.h"

namespace
{
const CLSID kNullRenderer = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID kAviMux = { 0xE2510970, 0xF137, 0x11CE, { 0x8B, 0x67, 0x00, 0xAA, 0x00, 0xA3, 0xF1, 0xA6 } };
const CLSID kFileWriter = { 0x8596E5F0, 0x0DA5, 0x11D0, { 0xBD, 0x21, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86 } };

// The rows of the wrappers these tests add by class identifier.
const CFilterClass kWrapperRows[] = {
    { &kAviMux, NULL, "Microsoft Mux Filter", CreateFilterNodeOf<CMuxFilter>, FALSE, "Microsoft Mux Filter" },
    { &kFileWriter, NULL, "File Write Filter", CreateFilterNodeOf<CFileWriteFilter>, FALSE, "File Write Filter" },
};

class SystemWrappers : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override
    {
        CFilterClass::SetTable(kWrapperRows, 2);
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        CFilterClass::SetTable(nullptr, 0);
    }
};

TEST_F(SystemWrappers, DumpNamesTheFileItsFilterWrites)
{
    ComPtr<IBaseFilter> sink;
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    CDumpFilter dump(&graph, sink.Get());
    ASSERT_TRUE(dump.IsValid());
    ASSERT_TRUE(dump.SetFileName("dump-wrapper.mpg"));
    ComPtr<IFileSinkFilter> fileSink;
    ASSERT_HRESULT_SUCCEEDED(sink->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&fileSink)));
    LPOLESTR pszName = nullptr;
    ASSERT_HRESULT_SUCCEEDED(fileSink->GetCurFile(&pszName, nullptr));
    ASSERT_NE(nullptr, pszName);
    EXPECT_STREQ(L"dump-wrapper.mpg", pszName);
    CoTaskMemFree(pszName);

    CDumpFilter notADump(&graph, kNullRenderer);
    EXPECT_TRUE(notADump.IsValid());
    EXPECT_FALSE(notADump.SetFileName("x.mpg"));
}

TEST_F(SystemWrappers, MuxAddedByItsClassIsConfigured)
{
    CFilterNode* pNode = graph.AddFilter(kAviMux, "Mux");
    CMuxFilter* pMux = dynamic_cast<CMuxFilter*>(pNode);
    ASSERT_NE(nullptr, pMux);
    EXPECT_TRUE(pMux->GetRefreshPins());
    ComPtr<IConfigInterleaving> interleaving;
    EXPECT_EQ(S_OK, pMux->GetFilter()->QueryInterface(IID_IConfigInterleaving,
                                                      reinterpret_cast<void**>(&interleaving)));
    // Wine's multiplexer has the compatibility switch and the master stream
    // as stubs (E_NOTIMPL); the configuration goes through all the same.
    EXPECT_TRUE(pMux->Configure(1));

    // A filter that is no multiplexer makes no valid mux node.
    CMuxFilter notAMux(&graph, kNullRenderer);
    EXPECT_FALSE(notAMux.IsValid());
    EXPECT_FALSE(notAMux.Configure(1));
}
}

#include "dshow/TimeShiftFilter.h"
#include "platform/dshow/Streams.h"

#include <string>
#include <vector>

namespace
{
TEST_F(SystemWrappers, FileWriterNamesItsFile)
{
    CFileWriteFilter* pWriter = dynamic_cast<CFileWriteFilter*>(graph.AddFilter(kFileWriter, "File Writer"));
    ASSERT_NE(nullptr, pWriter);
    ASSERT_TRUE(pWriter->SetFileName("C:\\recording.avi"));
    // Wine's writer does not tell its file (GetCurFile is E_NOTIMPL); our
    // file sink does.
    ComPtr<IBaseFilter> sink;
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(nullptr, &sink));
    CFileWriteFilter writer(&graph, sink.Get());
    ASSERT_TRUE(writer.IsValid());
    ASSERT_TRUE(writer.SetFileName("recording.avi"));
    char szName[MAX_PATH] = {};
    ASSERT_TRUE(writer.GetFileName(szName, MAX_PATH));
    EXPECT_STREQ("recording.avi", szName);
    EXPECT_FALSE(writer.GetFileName(szName, 0));

    CFileWriteFilter notAWriter(&graph, kNullRenderer);
    EXPECT_FALSE(notAWriter.IsValid());
    EXPECT_FALSE(notAWriter.SetFileName("x.avi"));
}

// A time-shift filter that records what the wrapper asks of it.
class CFakeTimeShift : public CBaseFilter, public ITimeShift
{
public:
    CFakeTimeShift() : CBaseFilter("fake time shift", nullptr, &m_lock, GUID_NULL) {}
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_ITimeShift)
            return GetInterface(static_cast<ITimeShift*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    STDMETHODIMP SetReadPosition(LONGLONG* p) override { calls.push_back("seek " + std::to_string(*p)); return result; }
    STDMETHODIMP GetPositions(LONGLONG* a, LONGLONG* b, LONGLONG* c) override
    {
        *a = 10;
        *b = 20;
        *c = 30;
        calls.push_back("positions");
        return result;
    }
    STDMETHODIMP SetBufferSize(LONGLONG* p, DWORD v) override
    {
        calls.push_back("size " + std::to_string(*p) + " " + std::to_string(v));
        return result;
    }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP TogglePause() override { calls.push_back("pause"); return result; }
    STDMETHODIMP SetFileNames(LPCSTR a, LPCSTR b) override
    {
        calls.push_back(std::string("files ") + a + " " + b);
        return result;
    }

    std::vector<std::string> calls;
    HRESULT result = S_OK;

private:
    CCritSec m_lock;
};

TEST_F(SystemWrappers, TimeShiftPassesEveryCallAndNamesTheIndex)
{
    CFakeTimeShift* pFake = new CFakeTimeShift();
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        CTimeShiftFilter timeShift(&graph, filter.Get());
        ASSERT_TRUE(timeShift.IsValid());
        EXPECT_TRUE(timeShift.SetFileName("D:\\tv\\a.b~TF.mpg"));
        LONGLONG size = 1LL << 33;
        EXPECT_TRUE(timeShift.SetBufferSize(&size, 7));
        LONGLONG a = 0, b = 0, c = 0;
        EXPECT_TRUE(timeShift.GetPositions(&a, &b, &c));
        EXPECT_EQ(30, c);
        LONGLONG zero = 0;
        EXPECT_TRUE(timeShift.SetPosition(&zero));
        EXPECT_TRUE(timeShift.TogglePause());
        pFake->result = S_FALSE;
        EXPECT_FALSE(timeShift.TogglePause());
        std::vector<std::string> expected = { "files D:\\tv\\a.b~TF.mpg D:\\tv\\a.b~TF.idx", "size 8589934592 7",
                                              "positions", "seek 0", "pause", "pause" };
        EXPECT_EQ(expected, pFake->calls);
    }
    pFake->NonDelegatingRelease();

    CTimeShiftFilter notTimeShift(&graph, kNullRenderer);
    EXPECT_FALSE(notTimeShift.IsValid());
    EXPECT_FALSE(notTimeShift.TogglePause());
    EXPECT_FALSE(notTimeShift.SetFileName("x.mpg"));
}

TEST(TimeShiftIndexName, EndsAtTheLastDotOfTheFileName)
{
    struct Row
    {
        const char* media;
        const char* index;
    } rows[] = { { "a.b.mpg", "a.b.idx" }, { "C:\\x~TF.mpg", "C:\\x~TF.idx" }, { "C:\\v1.0\\clip", "C:\\v1.0\\clip.idx" },
                 { "noext", "noext.idx" }, { "\xb5\xe7\xca\xd3.mpg", "\xb5\xe7\xca\xd3.idx" } };
    for (const Row& row : rows)
    {
        char szIndex[MAX_PATH] = {};
        ASSERT_TRUE(CTimeShiftFilter::MakeIndexName(row.media, szIndex, MAX_PATH)) << row.media;
        EXPECT_STREQ(row.index, szIndex);
    }
    char szSmall[8];
    EXPECT_FALSE(CTimeShiftFilter::MakeIndexName("abcd.mpg", szSmall, 8));
    EXPECT_TRUE(CTimeShiftFilter::MakeIndexName("abc.mpg", szSmall, 8));
}
}

#include "dshow/Mpeg2DemuxFilter.h"

#include <ks.h>
#include <ksmedia.h>
#include <dvdmedia.h>

namespace
{
class CFakeDemux;

// An output pin the fake demultiplexer makes, recording its stream mapping.
class CFakeDemuxPin : public CBasePin, public IMPEG2StreamIdMap
{
public:
    CFakeDemuxPin(CBaseFilter* pFilter, CCritSec* pLock, LPCWSTR pszName, const AM_MEDIA_TYPE& mt)
        : CBasePin("fake demux pin", pFilter, pLock, &m_hr, pszName, PINDIR_OUTPUT), m_type(mt)
    {
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMPEG2StreamIdMap)
            return GetInterface(static_cast<IMPEG2StreamIdMap*>(this), ppv);
        return CBasePin::NonDelegatingQueryInterface(riid, ppv);
    }
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    STDMETHODIMP MapStreamId(ULONG id, DWORD content, ULONG substream, int offset) override
    {
        mapped.push_back({ id, content, substream, static_cast<ULONG>(offset) });
        return S_OK;
    }
    STDMETHODIMP UnmapStreamId(ULONG, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumStreamIdMap(IEnumStreamIdMap**) override { return E_NOTIMPL; }

    HRESULT m_hr = S_OK;
    CMediaType m_type;
    std::vector<std::vector<ULONG> > mapped;
};

class CFakeDemux : public CBaseFilter, public IMpeg2Demultiplexer
{
public:
    CFakeDemux() : CBaseFilter("fake demux", nullptr, &m_lock, GUID_NULL) {}
    ~CFakeDemux() override
    {
        for (CFakeDemuxPin* p : pins)
            delete p;
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IMpeg2Demultiplexer)
            return GetInterface(static_cast<IMpeg2Demultiplexer*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return static_cast<int>(pins.size()); }
    CBasePin* GetPin(int n) override { return n >= 0 && n < GetPinCount() ? pins[n] : nullptr; }
    STDMETHODIMP CreateOutputPin(AM_MEDIA_TYPE* pmt, LPWSTR pszName, IPin** ppPin) override
    {
        pins.push_back(new CFakeDemuxPin(this, &m_lock, pszName, *pmt));
        IncrementPinVersion();
        *ppPin = pins.back();
        (*ppPin)->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetOutputPinMediaType(LPWSTR, AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    STDMETHODIMP DeleteOutputPin(LPWSTR) override { return E_NOTIMPL; }

    std::vector<CFakeDemuxPin*> pins;

private:
    CCritSec m_lock;
};

TEST_F(SystemWrappers, DemuxMakesTheVideoAndAudioPinsAndMapsTheirStreams)
{
    CFakeDemux* pFake = new CFakeDemux();
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        CMpeg2DemuxFilter demux(&graph, filter.Get());
        ASSERT_TRUE(demux.IsValid());
        EXPECT_TRUE(demux.GetRefreshPins());
        ASSERT_TRUE(demux.CreateOutputPin("Video", 0));
        ASSERT_TRUE(demux.CreateOutputPin("Audio", 7));
        ASSERT_EQ(2u, pFake->pins.size());

        const CMediaType& video = pFake->pins[0]->m_type;
        EXPECT_TRUE(video.majortype == MEDIATYPE_Video);
        EXPECT_TRUE(video.subtype == MEDIASUBTYPE_MPEG2_VIDEO);
        EXPECT_TRUE(video.formattype == FORMAT_MPEG2Video);
        ASSERT_EQ(218u, video.cbFormat);
        const MPEG2VIDEOINFO* pInfo = reinterpret_cast<const MPEG2VIDEOINFO*>(video.pbFormat);
        EXPECT_EQ(720, pInfo->hdr.bmiHeader.biWidth);
        EXPECT_EQ(333667, pInfo->hdr.AvgTimePerFrame);
        EXPECT_EQ(86u, pInfo->cbSequenceHeader);
        EXPECT_EQ(0xB3, reinterpret_cast<const BYTE*>(pInfo->dwSequenceHeader)[3]);

        const CMediaType& audio = pFake->pins[1]->m_type;
        EXPECT_TRUE(audio.subtype == MEDIASUBTYPE_MPEG2_AUDIO);
        EXPECT_TRUE(audio.formattype == FORMAT_WaveFormatEx);
        ASSERT_EQ(40u, audio.cbFormat);
        const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(audio.pbFormat);
        EXPECT_EQ(0x50, pWave->wFormatTag);
        EXPECT_EQ(48000u, pWave->nSamplesPerSec);
        EXPECT_EQ(22, pWave->cbSize);

        // The new pins are mapped only once the node's pin list has them.
        EXPECT_FALSE(demux.MapStream("Video", 0));
        demux.RefreshPins();
        ASSERT_TRUE(demux.MapStream("Video", 0));
        ASSERT_TRUE(demux.MapStream("Audio", 7));
        EXPECT_EQ(std::vector<std::vector<ULONG> >({ { 0xE0, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0 } }),
                  pFake->pins[0]->mapped);
        EXPECT_EQ(std::vector<std::vector<ULONG> >({ { 0xC0, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0 } }),
                  pFake->pins[1]->mapped);
    }
    pFake->NonDelegatingRelease();

    CMpeg2DemuxFilter notADemux(&graph, kNullRenderer);
    EXPECT_FALSE(notADemux.IsValid());
    EXPECT_FALSE(notADemux.CreateOutputPin("Video", 0));
}
}

#include "dshow/DeinterlaceFilter.h"
#include "dshow/OverlayMixerFilter.h"

namespace
{
class CFakeDeinterlace : public CBaseFilter, public IDeinterlace
{
public:
    CFakeDeinterlace() : CBaseFilter("fake deinterlace", nullptr, &m_lock, GUID_NULL) {}
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IDeinterlace)
            return GetInterface(static_cast<IDeinterlace*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    STDMETHODIMP GetQuality(LONG* p) override { *p = 1023; return S_OK; }
    STDMETHODIMP SetQuality(LONG v) override { return Log("quality", v); }
    STDMETHODIMP GetNoiseReduce(VARIANT_BOOL* p) override { *p = VARIANT_TRUE; return S_OK; }
    STDMETHODIMP SetNoiseReduce(VARIANT_BOOL v) override { return Log("noise", v); }
    STDMETHODIMP GetHalfRate(VARIANT_BOOL* p) override { *p = 1; return S_OK; }
    STDMETHODIMP SetHalfRate(VARIANT_BOOL v) override { return Log("half", v); }
    STDMETHODIMP GetReduceValue(LONG* p) override { *p = 4; return S_OK; }
    STDMETHODIMP SetReduceValue(LONG v) override { return Log("reduce", v); }
    STDMETHODIMP SaveSnapshot(LPCWSTR pszFile, LONG type, LONG quality) override
    {
        snapshot = pszFile;
        return Log("snapshot", type * 1000 + quality);
    }
    STDMETHODIMP GetDeinterlace(VARIANT_BOOL* p) override { *p = VARIANT_FALSE; return S_OK; }
    STDMETHODIMP SetDeinterlace(VARIANT_BOOL v) override { return Log("deinterlace", v); }

    HRESULT Log(const char* what, LONG v)
    {
        calls.push_back(std::string(what) + " " + std::to_string(v));
        return S_OK;
    }
    std::vector<std::string> calls;
    std::wstring snapshot;

private:
    CCritSec m_lock;
};

TEST_F(SystemWrappers, DeinterlaceSettingsReachTheFilter)
{
    CFakeDeinterlace* pFake = new CFakeDeinterlace();
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        CDeinterlaceFilter deinterlace(&graph, filter.Get());
        ASSERT_TRUE(deinterlace.IsValid());
        EXPECT_TRUE(deinterlace.SetHighQuality(TRUE));
        EXPECT_TRUE(deinterlace.SetHighQuality(FALSE));
        EXPECT_TRUE(deinterlace.SetNoiseReduce(5));
        EXPECT_TRUE(deinterlace.SetHalfRate(FALSE));
        EXPECT_TRUE(deinterlace.EnableDeinterlace(TRUE));
        EXPECT_FALSE(deinterlace.SetReduceValue(11));
        EXPECT_FALSE(deinterlace.SetReduceValue(-1));
        EXPECT_TRUE(deinterlace.SetReduceValue(10));
        EXPECT_TRUE(deinterlace.SetReduceValue(0));
        EXPECT_TRUE(deinterlace.SaveSnapshot("C:\\snap.jpg", 2, 100));
        EXPECT_FALSE(deinterlace.SaveSnapshot(NULL, 1, 0));
        std::vector<std::string> expected = { "quality 1023", "quality 1022", "noise -1",  "half 0",
                                              "deinterlace -1", "reduce 10", "reduce 0", "noise 0",
                                              "snapshot 2100" };
        EXPECT_EQ(expected, pFake->calls);
        EXPECT_EQ(L"C:\\snap.jpg", pFake->snapshot);
        LONG high = 0;
        BOOL on = FALSE;
        EXPECT_TRUE(deinterlace.GetHighQuality(&high));
        EXPECT_EQ(1, high);
        EXPECT_TRUE(deinterlace.GetNoiseReduce(&on));
        EXPECT_TRUE(on);
        // Only VARIANT_TRUE counts as on.
        EXPECT_TRUE(deinterlace.GetHalfRate(&on));
        EXPECT_FALSE(on);
    }
    pFake->NonDelegatingRelease();

    CDeinterlaceFilter notDeinterlace(&graph, kNullRenderer);
    EXPECT_FALSE(notDeinterlace.IsValid());
    EXPECT_FALSE(notDeinterlace.EnableDeinterlace(TRUE));
}

// The mixer's first input pin, recording the configuration it is given.
class CFakeMixerPin : public CBasePin, public IMixerPinConfig2
{
public:
    CFakeMixerPin(CBaseFilter* pFilter, CCritSec* pLock, LPCWSTR pszName)
        : CBasePin("fake mixer pin", pFilter, pLock, &m_hr, pszName, PINDIR_INPUT)
    {
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        static const IID kIid = { 0xEBF47182, 0x8764, 0x11D1, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };
        if (riid == kIid)
            return GetInterface(static_cast<IMixerPinConfig2*>(this), ppv);
        return CBasePin::NonDelegatingQueryInterface(riid, ppv);
    }
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    STDMETHODIMP SetRelativePosition(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelativePosition(DWORD*, DWORD*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetZOrder(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetZOrder(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorKey(COLORKEY* p) override { key = *p; return S_OK; }
    STDMETHODIMP GetColorKey(COLORKEY* p, DWORD* c) override { *p = key; *c = 0; return S_OK; }
    STDMETHODIMP SetBlendingParameter(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetBlendingParameter(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetAspectRatioMode(AM_ASPECT_RATIO_MODE m) override { mode = m; return S_OK; }
    STDMETHODIMP GetAspectRatioMode(AM_ASPECT_RATIO_MODE* p) override { *p = mode; return S_OK; }
    STDMETHODIMP SetStreamTransparent(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamTransparent(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP SetOverlaySurfaceColorControls(LPDDCOLORCONTROL p) override { sent.push_back(*p); return S_OK; }
    STDMETHODIMP GetOverlaySurfaceColorControls(LPDDCOLORCONTROL p) override
    {
        p->lContrast = 12345;
        return S_OK;
    }

    HRESULT m_hr = S_OK;
    COLORKEY key = {};
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;
    std::vector<DDCOLORCONTROL> sent;
};

class CFakeMixer : public CBaseFilter
{
public:
    explicit CFakeMixer(LPCWSTR pszPin) : CBaseFilter("fake mixer", nullptr, &m_lock, GUID_NULL),
                                          m_pin(this, &m_lock, pszPin)
    {
    }
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? &m_pin : nullptr; }
    CCritSec m_lock;
    CFakeMixerPin m_pin;
};

TEST_F(SystemWrappers, OverlayMixerConfiguresItsFirstInput)
{
    CFakeMixer* pFake = new CFakeMixer(L"Input0");
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        COverlayMixerFilter mixer(&graph, filter.Get());
        ASSERT_TRUE(mixer.IsValid());
        BOOL letterBox = FALSE;
        EXPECT_TRUE(mixer.SetLetterBox(7));
        EXPECT_TRUE(mixer.GetLetterBox(&letterBox));
        EXPECT_TRUE(letterBox);
        EXPECT_TRUE(mixer.SetColorKey(RGB(16, 0, 16)));
        EXPECT_EQ(static_cast<DWORD>(CK_RGB), pFake->m_pin.key.KeyType);
        EXPECT_EQ(RGB(16, 0, 16), pFake->m_pin.key.HighColorValue);
        COLORREF color = 0;
        EXPECT_TRUE(mixer.GetColorKey(&color));
        EXPECT_EQ(RGB(16, 0, 16), color);

        EXPECT_TRUE(mixer.SetColorControl(0, 900));
        EXPECT_TRUE(mixer.SetColorControl(1, 8000));
        EXPECT_FALSE(mixer.SetColorControl(5, 1));
        EXPECT_FALSE(mixer.SetColorControl(-1, 1));
        ASSERT_EQ(2u, pFake->m_pin.sent.size());
        EXPECT_EQ(40u, pFake->m_pin.sent[1].dwSize);
        EXPECT_EQ(static_cast<DWORD>(DDCOLOR_CONTRAST), pFake->m_pin.sent[1].dwFlags);
        EXPECT_EQ(900, pFake->m_pin.sent[1].lBrightness);
        EXPECT_EQ(8000, pFake->m_pin.sent[1].lContrast);
        LONG value = 0;
        EXPECT_TRUE(mixer.GetColorControl(1, &value));
        EXPECT_EQ(12345, value);

        LONG minimum = 1, maximum = 1;
        EXPECT_TRUE(mixer.GetColorControlRange(2, &minimum, &maximum, nullptr));
        EXPECT_EQ(-180, minimum);
        EXPECT_EQ(180, maximum);
        EXPECT_FALSE(mixer.GetColorControlRange(5, &minimum, nullptr, nullptr));
    }
    pFake->NonDelegatingRelease();

    // Without "Input0" the node stays valid and does nothing.
    CFakeMixer* pOther = new CFakeMixer(L"Other");
    pOther->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pOther->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        COverlayMixerFilter mixer(&graph, filter.Get());
        EXPECT_TRUE(mixer.IsValid());
        EXPECT_FALSE(mixer.SetLetterBox(TRUE));
        EXPECT_FALSE(mixer.SetColorControl(0, 1));
        EXPECT_FALSE(mixer.GetColorControlRange(0, nullptr, nullptr, nullptr));
        EXPECT_TRUE(pOther->m_pin.sent.empty());
    }
    pOther->NonDelegatingRelease();
}
}

#include "dshow/SnapPictureFilter.h"

namespace
{
// The snapshot filter's private interface, keeping the requests it is given.
class CFakeSnap : public CBaseFilter, public ISnapPicture
{
public:
    CFakeSnap() : CBaseFilter("fake snapshot", nullptr, &m_lock, GUID_NULL) {}
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_ISnapPicture)
            return GetInterface(static_cast<ISnapPicture*>(this), ppv);
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }
    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }
    STDMETHODIMP Reserved1(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Command(LONG lCommand, SnapPictureRequest* pRequest) override
    {
        commands.push_back(lCommand);
        requests.push_back(*pRequest);
        return S_OK;
    }
    std::vector<LONG> commands;
    std::vector<SnapPictureRequest> requests;

private:
    CCritSec m_lock;
};

TEST_F(SystemWrappers, SnapshotRequestsCrossWithTypeAndQualityHeldToTheirRanges)
{
    CFakeSnap* pFake = new CFakeSnap();
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        CSnapPictureFilter snap(&graph, filter.Get());
        ASSERT_TRUE(snap.IsValid());
        struct Row
        {
            LONG type, quality;
            DWORD sentType, sentQuality;
        } rows[] = { { 1, 0, 1, 0 }, { 2, 150, 2, 100 }, { 2, -3, 2, 0 }, { 7, 50, 0, 50 }, { 0, 100, 0, 100 } };
        for (const Row& row : rows)
            ASSERT_TRUE(snap.SnapPicture(row.type, "C:\\snap.bmp", row.quality)) << row.type;
        ASSERT_EQ(5u, pFake->requests.size());
        for (size_t i = 0; i < 5; ++i)
        {
            EXPECT_EQ(1, pFake->commands[i]);
            EXPECT_EQ(272u, pFake->requests[i].cbSize);
            EXPECT_EQ(rows[i].sentType, pFake->requests[i].dwType) << i;
            EXPECT_EQ(rows[i].sentQuality, pFake->requests[i].dwQuality) << i;
            EXPECT_STREQ("C:\\snap.bmp", pFake->requests[i].szFile);
        }
        // Type 3 and a missing name are refused; a name must leave room for its terminator.
        EXPECT_FALSE(snap.SnapPicture(3, "C:\\snap.bmp", 10));
        EXPECT_FALSE(snap.SnapPicture(1, nullptr, 10));
        std::string longest = "C:\\" + std::string(256, 'a');
        EXPECT_TRUE(snap.SnapPicture(1, longest.c_str(), 10));
        EXPECT_EQ(longest, pFake->requests.back().szFile);
        EXPECT_FALSE(snap.SnapPicture(1, (longest + "b").c_str(), 10));
        EXPECT_EQ(6u, pFake->requests.size());
    }
    pFake->NonDelegatingRelease();

    CSnapPictureFilter notSnap(&graph, kNullRenderer);
    EXPECT_FALSE(notSnap.IsValid());
    EXPECT_FALSE(notSnap.SnapPicture(1, "C:\\x.bmp", 0));
}
}

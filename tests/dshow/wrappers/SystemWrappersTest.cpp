// The dump and multiplexer wrappers on real filters: our file sink as the
// dump, Wine's AVI multiplexer as the mux.
#include <gtest/gtest.h>

#include "dshow/DShowGraph.h"
#include "dshow/DumpFilter.h"
#include "dshow/MuxFilter.h"
#include "platform/standins/testfilters/TestFilters.h"

namespace
{
const CLSID kNullRenderer = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID kAviMux = { 0xE2510970, 0xF137, 0x11CE, { 0x8B, 0x67, 0x00, 0xAA, 0x00, 0xA3, 0xF1, 0xA6 } };

class SystemWrappers : public ::testing::Test
{
protected:
    CDShowGraph graph;
    void SetUp() override { ASSERT_TRUE(graph.CreateGraph()); }
    void TearDown() override { graph.DestroyGraph(); }
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

#include "dshow/FileWriteFilter.h"
#include "dshow/TimeShiftFilter.h"
#include "platform/dshow/Streams.h"

#include <string>
#include <vector>

namespace
{
const CLSID kFileWriter = { 0x8596E5F0, 0x0DA5, 0x11D0, { 0xBD, 0x21, 0x00, 0xA0, 0xC9, 0x11, 0xCE, 0x86 } };

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

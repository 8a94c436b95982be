#include <gtest/gtest.h>
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/platform/dshow/DsTestUtil.h"
#include "platform/dshow/GraphStreamsSupplement.h"

namespace {

class DsGraphTest : public ::testing::Test
{
protected:
    ComScope com;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(com.hr);
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  reinterpret_cast<void**>(&graph)));
        ASSERT_HRESULT_SUCCEEDED(ComQuery(graph, control));
    }
    void TearDown() override
    {
        if (control) control->Stop();
    }

    long WaitComplete(DWORD ms)
    {
        ComPtr<IMediaEvent> events;
        long code = 0;
        if (SUCCEEDED(ComQuery(graph, events))) events->WaitForCompletion(ms, &code);
        return code;
    }
};

struct ChunkCase
{
    size_t size;
    DWORD chunk;
};

class DsGraphChunkTest : public DsGraphTest, public ::testing::WithParamInterface<ChunkCase>
{
};

TEST_P(DsGraphChunkTest, PushThroughCopyToSinkIsByteExact)
{
    const ChunkCase c = GetParam();
    std::string in = TempPath("in.bin");
    std::string out = TempPath("out.bin");
    std::vector<BYTE> bytes = PatternBytes(c.size, unsigned(c.size + c.chunk));
    ASSERT_TRUE(WriteWholeFile(in, bytes));

    ComPtr<IBaseFilter> source, copy, sink;
    CFileAppendSink* sinkObj = nullptr;
    CCopyTransform* copyObj = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(in.c_str(), c.chunk, &source));
    ASSERT_HRESULT_SUCCEEDED(CreateCopyTransform(&copy, &copyObj));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(out.c_str(), &sink, &sinkObj));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(source, L"Source"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(copy, L"Copy"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(sink, L"Sink"));
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(source, 0), PinByIndex(copy, 0), nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(copy, 1), PinByIndex(sink, 0), nullptr));

    ASSERT_HRESULT_SUCCEEDED(control->Run());
    EXPECT_TRUE(sinkObj->WaitForEndOfStream(5000));
    EXPECT_EQ(EC_COMPLETE, WaitComplete(5000));
    ASSERT_HRESULT_SUCCEEDED(control->Stop());

    EXPECT_EQ(bytes, ReadWholeFile(out));
    std::vector<long> lengths = sinkObj->SampleLengths();
    size_t expectedSamples = (c.size + c.chunk - 1) / c.chunk;
    ASSERT_EQ(expectedSamples, lengths.size());
    for (size_t i = 0; i + 1 < lengths.size(); ++i) EXPECT_EQ(long(c.chunk), lengths[i]);
    if (!lengths.empty()) {
        EXPECT_EQ(long(c.size - (expectedSamples - 1) * c.chunk), lengths.back());
    }
    EXPECT_EQ(1, copyObj->StartCount());
    EXPECT_EQ(1, copyObj->StopCount());
    DeleteFileA(in.c_str());
    DeleteFileA(out.c_str());
}

INSTANTIATE_TEST_SUITE_P(Sizes, DsGraphChunkTest,
                         ::testing::Values(ChunkCase{0, 2048}, ChunkCase{1, 2048}, ChunkCase{2047, 2048},
                                           ChunkCase{2048, 2048}, ChunkCase{2049, 2048},
                                           ChunkCase{300000, 4096}, ChunkCase{5, 1}));


// Three filters of ours in a graph, the file the source sends and the sink's file.
struct Chain
{
    std::string in, out;
    std::vector<BYTE> bytes;
    ComPtr<IBaseFilter> source, copy, sink;
    CBytePushSource* sourceObj = nullptr;
    CCopyTransform* copyObj = nullptr;
    CFileAppendSink* sinkObj = nullptr;

    ~Chain()
    {
        DeleteFileA(in.c_str());
        DeleteFileA(out.c_str());
    }
};

void MakeChain(IGraphBuilder* graph, Chain& c, size_t size, DWORD chunk, IBaseFilter* copy = nullptr)
{
    c.in = TempPath("chain-in.bin");
    c.out = TempPath("chain-out.bin");
    c.bytes = PatternBytes(size, 7);
    ASSERT_TRUE(WriteWholeFile(c.in, c.bytes));
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(c.in.c_str(), chunk, &c.source, &c.sourceObj));
    if (copy)
        c.copy = copy;
    else
        ASSERT_HRESULT_SUCCEEDED(CreateCopyTransform(&c.copy, &c.copyObj));
    ASSERT_HRESULT_SUCCEEDED(CreateFileAppendSink(c.out.c_str(), &c.sink, &c.sinkObj));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(c.source, L"Source"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(c.copy, L"Copy"));
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(c.sink, L"Sink"));
}

void ConnectChain(IGraphBuilder* graph, Chain& c)
{
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(c.source, 0), PinByIndex(c.copy, 0), nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(c.copy, 1), PinByIndex(c.sink, 0), nullptr));
}

TEST_F(DsGraphTest, ConnectionRulesAndDisconnection)
{
    Chain c;
    MakeChain(graph, c, 10000, 1000);
    ComPtr<IPin> srcOut = PinByIndex(c.source, 0), copyIn = PinByIndex(c.copy, 0), copyOut = PinByIndex(c.copy, 1),
                 sinkIn = PinByIndex(c.sink, 0);
    ULONG srcRefs = RefCount(c.source), copyRefs = RefCount(c.copy), sinkRefs = RefCount(c.sink);

    // The output offers nothing and accepts nothing before its input is connected.
    EXPECT_EQ(VFW_E_NO_ACCEPTABLE_TYPES, copyOut->Connect(sinkIn, nullptr));
    EXPECT_EQ(E_UNEXPECTED, copyIn->Connect(sinkIn, nullptr));
    EXPECT_EQ(E_UNEXPECTED, copyIn->Connect(srcOut, nullptr));
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, srcOut->Connect(copyOut, nullptr));
    CMediaType any(&MEDIATYPE_Stream);
    EXPECT_EQ(E_UNEXPECTED, copyOut->ReceiveConnection(srcOut, &any));
    EXPECT_EQ(E_POINTER, srcOut->Connect(nullptr, nullptr));
    EXPECT_FALSE(sinkIn.Get() == nullptr);

    ASSERT_EQ(S_OK, srcOut->Connect(copyIn, nullptr));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, srcOut->Connect(copyIn, nullptr));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, copyIn->ReceiveConnection(srcOut, &any));
    ComPtr<IPin> peer;
    ASSERT_EQ(S_OK, copyIn->ConnectedTo(&peer));
    EXPECT_EQ(srcOut.Get(), peer.Get());
    peer.Reset();
    AM_MEDIA_TYPE a, b;
    ASSERT_EQ(S_OK, srcOut->ConnectionMediaType(&a));
    ASSERT_EQ(S_OK, copyIn->ConnectionMediaType(&b));
    EXPECT_EQ(MEDIATYPE_Stream, a.majortype);
    EXPECT_EQ(a.subtype, b.subtype);
    FreeMediaType(a);
    FreeMediaType(b);

    // A type other than the input's is refused on the output; the input's own is taken.
    CMediaType video(&MEDIATYPE_Video);
    video.SetSubtype(&MEDIASUBTYPE_YUY2);
    video.SetFormatType(&FORMAT_None);
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, copyOut->Connect(sinkIn, &video));
    EXPECT_FALSE(c.copyObj->GetPin(1)->IsConnected());
    EXPECT_EQ(S_FALSE, copyOut->QueryAccept(&video));
    EXPECT_EQ(S_OK, copyOut->QueryAccept(&c.copyObj->GetPin(0)->CurrentMediaType()));
    ASSERT_EQ(S_OK, copyOut->Connect(sinkIn, nullptr));

    ASSERT_EQ(S_OK, control->Pause());
    EXPECT_EQ(VFW_E_NOT_STOPPED, copyOut->Disconnect());
    EXPECT_EQ(VFW_E_NOT_STOPPED, sinkIn->Disconnect());
    ASSERT_EQ(S_OK, control->Stop());

    EXPECT_EQ(S_OK, graph->Disconnect(copyOut));
    EXPECT_EQ(S_OK, graph->Disconnect(sinkIn));
    EXPECT_EQ(S_FALSE, sinkIn->Disconnect());
    EXPECT_EQ(VFW_E_NOT_CONNECTED, sinkIn->ConnectedTo(&peer));
    // Removing a filter disconnects both sides.
    ASSERT_EQ(S_OK, graph->RemoveFilter(c.copy));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, srcOut->ConnectedTo(&peer));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, copyIn->ConnectedTo(&peer));
    ASSERT_EQ(S_OK, graph->RemoveFilter(c.sink));
    ASSERT_EQ(S_OK, graph->RemoveFilter(c.source));
    // Every reference a connection took is given back.
    EXPECT_EQ(srcRefs - 1, RefCount(c.source));
    EXPECT_EQ(copyRefs - 1, RefCount(c.copy));
    EXPECT_EQ(sinkRefs - 1, RefCount(c.sink));
}

TEST_F(DsGraphTest, RunPauseStopFollowTheGraph)
{
    Chain c;
    MakeChain(graph, c, 50000, 4096);
    ConnectChain(graph, c);
    struct Step
    {
        HRESULT (STDMETHODCALLTYPE IMediaControl::*call)();
        FILTER_STATE state;
    };
    const Step steps[] = {
        {&IMediaControl::Pause, State_Paused}, {&IMediaControl::Run, State_Running},
        {&IMediaControl::Pause, State_Paused}, {&IMediaControl::Stop, State_Stopped},
        {&IMediaControl::Run, State_Running},  {&IMediaControl::Stop, State_Stopped},
    };
    for (const Step& s : steps) {
        ASSERT_HRESULT_SUCCEEDED((control.Get()->*s.call)());
        OAFilterState graphState;
        EXPECT_HRESULT_SUCCEEDED(control->GetState(1000, &graphState));
        EXPECT_EQ(s.state, FILTER_STATE(graphState));
        for (IBaseFilter* f : {c.source.Get(), c.copy.Get(), c.sink.Get()}) {
            FILTER_STATE fs;
            EXPECT_EQ(S_OK, f->GetState(0, &fs));
            EXPECT_EQ(s.state, fs);
        }
        if (s.state != State_Stopped) {
            EXPECT_TRUE(c.sinkObj->WaitForEndOfStream(5000));
        }
    }
    // Each start from Stopped streams the whole file again; the sink appends.
    EXPECT_EQ(2, c.copyObj->StartCount());
    EXPECT_EQ(2, c.copyObj->StopCount());
    std::vector<BYTE> twice = c.bytes;
    twice.insert(twice.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(twice, ReadWholeFile(c.out));
}

TEST_F(DsGraphTest, TimesAndFlagsPassThroughTheTransform)
{
    Chain c;
    MakeChain(graph, c, 5 * 1000, 1000);
    c.sourceObj->SetSampleDuration(400000);
    ConnectChain(graph, c);
    ASSERT_EQ(S_OK, control->Run());
    ASSERT_TRUE(c.sinkObj->WaitForEndOfStream(5000));
    ASSERT_EQ(S_OK, control->Stop());
    std::vector<REFERENCE_TIME> starts = c.sinkObj->SampleStarts();
    std::vector<bool> breaks = c.sinkObj->SampleBreaks();
    ASSERT_EQ(5u, starts.size());
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(REFERENCE_TIME(i) * 400000, starts[i]) << i;
        EXPECT_EQ(i == 0, breaks[i]) << i;
    }
}

TEST_F(DsGraphTest, FlushAndNewSegmentPassDownstream)
{
    Chain c;
    MakeChain(graph, c, 0, 1000);
    ConnectChain(graph, c);
    ComPtr<IPin> copyIn = PinByIndex(c.copy, 0);
    CBaseInputPin* sinkPin = static_cast<CBaseInputPin*>(c.sinkObj->GetPin(0));
    EXPECT_EQ(E_POINTER, PinByIndex(c.sink, 0)->ConnectedTo(nullptr));
    ASSERT_EQ(S_OK, control->Pause());
    ASSERT_TRUE(c.sinkObj->WaitForEndOfStream(5000));

    EXPECT_EQ(S_OK, copyIn->BeginFlush());
    EXPECT_TRUE(sinkPin->IsFlushing());
    EXPECT_EQ(S_FALSE, sinkPin->CheckStreaming());
    EXPECT_EQ(S_OK, copyIn->EndFlush());
    EXPECT_FALSE(sinkPin->IsFlushing());
    EXPECT_EQ(S_OK, sinkPin->CheckStreaming());

    EXPECT_EQ(S_OK, copyIn->NewSegment(100, 2000, 1.5));
    EXPECT_EQ(100, sinkPin->CurrentStartTime());
    EXPECT_EQ(2000, sinkPin->CurrentStopTime());
    EXPECT_EQ(1.5, sinkPin->CurrentRate());
    // Output pins take no stream events from outside.
    EXPECT_EQ(E_UNEXPECTED, PinByIndex(c.copy, 1)->BeginFlush());
    EXPECT_EQ(E_UNEXPECTED, PinByIndex(c.copy, 1)->EndOfStream());
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(VFW_E_WRONG_STATE, sinkPin->CheckStreaming());
}

TEST_F(DsGraphTest, LiveSourceProducesOnlyWhileRunning)
{
    Chain c;
    MakeChain(graph, c, 8000, 1000);
    c.sourceObj->Stream()->SetLive(TRUE);
    ConnectChain(graph, c);
    ASSERT_HRESULT_SUCCEEDED(control->Pause());
    FILTER_STATE fs;
    EXPECT_EQ(VFW_S_CANT_CUE, c.source->GetState(0, &fs));
    EXPECT_EQ(State_Paused, fs);
    OAFilterState graphState;
    EXPECT_EQ(VFW_S_CANT_CUE, control->GetState(0, &graphState));
    Sleep(50);
    EXPECT_EQ(0, c.sinkObj->BytesReceived());
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    EXPECT_EQ(S_OK, c.source->GetState(0, &fs));
    ASSERT_TRUE(c.sinkObj->WaitForEndOfStream(5000));
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(c.bytes, ReadWholeFile(c.out));
}

// A copy that takes its time per sample and records what Stop finds.
class CSlowCopy : public CCopyTransform
{
public:
    explicit CSlowCopy(DWORD delayMs) : CCopyTransform(nullptr, nullptr), m_delay(delayMs) {}
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override
    {
        InterlockedExchange(&m_inTransform, 1);
        Sleep(m_delay);
        HRESULT hr = CCopyTransform::Transform(in, out);
        InterlockedExchange(&m_inTransform, 0);
        InterlockedIncrement(&m_transformed);
        return hr;
    }
    HRESULT StopStreaming() override
    {
        m_stopSawTransform = m_inTransform;
        m_stopHeldReceiveLock = m_csReceive.IsOwnedByCurrentThread();
        return CCopyTransform::StopStreaming();
    }
    DWORD m_delay;
    volatile LONG m_inTransform = 0;
    volatile LONG m_transformed = 0;
    LONG m_stopSawTransform = -1;
    BOOL m_stopHeldReceiveLock = FALSE;
};

TEST_F(DsGraphTest, StopWaitsForTheSampleInProgress)
{
    CSlowCopy* slow = new CSlowCopy(15);
    ComPtr<IBaseFilter> copy;
    slow->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&copy));
    Chain c;
    MakeChain(graph, c, 4 << 20, 2048, copy);
    ConnectChain(graph, c);
    ASSERT_EQ(S_OK, control->Run());
    while (slow->m_transformed < 3) Sleep(1);
    DWORD t0 = GetTickCount();
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_LT(GetTickCount() - t0, 2000u);
    EXPECT_EQ(0, slow->m_stopSawTransform);
    EXPECT_TRUE(slow->m_stopHeldReceiveLock);
    LONGLONG got = c.sinkObj->BytesReceived();
    EXPECT_GT(got, 0);
    EXPECT_LT(got, LONGLONG(c.bytes.size()));
    // What arrived is an exact prefix.
    std::vector<BYTE> out = ReadWholeFile(c.out);
    ASSERT_EQ(size_t(got), out.size());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), c.bytes.begin()));
}

// A copy that drops every second sample.
class CDroppingCopy : public CCopyTransform
{
public:
    CDroppingCopy() : CCopyTransform(nullptr, nullptr) {}
    HRESULT Transform(IMediaSample* in, IMediaSample* out) override
    {
        if (m_count++ % 2 == 1) return S_FALSE;
        HRESULT hr = CCopyTransform::Transform(in, out);
        m_discontinuities.push_back(out->IsDiscontinuity() == S_OK);
        return hr;
    }
    int m_count = 0;
    std::vector<bool> m_discontinuities;
};

TEST_F(DsGraphTest, SkippedSamplesSendOneQualityChange)
{
    CDroppingCopy* dropping = new CDroppingCopy();
    ComPtr<IBaseFilter> copy;
    dropping->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&copy));
    Chain c;
    MakeChain(graph, c, 10 * 100, 100, copy);
    ConnectChain(graph, c);
    ComPtr<IMediaEvent> events;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events)));
    ASSERT_EQ(S_OK, control->Run());
    ASSERT_TRUE(c.sinkObj->WaitForEndOfStream(5000));
    int qualityChanges = 0;
    long code;
    LONG_PTR p1, p2;
    while (events->GetEvent(&code, &p1, &p2, 100) == S_OK) {
        if (code == EC_QUALITY_CHANGE) ++qualityChanges;
        events->FreeEventParams(code, p1, p2);
    }
    EXPECT_EQ(1, qualityChanges);
    EXPECT_EQ(5u, c.sinkObj->SampleLengths().size());
    // The first sample after each skipped one is marked as a break.
    ASSERT_EQ(5u, dropping->m_discontinuities.size());
    for (size_t i = 1; i < 5; ++i) EXPECT_TRUE(dropping->m_discontinuities[i]) << i;
}

TEST(GraphStreamsTest, WineGraphLacksIAMGraphStreams)
{
    ComScope com;
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&graph)));
    ComPtr<IAMGraphStreams> streams;
    if (SUCCEEDED(ComQuery(graph, streams))) GTEST_SKIP() << "this system's graph has IAMGraphStreams";
    EXPECT_FALSE(streams);
}

TEST(GraphStreamsTest, SupplementedGraphStreamsAndRuns)
{
    ComScope com;
    LONG objects = CUnknown::ObjectCount();
    {
        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(S_OK, DsCreateFilterGraph(IID_IGraphBuilder, reinterpret_cast<void**>(&graph)));
        ComPtr<IAMGraphStreams> streams;
        ASSERT_EQ(S_OK, ComQuery(graph, streams));
        EXPECT_EQ(S_OK, streams->SyncUsingStreamOffset(TRUE));
        EXPECT_EQ(S_OK, streams->SetMaxGraphLatency(10000000));
        EXPECT_EQ(E_INVALIDARG, streams->SetMaxGraphLatency(-1));
        ComPtr<IUnknown> id1, id2;
        ComQuery(graph, id1);
        ComQuery(streams, id2);
        EXPECT_EQ(id1.Get(), id2.Get());
        ComPtr<IMediaControl> control;
        ComPtr<IMediaEventEx> events;
        ComPtr<IMediaSeeking> seeking;
        ComPtr<IVideoWindow> window;
        ComPtr<IBasicVideo> video;
        EXPECT_EQ(S_OK, ComQuery(graph, control));
        EXPECT_EQ(S_OK, ComQuery(graph, events));
        EXPECT_EQ(S_OK, ComQuery(graph, seeking));
        EXPECT_EQ(S_OK, ComQuery(graph, window));
        EXPECT_EQ(S_OK, ComQuery(graph, video));
        ComPtr<ICaptureGraphBuilder2> builder;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&builder)));
        EXPECT_EQ(S_OK, builder->SetFiltergraph(graph));

        Chain c;
        MakeChain(graph, c, 70000, 3000);
        ConnectChain(graph, c);
        // Filters see the same graph, IAMGraphStreams included.
        FILTER_INFO info;
        ASSERT_EQ(S_OK, c.sink->QueryFilterInfo(&info));
        ComPtr<IFilterGraph> joined;
        joined.Attach(info.pGraph);
        ComPtr<IAMGraphStreams> fromFilter;
        EXPECT_EQ(S_OK, ComQuery(joined, fromFilter));

        ComPtr<IFileSourceFilter> upstream;
        EXPECT_EQ(S_OK, streams->FindUpstreamInterface(PinByIndex(c.sink, 0), IID_IFileSourceFilter,
                                                       reinterpret_cast<void**>(&upstream), 0));
        EXPECT_TRUE(upstream);
        ComPtr<IUnknown> none;
        EXPECT_EQ(E_NOINTERFACE, streams->FindUpstreamInterface(PinByIndex(c.sink, 0), IID_IFileSinkFilter,
                                                                reinterpret_cast<void**>(&none),
                                                                AM_INTF_SEARCH_FILTER));

        ASSERT_EQ(S_OK, control->Run());
        long code = 0;
        EXPECT_EQ(S_OK, events->WaitForCompletion(5000, &code));
        EXPECT_EQ(EC_COMPLETE, code);
        ASSERT_EQ(S_OK, control->Stop());
        EXPECT_EQ(c.bytes, ReadWholeFile(c.out));
    }
    EXPECT_EQ(objects, CUnknown::ObjectCount());
}

TEST(GraphStreamsTest, RegisteredSupplementAnswersCoCreateInstance)
{
    ComScope com;
    DWORD cookie = 0;
    HRESULT hr = DsRegisterFilterGraphSupplement(&cookie);
    ASSERT_HRESULT_SUCCEEDED(hr);
    if (hr == S_FALSE) GTEST_SKIP() << "this system's graph has IAMGraphStreams";
    {
        ComPtr<IGraphBuilder> graph;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         reinterpret_cast<void**>(&graph)));
        ComPtr<IAMGraphStreams> streams;
        EXPECT_EQ(S_OK, ComQuery(graph, streams));
        EXPECT_EQ(S_OK, streams->SyncUsingStreamOffset(TRUE));
    }
    EXPECT_EQ(S_OK, DsRevokeFilterGraphSupplement(cookie));
    ComPtr<IGraphBuilder> plain;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     reinterpret_cast<void**>(&plain)));
    ComPtr<IAMGraphStreams> streams;
    EXPECT_EQ(E_NOINTERFACE, ComQuery(plain, streams));
}


// A filter with an input that swallows what it gets and a push output of its own,
// shaped like an encoder: its pins are listed by the filter, not by a CSource.
class CMixedFilter : public CBaseFilter
{
public:
    class InPin : public CBaseInputPin
    {
    public:
        InPin(CMixedFilter* f) : CBaseInputPin("InPin", f, &f->m_lock, nullptr, L"In"), m_owner(f) {}
        HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
        STDMETHODIMP Receive(IMediaSample* s) override
        {
            HRESULT hr = CBaseInputPin::Receive(s);
            if (hr == S_OK) InterlockedIncrement(&m_owner->m_swallowed);
            return hr;
        }
        CMixedFilter* m_owner;
    };
    class OutPin : public CSourceStream
    {
    public:
        OutPin(CMixedFilter* f) : CSourceStream("OutPin", nullptr, f, &f->m_lock, L"Out"), m_sent(0) {}
        HRESULT GetMediaType(CMediaType* mt) override
        {
            mt->InitMediaType();
            mt->SetType(&MEDIATYPE_Stream);
            mt->SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
            return S_OK;
        }
        HRESULT DecideBufferSize(IMemAllocator* a, ALLOCATOR_PROPERTIES* p) override
        {
            p->cBuffers = 2;
            p->cbBuffer = 2048;
            ALLOCATOR_PROPERTIES actual;
            return a->SetProperties(p, &actual);
        }
        HRESULT OnThreadStartPlay() override
        {
            m_sent = 0;
            return S_OK;
        }
        HRESULT FillBuffer(IMediaSample* s) override
        {
            if (m_sent == 3) return S_FALSE;
            BYTE* p;
            s->GetPointer(&p);
            memset(p, 0xA0 + m_sent, 2048);
            s->SetActualDataLength(2048);
            ++m_sent;
            return S_OK;
        }
        int m_sent;
    };

    CMixedFilter() : CBaseFilter("CMixedFilter", nullptr, &m_lock, CLSID_NULL), m_in(this), m_out(this) {}
    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int n) override { return n == 0 ? static_cast<CBasePin*>(&m_in) : n == 1 ? &m_out : nullptr; }

    CCritSec m_lock;
    volatile LONG m_swallowed = 0;
    InPin m_in;
    OutPin m_out;
};

TEST_F(DsGraphTest, FilterWithInputsAndAPushOutput)
{
    CMixedFilter* mixed = new CMixedFilter();
    ComPtr<IBaseFilter> filter;
    mixed->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
    Chain c;
    MakeChain(graph, c, 4096, 1024, filter);
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(c.source, 0), PinByIndex(c.copy, 0), nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(PinByIndex(c.copy, 1), PinByIndex(c.sink, 0), nullptr));
    AM_MEDIA_TYPE mt;
    ASSERT_EQ(S_OK, PinByIndex(c.sink, 0)->ConnectionMediaType(&mt));
    EXPECT_EQ(MEDIASUBTYPE_MPEG2_PROGRAM, mt.subtype);
    FreeMediaType(mt);
    ASSERT_EQ(S_OK, control->Run());
    ASSERT_TRUE(c.sinkObj->WaitForEndOfStream(5000));
    for (int i = 0; i < 5000 && mixed->m_swallowed < 4; ++i) Sleep(1);
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(4, mixed->m_swallowed);
    std::vector<BYTE> out = ReadWholeFile(c.out);
    ASSERT_EQ(3u * 2048, out.size());
    EXPECT_EQ(0xA0, out[0]);
    EXPECT_EQ(0xA2, out.back());
}

}  // namespace

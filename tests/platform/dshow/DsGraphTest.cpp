#include <gtest/gtest.h>
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/platform/dshow/DsTestUtil.h"

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

}  // namespace

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

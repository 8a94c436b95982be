#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "tests/dshow/DShowTestUtil.h"
#include "tests/dshow/graph/TestClassObjects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>

namespace {

const CLSID kUnregistered = { 0x7e2c11a0, 0x51d4, 0x4b9a, { 0x86, 0x1f, 0x0c, 0x3e, 0x52, 0x90, 0x11, 0x0f } };

int FiltersInGraph(IGraphBuilder* pGraph)
{
    ComPtr<IEnumFilters> pEnum;
    if (FAILED(pGraph->EnumFilters(&pEnum)))
        return -1;
    int n = 0;
    ComPtr<IBaseFilter> pFilter;
    while (pEnum->Next(1, &pFilter, NULL) == S_OK)
        ++n;
    return n;
}

int NodeCount(const CDShowGraph& graph)
{
    int n = 0;
    for (CFilterNode* p = graph.GetNodeList(); p != nullptr; p = p->GetNext())
        ++n;
    return n;
}

bool PinConnected(CPinWrapper* pPin)
{
    ComPtr<IPin> pPeer;
    return pPin->GetPin()->ConnectedTo(&pPeer) == S_OK && pPeer;
}

// Registry rows whose classes are not part of the build.
const CFilterClass kUnbuiltRows[] = {
    { &CLSID_SampleGrabber, NULL, "SampleGrabber", CreateNoFilterNode, FALSE, "SampleGrabber" },
    { NULL, &CLSID_VideoInputDeviceCategory, "Ondrix Unbuilt Card", CreateNoFilterNode, FALSE,
      "Ondrix Unbuilt Card" },
};

volatile LONG g_nSleeps = 0;
void WINAPI CountingSleep(DWORD)
{
    InterlockedIncrement(&g_nSleeps);
}

class DShowGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(m_com.Result());
        m_pSource.reset(new ClassObjectRegistration(CLSID_TestVideoSource, &CreateTestVideoSource));
        m_pSink.reset(new ClassObjectRegistration(CLSID_TestStuckSink, &CreateTestStuckSink));
        ASSERT_HRESULT_SUCCEEDED(m_pSource->Result());
        ASSERT_HRESULT_SUCCEEDED(m_pSink->Result());
        SetSinksStuck(false);
        g_nSleeps = 0;
        CFilterClass::SetTable(kUnbuiltRows, 2);
    }
    void TearDown() override
    {
        CFilterClass::SetTable(nullptr, 0);
        SetSinksStuck(false);
        m_pSink.reset();
        m_pSource.reset();
    }

    ComScope m_com;
    std::unique_ptr<ClassObjectRegistration> m_pSource, m_pSink;
};

}  // namespace

TEST_F(DShowGraphTest, CreateBuildsTheGraphWithoutGraphStreams)
{
    CDShowGraph graph;
    ASSERT_TRUE(graph.IsComInitialized());
    EXPECT_NE(nullptr, graph.GetGraphBuilder());
    EXPECT_NE(nullptr, graph.GetCaptureBuilder());
    EXPECT_NE(nullptr, graph.GetMediaEvent());
    EXPECT_NE(nullptr, graph.GetMediaControl());
    EXPECT_NE(nullptr, graph.GetVideoWindow());
    EXPECT_NE(nullptr, graph.GetMediaSeeking());
    EXPECT_NE(nullptr, graph.GetBasicVideo());
    EXPECT_EQ(0, graph.GetState());
    EXPECT_EQ(nullptr, graph.GetNodeList());
    ComPtr<IAMGraphStreams> pStreams;
    if (FAILED(ComQuery(graph.GetGraphBuilder(), IID_IAMGraphStreams, pStreams)))
    {
        // This filter graph has no IAMGraphStreams: the graph is built all the same.
        EXPECT_EQ(nullptr, graph.GetGraphStreams());
        EXPECT_EQ(E_POINTER, graph.SyncUsingStreamOffset(TRUE));
    }
    // The builder works on our filter graph.
    ComPtr<IGraphBuilder> pBuilderGraph;
    ASSERT_EQ(S_OK, graph.GetCaptureBuilder()->GetFiltergraph(&pBuilderGraph));
    EXPECT_EQ(graph.GetGraphBuilder(), pBuilderGraph.Get());
}

TEST_F(DShowGraphTest, DestroyAndCreateAgain)
{
    CDShowGraph graph;
    ASSERT_NE(nullptr, graph.AddFilter(CLSID_SmartTee, "Tee"));
    graph.DestroyGraph();
    EXPECT_FALSE(graph.IsComInitialized());
    EXPECT_EQ(nullptr, graph.GetGraphBuilder());
    EXPECT_EQ(nullptr, graph.GetCaptureBuilder());
    EXPECT_EQ(nullptr, graph.GetMediaControl());
    EXPECT_EQ(nullptr, graph.GetVideoWindow());
    EXPECT_EQ(nullptr, graph.GetNodeList());
    EXPECT_EQ(E_POINTER, graph.SetState(1));
    EXPECT_FALSE(graph.Run());
    EXPECT_FALSE(graph.Pause());
    // Already stopped: nothing to do.
    EXPECT_TRUE(graph.Stop());
    EXPECT_EQ(nullptr, graph.AddFilter(CLSID_SmartTee, "Tee"));
    graph.DestroyGraph();

    ASSERT_TRUE(graph.CreateGraph());
    EXPECT_NE(nullptr, graph.AddFilter(CLSID_SmartTee, "Tee"));
    // Creating on a built graph first tears the old one down.
    ASSERT_TRUE(graph.CreateGraph());
    EXPECT_EQ(nullptr, graph.GetNodeList());
    EXPECT_EQ(0, FiltersInGraph(graph.GetGraphBuilder()));
}

TEST_F(DShowGraphTest, CreateFailuresLeaveTheGraphNotBuilt)
{
    {
        ClassObjectRegistration noBuilder(CLSID_CaptureGraphBuilder2, &CreateNothing);
        ASSERT_HRESULT_SUCCEEDED(noBuilder.Result());
        CDShowGraph graph;
        EXPECT_FALSE(graph.IsComInitialized());
        EXPECT_EQ(nullptr, graph.GetGraphBuilder());
        EXPECT_STREQ("MakeBuilder() fail : Cannot instantiate graph builder", CDShowGraph::GetLastErrorText());
        EXPECT_FALSE(graph.CreateGraph());
    }
    {
        ClassObjectRegistration noGraph(CLSID_FilterGraph, &CreateNothing);
        ASSERT_HRESULT_SUCCEEDED(noGraph.Result());
        CDShowGraph graph;
        EXPECT_FALSE(graph.IsComInitialized());
        EXPECT_EQ(nullptr, graph.GetCaptureBuilder());
        EXPECT_STREQ("MakeGraph() fail : Cannot instantiate filtergraph", CDShowGraph::GetLastErrorText());
    }
    CDShowGraph graph;
    EXPECT_TRUE(graph.IsComInitialized());
}

TEST(DShowGraph, CreateFailsOnAMultithreadedThread)
{
    BOOL bCom = TRUE;
    BOOL bBuilder = TRUE;
    std::thread worker([&] {
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
        {
            CDShowGraph graph;
            bCom = graph.IsComInitialized();
            bBuilder = graph.GetGraphBuilder() != nullptr;
        }
        CoUninitialize();
    });
    worker.join();
    EXPECT_FALSE(bCom);
    EXPECT_FALSE(bBuilder);
}

TEST_F(DShowGraphTest, AddFilterByClassIdentifier)
{
    CDShowGraph graph;
    EXPECT_EQ(nullptr, graph.AddFilter(CLSID_SmartTee, nullptr));
    CFilterNode* pTee = graph.AddFilter(CLSID_SmartTee, "Tee");
    ASSERT_NE(nullptr, pTee);
    EXPECT_TRUE(pTee->IsValid());
    EXPECT_STREQ("Tee", pTee->GetName());
    EXPECT_EQ(&graph, pTee->GetGraph());
    EXPECT_TRUE(pTee->IsInGraph());
    EXPECT_EQ(pTee, graph.GetNodeList());
    EXPECT_EQ(pTee, graph.FindFilter("Tee"));
    EXPECT_EQ(nullptr, graph.FindFilter("tee"));
    EXPECT_EQ(nullptr, graph.FindFilter(nullptr));
    ComPtr<IBaseFilter> pFound;
    ASSERT_EQ(S_OK, graph.GetGraphBuilder()->FindFilterByName(L"Tee", &pFound));
    EXPECT_EQ(pTee->GetFilter(), pFound.Get());

    // Not registered with COM: nothing added.
    EXPECT_EQ(nullptr, graph.AddFilter(kUnregistered, "Nothing"));
    // A registry row whose class is not part of this build: nothing added
    // either, though COM could make the filter.
    EXPECT_EQ(nullptr, graph.AddFilter(CLSID_SampleGrabber, "Unbuilt"));
    EXPECT_EQ(1, NodeCount(graph));
    EXPECT_EQ(1, FiltersInGraph(graph.GetGraphBuilder()));
}

TEST_F(DShowGraphTest, TwoNodesWithOneName)
{
    CDShowGraph graph;
    CFilterNode* pFirst = graph.AddFilter(CLSID_NullRenderer, "Renderer");
    CFilterNode* pSecond = graph.AddFilter(CLSID_NullRenderer, "Renderer");
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(2, NodeCount(graph));
    EXPECT_EQ(2, FiltersInGraph(graph.GetGraphBuilder()));
    EXPECT_EQ(pSecond, graph.FindFilter("Renderer"));
    EXPECT_EQ(pSecond, graph.GetNodeList());
    EXPECT_EQ(pFirst, pSecond->GetNext());
}

TEST_F(DShowGraphTest, AddFilterByName)
{
    RegisteredDevices devices(CLSID_VideoInputDeviceCategory, {
        { L"OndrixCam1", L"Ondrix Test Cam 1", CLSID_SmartTee },
        { L"OndrixCam2", L"Ondrix Test Cam 2", CLSID_NullRenderer },
    });
    ASSERT_HRESULT_SUCCEEDED(devices.Result());
    CDShowGraph graph;

    CFilterNode* pSecond = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Test Cam 1", "Cam B",
                                                 FALSE, 1);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(1, g_nDeviceIndex);
    EXPECT_STREQ("Ondrix Test Cam 2", pSecond->GetFriendlyName());
    EXPECT_STREQ("Cam B", pSecond->GetName());
    EXPECT_EQ(1, pSecond->GetPinCount());

    CFilterNode* pFirst = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Test Cam 1", "Cam A",
                                                FALSE, 0);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_STREQ("Ondrix Test Cam 1", pFirst->GetFriendlyName());
    EXPECT_EQ(3, pFirst->GetPinCount());

    EXPECT_EQ(nullptr, graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Test Cam 1", "Cam C",
                                             FALSE, 2));
    EXPECT_EQ(nullptr, graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Test Cam 1", nullptr,
                                             FALSE, 0));
    // The plain node of an unregistered name is built without exclusion.
    CFilterNode* pPlain = graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Test Cam 1", "Cam D",
                                                TRUE, 0);
    ASSERT_NE(nullptr, pPlain);
    EXPECT_STREQ("Ondrix Test Cam 1", pPlain->GetFriendlyName());
    EXPECT_EQ(3, NodeCount(graph));

    // A card's registered name goes through its registry row; its class is not
    // part of this build, so nothing is added.
    EXPECT_EQ(nullptr, graph.AddFilterByName(CLSID_VideoInputDeviceCategory, "Ondrix Unbuilt Card", "Card",
                                             FALSE, 0));
    const CFilterClass* pRow = &kUnbuiltRows[1];
    EXPECT_STREQ("Ondrix Unbuilt Card", pRow->m_szFriendlyName);
    EXPECT_TRUE(pRow->m_bMatchedByName);
    EXPECT_EQ(3, NodeCount(graph));
}

TEST_F(DShowGraphTest, ConnectRunAndDisconnect)
{
    CDShowGraph graph;
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pTee = graph.AddFilter(CLSID_SmartTee, "Tee");
    CFilterNode* pCaptureSink = graph.AddFilter(CLSID_NullRenderer, "Capture Sink");
    CFilterNode* pPreviewSink = graph.AddFilter(CLSID_NullRenderer, "Preview Sink");
    ASSERT_TRUE(pSource && pTee && pCaptureSink && pPreviewSink);

    EXPECT_FALSE(graph.ConnectFilters(nullptr, pTee, "", ""));
    EXPECT_FALSE(graph.ConnectFilters(pSource, pTee, "No such pin", ""));
    ASSERT_TRUE(graph.ConnectFilters(pSource, pTee, "", ""));
    CPinWrapper* pSourceOut = pSource->GetPinAt(0);
    CPinWrapper* pTeeIn = pTee->FindPin("Input");
    EXPECT_EQ(pTeeIn, pSourceOut->GetPeer());
    EXPECT_EQ(pSourceOut, pTeeIn->GetPeer());
    EXPECT_TRUE(PinConnected(pTeeIn));
    // Already recorded as connected: refused without asking the filter graph.
    EXPECT_FALSE(graph.ConnectPins(pSourceOut, pTee->FindPin("Input")));
    EXPECT_FALSE(graph.ConnectPins(nullptr, pTeeIn));

    ASSERT_TRUE(graph.ConnectFilters(pTee, pCaptureSink, "Capture", nullptr));
    // No name: the first unconnected output, "Preview".
    ASSERT_TRUE(graph.ConnectFilters(pTee, pPreviewSink, "", ""));
    EXPECT_EQ(pPreviewSink->GetPinAt(0), pTee->FindPin("Preview")->GetPeer());
    EXPECT_EQ(nullptr, pTee->GetFirstPin(PINDIR_OUTPUT, TRUE));

    EXPECT_TRUE(graph.Pause());
    EXPECT_EQ(2, graph.GetState());
    EXPECT_TRUE(graph.Run());
    EXPECT_EQ(1, graph.GetState());
    EXPECT_TRUE(graph.Run());
    EXPECT_EQ(E_FAIL, graph.SetState(3));
    EXPECT_EQ(1, graph.GetState());
    OAFilterState fs = State_Stopped;
    graph.GetMediaControl()->GetState(1000, &fs);
    EXPECT_EQ(State_Running, fs);
    EXPECT_TRUE(graph.Stop());
    EXPECT_EQ(0, graph.GetState());

    // One pin: both sides really disconnected and no longer recorded.
    EXPECT_TRUE(graph.DisconnectPin(pTeeIn));
    EXPECT_EQ(nullptr, pTeeIn->GetPeer());
    EXPECT_EQ(nullptr, pSourceOut->GetPeer());
    EXPECT_FALSE(PinConnected(pTeeIn));
    EXPECT_FALSE(PinConnected(pSourceOut));
    EXPECT_TRUE(graph.DisconnectPin(nullptr));

    // A whole node.
    EXPECT_TRUE(graph.DisconnectFilter(pTee));
    for (CPinWrapper* p = pTee->GetPinList(); p != nullptr; p = p->GetNext())
    {
        EXPECT_EQ(nullptr, p->GetPeer()) << p->GetName();
        EXPECT_FALSE(PinConnected(p)) << p->GetName();
    }
    EXPECT_EQ(nullptr, pCaptureSink->GetPinAt(0)->GetPeer());

    // Everything, while running.
    ASSERT_TRUE(graph.ConnectFilters(pSource, pTee, "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pTee, pCaptureSink, "Capture", ""));
    EXPECT_TRUE(graph.Run());
    EXPECT_TRUE(graph.DisconnectAll());
    EXPECT_EQ(0, graph.GetState());
    EXPECT_FALSE(PinConnected(pSourceOut));
    EXPECT_FALSE(PinConnected(pCaptureSink->GetPinAt(0)));
    EXPECT_EQ(4, NodeCount(graph));
}

TEST_F(DShowGraphTest, DisconnectAPinTheGraphDidNotRecord)
{
    CDShowGraph graph;
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pSink = graph.AddFilter(CLSID_NullRenderer, "Sink");
    ASSERT_TRUE(pSource && pSink);
    ASSERT_EQ(S_OK, graph.GetGraphBuilder()->ConnectDirect(pSource->GetPinAt(0)->GetPin(),
                                                           pSink->GetPinAt(0)->GetPin(), NULL));
    EXPECT_TRUE(graph.DisconnectPin(pSink->GetPinAt(0)));
    EXPECT_FALSE(PinConnected(pSource->GetPinAt(0)));
    EXPECT_FALSE(PinConnected(pSink->GetPinAt(0)));
}

TEST_F(DShowGraphTest, APinThatWillNotDisconnectKeepsItsPeer)
{
    CDShowGraph graph;
    graph.SetSleepFunction(&CountingSleep);
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pSink = graph.AddFilter(CLSID_TestStuckSink, "Sink");
    ASSERT_TRUE(pSource && pSink);
    ASSERT_TRUE(graph.ConnectFilters(pSource, pSink, "", "In"));
    CPinWrapper* pOut = pSource->GetPinAt(0);
    CPinWrapper* pIn = pSink->GetPinAt(0);

    SetSinksStuck(true);
    EXPECT_FALSE(graph.DisconnectPin(pOut));
    EXPECT_EQ(CDShowGraph::DISCONNECT_ATTEMPTS, StuckDisconnectCalls());
    EXPECT_EQ(CDShowGraph::DISCONNECT_ATTEMPTS, g_nSleeps);
    EXPECT_EQ(pIn, pOut->GetPeer());
    EXPECT_EQ(pOut, pIn->GetPeer());
    EXPECT_TRUE(PinConnected(pIn));
    EXPECT_FALSE(graph.DisconnectFilter(pSink));

    // Once the pin lets go, a second try finishes the job (the side already
    // disconnected counts as done).
    SetSinksStuck(false);
    EXPECT_TRUE(graph.DisconnectPin(pIn));
    EXPECT_EQ(nullptr, pOut->GetPeer());
    EXPECT_EQ(nullptr, pIn->GetPeer());
    EXPECT_FALSE(PinConnected(pIn));
}

TEST_F(DShowGraphTest, RemovingANodeClearsItsPeersRecords)
{
    CDShowGraph graph;
    graph.SetSleepFunction(&CountingSleep);
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pSink = graph.AddFilter(CLSID_TestStuckSink, "Sink");
    ASSERT_TRUE(pSource && pSink);
    ASSERT_TRUE(graph.ConnectFilters(pSource, pSink, "", ""));
    SetSinksStuck(true);
    graph.RemoveFilter(pSink);
    SetSinksStuck(false);
    EXPECT_EQ(nullptr, graph.FindFilter("Sink"));
    EXPECT_EQ(nullptr, pSource->GetPinAt(0)->GetPeer());
    EXPECT_EQ(1, NodeCount(graph));
}

TEST_F(DShowGraphTest, ResetRemoveAndRemoveAll)
{
    CDShowGraph graph;
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pTee = graph.AddFilter(CLSID_SmartTee, "Tee");
    CFilterNode* pSink = graph.AddFilter(CLSID_NullRenderer, "Sink");
    ASSERT_TRUE(pSource && pTee && pSink);
    ASSERT_TRUE(graph.ConnectFilters(pSource, pTee, "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pTee, pSink, "", ""));
    EXPECT_TRUE(graph.Run());

    graph.Reset();
    EXPECT_EQ(0, graph.GetState());
    EXPECT_EQ(3, NodeCount(graph));
    EXPECT_EQ(0, FiltersInGraph(graph.GetGraphBuilder()));
    EXPECT_FALSE(pTee->IsInGraph());
    EXPECT_EQ(nullptr, pTee->FindPin("Input")->GetPeer());
    EXPECT_FALSE(graph.RemoveFromGraph(pTee));
    EXPECT_FALSE(graph.RemoveFromGraph(nullptr));

    ASSERT_TRUE(graph.AddToGraph(pTee));
    ASSERT_TRUE(graph.AddToGraph(pSink));
    EXPECT_TRUE(graph.RemoveFromGraphByName("Sink"));
    EXPECT_FALSE(graph.RemoveFromGraphByName("Sink"));

    graph.RemoveFilter(pTee);
    EXPECT_EQ(2, NodeCount(graph));
    EXPECT_EQ(nullptr, graph.FindFilter("Tee"));
    EXPECT_EQ(0, FiltersInGraph(graph.GetGraphBuilder()));
    // A node not in the list is left alone.
    CFilterNode stranger(&graph, CLSID_NullRenderer);
    graph.RemoveFilter(&stranger);
    EXPECT_TRUE(stranger.IsValid());

    graph.RemoveAllFilters();
    EXPECT_EQ(nullptr, graph.GetNodeList());
}

TEST_F(DShowGraphTest, RefreshFiltersAdoptsFiltersAddedBehindItsBack)
{
    CDShowGraph graph;
    ASSERT_NE(nullptr, graph.AddFilter(CLSID_SmartTee, "Tee"));
    ComPtr<IBaseFilter> pFilter;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_NullRenderer, NULL, CLSCTX_INPROC_SERVER,
                                              IID_IBaseFilter, reinterpret_cast<void**>(&pFilter)));
    ASSERT_EQ(S_OK, graph.GetGraphBuilder()->AddFilter(pFilter, L"Outsider"));
    graph.RefreshFilters();
    EXPECT_EQ(2, NodeCount(graph));
    CFilterNode* pNode = graph.FindFilter("Outsider");
    ASSERT_NE(nullptr, pNode);
    EXPECT_EQ(pFilter.Get(), pNode->GetFilter());
    EXPECT_STREQ("Outsider", pNode->GetFriendlyName());
    graph.RefreshFilters();
    EXPECT_EQ(2, NodeCount(graph));
}

TEST_F(DShowGraphTest, EnumDevices)
{
    CDShowGraph graph;
    int nCount = -7;
    // Whatever an earlier run left behind goes first; the prefix itself has
    // no video capture devices.
    {
        std::vector<TestDevice> leftovers = { { L"OndrixCam1", L"", CLSID_SmartTee },
                                              { L"OndrixCam2", L"", CLSID_NullRenderer } };
        for (int i = 0; i < 70; ++i)
        {
            wchar_t sz[16];
            swprintf(sz, 16, L"Ondrix%02d", i);
            leftovers.push_back({ sz, L"", CLSID_NullRenderer });
        }
        RegisteredDevices cleanup(CLSID_VideoInputDeviceCategory, leftovers);
    }
    ASSERT_TRUE(EnumeratedNames(CLSID_VideoInputDeviceCategory).empty());
    EXPECT_EQ(nullptr, graph.EnumDevices(1, &nCount));
    EXPECT_EQ(-7, nCount);
    EXPECT_EQ(nullptr, graph.EnumDevices(4, &nCount));
    EXPECT_EQ(-7, nCount);
    EXPECT_EQ(nullptr, graph.EnumDevices(1, nullptr));

    RegisteredDevices two(CLSID_VideoInputDeviceCategory, {
        { L"OndrixCam1", L"Ondrix Test Cam 1", CLSID_SmartTee },
        { L"OndrixCam2", L"Ondrix Test Cam 2", CLSID_NullRenderer },
    });
    ASSERT_HRESULT_SUCCEEDED(two.Result());
    CDShowGraph::DEVICE_NAME* pNames = graph.EnumDevices(1, &nCount);
    ASSERT_NE(nullptr, pNames);
    ASSERT_EQ(2, nCount);
    EXPECT_STREQ("Ondrix Test Cam 1", pNames[0]);
    EXPECT_STREQ("Ondrix Test Cam 2", pNames[1]);

    // Kind 4: the table is cleared and nothing returned.
    EXPECT_EQ(nullptr, graph.EnumDevices(4, &nCount));
    EXPECT_STREQ("", pNames[0]);
    EXPECT_EQ(2, nCount);

    CStringList names;
    graph.ListDeviceNames(CLSID_VideoInputDeviceCategory, names);
    ASSERT_EQ(2, names.GetCount());
    EXPECT_STREQ("Ondrix Test Cam 1", static_cast<LPCSTR>(names.GetHead()));
}

TEST_F(DShowGraphTest, EnumDevicesStopsAt64)
{
    std::vector<TestDevice> many;
    for (int i = 0; i < 70; ++i)
    {
        wchar_t sz[64];
        swprintf(sz, 64, L"Ondrix%02d", i);
        std::wstring instance = sz;
        swprintf(sz, 64, L"Ondrix Many %02d", i);
        many.push_back({ instance, sz, CLSID_NullRenderer });
    }
    RegisteredDevices devices(CLSID_VideoInputDeviceCategory, many);
    ASSERT_HRESULT_SUCCEEDED(devices.Result());
    CDShowGraph graph;
    int nCount = 0;
    CDShowGraph::DEVICE_NAME* pNames = graph.EnumDevices(1, &nCount);
    ASSERT_NE(nullptr, pNames);
    EXPECT_EQ(64, nCount);
    EXPECT_STREQ("Ondrix Many 00", pNames[0]);
    EXPECT_STREQ("Ondrix Many 63", pNames[63]);
}

TEST(DShowGraph, TunerModelTable)
{
    const std::vector<TUNER_MODEL_NAME>& table = CDShowGraph::GetTunerModelTable();
    ASSERT_EQ(65u, table.size());
    EXPECT_EQ(&table, &CDShowGraph::GetTunerModelTable());
    EXPECT_EQ(0, table.front().nType);
    EXPECT_STREQ("MODEL_UNKNOWN", table.front().pszName);
    EXPECT_EQ(111, table.back().nType);
    EXPECT_STREQ("FI1236MK2", table.back().pszName);
    size_t i134 = 0;
    while (i134 < table.size() && table[i134].nType != 134)
        ++i134;
    ASSERT_LT(i134, table.size());
    EXPECT_STREQ("TNF8022", table[i134].pszName);
    EXPECT_EQ(59, table[i134 - 1].nType);
    EXPECT_EQ(72, table[i134 + 1].nType);
    std::set<int> ids;
    for (const TUNER_MODEL_NAME& e : table)
        ids.insert(e.nType);
    EXPECT_EQ(65u, ids.size());
    EXPECT_STREQ("XCEIVE2028", CDShowGraph::GetTunerModelName(91));
    EXPECT_STREQ("PANOSONIC_ENGE4326D", CDShowGraph::GetTunerModelName(100));
    EXPECT_STREQ("", CDShowGraph::GetTunerModelName(6));
    EXPECT_STREQ("", CDShowGraph::GetTunerModelName(-1));
}

TEST_F(DShowGraphTest, VideoWindowOfAVideoRenderer)
{
    ClassObjectRegistration rgb(CLSID_TestRgbSource, &CreateTestRgbSource);
    ASSERT_HRESULT_SUCCEEDED(rgb.Result());
    HWND hwndOwner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                   NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hwndOwner);
    {
        CDShowGraph graph;
        CFilterNode* pSource = graph.AddFilter(CLSID_TestRgbSource, "Source");
        CFilterNode* pRenderer = graph.AddFilter(CLSID_VideoRenderer, "Renderer");
        ASSERT_TRUE(pSource && pRenderer);
        ASSERT_TRUE(graph.ConnectFilters(pSource, pRenderer, "", ""));
        char sz[128];
        ASSERT_TRUE(pRenderer->GetPinAt(0)->DescribeMediaType(sz, sizeof(sz)));
        EXPECT_STREQ("MainType:Video,SubType:RGB32", sz);

        EXPECT_EQ(S_OK, graph.SetVideoOwner(hwndOwner));
        EXPECT_EQ(S_OK, graph.SetVideoStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
        EXPECT_EQ(S_OK, graph.SetMessageDrain(hwndOwner));
        EXPECT_EQ(S_OK, graph.SetVideoRect(10, 20, 330, 260));
        long l = 0, t = 0, w = 0, h = 0;
        EXPECT_EQ(S_OK, graph.GetVideoRect(&l, &t, &w, &h));
        EXPECT_EQ(320, w);
        EXPECT_EQ(240, h);
        // The video window is now a child of the owner, placed in its client area.
        HWND hwndVideo = GetWindow(hwndOwner, GW_CHILD);
        ASSERT_NE(nullptr, hwndVideo);
        RECT rc;
        GetWindowRect(hwndVideo, &rc);
        MapWindowPoints(NULL, hwndOwner, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(10, rc.left);
        EXPECT_EQ(20, rc.top);
        EXPECT_EQ(330, rc.right);
        EXPECT_EQ(260, rc.bottom);
        EXPECT_EQ(S_OK, graph.ShowVideo(TRUE));
        EXPECT_TRUE(graph.IsVideoVisible());
        EXPECT_TRUE(graph.Run());
        EXPECT_TRUE(graph.Pause());
        EXPECT_TRUE(graph.Stop());
        EXPECT_EQ(S_OK, graph.ShowVideo(FALSE));
        EXPECT_FALSE(graph.IsVideoVisible());
        EXPECT_EQ(S_OK, graph.ShowVideo(TRUE));
        // Destroying hides the video and takes it off the owner.
        ComPtr<IVideoWindow> pWindow = graph.GetVideoWindow();
        graph.DestroyGraph();
        long lVisible = OATRUE;
        OAHWND owner = 1;
        if (SUCCEEDED(pWindow->get_Visible(&lVisible)))
        {
            EXPECT_EQ(OAFALSE, lVisible);
        }
        if (SUCCEEDED(pWindow->get_Owner(&owner)))
        {
            EXPECT_EQ(0, owner);
        }
    }
    DestroyWindow(hwndOwner);
}

TEST_F(DShowGraphTest, VideoWindowWithoutARenderer)
{
    CDShowGraph graph;
    EXPECT_FALSE(graph.IsVideoVisible());
    EXPECT_TRUE(FAILED(graph.ShowVideo(TRUE)));
    EXPECT_TRUE(FAILED(graph.SetVideoRect(0, 0, 320, 240)));
    long lCode = 0;
    LONG_PTR p1 = 0, p2 = 0;
    EXPECT_NE(S_OK, graph.GetEvent(&lCode, &p1, &p2, 0));
    graph.ProcessEvents(NULL);
    graph.DestroyGraph();
    EXPECT_EQ(E_POINTER, graph.ShowVideo(TRUE));
    EXPECT_EQ(E_POINTER, graph.SetVideoOwner(NULL));
    EXPECT_EQ(E_POINTER, graph.SyncUsingStreamOffset(TRUE));
}

namespace {

struct PostedEvent
{
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<PostedEvent> TakePosted(HWND hwnd)
{
    std::vector<PostedEvent> posted;
    MSG msg;
    while (PeekMessageA(&msg, hwnd, CDShowGraph::WM_GRAPH_EVENT, CDShowGraph::WM_GRAPH_EVENT, PM_REMOVE))
        posted.push_back({ msg.wParam, msg.lParam });
    return posted;
}

}  // namespace

TEST_F(DShowGraphTest, ProcessEventsPostsToTheWindowAndStopsAtAnAbort)
{
    CDShowGraph graph;
    HWND hwnd = CreateWindowA("STATIC", "events", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hwnd);
    ComPtr<IMediaEventSink> pSink;
    ASSERT_HRESULT_SUCCEEDED(ComQuery(graph.GetGraphBuilder(), IID_IMediaEventSink, pSink));
    ASSERT_HRESULT_SUCCEEDED(pSink->Notify(EC_VIDEO_SIZE_CHANGED, MAKELONG(320, 240), 0));
    ASSERT_HRESULT_SUCCEEDED(pSink->Notify(EC_PAUSED, S_OK, 0));
    ASSERT_HRESULT_SUCCEEDED(pSink->Notify(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_DISK_FULL), 0));
    ASSERT_HRESULT_SUCCEEDED(pSink->Notify(EC_ERRORABORT, E_FAIL, 0));

    graph.ProcessEvents(hwnd);
    std::vector<PostedEvent> posted = TakePosted(hwnd);
    ASSERT_EQ(3u, posted.size());
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(320, 240)), posted[0].wParam);
    EXPECT_EQ(4662, posted[0].lParam);
    EXPECT_EQ(0u, posted[1].wParam);
    EXPECT_EQ(4663, posted[1].lParam);
    EXPECT_EQ(0u, posted[2].wParam);
    EXPECT_EQ(4661, posted[2].lParam);

    // The second abort waited in the queue for the next call.
    graph.ProcessEvents(hwnd);
    posted = TakePosted(hwnd);
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ(static_cast<WPARAM>(E_FAIL), posted[0].wParam);
    EXPECT_EQ(4664, posted[0].lParam);
    graph.ProcessEvents(hwnd);
    EXPECT_TRUE(TakePosted(hwnd).empty());
    DestroyWindow(hwnd);
}

TEST_F(DShowGraphTest, RenderPinToAnExistingRenderer)
{
    CDShowGraph graph;
    CFilterNode* pSource = graph.AddFilter(CLSID_TestVideoSource, "Source");
    CFilterNode* pSink = graph.AddFilter(CLSID_NullRenderer, "Sink");
    ASSERT_TRUE(pSource && pSink);
    EXPECT_FALSE(graph.RenderPin(nullptr, 0));
    EXPECT_TRUE(graph.RenderPin(pSource->GetPinAt(0), AM_RENDEREX_RENDERTOEXISTINGRENDERERS));
    EXPECT_TRUE(PinConnected(pSink->GetPinAt(0)));
    // Rendering is the filter graph's business: no peer is recorded.
    EXPECT_EQ(nullptr, pSource->GetPinAt(0)->GetPeer());
    EXPECT_TRUE(graph.DisconnectFilter(pSource));
    EXPECT_FALSE(PinConnected(pSink->GetPinAt(0)));
}

namespace {

// A wrapper of a filter that makes pins at run time, as the multiplexer wrappers are.
class RefreshingNode : public CFilterNode
{
public:
    RefreshingNode(CDShowGraph* pGraph, REFCLSID clsid) : CFilterNode(pGraph, clsid)
    {
        m_bRefreshPins = TRUE;
    }
};

}  // namespace

TEST_F(DShowGraphTest, PinsMadeAtRunTimeAreFollowed)
{
    ClassObjectRegistration rgb(CLSID_TestRgbSource, &CreateTestRgbSource);
    ASSERT_HRESULT_SUCCEEDED(rgb.Result());
    CDShowGraph graph;
    CFilterNode* pSource = graph.AddFilter(CLSID_TestRgbSource, "Source");
    ASSERT_NE(nullptr, pSource);
    RefreshingNode mux(&graph, CLSID_AviDest);
    ASSERT_TRUE(mux.IsValid());
    mux.SetName("Mux");
    ASSERT_TRUE(graph.AddToGraph(&mux));
    int nBefore = mux.GetPinCount();
    CPinWrapper* pFirstInput = mux.GetFirstPin(PINDIR_INPUT, TRUE);
    ASSERT_NE(nullptr, pFirstInput);
    std::string firstName = pFirstInput->GetName();

    ASSERT_TRUE(graph.ConnectPins(pSource->GetPinAt(0), pFirstInput));
    // The multiplexer offers a new input once one is connected; the connected
    // wrapper survives with its peer.
    EXPECT_EQ(nBefore + 1, mux.GetPinCount());
    CPinWrapper* pConnected = mux.FindPin(firstName.c_str());
    ASSERT_EQ(pFirstInput, pConnected);
    EXPECT_EQ(pSource->GetPinAt(0), pConnected->GetPeer());
    EXPECT_NE(nullptr, mux.GetFirstPin(PINDIR_INPUT, TRUE));

    EXPECT_TRUE(graph.DisconnectFilter(&mux));
    for (CPinWrapper* p = mux.GetPinList(); p != nullptr; p = p->GetNext())
        EXPECT_EQ(nullptr, p->GetPeer()) << p->GetName();
    EXPECT_EQ(nullptr, pSource->GetPinAt(0)->GetPeer());
    EXPECT_FALSE(PinConnected(pSource->GetPinAt(0)));
    EXPECT_TRUE(graph.RemoveFromGraph(&mux));
}

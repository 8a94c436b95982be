#include "dshow/FilterNode.h"
#include "dshow/PinWrapper.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/dshow/DShowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// {3F1A2B3C-0000-0010-8000-00AA00389B71}: an audio subtype nothing names.
const GUID kOddSubtype = { 0x3F1A2B3C, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };

// A push source offering one media type, connected straight to a Null Renderer.
class ConnectedPins : public ::testing::Test
{
protected:
    void Connect(const GUID& major, const GUID& sub)
    {
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                                  IID_IGraphBuilder, reinterpret_cast<void**>(&m_pGraph)));
        CBytePushSource* pSource = nullptr;
        ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, 188, &m_pSource, &pSource));
        AM_MEDIA_TYPE mt = {};
        mt.majortype = major;
        mt.subtype = sub;
        mt.bFixedSizeSamples = TRUE;
        mt.lSampleSize = 188;
        ASSERT_HRESULT_SUCCEEDED(pSource->SetOutputType(mt));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_NullRenderer, NULL, CLSCTX_INPROC_SERVER,
                                                  IID_IBaseFilter, reinterpret_cast<void**>(&m_pRenderer)));
        ASSERT_EQ(S_OK, m_pGraph->AddFilter(m_pSource, L"Source"));
        ASSERT_EQ(S_OK, m_pGraph->AddFilter(m_pRenderer, L"Renderer"));
        m_pSourceNode = new CFilterNode(nullptr, m_pSource.Get());
        m_pRendererNode = new CFilterNode(nullptr, m_pRenderer.Get());
        ASSERT_EQ(1, m_pSourceNode->GetPinCount());
        ASSERT_EQ(1, m_pRendererNode->GetPinCount());
        ASSERT_EQ(S_OK, m_pGraph->ConnectDirect(m_pSourceNode->GetPinAt(0)->GetPin(),
                                                m_pRendererNode->GetPinAt(0)->GetPin(), NULL));
    }
    void TearDown() override
    {
        delete m_pSourceNode;
        delete m_pRendererNode;
        if (m_pGraph)
        {
            m_pGraph->RemoveFilter(m_pSource);
            m_pGraph->RemoveFilter(m_pRenderer);
        }
    }

    ComScope m_com;
    ComPtr<IGraphBuilder> m_pGraph;
    ComPtr<IBaseFilter> m_pSource, m_pRenderer;
    CFilterNode* m_pSourceNode = nullptr;
    CFilterNode* m_pRendererNode = nullptr;
};

}  // namespace

TEST(PinWrapper, HoldsOneReferenceAndReadsTheName)
{
    ComScope com;
    ComPtr<IBaseFilter> pFilter;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_SmartTee, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                              reinterpret_cast<void**>(&pFilter)));
    ComPtr<IPin> pPin;
    ASSERT_HRESULT_SUCCEEDED(pFilter->FindPin(L"Capture", &pPin));
    ULONG before = RefCount(pPin);
    CFilterNode* pOwner = reinterpret_cast<CFilterNode*>(0x10);
    CPinWrapper* pWrapper = new CPinWrapper(pPin, pOwner);
    // Pins of a filter share its count, so only a rise is checked.
    EXPECT_GT(RefCount(pPin), before);
    EXPECT_STREQ("Capture", pWrapper->GetName());
    EXPECT_EQ(pOwner, pWrapper->GetOwner());
    EXPECT_EQ(nullptr, pWrapper->GetPeer());
    EXPECT_EQ(nullptr, pWrapper->GetNext());
    EXPECT_FALSE(pWrapper->HasPin());
    PIN_DIRECTION dir = PINDIR_INPUT;
    EXPECT_TRUE(pWrapper->QueryDirection(&dir));
    EXPECT_EQ(PINDIR_OUTPUT, dir);
    LPWSTR pszId = nullptr;
    EXPECT_TRUE(pWrapper->QueryId(&pszId));
    ASSERT_NE(nullptr, pszId);
    CoTaskMemFree(pszId);
    PIN_INFO info;
    EXPECT_TRUE(pWrapper->QueryPinInfo(&info));
    EXPECT_EQ(pFilter.Get(), info.pFilter);
    info.pFilter->Release();
    delete pWrapper;
    EXPECT_EQ(before, RefCount(pPin));
}

TEST(PinWrapper, DeletingAWrapperClearsItsPeersLink)
{
    ComScope com;
    CFilterNode tee(nullptr, CLSID_SmartTee);
    CFilterNode renderer(nullptr, CLSID_NullRenderer);
    CPinWrapper* pOut = tee.FindPin("Capture");
    CPinWrapper* pIn = renderer.GetPinAt(0);
    pOut->m_pPeer = pIn;
    pIn->m_pPeer = pOut;
    ASSERT_TRUE(tee.RemovePin(pOut));
    EXPECT_EQ(nullptr, pIn->GetPeer());
}

TEST_F(ConnectedPins, DescribeKnownTypes)
{
    Connect(MEDIATYPE_Video, MEDIASUBTYPE_YUY2);
    char sz[256];
    CPinWrapper* pOut = m_pSourceNode->GetPinAt(0);
    ASSERT_TRUE(pOut->DescribeMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("MainType:Video,SubType:YUY2", sz);
    ASSERT_TRUE(m_pRendererNode->GetPinAt(0)->DescribeMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("MainType:Video,SubType:YUY2", sz);
    ASSERT_TRUE(pOut->DescribeFirstMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("MainType:Video", sz);
}

TEST_F(ConnectedPins, DescribeUnknownSubtype)
{
    Connect(MEDIATYPE_Audio, kOddSubtype);
    char sz[256];
    ASSERT_TRUE(m_pSourceNode->GetPinAt(0)->DescribeMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("MainType:Audio,SubType:3F1A2B3C-0000-0010-800000AA00389B71", sz);
}

TEST_F(ConnectedPins, DescribeUnknownMajorType)
{
    Connect(MEDIATYPE_Stream, MEDIASUBTYPE_RGB565);
    char sz[256];
    ASSERT_TRUE(m_pSourceNode->GetPinAt(0)->DescribeMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("MainType:E436EB83-524F-11CE-9F530020AF0BA770,SubType:RGB565", sz);
}

struct SizeCase
{
    int size;
    BOOL result;
    const char* text;
};

class DescribeSizes : public ConnectedPins, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(DescribeSizes, CutsToTheBuffer)
{
    Connect(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
    const SizeCase& c = GetParam();
    char sz[64];
    std::memset(sz, '#', sizeof(sz));
    EXPECT_EQ(c.result, m_pSourceNode->GetPinAt(0)->DescribeMediaType(sz, c.size));
    if (c.result)
    {
        EXPECT_STREQ(c.text, sz);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DescribeSizes,
                         ::testing::Values(SizeCase{ 0, FALSE, "" }, SizeCase{ 1, FALSE, "" },
                                           SizeCase{ 2, TRUE, "M" }, SizeCase{ 10, TRUE, "MainType:" },
                                           SizeCase{ 11, TRUE, "MainType:V" },
                                           SizeCase{ 34, TRUE, "MainType:Video,SubType:RGB24" },
                                           SizeCase{ 64, TRUE, "MainType:Video,SubType:RGB24" }));

TEST(PinWrapper, DescribeRefusesWithoutConnection)
{
    ComScope com;
    CFilterNode renderer(nullptr, CLSID_NullRenderer);
    char sz[64] = "old";
    EXPECT_FALSE(renderer.GetPinAt(0)->DescribeMediaType(sz, sizeof(sz)));
    EXPECT_STREQ("", sz);
    EXPECT_FALSE(renderer.GetPinAt(0)->DescribeMediaType(nullptr, 64));
}

// The sample grabber, ACM, splitter, colour converter and time-delay
// wrappers: on Wine's own filters where Wine has them, else on fakes.
#include <gtest/gtest.h>

#include <dshow.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "dshow/AcmWrapperFilter.h"
#include "dshow/ColorConvertFilter.h"
#include "dshow/DShowGraph.h"
#include "dshow/FilterClass.h"
#include "dshow/Mpeg1SplitterFilter.h"
#include "dshow/Mpeg2SplitterFilter.h"
#include "dshow/SampleGrabberFilter.h"
#include "dshow/TimeDelayFilter.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/dshow/SlotRecorder.h"

namespace
{
const CLSID kNullRenderer = { 0xC1F400A4, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID kSampleGrabber = { 0xC1F400A0, 0x3F08, 0x11D3, { 0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37 } };
const CLSID kMpeg1Splitter = { 0x336475D0, 0x942A, 0x11CE, { 0xA8, 0x70, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };
const CLSID kAcmWrapper = { 0x6A08CF80, 0x0E18, 0x11CF, { 0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67 } };

// The rows of the wrappers these tests add by class identifier.
const CFilterClass kCodecRows[] = {
    { &kAcmWrapper, NULL, "ACM Wrapper", CreateFilterNodeOf<CAcmWrapperFilter>, FALSE, "ACM Wrapper" },
    { &kMpeg1Splitter, NULL, "Mpeg1 Splitter", CreateFilterNodeOf<CMpeg1SplitterFilter>, FALSE, "Mpeg1 Splitter" },
    { &kSampleGrabber, NULL, "SampleGrabber", CreateFilterNodeOf<CSampleGrabberFilter>, FALSE, "SampleGrabber" },
};

// A callback that writes the requested picture as a bitmap file.
class CSnapshotCallback : public CSampleGrabberCallback
{
public:
    CSnapshotCallback() : m_hWritten(CreateEvent(NULL, TRUE, FALSE, NULL)) {}
    ~CSnapshotCallback() override { CloseHandle(m_hWritten); }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_ISampleGrabberCB)
        {
            *ppv = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample*) override { return E_NOTIMPL; }
    STDMETHODIMP BufferCB(double, BYTE* pBuffer, long cbBuffer) override
    {
        char szPath[PATH_SIZE];
        if (!PeekRequest(szPath, PATH_SIZE))
            return S_OK;
        BITMAPINFOHEADER bih = GetFormat();
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(header) + sizeof(bih);
        header.bfSize = header.bfOffBits + cbBuffer;
        FILE* file = fopen(szPath, "wb");
        if (file != nullptr)
        {
            fwrite(&header, sizeof(header), 1, file);
            fwrite(&bih, sizeof(bih), 1, file);
            fwrite(pBuffer, 1, cbBuffer, file);
            fclose(file);
        }
        CompleteRequest();
        SetEvent(m_hWritten);
        return S_OK;
    }
    HANDLE m_hWritten;
};

class CodecWrappers : public ::testing::Test
{
protected:
    // Outlives the graph, whose grabber holds it until the graph goes.
    CSnapshotCallback callback;
    CDShowGraph graph;
    void SetUp() override
    {
        CFilterClass::SetTable(kCodecRows, ARRAYSIZE(kCodecRows));
        ASSERT_TRUE(graph.CreateGraph());
    }
    void TearDown() override
    {
        graph.DestroyGraph();
        CFilterClass::SetTable(nullptr, 0);
    }

    // A node around a filter made here, added to the graph.
    CFilterNode* AddNode(IBaseFilter* pFilter, const char* pszName)
    {
        CFilterNode* pNode = new CFilterNode(&graph, pFilter);
        pNode->SetName(pszName);
        if (!graph.AddToGraph(pNode))
        {
            delete pNode;
            return nullptr;
        }
        m_nodes.push_back(pNode);
        return pNode;
    }
    void TearDownNodes()
    {
        for (CFilterNode* p : m_nodes)
            delete p;
        m_nodes.clear();
    }

private:
    std::vector<CFilterNode*> m_nodes;
};

CMediaType Rgb24Type(int width, int height)
{
    CMediaType mt(&MEDIATYPE_Video);
    mt.SetSubtype(&MEDIASUBTYPE_RGB24);
    mt.SetFormatType(&FORMAT_VideoInfo);
    VIDEOINFOHEADER* pInfo = reinterpret_cast<VIDEOINFOHEADER*>(mt.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    memset(pInfo, 0, sizeof(*pInfo));
    pInfo->AvgTimePerFrame = 400000;
    pInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pInfo->bmiHeader.biWidth = width;
    pInfo->bmiHeader.biHeight = height;
    pInfo->bmiHeader.biPlanes = 1;
    pInfo->bmiHeader.biBitCount = 24;
    pInfo->bmiHeader.biSizeImage = width * height * 3;
    mt.SetSampleSize(width * height * 3);
    return mt;
}

TEST_F(CodecWrappers, SampleGrabberHandsTheConnectedPictureFormatToItsCallbackAndTakesSnapshots)
{
    const int kWidth = 64, kHeight = 48, kFrame = kWidth * kHeight * 3;
    CBytePushSource* pSource = nullptr;
    ComPtr<IBaseFilter> source;
    ASSERT_HRESULT_SUCCEEDED(CreateBytePushSource(nullptr, kFrame, &source, &pSource));
    ASSERT_HRESULT_SUCCEEDED(pSource->SetOutputType(Rgb24Type(kWidth, kHeight)));
    std::vector<BYTE> frames(kFrame * 50);
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i] = static_cast<BYTE>(i % kFrame % 251);
    pSource->SetBytes(frames.data(), frames.size());
    pSource->SetSampleDuration(400000);

    CSampleGrabberFilter* pGrabber = dynamic_cast<CSampleGrabberFilter*>(graph.AddFilter(kSampleGrabber, "Grabber"));
    ASSERT_NE(nullptr, pGrabber);
    CFilterNode* pSourceNode = AddNode(source.Get(), "Source");
    CFilterNode* pSink = graph.AddFilter(kNullRenderer, "Sink");
    ASSERT_TRUE(pSourceNode && pSink);
    ASSERT_TRUE(pGrabber->SetVideoMediaType());

    // Not connected yet: refused, nothing remembered.
    EXPECT_FALSE(pGrabber->SetGrabberCallback(&callback));
    EXPECT_FALSE(pGrabber->RequestSnapshot("x.bmp"));
    EXPECT_EQ(0, callback.GetFormat().biWidth);

    ASSERT_TRUE(graph.ConnectFilters(pSourceNode, pGrabber, "", ""));
    ASSERT_TRUE(graph.ConnectFilters(pGrabber, pSink, "", ""));
    ASSERT_TRUE(pGrabber->SetGrabberCallback(&callback));
    BITMAPINFOHEADER bih = callback.GetFormat();
    EXPECT_EQ(kWidth, bih.biWidth);
    EXPECT_EQ(kHeight, bih.biHeight);
    EXPECT_EQ(24, bih.biBitCount);

    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szPath);
    strcat(szPath, "ondrix-grab.bmp");
    DeleteFileA(szPath);
    ASSERT_TRUE(pGrabber->RequestSnapshot(szPath));
    // Pending: a second request is refused and the first path stays.
    EXPECT_FALSE(pGrabber->RequestSnapshot("other.bmp"));
    // A path that does not fit the callback's field is refused.
    EXPECT_FALSE(callback.PostRequest(std::string(260, 'a').c_str()));

    ASSERT_TRUE(graph.Run());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(callback.m_hWritten, 10000));
    graph.Stop();
    EXPECT_FALSE(callback.IsPending());
    HBITMAP hBitmap = static_cast<HBITMAP>(LoadImageA(NULL, szPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hBitmap);
    BITMAP bm = {};
    GetObject(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(kWidth, bm.bmWidth);
    EXPECT_EQ(kHeight, bm.bmHeight);
    DeleteObject(hBitmap);
    DeleteFileA(szPath);
    // The request is done: the next one is taken.
    EXPECT_TRUE(pGrabber->RequestSnapshot(szPath));
    EXPECT_FALSE(pGrabber->SetGrabberCallback(nullptr));
    EXPECT_FALSE(pGrabber->RequestSnapshot(szPath));
    graph.DisconnectAll();
    TearDownNodes();
}

TEST(SampleGrabberFormat, OnlyAVideoFormatLongEnoughGivesItsPictureHeader)
{
    VIDEOINFOHEADER2 info2 = {};
    info2.bmiHeader.biWidth = 720;
    AM_MEDIA_TYPE mt = {};
    mt.formattype = FORMAT_VideoInfo2;
    mt.pbFormat = reinterpret_cast<BYTE*>(&info2);
    mt.cbFormat = sizeof(info2);
    ASSERT_NE(nullptr, CSampleGrabberFilter::FindBitmapHeader(mt));
    EXPECT_EQ(720, CSampleGrabberFilter::FindBitmapHeader(mt)->biWidth);
    mt.formattype = FORMAT_VideoInfo;
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(mt.pbFormat + 48), CSampleGrabberFilter::FindBitmapHeader(mt));
    // Too short, or not a picture at all: nothing is copied.
    mt.cbFormat = 48 + 39;
    EXPECT_EQ(nullptr, CSampleGrabberFilter::FindBitmapHeader(mt));
    mt.cbFormat = sizeof(info2);
    mt.formattype = FORMAT_WaveFormatEx;
    EXPECT_EQ(nullptr, CSampleGrabberFilter::FindBitmapHeader(mt));
    mt.formattype = FORMAT_VideoInfo;
    mt.pbFormat = nullptr;
    EXPECT_EQ(nullptr, CSampleGrabberFilter::FindBitmapHeader(mt));
}

// An audio compressor's output pin offering wave formats, with the stream
// configuration the wrapper sets the chosen one through.
class CFakeAcmOutput : public CBasePin, public IAMStreamConfig
{
public:
    CFakeAcmOutput(CBaseFilter* pFilter, CCritSec* pLock)
        : CBasePin("fake acm output", pFilter, pLock, &m_hr, L"Output", PINDIR_OUTPUT)
    {
    }
    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IAMStreamConfig)
            return GetInterface(static_cast<IAMStreamConfig*>(this), ppv);
        return CBasePin::NonDelegatingQueryInterface(riid, ppv);
    }
    HRESULT CheckMediaType(const CMediaType*) override { return S_OK; }
    HRESULT GetMediaType(int iPosition, CMediaType* pmt) override
    {
        static const DWORD kRates[] = { 8000, 22050, 44100, 44100 };
        static const WORD kBits[] = { 8, 16, 8, 16 };
        if (iPosition < 0)
            return E_INVALIDARG;
        if (iPosition >= 4)
            return VFW_S_NO_MORE_ITEMS;
        pmt->InitMediaType();
        pmt->SetType(&MEDIATYPE_Audio);
        pmt->SetSubtype(&MEDIASUBTYPE_PCM);
        pmt->SetFormatType(&FORMAT_WaveFormatEx);
        WAVEFORMATEX* pWave = reinterpret_cast<WAVEFORMATEX*>(pmt->AllocFormatBuffer(sizeof(WAVEFORMATEX)));
        memset(pWave, 0, sizeof(*pWave));
        pWave->wFormatTag = WAVE_FORMAT_PCM;
        pWave->nChannels = 2;
        pWave->nSamplesPerSec = kRates[iPosition];
        pWave->wBitsPerSample = kBits[iPosition];
        pWave->nBlockAlign = static_cast<WORD>(pWave->nChannels * pWave->wBitsPerSample / 8);
        pWave->nAvgBytesPerSec = pWave->nSamplesPerSec * pWave->nBlockAlign;
        return S_OK;
    }
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* pmt) override
    {
        const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(pmt->pbFormat);
        set.push_back(std::to_string(pWave->nSamplesPerSec) + "/" + std::to_string(pWave->wBitsPerSample));
        return setResult;
    }
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE**) override { return E_NOTIMPL; }
    STDMETHODIMP GetNumberOfCapabilities(int*, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamCaps(int, AM_MEDIA_TYPE**, BYTE*) override { return E_NOTIMPL; }

    HRESULT m_hr = S_OK;
    std::vector<std::string> set;
    HRESULT setResult = S_OK;
};

class CFakeAcm : public CBaseFilter
{
public:
    CFakeAcm() : CBaseFilter("fake acm", nullptr, &m_lock, GUID_NULL), m_output(this, &m_lock) {}
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override { return n == 0 ? &m_output : nullptr; }
    CCritSec m_lock;
    CFakeAcmOutput m_output;
};

TEST_F(CodecWrappers, AcmWrapperPicksItsOutputByRateAndSampleSize)
{
    // Wine's own ACM wrapper offers no stream configuration: no valid node.
    EXPECT_EQ(nullptr, graph.AddFilter(kAcmWrapper, "ACM"));
    CAcmWrapperFilter wine(&graph, kAcmWrapper);
    EXPECT_FALSE(wine.IsValid());
    EXPECT_FALSE(wine.SetOutputFormat(44100, 16));

    CFakeAcm* pFake = new CFakeAcm();
    pFake->NonDelegatingAddRef();
    {
        ComPtr<IBaseFilter> filter;
        pFake->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter));
        CAcmWrapperFilter acm(&graph, filter.Get());
        ASSERT_TRUE(acm.IsValid());
        AM_MEDIA_TYPE* pmt = nullptr;
        ASSERT_TRUE(acm.FindOutputMediaType(&pmt, 44100, 8));
        EXPECT_EQ(44100u, reinterpret_cast<WAVEFORMATEX*>(pmt->pbFormat)->nSamplesPerSec);
        EXPECT_EQ(8, reinterpret_cast<WAVEFORMATEX*>(pmt->pbFormat)->wBitsPerSample);
        CAcmWrapperFilter::DeleteMediaType(pmt);
        pmt = nullptr;
        EXPECT_FALSE(acm.FindOutputMediaType(&pmt, 48000, 16));
        EXPECT_EQ(nullptr, pmt);
        EXPECT_FALSE(acm.FindOutputMediaType(nullptr, 44100, 16));

        EXPECT_TRUE(acm.SetOutputFormat(22050, 16));
        pFake->m_output.setResult = S_FALSE;
        EXPECT_FALSE(acm.SetOutputFormat(44100, 16));
        EXPECT_FALSE(acm.SetOutputFormat(11025, 16));
        EXPECT_EQ(std::vector<std::string>({ "22050/16", "44100/16" }), pFake->m_output.set);
    }
    pFake->NonDelegatingRelease();
}

TEST_F(CodecWrappers, SplittersRereadTheirPinsAfterEachConnection)
{
    CFilterNode* pNode = graph.AddFilter(kMpeg1Splitter, "Mpeg1 Splitter");
    CMpeg1SplitterFilter* pSplitter = dynamic_cast<CMpeg1SplitterFilter*>(pNode);
    ASSERT_NE(nullptr, pSplitter);
    EXPECT_TRUE(pSplitter->IsValid());
    EXPECT_TRUE(pSplitter->GetRefreshPins());

    SlotFilterHolder f;
    CMpeg2SplitterFilter mpeg2(&graph, f.Filter());
    EXPECT_TRUE(mpeg2.IsValid());
    EXPECT_TRUE(mpeg2.GetRefreshPins());
    CTimeDelayFilter delay(&graph, f.Filter());
    EXPECT_TRUE(delay.IsValid());
    EXPECT_FALSE(delay.GetRefreshPins());
}

TEST_F(CodecWrappers, ColorConvertReachesItsInterfaceForEachCall)
{
    const IID kIid = { 0xC9A9614D, 0xFDA4, 0x4D0D, { 0x82, 0xC6, 0x89, 0x15, 0x4F, 0x92, 0xA3, 0xF8 } };
    SlotFilterHolder f;
    f->Add<1, 1>(kIid, "cc");
    CColorConvertFilter convert(&graph, f.Filter());
    ASSERT_TRUE(convert.IsValid());
    EXPECT_EQ(S_OK, convert.SetValue3(3));
    f.Log().SetResult("cc", 4, S_FALSE);
    EXPECT_EQ(S_FALSE, convert.SetValue4(4));
    EXPECT_EQ(std::vector<std::string>({ "cc.3 3", "cc.4 4" }), f.Log().Lines());
    EXPECT_EQ(0, f->OutstandingRefs());

    SlotFilterHolder none;
    CColorConvertFilter bare(&graph, none.Filter());
    EXPECT_TRUE(bare.IsValid());
    EXPECT_EQ(E_NOINTERFACE, bare.SetValue3(1));
}
}

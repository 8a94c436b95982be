// The simulated BlackBird driver as the system meets it: through the system
// device enumerator, Wine's filter graph and capture graph builder.
#include <gtest/gtest.h>

#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/dshow/Streams.h"
#include "platform/standins/testfilters/TestFilters.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const GUID kCategoryEncoder = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

struct ComScope
{
    HRESULT hr;
    ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            CoUninitialize();
    }
};

// Binds the device of the category whose friendly name is the name.
ComPtr<IBaseFilter> BindDevice(const GUID& category, const wchar_t* pszName)
{
    ComPtr<IBaseFilter> pFilter;
    ComPtr<ICreateDevEnum> pDevEnum;
    ComPtr<IEnumMoniker> pEnum;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(&pDevEnum))) ||
        pDevEnum->CreateClassEnumerator(category, &pEnum, 0) != S_OK)
        return pFilter;
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, nullptr) == S_OK)
    {
        ComPtr<IPropertyBag> pBag;
        VARIANT var;
        VariantInit(&var);
        if (SUCCEEDED(pMoniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&pBag))) &&
            SUCCEEDED(pBag->Read(L"FriendlyName", &var, nullptr)) && var.vt == VT_BSTR &&
            wcscmp(var.bstrVal, pszName) == 0)
        {
            pMoniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&pFilter));
            VariantClear(&var);
            break;
        }
        VariantClear(&var);
        pMoniker.Reset();
    }
    return pFilter;
}

std::vector<std::wstring> FilterNames(IGraphBuilder* pGraph)
{
    std::vector<std::wstring> names;
    ComPtr<IEnumFilters> pEnum;
    pGraph->EnumFilters(&pEnum);
    ComPtr<IBaseFilter> pFilter;
    while (pEnum && pEnum->Next(1, &pFilter, nullptr) == S_OK)
    {
        FILTER_INFO info;
        if (SUCCEEDED(pFilter->QueryFilterInfo(&info)))
        {
            if (info.pGraph)
                info.pGraph->Release();
            names.push_back(info.achName);
        }
        pFilter.Reset();
    }
    return names;
}

ComPtr<IPin> FindPinNamed(IBaseFilter* pFilter, const wchar_t* pszName)
{
    ComPtr<IPin> pPin;
    ComPtr<IEnumPins> pEnum;
    pFilter->EnumPins(&pEnum);
    while (pEnum && pEnum->Next(1, &pPin, nullptr) == S_OK)
    {
        PIN_INFO info;
        pPin->QueryPinInfo(&info);
        if (info.pFilter)
            info.pFilter->Release();
        if (wcscmp(info.achName, pszName) == 0)
            return pPin;
        pPin.Reset();
    }
    return pPin;
}

// The driver's card-control requests, laid out as the driver reads them.
HRESULT ReadCardByte(IKsPropertySet* pProps, BYTE device, LONG sub, BYTE* pValue)
{
    BYTE request[56] = {};
    request[24] = device;
    memcpy(request + 28, &sub, 4);
    DWORD cb = 0;
    HRESULT hr = pProps->Get(SIMPROPSETID_BlackBirdCard, 2, request, 32, request, sizeof(request), &cb);
    *pValue = request[32];
    return hr;
}

HRESULT CardI2C(IKsPropertySet* pProps, BOOL bWrite, std::vector<BYTE> bytes)
{
    BYTE request[304] = {};
    memcpy(request + 24, bytes.data(), bytes.size());
    DWORD count = static_cast<DWORD>(bytes.size());
    memcpy(request + 280, &count, 4);
    DWORD cb = 0;
    return bWrite ? pProps->Set(SIMPROPSETID_BlackBirdCard, 6, request, 280, request, sizeof(request))
                  : pProps->Get(SIMPROPSETID_BlackBirdCard, 6, request, 280, request, sizeof(request), &cb);
}

class BlackBirdSim : public ::testing::Test
{
protected:
    ComScope com;
    CBlackBirdSimHost sim;
    ComPtr<IGraphBuilder> graph;
    ComPtr<ICaptureGraphBuilder2> builder;

    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(com.hr);
        ASSERT_TRUE(sim.IsReady());
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IGraphBuilder, reinterpret_cast<void**>(&graph)));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&builder)));
        ASSERT_HRESULT_SUCCEEDED(builder->SetFiltergraph(graph.Get()));
    }
    void TearDown() override
    {
        if (graph)
        {
            ComPtr<IMediaControl> control;
            graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
            if (control)
                control->Stop();
        }
        builder.Reset();
        graph.Reset();
    }
};

TEST_F(BlackBirdSim, EveryFilterOfTheCardIsADeviceOfItsCategory)
{
    struct Row
    {
        const GUID* pCategory;
        const wchar_t* pszName;
    } rows[] = {
        { &CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture" },
        { &AM_KSCATEGORY_TVTUNER, L"BlackBird Tuner" },
        { &AM_KSCATEGORY_CROSSBAR, L"BlackBird Crossbar" },
        { &AM_KSCATEGORY_TVAUDIO, L"BlackBird TV Audio" },
        { &kCategoryEncoder, L"BlackBird MPEG Encoder" },
    };
    for (const Row& row : rows)
        EXPECT_TRUE(BindDevice(*row.pCategory, row.pszName)) << std::string(row.pszName, row.pszName + wcslen(row.pszName));
}

TEST_F(BlackBirdSim, CaptureBringsItsCompanionsOnceAndTheBuilderFindsThemUpstream)
{
    ComPtr<IBaseFilter> capture = BindDevice(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
    ASSERT_TRUE(capture);
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"BlackBird Video Capture"));
    EXPECT_EQ(4u, FilterNames(graph.Get()).size());

    ComPtr<IAMTVTuner> tuner;
    ComPtr<IAMCrossbar> crossbar;
    ComPtr<IAMTVAudio> tvAudio;
    EXPECT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture.Get(), IID_IAMTVTuner,
                                           reinterpret_cast<void**>(&tuner)));
    EXPECT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture.Get(), IID_IAMCrossbar,
                                           reinterpret_cast<void**>(&crossbar)));
    EXPECT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture.Get(), IID_IAMTVAudio,
                                           reinterpret_cast<void**>(&tvAudio)));

    // Out and in again: the companions left in the graph are used again.
    ASSERT_EQ(S_OK, graph->RemoveFilter(capture.Get()));
    EXPECT_EQ(3u, FilterNames(graph.Get()).size());
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"BlackBird Video Capture"));
    EXPECT_EQ(4u, FilterNames(graph.Get()).size());
    EXPECT_EQ(3, sim.Card()->GetCompanionsMade());
    ComPtr<IAMTVTuner> again;
    EXPECT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture.Get(), IID_IAMTVTuner,
                                           reinterpret_cast<void**>(&again)));
    EXPECT_EQ(tuner.Get(), again.Get());
}

TEST_F(BlackBirdSim, WithoutCompanionsTheBuilderFindsNoTuner)
{
    sim.Card()->SetCompanionsEnabled(FALSE);
    ComPtr<IBaseFilter> capture = BindDevice(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
    ASSERT_TRUE(capture);
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"BlackBird Video Capture"));
    EXPECT_EQ(1u, FilterNames(graph.Get()).size());
    ComPtr<IAMTVTuner> tuner;
    EXPECT_NE(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, capture.Get(), IID_IAMTVTuner,
                                           reinterpret_cast<void**>(&tuner)));
}

TEST_F(BlackBirdSim, TunerCardControlReachesEepromAndPll)
{
    ComPtr<IBaseFilter> tuner = BindDevice(AM_KSCATEGORY_TVTUNER, L"BlackBird Tuner");
    ASSERT_TRUE(tuner);
    ComPtr<IKsPropertySet> props;
    ASSERT_HRESULT_SUCCEEDED(tuner->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props)));
    DWORD support = 0;
    EXPECT_EQ(S_OK, props->QuerySupported(SIMPROPSETID_BlackBirdCard, 0, &support));

    sim.Card()->SetEepromTuner('T', 5);
    BYTE value = 0;
    ASSERT_EQ(S_OK, ReadCardByte(props.Get(), 0xA0, 0x21, &value));
    EXPECT_EQ(5, value);
    ASSERT_EQ(S_OK, ReadCardByte(props.Get(), 0xA0, 0x20, &value));
    EXPECT_EQ('T', value);

    // Only the PLL and the EEPROM answer the address alone.
    EXPECT_EQ(S_OK, CardI2C(props.Get(), FALSE, { 0xC1 }));
    EXPECT_EQ(S_OK, CardI2C(props.Get(), FALSE, { 0xA1 }));
    EXPECT_EQ(E_FAIL, CardI2C(props.Get(), FALSE, { 0xC3 }));

    sim.Card()->ClearBusLog();
    ASSERT_EQ(S_OK, CardI2C(props.Get(), TRUE, { 0xC0, 0x1F, 0xE2, 0xCE, 0x02 }));
    std::vector<std::vector<BYTE> > writes = sim.WritesTo(0xC0);
    ASSERT_EQ(1u, writes.size());
    EXPECT_EQ(std::vector<BYTE>({ 0x1F, 0xE2, 0xCE, 0x02 }), writes[0]);
    EXPECT_TRUE(sim.Card()->IsOnStation());
}

TEST_F(BlackBirdSim, CrossbarRoutesVideoAndAudioInputsToTheirOwnOutputs)
{
    ComPtr<IBaseFilter> filter = BindDevice(AM_KSCATEGORY_CROSSBAR, L"BlackBird Crossbar");
    ASSERT_TRUE(filter);
    ComPtr<IAMCrossbar> crossbar;
    ASSERT_HRESULT_SUCCEEDED(filter->QueryInterface(IID_IAMCrossbar, reinterpret_cast<void**>(&crossbar)));
    LONG outputs = 0, inputs = 0;
    ASSERT_EQ(S_OK, crossbar->get_PinCounts(&outputs, &inputs));
    EXPECT_EQ(2, outputs);
    EXPECT_EQ(5, inputs);
    EXPECT_EQ(S_OK, crossbar->Route(0, SIM_XBAR_VIDEO_COMPOSITE));
    EXPECT_EQ(SIM_XBAR_VIDEO_COMPOSITE, sim.Card()->GetRoute(0));
    EXPECT_EQ(S_FALSE, crossbar->Route(0, SIM_XBAR_AUDIO_LINE));
    EXPECT_EQ(S_OK, crossbar->Route(1, SIM_XBAR_AUDIO_LINE));
    EXPECT_EQ(E_INVALIDARG, crossbar->Route(1, 5));
    LONG related = 0, type = 0;
    ASSERT_EQ(S_OK, crossbar->get_CrossbarPinInfo(TRUE, SIM_XBAR_VIDEO_SVIDEO, &related, &type));
    EXPECT_EQ(PhysConn_Video_SVideo, type);
}

// Runs the capture pin into a file for three frames and returns the frames.
std::vector<std::vector<BYTE> > CaptureFrames(IGraphBuilder* graph, IBaseFilter* capture, int width, int height,
                                              const char* path)
{
    std::vector<std::vector<BYTE> > frames;
    ComPtr<IPin> pin = FindPinNamed(capture, L"Capture");
    ComPtr<IAMStreamConfig> config;
    if (!pin || FAILED(pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config))))
        return frames;
    AM_MEDIA_TYPE* pmt = nullptr;
    config->GetFormat(&pmt);
    VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(pmt->pbFormat);
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    HRESULT hr = config->SetFormat(pmt);
    DeleteMediaType(pmt);
    if (FAILED(hr))
        return frames;
    DeleteFileA(path);
    ComPtr<IBaseFilter> sink;
    CFileAppendSink* pSink = nullptr;
    if (FAILED(CreateFileAppendSink(path, &sink, &pSink)) || FAILED(graph->AddFilter(sink.Get(), L"Sink")))
        return frames;
    ComPtr<IPin> sinkPin = FindPinNamed(sink.Get(), L"Input");
    if (FAILED(graph->ConnectDirect(pin.Get(), sinkPin.Get(), nullptr)))
        return frames;
    ComPtr<IMediaControl> control;
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    control->Run();
    pSink->WaitForSamples(3, 10000);
    control->Stop();
    graph->RemoveFilter(sink.Get());
    std::ifstream file(path, std::ios::binary);
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    size_t frameSize = static_cast<size_t>(width) * height * 2;
    for (size_t at = 0; at + frameSize <= bytes.size(); at += frameSize)
        frames.push_back(std::vector<BYTE>(bytes.begin() + at, bytes.begin() + at + frameSize));
    return frames;
}

TEST_F(BlackBirdSim, ThePictureMovesAndChangesWithTheStation)
{
    SimStation stations[] = { { 471250, FALSE }, { 479250, FALSE } };
    sim.Card()->SetStations(stations, 2);
    ComPtr<IBaseFilter> capture = BindDevice(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
    ASSERT_TRUE(capture);
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"BlackBird Video Capture"));
    ComPtr<IKsPropertySet> props;
    ASSERT_HRESULT_SUCCEEDED(capture->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props)));
    ComPtr<IAMAnalogVideoDecoder> decoder;
    ASSERT_HRESULT_SUCCEEDED(capture->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&decoder)));

    struct Tuning
    {
        BYTE high, low;
        LONG locked;
    } tunings[] = { { 0x1F, 0xE2, 1 }, { 0x20, 0x62, 1 }, { 0x20, 0x00, 0 } };
    std::vector<std::vector<BYTE> > firstFrames;
    for (const Tuning& t : tunings)
    {
        ASSERT_EQ(S_OK, CardI2C(props.Get(), TRUE, { 0xC0, t.high, t.low, 0xCE, 0x02 }));
        LONG locked = -1;
        ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
        EXPECT_EQ(t.locked, locked);
        std::vector<std::vector<BYTE> > frames = CaptureFrames(graph.Get(), capture.Get(), 64, 48,
                                                               "blackbird-capture.yuv");
        ASSERT_GE(frames.size(), 2u);
        EXPECT_NE(frames[0], frames[1]);
        firstFrames.push_back(frames[0]);
    }
    EXPECT_NE(firstFrames[0], firstFrames[1]);
    EXPECT_NE(firstFrames[0], firstFrames[2]);
    EXPECT_NE(firstFrames[1], firstFrames[2]);
}

TEST_F(BlackBirdSim, StreamConfigTakesEvenSizesUpToFullPal)
{
    ComPtr<IBaseFilter> capture = BindDevice(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
    ASSERT_TRUE(capture);
    ComPtr<IPin> pin = FindPinNamed(capture.Get(), L"Capture");
    ASSERT_TRUE(pin);
    ComPtr<IAMStreamConfig> config;
    ASSERT_HRESULT_SUCCEEDED(pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config)));
    struct Row
    {
        LONG width, height;
        bool accepted;
    } rows[] = { { 720, 576, true }, { 722, 576, false }, { 720, 578, false }, { 352, 288, true },
                 { 351, 288, false }, { 2, 2, true } };
    for (const Row& row : rows)
    {
        AM_MEDIA_TYPE* pmt = nullptr;
        ASSERT_EQ(S_OK, config->GetFormat(&pmt));
        VIDEOINFOHEADER* vih = reinterpret_cast<VIDEOINFOHEADER*>(pmt->pbFormat);
        vih->bmiHeader.biWidth = row.width;
        vih->bmiHeader.biHeight = row.height;
        EXPECT_EQ(row.accepted, config->SetFormat(pmt) == S_OK) << row.width << "x" << row.height;
        DeleteMediaType(pmt);
    }
}
}

namespace
{
// The 90 kHz clock references of the MPEG-2 packs in a program stream.
std::vector<LONGLONG> PackClocks(const std::vector<BYTE>& d)
{
    std::vector<LONGLONG> clocks;
    for (size_t i = 0; i + 10 <= d.size(); i += 2048)
    {
        if (d[i] != 0 || d[i + 1] != 0 || d[i + 2] != 1 || d[i + 3] != 0xBA)
            return std::vector<LONGLONG>();
        const BYTE* p = &d[i + 4];
        clocks.push_back((static_cast<LONGLONG>((p[0] >> 3) & 7) << 30) | (static_cast<LONGLONG>(p[0] & 3) << 28) |
                         (static_cast<LONGLONG>(p[1]) << 20) | (static_cast<LONGLONG>(p[2] >> 3) << 15) |
                         (static_cast<LONGLONG>(p[2] & 3) << 13) | (static_cast<LONGLONG>(p[3]) << 5) | (p[4] >> 3));
    }
    return clocks;
}

class BlackBirdEncoderStream : public BlackBirdSim
{
protected:
    // Connects the capture's digital buses to the encoder and its output to a
    // file; returns the file sink.
    CFileAppendSink* Build(const char* path)
    {
        ComPtr<IBaseFilter> capture = BindDevice(CLSID_VideoInputDeviceCategory, L"BlackBird Video Capture");
        ComPtr<IBaseFilter> encoder = BindDevice(kCategoryEncoder, L"BlackBird MPEG Encoder");
        if (!capture || !encoder || FAILED(graph->AddFilter(capture.Get(), L"BlackBird Video Capture")) ||
            FAILED(graph->AddFilter(encoder.Get(), L"BlackBird MPEG Encoder")))
            return nullptr;
        if (FAILED(graph->ConnectDirect(FindPinNamed(capture.Get(), L"656").Get(),
                                        FindPinNamed(encoder.Get(), L"656").Get(), nullptr)) ||
            FAILED(graph->ConnectDirect(FindPinNamed(capture.Get(), L"I2S").Get(),
                                        FindPinNamed(encoder.Get(), L"I2S").Get(), nullptr)))
            return nullptr;
        DeleteFileA(path);
        ComPtr<IBaseFilter> sink;
        CFileAppendSink* pSink = nullptr;
        if (FAILED(CreateFileAppendSink(path, &sink, &pSink)) || FAILED(graph->AddFilter(sink.Get(), L"Sink")))
            return nullptr;
        if (FAILED(graph->ConnectDirect(FindPinNamed(encoder.Get(), L"MPEG").Get(),
                                        FindPinNamed(sink.Get(), L"Input").Get(), nullptr)))
            return nullptr;
        return pSink;
    }
    std::vector<BYTE> ReadFile(const char* path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::vector<BYTE>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
    void Run(BOOL bRun)
    {
        ComPtr<IMediaControl> control;
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        if (bRun)
            control->Run();
        else
            control->Stop();
    }
};

// Three passes of the clip as fast as they go; the file is checked with
// ffprobe by the test that follows this program.
TEST_F(BlackBirdEncoderStream, LoopsTheClipWithClocksThatKeepRising)
{
    sim.Card()->SetEncoderPacing(FALSE);
    sim.Card()->SetEncoderPasses(3);
    CFileAppendSink* pSink = Build("blackbird-encoder.mpg");
    ASSERT_NE(nullptr, pSink);
    Run(TRUE);
    ASSERT_TRUE(pSink->WaitForEndOfStream(10000));
    Run(FALSE);
    std::vector<BYTE> data = ReadFile("blackbird-encoder.mpg");
    ASSERT_EQ(0u, data.size() % 2048);
    std::vector<LONGLONG> clocks = PackClocks(data);
    ASSERT_FALSE(clocks.empty());
    for (size_t i = 1; i < clocks.size(); ++i)
        ASSERT_GT(clocks[i], clocks[i - 1]) << "pack " << i;
    // Two passes of 2.4 s, then the third with its packs' lead on its pictures.
    EXPECT_GE(clocks.back() - clocks.front(), 2 * 216000);
    EXPECT_LT(clocks.back() - clocks.front(), 3 * 216000 + 90000);
}

TEST_F(BlackBirdEncoderStream, PacesThePacksInRealTime)
{
    CFileAppendSink* pSink = Build("blackbird-encoder-paced.mpg");
    ASSERT_NE(nullptr, pSink);
    DWORD start = GetTickCount();
    Run(TRUE);
    // Eight samples of up to 16 packs: a few hundred ms of stream when paced.
    ASSERT_TRUE(pSink->WaitForSamples(8, 10000));
    Run(FALSE);
    DWORD elapsed = GetTickCount() - start;
    std::vector<LONGLONG> clocks = PackClocks(ReadFile("blackbird-encoder-paced.mpg"));
    ASSERT_GE(clocks.size(), 2u);
    LONGLONG streamMs = (clocks.back() - clocks.front()) / 90;
    // A sample holds up to 16 packs, which leave together at the time of the first.
    EXPECT_LE(streamMs, static_cast<LONGLONG>(elapsed) + 250);
    EXPECT_GE(streamMs, 100);
}

TEST_F(BlackBirdEncoderStream, PropertiesAreLoggedAndRefusable)
{
    ComPtr<IBaseFilter> encoder = BindDevice(kCategoryEncoder, L"BlackBird MPEG Encoder");
    ASSERT_TRUE(encoder);
    ComPtr<IKsPropertySet> props;
    ASSERT_HRESULT_SUCCEEDED(encoder->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props)));
    DWORD support = 0;
    struct Row
    {
        DWORD id;
        bool supported;
    } rows[] = { { 0, true }, { 1, true }, { 2, true }, { 3, false }, { 4, true }, { 9, true }, { 10, false } };
    for (const Row& row : rows)
        EXPECT_EQ(row.supported, props->QuerySupported(SIMPROPSETID_BlackBirdEncoder, row.id, &support) == S_OK)
            << row.id;
    DWORD kind = 2;
    EXPECT_EQ(S_OK, props->Set(SIMPROPSETID_BlackBirdEncoder, 9, &kind, 4, &kind, 4));
    sim.Card()->RefuseEncoderProperty(9, E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, props->Set(SIMPROPSETID_BlackBirdEncoder, 9, &kind, 4, &kind, 4));
    EXPECT_EQ(2, sim.Card()->GetEncoderWriteCount());
    sim.Card()->RefuseEncoderProperty(9, S_OK);
    DWORD got = 0, cb = 0;
    EXPECT_EQ(S_OK, props->Get(SIMPROPSETID_BlackBirdEncoder, 9, &got, 4, &got, 4, &cb));
    EXPECT_EQ(2u, got);
    EXPECT_EQ(4u, cb);
    BYTE shortBuffer[2] = {};
    EXPECT_EQ(E_INVALIDARG, props->Set(SIMPROPSETID_BlackBirdEncoder, 0, shortBuffer, 2, shortBuffer, 2));
}

// Stream kind 2 asks for an MPEG-1 system stream.
TEST_F(BlackBirdEncoderStream, KindTwoWritesAnMpeg1SystemStream)
{
    sim.Card()->SetEncoderPacing(FALSE);
    sim.Card()->SetEncoderPasses(2);
    ComPtr<IBaseFilter> encoder = BindDevice(kCategoryEncoder, L"BlackBird MPEG Encoder");
    ASSERT_TRUE(encoder);
    ComPtr<IKsPropertySet> props;
    ASSERT_HRESULT_SUCCEEDED(encoder->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props)));
    DWORD kind = 2;
    ASSERT_EQ(S_OK, props->Set(SIMPROPSETID_BlackBirdEncoder, 9, &kind, 4, &kind, 4));
    CFileAppendSink* pSink = Build("blackbird-encoder-mpeg1.mpg");
    ASSERT_NE(nullptr, pSink);
    ComPtr<IBaseFilter> sink;
    ASSERT_EQ(S_OK, graph->FindFilterByName(L"Sink", &sink));
    AM_MEDIA_TYPE mt;
    ASSERT_EQ(S_OK, FindPinNamed(sink.Get(), L"Input")->ConnectionMediaType(&mt));
    EXPECT_TRUE(mt.subtype == MEDIASUBTYPE_MPEG1System);
    FreeMediaType(mt);
    Run(TRUE);
    ASSERT_TRUE(pSink->WaitForEndOfStream(10000));
    Run(FALSE);
    std::vector<BYTE> data = ReadFile("blackbird-encoder-mpeg1.mpg");
    ASSERT_GT(data.size(), 2048u);
    // An MPEG-1 pack header: '0010' before the clock reference.
    EXPECT_EQ(0x20, data[4] & 0xF0);
}
}

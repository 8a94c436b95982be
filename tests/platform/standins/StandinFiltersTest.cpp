// The stand-in video filters on their own: the deinterlacer's picture work
// and its pictures in a graph behind the simulated card, the aspect filter,
// the overlay mixer's configuration and colour controls, and the snapshot
// files both snapshot filters write.
#include <gtest/gtest.h>

#include <dshow.h>
#include <qedit.h>
#include <wincodec.h>

#include <string.h>

#include <string>
#include <vector>

#include "platform/dshow/Streams.h"
#include "platform/sim/blackbird/BlackBirdSim.h"
#include "platform/sim/blackbird/SimPicture.h"
#include "platform/standins/deinterlace/Deinterlacer.h"
#include "platform/standins/deinterlace/SnapPicture.h"
#include "platform/standins/overlaymixer/OverlayMixer.h"
#include "platform/standins/transformratio/TransformRatio.h"

extern "C" const CLSID CLSID_NullRenderer;
extern "C" const CLSID CLSID_SampleGrabber;

namespace
{
// A YUY2 frame whose even lines have the luma even and odd lines odd.
std::vector<BYTE> Fields(int width, int height, BYTE even, BYTE odd)
{
    std::vector<BYTE> frame(static_cast<size_t>(width) * height * 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 2; x += 2)
        {
            frame[y * width * 2 + x] = (y & 1) ? odd : even;
            frame[y * width * 2 + x + 1] = 128;
        }
    return frame;
}

BYTE LumaAt(const std::vector<BYTE>& frame, int width, int x, int y)
{
    return frame[(static_cast<size_t>(y) * width + x) * 2];
}

typedef CDeinterlacer::Settings Settings;
const Settings kOff = { FALSE, FALSE, FALSE, FALSE, 0 };
const Settings kBob = { TRUE, FALSE, FALSE, FALSE, 0 };
const Settings kBobHalf = { TRUE, FALSE, TRUE, FALSE, 0 };
const Settings kWeaveStill = { TRUE, TRUE, TRUE, FALSE, 0 };
const Settings kReduce = { FALSE, FALSE, FALSE, TRUE, 10 };
}

TEST(Deinterlacer, EachFieldBecomesAPictureOfItsOwnLines)
{
    const int w = 8, h = 6;
    std::vector<BYTE> frame = Fields(w, h, 10, 200);
    std::vector<CDeinterlacer::Picture> pictures;
    CDeinterlacer::CProcessor processor;

    processor.Process(frame.data(), w, h, kOff, &pictures);
    ASSERT_EQ(1u, pictures.size());
    EXPECT_EQ(frame, pictures[0].yuy2);

    processor.Process(frame.data(), w, h, kBob, &pictures);
    ASSERT_EQ(2u, pictures.size());
    for (int y = 0; y < h; ++y)
    {
        EXPECT_EQ(10, LumaAt(pictures[0].yuy2, w, 3, y)) << y;
        EXPECT_EQ(200, LumaAt(pictures[1].yuy2, w, 3, y)) << y;
    }
    EXPECT_EQ(0, pictures[0].nField);
    EXPECT_EQ(1, pictures[1].nField);

    processor.Process(frame.data(), w, h, kBobHalf, &pictures);
    ASSERT_EQ(1u, pictures.size());
    EXPECT_EQ(10, LumaAt(pictures[0].yuy2, w, 3, 1));
}

TEST(Deinterlacer, HighQualityWeavesWhatStandsStill)
{
    const int w = 8, h = 6;
    std::vector<BYTE> still = Fields(w, h, 10, 200);
    std::vector<CDeinterlacer::Picture> pictures;
    CDeinterlacer::CProcessor processor;
    // The first frame has nothing to compare with: interpolated.
    processor.Process(still.data(), w, h, kWeaveStill, &pictures);
    EXPECT_EQ(10, LumaAt(pictures[0].yuy2, w, 3, 1));
    processor.Process(still.data(), w, h, kWeaveStill, &pictures);
    EXPECT_EQ(200, LumaAt(pictures[0].yuy2, w, 3, 1));
    // The odd lines move: interpolated again.
    std::vector<BYTE> moved = Fields(w, h, 10, 120);
    processor.Process(moved.data(), w, h, kWeaveStill, &pictures);
    EXPECT_EQ(10, LumaAt(pictures[0].yuy2, w, 3, 1));
}

TEST(Deinterlacer, NoiseReductionDampsSmallStepsOnly)
{
    const int w = 8, h = 2;
    std::vector<CDeinterlacer::Picture> pictures;
    CDeinterlacer::CProcessor processor;
    std::vector<BYTE> frame = Fields(w, h, 100, 100);
    processor.Process(frame.data(), w, h, kReduce, &pictures);
    EXPECT_EQ(100, LumaAt(pictures[0].yuy2, w, 0, 0));
    frame = Fields(w, h, 116, 100);
    processor.Process(frame.data(), w, h, kReduce, &pictures);
    // Level 10 keeps three quarters of the way back to the last picture.
    EXPECT_EQ(104, LumaAt(pictures[0].yuy2, w, 0, 0));
    frame = Fields(w, h, 200, 100);
    processor.Process(frame.data(), w, h, kReduce, &pictures);
    EXPECT_EQ(200, LumaAt(pictures[0].yuy2, w, 0, 0));
}

TEST(TransformRatio, ScalingPutsBarsWhereTheAspectSays)
{
    VideoFrameFormat rgb = { VideoFrameFormat::KIND_RGB32, 16, 16, 0 };
    std::vector<BYTE> in(rgb.ImageSize(), 200), out(rgb.ImageSize(), 1);
    CTransformRatio::Reshape(in.data(), out.data(), rgb, 0, 1);
    EXPECT_EQ(in, out);
    CTransformRatio::Reshape(in.data(), out.data(), rgb, 1, 1);
    // Wide: two black rows at each end, the picture between.
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ((y < 2 || y >= 14) ? 0 : 200, out[y * 64 + 20]) << y;
    VideoFrameFormat yuy2 = { VideoFrameFormat::KIND_YUY2, 32, 4, 0 };
    std::vector<BYTE> yin(yuy2.ImageSize(), 200), yout(yuy2.ImageSize(), 1);
    CTransformRatio::Reshape(yin.data(), yout.data(), yuy2, 1, 2);
    // Normal: two black pixel pairs at each side.
    for (int e = 0; e < 16; ++e)
        EXPECT_EQ((e < 2 || e >= 14) ? 16 : 200, yout[e * 4]) << e;
}

namespace
{
template <class T>
ComPtr<T> Make(LPFNNewCOMObject pfnCreate, REFIID riid)
{
    HRESULT hr = S_OK;
    CUnknown* pObject = pfnCreate(nullptr, &hr);
    ComPtr<T> p;
    if (pObject != nullptr)
    {
        pObject->NonDelegatingAddRef();
        pObject->NonDelegatingQueryInterface(riid, reinterpret_cast<void**>(&p));
        pObject->NonDelegatingRelease();
    }
    return p;
}

ComPtr<IPin> PinNamed(IBaseFilter* pFilter, LPCWSTR pszName)
{
    ComPtr<IPin> pPin;
    pFilter->FindPin(pszName, &pPin);
    return pPin;
}
}

TEST(OverlayMixer, ItsInputKeepsTheConfigurationAndTheControlsChangeThePicture)
{
    ComPtr<IBaseFilter> pMixer = Make<IBaseFilter>(COverlayMixer::CreateInstance, IID_IBaseFilter);
    ASSERT_TRUE(pMixer);
    ComPtr<IPin> pInput = PinNamed(pMixer.Get(), L"Input0");
    ASSERT_TRUE(pInput);
    ASSERT_TRUE(PinNamed(pMixer.Get(), L"Output"));
    ComPtr<IMixerPinConfig2> pConfig;
    ASSERT_HRESULT_SUCCEEDED(pInput->QueryInterface(IID_IMixerPinConfig2, reinterpret_cast<void**>(&pConfig)));

    COLORKEY key = {};
    key.KeyType = CK_RGB;
    key.LowColorValue = key.HighColorValue = RGB(1, 2, 3);
    ASSERT_EQ(S_OK, pConfig->SetColorKey(&key));
    COLORKEY read = {};
    DWORD color = 0;
    ASSERT_EQ(S_OK, pConfig->GetColorKey(&read, &color));
    EXPECT_EQ(RGB(1, 2, 3), read.LowColorValue);
    EXPECT_EQ(RGB(1, 2, 3), color);
    ASSERT_EQ(S_OK, pConfig->SetAspectRatioMode(AM_ARMODE_STRETCHED));
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_LETTER_BOX;
    ASSERT_EQ(S_OK, pConfig->GetAspectRatioMode(&mode));
    EXPECT_EQ(AM_ARMODE_STRETCHED, mode);

    // Only the flagged field is taken.
    DDCOLORCONTROL controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwFlags = DDCOLOR_SATURATION;
    controls.lSaturation = 0;
    controls.lBrightness = 9999;
    ASSERT_EQ(S_OK, pConfig->SetOverlaySurfaceColorControls(&controls));
    DDCOLORCONTROL now = {};
    now.dwSize = sizeof(now);
    ASSERT_EQ(S_OK, pConfig->GetOverlaySurfaceColorControls(&now));
    EXPECT_EQ(0, now.lSaturation);
    EXPECT_EQ(750, now.lBrightness);
    EXPECT_EQ(10000, now.lContrast);

    // The picture: one saturated pixel pair of YUY2.
    VideoFrameFormat yuy2 = { VideoFrameFormat::KIND_YUY2, 2, 1, 0 };
    const BYTE red[4] = { 82, 90, 82, 240 };
    BYTE out[8];
    DDCOLORCONTROL neutral = now;
    neutral.lSaturation = 10000;
    COverlayMixer::Mix(red, yuy2, neutral, out);
    EXPECT_GT(out[2], 200);
    EXPECT_LT(out[1], 40);
    COverlayMixer::Mix(red, yuy2, now, out);
    EXPECT_NEAR(out[0], out[2], 2);
    EXPECT_NEAR(out[1], out[2], 2);
    BYTE plain[8];
    COverlayMixer::Mix(red, yuy2, neutral, plain);
    DDCOLORCONTROL bright = neutral;
    bright.lBrightness = 4750;
    BYTE brighter[8];
    COverlayMixer::Mix(red, yuy2, bright, brighter);
    EXPECT_GT(brighter[1], plain[1] + 80);
}

namespace
{
// Pictures the graph passes through a sample grabber, with their times.
class CFrameCounter : public ISampleGrabberCB
{
public:
    CFrameCounter() : m_hEnough(CreateEventA(NULL, TRUE, FALSE, NULL)), m_nWanted(0) { InitializeCriticalSection(&m_cs); }
    ~CFrameCounter()
    {
        CloseHandle(m_hEnough);
        DeleteCriticalSection(&m_cs);
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_ISampleGrabberCB)
        {
            *ppv = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* pSample) override
    {
        REFERENCE_TIME start = 0, stop = 0;
        pSample->GetTime(&start, &stop);
        EnterCriticalSection(&m_cs);
        m_starts.push_back(start);
        if (static_cast<int>(m_starts.size()) >= m_nWanted)
            SetEvent(m_hEnough);
        LeaveCriticalSection(&m_cs);
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return S_OK; }

    BOOL WaitFor(int nWanted)
    {
        EnterCriticalSection(&m_cs);
        m_nWanted = nWanted;
        if (static_cast<int>(m_starts.size()) >= nWanted)
            SetEvent(m_hEnough);
        LeaveCriticalSection(&m_cs);
        return WaitForSingleObject(m_hEnough, 10000) == WAIT_OBJECT_0;
    }
    std::vector<REFERENCE_TIME> Starts()
    {
        EnterCriticalSection(&m_cs);
        std::vector<REFERENCE_TIME> copy = m_starts;
        LeaveCriticalSection(&m_cs);
        return copy;
    }

private:
    CRITICAL_SECTION m_cs;
    HANDLE m_hEnough;
    int m_nWanted;
    std::vector<REFERENCE_TIME> m_starts;
};

// The simulated card's capture filter, straight from its module (nothing registered).
class CardGraph : public ::testing::Test
{
protected:
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE hCard = LoadLibraryA("OndrixBlackBird.ax");
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IBaseFilter> capture;
    // Outlive the graph's streaming, which calls them.
    CFrameCounter counter;
    CFrameCounter halfCounter;

    void SetUp() override
    {
        ASSERT_NE(nullptr, hCard);
        typedef HRESULT(WINAPI * PFN_GET)(REFCLSID, REFIID, void**);
        PFN_GET pfnGet = reinterpret_cast<PFN_GET>(GetProcAddress(hCard, "DllGetClassObject"));
        PFN_BLACKBIRD_SIM_CONTROL pfnControl =
            reinterpret_cast<PFN_BLACKBIRD_SIM_CONTROL>(GetProcAddress(hCard, "BlackBirdSimControl"));
        ASSERT_TRUE(pfnGet != nullptr && pfnControl != nullptr);
        pfnControl()->Reset();
        ComPtr<IClassFactory> factory;
        ASSERT_HRESULT_SUCCEEDED(pfnGet(CLSID_SimBlackBirdCapture, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&capture)));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  reinterpret_cast<void**>(&graph)));
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(capture.Get(), L"Card"));
        // The composite input: a clean picture without tuning.
        ComPtr<IEnumFilters> pEnum;
        graph->EnumFilters(&pEnum);
        ComPtr<IBaseFilter> pFilter;
        while (pEnum->Next(1, &pFilter, nullptr) == S_OK)
        {
            ComPtr<IAMCrossbar> pCrossbar;
            if (SUCCEEDED(pFilter->QueryInterface(IID_IAMCrossbar, reinterpret_cast<void**>(&pCrossbar))))
                pCrossbar->Route(SIM_XBAR_OUT_VIDEO, SIM_XBAR_VIDEO_COMPOSITE);
            pFilter.Reset();
        }
    }
    void TearDown() override
    {
        if (control)
            control->Stop();
        graph.Reset();
        control.Reset();
        capture.Reset();
        graph.Reset();
        if (SUCCEEDED(hrCom))
            CoUninitialize();
    }

    // filter's output pin -> sample grabber (RGB32 or YUY2) -> null renderer.
    ComPtr<ISampleGrabber> Grab(IPin* pOut, const GUID& subtype, CFrameCounter* pCounter)
    {
        ComPtr<IBaseFilter> grabberFilter, null;
        ComPtr<ISampleGrabber> grabber;
        if (FAILED(CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                    reinterpret_cast<void**>(&grabberFilter))) ||
            FAILED(CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                    reinterpret_cast<void**>(&null))))
            return grabber;
        grabberFilter->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(&grabber));
        AM_MEDIA_TYPE mt = {};
        mt.majortype = MEDIATYPE_Video;
        mt.subtype = subtype;
        grabber->SetMediaType(&mt);
        grabber->SetCallback(pCounter, 0);
        graph->AddFilter(grabberFilter.Get(), L"Grabber");
        graph->AddFilter(null.Get(), L"Null");
        ComPtr<IPin> grabIn, grabOut, nullIn;
        ComPtr<IEnumPins> pins;
        grabberFilter->EnumPins(&pins);
        pins->Next(1, &grabIn, nullptr);
        pins->Next(1, &grabOut, nullptr);
        null->EnumPins(&pins);
        pins->Next(1, &nullIn, nullptr);
        if (FAILED(graph->ConnectDirect(pOut, grabIn.Get(), nullptr)) ||
            FAILED(graph->ConnectDirect(grabOut.Get(), nullIn.Get(), nullptr)))
            grabber.Reset();
        return grabber;
    }

    ComPtr<IBaseFilter> Deinterlacer()
    {
        ComPtr<IBaseFilter> filter = Make<IBaseFilter>(CDeinterlacer::CreateInstance, IID_IBaseFilter);
        if (filter && SUCCEEDED(graph->AddFilter(filter.Get(), L"Deinterlace")))
            graph->ConnectDirect(PinNamed(capture.Get(), L"Capture").Get(), PinNamed(filter.Get(), L"Input").Get(),
                                 nullptr);
        return filter;
    }
};

std::vector<REFERENCE_TIME> Steps(const std::vector<REFERENCE_TIME>& starts)
{
    std::vector<REFERENCE_TIME> steps;
    for (size_t i = 1; i < starts.size(); ++i)
        steps.push_back(starts[i] - starts[i - 1]);
    return steps;
}

// The luma of a 24-bit bitmap file's pixel (x, y from the top), or -1.
int BitmapLuma(const char* pszPath, int x, int y, int* pWidth, int* pHeight)
{
    FILE* f = fopen(pszPath, "rb");
    if (f == nullptr)
        return -1;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    int result = -1;
    if (fread(&file, sizeof(file), 1, f) == 1 && fread(&info, sizeof(info), 1, f) == 1 && file.bfType == 0x4D42 &&
        info.biBitCount == 24)
    {
        *pWidth = info.biWidth;
        *pHeight = info.biHeight;
        long rowBytes = (info.biWidth * 3 + 3) & ~3;
        fseek(f, file.bfOffBits + (info.biHeight - 1 - y) * rowBytes + x * 3, SEEK_SET);
        BYTE bgr[3];
        if (fread(bgr, 3, 1, f) == 1)
            result = (bgr[2] * 299 + bgr[1] * 587 + bgr[0] * 114) / 1000;
    }
    fclose(f);
    return result;
}

// The same for any picture file the system's imaging codecs read.
int PictureLuma(const wchar_t* pszPath, int x, int y, UINT* pWidth, UINT* pHeight)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> bgr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(pszPath, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(pWidth, pHeight)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.Get(), &bgr)))
        return -1;
    WICRect rc = { x, y, 1, 1 };
    BYTE pixel[3];
    if (FAILED(bgr->CopyPixels(&rc, 3, 3, pixel)))
        return -1;
    return (pixel[2] * 299 + pixel[1] * 587 + pixel[0] * 114) / 1000;
}
}

TEST_F(CardGraph, FullRateGivesAPictureForEachFieldHalfRateForEachFrame)
{
    ComPtr<IBaseFilter> deinterlacer = Deinterlacer();
    ASSERT_TRUE(deinterlacer);
    ComPtr<IVeltraneDeinterlace> settings;
    ASSERT_HRESULT_SUCCEEDED(deinterlacer->QueryInterface(IID_IVeltraneDeinterlace, reinterpret_cast<void**>(&settings)));
    ComPtr<ISampleGrabber> grabber = Grab(PinNamed(deinterlacer.Get(), L"Preview").Get(), MEDIASUBTYPE_RGB32, &counter);
    ASSERT_TRUE(grabber);

    ASSERT_EQ(S_OK, settings->SetHalfRate(VARIANT_FALSE));
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    ASSERT_TRUE(counter.WaitFor(6));
    control->Stop();
    // PAL: 40 ms a frame, 20 ms a field.
    for (REFERENCE_TIME step : Steps(counter.Starts()))
        EXPECT_EQ(200000, step);

    grabber->SetCallback(&halfCounter, 0);
    ASSERT_EQ(S_OK, settings->SetHalfRate(VARIANT_TRUE));
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    ASSERT_TRUE(halfCounter.WaitFor(4));
    control->Stop();
    for (REFERENCE_TIME step : Steps(halfCounter.Starts()))
        EXPECT_EQ(400000, step);
}

TEST_F(CardGraph, SnapshotsAreBitmapAndJpegFilesOfTheLastPicture)
{
    ComPtr<IBaseFilter> deinterlacer = Deinterlacer();
    ASSERT_TRUE(deinterlacer);
    ComPtr<IVeltraneDeinterlace> settings;
    ASSERT_HRESULT_SUCCEEDED(deinterlacer->QueryInterface(IID_IVeltraneDeinterlace, reinterpret_cast<void**>(&settings)));
    // Nothing passed yet: nothing to save.
    EXPECT_HRESULT_FAILED(settings->SaveSnapshot(L"snap-none.bmp", 1, 0));
    ComPtr<ISampleGrabber> grabber = Grab(PinNamed(deinterlacer.Get(), L"Preview").Get(), MEDIASUBTYPE_RGB32, &counter);
    ASSERT_TRUE(grabber);
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    ASSERT_TRUE(counter.WaitFor(2));

    DeleteFileA("snap-deinterlace.bmp");
    DeleteFileA("snap-deinterlace.jpg");
    ASSERT_EQ(S_OK, settings->SaveSnapshot(L"snap-deinterlace.bmp", 1, 0));
    ASSERT_EQ(S_OK, settings->SaveSnapshot(L"snap-deinterlace.jpg", 2, 75));
    EXPECT_EQ(E_INVALIDARG, settings->SaveSnapshot(L"snap-deinterlace.png", 3, 0));
    control->Stop();

    // The white square of the card's picture, in both files.
    const int x = CSimPicture::SQUARE_X + 20, y = CSimPicture::BLOCK_Y + 20;
    int width = 0, height = 0;
    EXPECT_GT(BitmapLuma("snap-deinterlace.bmp", x, y, &width, &height), 220);
    EXPECT_EQ(720, width);
    EXPECT_EQ(576, height);
    // Deinterlaced: the one-line stripes became one field's lines.
    EXPECT_NEAR(BitmapLuma("snap-deinterlace.bmp", CSimPicture::STRIPES_X + 20, y, &width, &height),
                BitmapLuma("snap-deinterlace.bmp", CSimPicture::STRIPES_X + 20, y + 1, &width, &height), 6);
    UINT jpegWidth = 0, jpegHeight = 0;
    EXPECT_GT(PictureLuma(L"snap-deinterlace.jpg", x, y, &jpegWidth, &jpegHeight), 210);
    EXPECT_EQ(720u, jpegWidth);
    EXPECT_EQ(576u, jpegHeight);
}

TEST_F(CardGraph, TheSnapPictureFilterPassesPicturesAndSavesOnRequest)
{
    ComPtr<IBaseFilter> snap = Make<IBaseFilter>(CSnapPicture::CreateInstance, IID_IBaseFilter);
    ASSERT_TRUE(snap);
    ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(snap.Get(), L"Snap"));
    ASSERT_HRESULT_SUCCEEDED(graph->ConnectDirect(PinNamed(capture.Get(), L"Capture").Get(),
                                                  PinNamed(snap.Get(), L"Input").Get(), nullptr));
    ComPtr<ISampleGrabber> grabber = Grab(PinNamed(snap.Get(), L"Output").Get(), MEDIASUBTYPE_YUY2, &counter);
    ASSERT_TRUE(grabber);
    ComPtr<IVeltraneSnapPicture> pSnap;
    ASSERT_HRESULT_SUCCEEDED(snap->QueryInterface(IID_IVeltraneSnapPicture, reinterpret_cast<void**>(&pSnap)));
    ASSERT_HRESULT_SUCCEEDED(control->Run());
    ASSERT_TRUE(counter.WaitFor(2));

    SNAP_PICTURE_REQUEST request = {};
    request.cbSize = sizeof(request);
    request.dwType = 0;
    strcpy(request.szFile, "snap-filter.bmp");
    DeleteFileA(request.szFile);
    EXPECT_EQ(S_OK, pSnap->Command(1, &request));
    request.cbSize = 100;
    EXPECT_EQ(E_INVALIDARG, pSnap->Command(1, &request));
    control->Stop();
    LONG saved = 0;
    pSnap->GetSavedCount(&saved);
    EXPECT_EQ(1, saved);
    int width = 0, height = 0;
    EXPECT_GT(BitmapLuma("snap-filter.bmp", CSimPicture::SQUARE_X + 20, CSimPicture::BLOCK_Y + 20, &width, &height),
              220);
    EXPECT_EQ(720, width);
}

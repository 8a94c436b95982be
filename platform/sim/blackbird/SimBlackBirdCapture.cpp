#include "platform/sim/blackbird/SimBlackBirdCapture.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/blackbird/SimBlackBirdCrossbar.h"
#include "platform/sim/blackbird/SimBlackBirdTVAudio.h"
#include "platform/sim/blackbird/SimBlackBirdTuner.h"
#include "platform/sim/blackbird/SimCardControl.h"
#include "platform/sim/blackbird/SimPicture.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

#include <math.h>
#include <string.h>

namespace
{
const LONG kAvailableStandards = AnalogVideo_NTSC_M | AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_PAL_I |
                                 AnalogVideo_SECAM_D | AnalogVideo_SECAM_K;

struct ProcAmpRange
{
    LONG min, max, step, def;
};

// Brightness, contrast, hue, saturation, sharpness.
const ProcAmpRange kProcAmp[5] = {
    { 0, 10000, 1, 5020 },
    { 0, 10000, 1, 2235 },
    { 0, 10000, 1, 5020 },
    { 0, 10000, 1, 4980 },
    { 0, 4, 1, 1 },
};

BOOL IsNtsc(LONG standard)
{
    return (standard & (AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433)) != 0;
}

REFERENCE_TIME FrameTime()
{
    return IsNtsc(CSimBlackBirdCard::Instance().GetVideoStandard()) ? 333667 : 400000;
}

// The filter of that class already in the graph, or null (a reference).
IBaseFilter* FindInGraph(IFilterGraph* pGraph, REFCLSID clsid)
{
    ComPtr<IEnumFilters> pEnum;
    if (FAILED(pGraph->EnumFilters(&pEnum)) || !pEnum)
        return nullptr;
    ComPtr<IBaseFilter> pFilter;
    while (pEnum->Next(1, &pFilter, nullptr) == S_OK)
    {
        CLSID found;
        if (SUCCEEDED(pFilter->GetClassID(&found)) && found == clsid)
            return pFilter.Detach();
        pFilter.Reset();
    }
    return nullptr;
}

// Our companion of that class in the graph: the one there, or a new one added.
IBaseFilter* Companion(IFilterGraph* pGraph, REFCLSID clsid, LPFNNewCOMObject pfnCreate, LPCWSTR pszName)
{
    IBaseFilter* pFound = FindInGraph(pGraph, clsid);
    if (pFound != nullptr)
        return pFound;
    HRESULT hr = S_OK;
    CUnknown* pObject = pfnCreate(nullptr, &hr);
    if (pObject == nullptr)
        return nullptr;
    ComPtr<IBaseFilter> pFilter;
    pObject->NonDelegatingAddRef();
    if (SUCCEEDED(hr))
        pObject->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&pFilter));
    pObject->NonDelegatingRelease();
    if (!pFilter || FAILED(pGraph->AddFilter(pFilter.Get(), pszName)))
        return nullptr;
    CSimBlackBirdCard::Instance().CountCompanion();
    return pFilter.Detach();
}

void Wire(IBaseFilter* pFrom, LPCWSTR pszOut, IBaseFilter* pTo, LPCWSTR pszIn)
{
    ComPtr<IPin> pOut(SimFindPin(pFrom, pszOut));
    ComPtr<IPin> pIn(SimFindPin(pTo, pszIn));
    if (!pOut || !pIn)
        return;
    ComPtr<IPin> pPeer;
    if (SUCCEEDED(pOut->ConnectedTo(&pPeer)) && pPeer)
        return;
    // Straight pin to pin: the graph may not list the joining filter yet.
    pOut->Connect(pIn.Get(), nullptr);
}
}

CSimCaptureStream::CSimCaptureStream(HRESULT* phr, CSimBlackBirdCapture* pFilter, CCritSec* pLock)
    : CSourceStream("BlackBird capture stream", phr, pFilter, pLock, L"Capture"), m_frame(0), m_dwStartTick(0)
{
    SetPinCategory(PIN_CATEGORY_CAPTURE);
    MakeType(MAX_WIDTH, MAX_HEIGHT, &m_format);
}

STDMETHODIMP CSimCaptureStream::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMStreamConfig)
        return GetInterface(static_cast<IAMStreamConfig*>(this), ppv);
    return CSourceStream::NonDelegatingQueryInterface(riid, ppv);
}

void CSimCaptureStream::MakeType(int width, int height, CMediaType* pmt) const
{
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Video;
    pmt->subtype = MEDIASUBTYPE_YUY2;
    pmt->formattype = FORMAT_VideoInfo;
    pmt->bFixedSizeSamples = TRUE;
    pmt->bTemporalCompression = FALSE;
    VIDEOINFOHEADER vih;
    memset(&vih, 0, sizeof(vih));
    vih.AvgTimePerFrame = FrameTime();
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = width;
    vih.bmiHeader.biHeight = height;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = 16;
    vih.bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    vih.bmiHeader.biSizeImage = width * height * 2;
    vih.dwBitRate = static_cast<DWORD>(vih.bmiHeader.biSizeImage * 8.0 * 10000000.0 / vih.AvgTimePerFrame);
    pmt->lSampleSize = vih.bmiHeader.biSizeImage;
    pmt->SetFormat(reinterpret_cast<BYTE*>(&vih), sizeof(vih));
}

HRESULT CSimCaptureStream::GetMediaType(CMediaType* pMediaType)
{
    CAutoLock lock(m_pLock);
    *pMediaType = m_format;
    return S_OK;
}

HRESULT CSimCaptureStream::CheckMediaType(const CMediaType* pmt)
{
    if (pmt == nullptr || pmt->majortype != MEDIATYPE_Video || pmt->subtype != MEDIASUBTYPE_YUY2 ||
        pmt->formattype != FORMAT_VideoInfo || pmt->pbFormat == nullptr || pmt->cbFormat < sizeof(VIDEOINFOHEADER))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* pVih = reinterpret_cast<const VIDEOINFOHEADER*>(pmt->pbFormat);
    LONG width = pVih->bmiHeader.biWidth;
    LONG height = pVih->bmiHeader.biHeight < 0 ? -pVih->bmiHeader.biHeight : pVih->bmiHeader.biHeight;
    if (width < 2 || width > MAX_WIDTH || height < 2 || height > MAX_HEIGHT || (width & 1) || (height & 1))
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (pVih->bmiHeader.biBitCount != 16)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimCaptureStream::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    const VIDEOINFOHEADER* pVih = reinterpret_cast<const VIDEOINFOHEADER*>(m_mt.pbFormat);
    if (pVih == nullptr)
        return E_UNEXPECTED;
    LONG height = pVih->bmiHeader.biHeight < 0 ? -pVih->bmiHeader.biHeight : pVih->bmiHeader.biHeight;
    return SetBufferProperties(pAlloc, pRequest, 3, pVih->bmiHeader.biWidth * height * 2);
}

STDMETHODIMP CSimCaptureStream::SetFormat(AM_MEDIA_TYPE* pmt)
{
    if (pmt == nullptr)
        return E_POINTER;
    CMediaType wanted(*pmt);
    if (CheckMediaType(&wanted) != S_OK)
        return VFW_E_INVALIDMEDIATYPE;
    CAutoLock lock(m_pLock);
    if (!m_pFilter->IsStopped())
        return VFW_E_NOT_STOPPED;
    if (IsConnected())
    {
        if (GetConnected()->QueryAccept(&wanted) != S_OK)
            return VFW_E_INVALIDMEDIATYPE;
    }
    const VIDEOINFOHEADER* pVih = reinterpret_cast<const VIDEOINFOHEADER*>(wanted.pbFormat);
    LONG height = pVih->bmiHeader.biHeight < 0 ? -pVih->bmiHeader.biHeight : pVih->bmiHeader.biHeight;
    MakeType(pVih->bmiHeader.biWidth, height, &m_format);
    IncrementTypeVersion();
    if (IsConnected() && m_pFilter->GetFilterGraph() != nullptr)
        m_pFilter->GetFilterGraph()->Reconnect(this);
    return S_OK;
}

STDMETHODIMP CSimCaptureStream::GetFormat(AM_MEDIA_TYPE** ppmt)
{
    if (ppmt == nullptr)
        return E_POINTER;
    CAutoLock lock(m_pLock);
    const CMediaType& source = IsConnected() ? m_mt : m_format;
    *ppmt = CreateMediaType(&source);
    return *ppmt != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimCaptureStream::GetNumberOfCapabilities(int* piCount, int* piSize)
{
    if (piCount == nullptr || piSize == nullptr)
        return E_POINTER;
    *piCount = 1;
    *piSize = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimCaptureStream::GetStreamCaps(int iIndex, AM_MEDIA_TYPE** ppmt, BYTE* pSCC)
{
    if (ppmt == nullptr || pSCC == nullptr)
        return E_POINTER;
    if (iIndex != 0)
        return S_FALSE;
    CMediaType type;
    MakeType(MAX_WIDTH, MAX_HEIGHT, &type);
    *ppmt = CreateMediaType(&type);
    if (*ppmt == nullptr)
        return E_OUTOFMEMORY;
    VIDEO_STREAM_CONFIG_CAPS caps;
    memset(&caps, 0, sizeof(caps));
    caps.guid = FORMAT_VideoInfo;
    caps.VideoStandard = kAvailableStandards;
    caps.InputSize.cx = MAX_WIDTH;
    caps.InputSize.cy = MAX_HEIGHT;
    caps.MinCroppingSize.cx = 2;
    caps.MinCroppingSize.cy = 2;
    caps.MaxCroppingSize = caps.InputSize;
    caps.CropGranularityX = 2;
    caps.CropGranularityY = 2;
    caps.MinOutputSize.cx = 2;
    caps.MinOutputSize.cy = 2;
    caps.MaxOutputSize = caps.InputSize;
    caps.OutputGranularityX = 2;
    caps.OutputGranularityY = 2;
    caps.MinFrameInterval = 333667;
    caps.MaxFrameInterval = 400000;
    caps.MinBitsPerSecond = 2 * 2 * 16 * 25;
    caps.MaxBitsPerSecond = MAX_WIDTH * MAX_HEIGHT * 16 * 30;
    memcpy(pSCC, &caps, sizeof(caps));
    return S_OK;
}

HRESULT CSimCaptureStream::OnThreadStartPlay()
{
    m_frame = 0;
    m_dwStartTick = GetTickCount();
    return S_OK;
}

HRESULT CSimCaptureStream::FillBuffer(IMediaSample* pSample)
{
    const VIDEOINFOHEADER* pVih = reinterpret_cast<const VIDEOINFOHEADER*>(m_mt.pbFormat);
    if (pVih == nullptr)
        return E_UNEXPECTED;
    REFERENCE_TIME frameTime = pVih->AvgTimePerFrame > 0 ? pVih->AvgTimePerFrame : 400000;
    // Real time: frame n leaves n frame times after the start.
    if (WaitForStopUntil(m_dwStartTick, static_cast<DWORD>(m_frame * frameTime / 10000)))
        return S_FALSE;
    BYTE* pData = nullptr;
    HRESULT hr = pSample->GetPointer(&pData);
    if (FAILED(hr))
        return hr;
    int width = pVih->bmiHeader.biWidth;
    int height = pVih->bmiHeader.biHeight < 0 ? -pVih->bmiHeader.biHeight : pVih->bmiHeader.biHeight;
    LONG size = width * height * 2;
    if (pSample->GetSize() < size)
        return E_FAIL;
    CSimPicture::Draw(pData, width, height, m_frame);
    pSample->SetActualDataLength(size);
    REFERENCE_TIME start = m_frame * frameTime;
    REFERENCE_TIME stop = start + frameTime;
    pSample->SetTime(&start, &stop);
    pSample->SetSyncPoint(TRUE);
    ++m_frame;
    return S_OK;
}

CSimAudioStream::CSimAudioStream(HRESULT* phr, CBaseFilter* pFilter, CCritSec* pLock)
    : CSourceStream("BlackBird audio stream", phr, pFilter, pLock, L"Audio"), m_sample(0), m_dwStartTick(0)
{
    SetPinCategory(PIN_CATEGORY_CAPTURE);
}

HRESULT CSimAudioStream::GetMediaType(CMediaType* pmt)
{
    WAVEFORMATEX wfx;
    memset(&wfx, 0, sizeof(wfx));
    wfx.wFormatTag = WAVE_FORMAT_PCM;
    wfx.nChannels = CHANNELS;
    wfx.nSamplesPerSec = RATE;
    wfx.wBitsPerSample = 16;
    wfx.nBlockAlign = CHANNELS * 2;
    wfx.nAvgBytesPerSec = RATE * wfx.nBlockAlign;
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Audio;
    pmt->subtype = MEDIASUBTYPE_PCM;
    pmt->formattype = FORMAT_WaveFormatEx;
    pmt->bFixedSizeSamples = TRUE;
    pmt->lSampleSize = wfx.nBlockAlign;
    return pmt->SetFormat(reinterpret_cast<BYTE*>(&wfx), sizeof(wfx)) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CSimAudioStream::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    return SetBufferProperties(pAlloc, pRequest, 4, RATE * PACKET_MS / 1000 * CHANNELS * 2);
}

HRESULT CSimAudioStream::OnThreadStartPlay()
{
    m_sample = 0;
    m_dwStartTick = GetTickCount();
    return S_OK;
}

HRESULT CSimAudioStream::FillBuffer(IMediaSample* pSample)
{
    const LONG frames = RATE * PACKET_MS / 1000;
    if (WaitForStopUntil(m_dwStartTick, static_cast<DWORD>(m_sample * 1000 / RATE)))
        return S_FALSE;
    BYTE* pData = nullptr;
    HRESULT hr = pSample->GetPointer(&pData);
    if (FAILED(hr))
        return hr;
    LONG size = frames * CHANNELS * 2;
    if (pSample->GetSize() < size)
        return E_FAIL;
    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    LONG input = card.GetRoute(SIM_XBAR_OUT_AUDIO);
    BOOL bTuner = input == SIM_XBAR_AUDIO_TUNER;
    BOOL bSound = !bTuner || card.IsOnStation();
    unsigned seed = bTuner ? static_cast<unsigned>(card.GetTunedFrequency()) : 1000u + input;
    double pitch = 300.0 + (seed / 250 % 5) * 100.0;
    short* pOut = reinterpret_cast<short*>(pData);
    for (LONG i = 0; i < frames; ++i)
    {
        double t = static_cast<double>(m_sample + i) / RATE;
        short value = bSound ? static_cast<short>(8000.0 * sin(2.0 * 3.14159265358979 * pitch * t)) : 0;
        pOut[2 * i] = value;
        pOut[2 * i + 1] = value;
    }
    pSample->SetActualDataLength(size);
    REFERENCE_TIME start = m_sample * 10000000 / RATE;
    REFERENCE_TIME stop = (m_sample + frames) * 10000000 / RATE;
    pSample->SetTime(&start, &stop);
    pSample->SetSyncPoint(TRUE);
    m_sample += frames;
    return S_OK;
}

CUnknown* CALLBACK CSimBlackBirdCapture::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CSimBlackBirdCapture* p = new CSimBlackBirdCapture(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CSimBlackBirdCapture::CSimBlackBirdCapture(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("BlackBird Video Capture", pUnk, &m_lock, CLSID_SimBlackBirdCapture, phr),
      m_lVCRLocking(0), m_lOutputEnable(1)
{
    HRESULT hr = S_OK;
    m_pVideoIn = new CSimLinkPin(this, &m_lock, &hr, L"Analog Video In", PINDIR_INPUT, MEDIATYPE_AnalogVideo,
                                 GUID_NULL);
    m_pAudioIn = new CSimLinkPin(this, &m_lock, &hr, L"Analog Audio In", PINDIR_INPUT, MEDIATYPE_AnalogAudio,
                                 GUID_NULL);
    m_pCapture = new CSimCaptureStream(&hr, this, &m_lock);
    m_p656 = new CSimLinkPin(this, &m_lock, &hr, L"656", PINDIR_OUTPUT, MEDIATYPE_Video, SIMSUBTYPE_BT656);
    m_pI2S = new CSimLinkPin(this, &m_lock, &hr, L"I2S", PINDIR_OUTPUT, MEDIATYPE_Audio, SIMSUBTYPE_I2S);
    m_pAudio = CSimBlackBirdCard::Instance().AudioPinEnabled() ? new CSimAudioStream(&hr, this, &m_lock) : nullptr;
    // The driver answers its card-control set on the capture filter too.
    SimAddCardControl(this);
}

CSimBlackBirdCapture::~CSimBlackBirdCapture()
{
    delete m_pVideoIn;
    delete m_pAudioIn;
    delete m_pCapture;
    delete m_p656;
    delete m_pI2S;
    delete m_pAudio;
}

STDMETHODIMP CSimBlackBirdCapture::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMAnalogVideoDecoder)
        return GetInterface(static_cast<IAMAnalogVideoDecoder*>(this), ppv);
    if (riid == IID_IAMVideoProcAmp)
        return GetInterface(static_cast<IAMVideoProcAmp*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CSimBlackBirdCapture::GetPinCount()
{
    return m_pAudio != nullptr ? LINK_PIN_COUNT + 1 : LINK_PIN_COUNT;
}

CBasePin* CSimBlackBirdCapture::GetPin(int n)
{
    switch (n)
    {
    case 0: return m_pVideoIn;
    case 1: return m_pAudioIn;
    case 2: return m_pCapture;
    case 3: return m_p656;
    case 4: return m_pI2S;
    case 5: return m_pAudio;
    default: return nullptr;
    }
}

STDMETHODIMP CSimBlackBirdCapture::JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName)
{
    HRESULT hr = CBaseFilter::JoinFilterGraph(pGraph, pName);
    if (SUCCEEDED(hr) && pGraph != nullptr && CSimBlackBirdCard::Instance().CompanionsEnabled())
        BringCompanions(pGraph);
    return hr;
}

void CSimBlackBirdCapture::BringCompanions(IFilterGraph* pGraph)
{
    // A companion left in the graph from an earlier visit is used again.
    ComPtr<IBaseFilter> pTuner(Companion(pGraph, CLSID_SimBlackBirdTuner, CSimBlackBirdTuner::CreateInstance,
                                         L"BlackBird Tuner"));
    ComPtr<IBaseFilter> pTVAudio(Companion(pGraph, CLSID_SimBlackBirdTVAudio, CSimBlackBirdTVAudio::CreateInstance,
                                           L"BlackBird TV Audio"));
    ComPtr<IBaseFilter> pCrossbar(Companion(pGraph, CLSID_SimBlackBirdCrossbar,
                                            CSimBlackBirdCrossbar::CreateInstance, L"BlackBird Crossbar"));
    if (pTuner && pCrossbar)
        Wire(pTuner.Get(), L"Analog Video", pCrossbar.Get(), L"Video Tuner In");
    if (pTuner && pTVAudio)
        Wire(pTuner.Get(), L"Analog Audio", pTVAudio.Get(), L"TVAudio In");
    if (pTVAudio && pCrossbar)
        Wire(pTVAudio.Get(), L"TVAudio Out", pCrossbar.Get(), L"Audio Tuner In");
    if (pCrossbar)
    {
        Wire(pCrossbar.Get(), L"Video Decoder Out", this, L"Analog Video In");
        Wire(pCrossbar.Get(), L"Audio Decoder Out", this, L"Analog Audio In");
    }
}

STDMETHODIMP CSimBlackBirdCapture::get_AvailableTVFormats(LONG* lAnalogVideoStandard)
{
    if (lAnalogVideoStandard == nullptr)
        return E_POINTER;
    *lAnalogVideoStandard = kAvailableStandards;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::put_TVFormat(LONG lAnalogVideoStandard)
{
    // Exactly one standard the decoder knows.
    if (lAnalogVideoStandard == 0 || (lAnalogVideoStandard & (lAnalogVideoStandard - 1)) != 0 ||
        (lAnalogVideoStandard & ~kAvailableStandards) != 0)
        return E_INVALIDARG;
    CSimBlackBirdCard::Instance().SetVideoStandard(lAnalogVideoStandard);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::get_TVFormat(LONG* plAnalogVideoStandard)
{
    if (plAnalogVideoStandard == nullptr)
        return E_POINTER;
    *plAnalogVideoStandard = CSimBlackBirdCard::Instance().GetVideoStandard();
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::get_HorizontalLocked(LONG* plLocked)
{
    if (plLocked == nullptr)
        return E_POINTER;
    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    *plLocked = card.GetRoute(SIM_XBAR_OUT_VIDEO) != SIM_XBAR_VIDEO_TUNER || card.IsOnStation() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::put_VCRHorizontalLocking(LONG lVCRHorizontalLocking)
{
    m_lVCRLocking = lVCRHorizontalLocking;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::get_VCRHorizontalLocking(LONG* plVCRHorizontalLocking)
{
    if (plVCRHorizontalLocking == nullptr)
        return E_POINTER;
    *plVCRHorizontalLocking = m_lVCRLocking;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::get_NumberOfLines(LONG* plNumberOfLines)
{
    if (plNumberOfLines == nullptr)
        return E_POINTER;
    *plNumberOfLines = IsNtsc(CSimBlackBirdCard::Instance().GetVideoStandard()) ? 525 : 625;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::put_OutputEnable(LONG lOutputEnable)
{
    m_lOutputEnable = lOutputEnable;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::get_OutputEnable(LONG* plOutputEnable)
{
    if (plOutputEnable == nullptr)
        return E_POINTER;
    *plOutputEnable = m_lOutputEnable;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::GetRange(LONG Property, LONG* pMin, LONG* pMax, LONG* pSteppingDelta,
                                            LONG* pDefault, LONG* pCapsFlags)
{
    if (pMin == nullptr || pMax == nullptr || pSteppingDelta == nullptr || pDefault == nullptr ||
        pCapsFlags == nullptr)
        return E_POINTER;
    if (Property < 0 || Property > 4)
        return E_PROP_ID_UNSUPPORTED;
    const ProcAmpRange& range = kProcAmp[Property];
    *pMin = range.min;
    *pMax = range.max;
    *pSteppingDelta = range.step;
    *pDefault = range.def;
    *pCapsFlags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::Set(LONG Property, LONG lValue, LONG Flags)
{
    if (Property < 0 || Property > 4)
        return E_PROP_ID_UNSUPPORTED;
    if (Flags != VideoProcAmp_Flags_Manual)
        return E_INVALIDARG;
    if (lValue < kProcAmp[Property].min || lValue > kProcAmp[Property].max)
        return E_INVALIDARG;
    CSimBlackBirdCard::Instance().SetProcAmp(Property, lValue);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCapture::Get(LONG Property, LONG* lValue, LONG* Flags)
{
    if (lValue == nullptr || Flags == nullptr)
        return E_POINTER;
    if (Property < 0 || Property > 4)
        return E_PROP_ID_UNSUPPORTED;
    *lValue = CSimBlackBirdCard::Instance().GetProcAmp(Property);
    *Flags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

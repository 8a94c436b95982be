#include "platform/standins/mainconcept/McEncoder.h"

#include "platform/standins/mpegkit/AllocatorSize.h"

#include <mmreg.h>
#include <new>
#include <string.h>

namespace
{
const int kKbps[15] = { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };

// The encoder's defaults by preset type (0 MPEG-1, 1 VCD, 2 MPEG-2, 3 SVCD, 4 DVD).
struct VideoDefaults
{
    LONG width;
    LONG heightPal;
    LONG heightNtsc;
    double bitRate;
    double maxBitRate;
};
const VideoDefaults kVideoDefaults[5] = {
    { 352, 288, 240, 1500000, 2500000 }, { 352, 288, 240, 1150000, 1150000 }, { 720, 576, 480, 6000000, 9000000 },
    { 480, 576, 480, 2500000, 2600000 }, { 720, 576, 480, 6000000, 9000000 },
};
// Bits 0 and 6 of the flags byte are set by default; 1 to 4 hold the header code 3.
const BYTE kDefaultSequenceFlags = 0x41 | (3 << 1);
}

CUnknown* CALLBACK CMcEncoder::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMcEncoder* p = new (std::nothrow) CMcEncoder(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMcEncoder::CMcEncoder(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("MPEG Encoder", pUnk, CLSID_McMpegEncoder, phr), m_lMuxType(2),
      m_videoParams(GetOwner()), m_audioParams(GetOwner()), m_hFile(INVALID_HANDLE_VALUE), m_nChannels(0),
      m_llFramesSent(0)
{
    GetDefaults(2, 1, &m_video);
    GetDefaults(2, &m_audio);
    memset(&m_mux, 0, sizeof(m_mux));
    memset(m_values, 0, sizeof(m_values));
}

CMcEncoder::~CMcEncoder()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
}

STDMETHODIMP CMcEncoder::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMcVideoConfig)
        return GetInterface(static_cast<IMcVideoConfig*>(this), ppv);
    if (riid == IID_IMcAudioConfig)
        return GetInterface(static_cast<IMcAudioConfig*>(this), ppv);
    if (riid == IID_IMcMuxConfig)
        return GetInterface(static_cast<IMcMuxConfig*>(this), ppv);
    if (riid == IID_IMcVideoParams)
        return GetInterface(static_cast<IMcParams*>(&m_videoParams), ppv);
    if (riid == IID_IMcAudioParams)
        return GetInterface(static_cast<IMcParams*>(&m_audioParams), ppv);
    if (riid == IID_IFileSinkFilter)
        return GetInterface(static_cast<IFileSinkFilter*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CMcEncoder::Keep(int nSlot, LONG v)
{
    CAutoLock lock(&m_settingsLock);
    m_values[nSlot] = v;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetFrameSize(LONG width, LONG height, LONG)
{
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;
    CAutoLock lock(&m_settingsLock);
    m_video.width = width;
    m_video.height = height;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetRateControl(LONG, LONG rate, LONG maxRate, LONG)
{
    if (rate <= 0 || maxRate < rate)
        return E_INVALIDARG;
    CAutoLock lock(&m_settingsLock);
    m_video.bitRate = rate;
    m_video.bitRateCopy = rate;
    m_video.maxBitRate = maxRate;
    return S_OK;
}

STDMETHODIMP CMcEncoder::GetConfig(McVideoConfig* pConfig)
{
    if (pConfig == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_settingsLock);
    *pConfig = m_video;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetConfig(McVideoConfig config)
{
    if (config.width <= 0 || config.height <= 0 || config.bitRate <= 0 || config.maxBitRate < config.bitRate)
        return E_INVALIDARG;
    CAutoLock lock(&m_settingsLock);
    m_video = config;
    return S_OK;
}

STDMETHODIMP CMcEncoder::GetDefaults(LONG type, LONG pal, McVideoConfig* pConfig)
{
    if (pConfig == nullptr)
        return E_POINTER;
    if (type < 0 || type > 4)
        return E_INVALIDARG;
    const VideoDefaults& d = kVideoDefaults[type];
    memset(pConfig, 0, sizeof(*pConfig));
    pConfig->width = d.width;
    pConfig->height = pal ? d.heightPal : d.heightNtsc;
    pConfig->bitRate = d.bitRate;
    pConfig->bitRateCopy = d.bitRate;
    pConfig->maxBitRate = d.maxBitRate;
    pConfig->sequenceFlags = kDefaultSequenceFlags;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetConfig(McAudioConfig config)
{
    if (config.bitRateIndex < 1 || config.bitRateIndex > 14 || config.layer != 2)
        return E_INVALIDARG;
    CAutoLock lock(&m_settingsLock);
    m_audio = config;
    return S_OK;
}

STDMETHODIMP CMcEncoder::GetDefaults(LONG type, McAudioConfig* pConfig)
{
    if (pConfig == nullptr)
        return E_POINTER;
    if (type < 0 || type > 4)
        return E_INVALIDARG;
    memset(pConfig, 0, sizeof(*pConfig));
    pConfig->mode = 0;
    pConfig->layer = 2;
    pConfig->sampleRate = type == 1 ? 44100 : 48000;
    pConfig->bitRateIndex = 10;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetConfig(McMuxConfig config)
{
    CAutoLock lock(&m_settingsLock);
    m_mux = config;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetType(LONG type)
{
    if (type < 0 || type > 4)
        return E_INVALIDARG;
    CAutoLock lock(&m_settingsLock);
    m_lMuxType = type;
    return S_OK;
}

STDMETHODIMP CMcEncoder::SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE*)
{
    CAutoLock lock(&m_csFilter);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    return m_file.Set(pszFileName);
}

STDMETHODIMP CMcEncoder::GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt)
{
    CAutoLock lock(&m_csFilter);
    return m_file.Get(ppszFileName, pmt);
}

HRESULT CMcEncoder::CheckInputType(const CMediaType* mtIn)
{
    if (mtIn->majortype != MEDIATYPE_Audio || mtIn->formattype != FORMAT_WaveFormatEx ||
        mtIn->cbFormat < sizeof(WAVEFORMAT) + 2)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(mtIn->pbFormat);
    if (pWave->wFormatTag != WAVE_FORMAT_PCM || pWave->wBitsPerSample != 16 ||
        (pWave->nChannels != 1 && pWave->nChannels != 2))
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (pWave->nSamplesPerSec != 32000 && pWave->nSamplesPerSec != 44100 && pWave->nSamplesPerSec != 48000)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CMcEncoder::CheckTransform(const CMediaType*, const CMediaType* mtOut)
{
    return mtOut->majortype == MEDIATYPE_Stream && mtOut->subtype == MEDIASUBTYPE_MPEG1Audio ? S_OK
                                                                                             : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMcEncoder::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0 || !m_pInput->IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    pMediaType->InitMediaType();
    pMediaType->SetType(&MEDIATYPE_Stream);
    pMediaType->SetSubtype(&MEDIASUBTYPE_MPEG1Audio);
    return S_OK;
}

HRESULT CMcEncoder::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    // A frame is at most 1728 bytes (384 kbit/s at 32 kHz).
    return SetAllocatorAtLeast(pAllocator, pProp, 16, 4096, 2048);
}

HRESULT CMcEncoder::StartStreaming()
{
    const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(m_pInput->CurrentMediaType().pbFormat);
    m_nChannels = pWave->nChannels;
    int nKbps;
    {
        CAutoLock lock(&m_settingsLock);
        nKbps = kKbps[m_audio.bitRateIndex >= 1 && m_audio.bitRateIndex <= 14 ? m_audio.bitRateIndex : 11];
    }
    // The nearest rate Layer II has for the channels, downwards.
    int nIndex = 14;
    while (nIndex > 1 && (kKbps[nIndex] > nKbps || !m_encoder.Init(pWave->nSamplesPerSec, m_nChannels, kKbps[nIndex])))
        --nIndex;
    if (!m_encoder.Init(pWave->nSamplesPerSec, m_nChannels, kKbps[nIndex]))
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_llFramesSent = 0;
    if (m_file.IsSet())
    {
        m_hFile = CreateFileW(m_file.Name(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
        if (m_hFile == INVALID_HANDLE_VALUE)
            return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}

HRESULT CMcEncoder::StopStreaming()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return S_OK;
}

// Into the named file, and one sample per frame out, stamped with the
// frame's place in the sound.
HRESULT CMcEncoder::DeliverFrames(const std::vector<BYTE>& frames)
{
    if (frames.empty())
        return S_OK;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        DWORD cbWritten = 0;
        if (!WriteFile(m_hFile, frames.data(), static_cast<DWORD>(frames.size()), &cbWritten, NULL) ||
            cbWritten != frames.size())
            return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    }
    if (!m_pOutput->IsConnected())
        return S_OK;
    static const DWORD kRates[3] = { 44100, 48000, 32000 };
    size_t at = 0;
    while (at + 4 <= frames.size())
    {
        // The frame's length from its header: bit rate, sample rate, padding.
        BYTE b2 = frames[at + 2];
        size_t cbFrame = 144000u * kKbps[b2 >> 4] / kRates[(b2 >> 2) & 3] + ((b2 >> 1) & 1);
        if (cbFrame == 0 || at + cbFrame > frames.size())
            break;
        IMediaSample* pSample = nullptr;
        HRESULT hr = m_pOutput->GetDeliveryBuffer(&pSample, nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* p = nullptr;
        pSample->GetPointer(&p);
        memcpy(p, &frames[at], cbFrame);
        pSample->SetActualDataLength(static_cast<long>(cbFrame));
        REFERENCE_TIME tStart = m_llFramesSent * CMp2Encoder::FRAME_SAMPLES * 10000000LL / m_encoder.SampleRate();
        REFERENCE_TIME tStop = (m_llFramesSent + 1) * CMp2Encoder::FRAME_SAMPLES * 10000000LL / m_encoder.SampleRate();
        pSample->SetTime(&tStart, &tStop);
        pSample->SetSyncPoint(TRUE);
        pSample->SetDiscontinuity(m_llFramesSent == 0);
        hr = m_pOutput->Deliver(pSample);
        pSample->Release();
        ++m_llFramesSent;
        if (hr != S_OK)
            return hr;
        at += cbFrame;
    }
    return S_OK;
}

HRESULT CMcEncoder::Receive(IMediaSample* pSample)
{
    BYTE* p = nullptr;
    pSample->GetPointer(&p);
    long cb = pSample->GetActualDataLength();
    std::vector<BYTE> frames;
    if (p != nullptr && cb > 0)
        m_encoder.Encode(reinterpret_cast<const short*>(p), static_cast<DWORD>(cb) / (2 * m_nChannels), frames);
    return DeliverFrames(frames);
}

HRESULT CMcEncoder::EndOfStream()
{
    std::vector<BYTE> frames;
    m_encoder.Flush(frames);
    DeliverFrames(frames);
    return CTransformFilter::EndOfStream();
}

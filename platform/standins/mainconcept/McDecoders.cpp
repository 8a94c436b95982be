#include "platform/standins/mainconcept/McDecoders.h"
#include "platform/standins/mpegkit/AllocatorSize.h"

#include <dvdmedia.h>
#include <new>
#include <string.h>

namespace
{
const int kWidth = 720;
const int kHeight = 576;
const int kAudioRate = 48000;
const int kAudioChannels = 2;
const int kFramesPerAudioFrame = 1152;
const REFERENCE_TIME kPictureTime = 400000;

// YUY2, or RGB32 for renderers that take no YUY2.
void MakePicture(CMediaType* pmt, BOOL bYuy2)
{
    VIDEOINFOHEADER vih;
    memset(&vih, 0, sizeof(vih));
    vih.AvgTimePerFrame = kPictureTime;
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = kWidth;
    vih.bmiHeader.biHeight = kHeight;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = bYuy2 ? 16 : 32;
    vih.bmiHeader.biCompression = bYuy2 ? MAKEFOURCC('Y', 'U', 'Y', '2') : BI_RGB;
    vih.bmiHeader.biSizeImage = kWidth * kHeight * (bYuy2 ? 2 : 4);
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Video;
    pmt->subtype = bYuy2 ? MEDIASUBTYPE_YUY2 : MEDIASUBTYPE_RGB32;
    pmt->formattype = FORMAT_VideoInfo;
    pmt->bFixedSizeSamples = TRUE;
    pmt->lSampleSize = vih.bmiHeader.biSizeImage;
    pmt->SetFormat(reinterpret_cast<BYTE*>(&vih), sizeof(vih));
}

void MakePcm(CMediaType* pmt)
{
    WAVEFORMATEX wfx;
    memset(&wfx, 0, sizeof(wfx));
    wfx.wFormatTag = WAVE_FORMAT_PCM;
    wfx.nChannels = kAudioChannels;
    wfx.nSamplesPerSec = kAudioRate;
    wfx.wBitsPerSample = 16;
    wfx.nBlockAlign = kAudioChannels * 2;
    wfx.nAvgBytesPerSec = kAudioRate * wfx.nBlockAlign;
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Audio;
    pmt->subtype = MEDIASUBTYPE_PCM;
    pmt->formattype = FORMAT_WaveFormatEx;
    pmt->bFixedSizeSamples = TRUE;
    pmt->lSampleSize = wfx.nBlockAlign;
    pmt->SetFormat(reinterpret_cast<BYTE*>(&wfx), sizeof(wfx));
}
}  // namespace

// The video decoder.

CUnknown* CALLBACK CMcVideoDecoder::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMcVideoDecoder* p = new (std::nothrow) CMcVideoDecoder(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMcVideoDecoder::CMcVideoDecoder(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("MPEG Video Decoder", pUnk, CLSID_McVideoDecoder, phr), m_params(GetOwner()), m_bYuy2(TRUE),
      m_dwTail(0xFFFFFFFF), m_dwPictures(0)
{
    SetPinNames(L"Video In", L"Video Out");
    memset(&m_config, 0, sizeof(m_config));
    m_config.fields[0] = sizeof(m_config);
}

STDMETHODIMP CMcVideoDecoder::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMcVideoDecoderParams)
        return GetInterface(static_cast<IMcParams*>(&m_params), ppv);
    if (riid == IID_IMcVideoDecoderConfig)
        return GetInterface(static_cast<IMcVideoDecoderConfig*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CMcVideoDecoder::EnableOutputFormat(DWORD dwFourCC, BOOL bEnable)
{
    if (dwFourCC == MAKEFOURCC('Y', 'U', 'Y', '2'))
        m_bYuy2 = bEnable;
    return S_OK;
}

STDMETHODIMP CMcVideoDecoder::GetConfig(McVideoDecoderConfig* pConfig)
{
    if (pConfig == nullptr)
        return E_POINTER;
    *pConfig = m_config;
    return S_OK;
}

STDMETHODIMP CMcVideoDecoder::SetConfig(McVideoDecoderConfig* pConfig)
{
    if (pConfig == nullptr)
        return E_POINTER;
    if (pConfig->fields[0] != sizeof(McVideoDecoderConfig))
        return E_INVALIDARG;
    m_config = *pConfig;
    return S_OK;
}

HRESULT CMcVideoDecoder::CheckInputType(const CMediaType* mtIn)
{
    return mtIn->majortype == MEDIATYPE_Video &&
                   (mtIn->subtype == MEDIASUBTYPE_MPEG2_VIDEO || mtIn->subtype == MEDIASUBTYPE_MPEG1Payload)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMcVideoDecoder::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    return CheckInputType(mtIn) == S_OK && mtOut->majortype == MEDIATYPE_Video &&
                   ((m_bYuy2 && mtOut->subtype == MEDIASUBTYPE_YUY2) || mtOut->subtype == MEDIASUBTYPE_RGB32)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMcVideoDecoder::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    int nTypes = m_bYuy2 ? 2 : 1;
    if (iPosition >= nTypes)
        return VFW_S_NO_MORE_ITEMS;
    MakePicture(pMediaType, m_bYuy2 && iPosition == 0);
    return S_OK;
}

HRESULT CMcVideoDecoder::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    return SetAllocatorAtLeast(pAllocator, pProp, 3, kWidth * kHeight * 4, kWidth * kHeight * 4);
}

HRESULT CMcVideoDecoder::StartStreaming()
{
    m_dwTail = 0xFFFFFFFF;
    m_dwPictures = 0;
    return S_OK;
}

HRESULT CMcVideoDecoder::DeliverPicture()
{
    IMediaSample* pOut = nullptr;
    HRESULT hr = m_pOutput->GetDeliveryBuffer(&pOut, nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* pData = nullptr;
    pOut->GetPointer(&pData);
    BOOL bYuy2 = m_pOutput->CurrentMediaType().subtype == MEDIASUBTYPE_YUY2;
    long cb = kWidth * kHeight * (bYuy2 ? 2 : 4);
    if (pOut->GetSize() < cb)
    {
        pOut->Release();
        return E_FAIL;
    }
    BYTE luma = static_cast<BYTE>(32 + (m_dwPictures * 4) % 192);
    for (long i = 0; i < cb; i += 2)
    {
        pData[i] = luma;
        pData[i + 1] = bYuy2 ? 128 : luma;
    }
    pOut->SetActualDataLength(cb);
    pOut->SetTime(nullptr, nullptr);
    pOut->SetSyncPoint(TRUE);
    ++m_dwPictures;
    hr = m_pOutput->Deliver(pOut);
    pOut->Release();
    return hr;
}

HRESULT CMcVideoDecoder::Receive(IMediaSample* pSample)
{
    BYTE* pData = nullptr;
    pSample->GetPointer(&pData);
    long cb = pSample->GetActualDataLength();
    for (long i = 0; i < cb; ++i)
    {
        m_dwTail = (m_dwTail << 8) | pData[i];
        if (m_dwTail == 0x00000100)
        {
            HRESULT hr = DeliverPicture();
            if (hr != S_OK)
                return hr;
        }
    }
    return S_OK;
}

// The audio decoder.

CUnknown* CALLBACK CMcAudioDecoder::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMcAudioDecoder* p = new (std::nothrow) CMcAudioDecoder(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMcAudioDecoder::CMcAudioDecoder(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("MPEG Audio Decoder", pUnk, CLSID_McAudioDecoder, phr)
{
    SetPinNames(L"Audio In", L"Audio Out");
}

int CMcAudioDecoder::FrameLength(const BYTE* p)
{
    static const int kKbits[16] = { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0 };
    static const int kRates[4] = { 44100, 48000, 32000, 0 };
    // MPEG-1, Layer II.
    if (p[0] != 0xFF || (p[1] & 0xFE) != 0xFC)
        return 0;
    int kbits = kKbits[p[2] >> 4];
    int rate = kRates[(p[2] >> 2) & 3];
    if (kbits == 0 || rate == 0)
        return 0;
    return 144000 * kbits / rate + ((p[2] >> 1) & 1);
}

HRESULT CMcAudioDecoder::CheckInputType(const CMediaType* mtIn)
{
    return mtIn->majortype == MEDIATYPE_Audio &&
                   (mtIn->subtype == MEDIASUBTYPE_MPEG2_AUDIO || mtIn->subtype == MEDIASUBTYPE_MPEG1AudioPayload ||
                    mtIn->subtype == MEDIASUBTYPE_MPEG1Payload)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMcAudioDecoder::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    return CheckInputType(mtIn) == S_OK && mtOut->majortype == MEDIATYPE_Audio && mtOut->subtype == MEDIASUBTYPE_PCM
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMcAudioDecoder::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    MakePcm(pMediaType);
    return S_OK;
}

HRESULT CMcAudioDecoder::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    const long cb = kFramesPerAudioFrame * kAudioChannels * 2;
    return SetAllocatorAtLeast(pAllocator, pProp, 8, cb, cb);
}

HRESULT CMcAudioDecoder::StartStreaming()
{
    m_pending.clear();
    return S_OK;
}

HRESULT CMcAudioDecoder::Receive(IMediaSample* pSample)
{
    BYTE* pData = nullptr;
    pSample->GetPointer(&pData);
    m_pending.insert(m_pending.end(), pData, pData + pSample->GetActualDataLength());
    size_t at = 0;
    HRESULT hr = S_OK;
    while (hr == S_OK && at + 4 <= m_pending.size())
    {
        int length = FrameLength(&m_pending[at]);
        if (length == 0)
        {
            ++at;
            continue;
        }
        if (at + length > m_pending.size())
            break;
        at += length;
        IMediaSample* pOut = nullptr;
        hr = m_pOutput->GetDeliveryBuffer(&pOut, nullptr, nullptr, 0);
        if (FAILED(hr))
            break;
        BYTE* pTarget = nullptr;
        pOut->GetPointer(&pTarget);
        long cb = kFramesPerAudioFrame * kAudioChannels * 2;
        memset(pTarget, 0, cb);
        pOut->SetActualDataLength(cb);
        pOut->SetTime(nullptr, nullptr);
        pOut->SetSyncPoint(TRUE);
        hr = m_pOutput->Deliver(pOut);
        pOut->Release();
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + at);
    return hr == S_FALSE ? S_OK : hr;
}

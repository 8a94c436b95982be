#include "platform/standins/sysfilters/AudioCompressor.h"
#include "platform/standins/mpegkit/AllocatorSize.h"

#include <new>
#include <string.h>

// {9C7E3A10-2D44-4E51-8B7A-6A1F0C2B4D11}
const CLSID CLSID_StandinPcmCompressor = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x11 } };
// {9C7E3A10-2D44-4E51-8B7A-6A1F0C2B4D12}
const CLSID CLSID_StandinAdpcmCompressor = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x12 } };

namespace
{
const WORD kFormatAdpcm = 2;
const int kCoefficients[7][2] = { { 256, 0 }, { 512, -256 }, { 0, 0 }, { 192, 64 }, { 240, 0 }, { 460, -208 },
                                  { 392, -232 } };
const int kAdaptation[16] = { 230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230 };
// The block header's predictor: the second-order one of the table.
const int kPredictor = 1;

#pragma pack(push, 1)
struct AdpcmFormat
{
    WAVEFORMATEX wfx;
    WORD wSamplesPerBlock;
    WORD wNumCoef;
    short aCoef[7][2];
};
#pragma pack(pop)

// {00000002-0000-0010-8000-00AA00389B71}
const GUID kSubtypeAdpcm = { 0x00000002, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };

short Clamp16(int v)
{
    return static_cast<short>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
}

void PutShort(BYTE*& p, int v)
{
    short s = Clamp16(v);
    memcpy(p, &s, 2);
    p += 2;
}
}  // namespace

CUnknown* CALLBACK CAudioCompressor::CreatePcm(IUnknown* pUnk, HRESULT* phr)
{
    CAudioCompressor* p = new (std::nothrow) CAudioCompressor(pUnk, CLSID_StandinPcmCompressor, FALSE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CUnknown* CALLBACK CAudioCompressor::CreateAdpcm(IUnknown* pUnk, HRESULT* phr)
{
    CAudioCompressor* p = new (std::nothrow) CAudioCompressor(pUnk, CLSID_StandinAdpcmCompressor, TRUE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CAudioCompressor::CAudioCompressor(IUnknown* pUnk, REFCLSID clsid, BOOL bAdpcm, HRESULT* phr)
    : CTransformFilter(bAdpcm ? "Microsoft ADPCM" : "PCM", pUnk, clsid, phr), m_bAdpcm(bAdpcm), m_llFramesOut(0)
{
}

int CAudioCompressor::BlockAlignFor(int nChannels, int nSamplesPerSec)
{
    int nScale = nSamplesPerSec <= 11025 ? 1 : (nSamplesPerSec <= 22050 ? 2 : 4);
    return 256 * nChannels * nScale;
}

int CAudioCompressor::FramesPerBlock(int nChannels, int nBlockAlign)
{
    return (nBlockAlign - 7 * nChannels) * 8 / (4 * nChannels) + 2;
}

void CAudioCompressor::EncodeAdpcmBlock(const short* pSamples, int nChannels, int nFrames, BYTE* pBlock)
{
    const int c1 = kCoefficients[kPredictor][0];
    const int c2 = kCoefficients[kPredictor][1];
    int delta[2];
    int s1[2];
    int s2[2];
    BYTE* p = pBlock;
    for (int ch = 0; ch < nChannels; ++ch)
        *p++ = static_cast<BYTE>(kPredictor);
    for (int ch = 0; ch < nChannels; ++ch)
    {
        // Start the step near the size of the first difference.
        int d = (pSamples[nChannels + ch] - pSamples[ch]);
        d = (d < 0 ? -d : d) / 4;
        delta[ch] = d < 16 ? 16 : d;
        PutShort(p, delta[ch]);
    }
    for (int ch = 0; ch < nChannels; ++ch)
    {
        s1[ch] = pSamples[nChannels + ch];
        PutShort(p, s1[ch]);
    }
    for (int ch = 0; ch < nChannels; ++ch)
    {
        s2[ch] = pSamples[ch];
        PutShort(p, s2[ch]);
    }
    BOOL bHigh = TRUE;
    for (int n = 2; n < nFrames; ++n)
    {
        for (int ch = 0; ch < nChannels; ++ch)
        {
            int predict = (s1[ch] * c1 + s2[ch] * c2) / 256;
            int error = pSamples[n * nChannels + ch] - predict;
            int nibble = error >= 0 ? (error + delta[ch] / 2) / delta[ch] : -((-error + delta[ch] / 2) / delta[ch]);
            nibble = nibble < -8 ? -8 : (nibble > 7 ? 7 : nibble);
            int sample = Clamp16(predict + nibble * delta[ch]);
            s2[ch] = s1[ch];
            s1[ch] = sample;
            delta[ch] = kAdaptation[nibble & 0xF] * delta[ch] / 256;
            if (delta[ch] < 16)
                delta[ch] = 16;
            if (bHigh)
                *p = static_cast<BYTE>((nibble & 0xF) << 4);
            else
                *p++ |= static_cast<BYTE>(nibble & 0xF);
            bHigh = !bHigh;
        }
    }
}

HRESULT CAudioCompressor::CheckInputType(const CMediaType* mtIn)
{
    if (mtIn->majortype != MEDIATYPE_Audio || mtIn->formattype != FORMAT_WaveFormatEx ||
        mtIn->cbFormat < sizeof(WAVEFORMATEX))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const WAVEFORMATEX* pwfx = reinterpret_cast<const WAVEFORMATEX*>(mtIn->pbFormat);
    return pwfx->wFormatTag == WAVE_FORMAT_PCM && pwfx->wBitsPerSample == 16 && pwfx->nChannels >= 1 &&
                   pwfx->nChannels <= 2
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

BOOL CAudioCompressor::MakeOutputType(CMediaType* pmt) const
{
    const CMediaType& in = m_pInput->CurrentMediaType();
    if (!m_bAdpcm)
        return SUCCEEDED(pmt->Set(in));
    const WAVEFORMATEX* pIn = reinterpret_cast<const WAVEFORMATEX*>(in.pbFormat);
    AdpcmFormat format;
    memset(&format, 0, sizeof(format));
    format.wfx.wFormatTag = kFormatAdpcm;
    format.wfx.nChannels = pIn->nChannels;
    format.wfx.nSamplesPerSec = pIn->nSamplesPerSec;
    format.wfx.nBlockAlign = static_cast<WORD>(BlockAlignFor(pIn->nChannels, pIn->nSamplesPerSec));
    format.wfx.wBitsPerSample = 4;
    format.wfx.cbSize = sizeof(AdpcmFormat) - sizeof(WAVEFORMATEX);
    format.wSamplesPerBlock = static_cast<WORD>(FramesPerBlock(pIn->nChannels, format.wfx.nBlockAlign));
    format.wfx.nAvgBytesPerSec = static_cast<DWORD>(static_cast<ULONGLONG>(pIn->nSamplesPerSec) *
                                                    format.wfx.nBlockAlign / format.wSamplesPerBlock);
    format.wNumCoef = 7;
    for (int i = 0; i < 7; ++i)
    {
        format.aCoef[i][0] = static_cast<short>(kCoefficients[i][0]);
        format.aCoef[i][1] = static_cast<short>(kCoefficients[i][1]);
    }
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Audio;
    pmt->subtype = kSubtypeAdpcm;
    pmt->formattype = FORMAT_WaveFormatEx;
    pmt->bFixedSizeSamples = TRUE;
    pmt->bTemporalCompression = FALSE;
    pmt->lSampleSize = format.wfx.nBlockAlign;
    return pmt->SetFormat(reinterpret_cast<BYTE*>(&format), sizeof(format));
}

HRESULT CAudioCompressor::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    if (CheckInputType(mtIn) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (!m_bAdpcm)
        return *mtIn == *mtOut ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    return mtOut->majortype == MEDIATYPE_Audio && mtOut->subtype == kSubtypeAdpcm ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioCompressor::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0 || !m_pInput->IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    return MakeOutputType(pMediaType) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAudioCompressor::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    if (!m_pInput->IsConnected())
        return E_UNEXPECTED;
    // A second of sound fits one sample either way.
    const WAVEFORMATEX* pIn = reinterpret_cast<const WAVEFORMATEX*>(m_pInput->CurrentMediaType().pbFormat);
    long cb = static_cast<long>(pIn->nAvgBytesPerSec);
    return SetAllocatorAtLeast(pAllocator, pProp, 4, cb, cb);
}

HRESULT CAudioCompressor::StartStreaming()
{
    m_pending.clear();
    m_llFramesOut = 0;
    return S_OK;
}

HRESULT CAudioCompressor::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    BYTE* pSource = nullptr;
    BYTE* pTarget = nullptr;
    pIn->GetPointer(&pSource);
    pOut->GetPointer(&pTarget);
    long cb = pIn->GetActualDataLength();
    if (!m_bAdpcm)
    {
        if (cb > pOut->GetSize())
            return E_FAIL;
        memcpy(pTarget, pSource, cb);
        pOut->SetActualDataLength(cb);
        return S_OK;
    }
    const WAVEFORMATEX* pInFormat = reinterpret_cast<const WAVEFORMATEX*>(m_pInput->CurrentMediaType().pbFormat);
    const int nChannels = pInFormat->nChannels;
    const int nBlockAlign = BlockAlignFor(nChannels, pInFormat->nSamplesPerSec);
    const int nFrames = FramesPerBlock(nChannels, nBlockAlign);
    const short* pSamples = reinterpret_cast<const short*>(pSource);
    m_pending.insert(m_pending.end(), pSamples, pSamples + cb / 2);
    size_t nBlockSamples = static_cast<size_t>(nFrames) * nChannels;
    long nWritten = 0;
    size_t nUsed = 0;
    while (m_pending.size() - nUsed >= nBlockSamples && nWritten + nBlockAlign <= pOut->GetSize())
    {
        EncodeAdpcmBlock(&m_pending[nUsed], nChannels, nFrames, pTarget + nWritten);
        nUsed += nBlockSamples;
        nWritten += nBlockAlign;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + nUsed);
    if (nWritten == 0)
        return S_FALSE;
    LONGLONG llFrames = static_cast<LONGLONG>(nUsed / nChannels);
    REFERENCE_TIME start = m_llFramesOut * 10000000 / pInFormat->nSamplesPerSec;
    REFERENCE_TIME stop = (m_llFramesOut + llFrames) * 10000000 / pInFormat->nSamplesPerSec;
    m_llFramesOut += llFrames;
    pOut->SetTime(&start, &stop);
    pOut->SetActualDataLength(nWritten);
    pOut->SetSyncPoint(TRUE);
    return S_OK;
}

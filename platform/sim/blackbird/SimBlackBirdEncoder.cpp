#include "platform/sim/blackbird/SimBlackBirdEncoder.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

#include <string.h>

namespace
{
BOOL IsMpeg1Kind()
{
    return CSimBlackBirdCard::Instance().GetStreamKind() == 2;
}
}

CSimEncoderStream::CSimEncoderStream(HRESULT* phr, CSimBlackBirdEncoder* pFilter, CCritSec* pLock)
    : CSourceStream("BlackBird encoder stream", phr, pFilter, pLock, L"MPEG"), m_dwStartTick(0)
{
}

HRESULT CSimEncoderStream::GetMediaType(CMediaType* pMediaType)
{
    pMediaType->InitMediaType();
    pMediaType->majortype = MEDIATYPE_Stream;
    pMediaType->subtype = IsMpeg1Kind() ? MEDIASUBTYPE_MPEG1System : MEDIASUBTYPE_MPEG2_PROGRAM;
    pMediaType->formattype = FORMAT_None;
    pMediaType->bFixedSizeSamples = FALSE;
    pMediaType->lSampleSize = 0;
    return S_OK;
}

HRESULT CSimEncoderStream::CheckMediaType(const CMediaType* pmt)
{
    if (pmt == nullptr || pmt->majortype != MEDIATYPE_Stream)
        return VFW_E_TYPE_NOT_ACCEPTED;
    GUID wanted = IsMpeg1Kind() ? MEDIASUBTYPE_MPEG1System : MEDIASUBTYPE_MPEG2_PROGRAM;
    return pmt->subtype == wanted ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimEncoderStream::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    return SetBufferProperties(pAlloc, pRequest, 8, BUFFER_BYTES);
}

HRESULT CSimEncoderStream::OnThreadStartPlay()
{
    char szPath[MAX_PATH];
    CSimBlackBirdEncoder::ClipPath(IsMpeg1Kind(), szPath, MAX_PATH);
    if (!m_clip.Load(szPath))
        return E_FAIL;
    m_dwStartTick = GetTickCount();
    return S_OK;
}

HRESULT CSimEncoderStream::FillBuffer(IMediaSample* pSample)
{
    if (!m_clip.IsLoaded())
        return E_FAIL;
    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    if (card.EncoderPasses() > 0 && m_clip.Pass() >= card.EncoderPasses())
        return S_FALSE;
    BYTE* pData = nullptr;
    HRESULT hr = pSample->GetPointer(&pData);
    if (FAILED(hr))
        return hr;
    LONGLONG due = 0;
    DWORD size = m_clip.Next(pData, static_cast<DWORD>(pSample->GetSize()), SAMPLE_BYTES, &due);
    if (size == 0)
        return E_FAIL;
    // A live encoder: nothing leaves before the chip has made it.
    LONG wait = static_cast<LONG>(m_dwStartTick + static_cast<DWORD>(due / 90) - GetTickCount());
    if (card.EncoderPacing() && wait > 0 && WaitForStop(static_cast<DWORD>(wait)))
        return S_FALSE;
    pSample->SetActualDataLength(size);
    pSample->SetSyncPoint(TRUE);
    return S_OK;
}

CUnknown* CALLBACK CSimBlackBirdEncoder::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CSimBlackBirdEncoder* p = new CSimBlackBirdEncoder(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CSimBlackBirdEncoder::CSimBlackBirdEncoder(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("BlackBird MPEG Encoder", pUnk, &m_lock, CLSID_SimBlackBirdEncoder, phr)
{
    HRESULT hr = S_OK;
    m_p656 = new CSimLinkPin(this, &m_lock, &hr, L"656", PINDIR_INPUT, MEDIATYPE_Video, SIMSUBTYPE_BT656);
    m_pI2S = new CSimLinkPin(this, &m_lock, &hr, L"I2S", PINDIR_INPUT, MEDIATYPE_Audio, SIMSUBTYPE_I2S);
    m_pOutput = new CSimEncoderStream(&hr, this, &m_lock);

    CSimBlackBirdCard& card = CSimBlackBirdCard::Instance();
    for (DWORD id = 0; id < CSimBlackBirdCard::ENCODER_PROPERTY_COUNT; ++id)
    {
        if (CSimBlackBirdCard::EncoderPropertyLength(id) == 0)
            continue;
        AddKsProperty(SIMPROPSETID_BlackBirdEncoder, id,
            [&card, id](void*, DWORD, void* pData, DWORD cbData, DWORD* pcb) -> HRESULT {
                return card.GetEncoderProperty(id, static_cast<BYTE*>(pData), cbData, pcb);
            },
            [&card, id](void*, DWORD, void* pData, DWORD cbData) -> HRESULT {
                return card.SetEncoderProperty(id, static_cast<const BYTE*>(pData), cbData);
            });
    }
}

CSimBlackBirdEncoder::~CSimBlackBirdEncoder()
{
    delete m_p656;
    delete m_pI2S;
    delete m_pOutput;
}

int CSimBlackBirdEncoder::GetPinCount()
{
    return 3;
}

CBasePin* CSimBlackBirdEncoder::GetPin(int n)
{
    switch (n)
    {
    case 0: return m_p656;
    case 1: return m_pI2S;
    case 2: return m_pOutput;
    default: return nullptr;
    }
}

void CSimBlackBirdEncoder::ClipPath(BOOL bMpeg1, char* pszPath, DWORD cchPath)
{
    pszPath[0] = '\0';
    DWORD n = GetModuleFileNameA(DsModuleInstance(), pszPath, cchPath);
    if (n == 0 || n >= cchPath)
        return;
    char* pSlash = strrchr(pszPath, '\\');
    char* pOther = strrchr(pszPath, '/');
    if (pOther > pSlash)
        pSlash = pOther;
    const char* pszName = bMpeg1 ? "BlackBirdClip1.mpg" : "BlackBirdClip2.mpg";
    size_t at = pSlash != nullptr ? static_cast<size_t>(pSlash - pszPath + 1) : 0;
    if (at + strlen(pszName) + 1 > cchPath)
    {
        pszPath[0] = '\0';
        return;
    }
    strcpy(pszPath + at, pszName);
}

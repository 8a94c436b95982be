#include "platform/dshow/MediaType.h"
#include <cstring>

void FreeMediaType(AM_MEDIA_TYPE& mt)
{
    if (mt.pbFormat) {
        CoTaskMemFree(mt.pbFormat);
        mt.pbFormat = nullptr;
    }
    mt.cbFormat = 0;
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!pmt) return;
    FreeMediaType(*pmt);
    CoTaskMemFree(pmt);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* pDest, const AM_MEDIA_TYPE* pSrc)
{
    if (!pDest || !pSrc) return E_POINTER;
    if (pDest == pSrc) return S_OK;
    *pDest = *pSrc;
    if (pSrc->cbFormat && pSrc->pbFormat) {
        pDest->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(pSrc->cbFormat));
        if (!pDest->pbFormat) {
            pDest->cbFormat = 0;
            pDest->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        memcpy(pDest->pbFormat, pSrc->pbFormat, pSrc->cbFormat);
    } else {
        pDest->pbFormat = nullptr;
        pDest->cbFormat = 0;
    }
    if (pDest->pUnk) pDest->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* pSrc)
{
    AM_MEDIA_TYPE* p = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!p) return nullptr;
    if (!pSrc) {
        ZeroMemory(p, sizeof(*p));
        p->bFixedSizeSamples = TRUE;
        p->lSampleSize = 1;
        return p;
    }
    if (FAILED(CopyMediaType(p, pSrc))) {
        CoTaskMemFree(p);
        return nullptr;
    }
    return p;
}

CMediaType::CMediaType()
{
    InitMediaType();
}

CMediaType::CMediaType(const GUID* pMajorType)
{
    InitMediaType();
    if (pMajorType) majortype = *pMajorType;
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& mt, HRESULT* phr)
{
    InitMediaType();
    HRESULT hr = CopyMediaType(this, &mt);
    if (FAILED(hr)) InitMediaType();
    if (phr) *phr = hr;
}

CMediaType::CMediaType(const CMediaType& mt) : AM_MEDIA_TYPE()
{
    InitMediaType();
    if (FAILED(CopyMediaType(this, &mt))) InitMediaType();
}

CMediaType::~CMediaType()
{
    FreeMediaType(*this);
}

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& mt)
{
    Set(mt);
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& mt)
{
    Set(mt);
    return *this;
}

HRESULT CMediaType::Set(const AM_MEDIA_TYPE& mt)
{
    if (&mt == static_cast<AM_MEDIA_TYPE*>(this)) return S_OK;
    FreeMediaType(*this);
    HRESULT hr = CopyMediaType(this, &mt);
    if (FAILED(hr)) InitMediaType();
    return hr;
}

bool CMediaType::operator==(const CMediaType& other) const
{
    if (majortype != other.majortype || subtype != other.subtype || formattype != other.formattype)
        return false;
    if (cbFormat != other.cbFormat) return false;
    return cbFormat == 0 || memcmp(pbFormat, other.pbFormat, cbFormat) == 0;
}

BOOL CMediaType::IsValid() const
{
    return majortype != GUID_NULL;
}

BOOL CMediaType::SetFormat(const BYTE* p, ULONG length)
{
    if (!AllocFormatBuffer(length)) return FALSE;
    if (length) memcpy(pbFormat, p, length);
    return TRUE;
}

BYTE* CMediaType::AllocFormatBuffer(ULONG length)
{
    if (length == 0) {
        ResetFormatBuffer();
        return nullptr;
    }
    if (pbFormat && cbFormat == length) return pbFormat;
    BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!p) return nullptr;
    ZeroMemory(p, length);
    if (pbFormat) CoTaskMemFree(pbFormat);
    pbFormat = p;
    cbFormat = length;
    return p;
}

BYTE* CMediaType::ReallocFormatBuffer(ULONG length)
{
    if (length == 0) {
        ResetFormatBuffer();
        return nullptr;
    }
    BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!p) return nullptr;
    ZeroMemory(p, length);
    if (pbFormat) {
        memcpy(p, pbFormat, cbFormat < length ? cbFormat : length);
        CoTaskMemFree(pbFormat);
    }
    pbFormat = p;
    cbFormat = length;
    return p;
}

void CMediaType::ResetFormatBuffer()
{
    if (pbFormat) CoTaskMemFree(pbFormat);
    pbFormat = nullptr;
    cbFormat = 0;
}

void CMediaType::SetSampleSize(ULONG size)
{
    if (size == 0) {
        SetVariableSize();
    } else {
        bFixedSizeSamples = TRUE;
        lSampleSize = size;
    }
}

void CMediaType::SetVariableSize()
{
    bFixedSizeSamples = FALSE;
}

BOOL CMediaType::MatchesPartial(const CMediaType* pPartial) const
{
    if (pPartial->majortype != GUID_NULL && pPartial->majortype != majortype) return FALSE;
    if (pPartial->subtype != GUID_NULL && pPartial->subtype != subtype) return FALSE;
    if (pPartial->formattype != GUID_NULL) {
        if (pPartial->formattype != formattype) return FALSE;
        if (pPartial->cbFormat != cbFormat) return FALSE;
        if (cbFormat && memcmp(pPartial->pbFormat, pbFormat, cbFormat) != 0) return FALSE;
    }
    return TRUE;
}

BOOL CMediaType::IsPartiallySpecified() const
{
    return majortype == GUID_NULL || subtype == GUID_NULL || formattype == GUID_NULL;
}

void CMediaType::InitMediaType()
{
    ZeroMemory(static_cast<AM_MEDIA_TYPE*>(this), sizeof(AM_MEDIA_TYPE));
    bFixedSizeSamples = TRUE;
    lSampleSize = 1;
}

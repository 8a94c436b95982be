#include "platform/standins/sysfilters/Mpeg4Compressor.h"

#include "platform/standins/mpegkit/AllocatorSize.h"

#include <new>
#include <string.h>

// {9C7E3A10-2D44-4E51-8B7A-6A1F0C2B4D01} .. 03
const CLSID CLSID_StandinMpeg4V1 = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x01 } };
const CLSID CLSID_StandinMpeg4V2 = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x02 } };
const CLSID CLSID_StandinMpeg4V3 = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x03 } };

CUnknown* CMpeg4Compressor::Create(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
{
    CMpeg4Compressor* p = new (std::nothrow) CMpeg4Compressor(pUnk, clsid, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CUnknown* CALLBACK CMpeg4Compressor::CreateV1(IUnknown* pUnk, HRESULT* phr)
{
    return Create(pUnk, CLSID_StandinMpeg4V1, phr);
}

CUnknown* CALLBACK CMpeg4Compressor::CreateV2(IUnknown* pUnk, HRESULT* phr)
{
    return Create(pUnk, CLSID_StandinMpeg4V2, phr);
}

CUnknown* CALLBACK CMpeg4Compressor::CreateV3(IUnknown* pUnk, HRESULT* phr)
{
    return Create(pUnk, CLSID_StandinMpeg4V3, phr);
}

// {9C7E3A10-2D44-4E51-8B7A-6A1F0C2B4D04}
const CLSID CLSID_StandinXvid = { 0x9C7E3A10, 0x2D44, 0x4E51, { 0x8B, 0x7A, 0x6A, 0x1F, 0x0C, 0x2B, 0x4D, 0x04 } };

CUnknown* CALLBACK CMpeg4Compressor::CreateXvid(IUnknown* pUnk, HRESULT* phr)
{
    return Create(pUnk, CLSID_StandinXvid, phr);
}

CMpeg4Compressor::CMpeg4Compressor(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CTransformFilter("MPEG-4 compressor", pUnk, clsid, phr)
{
    m_state.dwVersion = 1;
    m_state.lQuality = 7500;
    m_state.lKeyFrameRate = 15;
}

STDMETHODIMP CMpeg4Compressor::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMVfwCompressDialogs)
        return GetInterface(static_cast<IAMVfwCompressDialogs*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CMpeg4Compressor::ShowDialog(int iDialog, HWND)
{
    // Neither a configuration nor an about dialog.
    if (iDialog == VfwCompressDialog_QueryConfig || iDialog == VfwCompressDialog_QueryAbout)
        return S_FALSE;
    return E_NOTIMPL;
}

STDMETHODIMP CMpeg4Compressor::GetState(LPVOID pState, int* pcbState)
{
    if (pcbState == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_stateLock);
    if (pState == nullptr)
    {
        *pcbState = sizeof(m_state);
        return S_OK;
    }
    if (*pcbState < static_cast<int>(sizeof(m_state)))
        return E_INVALIDARG;
    memcpy(pState, &m_state, sizeof(m_state));
    *pcbState = sizeof(m_state);
    return S_OK;
}

STDMETHODIMP CMpeg4Compressor::SetState(LPVOID pState, int cbState)
{
    if (pState == nullptr)
        return E_POINTER;
    Mpeg4CompressorState state;
    if (cbState != static_cast<int>(sizeof(state)))
        return E_INVALIDARG;
    memcpy(&state, pState, sizeof(state));
    if (state.dwVersion != 1 || state.lQuality < 0 || state.lQuality > 10000 || state.lKeyFrameRate < 0)
        return E_INVALIDARG;
    CAutoLock lock(&m_stateLock);
    m_state = state;
    return S_OK;
}

STDMETHODIMP CMpeg4Compressor::SendDriverMessage(int, long, long)
{
    return E_NOTIMPL;
}

HRESULT CMpeg4Compressor::CheckInputType(const CMediaType* mtIn)
{
    return mtIn->majortype == MEDIATYPE_Video && mtIn->formattype == FORMAT_VideoInfo ? S_OK
                                                                                        : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMpeg4Compressor::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    return *mtIn == *mtOut ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CMpeg4Compressor::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    if (!m_pInput->IsConnected())
        return E_UNEXPECTED;
    const VIDEOINFOHEADER* pInfo = reinterpret_cast<const VIDEOINFOHEADER*>(m_pInput->CurrentMediaType().pbFormat);
    long cbImage = static_cast<long>(pInfo->bmiHeader.biSizeImage);
    if (cbImage <= 0)
        cbImage = pInfo->bmiHeader.biWidth * (pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight
                                                                            : pInfo->bmiHeader.biHeight) * 4;
    return SetAllocatorAtLeast(pAllocator, pProp, 2, cbImage, cbImage);
}

HRESULT CMpeg4Compressor::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0 || !m_pInput->IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    return pMediaType->Set(m_pInput->CurrentMediaType());
}

HRESULT CMpeg4Compressor::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    BYTE* pSource = nullptr;
    BYTE* pTarget = nullptr;
    pIn->GetPointer(&pSource);
    pOut->GetPointer(&pTarget);
    long cb = pIn->GetActualDataLength();
    if (cb > pOut->GetSize())
        return E_FAIL;
    memcpy(pTarget, pSource, cb);
    pOut->SetActualDataLength(cb);
    return S_OK;
}

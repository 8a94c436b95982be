#include "platform/standins/testfilters/CopyTransform.h"
#include "platform/standins/testfilters/TestFilterIds.h"
#include <cstring>
#include <new>

CUnknown* CALLBACK CCopyTransform::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CCopyTransform* p = new (std::nothrow) CCopyTransform(pUnk, phr);
    if (!p && phr) *phr = E_OUTOFMEMORY;
    return p;
}

CCopyTransform::CCopyTransform(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("CCopyTransform", pUnk, CLSID_OndrixCopyTransform, phr), m_starts(0), m_stops(0)
{
}

HRESULT CCopyTransform::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    BYTE* src = nullptr;
    BYTE* dst = nullptr;
    HRESULT hr = pIn->GetPointer(&src);
    if (SUCCEEDED(hr)) hr = pOut->GetPointer(&dst);
    if (FAILED(hr)) return hr;
    long n = pIn->GetActualDataLength();
    if (n > pOut->GetSize()) return E_FAIL;
    memcpy(dst, src, n);
    return pOut->SetActualDataLength(n);
}

HRESULT CCopyTransform::CheckInputType(const CMediaType*)
{
    return S_OK;
}

HRESULT CCopyTransform::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    return *mtIn == *mtOut ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CCopyTransform::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    if (!m_pInput->IsConnected()) return E_UNEXPECTED;
    ALLOCATOR_PROPERTIES in;
    ZeroMemory(&in, sizeof(in));
    IMemAllocator* upstream = m_pInput->PeekAllocator();
    if (upstream) upstream->GetProperties(&in);
    pProp->cBuffers = in.cBuffers > 0 ? in.cBuffers : 2;
    pProp->cbBuffer = in.cbBuffer > 0 ? in.cbBuffer : 65536;
    if (pProp->cbAlign <= 0) pProp->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual;
    HRESULT hr = pAllocator->SetProperties(pProp, &actual);
    if (FAILED(hr)) return hr;
    return (actual.cBuffers < pProp->cBuffers || actual.cbBuffer < pProp->cbBuffer) ? E_FAIL : S_OK;
}

HRESULT CCopyTransform::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (!m_pInput->IsConnected()) return E_UNEXPECTED;
    if (iPosition < 0) return E_INVALIDARG;
    if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
    return pMediaType->Set(m_pInput->CurrentMediaType());
}

HRESULT CCopyTransform::StartStreaming()
{
    InterlockedIncrement(&m_starts);
    return S_OK;
}

HRESULT CCopyTransform::StopStreaming()
{
    InterlockedIncrement(&m_stops);
    return S_OK;
}

#include "platform/standins/transformratio/TransformRatio.h"

#include <string.h>

#include <new>

namespace
{
// A black picture element of the format: one RGB32 pixel or one YUY2 pair.
const BYTE kBlackRgb32[4] = { 0, 0, 0, 0 };
const BYTE kBlackYuy2[4] = { 16, 128, 16, 128 };
}

CUnknown* CALLBACK CTransformRatio::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CTransformRatio* p = new (std::nothrow) CTransformRatio(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CTransformRatio::CTransformRatio(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("Transform Ratio", pUnk, CLSID_TransformRatio, phr), m_lScaling(SCALING_OFF),
      m_lAspect(ASPECT_NORMAL)
{
    SetPinNames(L"XForm In", L"XForm Out");
}

STDMETHODIMP CTransformRatio::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_ITransformRatio)
        return GetInterface(static_cast<ITransformRatio*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTransformRatio::CheckInputType(const CMediaType* mtIn)
{
    return VideoFrameFormat::FromMediaType(mtIn).kind != VideoFrameFormat::KIND_NONE ? S_OK
                                                                                      : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTransformRatio::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    VideoFrameFormat in = VideoFrameFormat::FromMediaType(mtIn);
    VideoFrameFormat out = VideoFrameFormat::FromMediaType(mtOut);
    return in.kind != VideoFrameFormat::KIND_NONE && in.kind == out.kind && in.width == out.width &&
                   in.height == out.height
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTransformRatio::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (!m_pInput->IsConnected())
        return E_UNEXPECTED;
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    VideoFrameFormat::FromMediaType(&m_pInput->CurrentMediaType()).ToMediaType(pMediaType);
    return S_OK;
}

HRESULT CTransformRatio::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    VideoFrameFormat format = VideoFrameFormat::FromMediaType(&m_pInput->CurrentMediaType());
    if (format.kind == VideoFrameFormat::KIND_NONE)
        return E_UNEXPECTED;
    if (pProp->cBuffers < 2)
        pProp->cBuffers = 2;
    if (pProp->cbBuffer < format.ImageSize())
        pProp->cbBuffer = format.ImageSize();
    if (pProp->cbAlign < 1)
        pProp->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual;
    HRESULT hr = pAllocator->SetProperties(pProp, &actual);
    if (FAILED(hr))
        return hr;
    return actual.cbBuffer < format.ImageSize() ? E_FAIL : S_OK;
}

HRESULT CTransformRatio::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    VideoFrameFormat format = VideoFrameFormat::FromMediaType(&m_pInput->CurrentMediaType());
    BYTE* pSrc = nullptr;
    BYTE* pDst = nullptr;
    if (FAILED(pIn->GetPointer(&pSrc)) || FAILED(pOut->GetPointer(&pDst)))
        return E_FAIL;
    if (pIn->GetActualDataLength() < format.ImageSize() || pOut->GetSize() < format.ImageSize())
        return E_FAIL;
    Reshape(pSrc, pDst, format, m_lScaling, m_lAspect);
    pOut->SetActualDataLength(format.ImageSize());
    return S_OK;
}

void CTransformRatio::Reshape(const BYTE* pIn, BYTE* pOut, const VideoFrameFormat& format, LONG lScaling,
                              LONG lAspect)
{
    const LONG stride = format.Stride();
    if (lScaling != SCALING_ON)
    {
        memcpy(pOut, pIn, format.ImageSize());
        return;
    }
    const BYTE* pBlack = format.kind == VideoFrameFormat::KIND_RGB32 ? kBlackRgb32 : kBlackYuy2;
    // Both layouts come in elements of four bytes: one RGB32 pixel, or two YUY2 pixels.
    const int elements = stride / 4;
    if (lAspect == ASPECT_WIDE)
    {
        int bar = format.height / 8;
        int inner = format.height - 2 * bar;
        for (int y = 0; y < format.height; ++y)
        {
            BYTE* pRow = pOut + static_cast<size_t>(y) * stride;
            if (y < bar || y >= bar + inner)
            {
                for (int e = 0; e < elements; ++e)
                    memcpy(pRow + e * 4, pBlack, 4);
                continue;
            }
            int sy = (y - bar) * format.height / inner;
            memcpy(pRow, pIn + static_cast<size_t>(sy) * stride, stride);
        }
        return;
    }
    int bar = elements / 8;
    int inner = elements - 2 * bar;
    for (int y = 0; y < format.height; ++y)
    {
        const BYTE* pSrcRow = pIn + static_cast<size_t>(y) * stride;
        BYTE* pRow = pOut + static_cast<size_t>(y) * stride;
        for (int e = 0; e < elements; ++e)
        {
            if (e < bar || e >= bar + inner)
                memcpy(pRow + e * 4, pBlack, 4);
            else
                memcpy(pRow + e * 4, pSrcRow + ((e - bar) * elements / inner) * 4, 4);
        }
    }
}

STDMETHODIMP CTransformRatio::SetScaling(LONG lScaling)
{
    if (lScaling != SCALING_OFF && lScaling != SCALING_ON)
        return E_INVALIDARG;
    InterlockedExchange(&m_lScaling, lScaling);
    return S_OK;
}

STDMETHODIMP CTransformRatio::SetAspect(LONG lAspect)
{
    if (lAspect != ASPECT_WIDE && lAspect != ASPECT_NORMAL)
        return E_INVALIDARG;
    InterlockedExchange(&m_lAspect, lAspect);
    return S_OK;
}

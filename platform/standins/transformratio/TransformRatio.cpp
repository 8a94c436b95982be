#include "platform/standins/transformratio/TransformRatio.h"

#include <string.h>

#include <new>

namespace
{
// A black picture element of the format: one RGB32 pixel or one YUY2 pair.
const BYTE kBlackRgb32[4] = { 0, 0, 0, 0 };
const BYTE kBlackYuy2[4] = { 16, 128, 16, 128 };
}

CTransformRatio::CTransformRatio(IUnknown* pUnk, HRESULT* phr)
    : CVideoTransform("Transform Ratio", pUnk, CLSID_TransformRatio, phr), m_lScaling(SCALING_OFF),
      m_lAspect(ASPECT_NORMAL)
{
    SetPinNames(L"XForm In", L"XForm Out");
}

STDMETHODIMP CTransformRatio::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_ITransformRatio)
        return GetInterface(static_cast<ITransformRatio*>(this), ppv);
    return CVideoTransform::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTransformRatio::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    VideoFrameFormat format = InputFormat();
    BYTE* pSrc = nullptr;
    BYTE* pDst = nullptr;
    if (!Pictures(pIn, pOut, &pSrc, &pDst))
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

#include "platform/standins/videokit/VideoTransform.h"

CVideoTransform::CVideoTransform(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CTransformFilter(pName, pUnk, clsid, phr)
{
}

VideoFrameFormat CVideoTransform::InputFormat() const
{
    return VideoFrameFormat::FromMediaType(&m_pInput->CurrentMediaType());
}

VideoFrameFormat CVideoTransform::OutputFormat() const
{
    VideoFrameFormat format = InputFormat();
    if (format.kind != VideoFrameFormat::KIND_NONE)
        format.kind = OutputKind(format.kind);
    return format;
}

HRESULT CVideoTransform::CheckInputType(const CMediaType* mtIn)
{
    VideoFrameFormat::Kind kind = VideoFrameFormat::FromMediaType(mtIn).kind;
    return kind == VideoFrameFormat::KIND_YUY2 || kind == VideoFrameFormat::KIND_RGB32 ? S_OK
                                                                                       : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoTransform::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    VideoFrameFormat in = VideoFrameFormat::FromMediaType(mtIn);
    VideoFrameFormat out = VideoFrameFormat::FromMediaType(mtOut);
    return CheckInputType(mtIn) == S_OK && out.kind == OutputKind(in.kind) && in.width == out.width &&
                   in.height == out.height
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoTransform::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (!m_pInput->IsConnected())
        return E_UNEXPECTED;
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    OutputFormat().ToMediaType(pMediaType);
    return S_OK;
}

HRESULT CVideoTransform::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    VideoFrameFormat format = OutputFormat();
    if (format.kind == VideoFrameFormat::KIND_NONE)
        return E_UNEXPECTED;
    return CBaseOutputPin::SetBufferProperties(pAllocator, pProp, 2, format.ImageSize());
}

BOOL CVideoTransform::Pictures(IMediaSample* pIn, IMediaSample* pOut, BYTE** ppIn, BYTE** ppOut) const
{
    return SUCCEEDED(pIn->GetPointer(ppIn)) && SUCCEEDED(pOut->GetPointer(ppOut)) &&
           pIn->GetActualDataLength() >= InputFormat().ImageSize() && pOut->GetSize() >= OutputFormat().ImageSize();
}

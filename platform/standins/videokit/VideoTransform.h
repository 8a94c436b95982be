#pragma once

#include "platform/standins/videokit/VideoFrame.h"

// A transform of whole pictures: YUY2 or RGB32 in, one picture of the same
// size out for each, in the kind the derived filter says.
class CVideoTransform : public CTransformFilter
{
public:
    CVideoTransform(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr);

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;

protected:
    // The kind of the output for an input of that kind (the same unless overridden).
    virtual VideoFrameFormat::Kind OutputKind(VideoFrameFormat::Kind input) const { return input; }
    VideoFrameFormat InputFormat() const;
    VideoFrameFormat OutputFormat() const;
    // The pointers of a pair of samples that hold whole pictures; FALSE otherwise.
    BOOL Pictures(IMediaSample* pIn, IMediaSample* pOut, BYTE** ppIn, BYTE** ppOut) const;
};

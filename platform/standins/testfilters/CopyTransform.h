#pragma once
#include "platform/dshow/Streams.h"

// A transform that copies each sample as it is: any input type, the same type out.
class CCopyTransform : public CTransformFilter
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    CCopyTransform(IUnknown* pUnk, HRESULT* phr);

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;

    LONG StartCount() const { return m_starts; }
    LONG StopCount() const { return m_stops; }

protected:
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;

private:
    LONG m_starts;
    LONG m_stops;
};

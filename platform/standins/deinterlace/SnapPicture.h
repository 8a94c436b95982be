#pragma once

#include "platform/dshow/Streams.h"
#include "platform/standins/deinterlace/DeinterlaceApi.h"
#include "platform/standins/videokit/VideoFrame.h"

#include <vector>

// "Veltrane Snap Picture Filter": passes YUY2 or RGB32 pictures on as they
// are and, on request, saves the last one as a bitmap or JPEG file.
class CSnapPicture : public CTransformFilter, public IVeltraneSnapPicture
{
public:
    enum { COMMAND_SAVE = 1 };

    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;

    STDMETHODIMP GetSavedCount(LONG* plCount) override;
    STDMETHODIMP Command(LONG lCommand, SNAP_PICTURE_REQUEST* pRequest) override;

private:
    CSnapPicture(IUnknown* pUnk, HRESULT* phr);

    CCritSec m_csPicture;
    std::vector<BYTE> m_picture;
    VideoFrameFormat m_format;
    LONG m_nSaved;
};

#pragma once

#include "platform/dshow/Streams.h"
#include "platform/standins/deinterlace/DeinterlaceApi.h"
#include "platform/standins/videokit/VideoTransform.h"

#include <vector>

// "Veltrane Snap Picture Filter": passes YUY2 or RGB32 pictures on as they
// are and, on request, saves the last one as a bitmap or JPEG file.
class CSnapPicture : public CVideoTransform, public IVeltraneSnapPicture
{
public:
    enum { COMMAND_SAVE = 1 };

    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr) { return DsCreateObject<CSnapPicture>(pUnk, phr); }

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

    STDMETHODIMP GetSavedCount(LONG* plCount) override;
    STDMETHODIMP Command(LONG lCommand, SNAP_PICTURE_REQUEST* pRequest) override;

private:
    friend CUnknown* CALLBACK DsCreateObject<CSnapPicture>(IUnknown* pUnkOuter, HRESULT* phr);
    CSnapPicture(IUnknown* pUnk, HRESULT* phr);

    CCritSec m_csPicture;
    std::vector<BYTE> m_picture;
    VideoFrameFormat m_format;
    LONG m_nSaved;
};

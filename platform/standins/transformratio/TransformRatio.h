#pragma once

#include "platform/dshow/Streams.h"
#include "platform/standins/videokit/VideoTransform.h"

// {19E8BDD6-6C11-47AF-BB2B-A2DDC881CA95}
static const CLSID CLSID_TransformRatio =
    { 0x19E8BDD6, 0x6C11, 0x47AF, { 0xBB, 0x2B, 0xA2, 0xDD, 0xC8, 0x81, 0xCA, 0x95 } };

// The filter's mode interface: scaling 0 (the picture as it comes) or 1 (fit
// to the aspect), aspect 1 (wide: 16:9) or 2 (normal: 4:3).
// {FD5010A2-8EBE-11CE-8183-00AA00577DA1}
static const IID IID_ITransformRatio =
    { 0xFD5010A2, 0x8EBE, 0x11CE, { 0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1 } };

struct ITransformRatio : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetScaling(LONG lScaling) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspect(LONG lAspect) = 0;
};

// "Transform Ratio": with scaling on, squeezes the picture into the chosen
// aspect inside the same frame: wide puts black bars above and below (an
// eighth of the height each), normal puts them left and right (an eighth of
// the width each). YUY2 or RGB32 in, the same out.
class CTransformRatio : public CVideoTransform, public ITransformRatio
{
public:
    enum { SCALING_OFF = 0, SCALING_ON = 1, ASPECT_WIDE = 1, ASPECT_NORMAL = 2 };

    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr) { return DsCreateObject<CTransformRatio>(pUnk, phr); }

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

    STDMETHODIMP SetScaling(LONG lScaling) override;
    STDMETHODIMP SetAspect(LONG lAspect) override;

    // Writes one picture of the format into pOut as the modes say.
    static void Reshape(const BYTE* pIn, BYTE* pOut, const VideoFrameFormat& format, LONG lScaling, LONG lAspect);

private:
    friend CUnknown* CALLBACK DsCreateObject<CTransformRatio>(IUnknown* pUnkOuter, HRESULT* phr);
    CTransformRatio(IUnknown* pUnk, HRESULT* phr);

    volatile LONG m_lScaling;
    volatile LONG m_lAspect;
};

#pragma once

#include "platform/dshow/MixerPinConfig.h"
#include "platform/dshow/Streams.h"
#include "platform/standins/videokit/VideoTransform.h"

class COverlayMixer;

// "Input0": takes the pictures and carries the mixer's configuration.
class COverlayMixerInput : public CTransformInputPin, public IMixerPinConfig2
{
public:
    COverlayMixerInput(COverlayMixer* pFilter, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetRelativePosition(DWORD dwLeft, DWORD dwTop, DWORD dwRight, DWORD dwBottom) override;
    STDMETHODIMP GetRelativePosition(DWORD* pdwLeft, DWORD* pdwTop, DWORD* pdwRight, DWORD* pdwBottom) override;
    STDMETHODIMP SetZOrder(DWORD dwZOrder) override;
    STDMETHODIMP GetZOrder(DWORD* pdwZOrder) override;
    STDMETHODIMP SetColorKey(COLORKEY* pColorKey) override;
    STDMETHODIMP GetColorKey(COLORKEY* pColorKey, DWORD* pColor) override;
    STDMETHODIMP SetBlendingParameter(DWORD dwBlendingParameter) override;
    STDMETHODIMP GetBlendingParameter(DWORD* pdwBlendingParameter) override;
    STDMETHODIMP SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) override;
    STDMETHODIMP GetAspectRatioMode(AM_ASPECT_RATIO_MODE* pMode) override;
    STDMETHODIMP SetStreamTransparent(BOOL bStreamTransparent) override;
    STDMETHODIMP GetStreamTransparent(BOOL* pbStreamTransparent) override;
    STDMETHODIMP SetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) override;
    STDMETHODIMP GetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) override;

private:
    // One setting of the mixer, under its lock.
    template <class T>
    HRESULT Put(T COverlayMixer::*pField, T value);
    template <class T>
    HRESULT Take(T COverlayMixer::*pField, T* pValue);

    COverlayMixer* m_pMixer;
};

// Stand-in for the system's "Overlay Mixer": there is no overlay surface, so
// it applies the surface's colour controls (brightness 0..10000 with 750
// neutral, contrast and saturation 0..20000 with 10000 neutral, hue -180..180
// degrees, sharpness 0..10 with 5 neutral) to the pictures itself and hands
// them to the renderer as RGB32. It keeps the colour key, aspect mode and the
// other pin settings and reports them back.
class COverlayMixer : public CVideoTransform
{
    friend class COverlayMixerInput;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr) { return DsCreateObject<COverlayMixer>(pUnk, phr); }

    CBasePin* GetPin(int n) override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

    // One picture of the input format to RGB32 with the controls applied.
    static void Mix(const BYTE* pIn, const VideoFrameFormat& format, const DDCOLORCONTROL& controls, BYTE* pRgb32);

protected:
    VideoFrameFormat::Kind OutputKind(VideoFrameFormat::Kind) const override { return VideoFrameFormat::KIND_RGB32; }

private:
    friend CUnknown* CALLBACK DsCreateObject<COverlayMixer>(IUnknown* pUnkOuter, HRESULT* phr);
    COverlayMixer(IUnknown* pUnk, HRESULT* phr);

    CCritSec m_csConfig;
    DDCOLORCONTROL m_controls;
    COLORKEY m_colorKey;
    AM_ASPECT_RATIO_MODE m_aspectMode;
    RECT m_relativePosition;
    DWORD m_dwZOrder;
    DWORD m_dwBlending;
    BOOL m_bStreamTransparent;
};

#pragma once

#include <dshow.h>
#include <ddraw.h>

// The Overlay Mixer's input-pin configuration, laid out as the system
// declares it: mingw's headers carry only the interface identifiers
// (IID_IMixerPinConfig, IID_IMixerPinConfig2).
enum AM_ASPECT_RATIO_MODE
{
    AM_ARMODE_STRETCHED = 0,
    AM_ARMODE_LETTER_BOX = 1,
    AM_ARMODE_CROP = 2,
    AM_ARMODE_STRETCHED_AS_PRIMARY = 3,
};

struct IMixerPinConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD dwLeft, DWORD dwTop, DWORD dwRight,
                                                          DWORD dwBottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* pdwLeft, DWORD* pdwTop, DWORD* pdwRight,
                                                          DWORD* pdwBottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD dwZOrder) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* pdwZOrder) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(COLORKEY* pColorKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(COLORKEY* pColorKey, DWORD* pColor) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD dwBlendingParameter) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD* pdwBlendingParameter) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(AM_ASPECT_RATIO_MODE* pMode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL bStreamTransparent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL* pbStreamTransparent) = 0;
};

struct IMixerPinConfig2 : public IMixerPinConfig
{
    virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl) = 0;
};

static_assert(sizeof(DDCOLORCONTROL) == 40, "colour control record");

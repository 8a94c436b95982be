#pragma once

#include "dshow/FilterNode.h"
#include "platform/dshow/MixerPinConfig.h"

#include <memory>

// The wrapper of the "Overlay Mixer": letter box, colour key and the overlay
// surface's colour controls, all through its input pin "Input0". A mixer
// without that pin's configuration stays a valid node whose operations fail.
class COverlayMixerFilter : public CFilterNode
{
public:
    enum { CONTROL_COUNT = 5 };

    COverlayMixerFilter(CDShowGraph* pGraph, REFCLSID clsid);
    COverlayMixerFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    COverlayMixerFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~COverlayMixerFilter() override;

    BOOL Initfilter() override;

    BOOL SetLetterBox(BOOL bLetterBox);
    BOOL GetLetterBox(BOOL* pbLetterBox);
    BOOL SetColorKey(COLORREF color);
    BOOL GetColorKey(COLORREF* pColor);
    // Index 0 to 4: brightness, contrast, hue, saturation, sharpness.
    BOOL SetColorControl(int nIndex, LONG lValue);
    BOOL GetColorControl(int nIndex, LONG* plValue);
    BOOL GetColorControlRange(int nIndex, LONG* plMinimum, LONG* plMaximum, LONG* plDefault);

private:
    ComPtr<IMixerPinConfig2> m_pPinConfig;
    std::unique_ptr<DDCOLORCONTROL> m_pColorControl;
};

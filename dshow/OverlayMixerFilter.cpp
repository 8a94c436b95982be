#include "dshow/OverlayMixerFilter.h"

#include <string.h>

#include <new>

namespace
{
// {EBF47182-8764-11D1-9E69-00C04FD7C15B}
const IID kIidMixerPinConfig2 = { 0xEBF47182, 0x8764, 0x11D1, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };

struct ColorControlRow
{
    DWORD dwFlag;
    LONG DDCOLORCONTROL::*pField;
    LONG lMinimum;
    LONG lMaximum;
    LONG lDefault;
};

const ColorControlRow kControls[COverlayMixerFilter::CONTROL_COUNT] = {
    { DDCOLOR_BRIGHTNESS, &DDCOLORCONTROL::lBrightness, 0, 10000, 750 },
    { DDCOLOR_CONTRAST, &DDCOLORCONTROL::lContrast, 0, 20000, 10000 },
    { DDCOLOR_HUE, &DDCOLORCONTROL::lHue, -180, 180, 0 },
    { DDCOLOR_SATURATION, &DDCOLORCONTROL::lSaturation, 0, 20000, 10000 },
    { DDCOLOR_SHARPNESS, &DDCOLORCONTROL::lSharpness, 0, 10, 5 },
};
}

COverlayMixerFilter::COverlayMixerFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

COverlayMixerFilter::COverlayMixerFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

COverlayMixerFilter::COverlayMixerFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

COverlayMixerFilter::~COverlayMixerFilter()
{
    m_pColorControl.reset();
    m_pPinConfig.Reset();
}

BOOL COverlayMixerFilter::Initfilter()
{
    m_pPinConfig.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    CPinWrapper* pPin = FindPin("Input0");
    if (pPin == NULL || pPin->GetPin() == NULL ||
        FAILED(pPin->GetPin()->QueryInterface(kIidMixerPinConfig2, reinterpret_cast<void**>(&m_pPinConfig))))
    {
        m_pPinConfig.Reset();
        return TRUE;
    }
    if (!m_pColorControl)
    {
        m_pColorControl.reset(new (std::nothrow) DDCOLORCONTROL);
        if (m_pColorControl)
        {
            memset(m_pColorControl.get(), 0, sizeof(DDCOLORCONTROL));
            m_pColorControl->dwSize = sizeof(DDCOLORCONTROL);
        }
    }
    return TRUE;
}

BOOL COverlayMixerFilter::SetLetterBox(BOOL bLetterBox)
{
    if (!m_pPinConfig)
        return FALSE;
    return SUCCEEDED(m_pPinConfig->SetAspectRatioMode(bLetterBox ? AM_ARMODE_LETTER_BOX : AM_ARMODE_STRETCHED));
}

BOOL COverlayMixerFilter::GetLetterBox(BOOL* pbLetterBox)
{
    if (!m_pPinConfig || pbLetterBox == NULL)
        return FALSE;
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;
    if (FAILED(m_pPinConfig->GetAspectRatioMode(&mode)))
        return FALSE;
    *pbLetterBox = mode == AM_ARMODE_LETTER_BOX;
    return TRUE;
}

BOOL COverlayMixerFilter::SetColorKey(COLORREF color)
{
    if (!m_pPinConfig)
        return FALSE;
    COLORKEY key;
    memset(&key, 0, sizeof(key));
    key.KeyType = CK_RGB;
    key.PaletteIndex = 0;
    key.LowColorValue = color;
    key.HighColorValue = color;
    return SUCCEEDED(m_pPinConfig->SetColorKey(&key));
}

BOOL COverlayMixerFilter::GetColorKey(COLORREF* pColor)
{
    if (!m_pPinConfig || pColor == NULL)
        return FALSE;
    COLORKEY key;
    memset(&key, 0, sizeof(key));
    DWORD color = 0;
    if (FAILED(m_pPinConfig->GetColorKey(&key, &color)))
        return FALSE;
    *pColor = key.LowColorValue;
    return TRUE;
}

BOOL COverlayMixerFilter::SetColorControl(int nIndex, LONG lValue)
{
    if (!m_pPinConfig || !m_pColorControl || static_cast<unsigned>(nIndex) >= CONTROL_COUNT)
        return FALSE;
    // The record keeps what earlier calls wrote; only the flag says which field counts.
    m_pColorControl->dwFlags = kControls[nIndex].dwFlag;
    m_pColorControl.get()->*kControls[nIndex].pField = lValue;
    return SUCCEEDED(m_pPinConfig->SetOverlaySurfaceColorControls(m_pColorControl.get()));
}

BOOL COverlayMixerFilter::GetColorControl(int nIndex, LONG* plValue)
{
    if (!m_pPinConfig || !m_pColorControl || plValue == NULL || static_cast<unsigned>(nIndex) >= CONTROL_COUNT)
        return FALSE;
    m_pColorControl->dwFlags = kControls[nIndex].dwFlag;
    if (FAILED(m_pPinConfig->GetOverlaySurfaceColorControls(m_pColorControl.get())))
        return FALSE;
    *plValue = m_pColorControl.get()->*kControls[nIndex].pField;
    return TRUE;
}

BOOL COverlayMixerFilter::GetColorControlRange(int nIndex, LONG* plMinimum, LONG* plMaximum, LONG* plDefault)
{
    if (!m_pPinConfig || !m_pColorControl || static_cast<unsigned>(nIndex) >= CONTROL_COUNT)
        return FALSE;
    if (plMinimum != NULL)
        *plMinimum = kControls[nIndex].lMinimum;
    if (plMaximum != NULL)
        *plMaximum = kControls[nIndex].lMaximum;
    if (plDefault != NULL)
        *plDefault = kControls[nIndex].lDefault;
    return TRUE;
}

#include "platform/standins/overlaymixer/OverlayMixer.h"

#include <math.h>
#include <string.h>

#include <new>
#include <vector>

namespace
{
// {CD8743A1-3736-11D0-9E69-00C04FD7C15B}
const CLSID kClsidOverlayMixer = { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };
const LONG kNeutralBrightness = 750;
const LONG kNeutralContrast = 10000;
const LONG kNeutralSaturation = 10000;
const LONG kNeutralSharpness = 5;
const double kPi = 3.14159265358979323846;

struct ColorControl
{
    DWORD dwFlag;
    LONG DDCOLORCONTROL::*pField;
    LONG lMinimum;
    LONG lMaximum;
};

const ColorControl kColorControls[] = {
    { DDCOLOR_BRIGHTNESS, &DDCOLORCONTROL::lBrightness, 0, 10000 },
    { DDCOLOR_CONTRAST, &DDCOLORCONTROL::lContrast, 0, 20000 },
    { DDCOLOR_HUE, &DDCOLORCONTROL::lHue, -180, 180 },
    { DDCOLOR_SATURATION, &DDCOLORCONTROL::lSaturation, 0, 20000 },
    { DDCOLOR_SHARPNESS, &DDCOLORCONTROL::lSharpness, 0, 10 },
};

BOOL IsNeutral(const DDCOLORCONTROL& c)
{
    return c.lBrightness == kNeutralBrightness && c.lContrast == kNeutralContrast && c.lHue == 0 &&
           c.lSaturation == kNeutralSaturation && c.lSharpness == kNeutralSharpness;
}

// The controls as integer arithmetic on one row of YUV samples.
class CColorMath
{
public:
    explicit CColorMath(const DDCOLORCONTROL& c)
    {
        for (int y = 0; y < 256; ++y)
            m_luma[y] = (y - 16) * c.lContrast / kNeutralContrast + 16 + (c.lBrightness - kNeutralBrightness) / 40;
        double angle = c.lHue * kPi / 180.0;
        double saturation = c.lSaturation / static_cast<double>(kNeutralSaturation);
        m_uu = static_cast<int>(cos(angle) * saturation * 1024);
        m_uv = static_cast<int>(-sin(angle) * saturation * 1024);
        m_vu = static_cast<int>(sin(angle) * saturation * 1024);
        m_vv = m_uu;
        m_sharpen = c.lSharpness - kNeutralSharpness;
    }

    // Y, U, V of one row, in place.
    void Apply(int* pY, int* pU, int* pV, int width) const
    {
        for (int x = 0; x < width; ++x)
        {
            int u = pU[x] - 128;
            int v = pV[x] - 128;
            pU[x] = 128 + (u * m_uu + v * m_uv) / 1024;
            pV[x] = 128 + (u * m_vu + v * m_vv) / 1024;
            pY[x] = m_luma[pY[x] < 0 ? 0 : pY[x] > 255 ? 255 : pY[x]];
        }
        if (m_sharpen == 0 || width < 3)
            return;
        int left = pY[0];
        for (int x = 1; x + 1 < width; ++x)
        {
            int centre = pY[x];
            pY[x] = centre + (2 * centre - left - pY[x + 1]) * m_sharpen / 10;
            left = centre;
        }
    }

private:
    int m_luma[256];
    int m_uu, m_uv, m_vu, m_vv;
    int m_sharpen;
};
}

COverlayMixerInput::COverlayMixerInput(COverlayMixer* pFilter, HRESULT* phr)
    : CTransformInputPin("Overlay input", pFilter, phr, L"Input0"), m_pMixer(pFilter)
{
}

STDMETHODIMP COverlayMixerInput::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMixerPinConfig2)
        return GetInterface(static_cast<IMixerPinConfig2*>(this), ppv);
    if (riid == IID_IMixerPinConfig)
        return GetInterface(static_cast<IMixerPinConfig*>(this), ppv);
    return CTransformInputPin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP COverlayMixerInput::SetRelativePosition(DWORD dwLeft, DWORD dwTop, DWORD dwRight, DWORD dwBottom)
{
    if (dwLeft > dwRight || dwTop > dwBottom || dwRight > 10000 || dwBottom > 10000)
        return E_INVALIDARG;
    CAutoLock lock(&m_pMixer->m_csConfig);
    SetRect(&m_pMixer->m_relativePosition, dwLeft, dwTop, dwRight, dwBottom);
    return S_OK;
}

STDMETHODIMP COverlayMixerInput::GetRelativePosition(DWORD* pdwLeft, DWORD* pdwTop, DWORD* pdwRight,
                                                     DWORD* pdwBottom)
{
    if (pdwLeft == nullptr || pdwTop == nullptr || pdwRight == nullptr || pdwBottom == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_pMixer->m_csConfig);
    *pdwLeft = m_pMixer->m_relativePosition.left;
    *pdwTop = m_pMixer->m_relativePosition.top;
    *pdwRight = m_pMixer->m_relativePosition.right;
    *pdwBottom = m_pMixer->m_relativePosition.bottom;
    return S_OK;
}

template <class T>
HRESULT COverlayMixerInput::Put(T COverlayMixer::*pField, T value)
{
    CAutoLock lock(&m_pMixer->m_csConfig);
    m_pMixer->*pField = value;
    return S_OK;
}

template <class T>
HRESULT COverlayMixerInput::Take(T COverlayMixer::*pField, T* pValue)
{
    if (pValue == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_pMixer->m_csConfig);
    *pValue = m_pMixer->*pField;
    return S_OK;
}

STDMETHODIMP COverlayMixerInput::SetZOrder(DWORD dwZOrder)
{
    return Put(&COverlayMixer::m_dwZOrder, dwZOrder);
}

STDMETHODIMP COverlayMixerInput::GetZOrder(DWORD* pdwZOrder)
{
    return Take(&COverlayMixer::m_dwZOrder, pdwZOrder);
}

STDMETHODIMP COverlayMixerInput::SetColorKey(COLORKEY* pColorKey)
{
    if (pColorKey == nullptr)
        return E_POINTER;
    if (!(pColorKey->KeyType & (CK_INDEX | CK_RGB)))
        return E_INVALIDARG;
    return Put(&COverlayMixer::m_colorKey, *pColorKey);
}

STDMETHODIMP COverlayMixerInput::GetColorKey(COLORKEY* pColorKey, DWORD* pColor)
{
    CAutoLock lock(&m_pMixer->m_csConfig);
    if (pColorKey != nullptr)
        *pColorKey = m_pMixer->m_colorKey;
    if (pColor != nullptr)
        *pColor = m_pMixer->m_colorKey.LowColorValue;
    return S_OK;
}

STDMETHODIMP COverlayMixerInput::SetBlendingParameter(DWORD dwBlendingParameter)
{
    if (dwBlendingParameter > 255)
        return E_INVALIDARG;
    return Put(&COverlayMixer::m_dwBlending, dwBlendingParameter);
}

STDMETHODIMP COverlayMixerInput::GetBlendingParameter(DWORD* pdwBlendingParameter)
{
    return Take(&COverlayMixer::m_dwBlending, pdwBlendingParameter);
}

STDMETHODIMP COverlayMixerInput::SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode)
{
    if (mode < AM_ARMODE_STRETCHED || mode > AM_ARMODE_STRETCHED_AS_PRIMARY)
        return E_INVALIDARG;
    return Put(&COverlayMixer::m_aspectMode, mode);
}

STDMETHODIMP COverlayMixerInput::GetAspectRatioMode(AM_ASPECT_RATIO_MODE* pMode)
{
    return Take(&COverlayMixer::m_aspectMode, pMode);
}

STDMETHODIMP COverlayMixerInput::SetStreamTransparent(BOOL bStreamTransparent)
{
    return Put(&COverlayMixer::m_bStreamTransparent, bStreamTransparent);
}

STDMETHODIMP COverlayMixerInput::GetStreamTransparent(BOOL* pbStreamTransparent)
{
    return Take(&COverlayMixer::m_bStreamTransparent, pbStreamTransparent);
}

STDMETHODIMP COverlayMixerInput::SetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl)
{
    if (pColorControl == nullptr)
        return E_POINTER;
    if (pColorControl->dwSize != sizeof(DDCOLORCONTROL))
        return E_INVALIDARG;
    CAutoLock lock(&m_pMixer->m_csConfig);
    // Only the fields the flags name are taken, each held to its range.
    for (const ColorControl& control : kColorControls)
    {
        if (!(pColorControl->dwFlags & control.dwFlag))
            continue;
        LONG value = pColorControl->*control.pField;
        m_pMixer->m_controls.*control.pField =
            value < control.lMinimum ? control.lMinimum : value > control.lMaximum ? control.lMaximum : value;
    }
    return S_OK;
}

STDMETHODIMP COverlayMixerInput::GetOverlaySurfaceColorControls(LPDDCOLORCONTROL pColorControl)
{
    if (pColorControl == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_pMixer->m_csConfig);
    *pColorControl = m_pMixer->m_controls;
    pColorControl->dwFlags = DDCOLOR_BRIGHTNESS | DDCOLOR_CONTRAST | DDCOLOR_HUE | DDCOLOR_SATURATION |
                             DDCOLOR_SHARPNESS;
    return S_OK;
}

COverlayMixer::COverlayMixer(IUnknown* pUnk, HRESULT* phr)
    : CVideoTransform("Overlay Mixer", pUnk, kClsidOverlayMixer, phr), m_aspectMode(AM_ARMODE_LETTER_BOX),
      m_dwZOrder(0), m_dwBlending(255), m_bStreamTransparent(FALSE)
{
    memset(&m_controls, 0, sizeof(m_controls));
    m_controls.dwSize = sizeof(m_controls);
    m_controls.lBrightness = kNeutralBrightness;
    m_controls.lContrast = kNeutralContrast;
    m_controls.lHue = 0;
    m_controls.lSaturation = kNeutralSaturation;
    m_controls.lSharpness = kNeutralSharpness;
    memset(&m_colorKey, 0, sizeof(m_colorKey));
    m_colorKey.KeyType = CK_RGB;
    m_colorKey.LowColorValue = RGB(16, 0, 16);
    m_colorKey.HighColorValue = RGB(16, 0, 16);
    SetRect(&m_relativePosition, 0, 0, 10000, 10000);
}

CBasePin* COverlayMixer::GetPin(int n)
{
    if (m_pInput == nullptr)
    {
        HRESULT hr = S_OK;
        m_pInput = new (std::nothrow) COverlayMixerInput(this, &hr);
        m_pOutput = new (std::nothrow) CTransformOutputPin("Overlay output", this, &hr, L"Output");
        if (m_pInput == nullptr || m_pOutput == nullptr || FAILED(hr))
        {
            delete m_pInput;
            m_pInput = nullptr;
            delete m_pOutput;
            m_pOutput = nullptr;
            return nullptr;
        }
    }
    return CVideoTransform::GetPin(n);
}

HRESULT COverlayMixer::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    VideoFrameFormat format = InputFormat();
    BYTE* pSrc = nullptr;
    BYTE* pDst = nullptr;
    if (!Pictures(pIn, pOut, &pSrc, &pDst))
        return E_FAIL;
    LONG outSize = OutputFormat().ImageSize();
    DDCOLORCONTROL controls;
    {
        CAutoLock lock(&m_csConfig);
        controls = m_controls;
    }
    Mix(pSrc, format, controls, pDst);
    pOut->SetActualDataLength(outSize);
    return S_OK;
}

void COverlayMixer::Mix(const BYTE* pIn, const VideoFrameFormat& format, const DDCOLORCONTROL& controls,
                        BYTE* pRgb32)
{
    const int width = format.width;
    const int height = format.height;
    if (IsNeutral(controls))
    {
        if (format.kind == VideoFrameFormat::KIND_RGB32)
            memcpy(pRgb32, pIn, format.ImageSize());
        else
            Yuy2ToRgb32(pIn, width, height, pRgb32);
        return;
    }
    CColorMath math(controls);
    std::vector<int> ys(width), us(width), vs(width);
    for (int y = 0; y < height; ++y)
    {
        // Rows of the output go bottom up; a YUY2 input comes top down.
        BYTE* pOutRow = pRgb32 + static_cast<size_t>(height - 1 - y) * width * 4;
        if (format.kind == VideoFrameFormat::KIND_RGB32)
        {
            const BYTE* pRow = pIn + static_cast<size_t>(height - 1 - y) * width * 4;
            for (int x = 0; x < width; ++x)
                RgbToYuv(pRow[x * 4 + 2], pRow[x * 4 + 1], pRow[x * 4], &ys[x], &us[x], &vs[x]);
        }
        else
        {
            const BYTE* pRow = pIn + static_cast<size_t>(y) * width * 2;
            for (int x = 0; x < width; x += 2)
            {
                ys[x] = pRow[x * 2];
                ys[x + 1] = pRow[x * 2 + 2];
                us[x] = us[x + 1] = pRow[x * 2 + 1];
                vs[x] = vs[x + 1] = pRow[x * 2 + 3];
            }
        }
        math.Apply(ys.data(), us.data(), vs.data(), width);
        for (int x = 0; x < width; ++x)
        {
            YuvToRgb(ys[x], us[x], vs[x], &pOutRow[x * 4], &pOutRow[x * 4 + 1], &pOutRow[x * 4 + 2]);
            pOutRow[x * 4 + 3] = 0;
        }
    }
}

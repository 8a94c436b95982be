#include "platform/sim/blackbird/SimBlackBirdCrossbar.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

namespace
{
struct CrossbarPin
{
    const WCHAR* pszName;
    BOOL bInput;
    BOOL bVideo;
    LONG physicalType;
    LONG related;  // the pin of the other kind that goes with it
};

// Inputs in crossbar numbering first, then the two outputs.
const CrossbarPin kPins[] = {
    { L"Video Tuner In", TRUE, TRUE, PhysConn_Video_Tuner, SIM_XBAR_AUDIO_TUNER },
    { L"Video SVideo In", TRUE, TRUE, PhysConn_Video_SVideo, SIM_XBAR_AUDIO_LINE },
    { L"Video Composite In", TRUE, TRUE, PhysConn_Video_Composite, SIM_XBAR_AUDIO_LINE },
    { L"Audio Tuner In", TRUE, FALSE, PhysConn_Audio_Tuner, SIM_XBAR_VIDEO_TUNER },
    { L"Audio Line In", TRUE, FALSE, PhysConn_Audio_Line, SIM_XBAR_VIDEO_COMPOSITE },
    { L"Video Decoder Out", FALSE, TRUE, PhysConn_Video_VideoDecoder, SIM_XBAR_OUT_AUDIO },
    { L"Audio Decoder Out", FALSE, FALSE, PhysConn_Audio_AudioDecoder, SIM_XBAR_OUT_VIDEO },
};
}

CUnknown* CALLBACK CSimBlackBirdCrossbar::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CSimBlackBirdCrossbar* p = new CSimBlackBirdCrossbar(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CSimBlackBirdCrossbar::CSimBlackBirdCrossbar(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("BlackBird Crossbar", pUnk, &m_lock, CLSID_SimBlackBirdCrossbar, phr)
{
    HRESULT hr = S_OK;
    for (int i = 0; i < PIN_COUNT; ++i)
    {
        const CrossbarPin& pin = kPins[i];
        m_apPins[i] = new CSimLinkPin(this, &m_lock, &hr, pin.pszName, pin.bInput ? PINDIR_INPUT : PINDIR_OUTPUT,
                                      pin.bVideo ? MEDIATYPE_AnalogVideo : MEDIATYPE_AnalogAudio, GUID_NULL);
    }
}

CSimBlackBirdCrossbar::~CSimBlackBirdCrossbar()
{
    for (int i = 0; i < PIN_COUNT; ++i)
        delete m_apPins[i];
}

STDMETHODIMP CSimBlackBirdCrossbar::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMCrossbar)
        return GetInterface(static_cast<IAMCrossbar*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CSimBlackBirdCrossbar::GetPinCount()
{
    return PIN_COUNT;
}

CBasePin* CSimBlackBirdCrossbar::GetPin(int n)
{
    return n >= 0 && n < PIN_COUNT ? m_apPins[n] : nullptr;
}

STDMETHODIMP CSimBlackBirdCrossbar::get_PinCounts(LONG* output, LONG* input)
{
    if (output == nullptr || input == nullptr)
        return E_POINTER;
    *output = SIM_XBAR_OUTPUTS;
    *input = SIM_XBAR_INPUTS;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCrossbar::CanRoute(LONG output, LONG input)
{
    if (output < 0 || output >= SIM_XBAR_OUTPUTS || input < 0 || input >= SIM_XBAR_INPUTS)
        return E_INVALIDARG;
    return (kPins[input].bVideo == (output == SIM_XBAR_OUT_VIDEO)) ? S_OK : S_FALSE;
}

STDMETHODIMP CSimBlackBirdCrossbar::Route(LONG output, LONG input)
{
    return CSimBlackBirdCard::Instance().Route(output, input);
}

STDMETHODIMP CSimBlackBirdCrossbar::get_IsRoutedTo(LONG output, LONG* input)
{
    if (input == nullptr)
        return E_POINTER;
    if (output < 0 || output >= SIM_XBAR_OUTPUTS)
        return E_INVALIDARG;
    *input = CSimBlackBirdCard::Instance().GetRoute(output);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdCrossbar::get_CrossbarPinInfo(WINBOOL is_input, LONG index, LONG* related, LONG* type)
{
    if (related == nullptr || type == nullptr)
        return E_POINTER;
    LONG pin = is_input ? index : SIM_XBAR_INPUTS + index;
    if (index < 0 || (is_input && index >= SIM_XBAR_INPUTS) || (!is_input && index >= SIM_XBAR_OUTPUTS))
        return E_INVALIDARG;
    *related = kPins[pin].related;
    *type = kPins[pin].physicalType;
    return S_OK;
}

#include "platform/sim/blackbird/SimBlackBirdTVAudio.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

namespace
{
const LONG kSupportedModes = AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO | AMTVAUDIO_MODE_LANG_A |
                             AMTVAUDIO_MODE_LANG_B | AMTVAUDIO_MODE_LANG_C;
}

CUnknown* CALLBACK CSimBlackBirdTVAudio::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CSimBlackBirdTVAudio* p = new CSimBlackBirdTVAudio(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CSimBlackBirdTVAudio::CSimBlackBirdTVAudio(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("BlackBird TV Audio", pUnk, &m_lock, CLSID_SimBlackBirdTVAudio, phr)
{
    HRESULT hr = S_OK;
    m_pIn = new CSimLinkPin(this, &m_lock, &hr, L"TVAudio In", PINDIR_INPUT, MEDIATYPE_AnalogAudio, GUID_NULL);
    m_pOut = new CSimLinkPin(this, &m_lock, &hr, L"TVAudio Out", PINDIR_OUTPUT, MEDIATYPE_AnalogAudio, GUID_NULL);
}

CSimBlackBirdTVAudio::~CSimBlackBirdTVAudio()
{
    delete m_pIn;
    delete m_pOut;
}

STDMETHODIMP CSimBlackBirdTVAudio::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMTVAudio)
        return GetInterface(static_cast<IAMTVAudio*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CSimBlackBirdTVAudio::GetPinCount()
{
    return 2;
}

CBasePin* CSimBlackBirdTVAudio::GetPin(int n)
{
    return n == 0 ? static_cast<CBasePin*>(m_pIn) : n == 1 ? static_cast<CBasePin*>(m_pOut) : nullptr;
}

STDMETHODIMP CSimBlackBirdTVAudio::GetHardwareSupportedTVAudioModes(LONG* plModes)
{
    if (plModes == nullptr)
        return E_POINTER;
    *plModes = kSupportedModes;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTVAudio::GetAvailableTVAudioModes(LONG* plModes)
{
    if (plModes == nullptr)
        return E_POINTER;
    // What the current station broadcasts.
    *plModes = AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTVAudio::get_TVAudioMode(LONG* plMode)
{
    if (plMode == nullptr)
        return E_POINTER;
    *plMode = CSimBlackBirdCard::Instance().GetTVAudioMode();
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTVAudio::put_TVAudioMode(LONG lMode)
{
    if (lMode == 0 || (lMode & ~kSupportedModes) != 0)
        return E_INVALIDARG;
    CSimBlackBirdCard::Instance().SetTVAudioMode(lMode);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTVAudio::RegisterNotificationCallBack(IAMTunerNotification*, LONG)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimBlackBirdTVAudio::UnRegisterNotificationCallBack(IAMTunerNotification*)
{
    return E_NOTIMPL;
}

#include "platform/sim/blackbird/SimBlackBirdTuner.h"

#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/blackbird/SimCardControl.h"
#include "platform/sim/cardfilter/SimLinkPin.h"


CUnknown* CALLBACK CSimBlackBirdTuner::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CSimBlackBirdTuner* p = new CSimBlackBirdTuner(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CSimBlackBirdTuner::CSimBlackBirdTuner(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("BlackBird Tuner", pUnk, &m_lock, CLSID_SimBlackBirdTuner, phr),
      m_pVideo(nullptr), m_pAudio(nullptr), m_lCountry(86), m_inputType(TunerInputCable)
{
    HRESULT hr = S_OK;
    m_pVideo = new CSimLinkPin(this, &m_lock, &hr, L"Analog Video", PINDIR_OUTPUT, MEDIATYPE_AnalogVideo,
                               GUID_NULL);
    m_pAudio = new CSimLinkPin(this, &m_lock, &hr, L"Analog Audio", PINDIR_OUTPUT, MEDIATYPE_AnalogAudio,
                               GUID_NULL);
    SimAddCardControl(this);
}

CSimBlackBirdTuner::~CSimBlackBirdTuner()
{
    delete m_pVideo;
    delete m_pAudio;
}

STDMETHODIMP CSimBlackBirdTuner::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMTVTuner)
        return GetInterface(static_cast<IAMTVTuner*>(this), ppv);
    if (riid == IID_IAMTuner)
        return GetInterface(static_cast<IAMTuner*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CSimBlackBirdTuner::GetPinCount()
{
    return 2;
}

CBasePin* CSimBlackBirdTuner::GetPin(int n)
{
    return n == 0 ? static_cast<CBasePin*>(m_pVideo) : n == 1 ? static_cast<CBasePin*>(m_pAudio) : nullptr;
}

STDMETHODIMP CSimBlackBirdTuner::put_Channel(LONG channel, LONG video, LONG audio)
{
    CSimBlackBirdCard::Instance().SetTunerChannel(channel, video, audio);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_Channel(LONG* channel, LONG* video, LONG* audio)
{
    if (channel == nullptr || video == nullptr || audio == nullptr)
        return E_POINTER;
    CSimBlackBirdCard::Instance().GetTunerChannel(channel, video, audio);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::ChannelMinMax(LONG* min, LONG* max)
{
    if (min == nullptr || max == nullptr)
        return E_POINTER;
    *min = 1;
    *max = 125;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::put_CountryCode(LONG country)
{
    m_lCountry = country;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_CountryCode(LONG* country)
{
    if (country == nullptr)
        return E_POINTER;
    *country = m_lCountry;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::put_TuningSpace(LONG)
{
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_TuningSpace(LONG* tuning_space)
{
    if (tuning_space == nullptr)
        return E_POINTER;
    *tuning_space = 0;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::Logon(HANDLE)
{
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::Logout()
{
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::SignalPresent(LONG* signal_strength)
{
    if (signal_strength == nullptr)
        return E_POINTER;
    *signal_strength = CSimBlackBirdCard::Instance().IsOnStation() ? AMTUNER_SIGNALPRESENT : AMTUNER_NOSIGNAL;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::put_Mode(AMTunerModeType mode)
{
    if (mode != AMTUNER_MODE_TV && mode != AMTUNER_MODE_FM_RADIO)
        return E_INVALIDARG;
    CSimBlackBirdCard::Instance().SetTunerMode(mode);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_Mode(AMTunerModeType* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    *mode = static_cast<AMTunerModeType>(CSimBlackBirdCard::Instance().GetTunerMode());
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::GetAvailableModes(LONG* modes)
{
    if (modes == nullptr)
        return E_POINTER;
    *modes = AMTUNER_MODE_TV | AMTUNER_MODE_FM_RADIO;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::RegisterNotificationCallBack(IAMTunerNotification*, LONG)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimBlackBirdTuner::UnRegisterNotificationCallBack(IAMTunerNotification*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimBlackBirdTuner::get_AvailableTVFormats(LONG* standard)
{
    if (standard == nullptr)
        return E_POINTER;
    *standard = AnalogVideo_NTSC_M | AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_PAL_I |
                AnalogVideo_SECAM_D | AnalogVideo_SECAM_K;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_TVFormat(LONG* standard)
{
    if (standard == nullptr)
        return E_POINTER;
    *standard = CSimBlackBirdCard::Instance().GetVideoStandard();
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::AutoTune(LONG, LONG* signal)
{
    if (signal == nullptr)
        return E_POINTER;
    return SignalPresent(signal);
}

STDMETHODIMP CSimBlackBirdTuner::StoreAutoTune()
{
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_NumInputConnections(LONG* number)
{
    if (number == nullptr)
        return E_POINTER;
    *number = 1;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::put_InputType(LONG index, TunerInputType type)
{
    if (index != 0)
        return E_INVALIDARG;
    m_inputType = type;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_InputType(LONG index, TunerInputType* type)
{
    if (type == nullptr)
        return E_POINTER;
    if (index != 0)
        return E_INVALIDARG;
    *type = m_inputType;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::put_ConnectInput(LONG index)
{
    return index == 0 ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CSimBlackBirdTuner::get_ConnectInput(LONG* index)
{
    if (index == nullptr)
        return E_POINTER;
    *index = 0;
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_VideoFrequency(LONG* freq)
{
    if (freq == nullptr)
        return E_POINTER;
    *freq = static_cast<LONG>(CSimBlackBirdCard::Instance().GetTunedFrequency() * 1000.0);
    return S_OK;
}

STDMETHODIMP CSimBlackBirdTuner::get_AudioFrequency(LONG* freq)
{
    if (freq == nullptr)
        return E_POINTER;
    LONG video = 0;
    get_VideoFrequency(&video);
    *freq = video + 6500000;
    return S_OK;
}

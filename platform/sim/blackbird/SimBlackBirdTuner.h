#pragma once

#include "platform/dshow/Streams.h"

class CSimLinkPin;

// "BlackBird Tuner": the card's tuner as its driver shows it. IAMTVTuner for
// the engine's mode and channel calls, and the driver's card-control set,
// through which the system reaches the card's chip bus (EEPROM, PLL, GPIO).
class CSimBlackBirdTuner : public CBaseFilter, public IAMTVTuner
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    // IAMTuner
    STDMETHODIMP put_Channel(LONG channel, LONG video, LONG audio) override;
    STDMETHODIMP get_Channel(LONG* channel, LONG* video, LONG* audio) override;
    STDMETHODIMP ChannelMinMax(LONG* min, LONG* max) override;
    STDMETHODIMP put_CountryCode(LONG country) override;
    STDMETHODIMP get_CountryCode(LONG* country) override;
    STDMETHODIMP put_TuningSpace(LONG tuning_space) override;
    STDMETHODIMP get_TuningSpace(LONG* tuning_space) override;
    STDMETHODIMP Logon(HANDLE user) override;
    STDMETHODIMP Logout() override;
    STDMETHODIMP SignalPresent(LONG* signal_strength) override;
    STDMETHODIMP put_Mode(AMTunerModeType mode) override;
    STDMETHODIMP get_Mode(AMTunerModeType* mode) override;
    STDMETHODIMP GetAvailableModes(LONG* modes) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* notify, LONG events) override;
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* notify) override;
    // IAMTVTuner
    STDMETHODIMP get_AvailableTVFormats(LONG* standard) override;
    STDMETHODIMP get_TVFormat(LONG* standard) override;
    STDMETHODIMP AutoTune(LONG channel, LONG* signal) override;
    STDMETHODIMP StoreAutoTune() override;
    STDMETHODIMP get_NumInputConnections(LONG* number) override;
    STDMETHODIMP put_InputType(LONG index, TunerInputType type) override;
    STDMETHODIMP get_InputType(LONG index, TunerInputType* type) override;
    STDMETHODIMP put_ConnectInput(LONG index) override;
    STDMETHODIMP get_ConnectInput(LONG* index) override;
    STDMETHODIMP get_VideoFrequency(LONG* freq) override;
    STDMETHODIMP get_AudioFrequency(LONG* freq) override;

private:
    CSimBlackBirdTuner(IUnknown* pUnk, HRESULT* phr);
    ~CSimBlackBirdTuner() override;

    CCritSec m_lock;
    CSimLinkPin* m_pVideo;
    CSimLinkPin* m_pAudio;
    LONG m_lCountry;
    TunerInputType m_inputType;
};

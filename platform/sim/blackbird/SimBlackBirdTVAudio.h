#pragma once

#include "platform/dshow/Streams.h"

class CSimLinkPin;

// "BlackBird TV Audio": the sound demodulator between the tuner's audio and
// the crossbar's tuner audio input.
class CSimBlackBirdTVAudio : public CBaseFilter, public IAMTVAudio
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    STDMETHODIMP GetHardwareSupportedTVAudioModes(LONG* plModes) override;
    STDMETHODIMP GetAvailableTVAudioModes(LONG* plModes) override;
    STDMETHODIMP get_TVAudioMode(LONG* plMode) override;
    STDMETHODIMP put_TVAudioMode(LONG lMode) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification* pNotify, LONG lEvents) override;
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification* pNotify) override;

private:
    CSimBlackBirdTVAudio(IUnknown* pUnk, HRESULT* phr);
    ~CSimBlackBirdTVAudio() override;

    CCritSec m_lock;
    CSimLinkPin* m_pIn;
    CSimLinkPin* m_pOut;
};

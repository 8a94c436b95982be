#pragma once

#include "platform/dshow/Streams.h"

class CSimLinkPin;

// "BlackBird Crossbar": tuner, S-Video and composite video in, tuner and line
// audio in; one video and one audio output to the decoder.
class CSimBlackBirdCrossbar : public CBaseFilter, public IAMCrossbar
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    STDMETHODIMP get_PinCounts(LONG* output, LONG* input) override;
    STDMETHODIMP CanRoute(LONG output, LONG input) override;
    STDMETHODIMP Route(LONG output, LONG input) override;
    STDMETHODIMP get_IsRoutedTo(LONG output, LONG* input) override;
    STDMETHODIMP get_CrossbarPinInfo(WINBOOL is_input, LONG index, LONG* related, LONG* type) override;

private:
    CSimBlackBirdCrossbar(IUnknown* pUnk, HRESULT* phr);
    ~CSimBlackBirdCrossbar() override;

    enum { PIN_COUNT = 7 };
    CCritSec m_lock;
    CSimLinkPin* m_apPins[PIN_COUNT];
};

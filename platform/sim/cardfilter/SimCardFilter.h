#pragma once

#include "platform/dshow/BaseFilter.h"
#include "platform/sim/chipbus/SimTVCard.h"

#include <vector>

#include <ks.h>
#ifndef __STREAMS__
#define __STREAMS__
#endif
#include <ksproxy.h>

// A pin-less driver filter of a simulated card. It answers the vendor property
// set with the properties its driver offers, and, for a card driven through
// kernel-streaming requests, hands out a device handle through IKsObject whose
// requests the card serves. Every filter also hands out the card's control for
// tests.
class CSimCardFilter : public CBaseFilter, public IKsObject
{
public:
    CSimCardFilter(const char* pName, IUnknown* pUnk, REFCLSID clsid, CSimTVCard* pCard,
                   const std::vector<DWORD>& vendorProperties, BOOL bKernelStreaming, HRESULT* phr);
    ~CSimCardFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP_(HANDLE) KsGetObjectHandle() override;

    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

private:
    static HRESULT Route(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                         ULONG* pReturned);

    CCritSec m_lock;
    CSimTVCard* m_pCard;
    BOOL m_bKernelStreaming;
    HANDLE m_hDevice;
};

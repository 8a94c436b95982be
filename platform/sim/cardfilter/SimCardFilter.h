#pragma once

#include "platform/dshow/BaseFilter.h"
#include "platform/sim/cardfilter/SimCardTable.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

#include <memory>
#include <vector>

#include <ks.h>
#ifndef __STREAMS__
#define __STREAMS__
#endif
#include <ksproxy.h>

class CSimUsbBridge;
class CSimGo7007Bus;
class CSimGo7007Encoder;
class CSimDvbcControl;
class CSimDvDevice;

// A driver filter of a simulated card, made from its table row: it answers
// its driver's property sets or private interface over the card's chip bus,
// carries the row's pins and, for a card driven through kernel-streaming
// requests, hands out a device handle through IKsObject whose requests the
// card serves. Every filter also hands out the card's control for tests.
class CSimCardFilter : public CBaseFilter, public IKsObject
{
public:
    CSimCardFilter(const SimFilterRow& row, const SimCardRow& card, CSimTVCard* pCard, IUnknown* pUnk, HRESULT* phr);
    ~CSimCardFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP_(HANDLE) KsGetObjectHandle() override;

    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    CBasePin* GetPin(int n) override;

private:
    static HRESULT Route(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                         ULONG* pReturned);
    void AddVendorSet(const DWORD* pProperties, int count);

    CCritSec m_lock;
    CSimTVCard* m_pCard;
    SimBusKind m_bus;
    HANDLE m_hDevice;
    std::vector<std::unique_ptr<CSimLinkPin>> m_pins;
    std::unique_ptr<CSimUsbBridge> m_pBridge;
    std::unique_ptr<CSimGo7007Bus> m_pGo7007;
    std::unique_ptr<CSimGo7007Encoder> m_pGo7007Encoder;
    std::unique_ptr<CSimDvbcControl> m_pDvbc;
    std::unique_ptr<CSimDvDevice> m_pDv;
};

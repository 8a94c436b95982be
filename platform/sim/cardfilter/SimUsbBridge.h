#pragma once

#include "platform/sim/cardfilter/SimCardTable.h"

#include <unknwn.h>

// The USB 2800 family bridge driver's private interface
// {BE0AB5D2-3B9A-4E42-A05E-4A178B566C7C} on its capture filter: get and set a
// value by id (a register or I2C transfer header, then the address of its
// bytes; a selector and its value; presence). Bridge registers are the card's
// chip-bus registers 0-255; register 8 drives GPIO lines 0-7, register 9
// reads them; registers 0x40-0x43 reach the indirect registers. Reads
// without a sub-address come back one byte per 32-bit word.
class CSimUsbBridge : public IUnknown
{
public:
    // The identity and reference count are the owner's.
    CSimUsbBridge(IUnknown* pOwner, CSimTVCard* pCard);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    virtual HRESULT STDMETHODCALLTYPE Reserved3();
    virtual HRESULT STDMETHODCALLTYPE SetValue(DWORD id, DWORD value);
    virtual HRESULT STDMETHODCALLTYPE GetValue(DWORD id, DWORD* pValue);

private:
    BYTE ReadBridgeRegister(BYTE reg);
    void WriteBridgeRegister(BYTE reg, BYTE value);

    IUnknown* m_pOwner;
    CSimTVCard* m_pCard;
    DWORD m_registerHeader;
    DWORD m_i2cHeader;
    DWORD m_selector;
    WORD m_indirect[128];
};

extern const IID SIMIID_Usb2800Bridge;

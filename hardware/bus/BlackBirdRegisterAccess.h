#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>

// The BlackBird card driver's private property set, spoken through the
// IKsPropertySet of the card's tuner (or capture) filter.
extern const GUID PROPSETID_BlackBirdCardControl;

// Transport of the BlackBird cards. The requests have the layout of the
// vendor card-control set; only the set differs. Every transfer runs under
// the object's critical section, and GPIO writes keep it through their
// settle time so no other transfer reaches the lines before they are stable.
class CBlackBirdRegisterAccess : public CRegisterAccess
{
public:
    enum { GPIO_SETTLE_MS = 100, GPIO_READ_MASK = 0x0FFFFFFF };

    CBlackBirdRegisterAccess();
    ~CBlackBirdRegisterAccess() override;

    // Keeps the filter's IKsPropertySet and answers whether the driver
    // supports the set; the interface stays held even when it does not.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;

    IKsPropertySet* GetPropertySet() const { return m_pPropertySet.Get(); }

private:
    HRESULT SendCommand(DWORD id, BYTE value);

    ComPtr<IKsPropertySet> m_pPropertySet;
};

#pragma once

#include "dshow/NamedMutex.h"
#include "hardware/bus/RegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>

// Transport of the Conexant 2388x cards: the vendor property set on the card's
// tuner filter. Every bus operation runs under the system-wide "GPIO_LOCK",
// so another program driving the same card's GPIO and I2C never interleaves.
class C2388xRegisterAccess : public CRegisterAccess
{
public:
    enum { GPIO_SETTLE_MS = 100, GPIO_READ_MASK = 0x0FFFFFFF };

    C2388xRegisterAccess();
    ~C2388xRegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

protected:
    HRESULT SendCommand(DWORD id, BYTE value);

    ComPtr<IKsPropertySet> m_pPropertySet;
    // Subclasses that read-modify-write the GPIO value hold it across both steps.
    CNamedMutex m_gpioLock;
};

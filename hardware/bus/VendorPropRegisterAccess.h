#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>

// Transport over the vendor property set on a capture filter that offers no
// card-specific one. GPIO lies behind the bridge's mask register 0x1B0 (bit 31
// latches a change) and value register 0x1B4.
class CVendorPropRegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        REG_GPIO_MASK = 0x1B0,
        REG_GPIO_VALUE = 0x1B4,
        GPIO_LATCH = 0x80000000,
        GPIO_IDLE_MASK = 0x80003000,
        GPIO_RESET_LINE = 0x40000,
        GPIO_SETTLE_MS = 120,
    };

    CVendorPropRegisterAccess();
    ~CVendorPropRegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;

protected:
    // The four register writes of a masked GPIO change, with a pause before
    // the last one; the caller holds the lock.
    HRESULT WriteGpioSequence(DWORD value, DWORD mask, DWORD pauseMs);
    HRESULT SendCommand(DWORD id, BYTE value);
    HRESULT SendValue(DWORD id, DWORD value);

    ComPtr<IKsPropertySet> m_pPropertySet;
};

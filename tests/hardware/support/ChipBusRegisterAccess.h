#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "platform/sim/chipbus/SimChipBus.h"

// The simulated chip bus as a card's bus access, in process: what a driver
// would do with each transfer, without a filter in between.
class CChipBusRegisterAccess : public CRegisterAccess
{
public:
    explicit CChipBusRegisterAccess(CSimChipBus* pBus) : m_pBus(pBus) {}

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

private:
    CSimChipBus* m_pBus;
};

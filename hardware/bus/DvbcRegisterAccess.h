#pragma once

#include "hardware/bus/RegisterAccess.h"

// Transport of the "DVBC TS Capture" card, whose own chip library does the
// bus work: it only keeps its owning device and refuses the bus operations.
class CDvbcRegisterAccess : public CRegisterAccess
{
public:
    CDvbcRegisterAccess();
    ~CDvbcRegisterAccess() override;

    // Keeps the first owner it is given.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR owner) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT Reserved16(DWORD a, DWORD b) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;

    ULONG_PTR GetOwner() const { return m_owner; }

private:
    ULONG_PTR m_owner;
};

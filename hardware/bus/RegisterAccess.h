#pragma once

#include <windows.h>
#include <unknwn.h>

// A capture card's bus: its registers, I2C bus and GPIO lines, reached through
// whatever the card's driver offers. Every transport implements these 25 slots
// in this order; results are 0 for success, else an HRESULT-style failure, and
// callers treat a negative result as failure.
//
// I2C addresses are 8-bit address bytes (write address even, read address odd);
// each transport sets or clears the read bit as its driver needs.
class CRegisterAccess
{
public:
    // Transfers carry at most this many bytes, address byte included.
    enum { MAX_I2C_TRANSFER = 256 };

    CRegisterAccess();
    virtual ~CRegisterAccess();

    // The second argument belongs to the transport: the owning capture device,
    // a device name or an ordinal.
    virtual HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) = 0;
    virtual HRESULT Command1(BYTE value) = 0;
    virtual HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) = 0;
    virtual HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) = 0;
    // buffer[0] is the bus address; on success the buffer holds what was read.
    virtual HRESULT I2CRead(BYTE* pBuffer, LONG length) = 0;
    // buffer[0] is the bus address, the rest the bytes to write.
    virtual HRESULT I2CWrite(BYTE* pBuffer, LONG length) = 0;
    virtual HRESULT Command3(BYTE value) = 0;
    virtual HRESULT ReadGpio(DWORD* pValue) = 0;
    virtual HRESULT WriteGpio(DWORD value, DWORD mask) = 0;
    virtual HRESULT WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs);
    virtual HRESULT Command7(DWORD value);
    virtual HRESULT Command8(DWORD value);
    virtual HRESULT Command9();
    virtual HRESULT Command10(DWORD value);
    virtual HRESULT SetGpioLine(LONG on);
    virtual HRESULT Reserved16(DWORD a, DWORD b);
    virtual HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue);
    virtual HRESULT Reserved18(DWORD value);
    virtual HRESULT ReadRegister(DWORD reg, DWORD* pValue);
    virtual HRESULT WriteRegister(DWORD reg, DWORD value);
    // Card-specific operations: a value, or where a card answers, the
    // address of its result.
    virtual HRESULT Reserved21(ULONG_PTR value);
    virtual HRESULT Reserved22(ULONG_PTR value);
    virtual HRESULT Reserved23(ULONG_PTR value);
    virtual HRESULT Reserved24(ULONG_PTR value);

protected:
    CRITICAL_SECTION m_cs;

private:
    CRegisterAccess(const CRegisterAccess&) = delete;
    CRegisterAccess& operator=(const CRegisterAccess&) = delete;
};

#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "hardware/bus/Usb2800Bridge.h"

#include <string>

// Transport of the USB 2800 family boxes, over the bridge found by the
// device's name. Its failures are negative: the bridge's own codes (a closed
// bridge, a poll that ran out) come back as E_FAIL, the driver's HRESULTs as
// they are.
class CUsb2800RegisterAccess : public CRegisterAccess
{
public:
    CUsb2800RegisterAccess();
    ~CUsb2800RegisterAccess() override;

    // The filter is not used; context is the device name (an ANSI string).
    // An empty name binds nothing; a name that finds no device still binds,
    // and the first bus operation reports it.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    // Nonzero opens the bridge by the stored name, zero closes it.
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    // The GPIO byte, in the low byte of the result.
    HRESULT ReadGpio(DWORD* pValue) override;
    // The lines under the mask's low byte; a zero mask writes the whole byte.
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    // Every address up to highest (at most 254) whose one-byte read answers
    // with a bit of mask set; the list has room for 255.
    int ProbeI2CAddresses(BYTE* pList, int highest, BYTE mask);

    CUsb2800Bridge& Bridge() { return m_bridge; }

private:
    void OpenBridge();
    static HRESULT Result(HRESULT hr);

    // Open while the bridge holds its interface.
    CUsb2800Bridge m_bridge;
    std::string m_name;
};

#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "hardware/bus/UsbVendorRequest.h"
#include "platform/dshow/ComPtr.h"

// What the two Trident bridge transports share: the filter's IKsPropertySet,
// one USB control transfer at a time under the object's critical section, GPIO
// lines and bridge registers.
class CTridentRegisterAccessBase : public CRegisterAccess, protected CUsbRequestSender
{
public:
    CTridentRegisterAccessBase();
    ~CTridentRegisterAccessBase() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    // value is the level, mask the line (0 to 7).
    HRESULT WriteGpio(DWORD level, DWORD line) override;
    // A bridge register write (register, value).
    HRESULT Reserved16(DWORD reg, DWORD value) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;

protected:
    IKsPropertySet* RequestInterface() const override { return m_pPropertySet.Get(); }
    // Refuses (1) without an interface or with more than 18 request bytes.
    HRESULT SendRequest(UsbVendorRequest* pRequest) override;

    ComPtr<IKsPropertySet> m_pPropertySet;
};

// Transport of the "TridVid Capture" box.
class CTridVidRegisterAccess : public CTridentRegisterAccessBase
{
public:
    enum
    {
        WRITE_PAUSE_MS = 5,
        MIN_WRITE = 3,
        MAX_WRITE = 12
    };

    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    // One byte without sub-address: length must be 1.
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    // buffer[0] the device, buffer[1] the sub-address, then 1 to 10 bytes.
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    // Line 0, driven low while on.
    HRESULT SetGpioLine(LONG on) override;

    HRESULT ReadI2CByte(BYTE device, LONG subAddress, BYTE* pValue);
};

// Transport of the "Trident USB Capture" and "Trident Pemrok Capture" boxes.
class CTridentUsbRegisterAccess : public CTridentRegisterAccessBase
{
public:
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    // The value travels in the request's index, without OUT data.
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    // buffer[0] the device, buffer[1] the sub-address, length - 2 bytes read.
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    // Line 1, high while on.
    HRESULT SetGpioLine(LONG on) override;
    // Line 0, high while on.
    HRESULT Reserved18(DWORD on) override;

    using CTridentRegisterAccessBase::ReadRegister;
    using CTridentRegisterAccessBase::WriteRegister;
    // One EEPROM byte (the EEPROM's address as device, the offset as
    // sub-address); the address goes out as given.
    HRESULT ReadRegister(BYTE device, BYTE subAddress, BYTE* pValue);
    HRESULT WriteRegister(BYTE device, BYTE subAddress, BYTE value);
};

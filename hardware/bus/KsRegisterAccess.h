#pragma once

#include "hardware/bus/RegisterAccess.h"

// Transport that talks straight to the capture driver's kernel-streaming object
// with property requests of the set {C44A1A10-0A37-11D2-8328-006097BA83AB}:
// I2C is built from single-byte bus commands, GPIO goes through a block
// transfer of the driver.
class CKsRegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        IOCTL_KS_PROPERTY_CODE = 0x2F0003,
        SHORT_REQUEST_ID = 4,
        SHORT_REQUEST_SIZE = 120,
        LONG_REQUEST_ID = 2,
        LONG_REQUEST_SIZE = 328,
        READ_MS_PER_BYTE = 200,
    };
    // Commands of the short request.
    enum
    {
        CMD_I2C_START = 0x1100000B,
        CMD_I2C_STOP = 0x1100000C,
        CMD_I2C_READ = 0x1100000D,
        CMD_I2C_WRITE = 0x1100000E,
        CMD_I2C_READ_DONE = 0x11000010,
        CMD_ENABLE = 0x11000018,
    };
    // Commands of the long request.
    enum
    {
        CMD_SELECT_SETTING = 2,
        CMD_GPIO_WRITE = 10,
        CMD_QUERY_SETTING = 0x10000002,
        CMD_GPIO_READ = 0x1000000A,
        CMD_COMMAND3 = 0x1000000C,
    };

    CKsRegisterAccess();
    ~CKsRegisterAccess() override;

    // The owner is the capture device; the driver handle belongs to the filter.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR owner) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    HANDLE GetDeviceHandle() const { return m_hDevice; }

private:
    // One SET-then-GET pair on the caller's buffer, whose payload is filled.
    HRESULT SendRequest(BYTE* pRequest, ULONG length, ULONG id, ULONG command);
    HRESULT SendShort(ULONG command, BYTE* pRequest);
    HRESULT SendLong(ULONG command, BYTE* pRequest);
    HRESULT BusStart();
    HRESULT BusStop();
    HRESULT BusWrite(BYTE value);
    HRESULT BusRead(BYTE* pValue);
    // Start, the chip's write address, then its register number.
    HRESULT BusSelectRegister(BYTE device, LONG subAddress);
    HRESULT QuerySetting(DWORD* pSetting);
    HRESULT SelectSetting(DWORD setting);

    HANDLE m_hDevice;
    // Kept for the layout of the class; the whole-transaction lock is the base's.
    CRITICAL_SECTION m_csSecond;
};

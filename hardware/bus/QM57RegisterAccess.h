#pragma once

#include "hardware/bus/RegisterAccess.h"

// The QM57 driver's device interface class {4F397D29-7F2F-42A9-AB90-1791384014C4}.
extern const GUID GUID_QM57DeviceInterface;

// Transport of the QM57 device, whose driver is reached through a device
// interface of its own rather than the capture filter. One device carries two
// tuner channels: bit 0 of the device index picks the channel (its tuner
// address and GPIO port), the rest the device among the interfaces present.
// Failures are the Windows error of the request as an HRESULT.
class CQM57RegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        IOCTL_READ = 0x226000,
        IOCTL_WRITE = 0x22A004,
        IOCTL_GPIO = 0x226458,
        READ_REQUEST = 253,
        WRITE_REQUEST = 252,
        MAX_BLOCK = 250,
        MAX_INDEX = 255,
    };

    CQM57RegisterAccess();
    ~CQM57RegisterAccess() override;

    // The filter is not used; an index above 255 keeps the one held. The
    // device is opened again by the index: 0 when a handle was obtained.
    HRESULT Attach(IUnknown* pFilter, ULONG_PTR index) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    // Reads the channel's tuner, whatever buffer[0] names.
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    // Writes the whole buffer, its address byte included, to the channel's tuner.
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    // The low byte of value on the channel's port; the mask is not used.
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // 1 when the line was written, else 0.
    HRESULT SetGpioLine(LONG on) override;

    HRESULT ReadByte16(BYTE device, WORD subAddress, BYTE* pValue);
    HRESULT WriteByte16(BYTE device, WORD subAddress, BYTE value);

    DWORD GetDeviceIndex() const { return m_index; }
    BOOL IsOpen() const { return m_hDevice != INVALID_HANDLE_VALUE; }
    BYTE TunerWriteAddress() const { return (m_index & 1) ? 0xC8 : 0xC2; }
    BYTE GpioPort() const { return static_cast<BYTE>(3 + (m_index & 1)); }

private:
    void Open();
    void Close();
    HRESULT Request(DWORD code, void* pIn, DWORD cbIn, void* pOut, DWORD cbOut);
    HRESULT ReadValue(const BYTE* pHeader, int cbHeader, BYTE* pValue);
    HRESULT WriteBytes(const BYTE* pHeader, int cbHeader);

    HANDLE m_hDevice;
    DWORD m_index;
};

#pragma once

#include "hardware/bus/RegisterAccess.h"
#include "hardware/bus/UsbVendorRequest.h"

// The USB control transfers of the Seldrin boxes, with the filter's
// IKsPropertySet and a lock of its own around each transfer.
class CUsbRequestHelper : public CUsbRequestSender
{
public:
    CUsbRequestHelper();
    ~CUsbRequestHelper() override;

    HRESULT Bind(IUnknown* pFilter);

    IKsPropertySet* RequestInterface() const override { return m_pPropertySet; }
    // Refuses (E_INVALIDARG) without an interface or with more than 18 bytes.
    HRESULT SendRequest(UsbVendorRequest* pRequest) override;

    // Request 0x10 IN of one byte at the sub-address, the read bit cleared.
    HRESULT ReadSubByte(BYTE device, BYTE subAddress, BYTE* pValue);
    // Request 14: one byte at a sub-address the way the box reaches its EEPROM.
    HRESULT ReadEepromByte(BYTE device, BYTE subAddress, BYTE* pValue);
    HRESULT WriteEepromByte(BYTE device, BYTE subAddress, BYTE value);
    // Request 9: one byte without sub-address, the address as given.
    HRESULT ReceiveByte(BYTE device, BYTE* pValue);
    // The level (0 or 1) of GPIO line 1 to 7.
    HRESULT ReadGpioLine(BYTE line, BYTE* pLevel);
    // A request whose setup fields all come from the caller.
    HRESULT SendSetup(BYTE type, BYTE request, WORD value, WORD index, WORD length, const BYTE* pData, int cbData,
                      BYTE* pIn, LONG* pcbIn);

private:
    IKsPropertySet* m_pPropertySet;
    CRITICAL_SECTION m_cs;

    CUsbRequestHelper(const CUsbRequestHelper&) = delete;
    CUsbRequestHelper& operator=(const CUsbRequestHelper&) = delete;
};

// Transport of the "Seldrin Capture" and "Tavesh Capture" boxes. Once bound
// it learns how the box reaches the EEPROM at 0xA0: some boxes' request 14
// drops the sub-address, and those take every byte access through 0x10.
class CSeldrinRegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        EEPROM_ADDRESS = 0xA0,
        PROBE_VALUE = 0x99,
        PROBE_PAUSE_MS = 100
    };

    CSeldrinRegisterAccess();
    ~CSeldrinRegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    // Lines 1 to 7 in bits 1 to 7.
    HRESULT ReadGpio(DWORD* pValue) override;
    // value is the level, mask the line (0 to 7).
    HRESULT WriteGpio(DWORD level, DWORD line) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT Reserved16(DWORD reg, DWORD value) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;

    // 1 when every byte access goes through request 0x10.
    BYTE GetEepromAccessFlag() const { return m_byEepromFlag; }

private:
    BOOL UsesEepromRequest(BYTE device) const;
    BYTE ProbeEepromAccess();

    CUsbRequestHelper m_helper;
    BYTE m_byEepromFlag;
};

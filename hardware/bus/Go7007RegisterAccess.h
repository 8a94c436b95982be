#pragma once

#include "hardware/bus/RegisterAccess.h"

// The GO7007 driver's private bus interface
// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}, called by position. Every call
// carries the flags word last.
extern const IID IID_IGo7007Bus;
struct IGo7007Bus : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    // 7: one byte at a sub-address of 8 or 16 bits.
    virtual HRESULT STDMETHODCALLTYPE WriteSub(DWORD device, DWORD width, DWORD subAddress, DWORD value,
                                               DWORD flags) = 0;
    // 8: a read at a sub-address of 8 or 16 bits.
    virtual HRESULT STDMETHODCALLTYPE ReadSub(DWORD device, DWORD width, DWORD subAddress, BYTE* pBuffer,
                                              DWORD flags) = 0;
    // 9: count bytes to the device.
    virtual HRESULT STDMETHODCALLTYPE WriteBlock(DWORD device, DWORD width, DWORD subAddress, DWORD count,
                                                 const BYTE* pBytes, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    // 15: a command block of the chip.
    virtual HRESULT STDMETHODCALLTYPE SendCommand(DWORD kind, const BYTE* pBlock, DWORD count, DWORD* pArgument,
                                                  DWORD flags) = 0;
};

// Transport of the "WIS GO7007SB A/V Capture" boards: the encoder chip's own
// I2C master, through its driver's interface.
class CGo7007RegisterAccess : public CRegisterAccess
{
public:
    enum
    {
        FLAGS = 0x8000,
        COMMAND_KIND = 2
    };

    CGo7007RegisterAccess();
    ~CGo7007RegisterAccess() override;

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    // The chip's GPIO lines are not reachable: no value is given.
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT Reserved16(DWORD a, DWORD b) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT ReadRegister(DWORD reg, DWORD* pValue) override;
    HRESULT WriteRegister(DWORD reg, DWORD value) override;

    // Appended: the driver's read with the caller's five arguments, and its
    // command block {a, c, 0} with d passed by address.
    virtual HRESULT ReadDirect(DWORD device, DWORD width, DWORD subAddress, BYTE* pBuffer, DWORD flags);
    virtual HRESULT SendBlock(DWORD a, DWORD b, DWORD c, DWORD d, DWORD e);

    static DWORD SubAddressWidth(DWORD subAddress) { return (subAddress & 0xFF00) ? 16 : 8; }

private:
    IGo7007Bus* m_pBus;
};

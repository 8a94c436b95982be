#pragma once

#include "hardware/bus/RegisterAccess.h"

// Register-level access to chips on a card's I2C bus. Results: 1 success,
// 0 failure.
class CI2CRegisterBus
{
public:
    virtual ~CI2CRegisterBus() {}
    virtual int WriteRegister(BYTE device, BYTE subAddress, BYTE value) = 0;
    virtual int ReadRegister(BYTE device, BYTE subAddress, BYTE* pValue) = 0;
    virtual int WriteBlock(BYTE device, const BYTE* pData, DWORD length) = 0;
};

// The register bus over a card's register access. Single-register transfers
// are tried three times, as these chips now and then miss one.
class CTunerI2CBus : public CI2CRegisterBus
{
public:
    enum { ATTEMPTS = 3 };

    explicit CTunerI2CBus(CRegisterAccess* pRegisterAccess) : m_pRegisterAccess(pRegisterAccess) {}

    int WriteRegister(BYTE device, BYTE subAddress, BYTE value) override;
    int ReadRegister(BYTE device, BYTE subAddress, BYTE* pValue) override;
    int WriteBlock(BYTE device, const BYTE* pData, DWORD length) override;

    // One-byte read through I2CRead: {device, sub-address, old value}, length 1.
    int ReadByteDirect(BYTE device, BYTE subAddress, BYTE* pValue);
    // {device, sub-address, value} through I2CWrite.
    int WriteByteDirect(BYTE device, BYTE subAddress, BYTE value);
    // Sets or clears bit 2^bit of a register (read at device | 1, written at device).
    int SetBit(BYTE device, BYTE subAddress, int bit, BOOL on);
    int TestBit(BYTE device, BYTE subAddress, int bit, BOOL* pSet);
    // Whether the demodulator (0x97, sub-address 1) and the tuner (0xC3, 0) answer.
    int ProbeDemodulator();
    int ProbeTuner();

    CRegisterAccess* m_pRegisterAccess;
};

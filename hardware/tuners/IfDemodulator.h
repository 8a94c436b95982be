#pragma once

#include "hardware/tuners/TunerI2CBus.h"

// The analogue IF demodulator in front of the TDA8275A (bus address 0x96,
// reads at 0x97). It also holds the I2C gate through which the tuner chip is
// reached. Results: 1 success, 0 failure.
class CIfDemodulator
{
public:
    enum
    {
        ADDRESS = 0x96,
        READ_ADDRESS = 0x97,
        // Register reads are retried this many times (each a bus call of
        // three attempts) before the demodulator counts as absent.
        READ_CALLS = 4,
    };

    explicit CIfDemodulator(CI2CRegisterBus* pBus);
    virtual ~CIfDemodulator();

    int WriteRegister(BYTE reg, BYTE value);
    int ReadRegister(BYTE reg, BYTE* pValue);
    int SetRegisterBit(BYTE reg, int bit, BOOL on);
    int TestRegisterBit(BYTE reg, int bit, BYTE* pResult);

    int SetGate(BOOL open);
    int ReadGateState(BYTE* pOpen);
    int Initialize();
    int SetStandard(DWORD standard);
    int SetTuningPhase(BOOL on);
    int SoftReset(BOOL on);
    int ReadLockBit(BYTE* pLocked);
    int ReadAdcSaturated(BYTE* pSaturated);
    int ReadAgcInRange(BYTE* pInRange);
    // -2 .. 2 from the AFC value of register 0x1B; its bit 7 is the lock.
    int ReadAfcClass(int* pClass, BYTE* pLocked);
    // The standard's filter and equaliser registers, after every tuning.
    int ProgramStandardRegisters(DWORD standard);

    DWORD GetIF() const { return m_dwIF; }
    DWORD GetStandard() const { return m_dwStandard; }
    BYTE GetNtscMFlag() const { return m_byNtscM; }
    BYTE GetModeByte() const { return m_byMode; }

private:
    CI2CRegisterBus* m_pBus;
    BYTE m_byAddress;
    DWORD m_dwIF;
    BYTE m_byNtscM;
    BYTE m_byMode;
    DWORD m_dwStandard;
};

// The demodulator's mode byte and IF for a standard mask.
struct IfDemodStandardRow
{
    DWORD dwMask;
    BYTE byMode;
    DWORD dwIF;
};
extern const IfDemodStandardRow g_IfDemodStandards[];
extern const int g_nIfDemodStandardCount;

// Registers 0x03 .. 0x16 of a standard group, written by ProgramStandardRegisters.
struct IfDemodGroupRow
{
    DWORD adwMasks[5];     // the masks of the group; 0 ends a shorter list
    BYTE abyValues[13];    // in the order of g_IfDemodGroupRegisters
};
extern const BYTE g_IfDemodGroupRegisters[13];
// The first row is the one of every mask no other row names.
extern const IfDemodGroupRow g_IfDemodGroups[];
extern const int g_nIfDemodGroupCount;

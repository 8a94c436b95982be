#pragma once

#include "hardware/tuners/IfDemodulator.h"
#include "hardware/tuners/TunerI2CBus.h"
#include "hardware/tuners/WaitEvent.h"

// One row of the TDA8275A's frequency plan: the highest f + IF (Hz) the row
// covers and the small fields it puts into the tuner's registers; B is also
// the exponent p of the divider's multiplier 2^p.
struct Tda8275APlanRow
{
    DWORD dwUpTo;
    BYTE a;
    BYTE b;
    BYTE c;
    BYTE d;
    BYTE e;
};
extern const Tda8275APlanRow g_Tda8275APlan[];
extern const int g_nTda8275APlanCount;

// The row of a frequency (f + IF, Hz): the first whose limit is not below it,
// the last one above every limit.
int FindTda8275APlanRow(DWORD frequency);

// The TDA8275A silicon tuner (bus address 0xC2, reads 0xC3), reached through
// the I2C gate of its demodulator, which it owns. Its thirteen registers sit
// at sub-addresses n x 16 and are kept in an image that every tuning pass
// rewrites whole. Results: 1 success, 0 failure.
class CTda8275AChip
{
public:
    enum
    {
        ADDRESS = 0xC2,
        READ_ADDRESS = 0xC3,
        REGISTER_COUNT = 13,
        LOCK_POLLS = 10,
        LOCK_POLL_MS = 5,
        // Register 7 takes 0x22 up to this frequency, 0x26 above it.
        REGISTER7_SPLIT_HZ = 471250000,
    };

    explicit CTda8275AChip(CI2CRegisterBus* pBus);
    virtual ~CTda8275AChip();

    int Initialize();
    // Tunes f (Hz) in two passes for the standard; the result is that of the
    // last tuner write of the second pass.
    int SetFrequency(DWORD frequency, DWORD standard);
    int WriteRegisters(const BYTE* pImage);
    int ReadRegisters(BYTE* pImage);
    int WriteRegister(BYTE subAddress, BYTE value);
    int ReadRegister(BYTE subAddress, BYTE* pValue);
    int WriteBlock(const BYTE* pData, DWORD length);
    int SetGate(BOOL open) { return m_demodulator.SetGate(open); }
    int SetStandard(DWORD standard) { return m_demodulator.SetStandard(standard); }
    int ReadAfcOffset(int* pOffset) { return m_demodulator.ReadAfcClass(pOffset, NULL); }
    void Wait(DWORD ms) { m_waitEvent.Wait(ms); }

    CIfDemodulator& Demodulator() { return m_demodulator; }
    const BYTE* Registers() const { return m_abyRegisters; }
    DWORD LockTimedOut() const { return m_dwLockTimedOut; }

    // One tuning pass.
    int Tune(DWORD frequency, DWORD dwIF, BYTE modeFlag, bool bFirstPass);

private:
    void WriteImageRegister(int index);

    CI2CRegisterBus* m_pBus;
    BYTE m_byAddress;
    BYTE m_abyRegisters[REGISTER_COUNT];
    CWaitEvent m_waitEvent;
    CIfDemodulator m_demodulator;
    DWORD m_dwLowest;
    DWORD m_dwHighest;
    DWORD m_dwLockTimedOut;
};

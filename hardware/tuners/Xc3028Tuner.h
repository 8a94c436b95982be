#pragma once

#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/XceiveScript.h"

// The XC3028 firmware-script tuners at 0xC2: every standard change resets the
// chip through the card's reset line and streams a base and a standard
// script to it; a tuning is one short command sequence with a 15.625 kHz
// frequency word. Type 136 reads lock from the capture chip's register 0x3A.
class CXc3028Tuner : public CTunerModule
{
public:
    explicit CXc3028Tuner(CRegisterAccess* pRegisterAccess);

    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
    BOOL IsSignalPresent(DWORD* pPresent) override;

    BOOL Reset();
    // Reset, the M/N base script and the model's start-up standard script.
    BOOL LoadStartup();
    BOOL HoldReset();
    // The tuner's own status, as type 137 reads it.
    BOOL ReadTunerStatus(DWORD* pCode);

    DWORD m_dwReserved;

protected:
    CXc3028Tuner(CRegisterAccess* pRegisterAccess, int nTypeId, DWORD resetLowMs, DWORD scriptPauseMs);

    BOOL RunScript(const XceiveScript& script);
    BOOL WriteFrequencyWord(float frequency, LONG length);

    DWORD m_dwResetLowMs;
    DWORD m_dwScriptPauseMs;
};

// Type 137: 6-byte tuning writes with a pulse on the card's slot 18, status
// from the tuner, the short standard scripts, 20 ms pauses.
class CXc3028SifTuner : public CXc3028Tuner
{
public:
    explicit CXc3028SifTuner(CRegisterAccess* pRegisterAccess);

    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
    BOOL IsSignalPresent(DWORD* pPresent) override;
};

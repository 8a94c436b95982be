#pragma once

#include "hardware/tuners/TunerModule.h"

// PLL tuners that replace some operations of the base: most program an IF
// demodulator on the same bus when the standard is set, some tune with an
// offset, an auxiliary byte or a second IF, and some read the frequency-error
// code from the demodulator. A frequency outside the TV range is refused.

// Two-IF tuners: SECAM L' uses an IF of its own.
class CTuner_MODEL_JS_2PC : public CTunerModule
{
public:
    explicit CTuner_MODEL_JS_2PC(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL SetStandard(DWORD standard) override;

    int m_nIFSecamL1;

protected:
    BOOL SetStandardThrough(BYTE device, DWORD standard);
};

class CTuner_JS_6B2 : public CTuner_MODEL_JS_2PC
{
public:
    explicit CTuner_JS_6B2(CRegisterAccess* pRegisterAccess);
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_TCL9886P_WM : public CTunerModule
{
public:
    explicit CTuner_TCL9886P_WM(CRegisterAccess* pRegisterAccess);
    BOOL SetStandard(DWORD standard) override;
};

// Tunes 250 kHz above the carrier asked for.
class CTuner_TNJ3321PF : public CTunerModule
{
public:
    explicit CTuner_TNJ3321PF(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_TNJ3321MF : public CTunerModule
{
public:
    explicit CTuner_TNJ3321MF(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_LGM200T : public CTunerModule
{
public:
    explicit CTuner_LGM200T(CRegisterAccess* pRegisterAccess);
    BOOL SetStandard(DWORD standard) override;
};

// Six-byte tunings and the demodulator's AFC as status.
class CTuner_PHILIPS1216 : public CTunerModule
{
public:
    explicit CTuner_PHILIPS1216(CRegisterAccess* pRegisterAccess);
    BOOL SetFMFrequency(float frequency) override;
    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_FQ1216ME : public CTunerModule
{
public:
    explicit CTuner_FQ1216ME(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_FQ1236F : public CTunerModule
{
public:
    explicit CTuner_FQ1236F(CRegisterAccess* pRegisterAccess);
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_PANOSONIC_ENGE4326D : public CTunerModule
{
public:
    explicit CTuner_PANOSONIC_ENGE4326D(CRegisterAccess* pRegisterAccess);
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
    // The sound processor's mode (2, 4, 5 or another); re-applied by SetStandard.
    BOOL SetAudioMode(int mode);

    int m_nAudioMode;
};

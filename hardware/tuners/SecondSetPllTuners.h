#pragma once

#include "hardware/tuners/TunerModule.h"

// The second set of PLL tuners: the base's five-byte tuning with settings of
// their own, some with an IF demodulator at 0x86 programmed per standard and
// read for the AFC status, or an FM section of their own. A frequency outside
// the model's range is refused.

class CTuner_TNF5531MF : public CTunerModule
{
public:
    explicit CTuner_TNF5531MF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF5835MFF : public CTunerModule
{
public:
    explicit CTuner_TNF5835MFF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF5535MF : public CTunerModule
{
public:
    explicit CTuner_TNF5535MF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9935BDFF : public CTunerModule
{
public:
    explicit CTuner_TNF9935BDFF(CRegisterAccess* pRegisterAccess);
};

class CTuner_FS5_1A5_BG1 : public CTunerModule
{
public:
    explicit CTuner_FS5_1A5_BG1(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9533BDF : public CTunerModule
{
public:
    explicit CTuner_TNF9533BDF(CRegisterAccess* pRegisterAccess);
};

class CTuner_Type131 : public CTunerModule
{
public:
    explicit CTuner_Type131(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF9535DIF : public CTunerModule
{
public:
    explicit CTuner_TNF9535DIF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF8022 : public CTunerModule
{
public:
    explicit CTuner_TNF8022(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNF8357DIF : public CTunerModule
{
public:
    explicit CTuner_TNF8357DIF(CRegisterAccess* pRegisterAccess);
};

class CTuner_TNJ7357MF : public CTunerModule
{
public:
    explicit CTuner_TNJ7357MF(CRegisterAccess* pRegisterAccess);
};

class CTuner_MFO2GIP_5N_E : public CTunerModule
{
public:
    explicit CTuner_MFO2GIP_5N_E(CRegisterAccess* pRegisterAccess);
};

class CTuner_F05WT_3BAR : public CTunerModule
{
public:
    explicit CTuner_F05WT_3BAR(CRegisterAccess* pRegisterAccess);
};

class CTuner_F07WP_4NR_E : public CTunerModule
{
public:
    explicit CTuner_F07WP_4NR_E(CRegisterAccess* pRegisterAccess);
};

class CTuner_FI1236MK2 : public CTunerModule
{
public:
    explicit CTuner_FI1236MK2(CRegisterAccess* pRegisterAccess);
};

class CTuner_PHILIPSFQ1286 : public CTunerModule
{
public:
    explicit CTuner_PHILIPSFQ1286(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_FM1236MK3 : public CTunerModule
{
public:
    explicit CTuner_FM1236MK3(CRegisterAccess* pRegisterAccess);
    BOOL SetFMFrequency(float frequency) override;
    BOOL ReadFMStatus(DWORD* pCode) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

// Tunes 250 kHz above the carrier asked for; its status is the lock bit alone.
class CTuner_TNJ3321CF : public CTunerModule
{
public:
    explicit CTuner_TNJ3321CF(CRegisterAccess* pRegisterAccess);
    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_TNJ7752JFF_MK5 : public CTunerModule
{
public:
    explicit CTuner_TNJ7752JFF_MK5(CRegisterAccess* pRegisterAccess);
    BOOL SetFMFrequency(float frequency) override;
    BOOL ReadFMStatus(DWORD* pCode) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_LGS200T : public CTunerModule
{
public:
    explicit CTuner_LGS200T(CRegisterAccess* pRegisterAccess);
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_TNJ8852CFF : public CTunerModule
{
public:
    explicit CTuner_TNJ8852CFF(CRegisterAccess* pRegisterAccess);
    BOOL SetFMFrequency(float frequency) override;
    BOOL ReadFMStatus(DWORD* pCode) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

class CTuner_TNJ8352PF : public CTunerModule
{
public:
    explicit CTuner_TNJ8352PF(CRegisterAccess* pRegisterAccess);
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;
};

// Its FM section is a separate radio chip at 0x40, tuned after the PLL.
class CTuner_TNF9835DIFF : public CTunerModule
{
public:
    explicit CTuner_TNF9835DIFF(CRegisterAccess* pRegisterAccess);
    BOOL SetFMFrequency(float frequency) override;
};

#pragma once

#include "hardware/tuners/Tda8275AChip.h"
#include "hardware/tuners/TunerI2CBus.h"
#include "hardware/tuners/TunerModule.h"

// The hybrid tuner of type 95: an IF demodulator at 0x96 and, behind its I2C
// gate, a TDA8275A at 0xC2. A tuning takes two passes with waits (at least
// 704 ms); lock is what the capture device's video decoder reports.
class CTda8275ATuner : public CTunerModule
{
public:
    explicit CTda8275ATuner(CRegisterAccess* pRegisterAccess);
    ~CTda8275ATuner() override;

    BOOL SetTVFrequency(float frequency) override;
    BOOL ReadTVStatus(DWORD* pCode) override;
    BOOL SetStandard(DWORD standard) override;

    CTda8275AChip& Chip() { return m_chip; }

private:
    CTunerI2CBus m_bus;
    CTda8275AChip m_chip;
};

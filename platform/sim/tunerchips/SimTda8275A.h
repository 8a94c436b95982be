#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

// A TDA8275A silicon tuner: thirteen registers at sub-addresses n x 16,
// written one register per transaction ({sub-address, value}). Its local
// oscillator runs at N x 16 MHz / (2^p x 64), N from registers 0 and 1 and p
// from register 4. Writes to other sub-addresses are counted, not stored.
class CSimTda8275A : public ISimI2CChip
{
public:
    enum { REGISTER_COUNT = 13 };

    CSimTda8275A();

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

    BYTE GetRegister(int index) const { return m_registers[index]; }
    int GetDivider() const;
    // f + IF the registers tune, Hz, and the oscillator step at that setting.
    double GetOscillatorHz() const;
    double GetStepHz() const;
    int WriteCount() const { return m_nWrites; }
    int StrayWriteCount() const { return m_nStrayWrites; }

private:
    BYTE m_registers[REGISTER_COUNT];
    BYTE m_pointer;
    int m_nWrites;
    int m_nStrayWrites;
};

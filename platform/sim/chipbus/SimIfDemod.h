#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

// An IF demodulator with a register file: a write names the first register
// and fills it and the following ones; a read returns the status byte, then
// the registers from the last pointer on.
class CSimIfDemod : public ISimI2CChip
{
public:
    CSimIfDemod();

    BYTE GetRegister(int index) const { return m_registers[index & 0xFF]; }
    void SetStatus(BYTE status) { m_status = status; }

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

private:
    BYTE m_registers[256];
    BYTE m_pointer;
    BYTE m_status;
};

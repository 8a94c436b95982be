#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

// A 256-byte serial EEPROM: a write sets the address pointer (first byte) and
// stores the rest; a read returns bytes from the pointer on, wrapping at 256.
class CSimEeprom : public ISimI2CChip
{
public:
    enum { TUNER_LETTER_OFFSET = 0x20, TUNER_TYPE_OFFSET = 0x21 };

    CSimEeprom();

    void SetByte(int offset, BYTE value) { m_bytes[offset & 0xFF] = value; }
    BYTE GetByte(int offset) const { return m_bytes[offset & 0xFF]; }
    // The card maker's record of the tuner: a family letter and a type id.
    void SetTuner(char letter, BYTE type);

    void OnWrite(const BYTE* pData, int count) override;
    void OnRead(BYTE* pData, int count) override;

private:
    BYTE m_bytes[256];
    BYTE m_pointer;
};

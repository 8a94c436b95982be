#include "platform/sim/chipbus/SimEeprom.h"

#include <string.h>

CSimEeprom::CSimEeprom()
    : m_pointer(0)
{
    memset(m_bytes, 0xFF, sizeof(m_bytes));
}

void CSimEeprom::SetTuner(char letter, BYTE type)
{
    m_bytes[TUNER_LETTER_OFFSET] = static_cast<BYTE>(letter);
    m_bytes[TUNER_TYPE_OFFSET] = type;
}

void CSimEeprom::OnWrite(const BYTE* pData, int count)
{
    if (count < 1)
        return;
    m_pointer = pData[0];
    for (int i = 1; i < count; ++i)
        m_bytes[m_pointer++] = pData[i];
}

void CSimEeprom::OnRead(BYTE* pData, int count)
{
    for (int i = 0; i < count; ++i)
        pData[i] = m_bytes[m_pointer++];
}

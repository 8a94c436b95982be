#include "platform/sim/chipbus/SimIfDemod.h"

#include <string.h>

CSimIfDemod::CSimIfDemod()
    : m_pointer(0), m_status(0)
{
    memset(m_registers, 0, sizeof(m_registers));
}

void CSimIfDemod::OnWrite(const BYTE* pData, int count)
{
    if (count < 1)
        return;
    m_pointer = pData[0];
    for (int i = 1; i < count; ++i)
        m_registers[static_cast<BYTE>(m_pointer + i - 1)] = pData[i];
}

void CSimIfDemod::OnRead(BYTE* pData, int count)
{
    if (count < 1)
        return;
    pData[0] = m_status;
    for (int i = 1; i < count; ++i)
        pData[i] = m_registers[static_cast<BYTE>(m_pointer + i - 1)];
}

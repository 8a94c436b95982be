#include "platform/sim/tunerchips/SimTda8275A.h"

#include <string.h>

CSimTda8275A::CSimTda8275A()
    : m_pointer(0), m_nWrites(0), m_nStrayWrites(0)
{
    memset(m_registers, 0, sizeof(m_registers));
}

void CSimTda8275A::OnWrite(const BYTE* pData, int count)
{
    if (count < 1)
        return;
    m_pointer = pData[0];
    if (count < 2)
        return;
    ++m_nWrites;
    if ((pData[0] & 0x0F) != 0 || pData[0] / 16 >= REGISTER_COUNT)
    {
        ++m_nStrayWrites;
        return;
    }
    m_registers[pData[0] / 16] = pData[1];
}

void CSimTda8275A::OnRead(BYTE* pData, int count)
{
    int index = m_pointer / 16;
    for (int i = 0; i < count; ++i)
        pData[i] = index < REGISTER_COUNT ? m_registers[index] : 0;
}

int CSimTda8275A::GetDivider() const
{
    return (m_registers[0] << 6) | (m_registers[1] >> 2);
}

double CSimTda8275A::GetStepHz() const
{
    int p = m_registers[4] >> 5;
    if (p > 4)
        p = 4;
    return 16000000.0 / ((1 << p) * 64.0);
}

double CSimTda8275A::GetOscillatorHz() const
{
    return GetDivider() * GetStepHz();
}

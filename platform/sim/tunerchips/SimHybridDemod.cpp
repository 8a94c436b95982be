#include "platform/sim/tunerchips/SimHybridDemod.h"

#include <math.h>
#include <string.h>

CSimHybridDemod::CSimHybridDemod(CSimChipBus* pBus, CSimTda8275A* pTuner)
    : m_pBus(pBus), m_pTuner(pTuner), m_pointer(0), m_bGateOpen(FALSE), m_nGateOpenings(0)
{
    memset(m_registers, 0, sizeof(m_registers));
    // A quiet ADC and an AGC in range.
    m_registers[REG_ADC] = 10;
    m_registers[REG_AGC] = 100;
}

void CSimHybridDemod::OnWrite(const BYTE* pData, int count)
{
    if (count < 1)
        return;
    m_pointer = pData[0];
    for (int i = 1; i < count; ++i)
    {
        BYTE reg = static_cast<BYTE>(m_pointer + i - 1);
        m_registers[reg] = pData[i];
        m_writes.push_back(std::make_pair(reg, pData[i]));
        if (reg == REG_GATE)
        {
            BOOL open = (pData[i] & 0x40) != 0;
            if (open && !m_bGateOpen)
            {
                ++m_nGateOpenings;
                m_pBus->AttachChip(TUNER_ADDRESS, m_pTuner);
            }
            else if (!open && m_bGateOpen)
                m_pBus->DetachChip(TUNER_ADDRESS);
            m_bGateOpen = open;
        }
    }
}

void CSimHybridDemod::OnRead(BYTE* pData, int count)
{
    for (int i = 0; i < count; ++i)
    {
        BYTE reg = static_cast<BYTE>(m_pointer + i);
        BYTE value = m_registers[reg];
        if (reg == REG_AFC)
            value = static_cast<BYTE>((value & 0x7F) | (IsLocked() ? 0x80 : 0x00));
        pData[i] = value;
    }
}

double CSimHybridDemod::GetIFHz() const
{
    switch (m_registers[REG_MODE] & 0x7F)
    {
    case 0x01: return 5750000.0;
    case 0x02: return 6750000.0;
    case 0x04:
    case 0x08:
    case 0x10:
    case 0x20: return 7750000.0;
    case 0x40: return 1750000.0;
    default: return 0.0;
    }
}

double CSimHybridDemod::GetTunedHz() const
{
    return m_pTuner->GetOscillatorHz() - GetIFHz();
}

BOOL CSimHybridDemod::IsLocked() const
{
    if (GetIFHz() == 0.0 || m_pTuner->GetDivider() == 0)
        return FALSE;
    double tuned = GetTunedHz();
    double tolerance = m_pTuner->GetStepHz() / 2 + 1;
    for (size_t i = 0; i < m_stations.size(); ++i)
    {
        if (fabs(tuned - m_stations[i]) <= tolerance)
            return TRUE;
    }
    return FALSE;
}

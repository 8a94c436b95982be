#include "hardware/tuners/IfDemodulator.h"

namespace
{
enum
{
    REG_MODE = 0x01,
    REG_GATE = 0x21,
    REG_PHASE = 0x16,
    REG_ADC = 0x1A,
    REG_AFC = 0x1B,
    REG_AGC = 0x1D,
    DEFAULT_STANDARD = 0x10,
};
}

CIfDemodulator::CIfDemodulator(CI2CRegisterBus* pBus)
    : m_pBus(pBus), m_byAddress(ADDRESS), m_dwIF(0), m_byNtscM(0), m_byMode(0), m_dwStandard(0)
{
}

CIfDemodulator::~CIfDemodulator()
{
}

int CIfDemodulator::WriteRegister(BYTE reg, BYTE value)
{
    return m_pBus != NULL ? m_pBus->WriteRegister(m_byAddress, reg, value) : 0;
}

int CIfDemodulator::ReadRegister(BYTE reg, BYTE* pValue)
{
    if (m_pBus == NULL || pValue == NULL)
        return 0;
    // A demodulator that never answers must not hang the caller.
    for (int call = 0; call < READ_CALLS; ++call)
    {
        if (m_pBus->ReadRegister(m_byAddress | 1, reg, pValue))
            return 1;
    }
    return 0;
}

int CIfDemodulator::SetRegisterBit(BYTE reg, int bit, BOOL on)
{
    BYTE value = 0;
    if (!ReadRegister(reg, &value))
        return 0;
    BYTE mask = static_cast<BYTE>(1 << bit);
    return WriteRegister(reg, on ? (value | mask) : (value & ~mask));
}

int CIfDemodulator::TestRegisterBit(BYTE reg, int bit, BYTE* pResult)
{
    BYTE value = 0;
    if (pResult == NULL || !ReadRegister(reg, &value))
        return 0;
    *pResult = value & (1 << bit);
    return 1;
}

int CIfDemodulator::SetGate(BOOL open)
{
    return WriteRegister(REG_GATE, open ? 0xC0 : 0x80);
}

int CIfDemodulator::ReadGateState(BYTE* pOpen)
{
    BYTE value = 0;
    if (pOpen == NULL || !ReadRegister(REG_GATE, &value))
        return 0;
    *pOpen = value & 0x40;
    return 1;
}

int CIfDemodulator::Initialize()
{
    m_dwStandard = DEFAULT_STANDARD;
    WriteRegister(0x00, 0x01);
    WriteRegister(0x07, 0x00);
    WriteRegister(0x30, 0x2F);
    return WriteRegister(0x20, 0x0B);
}

int CIfDemodulator::SetStandard(DWORD standard)
{
    WriteRegister(0x07, 0x00);
    m_byNtscM = 0;
    m_dwStandard = standard;
    m_byMode = 0x02;
    m_dwIF = 6750000;
    bool bKnown = false;
    for (int i = 0; i < g_nIfDemodStandardCount; ++i)
    {
        if (g_IfDemodStandards[i].dwMask == standard)
        {
            m_byMode = g_IfDemodStandards[i].byMode;
            m_dwIF = g_IfDemodStandards[i].dwIF;
            bKnown = true;
            break;
        }
    }
    if (!bKnown)
        m_dwStandard = DEFAULT_STANDARD;
    else if (standard == 0x1)
        m_byNtscM = 1;
    return WriteRegister(REG_MODE, m_byMode);
}

int CIfDemodulator::SetTuningPhase(BOOL on)
{
    return WriteRegister(REG_PHASE, on ? 0x07 : 0x03);
}

int CIfDemodulator::SoftReset(BOOL on)
{
    return WriteRegister(0x00, on ? 0x01 : 0x03);
}

int CIfDemodulator::ReadLockBit(BYTE* pLocked)
{
    BYTE value = 0;
    if (pLocked == NULL || !ReadRegister(REG_AFC, &value))
        return 0;
    *pLocked = value & 0x80;
    return 1;
}

int CIfDemodulator::ReadAdcSaturated(BYTE* pSaturated)
{
    BYTE value = 0;
    if (pSaturated == NULL || !ReadRegister(REG_ADC, &value))
        return 0;
    *pSaturated = value >= 20 ? 1 : 0;
    return 1;
}

int CIfDemodulator::ReadAgcInRange(BYTE* pInRange)
{
    BYTE value = 0;
    if (pInRange == NULL || !ReadRegister(REG_AGC, &value))
        return 0;
    *pInRange = value <= 115 ? 1 : 0;
    return 1;
}

int CIfDemodulator::ReadAfcClass(int* pClass, BYTE* pLocked)
{
    BYTE value = 0;
    if (pClass == NULL || !ReadRegister(REG_AFC, &value))
        return 0;
    if (pLocked != NULL)
        *pLocked = (value & 0x80) ? 1 : 0;
    int v = value & 0x7F;
    if (v <= 18)
        *pClass = 0;
    else if (v <= 37)
        *pClass = 1;
    else if (v <= 63)
        *pClass = 2;
    else if (v <= 90)
        *pClass = -2;
    else if (v <= 109)
        *pClass = -1;
    else
        *pClass = 0;
    return 1;
}

int CIfDemodulator::ProgramStandardRegisters(DWORD standard)
{
    SetStandard(standard);
    WriteRegister(REG_MODE, static_cast<BYTE>(m_byMode | 0x80));
    BYTE discarded = 0;
    ReadRegister(0x0E, &discarded);
    WriteRegister(0x0E, 0x08);
    SetRegisterBit(REG_PHASE, 1, FALSE);
    WriteRegister(0x08, 0x09);
    WriteRegister(0x09, 0x6D);
    WriteRegister(0x04, 0x02);
    // The group goes by the mask asked for, not by the standard kept.
    const IfDemodGroupRow* pGroup = &g_IfDemodGroups[0];
    for (int i = 1; i < g_nIfDemodGroupCount && pGroup == &g_IfDemodGroups[0]; ++i)
    {
        for (int j = 0; j < 5 && g_IfDemodGroups[i].adwMasks[j] != 0; ++j)
        {
            if (g_IfDemodGroups[i].adwMasks[j] == standard)
            {
                pGroup = &g_IfDemodGroups[i];
                break;
            }
        }
    }
    for (int i = 0; i < 13; ++i)
        WriteRegister(g_IfDemodGroupRegisters[i], pGroup->abyValues[i]);
    return WriteRegister(0x28, 0x54);
}

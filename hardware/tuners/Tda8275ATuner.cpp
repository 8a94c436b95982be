#include "hardware/tuners/Tda8275ATuner.h"

#include "hardware/bus/BusClock.h"

namespace
{
enum { STANDARD_SETTLE_MS = 50 };

const DWORD kStandards[] =
{
    0x1, 0x2, 0x10, 0x20, 0x80, 0x100, 0x200, 0x400, 0x1000, 0x2000, 0x4000, 0x8000, 0x40000, 0x80000
};
}

CTda8275ATuner::CTda8275ATuner(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_bus(pRegisterAccess), m_chip(&m_bus)
{
    m_nTypeId = 95;
    m_nModelId = 95;
    m_cTunerLetter = 'P';
    m_byI2CRead = 0xC3;
    m_byI2CWrite = 0xC2;
    m_nAfcCode4 = 0;
    m_nAfcCode5 = 1;
    m_bHasFM = FALSE;
    for (size_t i = 0; i < sizeof(kStandards) / sizeof(kStandards[0]); ++i)
        m_vecStandards.push_back(kStandards[i]);
    m_chip.Demodulator().Initialize();
    m_chip.Initialize();
}

CTda8275ATuner::~CTda8275ATuner()
{
}

BOOL CTda8275ATuner::SetTVFrequency(float frequency)
{
    // Hz must fit the chip's 32-bit word; nothing below 0 or beyond it.
    double hz = static_cast<double>(frequency) * 1000.0;
    if (!(hz >= 0.0) || hz > 4294967295.0)
        return FALSE;
    DWORD standard = m_chip.Demodulator().GetStandard();
    int result = m_chip.SetFrequency(static_cast<DWORD>(hz), standard);
    BusSleep(STANDARD_SETTLE_MS);
    m_chip.Demodulator().ProgramStandardRegisters(standard);
    return result;
}

BOOL CTda8275ATuner::ReadTVStatus(DWORD* pCode)
{
    if (pCode == NULL)
        return FALSE;
    DWORD present = 0;
    BOOL result = IsSignalPresent(&present);
    *pCode = present ? m_nAfcCode3 : m_nAfcCode1;
    return result;
}

BOOL CTda8275ATuner::SetStandard(DWORD standard)
{
    return m_chip.SetStandard(standard);
}

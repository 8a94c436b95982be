#include "hardware/tuners/Tda8275AChip.h"

namespace
{
const BYTE kInitialRegisters[CTda8275AChip::REGISTER_COUNT] =
{
    0x00, 0x00, 0x00, 0x1C, 0x04, 0xAB, 0x38, 0x0A, 0x28, 0xFF, 0x40, 0x00, 0x39
};

enum
{
    FIRST_PASS_SETTLE_MS = 100,
    SECOND_PASS_STEP_MS = 10,
    SECOND_PASS_STEPS = 55,
    RECOVERY_STEP_MS = 10,
    RECOVERY_STEPS = 10,
    RECOVERY_ATTEMPTS = 3,
};

// The demodulator's reference setting differs for D/K sound carriers.
BYTE ReferenceByte(DWORD standard)
{
    return (standard == 0x20 || standard == 0x28) ? 0x02 : 0x04;
}
}

int FindTda8275APlanRow(DWORD frequency)
{
    for (int i = 0; i < g_nTda8275APlanCount; ++i)
    {
        if (g_Tda8275APlan[i].dwUpTo >= frequency)
            return i;
    }
    return g_nTda8275APlanCount - 1;
}

CTda8275AChip::CTda8275AChip(CI2CRegisterBus* pBus)
    : m_pBus(pBus),
      m_byAddress(ADDRESS),
      m_demodulator(pBus),
      m_dwLowest(40000000),
      m_dwHighest(865000000),
      m_dwLockTimedOut(0)
{
    for (int i = 0; i < REGISTER_COUNT; ++i)
        m_abyRegisters[i] = 0;
}

CTda8275AChip::~CTda8275AChip()
{
}

int CTda8275AChip::Initialize()
{
    for (int i = 0; i < REGISTER_COUNT; ++i)
        m_abyRegisters[i] = kInitialRegisters[i];
    SetGate(TRUE);
    WriteRegisters(m_abyRegisters);
    SetGate(FALSE);
    return 1;
}

int CTda8275AChip::WriteRegisters(const BYTE* pImage)
{
    for (int i = 0; i < REGISTER_COUNT; ++i)
        WriteRegister(static_cast<BYTE>(i * 16), pImage[i]);
    return 1;
}

int CTda8275AChip::ReadRegisters(BYTE* pImage)
{
    for (int i = 0; i < REGISTER_COUNT; ++i)
        ReadRegister(static_cast<BYTE>(i * 16), &pImage[i]);
    return 1;
}

int CTda8275AChip::WriteRegister(BYTE subAddress, BYTE value)
{
    return m_pBus != NULL ? m_pBus->WriteRegister(m_byAddress, subAddress, value) : 0;
}

int CTda8275AChip::ReadRegister(BYTE subAddress, BYTE* pValue)
{
    return m_pBus != NULL ? m_pBus->ReadRegister(m_byAddress | 1, subAddress, pValue) : 0;
}

int CTda8275AChip::WriteBlock(const BYTE* pData, DWORD length)
{
    if (pData == NULL || length < 1 || m_pBus == NULL)
        return 0;
    return m_pBus->WriteBlock(m_byAddress, pData, length);
}

void CTda8275AChip::WriteImageRegister(int index)
{
    WriteRegister(static_cast<BYTE>(index * 16), m_abyRegisters[index]);
}

int CTda8275AChip::Tune(DWORD frequency, DWORD dwIF, BYTE modeFlag, bool bFirstPass)
{
    SetGate(TRUE);

    m_abyRegisters[7] = frequency <= REGISTER7_SPLIT_HZ ? 0x22 : 0x26;
    // This one write goes to 0x07; the image write below puts it at 0x70.
    WriteRegister(0x07, m_abyRegisters[7]);

    DWORD sum = frequency + dwIF;
    const Tda8275APlanRow& row = g_Tda8275APlan[FindTda8275APlanRow(sum)];
    BYTE p = row.b;
    ULONGLONG multiplier = 1ULL << (p >= 4 ? 4 : p);
    ULONGLONG divider = (static_cast<ULONGLONG>(sum) * multiplier * 64) / 16000000;
    m_abyRegisters[0] = static_cast<BYTE>((divider >> 6) & 0xFF);
    m_abyRegisters[1] = static_cast<BYTE>((divider << 2) & 0xFF);
    m_abyRegisters[2] = 0;

    m_abyRegisters[3] = static_cast<BYTE>(0x10 | (row.c & 3));
    m_abyRegisters[4] = static_cast<BYTE>((p << 5) | ((row.a & 3) << 3) | (row.d & 7));
    m_abyRegisters[12] = static_cast<BYTE>((m_abyRegisters[12] & 0xF9) | ((modeFlag & 3) << 1));
    m_abyRegisters[5] = static_cast<BYTE>((m_abyRegisters[5] & 0xCF) | ((row.e & 3) << 4));
    if (bFirstPass)
        m_abyRegisters[6] = static_cast<BYTE>((m_abyRegisters[6] & 0xEF) | 0x20);
    else
        m_abyRegisters[6] = static_cast<BYTE>(m_abyRegisters[6] & 0xCF);
    WriteRegisters(m_abyRegisters);

    if (bFirstPass)
        m_abyRegisters[8] |= 0x04;
    else
        m_abyRegisters[8] &= ~0x04;
    m_abyRegisters[8] &= ~0x08;
    WriteImageRegister(8);

    if (!bFirstPass)
    {
        m_abyRegisters[6] |= 0x30;
        WriteImageRegister(6);
    }

    m_abyRegisters[3] = static_cast<BYTE>((m_abyRegisters[3] & 0x1F) | 0x80);
    WriteImageRegister(3);
    Wait(1);
    m_abyRegisters[3] = static_cast<BYTE>((m_abyRegisters[3] & 0x13) | 0x04);
    WriteImageRegister(3);
    Wait(1);
    m_abyRegisters[3] &= 0xF3;
    WriteImageRegister(3);

    if (bFirstPass)
        Wait(FIRST_PASS_SETTLE_MS);
    else
    {
        for (int i = 0; i < SECOND_PASS_STEPS; ++i)
            Wait(SECOND_PASS_STEP_MS);
        m_abyRegisters[3] = static_cast<BYTE>((m_abyRegisters[3] & 0xF3 & ~3) | (row.c & 3));
        WriteImageRegister(3);
    }

    m_abyRegisters[8] |= 0x08;
    int result = WriteRegister(0x80, m_abyRegisters[8]);

    SetGate(FALSE);
    return result;
}

int CTda8275AChip::SetFrequency(DWORD frequency, DWORD standard)
{
    CIfDemodulator& demod = m_demodulator;
    demod.SetStandard(standard);
    BYTE modeFlag = demod.GetNtscMFlag();
    DWORD dwIF = demod.GetIF();
    BYTE reference = ReferenceByte(demod.GetStandard());

    demod.SetTuningPhase(TRUE);
    demod.WriteRegister(0x01, static_cast<BYTE>(demod.GetModeByte() | 0x80));
    demod.WriteRegister(0x0F, 0x88);
    demod.WriteRegister(0x28, 0x14);
    demod.WriteRegister(0x05, reference);
    demod.WriteRegister(0x0D, 0x47);
    demod.WriteRegister(0x0E, 0x11);
    demod.WriteRegister(0x28, 0x54);
    demod.WriteRegister(0x05, 0x01);

    Tune(frequency, dwIF, modeFlag, true);

    // Wait while the demodulator has not locked yet; an unreadable bit counts
    // as not locked.
    BYTE locked = 0;
    demod.ReadLockBit(&locked);
    int polls = 0;
    while (!locked && polls < LOCK_POLLS)
    {
        Wait(LOCK_POLL_MS);
        ++polls;
        locked = 0;
        demod.ReadLockBit(&locked);
    }
    if (!locked)
        m_dwLockTimedOut = 1;

    demod.WriteRegister(0x0E, 0x09);
    demod.WriteRegister(0x05, reference);
    demod.WriteRegister(0x0F, 0x88);
    demod.WriteRegister(0x28, 0x14);
    demod.WriteRegister(0x0D, 0x47);

    int result = Tune(frequency, dwIF, modeFlag, false);

    demod.SetTuningPhase(FALSE);
    BYTE saturated = 0;
    BYTE agcInRange = 0;
    locked = 0;
    demod.ReadAdcSaturated(&saturated);
    demod.ReadAgcInRange(&agcInRange);
    demod.ReadLockBit(&locked);

    if (!saturated)
    {
        for (int attempt = 1; !(locked && agcInRange); ++attempt)
        {
            if (attempt == 1)
                demod.WriteRegister(0x28, 0x54);
            else if (attempt == 2)
            {
                SetGate(TRUE);
                m_abyRegisters[8] |= 0x04;
                WriteImageRegister(8);
                SetGate(FALSE);
            }
            else
            {
                demod.WriteRegister(0x05, 0x01);
                demod.WriteRegister(0x0D, 0x27);
            }
            for (int i = 0; i < RECOVERY_STEPS; ++i)
                Wait(RECOVERY_STEP_MS);
            if (attempt == RECOVERY_ATTEMPTS)
                break;
            agcInRange = 0;
            locked = 0;
            demod.ReadAgcInRange(&agcInRange);
            demod.ReadLockBit(&locked);
        }
    }

    DWORD kept = demod.GetStandard();
    if (kept == 0x20 || kept == 0x40)
    {
        BYTE adc = 0;
        BYTE afc = 0;
        demod.ReadRegister(0x1A, &adc);
        demod.ReadRegister(0x1B, &afc);
        if (adc > 20 || (afc & 0x80) == 0)
        {
            BYTE value = 0;
            demod.ReadRegister(0x0E, &value);
            demod.WriteRegister(0x0E, static_cast<BYTE>(value | 0x02));
            demod.WriteRegister(0x0E, static_cast<BYTE>(value & ~0x02));
        }
    }
    demod.WriteRegister(0x0F, 0x82);
    return result;
}

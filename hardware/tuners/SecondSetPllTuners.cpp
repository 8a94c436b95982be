#include "hardware/tuners/SecondSetPllTuners.h"

#include "hardware/tuners/DemodStandardTables.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerModelTable.h"

namespace
{
enum { FM_RADIO_ADDRESS = 0x40 };

// The FM status of the demodulator-backed radios: one byte at 0x87. FALSE
// when the read failed.
BOOL ReadDemodFMByte(CRegisterAccess* pBus, BYTE* pByte)
{
    if (pBus == NULL)
        return FALSE;
    BYTE buffer[1] = { DEMOD_READ_ADDRESS };
    if (!IsBusOk(pBus->I2CRead(buffer, 1)))
        return FALSE;
    *pByte = buffer[0];
    return TRUE;
}

// Base FM tuning, then the demodulator's radio bytes; the tuning decides.
BOOL TuneFMWithDemodBytes(CTunerModule& tuner, float frequency, const BYTE values[3], DemodWriteForm form)
{
    if (!IsInFMRange(tuner, frequency))
        return FALSE;
    BOOL ok = tuner.CTunerModule::SetFMFrequency(frequency);
    if (ok)
    {
        HRESULT results[3];
        WriteDemodRegisters(tuner.m_pRegisterAccess, DEMOD_ADDRESS, values, form, form == DEMOD_BUS_WRITES,
                            results);
    }
    return ok;
}

// F2: the PLL's own status, refined by the demodulator when it reports.
BOOL ReadFMStatusF2(CTunerModule& tuner, DWORD* pCode)
{
    if (pCode == NULL)
        return FALSE;
    BOOL pllOk = tuner.CTunerModule::ReadFMStatus(pCode);
    BYTE status = 0;
    if (!ReadDemodFMByte(tuner.m_pRegisterAccess, &status))
        return FALSE;
    // Without a reading of either chip there is no code to report.
    if ((status & 0x20) == 0 && (status & 0x80) == 0)
        return pllOk;
    int a = (status >> 1) & 0x0F;
    *pCode = (a <= 2 || a >= 14) ? 4 : 0;
    return TRUE;
}
}

CTuner_TNF5531MF::CTuner_TNF5531MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 64);
}

CTuner_TNF5835MFF::CTuner_TNF5835MFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 65);
}

CTuner_TNF5535MF::CTuner_TNF5535MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 66);
}

CTuner_TNF9935BDFF::CTuner_TNF9935BDFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 69);
}

CTuner_FS5_1A5_BG1::CTuner_FS5_1A5_BG1(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 110);
}

CTuner_TNF9533BDF::CTuner_TNF9533BDF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 130);
}

CTuner_Type131::CTuner_Type131(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 131);
}

CTuner_TNF9535DIF::CTuner_TNF9535DIF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 133);
}

CTuner_TNF8022::CTuner_TNF8022(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 134);
}

CTuner_TNF8357DIF::CTuner_TNF8357DIF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 50);
}

CTuner_TNJ7357MF::CTuner_TNJ7357MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 71);
}

CTuner_MFO2GIP_5N_E::CTuner_MFO2GIP_5N_E(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 9);
}

CTuner_F05WT_3BAR::CTuner_F05WT_3BAR(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 8);
}

CTuner_F07WP_4NR_E::CTuner_F07WP_4NR_E(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 7);
}

CTuner_FI1236MK2::CTuner_FI1236MK2(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 111);
}

CTuner_PHILIPSFQ1286::CTuner_PHILIPSFQ1286(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 96);
}

CTuner_FM1236MK3::CTuner_FM1236MK3(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 98);
}

CTuner_TNJ3321CF::CTuner_TNJ3321CF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 67);
}

CTuner_TNJ7752JFF_MK5::CTuner_TNJ7752JFF_MK5(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 68);
}

CTuner_LGS200T::CTuner_LGS200T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 75);
}

CTuner_TNJ8852CFF::CTuner_TNJ8852CFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 70);
}

CTuner_TNJ8352PF::CTuner_TNJ8352PF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 132);
}

CTuner_TNF9835DIFF::CTuner_TNF9835DIFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 138);
}

BOOL CTuner_PHILIPSFQ1286::SetTVFrequency(float frequency)
{
    const BYTE aux = 0x50;
    return WritePllTuning(*this, m_byI2CWrite, m_nIF, frequency, &aux);
}

BOOL CTuner_PHILIPSFQ1286::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
}

BOOL CTuner_PHILIPSFQ1286::SetStandard(DWORD)
{
    return WriteDemodSequence(m_pRegisterAccess, 0x56, 0x30, 0x40);
}

BOOL CTuner_FM1236MK3::SetFMFrequency(float frequency)
{
    static const BYTE s_radio[3] = { 0x0A, 0x90, 0x20 };
    return TuneFMWithDemodBytes(*this, frequency, s_radio, DEMOD_BUS_WRITES);
}

BOOL CTuner_FM1236MK3::ReadFMStatus(DWORD* pCode)
{
    BYTE status = 0;
    if (pCode == NULL || !ReadDemodFMByte(m_pRegisterAccess, &status))
        return FALSE;
    // Without both flags the demodulator has no reading to give.
    if ((status & 0x20) == 0 || (status & 0x80) == 0)
        return FALSE;
    int a = (status >> 1) & 0x0F;
    *pCode = (a <= 2 || a >= 13) ? 4 : 0;
    return TRUE;
}

BOOL CTuner_FM1236MK3::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
}

BOOL CTuner_FM1236MK3::SetStandard(DWORD)
{
    return WriteDemodSequence(m_pRegisterAccess, 0x56, 0x30, 0x44);
}

BOOL CTuner_TNJ3321CF::SetTVFrequency(float frequency)
{
    return CTunerModule::SetTVFrequency(frequency + TNJ3321_TUNING_OFFSET_KHZ);
}

BOOL CTuner_TNJ3321CF::ReadTVStatus(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    BYTE buffer[1] = { m_byI2CRead };
    if (!IsBusOk(m_pRegisterAccess->I2CRead(buffer, 1)))
        return FALSE;
    *pCode = (buffer[0] & 0x40) ? 1 : 0;
    return TRUE;
}

BOOL CTuner_TNJ3321CF::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableT67, standard);
}

BOOL CTuner_TNJ7752JFF_MK5::SetFMFrequency(float frequency)
{
    static const BYTE s_radio[3] = { 0x5D, 0x10, 0x00 };
    return TuneFMWithDemodBytes(*this, frequency, s_radio, DEMOD_REGISTER_WRITES);
}

BOOL CTuner_TNJ7752JFF_MK5::ReadFMStatus(DWORD* pCode)
{
    return ReadFMStatusF2(*this, pCode);
}

BOOL CTuner_TNJ7752JFF_MK5::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_C, pCode);
}

BOOL CTuner_TNJ7752JFF_MK5::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableT68, standard);
}

BOOL CTuner_LGS200T::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_B, pCode);
}

BOOL CTuner_LGS200T::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableT75, standard);
}

BOOL CTuner_TNJ8852CFF::SetFMFrequency(float frequency)
{
    static const BYTE s_radio[3] = { 0x5D, 0x10, 0x00 };
    return TuneFMWithDemodBytes(*this, frequency, s_radio, DEMOD_REGISTER_WRITES);
}

BOOL CTuner_TNJ8852CFF::ReadFMStatus(DWORD* pCode)
{
    return ReadFMStatusF2(*this, pCode);
}

BOOL CTuner_TNJ8852CFF::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_D, pCode);
}

BOOL CTuner_TNJ8852CFF::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableT70, standard);
}

BOOL CTuner_TNJ8352PF::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_B, pCode);
}

BOOL CTuner_TNJ8352PF::SetStandard(DWORD standard)
{
    return WriteDemodTable(m_pRegisterAccess, DEMOD_ADDRESS, g_DemodTableT132, standard, DEMOD_BUS_WRITES, 0);
}

BOOL CTuner_TNF9835DIFF::SetFMFrequency(float frequency)
{
    if (m_pRegisterAccess == NULL || !IsInFMRange(*this, frequency))
        return FALSE;
    BOOL ok = CTunerModule::SetFMFrequency(frequency);
    // The radio chip counts in steps of 62.5 kHz from the kHz frequency plus its 10.7 MHz IF.
    LONG divider = (static_cast<LONG>(frequency) + 10700) * 16 / 1000;
    BYTE mode[8] = { FM_RADIO_ADDRESS, 0x09, 0xC0, 0x04, 0x00, 0x00, 0x00, 0x00 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(mode, 8)))
        return FALSE;
    BYTE tune[8] = { FM_RADIO_ADDRESS, 0x14, static_cast<BYTE>(divider & 0xFF),
                     static_cast<BYTE>((divider >> 8) & 0xFF), 0x8E, 0x11, 0x00, 0x00 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(tune, 8)))
        return FALSE;
    return ok;
}

#include "hardware/tuners/DemodPllTuners.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/DemodStandardTables.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerModelTable.h"

#include <strmif.h>

namespace
{
enum
{
    DEMOD_ADDRESS = 0x86,
    DEMOD_READ_ADDRESS = 0x87,
    SOUND_ADDRESS = 0xB6,
    DEMOD_SETTLE_MS = 100,
    FM_PREPARE_MS = 10,
};

const float TUNING_OFFSET_KHZ = 250.0f;

// Writes the five (or six, with an auxiliary byte) tuning bytes.
BOOL WritePllTuning(CTunerModule& tuner, int nIF, float frequency, const BYTE* pAux)
{
    if (tuner.m_pRegisterAccess == NULL || !IsInTVRange(tuner, frequency))
        return FALSE;
    WORD divider = PllTVDivider(nIF, frequency);
    BYTE buffer[6];
    buffer[0] = tuner.m_byI2CWrite;
    buffer[1] = static_cast<BYTE>(divider >> 8);
    buffer[2] = static_cast<BYTE>(divider & 0xFF);
    buffer[3] = tuner.m_byControl;
    buffer[4] = PllBandByte(tuner, frequency);
    LONG length = 5;
    if (pAux != NULL)
    {
        buffer[5] = *pAux;
        length = 6;
    }
    return IsBusOk(tuner.m_pRegisterAccess->I2CWrite(buffer, length));
}

BYTE SecamLAuxByte(DWORD standard)
{
    return (standard == AnalogVideo_SECAM_L || standard == AnalogVideo_SECAM_L1) ? 0x20 : 0xA0;
}

// All three registers are sent; one named write decides the result.
BOOL WriteDemodTable(CRegisterAccess* pBus, BYTE device, const DemodStandardTable& table, DWORD standard,
                     DemodWriteForm form, int decidingWrite)
{
    if (pBus == NULL)
        return FALSE;
    HRESULT results[3];
    WriteDemodRegisters(pBus, device, PickDemodColumn(table, standard), form, false, results);
    return IsBusOk(results[decidingWrite]);
}

// Registers 0, 1, 2 through bus writes, ending at the first failure.
BOOL WriteDemodSequence(CRegisterAccess* pBus, BYTE r0, BYTE r1, BYTE r2)
{
    if (pBus == NULL)
        return FALSE;
    const BYTE values[3] = { r0, r1, r2 };
    HRESULT results[3];
    int made = WriteDemodRegisters(pBus, DEMOD_ADDRESS, values, DEMOD_BUS_WRITES, true, results);
    return IsBusOk(results[made - 1]);
}

BOOL SequenceD(CRegisterAccess* pBus, DWORD standard, BOOL bPalGAsPalB)
{
    BYTE r2 = 0x4A;
    if (standard == AnalogVideo_PAL_B || (bPalGAsPalB && standard == AnalogVideo_PAL_G))
        r2 = 0x49;
    else if (standard == AnalogVideo_PAL_D)
        r2 = 0x4B;
    return WriteDemodSequence(pBus, 0xD6, 0x70, r2);
}
}

CTuner_MODEL_JS_2PC::CTuner_MODEL_JS_2PC(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_nIFSecamL1(33900)
{
    ApplyTunerModelRow(*this, 12);
}

BOOL CTuner_MODEL_JS_2PC::SetTVFrequency(float frequency)
{
    int nIF = m_nStandard == AnalogVideo_SECAM_L1 ? m_nIFSecamL1 : m_nIF;
    return WritePllTuning(*this, nIF, frequency, NULL);
}

BOOL CTuner_MODEL_JS_2PC::SetStandardThrough(BYTE device, DWORD standard)
{
    const DemodStandardTable& table = m_nTypeId == 13 ? g_DemodTableJs6b2 : g_DemodTableJs2pc;
    BOOL ok = WriteDemodTable(m_pRegisterAccess, device, table, standard, DEMOD_REGISTER_WRITES, 2);
    if (m_pRegisterAccess != NULL)
        BusSleep(DEMOD_SETTLE_MS);
    return ok;
}

BOOL CTuner_MODEL_JS_2PC::SetStandard(DWORD standard)
{
    // This card wires its demodulator at 0x56.
    return SetStandardThrough(0x56, standard);
}

CTuner_JS_6B2::CTuner_JS_6B2(CRegisterAccess* pRegisterAccess)
    : CTuner_MODEL_JS_2PC(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 13);
    m_nIFSecamL1 = 33950;
}

BOOL CTuner_JS_6B2::SetStandard(DWORD standard)
{
    return SetStandardThrough(DEMOD_ADDRESS, standard);
}

CTuner_TCL9886P_WM::CTuner_TCL9886P_WM(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 17);
}

BOOL CTuner_TCL9886P_WM::SetStandard(DWORD standard)
{
    // Its demodulator answers at 0x43.
    return WriteDemodTable(m_pRegisterAccess, 0x43, g_DemodTableTcl9886, standard, DEMOD_BUS_WRITES, 0);
}

CTuner_TNJ3321PF::CTuner_TNJ3321PF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 59);
}

BOOL CTuner_TNJ3321PF::SetTVFrequency(float frequency)
{
    return CTunerModule::SetTVFrequency(frequency + TUNING_OFFSET_KHZ);
}

BOOL CTuner_TNJ3321PF::SetStandard(DWORD standard)
{
    return SequenceD(m_pRegisterAccess, standard, TRUE);
}

CTuner_TNJ3321MF::CTuner_TNJ3321MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 63);
}

BOOL CTuner_TNJ3321MF::SetTVFrequency(float frequency)
{
    return CTunerModule::SetTVFrequency(frequency + TUNING_OFFSET_KHZ);
}

BOOL CTuner_TNJ3321MF::SetStandard(DWORD)
{
    return WriteDemodSequence(m_pRegisterAccess, 0xD6, 0x30, 0x00);
}

CTuner_LGM200T::CTuner_LGM200T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 72);
}

BOOL CTuner_LGM200T::SetStandard(DWORD standard)
{
    return SequenceD(m_pRegisterAccess, standard, FALSE);
}

CTuner_PHILIPS1216::CTuner_PHILIPS1216(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 92);
}

BOOL CTuner_PHILIPS1216::SetTVFrequency(float frequency)
{
    int nIF = m_nStandard == AnalogVideo_SECAM_L1 ? 33900 : m_nIF;
    BYTE aux = SecamLAuxByte(m_nStandard);
    return WritePllTuning(*this, nIF, frequency, &aux);
}

BOOL CTuner_PHILIPS1216::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
}

BOOL CTuner_PHILIPS1216::SetStandard(DWORD standard)
{
    return WriteDemodTable(m_pRegisterAccess, DEMOD_ADDRESS, g_DemodTablePhilips1216, standard,
                           DEMOD_REGISTER_WRITES, 2);
}

BOOL CTuner_PHILIPS1216::SetFMFrequency(float frequency)
{
    if (m_pRegisterAccess == NULL || !IsInFMRange(*this, frequency))
        return FALSE;
    // Switch the tuner and the demodulator to radio before the divider.
    BYTE prepare1[5] = { m_byI2CWrite, 0x08, 0xFF, 0x8E, 0x01 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare1, 5)))
        return FALSE;
    BYTE prepare2[5] = { m_byI2CWrite, 0x08, 0xFF, 0x8E, 0x19 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare2, 5)))
        return FALSE;
    BusSleep(FM_PREPARE_MS);
    BYTE demod[5] = { DEMOD_ADDRESS, 0x00, 0x5A, 0x90, 0x20 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(demod, 5)))
        return FALSE;
    // Steps of 50 kHz.
    WORD divider = static_cast<WORD>((static_cast<LONG>(frequency) + 10700) * 20 / 1000);
    BYTE buffer[5] = { m_byI2CWrite, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider & 0xFF),
                       m_byFMControl, m_byFMBand };
    return IsBusOk(m_pRegisterAccess->I2CWrite(buffer, 5));
}

CTuner_FQ1216ME::CTuner_FQ1216ME(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 93);
}

BOOL CTuner_FQ1216ME::SetTVFrequency(float frequency)
{
    BYTE aux = SecamLAuxByte(m_nStandard);
    return WritePllTuning(*this, m_nIF, frequency, &aux);
}

BOOL CTuner_FQ1216ME::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_C, pCode);
}

BOOL CTuner_FQ1216ME::SetStandard(DWORD standard)
{
    return WriteDemodTable(m_pRegisterAccess, DEMOD_ADDRESS, g_DemodTableFq1216me, standard,
                           DEMOD_REGISTER_WRITES, 2);
}

CTuner_FQ1236F::CTuner_FQ1236F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 94);
}

BOOL CTuner_FQ1236F::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
}

BOOL CTuner_FQ1236F::SetStandard(DWORD)
{
    return WriteDemodSequence(m_pRegisterAccess, 0x56, 0x30, 0x44);
}

CTuner_PANOSONIC_ENGE4326D::CTuner_PANOSONIC_ENGE4326D(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_nAudioMode(2)
{
    ApplyTunerModelRow(*this, 100);
}

BOOL CTuner_PANOSONIC_ENGE4326D::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_C, pCode);
}

BOOL CTuner_PANOSONIC_ENGE4326D::SetStandard(DWORD)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    // The demodulator's fixed setting; the sound mode decides the result.
    m_pRegisterAccess->WriteByte(DEMOD_ADDRESS, 0, 0xD0);
    m_pRegisterAccess->WriteByte(DEMOD_ADDRESS, 1, 0x0D);
    m_pRegisterAccess->WriteByte(DEMOD_ADDRESS, 2, 0x80);
    SetAudioMode(m_nAudioMode);
    return TRUE;
}

BOOL CTuner_PANOSONIC_ENGE4326D::SetAudioMode(int mode)
{
    m_nAudioMode = mode;
    if (m_pRegisterAccess == NULL)
        return FALSE;
    BYTE value = 0x00;
    if (mode == 2)
        value = 0x80;
    else if (mode == 4)
        value = 0x02;
    else if (mode == 5)
        value = 0x01;
    HRESULT hr = m_pRegisterAccess->WriteByte(SOUND_ADDRESS, 0, value);
    m_pRegisterAccess->WriteByte(SOUND_ADDRESS, 1, 0x04);
    return IsBusOk(hr);
}

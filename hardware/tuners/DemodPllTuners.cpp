#include "hardware/tuners/DemodPllTuners.h"

#include "hardware/tuners/DemodStandardTables.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerModelTable.h"

#include <strmif.h>

namespace
{
enum { SOUND_ADDRESS = 0xB6 };
}

CTuner_MODEL_JS_2PC::CTuner_MODEL_JS_2PC(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess), m_nIFSecamL1(33900)
{
    ApplyTunerModelRow(*this, 12);
}

BOOL CTuner_MODEL_JS_2PC::SetTVFrequency(float frequency)
{
    int nIF = m_nStandard == AnalogVideo_SECAM_L1 ? m_nIFSecamL1 : m_nIF;
    return WritePllTuning(*this, m_byI2CWrite, nIF, frequency, NULL);
}

BOOL CTuner_MODEL_JS_2PC::SetStandardThrough(BYTE device, DWORD standard)
{
    const DemodStandardTable& table = m_nTypeId == 13 ? g_DemodTableJs6b2 : g_DemodTableJs2pc;
    return WriteDemodTableSettled(m_pRegisterAccess, device, table, standard);
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
    return CTunerModule::SetTVFrequency(frequency + TNJ3321_TUNING_OFFSET_KHZ);
}

BOOL CTuner_TNJ3321PF::SetStandard(DWORD standard)
{
    return WriteDemodSequenceD(m_pRegisterAccess, standard, TRUE);
}

CTuner_TNJ3321MF::CTuner_TNJ3321MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 63);
}

BOOL CTuner_TNJ3321MF::SetTVFrequency(float frequency)
{
    return CTunerModule::SetTVFrequency(frequency + TNJ3321_TUNING_OFFSET_KHZ);
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
    return WriteDemodSequenceD(m_pRegisterAccess, standard, FALSE);
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
    return WritePllTuning(*this, m_byI2CWrite, nIF, frequency, &aux);
}

BOOL CTuner_PHILIPS1216::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_A, pCode);
}

BOOL CTuner_PHILIPS1216::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTablePhilips1216, standard);
}

BOOL CTuner_PHILIPS1216::SetFMFrequency(float frequency)
{
    return TunePhilipsRadio(*this, frequency);
}

CTuner_FQ1216ME::CTuner_FQ1216ME(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyTunerModelRow(*this, 93);
}

BOOL CTuner_FQ1216ME::SetTVFrequency(float frequency)
{
    BYTE aux = SecamLAuxByte(m_nStandard);
    return WritePllTuning(*this, m_byI2CWrite, m_nIF, frequency, &aux);
}

BOOL CTuner_FQ1216ME::ReadTVStatus(DWORD* pCode)
{
    return ReadDemodAfc(m_pRegisterAccess, DEMOD_READ_ADDRESS, AFC_DECODER_C, pCode);
}

BOOL CTuner_FQ1216ME::SetStandard(DWORD standard)
{
    return WriteDemodStandard(m_pRegisterAccess, g_DemodTableFq1216me, standard);
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

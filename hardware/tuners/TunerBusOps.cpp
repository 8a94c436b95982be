#include "hardware/tuners/TunerBusOps.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/DemodStandardTables.h"
#include "hardware/tuners/TunerModule.h"

#include <strmif.h>

namespace
{
// A step of 62.5 kHz. The single-precision 0.016 is a little above 0.016, so
// an exact multiple of 62.5 kHz gives its exact integer.
const float TV_DIVIDER_FACTOR = 0.016f;

enum { FM_PREPARE_MS = 10, DEMOD_SETTLE_MS = 100 };
}

WORD PllTVDivider(int nIF, float frequency)
{
    long double sum = static_cast<long double>(nIF) + static_cast<long double>(frequency);
    LONG divider = static_cast<LONG>(sum * static_cast<long double>(TV_DIVIDER_FACTOR));
    return static_cast<WORD>(divider);
}

BYTE PllBandByte(const CTunerModule& tuner, float frequency)
{
    if (frequency < static_cast<float>(tuner.m_nLowBandEnd))
        return tuner.m_byBandLow;
    if (frequency < static_cast<float>(tuner.m_nMidBandEnd))
        return tuner.m_byBandMid;
    return tuner.m_byBandHigh;
}

BOOL IsInTVRange(const CTunerModule& tuner, float frequency)
{
    double f = frequency;
    return f >= static_cast<double>(tuner.m_nTVLow) && f <= static_cast<double>(tuner.m_nTVHigh);
}

BOOL IsInFMRange(const CTunerModule& tuner, float frequency)
{
    double f = frequency;
    return f >= static_cast<double>(tuner.m_nFMLow) && f <= static_cast<double>(tuner.m_nFMHigh);
}

BOOL WritePllTuning(CTunerModule& tuner, BYTE address, int nIF, float frequency, const BYTE* pAux)
{
    if (tuner.m_pRegisterAccess == NULL || !IsInTVRange(tuner, frequency))
        return FALSE;
    WORD divider = PllTVDivider(nIF, frequency);
    BYTE buffer[6];
    buffer[0] = address;
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

BOOL TunePhilipsRadio(CTunerModule& tuner, float frequency)
{
    CRegisterAccess* pBus = tuner.m_pRegisterAccess;
    if (pBus == NULL || !IsInFMRange(tuner, frequency))
        return FALSE;
    BYTE prepare1[5] = { tuner.m_byI2CWrite, 0x08, 0xFF, 0x8E, 0x01 };
    if (!IsBusOk(pBus->I2CWrite(prepare1, 5)))
        return FALSE;
    BYTE prepare2[5] = { tuner.m_byI2CWrite, 0x08, 0xFF, 0x8E, 0x19 };
    if (!IsBusOk(pBus->I2CWrite(prepare2, 5)))
        return FALSE;
    BusSleep(FM_PREPARE_MS);
    BYTE demod[5] = { DEMOD_ADDRESS, 0x00, 0x5A, 0x90, 0x20 };
    if (!IsBusOk(pBus->I2CWrite(demod, 5)))
        return FALSE;
    WORD divider = static_cast<WORD>((static_cast<LONG>(frequency) + 10700) * 20 / 1000);
    BYTE buffer[5] = { tuner.m_byI2CWrite, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider & 0xFF),
                       tuner.m_byFMControl, tuner.m_byFMBand };
    return IsBusOk(pBus->I2CWrite(buffer, 5));
}

HRESULT DemodBusWrite(CRegisterAccess* pBus, BYTE device, BYTE subAddress, BYTE value)
{
    if (pBus == NULL)
        return E_POINTER;
    BYTE buffer[3] = { device, subAddress, value };
    return pBus->I2CWrite(buffer, 3);
}

int WriteDemodRegisters(CRegisterAccess* pBus, BYTE device, const BYTE values[3], DemodWriteForm form,
                        bool bStopAtFailure, HRESULT results[3])
{
    for (int i = 0; i < 3; ++i)
        results[i] = E_FAIL;
    if (pBus == NULL)
        return 0;
    int made = 0;
    for (int i = 0; i < 3; ++i)
    {
        if (form == DEMOD_REGISTER_WRITES)
            results[i] = pBus->WriteByte(device, i, values[i]);
        else
            results[i] = DemodBusWrite(pBus, device, static_cast<BYTE>(i), values[i]);
        ++made;
        if (bStopAtFailure && !IsBusOk(results[i]))
            break;
    }
    return made;
}

const BYTE* PickDemodColumn(const DemodStandardTable& table, DWORD standard)
{
    if (standard != 0)
    {
        for (int i = 0; i < table.nColumns; ++i)
        {
            if ((table.pColumns[i].dwMasks & standard) == standard)
                return table.pColumns[i].abyValues;
        }
    }
    return table.pColumns[0].abyValues;
}

BOOL WriteDemodTable(CRegisterAccess* pBus, BYTE device, const DemodStandardTable& table, DWORD standard,
                     DemodWriteForm form, int decidingWrite)
{
    if (pBus == NULL)
        return FALSE;
    HRESULT results[3];
    WriteDemodRegisters(pBus, device, PickDemodColumn(table, standard), form, false, results);
    return IsBusOk(results[decidingWrite]);
}

BOOL WriteDemodStandard(CRegisterAccess* pBus, const DemodStandardTable& table, DWORD standard)
{
    return WriteDemodTable(pBus, DEMOD_ADDRESS, table, standard, DEMOD_REGISTER_WRITES, 2);
}

BOOL WriteDemodTableSettled(CRegisterAccess* pBus, BYTE device, const DemodStandardTable& table, DWORD standard)
{
    BOOL ok = WriteDemodTable(pBus, device, table, standard, DEMOD_REGISTER_WRITES, 2);
    if (pBus != NULL)
        BusSleep(DEMOD_SETTLE_MS);
    return ok;
}

BOOL WriteDemodSequence(CRegisterAccess* pBus, BYTE r0, BYTE r1, BYTE r2)
{
    if (pBus == NULL)
        return FALSE;
    const BYTE values[3] = { r0, r1, r2 };
    HRESULT results[3];
    int made = WriteDemodRegisters(pBus, DEMOD_ADDRESS, values, DEMOD_BUS_WRITES, true, results);
    return IsBusOk(results[made - 1]);
}

BOOL WriteDemodSequenceD(CRegisterAccess* pBus, DWORD standard, BOOL bPalGAsPalB)
{
    BYTE r2 = 0x4A;
    if (standard == AnalogVideo_PAL_B || (bPalGAsPalB && standard == AnalogVideo_PAL_G))
        r2 = 0x49;
    else if (standard == AnalogVideo_PAL_D)
        r2 = 0x4B;
    return WriteDemodSequence(pBus, 0xD6, 0x70, r2);
}

BOOL ReadDemodAfc(CRegisterAccess* pBus, BYTE address, DemodAfcDecoder decoder, DWORD* pCode)
{
    if (pBus == NULL || pCode == NULL)
        return FALSE;
    BYTE buffer[1] = { address };
    if (!IsBusOk(pBus->I2CRead(buffer, 1)))
        return FALSE;
    *pCode = static_cast<DWORD>(g_DemodAfcCodes[decoder][(buffer[0] >> 1) & 0x0F]);
    return TRUE;
}

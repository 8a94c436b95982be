#include "hardware/tuners/TunerBusOps.h"

#include "hardware/tuners/TunerModule.h"

namespace
{
const float TV_DIVIDER_FACTOR = 0.016f;
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

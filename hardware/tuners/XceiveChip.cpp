#include "hardware/tuners/XceiveChip.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/XceiveFirmware.h"

#include <strmif.h>

namespace
{
enum { STATUS_WAIT_MS = 50 };

const DWORD kStandards[] =
{
    AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M,
    AnalogVideo_PAL_N, AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G,
    AnalogVideo_SECAM_H, AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1,
    AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433
};

const DWORD MN_STANDARDS = AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 | AnalogVideo_PAL_H |
                           AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_60;

bool IsSingleStandard(DWORD standard)
{
    return standard != 0 && (standard & (standard - 1)) == 0;
}
}

void ApplyXceiveSettings(CTunerModule& tuner, int nTypeId)
{
    tuner.m_nTypeId = nTypeId;
    tuner.m_nModelId = nTypeId;
    tuner.m_cTunerLetter = 'E';
    tuner.m_byI2CRead = 0xC3;
    tuner.m_byI2CWrite = XCEIVE_ADDRESS;
    tuner.m_nTVLow = 42750;
    tuner.m_nTVHigh = 863250;
    tuner.m_nLowBandEnd = 147250;
    tuner.m_nMidBandStart = 147250;
    tuner.m_nMidBandEnd = 425250;
    tuner.m_nHighBandStart = 425250;
    tuner.m_byBandLow = 0;
    tuner.m_byBandMid = 0;
    tuner.m_byBandHigh = 0;
    tuner.m_byControl = 0;
    tuner.m_byStatusMask = 0;
    tuner.m_nIF = 0;
    tuner.m_nFMIF = 0;
    tuner.m_bHasFM = FALSE;
    tuner.m_nAfcCode1 = 4;
    tuner.m_nAfcCode2 = 2;
    tuner.m_nAfcCode3 = 1;
    tuner.m_nAfcCode4 = 1;
    tuner.m_nAfcCode5 = 0;
    tuner.m_nFMLockCode = 4;
    tuner.m_bReapplyStandard = FALSE;
    for (size_t i = 0; i < sizeof(kStandards) / sizeof(kStandards[0]); ++i)
        tuner.m_vecStandards.push_back(kStandards[i]);
}

int XceiveLongImageFor(DWORD standard)
{
    if (!IsSingleStandard(standard))
        return 0;
    if (standard & MN_STANDARDS)
        return 5;
    if (standard & (AnalogVideo_PAL_B | AnalogVideo_PAL_G))
        return 6;
    if (standard & (AnalogVideo_PAL_D | AnalogVideo_SECAM_D | AnalogVideo_SECAM_H | AnalogVideo_SECAM_K |
                    AnalogVideo_SECAM_K1))
        return 7;
    if (standard & AnalogVideo_PAL_I)
        return 8;
    if (standard & (AnalogVideo_SECAM_B | AnalogVideo_SECAM_G | AnalogVideo_SECAM_L | AnalogVideo_SECAM_L1))
        return 9;
    return 0;
}

int XceiveShortImageFor(DWORD standard)
{
    if (!IsSingleStandard(standard))
        return 0;
    if (standard & MN_STANDARDS)
        return 2;
    if (standard & (AnalogVideo_PAL_B | AnalogVideo_PAL_D | AnalogVideo_PAL_G | AnalogVideo_PAL_I |
                    AnalogVideo_SECAM_B | AnalogVideo_SECAM_G))
        return 1;
    if (standard & (AnalogVideo_SECAM_D | AnalogVideo_SECAM_H | AnalogVideo_SECAM_K | AnalogVideo_SECAM_K1))
        return 3;
    if (standard & (AnalogVideo_SECAM_L | AnalogVideo_SECAM_L1))
        return 4;
    return 0;
}

const XceiveScript& XceiveBaseFor(int image)
{
    return (image == 2 || image == 5) ? g_XceiveBaseMN : g_XceiveBaseOther;
}

BOOL ResetXceive(CRegisterAccess* pBus, DWORD lowMs)
{
    if (pBus == NULL)
        return FALSE;
    pBus->SetGpioLine(0);
    BusSleep(lowMs);
    return IsBusOk(pBus->SetGpioLine(1));
}

BOOL HoldXceiveReset(CRegisterAccess* pBus)
{
    if (pBus == NULL)
        return FALSE;
    return IsBusOk(pBus->SetGpioLine(0));
}

BOOL ReadXceiveStatus(CRegisterAccess* pBus, DWORD* pCode)
{
    BYTE request[3] = { XCEIVE_ADDRESS, 0x00, 0x02 };
    if (!IsBusOk(pBus->I2CWrite(request, 3)))
    {
        *pCode = 0;
        return FALSE;
    }
    BusSleep(STATUS_WAIT_MS);
    BYTE buffer[4] = { XCEIVE_ADDRESS, 0, 0, 0 };
    HRESULT hr = pBus->I2CRead(buffer, 4);
    *pCode = (IsBusOk(hr) && buffer[1] == 1) ? 1 : 0;
    return IsBusOk(hr);
}

#include "hardware/tuners/Xceive2028Tuner.h"

#include "hardware/bus/BusClock.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/XceiveFirmware.h"

#include <math.h>
#include <strmif.h>

namespace
{
enum
{
    XCEIVE_ADDRESS = 0xC2,
    RESET_LOW_MS = 200,
    LOAD_WAIT_MS = 100,
    SCRIPT_PAUSE_MS = 10,
    PULSE_MS = 10,
    TUNE_SETTLE_MS = 20,
    TUNE_AFTER_MS = 10,
    STATUS_WAIT_MS = 50,
    LOCK_REGISTER = 0x3A,
};

const DWORD kStandards[] =
{
    AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_PAL_H, AnalogVideo_PAL_I, AnalogVideo_PAL_M,
    AnalogVideo_PAL_N, AnalogVideo_PAL_60, AnalogVideo_SECAM_B, AnalogVideo_SECAM_D, AnalogVideo_SECAM_G,
    AnalogVideo_SECAM_H, AnalogVideo_SECAM_K, AnalogVideo_SECAM_K1, AnalogVideo_SECAM_L, AnalogVideo_SECAM_L1,
    AnalogVideo_NTSC_M, AnalogVideo_NTSC_M_J, AnalogVideo_NTSC_433
};

const DWORD MN_STANDARDS = AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_NTSC_433 | AnalogVideo_PAL_H |
                           AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_60;

// The standard image of a standard: variant A (long images) and variant B
// (short images); 0 for a standard the chip has no image for.
int LongImageFor(DWORD standard)
{
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

int ShortImageFor(DWORD standard)
{
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

// One standard bit only; a combination has no image.
bool IsSingleStandard(DWORD standard)
{
    return standard != 0 && (standard & (standard - 1)) == 0;
}
}

CTuner_XCEIVE2028::CTuner_XCEIVE2028(CRegisterAccess* pRegisterAccess, int nTypeId)
    : CTunerModule(pRegisterAccess), m_dwReserved(0)
{
    m_nTypeId = nTypeId;
    m_nModelId = nTypeId;
    m_cTunerLetter = 'E';
    m_byI2CRead = 0xC3;
    m_byI2CWrite = 0xC2;
    m_nTVLow = 42750;
    m_nTVHigh = 863250;
    m_nLowBandEnd = 147250;
    m_nMidBandStart = 147250;
    m_nMidBandEnd = 425250;
    m_nHighBandStart = 425250;
    m_byBandLow = 0;
    m_byBandMid = 0;
    m_byBandHigh = 0;
    m_byControl = 0;
    m_byStatusMask = 0;
    m_nIF = 0;
    m_nFMIF = 0;
    m_bHasFM = FALSE;
    m_nAfcCode1 = 4;
    m_nAfcCode2 = 2;
    m_nAfcCode3 = 1;
    m_nAfcCode4 = 1;
    m_nAfcCode5 = 0;
    m_nFMLockCode = 4;
    m_bReapplyStandard = FALSE;
    for (size_t i = 0; i < sizeof(kStandards) / sizeof(kStandards[0]); ++i)
        m_vecStandards.push_back(kStandards[i]);
}

int CTuner_XCEIVE2028::CardKind() const
{
    return m_pOwner != NULL ? m_pOwner->GetCardType() : 0;
}

BOOL CTuner_XCEIVE2028::Reset()
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    m_pRegisterAccess->SetGpioLine(0);
    BusSleep(RESET_LOW_MS);
    return IsBusOk(m_pRegisterAccess->SetGpioLine(1));
}

BOOL CTuner_XCEIVE2028::HoldReset()
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    return IsBusOk(m_pRegisterAccess->SetGpioLine(0));
}

BOOL CTuner_XCEIVE2028::RunScript(const XceiveScript& script)
{
    CXceiveScriptRunner runner(m_pRegisterAccess, UsesAddressByte(), UsesAddressByte() ? SCRIPT_PAUSE_MS : 0,
                               [this]() { return Reset(); });
    return runner.Run(script);
}

BOOL CTuner_XCEIVE2028::LoadInitTables()
{
    Reset();
    BusSleep(LOAD_WAIT_MS);
    if (!RunScript(g_XceiveBaseMN))
        return FALSE;
    BusSleep(LOAD_WAIT_MS);
    return RunScript(XceiveStandardImage(1));
}

BOOL CTuner_XCEIVE2028::SetTVFrequency(float frequency)
{
    if (m_pRegisterAccess == NULL || !(frequency >= 0.0f))
        return FALSE;
    int kind = CardKind();
    if (UsesAddressByte())
    {
        BYTE prepare[5] = { XCEIVE_ADDRESS, 0x00, 0x02, 0x00, 0x00 };
        if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare, 5)))
            return FALSE;
        if (kind != 13)
        {
            BusSleep(PULSE_MS);
            m_pRegisterAccess->WriteGpio(1, 0);
            BusSleep(PULSE_MS);
            m_pRegisterAccess->WriteGpio(0, 0);
        }
    }
    else
    {
        BYTE prepare[4] = { 0x00, 0x02, 0x00, 0x00 };
        if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare, 4)))
            return FALSE;
    }
    BusSleep(TUNE_SETTLE_MS);
    // Steps of 15.625 kHz.
    DWORD word = static_cast<DWORD>(floor(static_cast<double>(frequency) * 64.0 / 1000.0));
    BYTE buffer[5];
    LONG length = 0;
    if (UsesAddressByte())
        buffer[length++] = XCEIVE_ADDRESS;
    buffer[length++] = 0x00;
    buffer[length++] = 0x00;
    buffer[length++] = static_cast<BYTE>((word >> 8) & 0xFF);
    buffer[length++] = static_cast<BYTE>(word & 0xFF);
    HRESULT hr = m_pRegisterAccess->I2CWrite(buffer, length);
    BusSleep(TUNE_AFTER_MS);
    return IsBusOk(hr);
}

BOOL CTuner_XCEIVE2028::ReadRegisterLock(DWORD* pCode)
{
    BYTE value = 0;
    if (!IsBusOk(m_pRegisterAccess->ReadRegisterByte(LOCK_REGISTER, &value)))
        return FALSE;
    // The decoder clears bit 0 while it is locked.
    *pCode = (~value) & 1;
    return TRUE;
}

BOOL CTuner_XCEIVE2028::ReadTVStatus(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    int kind = CardKind();
    if (kind == 12 || kind == 14)
        return ReadRegisterLock(pCode);
    if (kind != 0)
    {
        BYTE request[3] = { XCEIVE_ADDRESS, 0x00, 0x02 };
        if (!IsBusOk(m_pRegisterAccess->I2CWrite(request, 3)))
        {
            *pCode = 0;
            return FALSE;
        }
        BusSleep(STATUS_WAIT_MS);
        BYTE buffer[4] = { XCEIVE_ADDRESS, 0, 0, 0 };
        HRESULT hr = m_pRegisterAccess->I2CRead(buffer, 4);
        *pCode = (IsBusOk(hr) && buffer[1] == 1) ? 1 : 0;
        return IsBusOk(hr);
    }
    DWORD code = 2;
    BYTE request[2] = { 0x00, 0x02 };
    if (IsBusOk(m_pRegisterAccess->I2CWrite(request, 2)))
    {
        BusSleep(STATUS_WAIT_MS);
        BYTE buffer[2] = { 0, 0 };
        if (IsBusOk(m_pRegisterAccess->I2CRead(buffer, 2)))
            code = (static_cast<DWORD>(buffer[0]) << 8) + buffer[1];
    }
    *pCode = code;
    return code == 1;
}

BOOL CTuner_XCEIVE2028::IsSignalPresent(DWORD* pPresent)
{
    int kind = CardKind();
    if (kind == 0 || kind == 13)
        return CTunerModule::IsSignalPresent(pPresent);
    if (m_pRegisterAccess == NULL || pPresent == NULL)
        return FALSE;
    DWORD code = 0;
    if (!ReadRegisterLock(&code))
        return FALSE;
    *pPresent = code == 1 ? 1 : 0;
    return TRUE;
}

BOOL CTuner_XCEIVE2028::SetStandard(DWORD standard)
{
    int kind = CardKind();
    if (kind != 0 && kind != 13)
    {
        Reset();
        int image = IsSingleStandard(standard) ? LongImageFor(standard) : 0;
        if (image == 0)
            return FALSE;
        const XceiveScript& base = image == 5 ? g_XceiveBaseMN : g_XceiveBaseOther;
        BOOL baseOk = RunScript(base);
        BusSleep(LOAD_WAIT_MS);
        BOOL standardOk = RunScript(XceiveStandardImage(image));
        return baseOk && standardOk;
    }
    if (m_pRegisterAccess == NULL)
        return FALSE;
    int image = IsSingleStandard(standard) ? ShortImageFor(standard) : 0;
    if (image == 0)
        return TRUE;
    BOOL resetOk = Reset();
    const XceiveScript& base = image == 2 ? g_XceiveBaseMN : g_XceiveBaseOther;
    BOOL baseOk = RunScript(base);
    BOOL standardOk = RunScript(XceiveStandardImage(image));
    return resetOk && baseOk && standardOk;
}

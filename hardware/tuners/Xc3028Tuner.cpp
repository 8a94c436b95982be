#include "hardware/tuners/Xc3028Tuner.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/XceiveFirmware.h"

#include <math.h>
#include <strmif.h>

namespace
{
enum
{
    XCEIVE_ADDRESS = 0xC2,
    LOAD_WAIT_MS = 100,
    PULSE_MS = 10,
    SLOT18_PULSE_MS = 200,
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

bool IsSingleStandard(DWORD standard)
{
    return standard != 0 && (standard & (standard - 1)) == 0;
}

// The type-136 standard script (long images 5 to 9), 0 when none.
int AfImageFor(DWORD standard)
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

// The type-137 standard script (short images 1 to 4), 0 when none.
int SifImageFor(DWORD standard)
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

// The base script that goes with a standard script: the M/N one for M/N.
const XceiveScript& BaseFor(int image)
{
    return (image == 2 || image == 5) ? g_XceiveBaseMN : g_XceiveBaseOther;
}
}

CXc3028Tuner::CXc3028Tuner(CRegisterAccess* pRegisterAccess)
    : CXc3028Tuner(pRegisterAccess, 136, 200, 10)
{
}

CXc3028Tuner::CXc3028Tuner(CRegisterAccess* pRegisterAccess, int nTypeId, DWORD resetLowMs, DWORD scriptPauseMs)
    : CTunerModule(pRegisterAccess), m_dwReserved(0), m_dwResetLowMs(resetLowMs), m_dwScriptPauseMs(scriptPauseMs)
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
    m_bReapplyStandard = FALSE;
    for (size_t i = 0; i < sizeof(kStandards) / sizeof(kStandards[0]); ++i)
        m_vecStandards.push_back(kStandards[i]);
}

BOOL CXc3028Tuner::Reset()
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    m_pRegisterAccess->SetGpioLine(0);
    BusSleep(m_dwResetLowMs);
    return IsBusOk(m_pRegisterAccess->SetGpioLine(1));
}

BOOL CXc3028Tuner::HoldReset()
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    return IsBusOk(m_pRegisterAccess->SetGpioLine(0));
}

BOOL CXc3028Tuner::RunScript(const XceiveScript& script)
{
    CXceiveScriptRunner runner(m_pRegisterAccess, TRUE, m_dwScriptPauseMs, [this]() { return Reset(); });
    return runner.Run(script);
}

BOOL CXc3028Tuner::LoadStartup()
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    Reset();
    BusSleep(LOAD_WAIT_MS);
    if (!RunScript(g_XceiveBaseMN))
        return FALSE;
    BusSleep(LOAD_WAIT_MS);
    return RunScript(XceiveStandardImage(1));
}

BOOL CXc3028Tuner::WriteFrequencyWord(float frequency, LONG length)
{
    DWORD word = static_cast<DWORD>(floor(static_cast<double>(frequency) * 64.0 / 1000.0));
    BYTE buffer[6] = { XCEIVE_ADDRESS, 0x00, 0x00, static_cast<BYTE>((word >> 8) & 0xFF),
                       static_cast<BYTE>(word & 0xFF), 0x00 };
    HRESULT hr = m_pRegisterAccess->I2CWrite(buffer, length);
    BusSleep(TUNE_AFTER_MS);
    return IsBusOk(hr);
}

BOOL CXc3028Tuner::SetTVFrequency(float frequency)
{
    if (m_pRegisterAccess == NULL || !(frequency >= 0.0f))
        return FALSE;
    BYTE prepare[5] = { XCEIVE_ADDRESS, 0x00, 0x02, 0x00, 0x00 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare, 5)))
        return FALSE;
    BusSleep(PULSE_MS);
    m_pRegisterAccess->WriteGpio(1, 0);
    BusSleep(PULSE_MS);
    m_pRegisterAccess->WriteGpio(0, 0);
    BusSleep(TUNE_SETTLE_MS);
    return WriteFrequencyWord(frequency, 5);
}

BOOL CXc3028Tuner::ReadTVStatus(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    BYTE value = 0;
    HRESULT hr = m_pRegisterAccess->ReadRegisterByte(LOCK_REGISTER, &value);
    *pCode = (IsBusOk(hr) && (value & 1) == 0) ? 1 : 0;
    return IsBusOk(hr);
}

BOOL CXc3028Tuner::IsSignalPresent(DWORD* pPresent)
{
    if (m_pRegisterAccess == NULL || pPresent == NULL)
        return FALSE;
    BYTE value = 0;
    HRESULT hr = m_pRegisterAccess->ReadRegisterByte(LOCK_REGISTER, &value);
    *pPresent = (IsBusOk(hr) && (value & 1) == 0) ? 1 : 0;
    return IsBusOk(hr);
}

BOOL CXc3028Tuner::ReadTunerStatus(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
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

BOOL CXc3028Tuner::SetStandard(DWORD standard)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    Reset();
    int image = AfImageFor(standard);
    if (image == 0)
        return FALSE;
    // The standard script goes even after a failed base script.
    BOOL baseOk = RunScript(BaseFor(image));
    BusSleep(LOAD_WAIT_MS);
    BOOL standardOk = RunScript(XceiveStandardImage(image));
    return baseOk && standardOk;
}

CXc3028SifTuner::CXc3028SifTuner(CRegisterAccess* pRegisterAccess)
    : CXc3028Tuner(pRegisterAccess, 137, 20, 20)
{
}

BOOL CXc3028SifTuner::SetTVFrequency(float frequency)
{
    if (m_pRegisterAccess == NULL || !(frequency >= 0.0f))
        return FALSE;
    BYTE prepare[6] = { XCEIVE_ADDRESS, 0x00, 0x02, 0x00, 0x00, 0x00 };
    if (!IsBusOk(m_pRegisterAccess->I2CWrite(prepare, 6)))
        return FALSE;
    BusSleep(PULSE_MS);
    // Cards without this slot ignore the pulse.
    m_pRegisterAccess->Reserved18(1);
    BusSleep(SLOT18_PULSE_MS);
    m_pRegisterAccess->Reserved18(0);
    BusSleep(PULSE_MS);
    return WriteFrequencyWord(frequency, 6);
}

BOOL CXc3028SifTuner::ReadTVStatus(DWORD* pCode)
{
    return ReadTunerStatus(pCode);
}

BOOL CXc3028SifTuner::IsSignalPresent(DWORD* pPresent)
{
    return CTunerModule::IsSignalPresent(pPresent);
}

BOOL CXc3028SifTuner::SetStandard(DWORD standard)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    int image = SifImageFor(standard);
    if (image == 0)
        return TRUE;
    BOOL resetOk = Reset();
    BOOL baseOk = RunScript(BaseFor(image));
    BOOL standardOk = RunScript(XceiveStandardImage(image));
    return resetOk && baseOk && standardOk;
}

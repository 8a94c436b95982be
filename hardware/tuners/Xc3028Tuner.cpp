#include "hardware/tuners/Xc3028Tuner.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/XceiveChip.h"
#include "hardware/tuners/XceiveFirmware.h"

#include <math.h>
#include <strmif.h>

namespace
{
enum
{
    LOAD_WAIT_MS = 100,
    PULSE_MS = 10,
    SLOT18_PULSE_MS = 200,
    TUNE_SETTLE_MS = 20,
    TUNE_AFTER_MS = 10,
    LOCK_REGISTER = 0x3A,
};
}

CXc3028Tuner::CXc3028Tuner(CRegisterAccess* pRegisterAccess)
    : CXc3028Tuner(pRegisterAccess, 136, 200, 10)
{
}

CXc3028Tuner::CXc3028Tuner(CRegisterAccess* pRegisterAccess, int nTypeId, DWORD resetLowMs, DWORD scriptPauseMs)
    : CTunerModule(pRegisterAccess), m_dwReserved(0), m_dwResetLowMs(resetLowMs), m_dwScriptPauseMs(scriptPauseMs)
{
    ApplyXceiveSettings(*this, nTypeId);
}

BOOL CXc3028Tuner::Reset()
{
    return ResetXceive(m_pRegisterAccess, m_dwResetLowMs);
}

BOOL CXc3028Tuner::HoldReset()
{
    return HoldXceiveReset(m_pRegisterAccess);
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
    // The capture chip's lock bit is the signal too.
    return CXc3028Tuner::ReadTVStatus(pPresent);
}

BOOL CXc3028Tuner::ReadTunerStatus(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    return ReadXceiveStatus(m_pRegisterAccess, pCode);
}

BOOL CXc3028Tuner::SetStandard(DWORD standard)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    Reset();
    int image = XceiveLongImageFor(standard);
    if (image == 0)
        return FALSE;
    // The standard script goes even after a failed base script.
    BOOL baseOk = RunScript(XceiveBaseFor(image));
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
    int image = XceiveShortImageFor(standard);
    if (image == 0)
        return TRUE;
    BOOL resetOk = Reset();
    BOOL baseOk = RunScript(XceiveBaseFor(image));
    BOOL standardOk = RunScript(XceiveStandardImage(image));
    return resetOk && baseOk && standardOk;
}

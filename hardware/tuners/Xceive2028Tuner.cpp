#include "hardware/tuners/Xceive2028Tuner.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerOwner.h"
#include "hardware/tuners/XceiveChip.h"
#include "hardware/tuners/XceiveFirmware.h"

#include <math.h>
#include <strmif.h>

namespace
{
enum
{
    RESET_LOW_MS = 200,
    LOAD_WAIT_MS = 100,
    SCRIPT_PAUSE_MS = 10,
    PULSE_MS = 10,
    TUNE_SETTLE_MS = 20,
    TUNE_AFTER_MS = 10,
    STATUS_WAIT_MS = 50,
    LOCK_REGISTER = 0x3A,
};
}

CTuner_XCEIVE2028::CTuner_XCEIVE2028(CRegisterAccess* pRegisterAccess, int nTypeId)
    : CTunerModule(pRegisterAccess), m_dwReserved(0)
{
    ApplyXceiveSettings(*this, nTypeId);
}

int CTuner_XCEIVE2028::CardKind() const
{
    return m_pOwner != NULL ? m_pOwner->GetCardType() : 0;
}

BOOL CTuner_XCEIVE2028::Reset()
{
    return ResetXceive(m_pRegisterAccess, RESET_LOW_MS);
}

BOOL CTuner_XCEIVE2028::HoldReset()
{
    return HoldXceiveReset(m_pRegisterAccess);
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
        return ReadXceiveStatus(m_pRegisterAccess, pCode);
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
        int image = XceiveLongImageFor(standard);
        if (image == 0)
            return FALSE;
        BOOL baseOk = RunScript(XceiveBaseFor(image));
        BusSleep(LOAD_WAIT_MS);
        BOOL standardOk = RunScript(XceiveStandardImage(image));
        return baseOk && standardOk;
    }
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

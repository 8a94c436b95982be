#include "hardware/devices/McuCaptureDevice.h"

#include "hardware/bus/BusClock.h"
#include "hardware/devices/RemoteControlLock.h"

namespace
{
enum
{
    REQUEST_HIGH_BYTE = 0x01,
    REQUEST_LOW_BYTE = 0x10,
    PROBE_SET = 0x33,
    PROBE_CLEAR = 0x11,
    ANSWER_SET = 0xCA,
    ANSWER_CLEAR = 0xBA,
    BYTE_PAUSE_MS = 200,
    RETRY_PAUSE_MS = 100,
};
}

CMcuCaptureDevice::CMcuCaptureDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude,
                                     McuLanes lanes, BOOL bLocked, BOOL bHoldFromMember)
    : CCaptureDevice(pGraph, pCategory, pszName, bExclude), m_lanes(lanes), m_bLocked(bLocked),
      m_bHoldFromMember(bHoldFromMember)
{
}

CMcuCaptureDevice::CMcuCaptureDevice(CDShowGraph* pGraph, REFCLSID clsid, McuLanes lanes, BOOL bLocked,
                                     BOOL bHoldFromMember)
    : CCaptureDevice(pGraph, clsid), m_lanes(lanes), m_bLocked(bLocked), m_bHoldFromMember(bHoldFromMember)
{
}

DWORD CMcuCaptureDevice::GpioLaneCodec(DWORD value, BOOL bEncode, McuLanes lanes)
{
    if (lanes == LANES_STRAIGHT)
        return bEncode ? (value & 0xFF) << 16 : (value >> 16) & 0xFF;
    if (bEncode)
        return (((value & 0xE0) << 1) | (value & 0x1F)) << 19;
    value &= 0xEF80000;
    return (((value >> 1) & 0x7000000) | (value & 0xF80000)) >> 19;
}

BOOL CMcuCaptureDevice::ReadRemoteKey(BYTE* pKey)
{
    if (m_pRegisterAccess == NULL || pKey == NULL)
        return FALSE;
    DWORD word = 0;
    if (FAILED(m_pRegisterAccess->ReadGpio(&word)) || (word & CODE_LINES) != CODE_REQUEST)
        return FALSE;
    DWORD limit = m_bHoldFromMember ? static_cast<DWORD>(m_nKeyTimeout) : FIXED_KEY_HOLD_MS;
    DWORD start = BusTickCount();
    DWORD kept = word;
    for (;;)
    {
        kept = word;
        BusSleep(1);
        if (FAILED(m_pRegisterAccess->ReadGpio(&word)) || (word & CODE_LINES) != CODE_REQUEST)
            break;
        DWORD now = BusTickCount();
        DWORD elapsed = now >= start ? now - start : start - now;
        if (elapsed > limit)
            break;
    }
    *pKey = static_cast<BYTE>(~Decode(kept));
    return TRUE;
}

BOOL CMcuCaptureDevice::McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    if (FAILED(m_pRegisterAccess->WriteGpio(REST_LINES, REST_LINES)))
        return FALSE;
    if (FAILED(m_pRegisterAccess->WriteGpioDelayed(value, mask, dwDelayMs)))
        return FALSE;
    return SUCCEEDED(m_pRegisterAccess->WriteGpio(REST_LINES, REST_LINES));
}

BOOL CMcuCaptureDevice::McuWaitReady(DWORD* pValue)
{
    if (pValue != NULL)
        *pValue = 0;
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD start = BusTickCount();
    BOOL bSeen = FALSE;
    for (;;)
    {
        DWORD word = 0;
        if (FAILED(m_pRegisterAccess->ReadGpio(&word)))
            return FALSE;
        if ((word & CARD_STROBE) == 0)
        {
            if (pValue != NULL)
                *pValue = word;
            bSeen = TRUE;
        }
        else if (bSeen)
        {
            return TRUE;
        }
        if (BusTickCount() - start > ANSWER_TIMEOUT_MS)
            return FALSE;
    }
}

BOOL CMcuCaptureDevice::Request(BYTE value, DWORD* pAnswer)
{
    return McuWrite(Encode(value) | CODE_REQUEST, WriteMask(), BYTE_HOLD_MS) && McuWaitReady(pAnswer);
}

BOOL CMcuCaptureDevice::McuReadWord(WORD* pValue)
{
    if (pValue == NULL)
        return FALSE;
    *pValue = 0;
    if (m_pRegisterAccess == NULL)
        return FALSE;
    DWORD answer = 0;
    if (!Request(REQUEST_HIGH_BYTE, &answer) || (answer & CODE_LINES) != CODE_HIGH)
        return FALSE;
    WORD value = static_cast<WORD>(Decode(answer) << 8);
    BusSleep(RETRY_PAUSE_MS);
    if (!Request(REQUEST_LOW_BYTE, &answer) || (answer & CODE_LINES) != CODE_LOW)
        return FALSE;
    *pValue = static_cast<WORD>(value + Decode(answer));
    return TRUE;
}

BOOL CMcuCaptureDevice::McuSendWord(DWORD value)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    // An exchange goes on even when the wait fails.
    CRemoteControlLock hold(m_bLocked);
    for (int nTry = 0; nTry < TRIES; ++nTry)
    {
        if (!McuWrite(Encode(static_cast<BYTE>(value >> 8)) | CODE_HIGH, WriteMask(), BYTE_HOLD_MS))
        {
            BusSleep(RETRY_PAUSE_MS);
            continue;
        }
        BusSleep(BYTE_PAUSE_MS);
        if (!McuWrite(Encode(static_cast<BYTE>(value)) | CODE_LOW, WriteMask(), BYTE_HOLD_MS))
        {
            BusSleep(RETRY_PAUSE_MS);
            continue;
        }
        BusSleep(BYTE_PAUSE_MS);
        WORD readBack = 0;
        if (McuReadWord(&readBack) && readBack == (value & 0xFFFF))
            return TRUE;
    }
    return FALSE;
}

BOOL CMcuCaptureDevice::McuHandshake(DWORD flag)
{
    if (m_pRegisterAccess == NULL)
        return FALSE;
    // An exchange goes on even when the wait fails.
    CRemoteControlLock hold(m_bLocked);
    BYTE probe = flag ? PROBE_SET : PROBE_CLEAR;
    BYTE expected = flag ? ANSWER_SET : ANSWER_CLEAR;
    for (int nTry = 0; nTry < TRIES; ++nTry)
    {
        DWORD answer = 0;
        if (Request(probe, &answer) && Decode(answer) == expected)
            return TRUE;
        BusSleep(RETRY_PAUSE_MS);
    }
    return FALSE;
}

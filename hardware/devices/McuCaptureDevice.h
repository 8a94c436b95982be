#pragma once

#include "hardware/devices/CaptureDevice.h"

// A card with a microcontroller beside its video decoder, reached only
// through the decoder's GPIO lines. The host presents a byte on the data
// lanes with its strobe (bit 15) low and a code in bits 9-10 (3 a request,
// 2 the high byte, 1 the low byte); the controller answers with its strobe
// (bit 11) low and shows a held remote key the same way. Every exchange
// starts from and ends in the rest state 0x8600; the audio lines 12-14 are
// never changed.
class CMcuCaptureDevice : public CCaptureDevice
{
public:
    // Where the data lanes lie: bits 16-23, or 19-23 and 25-27.
    enum McuLanes { LANES_STRAIGHT, LANES_SPLIT };
    enum
    {
        REST_LINES = 0x8600,
        CODE_LINES = 0xE00,
        CODE_REQUEST = 0x600,
        CODE_HIGH = 0x400,
        CODE_LOW = 0x200,
        CARD_STROBE = 0x800,
        AUDIO_LINES = 0x7000,
        WRITE_MASK_SPLIT = 0x0EF88600,
        WRITE_MASK_STRAIGHT = 0x00FF8600,
        ANSWER_TIMEOUT_MS = 500,
        BYTE_HOLD_MS = 10,
        TRIES = 5,
        FIXED_KEY_HOLD_MS = 1000,
        DEFAULT_KEY_HOLD_MS = 500,
    };

    // The byte on the lanes and back.
    static DWORD GpioLaneCodec(DWORD value, BOOL bEncode, McuLanes lanes);

    BOOL ReadRemoteKey(BYTE* pKey) override;
    BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs) override;
    BOOL McuWaitReady(DWORD* pValue) override;
    BOOL McuSendWord(DWORD value) override;
    BOOL McuReadWord(WORD* pValue) override;
    BOOL McuHandshake(DWORD flag) override;

protected:
    // bLocked: the sends and the handshake hold "Mutex_Remote_Control";
    // bHoldFromMember: a key is read for as long as the key time-out member
    // says, else for 1000 ms.
    CMcuCaptureDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude, McuLanes lanes,
                      BOOL bLocked, BOOL bHoldFromMember);
    CMcuCaptureDevice(CDShowGraph* pGraph, REFCLSID clsid, McuLanes lanes, BOOL bLocked, BOOL bHoldFromMember);

    DWORD Encode(BYTE value) const { return GpioLaneCodec(value, TRUE, m_lanes); }
    BYTE Decode(DWORD lines) const { return static_cast<BYTE>(GpioLaneCodec(lines, FALSE, m_lanes)); }
    DWORD WriteMask() const { return m_lanes == LANES_SPLIT ? WRITE_MASK_SPLIT : WRITE_MASK_STRAIGHT; }
    // One request byte and the answer to it.
    BOOL Request(BYTE value, DWORD* pAnswer);

private:
    McuLanes m_lanes;
    BOOL m_bLocked;
    BOOL m_bHoldFromMember;
};

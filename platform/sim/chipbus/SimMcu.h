#pragma once

#include "platform/sim/chipbus/SimChipBus.h"

// The card microcontroller beside a video decoder, as the host sees it on
// the GPIO lines: the host presents a byte on the data lanes with its strobe
// (bit 15) low and a two-bit code in bits 9-10; the controller answers a
// request by pulling its own strobe (bit 11) low for a few reads with a byte
// and a code on the same lines, and shows a held remote key the same way.
// The data lanes are bits 16-23 (straight) or 19-23 and 25-27 (split).
class CSimMcu : public ISimGpioDevice
{
public:
    enum { ANSWER_READS = 2, PROBE_LOW = 0x11, PROBE_HIGH = 0x33, ANSWER_LOW = 0xBA, ANSWER_HIGH = 0xCA };

    explicit CSimMcu(bool bSplitLanes);

    static DWORD Encode(BYTE value, bool bSplit);
    static BYTE Decode(DWORD lines, bool bSplit);
    static DWORD DataLanes(bool bSplit) { return bSplit ? 0x0EF80000 : 0x00FF0000; }

    // The key shows on the lines for that many reads, then the lines rest.
    void PressKey(BYTE key, int reads);
    WORD GetValue() const { return m_wValue; }
    void SetValue(WORD value) { m_wValue = value; }
    // A silent controller never answers a request.
    void SetSilent(bool bSilent) { m_bSilent = bSilent; }

    void OnGpioWrite(DWORD lines) override;
    DWORD OnGpioRead(DWORD lines) override;

private:
    DWORD Drive(DWORD lines, DWORD code, BYTE data) const;

    bool m_bSplit;
    bool m_bSilent;
    bool m_bHostStrobe;
    BYTE m_byHigh;
    WORD m_wValue;
    bool m_bAnswerPending;
    DWORD m_answerCode;
    BYTE m_byAnswer;
    int m_nAnswerReads;
    BYTE m_byKey;
    int m_nKeyReads;
};

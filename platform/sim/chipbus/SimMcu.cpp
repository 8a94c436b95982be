#include "platform/sim/chipbus/SimMcu.h"

namespace
{
enum
{
    HOST_STROBE = 0x8000,
    CARD_STROBE = 0x800,
    CODE_LINES = 0x600,
    CODE_REQUEST = 0x600,
    CODE_HIGH = 0x400,
    CODE_LOW = 0x200,
    REQUEST_HIGH_BYTE = 0x01,
    REQUEST_LOW_BYTE = 0x10,
};
}

CSimMcu::CSimMcu(bool bSplitLanes)
    : m_bSplit(bSplitLanes), m_bSilent(false), m_bHostStrobe(false), m_byHigh(0), m_wValue(0),
      m_bAnswerPending(false), m_answerCode(0), m_byAnswer(0), m_nAnswerReads(0), m_byKey(0), m_nKeyReads(0)
{
}

DWORD CSimMcu::Encode(BYTE value, bool bSplit)
{
    if (!bSplit)
        return static_cast<DWORD>(value) << 16;
    return (static_cast<DWORD>((value & 0xE0) << 1) | (value & 0x1F)) << 19;
}

BYTE CSimMcu::Decode(DWORD lines, bool bSplit)
{
    if (!bSplit)
        return static_cast<BYTE>(lines >> 16);
    lines &= 0x0EF80000;
    return static_cast<BYTE>((((lines >> 1) & 0x7000000) | (lines & 0xF80000)) >> 19);
}

void CSimMcu::PressKey(BYTE key, int reads)
{
    m_byKey = key;
    m_nKeyReads = reads;
}

void CSimMcu::OnGpioWrite(DWORD lines)
{
    bool bStrobe = (lines & HOST_STROBE) == 0;
    if (bStrobe && !m_bHostStrobe)
    {
        BYTE data = Decode(lines, m_bSplit);
        switch (lines & CODE_LINES)
        {
        case CODE_HIGH:
            m_byHigh = data;
            break;
        case CODE_LOW:
            m_wValue = static_cast<WORD>(m_byHigh << 8 | data);
            break;
        case CODE_REQUEST:
            m_bAnswerPending = !m_bSilent;
            m_answerCode = CODE_REQUEST;
            if (data == REQUEST_HIGH_BYTE)
                m_answerCode = CODE_HIGH, m_byAnswer = static_cast<BYTE>(m_wValue >> 8);
            else if (data == REQUEST_LOW_BYTE)
                m_answerCode = CODE_LOW, m_byAnswer = static_cast<BYTE>(m_wValue);
            else if (data == PROBE_HIGH)
                m_byAnswer = ANSWER_HIGH;
            else if (data == PROBE_LOW)
                m_byAnswer = ANSWER_LOW;
            else
                m_bAnswerPending = false;
            break;
        }
    }
    else if (!bStrobe && m_bHostStrobe && m_bAnswerPending)
    {
        // The host let go of the lines: the answer follows.
        m_bAnswerPending = false;
        m_nAnswerReads = ANSWER_READS;
    }
    m_bHostStrobe = bStrobe;
}

DWORD CSimMcu::Drive(DWORD lines, DWORD code, BYTE data) const
{
    return (lines & ~(DataLanes(m_bSplit) | CODE_LINES | CARD_STROBE)) | code | Encode(data, m_bSplit);
}

DWORD CSimMcu::OnGpioRead(DWORD lines)
{
    if (m_nAnswerReads > 0)
    {
        --m_nAnswerReads;
        return Drive(lines, m_answerCode, m_byAnswer);
    }
    if (m_nKeyReads > 0)
    {
        --m_nKeyReads;
        // A key shows inverted, with the request code and the strobe low.
        return Drive(lines, CODE_REQUEST, static_cast<BYTE>(~m_byKey));
    }
    return lines | CARD_STROBE;
}

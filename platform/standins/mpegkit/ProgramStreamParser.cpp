#include "platform/standins/mpegkit/ProgramStreamParser.h"

#include <string.h>

CProgramStreamParser::CProgramStreamParser() : m_llPendingOffset(0)
{
}

void CProgramStreamParser::Reset()
{
    m_pending.clear();
    m_llPendingOffset = 0;
}

LONGLONG CProgramStreamParser::ReadPts(const BYTE* p)
{
    return (static_cast<LONGLONG>((p[0] >> 1) & 7) << 30) | (static_cast<LONGLONG>(p[1]) << 22) |
           (static_cast<LONGLONG>(p[2] >> 1) << 15) | (static_cast<LONGLONG>(p[3]) << 7) | (p[4] >> 1);
}

LONGLONG CProgramStreamParser::ReadScr(const BYTE* p, BOOL bMpeg2)
{
    if (!bMpeg2)
        return ReadPts(p);
    return (static_cast<LONGLONG>((p[0] >> 3) & 7) << 30) | (static_cast<LONGLONG>(p[0] & 3) << 28) |
           (static_cast<LONGLONG>(p[1]) << 20) | (static_cast<LONGLONG>(p[2] >> 3) << 15) |
           (static_cast<LONGLONG>(p[2] & 3) << 13) | (static_cast<LONGLONG>(p[3]) << 5) | (p[4] >> 3);
}

int CProgramStreamParser::UnitLength(const BYTE* p, size_t cb)
{
    if (cb < 4)
        return 0;
    if (p[0] != 0 || p[1] != 0 || p[2] != 1 || p[3] < 0xB9)
        return -1;
    if (p[3] == 0xB9)
        return 4;
    if (p[3] == 0xBA)
    {
        if (cb < 5)
            return 0;
        if ((p[4] & 0xC0) == 0x40)
            return cb < 14 ? 0 : 14 + (p[13] & 7);
        return (p[4] & 0xF0) == 0x20 ? 12 : -1;
    }
    if (cb < 6)
        return 0;
    return 6 + ((p[4] << 8) | p[5]);
}

void CProgramStreamParser::ParsePacket(const BYTE* p, int cb, Handler& handler)
{
    BYTE id = p[3];
    // Only the elementary streams carry a header with time stamps.
    if (id == 0xBB || id == 0xBC || id == 0xBE || id == 0xBF || id >= 0xF0)
        return;
    Packet packet = { id, FALSE, 0, NULL, 0 };
    int i = 6;
    if (cb > 8 && (p[6] & 0xC0) == 0x80)
    {
        int cbHeader = p[8];
        if ((p[7] & 0x80) != 0 && cbHeader >= 5 && cb >= 14)
        {
            packet.bHasPts = TRUE;
            packet.llPts = ReadPts(p + 9);
        }
        i = 9 + cbHeader;
    }
    else
    {
        for (int n = 0; i < cb && p[i] == 0xFF && n < 16; ++n)
            ++i;
        if (i < cb && (p[i] & 0xC0) == 0x40)
            i += 2;
        if (i + 5 <= cb && ((p[i] & 0xF0) == 0x20 || (p[i] & 0xF0) == 0x30))
        {
            packet.bHasPts = TRUE;
            packet.llPts = ReadPts(p + i);
            i += (p[i] & 0xF0) == 0x20 ? 5 : 10;
        }
        else if (i < cb && p[i] == 0x0F)
        {
            ++i;
        }
    }
    if (i >= cb)
        return;
    packet.pPayload = p + i;
    packet.cbPayload = static_cast<DWORD>(cb - i);
    handler.OnPacket(packet);
}

void CProgramStreamParser::Feed(const BYTE* pData, DWORD cbData, Handler& handler)
{
    m_pending.insert(m_pending.end(), pData, pData + cbData);
    const BYTE* p = m_pending.data();
    size_t cb = m_pending.size();
    size_t pos = 0;
    while (pos < cb)
    {
        int n = UnitLength(p + pos, cb - pos);
        if (n == 0 || (n > 0 && pos + n > cb))
            break;
        if (n < 0)
        {
            // Not a unit here: on to the next start code prefix.
            ++pos;
            while (pos + 3 <= cb && !(p[pos] == 0 && p[pos + 1] == 0 && p[pos + 2] == 1))
                ++pos;
            // The last two bytes may begin the next prefix.
            if (pos + 3 > cb)
                break;
            continue;
        }
        if (p[pos + 3] == 0xBA)
            handler.OnPack(m_llPendingOffset + static_cast<LONGLONG>(pos),
                           ReadScr(p + pos + 4, (p[pos + 4] & 0xC0) == 0x40));
        else if (p[pos + 3] != 0xB9)
            ParsePacket(p + pos, n, handler);
        pos += n;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(pos));
    m_llPendingOffset += static_cast<LONGLONG>(pos);
}

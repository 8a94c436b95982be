#include "platform/sim/blackbird/SimMpegClip.h"

#include <stdio.h>
#include <string.h>

namespace
{
const LONGLONG kMask33 = (1LL << 33) - 1;

// The 33-bit time in a PES header's five bytes ('0010', '0011' or '0001' prefix).
LONGLONG ReadPesTime(const BYTE* p)
{
    return (static_cast<LONGLONG>((p[0] >> 1) & 0x07) << 30) | (static_cast<LONGLONG>(p[1]) << 22) |
           (static_cast<LONGLONG>(p[2] >> 1) << 15) | (static_cast<LONGLONG>(p[3]) << 7) | (p[4] >> 1);
}

void WritePesTime(BYTE* p, LONGLONG t)
{
    t &= kMask33;
    p[0] = static_cast<BYTE>((p[0] & 0xF0) | ((t >> 29) & 0x0E) | 0x01);
    p[1] = static_cast<BYTE>(t >> 22);
    p[2] = static_cast<BYTE>(((t >> 14) & 0xFE) | 0x01);
    p[3] = static_cast<BYTE>(t >> 7);
    p[4] = static_cast<BYTE>(((t << 1) & 0xFE) | 0x01);
}

// MPEG-2 pack header SCR base (bytes 4-9 of the pack).
LONGLONG ReadScr2(const BYTE* p)
{
    return (static_cast<LONGLONG>((p[0] >> 3) & 0x07) << 30) | (static_cast<LONGLONG>(p[0] & 0x03) << 28) |
           (static_cast<LONGLONG>(p[1]) << 20) | (static_cast<LONGLONG>(p[2] >> 3) << 15) |
           (static_cast<LONGLONG>(p[2] & 0x03) << 13) | (static_cast<LONGLONG>(p[3]) << 5) | (p[4] >> 3);
}

void WriteScr2(BYTE* p, LONGLONG t)
{
    t &= kMask33;
    p[0] = static_cast<BYTE>(0x44 | ((t >> 27) & 0x38) | ((t >> 28) & 0x03));
    p[1] = static_cast<BYTE>(t >> 20);
    p[2] = static_cast<BYTE>(((t >> 12) & 0xF8) | 0x04 | ((t >> 13) & 0x03));
    p[3] = static_cast<BYTE>(t >> 5);
    p[4] = static_cast<BYTE>(((t << 3) & 0xF8) | 0x04 | (p[4] & 0x03));
}

size_t PackSize(const std::vector<BYTE>& d, size_t at, BOOL bMpeg2)
{
    size_t header = bMpeg2 ? 14 + (d[at + 13] & 0x07) : 12;
    size_t pos = at + header;
    // System header and PES packets up to the next pack or the end code.
    while (pos + 6 <= d.size() && d[pos] == 0 && d[pos + 1] == 0 && d[pos + 2] == 1 && d[pos + 3] != 0xBA &&
           d[pos + 3] != 0xB9)
        pos += 6 + ((d[pos + 4] << 8) | d[pos + 5]);
    return pos > d.size() ? 0 : pos - at;
}

// Where a PES packet's time stamps lie (0 for none) and where its data
// begins; h is the first byte after the packet's length field.
struct PesLayout
{
    size_t pts;
    size_t dts;
    size_t payload;
};

PesLayout ReadPesLayout(const BYTE* p, size_t h, size_t end, BOOL bMpeg2)
{
    PesLayout pes = { 0, 0, end };
    if (bMpeg2)
    {
        if (h + 3 <= end)
        {
            const BYTE flags = p[h + 1] >> 6;
            if (flags & 0x2)
                pes.pts = h + 3;
            if (flags == 0x3)
                pes.dts = h + 8;
            pes.payload = h + 3 + p[h + 2];
        }
        return pes;
    }
    while (h < end && p[h] == 0xFF)
        ++h;
    if (h + 2 <= end && (p[h] & 0xC0) == 0x40)
        h += 2;
    if (h + 5 <= end && (p[h] & 0xF0) == 0x20)
    {
        pes.pts = h;
        pes.payload = h + 5;
    }
    else if (h + 10 <= end && (p[h] & 0xF0) == 0x30)
    {
        pes.pts = h;
        pes.dts = h + 5;
        pes.payload = h + 10;
    }
    else
    {
        pes.payload = h < end ? h + 1 : h;
    }
    return pes;
}

// Calls f(id, pos, end) for each whole packet of the pack at p (size bytes),
// pos its first byte and end the byte after it.
template <typename F>
void ForEachPacket(const BYTE* p, size_t size, BOOL bMpeg2, F f)
{
    size_t pos = bMpeg2 ? 14 + (p[13] & 0x07) : 12;
    while (pos + 6 <= size && p[pos] == 0 && p[pos + 1] == 0 && p[pos + 2] == 1)
    {
        const size_t end = pos + 6 + ((p[pos + 4] << 8) | p[pos + 5]);
        if (end > size)
            break;
        f(p[pos + 3], pos, end);
        pos = end;
    }
}
}

CSimMpegClip::CSimMpegClip()
    : m_bMpeg2(TRUE), m_llPassTicks(0), m_nPictures(0), m_nFramesPerSecond(25), m_nextPack(0), m_pass(0),
      m_llPackTicks(1), m_llLastScr(-1)
{
}

BOOL CSimMpegClip::Load(const char* pszPath)
{
    m_data.clear();
    m_packs.clear();
    FILE* f = fopen(pszPath, "rb");
    if (f == NULL)
        return FALSE;
    BYTE chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0)
        m_data.insert(m_data.end(), chunk, chunk + n);
    fclose(f);
    if (m_data.size() < 14 || m_data[0] != 0 || m_data[1] != 0 || m_data[2] != 1 || m_data[3] != 0xBA)
    {
        m_data.clear();
        return FALSE;
    }
    m_bMpeg2 = (m_data[4] & 0xC0) == 0x40;
    size_t at = 0;
    while (at + 14 <= m_data.size() && m_data[at] == 0 && m_data[at + 1] == 0 && m_data[at + 2] == 1 &&
           m_data[at + 3] == 0xBA)
    {
        size_t size = PackSize(m_data, at, m_bMpeg2);
        if (size == 0)
            break;
        Pack pack = { at, size, m_bMpeg2 ? ReadScr2(&m_data[at + 4]) : ReadPesTime(&m_data[at + 4]) };
        m_packs.push_back(pack);
        at += size;
    }
    // Pictures and frame rate are read from the video alone: the bytes of a
    // picture start code also turn up inside the sound's frames.
    std::vector<BYTE> video;
    for (const Pack& pack : m_packs)
    {
        const BYTE* p = &m_data[pack.offset];
        ForEachPacket(p, pack.size, m_bMpeg2, [&](BYTE id, size_t pos, size_t end) {
            if (id < 0xE0 || id > 0xEF)
                return;
            const size_t payload = ReadPesLayout(p, pos + 6, end, m_bMpeg2).payload;
            if (payload < end)
                video.insert(video.end(), p + payload, p + end);
        });
    }
    m_nPictures = 0;
    for (size_t i = 0; i + 8 < video.size(); ++i)
    {
        if (video[i] != 0 || video[i + 1] != 0 || video[i + 2] != 1)
            continue;
        if (video[i + 3] == 0x00)
            ++m_nPictures;
        else if (video[i + 3] == 0xB3)
            m_nFramesPerSecond = (video[i + 7] & 0x0F) == 3 ? 25 : (video[i + 7] & 0x0F) == 4 ? 30 : 25;
    }
    if (m_packs.empty() || m_nPictures == 0)
    {
        m_data.clear();
        m_packs.clear();
        return FALSE;
    }
    // Mux rate in units of 50 bytes per second.
    const BYTE* h = &m_data[4];
    LONGLONG muxRate = m_bMpeg2 ? ((h[6] << 14) | (h[7] << 6) | (h[8] >> 2))
                                : (((h[5] & 0x7F) << 15) | (h[6] << 7) | (h[7] >> 1));
    // One sector's time: the unit the packs of a pass are spread by.
    m_llPackTicks = muxRate > 0 ? (2048LL * 90000 + muxRate * 50 - 1) / (muxRate * 50) : 1;
    m_llPassTicks = m_nFramesPerSecond == 30 ? static_cast<LONGLONG>(m_nPictures) * 3003
                                               : static_cast<LONGLONG>(m_nPictures) * 90000 / m_nFramesPerSecond;
    Rewind();
    return TRUE;
}

void CSimMpegClip::Rewind()
{
    m_nextPack = 0;
    m_pass = 0;
    m_llLastScr = -1;
}

LONGLONG CSimMpegClip::Restamp(BYTE* p, size_t size, LONGLONG ticks, int pictures)
{
    // A muxer starts its clock references ahead of the pictures they carry,
    // so a pass's first packs would reach back before the last packs of the
    // pass before; they leave one pack time after those instead.
    LONGLONG scr = (m_bMpeg2 ? ReadScr2(p + 4) : ReadPesTime(p + 4)) + ticks;
    if (m_llLastScr >= 0 && scr < m_llLastScr + m_llPackTicks)
        scr = m_llLastScr + m_llPackTicks;
    m_llLastScr = scr;
    if (m_bMpeg2)
        WriteScr2(p + 4, scr);
    else
        WritePesTime(p + 4, scr);
    ForEachPacket(p, size, m_bMpeg2, [&](BYTE id, size_t pos, size_t end) {
        if ((id >= 0xC0 && id <= 0xEF) || id == 0xBD)
        {
            const PesLayout pes = ReadPesLayout(p, pos + 6, end, m_bMpeg2);
            if (pes.pts != 0)
                WritePesTime(p + pes.pts, ReadPesTime(p + pes.pts) + ticks);
            if (pes.dts != 0)
                WritePesTime(p + pes.dts, ReadPesTime(p + pes.dts) + ticks);
            // GOP time codes move on by the pictures of the passes before.
            for (size_t i = pes.payload; id >= 0xE0 && i + 7 < end; ++i)
            {
                if (p[i] != 0 || p[i + 1] != 0 || p[i + 2] != 1 || p[i + 3] != 0xB8)
                    continue;
                BYTE* tc = p + i + 4;
                int hours = (tc[0] >> 2) & 0x1F;
                int minutes = ((tc[0] & 0x03) << 4) | (tc[1] >> 4);
                int seconds = ((tc[1] & 0x07) << 3) | (tc[2] >> 5);
                int frames = ((tc[2] & 0x1F) << 1) | (tc[3] >> 7);
                LONGLONG total = (((static_cast<LONGLONG>(hours) * 60 + minutes) * 60 + seconds) *
                                  m_nFramesPerSecond) + frames + pictures;
                frames = static_cast<int>(total % m_nFramesPerSecond);
                total /= m_nFramesPerSecond;
                seconds = static_cast<int>(total % 60);
                total /= 60;
                minutes = static_cast<int>(total % 60);
                hours = static_cast<int>((total / 60) % 24);
                tc[0] = static_cast<BYTE>((tc[0] & 0x80) | (hours << 2) | (minutes >> 4));
                tc[1] = static_cast<BYTE>(((minutes & 0x0F) << 4) | 0x08 | (seconds >> 3));
                tc[2] = static_cast<BYTE>(((seconds & 0x07) << 5) | (frames >> 1));
                tc[3] = static_cast<BYTE>((tc[3] & 0x7F) | ((frames & 1) << 7));
            }
        }
    });
    return scr;
}

DWORD CSimMpegClip::Next(BYTE* pBuffer, DWORD cbMax, DWORD cbWanted, LONGLONG* pllDue)
{
    if (m_packs.empty() || pBuffer == NULL)
        return 0;
    DWORD used = 0;
    BOOL bFirst = TRUE;
    while (used < cbWanted || bFirst)
    {
        const Pack& pack = m_packs[m_nextPack];
        if (used + pack.size > cbMax)
            break;
        LONGLONG ticks = m_pass * m_llPassTicks;
        memcpy(pBuffer + used, &m_data[pack.offset], pack.size);
        LONGLONG scr = Restamp(pBuffer + used, pack.size, ticks, static_cast<int>(m_pass * m_nPictures));
        if (bFirst && pllDue != NULL)
            *pllDue = scr - m_packs[0].scr;
        bFirst = FALSE;
        used += static_cast<DWORD>(pack.size);
        if (++m_nextPack == m_packs.size())
        {
            m_nextPack = 0;
            ++m_pass;
            break;
        }
    }
    return used;
}

#include "parvane/NavPack.h"

#include <string.h>
#include <new>
#include "parvane/MpegClock.h"

namespace
{
// SCR 0 with its marker bits, then program_mux_rate 25200 (10.08 Mbit/s, the DVD rate) with
// its two marker bits, then reserved bits and no stuffing.
const BYTE kPackHeader[14] = { 0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01,
                               0x01, 0x89, 0xC3, 0xF8 };
// A DVD system header: rate bound 25200, one audio and one video stream, the video, first
// MPEG audio, private stream 1 and private stream 2 buffers.
const BYTE kSystemHeader[24] = { 0x00, 0x00, 0x01, 0xBB, 0x00, 0x12, 0x80, 0xC4, 0xE1, 0x04,
                                 0xE1, 0xFF, 0xB9, 0xE0, 0xE8, 0xB8, 0xC0, 0x20, 0xBD, 0xE0,
                                 0x3A, 0xBF, 0xE0, 0x02 };
const BYTE kPciPacket[6] = { 0x00, 0x00, 0x01, 0xBF, 0x03, 0xD4 };
const BYTE kDsiPacket[6] = { 0x00, 0x00, 0x01, 0xBF, 0x03, 0xFA };

BYTE FrameRateFlag(double framesPerSecond)
{
    if (framesPerSecond > 24.999 && framesPerSecond < 25.001)
        return 0x40;
    if (framesPerSecond > 29.999 && framesPerSecond < 30.001)
        return 0xC0;
    return 0x00;
}
}

CNavPack::CNavPack()
    : m_packHeader(0), m_systemHeader(0), m_pciPacket(0), m_pciSubstream(0), m_pci(0),
      m_dsiPacket(0), m_dsiSubstream(0), m_dsi(0)
{
    m_pack = new (std::nothrow) BYTE[kPackSize];
    if (m_pack)
        Layout();
}

CNavPack::~CNavPack()
{
    delete[] m_pack;
}

void CNavPack::Layout()
{
    BYTE* p = m_pack;
    memset(p, 0, kPackSize);
    m_packHeader = p;
    m_systemHeader = p + 14;
    m_pciPacket = p + 38;
    m_pciSubstream = p + 44;
    m_pci = p + 45;
    m_dsiPacket = p + 1024;
    m_dsiSubstream = p + 1030;
    m_dsi = p + 1031;

    memcpy(m_packHeader, kPackHeader, sizeof(kPackHeader));
    memcpy(m_systemHeader, kSystemHeader, sizeof(kSystemHeader));
    memcpy(m_pciPacket, kPciPacket, sizeof(kPciPacket));
    *m_pciSubstream = 0x00;
    memcpy(m_dsiPacket, kDsiPacket, sizeof(kDsiPacket));
    *m_dsiSubstream = 0x01;
    // No neighbouring VOBU is known: every forward and backward search word says so.
    for (int off = 238; off <= 310; off += 4)
        CMpegClock::PutBig32(m_dsi + off, 0x3FFFFFFF);
    for (int off = 322; off <= 394; off += 4)
        CMpegClock::PutBig32(m_dsi + off, 0x3FFFFFFF);
}

BOOL CNavPack::SetSystemHeader(const void* src, int length)
{
    if (length < 0 || length > kSystemHeaderRoom || (!src && length > 0))
        return FALSE;
    if (length > 0)
        memcpy(m_systemHeader, src, length);
    return TRUE;
}

void CNavPack::SetScr(double seconds)
{
    CMpegClock::WriteMpeg2Scr(m_packHeader, seconds);
    // The DSI carries the same clock as the pack that holds it.
    CMpegClock::PutBig32(m_dsi, (DWORD)CMpegClock::ReadScrBaseTicks(m_packHeader + 4));
}

void CNavPack::SetLbn(DWORD lbn)
{
    CMpegClock::PutBig32(m_pci, lbn);
    CMpegClock::PutBig32(m_dsi + 4, lbn);
}

void CNavPack::SetPtm(DWORD startPtm, DWORD endPtm)
{
    CMpegClock::PutBig32(m_pci + 12, startPtm);
    CMpegClock::PutBig32(m_pci + 16, endPtm);
}

void CNavPack::SetTime(double seconds, double framesPerSecond)
{
    BYTE flag = FrameRateFlag(framesPerSecond);
    CMpegClock::WriteBcdTime(m_pci + 24, seconds, framesPerSecond, flag);
    CMpegClock::WriteBcdTime(m_dsi + 28, seconds, framesPerSecond, flag);
}

void CNavPack::SetVobuAddress(DWORD end, DWORD ref1End, DWORD ref2End, DWORD ref3End)
{
    CMpegClock::PutBig32(m_dsi + 8, end);
    CMpegClock::PutBig32(m_dsi + 12, ref1End);
    CMpegClock::PutBig32(m_dsi + 16, ref2End);
    CMpegClock::PutBig32(m_dsi + 20, ref3End);
}

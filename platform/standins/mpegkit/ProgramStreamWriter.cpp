#include "platform/standins/mpegkit/ProgramStreamWriter.h"

#include <string.h>

namespace
{
// 10.08 Mbit/s in units of 50 bytes per second.
const DWORD kMuxRate = 25200;
// How far a pack's clock reference runs ahead of the time stamp it carries.
const LONGLONG kLead = 9000;
}

CProgramStreamWriter::CProgramStreamWriter() : m_llScr(0)
{
}

void CProgramStreamWriter::Reset()
{
    m_llScr = 0;
}

void CProgramStreamWriter::PutPackHeader(LONGLONG llScr, DWORD dwMuxRate, BYTE* p)
{
    p[0] = 0x00;
    p[1] = 0x00;
    p[2] = 0x01;
    p[3] = 0xBA;
    p[4] = static_cast<BYTE>(0x44 | ((llScr >> 27) & 0x38) | ((llScr >> 28) & 0x03));
    p[5] = static_cast<BYTE>(llScr >> 20);
    p[6] = static_cast<BYTE>(((llScr >> 12) & 0xF8) | 0x04 | ((llScr >> 13) & 0x03));
    p[7] = static_cast<BYTE>(llScr >> 5);
    p[8] = static_cast<BYTE>(((llScr & 0x1F) << 3) | 0x04);
    p[9] = 0x01;
    p[10] = static_cast<BYTE>(dwMuxRate >> 14);
    p[11] = static_cast<BYTE>(dwMuxRate >> 6);
    p[12] = static_cast<BYTE>(((dwMuxRate & 0x3F) << 2) | 0x03);
    p[13] = 0xF8;
}

void CProgramStreamWriter::PutPts(LONGLONG llPts, BYTE* p)
{
    p[0] = static_cast<BYTE>(0x21 | ((llPts >> 29) & 0x0E));
    p[1] = static_cast<BYTE>(llPts >> 22);
    p[2] = static_cast<BYTE>(((llPts >> 14) & 0xFE) | 0x01);
    p[3] = static_cast<BYTE>(llPts >> 7);
    p[4] = static_cast<BYTE>(((llPts << 1) & 0xFE) | 0x01);
}

void CProgramStreamWriter::AddPacket(BYTE streamId, LONGLONG llPts, const BYTE* pData, DWORD cbData,
                                     std::vector<BYTE>& out)
{
    if (llPts >= 0 && llPts - kLead > m_llScr)
        m_llScr = llPts - kLead;
    BOOL bFirst = TRUE;
    while (cbData > 0)
    {
        DWORD cb = cbData < MAX_PAYLOAD ? cbData : MAX_PAYLOAD;
        BOOL bPts = bFirst && llPts >= 0;
        size_t at = out.size();
        out.resize(at + 14 + 9 + (bPts ? 5 : 0) + cb);
        BYTE* p = &out[at];
        PutPackHeader(m_llScr, kMuxRate, p);
        p += 14;
        DWORD cbPacket = 3 + (bPts ? 5 : 0) + cb;
        p[0] = 0x00;
        p[1] = 0x00;
        p[2] = 0x01;
        p[3] = streamId;
        p[4] = static_cast<BYTE>(cbPacket >> 8);
        p[5] = static_cast<BYTE>(cbPacket);
        p[6] = 0x81;
        p[7] = bPts ? 0x80 : 0x00;
        p[8] = bPts ? 5 : 0;
        p += 9;
        if (bPts)
        {
            PutPts(llPts, p);
            p += 5;
        }
        memcpy(p, pData, cb);
        pData += cb;
        cbData -= cb;
        bFirst = FALSE;
    }
}

void CProgramStreamWriter::AddEnd(std::vector<BYTE>& out)
{
    const BYTE kEnd[4] = { 0x00, 0x00, 0x01, 0xB9 };
    out.insert(out.end(), kEnd, kEnd + 4);
}

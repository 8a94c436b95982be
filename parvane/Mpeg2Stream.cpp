#include "parvane/Mpeg2Stream.h"

#include <string.h>

#include <new>

#include "parvane/MappedFile.h"
#include "parvane/OutputFile.h"
#include "parvane/PackRestamper.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};
const BYTE kSequenceCode[4] = {0x00, 0x00, 0x01, 0xB3};
const BYTE kPrefix[3] = {0x00, 0x00, 0x01};

} // namespace

CMpeg2Stream::CMpeg2Stream(CMappedFile* reader)
    : CMpegStream(reader)
{
    m_kind = 2;
    m_restamper = new (std::nothrow) CPackRestamper(2);
    m_valid = m_restamper ? ScanFile() : 0;
}

double CMpeg2Stream::GetPackScr(const BYTE* pack)
{
    return m_restamper->GetPackScr(pack);
}

double CMpeg2Stream::GetGopTime(const BYTE* gop)
{
    return m_restamper->GetGopTime(gop);
}

void CMpeg2Stream::SetGopTime(BYTE* gop, double seconds)
{
    m_restamper->SetGopTime(gop, seconds);
}

void CMpeg2Stream::SetPackScr(BYTE* pack, double seconds)
{
    m_restamper->SetPackScr(pack, seconds);
}

void CMpeg2Stream::ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info)
{
    m_restamper->ParseSequenceHeader(header);
    if (info)
        *info = m_restamper->Sequence();
}

void CMpeg2Stream::ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait)
{
    m_restamper->ShiftPackTimes(pack, length, offset, gopMark, audioWait);
}

__int64 CMpeg2Stream::FindGopNear(__int64 position, double* time, int forward)
{
    return LocateGop(position, time, forward);
}

__int64 CMpeg2Stream::TimeToPosition(double* seconds, int mode)
{
    return LocateTime(seconds, mode);
}

int CMpeg2Stream::ScanFile()
{
    if (!m_reader)
        return 0;
    m_fileSize = m_reader->GetFileSize();
    __int64 sequence = m_reader->PositionOf(m_reader->FindForward(kSequenceCode, 0, 4));
    if (sequence < 0)
        return 0;
    const BYTE* header = m_reader->Pointer(sequence, 44);
    if (!header)
        return 0;
    ParseSequenceHeader(header, &m_sequence);
    double time = 0;
    m_dataStart = FindGopNear(0, &time, 1);
    if (m_dataStart < 0)
        return 0;
    m_firstTime = time;
    m_lastGopPosition = FindGopNear(m_fileSize, &time, 0);
    if (m_lastGopPosition < 0)
        return 0;
    m_lastTime = time;
    return 1;
}

int CMpeg2Stream::StartOutput(COutputFile* file, int* audioWait)
{
    if (audioWait)
        *audioWait = 1;
    if (!file || !m_reader)
        return 0;
    if (m_dataStart <= 0)
        return 1;
    // Audio already carried before the first GOP means the output starts on audio frames.
    for (__int64 at = 0; at < m_dataStart;)
    {
        __int64 found = m_reader->PositionOf(m_reader->FindForward(kPrefix, at, 3));
        if (found < 0 || found >= m_dataStart)
            break;
        const BYTE* id = m_reader->Pointer(found + 3, 1);
        if (id && (id[0] == 0xC0 || id[0] == 0xD0))
        {
            if (audioWait)
                *audioWait = 0;
            break;
        }
        at = found + 4;
    }
    const __int64 window = m_reader->GetWindowSize();
    for (__int64 at = 0; at < m_dataStart; at += window)
    {
        int n = (int)(m_dataStart - at < window ? m_dataStart - at : window);
        const BYTE* piece = m_reader->Pointer(at, n);
        if (!piece || !file->Write(piece, n))
            return 0;
    }
    return 1;
}

BOOL CMpeg2Stream::ReadNextPack(__int64* start, __int64* end, double* scr)
{
    if (!m_reader || *start >= *end)
        return FALSE;
    m_cursor = *start;
    __int64 packStart = -1;
    for (;;)
    {
        if (MatchBytes(kPackCode, 4))
        {
            packStart = m_cursor;
            if (ParsePack())
                break;
            if (m_cursor == packStart)
                ++m_cursor;
        }
        else
        {
            __int64 next = m_reader->PositionOf(m_reader->FindForward(kPackCode, m_cursor + 1, 4));
            if (next < 0)
                return FALSE;
            m_cursor = next;
        }
        if (m_cursor >= *end)
            return FALSE;
    }
    const __int64 packEnd = m_cursor;
    *start = packStart;
    *end = packEnd;
    const __int64 length = packEnd - packStart;
    if (length <= 0 || length > 0x7FFFFFFF - 512 || !ReserveWorkBuffer((int)length))
        return FALSE;
    const BYTE* bytes = m_reader->Pointer(packStart, (int)length);
    if (!bytes)
        return FALSE;
    memcpy(m_workBuffer, bytes, (size_t)length);
    if (scr)
        *scr = GetPackScr(m_workBuffer);
    return TRUE;
}

int CMpeg2Stream::ParsePack()
{
    if (!ParsePackHeader())
        return 0;
    while (m_fileSize - m_cursor >= 6 && MatchBytes(kPrefix, 3) && !MatchBytes(kPackCode, 4))
    {
        if (!ParsePacket())
            return 0;
    }
    return 1;
}

int CMpeg2Stream::ParsePackHeader()
{
    const BYTE* p = TakeBytes(14);
    if (!p || memcmp(p, kPackCode, 4) != 0)
        return 0;
    int stuffing = p[13] & 0x07;
    for (int i = 0; i < stuffing; ++i)
    {
        const BYTE* b = TakeBytes(1);
        if (!b || b[0] != 0xFF)
            return 0;
    }
    if (MatchBytes(kSystemHeaderCode, 4))
        return ParseSystemHeader();
    return 1;
}

int CMpeg2Stream::ParseSystemHeader()
{
    const BYTE* p = TakeBytes(12);
    if (!p || memcmp(p, kSystemHeaderCode, 4) != 0)
        return 0;
    for (;;)
    {
        const BYTE* b = PeekHere(1);
        if (!b)
            return 0;
        if (!(b[0] & 0x80))
            return 1;
        const BYTE* entry = TakeBytes(3);
        if (!entry || entry[0] < 0xB8)
            return 0;
    }
}

int CMpeg2Stream::ParsePacket()
{
    const __int64 packet = m_cursor;
    const BYTE* p = TakeBytes(6);
    if (!p || memcmp(p, kPrefix, 3) != 0)
        return 0;
    const BYTE id = p[3];
    const int length = (p[4] << 8) | p[5];
    if (!(id == 0xBD || (id >= 0xC0 && id <= 0xEF)))
    {
        m_cursor = packet + 6 + length;
        return 1;
    }
    const BYTE* h = TakeBytes(3);
    if (!h)
        return 0;
    const BYTE flags = h[1];
    const int headerLength = h[2];
    const __int64 fields = m_cursor;
    if ((flags & 0xC0) == 0x80 && !TakeBytes(5))
        return 0;
    if ((flags & 0xC0) == 0xC0 && !TakeBytes(10))
        return 0;
    if (!(flags & 0x38))
    {
        if ((flags & 0x04) && !TakeBytes(1))
            return 0;
        if (!(flags & 0x02) && (flags & 0x01))
        {
            const BYTE* ext = TakeBytes(1);
            if (!ext)
                return 0;
            const BYTE extFlags = ext[0];
            if ((extFlags & 0x80) && !TakeBytes(16))
                return 0;
            if (extFlags & 0x40)
            {
                const BYTE* n = TakeBytes(1);
                if (!n || (n[0] && !TakeBytes(n[0])))
                    return 0;
            }
        }
    }
    const int payload = length - headerLength - 3;
    m_cursor = fields + headerLength;
    if (payload <= 0 || !TakeBytes(payload))
        return 0;
    return 1;
}

BOOL CMpeg2Stream::WriteRange(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, -1.0, NULL, TRUE);
}

BOOL CMpeg2Stream::WriteClipSegment(__int64 start, __int64 end, double* runningTime, int* audioWait,
                                    COutputFile* file, double total, MpegProgressProc progress)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, total, progress, TRUE);
}

#include "parvane/Mpeg1Stream.h"

#include <string.h>

#include <new>
#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/OutputFile.h"
#include "parvane/PackRestamper.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};
const BYTE kSequenceCode[4] = {0x00, 0x00, 0x01, 0xB3};
const BYTE kPrefix[3] = {0x00, 0x00, 0x01};
// A pack with trailing bytes is copied whole up to this length.
const int kLongestPack = 2324;

} // namespace

CMpeg1Stream::CMpeg1Stream(CMappedFile* reader)
    : CMpegStream(reader), m_sequenceHeaderLength(0), m_systemHeadersLength(0)
{
    m_kind = 1;
    memset(m_sequenceHeader, 0, sizeof(m_sequenceHeader));
    memset(m_systemHeaders, 0, sizeof(m_systemHeaders));
    m_restamper = new (std::nothrow) CPackRestamper(1);
    m_valid = m_restamper ? ScanFile() : 0;
}

double CMpeg1Stream::GetPackScr(const BYTE* pack)
{
    return m_restamper->GetPackScr(pack);
}

double CMpeg1Stream::GetGopTime(const BYTE* gop)
{
    return m_restamper->GetGopTime(gop);
}

void CMpeg1Stream::SetGopTime(BYTE* gop, double seconds)
{
    m_restamper->SetGopTime(gop, seconds);
}

void CMpeg1Stream::SetPackScr(BYTE* pack, double seconds)
{
    m_restamper->SetPackScr(pack, seconds);
}

void CMpeg1Stream::ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info)
{
    m_restamper->ParseSequenceHeader(header);
    if (info)
        *info = m_restamper->Sequence();
}

void CMpeg1Stream::ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait)
{
    m_restamper->ShiftPackTimes(pack, length, offset, gopMark, audioWait);
}

__int64 CMpeg1Stream::FindGopNear(__int64 position, double* time, int forward)
{
    return LocateGop(position, time, forward);
}

__int64 CMpeg1Stream::TimeToPosition(double* seconds, int mode)
{
    return LocateTime(seconds, mode);
}

int CMpeg1Stream::ScanFile()
{
    if (!m_reader)
        return 0;
    m_packSpacing = PackSpacing();
    if (m_packSpacing <= 0)
        return 0;
    m_fileSize = m_reader->GetFileSize();
    m_sequenceHeaderLength = 0;

    __int64 sequence = m_reader->PositionOf(m_reader->FindForward(kSequenceCode, 0, 4));
    if (sequence < 0)
        return 0;
    const BYTE* header = m_reader->Pointer(sequence, 44);
    if (!header)
        return 0;
    ParseSequenceHeader(header, &m_sequence);
    __int64 next = m_reader->PositionOf(m_reader->FindForward(kPrefix, sequence + 3, 3));
    if (next < 0 || next - sequence >= (__int64)sizeof(m_sequenceHeader))
        return 0;
    const BYTE* copy = m_reader->Pointer(sequence, (int)(next - sequence));
    if (!copy)
        return 0;
    m_sequenceHeaderLength = (int)(next - sequence);
    memcpy(m_sequenceHeader, copy, m_sequenceHeaderLength);

    __int64 firstSystemHeader = -1;
    __int64 from = 0;
    int counter = 1;
    for (;;)
    {
        __int64 at = m_reader->PositionOf(m_reader->FindForward(kSystemHeaderCode, from, 4));
        if (at < 0)
            break;
        if (firstSystemHeader < 0)
            firstSystemHeader = at;
        const BYTE* h = m_reader->Pointer(at, 12);
        if (!h)
            return 0;
        int length = (h[4] << 8) | h[5];
        if ((length - 6) / 3 > 1)
        {
            m_systemHeadersLength = 0;
            counter = 2;
        }
        if (m_systemHeadersLength + length + 6 > (int)sizeof(m_systemHeaders))
            break;
        const BYTE* whole = m_reader->Pointer(at, length + 6);
        if (!whole)
            return 0;
        memcpy(m_systemHeaders + m_systemHeadersLength, whole, length + 6);
        m_systemHeadersLength += length + 6;
        from = at + length + 6;
        if (counter++ >= 2)
            break;
    }
    if (m_systemHeadersLength == 0)
        return 0;

    double time = 0;
    m_dataStart = FindGopNear(0, &time, 1);
    if (m_dataStart < 0)
        return 0;
    m_firstTime = time;
    m_systemHeaderPack = firstSystemHeader > m_dataStart ? 1 : 0;
    m_sequenceHeaderPack = sequence > m_dataStart ? 1 : 0;
    m_lastGopPosition = FindGopNear(m_fileSize, &time, 0);
    if (m_lastGopPosition < 0)
        return 0;
    m_lastTime = time;
    return 1;
}

int CMpeg1Stream::StartOutput(COutputFile* file, int* audioWait)
{
    if (audioWait)
        *audioWait = 1;
    if (!file || !m_reader)
        return 0;
    const __int64 window = m_reader->GetWindowSize();
    for (__int64 at = 0; at < m_dataStart; at += window)
    {
        int n = (int)(m_dataStart - at < window ? m_dataStart - at : window);
        const BYTE* piece = m_reader->Pointer(at, n);
        if (!piece || !file->Write(piece, n))
            return 0;
    }
    int systemHeaders = WriteSystemHeaderPacks(file);
    int sequenceHeader = WriteSequenceHeaderPack(file);
    return systemHeaders == 1 && sequenceHeader == 1;
}

int CMpeg1Stream::WriteSystemHeaderPacks(COutputFile* file)
{
    if (!file)
        return 0;
    if (!m_systemHeaderPack)
        return 1;
    const BYTE* first = m_reader ? m_reader->Pointer(m_dataStart, 12) : NULL;
    if (!first)
        return 0;
    std::vector<BYTE> pack;
    try
    {
        pack.assign(m_packSpacing, 0xFF);
    }
    catch (...)
    {
        return 0;
    }
    for (int at = 0; at + 6 <= m_systemHeadersLength;)
    {
        int length = ((m_systemHeaders[at + 4] << 8) | m_systemHeaders[at + 5]) + 6;
        if (12 + length + 7 > m_packSpacing)
            return 0;
        memset(pack.data(), 0xFF, pack.size());
        memcpy(pack.data(), first, 12);
        memcpy(pack.data() + 12, m_systemHeaders + at, length);
        MakePaddingPacket(pack.data(), 12 + length, m_packSpacing - 12 - length);
        if (!file->Write(pack.data(), m_packSpacing))
            return 0;
        at += length;
    }
    return 1;
}

int CMpeg1Stream::WriteSequenceHeaderPack(COutputFile* file)
{
    if (!file)
        return 0;
    if (!m_sequenceHeaderPack)
        return 1;
    const BYTE* first = m_reader ? m_reader->Pointer(m_dataStart, 12) : NULL;
    const int s = m_sequenceHeaderLength;
    if (!first || 19 + s + 7 > m_packSpacing)
        return 0;
    std::vector<BYTE> pack;
    try
    {
        pack.assign(m_packSpacing, 0xFF);
    }
    catch (...)
    {
        return 0;
    }
    BYTE* p = pack.data();
    memcpy(p, first, 12);
    p[12] = 0x00;
    p[13] = 0x00;
    p[14] = 0x01;
    p[15] = 0xE0;
    p[16] = (BYTE)((s + 1) >> 8);
    p[17] = (BYTE)(s + 1);
    p[18] = 0x0F;
    memcpy(p + 19, m_sequenceHeader, s);
    MakePaddingPacket(p, 19 + s, m_packSpacing - 19 - s);
    return file->Write(p, m_packSpacing) ? 1 : 0;
}

BOOL CMpeg1Stream::ReadNextPack(__int64* start, __int64* end, double* scr)
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
            // Skipping byte by byte and jumping to the next start code end in the same place.
            __int64 next = m_reader->PositionOf(m_reader->FindForward(kPackCode, m_cursor + 1, 4));
            if (next < 0)
                return FALSE;
            m_cursor = next;
        }
        if (m_cursor >= *end)
            return FALSE;
    }
    __int64 packEnd = m_cursor;
    if (!PeekAt(packEnd, 4) || memcmp(m_cursorPointer, kPackCode, 4) != 0)
    {
        __int64 next = m_reader->PositionOf(m_reader->FindForward(kPackCode, packEnd, 4));
        if (next >= 0 && next - packStart <= kLongestPack)
            packEnd = next;
    }
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

int CMpeg1Stream::ParsePack()
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

int CMpeg1Stream::ParsePackHeader()
{
    const BYTE* p = TakeBytes(12);
    if (!p || memcmp(p, kPackCode, 4) != 0)
        return 0;
    if (MatchBytes(kSystemHeaderCode, 4))
        return ParseSystemHeader();
    return 1;
}

int CMpeg1Stream::ParseSystemHeader()
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

int CMpeg1Stream::ParsePacket()
{
    const __int64 packet = m_cursor;
    const BYTE* p = TakeBytes(6);
    if (!p || memcmp(p, kPrefix, 3) != 0)
        return 0;
    const BYTE id = p[3];
    const int length = (p[4] << 8) | p[5];
    if (id == 0xBD || (id >= 0xC0 && id <= 0xEF))
    {
        const BYTE* b = TakeBytes(1);
        while (b && b[0] == 0xFF)
            b = TakeBytes(1);
        if (b && (b[0] & 0xC0) == 0x40)
        {
            if (!TakeBytes(1))
                return 0;
            b = TakeBytes(1);
        }
        if (!b)
            return 0;
        if ((b[0] & 0xF0) == 0x20)
        {
            if (!TakeBytes(4))
                return 0;
        }
        else if ((b[0] & 0xF0) == 0x30)
        {
            if (!TakeBytes(9))
                return 0;
        }
        else if (b[0] != 0x0F)
        {
            return 0;
        }
    }
    m_cursor = packet + 6 + length;
    return 1;
}

BOOL CMpeg1Stream::WriteRange(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, -1.0, NULL, FALSE);
}

BOOL CMpeg1Stream::WriteClipSegment(__int64 start, __int64 end, double* runningTime, int* audioWait,
                                    COutputFile* file, double total, MpegProgressProc progress)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, total, progress, FALSE);
}

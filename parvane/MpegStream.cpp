#include "parvane/MpegStream.h"

#include <stdio.h>
#include <string.h>

#include <new>
#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/OutputFile.h"
#include "parvane/PackLayout.h"
#include "parvane/PackRestamper.h"

namespace {

const BYTE kPackCode[4] = {0x00, 0x00, 0x01, 0xBA};
const BYTE kSystemHeaderCode[4] = {0x00, 0x00, 0x01, 0xBB};
const BYTE kSequenceCode[4] = {0x00, 0x00, 0x01, 0xB3};
const BYTE kGopCode[4] = {0x00, 0x00, 0x01, 0xB8};
const BYTE kPictureCode[4] = {0x00, 0x00, 0x01, 0x00};
const BYTE kPrefix[3] = {0x00, 0x00, 0x01};
// An MPEG-1 pack with trailing bytes is copied whole up to this length.
const int kLongestPack = 2324;
const double kSeamStep = 0.015;
const double kSearchTolerance = 0.25;
// How far into a range its first time stamps are looked for.
const __int64 kStampScan = 256 * 1024;
// How many packs after a range are looked at for the ends of its last frames.
const int kClosingPacks = 256;

// Progress of a clip save: one process, one save at a time.
int g_progressCalls = 0;
int g_lastPercent = 0;
double g_progressBase = 0.0;

} // namespace

int MakePaddingPacket(BYTE* buffer, __int64 offset, int n)
{
    if (!buffer)
        return 0;
    if (offset < 0)
        offset = 0;
    BYTE* p = buffer + offset;
    if (n < 6)
    {
        memset(p, 0xFF, n > 0 ? n : 0);
        return 1;
    }
    p[0] = 0x00;
    p[1] = 0x00;
    p[2] = 0x01;
    p[3] = 0xBE;
    p[4] = (BYTE)((n - 6) >> 8);
    p[5] = (BYTE)(n - 6);
    if (n > 6)
    {
        p[6] = 0x0F;
        memset(p + 7, 0xFF, n - 7);
    }
    return 1;
}

CMpegStream::CMpegStream(CMappedFile* reader, int kind)
    : m_reader(reader), m_valid(1), m_dataStart(0), m_firstTime(0), m_lastGopPosition(0), m_lastTime(0),
      m_kind(kind), m_fileSize(0), m_segments(NULL), m_segmentCapacity(0), m_segmentCount(0), m_keyCounter(0),
      m_gopCacheCount(0), m_gopCacheNext(0), m_workBuffer(NULL), m_workCapacity(0), m_systemHeaderPack(1),
      m_sequenceHeaderPack(1), m_cursor(0), m_cursorPointer(NULL), m_lostBMode(0), m_bDropping(0),
      m_packSpacing(0), m_restamper(new (std::nothrow) CPackRestamper(kind))
{
    memset(m_gopCache, 0, sizeof(m_gopCache));
    memset(&m_sequence, 0, sizeof(m_sequence));
}

CMpegStream::~CMpegStream()
{
    delete[] m_segments;
    delete[] m_workBuffer;
    delete m_restamper;
}

double CMpegStream::GetPackScr(const BYTE* pack)
{
    return m_restamper ? m_restamper->GetPackScr(pack) : 0.0;
}

double CMpegStream::GetGopTime(const BYTE* gop)
{
    return m_restamper ? m_restamper->GetGopTime(gop) : 0.0;
}

void CMpegStream::SetGopTime(BYTE* gop, double seconds)
{
    if (m_restamper)
        m_restamper->SetGopTime(gop, seconds);
}

void CMpegStream::SetPackScr(BYTE* pack, double seconds)
{
    if (m_restamper)
        m_restamper->SetPackScr(pack, seconds);
}

void CMpegStream::ParseSequenceHeader(const BYTE* header, MpegSequenceInfo* info)
{
    if (!m_restamper)
        return;
    m_restamper->ParseSequenceHeader(header);
    if (info)
        *info = m_restamper->Sequence();
}

void CMpegStream::ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait)
{
    if (m_restamper)
        m_restamper->ShiftPackTimes(pack, length, offset, gopMark, audioWait);
}

int CMpegStream::StartOutput(COutputFile*, int*)
{
    return 0;
}

BOOL CMpegStream::WriteRange(__int64 start, __int64 end, double* runningTime, int* audioWait, COutputFile* file)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, -1.0, NULL);
}

BOOL CMpegStream::WriteClipSegment(__int64 start, __int64 end, double* runningTime, int* audioWait,
                                   COutputFile* file, double total, MpegProgressProc progress)
{
    return WriteRangeImpl(start, end, runningTime, audioWait, file, total, progress);
}

BOOL CMpegStream::NextPack(BYTE* buffer, int* start, int* end)
{
    return CPackRestamper::NextPack(buffer, start, end);
}

int CMpegStream::RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first)
{
    if (!m_restamper)
        return 0;
    return m_restamper->RestampChunks(list, lastTime, lostBMode, first);
}

BOOL CMpegStream::ReadNextPack(__int64* start, __int64* end, double* scr)
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
    if (m_kind == 1 && (!PeekAt(packEnd, 4) || memcmp(m_cursorPointer, kPackCode, 4) != 0))
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

int CMpegStream::ParsePack()
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

int CMpegStream::ParseSystemHeader()
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

__int64 CMpegStream::ReadSequenceHeader()
{
    __int64 sequence = m_reader->PositionOf(m_reader->FindForward(kSequenceCode, 0, 4));
    if (sequence < 0)
        return -1;
    const BYTE* header = m_reader->Pointer(sequence, 44);
    if (!header)
        return -1;
    // The header's bytes may run on into the next packet or pack: read them from the video.
    __int64 pack = m_reader->PositionOf(m_reader->FindBackward(kPackCode, sequence, 4));
    const int span = (int)(m_fileSize - (pack > 0 ? pack : 0) < 65536 ? m_fileSize - (pack > 0 ? pack : 0) : 65536);
    const BYTE* packs = pack >= 0 ? m_reader->Pointer(pack, span) : NULL;
    std::vector<BYTE> video;
    int at = packs && m_restamper ? m_restamper->CollectSequenceHeader(packs, span, video) : -1;
    ParseSequenceHeader(at >= 0 ? &video[at] : header, &m_sequence);
    return sequence;
}

BOOL CMpegStream::FindFirstAndLastGop()
{
    double time = 0;
    m_dataStart = FindGopNear(0, &time, 1);
    if (m_dataStart < 0)
        return FALSE;
    m_firstTime = time;
    m_lastGopPosition = FindGopNear(m_fileSize, &time, 0);
    if (m_lastGopPosition < 0)
        return FALSE;
    m_lastTime = time;
    return TRUE;
}

__int64 CMpegStream::FirstValidPack(__int64 limit) const
{
    for (__int64 at = m_reader->PositionOf(m_reader->FindForward(kPackCode, 0, 4)); at >= 0 && at < limit;
         at = m_reader->PositionOf(m_reader->FindForward(kPackCode, at + 4, 4)))
    {
        const BYTE* head = m_reader->Pointer(at, 14);
        if (head && IsPackHeader(head, 14))
            return at;
    }
    return -1;
}

BOOL CMpegStream::CopyLeadIn(COutputFile* file)
{
    // Bytes before the first pack header are no part of the stream.
    __int64 from = FirstValidPack(m_dataStart);
    if (from < 0)
        from = m_dataStart;
    const __int64 window = m_reader->GetWindowSize();
    for (__int64 at = from; at < m_dataStart; at += window)
    {
        int n = (int)(m_dataStart - at < window ? m_dataStart - at : window);
        const BYTE* piece = m_reader->Pointer(at, n);
        if (!piece || !file->Write(piece, n))
            return FALSE;
    }
    return TRUE;
}

int CMpegStream::AddSegment(const MpegSegment* segment)
{
    if (!segment)
        return -1;
    double start = segment->start;
    double end = segment->end;
    __int64 startPosition = TimeToPosition(&start, segment->startMode);
    __int64 endPosition = TimeToPosition(&end, segment->endMode);
    if (startPosition == -1 || endPosition == -1)
        return -1;
    if (m_segmentCount >= m_segmentCapacity)
    {
        SegmentEntry* grown = new (std::nothrow) SegmentEntry[m_segmentCapacity + 20];
        if (!grown)
            return -1;
        memset(grown, 0, sizeof(SegmentEntry) * (m_segmentCapacity + 20));
        if (m_segmentCount)
            memcpy(grown, m_segments, sizeof(SegmentEntry) * m_segmentCount);
        delete[] m_segments;
        m_segments = grown;
        m_segmentCapacity += 20;
    }
    SegmentEntry& e = m_segments[m_segmentCount++];
    e.key = ++m_keyCounter;
    e.start = segment->start;
    e.end = segment->end;
    e.startMode = segment->startMode;
    e.endMode = segment->endMode;
    e.startPosition = startPosition;
    e.endPosition = endPosition;
    e.foundStart = start;
    e.foundEnd = end;
    return e.key;
}

int CMpegStream::RemoveSegment(int key)
{
    if (key == -1)
    {
        if (m_segments)
            memset(m_segments, 0, sizeof(SegmentEntry) * m_segmentCapacity);
        m_segmentCount = 0;
        return 1;
    }
    for (int i = 0; i < m_segmentCount; ++i)
    {
        if (m_segments[i].key == key)
        {
            memmove(m_segments + i, m_segments + i + 1, sizeof(SegmentEntry) * (m_segmentCount - i - 1));
            --m_segmentCount;
            memset(m_segments + m_segmentCount, 0, sizeof(SegmentEntry));
            return 1;
        }
    }
    return 0;
}

static void CopySegmentOut(const SegmentEntry& e, MpegSegment* out)
{
    out->start = e.start;
    out->end = e.end;
    out->startMode = e.startMode;
    out->endMode = e.endMode;
}

int CMpegStream::GetSegmentByKey(int key, MpegSegment* out) const
{
    if (!out)
        return 0;
    for (int i = 0; i < m_segmentCount; ++i)
    {
        if (m_segments[i].key == key)
        {
            CopySegmentOut(m_segments[i], out);
            return 1;
        }
    }
    return 0;
}

int CMpegStream::GetSegmentByIndex(int index, MpegSegment* out) const
{
    if (!out || index < 0 || index >= m_segmentCount)
        return 0;
    CopySegmentOut(m_segments[index], out);
    return 1;
}

PositionRangeList CMpegStream::BuildRangeList() const
{
    PositionRangeList list;
    for (int i = 0; i < m_segmentCount; ++i)
    {
        const SegmentEntry& e = m_segments[i];
        if (!(e.startPosition < e.endPosition))
            continue;
        size_t at = 0;
        while (at < list.size() && list[at].start <= e.startPosition)
            ++at;
        PositionRange r = {e.startPosition, e.endPosition};
        list.insert(list.begin() + at, r);
    }
    size_t cur = 0;
    while (cur + 1 < list.size())
    {
        if (list[cur + 1].start <= list[cur].end)
        {
            if (list[cur + 1].end > list[cur].end)
                list[cur].end = list[cur + 1].end;
            list.erase(list.begin() + cur + 1);
        }
        else
        {
            ++cur;
        }
    }
    return list;
}

PositionRangeList CMpegStream::InvertRanges(const PositionRangeList& ranges) const
{
    PositionRangeList gaps;
    PositionRange gap = {m_dataStart, m_fileSize};
    for (const PositionRange& r : ranges)
    {
        BOOL shared = FALSE;
        if (r.start == gap.start)
        {
            gap.start = r.end;
            shared = TRUE;
        }
        if (r.end == gap.end)
        {
            gap.end = r.start;
            shared = TRUE;
        }
        if (!shared)
        {
            PositionRange before = {gap.start, r.start};
            gaps.push_back(before);
            gap.start = r.end;
        }
    }
    gaps.push_back(gap);
    return gaps;
}

COutputFile* CMpegStream::CreateOutput(const char* path, int* audioWait)
{
    if (!path)
        return NULL;
    COutputFile* file = new (std::nothrow) COutputFile;
    if (!file)
        return NULL;
    if (!file->Create(path))
    {
        delete file;
        return NULL;
    }
    if (!StartOutput(file, audioWait))
    {
        file->Discard();
        delete file;
        return NULL;
    }
    return file;
}

int CMpegStream::FinishOutput(COutputFile* file, BOOL ok)
{
    // An output that got no pack of any range holds nothing the caller asked for (at most the
    // bytes before the first GOP): it is not kept.
    if (ok && file->RangePacks() == 0)
        ok = FALSE;
    if (ok)
        ok = file->Close();
    if (!ok)
        file->Discard();
    delete file;
    return ok ? 0 : -1;
}

int CMpegStream::SaveSegments(const char* outPath, int invert, int lostBMode)
{
    m_lostBMode = lostBMode;
    int audioWait = 1;
    COutputFile* file = CreateOutput(outPath, &audioWait);
    if (!file)
        return -1;
    PositionRangeList ranges = BuildRangeList();
    if (invert)
        ranges = InvertRanges(ranges);
    if (ranges.empty())
        return FinishOutput(file, FALSE);
    double running = m_firstTime;
    BOOL ok = TRUE;
    for (size_t i = 0; i < ranges.size() && ok; ++i)
    {
        ok = WriteRange(ranges[i].start, ranges[i].end, &running, &audioWait, file);
        if (ok && i + 1 < ranges.size())
        {
            printf("%d : %lx -> %lx\n", (int)(i + 1), (unsigned long)(DWORD)ranges[i + 1].start,
                   (unsigned long)(DWORD)ranges[i + 1].end);
            fflush(stdout);
        }
    }
    return FinishOutput(file, ok);
}

int CMpegStream::InsertFile(CMpegStream* other, double atSeconds, int mode, const char* outPath, int lostBMode)
{
    if (!other || !outPath)
        return -1;
    double at = atSeconds;
    __int64 position = TimeToPosition(&at, mode);
    if (position == -1)
        return -1;
    struct Piece { CMpegStream* stream; __int64 start; __int64 end; } pieces[3];
    int count = 0;
    if (position <= m_dataStart)
    {
        pieces[count++] = {other, other->m_dataStart, other->m_lastGopPosition};
        pieces[count++] = {this, m_dataStart, m_fileSize};
    }
    else if (position >= m_fileSize)
    {
        pieces[count++] = {this, m_dataStart, m_lastGopPosition};
        pieces[count++] = {other, other->m_dataStart, other->m_fileSize};
    }
    else
    {
        pieces[count++] = {this, m_dataStart, position};
        pieces[count++] = {other, other->m_dataStart, other->m_lastGopPosition};
        pieces[count++] = {this, position, m_fileSize};
    }
    m_lostBMode = lostBMode;
    other->m_lostBMode = lostBMode;
    int audioWait = 1;
    COutputFile* file = CreateOutput(outPath, &audioWait);
    if (!file)
        return -1;
    double running = m_firstTime;
    BOOL ok = TRUE;
    for (int i = 0; i < count && ok; ++i)
        ok = pieces[i].stream->WriteRange(pieces[i].start, pieces[i].end, &running, &audioWait, file);
    return FinishOutput(file, ok);
}

const BYTE* CMpegStream::PeekAt(__int64 position, int n)
{
    m_cursorPointer = m_reader ? m_reader->Pointer(position, n) : NULL;
    return m_cursorPointer;
}

const BYTE* CMpegStream::PeekHere(int n)
{
    if (n == 0)
        return NULL;
    return PeekAt(m_cursor, n);
}

const BYTE* CMpegStream::TakeBytes(int n)
{
    const BYTE* p = PeekHere(n);
    if (p)
    {
        m_cursor += n;
        m_cursorPointer = p + n;
    }
    return p;
}

int CMpegStream::ExpectBytes(const void* bytes, int n)
{
    if (n <= 0)
        return 1;
    const BYTE* p = PeekHere(n);
    if (!p || memcmp(p, bytes, n) != 0)
        return 0;
    m_cursor += n;
    m_cursorPointer = p + n;
    return 1;
}

int CMpegStream::MatchBytes(const void* bytes, int n)
{
    if (n <= 0)
        return 1;
    const BYTE* p = PeekHere(n);
    return p && memcmp(p, bytes, n) == 0;
}

int CMpegStream::MatchBits(int value, int nbits)
{
    if (nbits <= 0)
        return 1;
    if (nbits > 8)
        nbits = 8;
    const BYTE* p = PeekHere(1);
    if (!p)
        return 0;
    int mask = (1 << nbits) - 1;
    return (p[0] >> (8 - nbits)) == (value & mask);
}

int CMpegStream::SameBytes(const void* a, const void* b, int n)
{
    if (n <= 0)
        return 1;
    return memcmp(a, b, n) == 0;
}

int CMpegStream::PackSpacing()
{
    if (!m_reader)
        return 0;
    __int64 p1 = m_reader->PositionOf(m_reader->FindForward(kPackCode, 12, 4));
    if (p1 < 0)
        return 0;
    __int64 p2 = m_reader->PositionOf(m_reader->FindForward(kPackCode, p1 + 12, 4));
    if (p2 < 0)
        return 0;
    __int64 larger = p1 > p2 - p1 ? p1 : p2 - p1;
    return (int)(DWORD)larger;
}

void CMpegStream::CacheGop(__int64 position, double time)
{
    for (int i = 0; i < m_gopCacheCount; ++i)
    {
        if (m_gopCache[i].position == position)
            return;
    }
    m_gopCache[m_gopCacheNext].position = position;
    m_gopCache[m_gopCacheNext].time = time;
    if (m_gopCacheCount < GopCacheSize)
        ++m_gopCacheCount;
    m_gopCacheNext = (m_gopCacheNext + 1) % GopCacheSize;
}

__int64 CMpegStream::PackBefore(__int64 position)
{
    // Stray start codes in damaged bytes are no pack headers.
    for (__int64 at = position; at > 0;)
    {
        __int64 pack = m_reader->PositionOf(m_reader->FindBackward(kPackCode, at, 4));
        if (pack < 0)
            return -1;
        const BYTE* head = m_reader->Pointer(pack, 14);
        if (head ? IsPackHeader(head, 14) : pack + 4 <= m_fileSize)
            return pack;
        at = pack + 3;
    }
    return -1;
}

__int64 CMpegStream::FindGopNear(__int64 position, double* time, int forward)
{
    if (time)
        *time = 0.0;
    if (!m_reader)
        return -1;
    const BYTE* gop = forward ? m_reader->FindForward(kGopCode, position, 4)
                              : m_reader->FindBackward(kGopCode, position, 4);
    __int64 gopPosition = m_reader->PositionOf(gop);
    if (!gop || gopPosition < 0)
        return -1;
    __int64 packPosition = PackBefore(gopPosition);
    if (packPosition < 0)
        return -1;
    // The group begins with the sequence header that leads its GOP, which may have begun in the
    // pack before: without it a piece that starts with this group would lack its sequence header.
    __int64 sequence = m_reader->PositionOf(m_reader->FindBackward(kSequenceCode, gopPosition, 4));
    if (sequence >= 0 && sequence < packPosition)
    {
        __int64 before = PackBefore(packPosition);
        __int64 picture = m_reader->PositionOf(m_reader->FindBackward(kPictureCode, gopPosition, 4));
        if (before >= 0 && sequence > before && picture < sequence)
            packPosition = before;
    }
    const BYTE* pack = m_reader->Pointer(packPosition, 10);
    if (!pack)
        return -1;
    double scr = GetPackScr(pack);
    if (time)
        *time = scr;
    CacheGop(packPosition, scr);
    return packPosition;
}

__int64 CMpegStream::TimeToPosition(double* seconds, int mode)
{
    if (!seconds || !m_reader)
        return -1;
    double t = *seconds;
    if (!(t > 0))
        return m_dataStart;
    if (!(m_lastTime - m_firstTime >= t))
        return m_fileSize;
    const double target = t + m_firstTime;
    __int64 lower = m_dataStart;
    __int64 upper = m_lastGopPosition;
    __int64 probe = lower;
    double probeTime = m_firstTime;
    for (int i = 0; i < m_gopCacheCount; ++i)
    {
        const GopCacheEntry& e = m_gopCache[i];
        if (e.time == target)
        {
            *seconds = e.time - m_firstTime;
            return e.position;
        }
        if (e.time < target)
        {
            if (e.position > lower)
            {
                lower = e.position;
                probe = e.position;
                probeTime = e.time;
            }
        }
        else if (e.position < upper)
        {
            upper = e.position;
        }
    }
    while (lower < upper)
    {
        __int64 mid = (lower + upper) / 2;
        __int64 found = m_reader->PositionOf(m_reader->FindForward(kPackCode, mid, 4));
        if (found < 0)
        {
            upper = mid;
            continue;
        }
        probe = found;
        const BYTE* pack = m_reader->Pointer(probe, 10);
        if (!pack)
            return -1;
        probeTime = GetPackScr(pack);
        if (probe >= upper)
            break;
        double d = target - probeTime;
        if (d >= -kSearchTolerance && d <= kSearchTolerance)
            break;
        if (target >= probeTime)
        {
            // A pack whose successor lies past the upper bound cannot narrow the search
            // further; without this a time gap in the stream would never end the loop.
            if (probe == lower)
                break;
            lower = probe;
        }
        else
        {
            upper = mid;
        }
    }
    double gopTime = 0;
    __int64 p = FindGopNear(probe, &gopTime, 1);
    if (p < 0)
        return -1;
    __int64 result = p;
    double resultTime = gopTime;
    // Mode 0 wants the GOP at or before the time; a probe that overshot by up to the search
    // tolerance may have passed more than one GOP start.
    while (mode == 0 && target < resultTime)
    {
        double earlierTime = 0;
        __int64 earlier = FindGopNear(result, &earlierTime, 0);
        if (earlier >= 0 && earlier < result)
        {
            result = earlier;
            resultTime = earlierTime;
        }
        else
        {
            result = m_dataStart;
            resultTime = m_firstTime;
            break;
        }
    }
    *seconds = resultTime - m_firstTime;
    return result;
}

BOOL CMpegStream::ReserveWorkBuffer(int n)
{
    if (m_workCapacity >= n)
        return TRUE;
    BYTE* grown = new (std::nothrow) BYTE[n + 512];
    if (!grown)
        return FALSE;
    delete[] m_workBuffer;
    m_workBuffer = grown;
    m_workCapacity = n + 512;
    return TRUE;
}

void CMpegStream::TrimOpeningPack(BYTE* pack, int length)
{
    VideoCut c;
    if (!FindVideoCut(pack, length, m_kind, &c))
        return;
    // Whole video packets before the GOP's own belong to the pictures before it.
    int p = PackHeaderLength(pack, length, m_kind);
    while (p >= 0 && p + 6 <= c.packet)
    {
        int end = p + 6 + ((pack[p + 4] << 8) | pack[p + 5]);
        if (end > c.packet)
            break;
        if (IsVideoStream(pack[p + 3]))
        {
            int payload = PayloadOffset(pack, p, end, m_kind);
            if (payload >= 0 && CPackRestamper::FindStartCode(pack, payload, end, 0xB3) < 0 &&
                CPackRestamper::FindStartCode(pack, payload, end, 0xB5) < 0)
                MakePaddingPacket(pack, p, end - p);
        }
        p = end;
    }
    int head = c.cut - c.payload;
    if (head <= 0)
        return;
    // The packet's time stamps name the first picture that starts in it; when that one is
    // cut away with the head, the GOP's first picture must not inherit them.
    if (CPackRestamper::FindStartCode(pack, c.payload, c.cut, 0x00) >= 0)
        ClearStamps(pack, c.packet, c.payload, m_kind);
    if (head >= 6)
    {
        // The packet header moves up to the cut; what it leaves behind becomes padding.
        int header = c.payload - c.packet;
        memmove(pack + c.packet + head, pack + c.packet, header);
        MakePaddingPacket(pack, c.packet, head);
        PutLength(pack, c.packet + head, c.end);
    }
    else if (m_kind == 2 && pack[c.packet + 8] + head <= 255)
    {
        memset(pack + c.payload, 0xFF, head);
        pack[c.packet + 8] = (BYTE)(pack[c.packet + 8] + head);
    }
    else if (m_kind == 1)
    {
        memmove(pack + c.packet + 6 + head, pack + c.packet + 6, c.payload - (c.packet + 6));
        memset(pack + c.packet + 6, 0xFF, head);
    }
}

void CMpegStream::ReportProgress(double total, double time, MpegProgressProc progress)
{
    if (++g_progressCalls < 6)
        return;
    g_progressCalls = 0;
    int percent = 100;
    if (total > 0)
    {
        double p = (time - g_progressBase) * 100.0 / total;
        percent = p <= 0 ? 0 : (p >= 100 ? 100 : (int)p);
    }
    if (percent != g_lastPercent)
    {
        g_lastPercent = percent;
        if (progress)
            progress(percent);
    }
}

void CMpegStream::BeginProgress(double base)
{
    g_progressBase = base;
}

BOOL CMpegStream::WriteRangeImpl(__int64 start, __int64 end, double* runningTime, int* audioWait,
                                 COutputFile* file, double total, MpegProgressProc progress)
{
    if (!file || !m_reader || !m_restamper || !runningTime || !audioWait)
        return FALSE;
    const BYTE* first = m_reader->Pointer(start, 10);
    if (!first || memcmp(first, kPackCode, 4) != 0)
        return TRUE;
    const double firstScr = GetPackScr(first);
    double offset = firstScr - *runningTime;
    // A new output starts a new time line; a range after another handler's continues its.
    CMpegStream* previous = file->LastWriter();
    if (!previous)
    {
        m_restamper->ForgetHistory();
    }
    else if (previous != this && previous->m_restamper)
    {
        MpegSequenceInfo own = m_restamper->Sequence();
        *m_restamper = *previous->m_restamper;
        m_restamper->Sequence() = own;
    }
    BOOL holding = FALSE;
    // The running time alone puts the first pack after the last one, but the decode and
    // presentation times ride ahead of the clock by amounts that vary from GOP to GOP: keep
    // every stream's first stamp behind what the previous range wrote.
    if (m_restamper->HasHistory())
    {
        __int64 n = end - start < kStampScan ? end - start : kStampScan;
        const BYTE* head = m_reader->Pointer(start, (int)n);
        if (head)
        {
            m_restamper->ScanFirstStamps(head, (int)n, TRUE);
            offset = m_restamper->LimitOffset(offset, firstScr, kSeamStep);
            m_restamper->StartTimeBase(offset);
        }
    }
    else if (!previous && start != m_dataStart)
    {
        // An output's first range from inside the file: the muxer put its audio ahead of its
        // first picture, and that sound belongs to pictures that are not written.
        __int64 n = end - start < kStampScan ? end - start : kStampScan;
        const BYTE* head = m_reader->Pointer(start, (int)n);
        if (head)
        {
            m_restamper->ScanFirstStamps(head, (int)n, TRUE);
            m_restamper->StartTimeBase(offset);
            m_restamper->HoldAudioUntilPictures();
            holding = TRUE;
        }
    }
    // The range's audio packets begin with the ends of frames that were not written, but where
    // the range follows the bytes before the first GOP, which the output begins with.
    if (previous || start != m_dataStart || *audioWait)
        m_restamper->OpenTimeBase();
    file->SetLastWriter(this);
    const int savedLostB = m_lostBMode;
    m_bDropping = 0;
    m_restamper->SetLostBMode(m_lostBMode);
    m_restamper->SetBDropping(0);
    // MPEG-2 packs are shifted whatever the offset and flags; MPEG-1 packs only when there is
    // something to shift.
    const BOOL shiftAlways = m_kind == 2;
    int gopMark = 1;
    double last = *runningTime - kSeamStep;
    BOOL ok = TRUE;
    BOOL opening = TRUE;
    __int64 s = start;
    __int64 e = end;
    double scr = 0;
    while (ReadNextPack(&s, &e, &scr))
    {
        const int length = (int)(e - s);
        double newTime = m_restamper->NextScr(m_workBuffer, length, scr - offset);
        SetPackScr(m_workBuffer, newTime);
        last = newTime;
        if (opening)
            TrimOpeningPack(m_workBuffer, length);
        opening = FALSE;
        if (shiftAlways || holding || offset != 0 || gopMark || *audioWait)
            ShiftPackTimes(m_workBuffer, length, offset, &gopMark, audioWait);
        else
            m_restamper->TrackPack(m_workBuffer, length);
        if (!file->Write(m_workBuffer, length))
        {
            ok = FALSE;
            break;
        }
        file->CountRangePack();
        if (total >= 0)
            ReportProgress(total, newTime, progress);
        s = e;
        e = end;
    }
    // The packs after the range's end still hold the end of the last picture written and of the
    // audio frames written last: without them the seam would show a damaged picture and sound.
    double groupTime = 0;
    if (ok && !opening && end < m_fileSize && FindGopNear(s, &groupTime, 1) == s)
    {
        m_restamper->BeginClosing();
        __int64 cs = s;
        __int64 ce = m_fileSize;
        for (int packs = 0; packs < kClosingPacks && !m_restamper->ClosingDone() && ReadNextPack(&cs, &ce, &scr);
             ++packs)
        {
            const int length = (int)(ce - cs);
            if (m_restamper->ClosePack(m_workBuffer, length, offset))
            {
                double newTime = m_restamper->ClosingScr(m_workBuffer, length, scr - offset);
                SetPackScr(m_workBuffer, newTime);
                last = newTime;
                if (!file->Write(m_workBuffer, length))
                {
                    ok = FALSE;
                    break;
                }
            }
            cs = ce;
            ce = m_fileSize;
        }
    }
    m_bDropping = m_restamper->GetBDropping();
    *runningTime = last + kSeamStep;
    m_lostBMode = savedLostB;
    m_restamper->SetLostBMode(savedLostB);
    return ok;
}

#include "parvane/PackRestamper.h"

#include <string.h>
#include <stdio.h>
#include <algorithm>
#include "parvane/MpegAudioHeader.h"
#include "parvane/MpegClock.h"
#include "parvane/PackLayout.h"

double CPackRestamper::s_offset = 0.0;
const double CPackRestamper::kSeamStep = 0.015;

namespace
{
const BYTE kPackStart[4] = { 0x00, 0x00, 0x01, 0xBA };
const double kAc3FrameSeconds = 1536.0 / 48000.0;

int Big16(const BYTE* p)
{
    return (p[0] << 8) | p[1];
}

// Position of the next 00 00 01 in b[from, to), or -1. Steps three bytes at a time over
// data that cannot hold a prefix: every pack of a save passes through here several times.
int FindPrefix(const BYTE* b, int from, int to)
{
    int i = from;
    while (i + 2 < to)
    {
        if (b[i + 2] > 1)
            i += 3;
        else if (b[i + 1])
            i += 2;
        else if (b[i] || b[i + 2] != 1)
            i += 1;
        else
            return i;
    }
    return -1;
}

// Position of the start code 00 00 01 code wholly inside b[from, to), or -1.
int FindCode(const BYTE* b, int from, int to, BYTE code)
{
    for (int c = FindPrefix(b, from, to); c >= 0 && c + 3 < to; c = FindPrefix(b, c + 3, to))
    {
        if (b[c + 3] == code)
            return c;
    }
    return -1;
}

// The next pack header in b[from, to) that is one; stray start codes in damaged bytes are passed over.
int FindPack(const BYTE* b, int from, int to)
{
    for (int c = FindCode(b, from, to, 0xBA); c >= 0; c = FindCode(b, c + 4, to, 0xBA))
    {
        if (IsPackHeader(b + c, to - c))
            return c;
    }
    return -1;
}

int CountCode(const BYTE* b, int from, int to, BYTE code)
{
    int n = 0;
    for (int c = FindPrefix(b, from, to); c >= 0 && c + 3 < to; c = FindPrefix(b, c + 3, to))
    {
        if (b[c + 3] == code)
            ++n;
    }
    return n;
}

int FindAudioHeader(const BYTE* p, int from, int n)
{
    for (int i = from; i + 3 <= n; ++i)
    {
        if (p[i] == 0xFF && CMpegAudioHeader::IsFrameHeader(p + i, n - i))
            return i;
    }
    return -1;
}

// Audio frames whose headers lie in p[0, n): MPEG audio walked by frame length, AC3 counted by
// its sub-stream header.
int CountAudioFrames(const BYTE* p, int n, BOOL ac3)
{
    if (ac3)
        return n >= 2 ? p[1] : 0;
    int frames = 0;
    int pos = FindAudioHeader(p, 0, n);
    while (pos >= 0 && pos < n)
    {
        int length = 0;
        double duration = 0;
        if (n - pos < 3)
            return frames + 1;
        if (CMpegAudioHeader::Parse(p + pos, n - pos, &length, &duration) && length > 0)
        {
            ++frames;
            pos += length;
        }
        else
            pos = FindAudioHeader(p, pos + 1, n);
    }
    return frames;
}

void PutBig16(BYTE* p, int v)
{
    p[0] = (BYTE)(v >> 8);
    p[1] = (BYTE)v;
}
}

CPackRestamper::CPackRestamper(int kind)
    : m_kind(kind), m_lostBMode(0), m_bDropping(0), m_lostBIPassed(FALSE), m_closing(FALSE), m_videoClosed(FALSE)
{
    memset(&m_sequence, 0, sizeof(m_sequence));
    ForgetHistory();
}

CPackRestamper::~CPackRestamper()
{
}

void CPackRestamper::ForgetHistory()
{
    m_haveLastScr = FALSE;
    m_lastScr = 0.0;
    m_scrCatchUp = FALSE;
    m_haveVideo = FALSE;
    m_nextVideo = 0.0;
    m_haveFirstVideo = FALSE;
    m_firstVideo = 0.0;
    m_firstPicture = 0.0;
    m_sequenceOpen = FALSE;
    m_videoTailLength = 0;
    for (int i = 0; i < 256; ++i)
    {
        StreamTrack& t = m_audio[i];
        t.valid = FALSE;
        t.next = 0.0;
        t.frame = 0.0;
        t.carry = -1;
        t.lastLength = 0;
        t.first = 0.0;
        t.haveFirst = FALSE;
        t.seam = FALSE;
        t.dropping = FALSE;
        t.dropNext = 0.0;
        t.dropSkip = 0;
        t.opening = FALSE;
        t.owed = 0;
        t.haveHeader = FALSE;
    }
    m_closing = FALSE;
}

BOOL CPackRestamper::HasSequenceInfo() const
{
    return m_sequence.width > 0 && m_sequence.height > 0 && m_sequence.frameRate > 0.1;
}

void CPackRestamper::ParseSequenceHeader(const BYTE* header)
{
    CMpegClock::ParseSequenceHeader(header, &m_sequence);
}

double CPackRestamper::FrameDuration() const
{
    return m_sequence.frameRate > 0.1 ? 1.0 / m_sequence.frameRate : 0.04;
}

double CPackRestamper::GetPackScr(const BYTE* pack) const
{
    return m_kind == 1 ? CMpegClock::ReadMpeg1Scr(pack) : CMpegClock::ReadMpeg2Scr(pack);
}

void CPackRestamper::SetPackScr(BYTE* pack, double seconds)
{
    if (m_kind == 1)
        CMpegClock::WriteMpeg1Scr(pack, seconds);
    else
        CMpegClock::WriteMpeg2Scr(pack, seconds);
    m_haveLastScr = TRUE;
    m_lastScr = seconds > 0 ? seconds : 0.0;
}

double CPackRestamper::GetGopTime(const BYTE* gop) const
{
    return CMpegClock::ReadGopTime(gop, m_sequence.frameRate);
}

void CPackRestamper::SetGopTime(BYTE* gop, double seconds) const
{
    CMpegClock::WriteGopTime(gop, seconds, m_sequence.frameRate);
}

int CPackRestamper::FindStartCode(const BYTE* b, int from, int to, BYTE code)
{
    return FindCode(b, from, to, code);
}

BOOL CPackRestamper::NextPack(const BYTE* buffer, int* start, int* end)
{
    if (!buffer || !start || !end)
        return FALSE;
    int s = *start;
    int e = *end;
    if (s < 0 || s + 4 >= e)
        return FALSE;
    int found = FindPack(buffer, s, e);
    if (found < 0)
        return FALSE;
    int packEnd = e;
    int from = found + 20;
    int walked = WalkPackets(buffer, found, e);
    if (walked >= from && (walked == e || (walked + 4 <= e && memcmp(buffer + walked, kPackStart, 4) == 0)))
        packEnd = walked;
    else if (from < e - 4)
    {
        int next = FindPack(buffer, from, e);
        if (next >= 0)
            packEnd = next;
    }
    *start = found;
    *end = packEnd;
    return TRUE;
}

// Where the packets of the pack at `pack` end when their lengths are followed, or -1 when
// they do not chain up; a pack whose packets end exactly at the next pack header needs no search.
int CPackRestamper::WalkPackets(const BYTE* b, int pack, int end)
{
    if (pack + 14 > end)
        return -1;
    int pos = (b[pack + 4] & 0xF0) == 0x20 ? pack + 12 : pack + 14 + (b[pack + 13] & 0x07);
    while (pos + 6 <= end)
    {
        if (b[pos] != 0 || b[pos + 1] != 0 || b[pos + 2] != 1 || b[pos + 3] < 0xBB)
            return -1;
        if (b[pos + 3] == 0xBA)
            return pos;
        pos += 6 + ((b[pos + 4] << 8) | b[pos + 5]);
    }
    return pos == end ? pos : -1;
}

int CPackRestamper::PackHeaderLength(const BYTE* pack, int length) const
{
    return ::PackHeaderLength(pack, length, m_kind);
}

// Visits every packet of a pack: visit(p, end, id) with end clamped to the pack, so that a
// length field read from the stream never reaches outside the caller's block.
template <class Visit>
void CPackRestamper::ForEachPacket(BYTE* pack, int length, Visit visit)
{
    int pos = PackHeaderLength(pack, length);
    if (pos < 0)
        return;
    while (pos + 6 <= length)
    {
        int p = FindPrefix(pack, pos, length);
        if (p < 0 || p + 6 > length)
            break;
        BYTE id = pack[p + 3];
        if (id < 0xBC)
            break;
        int end = p + 6 + Big16(pack + p + 4);
        if (end > length)
            end = length;
        visit(p, end, id);
        pos = end;
    }
}

BOOL CPackRestamper::ParsePes(BYTE* b, int p, int end, PesHeader* h) const
{
    BYTE id = b[p + 3];
    h->start = p;
    h->end = end;
    h->pts = h->dts = h->escr = -1;
    if (m_kind == 2)
    {
        switch (id)
        {
        case 0xBC: case 0xBE: case 0xBF: case 0xF0: case 0xF1: case 0xF2: case 0xF8: case 0xF9: case 0xFF:
            return FALSE;
        }
        if (p + 9 > end || (b[p + 6] & 0xC0) != 0x80)
            return FALSE;
        BYTE flags = b[p + 7];
        int payload = p + 9 + b[p + 8];
        if (payload > end)
            return FALSE;
        int q = p + 9;
        if ((flags >> 6) == 2 && q + 5 <= payload)
        {
            h->pts = q;
            q += 5;
        }
        else if ((flags >> 6) == 3 && q + 10 <= payload)
        {
            h->pts = q;
            h->dts = q + 5;
            q += 10;
        }
        if ((flags & 0x20) && q + 6 <= payload && (flags >> 6) != 1)
            h->escr = q;
        h->payload = payload;
        return TRUE;
    }

    if (id != 0xBD && (id < 0xC0 || id > 0xEF))
        return FALSE;
    int q = p + 6;
    while (q < end && b[q] == 0xFF)
        ++q;
    if (q < end && (b[q] & 0xC0) == 0x40)
        q += 2;
    if (q >= end)
        return FALSE;
    BYTE c = b[q];
    if ((c & 0xF0) == 0x20)
    {
        if (q + 5 > end)
            return FALSE;
        h->pts = q;
        h->payload = q + 5;
    }
    else if ((c & 0xF0) == 0x30)
    {
        if (q + 10 > end)
            return FALSE;
        h->pts = q;
        h->dts = q + 5;
        h->payload = q + 10;
    }
    else if (c == 0x0F)
        h->payload = q + 1;
    else
        return FALSE;
    return TRUE;
}

void CPackRestamper::ShiftStamps(BYTE* b, const PesHeader& h, double offset) const
{
    if (h.pts >= 0)
        CMpegClock::WriteStamp(b + h.pts, CMpegClock::ReadStamp(b + h.pts) - offset);
    if (h.dts >= 0)
        CMpegClock::WriteStamp(b + h.dts, CMpegClock::ReadStamp(b + h.dts) - offset);
    if (h.escr >= 0)
        CMpegClock::WriteScrField(b + h.escr, CMpegClock::ReadScrField(b + h.escr) - offset, TRUE);
}

void CPackRestamper::MakePadding(BYTE* b, int p, int end) const
{
    b[p + 3] = 0xBE;
    PutBig16(b + p + 4, end - p - 6);
    if (end > p + 6)
    {
        memset(b + p + 6, 0xFF, end - p - 6);
        if (m_kind == 1)
            b[p + 6] = 0x0F;
    }
}

void CPackRestamper::ShiftNavPacket(BYTE* b, int p, int end, double offset)
{
    if (p + 7 > end)
        return;
    BYTE sub = b[p + 6];
    BYTE* d = b + p + 7;
    int room = end - (p + 7);
    double rate = m_sequence.frameRate;
    if (sub == 0x00 && room >= 28)
    {
        CMpegClock::WriteTicks32(d + 12, CMpegClock::ReadTicks32(d + 12) - offset);
        CMpegClock::WriteTicks32(d + 16, CMpegClock::ReadTicks32(d + 16) - offset);
        if (CMpegClock::GetBig32(d + 20) > 0)
            CMpegClock::WriteTicks32(d + 20, CMpegClock::ReadTicks32(d + 20) - offset);
        CMpegClock::WriteBcdTime(d + 24, CMpegClock::ReadBcdTime(d + 24, rate) - offset,
                                 CMpegClock::BcdRate(d + 24, rate), d[27]);
        CMpegClock::PutBig32(d, 100);
    }
    else if (sub == 0x01 && room >= 32)
    {
        CMpegClock::WriteTicks32(d, CMpegClock::ReadTicks32(d) - offset);
        CMpegClock::WriteBcdTime(d + 28, CMpegClock::ReadBcdTime(d + 28, rate) - offset,
                                 CMpegClock::BcdRate(d + 28, rate), d[31]);
        // The pack's place in the output is not known here; keep PCI and DSI in agreement.
        CMpegClock::PutBig32(d + 4, 100);
    }
}

void CPackRestamper::RemoveStamps(BYTE* b, PesHeader& h) const
{
    if (h.pts < 0)
        return;
    if (m_kind == 2)
    {
        // Only when nothing follows the stamps in the header can they turn into stuffing.
        if (b[h.start + 7] & 0x3F)
            return;
        b[h.start + 7] &= 0x3F;
        memset(b + h.pts, 0xFF, h.dts >= 0 ? 10 : 5);
    }
    else
    {
        int from = h.start + 6;
        int q = from;
        while (q < h.payload && b[q] == 0xFF)
            ++q;
        BYTE std0 = 0, std1 = 0;
        BOOL haveStd = (b[q] & 0xC0) == 0x40;
        if (haveStd)
        {
            std0 = b[q];
            std1 = b[q + 1];
        }
        int n = h.payload - from;
        int w = from;
        int fill = n - 1 - (haveStd ? 2 : 0);
        memset(b + w, 0xFF, fill);
        w += fill;
        if (haveStd)
        {
            b[w++] = std0;
            b[w++] = std1;
        }
        b[w] = 0x0F;
    }
    h.pts = h.dts = -1;
    h.escr = -1;
}

// The lost-B cut. Bytes that belong to dropped pictures are cut out of the packet: more than
// five become a padding packet at its end, fewer become header stuffing, all of them make the
// whole packet padding. A dropped segment ends at the next picture, sequence or GOP header,
// so the headers of the picture after it stay. Returns TRUE when the packet became padding.
BOOL CPackRestamper::DropPictures(BYTE* b, PesHeader& h, int* pictures)
{
    const int ps = h.payload;
    const int end = h.end;
    int drops[64][2];
    int dropCount = 0;
    BOOL overflow = FALSE;
    BOOL segDrop = m_bDropping != 0;
    int segStart = ps;
    int firstPicture = -1;
    BOOL firstDropped = FALSE;
    int kept = 0;

    for (int c = FindPrefix(b, ps, end); c >= 0 && c + 3 < end; c = FindPrefix(b, c + 3, end))
    {
        BYTE id = b[c + 3];
        if (id != 0x00 && id != 0xB3 && id != 0xB7 && id != 0xB8)
            continue;
        if (segDrop && c > segStart)
        {
            if (dropCount < 64)
            {
                drops[dropCount][0] = segStart;
                drops[dropCount][1] = c;
                ++dropCount;
            }
            else
                overflow = TRUE;
        }
        segStart = c;
        if (id != 0x00)
        {
            segDrop = FALSE;
            continue;
        }
        if (c + 6 > end)
        {
            // The picture's type lies in the next packet; keep its first bytes.
            segDrop = FALSE;
        }
        else
        {
            int type = (b[c + 5] >> 3) & 0x07;
            if (type == 3)
            {
                m_bDropping = 1;
                segDrop = TRUE;
            }
            else if (type == 2 || (type == 1 && (m_bDropping || m_lostBIPassed)))
            {
                // A P picture, or any I picture after the first, no longer needs what the
                // lost pictures held; streams of I and B pictures only have no P to wait for.
                m_bDropping = 0;
                m_lostBMode = 0;
                m_lostBIPassed = FALSE;
                segDrop = FALSE;
            }
            else
            {
                if (type == 1)
                    m_lostBIPassed = TRUE;
                segDrop = m_bDropping != 0;
            }
        }
        if (firstPicture < 0)
        {
            firstPicture = c;
            firstDropped = segDrop;
        }
        if (!segDrop)
            ++kept;
        if (!m_lostBMode)
            break;
    }
    if (segDrop && end > segStart)
    {
        if (dropCount < 64)
        {
            drops[dropCount][0] = segStart;
            drops[dropCount][1] = end;
            ++dropCount;
        }
        else
            overflow = TRUE;
    }
    if (!m_lostBMode && firstPicture >= 0)
        kept += CountCode(b, segStart + 3, end, 0x00);
    *pictures = kept;

    if (dropCount == 0)
        return FALSE;
    if (overflow)
    {
        MakePadding(b, h.start, end);
        *pictures = 0;
        return TRUE;
    }
    if (CutPayload(b, h, drops, dropCount, firstDropped))
    {
        *pictures = 0;
        return TRUE;
    }
    return FALSE;
}

// Cuts the given ranges (in order, within the payload) out of a packet. More than five bytes
// become a padding packet at its end, fewer become header stuffing, the whole payload makes
// the packet padding (result TRUE). dropStamps: the stamps belonged to a cut picture.
BOOL CPackRestamper::CutPayload(BYTE* b, PesHeader& h, const int (*drops)[2], int dropCount, BOOL dropStamps)
{
    const int ps = h.payload;
    const int end = h.end;
    int dropped = 0;
    for (int i = 0; i < dropCount; ++i)
        dropped += drops[i][1] - drops[i][0];
    if (dropped <= 0)
        return FALSE;
    if (dropped >= end - ps)
    {
        MakePadding(b, h.start, end);
        return TRUE;
    }

    if (dropStamps)
        RemoveStamps(b, h);

    int keptLength = (end - ps) - dropped;
    m_scratch.resize(keptLength);
    int w = 0;
    int from = ps;
    for (int i = 0; i < dropCount; ++i)
    {
        memcpy(&m_scratch[w], b + from, drops[i][0] - from);
        w += drops[i][0] - from;
        from = drops[i][1];
    }
    memcpy(&m_scratch[w], b + from, end - from);

    if (dropped > 5)
    {
        memcpy(b + ps, &m_scratch[0], keptLength);
        int padStart = ps + keptLength;
        b[padStart] = 0;
        b[padStart + 1] = 0;
        b[padStart + 2] = 1;
        MakePadding(b, padStart, end);
        PutBig16(b + h.start + 4, padStart - h.start - 6);
        h.end = padStart;
        return FALSE;
    }

    if (m_kind == 2)
    {
        if (b[h.start + 8] + dropped > 255)
            return FALSE;
        b[h.start + 8] = (BYTE)(b[h.start + 8] + dropped);
        memset(b + ps, 0xFF, dropped);
    }
    else
    {
        // MPEG-1 stuffing comes first in the packet header.
        memmove(b + h.start + 6 + dropped, b + h.start + 6, ps - (h.start + 6));
        memset(b + h.start + 6, 0xFF, dropped);
        if (h.pts >= 0)
            h.pts += dropped;
        if (h.dts >= 0)
            h.dts += dropped;
    }
    memcpy(b + ps + dropped, &m_scratch[0], keptLength);
    h.payload = ps + dropped;
    return FALSE;
}

// On a new time base the first pack's video bytes before its sequence or GOP header are the
// tail of a picture that was not delivered; they would be appended to the last picture that was.
// When the video written last ends on a sequence header without its extension, and the bytes
// before the GOP header hold the extension of the sequence header the pause cut off, that
// extension is kept: an MPEG-2 sequence header left without one makes decoders take the
// pictures that follow for MPEG-1.
void CPackRestamper::TrimOpeningPack(BYTE* pack, int length)
{
    const BOOL keepExtension = m_kind == 2 && m_sequenceOpen;
    BOOL holdsHeader = FALSE;
    ForEachPacket(pack, length, [&](int p, int end, BYTE id) {
        PesHeader h;
        if (!(id >= 0xE0 && id <= 0xEF) || !ParsePes(pack, p, end, &h))
            return;
        if (FindCode(pack, h.payload, h.end, 0xB3) >= 0 || FindCode(pack, h.payload, h.end, 0xB8) >= 0)
            holdsHeader = TRUE;
    });
    if (!holdsHeader)
        return;
    BOOL done = FALSE;
    ForEachPacket(pack, length, [&](int p, int end, BYTE id) {
        PesHeader h;
        if (done || !(id >= 0xE0 && id <= 0xEF) || !ParsePes(pack, p, end, &h))
            return;
        int c = -1;
        for (int q = FindPrefix(pack, h.payload, h.end); q >= 0 && q + 3 < h.end; q = FindPrefix(pack, q + 3, h.end))
        {
            if (pack[q + 3] == 0xB3 || pack[q + 3] == 0xB8 ||
                (keepExtension && pack[q + 3] == 0xB5 && q + 4 < h.end && (pack[q + 4] >> 4) == 1))
            {
                c = q;
                break;
            }
        }
        int cut[1][2] = { { h.payload, c >= 0 ? c : h.end } };
        if (c >= 0)
            done = TRUE;
        if (cut[0][1] <= cut[0][0])
            return;
        // The stamps name the first picture that begins in the packet: one that is cut away.
        if (FindCode(pack, cut[0][0], cut[0][1], 0x00) >= 0)
        {
            ClearStamps(pack, h.start, h.payload, m_kind);
            h.pts = h.dts = h.escr = -1;
        }
        CutPayload(pack, h, cut, 1, FALSE);
    });
}

void CPackRestamper::GopStep(BYTE* b, const PesHeader& h, int g, double offset, int* gopMark, int lostBMode)
{
    if (g < 0 || g + 8 > h.end)
        return;
    SetGopTime(b + g, GetGopTime(b + g) - offset);
    if (gopMark && *gopMark)
    {
        *gopMark = 0;
        if (lostBMode)
        {
            // The B pictures after this GOP's I picture lost their reference.
            b[g + 7] = (BYTE)((b[g + 7] & ~0x40) | 0x20);
            b[g + 4] &= 0x7F;
        }
    }
}

void CPackRestamper::TrackVideo(const BYTE* b, const PesHeader& h, int pictures)
{
    double frame = FrameDuration();
    // A picture start code that began in the packet before belongs to that packet's pictures.
    BYTE joint[6];
    const int n = h.end - h.payload;
    const int head = std::min(n, 3);
    memcpy(joint, m_videoTail, m_videoTailLength);
    memcpy(joint + m_videoTailLength, b + h.payload, head);
    const int split = FindCode(joint, 0, m_videoTailLength + head, 0x00);
    if (split >= 0 && split < m_videoTailLength && m_haveVideo)
        m_nextVideo += frame;
    if (n >= 3)
    {
        memcpy(m_videoTail, b + h.end - 3, 3);
        m_videoTailLength = 3;
    }
    else
    {
        const int keep = std::min(m_videoTailLength, 3 - n);
        memmove(m_videoTail, m_videoTail + m_videoTailLength - keep, keep);
        memcpy(m_videoTail + keep, b + h.payload, n);
        m_videoTailLength = keep + n;
    }
    if (h.pts >= 0)
    {
        double decode = CMpegClock::ReadStamp(b + (h.dts >= 0 ? h.dts : h.pts));
        m_nextVideo = decode + std::max(pictures, 1) * frame;
        m_haveVideo = TRUE;
    }
    else if (m_haveVideo)
        m_nextVideo += pictures * frame;
}

namespace
{
// Whether a header like the one at `at` follows in p[at + 4, n): the same but for the padding
// bit and the mode extension. Bytes inside frames that look like headers are common enough in a
// packet; three bytes alike by chance are not.
BOOL SameHeaderFollows(const BYTE* p, int at, int n)
{
    if (at + 4 > n)
        return FALSE;
    for (int j = FindAudioHeader(p, at + 4, n - 1); j >= 0; j = FindAudioHeader(p, j + 1, n - 1))
    {
        if (p[j + 1] == p[at + 1] && (p[j + 2] & 0xFD) == (p[at + 2] & 0xFD) && (p[j + 3] & 0xCF) == (p[at + 3] & 0xCF))
            return TRUE;
    }
    return FALSE;
}
}

int CPackRestamper::FindFrameStart(int key, const BYTE* p, int from, int n) const
{
    const StreamTrack& t = m_audio[key];
    for (int i = FindAudioHeader(p, from, n); i >= 0; i = FindAudioHeader(p, i + 1, n))
    {
        if (t.haveHeader && (p[i + 1] != t.header[1] || (p[i + 2] & 0xFC) != (t.header[2] & 0xFC)))
            continue;
        int length = 0;
        double duration = 0;
        CMpegAudioHeader::Parse(p + i, n - i, &length, &duration);
        // A free-format header (no bit rate) tells no frame length to check it by: unless the
        // stream is known, another like it must follow in the packet, else these bytes are taken
        // for data inside a frame.
        if (length == 0 && !t.haveHeader && !SameHeaderFollows(p, i, n))
            continue;
        if (length > 0 && i + length + 3 <= n && !CMpegAudioHeader::IsFrameHeader(p + i + length, n - i - length))
            continue;
        return i;
    }
    return -1;
}

int CPackRestamper::AudioKey(const BYTE* b, const PesHeader& h)
{
    BYTE id = b[h.start + 3];
    if (id >= 0xC0 && id <= 0xDF)
        return id;
    if (id == 0xBD && h.payload + 4 <= h.end && b[h.payload] >= 0x80 && b[h.payload] <= 0x87)
        return b[h.payload];
    return -1;
}

void CPackRestamper::TrackAudio(const BYTE* b, const PesHeader& h, int key)
{
    StreamTrack& t = m_audio[key];
    const BYTE* p = b + h.payload;
    int n = h.end - h.payload;
    int frames = 0;
    if (key < 0xC0)
    {
        // AC3 in private stream 1: the sub-stream header counts the frames that begin here.
        frames = p[1];
        t.frame = kAc3FrameSeconds;
    }
    else
    {
        int pos = t.carry >= 0 ? t.carry : FindFrameStart(key, p, 0, n);
        t.carry = -1;
        while (pos >= 0 && pos < n)
        {
            int length = 0;
            double duration = 0;
            if (n - pos < 3)
            {
                // A header split across two packets still begins a frame here.
                ++frames;
                if (t.lastLength > 0)
                    t.carry = pos + t.lastLength - n;
                pos = -1;
                break;
            }
            if (CMpegAudioHeader::Parse(p + pos, n - pos, &length, &duration) && length > 0)
            {
                ++frames;
                t.frame = duration;
                t.lastLength = length;
                memcpy(t.header, p + pos, 3);
                t.haveHeader = TRUE;
                pos += length;
            }
            else
                pos = FindFrameStart(key, p, pos + 1, n);
        }
        if (pos >= n)
            t.carry = pos - n;
    }
    if (h.pts >= 0)
    {
        t.next = CMpegClock::ReadStamp(b + h.pts) + frames * t.frame;
        t.valid = TRUE;
    }
    else if (t.valid)
        t.next += frames * t.frame;
}

void CPackRestamper::VideoPacket(BYTE* b, PesHeader& h, double offset, int* gopMark)
{
    int pictures = -1;
    // A P picture in this same packet may end lost-B mode; its GOP header still lost the B pictures.
    int lostBMode = m_lostBMode;
    if (m_lostBMode && DropPictures(b, h, &pictures))
    {
        m_videoTailLength = 0;
        return;
    }
    int gop = -1;
    int counted = 0;
    for (int c = FindPrefix(b, h.payload, h.end); c >= 0 && c + 3 < h.end; c = FindPrefix(b, c + 3, h.end))
    {
        BYTE code = b[c + 3];
        if (code == 0x00)
            ++counted;
        else if (code == 0xB8 && gop < 0)
            gop = c;
        if (code == 0xB3)
            m_sequenceOpen = TRUE;
        else if (code != 0xB2)
            m_sequenceOpen = FALSE;     // an extension (or any other header) follows it
    }
    // A start code prefix split off at the end would swallow the kept extension's first byte.
    if (m_sequenceOpen && h.end - h.payload >= 3 && b[h.end - 3] == 0 && b[h.end - 2] == 0 && b[h.end - 1] == 1)
        m_sequenceOpen = FALSE;
    GopStep(b, h, gop, offset, gopMark, lostBMode);
    TrackVideo(b, h, pictures < 0 ? counted : pictures);
}

void CPackRestamper::ShiftPackTimes(BYTE* pack, int length, double offset, int* gopMark, int* audioWait)
{
    if (!pack || length < 12)
        return;
    ForEachPacket(pack, length, [&](int p, int end, BYTE id) {
        if (m_kind == 2)
        {
            switch (id)
            {
            case 0xBC: case 0xBE: case 0xF0: case 0xF1: case 0xF2: case 0xF9: case 0xFF:
                return;
            case 0xBF:
                ShiftNavPacket(pack, p, end, offset);
                return;
            }
        }
        PesHeader h;
        if (!ParsePes(pack, p, end, &h))
            return;
        ShiftStamps(pack, h, offset);
        if (id >= 0xE0 && id <= 0xEF)
        {
            VideoPacket(pack, h, offset, gopMark);
            return;
        }
        if (id >= 0xC0 && id <= 0xDF && audioWait && *audioWait)
        {
            int n = h.end - h.payload;
            int at = FindFrameStart(id, pack + h.payload, 0, n) == 0 ? 0 : -1;
            if (at == 0)
                *audioWait = 0;
            else if (m_kind == 2)
            {
                // The packet's leading bytes finish a frame whose start was not written;
                // its own frames, from the first header on, are kept.
                at = FindFrameStart(id, pack + h.payload, 1, n);
                int cut[1][2] = { { h.payload, at > 0 ? h.payload + at : h.end } };
                if (CutPayload(pack, h, cut, 1, FALSE))
                    return;
                *audioWait = 0;
            }
        }
        AudioPacket(pack, h);
    });
}

void CPackRestamper::AudioPacket(BYTE* pack, PesHeader& h)
{
    int key = AudioKey(pack, h);
    if (key < 0)
        return;
    int kept = 0;
    if (m_audio[key].opening && OpenAudio(pack, h, key, &kept))
        return;
    if (m_audio[key].seam && DropAudioBehindSeam(pack, h, key, kept))
        return;
    TrackAudio(pack, h, key);
}

void CPackRestamper::TrackPack(BYTE* pack, int length)
{
    if (!pack || length < 12)
        return;
    ForEachPacket(pack, length, [&](int p, int end, BYTE id) {
        PesHeader h;
        if (!ParsePes(pack, p, end, &h))
            return;
        if (id >= 0xE0 && id <= 0xEF)
        {
            TrackVideo(pack, h, CountCode(pack, h.payload, h.end, 0x00));
            return;
        }
        // The audio after a new time base is opened and held behind what was written as in
        // ShiftPackTimes, though its stamps stay.
        AudioPacket(pack, h);
    });
}

// The time offset of a new time base is fixed by the data at hand; audio that only turns up
// in a later delivery may still lie behind the audio written before the seam. Such packets
// are dropped (their time was already heard) until the stream's stamps move past it.
BOOL CPackRestamper::DropAudioBehindSeam(BYTE* b, PesHeader& h, int key, int keep)
{
    StreamTrack& t = m_audio[key];
    // `keep` bytes at the front finish a frame of the old time base: they stay whatever follows.
    int cut[1][2] = { { h.payload + keep, h.end } };
    if (key < 0xC0)
    {
        // AC3: whole packets, those whose first frame would begin before the written ones end.
        if (h.pts < 0 ? !t.dropping : CMpegClock::ReadStamp(b + h.pts) >= t.next - t.frame / 10)
        {
            t.seam = h.pts < 0 && t.seam;
            t.dropping = FALSE;
            return FALSE;
        }
        t.dropping = TRUE;
        MakePadding(b, h.start, h.end);
        return TRUE;
    }
    const BYTE* p = b + h.payload;
    const int n = h.end - h.payload;
    double time;
    int at;
    if (h.pts >= 0)
    {
        time = CMpegClock::ReadStamp(b + h.pts);
        at = t.dropping ? keep + t.dropSkip : FindFrameStart(key, p, keep, n);
        // A stamp names a frame that begins in the packet: look for it where the dropped ones
        // say it is, else anywhere.
        if (t.dropping && (at >= n || !CMpegAudioHeader::IsFrameHeader(p + at, n - at)))
            at = FindFrameStart(key, p, keep, n);
    }
    else if (t.dropping)
    {
        time = t.dropNext;
        at = keep + t.dropSkip;
    }
    else if (t.haveFirst)
    {
        // Unstamped frames before the first stamp: their times were counted back from it.
        time = t.first;
        at = FindFrameStart(key, p, keep, n);
    }
    else
    {
        return FALSE;
    }
    t.haveFirst = FALSE;
    const int from = t.dropping ? keep : at;
    if (at < 0)
    {
        // No frame begins here: all of it (but what finishes a frame before) is dropped data.
        if (!t.dropping)
            return FALSE;
        t.dropSkip = std::max(t.dropSkip - (n - keep), 0);
        return n > keep && CutPayload(b, h, cut, 1, TRUE);
    }
    // The frames that begin before the written ones end are dropped, whole (a tenth of a frame
    // allows for stamps rounded to the clock); the first one that does not is kept.
    const double limit = t.next - t.frame / 10;
    int pos = at;
    while (pos < n && time < limit)
    {
        int length = 0;
        double duration = t.frame;
        if (!CMpegAudioHeader::Parse(p + pos, n - pos, &length, &duration) || length <= 0)
            length = n - pos < 4 ? t.lastLength : 0;
        if (length <= 0)
            break;
        pos += length;
        time += duration > 0 ? duration : t.frame;
    }
    if (pos >= n)
    {
        // The next frame begins in a later packet; what this one holds after `from` is dropped.
        t.dropping = TRUE;
        t.dropNext = time;
        t.dropSkip = pos - n;
        t.carry = -1;
        cut[0][0] = h.payload + from;
        return n > from && CutPayload(b, h, cut, 1, TRUE);
    }
    t.seam = FALSE;
    t.dropping = FALSE;
    t.carry = from;
    if (pos > from)
    {
        cut[0][0] = h.payload + from;
        cut[0][1] = h.payload + pos;
        if (CutPayload(b, h, cut, 1, FALSE))
            return TRUE;
        if (h.pts >= 0)
            CMpegClock::WriteStamp(b + h.pts, time);
    }
    return FALSE;
}

BOOL CPackRestamper::OpenAudio(BYTE* b, PesHeader& h, int key, int* kept)
{
    StreamTrack& t = m_audio[key];
    t.opening = FALSE;
    const int n = h.end - h.payload;
    const int owedTotal = std::max(t.owed, 0);
    const int owed = std::min(owedTotal, n);
    t.owed = 0;
    *kept = owed;
    if (key < 0xC0)
        return FALSE;
    // Where the frames of this packet begin: bytes before the first header that the open
    // frame does not take are the end of a frame never written.
    int at = FindFrameStart(key, b + h.payload, owed, n);
    // A frame that began among the bytes the open frame takes is lost with them: the packet's
    // stamp names it, the first frame kept comes that many frames later.
    const int first = owed > 0 && h.pts >= 0 && at >= 0 ? FindFrameStart(key, b + h.payload, 0, n) : -1;
    if (first >= 0 && first < owed && first < at)
    {
        int frames = 0;
        for (int pos = first; pos < at;)
        {
            int length = 0;
            double duration = 0;
            if (!CMpegAudioHeader::Parse(b + h.payload + pos, n - pos, &length, &duration) || length <= 0)
                break;
            pos += length;
            ++frames;
        }
        CMpegClock::WriteStamp(b + h.pts, CMpegClock::ReadStamp(b + h.pts) + frames * t.frame);
    }
    int cut[1][2] = { { h.payload + owed, at >= 0 ? h.payload + at : h.end } };
    t.carry = owedTotal;
    if (cut[0][1] <= cut[0][0])
        return FALSE;
    // With no frame starting in it, the packet's stamps would name a frame that is not there.
    return CutPayload(b, h, cut, 1, at < 0);
}

void CPackRestamper::BeginClosing()
{
    m_closing = TRUE;
    m_videoClosed = FALSE;
}

BOOL CPackRestamper::ClosingDone() const
{
    if (!m_videoClosed)
        return FALSE;
    for (int i = 0xC0; i <= 0xDF; ++i)
    {
        if (m_audio[i].carry > 0)
            return FALSE;
    }
    return TRUE;
}

BOOL CPackRestamper::ClosePack(BYTE* pack, int length, double offset)
{
    BOOL kept = FALSE;
    if (!pack || length < 12)
        return FALSE;
    ForEachPacket(pack, length, [&](int p, int end, BYTE id) {
        PesHeader h;
        const BOOL video = id >= 0xE0 && id <= 0xEF;
        const BOOL audio = id >= 0xC0 && id <= 0xDF;
        if (id == 0xBE)
            return;
        if (!(video || audio) || !ParsePes(pack, p, end, &h))
        {
            MakePadding(pack, p, end);
            return;
        }
        if (video)
        {
            if (m_videoClosed)
            {
                MakePadding(pack, p, end);
                return;
            }
            // What belongs to the pictures before the cut ends at the sequence or GOP header
            // that opens the next group; whole pictures may come before it.
            int seq = FindCode(pack, h.payload, h.end, 0xB3);
            int gop = FindCode(pack, h.payload, seq >= 0 ? seq : h.end, 0xB8);
            const int until = gop >= 0 ? gop : (seq >= 0 ? seq : h.end);
            m_videoClosed = until < h.end;
            if (until == h.payload)
            {
                MakePadding(pack, p, end);
                return;
            }
            kept = TRUE;
            if (until < h.end)
            {
                // The stamps name the first picture that begins in the packet.
                if (FindCode(pack, h.payload, until, 0x00) < 0)
                {
                    ClearStamps(pack, h.start, h.payload, m_kind);
                    h.pts = h.dts = h.escr = -1;
                }
                int cut[1][2] = { { until, h.end } };
                if (CutPayload(pack, h, cut, 1, FALSE))
                    return;
            }
            ShiftStamps(pack, h, offset);
            int noGopMark = 0;
            VideoPacket(pack, h, offset, &noGopMark);
            return;
        }
        StreamTrack& t = m_audio[id];
        const int n = h.end - h.payload;
        const int owed = t.carry > 0 ? std::min(t.carry, n) : 0;
        if (owed == 0)
        {
            MakePadding(pack, p, end);
            return;
        }
        kept = TRUE;
        t.carry -= owed;
        int cut[1][2] = { { h.payload + owed, h.end } };
        if (!CutPayload(pack, h, cut, 1, FALSE))
            ClearStamps(pack, h.start, h.payload, m_kind);
    });
    return kept;
}

void CPackRestamper::OpenTimeBase()
{
    // A frame still open takes its bytes from the front of the stream's first packet: the rest of
    // it where the new data goes on right where a closing stopped, else bytes of no use that
    // keep the frame its length, so that the frames after it are found where they begin.
    for (int i = 0; i < 256; ++i)
    {
        StreamTrack& t = m_audio[i];
        t.opening = TRUE;
        t.owed = t.carry > 0 ? t.carry : 0;
    }
    m_closing = FALSE;
    m_videoTailLength = 0;
}

// The first stamp of a stream may name a later frame than the first one written: a picture
// whose headers begin in the packet before its own carries no stamp of its own, nor does an
// audio packet the muxer left unstamped. Such frames come one frame duration each ahead of the
// stamped one, so until a stamp is met the first time gathers minus their durations, and the
// stamp is added to it.
void CPackRestamper::ScanFirstStamps(const BYTE* data, int length, BOOL restart)
{
    if (restart)
    {
        m_haveFirstVideo = FALSE;
        m_firstVideo = 0.0;
        for (int i = 0; i < 256; ++i)
        {
            m_audio[i].first = 0.0;
            m_audio[i].haveFirst = FALSE;
            m_audio[i].seam = m_audio[i].valid;
            m_audio[i].dropping = FALSE;
        }
    }
    if (!data || length <= 0)
        return;
    BYTE* b = const_cast<BYTE*>(data);   // only read
    const double frame = FrameDuration();
    BOOL opening = restart;
    int start = 0;
    int end = length;
    while (NextPack(b, &start, &end))
    {
        BYTE* pack = b + start;
        // The opening pack loses its video before the GOP (see TrimOpeningPack); whatever
        // picture starts there is not written and must not be counted.
        BOOL skipping = FALSE;
        if (opening && !m_haveFirstVideo)
        {
            ForEachPacket(pack, end - start, [&](int p, int pend, BYTE id) {
                PesHeader h;
                if (id >= 0xE0 && id <= 0xEF && ParsePes(pack, p, pend, &h) && FindCode(pack, h.payload, h.end, 0xB8) >= 0)
                    skipping = TRUE;
            });
        }
        opening = FALSE;
        ForEachPacket(pack, end - start, [&](int p, int pend, BYTE id) {
            PesHeader h;
            if (!ParsePes(pack, p, pend, &h))
                return;
            if (id >= 0xE0 && id <= 0xEF)
            {
                if (m_haveFirstVideo)
                    return;
                // In the opening pack, stamps of a picture that begins before the GOP name one
                // that is not written.
                BOOL stampCut = FALSE;
                if (skipping && h.pts >= 0)
                {
                    int seq = FindCode(pack, h.payload, h.end, 0xB3);
                    int gop = FindCode(pack, h.payload, h.end, 0xB8);
                    int header = seq >= 0 && (gop < 0 || seq < gop) ? seq : gop;
                    stampCut = FindCode(pack, h.payload, header >= 0 ? header : h.end, 0x00) >= 0;
                }
                if (h.pts >= 0 && !stampCut)
                {
                    m_firstVideo += CMpegClock::ReadStamp(pack + (h.dts >= 0 ? h.dts : h.pts));
                    m_firstPicture = CMpegClock::ReadStamp(pack + h.pts);
                    m_haveFirstVideo = TRUE;
                    return;
                }
                int from = h.payload;
                if (skipping)
                {
                    int seq = FindCode(pack, from, h.end, 0xB3);
                    int gop = FindCode(pack, from, h.end, 0xB8);
                    int header = seq >= 0 && (gop < 0 || seq < gop) ? seq : gop;
                    if (header < 0)
                        return;
                    from = header;
                    skipping = FALSE;
                }
                m_firstVideo -= CountCode(pack, from, h.end, 0x00) * frame;
                return;
            }
            int key = AudioKey(pack, h);
            if (key < 0 || m_audio[key].haveFirst)
                return;
            StreamTrack& t = m_audio[key];
            if (h.pts >= 0)
            {
                t.first += CMpegClock::ReadStamp(pack + h.pts);
                t.haveFirst = TRUE;
            }
            else
                t.first -= CountAudioFrames(pack + h.payload, h.end - h.payload, key < 0xC0) * t.frame;
        });
        start = end;
        end = length;
    }
}

double CPackRestamper::LimitOffset(double offset, double firstScr, double minScrStep) const
{
    // The pictures go on without a gap, unless the new data's video runs further ahead of its
    // clock than the old data's did: its bytes would then come later than its decode times allow
    // (the decoder's buffer runs dry), so the time line moves on by the difference, a gap in the
    // pictures. Audio that would overlap what was written is dropped (DropAudioBehindSeam):
    // moving the time line for it would leave a gap in the pictures instead.
    if (m_haveVideo && m_haveFirstVideo)
    {
        // AC3 frames are not followed one by one: the new packets stay behind what was written
        // instead, a frame further for the last frame written, which may lack its end.
        double limit = m_firstVideo - m_nextVideo;
        for (int i = 0x80; i <= 0x87; ++i)
        {
            const StreamTrack& t = m_audio[i];
            if (t.valid && t.haveFirst)
                limit = std::min(limit, t.first - t.next - t.frame);
        }
        if (m_haveLastScr)
            limit = std::min(limit, firstScr - m_lastScr);
        return limit;
    }
    if (m_haveLastScr)
        return std::min(offset, firstScr - (m_lastScr + minScrStep));
    return offset;
}

void CPackRestamper::HoldAudioUntilPictures()
{
    if (!m_haveFirstVideo)
        return;
    // Audio that the muxer put ahead of the first picture belongs to pictures never written: an
    // output begins with its first picture, not with sound before it.
    for (int i = 0; i < 256; ++i)
    {
        StreamTrack& t = m_audio[i];
        t.valid = TRUE;
        t.next = m_firstPicture;
        t.seam = TRUE;
        t.dropping = FALSE;
    }
}

void CPackRestamper::StartTimeBase(double offset)
{
    m_scrCatchUp = m_haveLastScr;
    m_firstPicture -= offset;
    // The first audio stamps found ahead are times of the new data; the packets get them moved.
    for (int i = 0; i < 256; ++i)
    {
        if (m_audio[i].haveFirst)
            m_audio[i].first -= offset;
    }
}

double CPackRestamper::PackDuration(const BYTE* pack, int length) const
{
    int rate;
    if (m_kind == 1)
        rate = ((pack[9] & 0x7F) << 15) | (pack[10] << 7) | (pack[11] >> 1);
    else
        rate = length >= 13 ? (pack[10] << 14) | (pack[11] << 6) | (pack[12] >> 2) : 0;
    return rate > 0 ? length / (rate * 50.0) : CMpegClock::kTickSeconds;
}

double CPackRestamper::ClosingScr(const BYTE* pack, int length, double wanted)
{
    const double scr = NextScr(pack, length, wanted);
    if (!m_haveLastScr)
        return scr;
    // What a closing keeps (the end of a picture or of an audio frame) may lie many packs behind
    // the cut: it follows the last pack written straight on, or the time line would move on by
    // the packs dropped in between.
    return std::min(scr, m_lastScr + PackDuration(pack, length));
}

double CPackRestamper::NextScr(const BYTE* pack, int length, double wanted)
{
    if (!m_scrCatchUp || !m_haveLastScr)
        return wanted;
    const double least = m_lastScr + PackDuration(pack, length);
    if (wanted >= least)
    {
        m_scrCatchUp = FALSE;
        return wanted;
    }
    return least;
}

int CPackRestamper::PackKind(const BYTE* pack)
{
    if ((pack[4] & 0xF0) == 0x20)
        return 1;
    return pack[4] >= 0x40 ? 2 : 0;
}

int CPackRestamper::DetectChunkKind(const MpegChunkList* list)
{
    if (!list || !list->head)
        return 0;
    const MpegChunkNode* head = list->head;
    for (const MpegChunkNode* n = head->next; n && n != head; n = n->next)
    {
        const BYTE* d = n->chunk.data;
        int at = d && n->chunk.length >= 5 ? FindPack(d, 0, n->chunk.length) : -1;
        if (at >= 0 && n->chunk.length - at >= 5)
            return PackKind(d + at);
    }
    return 0;
}

BOOL CPackRestamper::TakeSequenceFrom(const MpegChunkList* list)
{
    if (!list || !list->head)
        return FALSE;
    std::vector<BYTE> video;
    const MpegChunkNode* head = list->head;
    for (const MpegChunkNode* n = head->next; n && n != head; n = n->next)
    {
        if (!n->chunk.data || n->chunk.length <= 0)
            continue;
        int at = CollectSequenceHeader(n->chunk.data, n->chunk.length, video);
        if (at >= 0)
        {
            ParseSequenceHeader(&video[at]);
            return HasSequenceInfo();
        }
    }
    return FALSE;
}

int CPackRestamper::CollectSequenceHeader(const BYTE* data, int length, std::vector<BYTE>& video)
{
    // The start code may already be there from earlier bytes.
    BYTE* b = const_cast<BYTE*>(data);     // only read
    int start = 0;
    int end = length;
    int found = -1;
    while (found < 0 && NextPack(b, &start, &end))
    {
        ForEachPacket(b + start, end - start, [&](int p, int pend, BYTE id) {
            PesHeader h;
            if (found >= 0 || !(id >= 0xE0 && id <= 0xEF) || !ParsePes(b + start, p, pend, &h))
                return;
            const BOOL inHeader = video.size() >= 4 && video[0] == 0 && video[1] == 0 && video[2] == 1 &&
                                  video[3] == 0xB3;
            const size_t from = video.size() >= 3 ? video.size() - 3 : 0;
            video.insert(video.end(), b + start + h.payload, b + start + h.end);
            if (!inHeader)
            {
                // Only the bytes from the header on are worth keeping.
                int at = FindCode(video.data(), (int)from, (int)video.size(), 0xB3);
                if (at < 0)
                {
                    if (video.size() > 3)
                        video.erase(video.begin(), video.end() - 3);
                    return;
                }
                video.erase(video.begin(), video.begin() + at);
            }
            if (video.size() >= 12)
                found = 0;
        });
        start = end;
        end = length;
    }
    return found;
}

int CPackRestamper::RestampChunks(MpegChunkList* list, double* lastTime, int* lostBMode, int* first)
{
    if (!list || !list->head || !lastTime || !lostBMode || !first)
        return 0;
    const BOOL closing = *first == kClosingChunks;
    const BOOL newBase = *first != 0 && !closing;
    // A delivery begins with the pack that holds its GOP header, which also holds the end of
    // the previous delivery's last picture: when that picture was being dropped, so is its end.
    m_lostBMode = *lostBMode;
    if (newBase || !m_lostBMode)
    {
        m_bDropping = 0;
        m_lostBIPassed = FALSE;
    }
    if (closing && !m_closing)
        BeginClosing();
    if (newBase)
        OpenTimeBase();
    // Only the data after a gap has a GOP whose B pictures lost their reference, and audio
    // frames whose start it lacks (OpenTimeBase); a batch that goes on from the last one has
    // neither, though lost-B mode may still be on (I and B pictures only).
    int gopMark = newBase ? *lostBMode : 0;
    int audioWait = 0;
    double outputTime = *lastTime;
    BOOL rebased = FALSE;
    int count = 0;

    MpegChunkNode* head = list->head;
    for (MpegChunkNode* n = head->next; n && n != head; n = n->next)
    {
        BYTE* d = n->chunk.data;
        int length = n->chunk.length;
        if (!d || length <= 0)
            continue;
        int start = 0;
        int end = length;
        while (NextPack(d, &start, &end))
        {
            BYTE* pack = d + start;
            int packLength = end - start;
            // The last pack of a chunk may be cut short, as the last pack of a recording can be.
            if (end == length && WalkPackets(d, start, end) < 0)
                CloseCutPack(pack, packLength, m_kind);
            if (packLength >= (m_kind == 1 ? 12 : 14))
            {
                double scr = GetPackScr(pack);
                if (newBase && !rebased)
                {
                    double offset = scr - *lastTime;
                    const BOOL history = HasHistory();
                    BOOL restart = TRUE;
                    for (MpegChunkNode* m = n; m != head; m = m->next)
                    {
                        int from = m == n ? start : 0;
                        if (m->chunk.data && m->chunk.length > from)
                            ScanFirstStamps(m->chunk.data + from, m->chunk.length - from, restart);
                        restart = FALSE;
                    }
                    if (history)
                        offset = LimitOffset(offset, scr, kSeamStep);
                    StartTimeBase(offset);
                    if (!history)
                        HoldAudioUntilPictures();
                    s_offset = offset;
                    rebased = TRUE;
                }
                if (closing)
                {
                    // A closing pack that keeps nothing is not written: its clock must not hold
                    // back the next time base.
                    if (ClosePack(pack, packLength, s_offset))
                    {
                        const double newTime = ClosingScr(pack, packLength, scr - s_offset);
                        SetPackScr(pack, newTime);
                        outputTime = newTime > 0 ? newTime : 0.0;
                        ++count;
                    }
                }
                else
                {
                    const double newTime = NextScr(pack, packLength, scr - s_offset);
                    if (newBase && count == 0)
                        TrimOpeningPack(pack, packLength);
                    SetPackScr(pack, newTime);
                    outputTime = newTime > 0 ? newTime : 0.0;
                    ShiftPackTimes(pack, packLength, s_offset, &gopMark, &audioWait);
                    ++count;
                }
            }
            start = end;
            end = length;
        }
    }

    if (count > 0)
        *lastTime = outputTime;
    if (newBase && rebased)
    {
        *lastTime = outputTime + kSeamStep;
        *first = 0;
    }
    if (closing && ClosingDone())
        *first = 0;
    *lostBMode = m_lostBMode;
    return count;
}

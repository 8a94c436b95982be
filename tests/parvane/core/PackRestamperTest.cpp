#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "parvane/MpegClock.h"
#include "parvane/NavPack.h"
#include "parvane/PackRestamper.h"
#include "tests/parvane/core/PackBuilder.h"

namespace
{
typedef std::vector<BYTE> Bytes;

const Bytes kSeq = CPackBuilder::Sequence(352, 288, 3);

double ScrAt(const Bytes& b, size_t at, int kind)
{
    return kind == 2 ? CMpegClock::ReadMpeg2Scr(&b[at]) : CMpegClock::ReadMpeg1Scr(&b[at]);
}

// One pack per call of `add`, all in one buffer; returns the pack offsets.
struct Stream
{
    explicit Stream(int kind) : builder(kind), kind(kind) {}
    size_t AddPack(double scr)
    {
        size_t at = builder.Bytes().size();
        builder.Pack(scr);
        packs.push_back(at);
        return at;
    }
    Bytes& bytes() { return builder.Bytes(); }
    CPackBuilder builder;
    int kind;
    std::vector<size_t> packs;
};

int Restamp(CPackRestamper& r, Bytes& bytes, double* last, int* lostB, int* first)
{
    CChunkList list;
    list.Add(bytes);
    return r.RestampChunks(list.List(), last, lostB, first);
}

class RestampByKind : public ::testing::TestWithParam<int> {};

TEST_P(RestampByKind, FirstCallPlacesFirstPackAtLastTime)
{
    int kind = GetParam();
    CPackRestamper r(kind);
    r.Sequence().frameRate = 25.0;
    Stream s(kind);
    s.AddPack(100.0);
    size_t v = s.builder.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 1, 40, 0, false),
                                                          CPackBuilder::Picture(1, 40) }), 100.5, 100.4);
    s.AddPack(100.5);
    s.builder.Packet(0xC0, { 0xFF, 0xFD, 0x84, 0x00, 1, 2, 3 }, 100.45);

    double last = 42.0;
    int lostB = 0, first = 1;
    EXPECT_EQ(2, Restamp(r, s.bytes(), &last, &lostB, &first));
    EXPECT_NEAR(42.0, ScrAt(s.bytes(), s.packs[0], kind), 1e-6);
    EXPECT_NEAR(42.5, ScrAt(s.bytes(), s.packs[1], kind), 1e-6);
    EXPECT_NEAR(42.5 + 0.015, last, 1e-9);
    EXPECT_EQ(0, first);
    const BYTE* pes = &s.bytes()[v];
    int hdr = kind == 2 ? 9 : 6;
    EXPECT_NEAR(42.5, CMpegClock::ReadStamp(pes + hdr), 1e-4);
    EXPECT_NEAR(42.4, CMpegClock::ReadStamp(pes + hdr + 5), 1e-4);
    // GOP time code 00:01:40 moved back by the 58 s offset.
    int gopAt = (int)(v + hdr + 10 + kSeq.size());
    EXPECT_NEAR(42.0, CMpegClock::ReadGopTime(&s.bytes()[gopAt], 25.0), 1e-9);

    // A later delivery keeps the offset and hands back the last SCR without the step.
    Stream t(kind);
    t.AddPack(101.0);
    EXPECT_EQ(1, Restamp(r, t.bytes(), &last, &lostB, &first));
    EXPECT_NEAR(43.0, ScrAt(t.bytes(), t.packs[0], kind), 1e-6);
    EXPECT_NEAR(43.0, last, 1e-9);
}

TEST_P(RestampByKind, NegativeTimesAreWrittenAsZero)
{
    int kind = GetParam();
    CPackRestamper r(kind);
    Stream s(kind);
    s.AddPack(10.0);
    s.builder.Packet(0xBE, Bytes(30, 0xFF));
    s.AddPack(9.0);
    s.builder.Packet(0xBE, Bytes(30, 0xFF));
    double last = 0.5;
    int lostB = 0, first = 1;
    EXPECT_EQ(2, Restamp(r, s.bytes(), &last, &lostB, &first));
    EXPECT_EQ(0.0, ScrAt(s.bytes(), s.packs[1], kind));
}

TEST_P(RestampByKind, NoPackKeepsTheFirstFlagAndTheTime)
{
    int kind = GetParam();
    CPackRestamper r(kind);
    Bytes junk(100, 0x47);
    double last = 12.0;
    int lostB = 1, first = 1;
    EXPECT_EQ(0, Restamp(r, junk, &last, &lostB, &first));
    EXPECT_EQ(12.0, last);
    EXPECT_EQ(1, first) << "a call that re-based no pack must leave the next one to start the time base";
    EXPECT_EQ(1, lostB);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RestampByKind, ::testing::Values(1, 2));

TEST(PackRestamper, ResetContinuesAfterWhatWasWritten)
{
    // Before the pause: one GOP whose last video DTS runs ahead of its SCR, as every
    // encoder's does, and audio up to 10.5 s.
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream a(2);
    a.AddPack(10.0);
    a.builder.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 10, 0, false),
                                               CPackBuilder::Picture(1, 30) }), 10.5, 10.5);
    a.AddPack(10.3);
    a.builder.Packet(0xE0, CPackBuilder::Picture(2, 30), 10.9, 10.54);
    const Bytes frame = CPackBuilder::Join({ { 0xFF, 0xFD, 0x84, 0x00 }, Bytes(380, 0) });  // 384 bytes
    a.builder.Packet(0xC0, frame, 10.5);
    double last = 10.0;
    int lostB = 0, first = 1;
    Restamp(r, a.bytes(), &last, &lostB, &first);
    ASSERT_NEAR(10.315, last, 1e-9);
    last = 10.3;    // what a later delivery would have handed back

    // After the pause the caller starts a new time base at its last time.
    Stream b(2);
    size_t p0 = b.AddPack(50.0);
    size_t v = b.builder.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 50, 0, false),
                                                          CPackBuilder::Picture(1, 30) }), 50.3, 50.2);
    size_t au = b.builder.Packet(0xC0, frame, 50.1);
    b.AddPack(50.1);
    size_t later = b.builder.Packet(0xC0, frame, 50.25);
    first = 1;
    Restamp(r, b.bytes(), &last, &lostB, &first);

    double scr = CMpegClock::ReadMpeg2Scr(&b.bytes()[p0]);
    double dts = CMpegClock::ReadStamp(&b.bytes()[v + 9 + 5]);
    EXPECT_GE(scr, 10.3 + 0.015 - 1e-6) << "the SCR moves on";
    EXPECT_NEAR(10.54 + 0.04, dts, 1e-4) << "the pictures go on without a gap";
    EXPECT_EQ(0xBE, b.bytes()[au + 3]) << "audio that would overlap the audio written is dropped";
    EXPECT_EQ(0xC0, b.bytes()[later + 3]) << "audio after it stays";
    EXPECT_NEAR(50.25 - 50.2 + 10.58, CMpegClock::ReadStamp(&b.bytes()[later + 9]), 1e-4);
}

TEST(PackRestamper, LostBTurnsAPacketOpeningWithABPictureIntoPadding)
{
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream s(2);
    s.AddPack(5.0);
    size_t v = s.builder.Packet(0xE0, CPackBuilder::Picture(3, 100), 5.2, -1);
    Bytes before = s.bytes();
    double last = 1.0;
    int lostB = 1, first = 1;
    Restamp(r, s.bytes(), &last, &lostB, &first);
    const Bytes& b = s.bytes();
    ASSERT_EQ(before.size(), b.size());
    EXPECT_EQ(0xBE, b[v + 3]);
    EXPECT_EQ(before[v + 4], b[v + 4]);
    EXPECT_EQ(before[v + 5], b[v + 5]);
    for (size_t i = v + 6; i < b.size(); ++i)
        ASSERT_EQ(0xFF, b[i]) << i;
    EXPECT_EQ(1, lostB) << "no P picture yet";
}

TEST(PackRestamper, LostBCutsTheBPicturesBeforeTheFirstP)
{
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream s(2);
    s.AddPack(5.0);
    Bytes i = CPackBuilder::Picture(1, 40);
    Bytes bpic = CPackBuilder::Picture(3, 50);
    Bytes p = CPackBuilder::Picture(2, 60);
    size_t v = s.builder.Packet(0xE0, CPackBuilder::Join({ CPackBuilder::Gop(0, 0, 5, 0, false), i, bpic, bpic, p }),
                                5.2, 5.1);
    double last = 1.0;
    int lostB = 1, first = 1;
    Restamp(r, s.bytes(), &last, &lostB, &first);
    const Bytes& b = s.bytes();
    int length = (b[v + 4] << 8) | b[v + 5];
    int expected = 3 + 10 + 8 + 40 + 60;
    EXPECT_EQ(expected, length);
    size_t payload = v + 9 + 10;
    EXPECT_EQ(0, memcmp(&b[payload + 8], i.data(), i.size()));
    EXPECT_EQ(0, memcmp(&b[payload + 8 + 40], p.data(), p.size()));
    size_t pad = v + 6 + length;
    EXPECT_EQ(0xBE, b[pad + 3]);
    EXPECT_EQ(100 - 6, (b[pad + 4] << 8) | b[pad + 5]);
    EXPECT_EQ(0, lostB) << "the P picture ends lost-B mode";
    // The first GOP of the output says that its leading pictures are gone.
    EXPECT_EQ(0x20, b[payload + 7] & 0x60);
}

TEST(PackRestamper, AnIPictureEndsDroppingInStreamsWithoutP)
{
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream s(2);
    s.AddPack(5.0);
    s.builder.Packet(0xE0, CPackBuilder::Join({ CPackBuilder::Picture(1, 40), CPackBuilder::Picture(3, 40) }), 5.2, 5.1);
    s.AddPack(5.1);
    size_t cont = s.builder.Packet(0xE0, Bytes(30, 0x33));      // rest of the B picture
    s.AddPack(5.2);
    s.builder.Packet(0xE0, CPackBuilder::Picture(1, 40), 5.4, 5.3);
    s.AddPack(5.3);
    size_t icont = s.builder.Packet(0xE0, Bytes(30, 0x44));     // rest of the second I picture
    double last = 1.0;
    int lostB = 1, first = 1;
    Restamp(r, s.bytes(), &last, &lostB, &first);
    const Bytes& b = s.bytes();
    EXPECT_EQ(0xBE, b[cont + 3]) << "the B picture's continuation is dropped";
    EXPECT_EQ(0xE0, b[icont + 3]) << "the I picture's continuation is kept";
    EXPECT_EQ(0x44, b[icont + 6 + 3 + 5]);
    EXPECT_EQ(0, lostB);
}

TEST(PackRestamper, PrivateStreamOneIsNeverCutOrMarked)
{
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream s(2);
    s.AddPack(5.0);
    // AC3 payload that happens to hold B-picture and GOP start codes.
    Bytes ac3 = CPackBuilder::Join({ { 0x80, 0x01, 0x00, 0x01 }, CPackBuilder::Picture(3, 20),
                                     CPackBuilder::Gop(0, 0, 5, 0, true) });
    size_t at = s.builder.Packet(0xBD, ac3, 5.1);
    Bytes before = s.bytes();
    double last = 1.0;
    int lostB = 1, first = 1;
    Restamp(r, s.bytes(), &last, &lostB, &first);
    const Bytes& b = s.bytes();
    EXPECT_EQ(0xBD, b[at + 3]);
    EXPECT_EQ(0, memcmp(&before[at + 9 + 5], &b[at + 9 + 5], ac3.size())) << "payload unchanged";
    EXPECT_NEAR(1.1, CMpegClock::ReadStamp(&b[at + 9]), 1e-4) << "its PTS still moves";
}

struct AudioWaitRow
{
    Bytes payload;
    bool keeps;          // the packet stays audio
    int waitAfter;
};

TEST(PackRestamper, AudioWaitNeedsARealFrameHeader)
{
    const AudioWaitRow rows[] = {
        { { 0xFF, 0xFD, 0x84, 0x00, 9 }, true, 0 },     // MPEG-1 layer II header
        { { 0x12, 0x0C, 0x34, 0x56, 9 }, false, 1 },     // bits 0x0C of byte 1 alone are no header
        { { 0xFF, 0xF9, 0xF4, 0x00, 9 }, false, 1 },     // bit-rate index 15
        { { 0xFF, 0xF9, 0x8C, 0x00, 9 }, false, 1 },     // sampling-rate index 3
        { { 0xFF, 0xE9, 0x84, 0x00, 9 }, false, 1 },     // reserved version
        { { 0xFF, 0xFD, 0x04, 0x00, 9 }, false, 1 },     // free format, and no frame like it follows
        { { 0xFF, 0xFD, 0x04, 0x00, 9, 9, 0xFF, 0xFD, 0x06, 0x00, 9 }, true, 0 },   // free-format frames
    };
    for (const AudioWaitRow& row : rows)
    {
        CPackRestamper r(2);
        Stream s(2);
        s.AddPack(5.0);
        size_t at = s.builder.Packet(0xC0, row.payload, 5.1);
        int gopMark = 1, wait = 1;
        r.ShiftPackTimes(&s.bytes()[0], (int)s.bytes().size(), 1.0, &gopMark, &wait);
        EXPECT_EQ(row.keeps ? 0xC0 : 0xBE, s.bytes()[at + 3]);
        EXPECT_EQ(row.waitAfter, wait);
    }
}

// The first frame header is found behind bytes that only look like one: a free-format header
// (no length to check it by) or one whose frame would end where no header follows.
TEST(PackRestamper, AudioWaitCutsTheTailOfAnEarlierFrame)
{
    const BYTE header[4] = { 0xFF, 0xFD, 0x84, 0x00 };     // 384-byte frames
    const struct
    {
        const char* name;
        Bytes lead;
    } rows[] = {
        { "data", Bytes(4, 0x11) },
        { "a free-format header", { 0xFF, 0xFD, 0x02, 0x01 } },
        { "two free-format headers not alike", { 0xFF, 0xFD, 0x02, 0x01, 0x11, 0x11, 0xFF, 0xFD, 0x02, 0x02 } },
        { "a header without a frame behind it", { 0xFF, 0xFD, 0x84, 0x00 } },
    };
    for (const auto& row : rows)
    {
        CPackRestamper r(2);
        Stream s(2);
        s.AddPack(5.0);
        Bytes payload(600, 0x22);
        std::copy(row.lead.begin(), row.lead.end(), payload.begin());
        std::copy(header, header + 4, payload.begin() + 20);
        std::copy(header, header + 4, payload.begin() + 20 + 384);
        size_t at = s.builder.Packet(0xC0, payload, 5.1);
        int gopMark = 1, wait = 1;
        r.ShiftPackTimes(&s.bytes()[0], (int)s.bytes().size(), 1.0, &gopMark, &wait);
        const Bytes& b = s.bytes();
        SCOPED_TRACE(row.name);
        EXPECT_EQ(0, wait);
        ASSERT_EQ(0xC0, b[at + 3]);
        EXPECT_EQ(0, memcmp(&b[at + 14], header, 4)) << "payload starts at the frame header";
        int length = (b[at + 4] << 8) | b[at + 5];
        EXPECT_EQ(8 + 580, length);
        EXPECT_EQ(0xBE, b[at + 6 + length + 3]);
    }
}

TEST(PackRestamper, PacketLengthIsClampedToThePack)
{
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    Stream s(2);
    s.AddPack(5.0);
    size_t v = s.builder.Packet(0xE0, CPackBuilder::Picture(3, 40), 5.2, 5.1);
    s.bytes()[v + 4] = 0xFF;    // claims 65 KB
    s.bytes()[v + 5] = 0xF0;
    Bytes guard(64, 0xA5);
    Bytes block = s.bytes();
    size_t used = block.size();
    block.insert(block.end(), guard.begin(), guard.end());
    int gopMark = 1, wait = 0;
    r.SetLostBMode(1);
    r.ShiftPackTimes(block.data(), (int)used, 1.0, &gopMark, &wait);
    EXPECT_EQ(0, memcmp(&block[used], guard.data(), guard.size())) << "nothing written past the pack";
    EXPECT_EQ(0xBE, block[v + 3]);
    EXPECT_EQ((int)(used - v - 6), (block[v + 4] << 8) | block[v + 5]);
}

TEST(PackRestamper, ChunksWithBadLengthsAreSkipped)
{
    CPackRestamper r(2);
    Stream s(2);
    s.AddPack(5.0);
    CChunkList list;
    list.Add(s.bytes().data(), -5);
    list.Add(nullptr, 100);
    list.Add(s.bytes());
    double last = 1.0;
    int lostB = 0, first = 1;
    EXPECT_EQ(1, r.RestampChunks(list.List(), &last, &lostB, &first));
    EXPECT_EQ(0, r.RestampChunks(nullptr, &last, &lostB, &first));
    EXPECT_EQ(0, r.RestampChunks(list.List(), nullptr, &lostB, &first));
}

TEST(PackRestamper, NextPackBounds)
{
    Stream s(2);
    s.AddPack(1.0);
    s.builder.Packet(0xBE, Bytes(30, 0xFF));
    s.AddPack(2.0);
    s.builder.Packet(0xBE, Bytes(30, 0xFF));
    int start = 0, end = (int)s.bytes().size();
    ASSERT_TRUE(CPackRestamper::NextPack(s.bytes().data(), &start, &end));
    EXPECT_EQ(0, start);
    EXPECT_EQ((int)s.packs[1], end);
    start = end;
    end = (int)s.bytes().size();
    ASSERT_TRUE(CPackRestamper::NextPack(s.bytes().data(), &start, &end));
    EXPECT_EQ((int)s.packs[1], start);
    EXPECT_EQ((int)s.bytes().size(), end);
    start = end - 4;
    EXPECT_FALSE(CPackRestamper::NextPack(s.bytes().data(), &start, &end));
    start = -1;
    EXPECT_FALSE(CPackRestamper::NextPack(s.bytes().data(), &start, &end));
}

TEST(PackRestamper, KindAndSequenceFromChunks)
{
    Stream one(1), two(2);
    one.AddPack(1.0);
    two.AddPack(1.0);
    two.builder.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Picture(1, 10) }), 1.2, 1.1);
    Bytes junk(20, 0);
    CChunkList l1, l2;
    l1.Add(junk);
    l1.Add(one.bytes());
    l2.Add(two.bytes());
    EXPECT_EQ(1, CPackRestamper::DetectChunkKind(l1.List()));
    EXPECT_EQ(2, CPackRestamper::DetectChunkKind(l2.List()));
    CPackRestamper r(2);
    EXPECT_FALSE(r.HasSequenceInfo());
    EXPECT_FALSE(r.TakeSequenceFrom(l1.List()));
    EXPECT_TRUE(r.TakeSequenceFrom(l2.List()));
    EXPECT_EQ(352, r.Sequence().width);
    EXPECT_EQ(288, r.Sequence().height);
    EXPECT_DOUBLE_EQ(25.0, r.Sequence().frameRate);
}

TEST(PackRestamper, NavigationPacketsMoveWithTheClock)
{
    CNavPack nav;
    ASSERT_TRUE(nav.IsOk());
    nav.SetScr(100.0);
    nav.SetPtm(9000000 + 3600, 9000000 + 3600 + 43200);    // 100.04 s to 100.52 s
    nav.SetTime(100.5, 25.0);
    BYTE* p = nav.GetPack();
    BYTE* pci = p + 45;
    BYTE* dsi = p + 1031;
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    int gopMark = 0, wait = 0;
    r.ShiftPackTimes(p, CNavPack::kPackSize, 58.0, &gopMark, &wait);
    EXPECT_EQ(9003600u - 58 * 90000, CMpegClock::GetBig32(pci + 12));
    EXPECT_EQ(9046800u - 58 * 90000, CMpegClock::GetBig32(pci + 16));
    EXPECT_EQ(0u, CMpegClock::GetBig32(pci + 20)) << "an unset end stays unset";
    // 100.5 s is picture 12 of second 100 (100.48 s); 58 s earlier is picture 12 of second 42.
    const BYTE elapsed[4] = { 0x00, 0x00, 0x42, 0x52 };
    EXPECT_EQ(0, memcmp(pci + 24, elapsed, 4));
    EXPECT_EQ(0, memcmp(dsi + 28, elapsed, 4));
    EXPECT_EQ(42u * 90000, CMpegClock::GetBig32(dsi)) << "DSI SCR";
    EXPECT_EQ(100u, CMpegClock::GetBig32(pci));
    EXPECT_EQ(CMpegClock::GetBig32(pci), CMpegClock::GetBig32(dsi + 4)) << "PCI and DSI block numbers agree";
}

// A frame whose packet carries no stamp of its own still takes a slot ahead of the first one
// stamped: the first I picture when its sequence header began in the packet before (the muxer
// stamps the packet where the headers begin), or audio frames in an unstamped packet.
TEST(PackRestamper, NewTimeBaseCountsTheFramesBeforeTheFirstStamp)
{
    struct Row
    {
        int pictures;       // pictures before the first stamped one
        int audioFrames;    // audio frames in an unstamped packet before the first stamped one
        double audioFirst;  // the time of the first audio frame
        bool unstampedKept; // the unstamped audio packet stays audio
        bool stampedKept;   // the stamped one does
    };
    // The pictures go on at the next slot after those written (10.58 s): the offset is 39.62 s.
    // Audio that would then begin before the written audio ends (10.624 s) is dropped, frame by
    // frame, the unstamped frames at the times counted back from the first stamp.
    const Row rows[] = {
        { 0, 0, 50.4, false, true }, { 1, 0, 50.4, false, true }, { 2, 0, 50.4, false, true },
        { 0, 2, 50.2, false, true }, { 1, 1, 50.2, false, false }, { 0, 1, 50.3, true, true },
    };
    const double frame = 0.04;
    const double audioFrame = 1152.0 / 48000;
    const Bytes audioHeader = { 0xFF, 0xFD, 0x84, 0x00 };   // 384-byte frames
    for (const Row& row : rows)
    {
        CPackRestamper r(2);
        r.Sequence().frameRate = 25.0;
        Stream a(2);
        a.AddPack(10.0);
        a.builder.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 10, 0, false),
                                                   CPackBuilder::Picture(1, 30) }), 10.6, 10.54);
        a.builder.Packet(0xC0, CPackBuilder::Join({ audioHeader, Bytes(380, 0) }), 10.6);
        double last = 10.0;
        int lostB = 0, first = 1;
        Restamp(r, a.bytes(), &last, &lostB, &first);
        last = 10.3;
        const double nextVideo = 10.54 + frame;
        const double offset = 50.2 - nextVideo;

        Stream b(2);
        b.AddPack(50.0);
        Bytes opening = CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 50, 0, false) });
        for (int i = 0; i < row.pictures; ++i)
            opening = CPackBuilder::Join({ opening, CPackBuilder::Picture(i == 0 ? 1 : 2, 30) });
        size_t v;
        if (row.pictures == 0)
            v = b.builder.Packet(0xE0, CPackBuilder::Join({ opening, CPackBuilder::Picture(1, 30) }), 50.4, 50.2);
        else
        {
            b.builder.Packet(0xE0, opening);
            b.AddPack(50.05);
            v = b.builder.Packet(0xE0, CPackBuilder::Picture(3, 30), 50.4, 50.2 + row.pictures * frame);
        }
        b.AddPack(50.06);
        size_t unstamped = 0;
        if (row.audioFrames > 0)
        {
            Bytes frames;
            for (int i = 0; i < row.audioFrames; ++i)
                frames = CPackBuilder::Join({ frames, audioHeader, Bytes(380, 0) });
            unstamped = b.builder.Packet(0xC0, frames);
        }
        const double stampedTime = row.audioFirst + row.audioFrames * audioFrame;
        size_t au = b.builder.Packet(0xC0, CPackBuilder::Join({ audioHeader, Bytes(380, 0) }), stampedTime);
        first = 1;
        Restamp(r, b.bytes(), &last, &lostB, &first);

        SCOPED_TRACE(testing::Message() << "pictures " << row.pictures << ", audio frames " << row.audioFrames
                                        << ", first audio " << row.audioFirst);
        double dts = CMpegClock::ReadStamp(&b.bytes()[v + 9 + 5]) - row.pictures * frame;
        EXPECT_NEAR(nextVideo, dts, 1e-4) << "the first picture decodes on the slot after the last one written";
        if (row.audioFrames > 0)
        {
            EXPECT_EQ(row.unstampedKept ? 0xC0 : 0xBE, b.bytes()[unstamped + 3]);
        }
        ASSERT_EQ(row.stampedKept ? 0xC0 : 0xBE, b.bytes()[au + 3]);
        if (row.stampedKept)
        {
            EXPECT_NEAR(stampedTime - offset, CMpegClock::ReadStamp(&b.bytes()[au + 9]), 1e-4);
        }
    }
}

TEST_P(RestampByKind, NewTimeBaseDropsTheTailOfAnUndeliveredPicture)
{
    struct Row
    {
        int tail;       // bytes before the sequence header
        bool padding;   // a padding packet takes them (else header stuffing)
    };
    const Row rows[] = { { 3, false }, { 5, false }, { 6, true }, { 40, true } };
    int kind = GetParam();
    for (const Row& row : rows)
    {
        CPackRestamper r(kind);
        r.Sequence().frameRate = 25.0;
        Stream s(kind);
        s.AddPack(10.0);
        Bytes body = CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 10, 0, true), CPackBuilder::Picture(1, 30) });
        size_t v = s.builder.Packet(0xE0, CPackBuilder::Join({ Bytes(row.tail, 0x77), body }), 10.3, 10.2);
        size_t total = s.bytes().size();
        double last = 2.0;
        int lostB = 0, first = 1;
        Restamp(r, s.bytes(), &last, &lostB, &first);
        const Bytes& b = s.bytes();
        ASSERT_EQ(total, b.size());
        int length = (b[v + 4] << 8) | b[v + 5];
        int hdr = kind == 2 ? 9 + b[v + 8] : 6 + row.tail * (row.padding ? 0 : 1) + 10;
        if (kind == 1 && !row.padding)
        {
            for (int i = 0; i < row.tail; ++i)
                EXPECT_EQ(0xFF, b[v + 6 + i]) << "stuffing first";
        }
        // The payload now opens with the sequence header; the GOP time code moved with the clock.
        EXPECT_EQ(0, memcmp(&b[v + hdr], kSeq.data(), kSeq.size())) << kind << " tail " << row.tail;
        EXPECT_NEAR(2.0, CMpegClock::ReadGopTime(&b[v + hdr + kSeq.size()], 25.0), 1e-9);
        EXPECT_EQ(0, memcmp(&b[v + hdr + kSeq.size() + 8], &body[kSeq.size() + 8], 30));
        size_t stamps = kind == 2 ? v + 9 : v + 6 + (row.padding ? 0 : row.tail);
        EXPECT_NEAR(2.3, CMpegClock::ReadStamp(&b[stamps]), 1e-4);
        EXPECT_NEAR(2.2, CMpegClock::ReadStamp(&b[stamps + 5]), 1e-4);
        if (row.padding)
        {
            EXPECT_EQ(0xBE, b[v + 6 + length + 3]);
            EXPECT_EQ(total, v + 6 + length + 6 + ((b[v + 6 + length + 4] << 8) | b[v + 6 + length + 5]));
        }
        else
            EXPECT_EQ(total, v + 6 + length);
    }
}

TEST(PackRestamper, Mpeg1ShiftsEveryAudioAndVideoStream)
{
    CPackRestamper r(1);
    r.Sequence().frameRate = 25.0;
    Stream s(1);
    s.AddPack(20.0);
    const BYTE ids[] = { 0xC0, 0xC1, 0xD0, 0xDF, 0xE0, 0xE1, 0xBD };
    std::vector<size_t> at;
    for (BYTE id : ids)
        at.push_back(s.builder.Packet(id, Bytes(8, 0x11), 20.5));
    int gopMark = 0, wait = 0;
    r.ShiftPackTimes(&s.bytes()[0], (int)s.bytes().size(), 15.0, &gopMark, &wait);
    for (size_t i = 0; i < at.size(); ++i)
        EXPECT_NEAR(5.5, CMpegClock::ReadStamp(&s.bytes()[at[i] + 6]), 1e-4) << std::hex << (int)ids[i];
}
}

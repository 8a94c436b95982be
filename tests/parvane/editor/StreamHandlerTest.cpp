// The handlers' own operations on real streams: lookups, the GOP cache, range lists, range
// writing and the scan's acceptance rules.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "parvane/MappedFile.h"
#include "parvane/Mpeg1Stream.h"
#include "parvane/Mpeg2Stream.h"
#include "parvane/OutputFile.h"
#include "parvane/PackRestamper.h"
#include "parvane/StreamEditor.h"
#include "tests/parvane/editor/EditorApi.h"

namespace {

const BYTE kPack[4] = {0, 0, 1, 0xBA};
const BYTE kGop[4] = {0, 0, 1, 0xB8};

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::ifstream in(path.substr(2), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path.substr(2), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<size_t> Find(const std::vector<BYTE>& d, const BYTE* code)
{
    std::vector<size_t> at;
    for (size_t i = 0; i + 4 <= d.size(); ++i)
        if (memcmp(&d[i], code, 4) == 0)
            at.push_back(i);
    return at;
}

// A handler with its file, and access to what the tests pin.
template <class Stream>
struct Opened : Stream
{
    explicit Opened(CMappedFile* r) : Stream(r) {}
    using CMpegStream::CacheGop;
    using CMpegStream::m_dataStart;
    using CMpegStream::m_fileSize;
};

template <class Stream>
struct Handler
{
    explicit Handler(const std::string& path) : reader(path.c_str()), stream(&reader) {}
    CMappedFile reader;
    Opened<Stream> stream;
};

// Positions and times of every GOP pack of the file, in order.
std::vector<std::pair<__int64, double>> GopPacks(CMpegStream& s)
{
    std::vector<std::pair<__int64, double>> gops;
    __int64 at = 0;
    for (;;)
    {
        double t = 0;
        __int64 p = s.FindGopNear(at, &t, 1);
        if (p < 0 || (!gops.empty() && p <= gops.back().first))
        {
            // The pack already found holds this GOP too: look behind the GOP header.
            const BYTE* g = s.GetReader()->FindForward(kGop, at, 4);
            if (!g)
                break;
            at = s.GetReader()->PositionOf(g) + 4;
            if (p < 0)
                break;
            continue;
        }
        gops.push_back({p, t});
        const BYTE* g = s.GetReader()->FindForward(kGop, p, 4);
        at = s.GetReader()->PositionOf(g) + 4;
    }
    return gops;
}

TEST(StreamHandler, ScanFindsFirstAndLastGop)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    ASSERT_TRUE(h.stream.IsValid());
    auto gops = GopPacks(h.stream);
    ASSERT_EQ(10u, gops.size());
    EXPECT_EQ(gops.front().first, h.stream.GetDataStart());
    EXPECT_EQ(gops.front().second, h.stream.GetFirstTime());
    EXPECT_EQ(gops.back().first, h.stream.GetLastGopPosition());
    EXPECT_EQ(gops.back().second, h.stream.GetLastTime());
    EXPECT_EQ(352, h.stream.GetSequenceInfo().width);
    EXPECT_EQ(288, h.stream.GetSequenceInfo().height);
}

TEST(StreamHandler, TimeToPositionEdges)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    ASSERT_TRUE(h.stream.IsValid());
    const double span = h.stream.GetLastTime() - h.stream.GetFirstTime();
    struct Row { double t; int mode; __int64 expected; } rows[] = {
        {0.0, 0, h.stream.GetDataStart()}, {-3.0, 1, h.stream.GetDataStart()},
        {span + 0.001, 0, h.stream.GetFileSize()}, {span + 0.001, 1, h.stream.GetFileSize()},
        {span, 0, h.stream.GetLastGopPosition()},
    };
    for (const Row& r : rows)
    {
        double t = r.t;
        EXPECT_EQ(r.expected, h.stream.TimeToPosition(&t, r.mode)) << r.t << " mode " << r.mode;
    }
}

TEST(StreamHandler, ModeZeroStepsBackModeOneTakesTheNextGop)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    auto gops = GopPacks(h.stream);
    const double first = h.stream.GetFirstTime();
    for (size_t k = 2; k + 1 < gops.size(); ++k)
    {
        // Just before GOP k starts: mode 0 keeps the GOP that holds the time.
        double t0 = gops[k].second - first - 0.01;
        double t1 = t0;
        Opened<CMpeg2Stream> fresh(&h.reader);
        __int64 p0 = fresh.TimeToPosition(&t0, 0);
        __int64 p1 = fresh.TimeToPosition(&t1, 1);
        EXPECT_EQ(gops[k - 1].first, p0) << k;
        EXPECT_GE(p1, p0) << k;
        EXPECT_LE(p1, gops[k + 1].first) << k;
        // Exactly at GOP k: both modes give it.
        double at = gops[k].second - first;
        double at1 = at;
        EXPECT_EQ(gops[k].first, fresh.TimeToPosition(&at, 0)) << k;
        EXPECT_GE(fresh.TimeToPosition(&at1, 1), gops[k].first) << k;
    }
}

TEST(StreamHandler, CachedGopAnswersItsOwnTime)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    auto gops = GopPacks(h.stream);
    int cached = h.stream.GetGopCacheCount();
    EXPECT_EQ((int)gops.size(), cached);
    double t = gops[4].second - h.stream.GetFirstTime();
    EXPECT_EQ(gops[4].first, h.stream.TimeToPosition(&t, 1));
    EXPECT_EQ(cached, h.stream.GetGopCacheCount());
}

TEST(StreamHandler, GopCacheKeeps512AndReplacesTheOldest)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-small.mpg"));
    Opened<CMpeg2Stream> s(&h.reader);
    int before = s.GetGopCacheCount();
    for (int i = 0; i < 512 - before; ++i)
        s.CacheGop(1000000 + i, 100.0 + i);
    ASSERT_EQ(512, s.GetGopCacheCount());
    const GopCacheEntry oldest = s.GetGopCacheEntry(0);
    s.CacheGop(1000000, 5.0);
    EXPECT_EQ(oldest.position, s.GetGopCacheEntry(0).position);
    s.CacheGop(2000000, 7.0);
    EXPECT_EQ(512, s.GetGopCacheCount());
    EXPECT_EQ(2000000, s.GetGopCacheEntry(0).position);
    EXPECT_EQ(7.0, s.GetGopCacheEntry(0).time);
}

TEST(StreamHandler, OverlappingAndTouchingSegmentsMerge)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    MpegSegment a = {0.5, 2.0, 0, 0}, b = {1.5, 3.0, 0, 0};
    ASSERT_GT(h.stream.AddSegment(&a), 0);
    ASSERT_GT(h.stream.AddSegment(&b), 0);
    double t0 = 0.5, t1 = 3.0;
    PositionRangeList r = h.stream.BuildRangeList();
    ASSERT_EQ(1u, r.size());
    EXPECT_EQ(h.stream.TimeToPosition(&t0, 0), r[0].start);
    EXPECT_EQ(h.stream.TimeToPosition(&t1, 0), r[0].end);
    // A segment that ends where another starts joins it.
    h.stream.RemoveSegment(-1);
    auto gops = GopPacks(h.stream);
    double g2 = gops[2].second - h.stream.GetFirstTime(), g5 = gops[5].second - h.stream.GetFirstTime();
    MpegSegment c = {g2, g5, 0, 0}, d = {g5, g5 + 0.8, 0, 0};
    ASSERT_GT(h.stream.AddSegment(&c), 0);
    ASSERT_GT(h.stream.AddSegment(&d), 0);
    r = h.stream.BuildRangeList();
    ASSERT_EQ(1u, r.size());
    EXPECT_EQ(gops[2].first, r[0].start);
}

TEST(StreamHandler, InvertRangesTable)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    h.stream.m_dataStart = 100;
    h.stream.m_fileSize = 1000;
    struct Row { PositionRangeList in; PositionRangeList out; } rows[] = {
        {{}, {{100, 1000}}},
        {{{100, 300}}, {{300, 1000}}},
        {{{300, 1000}}, {{100, 300}}},
        {{{300, 400}}, {{100, 300}, {400, 1000}}},
        {{{100, 200}, {500, 600}, {900, 1000}}, {{200, 500}, {600, 900}}},
        {{{100, 1000}}, {{1000, 100}}},
    };
    for (const Row& r : rows)
    {
        PositionRangeList got = h.stream.InvertRanges(r.in);
        ASSERT_EQ(r.out.size(), got.size());
        for (size_t i = 0; i < got.size(); ++i)
        {
            EXPECT_EQ(r.out[i].start, got[i].start);
            EXPECT_EQ(r.out[i].end, got[i].end);
        }
    }
}

std::string Scratch(const char* name)
{
    return OutputPath(std::string("handler-") + name);
}

TEST(StreamHandler, RangeIsWrittenFromTheRunningTime)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    const __int64 ds = h.stream.GetDataStart();
    COutputFile out;
    ASSERT_TRUE(out.Create(Scratch("running.mpg").c_str()));
    double running = 42.0;
    int audioWait = 0;
    ASSERT_TRUE(h.stream.WriteRange(ds, ds + 1, &running, &audioWait, &out));
    EXPECT_DOUBLE_EQ(42.015, running);
    ASSERT_TRUE(h.stream.WriteRange(ds + 2048 * 5, ds + 2048 * 5 + 1, &running, &audioWait, &out));
    EXPECT_GE(running, 42.03 - 1e-9);
    const double second = running;
    // Empty and non-pack ranges leave the time alone.
    ASSERT_TRUE(h.stream.WriteRange(ds + 4096, ds + 4096, &running, &audioWait, &out));
    ASSERT_TRUE(h.stream.WriteRange(ds + 7, ds + 4096, &running, &audioWait, &out));
    EXPECT_EQ(second, running);
    ASSERT_TRUE(out.Close());
    std::vector<BYTE> bytes = ReadAll(Scratch("running.mpg"));
    ASSERT_EQ(4096u, bytes.size());
    CPackRestamper clock(2);
    EXPECT_NEAR(42.0, clock.GetPackScr(&bytes[0]), 1e-6);
    EXPECT_GE(clock.GetPackScr(&bytes[2048]), 42.015 - 1e-6);
    EXPECT_NEAR(second - 0.015, clock.GetPackScr(&bytes[2048]), 1e-6);
}

TEST(StreamHandler, FailedWriteFailsTheRange)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-closed.mpg"));
    COutputFile never;
    double running = 0;
    int audioWait = 1;
    EXPECT_FALSE(h.stream.WriteRange(h.stream.GetDataStart(), h.stream.GetFileSize(), &running, &audioWait, &never));
    EXPECT_FALSE(h.stream.WriteRange(h.stream.GetDataStart(), h.stream.GetFileSize(), &running, &audioWait, nullptr));
}

// 100 bytes that start no pack after the fourth pack.
std::vector<BYTE> WithTrailingBytes(const std::string& src, size_t* packAt)
{
    std::vector<BYTE> d = ReadAll(src);
    std::vector<size_t> packs = Find(d, kPack);
    *packAt = packs[3];
    d.insert(d.begin() + packs[4], 100, 0xFF);
    return d;
}

TEST(StreamHandler, TrailingBytesAfterAPack)
{
    size_t at1 = 0, at2 = 0;
    WriteAll(Scratch("trailing1.mpg"), WithTrailingBytes(FixturePath("m1-closed.mpg"), &at1));
    WriteAll(Scratch("trailing2.mpg"), WithTrailingBytes(FixturePath("m2-closed.mpg"), &at2));
    Handler<CMpeg1Stream> h1(Scratch("trailing1.mpg"));
    Handler<CMpeg2Stream> h2(Scratch("trailing2.mpg"));
    __int64 s = at1, e = at1 + 1;
    double scr = 0;
    ASSERT_TRUE(h1.stream.ReadNextPack(&s, &e, &scr));
    EXPECT_EQ(2048 + 100, e - s);
    s = at2;
    e = at2 + 1;
    ASSERT_TRUE(h2.stream.ReadNextPack(&s, &e, &scr));
    EXPECT_EQ(2048, e - s);
}

TEST(StreamHandler, SourceCutShortWritesTheWholePacksBefore)
{
    std::vector<BYTE> d = ReadAll(FixturePath("m2-closed.mpg"));
    std::vector<size_t> packs = Find(d, kPack);
    const size_t last = packs[packs.size() / 2];
    for (size_t cut : {last + 5, last + 100})
    {
        std::vector<BYTE> shortened(d.begin(), d.begin() + cut);
        WriteAll(Scratch("short.mpg"), shortened);
        CMappedFile reader(Scratch("short.mpg").c_str());
        Opened<CMpeg2Stream> s(&reader);
        s.m_fileSize = reader.GetFileSize();
        COutputFile out;
        ASSERT_TRUE(out.Create(Scratch("short-out.mpg").c_str()));
        double running = 1.0;
        int audioWait = 0;
        EXPECT_TRUE(s.WriteRange(packs[0], reader.GetFileSize(), &running, &audioWait, &out));
        ASSERT_TRUE(out.Close());
        EXPECT_EQ(last - packs[0], ReadAll(Scratch("short-out.mpg")).size()) << cut - last;
    }
}

TEST(StreamHandler, SystemHeaderRules)
{
    const BYTE kSystem[4] = {0, 0, 1, 0xBB};
    for (const char* name : {"m1-closed.mpg", "m2-closed.mpg"})
    {
        std::vector<BYTE> d = ReadAll(FixturePath(name));
        for (size_t at : Find(d, kSystem))
            d[at + 3] = 0xBE;
        WriteAll(Scratch("no-system.mpg"), d);
        CStreamEditor editor;
        ASSERT_TRUE(editor.OpenFile(Scratch("no-system.mpg").c_str()));
        EXPECT_EQ(name[1] == '1' ? 0 : 2, editor.GetKind()) << name;
    }
}

TEST(StreamHandler, Mpeg1OutputStartsWithHeaderPacks)
{
    Handler<CMpeg1Stream> h(FixturePath("m1-closed.mpg"));
    ASSERT_TRUE(h.stream.IsValid());
    EXPECT_EQ(2048, h.stream.GetPackSize());
    // Two system headers of one stream each: both kept, one pack each when needed.
    EXPECT_EQ(2 * (6 + 9), h.stream.GetSystemHeadersLength());
    EXPECT_EQ(0, memcmp(h.stream.GetSequenceHeaderCopy(), "\x00\x00\x01\xB3", 4));
    COutputFile out;
    ASSERT_TRUE(out.Create(Scratch("m1-start.mpg").c_str()));
    int audioWait = 0;
    ASSERT_EQ(1, h.stream.StartOutput(&out, &audioWait));
    EXPECT_EQ(1, audioWait);
    ASSERT_TRUE(out.Close());
    std::vector<BYTE> b = ReadAll(Scratch("m1-start.mpg"));
    size_t expected = (size_t)h.stream.GetDataStart();
    int systemPacks = 0;
    for (int at = 0; at < h.stream.GetSystemHeadersLength();
         at += 6 + ((h.stream.GetSystemHeadersCopy()[at + 4] << 8) | h.stream.GetSystemHeadersCopy()[at + 5]))
        ++systemPacks;
    expected += 2048 * (h.stream.HasSystemHeaderPack() ? systemPacks : 0);
    expected += 2048 * (h.stream.HasSequenceHeaderPack() ? 1 : 0);
    ASSERT_EQ(expected, b.size());
    if (h.stream.HasSequenceHeaderPack())
    {
        const BYTE* p = &b[b.size() - 2048];
        EXPECT_EQ(0, memcmp(p, kPack, 4));
        EXPECT_EQ(0, memcmp(p + 12, "\x00\x00\x01\xE0", 4));
        EXPECT_EQ(0x0F, p[18]);
        EXPECT_EQ(0, memcmp(p + 19, "\x00\x00\x01\xB3", 4));
        EXPECT_EQ(0, memcmp(p + 19 + h.stream.GetSequenceHeaderLength(), "\x00\x00\x01\xBE", 4));
    }
}

// One pack in front of the stream, holding an audio packet or padding.
std::vector<BYTE> WithLeadingPack(BYTE id)
{
    std::vector<BYTE> d = ReadAll(FixturePath("m2-closed.mpg"));
    std::vector<BYTE> pack(d.begin(), d.begin() + 14);
    pack[13] &= 0xF8;
    const int n = 2048 - 14 - 6;
    const BYTE packet[] = {0, 0, 1, id, (BYTE)(n >> 8), (BYTE)n, 0x80, 0x00, 0x00};
    pack.insert(pack.end(), packet, packet + sizeof(packet));
    pack.resize(2048, 0xFF);
    d.insert(d.begin(), pack.begin(), pack.end());
    return d;
}

TEST(StreamHandler, AudioBeforeTheFirstGopEndsTheAudioWait)
{
    struct Row { BYTE id; int wait; } rows[] = {{0xC0, 0}, {0xD0, 0}, {0xBE, 1}, {0xE0, 1}};
    for (const Row& r : rows)
    {
        WriteAll(Scratch("lead.mpg"), WithLeadingPack(r.id));
        Handler<CMpeg2Stream> h(Scratch("lead.mpg"));
        ASSERT_TRUE(h.stream.IsValid());
        EXPECT_EQ(2048, h.stream.GetDataStart());
        COutputFile out;
        ASSERT_TRUE(out.Create(Scratch("lead-out.mpg").c_str()));
        int audioWait = -1;
        EXPECT_EQ(1, h.stream.StartOutput(&out, &audioWait));
        EXPECT_EQ(r.wait, audioWait) << std::hex << (int)r.id;
        ASSERT_TRUE(out.Close());
        // The lead-in carries no system header: a pack with the one of the first GOP's pack follows it.
        const std::vector<BYTE> written = ReadAll(Scratch("lead-out.mpg"));
        ASSERT_EQ(4096u, written.size());
        const BYTE system[4] = {0, 0, 1, 0xBB};
        EXPECT_EQ(0, memcmp(written.data() + 2048 + 14, system, 4));
        EXPECT_EQ(0, memcmp(written.data() + 2048, "\0\0\1\xBA", 4));
    }
}

TEST(StreamHandler, GopAcrossTheViewBorder)
{
    Handler<CMpeg2Stream> h(FixturePath("m2-border.mpg"));
    ASSERT_TRUE(h.stream.IsValid());
    const __int64 border = h.reader.GetWindowSize();
    EXPECT_EQ(border - 2, h.reader.PositionOf(h.reader.FindForward(kGop, border - 1000, 4)));
    double t = 0;
    __int64 pack = h.stream.FindGopNear(border - 1000, &t, 1);
    ASSERT_GT(pack, 0);
    EXPECT_LT(pack, border - 2);
    double back = 0;
    EXPECT_EQ(pack, h.stream.FindGopNear(border + 2, &back, 0));
    double rel = t - h.stream.GetFirstTime();
    EXPECT_EQ(pack, h.stream.TimeToPosition(&rel, 0));
}

TEST(StreamHandler, ChunkHandlerComesAndGoesWithTheFile)
{
    std::vector<BYTE> d = ReadAll(FixturePath("m2-closed.mpg"));
    MpegChunkList list;
    MpegChunkNode head, node;
    InitMpegChunkList(&list, &head);
    node.chunk.data = d.data();
    node.chunk.length = 2048 * 8;
    AppendMpegChunk(&list, &node);
    CStreamEditor editor;
    double last = 10.0;
    int lostB = 0, first = 1;
    EXPECT_EQ(8, editor.RestampChunks(&list, &last, &lostB, &first));
    ASSERT_NE(nullptr, editor.GetStream());
    EXPECT_EQ(-1, editor.GetKind());
    ASSERT_TRUE(editor.OpenFile(FixturePath("m1-closed.mpg").c_str()));
    EXPECT_EQ(1, editor.GetStream()->GetKind());
    editor.CloseFile();
    EXPECT_EQ(nullptr, editor.GetStream());
}

} // namespace

namespace {

struct WriteBudget
{
    explicit WriteBudget(__int64 bytes) { COutputFile::SetWriteBudgetForTest(bytes); }
    ~WriteBudget() { COutputFile::SetWriteBudgetForTest(-1); }
};

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int g_lastProgress = -1;
void __cdecl LastProgress(int percent)
{
    g_lastProgress = percent;
}

// A disk that fills up in the middle of a save (before or after the first buffer went out).
TEST(EditorFailure, FailedWritesFailTheSaveAndRemoveTheOutput)
{
    const std::string source = FixturePath("m2-long.mpg");
    for (__int64 budget : {(__int64)0, (__int64)100000, (__int64)1200000})
    {
        SCOPED_TRACE(budget);
        WriteBudget full(budget);
        CStreamEditor editor;
        ASSERT_TRUE(editor.OpenFile(source.c_str()));
        const std::string out = Scratch("full-disk.mpg");
        EXPECT_EQ(-1, editor.SaveSegments(out.c_str(), 1, 0));
        EXPECT_FALSE(Exists(out));
        EXPECT_EQ(-1, editor.InsertFile(FixturePath("m2-closed.mpg").c_str(), 10.0, 0, out.c_str(), 0));
        EXPECT_FALSE(Exists(out));
        MpegSegment clip = {0.2, 23.0, 0, 0};
        ASSERT_EQ(1, editor.AddClip(source.c_str(), &clip));
        g_lastProgress = -1;
        EXPECT_EQ(-1, editor.SaveClips(out.c_str(), 0, LastProgress));
        EXPECT_FALSE(Exists(out));
        EXPECT_NE(100, g_lastProgress);
    }
    CStreamEditor editor;
    ASSERT_TRUE(editor.OpenFile(source.c_str()));
    EXPECT_EQ(0, editor.SaveSegments(Scratch("full-disk.mpg").c_str(), 1, 0));
    EXPECT_TRUE(Exists(Scratch("full-disk.mpg")));
}

} // namespace

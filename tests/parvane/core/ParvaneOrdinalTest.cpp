#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "parvane/MpegClock.h"
#include "tests/parvane/core/PackBuilder.h"
#include "tests/parvane/core/ParvaneOrdinals.h"

namespace
{
class ParvaneOrdinalTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dll = new ParvaneOrdinals();
        s_bound = s_dll->Load();
    }
    static void TearDownTestSuite()
    {
        delete s_dll;
        s_dll = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(26, s_bound) << "every ordinal of Parvane.dll";
    }
    ParvaneOrdinals& P() { return *s_dll; }

    static ParvaneOrdinals* s_dll;
    static int s_bound;
};
ParvaneOrdinals* ParvaneOrdinalTest::s_dll = nullptr;
int ParvaneOrdinalTest::s_bound = 0;

TEST_F(ParvaneOrdinalTest, ExportsHaveNoNames)
{
    const char* names[] = { "OpenMpegFile", "RestampChunks", "FindBytes", "CreateNavPack", "_RestampChunks" };
    for (const char* n : names)
        EXPECT_EQ(nullptr, GetProcAddress(P().module, n)) << n;
    EXPECT_EQ(nullptr, GetProcAddress(P().module, MAKEINTRESOURCEA(27)));
}

struct FindRow
{
    const char* buffer;
    int length;
    const char* pattern;
    int patternLength;
    int expected;
};

TEST_F(ParvaneOrdinalTest, FindBytesByTable)
{
    const char* text = "ab\0\0\x01\xBA xyz\0\0\x01\xBA";
    const FindRow rows[] = {
        { text, 14, "\0\0\x01\xBA", 4, 2 },
        { text + 3, 11, "\0\0\x01\xBA", 4, 7 },
        { text + 3, 10, "\0\0\x01\xBA", 4, -1 },       // last match one byte short
        { text, 14, "xyz", 3, 7 },
        { text, 14, "xyw", 3, -1 },
        { text, 3, "ab\0\0", 4, -1 },                   // pattern longer than the buffer
        { text, 4, "ab\0\0", 4, 0 },
        { nullptr, 14, "ab", 2, -1 },
        { text, 14, nullptr, 2, -1 },
        { text, -1, "ab", 2, -1 },
        { text, 14, "ab", -2, -1 },
        { text, 14, "ab", 0, -1 },
    };
    for (const FindRow& r : rows)
        EXPECT_EQ(r.expected, P().FindBytes(r.buffer, r.length, r.pattern, r.patternLength))
            << (r.buffer ? r.length : -99) << " " << r.patternLength;
}

TEST_F(ParvaneOrdinalTest, NavPackCallsBeforeCreationFail)
{
    P().DeleteNavPack();
    int size = 77;
    EXPECT_EQ(nullptr, P().GetNavPack(&size));
    EXPECT_EQ(0, size);
    BYTE header[24] = {};
    EXPECT_EQ(0, P().SetNavSystemHeader(header, 24));
    P().SetNavPackScr(1.0);
    P().SetNavPackLbn(5);
    P().SetNavPackPtm(1, 2);
    P().SetNavPackTime(1.0, 25.0);
    P().SetNavPackVobuAddress(1, 2, 3, 4);
    EXPECT_EQ(nullptr, P().GetNavPack(nullptr));
}

TEST_F(ParvaneOrdinalTest, FreshNavPack)
{
    ASSERT_EQ(1, P().CreateNavPack());
    int size = 0;
    const BYTE* p = P().GetNavPack(&size);
    ASSERT_NE(nullptr, p);
    ASSERT_EQ(2048, size);
    const BYTE start[5] = { 0, 0, 1, 0xBA, 0x44 };
    EXPECT_EQ(0, memcmp(p, start, 5));
    // Marker bits of the SCR and a program_mux_rate of 25200 with its markers.
    EXPECT_EQ(0x04, p[6] & 0x04);
    EXPECT_EQ(0x04, p[8] & 0x04);
    EXPECT_EQ(0x01, p[9] & 0x01);
    EXPECT_EQ(25200u, (unsigned)((p[10] << 14) | (p[11] << 6) | (p[12] >> 2)));
    EXPECT_EQ(0x03, p[12] & 0x03);
    EXPECT_EQ(0, p[13] & 0x07);
    const BYTE sys[6] = { 0, 0, 1, 0xBB, 0x00, 0x12 };
    EXPECT_EQ(0, memcmp(p + 14, sys, 6));
    const BYTE pci[7] = { 0, 0, 1, 0xBF, 0x03, 0xD4, 0x00 };
    EXPECT_EQ(0, memcmp(p + 38, pci, 7));
    const BYTE dsi[7] = { 0, 0, 1, 0xBF, 0x03, 0xFA, 0x01 };
    EXPECT_EQ(0, memcmp(p + 1024, dsi, 7));
    const BYTE* d = p + 1031;
    for (int off = 238; off <= 310; off += 4)
        EXPECT_EQ(0x3FFFFFFFu, CMpegClock::GetBig32(d + off)) << off;
    for (int off = 322; off <= 394; off += 4)
        EXPECT_EQ(0x3FFFFFFFu, CMpegClock::GetBig32(d + off)) << off;
    EXPECT_EQ(0u, CMpegClock::GetBig32(d + 234));
    EXPECT_EQ(0u, CMpegClock::GetBig32(d + 314));
    EXPECT_EQ(0u, CMpegClock::GetBig32(d + 318));
    EXPECT_EQ(0u, CMpegClock::GetBig32(d + 398));
}

TEST_F(ParvaneOrdinalTest, NavPackSetters)
{
    ASSERT_EQ(1, P().CreateNavPack());
    const BYTE* p = P().GetNavPack(nullptr);
    const BYTE* pci = p + 45;
    const BYTE* dsi = p + 1031;

    P().SetNavPackScr(12.5);
    EXPECT_NEAR(12.5, CMpegClock::ReadMpeg2Scr(p), 1e-9);
    EXPECT_EQ(0x44, p[4] & 0xC4);
    EXPECT_EQ(1125000u, CMpegClock::GetBig32(dsi)) << "the DSI carries the pack's SCR";
    P().SetNavPackScr(-1.0);
    EXPECT_EQ(0.0, CMpegClock::ReadMpeg2Scr(p));

    P().SetNavPackLbn(0x01020304);
    EXPECT_EQ(0x01020304u, CMpegClock::GetBig32(pci));
    EXPECT_EQ(0x01020304u, CMpegClock::GetBig32(dsi + 4));

    P().SetNavPackPtm(1000, 4600);
    EXPECT_EQ(1000u, CMpegClock::GetBig32(pci + 12));
    EXPECT_EQ(4600u, CMpegClock::GetBig32(pci + 16));

    P().SetNavPackTime(3725.5, 25.0);
    const BYTE t25[4] = { 0x01, 0x02, 0x05, 0x52 };
    EXPECT_EQ(0, memcmp(pci + 24, t25, 4));
    EXPECT_EQ(0, memcmp(dsi + 28, t25, 4));
    P().SetNavPackTime(3725.5, 30.0);
    EXPECT_EQ(0xC0, pci[27] & 0xC0);
    EXPECT_EQ(0x15, pci[27] & 0x3F);
    P().SetNavPackTime(1.5, 24.0);
    EXPECT_EQ(0x00, dsi[31] & 0xC0);
    EXPECT_EQ(0x12, dsi[31]);

    P().SetNavPackVobuAddress(10, 20, 30, 40);
    EXPECT_EQ(10u, CMpegClock::GetBig32(dsi + 8));
    EXPECT_EQ(20u, CMpegClock::GetBig32(dsi + 12));
    EXPECT_EQ(30u, CMpegClock::GetBig32(dsi + 16));
    EXPECT_EQ(40u, CMpegClock::GetBig32(dsi + 20));
}

struct HeaderRow
{
    int length;
    int expected;
};

TEST_F(ParvaneOrdinalTest, SystemHeaderLengthIsChecked)
{
    ASSERT_EQ(1, P().CreateNavPack());
    const BYTE* p = P().GetNavPack(nullptr);
    std::vector<BYTE> before(p, p + 2048);
    BYTE src[64];
    memset(src, 0xAB, sizeof(src));
    const HeaderRow rows[] = { { -1, 0 }, { 25, 0 }, { 64, 0 }, { 0, 0 } };
    for (const HeaderRow& r : rows)
    {
        EXPECT_EQ(r.expected, P().SetNavSystemHeader(src, r.length)) << r.length;
        EXPECT_EQ(0, memcmp(p, before.data(), 2048)) << r.length;
    }
    EXPECT_EQ(0, P().SetNavSystemHeader(nullptr, 10));
    EXPECT_EQ(24, P().SetNavSystemHeader(src, 24));
    EXPECT_EQ(0xAB, p[14]);
    EXPECT_EQ(0xAB, p[37]);
    EXPECT_EQ(0x00, p[38]) << "the PCI packet stays";
    EXPECT_EQ(0, memcmp(p + 38, before.data() + 38, 2048 - 38));
}

TEST_F(ParvaneOrdinalTest, SecondCreateStartsAFreshPack)
{
    ASSERT_EQ(1, P().CreateNavPack());
    P().SetNavPackLbn(99);
    ASSERT_EQ(1, P().CreateNavPack());
    const BYTE* p = P().GetNavPack(nullptr);
    EXPECT_EQ(0u, CMpegClock::GetBig32(p + 45));
    P().DeleteNavPack();
    EXPECT_EQ(nullptr, P().GetNavPack(nullptr));
}

TEST_F(ParvaneOrdinalTest, RestampAfterCloseMakesAHandlerFromTheChunks)
{
    for (int kind = 1; kind <= 2; ++kind)
    {
        P().CloseMpegFile();
        CPackBuilder b(kind);
        b.Pack(100.0);
        b.Packet(0xE0, CPackBuilder::Join({ CPackBuilder::Sequence(352, 288, 3), CPackBuilder::Gop(0, 1, 40, 0, false),
                                            CPackBuilder::Picture(1, 60) }), 100.2, 100.1);
        b.Packet(0xBE, std::vector<BYTE>(40, 0xFF));
        size_t second = b.Bytes().size();
        b.Pack(100.5);
        b.Packet(0xBE, std::vector<BYTE>(40, 0xFF));
        CChunkList list;
        list.Add(b.Bytes());
        double last = 42.0;
        int lostB = 0, first = 1;
        EXPECT_EQ(2, P().RestampChunks(list.List(), &last, &lostB, &first)) << kind;
        double scr = kind == 2 ? CMpegClock::ReadMpeg2Scr(&b.Bytes()[second]) : CMpegClock::ReadMpeg1Scr(&b.Bytes()[second]);
        EXPECT_NEAR(42.5, scr, 1e-6);
        EXPECT_NEAR(42.515, last, 1e-9);
        EXPECT_EQ(0, first);
    }
    EXPECT_EQ(0, P().RestampChunks(nullptr, nullptr, nullptr, nullptr));
    P().ResetMpegFile();
    std::vector<BYTE> junk(64, 0x11);
    CChunkList none;
    none.Add(junk);
    double last = 1.0;
    int lostB = 0, first = 1;
    EXPECT_EQ(0, P().RestampChunks(none.List(), &last, &lostB, &first)) << "no pack header: no handler";
}

TEST_F(ParvaneOrdinalTest, OpenFileAndSegments)
{
    std::string path = std::string(ONDRIX_TEST_DIR) + "/../fixtures/m2-small.mpg";
    ASSERT_EQ(1, P().OpenMpegFile(path.c_str()));
    MpegStreamInfo info = {};
    EXPECT_EQ(1, P().GetMpegFileInfo(&info));
    EXPECT_EQ(176, info.sequence.width);
    EXPECT_EQ(144, info.sequence.height);
    EXPECT_DOUBLE_EQ(25.0, info.sequence.frameRate);
    EXPECT_EQ(2, info.kind);
    EXPECT_EQ(1, info.hasKind);
    EXPECT_EQ(0, P().GetMpegFileInfo(nullptr));

    MpegSegment equal = { 0.5, 0.5, 0, 0 };
    EXPECT_EQ(-1, P().AddSegment(&equal));
    EXPECT_EQ(0, P().GetSegmentCount());
    EXPECT_EQ(-1, P().AddSegment(nullptr));
    MpegSegment seg = { 0.2, 0.9, 0, 1 };
    int key = P().AddSegment(&seg);
    EXPECT_EQ(1, key);
    MpegSegment out = {};
    EXPECT_EQ(1, P().GetSegmentByKey(key, &out));
    EXPECT_EQ(0.9, out.end);
    EXPECT_EQ(1, out.endMode);
    EXPECT_EQ(0, P().GetSegmentByKey(key, nullptr));
    EXPECT_EQ(1, P().GetSegmentByIndex(0, &out));
    EXPECT_EQ(0, P().GetSegmentByIndex(1, &out));
    EXPECT_EQ(1, P().RemoveSegment(-1));
    EXPECT_EQ(0, P().GetSegmentCount());

    P().CloseMpegFile();
    EXPECT_EQ(0, P().GetMpegFileInfo(&info));
    EXPECT_EQ(0, P().GetSegmentCount());
    EXPECT_EQ(-1, P().AddSegment(&seg));
    EXPECT_EQ(0, P().OpenMpegFile(nullptr));
    EXPECT_EQ(0, P().OpenMpegFile("Z:/no/such/file.mpg"));
}

int g_progressCalls = 0;
void __cdecl CountProgress(int)
{
    ++g_progressCalls;
}

TEST_F(ParvaneOrdinalTest, EditingCallsCheckTheirArguments)
{
    P().CloseMpegFile();
    std::string out = std::string(ONDRIX_BINARY_DIR) + "/parvane-ordinal-out.mpg";
    EXPECT_EQ(-1, P().SaveSegments(out.c_str(), 0, 0)) << "nothing open";
    EXPECT_EQ(-1, P().InsertMpegFile(nullptr, 1.0, 0, out.c_str(), 0));
    EXPECT_EQ(-1, P().InsertMpegFile(out.c_str(), 1.0, 0, nullptr, 0));
    EXPECT_EQ(0, P().RemoveSegment(-1)) << "nothing open";

    P().NewClipList(nullptr);
    P().NewClipList("clips");
    MpegSegment seg = { 0.0, 1.0, 0, 0 };
    EXPECT_EQ(-1, P().AddClip(nullptr, &seg));
    EXPECT_EQ(-1, P().AddClip(out.c_str(), nullptr));
    g_progressCalls = 0;
    EXPECT_EQ(-1, P().SaveClipList(out.c_str(), 0, CountProgress)) << "empty clip list";
    EXPECT_EQ(-1, P().SaveClipList(nullptr, 0, CountProgress));
    EXPECT_EQ(0, g_progressCalls);
    P().ClearClipList();
}
}

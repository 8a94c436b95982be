#include <gtest/gtest.h>
#include "parvane/PackRestamper.h"
#include "tests/parvane/core/PackBuilder.h"

// What a new time base keeps of the video before the GOP header of its opening pack, by what
// the video written before the pause ended on.
namespace
{
typedef std::vector<BYTE> Bytes;

const Bytes kSeq = CPackBuilder::Sequence(352, 288, 3);
const Bytes kSeqExtension = { 0, 0, 1, 0xB5, 0x14, 0x8A, 0x00, 0x01, 0x00, 0x00 };

int Restamp(CPackRestamper& r, Bytes& bytes, double* last, int* lostB, int* first)
{
    CChunkList list;
    list.Add(bytes);
    return r.RestampChunks(list.List(), last, lostB, first);
}

struct Row
{
    const char* name;
    Bytes tail;             // what the delivery before the pause ends on
    bool keepsExtension;
};

TEST(PackRestamperSeam, KeepsTheExtensionOfASequenceHeaderLeftOpen)
{
    const Row rows[] = {
        { "the last picture", {}, false },
        { "a sequence header", kSeq, true },
        { "a sequence header and its extension", CPackBuilder::Join({ kSeq, kSeqExtension }), false },
        { "a sequence header and a split start code prefix", CPackBuilder::Join({ kSeq, { 0, 0 } }), true },
        { "a sequence header and a split start code", CPackBuilder::Join({ kSeq, { 0, 0, 1 } }), false },
    };
    for (const Row& row : rows)
    {
        CPackRestamper r(2);
        r.Sequence().frameRate = 25.0;
        CPackBuilder a(2);
        a.Pack(10.0);
        a.Packet(0xE0, CPackBuilder::Join({ kSeq, kSeqExtension, CPackBuilder::Gop(0, 0, 10, 0, false),
                                            CPackBuilder::Picture(1, 30), CPackBuilder::Picture(2, 30), row.tail }),
                 10.6, 10.54);
        double last = 10.0;
        int lostB = 0, first = 1;
        ASSERT_EQ(1, Restamp(r, a.Bytes(), &last, &lostB, &first)) << row.name;

        // The pause cut off the sequence header of the GOP it resumes on, but not its extension.
        CPackBuilder b(2);
        b.Pack(50.0);
        b.Packet(0xE0, CPackBuilder::Join({ kSeqExtension, CPackBuilder::Gop(0, 0, 50, 0, false),
                                            CPackBuilder::Picture(1, 30) }),
                 50.6, 50.54);
        first = 1;
        ASSERT_EQ(1, Restamp(r, b.Bytes(), &last, &lostB, &first)) << row.name;
        const Bytes& out = b.Bytes();
        int extension = CPackRestamper::FindStartCode(out.data(), 0, (int)out.size(), 0xB5);
        int gop = CPackRestamper::FindStartCode(out.data(), 0, (int)out.size(), 0xB8);
        ASSERT_GE(gop, 0) << row.name;
        if (row.keepsExtension)
        {
            EXPECT_GE(extension, 0) << row.name;
            EXPECT_EQ(gop, extension + (int)kSeqExtension.size()) << row.name;
        }
        else
            EXPECT_LT(extension, 0) << row.name;
    }
}
// The next picture slot after what was written counts a picture whose start code begins in one
// packet and ends in the next, wherever it is split.
TEST(PackRestamperSeam, CountsAPictureStartCodeSplitBetweenPackets)
{
    const Bytes b = CPackBuilder::Picture(3, 30);
    for (int split = 0; split <= 3; ++split)
    {
        CPackRestamper r(2);
        r.Sequence().frameRate = 25.0;
        CPackBuilder a(2);
        a.Pack(10.0);
        a.Packet(0xE0, CPackBuilder::Join({ CPackBuilder::Gop(0, 0, 10, 0, true), CPackBuilder::Picture(1, 30),
                                            Bytes(b.begin(), b.begin() + split) }),
                 10.08, 10.04);
        a.Packet(0xE0, Bytes(b.begin() + split, b.end()));
        double last = 10.0;
        int lostB = 0, first = 1;
        ASSERT_EQ(1, Restamp(r, a.Bytes(), &last, &lostB, &first)) << split;
        EXPECT_NEAR(10.12, r.NextVideoTime(), 1e-9) << split;
    }
}

// After a pause the packs the pause dropped are closed one by one: only what finishes the last
// picture and audio frames is written. Packs that keep nothing leave the clock alone, and what
// is kept from far behind the cut follows the last pack written, so the next time base still
// goes on at the next picture slot.
TEST(PackRestamperSeam, ClosingPacksDoNotMoveTheNextTimeBase)
{
    const Bytes audioHeader = { 0xFF, 0xFD, 0x84, 0x00 };   // 384-byte frames
    CPackRestamper r(2);
    r.Sequence().frameRate = 25.0;
    CPackBuilder a(2);
    a.Pack(10.0);
    a.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 10, 0, true), CPackBuilder::Picture(1, 30) }),
             10.6, 10.54);
    a.Packet(0xC0, CPackBuilder::Join({ audioHeader, Bytes(96, 0) }), 10.6);   // 284 bytes still to come
    double last = 10.0;
    int lostB = 0, first = 1;
    ASSERT_EQ(1, Restamp(r, a.Bytes(), &last, &lostB, &first));

    // The dropped group: its GOP header ends the picture, video only for a second, then the rest
    // of the audio frame.
    std::vector<CPackBuilder> closing;
    closing.emplace_back(2);
    closing.back().Pack(10.1).Packet(0xE0, CPackBuilder::Join({ CPackBuilder::Gop(0, 0, 10, 1, true),
                                                              CPackBuilder::Picture(1, 30) }), 10.7, 10.64);
    for (int i = 2; i <= 10; ++i)
    {
        closing.emplace_back(2);
        closing.back().Pack(10.0 + i * 0.1).Packet(0xE0, CPackBuilder::Picture(2, 60));
    }
    closing.emplace_back(2);
    closing.back().Pack(11.1).Packet(0xC0, CPackBuilder::Join({ Bytes(284, 0), audioHeader, Bytes(380, 0) }), 11.6);
    int kept = 0;
    for (CPackBuilder& c : closing)
    {
        first = CPackRestamper::kClosingChunks;
        kept += Restamp(r, c.Bytes(), &last, &lostB, &first);
    }
    ASSERT_EQ(1, kept) << "only the end of the audio frame is written";
    const double scr = r.GetPackScr(closing.back().Bytes().data());
    EXPECT_GT(scr, 10.0);
    EXPECT_LT(scr, 10.01) << "the kept end follows the last pack written";
    EXPECT_EQ(0, first) << "the closing is done";

    CPackBuilder b(2);
    b.Pack(50.0);
    size_t v = b.Packet(0xE0, CPackBuilder::Join({ kSeq, CPackBuilder::Gop(0, 0, 50, 0, true), CPackBuilder::Picture(1, 30) }),
                        50.6, 50.54);
    first = 1;
    ASSERT_EQ(1, Restamp(r, b.Bytes(), &last, &lostB, &first));
    EXPECT_NEAR(10.58, CMpegClock::ReadStamp(&b.Bytes()[v + 9 + 5]), 1e-4) << "the next picture slot";
}
}

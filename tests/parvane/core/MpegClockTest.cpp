#include <gtest/gtest.h>
#include <string.h>
#include "parvane/MpegClock.h"

namespace
{
struct StampRow
{
    double seconds;
    unsigned long long ticks;
};

TEST(MpegClock, StampRoundTripByTable)
{
    const StampRow rows[] = {
        { 0.0, 0 },
        { -1.0, 0 },                       // negative times are written as 0
        { 1.0 / 90000, 1 },
        { 42.0, 3780000 },
        { 42.015, 3781350 },               // no tick lost to the binary product
        { 4294967295.5 / 90000, 0xFFFFFFFFULL },
        { 4294967296.5 / 90000, 0x100000000ULL },
        { 8589934591.5 / 90000, 0x1FFFFFFFFULL },
    };
    for (const StampRow& r : rows)
    {
        BYTE b[5] = { 0x31, 0, 0, 0, 0 };
        CMpegClock::WriteStamp(b, r.seconds);
        EXPECT_EQ(r.ticks, CMpegClock::ReadStampTicks(b)) << r.seconds;
        EXPECT_EQ(0x30, b[0] & 0xF0) << "prefix kept";
        EXPECT_EQ(1, b[0] & 1);
        EXPECT_EQ(1, b[2] & 1);
        EXPECT_EQ(1, b[4] & 1);
    }
}

TEST(MpegClock, Mpeg1ScrLayout)
{
    BYTE pack[12] = { 0, 0, 1, 0xBA };
    CMpegClock::WriteMpeg1Scr(pack, 100.0);
    EXPECT_EQ(0x21, pack[4] & 0xF1);
    EXPECT_DOUBLE_EQ(100.0, CMpegClock::ReadMpeg1Scr(pack));
}

TEST(MpegClock, Mpeg2ScrBaseAndExtension)
{
    BYTE pack[14] = { 0, 0, 1, 0xBA };
    CMpegClock::WriteMpeg2Scr(pack, 1.0 + 150.0 / 27000000);
    EXPECT_EQ(0x44, pack[4] & 0xC4);
    EXPECT_EQ(0x04, pack[6] & 0x04);
    EXPECT_EQ(0x04, pack[8] & 0x04);
    EXPECT_EQ(0x01, pack[9] & 0x01);
    EXPECT_EQ(90000u, (unsigned)CMpegClock::ReadScrBaseTicks(pack + 4));
    unsigned ext = ((pack[8] & 3) << 7) | (pack[9] >> 1);
    EXPECT_EQ(150u, ext);
    EXPECT_NEAR(1.0 + 150.0 / 27000000, CMpegClock::ReadMpeg2Scr(pack), 1e-12);

    CMpegClock::WriteMpeg2Scr(pack, -3.0);
    EXPECT_EQ(0.0, CMpegClock::ReadMpeg2Scr(pack));
}

TEST(MpegClock, EscrKeepsReservedBits)
{
    BYTE e[6] = { 0xC0, 0, 0, 0, 0, 0 };
    CMpegClock::WriteScrField(e, 7.5, TRUE);
    EXPECT_EQ(0xC0, e[0] & 0xC0);
    EXPECT_DOUBLE_EQ(7.5, CMpegClock::ReadScrField(e));
}

TEST(MpegClock, GopTimeCode)
{
    // 00:00:10 and 5 pictures at 25 frames per second.
    BYTE g[8] = { 0, 0, 1, 0xB8, 0x80, 0x08 | 0x01, 0x40 | 0x02, 0x80 | 0x40 | 0x20 };
    EXPECT_NEAR(10.2, CMpegClock::ReadGopTime(g, 25.0), 1e-9);
    CMpegClock::WriteGopTime(g, 3725.5, 25.0);    // 1:02:05 + 12 pictures
    EXPECT_NEAR(3725.48, CMpegClock::ReadGopTime(g, 25.0), 1e-9);
    EXPECT_EQ(0x80, g[4] & 0x80) << "drop flag kept";
    EXPECT_EQ(0x08, g[5] & 0x08) << "marker kept";
    EXPECT_EQ(0x60, g[7] & 0x60) << "closed and broken link kept";
    CMpegClock::WriteGopTime(g, -1.0, 25.0);
    EXPECT_EQ(0.0, CMpegClock::ReadGopTime(g, 25.0));
}

TEST(MpegClock, BcdTimeCodes)
{
    BYTE t[4] = {};
    CMpegClock::WriteBcdTime(t, 3725.5, 25.0, 0x40);
    const BYTE expect[4] = { 0x01, 0x02, 0x05, 0x52 };
    EXPECT_EQ(0, memcmp(t, expect, 4));
    EXPECT_NEAR(3725.48, CMpegClock::ReadBcdTime(t, 30.0), 1e-9);   // flag 01 reads at 25
    t[3] = 0xC0 | 0x15;
    EXPECT_NEAR(3725.0 + 15 / 30.0, CMpegClock::ReadBcdTime(t, 25.0), 1e-9);
    t[3] = 0x15;
    EXPECT_NEAR(3725.0 + 15 / 24.0, CMpegClock::ReadBcdTime(t, 24.0), 1e-9) << "no flag: sequence rate";
}

TEST(MpegClock, SequenceHeader)
{
    // 720x576, aspect 2, 25 fps, bit rate value 0x3FFFF, constrained flag 0.
    const BYTE h[12] = { 0, 0, 1, 0xB3, 0x2D, 0x02, 0x40, 0x23, 0xFF, 0xFF, 0xE0, 0x18 };
    MpegSequenceInfo info = {};
    CMpegClock::ParseSequenceHeader(h, &info);
    EXPECT_EQ(720, info.width);
    EXPECT_EQ(576, info.height);
    EXPECT_EQ(2, info.aspectCode);
    EXPECT_EQ(3, info.frameRateCode);
    EXPECT_EQ(0x3FFFF, info.bitRate);
    EXPECT_EQ(0, info.constrained);
    EXPECT_DOUBLE_EQ(25.0, info.frameRate);
    EXPECT_DOUBLE_EQ(30.0, CMpegClock::FrameRateOfCode(9));
    EXPECT_NEAR(29.97, CMpegClock::FrameRateOfCode(4), 0.001);
}
}

#include "hardware/tuners/Tda8275ATuner.h"
#include "platform/sim/tunerchips/SimHybridDemod.h"
#include "platform/sim/tunerchips/SimTda8275A.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/tunersupport/SimTunerBus.h"
#include "tests/hardware/tunersupport/TestCaptureDevice.h"
#include "tests/hardware/tunersupport/TunerTestBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdio.h>

namespace
{
typedef std::vector<std::string> Lines;

std::string W(BYTE device, int sub, BYTE value)
{
    char line[48];
    sprintf(line, "WriteByte %02X %d %02X", device, sub, value);
    return line;
}

// The simulated card: the demodulator at 0x96 and the tuner behind its gate.
struct SimCard
{
    SimCard() : demod(&chips, &tuner), bus(&chips) { chips.AttachChip(0x96, &demod); }

    CSimChipBus chips;
    CSimTda8275A tuner;
    CSimHybridDemod demod;
    CSimTunerBus bus;
};

TEST(Tda8275A, ANewModelInitialisesBothChips)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    CTda8275ATuner tuner(&bus);
    Lines expected = { W(0x96, 0x00, 0x01), W(0x96, 0x07, 0x00), W(0x96, 0x30, 0x2F), W(0x96, 0x20, 0x0B),
                       W(0x96, 0x21, 0xC0) };
    const BYTE initial[13] = { 0x00, 0x00, 0x00, 0x1C, 0x04, 0xAB, 0x38, 0x0A, 0x28, 0xFF, 0x40, 0x00, 0x39 };
    for (int i = 0; i < 13; ++i)
        expected.push_back(W(0xC2, i * 16, initial[i]));
    expected.push_back(W(0x96, 0x21, 0x80));
    EXPECT_EQ(expected, bus.Calls());
    EXPECT_EQ(95, tuner.m_nTypeId);
    EXPECT_EQ(0x10u, tuner.Chip().Demodulator().GetStandard());
    EXPECT_FALSE(tuner.HasFM());
}

TEST(Tda8275A, ThePlanRowOfEachLimit)
{
    for (int i = 0; i < g_nTda8275APlanCount; ++i)
    {
        DWORD limit = g_Tda8275APlan[i].dwUpTo;
        EXPECT_EQ(i, FindTda8275APlanRow(limit)) << limit;
        EXPECT_EQ(i, FindTda8275APlanRow(limit - 1)) << limit;
        EXPECT_EQ(i + 1 < g_nTda8275APlanCount ? i + 1 : i, FindTda8275APlanRow(limit + 1)) << limit;
    }
    EXPECT_EQ(26, g_nTda8275APlanCount);
    EXPECT_EQ(0, FindTda8275APlanRow(0));
    EXPECT_EQ(25, FindTda8275APlanRow(4000000000u));
}

struct PassRow
{
    DWORD standard;
    int kHz;
    BYTE r0, r1, r3, r4, r7;
};

// Registers of a tuning: 471250 kHz in D/K (IF 7.75 MHz) gives f + IF =
// 479 MHz, row 16, p = 0, N = 1916. Register 7 is 0x22 up to 471.25 MHz.
const PassRow kPassRows[] =
{
    { 0x20, 471249, 0x1D, 0xEC, 0x10, 0x03, 0x22 },
    { 0x20, 471250, 0x1D, 0xF0, 0x10, 0x03, 0x22 },
    { 0x20, 471251, 0x1D, 0xF0, 0x10, 0x03, 0x26 },
    // 48.25 MHz in B (IF 6.75 MHz): 55 MHz, row 1, p = 4: N = 3520.
    { 0x10, 48250, 0x37, 0x00, 0x10, 0x98, 0x22 },
    // 855.25 MHz in I (IF 7.75 MHz): 863 MHz, row 24 (C = 1), N = 3452.
    { 0x100, 855250, 0x35, 0xF0, 0x11, 0x1C, 0x26 },
};

class Tda8275APass : public ::testing::TestWithParam<PassRow> {};

TEST_P(Tda8275APass, WritesTheDividerAndBandFields)
{
    const PassRow& row = GetParam();
    CFastBusClock clock;
    SimCard card;
    CTda8275ATuner tuner(&card.bus);
    ASSERT_TRUE(tuner.SetStandard(row.standard));
    EXPECT_TRUE(tuner.SetTVFrequency(static_cast<float>(row.kHz)));
    const BYTE* image = tuner.Chip().Registers();
    EXPECT_EQ(row.r0, image[0]);
    EXPECT_EQ(row.r1, image[1]);
    EXPECT_EQ(0, image[2]);
    EXPECT_EQ(row.r3, image[3]);
    EXPECT_EQ(row.r4, image[4]);
    EXPECT_EQ(row.r7, image[7]);
    // The chip behind the gate holds the same registers.
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(image[i], card.tuner.GetRegister(i)) << i;
    // Each pass writes register 7 once at 0x07 as well.
    EXPECT_EQ(2, card.tuner.StrayWriteCount());
    EXPECT_FALSE(card.demod.IsGateOpen());
}

INSTANTIATE_TEST_SUITE_P(Table, Tda8275APass, ::testing::ValuesIn(kPassRows));

TEST(Tda8275A, TheTunerIsWrittenOnlyThroughTheOpenGate)
{
    CFastBusClock clock;
    SimCard card;
    CTda8275ATuner tuner(&card.bus);
    card.chips.ClearLog();
    ASSERT_TRUE(tuner.SetTVFrequency(471250.0f));
    BOOL gateOpen = FALSE;
    int tunerWrites = 0;
    for (int i = 0; i < card.chips.GetEventCount(); ++i)
    {
        SimBusEvent event;
        card.chips.GetEvent(i, &event);
        if (event.address == 0x96 && event.kind == SIM_I2C_WRITE && event.count == 2 && event.data[0] == 0x21)
            gateOpen = (event.data[1] & 0x40) != 0;
        if (event.address == 0xC2)
        {
            EXPECT_EQ(SIM_I2C_WRITE, event.kind);
            EXPECT_TRUE(gateOpen) << i;
            ++tunerWrites;
        }
    }
    // Two passes of thirteen registers and their follow-up writes.
    EXPECT_GE(tunerWrites, 2 * 13 + 10);

    // With the gate shut the tuner does not answer.
    card.chips.ClearLog();
    EXPECT_EQ(0, tuner.Chip().WriteRegister(0x00, 0x55));
    SimBusEvent event;
    ASSERT_TRUE(card.chips.GetEvent(0, &event));
    EXPECT_EQ(SIM_I2C_NACK, event.kind);
    EXPECT_EQ(0xC2, event.address);
}

TEST(Tda8275A, ATuningWaitsItsTimeWithoutRealSleeps)
{
    CFastBusClock clock;
    SimCard card;
    card.demod.SetStations({ 471250000.0 });
    CTda8275ATuner tuner(&card.bus);
    tuner.SetStandard(0x20);
    DWORD start = clock.GetTickCount();
    ASSERT_TRUE(tuner.SetTVFrequency(471250.0f));
    // 102 ms in the first pass, 552 in the second, 50 before the standard
    // registers; a locked demodulator needs no polling and no recovery.
    EXPECT_EQ(704u, clock.GetTickCount() - start);
    EXPECT_EQ(0u, tuner.Chip().LockTimedOut());
    EXPECT_TRUE(card.demod.IsLocked());
    EXPECT_NEAR(471250000.0, card.demod.GetTunedHz(), 1.0);
}

TEST(Tda8275A, NoStationPollsTenTimesThenRecoversThreeTimes)
{
    CFastBusClock clock;
    SimCard card;
    CTda8275ATuner tuner(&card.bus);
    DWORD start = clock.GetTickCount();
    EXPECT_TRUE(tuner.SetTVFrequency(471250.0f));
    EXPECT_EQ(704u + 10 * 5 + 3 * 100, clock.GetTickCount() - start);
    EXPECT_EQ(1u, tuner.Chip().LockTimedOut());
}

TEST(Tda8275A, ASaturatedConverterSkipsTheRecovery)
{
    CFastBusClock clock;
    SimCard card;
    card.demod.SetRegister(CSimHybridDemod::REG_ADC, 30);
    CTda8275ATuner tuner(&card.bus);
    DWORD start = clock.GetTickCount();
    tuner.SetTVFrequency(471250.0f);
    EXPECT_EQ(704u + 10 * 5, clock.GetTickCount() - start);
}

TEST(Tda8275A, AnAbsentDemodulatorEndsTheTuningWithFailure)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimTunerBus bus(&chips);
    CTda8275ATuner tuner(&bus);
    EXPECT_FALSE(tuner.SetTVFrequency(471250.0f));

    // Each register read gives up after four calls of three attempts.
    CTunerTestBus recording;
    CTda8275ATuner tuner2(&recording);
    BYTE value = 0;
    recording.TakeCalls();
    EXPECT_EQ(0, tuner2.Chip().Demodulator().ReadRegister(0x1B, &value));
    EXPECT_EQ(Lines(12, "ReadByte 97 27"), recording.Calls());
}

TEST(Tda8275A, TheAdapterCountsOnlyS_OKAsDone)
{
    CTunerTestBus bus;
    bus.FailWriteByteFrom(1, 1);
    bus.FailI2CWriteFrom(1, 1);
    CTunerI2CBus adapter(&bus);
    EXPECT_EQ(0, adapter.WriteRegister(0x96, 0x21, 0xC0));
    EXPECT_EQ(3u, bus.Calls().size());
    BYTE data[2] = { 0x10, 0x20 };
    EXPECT_EQ(0, adapter.WriteBlock(0xC2, data, 2));
    EXPECT_EQ("I2CWrite C2 10 20", bus.Calls().back());
    bus.QueueReadByte(0, 1);
    bus.QueueReadByte(0x5A);
    BYTE value = 0;
    EXPECT_EQ(1, adapter.ReadRegister(0x97, 0x1B, &value));
    EXPECT_EQ(0x5A, value);
    CTunerI2CBus none(NULL);
    EXPECT_EQ(0, none.WriteRegister(0x96, 0, 0));
}

struct StandardRow
{
    DWORD mask;
    BYTE mode;
    DWORD dwIF;
    DWORD kept;
    BYTE ntsc;
};

const StandardRow kStandardRows[] =
{
    { 0x1, 0x01, 5750000, 0x1, 1 },
    { 0x2, 0x01, 5750000, 0x2, 0 },
    { 0x100000, 0x01, 5750000, 0x100000, 0 },
    { 0x10, 0x02, 6750000, 0x10, 0 },
    { 0x1000, 0x02, 6750000, 0x1000, 0 },
    { 0x40, 0x04, 7750000, 0x40, 0 },
    { 0x8000, 0x04, 7750000, 0x8000, 0 },
    { 0x100, 0x08, 7750000, 0x100, 0 },
    { 0x20, 0x10, 7750000, 0x20, 0 },
    { 0x10000, 0x10, 7750000, 0x10000, 0 },
    { 0x40000, 0x20, 7750000, 0x40000, 0 },
    { 0x80000, 0x40, 1750000, 0x80000, 0 },
    { 0x800, 0x02, 6750000, 0x10, 0 },
    { 0x0, 0x02, 6750000, 0x10, 0 },
    { 0x30, 0x02, 6750000, 0x10, 0 },
};

class Tda8275AStandard : public ::testing::TestWithParam<StandardRow> {};

TEST_P(Tda8275AStandard, SetsModeAndIF)
{
    const StandardRow& row = GetParam();
    CFastBusClock clock;
    CTunerTestBus bus;
    CTda8275ATuner tuner(&bus);
    bus.TakeCalls();
    EXPECT_TRUE(tuner.SetStandard(row.mask));
    EXPECT_EQ(Lines({ W(0x96, 0x07, 0x00), W(0x96, 0x01, row.mode) }), bus.Calls());
    CIfDemodulator& demod = tuner.Chip().Demodulator();
    EXPECT_EQ(row.dwIF, demod.GetIF());
    EXPECT_EQ(row.kept, demod.GetStandard());
    EXPECT_EQ(row.ntsc, demod.GetNtscMFlag());
}

INSTANTIATE_TEST_SUITE_P(Table, Tda8275AStandard, ::testing::ValuesIn(kStandardRows));

TEST(Tda8275A, TheNtscFlagReachesRegister12)
{
    CFastBusClock clock;
    SimCard card;
    CTda8275ATuner tuner(&card.bus);
    tuner.SetStandard(0x1);
    tuner.SetTVFrequency(55250.0f);
    EXPECT_EQ(0x02, tuner.Chip().Registers()[12] & 0x06);
    tuner.SetStandard(0x2);
    tuner.SetTVFrequency(55250.0f);
    EXPECT_EQ(0x00, tuner.Chip().Registers()[12] & 0x06);
}

struct GroupRow
{
    DWORD mask;
    BYTE values[13];
};

// Registers 03 04 05 06 07 08 09 0A 0B 0C 13 15 16 of each group.
const GroupRow kGroupRows[] =
{
    { 0x800,   { 0x24, 0x01, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88 } },
    { 0x4,     { 0x24, 0x01, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88 } },
    { 0x400,   { 0x11, 0x01, 0x01, 0x01, 0x85, 0xF6, 0x92, 0x55, 0x55, 0x55, 0x21, 0x08, 0x88 } },
    { 0x1000,  { 0x22, 0x02, 0x01, 0x02, 0x00, 0x00, 0x80, 0xDA, 0x4B, 0x68, 0x22, 0x04, 0x88 } },
    { 0x10000, { 0x24, 0x02, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88 } },
    { 0x80,    { 0x24, 0x02, 0x01, 0x02, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88 } },
    { 0x100,   { 0x24, 0x02, 0x04, 0x10, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88 } },
    { 0x80000, { 0x24, 0x02, 0x01, 0x08, 0x26, 0xB4, 0x17, 0x5F, 0x42, 0x7B, 0x44, 0x04, 0x7F } },
};

class Tda8275AGroup : public ::testing::TestWithParam<GroupRow> {};

TEST_P(Tda8275AGroup, ProgramsTheStandardsRegisters)
{
    const GroupRow& row = GetParam();
    CFastBusClock clock;
    SimCard card;
    CTda8275ATuner tuner(&card.bus);
    card.demod.ClearWrites();
    EXPECT_TRUE(tuner.Chip().Demodulator().ProgramStandardRegisters(row.mask));
    const BYTE regs[13] = { 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x13, 0x15, 0x16 };
    const std::vector<std::pair<BYTE, BYTE> >& writes = card.demod.Writes();
    // 07 00 and 01 mode (standard), 01 mode|80, 0E 08, 16 (bit 1 cleared),
    // 08 09, 09 6D, 04 02, then the thirteen and 28 54.
    ASSERT_EQ(8u + 13 + 1, writes.size());
    for (int i = 0; i < 13; ++i)
    {
        EXPECT_EQ(regs[i], writes[8 + i].first) << i;
        EXPECT_EQ(row.values[i], writes[8 + i].second) << i;
    }
    EXPECT_EQ(std::make_pair(BYTE(0x28), BYTE(0x54)), writes.back());
}

INSTANTIATE_TEST_SUITE_P(Table, Tda8275AGroup, ::testing::ValuesIn(kGroupRows));

TEST(Tda8275A, StatusIsTheCaptureDevicesSignal)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    CTestCaptureDevice device(&bus);
    CTda8275ATuner tuner(&bus);
    DWORD code = 0;
    EXPECT_FALSE(tuner.ReadTVStatus(&code));
    tuner.m_pOwner = &device;
    DWORD signal = 1;
    device.SetSignal([&](DWORD* p) { *p = signal; return S_OK; });
    EXPECT_TRUE(tuner.ReadTVStatus(&code));
    EXPECT_EQ(2u, code);
    EXPECT_TRUE(tuner.IsTVLocked());
    signal = 0;
    EXPECT_TRUE(tuner.ReadTVStatus(&code));
    EXPECT_EQ(4u, code);
    EXPECT_FALSE(tuner.IsTVLocked());
    device.SetSignal([](DWORD*) { return E_FAIL; });
    EXPECT_FALSE(tuner.IsTVLocked());
}

TEST(Tda8275A, TheDemodulatorsAfcClasses)
{
    struct { BYTE value; int afc; BYTE lock; } rows[] = {
        { 0, 0, 0 }, { 18, 0, 0 }, { 19, 1, 0 }, { 37, 1, 0 }, { 38, 2, 0 }, { 63, 2, 0 }, { 64, -2, 0 },
        { 90, -2, 0 }, { 91, -1, 0 }, { 109, -1, 0 }, { 110, 0, 0 }, { 127, 0, 0 }, { 0x80 | 40, 2, 1 },
    };
    CTunerTestBus bus;
    CIfDemodulator demod(NULL);
    CTunerI2CBus adapter(&bus);
    CIfDemodulator real(&adapter);
    for (auto& row : rows)
    {
        bus.QueueReadByte(row.value);
        int afc = 99;
        BYTE lock = 99;
        EXPECT_EQ(1, real.ReadAfcClass(&afc, &lock)) << int(row.value);
        EXPECT_EQ(row.afc, afc) << int(row.value);
        EXPECT_EQ(row.lock, lock) << int(row.value);
    }
    EXPECT_EQ(Lines(13, "ReadByte 97 27"), bus.Calls());
    // The converter saturates from 20 on, the AGC is in range up to 115.
    struct { BYTE adc; BYTE agc; BYTE saturated; BYTE inRange; } levels[] = {
        { 19, 115, 0, 1 }, { 20, 116, 1, 0 } };
    for (auto& level : levels)
    {
        bus.QueueReadByte(level.adc);
        bus.QueueReadByte(level.agc);
        BYTE saturated = 9;
        BYTE inRange = 9;
        real.ReadAdcSaturated(&saturated);
        real.ReadAgcInRange(&inRange);
        EXPECT_EQ(level.saturated, saturated);
        EXPECT_EQ(level.inRange, inRange);
    }
    int afc = 0;
    EXPECT_EQ(0, demod.ReadAfcClass(&afc, NULL));
}
}

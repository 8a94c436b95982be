#include "hardware/tuners/DemodPllTuners.h"
#include "hardware/tuners/SecondSetPllTuners.h"
#include "hardware/tuners/TunerFactory.h"
#include "hardware/tuners/Usb2820Tuner.h"
#include "platform/sim/chipbus/SimIfDemod.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/tunersupport/SimTunerBus.h"
#include "tests/hardware/tunersupport/TunerTestBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <strmif.h>

namespace
{
typedef std::vector<std::string> Lines;

std::unique_ptr<CTunerModule> Make(int type, CRegisterAccess* pBus)
{
    return std::unique_ptr<CTunerModule>(CTunerFactory::Create(type, pBus, NULL));
}

TEST(DemodPllTuners, OutOfRangeFrequenciesAreRefusedNotClamped)
{
    for (int type : { 12, 13, 92, 93, 96 })
    {
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Make(type, &bus);
        EXPECT_FALSE(tuner->SetTVFrequency(40000.0f)) << type;
        EXPECT_FALSE(tuner->SetTVFrequency(900000.0f)) << type;
        EXPECT_TRUE(bus.Calls().empty()) << type;
    }
}

TEST(DemodPllTuners, SecamLPrimeUsesItsOwnIF)
{
    struct { int type; DWORD standard; const char* line; } rows[] = {
        // (33900 + 100000) x 0.016 = 2142.4; (38900 + 100000) x 0.016 = 2222.4
        { 12, AnalogVideo_SECAM_L1, "I2CWrite C0 08 5E CE 01" },
        { 12, AnalogVideo_SECAM_L, "I2CWrite C0 08 AE CE 01" },
        // (33950 + 100000) x 0.016 = 2143.2
        { 13, AnalogVideo_SECAM_L1, "I2CWrite C0 08 5F CE 01" },
        { 92, AnalogVideo_SECAM_L1, "I2CWrite C0 08 5E CE 01 20" },
        { 92, AnalogVideo_SECAM_L, "I2CWrite C0 08 AE CE 01 20" },
        { 92, AnalogVideo_PAL_I, "I2CWrite C0 08 AE CE 01 A0" },
        { 93, AnalogVideo_SECAM_L1, "I2CWrite C0 08 AE CE 01 20" },
        { 93, AnalogVideo_PAL_B, "I2CWrite C0 08 AE CE 01 A0" },
    };
    for (auto& row : rows)
    {
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Make(row.type, &bus);
        tuner->m_nStandard = row.standard;
        EXPECT_TRUE(tuner->SetTVFrequency(100000.0f));
        EXPECT_EQ(Lines({ row.line }), bus.Calls()) << row.type;
    }
}

TEST(DemodPllTuners, TheSecondIFStillMeetsTheCarrierOnTheSimulatedBus)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimPllTuner pll;
    CSimPllTuner::Config config = pll.GetConfig();
    config.nIF = 33900;
    pll.SetConfig(config);
    SimStation station = { 511250, FALSE };
    pll.SetStations(&station, 1);
    chips.AttachChip(0xC0, &pll);
    CSimIfDemod demod;
    chips.AttachChip(0x56, &demod);
    CSimTunerBus bus(&chips);
    std::unique_ptr<CTunerModule> tuner = Make(12, &bus);
    tuner->m_byI2CRead = 0xC1;
    tuner->m_nStandard = AnalogVideo_SECAM_L1;
    EXPECT_TRUE(tuner->SetStandard(AnalogVideo_SECAM_L1));
    EXPECT_EQ(0xC6, demod.GetRegister(0));
    EXPECT_EQ(0x13, demod.GetRegister(2));
    ASSERT_TRUE(tuner->SetTVFrequency(511250.0f));
    EXPECT_TRUE(pll.IsOnStation());
    EXPECT_TRUE(tuner->IsTVLocked());
    // The demodulator waits 100 ms after its table.
    Lines none;
    std::vector<DWORD> sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<DWORD>({ 100 }), sleeps);
}

TEST(DemodPllTuners, TheDecidingWriteOfEachTable)
{
    // Types 12 and 13 send all three and the third decides; type 17 the first;
    // fixed sequences stop at the first failure. A transport that reports
    // failure as a positive 1 fails them too.
    struct { int type; bool byteWrites; int failFrom; HRESULT hr; BOOL result; size_t calls; } rows[] = {
        { 12, true, 3, 1, FALSE, 3 },
        { 12, true, 3, E_FAIL, FALSE, 3 },
        { 12, true, 2, S_FALSE, FALSE, 3 },
        { 13, true, 4, E_FAIL, TRUE, 3 },
        { 17, false, 1, 1, FALSE, 3 },
        { 17, false, 2, E_FAIL, TRUE, 3 },
        { 63, false, 2, 1, FALSE, 2 },
        { 94, false, 1, E_FAIL, FALSE, 1 },
        { 59, false, 3, 1, FALSE, 3 },
        { 92, true, 3, 1, FALSE, 3 },
        { 96, false, 2, 1, FALSE, 2 },
        { 132, false, 2, E_FAIL, TRUE, 3 },
        { 132, false, 1, 1, FALSE, 3 },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        if (row.byteWrites)
            bus.FailWriteByteFrom(row.failFrom, row.hr);
        else
            bus.FailI2CWriteFrom(row.failFrom, row.hr);
        std::unique_ptr<CTunerModule> tuner = Make(row.type, &bus);
        EXPECT_EQ(row.result, tuner->SetStandard(AnalogVideo_PAL_B)) << row.type << " from " << row.failFrom;
        EXPECT_EQ(row.calls, bus.Calls().size()) << row.type;
    }
}

TEST(DemodPllTuners, OffsetModelsRefuseTheTopOfTheRange)
{
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> t63 = Make(63, &bus);
    EXPECT_FALSE(t63->SetTVFrequency(863250.0f));
    std::unique_ptr<CTunerModule> t67 = Make(67, &bus);
    EXPECT_FALSE(t67->SetTVFrequency(863250.0f));
    EXPECT_TRUE(bus.Calls().empty());
    // (38900 + 100250) x 0.016 = 2226.4
    EXPECT_TRUE(t67->SetTVFrequency(100000.0f));
    EXPECT_EQ(Lines({ "I2CWrite C0 08 B2 CE 01" }), bus.Calls());
}

TEST(DemodPllTuners, TheSoundModesOfThePanasonicTuner)
{
    struct { int mode; const char* value; } rows[] = { { 1, "00" }, { 2, "80" }, { 3, "00" }, { 4, "02" },
                                                        { 5, "01" }, { 6, "00" } };
    for (auto& row : rows)
    {
        CTunerTestBus bus;
        CTuner_PANOSONIC_ENGE4326D tuner(&bus);
        EXPECT_TRUE(tuner.SetAudioMode(row.mode));
        EXPECT_EQ(row.mode, tuner.m_nAudioMode);
        EXPECT_EQ(Lines({ std::string("WriteByte B6 0 ") + row.value, "WriteByte B6 1 04" }), bus.Calls());
    }
    // A transport's positive failure code is a failure; the second write still goes.
    CTunerTestBus bus;
    bus.FailWriteByteFrom(1, 1);
    CTuner_PANOSONIC_ENGE4326D tuner(&bus);
    EXPECT_FALSE(tuner.SetAudioMode(4));
    EXPECT_EQ(2u, bus.Calls().size());
    // The standard re-applies the stored mode.
    CTunerTestBus bus2;
    CTuner_PANOSONIC_ENGE4326D tuner2(&bus2);
    tuner2.m_nAudioMode = 5;
    EXPECT_TRUE(tuner2.SetStandard(AnalogVideo_NTSC_M_J));
    EXPECT_EQ("WriteByte B6 0 01", bus2.Calls()[3]);
    CTuner_PANOSONIC_ENGE4326D alone(NULL);
    EXPECT_FALSE(alone.SetStandard(AnalogVideo_NTSC_M_J));
}

TEST(DemodPllTuners, PhilipsRadioPreparesTheChipsFirst)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> tuner = Make(92, &bus);
    EXPECT_TRUE(tuner->SetFMFrequency(98000.0f));
    Lines expected = { "I2CWrite C0 08 FF 8E 01", "I2CWrite C0 08 FF 8E 19", "I2CWrite 86 00 5A 90 20",
                       "I2CWrite C0 08 7E 88 19" };
    EXPECT_EQ(expected, bus.Calls());
    EXPECT_EQ(std::vector<DWORD>({ 10 }), clock.Sleeps());

    // Any failed step ends the tuning, also a failure reported as 1.
    for (int failAt = 1; failAt <= 4; ++failAt)
    {
        CTunerTestBus failing;
        failing.FailI2CWriteFrom(failAt, 1);
        std::unique_ptr<CTunerModule> t = Make(92, &failing);
        EXPECT_FALSE(t->SetFMFrequency(98000.0f)) << failAt;
        EXPECT_EQ(static_cast<size_t>(failAt), failing.Calls().size());
    }
}

TEST(SecondSetPllTuners, RadioModelsSendTheDemodulatorsRadioBytes)
{
    struct { int type; float f; Lines lines; } rows[] = {
        { 98, 98000.0f, { "I2CWrite C0 0D 96 CE 01", "I2CWrite 86 00 0A", "I2CWrite 86 01 90", "I2CWrite 86 02 20" } },
        { 68, 80000.0f, { "I2CWrite C0 0B 56 8A 11", "WriteByte 86 0 5D", "WriteByte 86 1 10", "WriteByte 86 2 00" } },
        { 70, 98000.0f, { "I2CWrite C0 0D 96 8A 21", "WriteByte 86 0 5D", "WriteByte 86 1 10", "WriteByte 86 2 00" } },
        // The radio chip at 0x40 counts 62.5 kHz steps of kHz + 10700:
        // (98000 + 10700) x 16 / 1000 = 1739 (0x06CB), low byte first; the PLL
        // itself takes (98000 + 10700) x 0.032 = 3478 (0x0D96).
        { 138, 98000.0f, { "I2CWrite C0 0D 96 8A 11", "I2CWrite 40 09 C0 04 00 00 00 00",
                           "I2CWrite 40 14 CB 06 8E 11 00 00" } },
        { 138, 87500.0f, { "I2CWrite C0 0C 46 8A 11", "I2CWrite 40 09 C0 04 00 00 00 00",
                           "I2CWrite 40 14 23 06 8E 11 00 00" } },
    };
    for (auto& row : rows)
    {
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Make(row.type, &bus);
        EXPECT_TRUE(tuner->SetFMFrequency(row.f)) << row.type;
        EXPECT_EQ(row.lines, bus.Calls()) << row.type;
    }
    // Type 138 fails when either radio write fails, or the tuning did.
    for (int failAt = 1; failAt <= 3; ++failAt)
    {
        CTunerTestBus bus;
        bus.FailI2CWriteFrom(failAt, 1);
        std::unique_ptr<CTunerModule> tuner = Make(138, &bus);
        EXPECT_FALSE(tuner->SetFMFrequency(98000.0f)) << failAt;
    }
    // Without a successful base tuning the demodulator's radio bytes are not sent.
    CTunerTestBus bus;
    bus.FailI2CWriteFrom(1, E_FAIL);
    std::unique_ptr<CTunerModule> t98 = Make(98, &bus);
    EXPECT_FALSE(t98->SetFMFrequency(98000.0f));
    EXPECT_EQ(1u, bus.Calls().size());
}

TEST(SecondSetPllTuners, FMStatusOfTheDemodulatorRadios)
{
    struct { int type; std::vector<BYTE> pll; BYTE demod; BOOL result; DWORD code; } rows[] = {
        // F1: both flags needed; without them there is no reading (not a stale code).
        { 98, {}, 0xA0, TRUE, 4 },        // a = 0
        { 98, {}, 0xA0 | (13 << 1), TRUE, 4 },
        { 98, {}, 0xA0 | (3 << 1), TRUE, 0 },
        { 98, {}, 0x20, FALSE, 77 },      // bit 7 clear
        { 98, {}, 0x80, FALSE, 77 },      // bit 5 clear
        // F2: the PLL's own code stands when the demodulator shows neither flag.
        { 68, { 0x44 }, 0x00, TRUE, 4 },
        { 68, { 0x04 }, 0x00, FALSE, 77 }, // no PLL lock flag and no demodulator reading
        { 70, { 0x04 }, 0x80, TRUE, 4 },
        { 68, { 0x43 }, 0x80 | (3 << 1), TRUE, 0 },
        { 70, { 0x43 }, 0x20 | (14 << 1), TRUE, 4 },
        { 70, { 0x43 }, 0x20 | (13 << 1), TRUE, 0 },
    };
    for (auto& row : rows)
    {
        CTunerTestBus bus;
        if (!row.pll.empty())
            bus.QueueRead(row.pll);
        bus.QueueRead(std::vector<BYTE>(1, row.demod));
        std::unique_ptr<CTunerModule> tuner = Make(row.type, &bus);
        DWORD code = 77;
        EXPECT_EQ(row.result, tuner->ReadFMStatus(&code)) << row.type << " " << int(row.demod);
        EXPECT_EQ(row.code, code) << row.type << " " << int(row.demod);
        EXPECT_EQ("I2CRead 87 len 1", bus.Calls().back());
    }
}

TEST(SecondSetPllTuners, TheLockBitModelReadsOneOrZero)
{
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> tuner = Make(67, &bus);
    bus.QueueRead(std::vector<BYTE>(1, 0x40));
    bus.QueueRead(std::vector<BYTE>(1, 0x02));
    DWORD code = 9;
    EXPECT_TRUE(tuner->ReadTVStatus(&code));
    EXPECT_EQ(1u, code);
    EXPECT_TRUE(tuner->ReadTVStatus(&code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(Lines({ "I2CRead C1 len 1", "I2CRead C1 len 1" }), bus.Calls());
    // Lock code 1: locked exactly when the lock bit is set.
    bus.QueueRead(std::vector<BYTE>(1, 0x40));
    EXPECT_TRUE(tuner->IsTVLocked());
}

TEST(SecondSetPllTuners, TheFq1216Mk5ReadsLockFromTheVideoDecoder)
{
    CTunerTestBus bus;
    CUsb2820Tuner tuner(&bus);
    bus.QueueReadByte(0x00);
    EXPECT_TRUE(tuner.IsTVLocked());
    EXPECT_EQ(0u, tuner.m_dwDecoderFlag);
    bus.QueueReadByte(0x40);
    EXPECT_FALSE(tuner.IsTVLocked());
    EXPECT_FALSE(tuner.IsTVLocked()); // a failed read
    EXPECT_EQ(Lines({ "ReadByte 42 31", "ReadByte 42 31", "ReadByte 42 31" }), bus.Calls());
    // Its tuning is the base's five bytes.
    bus.TakeCalls();
    EXPECT_TRUE(tuner.SetTVFrequency(48250.0f));
    EXPECT_EQ(Lines({ "I2CWrite C0 05 72 CE 01" }), bus.Calls());
}

TEST(SecondSetPllTuners, ThePhilipsFq1286StartsInJapan)
{
    std::unique_ptr<CTunerModule> tuner = Make(96, NULL);
    EXPECT_EQ(static_cast<DWORD>(AnalogVideo_NTSC_M_J), tuner->m_nStandard);
    EXPECT_FALSE(tuner->SetStandard(AnalogVideo_NTSC_M_J));
    EXPECT_FALSE(tuner->SetTVFrequency(100000.0f));
}
}

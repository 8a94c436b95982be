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
#include <typeinfo>

namespace
{
typedef std::vector<std::string> Lines;

// The adapter a USB 2820 device keeps for a tuner type, built as the device
// builds it: from the factory's model of the same type.
std::unique_ptr<CTunerModule> Adapter(int type, CRegisterAccess* pBus)
{
    std::unique_ptr<CTunerModule> model(CTunerFactory::Create(type, pBus, NULL));
    return std::unique_ptr<CTunerModule>(CreateUsb2820TunerAdapter(type, pBus, model.get()));
}

TEST(Usb2820Tuner, TheAdapterTakesOverTheFactoryModelsSettings)
{
    CTunerTestBus bus;
    EXPECT_EQ(NULL, CreateUsb2820TunerAdapter(0, &bus, NULL));
    EXPECT_TRUE(bus.Calls().empty());

    std::unique_ptr<CTunerModule> t72 = Adapter(72, NULL);
    ASSERT_TRUE(t72 != NULL);
    EXPECT_NE(std::string::npos, std::string(typeid(*t72).name()).find("CUsb2820AltTuner"));
    EXPECT_EQ('L', t72->m_cTunerLetter);
    EXPECT_EQ(72, t72->m_nTypeId);
    EXPECT_EQ(0xC6, t72->m_byI2CWrite);
    EXPECT_EQ(0xC7, t72->m_byI2CRead);
    EXPECT_EQ(0x8E, t72->m_byControl);
    EXPECT_EQ(49750, t72->m_nTVLow);
    EXPECT_EQ(425250, t72->m_nMidBandEnd);
    EXPECT_EQ(2, t72->GetAfcCode2()); // AFC codes come over for types 72 and 73 only
    EXPECT_EQ(7u, t72->m_vecStandards.size());

    std::unique_ptr<CTunerModule> t92 = Adapter(92, NULL);
    EXPECT_EQ(3, t92->GetAfcCode2()); // the adapter's own codes: base 4 3 2 1 0
    EXPECT_TRUE(t92->HasFM());
    EXPECT_EQ(107800, t92->m_nFMHigh);
    EXPECT_EQ(0x88, t92->m_byFMControl);

    std::unique_ptr<CTunerModule> t13 = Adapter(13, NULL);
    EXPECT_EQ(0x86, t13->m_byI2CRead);

    // The type-97 adapter is the FQ1216ME MK5 model; its standards stay once each.
    std::unique_ptr<CTunerModule> t97 = Adapter(97, NULL);
    EXPECT_NE(std::string::npos, std::string(typeid(*t97).name()).find("CUsb2820Tuner"));
    EXPECT_EQ(0xC6, t97->m_byI2CWrite);
    EXPECT_EQ(9u, t97->m_vecStandards.size());
}

TEST(Usb2820Tuner, TheVideoDecoderIsLookedForAtTwoAddresses)
{
    CSimChipBus chips;
    CSimIfDemod decoder;
    CSimTunerBus bus(&chips);
    chips.AttachChip(0x4A, &decoder);
    std::unique_ptr<CTunerModule> alt = Adapter(4, &bus);
    EXPECT_EQ(0x4A, static_cast<CUsb2820AltTuner*>(alt.get())->m_byDecoderAddress);
    std::unique_ptr<CTunerModule> t97 = Adapter(97, &bus);
    EXPECT_EQ(0x4A, static_cast<CUsb2820Tuner*>(t97.get())->m_byDecoderAddress);
    chips.AttachChip(0x42, &decoder);
    std::unique_ptr<CTunerModule> again = Adapter(4, &bus);
    EXPECT_EQ(0x42, static_cast<CUsb2820AltTuner*>(again.get())->m_byDecoderAddress);
}

struct TuneRow
{
    int type;
    DWORD standard;
    int kHz;
    const char* bytes; // empty: refused
};

const TuneRow kTuneRows[] =
{
    // S72: 0xC0 whatever the adapter's write address, IF 38900, 0x8E, bands split at 147250 / 425250.
    { 72, 0, 49749, "" },
    { 72, 0, 147249, "C0 0B A2 8E 01" },
    { 72, 0, 147250, "C0 0B A2 8E 02" },
    { 72, 0, 425249, "C0 1D 02 8E 02" },
    { 72, 0, 425250, "C0 1D 02 8E 08" },
    { 75, 0, 147250, "C0 0B A2 8E 02" },
    { 75, 0, 855251, "" },
    // S69: 0xC6, 0xCE, bands split at 168250 / 471250.
    { 69, 0, 168249, "C6 0C F2 CE 01" },
    { 69, 0, 168250, "C6 0C F2 CE 02" },
    { 69, 0, 471249, "C6 1F E2 CE 02" },
    { 69, 0, 471250, "C6 1F E2 CE 08" },
    // Type 73: 0xC0 with the model's own control byte, split points and IF.
    { 73, 0, 127249, "C0 0A CF 8E 01" },
    { 73, 0, 127250, "C0 0A D0 8E 02" },
    { 73, 0, 801251, "" },
    // Types 92 and 93: six bytes from the adapter's write address.
    { 92, AnalogVideo_SECAM_L1, 159999, "C6 0C 1E CE 01 20" },
    { 92, AnalogVideo_SECAM_L1, 160000, "C6 0C 1E CE 02 20" },
    { 92, AnalogVideo_PAL_B, 160000, "C6 0C 6E CE 02 A0" },
    { 93, AnalogVideo_SECAM_L1, 160000, "C6 0C 6E CE 02 20" },
    { 93, AnalogVideo_PAL_B, 863251, "" },
    // Type 97 and types without sequences of their own: the base tuning.
    { 97, 0, 48250, "C6 05 72 CE 01" },
    { 97, 0, 48249, "" },
    { 4, 0, 170000, "C6 0D 0E CE 02" },
    { 4, 0, 863251, "" },
};

class Usb2820Tune : public ::testing::TestWithParam<TuneRow> {};

TEST_P(Usb2820Tune, WritesTheTypesSequence)
{
    const TuneRow& row = GetParam();
    CTunerTestBus bus;
    bus.QueueRead({ 0 }); // the decoder probe
    std::unique_ptr<CTunerModule> tuner = Adapter(row.type, &bus);
    bus.TakeCalls();
    if (row.standard != 0)
        tuner->m_nStandard = row.standard;
    BOOL ok = tuner->SetTVFrequency(static_cast<float>(row.kHz));
    if (row.bytes[0] == '\0')
    {
        EXPECT_FALSE(ok);
        EXPECT_TRUE(bus.Calls().empty());
        return;
    }
    EXPECT_TRUE(ok);
    EXPECT_EQ(Lines({ std::string("I2CWrite ") + row.bytes }), bus.Calls());
}

INSTANTIATE_TEST_SUITE_P(Table, Usb2820Tune, ::testing::ValuesIn(kTuneRows));

TEST(Usb2820Tuner, StandardsByType)
{
    struct { int type; DWORD standard; Lines lines; std::vector<DWORD> sleeps; } rows[] = {
        { 13, AnalogVideo_SECAM_L, { "WriteByte 86 0 46", "WriteByte 86 1 50", "WriteByte 86 2 4B" }, { 100 } },
        { 13, AnalogVideo_NTSC_M, { "WriteByte 86 0 56", "WriteByte 86 1 70", "WriteByte 86 2 09" }, { 100 } },
        { 72, AnalogVideo_PAL_D, { "I2CWrite 86 00 D6", "I2CWrite 86 01 70", "I2CWrite 86 02 4B" }, {} },
        { 75, AnalogVideo_SECAM_L1, { "WriteByte 86 0 86", "WriteByte 86 1 70", "WriteByte 86 2 47" }, {} },
        { 92, AnalogVideo_SECAM_K, { "WriteByte 86 0 16", "WriteByte 86 1 70", "WriteByte 86 2 4B" }, {} },
        { 93, AnalogVideo_PAL_M, { "WriteByte 86 0 16", "WriteByte 86 1 70", "WriteByte 86 2 49" }, {} },
        { 97, AnalogVideo_SECAM_L, { "WriteByte 86 0 06", "WriteByte 86 1 50", "WriteByte 86 2 4B" }, {} },
        { 69, AnalogVideo_PAL_B, {}, {} },
        { 73, AnalogVideo_PAL_B, {}, {} },
        { 4, AnalogVideo_PAL_B, {}, {} },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Adapter(row.type, &bus);
        bus.TakeCalls();
        EXPECT_TRUE(tuner->SetStandard(row.standard)) << row.type;
        EXPECT_EQ(row.lines, bus.Calls()) << row.type;
        EXPECT_EQ(row.sleeps, clock.Sleeps()) << row.type;
    }
    // Type 72 stops at the first failed write, also one reported as 1.
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> t72 = Adapter(72, &bus);
    bus.TakeCalls();
    bus.FailI2CWriteFrom(1, 1);
    EXPECT_FALSE(t72->SetStandard(AnalogVideo_PAL_B));
    EXPECT_EQ(1u, bus.Calls().size());
}

TEST(Usb2820Tuner, StatusFollowsTheVideoDecodersLock)
{
    struct { int type; BYTE read; BOOL result; DWORD code; const char* line; } rows[] = {
        { 69, 0x42, TRUE, 2, "I2CRead C6 len 1" },
        { 69, 0x02, FALSE, 9, "I2CRead C6 len 1" },
        { 72, 0x41, TRUE, 1, "I2CRead C0 len 1" },
        { 72, 0x01, FALSE, 9, "I2CRead C0 len 1" },
        { 73, 0x01, FALSE, 77, "I2CRead C0 len 1" },
        { 75, 0x08, TRUE, 2, "I2CRead 87 len 1" },
        { 92, 0x08, TRUE, 4, "I2CRead 87 len 1" },
        { 93, 0x10, TRUE, 2, "I2CRead 87 len 1" },
    };
    for (auto& row : rows)
    {
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Adapter(row.type, &bus);
        bus.TakeCalls();
        bus.QueueReadByte(0x00); // the decoder is locked
        bus.QueueRead({ row.read });
        DWORD code = 77;
        EXPECT_EQ(row.result, tuner->ReadTVStatus(&code)) << row.type;
        EXPECT_EQ(row.code, code) << row.type;
        ASSERT_EQ(2u, bus.Calls().size()) << row.type;
        EXPECT_EQ("ReadByte 42 31", bus.Calls()[0]);
        EXPECT_EQ(row.line, bus.Calls()[1]) << row.type;
    }
    // The type-97 model reads its demodulator at 0x86 without asking the decoder.
    {
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner = Adapter(97, &bus);
        bus.TakeCalls();
        bus.QueueRead({ 0x02 });
        DWORD code = 77;
        EXPECT_TRUE(tuner->ReadTVStatus(&code));
        EXPECT_EQ(3u, code);
        EXPECT_EQ(Lines({ "I2CRead 86 len 1" }), bus.Calls());
    }
    // Without the decoder's lock no status is read.
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> tuner = Adapter(92, &bus);
    bus.TakeCalls();
    bus.QueueReadByte(0x40);
    DWORD code = 77;
    EXPECT_FALSE(tuner->ReadTVStatus(&code));
    EXPECT_EQ(1u, bus.Calls().size());
    EXPECT_FALSE(tuner->IsTVLocked()); // a failed read
}

TEST(Usb2820Tuner, ThePhilipsRadioSequence)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> tuner = Adapter(92, &bus);
    bus.TakeCalls();
    EXPECT_TRUE(tuner->SetFMFrequency(98000.0f));
    EXPECT_EQ(Lines({ "I2CWrite C6 08 FF 8E 01", "I2CWrite C6 08 FF 8E 19", "I2CWrite 86 00 5A 90 20",
                      "I2CWrite C6 08 7E 88 19" }),
              bus.TakeCalls());
    EXPECT_FALSE(tuner->SetFMFrequency(107801.0f));
    EXPECT_TRUE(bus.Calls().empty());
    // Four writes so far: the third of the next tuning fails.
    bus.FailI2CWriteFrom(7, 1);
    EXPECT_FALSE(tuner->SetFMFrequency(98000.0f));
    EXPECT_EQ(3u, bus.Calls().size());
}

TEST(Usb2820Tuner, TunesThePllOnTheSimulatedBus)
{
    CSimChipBus chips;
    CSimPllTuner pll;
    CSimIfDemod decoder;
    chips.AttachChip(0xC0, &pll);
    chips.AttachChip(0x42, &decoder);
    CSimTunerBus bus(&chips);
    std::unique_ptr<CTunerModule> tuner = Adapter(72, &bus);
    ASSERT_TRUE(tuner->SetTVFrequency(147250.0f));
    EXPECT_LE(pll.GetTunedFrequency(), 147250.0);
    EXPECT_GT(pll.GetTunedFrequency(), 147250.0 - 62.5);
    EXPECT_EQ(0x02, pll.GetBand());
    EXPECT_EQ(0x8E, pll.GetControl());
}
}

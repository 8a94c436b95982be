#include "hardware/tuners/TunerFactory.h"
#include "hardware/tuners/Xc3028Tuner.h"
#include "hardware/tuners/Xceive2028Tuner.h"
#include "hardware/tuners/XceiveFirmware.h"
#include "hardware/tuners/XceiveScript.h"
#include "platform/sim/tunerchips/SimXceiveTuner.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/tunersupport/SimTunerBus.h"
#include "tests/hardware/tunersupport/TestCaptureDevice.h"
#include "tests/hardware/tunersupport/TunerTestBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <algorithm>
#include <numeric>
#include <stdio.h>
#include <strmif.h>

namespace
{
typedef std::vector<std::string> Lines;

std::string Tag(char kind, int number, bool addressByte = true)
{
    char line[48];
    sprintf(line, addressByte ? "I2CWrite C2 2A %02X %02X" : "I2CWrite 2A %02X %02X", kind, number);
    return line;
}

// The images named in the writes, in order ("B1", "S5", ...).
std::vector<std::string> ImagesSent(const Lines& calls)
{
    std::vector<std::string> images;
    for (const std::string& line : calls)
    {
        size_t at = line.find(" 2A 42 ");
        if (at == std::string::npos)
            at = line.find(" 2A 53 ");
        if (at == std::string::npos || line.size() != at + 9)
            continue;
        images.push_back(std::string(1, line[at + 5] == '2' ? 'B' : 'S') +
                         std::to_string(strtoul(line.substr(at + 7).c_str(), NULL, 16)));
    }
    return images;
}

std::vector<BYTE> Script(std::initializer_list<int> bytes)
{
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

std::vector<BYTE> Record(int length, BYTE first)
{
    std::vector<BYTE> r = { static_cast<BYTE>(length >> 8), static_cast<BYTE>(length & 0xFF), first };
    for (int i = 1; i < length; ++i)
        r.push_back(static_cast<BYTE>(i));
    return r;
}

BOOL RunScript(CTunerTestBus& bus, const std::vector<BYTE>& script, BOOL addressByte, DWORD pause, int* pResets = NULL)
{
    CXceiveScriptRunner runner(&bus, addressByte, pause, [&]() {
        if (pResets != NULL)
            ++*pResets;
        return TRUE;
    });
    XceiveScript s = { script.data(), static_cast<DWORD>(script.size()) };
    return runner.Run(s);
}

TEST(XceiveScript, ARecordGoesInChunksOf63BytesBehindItsFirstByte)
{
    struct { int length; std::vector<size_t> writes; } rows[] = {
        { 1, {} }, { 2, { 3 } }, { 64, { 65 } }, { 65, { 65, 3 } }, { 130, { 65, 65, 5 } },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        std::vector<BYTE> script = Record(row.length, 0x33);
        script.push_back(0xFF);
        script.push_back(0xFF);
        EXPECT_EQ(!row.writes.empty(), RunScript(bus, script, TRUE, 10) != FALSE) << row.length;
        ASSERT_EQ(row.writes.size(), bus.Calls().size()) << row.length;
        for (size_t i = 0; i < row.writes.size(); ++i)
        {
            // "I2CWrite " and three characters per byte, less the last space.
            EXPECT_EQ(9 + row.writes[i] * 3 - 1, bus.Calls()[i].size()) << row.length;
            EXPECT_EQ("I2CWrite C2 33", bus.Calls()[i].substr(0, 14));
        }
        EXPECT_EQ(std::vector<DWORD>(row.writes.size(), 10), clock.Sleeps());
    }
    // The third chunk of a 130-byte record carries the last three bytes.
    CFastBusClock clock;
    CTunerTestBus bus;
    std::vector<BYTE> script = Record(130, 0x33);
    script.insert(script.end(), { 0xFF, 0xFF });
    RunScript(bus, script, FALSE, 0);
    EXPECT_EQ("I2CWrite 33 7F 80 81", bus.Calls()[2]);
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(XceiveScript, WaitsResetsAndTheEnd)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    int resets = 0;
    EXPECT_FALSE(RunScript(bus, Script({ 0x80, 0x64, 0xFF, 0xFF }), TRUE, 10, &resets));
    EXPECT_TRUE(bus.Calls().empty());
    EXPECT_EQ(std::vector<DWORD>({ 100 }), clock.Sleeps());
    EXPECT_TRUE(RunScript(bus, Script({ 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x02, 0x10, 0x11 }), TRUE, 10, &resets));
    EXPECT_EQ(1, resets);
    EXPECT_TRUE(bus.Calls().empty());
    // A record running past the script's end is not sent.
    EXPECT_FALSE(RunScript(bus, Script({ 0x00, 0x05, 0x10, 0x11 }), TRUE, 10));
    EXPECT_TRUE(bus.Calls().empty());
    // A failed reset stops the script.
    CXceiveScriptRunner failing(&bus, TRUE, 10, []() { return FALSE; });
    std::vector<BYTE> s = { 0x00, 0x00, 0x00, 0x02, 0x10, 0x11, 0xFF, 0xFF };
    XceiveScript script = { s.data(), static_cast<DWORD>(s.size()) };
    EXPECT_FALSE(failing.Run(script));
    EXPECT_TRUE(bus.Calls().empty());
}

TEST(XceiveScript, AnyNonzeroWriteResultStopsTheScript)
{
    for (HRESULT hr : { E_FAIL, static_cast<HRESULT>(1) })
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        bus.FailI2CWriteFrom(2, hr);
        std::vector<BYTE> script = Record(3, 0x10);
        std::vector<BYTE> second = Record(3, 0x11);
        script.insert(script.end(), second.begin(), second.end());
        script.insert(script.end(), second.begin(), second.end());
        script.insert(script.end(), { 0xFF, 0xFF });
        EXPECT_FALSE(RunScript(bus, script, TRUE, 10));
        EXPECT_EQ(2u, bus.Calls().size());
    }
}

TEST(XceiveFirmware, TheImagesHaveTheirShape)
{
    for (int n = 1; n <= XCEIVE_STANDARD_IMAGES; ++n)
        EXPECT_EQ(n <= 4 ? 163u : 171u, XceiveStandardImage(n).dwLength) << n;
    // Each base image: a reset first, its tag record, the end word last.
    for (const XceiveScript* p : { &g_XceiveBaseMN, &g_XceiveBaseOther })
    {
        EXPECT_EQ(0x00, p->pData[0]);
        EXPECT_EQ(0x00, p->pData[1]);
        EXPECT_EQ(0x2A, p->pData[4]);
        EXPECT_EQ(0xFF, p->pData[p->dwLength - 1]);
        EXPECT_EQ(0xFF, p->pData[p->dwLength - 2]);
    }
}

struct XcCard
{
    explicit XcCard(int kind)
        : chip(&chips), bus(&chips), device(&bus, kind)
    {
        bus.OnResetLine([this](BOOL high) { chip.SetResetLine(high); });
    }

    CSimChipBus chips;
    CSimXceiveTuner chip;
    CSimTunerBus bus;
    CTestCaptureDevice device;
};

TEST(Xceive2028, ResetPulsesTheLine)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    CTuner_XCEIVE2028 tuner(&bus);
    EXPECT_TRUE(tuner.Reset());
    EXPECT_EQ(Lines({ "SetGpioLine 0", "SetGpioLine 1" }), bus.Calls());
    EXPECT_EQ(std::vector<DWORD>({ 200 }), clock.Sleeps());
    // A transport that reports failure as 1 fails the reset.
    bus.SetGpioLineResult(1);
    EXPECT_FALSE(tuner.Reset());
    EXPECT_FALSE(tuner.HoldReset());
    CTuner_XCEIVE2028 alone(NULL);
    EXPECT_FALSE(alone.Reset());
}

struct TuneRow
{
    int kind;
    float kHz;
    Lines lines;
    std::vector<DWORD> sleeps;
};

TEST(Xceive2028, TuningByCardKind)
{
    // 55250 kHz / 15.625 = 3536 (0x0DD0); 863250 kHz gives 55248 (0xD7D0),
    // one step above 55249, one below 55247.
    TuneRow rows[] = {
        { 0, 55250.0f, { "I2CWrite 00 02 00 00", "I2CWrite 00 00 0D D0" }, { 20, 10 } },
        { 1, 55250.0f, { "I2CWrite C2 00 02 00 00", "WriteGpio 00000001 00000000", "WriteGpio 00000000 00000000",
                         "I2CWrite C2 00 00 0D D0" }, { 10, 10, 20, 10 } },
        { 13, 863250.0f, { "I2CWrite C2 00 02 00 00", "I2CWrite C2 00 00 D7 D0" }, { 20, 10 } },
        { 13, 863265.625f, { "I2CWrite C2 00 02 00 00", "I2CWrite C2 00 00 D7 D1" }, { 20, 10 } },
        { 13, 863234.375f, { "I2CWrite C2 00 02 00 00", "I2CWrite C2 00 00 D7 CF" }, { 20, 10 } },
        { 13, 42750.0f, { "I2CWrite C2 00 02 00 00", "I2CWrite C2 00 00 0A B0" }, { 20, 10 } },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, row.kind);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        EXPECT_TRUE(tuner.SetTVFrequency(row.kHz));
        EXPECT_EQ(row.lines, bus.Calls()) << row.kind;
        EXPECT_EQ(row.sleeps, clock.Sleeps()) << row.kind;
    }
    // A failed first write (also a positive code) sends no divider.
    CTunerTestBus bus;
    bus.FailI2CWriteFrom(1, 1);
    CTestCaptureDevice device(&bus, 1);
    CTuner_XCEIVE2028 tuner(&bus);
    tuner.m_pOwner = &device;
    EXPECT_FALSE(tuner.SetTVFrequency(55250.0f));
    EXPECT_EQ(1u, bus.Calls().size());
}

TEST(Xceive2028, StatusByCardKind)
{
    CFastBusClock clock;
    {
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, 12);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        bus.QueueRegisterByte(0xFE);
        bus.QueueRegisterByte(0x01);
        DWORD code = 7;
        EXPECT_TRUE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(1u, code);
        EXPECT_TRUE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(0u, code);
        EXPECT_FALSE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(Lines(3, "ReadRegisterByte 3A"), bus.Calls());
    }
    {
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, 1);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        bus.QueueRead({ 0xC2, 0x01, 0x00, 0x00 });
        DWORD code = 7;
        EXPECT_TRUE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(1u, code);
        EXPECT_EQ(Lines({ "I2CWrite C2 00 02", "I2CRead C2 len 4" }), bus.Calls());
        EXPECT_EQ(std::vector<DWORD>({ 50 }), clock.Sleeps());
    }
    {
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, 0);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        bus.QueueRead({ 0x00, 0x01 });
        bus.QueueRead({ 0x00, 0x00 });
        DWORD code = 7;
        EXPECT_TRUE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(1u, code);
        EXPECT_FALSE(tuner.ReadTVStatus(&code));
        EXPECT_EQ(0u, code);
        EXPECT_FALSE(tuner.ReadTVStatus(&code)); // the read fails
        EXPECT_EQ(2u, code);
        EXPECT_EQ("I2CWrite 00 02", bus.Calls()[0]);
    }
}

struct StandardRow
{
    int kind;
    DWORD standard;
    BOOL result;
    std::vector<std::string> images;
    int resets;
};

TEST(Xceive2028, StandardSwitchLoadsTheImagePair)
{
    StandardRow rows[] = {
        { 1, AnalogVideo_PAL_60, TRUE, { "B1", "S5" }, 1 },
        { 1, AnalogVideo_PAL_G, TRUE, { "B2", "S6" }, 1 },
        { 1, AnalogVideo_SECAM_K1, TRUE, { "B2", "S7" }, 1 },
        { 1, AnalogVideo_PAL_I, TRUE, { "B2", "S8" }, 1 },
        { 1, AnalogVideo_SECAM_L1, TRUE, { "B2", "S9" }, 1 },
        { 1, 0x100000, FALSE, {}, 1 },
        { 0, AnalogVideo_NTSC_M, TRUE, { "B1", "S2" }, 1 },
        { 13, AnalogVideo_SECAM_G, TRUE, { "B2", "S1" }, 1 },
        { 13, AnalogVideo_SECAM_H, TRUE, { "B2", "S3" }, 1 },
        { 13, AnalogVideo_SECAM_L, TRUE, { "B2", "S4" }, 1 },
        { 13, 0x100000, TRUE, {}, 0 },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, row.kind);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        EXPECT_EQ(row.result, tuner.SetStandard(row.standard)) << row.kind << " " << row.standard;
        EXPECT_EQ(row.images, ImagesSent(bus.Calls())) << row.kind << " " << row.standard;
        // The reset before the pair, and the one each base image asks for.
        int resets = static_cast<int>(bus.CallsStarting("SetGpioLine 1").size());
        EXPECT_EQ(row.resets + (row.images.empty() ? 0 : 1), resets) << row.kind << " " << row.standard;
    }
}

TEST(Xceive2028, OnTheSimulatedCard)
{
    CFastBusClock clock;
    XcCard card(1);
    card.chip.SetStations({ 543250.0 });
    std::unique_ptr<CTunerModule> tuner(card.device.CreateTunerModule(91));
    ASSERT_TRUE(tuner != NULL);
    CTuner_XCEIVE2028* xc = static_cast<CTuner_XCEIVE2028*>(tuner.get());

    EXPECT_TRUE(xc->LoadInitTables());
    EXPECT_EQ(1, card.chip.LoadedBase());
    EXPECT_EQ(1, card.chip.LoadedStandard());

    EXPECT_TRUE(tuner->SetStandard(AnalogVideo_PAL_D));
    EXPECT_EQ(2, card.chip.LoadedBase());
    EXPECT_EQ(7, card.chip.LoadedStandard());
    EXPECT_EQ(0, card.chip.StructureErrors());
    EXPECT_TRUE(tuner->SetTVFrequency(543250.0f));
    EXPECT_TRUE(card.chip.IsOnStation());
    EXPECT_TRUE(tuner->IsTVLocked());
    EXPECT_TRUE(tuner->SetTVFrequency(551250.0f));
    EXPECT_FALSE(tuner->IsTVLocked());

    // Held in reset the chip is off the bus.
    EXPECT_TRUE(xc->HoldReset());
    EXPECT_TRUE(card.chip.IsInReset());
    EXPECT_FALSE(tuner->SetTVFrequency(543250.0f));
    // Nothing here waited for real: a standard change is some hundreds of
    // writes with their pauses.
    std::vector<DWORD> sleeps = clock.Sleeps();
    EXPECT_GT(std::accumulate(sleeps.begin(), sleeps.end(), 0u), 1000u);
}

TEST(Xc3028, TuningWritesOfBothModels)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    CXc3028Tuner af(&bus);
    EXPECT_TRUE(af.SetTVFrequency(863250.0f));
    EXPECT_EQ(Lines({ "I2CWrite C2 00 02 00 00", "WriteGpio 00000001 00000000", "WriteGpio 00000000 00000000",
                      "I2CWrite C2 00 00 D7 D0" }),
              bus.TakeCalls());
    EXPECT_EQ(std::vector<DWORD>({ 10, 10, 20, 10 }), clock.Sleeps());

    CFastBusClock clock2;
    CXc3028SifTuner sif(&bus);
    EXPECT_TRUE(sif.SetTVFrequency(863250.0f));
    EXPECT_EQ(Lines({ "I2CWrite C2 00 02 00 00 00", "Reserved18 1", "Reserved18 0", "I2CWrite C2 00 00 D7 D0 00" }),
              bus.TakeCalls());
    EXPECT_EQ(std::vector<DWORD>({ 10, 200, 10, 10 }), clock2.Sleeps());

    bus.FailI2CWriteFrom(1, 1);
    EXPECT_FALSE(af.SetTVFrequency(863250.0f));
    EXPECT_FALSE(sif.SetTVFrequency(863250.0f));
    EXPECT_EQ(2u, bus.Calls().size());
}

TEST(Xc3028, StandardSwitchOfBothModels)
{
    struct { int type; DWORD standard; BOOL result; std::vector<std::string> images; int resets; DWORD pause; } rows[] = {
        { 136, AnalogVideo_PAL_H, TRUE, { "B1", "S5" }, 1, 10 },
        { 136, AnalogVideo_PAL_B, TRUE, { "B2", "S6" }, 1, 10 },
        { 136, AnalogVideo_SECAM_D, TRUE, { "B2", "S7" }, 1, 10 },
        { 136, AnalogVideo_PAL_I, TRUE, { "B2", "S8" }, 1, 10 },
        { 136, AnalogVideo_SECAM_B, TRUE, { "B2", "S9" }, 1, 10 },
        { 136, 0, FALSE, {}, 1, 0 },
        { 137, AnalogVideo_PAL_H, TRUE, { "B1", "S2" }, 1, 20 },
        { 137, AnalogVideo_PAL_I, TRUE, { "B2", "S1" }, 1, 20 },
        { 137, AnalogVideo_SECAM_K1, TRUE, { "B2", "S3" }, 1, 20 },
        { 137, AnalogVideo_SECAM_L1, TRUE, { "B2", "S4" }, 1, 20 },
        { 137, 0, TRUE, {}, 0, 0 },
    };
    for (auto& row : rows)
    {
        CFastBusClock clock;
        CTunerTestBus bus;
        std::unique_ptr<CTunerModule> tuner(CTunerFactory::Create(row.type, &bus, NULL));
        EXPECT_EQ(row.result, tuner->SetStandard(row.standard)) << row.type << " " << row.standard;
        EXPECT_EQ(row.images, ImagesSent(bus.Calls())) << row.type << " " << row.standard;
        int resets = static_cast<int>(bus.CallsStarting("SetGpioLine 1").size());
        EXPECT_EQ(row.resets + (row.images.empty() ? 0 : 1), resets);
        std::vector<DWORD> sleeps = clock.Sleeps();
        // Type 136 holds the line low for 200 ms; type 137 for 20 ms, as long as its pauses.
        size_t longLows = static_cast<size_t>(std::count(sleeps.begin(), sleeps.end(), 200u));
        EXPECT_EQ(row.type == 136 ? static_cast<size_t>(resets) : 0u, longLows);
        if (row.pause != 0)
            EXPECT_GT(std::count(sleeps.begin(), sleeps.end(), row.pause), 20);
    }
}

TEST(Xc3028, AFailedBaseScriptStillSendsTheStandardScript)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    bus.FailI2CWriteFrom(1, 1);
    CXc3028Tuner af(&bus);
    EXPECT_FALSE(af.SetStandard(AnalogVideo_PAL_B));
    EXPECT_EQ(std::vector<std::string>({ "B2", "S6" }), ImagesSent(bus.Calls()));
}

TEST(Xc3028, StatusOfBothModels)
{
    CFastBusClock clock;
    CTunerTestBus bus;
    CXc3028Tuner af(&bus);
    bus.QueueRegisterByte(0x02);
    bus.QueueRegisterByte(0x03);
    DWORD code = 7;
    EXPECT_TRUE(af.ReadTVStatus(&code));
    EXPECT_EQ(1u, code);
    EXPECT_TRUE(af.ReadTVStatus(&code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(af.ReadTVStatus(&code));
    EXPECT_EQ(0u, code);
    bus.QueueRegisterByte(0x00);
    DWORD present = 0;
    EXPECT_TRUE(af.IsSignalPresent(&present));
    EXPECT_EQ(1u, present);
    bus.QueueRegisterByte(0x00);
    EXPECT_TRUE(af.IsTVLocked());

    bus.TakeCalls();
    CXc3028SifTuner sif(&bus);
    bus.QueueRead({ 0xC2, 0x01, 0x00, 0x00 });
    EXPECT_TRUE(sif.ReadTVStatus(&code));
    EXPECT_EQ(1u, code);
    EXPECT_EQ(Lines({ "I2CWrite C2 00 02", "I2CRead C2 len 4" }), bus.Calls());
    bus.FailI2CWriteFrom(1, 1);
    EXPECT_FALSE(sif.ReadTVStatus(&code));
    EXPECT_EQ(0u, code);
}

TEST(Xc3028, OnTheSimulatedCard)
{
    CFastBusClock clock;
    for (int type : { 136, 137, 90 })
    {
        XcCard card(1);
        card.chip.SetStations({ 687250.0 });
        std::unique_ptr<CTunerModule> tuner(card.device.CreateTunerModule(type));
        ASSERT_TRUE(tuner != NULL);
        EXPECT_EQ(0, card.device.DetectCount()) << type;
        EXPECT_TRUE(tuner->SetStandard(AnalogVideo_SECAM_L)) << type;
        EXPECT_TRUE(card.chip.IsFirmwareLoaded()) << type;
        EXPECT_EQ(0, card.chip.StructureErrors()) << type;
        EXPECT_EQ(type == 137 ? 4 : 9, card.chip.LoadedStandard()) << type;
        EXPECT_TRUE(tuner->SetTVFrequency(687250.0f)) << type;
        EXPECT_TRUE(card.chip.IsOnStation()) << type;
        // The capture chip's register 0x3A reports the lock in bit 0 (clear).
        card.chips.WriteRegister(0x38, card.chip.IsOnStation() ? 0 : 0x10000);
        EXPECT_TRUE(tuner->IsTVLocked()) << type;
    }
}

TEST(Xceive2028, SignalByCardKind)
{
    CFastBusClock clock;
    for (int kind : { 0, 13 })
    {
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, kind);
        device.SetSignal([](DWORD* p) { *p = 1; return S_OK; });
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        DWORD present = 0;
        EXPECT_TRUE(tuner.IsSignalPresent(&present)) << kind;
        EXPECT_EQ(1u, present);
        EXPECT_TRUE(bus.Calls().empty()) << kind;
    }
    for (int kind : { 1, 12, 14 })
    {
        CTunerTestBus bus;
        CTestCaptureDevice device(&bus, kind);
        CTuner_XCEIVE2028 tuner(&bus);
        tuner.m_pOwner = &device;
        bus.QueueRegisterByte(0x00);
        bus.QueueRegisterByte(0x01);
        DWORD present = 7;
        EXPECT_TRUE(tuner.IsSignalPresent(&present)) << kind;
        EXPECT_EQ(1u, present);
        EXPECT_TRUE(tuner.IsSignalPresent(&present)) << kind;
        EXPECT_EQ(0u, present);
        EXPECT_FALSE(tuner.IsSignalPresent(&present)) << kind;
        EXPECT_EQ(Lines(3, "ReadRegisterByte 3A"), bus.Calls());
    }
}
}

#include "hardware/devices/CaptureDevice.h"
#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/TunerScanList.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "tests/hardware/support/ChipBusRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <strmif.h>

namespace
{
struct TuningRow
{
    float frequency;
    const char* bytes; // empty: refused, nothing sent
};

// The base tuner's band edges with its defaults (IF 38900, limits 48250 to
// 863250, bands change at 170000 and 450000).
const TuningRow kBaseTVRows[] =
{
    { 48249.9f, "" },
    { 48250.0f, "C0 05 72 CE 01" },
    { 169999.0f, "C0 0D 0E CE 01" },
    { 170000.0f, "C0 0D 0E CE 02" },
    { 449999.0f, "C0 1E 8E CE 02" },
    { 450000.0f, "C0 1E 8E CE 08" },
    { 863250.0f, "C0 38 62 CE 08" },
    { 863250.2f, "" },
};

class BaseTuning : public ::testing::TestWithParam<TuningRow> {};

TEST_P(BaseTuning, WritesDividerControlAndBandOrRefuses)
{
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    const TuningRow& row = GetParam();
    BOOL ok = tuner.SetTVFrequency(row.frequency);
    if (row.bytes[0] == '\0')
    {
        EXPECT_FALSE(ok);
        EXPECT_TRUE(bus.Calls().empty());
    }
    else
    {
        EXPECT_TRUE(ok);
        ASSERT_EQ(1u, bus.Calls().size());
        EXPECT_EQ(std::string("I2CWrite ") + row.bytes, bus.Calls()[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(BandEdges, BaseTuning, ::testing::ValuesIn(kBaseTVRows));

TEST(TunerModule, DefaultsAreTheClassicThreeBandTuner)
{
    CTunerModule tuner(NULL);
    EXPECT_EQ(48250, tuner.m_nTVLow);
    EXPECT_EQ(863250, tuner.m_nTVHigh);
    EXPECT_EQ(38900, tuner.m_nIF);
    EXPECT_EQ(0xC0, tuner.m_byI2CRead);
    EXPECT_EQ(0xC0, tuner.m_byI2CWrite);
    EXPECT_EQ(static_cast<DWORD>(AnalogVideo_PAL_B), tuner.m_nStandard);
    EXPECT_EQ('N', tuner.m_cTunerLetter);
    EXPECT_EQ(TUNER_SCAN_LIST_COUNT, tuner.m_nScanListCount);
    EXPECT_EQ(g_TunerScanList, tuner.m_pScanList);
    EXPECT_FLOAT_EQ(49.75f, g_TunerScanList[0]);
    EXPECT_FLOAT_EQ(464.25f, g_TunerScanList[49]);
    EXPECT_FLOAT_EQ(471.25f, g_TunerScanList[50]);
    EXPECT_FLOAT_EQ(559.25f, g_TunerScanList[61]);
    EXPECT_FLOAT_EQ(607.25f, g_TunerScanList[62]);
    EXPECT_FLOAT_EQ(863.25f, g_TunerScanList[94]);
    EXPECT_EQ(4, tuner.GetAfcCode1());
    EXPECT_EQ(0, tuner.GetAfcCode5());
    EXPECT_TRUE(tuner.SetStandard(AnalogVideo_PAL_D));
}

TEST(TunerModule, TuningFailsWhenTheBusRefusesTheWrite)
{
    CRecordingRegisterAccess bus;
    bus.SetWriteResult(E_FAIL);
    CTunerModule tuner(&bus);
    EXPECT_FALSE(tuner.SetTVFrequency(471250.0f));
    EXPECT_FALSE(tuner.SetFMFrequency(98000.0f));
    bus.SetWriteResult(S_FALSE);
    EXPECT_FALSE(tuner.SetTVFrequency(471250.0f));
}

TEST(TunerModule, FMClampsIntoItsRangeAndUsesTheFMBytes)
{
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    tuner.m_nFMLow = 87500;
    tuner.m_nFMHigh = 108000;
    tuner.m_nFMIF = 10700;
    tuner.m_byFMControl = 0x8A;
    tuner.m_byFMBand = 0xA5;
    EXPECT_TRUE(tuner.SetFMFrequency(87500.0f));  // 3142 = 0x0C46
    EXPECT_TRUE(tuner.SetFMFrequency(87499.0f));  // below: the low end
    EXPECT_TRUE(tuner.SetFMFrequency(108000.0f)); // 3798 = 0x0ED6
    EXPECT_TRUE(tuner.SetFMFrequency(120000.0f)); // above: the high end
    std::vector<std::string> expected = {
        "I2CWrite C0 0C 46 8A A5", "I2CWrite C0 0C 46 8A A5",
        "I2CWrite C0 0E D6 8A A5", "I2CWrite C0 0E D6 8A A5" };
    EXPECT_EQ(expected, bus.Calls());
}

TEST(TunerModule, FMOnAModelWithoutFMTunesOnlyItsIF)
{
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    EXPECT_TRUE(tuner.SetFMFrequency(98000.0f));
    ASSERT_EQ(1u, bus.Calls().size());
    EXPECT_EQ("I2CWrite C0 00 00 CE 01", bus.Calls()[0]);
}

struct StatusRow
{
    BYTE status;
    HRESULT hrRead;
    BOOL ok;
    DWORD code;
};

const StatusRow kStatusRows[] =
{
    { 0x42, S_OK, TRUE, 2 },
    { 0x40, S_OK, TRUE, 0 },
    { 0x47, S_OK, TRUE, 7 },
    { 0xFA, S_OK, TRUE, 2 },
    { 0x02, S_OK, FALSE, 99 },  // no lock flag: not a reading
    { 0xBF, S_OK, FALSE, 99 },
    { 0x42, E_FAIL, FALSE, 99 },
    { 0x42, S_FALSE, FALSE, 99 }, // anything but S_OK from the bus is a failure
};

class StatusReading : public ::testing::TestWithParam<StatusRow> {};

TEST_P(StatusReading, DecodesTheStatusByte)
{
    const StatusRow& row = GetParam();
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    tuner.m_byI2CRead = 0xC2;
    bus.QueueRead({ row.status }, row.hrRead);
    bus.QueueRead({ row.status }, row.hrRead);
    DWORD code = 99;
    EXPECT_EQ(row.ok, tuner.ReadTVStatus(&code));
    EXPECT_EQ(row.code, code);
    code = 99;
    EXPECT_EQ(row.ok, tuner.ReadFMStatus(&code));
    EXPECT_EQ(row.code, code);
    ASSERT_EQ(2u, bus.Calls().size());
    EXPECT_EQ("I2CRead C2 len 1", bus.Calls()[0]);
}

INSTANTIATE_TEST_SUITE_P(Bytes, StatusReading, ::testing::ValuesIn(kStatusRows));

TEST(TunerModule, LockTestsCompareWithTheirCodes)
{
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    bus.QueueRead({ 0x42 });
    EXPECT_TRUE(tuner.IsTVLocked());
    bus.QueueRead({ 0x41 });
    EXPECT_FALSE(tuner.IsTVLocked());
    bus.QueueRead({ 0x44 });
    EXPECT_TRUE(tuner.IsFMLocked());
    bus.QueueRead({ 0x42 });
    EXPECT_FALSE(tuner.IsFMLocked());
    bus.QueueRead({ 0x04 });
    EXPECT_FALSE(tuner.IsFMLocked());
}

TEST(TunerModule, TunesAndReadsLockThroughTheSimulatedChip)
{
    CSimChipBus chips;
    CSimPllTuner pll;
    SimStation stations[] = { { 471250, FALSE }, { 98000, TRUE } };
    pll.SetStations(stations, 2);
    chips.AttachChip(0xC0, &pll);
    CChipBusRegisterAccess bus(&chips);
    CTunerModule tuner(&bus);

    ASSERT_TRUE(tuner.SetTVFrequency(471250.0f));
    EXPECT_FALSE(pll.IsFMMode());
    EXPECT_NEAR(471250.0, pll.GetTunedFrequency(), 31.25);
    EXPECT_TRUE(tuner.IsTVLocked());
    DWORD code = 99;
    ASSERT_TRUE(tuner.SetTVFrequency(471400.0f));
    EXPECT_TRUE(tuner.ReadTVStatus(&code));
    EXPECT_EQ(static_cast<DWORD>(tuner.GetAfcCode4()), code);
    EXPECT_FALSE(tuner.IsTVLocked());

    SimBusEvent event;
    ASSERT_TRUE(chips.GetEvent(0, &event));
    EXPECT_EQ(SIM_I2C_WRITE, event.kind);
    EXPECT_EQ(0xC0, event.address);
    ASSERT_EQ(4, event.count);
    EXPECT_EQ("1F E2 CE 08", HexBytes(event.data, 4));

    tuner.m_nFMLow = 87500;
    tuner.m_nFMHigh = 108000;
    tuner.m_nFMIF = 10700;
    tuner.m_byFMControl = 0x8A;
    tuner.m_byFMBand = 0xA5;
    ASSERT_TRUE(tuner.SetFMFrequency(98000.0f));
    EXPECT_TRUE(pll.IsFMMode());
    EXPECT_TRUE(tuner.IsFMLocked());
    ASSERT_TRUE(tuner.SetFMFrequency(98500.0f));
    EXPECT_FALSE(tuner.IsFMLocked());
}

TEST(TunerModule, ScanSettersRefuseOutOfRangeValues)
{
    CTunerModule tuner(NULL);
    EXPECT_FALSE(tuner.SetTVScanJumps(1000, 1000));
    EXPECT_FALSE(tuner.SetTVScanJumps(2000, 0));
    EXPECT_TRUE(tuner.SetTVScanJumps(1001, 1000));
    EXPECT_EQ(1001, tuner.m_nTVScanHitJump);
    EXPECT_FALSE(tuner.SetTVScanRange(500, 500));
    EXPECT_FALSE(tuner.SetTVScanRange(0, 500));
    EXPECT_TRUE(tuner.SetTVScanRange(500, 501));
    EXPECT_FALSE(tuner.SetFMScanStep(0));
    EXPECT_TRUE(tuner.SetFMScanStep(1));
    EXPECT_FALSE(tuner.SetFMScanHitStep(0));
    EXPECT_FALSE(tuner.SetFMScanRange(87500, 87500)); // no FM section
    tuner.m_bHasFM = TRUE;
    EXPECT_TRUE(tuner.SetFMScanRange(87500, 87500));
    EXPECT_FALSE(tuner.SetFMScanRange(87500, 87499));
    EXPECT_FALSE(tuner.SetFMScanRange(0, 87499));
    tuner.SetTVScanDwell(0);
    EXPECT_EQ(60, tuner.m_nTVScanDwell);
    tuner.SetTVScanDwell(5);
    EXPECT_EQ(5, tuner.m_nTVScanDwell);
    tuner.SetTVScanStartStep(-3);
    EXPECT_EQ(-3, tuner.m_nTVScanStartStep);

    float list[] = { 1.0f };
    EXPECT_FALSE(tuner.SetScanList(NULL, 4));
    EXPECT_EQ(g_TunerScanList, tuner.m_pScanList);
    EXPECT_TRUE(tuner.SetScanList(list, 1));
    EXPECT_EQ(list, tuner.m_pScanList);

    int high = 0, low = 0;
    tuner.GetTVFrequencyRange(&high, &low);
    EXPECT_EQ(863250, high);
    EXPECT_EQ(48250, low);
    tuner.GetFMFrequencyRange(&high, &low);
    EXPECT_EQ(87500, high);
    EXPECT_EQ(87500, low);
}

TEST(TunerModule, FMScanIsRefusedWithoutAnFMSection)
{
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    EXPECT_FALSE(tuner.StartScan(FALSE, FALSE));
    EXPECT_EQ(NULL, tuner.GetFMScanWorker());
    EXPECT_FALSE(tuner.IsScanning());
}

// A card whose video decoder reports the lock flags of a script.
class CScriptedDevice : public CCaptureDevice
{
public:
    CScriptedDevice() : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL)) {}
    HRESULT IsSignalLocked(DWORD* pLocked) override
    {
        ++calls;
        if (answers.empty())
            return E_FAIL;
        std::pair<HRESULT, DWORD> answer = answers.front();
        answers.erase(answers.begin());
        if (SUCCEEDED(answer.first))
            *pLocked = answer.second;
        return answer.first;
    }
    std::vector<std::pair<HRESULT, DWORD> > answers;
    int calls = 0;
};

TEST(TunerModule, SignalPresenceAsksTheOwnerTwiceWhenUnlocked)
{
    CFastBusClock clock;
    CTunerModule tuner(NULL);
    DWORD present = 7;
    EXPECT_FALSE(tuner.IsSignalPresent(&present));

    CScriptedDevice device;
    tuner.m_pOwner = &device;
    device.answers = { { S_OK, 1 } };
    EXPECT_TRUE(tuner.IsSignalPresent(&present));
    EXPECT_EQ(1u, present);
    EXPECT_EQ(std::vector<DWORD>({ 20 }), clock.Sleeps());

    device.answers = { { S_OK, 0 }, { S_OK, 1 } };
    EXPECT_TRUE(tuner.IsSignalPresent(&present));
    EXPECT_EQ(1u, present);
    EXPECT_EQ(std::vector<DWORD>({ 20, 20, 10 }), clock.Sleeps());

    device.answers = { { S_OK, 0 }, { E_FAIL, 1 } };
    EXPECT_FALSE(tuner.IsSignalPresent(&present));
    EXPECT_EQ(0u, present);
    EXPECT_EQ(5, device.calls);
    tuner.m_pOwner = NULL;
}
}

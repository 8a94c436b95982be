#include "hardware/tuners/TunerFactory.h"
#include "platform/sim/chipbus/SimEeprom.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "platform/sim/tunerchips/SimHybridDemod.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/tunerfactory/ExpectedTunerTypes.h"
#include "tests/hardware/tunersupport/SimTunerBus.h"
#include "tests/hardware/tunersupport/TestCaptureDevice.h"
#include "tests/hardware/tunersupport/TunerTestBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string.h>
#include <typeinfo>

namespace
{
const TunerTypeEntry* FindEntry(int type)
{
    for (int i = 0; i < g_nTunerTypeTableCount; ++i)
    {
        if (g_TunerTypeTable[i].nTypeId == type)
            return &g_TunerTypeTable[i];
    }
    return NULL;
}

class FactoryRow : public ::testing::TestWithParam<ExpectedTuner> {};

TEST_P(FactoryRow, MakesTheModelWithItsSettings)
{
    const ExpectedTuner& row = GetParam();
    CFastBusClock clock;
    CTunerTestBus bus;
    std::unique_ptr<CTunerModule> tuner(CTunerFactory::Create(row.type, &bus, NULL));
    ASSERT_TRUE(tuner != NULL);

    ASSERT_TRUE(FindEntry(row.type) != NULL);
    if (row.name == NULL)
        EXPECT_EQ(NULL, CTunerFactory::GetModelName(row.type));
    else
        EXPECT_STREQ(row.name, CTunerFactory::GetModelName(row.type));
    std::string typeName = typeid(*tuner).name();
    // The mangled name ends with the class name.
    ASSERT_GE(typeName.size(), strlen(row.className));
    EXPECT_EQ(row.className, typeName.substr(typeName.size() - strlen(row.className)));

    EXPECT_EQ(row.type, tuner->m_nTypeId);
    EXPECT_EQ(row.modelId, tuner->m_nModelId);
    EXPECT_EQ(row.letter, tuner->m_cTunerLetter);
    EXPECT_EQ(row.i2cRead, tuner->m_byI2CRead);
    EXPECT_EQ(row.i2cWrite, tuner->m_byI2CWrite);
    EXPECT_EQ(row.tvLow, tuner->m_nTVLow);
    EXPECT_EQ(row.tvHigh, tuner->m_nTVHigh);
    EXPECT_EQ(row.lowBandEnd, tuner->m_nLowBandEnd);
    EXPECT_EQ(row.midBandStart, tuner->m_nMidBandStart);
    EXPECT_EQ(row.midBandEnd, tuner->m_nMidBandEnd);
    EXPECT_EQ(row.highBandStart, tuner->m_nHighBandStart);
    EXPECT_EQ(row.bands[0], tuner->m_byBandLow);
    EXPECT_EQ(row.bands[1], tuner->m_byBandMid);
    EXPECT_EQ(row.bands[2], tuner->m_byBandHigh);
    EXPECT_EQ(row.control, tuner->m_byControl);
    EXPECT_EQ(row.statusMask, tuner->m_byStatusMask);
    EXPECT_EQ(row.nIF, tuner->m_nIF);
    EXPECT_EQ(row.fm.has, tuner->HasFM());
    EXPECT_EQ(row.fm.low, tuner->m_nFMLow);
    EXPECT_EQ(row.fm.high, tuner->m_nFMHigh);
    EXPECT_EQ(row.fm.nIF, tuner->m_nFMIF);
    EXPECT_EQ(row.fm.control, tuner->m_byFMControl);
    EXPECT_EQ(row.fm.band, tuner->m_byFMBand);
    EXPECT_EQ(row.afc[0], tuner->GetAfcCode1());
    EXPECT_EQ(row.afc[1], tuner->GetAfcCode2());
    EXPECT_EQ(row.afc[2], tuner->GetAfcCode3());
    EXPECT_EQ(row.afc[3], tuner->GetAfcCode4());
    EXPECT_EQ(row.afc[4], tuner->GetAfcCode5());
    EXPECT_EQ(row.fmLock, tuner->m_nFMLockCode);
    EXPECT_EQ(row.reapply, tuner->m_bReapplyStandard);
    std::vector<DWORD> standards;
    for (int i = 0; i < 18 && row.standards[i] != 0; ++i)
        standards.push_back(row.standards[i]);
    EXPECT_EQ(standards, tuner->m_vecStandards);
    // Scan settings stay at the base's values.
    EXPECT_EQ(625, tuner->m_nTVScanStartStep);
    EXPECT_EQ(125, tuner->m_nTVScanFineStep);
    EXPECT_EQ(3500, tuner->m_nTVScanHitJump);
    EXPECT_EQ(60, tuner->m_nTVScanDwell);
    EXPECT_EQ(NULL, tuner->m_pOwner);
}

INSTANTIATE_TEST_SUITE_P(Table, FactoryRow, ::testing::ValuesIn(kExpectedTuners));

TEST(TunerFactory, TheTableHoldsEveryTypeOnce)
{
    const int expectedCount = sizeof(kExpectedTuners) / sizeof(kExpectedTuners[0]) + 1;
    EXPECT_EQ(65, expectedCount);
    EXPECT_EQ(65, g_nTunerTypeTableCount);
    EXPECT_EQ(65, CTunerFactory::GetTypeCount());
    for (const ExpectedTuner& row : kExpectedTuners)
        EXPECT_TRUE(CTunerFactory::FindCreator(row.type) != NULL) << row.type;
    const TunerTypeEntry* pUnknown = FindEntry(0);
    ASSERT_TRUE(pUnknown != NULL);
    EXPECT_STREQ("MODEL_UNKNOWN", CTunerFactory::GetModelName(0));
    // A model name without a model, and a model without a name.
    EXPECT_STREQ("TDVBC", CTunerFactory::GetModelName(135));
    EXPECT_EQ(NULL, CTunerFactory::FindCreator(135));
    EXPECT_EQ(NULL, CTunerFactory::GetModelName(131));
    EXPECT_TRUE(CTunerFactory::FindCreator(131) != NULL);
    EXPECT_EQ(NULL, pUnknown->pfnCreate);
}

TEST(TunerFactory, IdsWithoutAModelMakeNothingAndTouchNoBus)
{
    const int ids[] = { 0, 6, 16, 18, 31, 36, 49, 51, 76, 89, 99, 101, 109, 112, 129, 135, 139, 140, 1000, -1 };
    CTunerTestBus bus;
    CTestCaptureDevice device(&bus);
    for (int id : ids)
    {
        EXPECT_EQ(NULL, CTunerFactory::FindCreator(id)) << id;
        EXPECT_EQ(NULL, device.CreateTunerModule(id)) << id;
    }
    EXPECT_TRUE(bus.Calls().empty());
    EXPECT_EQ(0, device.DetectCount());
}

TEST(TunerFactory, TheDeviceMakesTheModelAndOwnsIt)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimPllTuner pll;
    CSimEeprom eeprom;
    chips.AttachChip(0xC0, &pll);
    chips.AttachChip(0xA0, &eeprom);
    CSimTunerBus bus(&chips);
    CTestCaptureDevice device(&bus);

    std::unique_ptr<CTunerModule> first(device.CreateTunerModule(100));
    ASSERT_TRUE(first != NULL);
    EXPECT_NE(std::string::npos, std::string(typeid(*first).name()).find("CTuner_PANOSONIC_ENGE4326D"));
    EXPECT_EQ(&device, first->m_pOwner);
    // The chip answered at the model's own address: no search.
    EXPECT_EQ(0, device.DetectCount());
    EXPECT_EQ(0xC1, first->m_byI2CRead);
    EXPECT_EQ(0xC0, first->m_byI2CWrite);

    std::unique_ptr<CTunerModule> second(device.CreateTunerModule(100));
    ASSERT_TRUE(second != NULL);
    EXPECT_NE(first.get(), second.get());
    first->m_nStandard = AnalogVideo_NTSC_M;
    EXPECT_EQ(static_cast<DWORD>(AnalogVideo_PAL_B), second->m_nStandard);
}

TEST(TunerFactory, ATunerElsewhereOnTheBusIsSearchedForOnce)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimPllTuner pll;
    CSimEeprom eeprom;
    chips.AttachChip(0xC2, &pll);
    chips.AttachChip(0xA0, &eeprom);
    CSimTunerBus bus(&chips);
    CTestCaptureDevice device(&bus);

    std::unique_ptr<CTunerModule> tuner(device.CreateTunerModule(4));
    ASSERT_TRUE(tuner != NULL);
    EXPECT_EQ(1, device.DetectCount());
    EXPECT_EQ(0xC3, tuner->m_byI2CRead);
    EXPECT_EQ(0xC2, tuner->m_byI2CWrite);
    // The probe asked at the model's default address first, and nobody answered.
    SimBusEvent event;
    ASSERT_TRUE(chips.GetEvent(0, &event));
    EXPECT_EQ(SIM_I2C_NACK, event.kind);
    EXPECT_EQ(0xC1, event.address);

    // The module now tunes the chip where it was found.
    chips.ClearLog();
    ASSERT_TRUE(tuner->SetTVFrequency(48250.0f));
    ASSERT_TRUE(chips.GetEvent(0, &event));
    EXPECT_EQ(SIM_I2C_WRITE, event.kind);
    EXPECT_EQ(0xC2, event.address);
    EXPECT_EQ(1394, pll.GetDivider());
}

TEST(TunerFactory, NoChipAnywhereStillGivesTheModule)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimTunerBus bus(&chips);
    CTestCaptureDevice device(&bus);
    std::unique_ptr<CTunerModule> tuner(device.CreateTunerModule(92));
    ASSERT_TRUE(tuner != NULL);
    EXPECT_EQ(1, device.DetectCount());
    EXPECT_EQ(92, tuner->m_nTypeId);
}

TEST(TunerFactory, AHybridTunerBehindItsClosedGateIsNotSeenByTheProbe)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimTda8275A tda;
    CSimHybridDemod demod(&chips, &tda);
    demod.SetStations({ 495250000.0 });
    chips.AttachChip(0x96, &demod);
    CSimTunerBus bus(&chips);
    CTestCaptureDevice device(&bus);
    std::unique_ptr<CTunerModule> tuner(device.CreateTunerModule(95));
    ASSERT_TRUE(tuner != NULL);
    // The probe at 0xC3 finds nothing while the gate is shut, so the device
    // searched; the hybrid tuner's chips keep their own addresses.
    EXPECT_EQ(1, device.DetectCount());
    EXPECT_FALSE(demod.IsGateOpen());
    tuner->SetStandard(0x20);
    EXPECT_TRUE(tuner->SetTVFrequency(495250.0f));
    EXPECT_TRUE(demod.IsLocked());
}
}

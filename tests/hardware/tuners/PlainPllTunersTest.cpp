#include "hardware/tuners/PllTunerTable.h"
#include "tests/hardware/support/PllTuningCheck.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"
#include "tests/hardware/tuners/PlainModels.h"

#include <gtest/gtest.h>

#include <memory>
#include <strmif.h>

namespace
{
struct ModelTuningRow
{
    int type;
    int frequency;
    const char* bytes; // empty: refused
};

// Each model at its TV limits and band changes, one kHz either side.
const ModelTuningRow kTVRows[] =
{
    {   1,  55249, "" },
    {   1,  55250, "C0 06 50 CE 01" },
    {   1, 169249, "C0 0D 6F CE 01" },
    {   1, 169250, "C0 0D 70 CE 02" },
    {   1, 445249, "C0 1E AF CE 02" },
    {   1, 445250, "C0 1E B0 CE 08" },
    {   1, 801250, "C0 34 F0 CE 08" },
    {   1, 801251, "" },
    {   2,  55249, "" },
    {   2,  55250, "C0 06 50 CE 01" },
    {   2, 169249, "C0 0D 6F CE 01" },
    {   2, 169250, "C0 0D 70 CE 02" },
    {   2, 445249, "C0 1E AF CE 02" },
    {   2, 445250, "C0 1E B0 CE 08" },
    {   2, 801250, "C0 34 F0 CE 08" },
    {   2, 801251, "" },
    {   3,  90999, "" },
    {   3,  91000, "C0 09 5C CE 01" },
    {   3, 169999, "C0 0E 4B CE 01" },
    {   3, 170000, "C0 0E 4C CE 02" },
    {   3, 449999, "C0 1F CB CE 02" },
    {   3, 450000, "C0 1F CC CE 08" },
    {   3, 765000, "C0 33 7C CE 08" },
    {   3, 765001, "" },
    {   4,  48249, "" },
    {   4,  48250, "C0 05 72 CE 01" },
    {   4, 169999, "C0 0D 0E CE 01" },
    {   4, 170000, "C0 0D 0E CE 02" },
    {   4, 449999, "C0 1E 8E CE 02" },
    {   4, 450000, "C0 1E 8E CE 08" },
    {   4, 863250, "C0 38 62 CE 08" },
    {   4, 863251, "" },
    {   5,  48249, "" },
    {   5,  48250, "C0 05 72 CE 01" },
    {   5, 169999, "C0 0D 0E CE 01" },
    {   5, 170000, "C0 0D 0E CE 02" },
    {   5, 449999, "C0 1E 8E CE 02" },
    {   5, 450000, "C0 1E 8E CE 08" },
    {   5, 863250, "C0 38 62 CE 08" },
    {   5, 863251, "" },
    {  10,  48249, "" },
    {  10,  48250, "C0 05 72 C8 A0" },
    {  10, 169999, "C0 0D 0E C8 A0" },
    {  10, 170000, "C0 0D 0E C8 90" },
    {  10, 449999, "C0 1E 8E C8 90" },
    {  10, 450000, "C0 1E 8E C8 30" },
    {  10, 863250, "C0 38 62 C8 30" },
    {  10, 863251, "" },
    {  11,  48249, "" },
    {  11,  48250, "C0 05 72 CE A0" },
    {  11, 169999, "C0 0D 0E CE A0" },
    {  11, 170000, "C0 0D 0E CE 90" },
    {  11, 449999, "C0 1E 8E CE 90" },
    {  11, 450000, "C0 1E 8E CE 30" },
    {  11, 863250, "C0 38 62 CE 30" },
    {  11, 863251, "" },
    {  14,  48249, "" },
    {  14,  48250, "C0 05 72 CE A0" },
    {  14, 169999, "C0 0D 0E CE A0" },
    {  14, 170000, "C0 0D 0E CE 90" },
    {  14, 449999, "C0 1E 8E CE 90" },
    {  14, 450000, "C0 1E 8E CE 30" },
    {  14, 863250, "C0 38 62 CE 30" },
    {  14, 863251, "" },
    {  15,  55249, "" },
    {  15,  55250, "C7 06 50 CE A0" },
    {  15, 169249, "C7 0D 6F CE A0" },
    {  15, 169250, "C7 0D 70 CE 90" },
    {  15, 445249, "C7 1E AF CE 90" },
    {  15, 445250, "C7 1E B0 CE 30" },
    {  15, 801250, "C7 34 F0 CE 30" },
    {  15, 801251, "" },
    {  32,  48249, "" },
    {  32,  48250, "C2 05 72 CE A0" },
    {  32, 168249, "C2 0C F2 CE A0" },
    {  32, 168250, "C2 0C F2 CE 90" },
    {  32, 447249, "C2 1E 62 CE 90" },
    {  32, 447250, "C2 1E 62 CE 30" },
    {  32, 863250, "C2 38 62 CE 30" },
    {  32, 863251, "" },
    {  33,  49749, "" },
    {  33,  49750, "C0 05 8A CE A0" },
    {  33, 168249, "C0 0C F2 CE A0" },
    {  33, 168250, "C0 0C F2 CE 90" },
    {  33, 448249, "C0 1E 72 CE 90" },
    {  33, 448250, "C0 1E 72 CE 30" },
    {  33, 863250, "C0 38 62 CE 30" },
    {  33, 863251, "" },
    {  34,  55249, "" },
    {  34,  55250, "C0 06 50 CE A0" },
    {  34, 169249, "C0 0D 6F CE A0" },
    {  34, 169250, "C0 0D 70 CE 90" },
    {  34, 451249, "C0 1F 0F CE 90" },
    {  34, 451250, "C0 1F 10 CE 30" },
    {  34, 863250, "C0 38 D0 CE 30" },
    {  34, 863251, "" },
    {  35,  49749, "" },
    {  35,  49750, "C0 05 8A CE 01" },
    {  35, 168249, "C0 0C F2 CE 01" },
    {  35, 168250, "C0 0C F2 CE 02" },
    {  35, 448249, "C0 1E 72 CE 02" },
    {  35, 448250, "C0 1E 72 CE 08" },
    {  35, 863250, "C0 38 62 CE 08" },
    {  35, 863251, "" },
    {  52,  48249, "" },
    {  52,  48250, "C0 05 72 CE 01" },
    {  52, 161249, "C0 0C 82 CE 01" },
    {  52, 161250, "C0 0C 82 CE 02" },
    {  52, 463249, "C0 1F 62 CE 02" },
    {  52, 463250, "C0 1F 62 CE 08" },
    {  52, 855250, "C0 37 E2 CE 08" },
    {  52, 855251, "" },
    {  53,  49749, "" },
    {  53,  49750, "C0 05 7C CE 01" },
    {  53, 160249, "C0 0C 63 CE 01" },
    {  53, 160250, "C0 0C 64 CE 02" },
    {  53, 464249, "C0 1F 63 CE 02" },
    {  53, 464250, "C0 1F 64 CE 08" },
    {  53, 855250, "C0 37 D4 CE 08" },
    {  53, 855251, "" },
    {  54,  55249, "" },
    {  54,  55250, "C0 06 50 CE 01" },
    {  54, 139249, "C0 0B 8F CE 01" },
    {  54, 139250, "C0 0B 90 CE 02" },
    {  54, 391249, "C0 1B 4F CE 02" },
    {  54, 391250, "C0 1B 50 CE 08" },
    {  54, 801250, "C0 34 F0 CE 08" },
    {  54, 801251, "" },
    {  55,  55249, "" },
    {  55,  55250, "C0 06 50 CE A0" },
    {  55, 163249, "C0 0D 0F CE A0" },
    {  55, 163250, "C0 0D 10 CE 90" },
    {  55, 463249, "C0 1F CF CE 90" },
    {  55, 463250, "C0 1F D0 CE 30" },
    {  55, 855250, "C0 38 50 CE 30" },
    {  55, 855251, "" },
    {  56,  91249, "" },
    {  56,  91250, "C0 09 60 CE 01" },
    {  56, 165249, "C0 0D FF CE 01" },
    {  56, 165250, "C0 0E 00 CE 02" },
    {  56, 463249, "C0 20 9F CE 02" },
    {  56, 463250, "C0 20 A0 CE 08" },
    {  56, 769250, "C0 33 C0 CE 08" },
    {  56, 769251, "" },
    {  57,  55249, "" },
    {  57,  55250, "C0 06 50 CE 01" },
    {  57, 163249, "C0 0D 0F CE 01" },
    {  57, 163250, "C0 0D 10 CE 02" },
    {  57, 463249, "C0 1F CF CE 02" },
    {  57, 463250, "C0 1F D0 CE 08" },
    {  57, 801250, "C0 34 F0 CE 08" },
    {  57, 801251, "" },
    {  58,  49249, "" },
    {  58,  49250, "C0 05 82 CE 01" },
    {  58, 160249, "C0 0C 72 CE 01" },
    {  58, 160250, "C0 0C 72 CE 02" },
    {  58, 464249, "C0 1F 72 CE 02" },
    {  58, 464250, "C0 1F 72 CE 08" },
    {  58, 863250, "C0 38 62 CE 08" },
    {  58, 863251, "" },
    {  60,  48249, "" },
    {  60,  48250, "C0 05 72 CE 01" },
    {  60, 161249, "C0 0C 82 CE 01" },
    {  60, 161250, "C0 0C 82 CE 02" },
    {  60, 464249, "C0 1F 72 CE 02" },
    {  60, 464250, "C0 1F 72 CE 08" },
    {  60, 863250, "C0 38 62 CE 08" },
    {  60, 863251, "" },
    {  61,  55249, "" },
    {  61,  55250, "C1 06 50 CE 01" },
    {  61, 163249, "C1 0D 0F CE 01" },
    {  61, 163250, "C1 0D 10 CE 02" },
    {  61, 463249, "C1 1F CF CE 02" },
    {  61, 463250, "C1 1F D0 CE 08" },
    {  61, 801250, "C1 34 F0 CE 08" },
    {  61, 801251, "" },
    {  62,  48249, "" },
    {  62,  48250, "C0 05 72 CE 01" },
    {  62, 161249, "C0 0C 82 CE 01" },
    {  62, 161250, "C0 0C 82 CE 02" },
    {  62, 463249, "C0 1F 62 CE 02" },
    {  62, 463250, "C0 1F 62 CE 08" },
    {  62, 863250, "C0 38 62 CE 08" },
    {  62, 863251, "" },
    {  73,  55249, "" },
    {  73,  55250, "C0 06 50 8E 01" },
    {  73, 127249, "C0 0A CF 8E 01" },
    {  73, 127250, "C0 0A D0 8E 02" },
    {  73, 361249, "C0 19 6F 8E 02" },
    {  73, 361250, "C0 19 70 8E 08" },
    {  73, 801250, "C0 34 F0 8E 08" },
    {  73, 801251, "" },
    {  74,  55249, "" },
    {  74,  55250, "C0 06 50 CE 01" },
    {  74, 127249, "C0 0A CF CE 01" },
    {  74, 127250, "C0 0A D0 CE 02" },
    {  74, 361249, "C0 19 6F CE 02" },
    {  74, 361250, "C0 19 70 CE 08" },
    {  74, 801250, "C0 34 F0 CE 08" },
    {  74, 801251, "" },};

// Each FM model at its FM limits, one kHz either side (outside is clamped).
const ModelTuningRow kFMRows[] =
{
    {   2,  86999, "C0 10 08 82 05" },
    {   2,  87000, "C0 10 08 82 05" },
    {   2, 108000, "C0 12 A8 82 05" },
    {   2, 108001, "C0 12 A8 82 05" },
    {  10,  86999, "C0 0C 36 8A A5" },
    {  10,  87000, "C0 0C 36 8A A5" },
    {  10, 108000, "C0 0E D6 8A A5" },
    {  10, 108001, "C0 0E D6 8A A5" },
    {  11,  86999, "C0 0C 36 8A A5" },
    {  11,  87000, "C0 0C 36 8A A5" },
    {  11, 107800, "C0 0E D0 8A A5" },
    {  11, 107801, "C0 0E D0 8A A5" },
    {  14,  86999, "C0 0C 36 8A A5" },
    {  14,  87000, "C0 0C 36 8A A5" },
    {  14, 108000, "C0 0E D6 8A A5" },
    {  14, 108001, "C0 0E D6 8A A5" },
    {  15,  86999, "C7 0C 36 8A A5" },
    {  15,  87000, "C7 0C 36 8A A5" },
    {  15, 108000, "C7 0E D6 8A A5" },
    {  15, 108001, "C7 0E D6 8A A5" },
    {  55,  87499, "C0 0C 46 8A A5" },
    {  55,  87500, "C0 0C 46 8A A5" },
    {  55, 108000, "C0 0E D6 8A A5" },
    {  55, 108001, "C0 0E D6 8A A5" },
    {  58,  87499, "C0 0C 46 8A 11" },
    {  58,  87500, "C0 0C 46 8A 11" },
    {  58, 108000, "C0 0E D6 8A 11" },
    {  58, 108001, "C0 0E D6 8A 11" },
    {  60,  87499, "C0 0C 46 8A A5" },
    {  60,  87500, "C0 0C 46 8A A5" },
    {  60, 108000, "C0 0E D6 8A A5" },
    {  60, 108001, "C0 0E D6 8A A5" },
    {  61,  87499, "C1 0C 46 8A A5" },
    {  61,  87500, "C1 0C 46 8A A5" },
    {  61, 108000, "C1 0E D6 8A A5" },
    {  61, 108001, "C1 0E D6 8A A5" },
    {  62,  87499, "C0 0C 46 8A 11" },
    {  62,  87500, "C0 0C 46 8A 11" },
    {  62, 108000, "C0 0E D6 8A 11" },
    {  62, 108001, "C0 0E D6 8A 11" },};

class ModelTV : public ::testing::TestWithParam<ModelTuningRow> {};

TEST_P(ModelTV, WritesTheRowsBytesAtTheBandEdges)
{
    const ModelTuningRow& row = GetParam();
    CRecordingRegisterAccess bus;
    std::unique_ptr<CTunerModule> tuner(MakePlainModel(row.type, &bus));
    ASSERT_TRUE(tuner != NULL);
    CheckPllTVTuning(*tuner, bus, row.frequency, row.bytes, row.frequency);
}

INSTANTIATE_TEST_SUITE_P(Table, ModelTV, ::testing::ValuesIn(kTVRows));

class ModelFM : public ::testing::TestWithParam<ModelTuningRow> {};

TEST_P(ModelFM, WritesTheFMBytesClampedToTheRange)
{
    const ModelTuningRow& row = GetParam();
    CRecordingRegisterAccess bus;
    std::unique_ptr<CTunerModule> tuner(MakePlainModel(row.type, &bus));
    ASSERT_TRUE(tuner != NULL);
    EXPECT_TRUE(tuner->SetFMFrequency(static_cast<float>(row.frequency)));
    ASSERT_EQ(1u, bus.Calls().size());
    EXPECT_EQ(std::string("I2CWrite ") + row.bytes, bus.Calls()[0]);
}

INSTANTIATE_TEST_SUITE_P(Table, ModelFM, ::testing::ValuesIn(kFMRows));

TEST(PlainPllTuners, EveryRowMakesItsModel)
{
    ASSERT_EQ(25, g_nPllTunerTableCount);
    for (int i = 0; i < g_nPllTunerTableCount; ++i)
    {
        const PllTunerRow& row = g_PllTunerTable[i];
        std::unique_ptr<CTunerModule> tuner(MakePlainModel(row.nTypeId, NULL));
        ASSERT_TRUE(tuner != NULL) << row.nTypeId;
        EXPECT_EQ(row.nTypeId, tuner->m_nTypeId);
        EXPECT_EQ(row.cLetter, tuner->m_cTunerLetter);
        EXPECT_EQ(row.byI2CRead, tuner->m_byI2CRead);
        EXPECT_EQ(row.nTVLow, tuner->m_nTVLow);
        EXPECT_EQ(row.nHighBandStart, tuner->m_nHighBandStart);
        EXPECT_EQ(row.bHasFM, tuner->HasFM());
        // The scan members stay at the base's defaults.
        EXPECT_EQ(625, tuner->m_nTVScanStartStep);
        EXPECT_EQ(3500, tuner->m_nTVScanHitJump);
        EXPECT_EQ(static_cast<DWORD>(AnalogVideo_PAL_B), tuner->m_nStandard);
    }
}

TEST(PlainPllTuners, ModelNumbersAndOddities)
{
    struct { int type; int model; } models[] = { { 1, 17 }, { 2, 2 }, { 53, 52 }, { 54, 56 }, { 55, 57 },
                                                 { 56, 54 }, { 57, 55 }, { 74, 74 } };
    for (auto& m : models)
    {
        std::unique_ptr<CTunerModule> tuner(MakePlainModel(m.type, NULL));
        EXPECT_EQ(m.model, tuner->m_nModelId) << m.type;
    }
    std::unique_ptr<CTunerModule> t3(MakePlainModel(3, NULL));
    EXPECT_FALSE(t3->SetTVFrequency(90999.0f));
    EXPECT_EQ(58750, t3->m_nIF);
    EXPECT_EQ(std::vector<DWORD>({ AnalogVideo_NTSC_M_J }), t3->m_vecStandards);
    std::unique_ptr<CTunerModule> t56(MakePlainModel(56, NULL));
    EXPECT_EQ(std::vector<DWORD>({ AnalogVideo_NTSC_M_J }), t56->m_vecStandards);

    std::unique_ptr<CTunerModule> t60(MakePlainModel(60, NULL));
    EXPECT_FALSE(t60->HasFM());
    EXPECT_EQ(87500, t60->m_nFMLow);
    EXPECT_EQ(9, t60->m_nFMLockCode);
    EXPECT_FALSE(t60->StartScan(FALSE, FALSE));

    std::unique_ptr<CTunerModule> t61(MakePlainModel(61, NULL));
    EXPECT_TRUE(t61->m_bReapplyStandard);
    EXPECT_EQ(std::vector<DWORD>({ AnalogVideo_PAL_N, AnalogVideo_PAL_M }), t61->m_vecStandards);

    std::unique_ptr<CTunerModule> t15(MakePlainModel(15, NULL));
    EXPECT_EQ(0xC6, t15->m_byI2CRead);
    EXPECT_EQ(0xC7, t15->m_byI2CWrite);

    std::unique_ptr<CTunerModule> t5(MakePlainModel(5, NULL));
    std::vector<DWORD> std5 = { AnalogVideo_PAL_B, AnalogVideo_PAL_D, AnalogVideo_SECAM_D,
                                AnalogVideo_SECAM_K, AnalogVideo_SECAM_B, AnalogVideo_SECAM_G };
    EXPECT_EQ(std5, t5->m_vecStandards);
    EXPECT_EQ(NULL, MakePlainModel(6, NULL));
}

TEST(PlainPllTuners, WorkedExampleOfTheTwoBandModel)
{
    CRecordingRegisterAccess bus;
    std::unique_ptr<CTunerModule> tuner(MakePlainModel(2, &bus));
    EXPECT_TRUE(tuner->SetTVFrequency(55250.0f));
    EXPECT_TRUE(tuner->SetFMFrequency(98000.0f));
    std::vector<std::string> expected = { "I2CWrite C0 06 50 CE 01", "I2CWrite C0 11 68 82 05" };
    EXPECT_EQ(expected, bus.Calls());
}
}

// The built-in frequency plans, the country table and the standard table, row by row.
#include <gtest/gtest.h>

#include <strmif.h>

#include <map>
#include <set>

#include "engine/FrequencyPlans.h"

namespace
{
struct PlanRow
{
    int country;
    int tvInput;
    LONG kind;
    LONG count;
    double ifMHz;
    double lowMHz;
    double highMHz;
    double firstMHz;  // the first entry; -1 where it is not fixed
};

void ExpectPlan(const PlanRow& row)
{
    SCOPED_TRACE(::testing::Message() << "country " << row.country << " input " << row.tvInput);
    const FREQUENCY_PLAN* pPlan = FindFrequencyPlan(row.country, row.tvInput);
    ASSERT_NE(nullptr, pPlan);
    EXPECT_EQ(row.kind, pPlan->nKind);
    ASSERT_EQ(row.count, pPlan->nCount);
    EXPECT_EQ(static_cast<LONG>(row.ifMHz * 1000000 + 0.5), pPlan->nIF);
    DWORD low = 0xFFFFFFFF, high = 0;
    for (int i = 0; i < pPlan->nCount; ++i)
    {
        DWORD f = pPlan->pFrequencies[i];
        if (f == 0)
            continue;
        low = f < low ? f : low;
        high = f > high ? f : high;
    }
    EXPECT_EQ(static_cast<DWORD>(row.lowMHz * 1000000 + 0.5), low);
    EXPECT_EQ(static_cast<DWORD>(row.highMHz * 1000000 + 0.5), high);
    if (row.firstMHz >= 0)
    {
        EXPECT_EQ(static_cast<DWORD>(row.firstMHz * 1000000 + 0.5), pPlan->pFrequencies[0]);
    }
}

TEST(FrequencyPlans, CountryTableRows)
{
    const PlanRow rows[] = {
        { 12, 1, 1, 73, 38.9, 46.25, 855.25, -1 },   { 12, 0, 1, 58, 38.9, 46.25, 463.25, -1 },
        { 48, 1, 3, 69, 38.9, 45.75, 855.25, -1 },   { 48, 0, 1, 38, 38.9, 111.25, 463.25, -1 },
        { 22, 1, 1, 69, 38.9, 44.25, 855.25, -1 },   { 22, 0, 1, 65, 38.9, 41.25, 463.25, -1 },
        { 96, 1, 2, 69, 38.9, 45.75, 855.25, -1 },   { 96, 0, 2, 134, 38.9, 49.75, 943.25, -1 },
        { 108, 1, 2, 69, 38.9, 48.25, 855.25, -1 },  { 108, 0, 1, 75, 38.9, 41.25, 695.25, -1 },
        { 109, 1, 1, 69, 38.9, 53.75, 855.25, -1 },  { 109, 0, 1, 58, 38.9, 53.75, 463.25, -1 },
        { 156, 1, 1, 69, 38.9, 45.25, 855.25, -1 },  { 156, 0, 1, 58, 38.9, 45.25, 463.25, -1 },
        { 172, 1, 3, 69, 38.9, 45.75, 855.25, -1 },  { 172, 0, 1, 38, 38.9, 111.25, 463.25, -1 },
        { 194, 1, 1, 69, 38.9, 45.75, 855.25, -1 },  { 194, 0, 1, 44, 38.9, 69.25, 463.25, -1 },
        { 206, 1, 1, 69, 38.9, 44.25, 855.25, -1 },  { 206, 0, 1, 58, 38.9, 41.25, 463.25, -1 },
        { 146, 1, 1, 69, 38.9, 48.25, 855.25, -1 },  { 146, 0, 1, 65, 38.9, 41.25, 463.25, -1 },
        { 152, 1, 2, 81, 38.9, 48.25, 851, -1 },     { 152, 0, 2, 56, 38.9, 48.25, 463.25, -1 },
        { 179, 1, 1, 69, 38.9, 49.75, 855.25, -1 },  { 229, 0, 1, 49, 38.9, 111.25, 943.25, -1 },
        { 1, 1, 2, 68, 45.75, 55.25, 801.25, 55.25 }, { 1, 0, 1, 125, 45.75, 55.25, 799.25, 73.25 },
        { 1200, 1, 2, 68, 45.75, 55.25, 801.25, 55.25 }, { 1200, 0, 1, 158, 45.75, 54, 996, 72 },
    };
    for (const PlanRow& row : rows)
        ExpectPlan(row);
    // Rows that name the same plan share it.
    EXPECT_EQ(FindFrequencyPlan(48, 1), FindFrequencyPlan(172, 1));
    EXPECT_EQ(FindFrequencyPlan(179, 0), FindFrequencyPlan(219, 0));
    EXPECT_EQ(FindFrequencyPlan(1, 1), FindFrequencyPlan(1200, 1));
    const int begins[] = { 73250000, 55250000, 61250000, 67250000, 77250000, 83250000, 175250000 };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(static_cast<DWORD>(begins[i]), FindFrequencyPlan(1, 0)->pFrequencies[i]);
}

TEST(FrequencyPlans, CountriesOutsideTheTableGoByTheirStandard)
{
    // Telephone codes of one country per standard; 0 and 99999 stand in no row: NTSC_M.
    const PlanRow rows[] = {
        { 886, 1, 2, 69, 45.75, 55.25, 801.25, 0 },  { 99999, 0, 1, 125, 45.75, 55.25, 799.25, 73.25 },
        { 0, 1, 2, 69, 45.75, 55.25, 801.25, 0 },
        { 49, 1, 2, 62, 38.9, 48.25, 799.25, -1 },   { 49, 0, 2, 60, 38.9, 48.25, 623.25, -1 },
        { 20, 1, 2, 62, 38.9, 48.25, 799.25, -1 },
        { 7, 1, 1, 58, 38.9, 49.75, 863.25, -1 },    { 7, 0, 1, 134, 38.9, 49.75, 943.25, -1 },
        { 86, 1, 1, 58, 38.9, 49.75, 863.25, -1 },
        { 44, 1, 2, 69, 38.9, 45.75, 855.25, -1 },   { 852, 0, 2, 134, 38.9, 49.75, 943.25, -1 },
        { 33, 1, 1, 72, 38.9, 47.75, 855.25, -1 },   { 33, 0, 1, 69, 38.9, 47.75, 855.25, -1 },
        { 30, 1, 2, 62, 38.9, 48.25, 799.25, -1 },
        { 54, 0, 1, 125, 45.75, 55.25, 799.25, 73.25 }, { 55, 1, 2, 69, 45.75, 55.25, 801.25, 0 },
        { 81, 1, 1, 62, 45.75, 91.25, 765.25, -1 },  { 81, 0, 1, 63, 45.75, 91.25, 463.25, -1 },
    };
    for (const PlanRow& row : rows)
        ExpectPlan(row);
}

TEST(FrequencyPlans, ThirtyEightPlansOfTheirKinds)
{
    std::set<const FREQUENCY_PLAN*> plans;
    for (int i = 0; i < g_nCountryPlans; ++i)
    {
        if (g_CountryPlans[i].pBroadcast != nullptr)
            plans.insert(g_CountryPlans[i].pBroadcast);
        if (g_CountryPlans[i].pCable != nullptr)
            plans.insert(g_CountryPlans[i].pCable);
    }
    for (int i = 0; i < g_nStandardPlans; ++i)
    {
        plans.insert(g_StandardPlans[i].pBroadcast);
        plans.insert(g_StandardPlans[i].pCable);
    }
    std::map<LONG, int> kinds;
    for (const FREQUENCY_PLAN* pPlan : plans)
    {
        kinds[pPlan->nKind]++;
        EXPECT_TRUE(pPlan->nIF == 45750000 || pPlan->nIF == 38900000);
    }
    EXPECT_EQ(38u, plans.size());
    EXPECT_EQ(26, kinds[1]);
    EXPECT_EQ(11, kinds[2]);
    EXPECT_EQ(1, kinds[3]);
    EXPECT_EQ(21, g_nCountryPlans);
    EXPECT_EQ(12, g_nStandardPlans);
}

TEST(FrequencyPlans, StandardTableCountsAndTheLastRowOfACode)
{
    ASSERT_EQ(219, g_nCountryStandards);
    std::map<DWORD, int> byStandard;
    std::map<LONG, int> rowsOfCode;
    for (int i = 0; i < g_nCountryStandards; ++i)
    {
        byStandard[g_CountryStandards[i].dwStandard]++;
        rowsOfCode[g_CountryStandards[i].nCountry]++;
    }
    EXPECT_EQ(81, byStandard[AnalogVideo_PAL_B]);
    EXPECT_EQ(61, byStandard[AnalogVideo_NTSC_M]);
    EXPECT_EQ(25, byStandard[AnalogVideo_SECAM_K]);
    EXPECT_EQ(20, byStandard[AnalogVideo_SECAM_D]);
    EXPECT_EQ(13, byStandard[AnalogVideo_SECAM_B]);
    EXPECT_EQ(9, byStandard[AnalogVideo_PAL_I]);
    EXPECT_EQ(4, byStandard[AnalogVideo_PAL_N]);
    EXPECT_EQ(2, byStandard[AnalogVideo_PAL_D]);
    EXPECT_EQ(1, byStandard[AnalogVideo_SECAM_L]);
    EXPECT_EQ(1, byStandard[AnalogVideo_SECAM_G]);
    EXPECT_EQ(1, byStandard[AnalogVideo_PAL_M]);
    EXPECT_EQ(1, byStandard[AnalogVideo_NTSC_M_J]);
    std::set<LONG> repeated;
    for (const auto& code : rowsOfCode)
    {
        if (code.second > 1)
            repeated.insert(code.first);
    }
    EXPECT_EQ(std::set<LONG>({ 7, 39, 41, 42, 53, 61, 269, 590, 670, 672 }), repeated);

    const struct { int code; DWORD standard; } examples[] = {
        { 86, AnalogVideo_PAL_D },   { 886, AnalogVideo_NTSC_M },   { 852, AnalogVideo_PAL_I },
        { 44, AnalogVideo_PAL_I },   { 49, AnalogVideo_PAL_B },     { 81, AnalogVideo_NTSC_M_J },
        { 7, AnalogVideo_SECAM_D },  { 33, AnalogVideo_SECAM_L },   { 1, AnalogVideo_NTSC_M },
        { 12345, AnalogVideo_NTSC_M },
    };
    for (const auto& example : examples)
        EXPECT_EQ(example.standard, FindCountryStandard(example.code)) << example.code;
}

TEST(FrequencyPlans, TelephonyCodesInTheirOrder)
{
    ASSERT_EQ(154, g_nTelephonyCountryCodes);
    EXPECT_EQ(93, g_TelephonyCountryCodes[0]);
    EXPECT_EQ(1200, g_TelephonyCountryCodes[152]);
    EXPECT_EQ(0, g_TelephonyCountryCodes[153]);
}
} // namespace

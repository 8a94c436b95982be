// Country list, frequency-point lists and the channel scan of the controller on the simulated
// BlackBird card: the telephony country list of the registry, the plan chosen by country, and a
// scan of the whole cable plan through the card's tuner with the waits on a test clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/TVEngine.h"
#include "hardware/devices/FilterClassTable.h"
#include "hardware/tuners/TunerModule.h"
#include "tests/engine/controller/ControllerOnCard.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/MessageWindow.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

namespace
{
const char kCountryList[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Country List\\";

void SetCountryName(int code, const char* name)
{
    std::string key = kCountryList + std::to_string(code);
    if (name != nullptr)
        SetMachineValue(key.c_str(), "Name", name);
    else
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

class ChannelScan : public ControllerOnCard
{
protected:
    void SetUp() override
    {
        ControllerOnCard::SetUp();
        SetCountryName(1, "United States");
        SetCountryName(86, "China");
        SetCountryName(44, "United Kingdom");
        SetCountryName(93, nullptr);
    }
};

std::vector<float> PointList(const CTVEngine& engine)
{
    return std::vector<float>(engine.GetPointList(), engine.GetPointList() + engine.GetPointCount());
}

TEST_F(ChannelScan, CountryNamesComeFromTheTelephonyList)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(engine.LoadCountryList());
    const CStringResMap& names = engine.GetCountryNames();
    EXPECT_STREQ("China", names.GetString(86));
    EXPECT_STREQ("United Kingdom", names.GetString(44));
    EXPECT_STREQ("United States(IRC)", names.GetString(1));
    EXPECT_STREQ("United States(HRC)", names.GetString(1200));
    EXPECT_STREQ("Regional", names.GetString(1201));
    CString name;
    EXPECT_FALSE(names.Lookup(93, name));
}

TEST_F(ChannelScan, ThePlanOfTheCountryGoesToTheTunerSorted)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));

    // 86 with the broadcast input: no row of its own, the broadcast plan of PAL_D.
    engine.SetCountryCode(86);
    engine.SetTVInput(CTVEngine::TV_INPUT_BROADCAST);
    ASSERT_TRUE(engine.SelectPointTable());
    std::vector<float> points = PointList(engine);
    ASSERT_EQ(58u, points.size());
    // The channel number the plan does not use sorts to the front.
    EXPECT_EQ(0.0f, points[0]);
    EXPECT_FLOAT_EQ(49.75f, points[1]);
    EXPECT_FLOAT_EQ(863.25f, points.back());
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));

    // The cable plan of code 1 begins at 73.25 MHz; installed, it is in ascending order.
    engine.SetCountryCode(1);
    engine.SetTVInput(CTVEngine::TV_INPUT_CABLE);
    ASSERT_TRUE(engine.SelectPointTable());
    points = PointList(engine);
    ASSERT_EQ(125u, points.size());
    EXPECT_FLOAT_EQ(55.25f, points.front());
    EXPECT_FLOAT_EQ(799.25f, points.back());
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));

    // The free scan has no list: the one installed stays.
    engine.SetTVInput(CTVEngine::TV_INPUT_FREE_SCAN);
    EXPECT_TRUE(engine.IsFreeScanInput());
    EXPECT_FALSE(engine.SelectPointTable());
    EXPECT_EQ(125, engine.GetPointCount());
}

TEST_F(ChannelScan, AUserPlanOfChannelPointIniComesFirst)
{
    WriteBytes(folder + "\\ChannelPoint.ini", "[86,1,3,China]\r\nPoint1=471.25\r\nPoint2=175.25\r\nPoint3=49.75\r\n");
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    engine.SetCountryCode(86);
    engine.SetTVInput(CTVEngine::TV_INPUT_BROADCAST);
    ASSERT_TRUE(engine.SelectPointTable());
    EXPECT_EQ(std::vector<float>({ 49.75f, 175.25f, 471.25f }), PointList(engine));
}

TEST_F(ChannelScan, ARefusedListKeepsTheListBefore)
{
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    const float first[] = { 175.25f, 55.25f };
    ASSERT_TRUE(engine.SetPointTable(first, 2));
    const float* pInstalled = engine.GetPointList();
    // Without the device the list is refused.
    engine.CloseDevice();
    const float second[] = { 471.25f, 479.25f, 487.25f };
    EXPECT_FALSE(engine.SetPointTable(second, 3));
    EXPECT_EQ(pInstalled, engine.GetPointList());
    EXPECT_EQ(std::vector<float>({ 55.25f, 175.25f }), PointList(engine));
    EXPECT_FALSE(engine.SelectPointTable());
    EXPECT_EQ(2, engine.GetPointCount());
}

TEST_F(ChannelScan, ACableScanOfTheCountryFindsTheStationsAndMergesThem)
{
    CFastBusClock clock;
    // Four stations on channels of the North American cable plan.
    SimStation stations[] = { { 61250, FALSE }, { 181250, FALSE }, { 331250, FALSE }, { 643250, FALSE } };
    sim.Card()->SetStations(stations, 4);
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    engine.SetCountryCode(1);
    engine.SetTVInput(CTVEngine::TV_INPUT_CABLE);
    CMessageWindow window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE);
    engine.SetNotifyWindow(window.Handle());

    // What the video window does around a scan: the channels before it are kept aside, the
    // table takes each channel found, and the scan's end hands the old ones back.
    CChannelTable& table = engine.GetTVTable();
    CChannelTable before;
    before.SetFMTable(FALSE);
    before.CopyItems(table);
    ASSERT_EQ(4, before.GetCount());
    table.RemoveAll();
    table.SetModified(FALSE);

    DWORD started = GetTickCount();
    ASSERT_TRUE(engine.StartChannelScan(1));
    EXPECT_TRUE(engine.IsScanning());
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, 30000));
    DWORD elapsed = GetTickCount() - started;
    int steps = 0;
    for (const CMessageWindow::Posted& m : window.Messages())
    {
        if (m.message != WM_TUNER_SCAN_STEP)
            continue;
        ++steps;
        if (m.lParam == 0)
            continue;
        DWORD id = table.GetMaxID() + 1;
        CString name;
        name.Format("TV-%lu", id);
        table.Add(new CChannelItem(id, static_cast<long>(m.wParam), name, 1));
    }
    EXPECT_EQ(125, steps);
    EXPECT_GE(clock.WaitCount(), 125);
    // Every tuner dwell went to the test clock: the scan takes no real time for its waits.
    EXPECT_LT(elapsed, 20000u) << elapsed << " ms for 125 points";
    ASSERT_EQ(4, table.GetCount());
    const long expected[] = { 61250, 181250, 331250, 643250 };
    for (int i = 0; i < 4; ++i)
        EXPECT_LE(labs(table.GetChannel(i)->Frequency - expected[i]), 125) << i;

    engine.EndChannelScan(&before);
    EXPECT_FALSE(engine.IsScanning());
    EXPECT_TRUE(table.IsModified());
    // The table kept its previous channels: they are merged in with the found ones.
    EXPECT_EQ(4 + before.GetCount(), table.GetCount());
    int found = 0;
    for (int i = 0; i < before.GetCount(); ++i)
    {
        if (table.FindIndexByFrequency(before.GetChannel(i)->Frequency) >= 0)
            ++found;
    }
    EXPECT_EQ(before.GetCount(), found);
    before.RemoveAll();
}

TEST_F(ChannelScan, AFreeScanStartsWithoutAList)
{
    CFastBusClock clock;
    CTVEngine engine(folder.c_str());
    ASSERT_TRUE(Start(engine));
    engine.SetTVInput(CTVEngine::TV_INPUT_FREE_SCAN);
    CMessageWindow window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE);
    engine.SetNotifyWindow(window.Handle());
    ASSERT_TRUE(engine.StartChannelScan(1));
    engine.StopChannelScan();
    EXPECT_FALSE(engine.IsScanning());
    window.PumpUntil(WM_TUNER_SCAN_DONE, 30000);
}

TEST(ChannelTableBuild, ThirtyEntriesMakeThirtySortedItems)
{
    CTVEngine engine(FreshAppFolder("ChannelTableBuild").c_str());
    CFreqNameMap names;
    for (int i = 0; i < 30; ++i)
    {
        CString name;
        name.Format("Channel %d", i);
        names[863250 - i * 8000 * ((i % 2) ? 1 : 3) / 2] = name;
    }
    ASSERT_EQ(30, names.GetCount());
    EXPECT_TRUE(engine.BuildChannelTable(names));
    CChannelTable& table = engine.GetTVTable();
    ASSERT_EQ(30, table.GetCount());
    for (int i = 0; i < 30; ++i)
    {
        EXPECT_EQ(1u, table.GetChannel(i)->ID);
        EXPECT_EQ(1u, table.GetChannel(i)->Flags);
        if (i > 0)
        {
            EXPECT_LT(table.GetChannel(i - 1)->Frequency, table.GetChannel(i)->Frequency);
        }
        CString name;
        ASSERT_TRUE(names.Lookup(table.GetChannel(i)->Frequency, name));
        EXPECT_STREQ(name, table.GetChannel(i)->Name);
    }
}
} // namespace

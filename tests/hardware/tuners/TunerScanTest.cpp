#include "hardware/devices/CaptureDevice.h"
#include "hardware/tuners/TVScanWorker.h"
#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/TunerScanWorker.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "tests/hardware/support/ChipBusRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/MessageWindow.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <math.h>

namespace
{
const DWORD PUMP_MS = 5000;

// A card with the base tuner on the simulated chip bus, the scan messages
// going to a real window, and no waiting.
class ScanFixture : public ::testing::Test
{
protected:
    ScanFixture()
        : window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE), bus(&chips), tuner(&bus)
    {
        chips.AttachChip(0xC0, &pll);
        tuner.SetNotifyWindow(window.Handle());
        tuner.m_bHasFM = TRUE;
        tuner.m_nFMIF = 10700;
        tuner.m_byFMControl = 0x8A;
        tuner.m_byFMBand = 0xA5;
    }

    void Receive(const std::vector<SimStation>& list)
    {
        pll.SetStations(list.data(), static_cast<int>(list.size()));
    }

    // The scan steps in order, as {kHz, found}.
    std::vector<std::pair<int, int> > Steps() const
    {
        std::vector<std::pair<int, int> > steps;
        for (const auto& m : window.Messages())
        {
            if (m.message == WM_TUNER_SCAN_STEP)
                steps.push_back(std::make_pair(static_cast<int>(m.wParam), static_cast<int>(m.lParam)));
        }
        return steps;
    }

    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& m : window.Messages())
            n += m.message == message ? 1 : 0;
        return n;
    }

    CFastBusClock clock;
    CMessageWindow window;
    CSimChipBus chips;
    CSimPllTuner pll;
    CChipBusRegisterAccess bus;
    CTunerModule tuner;
};

TEST_F(ScanFixture, FMScanPostsEveryStepAndTheEnd)
{
    Receive({ { 88000, TRUE }, { 88300, TRUE }, { 88100, FALSE } });
    ASSERT_TRUE(tuner.SetFMScanRange(87800, 88400));
    ASSERT_TRUE(tuner.SetFMScanStep(100));
    ASSERT_TRUE(tuner.SetFMScanHitStep(200));
    ASSERT_TRUE(tuner.StartScan(FALSE, FALSE));
    EXPECT_FALSE(tuner.StartScan(FALSE, FALSE)); // one scan at a time
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));

    std::vector<std::pair<int, int> > expected = {
        { 87800, 0 }, { 87900, 0 }, { 88000, 1 }, { 88200, 0 }, { 88300, 1 } };
    EXPECT_EQ(expected, Steps());
    EXPECT_EQ(1, Count(WM_TUNER_SCAN_DONE));
    EXPECT_EQ(WM_TUNER_SCAN_DONE, window.Messages().back().message);
    EXPECT_EQ(0u, window.Messages().back().wParam);
    EXPECT_EQ(0, tuner.m_bScanning);
    EXPECT_FALSE(tuner.IsScanning());
    // Each setting waited 150 ms on the stop event before the status read.
    EXPECT_EQ(5, clock.WaitCount());
}

TEST_F(ScanFixture, FMRangeEndingBelowItsStartPostsOnlyTheEnd)
{
    tuner.m_nFMLow = 90000;
    tuner.m_nFMHigh = 89000;
    ASSERT_TRUE(tuner.StartScan(FALSE, FALSE));
    CTunerScanWorker* pWorker = tuner.GetFMScanWorker();
    ASSERT_TRUE(pWorker != NULL);
    EXPECT_EQ(90000, pWorker->GetStart());
    EXPECT_EQ(89000, pWorker->GetEnd());
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));
    ASSERT_EQ(1u, window.Messages().size());
    EXPECT_TRUE(chips.GetEventCount() == 0);
}

TEST_F(ScanFixture, StopDuringAScanEndsItWithoutAnotherStep)
{
    Receive({ { 88000, TRUE } });
    ASSERT_TRUE(tuner.SetFMScanRange(87500, 108000));
    clock.ParkAtWait(3);
    ASSERT_TRUE(tuner.StartScan(FALSE, FALSE));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(clock.ParkedEvent(), PUMP_MS));
    EXPECT_TRUE(tuner.IsScanning());
    tuner.StopScan();
    EXPECT_FALSE(tuner.IsScanning());
    EXPECT_EQ(NULL, tuner.GetFMScanWorker());
    window.PumpPending();
    std::vector<std::pair<int, int> > expected = { { 87500, 0 }, { 87600, 0 } };
    EXPECT_EQ(expected, Steps());
    EXPECT_EQ(1, Count(WM_TUNER_SCAN_DONE));
}

TEST_F(ScanFixture, TVListScanSearchesEachPointInsideTheLimits)
{
    Receive({ { 471250, FALSE }, { 479300, FALSE } });
    float list[] = { 45.0f, 48.25f, 471.25f, 479.25f, 864.5f };
    ASSERT_TRUE(tuner.SetScanList(list, 5));
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));
    std::vector<std::pair<int, int> > steps = Steps();
    ASSERT_EQ(5u, steps.size());
    // Outside the limits: reported as it stands, not searched.
    EXPECT_EQ(std::make_pair(45000, 0), steps[0]);
    EXPECT_EQ(std::make_pair(864500, 0), steps[4]);
    // 48.25 MHz is searched (47625 is above 47250) and finds nothing.
    EXPECT_EQ(std::make_pair(48250, 0), steps[1]);
    // On the carrier at once.
    EXPECT_EQ(std::make_pair(471250, 1), steps[2]);
    // A carrier 50 kHz off the list point is found by the walk.
    EXPECT_EQ(1, steps[3].second);
    EXPECT_LE(fabs(steps[3].first - 479300.0), 62.5);
    EXPECT_EQ(0, tuner.m_bScanning);
}

TEST_F(ScanFixture, TVRangeScanJumpsPastEachChannel)
{
    Receive({ { 471250, FALSE }, { 479250, FALSE } });
    ASSERT_TRUE(tuner.SetTVScanRange(468000, 482000));
    ASSERT_TRUE(tuner.StartScan(TRUE, TRUE));
    CTVScanWorker* pWorker = tuner.GetTVScanWorker();
    ASSERT_TRUE(pWorker != NULL);
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));
    EXPECT_EQ(1, pWorker->GetMethod());
    EXPECT_EQ(3500, pWorker->GetHitJump());
    EXPECT_EQ(1000, pWorker->GetWindow());
    std::vector<std::pair<int, int> > steps = Steps();
    std::vector<int> found;
    for (const auto& s : steps)
    {
        if (s.second)
            found.push_back(s.first);
    }
    ASSERT_EQ(2u, found.size());
    EXPECT_LE(abs(found[0] - 471250), 62);
    EXPECT_LE(abs(found[1] - 479250), 62);
    // Misses step by twice the window, a find jumps 3500 past the channel.
    EXPECT_EQ(468000, steps[0].first);
    EXPECT_EQ(std::make_pair(470000, 0), steps[1]);
}

// A card whose decoder reports the horizontal lock of the simulated tuner.
class CSimDecoderDevice : public CCaptureDevice
{
public:
    explicit CSimDecoderDevice(CSimPllTuner* pPll)
        : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL)), m_pPll(pPll) {}
    HRESULT IsSignalLocked(DWORD* pLocked) override
    {
        ++calls;
        *pLocked = m_pPll->IsOnStation() ? 1 : 0;
        return S_OK;
    }
    int calls = 0;

private:
    CSimPllTuner* m_pPll;
};

TEST_F(ScanFixture, TVScanConfirmsACarrierWithTheDecoderWhenThereIsOne)
{
    Receive({ { 471250, FALSE } });
    CSimDecoderDevice device(&pll);
    tuner.m_pOwner = &device;
    float list[] = { 471.25f, 479.25f };
    ASSERT_TRUE(tuner.SetScanList(list, 2));
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));
    tuner.StopScan();
    tuner.m_pOwner = NULL;
    std::vector<std::pair<int, int> > expected = { { 471250, 1 }, { 479250, 0 } };
    EXPECT_EQ(expected, Steps());
    EXPECT_GT(device.calls, 0);
}

TEST(TVScan, AlternatingCodesEndTheSearchAtTheRepeatedFrequency)
{
    CFastBusClock clock;
    CMessageWindow window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE);
    CRecordingRegisterAccess bus;
    CTunerModule tuner(&bus);
    tuner.SetNotifyWindow(window.Handle());
    // Lock test at the centre: slightly below (code 3); then the walk reads
    // slightly below (up 62.5) and slightly above (down 62.5).
    bus.QueueRead({ 0x43 });
    bus.QueueRead({ 0x43 });
    bus.QueueRead({ 0x41 });
    float list[] = { 471.25f };
    ASSERT_TRUE(tuner.SetScanList(list, 1));
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, PUMP_MS));
    ASSERT_EQ(2u, window.Messages().size());
    EXPECT_EQ(WM_TUNER_SCAN_STEP, window.Messages()[0].message);
    EXPECT_EQ(470625u, window.Messages()[0].wParam);
    EXPECT_EQ(0, window.Messages()[0].lParam);
    std::vector<std::string> writes;
    for (const auto& call : bus.Calls())
    {
        if (call.compare(0, 8, "I2CWrite") == 0)
            writes.push_back(call);
    }
    // Centre, then 470625 and 470687.5 once each.
    ASSERT_EQ(3u, writes.size());
}

TEST_F(ScanFixture, StopDuringATVScanStillPostsTheEnd)
{
    clock.ParkAtWait(2);
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(clock.ParkedEvent(), PUMP_MS));
    tuner.StopScan();
    window.PumpPending();
    EXPECT_EQ(1, Count(WM_TUNER_SCAN_DONE));
    EXPECT_LE(Steps().size(), 1u);
}
}

namespace
{
TEST(TunerScanLifetime, DeletingTheTunerStopsAndWaitsForItsScan)
{
    CFastBusClock clock;
    CMessageWindow window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE);
    CSimChipBus chips;
    CSimPllTuner pll;
    chips.AttachChip(0xC0, &pll);
    CChipBusRegisterAccess bus(&chips);
    clock.ParkAtWait(4);
    {
        CTunerModule tuner(&bus);
        tuner.SetNotifyWindow(window.Handle());
        ASSERT_TRUE(tuner.SetTVScanRange(100000, 800000));
        ASSERT_TRUE(tuner.StartScan(TRUE, TRUE));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(clock.ParkedEvent(), 5000));
        EXPECT_TRUE(tuner.IsScanning());
    }
    window.PumpPending();
    ASSERT_FALSE(window.Messages().empty());
    EXPECT_EQ(WM_TUNER_SCAN_DONE, window.Messages().back().message);
}

TEST(TunerScanLifetime, ParametersReachARunningWorker)
{
    CFastBusClock clock;
    CSimChipBus chips;
    CSimPllTuner pll;
    chips.AttachChip(0xC0, &pll);
    CChipBusRegisterAccess bus(&chips);
    CTunerModule tuner(&bus);
    clock.ParkAtWait(1);
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(clock.ParkedEvent(), 5000));
    CTVScanWorker* pWorker = tuner.GetTVScanWorker();
    ASSERT_TRUE(pWorker != NULL);
    EXPECT_EQ(0, pWorker->GetMethod());
    EXPECT_EQ(48250, pWorker->GetRangeLow());
    EXPECT_EQ(863250, pWorker->GetRangeHigh());
    tuner.SetTVScanDwell(25);
    tuner.SetTVScanStartStep(500);
    tuner.SetTVScanFineStep(50);
    EXPECT_EQ(25, pWorker->GetDwell());
    EXPECT_EQ(500, pWorker->GetStartStep());
    EXPECT_EQ(50, pWorker->GetFineStep());
    tuner.StopScan();
    EXPECT_EQ(0, tuner.m_bScanning);
}
}

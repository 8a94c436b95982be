#pragma once
// A controller test on the simulated BlackBird card, opened by name through the real device
// enumerator: a fresh application folder with the channel files of the channel tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControllerTestSupport.h"
#include "engine/TVEngine.h"
#include "hardware/devices/FilterClassTable.h"
#include "tests/engine/support/FilterModules.h"
#include "tests/platform/sim/blackbird/BlackBirdSimHost.h"

class ControllerOnCard : public ::testing::Test
{
protected:
    CBlackBirdSimHost sim;
    CFilterModules filters;
    CTestWindows windows;
    std::string folder;

    // The preview's filter modules, or the ones a test's graphs need.
    explicit ControllerOnCard(const std::vector<std::string>& modules = PreviewFilterModules()) : filters(modules) {}

    void SetUp() override
    {
        ASSERT_TRUE(sim.IsReady());
        ASSERT_TRUE(filters.IsReady());
        RegisterFilterClasses();
        // Tuner type 11: a PLL tuner with an FM section (IF 38.9 MHz; FM IF 10.7 MHz, control 0x8A, band 0xA5).
        sim.Card()->SetEepromTuner('T', 11);
        folder = FreshAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetMachineValue(kCommonKey, "RecordPath", (folder + "\\Rec").c_str());
        SetMachineValue(kCommonKey, "SnapPath", (folder + "\\Snap").c_str());
        SetMachineValue(kCommonKey, "EpgUnzipPath", nullptr);
        WriteBytes(File("TVChannel.tvc"), ReadBytes(SourcePath("tests/engine/channels/TVChannel.tvc")));
        WriteBytes(File("FMChannel.fmc"), ReadBytes(SourcePath("tests/engine/channels/FMChannel.fmc")));
    }
    std::string File(const char* name) { return folder + "\\" + name; }

    // The application's start-up, in its order; the engine's calls into the windows go to the
    // test's windows, or to the ones given.
    BOOL Start(CTVEngine& engine, CEngineWindows* pWindows = nullptr)
    {
        engine.SetEngineWindows(pWindows != nullptr ? pWindows : &windows);
        return engine.InitFormatLists() && engine.InitStringLists() && engine.LoadSettings() &&
               engine.ApplyLoadedSettings() && engine.Initialize() && engine.ValidateSettings();
    }
};

#pragma once

#include "hardware/tuners/TunerModule.h"
#include "platform/sim/chipbus/SimPllTuner.h"
#include "tests/hardware/support/ChipBusRegisterAccess.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <string>

// Tunes a PLL model whose bus is the recording bus: an empty byte string means
// a refusal without bus traffic, else the one write of those bytes. The same
// tuning on the simulated PLL must then decode to the carrier expected, to the
// 62.5 kHz step below it.
inline void CheckPllTVTuning(CTunerModule& tuner, CRecordingRegisterAccess& bus, int frequency, const char* bytes,
                             double expected)
{
    BOOL ok = tuner.SetTVFrequency(static_cast<float>(frequency));
    if (bytes[0] == '\0')
    {
        EXPECT_FALSE(ok);
        EXPECT_TRUE(bus.Calls().empty());
        return;
    }
    EXPECT_TRUE(ok);
    ASSERT_EQ(1u, bus.Calls().size());
    EXPECT_EQ(std::string("I2CWrite ") + bytes, bus.Calls()[0]);

    CSimChipBus chips;
    CSimPllTuner pll;
    CSimPllTuner::Config config = pll.GetConfig();
    config.nIF = tuner.m_nIF;
    config.bHasFM = FALSE;
    pll.SetConfig(config);
    chips.AttachChip(tuner.m_byI2CWrite, &pll);
    CChipBusRegisterAccess simBus(&chips);
    tuner.m_pRegisterAccess = &simBus;
    BOOL simOk = tuner.SetTVFrequency(static_cast<float>(frequency));
    tuner.m_pRegisterAccess = &bus;
    ASSERT_TRUE(simOk);
    EXPECT_LE(pll.GetTunedFrequency(), expected);
    EXPECT_GT(pll.GetTunedFrequency(), expected - 62.5);
}

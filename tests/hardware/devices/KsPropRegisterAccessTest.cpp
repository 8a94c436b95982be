#include "hardware/devices/KsPropRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
class KsProp : public ::testing::Test
{
protected:
    KsProp() { EXPECT_EQ(S_OK, access.Attach(&props, 0)); }
    // "S id inst/len value" per call, value the 32-bit word at 24.
    std::vector<std::string> Traffic() const
    {
        std::vector<std::string> lines;
        char line[64];
        for (const auto& call : props.Calls())
        {
            sprintf(line, "%c%lu %lu/%lu %lX", call.bSet ? 'S' : 'G', call.id, call.instanceLength,
                    call.dataLength, call.dataLength >= 28 ? Dword(call.data, 24) : 0);
            lines.push_back(line);
        }
        return lines;
    }
    CFastBusClock clock;
    CRecordingPropertySet props;
    CKsPropRegisterAccess access;
};

TEST_F(KsProp, GpioWriteDoesNotPauseAndTheDelayedOnePausesBeforeTheLatch)
{
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x1000, 0x3000, 0));
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x2000, 0x3000, 50));
    EXPECT_EQ(std::vector<DWORD>({ 50 }), clock.Sleeps());
    ASSERT_EQ(12u, props.Calls().size());
    EXPECT_EQ(0x1B0u, Dword(props.Calls()[0].data, 24));
    EXPECT_EQ(0x3000u, Dword(props.Calls()[0].data, 28));
    EXPECT_EQ(0x1B0u, Dword(props.Calls()[1].data, 24));
    EXPECT_EQ(0x80003000u, Dword(props.Calls()[1].data, 28));
    EXPECT_EQ(0x1B4u, Dword(props.Calls()[2].data, 24));
    EXPECT_EQ(0x1000u, Dword(props.Calls()[2].data, 28));
    EXPECT_EQ(0x1B0u, Dword(props.Calls()[3].data, 24));
    EXPECT_EQ(0x80003000u, Dword(props.Calls()[3].data, 28));
}

TEST_F(KsProp, CommandsSevenToTenAreTheirOwnProperties)
{
    EXPECT_EQ(S_OK, access.Command7(0x11));
    EXPECT_EQ(S_OK, access.Command8(0x22));
    EXPECT_EQ(S_OK, access.Command9());
    EXPECT_EQ(S_OK, access.Command10(0x44));
    std::vector<std::string> expected = { "S7 24/48 11", "S8 24/48 22", "S9 16/40 0", "S10 24/48 44" };
    EXPECT_EQ(expected, Traffic());
}

TEST_F(KsProp, ByteAndI2CTransfersAsTheVendorSet)
{
    BYTE buffer[2] = { 0xC0, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 1));
    EXPECT_EQ(0xC1, props.Calls()[0].data[24]);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(buffer, 1));
    std::vector<BYTE> big(257, 0xC0);
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(big.data(), 257));
    EXPECT_EQ(S_OK, access.I2CWrite(big.data(), 256));
    EXPECT_EQ(256u, Dword(props.Calls().back().data, 280));
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 7, 0x33));
    EXPECT_EQ("S2 32/56 A0", Traffic().back());
}

TEST(KsPropUnattached, FailsAndRefusesANullFilter)
{
    CKsPropRegisterAccess access;
    EXPECT_EQ(E_FAIL, access.Command7(1));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
}
}

#include "hardware/bus/VendorPropRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
// Register writes and reads as "W reg value" / "R reg".
std::vector<std::string> RegisterTraffic(const CRecordingPropertySet& props)
{
    std::vector<std::string> lines;
    char line[40];
    for (const auto& call : props.Calls())
    {
        if (call.id != 5)
            continue;
        EXPECT_EQ(24u, call.instanceLength);
        EXPECT_EQ(48u, call.dataLength);
        if (call.bSet)
            sprintf(line, "W %lX %lX", Dword(call.data, 24), Dword(call.data, 28));
        else
            sprintf(line, "R %lX", Dword(call.data, 24));
        lines.push_back(line);
    }
    return lines;
}

class VendorProp : public ::testing::Test
{
protected:
    VendorProp()
    {
        props.SetHandler([this](bool bSet, DWORD id, BYTE* p, DWORD) {
            if (!bSet && id == 5)
            {
                DWORD reg = Dword(std::vector<BYTE>(p, p + 48), 24);
                DWORD value = reg == 0x1B4 ? gpio : (reg == 0x1B0 ? mask : 0);
                memcpy(p + 28, &value, 4);
            }
            if (!bSet && id == 6)
                p[24] = 0x42;
            return S_OK;
        });
        EXPECT_EQ(S_OK, access.Attach(&props, 0));
    }
    CFastBusClock clock;
    CRecordingPropertySet props;
    CVendorPropRegisterAccess access;
    DWORD gpio = 0x00AB1234;
    DWORD mask = 0x3000;
};

TEST_F(VendorProp, I2CReadSetsTheReadBitInTheCallersBuffer)
{
    BYTE buffer[1] = { 0xC0 };
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 1));
    ASSERT_EQ(1u, props.Calls().size());
    EXPECT_FALSE(props.Calls()[0].bSet);
    EXPECT_EQ(6u, props.Calls()[0].id);
    EXPECT_EQ(280u, props.Calls()[0].instanceLength);
    EXPECT_EQ(304u, props.Calls()[0].dataLength);
    EXPECT_EQ(0xC1, props.Calls()[0].data[24]);
    EXPECT_EQ(1u, Dword(props.Calls()[0].data, 280));
    EXPECT_EQ(0x42, buffer[0]);

    BYTE big[300] = { 0xC0 };
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(big, 257));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(big, 257));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(big, 1));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 2));
    EXPECT_EQ(1u, props.Calls().size());
}

TEST_F(VendorProp, GpioWriteIsFourRegisterWritesWithAPauseBeforeTheLast)
{
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    std::vector<std::string> expected = { "W 1B0 3000", "W 1B0 80003000", "W 1B4 1000", "W 1B0 80003000" };
    EXPECT_EQ(expected, RegisterTraffic(props));
    EXPECT_EQ(std::vector<DWORD>({ 120 }), clock.Sleeps());
    // The delayed write is the base's: the same pause, whatever delay was asked.
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x1000, 0x3000, 7));
    EXPECT_EQ(std::vector<DWORD>({ 120, 120 }), clock.Sleeps());
}

TEST_F(VendorProp, GpioReadLatchesAndReadsTheValueRegister)
{
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(gpio, value);
    std::vector<std::string> expected = { "W 1B0 3000", "W 1B0 80003000", "R 1B4" };
    EXPECT_EQ(expected, RegisterTraffic(props));
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
}

TEST_F(VendorProp, ResetLineSetsAndClearsBit18)
{
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ(S_OK, access.SetGpioLine(0));
    std::vector<std::string> expected = {
        "R 1B0", "R 1B4", "W 1B0 43000", "W 1B4 AF1234",
        "R 1B0", "R 1B4", "W 1B0 43000", "W 1B4 AB1234" };
    EXPECT_EQ(expected, RegisterTraffic(props));
}

TEST_F(VendorProp, RegisterBytesComeFromTheAlignedWord)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadRegisterByte(0x1B6, &b));
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(S_OK, access.ReadRegisterByte(0x1B4, &b));
    EXPECT_EQ(0x34, b);
    std::vector<std::string> expected = { "R 1B4", "R 1B4" };
    EXPECT_EQ(expected, RegisterTraffic(props));
}

TEST_F(VendorProp, ExtraCommandsDoNothing)
{
    EXPECT_EQ(S_OK, access.Command7(1));
    EXPECT_EQ(S_OK, access.Command8(1));
    EXPECT_EQ(S_OK, access.Command9());
    EXPECT_EQ(S_OK, access.Command10(1));
    EXPECT_TRUE(props.Calls().empty());
    EXPECT_EQ(S_OK, access.Command1(1));
    ASSERT_EQ(1u, props.Calls().size());
    EXPECT_EQ(1u, props.Calls()[0].id);
}

TEST(VendorPropUnattached, FailsWithoutTheInterface)
{
    CVendorPropRegisterAccess access;
    DWORD d = 0;
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, access.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
}
}

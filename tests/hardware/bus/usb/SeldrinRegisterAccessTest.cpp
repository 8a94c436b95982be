#include "hardware/bus/SeldrinRegisterAccess.h"
#include "tests/hardware/bus/usb/UsbRequests.h"
#include "tests/hardware/support/FastBusClock.h"

#include <gtest/gtest.h>

namespace {
typedef std::vector<std::string> Lines;

// An EEPROM behind request 14 that either honours the sub-address or drops it
// (every request 14 then reaches byte 0).
struct EepromBox
{
    explicit EepromBox(bool bDropsSub) : bDropsSub(bDropsSub)
    {
        for (int i = 0; i < 256; ++i)
            bytes[i] = static_cast<BYTE>(0x40 + i);
        driver.answer = [this](const std::string& line) { return Answer(line); };
    }

    std::vector<BYTE> Answer(const std::string& line)
    {
        unsigned request = 0, value = 0, index = 0, count = 0;
        char direction[4] = { 0 };
        sscanf(line.c_str(), "%3s %X v=%X i=%X n=%u", direction, &request, &value, &index, &count);
        BYTE sub = request == 14 ? static_cast<BYTE>(bDropsSub ? 0 : index) : static_cast<BYTE>(value >> 8);
        if (failFirstRead && line == "IN E v=00A0 i=0000 n=1")
            return {};
        if (failBlockRead && request == 0x10 && direction[0] == 'I')
            return {};
        if (direction[0] == 'O' && (request == 14 || request == 0x10))
        {
            size_t open = line.find('[');
            if (open != std::string::npos)
                bytes[sub] = static_cast<BYTE>(strtoul(line.c_str() + open + 1, NULL, 16));
            return { 0 };
        }
        if (request == 14 || request == 0x10)
            return { bytes[sub] };
        return { 0 };
    }

    bool bDropsSub;
    bool failFirstRead = false;
    bool failBlockRead = false;
    BYTE bytes[256];
    CUsbRequestDriver driver;
};

TEST(SeldrinProbe, ABoxThatHonoursTheSubAddressKeepsRequest14)
{
    CFastBusClock clock;
    EepromBox box(false);
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&box.driver.props, 0));
    EXPECT_EQ(0, access.GetEepromAccessFlag());
    EXPECT_EQ(Lines({ "IN E v=00A0 i=0000 n=1", "IN 10 v=00A0 i=0000 n=1", "OUT E v=00A0 i=0000 n=1 [99]",
                      "IN E v=00A0 i=0001 n=1", "OUT E v=00A0 i=0000 n=1 [40]" }),
              box.driver.lines);
    EXPECT_EQ(0x40, box.bytes[0]);
    EXPECT_EQ(std::vector<DWORD>({ 100 }), clock.Sleeps());
}

TEST(SeldrinProbe, ABoxThatDropsTheSubAddressTakesEveryByteThroughRequest0x10)
{
    CFastBusClock clock;
    EepromBox box(true);
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&box.driver.props, 0));
    EXPECT_EQ(1, access.GetEepromAccessFlag());
    EXPECT_EQ(Lines({ "IN E v=00A0 i=0000 n=1", "IN 10 v=00A0 i=0000 n=1", "OUT E v=00A0 i=0000 n=1 [99]",
                      "IN E v=00A0 i=0001 n=1", "IN E v=00A0 i=0010 n=1", "OUT 10 v=00A0 i=0000 n=1 [40]",
                      "OUT E v=00A0 i=0000 n=1 [40]" }),
              box.driver.lines);
    EXPECT_EQ(0x40, box.bytes[0]);
}

TEST(SeldrinProbe, NothingIsWrittenBackThatWasNotRead)
{
    CFastBusClock clock;
    EepromBox first(false);
    first.failFirstRead = true;
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&first.driver.props, 0));
    EXPECT_EQ(0, access.GetEepromAccessFlag());
    EXPECT_EQ(Lines({ "IN E v=00A0 i=0000 n=1" }), first.driver.lines);
    EXPECT_EQ(0x40, first.bytes[0]);

    EepromBox block(true);
    block.failBlockRead = true;
    CSeldrinRegisterAccess other;
    ASSERT_EQ(S_OK, other.Attach(&block.driver.props, 0));
    EXPECT_EQ(1, other.GetEepromAccessFlag());
    for (const std::string& line : block.driver.lines)
        EXPECT_EQ(std::string::npos, line.find("OUT 10")) << line;
    EXPECT_EQ(0x40, block.bytes[0]);
}

TEST(SeldrinBus, OnlyTheEepromGoesThroughRequest14)
{
    CFastBusClock clock;
    EepromBox box(false);
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&box.driver.props, 0));
    box.driver.lines.clear();
    BYTE b = 0;
    for (BYTE device : { 0xA0, 0xA1, 0x60, 0xC0, 0x86, 0x42 })
        EXPECT_EQ(S_OK, access.ReadByte(device, 5, &b));
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 5, 9));
    EXPECT_EQ(S_OK, access.WriteByte(0xC0, 5, 9));
    EXPECT_EQ(Lines({ "IN E v=00A0 i=0005 n=1", "IN E v=00A1 i=0005 n=1", "IN 10 v=0560 i=0000 n=1",
                      "IN 10 v=05C0 i=0000 n=1", "IN 10 v=0586 i=0000 n=1", "IN 10 v=0542 i=0000 n=1",
                      "OUT E v=00A0 i=0005 n=1 [09]", "OUT 10 v=05C0 i=0000 n=1 [09]" }),
              box.driver.lines);

    EepromBox dropping(true);
    CSeldrinRegisterAccess flagged;
    ASSERT_EQ(S_OK, flagged.Attach(&dropping.driver.props, 0));
    dropping.driver.lines.clear();
    EXPECT_EQ(S_OK, flagged.ReadByte(0xA0, 5, &b));
    EXPECT_EQ(S_OK, flagged.WriteByte(0xA0, 5, 9));
    EXPECT_EQ(Lines({ "IN 10 v=05A0 i=0000 n=1", "OUT 10 v=05A0 i=0000 n=1 [09]" }), dropping.driver.lines);
}

TEST(SeldrinBus, TunerStatusIsRequest9AndOtherReadsAreBlockReads)
{
    CFastBusClock clock;
    CUsbRequestDriver driver;
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&driver.props, 0));
    driver.lines.clear();
    driver.replies = { { 0x47 }, { 0x10, 0x20 } };
    BYTE status[1] = { 0xC1 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 1));
    EXPECT_EQ(0x47, status[0]);
    BYTE block[4] = { 0x86, 0x02, 0, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(block, 4));
    EXPECT_EQ(0x10, block[0]);
    EXPECT_EQ(0x20, block[1]);
    std::vector<BYTE> write = { 0xC2, 0x2A };
    for (int i = 0; i < 10; ++i)
        write.push_back(static_cast<BYTE>(i));
    EXPECT_EQ(S_OK, access.I2CWrite(write.data(), static_cast<LONG>(write.size())));
    EXPECT_EQ(Lines({ "IN 9 v=00C1 i=0000 n=1", "IN 10 v=0286 i=0000 n=2",
                      "OUT 10 v=2AC2 i=0000 n=8 [00 01 02 03 04 05 06 07]", "OUT 10 v=2AC2 i=0000 n=2 [08 09]" }),
              driver.lines);
}

TEST(SeldrinBus, GpioLinesAreReadOneByOneAndLine0NeverReported)
{
    CFastBusClock clock;
    CUsbRequestDriver driver;
    CSeldrinRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&driver.props, 0));
    driver.lines.clear();
    // Group 1 reports lines 1-3 in bits 2-4, group 3 lines 4-7 in bits 0, 1, 4, 5.
    driver.answer = [](const std::string& line) {
        return std::vector<BYTE>({ static_cast<BYTE>(line.find("v=0100") != std::string::npos ? 0x1B : 0x12) });
    };
    DWORD value = 0xFFFFFFFF;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x6Cu, value);
    Lines expected(4, "IN 3 v=0300 i=0000 n=1");
    expected.insert(expected.end(), 3, "IN 3 v=0100 i=0000 n=1");
    EXPECT_EQ(expected, driver.lines);
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
    EXPECT_EQ(E_INVALIDARG, access.WriteGpio(1, 9));
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ("OUT 3 v=0102 i=0001 n=0", driver.lines.back());

    driver.answer = nullptr;
    driver.getResult = E_FAIL;
    value = 7;
    EXPECT_EQ(E_FAIL, access.ReadGpio(&value));
    EXPECT_EQ(7u, value);
}

TEST(SeldrinUnattached, OperationsAnswerWithTheirOwnCodes)
{
    CSeldrinRegisterAccess access;
    BYTE b = 0;
    DWORD d = 0;
    BYTE buffer[4] = { 0xC2, 0, 1, 2 };
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Command3(1));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xC0, 1, &b));
    EXPECT_EQ(E_POINTER, access.WriteByte(0xC0, 1, 2));
    EXPECT_EQ(E_INVALIDARG, access.ReadByte(0xA0, 1, &b));
    EXPECT_EQ(E_POINTER, access.I2CWrite(buffer, 4));
    EXPECT_EQ(E_POINTER, access.WriteGpio(1, 1));
    EXPECT_EQ(E_POINTER, access.Reserved16(1, 1));
    EXPECT_EQ(E_POINTER, access.ReadRegisterByte(1, &b));
    EXPECT_EQ(E_FAIL, access.ReadRegister(1, &d));
    EXPECT_EQ(E_FAIL, access.Reserved24(0));
}
}  // namespace

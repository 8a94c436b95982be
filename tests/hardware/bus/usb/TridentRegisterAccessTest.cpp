#include "hardware/bus/TridentRegisterAccess.h"
#include "tests/hardware/bus/usb/UsbRequests.h"
#include "tests/hardware/support/FastBusClock.h"

#include <gtest/gtest.h>

namespace {
typedef std::vector<std::string> Lines;

class TridVidBus : public ::testing::Test
{
protected:
    TridVidBus() { EXPECT_EQ(S_OK, access.Attach(&driver.props, 0)); }
    ~TridVidBus() override { EXPECT_EQ(0, driver.frameErrors); }
    CFastBusClock clock;
    CUsbRequestDriver driver;
    CTridVidRegisterAccess access;
};

class TridentUsbBus : public ::testing::Test
{
protected:
    TridentUsbBus() { EXPECT_EQ(S_OK, access.Attach(&driver.props, 0)); }
    ~TridentUsbBus() override { EXPECT_EQ(0, driver.frameErrors); }
    CFastBusClock clock;
    CUsbRequestDriver driver;
    CTridentUsbRegisterAccess access;
};

TEST(TridentUnattached, OperationsAnswerWithTheirOwnCodes)
{
    CTridVidRegisterAccess vid;
    CTridentUsbRegisterAccess usb;
    BYTE b = 0;
    BYTE buffer[5] = { 0xC0, 1, 2, 3, 4 };
    DWORD d = 0;
    EXPECT_EQ(E_POINTER, vid.ReadByte(0xC0, 1, &b));
    EXPECT_EQ(E_POINTER, vid.WriteByte(0xC0, 1, 2));
    EXPECT_EQ(E_FAIL, vid.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, vid.I2CWrite(buffer, 5));
    EXPECT_EQ(E_FAIL, usb.ReadByte(0xC0, 1, &b));
    EXPECT_EQ(E_FAIL, usb.WriteByte(0xC0, 1, 2));
    EXPECT_EQ(E_POINTER, usb.I2CRead(buffer, 3));
    EXPECT_EQ(E_POINTER, usb.I2CWrite(buffer, 5));
    EXPECT_EQ(E_POINTER, usb.ReadRegister(0xA0, 1, &b));
    EXPECT_EQ(E_POINTER, usb.WriteRegister(0xA0, 1, 2));
    for (CRegisterAccess* p : std::vector<CRegisterAccess*>{ &vid, &usb })
    {
        EXPECT_EQ(S_OK, p->Command1(1));
        EXPECT_EQ(S_FALSE, p->Command3(1));
        EXPECT_EQ(S_FALSE, p->ReadGpio(&d));
        EXPECT_EQ(E_POINTER, p->WriteGpio(1, 0));
        EXPECT_EQ(E_FAIL, p->Reserved16(1, 2));
        EXPECT_EQ(E_FAIL, p->ReadRegisterByte(1, &b));
        EXPECT_EQ(E_FAIL, p->ReadRegister(1, &d));
        EXPECT_EQ(E_FAIL, p->WriteRegister(1, 2));
        EXPECT_EQ(E_FAIL, p->Reserved21(0));
        EXPECT_EQ(E_POINTER, p->Attach(NULL, 0));
    }
}

TEST_F(TridVidBus, ByteAccessClearsTheReadBitOnlyForReads)
{
    driver.replies = { { 0x42 } };
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xC1, 5, &b));
    EXPECT_EQ(0x42, b);
    EXPECT_EQ(S_OK, access.WriteByte(0xC1, 5, 7));
    driver.replies = { { 0x43 } };
    EXPECT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x43, b);
    EXPECT_EQ(Lines({ "IN 10 v=05C0 i=0000 n=1", "OUT 10 v=05C1 i=0000 n=1 [07]", "IN 10 v=21A0 i=0000 n=1" }),
              driver.lines);
}

TEST_F(TridVidBus, I2CTransfersCarryASubAddressAndUpToTenBytes)
{
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    EXPECT_EQ(std::vector<DWORD>({ 5 }), clock.Sleeps());
    BYTE big[13] = { 0xC0 };
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 2));
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(big, 13));
    EXPECT_EQ(S_OK, access.I2CWrite(big, 12));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 5));
    driver.replies = { { 0x47 } };
    BYTE status[2] = { 0xC1, 0 };
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(status, 2));
    EXPECT_EQ(S_OK, access.I2CRead(status, 1));
    EXPECT_EQ(0x47, status[0]);
    EXPECT_EQ(Lines({ "OUT 10 v=1FC0 i=0000 n=3 [E2 CE 08]",
                      "OUT 10 v=00C0 i=0000 n=10 [00 00 00 00 00 00 00 00 00 00]", "IN 9 v=00C0 i=0000 n=1" }),
              driver.lines);
}

TEST_F(TridVidBus, ItsResetLineIsLine0DrivenLow)
{
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ(S_OK, access.SetGpioLine(0));
    EXPECT_EQ(S_OK, access.Reserved18(1));
    EXPECT_EQ(Lines({ "OUT 3 v=0101 i=0000 n=0", "OUT 3 v=0101 i=0001 n=0" }), driver.lines);
}

TEST_F(TridentUsbBus, GpioLinesHaveTheirCodesAndOnlyTheLowByteOfTheLineCounts)
{
    for (DWORD line = 0; line < 8; ++line)
        EXPECT_EQ(S_OK, access.WriteGpio(line & 1, line));
    EXPECT_EQ(E_INVALIDARG, access.WriteGpio(1, 8));
    EXPECT_EQ(S_OK, access.WriteGpio(1, 0x100));
    EXPECT_EQ(Lines({ "OUT 3 v=0101 i=0000 n=0", "OUT 3 v=0102 i=0001 n=0", "OUT 3 v=0103 i=0000 n=0",
                      "OUT 3 v=0104 i=0001 n=0", "OUT 3 v=0300 i=0000 n=0", "OUT 3 v=0301 i=0001 n=0",
                      "OUT 3 v=0304 i=0000 n=0", "OUT 3 v=0305 i=0001 n=0", "OUT 3 v=0101 i=0001 n=0" }),
              driver.lines);
}

TEST_F(TridentUsbBus, ResetAndSecondLineDriveLines1And0High)
{
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ(S_OK, access.Reserved18(1));
    EXPECT_EQ(S_OK, access.Reserved18(0));
    EXPECT_EQ(Lines({ "OUT 3 v=0102 i=0001 n=0", "OUT 3 v=0101 i=0001 n=0", "OUT 3 v=0101 i=0000 n=0" }), driver.lines);
}

TEST_F(TridentUsbBus, ByteWritesCarryTheValueInTheIndex)
{
    driver.replies = { { 0x42 } };
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xC1, 5, &b));
    EXPECT_EQ(0x42, b);
    EXPECT_EQ(S_OK, access.WriteByte(0xC1, 5, 7));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xC1, 5, NULL));
    EXPECT_EQ(Lines({ "IN 10 v=05C0 i=0000 n=1", "OUT 10 v=05C1 i=0007 n=0" }), driver.lines);
}

struct PieceRow
{
    int count;
    Lines lines;
    std::vector<DWORD> pauses;
};

TEST_F(TridentUsbBus, LongWritesGoInPiecesOfEightToTheSameSubAddress)
{
    // The chips that take long writes (the Xceive firmware port) stream them
    // into one register: every piece is addressed to it.
    const PieceRow rows[] = {
        { 1, { "OUT 10 v=2AC2 i=0000 n=1 [00]" }, {} },
        { 9, { "OUT 10 v=2AC2 i=0000 n=9 [00 01 02 03 04 05 06 07 08]" }, {} },
        { 12,
          { "OUT 10 v=2AC2 i=0000 n=8 [00 01 02 03 04 05 06 07]", "OUT 10 v=2AC2 i=0000 n=4 [08 09 0A 0B]" },
          { 2 } },
        { 16,
          { "OUT 10 v=2AC2 i=0000 n=8 [00 01 02 03 04 05 06 07]",
            "OUT 10 v=2AC2 i=0000 n=8 [08 09 0A 0B 0C 0D 0E 0F]" },
          { 2, 2 } },
    };
    for (const PieceRow& row : rows)
    {
        CFastBusClock rowClock;
        driver.lines.clear();
        std::vector<BYTE> buffer = { 0xC2, 0x2A };
        for (int i = 0; i < row.count; ++i)
            buffer.push_back(static_cast<BYTE>(i));
        EXPECT_EQ(S_OK, access.I2CWrite(buffer.data(), static_cast<LONG>(buffer.size()))) << row.count;
        EXPECT_EQ(row.lines, driver.lines) << row.count;
        EXPECT_EQ(row.pauses, rowClock.Sleeps()) << row.count;
    }
    BYTE bare[2] = { 0xC2, 0x2A };
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(bare, 2));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 4));
}

TEST_F(TridentUsbBus, AFailedPieceEndsTheWriteWithItsCode)
{
    driver.setResult = static_cast<HRESULT>(0x8007001F);
    std::vector<BYTE> buffer(2 + 16, 0);
    buffer[0] = 0xC2;
    EXPECT_EQ(static_cast<HRESULT>(0x8007001F), access.I2CWrite(buffer.data(), 18));
    EXPECT_EQ(1u, driver.lines.size());
}

TEST_F(TridentUsbBus, BlockReadsTakeTheSubAddressAndNeverMoreThanAskedFor)
{
    driver.replies = { { 0x11, 0x22, 0x33 } };
    BYTE buffer[5] = { 0xA0, 0x10, 0x77, 0x77, 0x77 };
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 4));
    EXPECT_EQ(0x11, buffer[0]);
    EXPECT_EQ(0x22, buffer[1]);
    EXPECT_EQ(0x77, buffer[2]);
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(buffer, 2));
    EXPECT_EQ(E_INVALIDARG, access.I2CRead(buffer, 13));
    EXPECT_EQ(Lines({ "IN 10 v=10A0 i=0000 n=2" }), driver.lines);
}

TEST_F(TridentUsbBus, TheReplyCountIsTheDriversButTheCopyIsBounded)
{
    driver.claimedCount = 200;
    driver.replies = { { 0x5A } };
    BYTE buffer[4] = { 0xA0, 0x10, 0x77, 0x77 };
    EXPECT_EQ(S_OK, access.I2CRead(buffer, 3));
    EXPECT_EQ(0x5A, buffer[0]);
    EXPECT_EQ(0x10, buffer[1]);
    EXPECT_EQ(0x77, buffer[2]);
    BYTE b = 0;
    driver.replies = { { 0x6B } };
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 1, &b));
    EXPECT_EQ(0x6B, b);
    driver.claimedCount = 0;
    driver.replies = { {} };
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 1, &b));
}

TEST_F(TridentUsbBus, EepromBytesAndBridgeRegisters)
{
    driver.replies = { { 0x31 }, { 0 }, { 0x32 } };
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadRegister(0xA1, 0x21, &b));
    EXPECT_EQ(0x31, b);
    EXPECT_EQ(S_OK, access.WriteRegister(0xA1, 0x21, 0x55));
    EXPECT_EQ(S_OK, access.ReadRegisterByte(0x12, &b));
    EXPECT_EQ(0x32, b);
    EXPECT_EQ(S_OK, access.Reserved16(0x12, 0x34));
    EXPECT_EQ(E_FAIL, access.ReadRegisterByte(0x12, NULL));
    EXPECT_EQ(Lines({ "IN 10 v=21A1 i=0000 n=1", "OUT 10 v=21A1 i=0000 n=1 [55]", "IN 7 v=0012 i=0000 n=1",
                      "OUT 7 v=0012 i=0034 n=0" }),
              driver.lines);
}

TEST_F(TridentUsbBus, DriverFailuresComeBackUnchanged)
{
    driver.getResult = static_cast<HRESULT>(0x80070015);
    BYTE b = 0;
    EXPECT_EQ(static_cast<HRESULT>(0x80070015), access.ReadByte(0xA0, 1, &b));
    driver.getResult = S_OK;
    driver.setResult = static_cast<HRESULT>(0x8007001F);
    EXPECT_EQ(static_cast<HRESULT>(0x8007001F), access.WriteByte(0xA0, 1, 2));
    EXPECT_EQ(2u, driver.lines.size());
}
}  // namespace

#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "hardware/bus/PX63RegisterAccess.h"
#include "tests/hardware/bus/mpegbox/ControlRequests.h"
#include "tests/hardware/support/FastBusClock.h"

#include <gtest/gtest.h>

namespace {
class MpegBoxBus : public ::testing::Test
{
protected:
    MpegBoxBus()
    {
        box.Support(MPEGBOX_PROPERTY_CONTROL);
        EXPECT_EQ(S_OK, access.Attach(&box.props, 0));
    }
    CFastBusClock clock;
    CControlDriver box;
    CMpegBoxRegisterAccess access;
};

TEST(MpegBoxBusUnattached, CommandsAnswerByTheFilterAndNothingElseIsReachable)
{
    CMpegBoxRegisterAccess access;
    EXPECT_EQ(S_OK, access.Command1(0));
    EXPECT_EQ(E_FAIL, access.Command1(1));
    BYTE b = 0;
    BYTE buffer[5] = { 0xC0, 1, 2, 3, 4 };
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA2, 0, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0xA2, 0, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 5));
    EXPECT_EQ(E_INVALIDARG, access.Attach(NULL, 0));
}

TEST_F(MpegBoxBus, AttachHoldsTheFilterAndANullFilterKeepsIt)
{
    EXPECT_EQ(2u, box.props.RefCount());
    EXPECT_EQ(E_INVALIDARG, access.Attach(NULL, 0));
    EXPECT_EQ(2u, box.props.RefCount());
    EXPECT_EQ(&box.props, access.GetFilter());
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.Attach(&box.props, 0));
    EXPECT_EQ(2u, box.props.RefCount());
}

struct ByteReadRow
{
    BYTE device;
    const char* request;
};

TEST_F(MpegBoxBus, ByteReadsAddressTheDecoderWithItsOwnCode)
{
    const ByteReadRow rows[] = {
        { 0x40, "Get 21/1 9" }, { 0x41, "Get 21/1 9" }, { 0x42, "Get 21/3 9" },
        { 0xC0, "Get 60/3 9" }, { 0xA2, "Get 51/3 9" },
    };
    for (const ByteReadRow& row : rows)
    {
        box.props.ClearCalls();
        box.answer = 0x1234;
        BYTE b = 0;
        EXPECT_EQ(S_OK, access.ReadByte(row.device, 9, &b)) << std::hex << int(row.device);
        EXPECT_EQ(0x34, b);
        EXPECT_EQ(std::vector<std::string>({ row.request }), box.Requests()) << std::hex << int(row.device);
    }
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA2, 9, NULL));
}

TEST_F(MpegBoxBus, WritesAndReceivesAreOneControlRequestEach)
{
    EXPECT_EQ(S_OK, access.WriteByte(0xA2, 0x10, 0x55));
    box.answer = 0xAB42;
    BYTE status[3] = { 0xC1, 0x77, 0x77 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 3));
    EXPECT_EQ(0x42, status[0]);
    EXPECT_EQ(0x77, status[1]);
    BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    EXPECT_EQ(std::vector<std::string>({ "Set 51/2 10 = 55", "Get 60/33 0", "Set 60/10 1FE2 = CE08" }), box.Requests());
    for (const auto& call : box.props.Calls())
    {
        EXPECT_FALSE(call.bSameBuffer);
        EXPECT_EQ(9u, call.instanceLength);
        EXPECT_EQ(4u, call.dataLength);
    }
}

TEST_F(MpegBoxBus, APllWriteShorterThanItsFiveBytesIsRefused)
{
    BYTE tune[4] = { 0xC0, 0x1F, 0xE2, 0xCE };
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(tune, 4));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 5));
    EXPECT_TRUE(box.props.Calls().empty());
}

TEST_F(MpegBoxBus, TheDriverIsAskedFirstAndRefusalsAreFailures)
{
    box.failure = E_FAIL;
    BYTE b = 0;
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA2, 0, &b));
    box.failure = S_OK;

    CControlDriver readOnly;
    readOnly.Support(MPEGBOX_PROPERTY_CONTROL, KSPROPERTY_SUPPORT_GET);
    CMpegBoxRegisterAccess other;
    ASSERT_EQ(S_OK, other.Attach(&readOnly.props, 0));
    EXPECT_EQ(E_FAIL, other.WriteByte(0xA2, 0, 1));
    EXPECT_EQ(S_OK, other.ReadByte(0xA2, 0, &b));
    EXPECT_EQ(std::vector<std::string>({ "Get 51/3 0" }), readOnly.Requests());

    CControlDriver none;
    CMpegBoxRegisterAccess unsupported;
    ASSERT_EQ(S_OK, unsupported.Attach(&none.props, 0));
    EXPECT_EQ(E_FAIL, unsupported.ReadByte(0xA2, 0, &b));
    EXPECT_TRUE(none.props.Calls().empty());
}

TEST_F(MpegBoxBus, GpioIsNotReachable)
{
    DWORD d = 0;
    EXPECT_EQ(E_NOTIMPL, access.Command3(1));
    EXPECT_EQ(E_NOTIMPL, access.ReadGpio(&d));
    EXPECT_EQ(E_NOTIMPL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_NOTIMPL, access.WriteGpioDelayed(1, 1, 5));
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ(E_FAIL, access.ReadRegister(0, &d));
}

class PX63Bus : public ::testing::Test
{
protected:
    PX63Bus()
    {
        box.Support(MPEGBOX_PROPERTY_CONTROL);
        box.Support(PX63_PROPERTY_LINE);
        EXPECT_EQ(S_OK, access.Attach(&box.props, 0));
    }
    CControlDriver box;
    CPX63RegisterAccess access;
};

TEST_F(PX63Bus, ByteAccessIsTheBoxes)
{
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0x41, 3, &b));
    EXPECT_EQ(S_OK, access.ReadByte(0xC0, 3, &b));
    EXPECT_EQ(S_OK, access.WriteByte(0xC0, 3, 0x99));
    EXPECT_EQ(std::vector<std::string>({ "Get 21/1 3", "Get 60/3 3", "Set 60/2 3 = 99" }), box.Requests());
}

struct PieceRow
{
    int count;
    BYTE mode;
    DWORD wordA;
    DWORD wordB;
};

TEST(PX63Pieces, TheSubAddressAndDataFillWordAThenWordBBigEndian)
{
    const BYTE data[7] = { 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77 };
    const PieceRow rows[] = {
        { 0, 0x21, 0, 0x000000A0 },          { 1, 0x29, 0, 0x0000A011 },          { 2, 0x31, 0, 0x00A01122 },
        { 3, 0x39, 0, 0xA0112233 },          { 4, 0x07, 0xA0112233, 0x00000044 }, { 5, 0x0F, 0xA0112233, 0x00004455 },
        { 6, 0x17, 0xA0112233, 0x00445566 }, { 7, 0x1F, 0xA0112233, 0x44556677 },
    };
    for (const PieceRow& row : rows)
    {
        PX63Piece piece = PX63PackPiece(0xA0, data, row.count);
        EXPECT_EQ(row.mode, piece.mode) << row.count;
        EXPECT_EQ(row.wordA, piece.wordA) << row.count;
        EXPECT_EQ(row.wordB, piece.wordB) << row.count;
    }
}

TEST_F(PX63Bus, LongWritesGoInPiecesOfSevenToTheSameSubAddress)
{
    BYTE nine[11] = { 0x86, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    EXPECT_EQ(S_OK, access.I2CWrite(nine, 11));
    BYTE bare[2] = { 0x86, 0x05 };
    EXPECT_EQ(S_OK, access.I2CWrite(bare, 2));
    EXPECT_EQ(std::vector<std::string>({ "Set 43/31 10203 = 4050607", "Set 43/49 0 = 809", "Set 43/33 0 = 5" }),
              box.Requests());
}

TEST_F(PX63Bus, AWriteReportsAnyFailedPieceAndRefusesABareAddress)
{
    BYTE address[1] = { 0x86 };
    EXPECT_EQ(E_INVALIDARG, access.I2CWrite(address, 1));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 4));
    EXPECT_TRUE(box.props.Calls().empty());
    box.failAt = 1;
    BYTE nine[11] = { 0x86, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    EXPECT_EQ(E_FAIL, access.I2CWrite(nine, 11));
    EXPECT_EQ(2u, box.Requests().size());
}

TEST_F(PX63Bus, TheStatusReadLeavesItsByteWhereTunersLookAndNoFurther)
{
    box.answer = 0x00AB0000;
    BYTE status[2] = { 0xC1, 0x5A };
    EXPECT_EQ(S_OK, access.I2CRead(status, 1));
    EXPECT_EQ(0xAB, status[0]);
    EXPECT_EQ(0x5A, status[1]);
    EXPECT_EQ(std::vector<std::string>({ "Get 60/56 0" }), box.Requests());
}

TEST_F(PX63Bus, TheLineIsOneByteOfProperty25)
{
    EXPECT_EQ(1, access.SetGpioLine(5));
    EXPECT_EQ(1, access.SetGpioLine(0));
    ASSERT_EQ(2u, box.props.Calls().size());
    for (int i = 0; i < 2; ++i)
    {
        const auto& call = box.props.Calls()[i];
        EXPECT_TRUE(call.bSet);
        EXPECT_EQ(25u, call.id);
        EXPECT_EQ(1u, call.dataLength);
        EXPECT_EQ(i == 0 ? 1 : 0, call.data[0]);
    }
    box.failure = E_FAIL;
    EXPECT_EQ(0, access.SetGpioLine(1));
    DWORD d = 0;
    EXPECT_EQ(E_NOTIMPL, access.Command3(0));
    EXPECT_EQ(E_NOTIMPL, access.ReadGpio(&d));
    EXPECT_EQ(E_NOTIMPL, access.WriteGpio(0, 0));
}
}  // namespace

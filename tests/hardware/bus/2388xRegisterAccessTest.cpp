#include "hardware/bus/2388xRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID kVendorSet = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };

void ExpectRequest(const CRecordingPropertySet::Call& call, bool bSet, DWORD id, DWORD instance, DWORD length)
{
    EXPECT_EQ(bSet, call.bSet);
    EXPECT_TRUE(call.set == kVendorSet);
    EXPECT_EQ(id, call.id);
    EXPECT_EQ(instance, call.instanceLength);
    EXPECT_EQ(length, call.dataLength);
    EXPECT_TRUE(call.bSameBuffer);
}

class C2388x : public ::testing::Test
{
protected:
    C2388x() { EXPECT_EQ(S_OK, access.Attach(&props, 0)); }
    CFastBusClock clock;
    CRecordingPropertySet props;
    C2388xRegisterAccess access;
};

TEST(C2388xUnattached, EveryOperationFailsBeforeAttach)
{
    C2388xRegisterAccess access;
    BYTE buffer[4] = { 0xC0, 1, 2, 3 };
    BYTE b = 0;
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.Command1(1));
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 4));
    EXPECT_EQ(E_FAIL, access.Command3(1));
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
}

TEST_F(C2388x, AttachHoldsOneReferenceUntilDestroyed)
{
    EXPECT_EQ(2u, props.RefCount());
    EXPECT_EQ(S_OK, access.Attach(&props, 0));
    EXPECT_EQ(2u, props.RefCount());
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    EXPECT_EQ(1u, props.RefCount());
}

TEST_F(C2388x, CommandsAreOneByteSets)
{
    EXPECT_EQ(S_OK, access.Command1(0x5A));
    EXPECT_EQ(S_OK, access.Command3(0xA5));
    ASSERT_EQ(2u, props.Calls().size());
    ExpectRequest(props.Calls()[0], true, 1, 24, 48);
    EXPECT_EQ(0x5A, props.Calls()[0].data[24]);
    ExpectRequest(props.Calls()[1], true, 3, 24, 48);
    EXPECT_EQ(0xA5, props.Calls()[1].data[24]);
}

TEST_F(C2388x, ByteTransfersCarryDeviceSubAddressAndValue)
{
    props.SetHandler([](bool bSet, DWORD id, BYTE* p, DWORD) {
        if (!bSet && id == 2)
            p[32] = 0x77;
        return S_OK;
    });
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &b));
    EXPECT_EQ(0x77, b);
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x1FF, 0x42));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA0, 1, NULL));
    EXPECT_EQ(E_INVALIDARG, access.ReadByte(0xA0, -1, &b));
    EXPECT_EQ(E_INVALIDARG, access.WriteByte(0xA0, -1, 1));
    ASSERT_EQ(2u, props.Calls().size());
    ExpectRequest(props.Calls()[0], false, 2, 32, 56);
    EXPECT_EQ(0xA0, props.Calls()[0].data[24]);
    EXPECT_EQ(0x21u, Dword(props.Calls()[0].data, 28));
    ExpectRequest(props.Calls()[1], true, 2, 32, 56);
    EXPECT_EQ(0x1FFu, Dword(props.Calls()[1].data, 28));
    EXPECT_EQ(0x42, props.Calls()[1].data[32]);
}

TEST_F(C2388x, I2CTransfersCarryTheBytesAndTheirCount)
{
    props.SetHandler([](bool bSet, DWORD, BYTE* p, DWORD) {
        if (!bSet)
            p[24] = 0x62, p[25] = 0x63;
        return S_OK;
    });
    BYTE tune[5] = { 0xC1, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
    EXPECT_EQ(0xC0, tune[0]);
    BYTE status[2] = { 0xC1, 0 };
    EXPECT_EQ(S_OK, access.I2CRead(status, 2));
    EXPECT_EQ(0x62, status[0]);
    EXPECT_EQ(0x63, status[1]);
    ASSERT_EQ(2u, props.Calls().size());
    ExpectRequest(props.Calls()[0], true, 6, 280, 304);
    EXPECT_EQ(0, memcmp(&props.Calls()[0].data[24], "\xC0\x1F\xE2\xCE\x08", 5));
    EXPECT_EQ(5u, Dword(props.Calls()[0].data, 280));
    ExpectRequest(props.Calls()[1], false, 6, 280, 304);
    EXPECT_EQ(0xC1, props.Calls()[1].data[24]); // the caller's read address unchanged
    EXPECT_EQ(2u, Dword(props.Calls()[1].data, 280));
}

struct LengthRow
{
    bool bWrite;
    LONG length;
    HRESULT hr;
};

class C2388xLengths : public C2388x, public ::testing::WithParamInterface<LengthRow> {};

TEST_P(C2388xLengths, RefusesWhatDoesNotFitTheRequest)
{
    const LengthRow& row = GetParam();
    std::vector<BYTE> buffer(300, 0x11);
    buffer[0] = 0xC0;
    HRESULT hr = row.bWrite ? access.I2CWrite(buffer.data(), row.length)
                            : access.I2CRead(buffer.data(), row.length);
    EXPECT_EQ(row.hr, hr);
    EXPECT_EQ(row.hr == S_OK ? 1u : 0u, props.Calls().size());
}

const LengthRow kLengthRows[] =
{
    { true, 1, E_INVALIDARG }, { true, 2, S_OK }, { true, 256, S_OK }, { true, 257, E_INVALIDARG },
    { false, 0, E_INVALIDARG }, { false, 1, S_OK }, { false, 256, S_OK }, { false, 257, E_INVALIDARG },
};

INSTANTIATE_TEST_SUITE_P(Bounds, C2388xLengths, ::testing::ValuesIn(kLengthRows));

TEST_F(C2388x, AFailedWriteStillClearsTheReadBitAndPassesTheCodeOn)
{
    props.SetHandler([](bool, DWORD, BYTE*, DWORD) { return static_cast<HRESULT>(0x8007001F); });
    BYTE buffer[2] = { 0xC7, 0x00 };
    EXPECT_EQ(static_cast<HRESULT>(0x8007001F), access.I2CWrite(buffer, 2));
    EXPECT_EQ(0xC6, buffer[0]);
    BYTE b = 0x55;
    EXPECT_EQ(static_cast<HRESULT>(0x8007001F), access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(0x55, b);
}

TEST_F(C2388x, GpioGoesThroughOneMaskedPropertyAndSettles)
{
    props.SetHandler([](bool bSet, DWORD id, BYTE* p, DWORD) {
        if (!bSet && id == 4)
            p[28] = 0x34, p[29] = 0x12;
        return S_OK;
    });
    DWORD value = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x1234u, value);
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x2000, 0x3000, 0));
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x2000, 0x3000, 500));
    ASSERT_EQ(4u, props.Calls().size());
    ExpectRequest(props.Calls()[0], false, 4, 24, 48);
    EXPECT_EQ(0x0FFFFFFFu, Dword(props.Calls()[0].data, 24));
    EXPECT_EQ(0u, Dword(props.Calls()[0].data, 28));
    ExpectRequest(props.Calls()[1], true, 4, 24, 48);
    EXPECT_EQ(0x3000u, Dword(props.Calls()[1].data, 24));
    EXPECT_EQ(0x1000u, Dword(props.Calls()[1].data, 28));
    // Every write waits the same 100 ms, whatever delay was asked.
    EXPECT_EQ(std::vector<DWORD>({ 100, 100, 100 }), clock.Sleeps());
}

TEST_F(C2388x, NoRegisterAccess)
{
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(0x1B4, 1));
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_TRUE(props.Calls().empty());
}
}

#include "hardware/bus/BlackBirdRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <string.h>

#include <atomic>
#include <thread>

namespace
{
// {B9433C39-8511-4660-A2ED-E0911456DF74}
const GUID kBlackBirdSet = { 0xB9433C39, 0x8511, 0x4660, { 0xA2, 0xED, 0xE0, 0x91, 0x14, 0x56, 0xDF, 0x74 } };

void ExpectRequest(const CRecordingPropertySet::Call& call, bool bSet, DWORD id, DWORD instance, DWORD length)
{
    EXPECT_EQ(bSet, call.bSet);
    EXPECT_TRUE(call.set == kBlackBirdSet);
    EXPECT_EQ(id, call.id);
    EXPECT_EQ(instance, call.instanceLength);
    EXPECT_EQ(length, call.dataLength);
    EXPECT_TRUE(call.bSameBuffer);
}

class BlackBirdBus : public ::testing::Test
{
protected:
    BlackBirdBus()
    {
        props.AddSupported(kBlackBirdSet, 0);
        EXPECT_EQ(S_OK, access.Attach(&props, 0));
    }
    CFastBusClock clock;
    CRecordingPropertySet props;
    CBlackBirdRegisterAccess access;
};

TEST(BlackBirdBusUnattached, EveryOperationFailsBeforeAttach)
{
    CBlackBirdRegisterAccess access;
    BYTE buffer[4] = { 0xC0, 1, 2, 3 };
    BYTE b = 0;
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, access.Command1(1));
    EXPECT_EQ(E_FAIL, access.Command3(1));
    EXPECT_EQ(E_FAIL, access.ReadByte(0xA0, 0, &b));
    EXPECT_EQ(E_FAIL, access.WriteByte(0xA0, 0, 1));
    EXPECT_EQ(E_FAIL, access.I2CRead(buffer, 1));
    EXPECT_EQ(E_FAIL, access.I2CWrite(buffer, 4));
    EXPECT_EQ(E_POINTER, access.ReadGpio(NULL));
    EXPECT_EQ(E_FAIL, access.ReadGpio(&d));
    EXPECT_EQ(E_FAIL, access.WriteGpio(1, 1));
    EXPECT_EQ(E_FAIL, access.ReadRegister(0, &d));
    EXPECT_EQ(E_FAIL, access.WriteRegister(0, 0));
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
}

TEST(BlackBirdBusAttach, ADriverWithoutTheSetFailsTheAttachButKeepsTheInterface)
{
    CRecordingPropertySet props;
    CBlackBirdRegisterAccess access;
    EXPECT_TRUE(FAILED(access.Attach(&props, 0)));
    EXPECT_EQ(2u, props.RefCount());
    EXPECT_EQ(S_OK, access.Command1(7));
    ASSERT_EQ(1u, props.Calls().size());
    ExpectRequest(props.Calls()[0], true, 1, 24, 48);
    EXPECT_EQ(E_POINTER, access.Attach(NULL, 0));
    EXPECT_EQ(1u, props.RefCount());
}

TEST_F(BlackBirdBus, CommandsAreOneByteSets)
{
    EXPECT_EQ(S_OK, access.Command1(0x5A));
    EXPECT_EQ(S_OK, access.Command3(0xA5));
    ASSERT_EQ(2u, props.Calls().size());
    ExpectRequest(props.Calls()[0], true, 1, 24, 48);
    EXPECT_EQ(0x5A, props.Calls()[0].data[24]);
    ExpectRequest(props.Calls()[1], true, 3, 24, 48);
    EXPECT_EQ(0xA5, props.Calls()[1].data[24]);
}

TEST_F(BlackBirdBus, ByteTransfersCarryDeviceSubAddressAndValue)
{
    props.SetHandler([](bool bSet, DWORD, BYTE* p, DWORD) {
        if (!bSet)
            p[32] = 0x42;
        return S_OK;
    });
    BYTE value = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &value));
    EXPECT_EQ(0x42, value);
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x07, 0x99));
    EXPECT_EQ(E_INVALIDARG, access.ReadByte(0xA0, -1, &value));
    EXPECT_EQ(E_INVALIDARG, access.WriteByte(0xA0, -1, 0));
    EXPECT_EQ(E_POINTER, access.ReadByte(0xA0, 0, NULL));
    ASSERT_EQ(2u, props.Calls().size());
    ExpectRequest(props.Calls()[0], false, 2, 32, 56);
    EXPECT_EQ(0xA0, props.Calls()[0].data[24]);
    EXPECT_EQ(0x21u, Dword(props.Calls()[0].data, 28));
    ExpectRequest(props.Calls()[1], true, 2, 32, 56);
    EXPECT_EQ(0x07u, Dword(props.Calls()[1].data, 28));
    EXPECT_EQ(0x99, props.Calls()[1].data[32]);
}

TEST_F(BlackBirdBus, BlockTransfersAreBoundedTo256Bytes)
{
    BYTE buffer[300] = {};
    buffer[0] = 0xC1;
    struct Row
    {
        LONG length;
        HRESULT read;
        HRESULT write;
    } rows[] = { { 0, E_INVALIDARG, E_INVALIDARG }, { 1, S_OK, E_INVALIDARG }, { 2, S_OK, S_OK },
                 { 256, S_OK, S_OK }, { 257, E_INVALIDARG, E_INVALIDARG } };
    for (const Row& row : rows)
    {
        props.ClearCalls();
        EXPECT_EQ(row.read, access.I2CRead(buffer, row.length)) << row.length;
        EXPECT_EQ(row.write, access.I2CWrite(buffer, row.length)) << row.length;
        size_t expectedCalls = (row.read == S_OK ? 1 : 0) + (row.write == S_OK ? 1 : 0);
        EXPECT_EQ(expectedCalls, props.Calls().size()) << row.length;
        for (const auto& call : props.Calls())
        {
            ExpectRequest(call, call.bSet, 6, 280, 304);
            EXPECT_EQ(static_cast<DWORD>(row.length), Dword(call.data, 280));
        }
    }
    EXPECT_EQ(E_POINTER, access.I2CRead(NULL, 1));
    EXPECT_EQ(E_POINTER, access.I2CWrite(NULL, 2));
}

TEST_F(BlackBirdBus, ReadsCopyTheDriversBytesBackAndWritesClearTheReadBit)
{
    props.SetHandler([](bool bSet, DWORD, BYTE* p, DWORD) {
        if (bSet)
            return E_FAIL;
        p[24] = 0x46;
        p[25] = 0x47;
        return S_OK;
    });
    BYTE read[2] = { 0xC1, 0 };
    ASSERT_EQ(S_OK, access.I2CRead(read, 2));
    EXPECT_EQ(0x46, read[0]);
    EXPECT_EQ(0x47, read[1]);
    EXPECT_EQ(0xC1, props.Calls()[0].data[24]);

    BYTE write[5] = { 0xC1, 0x1F, 0xE2, 0xCE, 0x08 };
    EXPECT_EQ(E_FAIL, access.I2CWrite(write, 5));
    // The caller's address byte loses its read bit even when the write fails.
    EXPECT_EQ(0xC0, write[0]);
    EXPECT_EQ(0, memcmp(&props.Calls()[1].data[24], write, 5));
}

TEST_F(BlackBirdBus, GpioReadsUnderTheMaskAndWritesSettleFor100ms)
{
    props.SetHandler([](bool bSet, DWORD, BYTE* p, DWORD) {
        if (!bSet)
        {
            DWORD v = 0x1234;
            memcpy(p + 28, &v, 4);
        }
        return S_OK;
    });
    DWORD value = 0;
    ASSERT_EQ(S_OK, access.ReadGpio(&value));
    EXPECT_EQ(0x1234u, value);
    ExpectRequest(props.Calls()[0], false, 4, 24, 48);
    EXPECT_EQ(0x0FFFFFFFu, Dword(props.Calls()[0].data, 24));
    EXPECT_EQ(0u, Dword(props.Calls()[0].data, 28));

    EXPECT_EQ(S_OK, access.WriteGpio(0x3000, 0x7000));
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x1000, 0x3000, 0));
    ExpectRequest(props.Calls()[1], true, 4, 24, 48);
    EXPECT_EQ(0x7000u, Dword(props.Calls()[1].data, 24));
    EXPECT_EQ(0x3000u, Dword(props.Calls()[1].data, 28));
    EXPECT_EQ(std::vector<DWORD>({ 100, 100 }), clock.Sleeps());
}

// The bus with its lock in reach of the test.
class CLockedBus : public CBlackBirdRegisterAccess
{
public:
    CRITICAL_SECTION* Lock() { return &m_cs; }
};

// True when another thread can take the lock at this moment.
bool FreeForAnotherThread(CRITICAL_SECTION* pLock)
{
    bool bFree = false;
    std::thread other([&] {
        bFree = TryEnterCriticalSection(pLock) != FALSE;
        if (bFree)
            LeaveCriticalSection(pLock);
    });
    other.join();
    return bFree;
}

// While a transfer is with the driver, no other thread can start one: each
// operation holds the bus's lock around its driver call.
TEST(BlackBirdBusLock, EveryTransferHoldsTheBusWhileTheDriverWorks)
{
    CFastBusClock clock;
    CRecordingPropertySet props;
    props.AddSupported(kBlackBirdSet, 0);
    CLockedBus access;
    ASSERT_EQ(S_OK, access.Attach(&props, 0));
    std::vector<bool> freeInside;
    props.SetHandler([&](bool, DWORD, BYTE*, DWORD) {
        freeInside.push_back(FreeForAnotherThread(access.Lock()));
        return S_OK;
    });
    BYTE buffer[3] = { 0xC0, 1, 2 };
    BYTE value = 0;
    DWORD word = 0;
    access.Command1(1);
    access.Command3(1);
    access.ReadByte(0xA0, 1, &value);
    access.WriteByte(0xA0, 1, 2);
    access.I2CRead(buffer, 2);
    access.I2CWrite(buffer, 3);
    access.ReadGpio(&word);
    access.WriteGpio(1, 1);
    EXPECT_EQ(std::vector<bool>(8, false), freeInside);
    EXPECT_EQ(8u, props.Calls().size());
    // Between transfers the bus is free.
    EXPECT_TRUE(FreeForAnotherThread(access.Lock()));
}
}

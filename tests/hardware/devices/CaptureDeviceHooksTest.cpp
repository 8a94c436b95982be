#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/RemoteKeyPoller.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/MessageWindow.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
// A bus on which exactly the listed addresses answer a one-byte read.
class CAddressBus : public CRecordingRegisterAccess
{
public:
    explicit CAddressBus(const std::vector<int>& answering) : m_answering(answering) {}
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override
    {
        ++reads;
        bool bThere = std::find(m_answering.begin(), m_answering.end(), pBuffer[0]) != m_answering.end();
        if (bThere && length > 0)
            pBuffer[0] = 0x42;
        return bThere ? S_OK : E_FAIL;
    }
    int reads = 0;

private:
    std::vector<int> m_answering;
};

// A card without a capture filter whose bus access the test supplies.
class CTestDevice : public CCaptureDevice
{
public:
    explicit CTestDevice(CRegisterAccess* pBus) : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL))
    {
        m_pRegisterAccess = pBus;
        m_nCardKind = 2;
    }
};

struct AddressRow
{
    std::vector<int> answering;
    BYTE read;
    BYTE write;
    BOOL found;
};

class DetectAddress : public ::testing::TestWithParam<AddressRow> {};

TEST_P(DetectAddress, ChoosesTheTunersPair)
{
    const AddressRow& row = GetParam();
    CAddressBus* pBus = new CAddressBus(row.answering);
    CTestDevice device(pBus);
    CTunerModule tuner(pBus);
    tuner.m_byI2CRead = 0x11;
    EXPECT_EQ(row.found, device.DetectTunerAddress(&tuner));
    EXPECT_EQ(row.read, tuner.m_byI2CRead);
    EXPECT_EQ(row.write, tuner.m_byI2CWrite);
    // Every address but the EEPROM's pair is probed once.
    EXPECT_EQ(254, pBus->reads);
}

const AddressRow kAddressRows[] =
{
    { { 0xA0, 0xA1 }, 0xC1, 0xC0, FALSE },
    { { 0xA0, 0xA1, 0xC2 }, 0xC2, 0xC0, TRUE },
    { { 0xC0, 0xC1 }, 0xC1, 0xC0, TRUE },
    { { 0x86, 0x87, 0xC0 }, 0x87, 0xC0, TRUE },
    { { 0x86, 0xC6, 0xC7 }, 0xC7, 0xC6, TRUE },
    { { 0x40, 0x41, 0x42, 0xC2, 0xC3 }, 0xC3, 0xC2, TRUE },
    { { 0x40, 0x4A, 0x4B }, 0x4A, 0x48, TRUE },
};

INSTANTIATE_TEST_SUITE_P(Scans, DetectAddress, ::testing::ValuesIn(kAddressRows));

TEST(CaptureDeviceHooks, ProbeTunerAsksTheModulesReadAddress)
{
    CAddressBus* pBus = new CAddressBus({ 0xC2 });
    CTestDevice device(pBus);
    CTunerModule tuner(pBus);
    EXPECT_FALSE(device.ProbeTuner(NULL));
    EXPECT_FALSE(device.DetectTunerAddress(NULL));
    tuner.m_byI2CRead = 0xC0;
    EXPECT_FALSE(device.ProbeTuner(&tuner));
    tuner.m_byI2CRead = 0xC2;
    EXPECT_TRUE(device.ProbeTuner(&tuner));
    EXPECT_EQ(2, device.GetCardType());
}

TEST(CaptureDeviceHooks, WithoutAFilterThereIsNoDecoderLock)
{
    CTestDevice device(NULL);
    DWORD locked = 7;
    EXPECT_EQ(E_FAIL, device.IsSignalLocked(&locked));
    EXPECT_EQ(7u, locked);
}

struct KeyRow
{
    DWORD gpio;
    HRESULT hr;
    BOOL bKey;
    BYTE key;
};

class RemoteKey : public ::testing::TestWithParam<KeyRow> {};

TEST_P(RemoteKey, DecodesTheGpioKeyWord)
{
    const KeyRow& row = GetParam();
    CRecordingRegisterAccess* pBus = new CRecordingRegisterAccess;
    pBus->QueueGpio(row.gpio, row.hr);
    CTestDevice device(pBus);
    BYTE key = 0x99;
    EXPECT_EQ(row.bKey, device.ReadRemoteKey(&key));
    EXPECT_EQ(row.key, key);
}

const KeyRow kKeyRows[] =
{
    { 0x1FF, S_OK, FALSE, 0x99 },
    { 0x0F0, S_OK, TRUE, 0xF0 },
    { 0x0FE, S_OK, TRUE, 0x10 },
    { 0xFFFFFE12, S_OK, TRUE, 0xDE },
    { 0x100, S_OK, FALSE, 0x99 },
    { 0x0F0, E_FAIL, FALSE, 0x99 },
};

INSTANTIATE_TEST_SUITE_P(Words, RemoteKey, ::testing::ValuesIn(kKeyRows));

TEST(RemoteKeyPoller, PostsEachKeyToTheNotifyWindow)
{
    CFastBusClock clock;
    CMessageWindow window(WM_REMOTE_KEY, WM_REMOTE_KEY);
    CRecordingRegisterAccess* pBus = new CRecordingRegisterAccess;
    pBus->QueueGpio(0x1FF);
    pBus->QueueGpio(0x0F0);
    CTestDevice device(pBus);
    device.SetNotifyWindow(window.Handle());
    EXPECT_FALSE(device.SetKeyPollPeriod(0));
    EXPECT_TRUE(device.SetKeyPollPeriod(40));
    ASSERT_TRUE(device.StartRemotePoller());
    ASSERT_TRUE(window.PumpUntil(WM_REMOTE_KEY, 5000));
    device.StopRemotePoller();
    ASSERT_EQ(1u, window.Messages().size());
    EXPECT_EQ(0xF0u, window.Messages()[0].wParam);
    EXPECT_EQ(0, window.Messages()[0].lParam);
}

TEST(RemoteKeyPoller, EndsAtOnceWithoutANotifyWindow)
{
    CFastBusClock clock;
    CRecordingRegisterAccess* pBus = new CRecordingRegisterAccess;
    CTestDevice device(pBus);
    CRemoteKeyPoller poller(&device);
    EXPECT_FALSE(poller.SetPeriod(0));
    poller.Resume();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(poller.GetThreadHandle(), 5000));
    EXPECT_TRUE(pBus->Calls().empty());
}
}

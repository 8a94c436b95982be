// The DV device class on a simulated 1394 camera or recorder, made by friendly
// name through the graph, the filter-class registry and the device enumerator.
#include "hardware/devices/DVCameraDevice.h"
#include "platform/sim/cardfilter/SimDvDevice.h"
#include "tests/hardware/devices/CardGraphFixture.h"
#include "tests/hardware/support/MessageWindow.h"

#include <gtest/gtest.h>

#include <edevdefs.h>

namespace
{
const char kName[] = "Microsoft DV Camera and VCR";

class DvDevice : public CardGraph
{
protected:
    void SetUp() override
    {
        CardGraph::SetUp();
        pDevice = Open<CDVCameraDevice>(kName);
        ASSERT_NE(nullptr, pDevice);
        ASSERT_EQ(S_OK, pDevice->GetFilter()->QueryInterface(SIMIID_DvControl, reinterpret_cast<void**>(&pControl)));
    }
    void TearDown() override
    {
        if (pControl)
        {
            pControl->SetDeviceType(SIM_DV_DEVTYPE_CAMERA);
            pControl->SetTimecode(0);
            pControl->SetHasTimecodeReader(TRUE);
        }
        pControl.Reset();
        CardGraph::TearDown();
    }

    CDVCameraDevice* pDevice = nullptr;
    ComPtr<ISimDvControl> pControl;
};

TEST_F(DvDevice, OpensWithItsAccessAttachedToTheDevice)
{
    EXPECT_TRUE(pDevice->IsValid());
    EXPECT_STREQ(kName, pDevice->GetFriendlyName());
    EXPECT_EQ(1, pDevice->GetPinCount());
    ASSERT_NE(nullptr, pDevice->GetAccess());
}

TEST_F(DvDevice, DeviceTypesTransportModesAndTimeCodes)
{
    C1394Access* pAccess = pDevice->GetAccess();
    const struct
    {
        LONG deviceType;
        int code;
    } types[] = { { 0, 1 }, { ED_DEVTYPE_VCR, 2 }, { SIM_DV_DEVTYPE_CAMERA, 3 }, { ED_DEVTYPE_TBC, 3 } };
    for (const auto& row : types)
    {
        pControl->SetDeviceType(row.deviceType);
        int type = 0;
        ASSERT_TRUE(pAccess->GetDeviceType(&type));
        EXPECT_EQ(row.code, type) << row.deviceType;
    }

    // The first mode read counts as a change, even mode 0; the same mode again does not.
    ASSERT_TRUE(pAccess->SetTransportMode(0));
    long mode = -1;
    EXPECT_TRUE(pAccess->PollTransportMode(&mode));
    EXPECT_EQ(0, mode);
    EXPECT_FALSE(pAccess->PollTransportMode(&mode));
    ASSERT_TRUE(pAccess->SetTransportMode(ED_MODE_PLAY));
    EXPECT_EQ(ED_MODE_PLAY, pControl->GetMode());
    EXPECT_TRUE(pAccess->PollTransportMode(&mode));
    EXPECT_EQ(ED_MODE_PLAY, mode);

    pControl->SetDeviceType(ED_DEVTYPE_VCR);
    int type = 0;
    EXPECT_TRUE(pAccess->PollDeviceType(&type));
    EXPECT_EQ(2, type);
    EXPECT_FALSE(pAccess->PollDeviceType(&type));

    // 01:02:03 frame 04, as the device's BCD digits.
    pControl->SetTimecode(0x01020304);
    BYTE record[4] = { 9, 9, 9, 9 };
    ASSERT_TRUE(pAccess->GetTimecode(record));
    EXPECT_EQ(std::vector<BYTE>({ 1, 2, 3, 4 }), std::vector<BYTE>(record, record + 4));
}

TEST_F(DvDevice, ADeviceWithoutTimeCodeReaderDoesNotAttach)
{
    pControl->SetHasTimecodeReader(FALSE);
    C1394Access access;
    EXPECT_FALSE(access.Attach(pDevice));
    int type = 0;
    EXPECT_FALSE(access.GetDeviceType(nullptr));
    BYTE record[4];
    EXPECT_FALSE(access.GetTimecode(record));
    pControl->SetHasTimecodeReader(TRUE);
    EXPECT_TRUE(access.Attach(pDevice));
    EXPECT_TRUE(access.GetDeviceType(&type));
    EXPECT_FALSE(access.Attach(nullptr));
}

TEST_F(DvDevice, ThePollerPostsTheStateEveryPeriod)
{
    struct Row
    {
        LONG deviceType;
        LONG mode;
        DWORD frames;
        WPARAM wParam;
        LPARAM lParam;
    } rows[] = {
        // A camera: its type only.
        { SIM_DV_DEVTYPE_CAMERA, ED_MODE_PLAY, 0x01020304, 0x30000, 0 },
        // A recorder: its mode and time code, hours in the lowest byte.
        { ED_DEVTYPE_VCR, ED_MODE_PLAY, 0x01020304, 0x20000 | ED_MODE_PLAY, 0x04030201 },
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.deviceType);
        pControl->SetDeviceType(row.deviceType);
        pDevice->GetAccess()->SetTransportMode(row.mode);
        pControl->SetTimecode(row.frames);
        CMessageWindow window(WM_DV_STATE, WM_DV_STATE);
        pDevice->SetNotifyWindow(window.Handle());
        CFastBusClock fast;
        fast.SetTickPerRead(0);
        fast.ParkAtWait(4);
        DWORD start = fast.GetTickCount();
        ASSERT_TRUE(pDevice->StartStatePoller());
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(fast.ParkedEvent(), 10000));
        // Three periods passed before the fourth wait.
        EXPECT_EQ(3 * CDvStatePoller::PERIOD_MS, fast.GetTickCount() - start);
        pDevice->StopStatePoller();
        window.PumpPending();
        ASSERT_EQ(3u, window.Messages().size());
        for (const CMessageWindow::Posted& posted : window.Messages())
        {
            EXPECT_EQ(row.wParam, posted.wParam);
            EXPECT_EQ(row.lParam, posted.lParam);
        }
        pDevice->SetNotifyWindow(NULL);
    }
}

TEST_F(DvDevice, APollerWithoutNotifyWindowPostsNothing)
{
    CFastBusClock fast;
    ASSERT_TRUE(pDevice->StartStatePoller());
    pDevice->StopStatePoller();
    EXPECT_EQ(0, fast.WaitCount());
}
}  // namespace

#include "hardware/bus/2388xRegisterAccess.h"
#include "hardware/bus/KsRegisterAccess.h"
#include "hardware/bus/VendorPropRegisterAccess.h"
#include "hardware/devices/KsPropRegisterAccess.h"
#include "hardware/tuners/TunerModule.h"
#include "platform/dshow/ComPtr.h"
#include "platform/sim/chipbus/SimTVCard.h"
#include "tests/hardware/bus/SimCardFixture.h"
#include "tests/hardware/support/MessageWindow.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

namespace
{

TEST_F(SimFilters, The2388xTransportReachesTheCardThroughItsTunerFilter)
{
    ComPtr<IBaseFilter> pTuner;
    ASSERT_EQ(S_OK, FindFilterByName(AM_KSCATEGORY_TVTUNER, "Conexant 2388x Tuner", &pTuner));
    ISimCardControl* pControl = Control(pTuner);
    ASSERT_TRUE(pControl != NULL);
    C2388xRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(pTuner, 0));
    TuneAndLock(&access, pControl);

    BYTE type = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(5, type);
    EXPECT_TRUE(FAILED(access.ReadByte(0x90, 0, &type)));
    pControl->ClearLog();
    EXPECT_EQ(S_OK, access.Command1(1));
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&gpio));
    EXPECT_EQ(0x1000u, gpio);
    SimBusEvent event;
    ASSERT_EQ(3, pControl->GetEventCount());
    pControl->GetEvent(0, &event);
    EXPECT_EQ(SIM_COMMAND, event.kind);
    EXPECT_EQ(1u, event.reg);
    pControl->GetEvent(1, &event);
    EXPECT_EQ(SIM_GPIO_WRITE, event.kind);
    EXPECT_EQ(0x1000u, event.value);
    EXPECT_EQ(0x3000u, event.mask);
}

TEST_F(SimFilters, TheVendorTransportsReachThe713xCard)
{
    ComPtr<IBaseFilter> pCapture;
    ASSERT_EQ(S_OK, FindFilterByName(CLSID_VideoInputDeviceCategory, "713x TV Card Capture", &pCapture));
    ISimCardControl* pControl = Control(pCapture);
    ASSERT_TRUE(pControl != NULL);
    ComPtr<IKsPropertySet> pProps;
    ASSERT_EQ(S_OK, pCapture->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps)));
    DWORD support = 0;
    EXPECT_EQ(S_OK, pProps->QuerySupported(kVendorSet, 0, &support));
    EXPECT_TRUE(FAILED(pProps->QuerySupported(kKsSet, 4, &support)));

    CVendorPropRegisterAccess vendor;
    ASSERT_EQ(S_OK, vendor.Attach(pCapture, 0));
    TuneAndLock(&vendor, pControl);

    CKsPropRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(pCapture, 0));
    TuneAndLock(&access, pControl);
    pControl->ClearLog();
    EXPECT_EQ(S_OK, access.WriteGpio(0x1000, 0x3000));
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&gpio));
    EXPECT_EQ(0x1000u, gpio & 0x3000);
    BYTE b = 0;
    EXPECT_EQ(S_OK, access.ReadRegisterByte(0x1B5, &b));
    EXPECT_EQ(0x10, b);
    EXPECT_EQ(S_OK, access.Command7(3));
    pControl->ClearLog();
    EXPECT_EQ(S_OK, access.WriteByte(0xA0, 0x40, 0x99));
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x40, &b));
    EXPECT_EQ(0x99, b);
    std::vector<std::string> expected = { "W A0 40 99", "W A0 40", "R A1 99" };
    EXPECT_EQ(expected, I2CTraffic(pControl));
}

TEST_F(SimFilters, TheKernelStreamingTransportReachesItsCardThroughTheObjectHandle)
{
    ComPtr<IBaseFilter> pCapture;
    ASSERT_EQ(S_OK, FindFilterByName(CLSID_VideoInputDeviceCategory, "713x KS TV Capture", &pCapture));
    ISimCardControl* pControl = Control(pCapture);
    ASSERT_TRUE(pControl != NULL);
    ComPtr<IKsPropertySet> pProps;
    ASSERT_EQ(S_OK, pCapture->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps)));
    DWORD support = 0;
    EXPECT_EQ(S_OK, pProps->QuerySupported(kKsSet, 4, &support));

    CKsRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(pCapture, 1));
    ASSERT_TRUE(access.GetDeviceHandle() != NULL);
    EXPECT_EQ(S_OK, access.Command1(1));
    TuneAndLock(&access, pControl);

    BYTE type = 0;
    EXPECT_EQ(S_OK, access.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(5, type);
    EXPECT_TRUE(FAILED(access.ReadByte(0x90, 0, &type)));
    EXPECT_EQ(S_OK, access.WriteGpio(0x2000, 0x3000));
    DWORD gpio = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&gpio));
    EXPECT_EQ(0x2000u, gpio);
}
}

namespace
{
TEST_F(SimFilters, AChannelScanThroughTheKernelStreamingCardFindsItsStations)
{
    ComPtr<IBaseFilter> pCapture;
    ASSERT_EQ(S_OK, FindFilterByName(CLSID_VideoInputDeviceCategory, "713x KS TV Capture", &pCapture));
    ISimCardControl* pControl = Control(pCapture);
    ASSERT_TRUE(pControl != NULL);
    SimStation stations[] = { { 479250, FALSE }, { 495300, FALSE } };
    pControl->SetStations(stations, 2);
    CKsRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(pCapture, 1));
    CMessageWindow window(WM_TUNER_SCAN_STEP, WM_TUNER_SCAN_DONE);
    CTunerModule tuner(&access);
    tuner.SetNotifyWindow(window.Handle());
    float list[] = { 471.25f, 479.25f, 487.25f, 495.25f };
    ASSERT_TRUE(tuner.SetScanList(list, 4));
    ASSERT_TRUE(tuner.StartScan(TRUE, FALSE));
    ASSERT_TRUE(window.PumpUntil(WM_TUNER_SCAN_DONE, 10000));
    std::vector<int> found;
    int steps = 0;
    for (const auto& m : window.Messages())
    {
        if (m.message != WM_TUNER_SCAN_STEP)
            continue;
        ++steps;
        if (m.lParam)
            found.push_back(static_cast<int>(m.wParam));
    }
    EXPECT_EQ(4, steps);
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ(479250, found[0]);
    EXPECT_LE(abs(found[1] - 495300), 62);
}
}

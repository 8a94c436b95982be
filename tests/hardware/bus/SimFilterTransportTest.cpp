#include "dshow/FilterNode.h"
#include "hardware/bus/2388xRegisterAccess.h"
#include "hardware/bus/KsRegisterAccess.h"
#include "hardware/bus/VendorPropRegisterAccess.h"
#include "hardware/devices/KsPropRegisterAccess.h"
#include "hardware/tuners/TunerModule.h"
#include "platform/dshow/ComPtr.h"
#include "platform/sim/chipbus/SimTVCard.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/MessageWindow.h"
#include "tests/hardware/support/RecordingRegisterAccess.h"

#include <gtest/gtest.h>

#include <ksmedia.h>

namespace
{
// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID kVendorSet = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID kKsSet = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

typedef HRESULT(STDAPICALLTYPE* PFN_REGISTER)();

// The simulated cards' driver DLLs, registered for the run of this program.
class SimFilters : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(NULL);
        for (const char* name : { "OndrixSimCards.ax" })
        {
            HMODULE h = LoadLibraryA(name);
            ASSERT_TRUE(h != NULL) << name;
            PFN_REGISTER pfn = reinterpret_cast<PFN_REGISTER>(GetProcAddress(h, "DllRegisterServer"));
            ASSERT_TRUE(pfn != NULL);
            ASSERT_EQ(S_OK, pfn()) << name;
            s_modules.push_back(h);
        }
    }

    static void TearDownTestSuite()
    {
        for (HMODULE h : s_modules)
        {
            PFN_REGISTER pfn = reinterpret_cast<PFN_REGISTER>(GetProcAddress(h, "DllUnregisterServer"));
            if (pfn != NULL)
                pfn();
        }
        s_modules.clear();
        CoUninitialize();
    }

    static ISimCardControl* Control(IBaseFilter* pFilter)
    {
        ComPtr<IKsPropertySet> pProps;
        if (FAILED(pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps))))
            return NULL;
        ISimCardControl* pControl = NULL;
        DWORD cb = 0;
        if (FAILED(pProps->Get(PROPSETID_SimCardControl, SIMCARD_PROPERTY_CONTROL, NULL, 0, &pControl,
                               sizeof(pControl), &cb)))
            return NULL;
        return pControl;
    }

    // The I2C transactions of the log, as "W C0 1F E2 CE 08" / "R C1 42".
    static std::vector<std::string> I2CTraffic(ISimCardControl* pControl)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < pControl->GetEventCount(); ++i)
        {
            SimBusEvent event;
            pControl->GetEvent(i, &event);
            if (event.kind == SIM_I2C_WRITE || event.kind == SIM_I2C_READ)
            {
                std::string line = event.kind == SIM_I2C_WRITE ? "W " : "R ";
                line += HexBytes(&event.address, 1);
                if (event.count > 0)
                    line += " " + HexBytes(event.data, event.count);
                lines.push_back(line);
            }
        }
        return lines;
    }

    // Tunes the base tuner to a station through the transport and reads its lock.
    static void TuneAndLock(CRegisterAccess* pAccess, ISimCardControl* pControl)
    {
        SimStation stations[] = { { 471250, FALSE } };
        pControl->SetStations(stations, 1);
        pControl->ClearLog();
        CTunerModule tuner(pAccess);
        ASSERT_TRUE(tuner.SetTVFrequency(471250.0f));
        EXPECT_TRUE(tuner.IsTVLocked());
        ASSERT_TRUE(tuner.SetTVFrequency(471500.0f));
        EXPECT_FALSE(tuner.IsTVLocked());
        std::vector<std::string> expected = { "W C0 1F E2 CE 08", "R C1 42", "W C0 1F E6 CE 08", "R C1 40" };
        EXPECT_EQ(expected, I2CTraffic(pControl));
    }

    CFastBusClock clock;
    static std::vector<HMODULE> s_modules;
};

std::vector<HMODULE> SimFilters::s_modules;

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

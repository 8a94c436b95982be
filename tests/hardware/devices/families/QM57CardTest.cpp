// The QM57 capture on its simulated driver, which is reached through a device
// interface rather than through the filter; without that interface the
// device does not open.
#include "hardware/bus/QM57RegisterAccess.h"
#include "hardware/devices/SecondFamilyCards.h"
#include "platform/ks/DeviceIo.h"
#include "tests/hardware/devices/CardGraphFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char kName[] = "Veltrane QM57 Audio/Video Capture";

class QM57Card : public CardGraph
{
protected:
    CVeltraneQM57Capture* Open(int nDeviceIndex)
    {
        return CardGraph::Open<CVeltraneQM57Capture>(kName, CLSID_VideoInputDeviceCategory, nDeviceIndex);
    }

    // The paths of the QM57 device interfaces present.
    static std::vector<std::string> InterfacePaths()
    {
        std::vector<std::string> paths;
        HDEVINFO hSet =
            DevIoGetClassDevs(&GUID_QM57DeviceInterface, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (hSet == INVALID_HANDLE_VALUE)
            return paths;
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof(data);
        for (DWORD i = 0; DevIoEnumDeviceInterfaces(hSet, NULL, &GUID_QM57DeviceInterface, i, &data); ++i)
        {
            DWORD cbDetail = 0;
            DevIoGetDeviceInterfaceDetail(hSet, &data, NULL, 0, &cbDetail, NULL);
            std::vector<BYTE> buffer(cbDetail + sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
            auto pDetail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
            pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
            if (DevIoGetDeviceInterfaceDetail(hSet, &data, pDetail, static_cast<DWORD>(buffer.size()), NULL, NULL))
                paths.push_back(pDetail->DevicePath);
        }
        DevIoDestroyDeviceInfoList(hSet);
        return paths;
    }
};

TEST_F(QM57Card, BothDevicesOpenWithTheFixedTunerAndReadKeys)
{
    for (int index = 0; index < 2; ++index)
    {
        SCOPED_TRACE(index);
        CVeltraneQM57Capture* pCard = Open(index);
        ASSERT_NE(nullptr, pCard);
        EXPECT_STREQ(kName, pCard->GetFriendlyName());
        EXPECT_NE(nullptr, pCard->GetPin("Capture"));
        EXPECT_EQ(0, pCard->GetCardType());
        EXPECT_NE(nullptr, dynamic_cast<CQM57RegisterAccess*>(pCard->GetRegisterAccess()));
        EXPECT_EQ('E', pCard->GetTunerLetter());
        EXPECT_EQ(91, pCard->GetTunerType());
        EXPECT_NE(nullptr, pCard->GetTunerModule());
        DWORD locked = 0;
        EXPECT_EQ(S_OK, pCard->IsSignalLocked(&locked));
        EXPECT_EQ(1u, locked);
        graph.RemoveFilter(pCard);
    }
}

// Runs last: the device interfaces it takes away do not come back in this process.
TEST_F(QM57Card, WithoutItsDeviceInterfaceTheDeviceDoesNotOpen)
{
    std::vector<std::string> paths = InterfacePaths();
    ASSERT_EQ(2u, paths.size());
    for (const std::string& path : paths)
        DevIoUnregisterInterface(path.c_str());
    EXPECT_EQ(nullptr, Open(0));
    EXPECT_EQ(nullptr, Open(1));
}
}  // namespace

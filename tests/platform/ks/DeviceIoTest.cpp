#include "platform/ks/DeviceIo.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {
// {0B5D2E61-7C3A-4F18-9E27-4D6A8B1C3F50}
const GUID kClass = { 0x0B5D2E61, 0x7C3A, 0x4F18, { 0x9E, 0x27, 0x4D, 0x6A, 0x8B, 0x1C, 0x3F, 0x50 } };
// {0B5D2E62-7C3A-4F18-9E27-4D6A8B1C3F50}: a class nobody serves.
const GUID kEmptyClass = { 0x0B5D2E62, 0x7C3A, 0x4F18, { 0x9E, 0x27, 0x4D, 0x6A, 0x8B, 0x1C, 0x3F, 0x50 } };

struct Driver
{
    std::vector<DWORD> codes;
    HRESULT result = S_OK;
};

HRESULT Serve(void* pContext, ULONG code, void* pIn, ULONG inLength, void* pOut, ULONG outLength, ULONG* pReturned)
{
    Driver* pDriver = static_cast<Driver*>(pContext);
    pDriver->codes.push_back(code);
    if (pOut != NULL && outLength > 0 && pIn != NULL && inLength > 0)
        static_cast<BYTE*>(pOut)[0] = static_cast<BYTE*>(pIn)[0] + 1;
    *pReturned = outLength;
    return pDriver->result;
}

// The path of the index-th interface of the class, as a driver user finds it.
std::string PathOf(const GUID& cls, DWORD index)
{
    HDEVINFO hSet = DevIoGetClassDevs(&cls, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    EXPECT_NE(INVALID_HANDLE_VALUE, hSet);
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = sizeof(data);
    std::string path;
    if (DevIoEnumDeviceInterfaces(hSet, NULL, &cls, index, &data))
    {
        DWORD cbRequired = 0;
        EXPECT_FALSE(DevIoGetDeviceInterfaceDetail(hSet, &data, NULL, 0, &cbRequired, NULL));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
        std::vector<BYTE> buffer(cbRequired);
        auto pDetail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer.data());
        pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        EXPECT_TRUE(DevIoGetDeviceInterfaceDetail(hSet, &data, pDetail, cbRequired, NULL, NULL));
        path = pDetail->DevicePath;
    }
    EXPECT_TRUE(DevIoDestroyDeviceInfoList(hSet));
    return path;
}

TEST(DeviceIo, RegisteredInterfacesAreListedInOrderAndOpenToTheirDriver)
{
#ifdef _WIN64
    static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 32, "interface data as 64-bit callers size it");
    static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 8, "detail as 64-bit callers size it");
#else
    static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 28, "interface data as 32-bit callers size it");
    static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "detail as 32-bit callers size it");
#endif
    Driver first, second;
    ASSERT_TRUE(DevIoRegisterInterface(kClass, "\\\\?\\sim#first#{0b5d2e61}", Serve, &first));
    ASSERT_TRUE(DevIoRegisterInterface(kClass, "\\\\?\\sim#second#{0b5d2e61}", Serve, &second));
    EXPECT_EQ("\\\\?\\sim#first#{0b5d2e61}", PathOf(kClass, 0));
    EXPECT_EQ("\\\\?\\sim#second#{0b5d2e61}", PathOf(kClass, 1));
    EXPECT_EQ("", PathOf(kClass, 2));

    HANDLE hDevice =
        DevIoCreateFile("\\\\?\\SIM#SECOND#{0B5D2E61}", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hDevice);
    BYTE in[2] = { 0x41, 0 };
    BYTE out[2] = { 0, 0 };
    DWORD returned = 0;
    EXPECT_TRUE(DevIoControl(hDevice, 0x226000, in, 2, out, 2, &returned, NULL));
    EXPECT_EQ(0x42, out[0]);
    EXPECT_EQ(2u, returned);
    second.result = HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
    EXPECT_FALSE(DevIoControl(hDevice, 0x22A004, in, 2, NULL, 0, &returned, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), GetLastError());
    second.result = E_OUTOFMEMORY;
    EXPECT_FALSE(DevIoControl(hDevice, 0x22A004, in, 2, NULL, 0, &returned, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_OUTOFMEMORY), GetLastError());
    EXPECT_EQ(std::vector<DWORD>({ 0x226000, 0x22A004, 0x22A004 }), second.codes);
    EXPECT_TRUE(first.codes.empty());
    EXPECT_TRUE(DevIoCloseHandle(hDevice));
    // A closed handle is no device any more.
    EXPECT_FALSE(DevIoControl(hDevice, 0x226000, in, 2, out, 2, &returned, NULL));
    EXPECT_EQ(3u, second.codes.size());

    DevIoUnregisterInterface("\\\\?\\sim#first#{0b5d2e61}");
    EXPECT_EQ("\\\\?\\sim#second#{0b5d2e61}", PathOf(kClass, 0));
    DevIoUnregisterInterface("\\\\?\\sim#second#{0b5d2e61}");
    EXPECT_EQ(INVALID_HANDLE_VALUE, DevIoCreateFile("\\\\?\\sim#second#{0b5d2e61}", GENERIC_READ, 0, NULL,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
}

TEST(DeviceIo, CallersMustSizeTheirRecordsAsTheSystemDoes)
{
    Driver driver;
    ASSERT_TRUE(DevIoRegisterInterface(kClass, "\\\\?\\sim#sized#{0b5d2e61}", Serve, &driver));
    HDEVINFO hSet = DevIoGetClassDevs(&kClass, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = sizeof(data) + 4;
    EXPECT_FALSE(DevIoEnumDeviceInterfaces(hSet, NULL, &kClass, 0, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_USER_BUFFER), GetLastError());
    data.cbSize = sizeof(data);
    ASSERT_TRUE(DevIoEnumDeviceInterfaces(hSet, NULL, &kClass, 0, &data));
    BYTE buffer[64];
    auto pDetail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer);
    pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) + 3;
    EXPECT_FALSE(DevIoGetDeviceInterfaceDetail(hSet, &data, pDetail, sizeof(buffer), NULL, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_USER_BUFFER), GetLastError());
    pDetail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    EXPECT_FALSE(DevIoGetDeviceInterfaceDetail(hSet, &data, pDetail, 10, NULL, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_TRUE(DevIoDestroyDeviceInfoList(hSet));
    DevIoUnregisterInterface("\\\\?\\sim#sized#{0b5d2e61}");
}

TEST(DeviceIo, AClassWithoutSimulatedInterfacesIsTheSystems)
{
    HDEVINFO hSet = DevIoGetClassDevs(&kEmptyClass, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(INVALID_HANDLE_VALUE, hSet);
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = sizeof(data);
    EXPECT_FALSE(DevIoEnumDeviceInterfaces(hSet, NULL, &kEmptyClass, 0, &data));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), GetLastError());
    EXPECT_TRUE(DevIoDestroyDeviceInfoList(hSet));
    EXPECT_EQ(INVALID_HANDLE_VALUE, DevIoCreateFile("\\\\?\\no#such#device", GENERIC_READ, 0, NULL, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, NULL));
}
}  // namespace

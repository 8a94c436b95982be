#include "platform/ks/KsDeviceIo.h"

#include <gtest/gtest.h>

namespace
{
struct Seen
{
    ULONG ioControl = 0;
    void* pIn = nullptr;
    ULONG inLength = 0;
    void* pOut = nullptr;
    ULONG outLength = 0;
    int calls = 0;
};

HRESULT Record(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
               ULONG* pReturned)
{
    Seen* pSeen = static_cast<Seen*>(pContext);
    pSeen->ioControl = ioControl;
    pSeen->pIn = pIn;
    pSeen->inLength = inLength;
    pSeen->pOut = pOut;
    pSeen->outLength = outLength;
    ++pSeen->calls;
    *pReturned = 12;
    return S_FALSE;
}

TEST(KsDeviceIo, ARegisteredHandleGoesToItsRoute)
{
    HANDLE hDevice = CreateEventA(NULL, FALSE, FALSE, NULL);
    Seen seen;
    ASSERT_TRUE(KsDeviceIoRegister(hDevice, Record, &seen));
    BYTE buffer[120] = {};
    ULONG returned = 0;
    EXPECT_EQ(S_FALSE, KsDeviceIoControl(hDevice, 0x2F0003, buffer, 120, buffer, 120, &returned));
    EXPECT_EQ(1, seen.calls);
    EXPECT_EQ(0x2F0003u, seen.ioControl);
    EXPECT_EQ(buffer, seen.pIn);
    EXPECT_EQ(buffer, seen.pOut);
    EXPECT_EQ(120u, seen.outLength);
    EXPECT_EQ(12u, returned);

    // Without its route the handle is no device: the request fails.
    KsDeviceIoUnregister(hDevice);
    EXPECT_TRUE(FAILED(KsDeviceIoControl(hDevice, 0x2F0003, buffer, 120, buffer, 120, &returned)));
    EXPECT_EQ(1, seen.calls);
    CloseHandle(hDevice);
}

TEST(KsDeviceIo, RefusesNullsAndKeepsRoutesApart)
{
    Seen a, b;
    EXPECT_FALSE(KsDeviceIoRegister(NULL, Record, &a));
    HANDLE h1 = CreateEventA(NULL, FALSE, FALSE, NULL);
    HANDLE h2 = CreateEventA(NULL, FALSE, FALSE, NULL);
    EXPECT_FALSE(KsDeviceIoRegister(h1, NULL, &a));
    ASSERT_TRUE(KsDeviceIoRegister(h1, Record, &a));
    ASSERT_TRUE(KsDeviceIoRegister(h2, Record, &b));
    BYTE buffer[8] = {};
    ULONG returned = 0;
    KsDeviceIoControl(h2, 1, buffer, 8, buffer, 8, &returned);
    KsDeviceIoControl(h2, 1, buffer, 8, buffer, 8, &returned);
    KsDeviceIoControl(h1, 1, buffer, 8, buffer, 8, &returned);
    EXPECT_EQ(1, a.calls);
    EXPECT_EQ(2, b.calls);
    KsDeviceIoUnregister(h1);
    KsDeviceIoUnregister(h2);
    CloseHandle(h1);
    CloseHandle(h2);
}
}

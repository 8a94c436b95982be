#include "hardware/bus/RegisterAccess.h"
#include "hardware/bus/ScopedLock.h"

#include <gtest/gtest.h>

namespace
{
// Only the slots every transport must supply, recording the GPIO writes.
class CMinimalAccess : public CRegisterAccess
{
public:
    HRESULT Attach(IUnknown*, ULONG_PTR) override { return S_OK; }
    HRESULT Command1(BYTE) override { return S_OK; }
    HRESULT ReadByte(BYTE, LONG, BYTE*) override { return S_OK; }
    HRESULT WriteByte(BYTE, LONG, BYTE) override { return S_OK; }
    HRESULT I2CRead(BYTE*, LONG) override { return S_OK; }
    HRESULT I2CWrite(BYTE*, LONG) override { return S_OK; }
    HRESULT Command3(BYTE) override { return S_OK; }
    HRESULT ReadGpio(DWORD*) override { return S_OK; }
    HRESULT WriteGpio(DWORD value, DWORD mask) override
    {
        lastValue = value;
        lastMask = mask;
        ++writes;
        return 0x1234;
    }
    CRITICAL_SECTION* Section() { return &m_cs; }
    DWORD lastValue = 0, lastMask = 0;
    int writes = 0;
};

TEST(RegisterAccess, DefaultBodies)
{
    CMinimalAccess access;
    CRegisterAccess& bus = access;
    EXPECT_EQ(0x1234, bus.WriteGpioDelayed(0x10, 0x30, 500));
    EXPECT_EQ(1, access.writes);
    EXPECT_EQ(0x10u, access.lastValue);
    EXPECT_EQ(0x30u, access.lastMask);
    EXPECT_EQ(S_OK, bus.Command7(1));
    EXPECT_EQ(S_OK, bus.Command8(1));
    EXPECT_EQ(S_OK, bus.Command9());
    EXPECT_EQ(S_OK, bus.Command10(1));
    EXPECT_EQ(S_OK, bus.SetGpioLine(1));
    EXPECT_EQ(S_OK, bus.Reserved18(1));
    BYTE b = 0;
    DWORD d = 0;
    EXPECT_EQ(E_FAIL, bus.Reserved16(1, 2));
    EXPECT_EQ(E_FAIL, bus.ReadRegisterByte(0x1B4, &b));
    EXPECT_EQ(E_FAIL, bus.ReadRegister(0x1B4, &d));
    EXPECT_EQ(E_FAIL, bus.WriteRegister(0x1B4, 1));
    EXPECT_EQ(E_FAIL, bus.Reserved21(0));
    EXPECT_EQ(E_FAIL, bus.Reserved22(0));
    EXPECT_EQ(E_FAIL, bus.Reserved23(0));
    EXPECT_EQ(E_FAIL, bus.Reserved24(0));
}

DWORD WINAPI TryEnter(LPVOID p)
{
    return TryEnterCriticalSection(static_cast<CRITICAL_SECTION*>(p)) ? 1 : 0;
}

TEST(ScopedLock, HoldsTheSectionForItsScope)
{
    CMinimalAccess access;
    {
        CScopedLock lock(access.Section());
        HANDLE hThread = CreateThread(NULL, 0, TryEnter, access.Section(), 0, NULL);
        WaitForSingleObject(hThread, INFINITE);
        DWORD code = 9;
        GetExitCodeThread(hThread, &code);
        CloseHandle(hThread);
        EXPECT_EQ(0u, code);
    }
    EXPECT_TRUE(TryEnterCriticalSection(access.Section()));
    LeaveCriticalSection(access.Section());
}
}

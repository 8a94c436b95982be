#include "hardware/bus/2388xRegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

namespace
{
// Runs the holder program, which takes "GPIO_LOCK" in its own process.
class CLockHolder
{
public:
    CLockHolder()
    {
        char name[64];
        sprintf(name, "GpioLockHeld-%lu", GetCurrentProcessId());
        m_held = name;
        sprintf(name, "GpioLockRelease-%lu", GetCurrentProcessId());
        m_release = name;
        m_hHeld = CreateEventA(NULL, TRUE, FALSE, m_held.c_str());
        m_hRelease = CreateEventA(NULL, TRUE, FALSE, m_release.c_str());
        std::string command = "GpioLockHolder.exe " + m_held + " " + m_release;
        STARTUPINFOA si = { sizeof(si) };
        m_bStarted = CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi);
    }
    ~CLockHolder()
    {
        Release();
        if (m_bStarted)
        {
            CloseHandle(m_pi.hThread);
            CloseHandle(m_pi.hProcess);
        }
        CloseHandle(m_hHeld);
        CloseHandle(m_hRelease);
    }
    BOOL WaitHeld() { return m_bStarted && WaitForSingleObject(m_hHeld, 10000) == WAIT_OBJECT_0; }
    void Release()
    {
        SetEvent(m_hRelease);
        if (m_bStarted)
            WaitForSingleObject(m_pi.hProcess, 10000);
    }

private:
    std::string m_held, m_release;
    HANDLE m_hHeld, m_hRelease;
    PROCESS_INFORMATION m_pi = {};
    BOOL m_bStarted;
};

TEST(GpioLock, AnotherProcessHoldingTheLockKeepsTheTransportOff)
{
    CFastBusClock clock;
    CRecordingPropertySet props;
    C2388xRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&props, 0));
    {
        CLockHolder holder;
        ASSERT_TRUE(holder.WaitHeld());
        DWORD start = GetTickCount();
        BYTE tune[5] = { 0xC0, 0x1F, 0xE2, 0xCE, 0x08 };
        EXPECT_EQ(E_FAIL, access.I2CWrite(tune, 5));
        DWORD elapsed = GetTickCount() - start;
        EXPECT_GE(elapsed, 900u);
        EXPECT_LT(elapsed, 3000u);
        EXPECT_TRUE(props.Calls().empty());
        holder.Release();
        EXPECT_EQ(S_OK, access.I2CWrite(tune, 5));
        EXPECT_EQ(1u, props.Calls().size());
    }
}

TEST(GpioLock, TheTransportReleasesTheLockAfterEachOperation)
{
    CFastBusClock clock;
    CRecordingPropertySet props;
    C2388xRegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&props, 0));
    EXPECT_EQ(S_OK, access.WriteGpio(1, 1));
    DWORD d = 0;
    EXPECT_EQ(S_OK, access.ReadGpio(&d));
    CLockHolder holder;
    EXPECT_TRUE(holder.WaitHeld());
}
}

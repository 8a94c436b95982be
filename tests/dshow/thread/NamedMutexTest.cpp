#include "dshow/NamedMutex.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const char kRemoteControl[] = "Mutex_Remote_Control";

std::string HolderPath()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string s(szPath);
    s.erase(s.find_last_of("\\/") + 1);
    return s + "MutexHolder.exe";
}

// Starts the holder program with the given arguments; returns its process handle.
HANDLE StartHolder(const std::string& args)
{
    std::string cmd = "\"" + HolderPath() + "\" " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

DWORD WaitExit(HANDLE hProcess)
{
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hProcess, 20000));
    DWORD dwCode = 0xDEAD;
    GetExitCodeProcess(hProcess, &dwCode);
    CloseHandle(hProcess);
    return dwCode;
}

// The holder process takes the mutex and waits until the test lets it go.
class HeldByOtherProcess
{
public:
    explicit HeldByOtherProcess(const char* pszMutex, bool bDie = false)
    {
        m_hReady = CreateEventA(NULL, TRUE, FALSE, "OndrixTest_HolderReady");
        m_hRelease = CreateEventA(NULL, TRUE, FALSE, "OndrixTest_HolderRelease");
        std::string args = std::string(bDie ? "die " : "hold ") + pszMutex +
                           " OndrixTest_HolderReady OndrixTest_HolderRelease";
        m_hProcess = StartHolder(args);
    }
    bool WaitReady() { return m_hProcess && WaitForSingleObject(m_hReady, 20000) == WAIT_OBJECT_0; }
    DWORD Release()
    {
        SetEvent(m_hRelease);
        DWORD dw = WaitExit(m_hProcess);
        m_hProcess = NULL;
        return dw;
    }
    ~HeldByOtherProcess()
    {
        if (m_hProcess)
            Release();
        CloseHandle(m_hReady);
        CloseHandle(m_hRelease);
    }

private:
    HANDLE m_hReady, m_hRelease, m_hProcess;
};

}  // namespace

TEST(NamedMutex, LockAndUnlockInOneProcess)
{
    CNamedMutex mutex(kRemoteControl, FALSE);
    ASSERT_NE(nullptr, mutex.GetHandle());
    EXPECT_TRUE(mutex.Lock());
    EXPECT_TRUE(mutex.Unlock());
    // Not owned any more: releasing again fails.
    EXPECT_FALSE(mutex.Unlock());
}

TEST(NamedMutex, SameNameOpensTheSameMutex)
{
    CNamedMutex first(kRemoteControl, FALSE);
    CNamedMutex second(kRemoteControl, FALSE);
    ASSERT_NE(nullptr, second.GetHandle());
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    ASSERT_TRUE(first.Lock());
    // Another thread opening the same name must wait and time out.
    BOOL bOther = TRUE;
    std::thread other([&bOther] {
        CNamedMutex m(kRemoteControl, FALSE);
        bOther = m.Lock();
    });
    other.join();
    EXPECT_FALSE(bOther);
    first.Unlock();
}

TEST(NamedMutex, WithoutHandleEverythingFails)
{
    // A name with a backslash outside a namespace prefix cannot be created.
    CNamedMutex mutex("No\\Such\\Namespace\\Mutex", FALSE);
    ASSERT_EQ(nullptr, mutex.GetHandle());
    EXPECT_FALSE(mutex.Lock());
    EXPECT_FALSE(mutex.Unlock());
    mutex.Close();
    EXPECT_EQ(nullptr, mutex.GetHandle());
}

TEST(NamedMutex, CloseClearsTheHandle)
{
    CNamedMutex mutex(kRemoteControl, FALSE);
    mutex.Close();
    EXPECT_EQ(nullptr, mutex.GetHandle());
    EXPECT_FALSE(mutex.Lock());
    mutex.Close();
}

TEST(NamedMutex, SecondProcessIsExcludedWhileWeHoldIt)
{
    CNamedMutex mutex(kRemoteControl, FALSE);
    ASSERT_TRUE(mutex.Lock());
    EXPECT_EQ(1u, WaitExit(StartHolder(std::string("try ") + kRemoteControl)));
    ASSERT_TRUE(mutex.Unlock());
    EXPECT_EQ(0u, WaitExit(StartHolder(std::string("try ") + kRemoteControl)));
}

TEST(NamedMutex, LockTimesOutWhileAnotherProcessHoldsIt)
{
    HeldByOtherProcess holder(kRemoteControl);
    ASSERT_TRUE(holder.WaitReady());
    CNamedMutex mutex(kRemoteControl, FALSE);
    DWORD dwStart = GetTickCount();
    EXPECT_FALSE(mutex.Lock());
    DWORD dwWaited = GetTickCount() - dwStart;
    EXPECT_GE(dwWaited, 900u);
    EXPECT_LT(dwWaited, 5000u);
    EXPECT_EQ(0u, holder.Release());
    EXPECT_TRUE(mutex.Lock());
    EXPECT_TRUE(mutex.Unlock());
}

TEST(NamedMutex, MutexAbandonedByADeadProcessIsAcquired)
{
    // Opened first: with no handle left open the system would destroy the
    // mutex together with the dead process.
    CNamedMutex mutex(kRemoteControl, FALSE);
    HeldByOtherProcess holder(kRemoteControl, true);
    ASSERT_TRUE(holder.WaitReady());
    EXPECT_EQ(0u, holder.Release());
    ASSERT_TRUE(mutex.Lock());
    // We own it now: another process is excluded, and after our unlock it is free.
    EXPECT_EQ(1u, WaitExit(StartHolder(std::string("try ") + kRemoteControl)));
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_EQ(0u, WaitExit(StartHolder(std::string("try ") + kRemoteControl)));
}

TEST(NamedMutex, InitialOwnerHoldsItAtOnce)
{
    CNamedMutex mutex("OndrixTest_InitialOwner", TRUE);
    ASSERT_NE(nullptr, mutex.GetHandle());
    EXPECT_EQ(1u, WaitExit(StartHolder("try OndrixTest_InitialOwner")));
    EXPECT_TRUE(mutex.Unlock());
}

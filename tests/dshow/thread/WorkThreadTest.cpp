#include "dshow/EventWorker.h"
#include "dshow/WorkThread.h"

#include <gtest/gtest.h>

namespace {

// Records which of its operations ran; Run waits for the stop event.
class RecordingWorker : public CWorkThread
{
public:
    explicit RecordingWorker(bool bWaitForStop = true, int nExit = 7)
        : m_bWaitForStop(bWaitForStop), m_nExit(nExit)
    {
    }
    ~RecordingWorker() override { Stop(); }

    BOOL InitInstance() override
    {
        InterlockedIncrement(&m_nInit);
        m_nRunningThread = GetCurrentThreadId();
        return CWorkThread::InitInstance();
    }
    int Run() override
    {
        InterlockedIncrement(&m_nRun);
        while (m_bWaitForStop && !IsStopping())
            WaitForSingleObject(GetStopEvent(), INFINITE);
        return 0;
    }
    int ExitInstance() override
    {
        InterlockedIncrement(&m_nExitCalls);
        return m_nExit;
    }

    volatile LONG m_nInit = 0, m_nRun = 0, m_nExitCalls = 0;
    DWORD m_nRunningThread = 0;

private:
    bool m_bWaitForStop;
    int m_nExit;
};

HANDLE Duplicate(HANDLE h)
{
    HANDLE hDup = NULL;
    DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &hDup, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return hDup;
}

}  // namespace

TEST(WorkThread, CreatedSuspendedAndNotRunning)
{
    RecordingWorker worker;
    ASSERT_NE(nullptr, worker.GetThreadHandle());
    EXPECT_NE(0u, worker.GetThreadId());
    EXPECT_NE(nullptr, worker.GetStopEvent());
    EXPECT_FALSE(worker.IsStopping());
    // Suspending returns the previous count: created suspended, never resumed.
    EXPECT_EQ(1u, SuspendThread(worker.GetThreadHandle()));
    EXPECT_EQ(2u, ResumeThread(worker.GetThreadHandle()));
    EXPECT_EQ(0, worker.m_nInit);
    EXPECT_EQ(THREAD_PRIORITY_NORMAL, worker.GetPriority());
}

TEST(WorkThread, ResumeStartsOnceThenReportsCountZero)
{
    RecordingWorker worker;
    // ResumeThread's result: the previous suspend count.
    EXPECT_EQ(1u, worker.Resume());
    EXPECT_EQ(0u, worker.Resume());
    EXPECT_EQ(0u, worker.Resume());
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(1, worker.m_nInit);
    EXPECT_EQ(1, worker.m_nRun);
    EXPECT_EQ(1, worker.m_nExitCalls);
    EXPECT_EQ(worker.GetThreadId(), worker.m_nRunningThread);
}

TEST(WorkThread, StopOnANeverResumedWorkerRunsItOnceAndWaits)
{
    RecordingWorker worker;
    HANDLE hThread = Duplicate(worker.GetThreadHandle());
    EXPECT_TRUE(worker.Stop());
    // Stop returned only after the thread ended.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 0));
    EXPECT_EQ(1, worker.m_nInit);
    EXPECT_EQ(1, worker.m_nRun);
    EXPECT_EQ(1, worker.m_nExitCalls);
    DWORD dwExit = 0;
    GetExitCodeThread(hThread, &dwExit);
    EXPECT_EQ(7u, dwExit);
    CloseHandle(hThread);
    EXPECT_EQ(nullptr, worker.GetThreadHandle());
    EXPECT_EQ(nullptr, worker.GetStopEvent());
}

TEST(WorkThread, StopClosesTheThreadHandle)
{
    RecordingWorker worker;
    HANDLE hOriginal = worker.GetThreadHandle();
    DWORD dwFlags = 0;
    ASSERT_TRUE(GetHandleInformation(hOriginal, &dwFlags));
    worker.Resume();
    worker.Stop();
    EXPECT_FALSE(GetHandleInformation(hOriginal, &dwFlags));
    EXPECT_EQ(nullptr, worker.GetThreadHandle());
}

TEST(WorkThread, AThreadThatEndsByItselfKeepsItsHandleUntilStop)
{
    RecordingWorker worker(false);
    HANDLE hThread = Duplicate(worker.GetThreadHandle());
    worker.Resume();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    CloseHandle(hThread);
    // The handle is Stop's to wait on and close, not the ended thread's to clear.
    EXPECT_NE(nullptr, worker.GetThreadHandle());
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(nullptr, worker.GetThreadHandle());
    EXPECT_EQ(1, worker.m_nExitCalls);
}

TEST(WorkThread, StopTwiceAndResumeAfterStop)
{
    RecordingWorker worker;
    worker.Resume();
    EXPECT_TRUE(worker.Stop());
    EXPECT_TRUE(worker.Stop());
    EXPECT_TRUE(worker.IsStopping());
    EXPECT_EQ(0xFFFFFFFFu, worker.Resume());
    // Without its stop event the object cannot run again.
    EXPECT_FALSE(worker.InitInstance());
}

TEST(WorkThread, DeletingARunningWorkerStopsIt)
{
    RecordingWorker* pWorker = new RecordingWorker;
    pWorker->Resume();
    HANDLE hThread = Duplicate(pWorker->GetThreadHandle());
    delete pWorker;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 0));
    CloseHandle(hThread);
}

namespace {

class TestOwner : public IEventWorkerOwner
{
public:
    TestOwner() : m_hEvent(CreateEventA(NULL, FALSE, FALSE, NULL)) {}
    ~TestOwner() { CloseHandle(m_hEvent); }
    HANDLE GetWorkerEvent() override { return m_hEvent; }
    EventCallback GetWorkerCallback() override { return m_pfn; }

    HANDLE m_hEvent;
    EventCallback m_pfn = nullptr;
};

volatile LONG g_nCallbacks = 0;
HANDLE g_hCalled = NULL;

void CountingCallback()
{
    InterlockedIncrement(&g_nCallbacks);
    SetEvent(g_hCalled);
}

// Signals the auto-reset event and returns true once the thread has taken the
// signal, false when the thread ended without taking it.
bool SignalUntilTaken(HANDLE hEvent, HANDLE hThread)
{
    SetEvent(hEvent);
    for (;;)
    {
        if (WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0)
            return false;
        SwitchToThread();
        if (WaitForSingleObject(hEvent, 0) == WAIT_TIMEOUT)
            return true;
        // Taken by this thread, not the worker: give it back.
        SetEvent(hEvent);
    }
}

}  // namespace

TEST(EventWorker, CallsTheCallbackOncePerSignal)
{
    g_nCallbacks = 0;
    g_hCalled = CreateEventA(NULL, FALSE, FALSE, NULL);
    TestOwner owner;
    owner.m_pfn = &CountingCallback;
    {
        CEventWorker worker(&owner);
        EXPECT_EQ(&owner, worker.GetOwner());
        worker.Resume();
        for (int i = 0; i < 3; ++i)
        {
            SetEvent(owner.m_hEvent);
            ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_hCalled, 10000));
        }
        EXPECT_EQ(3, g_nCallbacks);
    }
    EXPECT_EQ(3, g_nCallbacks);
    CloseHandle(g_hCalled);
}

TEST(EventWorker, WithoutCallbackKeepsWaiting)
{
    TestOwner owner;
    CEventWorker worker(&owner);
    worker.Resume();
    // A worker that ended after the first signal could not take the second.
    HANDLE hThread = Duplicate(worker.GetThreadHandle());
    EXPECT_TRUE(SignalUntilTaken(owner.m_hEvent, hThread));
    EXPECT_TRUE(SignalUntilTaken(owner.m_hEvent, hThread));
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 0));
    CloseHandle(hThread);
}

TEST(EventWorker, TheStopEventWinsOverAPendingSignalAndResetsIt)
{
    TestOwner owner;
    CEventWorker worker(&owner);
    // Both handles signalled before the worker's first wait, the stop flag not set.
    SetEvent(owner.m_hEvent);
    SetEvent(worker.GetStopEvent());
    HANDLE hThread = Duplicate(worker.GetThreadHandle());
    worker.Resume();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    CloseHandle(hThread);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(owner.m_hEvent, 0));
    EXPECT_TRUE(worker.Stop());
}

TEST(EventWorker, RunWithTheStopFlagSetReturnsAtOnce)
{
    TestOwner owner;
    CEventWorker worker(&owner);
    worker.Stop();
    SetEvent(owner.m_hEvent);
    EXPECT_EQ(0, worker.Run());
    // Not waited on: the owner's event is still signalled.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(owner.m_hEvent, 0));
}

TEST(EventWorker, WithoutOwnerItDoesNotRun)
{
    CEventWorker worker(nullptr);
    EXPECT_FALSE(worker.InitInstance());
    worker.Resume();
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(0, worker.ExitInstance());
}

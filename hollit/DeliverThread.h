#pragma once

#include <windows.h>

// A worker that, once resumed, waits one period on its event and then runs its callback once.
// Stopping wakes it, lets it finish and waits for its end.
class CDeliverThread
{
public:
    typedef void (*Callback)(void* argument);

    // Wait mode 1: Stop waits with WaitForSingleObject; 0: Stop keeps pumping messages meanwhile.
    CDeliverThread(int waitMode, Callback callback, void* argument);
    ~CDeliverThread();

    CDeliverThread(const CDeliverThread&) = delete;
    CDeliverThread& operator=(const CDeliverThread&) = delete;

    // Creates the thread suspended.
    BOOL Create();
    BOOL Resume();
    BOOL SetPriority(int priority);
    void Stop();

    HANDLE GetHandle() const { return m_hThread; }

private:
    static unsigned __stdcall ThreadEntry(void* self);
    void Run();
    void WaitForEnd();

    HANDLE m_hThread;
    unsigned m_threadId;
    LONG m_suspendCount;
    volatile LONG m_stop;
    HANDLE m_hEvent;
    int m_waitMode;
    DWORD m_period;
    Callback m_callback;
    void* m_argument;
};

#pragma once

#include <windows.h>

// Base of the hardware library's background workers. The thread is created
// suspended and runs only after Resume; Stop asks it to end through the stop
// flag and the stop event and waits for it.
//
// A derived class must call Stop in its own destructor: once the derived part
// is gone, the thread would otherwise call into a half-destroyed object.
class CWorkThread
{
public:
    CWorkThread();

    virtual BOOL Stop();
    virtual BOOL InitInstance();
    virtual ~CWorkThread();
    virtual int Run() = 0;
    virtual int ExitInstance() = 0;

    DWORD Resume();
    int GetPriority() const;

    HANDLE GetThreadHandle() const { return m_hThread; }
    UINT GetThreadId() const { return m_nThreadId; }
    BOOL IsStopping() const { return m_nStop != 0; }
    HANDLE GetStopEvent() const { return m_hStopEvent; }

protected:
    BOOL InitEvent();
    BOOL Create(DWORD dwFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES pSecurity);

    HANDLE m_hThread;
    UINT m_nThreadId;
    volatile LONG m_nSuspendCount;
    volatile LONG m_nStop;
    HANDLE m_hStopEvent;

private:
    static unsigned __stdcall ThreadEntry(void* pParam);

    CWorkThread(const CWorkThread&) = delete;
    CWorkThread& operator=(const CWorkThread&) = delete;
};

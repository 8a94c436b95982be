#include "dshow/WorkThread.h"

#include <process.h>

CWorkThread::CWorkThread()
{
    InitEvent();
    Create(CREATE_SUSPENDED, 0, NULL);
}

CWorkThread::~CWorkThread()
{
    Stop();
}

BOOL CWorkThread::InitEvent()
{
    m_hThread = NULL;
    m_nThreadId = 0;
    m_nSuspendCount = 0;
    m_nStop = 0;
    m_hStopEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    return m_hStopEvent != NULL;
}

BOOL CWorkThread::Create(DWORD dwFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES pSecurity)
{
    unsigned nId = 0;
    uintptr_t h = _beginthreadex(pSecurity, nStackSize, &CWorkThread::ThreadEntry, this,
                                 dwFlags, &nId);
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadId = nId;
    m_nSuspendCount = 1;
    return m_hThread != NULL;
}

unsigned __stdcall CWorkThread::ThreadEntry(void* pParam)
{
    CWorkThread* pThis = static_cast<CWorkThread*>(pParam);
    if (pThis->InitInstance())
        pThis->Run();
    unsigned nExit = static_cast<unsigned>(pThis->ExitInstance());
    // The handle belongs to Stop, which waits for this thread and then closes
    // it; clearing it here would race that wait and leak the handle.
    _endthreadex(nExit);
    return nExit;
}

BOOL CWorkThread::InitInstance()
{
    return m_hStopEvent != NULL;
}

DWORD CWorkThread::Resume()
{
    if (m_hThread == NULL)
        return 0xFFFFFFFF;
    if (m_nSuspendCount < 1)
        return static_cast<DWORD>(m_nSuspendCount);
    DWORD dwResult = ResumeThread(m_hThread);
    if (dwResult != 0xFFFFFFFF)
        InterlockedDecrement(&m_nSuspendCount);
    return dwResult;
}

int CWorkThread::GetPriority() const
{
    return GetThreadPriority(m_hThread);
}

BOOL CWorkThread::Stop()
{
    InterlockedExchange(&m_nStop, 1);
    if (m_hThread != NULL)
    {
        if (m_hStopEvent != NULL)
            SetEvent(m_hStopEvent);
        // A worker that was never started must run once so that it can end.
        while (m_nSuspendCount >= 1)
        {
            if (Resume() == 0xFFFFFFFF)
                break;
        }
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    if (m_hStopEvent != NULL)
    {
        CloseHandle(m_hStopEvent);
        m_hStopEvent = NULL;
    }
    return TRUE;
}

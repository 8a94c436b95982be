#include "hollit/DeliverThread.h"

#include <process.h>

namespace {
volatile LONG g_boostDisabled = 0;
}

CDeliverThread::CDeliverThread(int waitMode, Callback callback, void* argument)
    : m_hThread(nullptr), m_threadId(0), m_suspendCount(0), m_stop(0), m_hEvent(nullptr),
      m_waitMode(waitMode), m_period(50), m_callback(callback), m_argument(argument)
{
}

CDeliverThread::~CDeliverThread()
{
    Stop();
}

BOOL CDeliverThread::Create()
{
    if (m_hThread != nullptr)
        return TRUE;
    m_hEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_hEvent == nullptr)
        return FALSE;
    m_stop = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, &CDeliverThread::ThreadEntry, this, CREATE_SUSPENDED, &m_threadId);
    if (handle == 0) {
        CloseHandle(m_hEvent);
        m_hEvent = nullptr;
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_suspendCount = 1;
    return TRUE;
}

BOOL CDeliverThread::Resume()
{
    if (m_hThread == nullptr)
        return FALSE;
    DWORD previous = ResumeThread(m_hThread);
    if (previous == static_cast<DWORD>(-1))
        return FALSE;
    m_suspendCount = previous > 0 ? static_cast<LONG>(previous) - 1 : 0;
    return TRUE;
}

BOOL CDeliverThread::SetPriority(int priority)
{
    if (m_hThread == nullptr)
        return FALSE;
    // A boosted worker would starve the streaming thread after every wake-up.
    if (InterlockedExchange(&g_boostDisabled, 1) == 0)
        SetThreadPriorityBoost(m_hThread, TRUE);
    return SetThreadPriority(m_hThread, priority);
}

void CDeliverThread::Stop()
{
    if (m_hThread == nullptr)
        return;
    InterlockedExchange(&m_stop, 1);
    SetEvent(m_hEvent);
    while (m_suspendCount > 0 && Resume()) {
    }
    WaitForEnd();
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    CloseHandle(m_hEvent);
    m_hEvent = nullptr;
}

void CDeliverThread::WaitForEnd()
{
    if (m_waitMode == 1) {
        WaitForSingleObject(m_hThread, INFINITE);
        return;
    }
    for (;;) {
        DWORD result = MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_ALLINPUT);
        if (result != WAIT_OBJECT_0 + 1)
            return;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

unsigned __stdcall CDeliverThread::ThreadEntry(void* self)
{
    static_cast<CDeliverThread*>(self)->Run();
    return 0;
}

void CDeliverThread::Run()
{
    while (m_stop == 0) {
        if (WaitForSingleObject(m_hEvent, m_period) == WAIT_TIMEOUT) {
            m_callback(m_argument);
            return;
        }
    }
}

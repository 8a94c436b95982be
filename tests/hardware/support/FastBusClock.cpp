#include "tests/hardware/support/FastBusClock.h"

CFastBusClock::CFastBusClock()
    : m_tick(100000), m_tickPerRead(0), m_waits(0), m_parkAt(0)
{
    InitializeCriticalSection(&m_cs);
    m_hParked = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_pPrevious = CBusClock::Install(this);
}

CFastBusClock::~CFastBusClock()
{
    CBusClock::Install(m_pPrevious);
    CloseHandle(m_hParked);
    DeleteCriticalSection(&m_cs);
}

void CFastBusClock::Sleep(DWORD ms)
{
    EnterCriticalSection(&m_cs);
    m_sleeps.push_back(ms);
    LeaveCriticalSection(&m_cs);
    Advance(ms);
}

DWORD CFastBusClock::GetTickCount()
{
    DWORD tick = m_tick;
    Advance(m_tickPerRead);
    return tick;
}

DWORD CFastBusClock::WaitForStop(HANDLE hStopEvent, DWORD ms)
{
    LONG n = InterlockedIncrement(&m_waits);
    if (m_parkAt != 0 && n == m_parkAt)
    {
        SetEvent(m_hParked);
        return WaitForSingleObject(hStopEvent, INFINITE);
    }
    DWORD result = WaitForSingleObject(hStopEvent, 0);
    if (result == WAIT_TIMEOUT)
        Advance(ms);
    return result;
}

std::vector<DWORD> CFastBusClock::Sleeps()
{
    EnterCriticalSection(&m_cs);
    std::vector<DWORD> sleeps = m_sleeps;
    LeaveCriticalSection(&m_cs);
    return sleeps;
}

#include "hardware/tuners/WaitEvent.h"

#include "hardware/bus/BusClock.h"

CWaitEvent::CWaitEvent()
    : m_hEvent(CreateEventA(NULL, FALSE, FALSE, NULL))
{
}

CWaitEvent::~CWaitEvent()
{
    if (m_hEvent != NULL)
        CloseHandle(m_hEvent);
}

void CWaitEvent::Wait(DWORD ms)
{
    if (m_hEvent != NULL)
        CBusClock::Current()->WaitForStop(m_hEvent, ms);
    else
        BusSleep(ms);
}

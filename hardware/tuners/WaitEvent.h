#pragma once

#include <windows.h>

// An event nobody signals: a wait on it is a sleep that nothing cuts short.
// The wait goes through the bus clock so tests do not spend the time.
class CWaitEvent
{
public:
    CWaitEvent();
    virtual ~CWaitEvent();

    void Wait(DWORD ms);
    HANDLE Handle() const { return m_hEvent; }

private:
    CWaitEvent(const CWaitEvent&) = delete;
    CWaitEvent& operator=(const CWaitEvent&) = delete;

    HANDLE m_hEvent;
};

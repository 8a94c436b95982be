#pragma once

#include <windows.h>

// Where the hardware library waits and reads the time. Tuning and bus code
// waits on the hardware (a GPIO write settles for 100 ms, a tuner locks in
// tens of ms); tests install a clock of their own so they never wait for it.
class CBusClock
{
public:
    virtual ~CBusClock() {}

    virtual void Sleep(DWORD ms) = 0;
    virtual DWORD GetTickCount() = 0;
    // A worker's timed wait on its stop event: WAIT_TIMEOUT when the time
    // passed, anything else ends the worker's loop.
    virtual DWORD WaitForStop(HANDLE hStopEvent, DWORD ms) = 0;

    // The clock in use: the system's unless another was installed.
    static CBusClock* Current();
    // Installs a clock (null puts the system's back); returns the previous one.
    static CBusClock* Install(CBusClock* pClock);
};

inline void BusSleep(DWORD ms) { CBusClock::Current()->Sleep(ms); }
inline DWORD BusTickCount() { return CBusClock::Current()->GetTickCount(); }

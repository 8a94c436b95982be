#pragma once
#include <windows.h>

// Calls a plain function periodically on the thread that started it, through a window-less thread
// timer; a global map finds the object of a timer id. The callback's negative result stops the timer.
class CCallbackTimer
{
public:
    typedef int (*Callback)();

    CCallbackTimer();
    virtual ~CCallbackTimer();

    void SetCallback(Callback callback) { m_callback = callback; }
    void Start(UINT periodMs);
    void Stop();
    void Restart() { Start(m_period); }
    // 1 while this object's callback runs: one callback serving several timers can tell which woke it.
    int IsFired() const { return m_fired; }
    void ClearFired() { m_fired = 0; }
    UINT_PTR GetTimerId() const { return m_timerId; }
    UINT GetPeriod() const { return m_period; }

    static void CALLBACK TimerProc(HWND wnd, UINT msg, UINT_PTR id, DWORD time);

private:
    CCallbackTimer(const CCallbackTimer&) = delete;
    CCallbackTimer& operator=(const CCallbackTimer&) = delete;

    UINT_PTR m_timerId;
    UINT m_period;
    Callback m_callback;
    int m_fired;
};

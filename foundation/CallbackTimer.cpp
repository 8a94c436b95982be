#include "foundation/CallbackTimer.h"

#include <map>

namespace {
// Stopped ids stay in the map with a null object.
std::map<UINT_PTR, CCallbackTimer*> g_timers;
}  // namespace

CCallbackTimer::CCallbackTimer() : m_timerId(0), m_period(0), m_callback(nullptr), m_fired(0)
{
}

CCallbackTimer::~CCallbackTimer()
{
    Stop();
}

void CCallbackTimer::Start(UINT periodMs)
{
    Stop();
    m_timerId = SetTimer(nullptr, 0, periodMs, TimerProc);
    if (m_timerId == 0)
        return;
    m_period = periodMs;
    g_timers[m_timerId] = this;
}

void CCallbackTimer::Stop()
{
    if (m_timerId == 0)
        return;
    KillTimer(nullptr, m_timerId);
    g_timers[m_timerId] = nullptr;
    m_fired = 0;
}

void CALLBACK CCallbackTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    CCallbackTimer* timer = g_timers[id];
    if (!timer)
    {
        KillTimer(nullptr, id);
        return;
    }
    if (!timer->m_callback)
    {
        timer->Stop();
        return;
    }
    timer->m_fired = 1;
    if (timer->m_callback() < 0)
        timer->Stop();
    else
        timer->m_fired = 0;
}

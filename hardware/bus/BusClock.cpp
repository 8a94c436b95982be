#include "hardware/bus/BusClock.h"

namespace
{
class CSystemBusClock : public CBusClock
{
public:
    void Sleep(DWORD ms) override { ::Sleep(ms); }
    DWORD GetTickCount() override { return ::GetTickCount(); }
    DWORD WaitForStop(HANDLE hStopEvent, DWORD ms) override
    {
        return WaitForSingleObject(hStopEvent, ms);
    }
};

CSystemBusClock g_systemClock;
CBusClock* volatile g_pClock = &g_systemClock;
}

CBusClock* CBusClock::Current()
{
    return g_pClock;
}

CBusClock* CBusClock::Install(CBusClock* pClock)
{
    CBusClock* pNew = pClock != NULL ? pClock : &g_systemClock;
    return static_cast<CBusClock*>(InterlockedExchangePointer(
        reinterpret_cast<PVOID volatile*>(&g_pClock), pNew));
}

#pragma once

#include "hardware/bus/BusClock.h"

#include <vector>

// A bus clock for tests: sleeps and timed waits return at once and only move
// a fake tick count; every sleep is recorded. While installed it replaces the
// system clock. A test can park the n-th timed wait until the stop event
// comes, to stop a worker in the middle of its loop.
class CFastBusClock : public CBusClock
{
public:
    CFastBusClock();
    ~CFastBusClock() override;

    void Sleep(DWORD ms) override;
    DWORD GetTickCount() override;
    DWORD WaitForStop(HANDLE hStopEvent, DWORD ms) override;

    // The tick count moves by this much on every GetTickCount call as well.
    void SetTickPerRead(DWORD ms) { m_tickPerRead = ms; }
    void Advance(DWORD ms) { InterlockedExchangeAdd(reinterpret_cast<volatile LONG*>(&m_tick), ms); }
    // Timed wait number n (counted from 1) waits for the stop event for real;
    // ParkedEvent() is signalled when a wait parks.
    void ParkAtWait(LONG n) { m_parkAt = n; }
    HANDLE ParkedEvent() const { return m_hParked; }

    std::vector<DWORD> Sleeps();
    LONG WaitCount() const { return m_waits; }

private:
    CBusClock* m_pPrevious;
    volatile DWORD m_tick;
    DWORD m_tickPerRead;
    volatile LONG m_waits;
    volatile LONG m_parkAt;
    HANDLE m_hParked;
    CRITICAL_SECTION m_cs;
    std::vector<DWORD> m_sleeps;
};

#pragma once

#include <windows.h>

// Holds a simulated card's critical section for the guard's scope.
class CSimLock
{
public:
    explicit CSimLock(CRITICAL_SECTION* p) : m_p(p) { EnterCriticalSection(m_p); }
    ~CSimLock() { LeaveCriticalSection(m_p); }

private:
    CRITICAL_SECTION* m_p;

    CSimLock(const CSimLock&) = delete;
    CSimLock& operator=(const CSimLock&) = delete;
};

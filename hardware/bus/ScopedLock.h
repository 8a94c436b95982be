#pragma once

#include <windows.h>

// Holds a critical section for the guard's scope, on every return path.
// Does not own the section; must be destroyed on the thread that made it.
class CScopedLock
{
public:
    explicit CScopedLock(CRITICAL_SECTION* pSection);
    virtual ~CScopedLock();

private:
    CRITICAL_SECTION* m_pSection;

    CScopedLock(const CScopedLock&) = delete;
    CScopedLock& operator=(const CScopedLock&) = delete;
};

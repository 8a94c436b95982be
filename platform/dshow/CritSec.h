#pragma once
#include <windows.h>

// A recursive lock that knows its owner, so code can check that a caller holds it.
class CCritSec
{
public:
    CCritSec();
    ~CCritSec();
    CCritSec(const CCritSec&) = delete;
    CCritSec& operator=(const CCritSec&) = delete;

    void Lock();
    void Unlock();
    BOOL IsOwnedByCurrentThread() const;

private:
    CRITICAL_SECTION m_cs;
    volatile DWORD m_owner;
    LONG m_depth;
};

// Holds a plain critical section for the guard's scope, on every return path.
// Does not own the section; must be destroyed on the thread that made it.
class CScopedLock
{
public:
    explicit CScopedLock(CRITICAL_SECTION* pSection) : m_pSection(pSection) { EnterCriticalSection(m_pSection); }
    virtual ~CScopedLock() { LeaveCriticalSection(m_pSection); }
    CScopedLock(const CScopedLock&) = delete;
    CScopedLock& operator=(const CScopedLock&) = delete;

private:
    CRITICAL_SECTION* m_pSection;
};

// Holds a CCritSec for its scope.
class CAutoLock
{
public:
    explicit CAutoLock(CCritSec* pLock) : m_pLock(pLock) { m_pLock->Lock(); }
    ~CAutoLock() { m_pLock->Unlock(); }
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CCritSec* m_pLock;
};

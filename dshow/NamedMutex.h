#pragma once

#include <windows.h>

// System-wide named mutex with a bounded wait: serialises every thread and
// process that opens the same name ("Mutex_Remote_Control", "GPIO_LOCK").
class CNamedMutex
{
public:
    enum { LOCK_TIMEOUT_MS = 1000 };

    CNamedMutex(LPCSTR pszName, BOOL bInitialOwner);
    virtual ~CNamedMutex();

    BOOL Lock();
    BOOL Unlock();
    void Close();

    HANDLE GetHandle() const { return m_hMutex; }

private:
    HANDLE m_hMutex;

    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;
};

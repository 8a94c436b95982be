#include "platform/dshow/CritSec.h"

CCritSec::CCritSec() : m_owner(0), m_depth(0)
{
    InitializeCriticalSection(&m_cs);
}

CCritSec::~CCritSec()
{
    DeleteCriticalSection(&m_cs);
}

void CCritSec::Lock()
{
    EnterCriticalSection(&m_cs);
    m_owner = GetCurrentThreadId();
    ++m_depth;
}

void CCritSec::Unlock()
{
    if (--m_depth == 0)
        m_owner = 0;
    LeaveCriticalSection(&m_cs);
}

BOOL CCritSec::IsOwnedByCurrentThread() const
{
    return m_owner == GetCurrentThreadId();
}

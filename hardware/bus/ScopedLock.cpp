#include "hardware/bus/ScopedLock.h"

CScopedLock::CScopedLock(CRITICAL_SECTION* pSection)
    : m_pSection(pSection)
{
    EnterCriticalSection(m_pSection);
}

CScopedLock::~CScopedLock()
{
    LeaveCriticalSection(m_pSection);
}

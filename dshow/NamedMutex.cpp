#include "dshow/NamedMutex.h"

CNamedMutex::CNamedMutex(LPCSTR pszName, BOOL bInitialOwner)
{
    m_hMutex = CreateMutexA(NULL, bInitialOwner, pszName);
}

CNamedMutex::~CNamedMutex()
{
    Close();
}

BOOL CNamedMutex::Lock()
{
    if (m_hMutex == NULL)
        return FALSE;
    DWORD dwWait = WaitForSingleObject(m_hMutex, LOCK_TIMEOUT_MS);
    // An abandoned mutex is owned by us now: whoever held it died, and
    // refusing it would leave it owned and time out every later caller.
    return dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED;
}

BOOL CNamedMutex::Unlock()
{
    if (m_hMutex == NULL)
        return FALSE;
    return ReleaseMutex(m_hMutex);
}

void CNamedMutex::Close()
{
    if (m_hMutex != NULL)
    {
        CloseHandle(m_hMutex);
        m_hMutex = NULL;
    }
}

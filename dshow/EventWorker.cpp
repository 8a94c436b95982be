#include "dshow/EventWorker.h"

CEventWorker::CEventWorker(IEventWorkerOwner* pOwner)
    : m_pOwner(pOwner)
{
}

CEventWorker::~CEventWorker()
{
    Stop();
}

BOOL CEventWorker::InitInstance()
{
    return m_pOwner != NULL && m_hStopEvent != NULL;
}

int CEventWorker::Run()
{
    HANDLE ahWait[2] = { m_hStopEvent, m_pOwner->GetWorkerEvent() };
    IEventWorkerOwner::EventCallback pfnCallback = m_pOwner->GetWorkerCallback();

    if (m_nStop)
        return 0;
    for (;;)
    {
        DWORD dwWait = WaitForMultipleObjects(2, ahWait, FALSE, INFINITE);
        if (dwWait != WAIT_OBJECT_0 + 1)
        {
            if (ahWait[1] != NULL)
                ResetEvent(ahWait[1]);
            return 0;
        }
        if (pfnCallback != NULL)
            pfnCallback();
        if (m_nStop)
            return 0;
    }
}

int CEventWorker::ExitInstance()
{
    return 0;
}

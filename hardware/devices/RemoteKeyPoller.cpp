#include "hardware/devices/RemoteKeyPoller.h"

#include "hardware/bus/BusClock.h"
#include "hardware/devices/CaptureDevice.h"

CRemoteKeyPoller::CRemoteKeyPoller(CCaptureDevice* pOwner)
    : m_pOwner(pOwner), m_mutex("Mutex_Remote_Control", FALSE), m_nPeriod(100)
{
}

CRemoteKeyPoller::~CRemoteKeyPoller()
{
    Stop();
}

BOOL CRemoteKeyPoller::InitInstance()
{
    return m_pOwner != NULL && m_pOwner->GetRegisterAccess() != NULL && CWorkThread::InitInstance();
}

int CRemoteKeyPoller::ExitInstance()
{
    return 0;
}

BOOL CRemoteKeyPoller::SetPeriod(int ms)
{
    if (ms < 1)
        return FALSE;
    InterlockedExchange(&m_nPeriod, ms);
    return TRUE;
}

int CRemoteKeyPoller::Run()
{
    HWND hNotify = m_pOwner->GetNotifyWindow();
    if (hNotify == NULL)
        return 0;
    SetPeriod(m_pOwner->GetKeyPollPeriod());
    CBusClock* pClock = CBusClock::Current();
    while (!IsStopping())
    {
        if (pClock->WaitForStop(GetStopEvent(), static_cast<DWORD>(m_nPeriod)) != WAIT_TIMEOUT)
            break;
        // A lock that times out skips this poll.
        if (!m_mutex.Lock())
            continue;
        BYTE key = 0;
        BOOL bKey = m_pOwner->ReadRemoteKey(&key);
        m_mutex.Unlock();
        if (bKey)
            PostMessageA(hNotify, WM_REMOTE_KEY, key, 0);
    }
    return 0;
}

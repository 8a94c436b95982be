#include "hardware/tuners/TunerScanWorker.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerModule.h"

CTunerScanWorker::CTunerScanWorker(CTunerModule* pOwner)
    : m_pOwner(pOwner), m_nStart(0), m_nEnd(0), m_nStep(100), m_nHitStep(100)
{
}

CTunerScanWorker::~CTunerScanWorker()
{
    Stop();
}

BOOL CTunerScanWorker::InitInstance()
{
    return m_pOwner != NULL && m_pOwner->m_bHasFM && CWorkThread::InitInstance();
}

int CTunerScanWorker::ExitInstance()
{
    return 0;
}

void CTunerScanWorker::SetRange(LONG low, LONG high)
{
    InterlockedExchange(&m_nStart, low);
    InterlockedExchange(&m_nEnd, high);
}

void CTunerScanWorker::SetStep(LONG step)
{
    InterlockedExchange(&m_nStep, step);
}

void CTunerScanWorker::SetStepIfPositive(LONG step)
{
    if (step > 0)
        InterlockedExchange(&m_nStep, step);
}

int CTunerScanWorker::Run()
{
    HWND hNotify = m_pOwner->m_hNotifyWnd;
    InterlockedExchange(&m_nStep, m_pOwner->m_nFMScanStep);
    InterlockedExchange(&m_nHitStep, m_pOwner->m_nFMScanHitStep);
    CBusClock* pClock = CBusClock::Current();
    // 64-bit so that a range ending near the top of the integers still ends.
    for (LONGLONG f = m_nStart; f <= m_nEnd && !IsStopping();)
    {
        LONG step = m_nStep;
        LONG hitStep = m_nHitStep;
        if (m_pOwner->SetFMFrequency(static_cast<float>(f)))
        {
            if (pClock->WaitForStop(GetStopEvent(), SETTLE_MS) != WAIT_TIMEOUT)
                break;
            DWORD code = 0;
            BOOL bFound = m_pOwner->ReadFMStatus(&code) &&
                          code == static_cast<DWORD>(m_pOwner->m_nFMLockCode);
            PostMessageA(hNotify, WM_TUNER_SCAN_STEP, static_cast<WPARAM>(f), bFound ? 1 : 0);
            if (bFound && hitStep > 0)
                step = hitStep;
        }
        // A step of 0 would never reach the end of the range.
        f += step > 0 ? step : 1;
    }
    InterlockedExchange(&m_pOwner->m_bScanning, 0);
    PostMessageA(hNotify, WM_TUNER_SCAN_DONE, 0, 0);
    return 0;
}

#include "hardware/tuners/TVScanWorker.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TunerModule.h"

#include <math.h>

namespace
{
enum { RECENT_COUNT = 4, CONFIRM_READS = 3, LIST_MARGIN_KHZ = 1000 };
}

CTVScanWorker::CTVScanWorker(CTunerModule* pOwner)
    : m_pOwner(pOwner),
      m_nStartStep(625),
      m_nFineStep(125),
      m_nHitJump(3000),
      m_nWindow(1000),
      m_nRangeLow(pOwner != NULL ? pOwner->m_nTVLow : 0),
      m_nRangeHigh(pOwner != NULL ? pOwner->m_nTVHigh : 0),
      m_nClampHigh(pOwner != NULL ? pOwner->m_nTVHigh : 0),
      m_nDwell(60),
      m_nMethod(0)
{
}

CTVScanWorker::~CTVScanWorker()
{
    Stop();
}

BOOL CTVScanWorker::InitInstance()
{
    return m_pOwner != NULL && CWorkThread::InitInstance();
}

int CTVScanWorker::ExitInstance()
{
    return 0;
}

void CTVScanWorker::SetStartStep(LONG step) { InterlockedExchange(&m_nStartStep, step); }
void CTVScanWorker::SetFineStep(LONG step) { InterlockedExchange(&m_nFineStep, step); }
void CTVScanWorker::SetMethod(LONG method) { InterlockedExchange(&m_nMethod, method); }
void CTVScanWorker::SetHitJump(LONG jump) { InterlockedExchange(&m_nHitJump, jump); }
void CTVScanWorker::SetWindow(LONG window) { InterlockedExchange(&m_nWindow, window); }
void CTVScanWorker::SetDwell(LONG ms) { InterlockedExchange(&m_nDwell, ms); }

void CTVScanWorker::SetRange(LONG low, LONG high)
{
    InterlockedExchange(&m_nRangeLow, low);
    InterlockedExchange(&m_nRangeHigh, high);
}

BOOL CTVScanWorker::Dwell()
{
    DWORD ms = m_nDwell > 0 ? static_cast<DWORD>(m_nDwell) : 0;
    return CBusClock::Current()->WaitForStop(GetStopEvent(), ms) == WAIT_TIMEOUT;
}

int CTVScanWorker::Run()
{
    HWND hNotify = m_pOwner->m_hNotifyWnd;
    if (m_nMethod != 0)
        RangeSearch(hNotify);
    else
        ListSearch(hNotify);
    InterlockedExchange(&m_pOwner->m_bScanning, 0);
    PostMessageA(hNotify, WM_TUNER_SCAN_DONE, 0, 0);
    return 0;
}

BOOL CTVScanWorker::ConfirmCarrier()
{
    DWORD present = 0;
    if (m_pOwner->IsSignalPresent(&present))
        return present != 0;
    // No word from the decoder: three readings on the carrier in a row will do.
    for (int i = 0; i < CONFIRM_READS; ++i)
    {
        DWORD code = 0;
        if (!m_pOwner->ReadTVStatus(&code) || code != static_cast<DWORD>(m_pOwner->m_nAfcCode3))
            return FALSE;
    }
    return TRUE;
}

int CTVScanWorker::FineSearch(float low, float high, float centre, LONG* pFound, BOOL* pLocked)
{
    *pFound = static_cast<LONG>(centre);
    *pLocked = FALSE;
    if (!(low < high))
        return SEARCH_NOT_RUN;
    const DWORD code2 = static_cast<DWORD>(m_pOwner->m_nAfcCode2);
    const DWORD code3 = static_cast<DWORD>(m_pOwner->m_nAfcCode3);
    const DWORD code4 = static_cast<DWORD>(m_pOwner->m_nAfcCode4);
    const DWORD code5 = static_cast<DWORD>(m_pOwner->m_nAfcCode5);

    if (m_pOwner->SetTVFrequency(centre))
    {
        if (!Dwell())
            return SEARCH_STOPPED;
        if (m_pOwner->IsTVLocked() && ConfirmCarrier())
        {
            *pLocked = TRUE;
            return SEARCH_DONE;
        }
    }

    float recent[RECENT_COUNT];
    int nRecent = 0;
    // The walk ends on a repeated frequency; a tuner whose codes cycle through
    // more than the remembered frequencies is bounded by the window's length.
    long nPassesLeft = static_cast<long>((high - low) / 62.5f) * 4 + 16;
    float f = low;
    while (nPassesLeft-- > 0)
    {
        if (f > high)
            break;
        bool bRepeat = false;
        for (int i = 0; i < nRecent; ++i)
        {
            if (recent[i] == f)
                bRepeat = true;
        }
        if (bRepeat)
        {
            *pFound = static_cast<LONG>(f);
            *pLocked = FALSE;
            break;
        }
        if (nRecent < RECENT_COUNT)
            recent[nRecent++] = f;
        else
        {
            for (int i = 1; i < RECENT_COUNT; ++i)
                recent[i - 1] = recent[i];
            recent[RECENT_COUNT - 1] = f;
        }

        if (!m_pOwner->SetTVFrequency(f))
        {
            f += 125.0f;
        }
        else
        {
            if (!Dwell())
                return SEARCH_STOPPED;
            DWORD code = 0;
            if (!m_pOwner->ReadTVStatus(&code))
                f += 375.0f;
            else if (code == code5)
                f -= 125.0f;
            else if (code == code4)
                f -= 62.5f;
            else if (code == code3)
            {
                if (ConfirmCarrier())
                {
                    *pFound = static_cast<LONG>(f);
                    *pLocked = TRUE;
                    break;
                }
            }
            else if (code == code2)
                f += 62.5f;
            else
                f += 125.0f;
        }
        if (f < low)
            break;
    }
    return SEARCH_DONE;
}

void CTVScanWorker::RangeSearch(HWND hNotify)
{
    LONGLONG f = m_nRangeLow;
    while (f <= m_nRangeHigh && !IsStopping())
    {
        LONG window = m_nWindow > 0 ? m_nWindow : 1;
        LONG found = 0;
        BOOL bLocked = FALSE;
        if (FineSearch(static_cast<float>(f - window), static_cast<float>(f + window),
                       static_cast<float>(f), &found, &bLocked) == SEARCH_STOPPED)
            break;
        if (found > m_nClampHigh)
            found = m_nClampHigh;
        PostMessageA(hNotify, WM_TUNER_SCAN_STEP, static_cast<WPARAM>(found), bLocked ? 1 : 0);
        LONGLONG next = bLocked ? static_cast<LONGLONG>(found) + m_nHitJump : f + 2LL * window;
        // A channel found below the point must not send the sweep back.
        if (next <= f)
            next = f + 2LL * window;
        f = next;
    }
}

void CTVScanWorker::ListSearch(HWND hNotify)
{
    const float* pList = m_pOwner->m_pScanList;
    int count = m_pOwner->m_nScanListCount;
    if (pList == NULL)
        return;
    for (int i = 0; i < count && !IsStopping(); ++i)
    {
        LONG f = static_cast<LONG>(floor(static_cast<double>(pList[i]) * 1000.0 + 0.5));
        LONG step = m_nStartStep;
        LONG low = f - step;
        LONG high = f + step;
        LONG found = f;
        BOOL bLocked = FALSE;
        if (low > m_pOwner->m_nTVLow - LIST_MARGIN_KHZ && high <= m_pOwner->m_nTVHigh + LIST_MARGIN_KHZ)
        {
            if (FineSearch(static_cast<float>(low), static_cast<float>(high), static_cast<float>(f),
                           &found, &bLocked) == SEARCH_STOPPED)
                break;
        }
        PostMessageA(hNotify, WM_TUNER_SCAN_STEP, static_cast<WPARAM>(found), bLocked ? 1 : 0);
    }
}

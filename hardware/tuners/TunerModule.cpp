#include "hardware/tuners/TunerModule.h"

#include "hardware/bus/BusClock.h"
#include "hardware/tuners/TVScanWorker.h"
#include "hardware/tuners/TunerBusOps.h"
#include "hardware/tuners/TunerOwner.h"
#include "hardware/tuners/TunerScanList.h"
#include "hardware/tuners/TunerScanWorker.h"

#include <strmif.h>

#include <new>

namespace
{
// The FM divider factor: a step of 31.25 kHz.
const double FM_DIVIDER_FACTOR = 0.032;

enum { SIGNAL_FIRST_WAIT_MS = 20, SIGNAL_SECOND_WAIT_MS = 10 };

BOOL IsThreadRunning(HANDLE hThread)
{
    return hThread != NULL && WaitForSingleObject(hThread, 0) == WAIT_TIMEOUT;
}
}

CTunerModule::CTunerModule(CRegisterAccess* pRegisterAccess)
    : m_pRegisterAccess(pRegisterAccess),
      m_pTVScanWorker(NULL),
      m_pFMScanWorker(NULL),
      m_hNotifyWnd(NULL),
      m_bScanning(0),
      m_pScanList(g_TunerScanList),
      m_nScanListCount(TUNER_SCAN_LIST_COUNT),
      m_nTVLow(48250),
      m_nLowBandEnd(170000),
      m_nMidBandStart(170000),
      m_nMidBandEnd(450000),
      m_nHighBandStart(450000),
      m_nTVHigh(863250),
      m_nFMLow(0),
      m_nFMHigh(0),
      m_bHasFM(FALSE),
      m_nIF(38900),
      m_nFMIF(0),
      m_nTVScanStartStep(625),
      m_nTVScanFineStep(125),
      m_nFMScanStep(100),
      m_nFMScanHitStep(100),
      m_nTVScanHitJump(3500),
      m_nTVScanWindow(1000),
      m_nTVScanDwell(60),
      m_byBandLow(0x01),
      m_byBandMid(0x02),
      m_byBandHigh(0x08),
      m_byControl(0xCE),
      m_byStatusMask(0x40),
      m_byI2CRead(0xC0),
      m_byI2CWrite(0xC0),
      m_byFMControl(0xCE),
      m_byFMBand(0x01),
      m_nAfcCode1(4),
      m_nAfcCode2(3),
      m_nAfcCode3(2),
      m_nAfcCode4(1),
      m_nAfcCode5(0),
      m_nFMLockCode(4),
      m_cTunerLetter('N'),
      m_nTypeId(0),
      m_nModelId(0),
      m_bReapplyStandard(FALSE),
      m_nStandard(AnalogVideo_PAL_B),
      m_nTVScanLow(48250),
      m_nTVScanHigh(863250),
      m_pOwner(NULL),
      m_bOnEncoderDevice(FALSE)
{
}

CTunerModule::~CTunerModule()
{
    delete m_pTVScanWorker;
    m_pTVScanWorker = NULL;
    delete m_pFMScanWorker;
    m_pFMScanWorker = NULL;
}

BOOL CTunerModule::WriteTuning(WORD divider, BYTE control, BYTE band)
{
    BYTE buffer[5];
    buffer[0] = m_byI2CWrite;
    buffer[1] = static_cast<BYTE>(divider >> 8);
    buffer[2] = static_cast<BYTE>(divider & 0xFF);
    buffer[3] = control;
    buffer[4] = band;
    return m_pRegisterAccess != NULL && m_pRegisterAccess->I2CWrite(buffer, 5) == S_OK;
}

BOOL CTunerModule::ReadStatusByte(DWORD* pCode)
{
    if (m_pRegisterAccess == NULL || pCode == NULL)
        return FALSE;
    BYTE buffer[1] = { m_byI2CRead };
    if (m_pRegisterAccess->I2CRead(buffer, 1) != S_OK)
        return FALSE;
    // Without the PLL's lock flag the frequency-error bits mean nothing.
    if ((buffer[0] & m_byStatusMask) == 0)
        return FALSE;
    *pCode = buffer[0] & 7;
    return TRUE;
}

BOOL CTunerModule::SetTVFrequency(float frequency)
{
    if (static_cast<double>(frequency) > static_cast<double>(m_nTVHigh) ||
        static_cast<double>(frequency) < static_cast<double>(m_nTVLow))
        return FALSE;
    return WriteTuning(PllTVDivider(m_nIF, frequency), m_byControl, PllBandByte(*this, frequency));
}

BOOL CTunerModule::SetFMFrequency(float frequency)
{
    long double f = frequency;
    if (!(f < m_nFMHigh))
        f = m_nFMHigh;
    if (m_nFMLow > f)
        f = m_nFMLow;
    long double sum = static_cast<long double>(m_nFMIF) + f;
    LONG divider = static_cast<LONG>(sum * static_cast<long double>(FM_DIVIDER_FACTOR));
    return WriteTuning(static_cast<WORD>(divider), m_byFMControl, m_byFMBand);
}

BOOL CTunerModule::ReadTVStatus(DWORD* pCode)
{
    return ReadStatusByte(pCode);
}

BOOL CTunerModule::ReadFMStatus(DWORD* pCode)
{
    return ReadStatusByte(pCode);
}

BOOL CTunerModule::IsTVLocked()
{
    DWORD code = 0;
    return ReadTVStatus(&code) && code == static_cast<DWORD>(m_nAfcCode3);
}

BOOL CTunerModule::IsFMLocked()
{
    DWORD code = 0;
    return ReadFMStatus(&code) && code == static_cast<DWORD>(m_nFMLockCode);
}

BOOL CTunerModule::SetStandard(DWORD)
{
    return TRUE;
}

BOOL CTunerModule::IsSignalPresent(DWORD* pPresent)
{
    if (m_pOwner == NULL)
        return FALSE;
    BusSleep(SIGNAL_FIRST_WAIT_MS);
    HRESULT hr = m_pOwner->IsSignalLocked(pPresent);
    if (SUCCEEDED(hr) && *pPresent == 0)
    {
        BusSleep(SIGNAL_SECOND_WAIT_MS);
        hr = m_pOwner->IsSignalLocked(pPresent);
    }
    return SUCCEEDED(hr);
}

BOOL CTunerModule::CreateTVScanWorker()
{
    delete m_pTVScanWorker;
    m_pTVScanWorker = new (std::nothrow) CTVScanWorker(this);
    return m_pTVScanWorker != NULL;
}

BOOL CTunerModule::CreateFMScanWorker()
{
    delete m_pFMScanWorker;
    m_pFMScanWorker = new (std::nothrow) CTunerScanWorker(this);
    return m_pFMScanWorker != NULL;
}

BOOL CTunerModule::StartScan(BOOL bTV, BOOL bRangeScan)
{
    if (m_bScanning)
        return FALSE;
    if (bTV)
    {
        if (!CreateTVScanWorker() || m_pTVScanWorker == NULL)
            return FALSE;
        InterlockedExchange(&m_bScanning, 1);
        m_pTVScanWorker->SetStartStep(m_nTVScanStartStep);
        m_pTVScanWorker->SetFineStep(m_nTVScanFineStep);
        if (bRangeScan)
        {
            m_pTVScanWorker->SetHitJump(m_nTVScanHitJump);
            m_pTVScanWorker->SetWindow(m_nTVScanWindow);
            m_pTVScanWorker->SetRange(m_nTVScanLow, m_nTVScanHigh);
        }
        m_pTVScanWorker->SetMethod(bRangeScan);
        m_pTVScanWorker->SetDwell(m_nTVScanDwell);
        m_pTVScanWorker->Resume();
        return TRUE;
    }
    if (!m_bHasFM)
        return FALSE;
    if (!CreateFMScanWorker() || m_pFMScanWorker == NULL)
        return FALSE;
    InterlockedExchange(&m_bScanning, 1);
    m_pFMScanWorker->SetRange(m_nFMLow, m_nFMHigh);
    m_pFMScanWorker->SetStep(m_nFMScanStep);
    m_pFMScanWorker->SetStepIfPositive(m_nFMScanHitStep);
    m_pFMScanWorker->Resume();
    return TRUE;
}

void CTunerModule::StopScan()
{
    InterlockedExchange(&m_bScanning, 0);
    delete m_pTVScanWorker;
    m_pTVScanWorker = NULL;
    delete m_pFMScanWorker;
    m_pFMScanWorker = NULL;
}

BOOL CTunerModule::IsScanning()
{
    if (!m_bScanning)
        return FALSE;
    if (m_pTVScanWorker != NULL)
        return IsThreadRunning(m_pTVScanWorker->GetThreadHandle());
    if (m_pFMScanWorker != NULL)
        return IsThreadRunning(m_pFMScanWorker->GetThreadHandle());
    return m_bScanning != 0;
}

void CTunerModule::SetTVScanStartStep(int step)
{
    m_nTVScanStartStep = step;
    if (m_pTVScanWorker != NULL)
        m_pTVScanWorker->SetStartStep(step);
}

void CTunerModule::SetTVScanFineStep(int step)
{
    m_nTVScanFineStep = step;
    if (m_pTVScanWorker != NULL)
        m_pTVScanWorker->SetFineStep(step);
}

BOOL CTunerModule::SetFMScanStep(int step)
{
    if (step < 1)
        return FALSE;
    m_nFMScanStep = step;
    return TRUE;
}

BOOL CTunerModule::SetFMScanRange(int low, int high)
{
    if (!m_bHasFM || low < 1 || high < low)
        return FALSE;
    m_nFMLow = low;
    m_nFMHigh = high;
    return TRUE;
}

BOOL CTunerModule::SetFMScanHitStep(int step)
{
    if (step < 1)
        return FALSE;
    m_nFMScanHitStep = step;
    return TRUE;
}

BOOL CTunerModule::SetTVScanJumps(int hitJump, int window)
{
    if (window < 1 || hitJump <= window)
        return FALSE;
    m_nTVScanHitJump = hitJump;
    m_nTVScanWindow = window;
    return TRUE;
}

BOOL CTunerModule::SetTVScanRange(int low, int high)
{
    if (low < 1 || high <= low)
        return FALSE;
    m_nTVScanLow = low;
    m_nTVScanHigh = high;
    return TRUE;
}

void CTunerModule::SetTVScanDwell(int ms)
{
    if (ms <= 0)
        return;
    m_nTVScanDwell = ms;
    if (m_pTVScanWorker != NULL)
        m_pTVScanWorker->SetDwell(ms);
}

void CTunerModule::GetTVFrequencyRange(int* pHigh, int* pLow) const
{
    *pHigh = m_nTVHigh;
    *pLow = m_nTVLow;
}

void CTunerModule::GetFMFrequencyRange(int* pHigh, int* pLow) const
{
    *pHigh = m_nFMHigh;
    *pLow = m_nFMLow;
}

BOOL CTunerModule::SetScanList(const float* pList, int count)
{
    if (pList == NULL)
        return FALSE;
    m_pScanList = pList;
    m_nScanListCount = count;
    return TRUE;
}

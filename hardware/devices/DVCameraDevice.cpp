#include "hardware/devices/DVCameraDevice.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"

#include <edevdefs.h>

#include <new>

namespace
{
template <class T>
void ReleaseAndClear(T** pp)
{
    if (*pp != NULL)
    {
        (*pp)->Release();
        *pp = NULL;
    }
}
}

C1394Access::C1394Access()
    : m_nType(0), m_nMode(255), m_nRequestedMode(0), m_bModeRequested(FALSE), m_pDevice(NULL), m_pTransport(NULL),
      m_pTimecode(NULL)
{
    InitializeCriticalSection(&m_cs);
}

C1394Access::~C1394Access()
{
    ReleaseAndClear(&m_pTimecode);
    ReleaseAndClear(&m_pTransport);
    ReleaseAndClear(&m_pDevice);
    DeleteCriticalSection(&m_cs);
}

BOOL C1394Access::Attach(CFilterNode* pDevice)
{
    CScopedLock lock(&m_cs);
    if (pDevice == NULL || pDevice->GetFilter() == NULL)
        return FALSE;
    IBaseFilter* pFilter = pDevice->GetFilter();
    ReleaseAndClear(&m_pTimecode);
    ReleaseAndClear(&m_pTransport);
    ReleaseAndClear(&m_pDevice);
    BOOL bDevice = SUCCEEDED(pFilter->QueryInterface(IID_IAMExtDevice, reinterpret_cast<void**>(&m_pDevice)));
    BOOL bTransport = SUCCEEDED(pFilter->QueryInterface(IID_IAMExtTransport, reinterpret_cast<void**>(&m_pTransport)));
    BOOL bTimecode =
        SUCCEEDED(pFilter->QueryInterface(IID_IAMTimecodeReader, reinterpret_cast<void**>(&m_pTimecode)));
    return bDevice && bTransport && bTimecode && m_pDevice != NULL && m_pTransport != NULL && m_pTimecode != NULL;
}

BOOL C1394Access::GetDeviceType(int* pType)
{
    CScopedLock lock(&m_cs);
    if (m_pDevice == NULL || pType == NULL)
        return FALSE;
    long value = 0;
    double unused = 0;
    if (FAILED(m_pDevice->GetCapability(ED_DEVCAP_DEVICE_TYPE, &value, &unused)))
        return FALSE;
    *pType = value == 0 ? TYPE_UNKNOWN : value == ED_DEVTYPE_VCR ? TYPE_VCR : TYPE_CAMERA;
    return TRUE;
}

BOOL C1394Access::GetTransportMode(long* pMode)
{
    CScopedLock lock(&m_cs);
    if (m_pTransport == NULL || pMode == NULL)
        return FALSE;
    *pMode = 0;
    return SUCCEEDED(m_pTransport->get_Mode(pMode));
}

BOOL C1394Access::SetTransportMode(long mode)
{
    CScopedLock lock(&m_cs);
    if (m_pTransport == NULL)
        return FALSE;
    return SUCCEEDED(m_pTransport->put_Mode(mode));
}

BOOL C1394Access::GetTimecode(BYTE record[4])
{
    CScopedLock lock(&m_cs);
    if (m_pTimecode == NULL || record == NULL)
        return FALSE;
    record[0] = record[1] = record[2] = record[3] = 0;
    TIMECODE_SAMPLE sample = {};
    sample.dwFlags = ED_DEVCAP_TIMECODE_READ;
    if (FAILED(m_pTimecode->GetTimecode(&sample)))
        return FALSE;
    DWORD frames = sample.timecode.dwFrames;
    record[0] = static_cast<BYTE>(frames >> 24);
    record[1] = static_cast<BYTE>(frames >> 16);
    record[2] = static_cast<BYTE>(frames >> 8);
    record[3] = static_cast<BYTE>(frames);
    return TRUE;
}

BOOL C1394Access::PollDeviceType(int* pType)
{
    CScopedLock lock(&m_cs);
    int type = 0;
    if (!GetDeviceType(&type) || type == m_nType)
        return FALSE;
    m_nType = type;
    if (pType != NULL)
        *pType = type;
    return TRUE;
}

BOOL C1394Access::PollTransportMode(long* pMode)
{
    CScopedLock lock(&m_cs);
    long mode = 0;
    if (!GetTransportMode(&mode) || mode == m_nMode)
        return FALSE;
    m_nMode = mode;
    if (pMode != NULL)
        *pMode = mode;
    return TRUE;
}

void C1394Access::RequestMode(long mode)
{
    CScopedLock lock(&m_cs);
    m_nRequestedMode = mode;
    m_bModeRequested = TRUE;
}

CDvStatePoller::CDvStatePoller(CDVCameraDevice* pOwner)
    : m_pOwner(pOwner)
{
}

CDvStatePoller::~CDvStatePoller()
{
    Stop();
}

BOOL CDvStatePoller::InitInstance()
{
    return m_pOwner != NULL && m_pOwner->GetAccess() != NULL && CWorkThread::InitInstance();
}

int CDvStatePoller::ExitInstance()
{
    return 0;
}

int CDvStatePoller::Run()
{
    HWND hNotify = m_pOwner->GetNotifyWindow();
    if (hNotify == NULL)
        return 0;
    if (IsStopping())
        return 1;
    C1394Access* pAccess = m_pOwner->GetAccess();
    CBusClock* pClock = CBusClock::Current();
    int type = 0;
    while (!IsStopping())
    {
        if (pClock->WaitForStop(GetStopEvent(), PERIOD_MS) != WAIT_TIMEOUT)
            break;
        // The type read counts whether or not it changed.
        int read = 0;
        if (pAccess->GetDeviceType(&read))
        {
            pAccess->PollDeviceType(NULL);
            type = read;
        }
        WPARAM wParam = static_cast<WPARAM>(type) << 16;
        LPARAM lParam = 0;
        if (type == C1394Access::TYPE_VCR)
        {
            long mode = 0;
            if (!pAccess->GetTransportMode(&mode))
                mode = 0;
            pAccess->PollTransportMode(NULL);
            wParam += static_cast<WPARAM>(mode & 0xFFFF);
            BYTE record[4];
            if (pAccess->GetTimecode(record))
                lParam = static_cast<LPARAM>(record[0] | record[1] << 8 | record[2] << 16 |
                                             static_cast<DWORD>(record[3]) << 24);
        }
        PostMessageA(hNotify, WM_DV_STATE, wParam, lParam);
    }
    return 0;
}

CDVCameraDevice::CDVCameraDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude), m_pAccess(NULL), m_pPoller(NULL), m_hNotifyWnd(NULL)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDVCameraDevice::CDVCameraDevice(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid), m_pAccess(NULL), m_pPoller(NULL), m_hNotifyWnd(NULL)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDVCameraDevice::~CDVCameraDevice()
{
    StopStatePoller();
    delete m_pAccess;
    m_pAccess = NULL;
}

DWORD CDVCameraDevice::Reserved9()
{
    return 0;
}

BOOL CDVCameraDevice::Initfilter()
{
    m_pAccess = NULL;
    m_pPoller = NULL;
    m_hNotifyWnd = NULL;
    if (!CFilterNode::Initfilter())
        return FALSE;
    m_pAccess = new (std::nothrow) C1394Access();
    if (m_pAccess != NULL && m_pAccess->Attach(this))
        return TRUE;
    MessageBoxA(NULL, " Create C1394Access Failed ! \n Please Insert 1394Card!", "Alert", MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CDVCameraDevice::StartStatePoller()
{
    StopStatePoller();
    m_pPoller = new (std::nothrow) CDvStatePoller(this);
    if (m_pPoller == NULL)
        return FALSE;
    if (!m_pPoller->InitInstance())
        return FALSE;
    m_pPoller->Resume();
    return TRUE;
}

void CDVCameraDevice::StopStatePoller()
{
    delete m_pPoller;
    m_pPoller = NULL;
}

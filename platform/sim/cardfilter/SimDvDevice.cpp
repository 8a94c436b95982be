#include "platform/sim/cardfilter/SimDvDevice.h"

#include "platform/sim/chipbus/SimLock.h"

#include <edevdefs.h>

CSimDvDevice::CSimDvDevice(IUnknown* pOwner)
    : m_pOwner(pOwner), m_type(SIM_DV_DEVTYPE_CAMERA), m_mode(ED_MODE_STOP), m_frames(0), m_bTimecodeReader(TRUE)
{
    InitializeCriticalSection(&m_cs);
}

CSimDvDevice::~CSimDvDevice()
{
    DeleteCriticalSection(&m_cs);
}

void* CSimDvDevice::Find(REFIID riid)
{
    if (riid == IID_IAMExtDevice)
        return static_cast<IAMExtDevice*>(this);
    if (riid == IID_IAMExtTransport)
        return static_cast<IAMExtTransport*>(this);
    if (riid == SIMIID_DvControl)
        return static_cast<ISimDvControl*>(this);
    CSimLock lock(&m_cs);
    if (riid == IID_IAMTimecodeReader && m_bTimecodeReader)
        return static_cast<IAMTimecodeReader*>(this);
    return nullptr;
}

STDMETHODIMP CSimDvDevice::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimDvDevice::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimDvDevice::Release()
{
    return m_pOwner->Release();
}

STDMETHODIMP CSimDvDevice::GetCapability(LONG capability, LONG* pValue, double*)
{
    if (pValue == nullptr)
        return E_POINTER;
    if (capability != ED_DEVCAP_DEVICE_TYPE)
        return E_NOTIMPL;
    CSimLock lock(&m_cs);
    *pValue = m_type;
    return S_OK;
}

STDMETHODIMP CSimDvDevice::get_ExternalDeviceID(LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_ExternalDeviceVersion(LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_DevicePower(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_DevicePower(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::Calibrate(HEVENT, LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_DevicePort(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_DevicePort(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_MediaState(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_MediaState(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_LocalControl(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_LocalControl(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetStatus(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetTransportBasicParameters(LONG, LONG*, LPOLESTR*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetTransportBasicParameters(LONG, LONG, LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetTransportVideoParameters(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetTransportVideoParameters(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetTransportAudioParameters(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetTransportAudioParameters(LONG, LONG) { return E_NOTIMPL; }

STDMETHODIMP CSimDvDevice::put_Mode(LONG mode)
{
    CSimLock lock(&m_cs);
    m_mode = mode;
    return S_OK;
}

STDMETHODIMP CSimDvDevice::get_Mode(LONG* pMode)
{
    if (pMode == nullptr)
        return E_POINTER;
    CSimLock lock(&m_cs);
    *pMode = m_mode;
    return S_OK;
}

STDMETHODIMP CSimDvDevice::put_Rate(double) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_Rate(double*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetChase(LONG*, LONG*, HEVENT*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetChase(LONG, LONG, HEVENT) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetBump(LONG*, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetBump(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_AntiClogControl(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_AntiClogControl(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetEditPropertySet(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetEditPropertySet(LONG*, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetEditProperty(LONG, LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetEditProperty(LONG, LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_EditStart(LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_EditStart(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::GetTCRMode(LONG, LONG*) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::SetTCRMode(LONG, LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::put_VITCLine(LONG) { return E_NOTIMPL; }
STDMETHODIMP CSimDvDevice::get_VITCLine(LONG*) { return E_NOTIMPL; }

STDMETHODIMP CSimDvDevice::GetTimecode(PTIMECODE_SAMPLE pSample)
{
    if (pSample == nullptr)
        return E_POINTER;
    if (pSample->dwFlags != ED_DEVCAP_TIMECODE_READ)
        return E_INVALIDARG;
    CSimLock lock(&m_cs);
    pSample->timecode.dwFrames = m_frames;
    return S_OK;
}

void STDMETHODCALLTYPE CSimDvDevice::SetDeviceType(LONG type)
{
    CSimLock lock(&m_cs);
    m_type = type;
}

void STDMETHODCALLTYPE CSimDvDevice::SetTimecode(DWORD frames)
{
    CSimLock lock(&m_cs);
    m_frames = frames;
}

void STDMETHODCALLTYPE CSimDvDevice::SetHasTimecodeReader(BOOL bHas)
{
    CSimLock lock(&m_cs);
    m_bTimecodeReader = bHas;
}

LONG STDMETHODCALLTYPE CSimDvDevice::GetMode()
{
    CSimLock lock(&m_cs);
    return m_mode;
}

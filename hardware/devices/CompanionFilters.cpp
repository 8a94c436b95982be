#include "hardware/devices/CompanionFilters.h"

#include "hardware/devices/CaptureDevice.h"

// {AA63F0E8-BB2C-47DF-A7DA-2511C7C812A0}
const IID IID_IUsbEmpAudio = { 0xAA63F0E8, 0xBB2C, 0x47DF, { 0xA7, 0xDA, 0x25, 0x11, 0xC7, 0xC8, 0x12, 0xA0 } };
// {EAD744C9-6FF4-45D9-A111-4A235F616D2E}
const CLSID CLSID_UsbEmpAudio = { 0xEAD744C9, 0x6FF4, 0x45D9, { 0xA1, 0x11, 0x4A, 0x23, 0x5F, 0x61, 0x6D, 0x2E } };

HRESULT CPlainCaptureFilter::GetVideoStandard(LONG* plStandard, LONG* plAvailable)
{
    return GetDecoderStandard(m_pFilter.Get(), plStandard, plAvailable);
}

HRESULT CPlainCaptureFilter::SetVideoStandard(LONG lStandard)
{
    return SetDecoderStandard(m_pFilter.Get(), lStandard);
}

CUsbCamCapture::CUsbCamCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CPlainCaptureFilter(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CUsbCamCapture::CUsbCamCapture(CDShowGraph* pGraph, REFCLSID clsid)
    : CPlainCaptureFilter(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CUsbEmpAudioDevice::CUsbEmpAudioDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CUsbEmpAudioDevice::CUsbEmpAudioDevice(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CUsbEmpAudioDevice::~CUsbEmpAudioDevice()
{
    m_pAudio.Reset();
}

BOOL CUsbEmpAudioDevice::Initfilter()
{
    if (!CFilterNode::Initfilter())
        return FALSE;
    m_pAudio.Reset();
    if (FAILED(CoCreateInstance(CLSID_UsbEmpAudio, NULL, CLSCTX_INPROC_SERVER, IID_IUsbEmpAudio,
                                reinterpret_cast<void**>(&m_pAudio))) ||
        !m_pAudio)
        return FALSE;
    return SUCCEEDED(m_pAudio->Enable(1));
}

CCorvathSwitchFilter::CCorvathSwitchFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CCorvathSwitchFilter::CCorvathSwitchFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

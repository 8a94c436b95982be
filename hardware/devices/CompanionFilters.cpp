#include "hardware/devices/CompanionFilters.h"

// {AA63F0E8-BB2C-47DF-A7DA-2511C7C812A0}
const IID IID_IUsbEmpAudio = { 0xAA63F0E8, 0xBB2C, 0x47DF, { 0xA7, 0xDA, 0x25, 0x11, 0xC7, 0xC8, 0x12, 0xA0 } };
// {EAD744C9-6FF4-45D9-A111-4A235F616D2E}
const CLSID CLSID_UsbEmpAudio = { 0xEAD744C9, 0x6FF4, 0x45D9, { 0xA1, 0x11, 0x4A, 0x23, 0x5F, 0x61, 0x6D, 0x2E } };

HRESULT CPlainCaptureFilter::GetVideoStandard(LONG* plStandard, LONG* plAvailable)
{
    if (!m_pFilter)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> pDecoder;
    HRESULT hr = m_pFilter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&pDecoder));
    if (FAILED(hr))
        return hr;
    if (plAvailable != NULL)
    {
        hr = pDecoder->get_AvailableTVFormats(plAvailable);
        if (FAILED(hr))
            return hr;
    }
    if (plStandard != NULL)
        hr = pDecoder->get_TVFormat(plStandard);
    return hr;
}

HRESULT CPlainCaptureFilter::SetVideoStandard(LONG lStandard)
{
    if (!m_pFilter)
        return E_FAIL;
    ComPtr<IAMAnalogVideoDecoder> pDecoder;
    HRESULT hr = m_pFilter->QueryInterface(IID_IAMAnalogVideoDecoder, reinterpret_cast<void**>(&pDecoder));
    if (FAILED(hr))
        return hr;
    return pDecoder->put_TVFormat(lStandard);
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

#include "hardware/devices/CrossbarDevice.h"

CCrossbarDevice::CCrossbarDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    ClearPinMap();
}

CCrossbarDevice::CCrossbarDevice(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    ClearPinMap();
}

CCrossbarDevice::CCrossbarDevice(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    ClearPinMap();
}

CCrossbarDevice::~CCrossbarDevice()
{
}

void CCrossbarDevice::ClearPinMap()
{
    for (int i = 0; i < SOURCE_COUNT; ++i)
    {
        m_alVideoPins[i] = i;
        m_alAudioPins[i] = SOURCE_COUNT + i;
    }
}

void CCrossbarDevice::OpenDevice()
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CCrossbarDevice::Initfilter()
{
    if (!CFilterNode::Initfilter())
        return FALSE;
    LoadPinMap();
    return TRUE;
}

void CCrossbarDevice::LoadPinMap()
{
    ClearPinMap();
}

BOOL CCrossbarDevice::RouteVideo(int nSource)
{
    return Route(m_alVideoPins[SourceSlot(nSource)], OUTPUT_VIDEO);
}

BOOL CCrossbarDevice::RouteAudio(int nSource)
{
    return Route(m_alAudioPins[SourceSlot(nSource)], OUTPUT_AUDIO);
}

BOOL CCrossbarDevice::Route(LONG lInput, LONG lOutput)
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IAMCrossbar> pCrossbar;
    if (FAILED(m_pFilter->QueryInterface(IID_IAMCrossbar, reinterpret_cast<void**>(&pCrossbar))) || !pCrossbar)
        return FALSE;
    LONG lOutputs = 0;
    LONG lInputs = 0;
    if (FAILED(pCrossbar->get_PinCounts(&lOutputs, &lInputs)))
        return FALSE;
    if (lInput < 0 || lInput >= lInputs || lOutput < 0 || lOutput >= lOutputs)
        return FALSE;
    return pCrossbar->Route(lOutput, lInput) == S_OK;
}

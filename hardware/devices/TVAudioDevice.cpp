#include "hardware/devices/TVAudioDevice.h"

CTVAudioDevice::CTVAudioDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
}

CTVAudioDevice::CTVAudioDevice(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
}

CTVAudioDevice::CTVAudioDevice(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
}

CTVAudioDevice::~CTVAudioDevice()
{
    m_pTVAudio.Reset();
}

void CTVAudioDevice::OpenDevice()
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CTVAudioDevice::Initfilter()
{
    if (!CFilterNode::Initfilter())
        return FALSE;
    m_pTVAudio.Reset();
    return SUCCEEDED(m_pFilter->QueryInterface(IID_IAMTVAudio, reinterpret_cast<void**>(&m_pTVAudio))) &&
           m_pTVAudio;
}

// A wrapper whose open failed has no interface; the graph deletes such a
// wrapper, but a caller holding one anyway gets a refusal, not a crash.
BOOL CTVAudioDevice::SetTVAudioMode(LONG lMode)
{
    return m_pTVAudio && m_pTVAudio->put_TVAudioMode(lMode) == S_OK;
}

BOOL CTVAudioDevice::GetTVAudioMode(LONG* plMode)
{
    return m_pTVAudio && plMode != NULL && m_pTVAudio->get_TVAudioMode(plMode) == S_OK;
}

BOOL CTVAudioDevice::GetAvailableTVAudioModes(LONG* plModes)
{
    return m_pTVAudio && plModes != NULL && m_pTVAudio->GetAvailableTVAudioModes(plModes) == S_OK;
}

BOOL CTVAudioDevice::GetHardwareSupportedTVAudioModes(LONG* plModes)
{
    return m_pTVAudio && plModes != NULL && m_pTVAudio->GetHardwareSupportedTVAudioModes(plModes) == S_OK;
}

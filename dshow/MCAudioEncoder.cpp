#include "dshow/MCAudioEncoder.h"

CMCAudioEncoder::CMCAudioEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCAudioEncoder::CMCAudioEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCAudioEncoder::CMCAudioEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCAudioEncoder::~CMCAudioEncoder()
{
    ReleaseAudioInterfaces();
}

BOOL CMCAudioEncoder::Initfilter()
{
    ReleaseAudioInterfaces();
    if (!CFilterNode::Initfilter())
        return FALSE;
    BOOL bSettings = SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCAudioEncoderSettings, m_pAudioSettings));
    BOOL bParameters = SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCAudioEncoderParameters, m_pAudioParameters));
    return bSettings && bParameters;
}

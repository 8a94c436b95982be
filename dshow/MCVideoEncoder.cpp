#include "dshow/MCVideoEncoder.h"

CMCVideoEncoder::CMCVideoEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoEncoder::CMCVideoEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoEncoder::CMCVideoEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoEncoder::~CMCVideoEncoder()
{
    ReleaseVideoInterfaces();
}

BOOL CMCVideoEncoder::Initfilter()
{
    ReleaseVideoInterfaces();
    if (!CFilterNode::Initfilter())
        return FALSE;
    BOOL bSettings = SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCVideoEncoderSettings, m_pVideoSettings));
    BOOL bParameters = SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCVideoEncoderParameters, m_pVideoParameters));
    return bSettings && bParameters;
}

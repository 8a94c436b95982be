#include "dshow/MCMultiplexer.h"

#include "dshow/InterfaceCall.h"

CMCMultiplexer::CMCMultiplexer(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCMultiplexer::CMCMultiplexer(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCMultiplexer::CMCMultiplexer(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCMultiplexer::~CMCMultiplexer()
{
    ReleaseMuxInterfaces();
    m_pMuxParameters.Reset();
}

BOOL CMCMultiplexer::Initfilter()
{
    ReleaseMuxInterfaces();
    m_pMuxParameters.Reset();
    m_bRefreshPins = TRUE;
    if (!CFilterNode::Initfilter())
        return FALSE;
    // Every interface is asked for, even after one is missing.
    IBaseFilter* pFilter = m_pFilter.Get();
    BOOL bAll = TRUE;
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCMultiplexerSettings, m_pMuxSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCMultiplexerParameters, m_pMuxParameters));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IFileSinkFilter, m_pFileSink));
    return bAll;
}

BOOL CMCMultiplexer::SetMuxParameter37(LONG lValue)
{
    return CallIfHeld(m_pMuxParameters.Get(), &IMCParameters::SetParameter, 37L, lValue);
}

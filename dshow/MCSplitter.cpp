#include "dshow/MCSplitter.h"

#include "dshow/InterfaceCall.h"

CMCSplitter::CMCSplitter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCSplitter::CMCSplitter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCSplitter::CMCSplitter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCSplitter::~CMCSplitter()
{
    m_pParameters.Reset();
}

BOOL CMCSplitter::Initfilter()
{
    m_pParameters.Reset();
    m_bRefreshPins = TRUE;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCSplitterParameters, m_pParameters));
}

BOOL CMCSplitter::GetParameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pParameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCSplitter::SetParameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pParameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

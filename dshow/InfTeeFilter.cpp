#include "dshow/InfTeeFilter.h"

CInfTeeFilter::CInfTeeFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CInfTeeFilter::CInfTeeFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CInfTeeFilter::CInfTeeFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CInfTeeFilter::Initfilter()
{
    m_bRefreshPins = TRUE;
    return CFilterNode::Initfilter();
}

#include "dshow/Mpeg1SplitterFilter.h"

CMpeg1SplitterFilter::CMpeg1SplitterFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg1SplitterFilter::CMpeg1SplitterFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg1SplitterFilter::CMpeg1SplitterFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CMpeg1SplitterFilter::Initfilter()
{
    m_bRefreshPins = TRUE;
    return CFilterNode::Initfilter();
}

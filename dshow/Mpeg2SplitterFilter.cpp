#include "dshow/Mpeg2SplitterFilter.h"

CMpeg2SplitterFilter::CMpeg2SplitterFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg2SplitterFilter::CMpeg2SplitterFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg2SplitterFilter::CMpeg2SplitterFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CMpeg2SplitterFilter::Initfilter()
{
    m_bRefreshPins = TRUE;
    return CFilterNode::Initfilter();
}

#include "dshow/IVVideoDecoder.h"

CIVVideoDecoder::CIVVideoDecoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVVideoDecoder::CIVVideoDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVVideoDecoder::CIVVideoDecoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CIVVideoDecoder::Initfilter()
{
    m_bRefreshPins = TRUE;
    return CFilterNode::Initfilter();
}

#include "dshow/MCAudioDecoder.h"

CMCAudioDecoder::CMCAudioDecoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCAudioDecoder::CMCAudioDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

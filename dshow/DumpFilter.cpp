#include "dshow/DumpFilter.h"

#include "dshow/FileSinkName.h"

CDumpFilter::CDumpFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDumpFilter::CDumpFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDumpFilter::CDumpFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDumpFilter::~CDumpFilter()
{
}

BOOL CDumpFilter::SetFileName(LPCSTR pszPath)
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IFileSinkFilter> pSink;
    if (FAILED(m_pFilter->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&pSink))) || !pSink)
        return FALSE;
    return SetSinkFileName(pSink.Get(), pszPath);
}

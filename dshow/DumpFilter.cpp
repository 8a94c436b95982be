#include "dshow/DumpFilter.h"

#include <vector>

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
    std::vector<WCHAR> path;
    if (pszPath != NULL)
    {
        int cch = MultiByteToWideChar(CP_ACP, 0, pszPath, -1, NULL, 0);
        if (cch <= 0)
            return FALSE;
        path.resize(cch);
        MultiByteToWideChar(CP_ACP, 0, pszPath, -1, path.data(), cch);
    }
    return SUCCEEDED(pSink->SetFileName(pszPath != NULL ? path.data() : NULL, NULL));
}

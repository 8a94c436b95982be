#include "dshow/FileWriteFilter.h"

#include "dshow/DShowText.h"
#include "dshow/FileSinkName.h"

CFileWriteFilter::CFileWriteFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CFileWriteFilter::CFileWriteFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CFileWriteFilter::CFileWriteFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CFileWriteFilter::~CFileWriteFilter()
{
    m_pSink.Reset();
}

BOOL CFileWriteFilter::Initfilter()
{
    m_pSink.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    // The writer's second sink interface is the one asked for; a writer that
    // has only the first (Wine's) names its file through it just the same.
    ComPtr<IFileSinkFilter2> pSink2;
    if (SUCCEEDED(m_pFilter->QueryInterface(IID_IFileSinkFilter2, reinterpret_cast<void**>(&pSink2))) && pSink2)
        return SUCCEEDED(pSink2->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&m_pSink))) && m_pSink;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&m_pSink))) && m_pSink;
}

BOOL CFileWriteFilter::SetFileName(LPCSTR pszPath)
{
    if (!m_pSink)
        return FALSE;
    return SetSinkFileName(m_pSink.Get(), pszPath);
}

BOOL CFileWriteFilter::GetFileName(char* pszPath, int cchPath)
{
    if (!m_pSink || pszPath == NULL || cchPath < 1)
        return FALSE;
    LPOLESTR pszName = NULL;
    if (m_pSink->GetCurFile(&pszName, NULL) != S_OK || pszName == NULL)
    {
        CoTaskMemFree(pszName);
        return FALSE;
    }
    AnsiFromWide(pszName, pszPath, cchPath);
    CoTaskMemFree(pszName);
    return TRUE;
}

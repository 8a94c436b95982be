#include "dshow/IVFileWriter.h"

#include "dshow/FileSinkName.h"

CIVFileWriter::CIVFileWriter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVFileWriter::CIVFileWriter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVFileWriter::CIVFileWriter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVFileWriter::~CIVFileWriter()
{
    m_pParameters.Reset();
}

BOOL CIVFileWriter::Initfilter()
{
    m_pParameters.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IIVFileWriterParameters, m_pParameters));
}

BOOL CIVFileWriter::SetFileName(LPCSTR pszPath)
{
    ComPtr<IFileSinkFilter> pSink;
    if (FAILED(ComQuery(m_pParameters.Get(), IID_IFileSinkFilter, pSink)))
        return FALSE;
    return SetSinkFileName(pSink.Get(), pszPath);
}

BOOL CIVFileWriter::SetFileParameter(DWORD dwWord0, DWORD dwWord1)
{
    if (!m_pParameters)
        return FALSE;
    DWORD words[2] = { dwWord0, dwWord1 };
    return SUCCEEDED(m_pParameters->SetParameter(1280, reinterpret_cast<DWORD_PTR>(words)));
}

BOOL CIVFileWriter::GetFileParameter(void* pValue)
{
    return m_pParameters && SUCCEEDED(m_pParameters->GetParameter(1280, pValue));
}

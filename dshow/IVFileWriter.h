#pragma once

#include "dshow/FilterNode.h"
#include "dshow/InterVideoInterfaces.h"

// The InterVideo file writer: its file, and its file parameter (two words).
class CIVFileWriter : public CFilterNode
{
public:
    CIVFileWriter(CDShowGraph* pGraph, REFCLSID clsid);
    CIVFileWriter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVFileWriter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CIVFileWriter() override;

    // TRUE when the filter has its parameter interface.
    BOOL Initfilter() override;
    // The sink reached from the parameter interface; ANSI path, may be null.
    BOOL SetFileName(LPCSTR pszPath);
    BOOL SetFileParameter(DWORD dwWord0, DWORD dwWord1);
    BOOL GetFileParameter(void* pValue);

private:
    ComPtr<IIVParameters> m_pParameters;
};

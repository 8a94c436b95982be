#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the system's file writer: names the file it writes.
class CFileWriteFilter : public CFilterNode
{
public:
    CFileWriteFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CFileWriteFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CFileWriteFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CFileWriteFilter() override;

    // TRUE when the node holds a file writer.
    BOOL Initfilter() override;
    // The file to write (ANSI, may be null); TRUE for any success.
    BOOL SetFileName(LPCSTR pszPath);
    // The file being written, into a buffer of cchPath characters.
    BOOL GetFileName(char* pszPath, int cchPath);

private:
    ComPtr<IFileSinkFilter> m_pSink;
};

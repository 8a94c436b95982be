#pragma once

#include "dshow/FilterNode.h"

// The wrapper of a "Dump" filter, which writes whatever reaches its input to
// a file; the recordings name that file through it.
class CDumpFilter : public CFilterNode
{
public:
    CDumpFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CDumpFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CDumpFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CDumpFilter() override;

    // The file the filter writes (ANSI, may be null); TRUE for any success.
    BOOL SetFileName(LPCSTR pszPath);
};

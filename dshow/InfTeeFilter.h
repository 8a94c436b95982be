#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the "Infinite Pin Tee Filter", which makes an output pin
// for each connection, so the graph re-reads its pins after each change.
class CInfTeeFilter : public CFilterNode
{
public:
    CInfTeeFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CInfTeeFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CInfTeeFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);

    BOOL Initfilter() override;
};

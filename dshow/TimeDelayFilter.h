#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the "Time Delay" filter: nothing beyond the node.
class CTimeDelayFilter : public CFilterNode
{
public:
    CTimeDelayFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CTimeDelayFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CTimeDelayFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
};

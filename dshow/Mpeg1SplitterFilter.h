#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the MPEG-1 splitter, whose output pins appear once its input
// is connected; the graph re-reads them after each connection change.
class CMpeg1SplitterFilter : public CFilterNode
{
public:
    CMpeg1SplitterFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CMpeg1SplitterFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMpeg1SplitterFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);

    BOOL Initfilter() override;
};

#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the MPEG-2 splitter, whose output pins appear once its input
// is connected; the graph re-reads them after each connection change.
class CMpeg2SplitterFilter : public CFilterNode
{
public:
    CMpeg2SplitterFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CMpeg2SplitterFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMpeg2SplitterFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);

    BOOL Initfilter() override;
};

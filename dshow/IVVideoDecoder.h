#pragma once

#include "dshow/FilterNode.h"

// The InterVideo video decoder: nothing beyond the node, whose pins the
// graph re-reads after each connection change.
class CIVVideoDecoder : public CFilterNode
{
public:
    CIVVideoDecoder(CDShowGraph* pGraph, REFCLSID clsid);
    CIVVideoDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVVideoDecoder(CDShowGraph* pGraph, IBaseFilter* pFilter);

    BOOL Initfilter() override;
};

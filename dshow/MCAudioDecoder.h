#pragma once

#include "dshow/FilterNode.h"

// MainConcept's MPEG audio decoder: nothing beyond the node.
class CMCAudioDecoder : public CFilterNode
{
public:
    CMCAudioDecoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCAudioDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
};

#pragma once

#include "dshow/FilterNode.h"

// The wrapper of the AVI multiplexer "Microsoft Mux Filter". Its pins grow
// with its connections, so the graph re-reads them after each change.
class CMuxFilter : public CFilterNode
{
public:
    CMuxFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CMuxFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    ~CMuxFilter() override;

    // The node's open, then Configure with master stream 0.
    BOOL Initfilter() override;
    // Compatible AVI output with the master stream given, interleaving off.
    BOOL Configure(LONG lMasterStream);
};

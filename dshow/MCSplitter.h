#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MainConceptInterfaces.h"

// MainConcept's MPEG splitter; its output pins appear with its input, so
// the graph re-reads them after each connection change.
class CMCSplitter : public CFilterNode
{
public:
    CMCSplitter(CDShowGraph* pGraph, REFCLSID clsid);
    CMCSplitter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCSplitter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCSplitter() override;

    BOOL Initfilter() override;

    BOOL GetParameter(LONG lNumber, LONG* plValue);
    BOOL SetParameter(LONG lNumber, LONG lValue);

private:
    ComPtr<IMCParameters> m_pParameters;
};

#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MCEncoderControls.h"

// MainConcept's MPEG multiplexer, which writes its own output file. Its pins
// follow its connections, so the graph re-reads them after each change.
class CMCMultiplexer : public CFilterNode, public CMCMultiplexerControl
{
public:
    CMCMultiplexer(CDShowGraph* pGraph, REFCLSID clsid);
    CMCMultiplexer(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCMultiplexer(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCMultiplexer() override;

    BOOL Initfilter() override;

    BOOL SetMuxParameter37(LONG lValue);

private:
    ComPtr<IMCParameters> m_pMuxParameters;
};

#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MainConceptInterfaces.h"

// MainConcept's MPEG video decoder, opened to offer YUY2 output alone.
class CMCVideoDecoder : public CFilterNode
{
public:
    CMCVideoDecoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCVideoDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCVideoDecoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCVideoDecoder() override;

    BOOL Initfilter() override;

private:
    ComPtr<IMCParameters> m_pParameters;
    ComPtr<IMCVideoDecoderConfig> m_pConfig;
};

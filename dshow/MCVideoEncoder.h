#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MCEncoderControls.h"

// MainConcept's MPEG video encoder: its settings block, values and parameters passed through.
class CMCVideoEncoder : public CFilterNode, public CMCVideoEncoderControl
{
public:
    CMCVideoEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCVideoEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCVideoEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCVideoEncoder() override;

    BOOL Initfilter() override;
};

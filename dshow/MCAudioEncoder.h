#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MCEncoderControls.h"

// MainConcept's MPEG audio encoder: its settings and parameters passed through.
class CMCAudioEncoder : public CFilterNode, public CMCAudioEncoderControl
{
public:
    CMCAudioEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCAudioEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCAudioEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCAudioEncoder() override;

    BOOL Initfilter() override;
};

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

    BOOL GetParameter(LONG lNumber, LONG* plValue);
    BOOL SetParameter(LONG lNumber, LONG lValue);
    BOOL SetConfigValues1(LONG a, LONG b);
    BOOL SetConfigValues2(LONG a, LONG b);
    // The configuration record; its size field is set to 40 for both calls.
    BOOL GetConfig(MCVideoDecoderConfig* pConfig);
    BOOL SetConfig(MCVideoDecoderConfig* pConfig);
    // The record's fifth field, by read, change and write.
    BOOL GetConfigField5(DWORD* pdwValue);
    BOOL SetConfigField5(DWORD dwValue);

private:
    ComPtr<IMCParameters> m_pParameters;
    ComPtr<IMCVideoDecoderConfig> m_pConfig;
};

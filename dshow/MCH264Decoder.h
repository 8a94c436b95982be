#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MainConceptInterfaces.h"

// MainConcept's H.264 video decoder: its configuration interface, each
// method reachable with plain 32-bit arguments.
class CMCH264Decoder : public CFilterNode
{
public:
    CMCH264Decoder(CDShowGraph* pGraph, REFCLSID clsid);
    CMCH264Decoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CMCH264Decoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CMCH264Decoder() override;

    BOOL Initfilter() override;

    BOOL ConfigWords3(DWORD a, DWORD b);
    BOOL ConfigWords4(DWORD a, DWORD b);
    BOOL ConfigWords5(DWORD a, DWORD b);
    BOOL ConfigWord6(DWORD a);
    // The ten words go to the decoder as one block, in argument order.
    BOOL ConfigBlock7(DWORD w0, DWORD w1, DWORD w2, DWORD w3, DWORD w4, DWORD w5, DWORD w6, DWORD w7, DWORD w8,
                      DWORD w9);

private:
    ComPtr<IMCH264DecoderConfig> m_pConfig;
};

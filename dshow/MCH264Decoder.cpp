#include "dshow/MCH264Decoder.h"

#include "dshow/InterfaceCall.h"

CMCH264Decoder::CMCH264Decoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Decoder::CMCH264Decoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Decoder::CMCH264Decoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Decoder::~CMCH264Decoder()
{
    m_pConfig.Reset();
}

BOOL CMCH264Decoder::Initfilter()
{
    m_pConfig.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IMCH264DecoderConfig, m_pConfig));
}

BOOL CMCH264Decoder::ConfigWords3(DWORD a, DWORD b)
{
    return CallIfHeld(m_pConfig.Get(), &IMCH264DecoderConfig::Words3, a, b);
}

BOOL CMCH264Decoder::ConfigWords4(DWORD a, DWORD b)
{
    return CallIfHeld(m_pConfig.Get(), &IMCH264DecoderConfig::Words4, a, b);
}

BOOL CMCH264Decoder::ConfigWords5(DWORD a, DWORD b)
{
    return CallIfHeld(m_pConfig.Get(), &IMCH264DecoderConfig::Words5, a, b);
}

BOOL CMCH264Decoder::ConfigWord6(DWORD a)
{
    return CallIfHeld(m_pConfig.Get(), &IMCH264DecoderConfig::Word6, a);
}

BOOL CMCH264Decoder::ConfigBlock7(DWORD w0, DWORD w1, DWORD w2, DWORD w3, DWORD w4, DWORD w5, DWORD w6, DWORD w7,
                                  DWORD w8, DWORD w9)
{
    MCH264DecoderBlock block = { { w0, w1, w2, w3, w4, w5, w6, w7, w8, w9 } };
    return CallIfHeld(m_pConfig.Get(), &IMCH264DecoderConfig::Block7, &block);
}

#include "dshow/MCVideoDecoder.h"

#include "dshow/InterfaceCall.h"

namespace
{
// The output formats the decoder may offer, in the order they are set: YUY2
// on, every other one off.
struct OutputFormat
{
    DWORD dwFourCC;
    BOOL bEnable;
};

const OutputFormat kOutputFormats[] = {
    { MAKEFOURCC('Y', 'U', 'Y', '2'), TRUE },
    { MAKEFOURCC('B', 'G', 'R', '4'), FALSE },
    { MAKEFOURCC('B', 'G', 'R', '3'), FALSE },
    { MAKEFOURCC('R', '5', '5', '5'), FALSE },
    { MAKEFOURCC('R', '5', '6', '5'), FALSE },
    { MAKEFOURCC('U', 'Y', 'V', 'Y'), FALSE },
    { MAKEFOURCC('Y', 'V', '1', '2'), FALSE },
};
}

CMCVideoDecoder::CMCVideoDecoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoDecoder::CMCVideoDecoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoDecoder::CMCVideoDecoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCVideoDecoder::~CMCVideoDecoder()
{
    m_pParameters.Reset();
    m_pConfig.Reset();
}

BOOL CMCVideoDecoder::Initfilter()
{
    m_pParameters.Reset();
    m_pConfig.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    if (FAILED(m_pFilter->QueryInterface(IID_IMCVideoDecoderParameters, reinterpret_cast<void**>(&m_pParameters))) ||
        FAILED(m_pFilter->QueryInterface(IID_IMCVideoDecoderConfig, reinterpret_cast<void**>(&m_pConfig))))
        return FALSE;
    for (const OutputFormat& format : kOutputFormats)
    {
        if (FAILED(m_pConfig->EnableOutputFormat(format.dwFourCC, format.bEnable)))
            return FALSE;
    }
    return SUCCEEDED(m_pParameters->SetParameter(32, 0));
}

BOOL CMCVideoDecoder::GetParameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pParameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCVideoDecoder::SetParameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pParameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

BOOL CMCVideoDecoder::SetConfigValues1(LONG a, LONG b)
{
    return CallIfHeld(m_pConfig.Get(), &IMCVideoDecoderConfig::Values1, a, b);
}

BOOL CMCVideoDecoder::SetConfigValues2(LONG a, LONG b)
{
    return CallIfHeld(m_pConfig.Get(), &IMCVideoDecoderConfig::Values2, a, b);
}

BOOL CMCVideoDecoder::GetConfig(MCVideoDecoderConfig* pConfig)
{
    if (pConfig == NULL)
        return FALSE;
    pConfig->fields[0] = sizeof(MCVideoDecoderConfig);
    return CallIfHeld(m_pConfig.Get(), &IMCVideoDecoderConfig::GetConfig, pConfig);
}

BOOL CMCVideoDecoder::SetConfig(MCVideoDecoderConfig* pConfig)
{
    if (pConfig == NULL)
        return FALSE;
    pConfig->fields[0] = sizeof(MCVideoDecoderConfig);
    return CallIfHeld(m_pConfig.Get(), &IMCVideoDecoderConfig::SetConfig, pConfig);
}

BOOL CMCVideoDecoder::GetConfigField5(DWORD* pdwValue)
{
    MCVideoDecoderConfig config = {};
    if (pdwValue == NULL || !GetConfig(&config))
        return FALSE;
    *pdwValue = config.fields[4];
    return TRUE;
}

BOOL CMCVideoDecoder::SetConfigField5(DWORD dwValue)
{
    MCVideoDecoderConfig config = {};
    if (!GetConfig(&config))
        return FALSE;
    config.fields[4] = dwValue;
    return SetConfig(&config);
}

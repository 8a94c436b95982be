#include "dshow/MCH264Encoder.h"

#include "dshow/InterfaceCall.h"

CMCH264Encoder::CMCH264Encoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Encoder::CMCH264Encoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Encoder::CMCH264Encoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCH264Encoder::~CMCH264Encoder()
{
    ReleaseInterfaces();
}

// The reverse of the order they are asked for in.
void CMCH264Encoder::ReleaseInterfaces()
{
    m_pH264Parameters.Reset();
    m_pH264Settings.Reset();
    m_pFileSink.Reset();
    m_pMuxParameters.Reset();
    m_pMuxSettings.Reset();
    m_pAudioParameters.Reset();
    m_pAudioSettings.Reset();
}

BOOL CMCH264Encoder::Initfilter()
{
    m_bRefreshPins = TRUE;
    ReleaseInterfaces();
    if (!CFilterNode::Initfilter())
        return FALSE;
    // Every interface is asked for, even after one is missing.
    IBaseFilter* pFilter = m_pFilter.Get();
    BOOL bAll = TRUE;
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCAudioEncoderSettings, m_pAudioSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCAudioEncoderParameters, m_pAudioParameters));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCMultiplexerSettings, m_pMuxSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCMultiplexerParameters, m_pMuxParameters));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IFileSinkFilter, m_pFileSink));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCH264EncoderSettings, m_pH264Settings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCH264EncoderParameters, m_pH264Parameters));
    return bAll;
}

BOOL CMCH264Encoder::GetMuxParameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pMuxParameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCH264Encoder::SetMuxParameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pMuxParameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

BOOL CMCH264Encoder::SettingsWords3(DWORD a, DWORD b, DWORD c)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::Words3, a, b, c);
}

BOOL CMCH264Encoder::SettingsWords4(DWORD a, DWORD b, DWORD c)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::Words4, a, b, c);
}

BOOL CMCH264Encoder::SettingsWord5(DWORD a)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::Word5, a);
}

BOOL CMCH264Encoder::SetH264Settings(const MCH264EncoderSettings& settings)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::SetSettings, &settings);
}

BOOL CMCH264Encoder::SettingsWords7(DWORD a, DWORD b, DWORD c)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::Words7, a, b, c);
}

BOOL CMCH264Encoder::SettingsWords8(DWORD a, DWORD b)
{
    return CallIfHeld(m_pH264Settings.Get(), &IMCH264EncoderSettings::Words8, a, b);
}

BOOL CMCH264Encoder::GetH264Parameter(LONG lNumber, LONG* plValue)
{
    return CallIfHeld(m_pH264Parameters.Get(), &IMCParameters::GetParameter, lNumber, plValue);
}

BOOL CMCH264Encoder::SetH264Parameter(LONG lNumber, LONG lValue)
{
    return CallIfHeld(m_pH264Parameters.Get(), &IMCParameters::SetParameter, lNumber, lValue);
}

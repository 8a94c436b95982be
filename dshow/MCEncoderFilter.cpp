#include "dshow/MCEncoderFilter.h"

#include <string.h>

CMCEncoderFilter::CMCEncoderFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCEncoderFilter::CMCEncoderFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCEncoderFilter::CMCEncoderFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMCEncoderFilter::~CMCEncoderFilter()
{
    ReleaseInterfaces();
}

void CMCEncoderFilter::ReleaseInterfaces()
{
    m_pAudioSettings.Reset();
    m_pAudioParameters.Reset();
    m_pMuxSettings.Reset();
    m_pFileSink.Reset();
    m_pVideoSettings.Reset();
    m_pVideoParameters.Reset();
}

BOOL CMCEncoderFilter::Initfilter()
{
    ReleaseInterfaces();
    m_bRefreshPins = TRUE;
    if (!CFilterNode::Initfilter())
        return FALSE;
    // Every interface is asked for, even after one is missing.
    BOOL bAll = TRUE;
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IMCAudioEncoderSettings,
                                                reinterpret_cast<void**>(&m_pAudioSettings)));
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IMCAudioEncoderParameters,
                                                reinterpret_cast<void**>(&m_pAudioParameters)));
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IMCMultiplexerSettings,
                                                reinterpret_cast<void**>(&m_pMuxSettings)));
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IFileSinkFilter, reinterpret_cast<void**>(&m_pFileSink)));
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IMCVideoEncoderSettings,
                                                reinterpret_cast<void**>(&m_pVideoSettings)));
    bAll &= SUCCEEDED(m_pFilter->QueryInterface(IID_IMCVideoEncoderParameters,
                                                reinterpret_cast<void**>(&m_pVideoParameters)));
    return bAll;
}

BOOL CMCEncoderFilter::ApplyPreset(const MpegPreset* pPreset)
{
    if (pPreset == NULL || !m_pVideoSettings || !m_pVideoParameters || !m_pAudioSettings || !m_pAudioParameters ||
        !m_pMuxSettings)
        return FALSE;
    MCVideoSettings video;
    memset(&video, 0, sizeof(video));
    if (FAILED(m_pVideoSettings->GetDefaultSettings(pPreset->nType, pPreset->bPal ? 1 : 0, &video)))
        return FALSE;
    if (pPreset->nType == 1)
    {
        LONG vcd = 1;
        memcpy(video.data + MCVIDEO_OFFSET_VCD_FLAG, &vcd, 4);
    }
    memcpy(video.data + MCVIDEO_OFFSET_BIT_RATE, &pPreset->dBitRate, 8);
    memcpy(video.data + MCVIDEO_OFFSET_MAX_BIT_RATE, &pPreset->dMaxBitRate, 8);
    memcpy(video.data + MCVIDEO_OFFSET_WIDTH, &pPreset->nWidth, 4);
    memcpy(video.data + MCVIDEO_OFFSET_HEIGHT, &pPreset->nHeight, 4);
    BYTE& header = video.data[MCVIDEO_OFFSET_HEADER_CODE];
    header = static_cast<BYTE>((header & 0xE1) | ((pPreset->nHeaderCode & 0x0F) << 1));
    memcpy(video.data + MCVIDEO_OFFSET_BIT_RATE_COPY, &pPreset->dBitRate, 8);
    if (FAILED(m_pVideoSettings->SetSettings(video)))
        return FALSE;
    if (FAILED(m_pVideoParameters->SetParameter(97, 0)) || FAILED(m_pVideoParameters->SetParameter(96, 1)) ||
        FAILED(m_pAudioParameters->SetParameter(96, 1)))
        return FALSE;
    MCAudioSettings audio;
    memset(&audio, 0, sizeof(audio));
    if (FAILED(m_pAudioSettings->GetDefaultSettings(pPreset->nType, &audio)))
        return FALSE;
    audio.fields[0] = 0;
    audio.fields[1] = 2;
    audio.fields[3] = pPreset->nAudioValue;
    if (FAILED(m_pAudioSettings->SetSettings(audio)))
        return FALSE;
    return SUCCEEDED(m_pMuxSettings->SetMultiplexType(pPreset->nType));
}

BOOL CMCEncoderFilter::SetFileName(LPCSTR pszPath)
{
    if (!m_pFileSink)
        return FALSE;
    return SetSinkFileName(m_pFileSink.Get(), pszPath);
}

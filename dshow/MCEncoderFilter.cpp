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
    ReleaseAudioInterfaces();
    ReleaseMuxInterfaces();
    ReleaseVideoInterfaces();
}

BOOL CMCEncoderFilter::Initfilter()
{
    ReleaseInterfaces();
    m_bRefreshPins = TRUE;
    if (!CFilterNode::Initfilter())
        return FALSE;
    // Every interface is asked for, even after one is missing.
    IBaseFilter* pFilter = m_pFilter.Get();
    BOOL bAll = TRUE;
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCAudioEncoderSettings, m_pAudioSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCAudioEncoderParameters, m_pAudioParameters));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCMultiplexerSettings, m_pMuxSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IFileSinkFilter, m_pFileSink));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCVideoEncoderSettings, m_pVideoSettings));
    bAll &= SUCCEEDED(ComQuery(pFilter, IID_IMCVideoEncoderParameters, m_pVideoParameters));
    return bAll;
}

BOOL CMCEncoderFilter::ApplyPreset(const MpegPreset* pPreset)
{
    if (pPreset == NULL || !m_pVideoSettings)
        return FALSE;
    MCVideoSettings video;
    memset(&video, 0, sizeof(video));
    if (!GetDefaultVideoSettings(pPreset->nType, pPreset->bPal ? 1 : 0, &video))
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
    WriteHeaderCode(&video, pPreset->nHeaderCode);
    memcpy(video.data + MCVIDEO_OFFSET_BIT_RATE_COPY, &pPreset->dBitRate, 8);
    if (!SetVideoSettings(video))
        return FALSE;
    if (!SetVideoParameter(97, 0) || !SetVideoParameter(96, 1) || !SetAudioParameter(96, 1))
        return FALSE;
    MCAudioSettings audio;
    memset(&audio, 0, sizeof(audio));
    if (!GetDefaultAudioSettings(pPreset->nType, &audio))
        return FALSE;
    audio.fields[0] = 0;
    audio.fields[1] = 2;
    audio.fields[3] = pPreset->nAudioValue;
    if (!SetAudioSettings(audio))
        return FALSE;
    return SetMultiplexType(pPreset->nType);
}

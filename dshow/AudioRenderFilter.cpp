#include "dshow/AudioRenderFilter.h"

namespace
{
const LONG kScaleLow = 0;
const LONG kScaleHigh = 100;
// Below this the renderer is silent: muted.
const LONG kMutedBelow = -9999;
}

CAudioRenderFilter::CAudioRenderFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAudioRenderFilter::CAudioRenderFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAudioRenderFilter::CAudioRenderFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAudioRenderFilter::~CAudioRenderFilter()
{
    // The renderer is left sounding at the user's volume.
    if (m_pBasicAudio)
        m_pBasicAudio->put_Volume(m_lVolume);
    m_pBasicAudio.Reset();
}

BOOL CAudioRenderFilter::Initfilter()
{
    m_lScaleLow = kScaleLow;
    m_lScaleHigh = kScaleHigh;
    m_lVolume = VOLUME_FULL;
    m_bMute = FALSE;
    m_pBasicAudio.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    if (FAILED(m_pFilter->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&m_pBasicAudio))) ||
        !m_pBasicAudio)
        return FALSE;
    long lVolume = VOLUME_FULL;
    if (SUCCEEDED(m_pBasicAudio->get_Volume(&lVolume)))
    {
        m_lVolume = lVolume;
        m_bMute = lVolume < kMutedBelow;
    }
    return TRUE;
}

LONG CAudioRenderFilter::ToUnits(LONG lValue) const
{
    // The scale's ends are the ends: a value beyond them would ask the
    // renderer for more than full volume, which it refuses.
    LONG v = lValue < m_lScaleLow ? m_lScaleLow : lValue > m_lScaleHigh ? m_lScaleHigh : lValue;
    return (v - m_lScaleLow) * -VOLUME_FLOOR / (m_lScaleHigh - m_lScaleLow) + VOLUME_FLOOR;
}

LONG CAudioRenderFilter::FromUnits(LONG lUnits) const
{
    return (lUnits - VOLUME_FLOOR) * (m_lScaleHigh - m_lScaleLow) / -VOLUME_FLOOR;
}

BOOL CAudioRenderFilter::GetVolume(LONG* plVolume)
{
    if (plVolume != NULL)
        *plVolume = FromUnits(m_lVolume);
    return TRUE;
}

BOOL CAudioRenderFilter::SetVolume(LONG lVolume)
{
    LONG lUnits = ToUnits(lVolume);
    if (!m_bMute)
    {
        if (!m_pBasicAudio || FAILED(m_pBasicAudio->put_Volume(lUnits)))
            return FALSE;
    }
    m_lVolume = lUnits;
    return TRUE;
}

BOOL CAudioRenderFilter::SetMute(BOOL bMute)
{
    if (!m_pBasicAudio || FAILED(m_pBasicAudio->put_Volume(bMute ? VOLUME_SILENT : m_lVolume)))
        return FALSE;
    m_bMute = bMute ? TRUE : FALSE;
    return TRUE;
}

BOOL CAudioRenderFilter::GetMute(BOOL* pbMute)
{
    long lVolume = VOLUME_FULL;
    if (!m_pBasicAudio || FAILED(m_pBasicAudio->get_Volume(&lVolume)))
        return FALSE;
    BOOL bMuted = lVolume < kMutedBelow;
    if (pbMute != NULL)
        *pbMute = bMuted;
    if (bMuted != m_bMute)
    {
        m_bMute = bMuted;
        if (!bMuted)
            m_lVolume = lVolume;
    }
    return TRUE;
}

CDirectSoundFilter::CDirectSoundFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CAudioRenderFilter(pGraph, clsid)
{
    if (m_bValid && !QueryClock())
        m_bValid = FALSE;
}

CDirectSoundFilter::CDirectSoundFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CAudioRenderFilter(pGraph, pCategory, pszName, bExclude)
{
    if (m_bValid && !QueryClock())
        m_bValid = FALSE;
}

CDirectSoundFilter::CDirectSoundFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CAudioRenderFilter(pGraph, pFilter)
{
    if (m_bValid && !QueryClock())
        m_bValid = FALSE;
}

CDirectSoundFilter::~CDirectSoundFilter()
{
    m_pClock.Reset();
}

BOOL CDirectSoundFilter::Initfilter()
{
    return CAudioRenderFilter::Initfilter() && QueryClock();
}

BOOL CDirectSoundFilter::QueryClock()
{
    m_pClock.Reset();
    return m_pFilter && SUCCEEDED(m_pFilter->QueryInterface(IID_IReferenceClock, reinterpret_cast<void**>(&m_pClock))) &&
           m_pClock;
}

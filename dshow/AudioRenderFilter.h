#pragma once

#include "dshow/FilterNode.h"

// The wrapper of an audio renderer ("Audio Render"): its volume on the user's
// scale (0 to 100 by default, -60 dB to full) and its mute. The renderer keeps
// the volume while muted and gets it back when unmuted, also when the wrapper
// goes.
class CAudioRenderFilter : public CFilterNode
{
public:
    enum { VOLUME_SILENT = -10000, VOLUME_FLOOR = -6000, VOLUME_FULL = 0 };

    CAudioRenderFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CAudioRenderFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CAudioRenderFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CAudioRenderFilter() override;

    // TRUE when the renderer has IBasicAudio; takes its volume and mute.
    BOOL Initfilter() override;

    // The stored volume on the user scale; always TRUE.
    BOOL GetVolume(LONG* plVolume);
    // A value on the user scale, held to it; put at once unless muted.
    BOOL SetVolume(LONG lVolume);
    BOOL SetMute(BOOL bMute);
    // Reads the renderer's volume; silence counts as muted.
    BOOL GetMute(BOOL* pbMute);

    // IBasicAudio units of a value on the scale, and back.
    LONG ToUnits(LONG lValue) const;
    LONG FromUnits(LONG lUnits) const;

    IBasicAudio* GetBasicAudio() const { return m_pBasicAudio.Get(); }

protected:
    ComPtr<IBasicAudio> m_pBasicAudio;
    LONG m_lVolume;
    LONG m_lScaleLow;
    LONG m_lScaleHigh;
    BOOL m_bMute;
};

// The wrapper of the DirectSound renderer ("Direct Sound Filter"), which is
// also the graph's reference clock.
class CDirectSoundFilter : public CAudioRenderFilter
{
public:
    CDirectSoundFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CDirectSoundFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CDirectSoundFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CDirectSoundFilter() override;

    // TRUE when the renderer has IBasicAudio and IReferenceClock.
    BOOL Initfilter() override;

    IReferenceClock* GetReferenceClock() const { return m_pClock.Get(); }

private:
    BOOL QueryClock();

    ComPtr<IReferenceClock> m_pClock;
};

#pragma once

#include "dshow/FilterNode.h"

// The wrapper of a card's TV-audio filter: the sound mode of the TV input
// (mono, stereo, the languages of a dual-sound broadcast).
class CTVAudioDevice : public CFilterNode
{
public:
    CTVAudioDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CTVAudioDevice(CDShowGraph* pGraph, REFCLSID clsid);
    CTVAudioDevice(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CTVAudioDevice() override;

    // The node's open; nonzero when the filter has IAMTVAudio.
    BOOL Initfilter() override;

    BOOL SetTVAudioMode(LONG lMode);
    BOOL GetTVAudioMode(LONG* plMode);
    BOOL GetAvailableTVAudioModes(LONG* plModes);
    BOOL GetHardwareSupportedTVAudioModes(LONG* plModes);

protected:
    void OpenDevice();

    ComPtr<IAMTVAudio> m_pTVAudio;
};

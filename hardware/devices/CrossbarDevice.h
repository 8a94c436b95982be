#pragma once

#include "dshow/FilterNode.h"

// The wrapper of a card's crossbar filter. The engine routes a card's inputs
// by a source index (0 tuner, 1 and 2 the outside inputs); each card's
// crossbar class says which crossbar input pins those indexes are.
class CCrossbarDevice : public CFilterNode
{
public:
    enum { SOURCE_COUNT = 3, OUTPUT_VIDEO = 0, OUTPUT_AUDIO = 1, NO_PIN = -1 };

    CCrossbarDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CCrossbarDevice(CDShowGraph* pGraph, REFCLSID clsid);
    CCrossbarDevice(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CCrossbarDevice() override;

    // The node's open; the pin map is loaded when the node holds a filter.
    BOOL Initfilter() override;
    virtual BOOL RouteVideo(int nSource);
    virtual BOOL RouteAudio(int nSource);
    virtual void LoadPinMap();

    // Routes the crossbar input pin to the output pin (IAMCrossbar numbers);
    // nonzero only when the crossbar took the route.
    BOOL Route(LONG lInput, LONG lOutput);

    LONG GetVideoPin(int nSource) const { return m_alVideoPins[SourceSlot(nSource)]; }
    LONG GetAudioPin(int nSource) const { return m_alAudioPins[SourceSlot(nSource)]; }

protected:
    // What the card-class constructors run after the base construction.
    void OpenDevice();
    // Index 1 and 2 are themselves; every other index is source 0.
    static int SourceSlot(int nSource) { return nSource == 1 || nSource == 2 ? nSource : 0; }

    LONG m_alVideoPins[SOURCE_COUNT];
    LONG m_alAudioPins[SOURCE_COUNT];

private:
    void ClearPinMap();
};

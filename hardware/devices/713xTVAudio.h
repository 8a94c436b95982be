#pragma once

#include "hardware/devices/TVAudioDevice.h"

// The TV-audio filter of the 713x cards, "713x TV Card TV Audio (Proteus)":
// the plain TV-audio wrapper, opened when it is made.
class C713xTVAudio : public CTVAudioDevice
{
public:
    C713xTVAudio(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    C713xTVAudio(CDShowGraph* pGraph, REFCLSID clsid);
};

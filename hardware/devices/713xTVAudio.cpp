#include "hardware/devices/713xTVAudio.h"

C713xTVAudio::C713xTVAudio(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CTVAudioDevice(pGraph, pCategory, pszName, bExclude)
{
    OpenDevice();
}

C713xTVAudio::C713xTVAudio(CDShowGraph* pGraph, REFCLSID clsid)
    : CTVAudioDevice(pGraph, clsid)
{
    OpenDevice();
}

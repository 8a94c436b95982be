#include "hardware/devices/BlackBirdCrossbar.h"

namespace
{
struct CrossbarPinMap
{
    LONG alVideo[CCrossbarDevice::SOURCE_COUNT];
    LONG alAudio[CCrossbarDevice::SOURCE_COUNT];
};

// Video pins and audio pins of sources 0, 1, 2; -1: the source has no pin.
const CrossbarPinMap kSevenPinMap = { { 0, 2, 1 }, { 3, 4, -1 } };
const CrossbarPinMap kOtherPinMap = { { 1, 2, 0 }, { 4, 5, 6 } };
}

CBlackBirdCrossbar::CBlackBirdCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CCrossbarDevice(pGraph, pCategory, pszName, bExclude)
{
    OpenDevice();
}

CBlackBirdCrossbar::CBlackBirdCrossbar(CDShowGraph* pGraph, REFCLSID clsid)
    : CCrossbarDevice(pGraph, clsid)
{
    OpenDevice();
}

CBlackBirdCrossbar::~CBlackBirdCrossbar()
{
}

void CBlackBirdCrossbar::LoadPinMap()
{
    const CrossbarPinMap& map = m_nPinCount == 7 ? kSevenPinMap : kOtherPinMap;
    for (int i = 0; i < SOURCE_COUNT; ++i)
    {
        m_alVideoPins[i] = map.alVideo[i];
        m_alAudioPins[i] = map.alAudio[i];
    }
}

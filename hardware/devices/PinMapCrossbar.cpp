#include "hardware/devices/PinMapCrossbar.h"

#include "hardware/bus/Usb2800Bridge.h"

const CrossbarPinMap kCrossbarBaseMap = { { 0, 1, 2 }, { 3, 4, 5 } };
const CrossbarPinMap kCrossbarConexantMap = { { 1, 2, 0 }, { 4, 5, 6 } };
const CrossbarPinMap kCrossbarAudioFromFourMap = { { 0, 1, 2 }, { 4, 5, 6 } };
const CrossbarPinMap kCrossbarVideoFromOneMap = { { 1, 2, 3 }, { 4, 5, 6 } };
const CrossbarPinMap kCrossbarSharedAudioMap = { { 0, 1, 2 }, { 3, 4, 4 } };
const CrossbarPinMap kCrossbarAudioFromFiveMap = { { 0, 1, 2 }, { 5, 6, 7 } };

namespace
{
const CrossbarPinMap kMpegBoxTunerMap = { { 2, 0, 1 }, { 4, 3, -1 } };
const CrossbarPinMap kMpegBoxInputsMap = { { -1, 0, 1 }, { -1, 2, -1 } };

// The bridge's video input code of each source.
BYTE BridgeInputCode(int nSource)
{
    return nSource == 0 ? 2 : nSource == 2 ? 9 : 0;
}
}

void CPinMapCrossbar::LoadPinMap()
{
    for (int i = 0; i < SOURCE_COUNT; ++i)
    {
        m_alVideoPins[i] = m_pMap->alVideo[i];
        m_alAudioPins[i] = m_pMap->alAudio[i];
    }
}

CVeltraneMPEG2BoxCrossbar::CVeltraneMPEG2BoxCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName,
                                                     BOOL bExclude)
    : CPinMapCrossbar(pGraph, pCategory, pszName, bExclude, kMpegBoxTunerMap)
{
    OpenDevice();
}

CVeltraneMPEG2BoxCrossbar::CVeltraneMPEG2BoxCrossbar(CDShowGraph* pGraph, REFCLSID clsid)
    : CPinMapCrossbar(pGraph, clsid, kMpegBoxTunerMap)
{
    OpenDevice();
}

void CVeltraneMPEG2BoxCrossbar::LoadPinMap()
{
    SetMap(m_nPinCount > 5 ? kMpegBoxTunerMap : kMpegBoxInputsMap);
    CPinMapCrossbar::LoadPinMap();
}

CUsb2800FamilyCrossbar::CUsb2800FamilyCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName,
                                               BOOL bExclude, const CrossbarPinMap& map, LPCSTR pszBridge,
                                               BOOL bRouteCrossbarFirst)
    : CPinMapCrossbar(pGraph, pCategory, pszName, bExclude, map), m_pszBridge(pszBridge),
      m_bRouteCrossbarFirst(bRouteCrossbarFirst)
{
}

CUsb2800FamilyCrossbar::CUsb2800FamilyCrossbar(CDShowGraph* pGraph, REFCLSID clsid, const CrossbarPinMap& map,
                                               LPCSTR pszBridge, BOOL bRouteCrossbarFirst)
    : CPinMapCrossbar(pGraph, clsid, map), m_pszBridge(pszBridge), m_bRouteCrossbarFirst(bRouteCrossbarFirst)
{
}

BOOL CUsb2800FamilyCrossbar::RouteVideo(int nSource)
{
    if (m_bRouteCrossbarFirst)
        CCrossbarDevice::RouteVideo(nSource);
    CUsb2800Bridge bridge;
    if (bridge.Open(m_pszBridge) == NULL)
        return FALSE;
    BYTE input = 0;
    HRESULT hr = bridge.ReadRegisters(75, 1, &input);
    if (SUCCEEDED(hr))
    {
        input = static_cast<BYTE>((input & 0xF0) | BridgeInputCode(nSource));
        hr = bridge.WriteRegisters(74, 1, &input);
    }
    bridge.Close();
    return SUCCEEDED(hr);
}

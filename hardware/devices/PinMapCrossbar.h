#pragma once

#include "hardware/devices/CrossbarDevice.h"

// The crossbar input pins of sources 0, 1, 2: video (routed to output 0) and
// audio (routed to output 1); -1: the source has no pin.
struct CrossbarPinMap
{
    LONG alVideo[CCrossbarDevice::SOURCE_COUNT];
    LONG alAudio[CCrossbarDevice::SOURCE_COUNT];
};

// The pin maps the cards' crossbars use.
extern const CrossbarPinMap kCrossbarBaseMap;           // 0, 1, 2 / 3, 4, 5
extern const CrossbarPinMap kCrossbarConexantMap;       // 1, 2, 0 / 4, 5, 6
extern const CrossbarPinMap kCrossbarAudioFromFourMap;  // 0, 1, 2 / 4, 5, 6
extern const CrossbarPinMap kCrossbarVideoFromOneMap;   // 1, 2, 3 / 4, 5, 6
extern const CrossbarPinMap kCrossbarSharedAudioMap;    // 0, 1, 2 / 3, 4, 4
extern const CrossbarPinMap kCrossbarAudioFromFiveMap;  // 0, 1, 2 / 5, 6, 7

// A card's crossbar that differs from the base only in its pin map.
class CPinMapCrossbar : public CCrossbarDevice
{
public:
    void LoadPinMap() override;

protected:
    CPinMapCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude,
                    const CrossbarPinMap& map)
        : CCrossbarDevice(pGraph, pCategory, pszName, bExclude), m_pMap(&map)
    {
    }
    CPinMapCrossbar(CDShowGraph* pGraph, REFCLSID clsid, const CrossbarPinMap& map)
        : CCrossbarDevice(pGraph, clsid), m_pMap(&map)
    {
    }
    void SetMap(const CrossbarPinMap& map) { m_pMap = &map; }

private:
    const CrossbarPinMap* m_pMap;
};

// A crossbar class of one card: its map, opened when it is made.
#define PIN_MAP_CROSSBAR(Class, Map)                                                                      \
    class Class : public CPinMapCrossbar                                                                  \
    {                                                                                                     \
    public:                                                                                               \
        Class(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)                  \
            : CPinMapCrossbar(pGraph, pCategory, pszName, bExclude, Map)                                  \
        {                                                                                                 \
            OpenDevice();                                                                                 \
        }                                                                                                 \
        Class(CDShowGraph* pGraph, REFCLSID clsid) : CPinMapCrossbar(pGraph, clsid, Map) { OpenDevice(); } \
    }

PIN_MAP_CROSSBAR(C713xCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713xIOCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713x3Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713xPIPCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713xGeniusCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CVeltraneMirevalCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CTVAVCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CKetrimCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CSanvoryCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CVandrel630Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CConexant2388xCrossbar, kCrossbarConexantMap);
PIN_MAP_CROSSBAR(CConexant2388x1Crossbar, kCrossbarConexantMap);
PIN_MAP_CROSSBAR(CConexant2388x3Crossbar, kCrossbarConexantMap);
PIN_MAP_CROSSBAR(CQuenbyLantorCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CVeltraneQM57Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CLorvaneCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CVeltranePX63Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CTridVidCrossbar, kCrossbarAudioFromFourMap);
PIN_MAP_CROSSBAR(CTridentUSBCrossbar, kCrossbarAudioFromFourMap);
PIN_MAP_CROSSBAR(CHadlexCrossbar, kCrossbarConexantMap);
PIN_MAP_CROSSBAR(C2388xCrossbar, kCrossbarConexantMap);
PIN_MAP_CROSSBAR(CQM41Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CQM42Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(CSeldrinCrossbar, kCrossbarAudioFromFourMap);
PIN_MAP_CROSSBAR(CTaveshCrossbar, kCrossbarAudioFromFourMap);
PIN_MAP_CROSSBAR(CTridentPemrokCrossbar, kCrossbarAudioFromFourMap);
PIN_MAP_CROSSBAR(CRaptorCrossbar, kCrossbarAudioFromFiveMap);
PIN_MAP_CROSSBAR(C713xDCrossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713x4Crossbar, kCrossbarBaseMap);
PIN_MAP_CROSSBAR(C713xBdaCrossbar, kCrossbarBaseMap);

// "Veltrane MPEG-2 Box Crossbar": a driver with more than five pins has a
// tuner input; one with five or fewer has only the outside inputs.
class CVeltraneMPEG2BoxCrossbar : public CPinMapCrossbar
{
public:
    CVeltraneMPEG2BoxCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CVeltraneMPEG2BoxCrossbar(CDShowGraph* pGraph, REFCLSID clsid);
    void LoadPinMap() override;
};

// The crossbars of the USB 2800 family boxes: the video input is chosen in
// a register of the box's bridge, opened by the bridge's device name.
class CUsb2800FamilyCrossbar : public CPinMapCrossbar
{
public:
    BOOL RouteVideo(int nSource) override;

protected:
    CUsb2800FamilyCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude,
                           const CrossbarPinMap& map, LPCSTR pszBridge, BOOL bRouteCrossbarFirst);
    CUsb2800FamilyCrossbar(CDShowGraph* pGraph, REFCLSID clsid, const CrossbarPinMap& map, LPCSTR pszBridge,
                           BOOL bRouteCrossbarFirst);

private:
    LPCSTR m_pszBridge;
    BOOL m_bRouteCrossbarFirst;
};

#define USB2800_CROSSBAR(Class, Map, Bridge, bCrossbarFirst)                                               \
    class Class : public CUsb2800FamilyCrossbar                                                           \
    {                                                                                                     \
    public:                                                                                               \
        Class(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)                  \
            : CUsb2800FamilyCrossbar(pGraph, pCategory, pszName, bExclude, Map, Bridge, bCrossbarFirst)    \
        {                                                                                                 \
            OpenDevice();                                                                                 \
        }                                                                                                 \
        Class(CDShowGraph* pGraph, REFCLSID clsid)                                                        \
            : CUsb2800FamilyCrossbar(pGraph, clsid, Map, Bridge, bCrossbarFirst)                          \
        {                                                                                                 \
            OpenDevice();                                                                                 \
        }                                                                                                 \
    }

USB2800_CROSSBAR(CUSB2800Crossbar, kCrossbarAudioFromFourMap, "USB 2800 TVTuner", FALSE);
USB2800_CROSSBAR(CVeltraneKestaneCrossbar, kCrossbarAudioFromFourMap, "Veltrane Kestane TVTuner", FALSE);
USB2800_CROSSBAR(CUSB2820Crossbar, kCrossbarVideoFromOneMap, "USB 2820 Crossbar", TRUE);
USB2800_CROSSBAR(CUSB2821Crossbar, kCrossbarAudioFromFourMap, "USB 2821 Crossbar", FALSE);
USB2800_CROSSBAR(CUSB2881Crossbar, kCrossbarVideoFromOneMap, "USB 2800 TVTuner", FALSE);

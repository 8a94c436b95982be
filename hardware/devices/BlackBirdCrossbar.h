#pragma once

#include "hardware/devices/CrossbarDevice.h"

// "BlackBird Crossbar". Two driver versions number the pins differently: the
// seven-pin crossbar has no audio for the S-Video input.
class CBlackBirdCrossbar : public CCrossbarDevice
{
public:
    CBlackBirdCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CBlackBirdCrossbar(CDShowGraph* pGraph, REFCLSID clsid);
    ~CBlackBirdCrossbar() override;

    void LoadPinMap() override;
};

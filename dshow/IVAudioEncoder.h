#pragma once

#include "dshow/FilterNode.h"

// The block of six words that the InterVideo audio encoder's presets fill.
struct IVAudioParameters
{
    DWORD words[6];
};

// The InterVideo audio encoder: its parameters written from a preset block
// through its parameter interface, asked for anew for each call.
class CIVAudioEncoder : public CFilterNode
{
public:
    CIVAudioEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    CIVAudioEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVAudioEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter);

    // Every parameter is written; TRUE only when every write succeeded.
    BOOL SetParameters(const IVAudioParameters* pBlock);

    static BOOL FillPreset1(IVAudioParameters* pBlock);
    // The one preset at 48000 Hz.
    static BOOL FillPreset2(IVAudioParameters* pBlock);
    static BOOL FillPreset3(IVAudioParameters* pBlock);
    static BOOL FillPreset4(IVAudioParameters* pBlock);
    static BOOL FillPreset5(IVAudioParameters* pBlock);
};

#pragma once

#include "dshow/FilterNode.h"

// The block of seventeen words that the InterVideo video encoder's presets
// fill (word 11 is not used).
struct IVVideoParameters
{
    DWORD words[17];
};

// The InterVideo video encoder: its parameters written from, or read into,
// a preset block through its parameter interface, asked for anew for each call.
class CIVVideoEncoder : public CFilterNode
{
public:
    CIVVideoEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    CIVVideoEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVVideoEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter);

    // Every parameter is written, then parameter 20 = 1; TRUE only when every
    // write succeeded.
    BOOL SetParameters(const IVVideoParameters* pBlock);
    // TRUE only when every read succeeded.
    BOOL GetParameters(IVVideoParameters* pBlock);

    // nStandard 1 or 2; any other is refused after the common words are set.
    static BOOL FillPreset1(IVVideoParameters* pBlock, int nStandard);
    // bHighRate: 7200 instead of 4500 in word 6.
    static BOOL FillPreset2(IVVideoParameters* pBlock, int nStandard, BOOL bHighRate);
    static BOOL FillPreset3(IVVideoParameters* pBlock, int nStandard);
    static BOOL FillPreset4(IVVideoParameters* pBlock, int nStandard);
    static BOOL FillPreset5(IVVideoParameters* pBlock, int nStandard);
};

#pragma once

#include "dshow/FilterNode.h"

// The block of six words that the InterVideo multiplexer's presets fill.
struct IVMuxParameters
{
    DWORD words[6];
};

// The InterVideo multiplexer: its parameters written from a preset block
// through its parameter interface, asked for anew for each call. Its pins
// follow its connections, so the graph re-reads them after each change.
class CIVMultiplexer : public CFilterNode
{
public:
    CIVMultiplexer(CDShowGraph* pGraph, REFCLSID clsid);
    CIVMultiplexer(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVMultiplexer(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CIVMultiplexer() override;

    BOOL Initfilter() override;
    // Every parameter is written; TRUE only when every write succeeded.
    BOOL SetParameters(const IVMuxParameters* pBlock);

    static BOOL FillPreset1(IVMuxParameters* pBlock);
    static BOOL FillPreset2(IVMuxParameters* pBlock);
    static BOOL FillPreset3(IVMuxParameters* pBlock);
    static BOOL FillPreset4(IVMuxParameters* pBlock);
    static BOOL FillPreset5(IVMuxParameters* pBlock);
};

#include "dshow/IVMultiplexer.h"

#include "dshow/InterVideoParameters.h"

namespace
{
// Parameter numbers in the order they are written, with their words.
const IVParameterWord kMuxParameters[] = {
    { 515, 4 }, { 513, 0 }, { 514, 1 }, { 517, 3 }, { 516, 2 }, { 518, 5 },
};

// Words 0, 4 and 5 of each preset; words 1 to 3 are 1 in all.
struct MuxPresetRow
{
    DWORD dwWord0;
    DWORD dwWord4;
    DWORD dwWord5;
};

const MuxPresetRow kMuxPresets[5] = {
    { 2324, 2, 0 }, { 2048, 4, 1 }, { 2324, 3, 1 }, { 2048, 0, 1 }, { 2048, 1, 1 },
};

BOOL FillMux(int nPreset, IVMuxParameters* pBlock)
{
    if (pBlock == NULL)
        return FALSE;
    const MuxPresetRow& row = kMuxPresets[nPreset];
    pBlock->words[0] = row.dwWord0;
    pBlock->words[1] = 1;
    pBlock->words[2] = 1;
    pBlock->words[3] = 1;
    pBlock->words[4] = row.dwWord4;
    pBlock->words[5] = row.dwWord5;
    return TRUE;
}
}

CIVMultiplexer::CIVMultiplexer(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVMultiplexer::CIVMultiplexer(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVMultiplexer::CIVMultiplexer(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVMultiplexer::~CIVMultiplexer()
{
}

BOOL CIVMultiplexer::Initfilter()
{
    m_bRefreshPins = TRUE;
    return CFilterNode::Initfilter();
}

BOOL CIVMultiplexer::SetParameters(const IVMuxParameters* pBlock)
{
    ComPtr<IIVParameters> pParameters;
    if (pBlock == NULL || FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVMultiplexerParameters, pParameters)))
        return FALSE;
    return WriteIVParameters(pParameters.Get(), kMuxParameters, ARRAYSIZE(kMuxParameters), pBlock->words);
}

BOOL CIVMultiplexer::FillPreset1(IVMuxParameters* pBlock) { return FillMux(0, pBlock); }
BOOL CIVMultiplexer::FillPreset2(IVMuxParameters* pBlock) { return FillMux(1, pBlock); }
BOOL CIVMultiplexer::FillPreset3(IVMuxParameters* pBlock) { return FillMux(2, pBlock); }
BOOL CIVMultiplexer::FillPreset4(IVMuxParameters* pBlock) { return FillMux(3, pBlock); }
BOOL CIVMultiplexer::FillPreset5(IVMuxParameters* pBlock) { return FillMux(4, pBlock); }

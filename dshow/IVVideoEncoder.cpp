#include "dshow/IVVideoEncoder.h"

#include "dshow/InterVideoParameters.h"

namespace
{
// Parameter numbers in the order they are written and read, with their words.
const IVParameterWord kVideoParameters[] = {
    { 5, 12 }, { 7, 14 }, { 8, 15 },  { 13, 2 },  { 14, 3 }, { 11, 0 }, { 12, 1 }, { 9, 6 },
    { 6, 13 }, { 18, 16 }, { 3, 4 },  { 4, 5 },   { 10, 9 }, { 16, 10 }, { 17, 7 }, { 19, 8 },
};

struct StandardPart
{
    DWORD dwWord0;
    DWORD dwWidth;   // word 4
    DWORD dwHeight;  // word 5
};

struct VideoPresetRow
{
    DWORD dwWord6;
    DWORD dwWord15;
    DWORD dwWord16;
    DWORD dwWord2;   // and word 3
    StandardPart standard1;
    StandardPart standard2;
};

// word 6, word 15, word 16, words 2 and 3, standard 1 (word 0, size), standard 2 (word 0, size)
const VideoPresetRow kVideoPresets[5] = {
    { 1120, 0, 0, 16, { 12, 352, 288 }, { 15, 352, 240 } },
    { 4500, 1, 2, 5, { 6, 720, 576 }, { 6, 720, 480 } },
    { 2200, 1, 2, 8, { 12, 480, 576 }, { 15, 480, 480 } },
    { 4500, 0, 0, 5, { 12, 352, 288 }, { 15, 352, 240 } },
    { 4500, 1, 2, 5, { 6, 720, 576 }, { 6, 720, 480 } },
};

BOOL FillVideo(int nPreset, IVVideoParameters* pBlock, int nStandard)
{
    if (pBlock == NULL)
        return FALSE;
    DWORD* w = pBlock->words;
    w[7] = 9800;
    w[8] = 112;
    w[9] = 1;
    w[10] = 2;
    w[1] = 3;
    w[13] = 2;
    if (nStandard != 1 && nStandard != 2)
        return FALSE;
    w[14] = nStandard;
    w[12] = nStandard == 1 ? 3 : 4;
    const VideoPresetRow& row = kVideoPresets[nPreset];
    const StandardPart& part = nStandard == 1 ? row.standard1 : row.standard2;
    w[6] = row.dwWord6;
    w[15] = row.dwWord15;
    w[16] = row.dwWord16;
    w[2] = row.dwWord2;
    w[3] = row.dwWord2;
    w[0] = part.dwWord0;
    w[4] = part.dwWidth;
    w[5] = part.dwHeight;
    return TRUE;
}
}

CIVVideoEncoder::CIVVideoEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVVideoEncoder::CIVVideoEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVVideoEncoder::CIVVideoEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CIVVideoEncoder::SetParameters(const IVVideoParameters* pBlock)
{
    ComPtr<IIVParameters> pParameters;
    if (pBlock == NULL || FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVVideoEncoderParameters, pParameters)))
        return FALSE;
    BOOL bAll = WriteIVParameters(pParameters.Get(), kVideoParameters, ARRAYSIZE(kVideoParameters), pBlock->words);
    bAll &= SUCCEEDED(pParameters->SetParameter(20, 1));
    return bAll;
}

BOOL CIVVideoEncoder::GetParameters(IVVideoParameters* pBlock)
{
    ComPtr<IIVParameters> pParameters;
    if (pBlock == NULL || FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVVideoEncoderParameters, pParameters)))
        return FALSE;
    return ReadIVParameters(pParameters.Get(), kVideoParameters, ARRAYSIZE(kVideoParameters), pBlock->words);
}

BOOL CIVVideoEncoder::FillPreset1(IVVideoParameters* pBlock, int nStandard) { return FillVideo(0, pBlock, nStandard); }

BOOL CIVVideoEncoder::FillPreset2(IVVideoParameters* pBlock, int nStandard, BOOL bHighRate)
{
    if (!FillVideo(1, pBlock, nStandard))
        return FALSE;
    pBlock->words[6] = bHighRate ? 7200 : 4500;
    return TRUE;
}

BOOL CIVVideoEncoder::FillPreset3(IVVideoParameters* pBlock, int nStandard) { return FillVideo(2, pBlock, nStandard); }
BOOL CIVVideoEncoder::FillPreset4(IVVideoParameters* pBlock, int nStandard) { return FillVideo(3, pBlock, nStandard); }
BOOL CIVVideoEncoder::FillPreset5(IVVideoParameters* pBlock, int nStandard) { return FillVideo(4, pBlock, nStandard); }

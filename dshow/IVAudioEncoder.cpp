#include "dshow/IVAudioEncoder.h"

#include "dshow/InterVideoParameters.h"

namespace
{
// Parameter numbers in the order they are written, with their words.
const IVParameterWord kAudioParameters[] = {
    { 258, 1 }, { 261, 0 }, { 264, 3 }, { 260, 2 }, { 259, 5 }, { 257, 4 },
};

BOOL FillAudio(IVAudioParameters* pBlock, DWORD dwSampleRate)
{
    if (pBlock == NULL)
        return FALSE;
    pBlock->words[0] = dwSampleRate;
    pBlock->words[1] = 224;
    pBlock->words[2] = 100;
    pBlock->words[3] = 1;
    pBlock->words[4] = 2;
    pBlock->words[5] = 0;
    return TRUE;
}
}

CIVAudioEncoder::CIVAudioEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVAudioEncoder::CIVAudioEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVAudioEncoder::CIVAudioEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CIVAudioEncoder::SetParameters(const IVAudioParameters* pBlock)
{
    ComPtr<IIVParameters> pParameters;
    if (pBlock == NULL || FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVAudioEncoderParameters, pParameters)))
        return FALSE;
    return WriteIVParameters(pParameters.Get(), kAudioParameters, ARRAYSIZE(kAudioParameters), pBlock->words);
}

BOOL CIVAudioEncoder::FillPreset1(IVAudioParameters* pBlock) { return FillAudio(pBlock, 44100); }
BOOL CIVAudioEncoder::FillPreset2(IVAudioParameters* pBlock) { return FillAudio(pBlock, 48000); }
BOOL CIVAudioEncoder::FillPreset3(IVAudioParameters* pBlock) { return FillAudio(pBlock, 44100); }
BOOL CIVAudioEncoder::FillPreset4(IVAudioParameters* pBlock) { return FillAudio(pBlock, 44100); }
BOOL CIVAudioEncoder::FillPreset5(IVAudioParameters* pBlock) { return FillAudio(pBlock, 44100); }

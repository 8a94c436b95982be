#include "dshow/LigosCaptureEncoder.h"

#include "dshow/DShowText.h"
#include "dshow/FileSinkName.h"
#include "dshow/InterfaceCall.h"

#include <string.h>

namespace
{
struct ConfigValue
{
    int nOffset;
    DWORD dwValue;
};

// The defaults: every field not listed is 0.
const ConfigValue kDefaults[] = {
    { 0, 1 },     { 4, 1 },        { 8, 6 },    { 12, 3 },   { 16, 2520000 }, { 20, 3 },   { 24, 4 },
    { 28, 8 },    { 32, 2 },       { 36, 1 },   { 44, 1 },   { 48, 3 },       { 52, 44100 }, { 60, 1 },
    { 64, 1 },    { 68, 6 },       { 72, 2 },   { 76, 1 },   { 80, 2 },       { 84, 1 },   { 88, 999999999 },
    { 92, 1 },    { 96, 32 },      { 100, 32 }, { 104, 16 }, { 108, 16 },     { 120, 1 },  { 124, 720 },
    { 128, 512 }, { 152, 1 },      { 172, 5 },  { 224, 1 },
    // 30.0 as a 32-bit float.
    { LIGOS_OFFSET_FRAME_RATE, 0x41F00000 },
};

// How a preset fills the record from zero. Profile codes: the first when the
// preset's value is 1 (for presets that choose by it), else the second.
struct PresetRow
{
    DWORD dwProfileIfOne;
    DWORD dwProfileOtherwise;
    DWORD dwBitRate;
    DWORD dwSampleRate;
    DWORD dwLines;       // 0: none
    BOOL bStoresValue;   // the value goes to offset 36
    BOOL bWidth;         // 720 at offset 124
};

// profile (value 1 / otherwise), bit rate, sample rate, lines, stores value, width
const PresetRow kPresets[7] = {
    { 12, 12, 4000000, 44100, 480, TRUE, TRUE },
    { 15, 15, 2000000, 44100, 576, FALSE, TRUE },
    { 12, 15, 1120000, 44100, 480, FALSE, TRUE },
    { 12, 15, 220000, 44100, 480, FALSE, TRUE },
    { 15, 15, 3000000, 44100, 0, TRUE, FALSE },
    { 6, 6, 4500000, 48000, 480, FALSE, TRUE },
    { 15, 15, 7200000, 48000, 480, FALSE, TRUE },
};

void Put(LigosConfig* pConfig, int nOffset, DWORD dwValue)
{
    pConfig->fields[nOffset / 4] = dwValue;
}

void FillPreset(int nPreset, LigosConfig* pConfig, DWORD dwValue)
{
    if (pConfig == NULL)
        return;
    const PresetRow& row = kPresets[nPreset];
    memset(pConfig, 0, sizeof(*pConfig));
    Put(pConfig, LIGOS_OFFSET_PROFILE, dwValue == 1 ? row.dwProfileIfOne : row.dwProfileOtherwise);
    Put(pConfig, LIGOS_OFFSET_BIT_RATE, row.dwBitRate);
    Put(pConfig, LIGOS_OFFSET_SAMPLE_RATE, row.dwSampleRate);
    if (row.bStoresValue)
        Put(pConfig, LIGOS_OFFSET_PRESET_VALUE, dwValue);
    if (row.bWidth)
        Put(pConfig, LIGOS_OFFSET_WIDTH, 720);
    if (row.dwLines != 0)
        Put(pConfig, LIGOS_OFFSET_LINES, row.dwLines);
}

DWORD* Extra1(LigosConfig* pConfig)
{
    return &pConfig->fields[LIGOS_OFFSET_EXTRA1 / 4];
}

DWORD* Extra2(LigosConfig* pConfig)
{
    return &pConfig->fields[LIGOS_OFFSET_EXTRA2 / 4];
}
}

HRESULT SetLigosFileName(IUnknown* pPrivate, LPCSTR pszPath)
{
    ComPtr<IFileSinkFilter> pSink;
    HRESULT hr = ComQuery(pPrivate, IID_IFileSinkFilter, pSink);
    if (FAILED(hr))
        return hr;
    return CallSinkSetFileName(pSink.Get(), pszPath);
}

CLigosCaptureEncoder::CLigosCaptureEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosCaptureEncoder::CLigosCaptureEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosCaptureEncoder::CLigosCaptureEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosCaptureEncoder::~CLigosCaptureEncoder()
{
    m_pEncoder.Reset();
}

BOOL CLigosCaptureEncoder::Initfilter()
{
    m_pEncoder.Reset();
    if (!m_pFilter)
        return FALSE;
    return ComQuery(m_pFilter.Get(), IID_ILigosCaptureEncoder, m_pEncoder) == S_OK;
}

HRESULT CLigosCaptureEncoder::SetConfig(LigosConfig* pConfig)
{
    if (pConfig == NULL)
        return E_POINTER;
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::SetConfig, pConfig, Extra1(pConfig),
                        Extra2(pConfig));
}

HRESULT CLigosCaptureEncoder::GetConfig(LigosConfig* pConfig)
{
    if (pConfig == NULL)
        return E_POINTER;
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::GetConfig, pConfig, Extra1(pConfig),
                        Extra2(pConfig));
}

HRESULT CLigosCaptureEncoder::ReloadConfig(DWORD* pdwExtra1, DWORD* pdwExtra2)
{
    if (!m_pEncoder)
        return E_POINTER;
    LigosConfig config;
    memset(&config, 0, sizeof(config));
    HRESULT hr = GetConfig(&config);
    if (FAILED(hr))
        return hr;
    hr = m_pEncoder->SetConfig(&config, NULL, NULL);
    if (FAILED(hr))
        return hr;
    hr = GetConfig(&config);
    if (SUCCEEDED(hr))
    {
        if (pdwExtra1 != NULL)
            *pdwExtra1 = *Extra1(&config);
        if (pdwExtra2 != NULL)
            *pdwExtra2 = *Extra2(&config);
    }
    return hr;
}

HRESULT CLigosCaptureEncoder::SetValue2(DWORD a, DWORD b)
{
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::SetValue2, a, b);
}

HRESULT CLigosCaptureEncoder::SetValue1(DWORD a)
{
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::SetValue1, a);
}

HRESULT CLigosCaptureEncoder::SetTriple(const DWORD* pValues)
{
    if (pValues == NULL)
        return E_POINTER;
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::SetTriple, pValues[0], pValues[1],
                        pValues[2]);
}

HRESULT CLigosCaptureEncoder::SetValue3(DWORD a)
{
    return ResultIfHeld(E_POINTER, m_pEncoder.Get(), &ILigosCaptureEncoder::SetValue3, a);
}

BOOL CLigosCaptureEncoder::SetFileName(LPCSTR pszPath)
{
    return m_pEncoder && SetLigosFileName(m_pEncoder.Get(), pszPath) == S_OK;
}

HRESULT CLigosCaptureEncoder::GetFileName(char* pszPath, int cbPath)
{
    if (!m_pEncoder)
        return E_POINTER;
    if (pszPath == NULL || cbPath < 1)
        return E_INVALIDARG;
    ComPtr<IFileSinkFilter> pSink;
    HRESULT hr = ComQuery(m_pEncoder.Get(), IID_IFileSinkFilter, pSink);
    if (FAILED(hr))
        return hr;
    LPOLESTR pszName = NULL;
    hr = pSink->GetCurFile(&pszName, NULL);
    if (hr == S_OK)
        AnsiFromWide(pszName, pszPath, cbPath);
    CoTaskMemFree(pszName);
    return hr;
}

void CLigosCaptureEncoder::SetDefaults(LigosConfig* pConfig)
{
    if (pConfig == NULL)
        return;
    memset(pConfig, 0, sizeof(*pConfig));
    for (const ConfigValue& value : kDefaults)
        Put(pConfig, value.nOffset, value.dwValue);
}

void CLigosCaptureEncoder::FillPreset1(LigosConfig* pConfig, DWORD dwValue) { FillPreset(0, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset2(LigosConfig* pConfig, DWORD dwValue) { FillPreset(1, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset3(LigosConfig* pConfig, DWORD dwValue) { FillPreset(2, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset4(LigosConfig* pConfig, DWORD dwValue) { FillPreset(3, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset5(LigosConfig* pConfig, DWORD dwValue) { FillPreset(4, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset6(LigosConfig* pConfig, DWORD dwValue) { FillPreset(5, pConfig, dwValue); }
void CLigosCaptureEncoder::FillPreset7(LigosConfig* pConfig, DWORD dwValue) { FillPreset(6, pConfig, dwValue); }

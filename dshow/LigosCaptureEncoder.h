#pragma once

#include "dshow/FilterNode.h"
#include "dshow/LigosInterfaces.h"

// The Ligos MPEG capture encoder. Its operations hand back the filter's
// HRESULT (E_POINTER without the private interface), except where told.
class CLigosCaptureEncoder : public CFilterNode
{
public:
    CLigosCaptureEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    CLigosCaptureEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CLigosCaptureEncoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CLigosCaptureEncoder() override;

    // TRUE only when the private interface came back with S_OK.
    BOOL Initfilter() override;

    HRESULT SetConfig(LigosConfig* pConfig);
    HRESULT GetConfig(LigosConfig* pConfig);
    // Reads, writes back and reads again; the two extra values of the last read.
    HRESULT ReloadConfig(DWORD* pdwExtra1, DWORD* pdwExtra2);
    HRESULT SetValue2(DWORD a, DWORD b);
    HRESULT SetValue1(DWORD a);
    HRESULT SetTriple(const DWORD* pValues);
    HRESULT SetValue3(DWORD a);
    // TRUE only for S_OK.
    BOOL SetFileName(LPCSTR pszPath);
    // On S_OK the name (empty when there is none) is cut to cbPath bytes.
    HRESULT GetFileName(char* pszPath, int cbPath);

    static void SetDefaults(LigosConfig* pConfig);
    static void FillPreset1(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset2(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset3(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset4(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset5(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset6(LigosConfig* pConfig, DWORD dwValue);
    static void FillPreset7(LigosConfig* pConfig, DWORD dwValue);

private:
    ComPtr<ILigosCaptureEncoder> m_pEncoder;
};

// Names the sink file of a Ligos filter, reached from its private interface;
// the sink's result, or the failure to reach it.
HRESULT SetLigosFileName(IUnknown* pPrivate, LPCSTR pszPath);

#pragma once

#include "dshow/FilterNode.h"
#include "dshow/LigosInterfaces.h"

// The Ligos MPEG transcoder. Its operations hand back the filter's HRESULT
// (E_POINTER without the private interface), except where told.
class CLigosTranscoder : public CFilterNode
{
public:
    CLigosTranscoder(CDShowGraph* pGraph, REFCLSID clsid);
    CLigosTranscoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CLigosTranscoder(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CLigosTranscoder() override;

    // TRUE only when the private interface came back with S_OK.
    BOOL Initfilter() override;

    HRESULT SetConfig(LigosConfig* pConfig);
    HRESULT GetConfig(LigosConfig* pConfig);
    // TRUE for any success code, FALSE without the interface.
    BOOL SetValue(DWORD dwValue);
    HRESULT SetOption1(DWORD dwValue);
    HRESULT SetOption2(DWORD dwValue);
    HRESULT SetFileName(LPCSTR pszPath);
    // The transcoder offers no such setting: E_NOTIMPL.
    HRESULT NotImplemented(DWORD dwValue);

private:
    HRESULT CallOption(HRESULT(STDMETHODCALLTYPE ILigosTranscodeOptions::*pfn)(DWORD), DWORD dwValue);

    ComPtr<ILigosTranscoder> m_pTranscoder;
};

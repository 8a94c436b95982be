#include "dshow/LigosTranscoder.h"

#include "dshow/InterfaceCall.h"
#include "dshow/LigosCaptureEncoder.h"

CLigosTranscoder::CLigosTranscoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosTranscoder::CLigosTranscoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosTranscoder::CLigosTranscoder(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CLigosTranscoder::~CLigosTranscoder()
{
    m_pTranscoder.Reset();
}

BOOL CLigosTranscoder::Initfilter()
{
    m_pTranscoder.Reset();
    if (!m_pFilter)
        return FALSE;
    return ComQuery(m_pFilter.Get(), IID_ILigosTranscoder, m_pTranscoder) == S_OK;
}

HRESULT CLigosTranscoder::SetConfig(LigosConfig* pConfig)
{
    if (pConfig == NULL)
        return E_POINTER;
    return ResultIfHeld(E_POINTER, m_pTranscoder.Get(), &ILigosTranscoder::SetConfig, pConfig,
                        static_cast<void*>(NULL), &pConfig->fields[LIGOS_OFFSET_EXTRA1 / 4],
                        &pConfig->fields[LIGOS_OFFSET_EXTRA2 / 4]);
}

HRESULT CLigosTranscoder::GetConfig(LigosConfig* pConfig)
{
    if (pConfig == NULL)
        return E_POINTER;
    return ResultIfHeld(E_POINTER, m_pTranscoder.Get(), &ILigosTranscoder::GetConfig, pConfig,
                        static_cast<void*>(NULL), &pConfig->fields[LIGOS_OFFSET_EXTRA1 / 4],
                        &pConfig->fields[LIGOS_OFFSET_EXTRA2 / 4]);
}

BOOL CLigosTranscoder::SetValue(DWORD dwValue)
{
    return CallIfHeld(m_pTranscoder.Get(), &ILigosTranscoder::SetValue, dwValue);
}

HRESULT CLigosTranscoder::CallOption(HRESULT(STDMETHODCALLTYPE ILigosTranscodeOptions::*pfn)(DWORD), DWORD dwValue)
{
    if (!m_pTranscoder)
        return E_POINTER;
    ComPtr<ILigosTranscodeOptions> pOptions;
    HRESULT hr = ComQuery(m_pTranscoder.Get(), IID_ILigosTranscodeOptions, pOptions);
    if (FAILED(hr))
        return hr;
    return (pOptions.Get()->*pfn)(dwValue);
}

HRESULT CLigosTranscoder::SetOption1(DWORD dwValue)
{
    return CallOption(&ILigosTranscodeOptions::OptionMethod2, dwValue);
}

HRESULT CLigosTranscoder::SetOption2(DWORD dwValue)
{
    return CallOption(&ILigosTranscodeOptions::OptionMethod1, dwValue);
}

HRESULT CLigosTranscoder::SetFileName(LPCSTR pszPath)
{
    if (!m_pTranscoder)
        return E_POINTER;
    return SetLigosFileName(m_pTranscoder.Get(), pszPath);
}

HRESULT CLigosTranscoder::NotImplemented(DWORD)
{
    return E_NOTIMPL;
}

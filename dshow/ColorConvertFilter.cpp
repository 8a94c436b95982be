#include "dshow/ColorConvertFilter.h"

CColorConvertFilter::CColorConvertFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CColorConvertFilter::CColorConvertFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CColorConvertFilter::CColorConvertFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

HRESULT CColorConvertFilter::CallSettings(HRESULT(STDMETHODCALLTYPE IColorConvertSettings::*pfn)(DWORD),
                                          DWORD dwValue)
{
    ComPtr<IColorConvertSettings> pSettings;
    HRESULT hr = ComQuery(m_pFilter.Get(), IID_IColorConvertSettings, pSettings);
    if (FAILED(hr))
        return hr;
    return (pSettings.Get()->*pfn)(dwValue);
}

HRESULT CColorConvertFilter::SetValue3(DWORD dwValue)
{
    return CallSettings(&IColorConvertSettings::Value3, dwValue);
}

HRESULT CColorConvertFilter::SetValue4(DWORD dwValue)
{
    return CallSettings(&IColorConvertSettings::Value4, dwValue);
}

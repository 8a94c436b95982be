#pragma once

#include "dshow/FilterNode.h"

// {C9A9614D-FDA4-4D0D-82C6-89154F92A3F8}: the colour converter's private
// interface, called by vtable position.
static const IID IID_IColorConvertSettings =
    { 0xC9A9614D, 0xFDA4, 0x4D0D, { 0x82, 0xC6, 0x89, 0x15, 0x4F, 0x92, 0xA3, 0xF8 } };

struct IColorConvertSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Value3(DWORD dwValue) = 0;
    virtual HRESULT STDMETHODCALLTYPE Value4(DWORD dwValue) = 0;
};

// The wrapper of the "Color Convert" filter: two settings through its
// private interface, asked for anew for each call.
class CColorConvertFilter : public CFilterNode
{
public:
    CColorConvertFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CColorConvertFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CColorConvertFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);

    // The filter's answer, or the failure to reach its interface.
    HRESULT SetValue3(DWORD dwValue);
    HRESULT SetValue4(DWORD dwValue);

private:
    HRESULT CallSettings(HRESULT(STDMETHODCALLTYPE IColorConvertSettings::*pfn)(DWORD), DWORD dwValue);
};

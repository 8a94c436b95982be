#pragma once

#include <windows.h>
#include <oleauto.h>

// The private interface of the companion deinterlace filter, called by
// vtable position. Quality codes: 1022 normal, 1023 high quality.
// {52B164A9-4F2D-4851-B8C6-02C44F9E40CD}
static const IID IID_IDeinterlace = { 0x52B164A9, 0x4F2D, 0x4851, { 0xB8, 0xC6, 0x02, 0xC4, 0x4F, 0x9E, 0x40, 0xCD } };

struct IDeinterlace : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetQuality(LONG* plQuality) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetQuality(LONG lQuality) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNoiseReduce(VARIANT_BOOL* pbOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetNoiseReduce(VARIANT_BOOL bOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHalfRate(VARIANT_BOOL* pbOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHalfRate(VARIANT_BOOL bOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetReduceValue(LONG* plLevel) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetReduceValue(LONG lLevel) = 0;
    virtual HRESULT STDMETHODCALLTYPE SaveSnapshot(LPCWSTR pszFile, LONG lType, LONG lQuality) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDeinterlace(VARIANT_BOOL* pbOn) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDeinterlace(VARIANT_BOOL bOn) = 0;
};

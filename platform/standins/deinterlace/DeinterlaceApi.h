#pragma once

#include <windows.h>
#include <oleauto.h>

// The private interfaces of the companion deinterlace and snapshot filters,
// as the programs that drive them declare them.

// {C5683497-12D5-4ED1-BF8D-E53B349B0981}
static const CLSID CLSID_VeltraneDeinterlace =
    { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };
// {CCEE5929-126A-4AF0-8535-8FA02225C4A6}
static const CLSID CLSID_VeltraneSnapPicture =
    { 0xCCEE5929, 0x126A, 0x4AF0, { 0x85, 0x35, 0x8F, 0xA0, 0x22, 0x25, 0xC4, 0xA6 } };

// Quality codes: 1022 line doubling of each field, 1023 motion-adaptive (still
// parts keep both fields). Noise reduction levels 0 to 10. Snapshot types:
// 1 bitmap, 2 JPEG of the quality given (1 to 100).
// {52B164A9-4F2D-4851-B8C6-02C44F9E40CD}
static const IID IID_IVeltraneDeinterlace =
    { 0x52B164A9, 0x4F2D, 0x4851, { 0xB8, 0xC6, 0x02, 0xC4, 0x4F, 0x9E, 0x40, 0xCD } };

struct IVeltraneDeinterlace : public IUnknown
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

// The snapshot request, byte for byte as it crosses to the filter.
struct SNAP_PICTURE_REQUEST
{
    DWORD cbSize;
    DWORD dwType;  // 1 bitmap, 2 JPEG, 0 the filter's choice (bitmap)
    char szFile[260];
    DWORD dwQuality;
};
static_assert(sizeof(SNAP_PICTURE_REQUEST) == 272, "snapshot request record");

// Command 1 saves the last picture that passed as the request says. The
// first method reports how many pictures were saved.
// {8CDD8EAE-ECCF-49E2-9E4F-869CE96C42C6}
static const IID IID_IVeltraneSnapPicture =
    { 0x8CDD8EAE, 0xECCF, 0x49E2, { 0x9E, 0x4F, 0x86, 0x9C, 0xE9, 0x6C, 0x42, 0xC6 } };

struct IVeltraneSnapPicture : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetSavedCount(LONG* plCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE Command(LONG lCommand, SNAP_PICTURE_REQUEST* pRequest) = 0;
};

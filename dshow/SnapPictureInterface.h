#pragma once

#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// The private interface of the companion snapshot filter, called by vtable
// position. The request record crosses to the filter byte for byte.
// {8CDD8EAE-ECCF-49E2-9E4F-869CE96C42C6}
static const IID IID_ISnapPicture = { 0x8CDD8EAE, 0xECCF, 0x49E2, { 0x9E, 0x4F, 0x86, 0x9C, 0xE9, 0x6C, 0x42, 0xC6 } };

struct SnapPictureRequest
{
    DWORD cbSize;      // 272
    DWORD dwType;      // 1 bitmap, 2 JPEG, else 0
    char szFile[260];  // ANSI, zero-terminated
    DWORD dwQuality;   // 0 to 100
};
static_assert(sizeof(SnapPictureRequest) == 272, "snapshot request size");
static_assert(offsetof(SnapPictureRequest, dwType) == 4, "picture type offset");
static_assert(offsetof(SnapPictureRequest, szFile) == 8, "file name offset");
static_assert(offsetof(SnapPictureRequest, dwQuality) == 268, "quality offset");

struct ISnapPicture : public IUnknown
{
    // Present in the filter; the system never calls it.
    virtual HRESULT STDMETHODCALLTYPE Reserved1(LONG* plValue) = 0;
    // Command 1 saves a picture as the request says.
    virtual HRESULT STDMETHODCALLTYPE Command(LONG lCommand, SnapPictureRequest* pRequest) = 0;
};

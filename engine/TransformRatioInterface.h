#pragma once

#include <windows.h>
#include <unknwn.h>

// The private interface of the companion "Transform Ratio" filter, called by
// vtable position: a scaling mode (0 or 1) and an aspect mode (1 wide,
// 2 normal).
// {FD5010A2-8EBE-11CE-8183-00AA00577DA1}
static const IID IID_ITransformRatio = { 0xFD5010A2, 0x8EBE, 0x11CE, { 0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1 } };

struct ITransformRatio : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetScaling(LONG lScaling) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspect(LONG lAspect) = 0;
};

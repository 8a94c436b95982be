#pragma once
#include <dshow.h>

// Asks the allocator for at least cBuffers samples of cbBuffer bytes (more
// when the peer wanted more); S_OK when what it granted holds cbMinimum.
inline HRESULT SetAllocatorAtLeast(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest, long cBuffers,
                                   long cbBuffer, long cbMinimum)
{
    if (pRequest->cBuffers < cBuffers)
        pRequest->cBuffers = cBuffers;
    if (pRequest->cbBuffer < cbBuffer)
        pRequest->cbBuffer = cbBuffer;
    if (pRequest->cbAlign <= 0)
        pRequest->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual;
    HRESULT hr = pAlloc->SetProperties(pRequest, &actual);
    if (FAILED(hr))
        return hr;
    return actual.cbBuffer >= cbMinimum ? S_OK : E_FAIL;
}

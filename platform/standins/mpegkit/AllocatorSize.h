#pragma once
#include <dshow.h>

#include "platform/dshow/BaseOutputPin.h"

// Asks the allocator for at least cBuffers samples of cbBuffer bytes (more
// when the peer wanted more); S_OK when what it granted holds cbMinimum.
inline HRESULT SetAllocatorAtLeast(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest, long cBuffers,
                                   long cbBuffer, long cbMinimum)
{
    return CBaseOutputPin::SetBufferProperties(pAlloc, pRequest, cBuffers, cbBuffer, cbMinimum);
}

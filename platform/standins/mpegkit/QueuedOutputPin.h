#pragma once
#include "platform/standins/mpegkit/SampleQueue.h"

// An output pin that copies what its filter sends into samples of its own
// allocator and delivers them through a queue with its own thread.
class CQueuedOutputPin : public CBaseOutputPin
{
public:
    CQueuedOutputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName,
                     long cbBuffer, long cBuffers);
    ~CQueuedOutputPin() override;

    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;
    // Streaming starts with a new segment from 0.
    HRESULT Active() override;
    HRESULT Inactive() override;

    // The bytes in as many samples as they need; the first carries the times
    // (when given), the sync point and the break flag.
    HRESULT Send(const BYTE* pData, DWORD cbData, const REFERENCE_TIME* ptStart, const REFERENCE_TIME* ptStop,
                 BOOL bSyncPoint, BOOL bDiscontinuity);
    CSampleQueue& Queue() { return m_queue; }

private:
    long m_cbBuffer;
    long m_cBuffers;
    CSampleQueue m_queue;
};

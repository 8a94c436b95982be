#include "platform/standins/mpegkit/QueuedOutputPin.h"

#include "platform/standins/mpegkit/AllocatorSize.h"

#include <string.h>

CQueuedOutputPin::CQueuedOutputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                                   LPCWSTR pName, long cbBuffer, long cBuffers)
    : CBaseOutputPin(pObjectName, pFilter, pLock, phr, pName), m_cbBuffer(cbBuffer), m_cBuffers(cBuffers),
      m_queue(this)
{
}

CQueuedOutputPin::~CQueuedOutputPin()
{
    m_queue.Stop();
}

HRESULT CQueuedOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    return SetAllocatorAtLeast(pAlloc, pRequest, m_cBuffers, m_cbBuffer, 1);
}

HRESULT CQueuedOutputPin::Active()
{
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr))
        return hr;
    hr = m_queue.Start();
    if (SUCCEEDED(hr))
        m_queue.DeliverNewSegment(0, MAXLONGLONG, 1.0);
    return hr;
}

HRESULT CQueuedOutputPin::Inactive()
{
    m_queue.Stop();
    return CBaseOutputPin::Inactive();
}

HRESULT CQueuedOutputPin::Send(const BYTE* pData, DWORD cbData, const REFERENCE_TIME* ptStart,
                               const REFERENCE_TIME* ptStop, BOOL bSyncPoint, BOOL bDiscontinuity)
{
    BOOL bFirst = TRUE;
    while (cbData > 0)
    {
        IMediaSample* pSample = nullptr;
        HRESULT hr = GetDeliveryBuffer(&pSample, nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* p = nullptr;
        pSample->GetPointer(&p);
        DWORD cb = cbData < static_cast<DWORD>(pSample->GetSize()) ? cbData : static_cast<DWORD>(pSample->GetSize());
        memcpy(p, pData, cb);
        pSample->SetActualDataLength(static_cast<long>(cb));
        if (bFirst && ptStart != nullptr)
        {
            REFERENCE_TIME tStart = *ptStart;
            REFERENCE_TIME tStop = ptStop != nullptr ? *ptStop : tStart + 1;
            pSample->SetTime(&tStart, &tStop);
        }
        else
        {
            pSample->SetTime(nullptr, nullptr);
        }
        pSample->SetSyncPoint(bFirst && bSyncPoint);
        pSample->SetDiscontinuity(bFirst && bDiscontinuity);
        hr = m_queue.Deliver(pSample);
        pSample->Release();
        if (hr != S_OK)
            return hr;
        pData += cb;
        cbData -= cb;
        bFirst = FALSE;
    }
    return S_OK;
}

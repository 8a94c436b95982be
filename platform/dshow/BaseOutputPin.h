#pragma once
#include "platform/dshow/BasePin.h"

// An output pin delivering samples to a peer's IMemInputPin. The allocator is
// agreed at connection: the peer's own first, else a memory allocator of ours;
// DecideBufferSize sets its properties either way.
class CBaseOutputPin : public CBasePin
{
public:
    CBaseOutputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName);
    ~CBaseOutputPin() override;

    // IPin: flushing and end of stream never reach an output pin.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    virtual HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc);
    virtual HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) = 0;
    // Asks the allocator for at least cBuffers buffers of cbBuffer bytes (on
    // top of what the request already holds); fails when the buffers come
    // smaller than cbMinimum (cbBuffer unless given).
    static HRESULT SetBufferProperties(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest, long cBuffers,
                                       long cbBuffer, long cbMinimum = -1);
    virtual HRESULT InitAllocator(IMemAllocator** ppAlloc);

    // A free sample of the agreed allocator (blocks while all are in use).
    virtual HRESULT GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime,
                                      REFERENCE_TIME* pEndTime, DWORD dwFlags);
    virtual HRESULT Deliver(IMediaSample* pSample);
    virtual HRESULT DeliverEndOfStream();
    virtual HRESULT DeliverBeginFlush();
    virtual HRESULT DeliverEndFlush();
    virtual HRESULT DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

    IMemAllocator* Allocator() const { return m_pAllocator; }
    IMemInputPin* PeerInput() const { return m_pInputPin; }

protected:
    IMemAllocator* m_pAllocator;  // owned reference, from CompleteConnect to BreakConnect
    IMemInputPin* m_pInputPin;    // owned reference to the peer's transport
};

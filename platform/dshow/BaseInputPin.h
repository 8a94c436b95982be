#pragma once
#include "platform/dshow/BasePin.h"

// An input pin taking samples through IMemInputPin. Receive checks the streaming
// state and records the sample's properties; derived pins process the sample.
class CBaseInputPin : public CBasePin, public IMemInputPin
{
public:
    CBaseInputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName);
    ~CBaseInputPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** pSamples, long nSamples, long* nSamplesProcessed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    // IPin
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP EndOfStream() override;

    HRESULT BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // S_OK while samples may be taken; S_FALSE while flushing; an error otherwise.
    virtual HRESULT CheckStreaming();

    // Properties of the sample Receive took last (valid during its processing).
    AM_SAMPLE2_PROPERTIES* SampleProps() { return &m_SampleProps; }
    BOOL IsFlushing() const { return m_bFlushing; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    IMemAllocator* PeekAllocator() const { return m_pAllocator; }

protected:
    IMemAllocator* m_pAllocator;  // owned reference
    BOOL m_bReadOnly;
    BOOL m_bFlushing;
    BOOL m_bRunTimeError;
    BOOL m_bActive;
    AM_SAMPLE2_PROPERTIES m_SampleProps;
    AM_MEDIA_TYPE* m_pSampleType;  // our copy of a changed type when the sample gave one
};

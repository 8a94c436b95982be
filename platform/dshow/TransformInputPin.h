#pragma once
#include "platform/dshow/BaseInputPin.h"

class CTransformFilter;

// The input of a CTransformFilter: passes types, samples and stream events to the filter.
class CTransformInputPin : public CBaseInputPin
{
public:
    CTransformInputPin(const char* pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr, LPCWSTR pName);

    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT SetMediaType(const CMediaType* pmt) override;
    HRESULT CheckConnect(IPin* pPin) override;
    HRESULT BreakConnect() override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;

protected:
    CTransformFilter* m_pTransformFilter;
};

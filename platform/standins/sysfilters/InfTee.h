#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mpegkit/QueuedOutputPin.h"

#include <vector>

class CInfTee;

class CInfTeeInputPin : public CBaseInputPin
{
public:
    CInfTeeInputPin(CInfTee* pFilter, CCritSec* pLock, HRESULT* phr);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT BreakConnect() override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

private:
    CInfTee* m_pTee;
};

// An output offering exactly the input's type, once the input is connected.
class CInfTeeOutputPin : public CQueuedOutputPin
{
public:
    CInfTeeOutputPin(CInfTee* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;

private:
    CInfTee* m_pTee;
};

// The "Infinite Pin Tee Filter" (Wine has none): one input, and outputs
// "Output1", "Output2", ... of which one is always free; every sample goes
// to every connected output.
class CInfTee : public CBaseFilter
{
    friend class CInfTeeInputPin;
    friend class CInfTeeOutputPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CInfTee() override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

private:
    explicit CInfTee(IUnknown* pUnk, HRESULT* phr);
    void AddFreeOutput();

    CCritSec m_lock;
    CCritSec m_receiveLock;
    CInfTeeInputPin* m_pInput;
    std::vector<CInfTeeOutputPin*> m_outputs;
};

#pragma once
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/TransformInputPin.h"
#include "platform/dshow/TransformOutputPin.h"

// One input, one output; each input sample becomes one output sample through
// Transform unless a derived class overrides Receive. Two locks: m_csFilter for
// state changes and m_csReceive held for every sample and end of stream, which
// Stop takes after the input is inactive and before StopStreaming runs.
class CTransformFilter : public CBaseFilter
{
    friend class CTransformInputPin;
    friend class CTransformOutputPin;

public:
    CTransformFilter(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr = nullptr);
    ~CTransformFilter() override;

    // Pins are made on the first GetPin; index 0 input, 1 output.
    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // What derived filters supply.
    virtual HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut);
    virtual HRESULT CheckInputType(const CMediaType* mtIn) = 0;
    virtual HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) = 0;
    virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) = 0;

    // Streaming starts when the filter leaves Stopped, stops when it returns there.
    virtual HRESULT StartStreaming();
    virtual HRESULT StopStreaming();

    // Connection hooks, per pin direction.
    virtual HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt);
    virtual HRESULT CheckConnect(PIN_DIRECTION dir, IPin* pPin);
    virtual HRESULT BreakConnect(PIN_DIRECTION dir);
    virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* pReceivePin);

    // Streaming, called on the upstream filter's thread with m_csReceive held.
    virtual HRESULT Receive(IMediaSample* pSample);
    virtual HRESULT EndOfStream();
    virtual HRESULT BeginFlush();
    virtual HRESULT EndFlush();
    virtual HRESULT NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

protected:
    // Names the pins ("Input" and "Output" unless a derived constructor says otherwise).
    void SetPinNames(LPCWSTR pszInput, LPCWSTR pszOutput)
    {
        m_pszInputName = pszInput;
        m_pszOutputName = pszOutput;
    }

    // An output sample carrying the current input sample's times and flags.
    HRESULT InitializeOutputSample(IMediaSample* pSample, IMediaSample** ppOutSample);

    BOOL m_bEOSDelivered;
    BOOL m_bSampleSkipped;
    BOOL m_bQualityChanged;
    CCritSec m_csFilter;
    CCritSec m_csReceive;
    CTransformInputPin* m_pInput;
    CTransformOutputPin* m_pOutput;

private:
    LPCWSTR m_pszInputName;
    LPCWSTR m_pszOutputName;
};

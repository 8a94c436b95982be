#pragma once

#include "platform/dshow/Streams.h"

#include "hollit/RecordQueue.h"
#include "hollit/TypeInfoHolder.h"

#include "Hollit_h.h"

#include <memory>

// Passes a hardware encoder's program stream through in whole groups of pictures, drops them while
// paused and has what it passes re-stamped so the recording's time line runs on across a pause.
class CMpegRecordFilter : public CTransformFilter,
                          public IMpegRecordFilter,
                          public ISpecifyPropertyPages,
                          private CRecordQueueOwner
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    CMpegRecordFilter(IUnknown* pUnk, HRESULT* phr);
    ~CMpegRecordFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    CBasePin* GetPin(int n) override;

    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* pReceivePin) override;
    HRESULT Receive(IMediaSample* pSample) override;
    HRESULT EndOfStream() override;
    HRESULT BeginFlush() override;
    HRESULT EndFlush() override;
    HRESULT NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excepInfo, UINT* argErr) override;

    // IMpegRecordFilter
    STDMETHODIMP PauseRecord() override;
    STDMETHODIMP ResumeRecord() override;
    STDMETHODIMP get_EnableDeliverSampleToNextFilter(LONG* pVal) override;
    STDMETHODIMP put_EnableDeliverSampleToNextFilter(LONG newVal) override;
    STDMETHODIMP get_EnableCreateDeliverThread(LONG* pVal) override;
    STDMETHODIMP put_EnableCreateDeliverThread(LONG newVal) override;
    STDMETHODIMP get_EnableLostBFrame(LONG* pVal) override;
    STDMETHODIMP put_EnableLostBFrame(LONG newVal) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pPages) override;

private:
    HRESULT GetOutputSample(IMediaSample** ppOut) override;
    HRESULT DeliverDownstream(IMediaSample* pSample) override;
    void ClearSampleSkipped() override;

    CRecordQueue m_queue;
    std::unique_ptr<CTypeInfoHolder> m_pTypeInfo;
};

#include "hollit/MpegRecordFilter.h"

#include "hollit/DataBlock.h"
#include "hollit/HollitUuids.h"
#include "hollit/ParvaneRestamp.h"
#include "parvane/ParvaneApi.h"

#include <new>

namespace {

// The longest a pause of the graph waits for what is pending to go downstream.
const DWORD kPauseWaitMs = 300;
// How long a stop waits for the last group while downstream takes none of it, before the output
// lets go.
const DWORD kStopIdleMs = 2000;

}

CUnknown* CALLBACK CMpegRecordFilter::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMpegRecordFilter* filter = new (std::nothrow) CMpegRecordFilter(pUnk, phr);
    if (!filter && phr)
        *phr = E_OUTOFMEMORY;
    return filter;
}

CMpegRecordFilter::CMpegRecordFilter(IUnknown* pUnk, HRESULT* phr)
    : CTransformFilter("MpegRecordFilter", pUnk, CLSID_MpegRecordFilter, phr),
      m_queue(this, &RestampBatchWithParvane),
      m_pTypeInfo(new (std::nothrow) CTypeInfoHolder(LIBID_HOLLITLib, IID_IMpegRecordFilter, 1, 0))
{
    if (!m_pTypeInfo && phr)
        *phr = E_OUTOFMEMORY;
}

CMpegRecordFilter::~CMpegRecordFilter()
{
}

STDMETHODIMP CMpegRecordFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    // IDispatch is the dual interface's own: late-bound callers ask for it by that name.
    if (riid == IID_IMpegRecordFilter || riid == IID_IDispatch)
        return GetInterface(static_cast<IMpegRecordFilter*>(this), ppv);
    if (riid == IID_ISpecifyPropertyPages)
        return GetInterface(static_cast<ISpecifyPropertyPages*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CMpegRecordFilter::GetPin(int n)
{
    if (!m_pInput) {
        HRESULT hr = S_OK;
        m_pInput = new (std::nothrow) CTransformInputPin("Transform input pin", this, &hr, L"Stream In");
        if (!m_pInput)
            return nullptr;
        m_pOutput = new (std::nothrow) CTransformOutputPin("Transform output pin", this, &hr, L"Stream Out");
        if (!m_pOutput || FAILED(hr)) {
            delete m_pInput;
            m_pInput = nullptr;
            delete m_pOutput;
            m_pOutput = nullptr;
            return nullptr;
        }
    }
    if (n == 0)
        return m_pInput;
    if (n == 1)
        return m_pOutput;
    return nullptr;
}

HRESULT CMpegRecordFilter::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    if (!pIn || !pOut)
        return E_POINTER;
    BYTE* source = nullptr;
    BYTE* target = nullptr;
    HRESULT hr = pIn->GetPointer(&source);
    if (FAILED(hr))
        return hr;
    hr = pOut->GetPointer(&target);
    if (FAILED(hr))
        return hr;
    const long length = pIn->GetActualDataLength();
    if (length < 0 || length > pOut->GetSize())
        return E_UNEXPECTED;
    memcpy(target, source, length);

    REFERENCE_TIME start = 0, stop = 0;
    hr = pIn->GetTime(&start, &stop);
    if (hr == S_OK || hr == VFW_S_NO_STOP_TIME)
        pOut->SetTime(&start, hr == S_OK ? &stop : nullptr);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (pIn->GetMediaTime(&mediaStart, &mediaStop) == S_OK)
        pOut->SetMediaTime(&mediaStart, &mediaStop);

    struct Flag
    {
        HRESULT (STDMETHODCALLTYPE IMediaSample::*get)();
        HRESULT (STDMETHODCALLTYPE IMediaSample::*set)(BOOL);
    };
    static const Flag kFlags[] = {
        {&IMediaSample::IsSyncPoint, &IMediaSample::SetSyncPoint},
        {&IMediaSample::IsPreroll, &IMediaSample::SetPreroll},
        {&IMediaSample::IsDiscontinuity, &IMediaSample::SetDiscontinuity},
    };
    for (const Flag& flag : kFlags) {
        hr = (pIn->*flag.get)();
        if (hr != S_OK && hr != S_FALSE)
            return E_UNEXPECTED;
        (pOut->*flag.set)(hr == S_OK);
    }
    AM_MEDIA_TYPE* type = nullptr;
    hr = pIn->GetMediaType(&type);
    if (hr != S_OK && hr != S_FALSE)
        return E_UNEXPECTED;
    if (type) {
        pOut->SetMediaType(type);
        DeleteMediaType(type);
    }
    return pOut->SetActualDataLength(length);
}

HRESULT CMpegRecordFilter::CheckInputType(const CMediaType* mtIn)
{
    return mtIn ? S_OK : E_POINTER;
}

HRESULT CMpegRecordFilter::CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut)
{
    if (!mtIn || !mtOut)
        return E_POINTER;
    HRESULT hr = CheckInputType(mtIn);
    if (FAILED(hr))
        return hr;
    return CheckInputType(mtOut);
}

HRESULT CMpegRecordFilter::DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp)
{
    if (!pAllocator || !pProp)
        return E_POINTER;
    if (!m_pInput || !m_pInput->IsConnected())
        return E_UNEXPECTED;
    pProp->cBuffers = 1;
    pProp->cbAlign = 1;
    IMemAllocator* input = m_pInput->PeekAllocator();
    if (input) {
        ALLOCATOR_PROPERTIES inputProps = {};
        if (SUCCEEDED(input->GetProperties(&inputProps))) {
            pProp->cBuffers = inputProps.cBuffers;
            pProp->cbBuffer = inputProps.cbBuffer;
            if (inputProps.cbBuffer >= g_lLargestInputBufferSize)
                InterlockedExchange(&g_lLargestInputBufferSize, inputProps.cbBuffer);
        }
    }
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = pAllocator->SetProperties(pProp, &actual);
    if (FAILED(hr))
        return hr;
    if (actual.cBuffers < pProp->cBuffers || actual.cbBuffer < pProp->cbBuffer)
        return E_FAIL;
    return S_OK;
}

HRESULT CMpegRecordFilter::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (!m_pInput || !m_pInput->IsConnected())
        return E_UNEXPECTED;
    if (!pMediaType)
        return E_POINTER;
    if (iPosition < 0)
        return E_INVALIDARG;
    // One type, the input's: a list without end would keep a refusing downstream pin enumerating forever.
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    *pMediaType = m_pInput->CurrentMediaType();
    return S_OK;
}

HRESULT CMpegRecordFilter::StartStreaming()
{
    // Forgets the previous run's stream handler in Parvane, so the first delivery makes a new one.
    CloseMpegFile();
    if (m_queue.GetCreateThread())
        m_queue.StartDeliverThread();
    m_queue.ResetSync();
    m_queue.Rearm();
    return S_OK;
}

HRESULT CMpegRecordFilter::StopStreaming()
{
    // Whatever the flag says now, a thread started with this run must end before its blocks go.
    m_queue.StopDeliverThread();
    m_queue.Discard();
    CloseMpegFile();
    return S_OK;
}

HRESULT CMpegRecordFilter::CompleteConnect(PIN_DIRECTION, IPin*)
{
    return S_OK;
}

HRESULT CMpegRecordFilter::Receive(IMediaSample* pSample)
{
    const AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    if (props->dwStreamId != AM_STREAM_MEDIA)
        return m_pOutput->Deliver(pSample);

    HRESULT hr = m_queue.Receive(pSample);
    if (FAILED(hr))
        return hr;
    if (hr == S_OK) {
        m_bSampleSkipped = FALSE;
    } else if (hr == S_FALSE) {
        m_bSampleSkipped = TRUE;
        if (!m_bQualityChanged) {
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
            m_bQualityChanged = TRUE;
        }
        return S_OK;
    }
    return hr;
}

HRESULT CMpegRecordFilter::EndOfStream()
{
    const HRESULT hr = m_queue.FlushHeld();
    // Downstream still hears of the end, so the graph completes; upstream hears of a failed delivery.
    const HRESULT hrEnd = m_pOutput ? m_pOutput->DeliverEndOfStream() : S_OK;
    return FAILED(hr) ? hr : hrEnd;
}

HRESULT CMpegRecordFilter::BeginFlush()
{
    return CTransformFilter::BeginFlush();
}

HRESULT CMpegRecordFilter::EndFlush()
{
    return CTransformFilter::EndFlush();
}

HRESULT CMpegRecordFilter::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    return CTransformFilter::NewSegment(tStart, tStop, dRate);
}

STDMETHODIMP CMpegRecordFilter::Pause()
{
    {
        // The graph is paused from the caller's (user interface) thread: a downstream filter that
        // stopped taking samples must not hold it for longer than a moment.
        CAutoLock lock(&m_csFilter);
        if (m_State == State_Running)
            m_queue.WaitPending(kPauseWaitMs);
    }
    return CTransformFilter::Pause();
}

STDMETHODIMP CMpegRecordFilter::Stop()
{
    {
        CAutoLock lockFilter(&m_csFilter);
        if (m_State != State_Stopped && m_pInput && m_pInput->IsConnected() && m_pOutput &&
            m_pOutput->IsConnected()) {
            // The group in progress is a recording's last half second: it goes downstream while the
            // output is still active.
            CAutoLock lockReceive(&m_csReceive);
            // A deliver thread waiting in GetDeliveryBuffer for a buffer that downstream keeps is
            // freed only by the output's decommit, which comes after this: the wait ends when
            // downstream has taken nothing for a while.
            m_queue.FlushHeld(kStopIdleMs);
            // Once nothing is on its way, the thread ends before the output decommits, so that no
            // GetDeliveryBuffer runs beside the decommit. Otherwise the decommit frees it and the
            // streaming stop ends it.
            if (m_queue.WaitPending(0))
                m_queue.StopDeliverThread();
        }
    }
    return CTransformFilter::Stop();
}

STDMETHODIMP CMpegRecordFilter::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** ppTInfo)
{
    if (!m_pTypeInfo)
        return E_OUTOFMEMORY;
    return m_pTypeInfo->GetTypeInfo(index, lcid, ppTInfo);
}

STDMETHODIMP CMpegRecordFilter::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    if (!m_pTypeInfo)
        return E_OUTOFMEMORY;
    return m_pTypeInfo->GetIDsOfNames(riid, names, count, lcid, ids);
}

STDMETHODIMP CMpegRecordFilter::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                       VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr)
{
    if (!m_pTypeInfo)
        return E_OUTOFMEMORY;
    return m_pTypeInfo->Invoke(static_cast<IMpegRecordFilter*>(this), id, riid, lcid, flags, params, result,
                               excepInfo, argErr);
}

STDMETHODIMP CMpegRecordFilter::PauseRecord()
{
    CAutoLock lock(&m_csFilter);
    m_queue.SetDeliver(0);
    m_queue.ResetSync();
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::ResumeRecord()
{
    CAutoLock lock(&m_csFilter);
    m_queue.SetDeliver(1);
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::get_EnableDeliverSampleToNextFilter(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = m_queue.GetDeliver();
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::put_EnableDeliverSampleToNextFilter(LONG newVal)
{
    m_queue.SetDeliver(newVal);
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::get_EnableCreateDeliverThread(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = m_queue.GetCreateThread();
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::put_EnableCreateDeliverThread(LONG newVal)
{
    m_queue.SetCreateThread(newVal);
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::get_EnableLostBFrame(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = m_queue.GetLostB();
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::put_EnableLostBFrame(LONG newVal)
{
    m_queue.SetLostB(newVal);
    return S_OK;
}

STDMETHODIMP CMpegRecordFilter::GetPages(CAUUID* pPages)
{
    if (!pPages)
        return E_POINTER;
    pPages->cElems = 0;
    pPages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pPages->pElems)
        return E_OUTOFMEMORY;
    pPages->pElems[0] = CLSID_MpegRecordFilterProp;
    pPages->cElems = 1;
    return S_OK;
}

HRESULT CMpegRecordFilter::GetOutputSample(IMediaSample** ppOut)
{
    // Like InitializeOutputSample, but the deliver thread has no input sample of its own:
    // times and flags come from the input pin's current sample properties.
    if (!ppOut)
        return E_POINTER;
    *ppOut = nullptr;
    const AM_SAMPLE2_PROPERTIES props = *m_pInput->SampleProps();
    DWORD flags = m_bSampleSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (!(props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT))
        flags |= AM_GBF_NOTASYNCPOINT;
    REFERENCE_TIME start = props.tStart, stop = props.tStop;
    REFERENCE_TIME* pStart = (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) ? &start : nullptr;
    REFERENCE_TIME* pStop = (props.dwSampleFlags & AM_SAMPLE_STOPVALID) ? &stop : nullptr;
    IMediaSample* out = nullptr;
    HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, pStart, pStop, flags);
    if (FAILED(hr))
        return hr;
    if (!out)
        return E_UNEXPECTED;
    out->SetTime(pStart, pStart ? pStop : nullptr);
    out->SetSyncPoint((props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT) ? TRUE : FALSE);
    out->SetPreroll((props.dwSampleFlags & AM_SAMPLE_PREROLL) ? TRUE : FALSE);
    out->SetDiscontinuity((props.dwSampleFlags & AM_SAMPLE_DATADISCONTINUITY) || m_bSampleSkipped);
    out->SetMediaTime(nullptr, nullptr);
    *ppOut = out;
    return S_OK;
}

HRESULT CMpegRecordFilter::DeliverDownstream(IMediaSample* pSample)
{
    return m_pOutput->Deliver(pSample);
}

void CMpegRecordFilter::ClearSampleSkipped()
{
    m_bSampleSkipped = FALSE;
}

#include "platform/dshow/TransformFilter.h"
#include "platform/dshow/ComPtr.h"
#include <new>

CTransformFilter::CTransformFilter(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_csFilter, clsid, phr),
      m_bEOSDelivered(FALSE),
      m_bSampleSkipped(FALSE),
      m_bQualityChanged(FALSE),
      m_pInput(nullptr),
      m_pOutput(nullptr),
      m_pszInputName(L"Input"),
      m_pszOutputName(L"Output")
{
}

CTransformFilter::~CTransformFilter()
{
    delete m_pInput;
    delete m_pOutput;
}

int CTransformFilter::GetPinCount()
{
    return 2;
}

CBasePin* CTransformFilter::GetPin(int n)
{
    if (!m_pInput) {
        HRESULT hr = S_OK;
        m_pInput = new (std::nothrow) CTransformInputPin("Transform input pin", this, &hr, m_pszInputName);
        if (!m_pInput) return nullptr;
        m_pOutput = new (std::nothrow) CTransformOutputPin("Transform output pin", this, &hr, m_pszOutputName);
        if (!m_pOutput || FAILED(hr)) {
            delete m_pInput;
            m_pInput = nullptr;
            delete m_pOutput;
            m_pOutput = nullptr;
            return nullptr;
        }
    }
    if (n == 0) return m_pInput;
    if (n == 1) return m_pOutput;
    return nullptr;
}

STDMETHODIMP CTransformFilter::Stop()
{
    CAutoLock lockFilter(&m_csFilter);
    if (m_State == State_Stopped) return S_OK;
    if (!m_pInput || !m_pInput->IsConnected() || !m_pOutput || !m_pOutput->IsConnected()) {
        m_State = State_Stopped;
        m_bEOSDelivered = FALSE;
        return S_OK;
    }
    // The inactive input refuses new samples and frees an upstream thread waiting
    // for a buffer; the receive lock then waits for the sample in progress.
    m_pInput->Inactive();
    CAutoLock lockReceive(&m_csReceive);
    m_pOutput->Inactive();
    HRESULT hr = StopStreaming();
    if (SUCCEEDED(hr)) {
        m_State = State_Stopped;
        m_bEOSDelivered = FALSE;
    }
    return hr;
}

STDMETHODIMP CTransformFilter::Pause()
{
    CAutoLock lockFilter(&m_csFilter);
    HRESULT hr = S_OK;
    if (m_State == State_Paused) {
        // nothing to start
    } else if (!m_pInput || !m_pInput->IsConnected()) {
        // Nothing will ever arrive: tell downstream at once so the graph can complete.
        if (m_pOutput && m_pOutput->IsConnected() && !m_bEOSDelivered) {
            m_pOutput->DeliverEndOfStream();
            m_bEOSDelivered = TRUE;
        }
        m_State = State_Paused;
    } else if (!m_pOutput || !m_pOutput->IsConnected()) {
        m_State = State_Paused;
    } else {
        if (m_State == State_Stopped) {
            CAutoLock lockReceive(&m_csReceive);
            hr = StartStreaming();
        }
        if (SUCCEEDED(hr)) hr = CBaseFilter::Pause();
    }
    m_bSampleSkipped = FALSE;
    m_bQualityChanged = FALSE;
    return hr;
}

HRESULT CTransformFilter::Transform(IMediaSample*, IMediaSample*)
{
    return E_UNEXPECTED;
}

HRESULT CTransformFilter::StartStreaming()
{
    return S_OK;
}

HRESULT CTransformFilter::StopStreaming()
{
    return S_OK;
}

HRESULT CTransformFilter::SetMediaType(PIN_DIRECTION, const CMediaType*)
{
    return S_OK;
}

HRESULT CTransformFilter::CheckConnect(PIN_DIRECTION, IPin*)
{
    return S_OK;
}

HRESULT CTransformFilter::BreakConnect(PIN_DIRECTION)
{
    return S_OK;
}

HRESULT CTransformFilter::CompleteConnect(PIN_DIRECTION, IPin*)
{
    return S_OK;
}

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* pSample, IMediaSample** ppOutSample)
{
    if (!pSample || !ppOutSample) return E_POINTER;
    *ppOutSample = nullptr;
    const AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    DWORD flags = m_bSampleSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (!(props->dwSampleFlags & AM_SAMPLE_SPLICEPOINT)) flags |= AM_GBF_NOTASYNCPOINT;

    IMediaSample* out = nullptr;
    REFERENCE_TIME* pStart = (props->dwSampleFlags & AM_SAMPLE_TIMEVALID) ? const_cast<REFERENCE_TIME*>(&props->tStart) : nullptr;
    REFERENCE_TIME* pStop = (props->dwSampleFlags & AM_SAMPLE_STOPVALID) ? const_cast<REFERENCE_TIME*>(&props->tStop) : nullptr;
    HRESULT hr = m_pOutput->GetDeliveryBuffer(&out, pStart, pStop, flags);
    if (FAILED(hr)) return hr;
    if (!out) return E_UNEXPECTED;

    if (props->dwSampleFlags & AM_SAMPLE_TIMEVALID)
        out->SetTime(pStart, pStop);
    else
        out->SetTime(nullptr, nullptr);
    out->SetSyncPoint((props->dwSampleFlags & AM_SAMPLE_SPLICEPOINT) ? TRUE : FALSE);
    out->SetPreroll((props->dwSampleFlags & AM_SAMPLE_PREROLL) ? TRUE : FALSE);
    // A skipped sample before this one is a break in the stream downstream must know of.
    out->SetDiscontinuity((props->dwSampleFlags & AM_SAMPLE_DATADISCONTINUITY) || m_bSampleSkipped);
    LONGLONG mediaStart = 0, mediaEnd = 0;
    if (pSample->GetMediaTime(&mediaStart, &mediaEnd) == S_OK)
        out->SetMediaTime(&mediaStart, &mediaEnd);
    else
        out->SetMediaTime(nullptr, nullptr);
    *ppOutSample = out;
    return S_OK;
}

HRESULT CTransformFilter::Receive(IMediaSample* pSample)
{
    const AM_SAMPLE2_PROPERTIES* props = m_pInput->SampleProps();
    if (props->dwStreamId != AM_STREAM_MEDIA) return m_pOutput->Deliver(pSample);

    IMediaSample* out = nullptr;
    HRESULT hr = InitializeOutputSample(pSample, &out);
    if (FAILED(hr)) return hr;
    hr = Transform(pSample, out);
    if (hr == S_OK) {
        hr = m_pOutput->Deliver(out);
        m_bSampleSkipped = FALSE;
    } else if (hr == S_FALSE) {
        // The derived filter dropped the sample on purpose; the stream goes on.
        m_bSampleSkipped = TRUE;
        if (!m_bQualityChanged) {
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
            m_bQualityChanged = TRUE;
        }
        hr = S_OK;
    }
    out->Release();
    return hr;
}

HRESULT CTransformFilter::EndOfStream()
{
    if (!m_pOutput) return S_OK;
    return m_pOutput->DeliverEndOfStream();
}

HRESULT CTransformFilter::BeginFlush()
{
    if (!m_pOutput) return S_OK;
    return m_pOutput->DeliverBeginFlush();
}

HRESULT CTransformFilter::EndFlush()
{
    if (!m_pOutput) return S_OK;
    return m_pOutput->DeliverEndFlush();
}

HRESULT CTransformFilter::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    if (!m_pOutput) return S_OK;
    return m_pOutput->DeliverNewSegment(tStart, tStop, dRate);
}

#include "platform/dshow/BaseInputPin.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/ComPtr.h"

CBaseInputPin::CBaseInputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                             LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_INPUT),
      m_pAllocator(nullptr),
      m_bReadOnly(FALSE),
      m_bFlushing(FALSE),
      m_bRunTimeError(FALSE),
      m_bActive(FALSE),
      m_pSampleType(nullptr)
{
    ZeroMemory(&m_SampleProps, sizeof(m_SampleProps));
}

CBaseInputPin::~CBaseInputPin()
{
    if (m_pAllocator) m_pAllocator->Release();
    if (m_pSampleType) DeleteMediaType(m_pSampleType);
}

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IMemInputPin)
        return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** ppAllocator)
{
    if (!ppAllocator) return E_POINTER;
    *ppAllocator = nullptr;
    CAutoLock lock(m_pLock);
    if (!m_pAllocator) {
        HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                      reinterpret_cast<void**>(&m_pAllocator));
        if (FAILED(hr)) {
            m_pAllocator = nullptr;
            return hr;
        }
    }
    *ppAllocator = m_pAllocator;
    m_pAllocator->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly)
{
    if (!pAllocator) return E_POINTER;
    CAutoLock lock(m_pLock);
    pAllocator->AddRef();
    if (m_pAllocator) m_pAllocator->Release();
    m_pAllocator = pAllocator;
    m_bReadOnly = bReadOnly;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    return E_NOTIMPL;
}

HRESULT CBaseInputPin::CheckStreaming()
{
    if (!IsConnected()) return VFW_E_NOT_CONNECTED;
    if (IsStopped() || !m_bActive) return VFW_E_WRONG_STATE;
    if (m_bFlushing) return S_FALSE;
    if (m_bRunTimeError) return VFW_E_RUNTIME_ERROR;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* pSample)
{
    if (!pSample) return E_POINTER;
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;

    // Built aside and stored whole: another thread may read the current properties.
    AM_SAMPLE2_PROPERTIES props;
    ZeroMemory(&props, sizeof(props));
    AM_MEDIA_TYPE* sampleType = nullptr;
    ComPtr<IMediaSample2> sample2;
    if (SUCCEEDED(ComQuery(pSample, sample2)) &&
        SUCCEEDED(sample2->GetProperties(sizeof(props), reinterpret_cast<BYTE*>(&props)))) {
        // The type pointer there belongs to the sample; keep a copy of our own.
        if (props.pMediaType) {
            sampleType = CreateMediaType(props.pMediaType);
            props.pMediaType = sampleType;
        }
    } else {
        props.cbData = sizeof(props);
        props.dwStreamId = AM_STREAM_MEDIA;
        hr = pSample->GetTime(&props.tStart, &props.tStop);
        if (SUCCEEDED(hr)) {
            props.dwSampleFlags |= AM_SAMPLE_TIMEVALID;
            if (hr == S_OK) props.dwSampleFlags |= AM_SAMPLE_STOPVALID;
        }
        if (pSample->IsSyncPoint() == S_OK) props.dwSampleFlags |= AM_SAMPLE_SPLICEPOINT;
        if (pSample->IsPreroll() == S_OK) props.dwSampleFlags |= AM_SAMPLE_PREROLL;
        if (pSample->IsDiscontinuity() == S_OK) props.dwSampleFlags |= AM_SAMPLE_DATADISCONTINUITY;
        AM_MEDIA_TYPE* changed = nullptr;
        if (pSample->GetMediaType(&changed) == S_OK && changed) {
            sampleType = changed;
            props.pMediaType = changed;
            props.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
        }
        pSample->GetPointer(&props.pbBuffer);
        props.lActual = pSample->GetActualDataLength();
        props.cbBuffer = pSample->GetSize();
    }
    AM_MEDIA_TYPE* oldType = m_pSampleType;
    m_SampleProps = props;
    m_pSampleType = sampleType;
    if (oldType) DeleteMediaType(oldType);

    if ((m_SampleProps.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && m_SampleProps.pMediaType) {
        CMediaType mt(*m_SampleProps.pMediaType);
        if (CheckMediaType(&mt) != S_OK) {
            // A type we cannot take mid-stream ends the stream with an error.
            m_bRunTimeError = TRUE;
            EndOfStream();
            m_pFilter->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
            return VFW_E_INVALIDMEDIATYPE;
        }
        hr = SetMediaType(&mt);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** pSamples, long nSamples, long* nSamplesProcessed)
{
    if (!pSamples) return E_POINTER;
    HRESULT hr = S_OK;
    long done = 0;
    while (done < nSamples) {
        hr = Receive(pSamples[done]);
        if (hr != S_OK) break;
        ++done;
    }
    if (nSamplesProcessed) *nSamplesProcessed = done;
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock()
{
    return S_OK;
}

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = TRUE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    CAutoLock lock(m_pLock);
    m_bFlushing = FALSE;
    m_bRunTimeError = FALSE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndOfStream()
{
    HRESULT hr = CheckStreaming();
    return hr == S_OK ? S_OK : hr;
}

HRESULT CBaseInputPin::BreakConnect()
{
    if (m_pAllocator) {
        m_pAllocator->Decommit();
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    m_bReadOnly = FALSE;
    return S_OK;
}

HRESULT CBaseInputPin::Active()
{
    m_bRunTimeError = FALSE;
    m_bFlushing = FALSE;
    m_bActive = TRUE;
    return S_OK;
}

HRESULT CBaseInputPin::Inactive()
{
    m_bActive = FALSE;
    m_bRunTimeError = FALSE;
    m_bFlushing = FALSE;
    // Frees an upstream thread waiting for one of our buffers.
    if (m_pAllocator) m_pAllocator->Decommit();
    return S_OK;
}

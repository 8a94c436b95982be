#include "platform/dshow/TransformInputPin.h"
#include "platform/dshow/TransformFilter.h"

CTransformInputPin::CTransformInputPin(const char* pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                                       LPCWSTR pName)
    : CBaseInputPin(pObjectName, pTransformFilter, &pTransformFilter->m_csFilter, phr, pName),
      m_pTransformFilter(pTransformFilter)
{
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pTransformFilter->m_csReceive);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK) return hr;
    return m_pTransformFilter->Receive(pSample);
}

STDMETHODIMP CTransformInputPin::EndOfStream()
{
    CAutoLock lock(&m_pTransformFilter->m_csReceive);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    return m_pTransformFilter->EndOfStream();
}

STDMETHODIMP CTransformInputPin::BeginFlush()
{
    CAutoLock lock(&m_pTransformFilter->m_csFilter);
    if (!IsConnected() || !m_pTransformFilter->m_pOutput->IsConnected()) return VFW_E_NOT_CONNECTED;
    HRESULT hr = CBaseInputPin::BeginFlush();
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->BeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush()
{
    CAutoLock lock(&m_pTransformFilter->m_csFilter);
    if (!IsConnected() || !m_pTransformFilter->m_pOutput->IsConnected()) return VFW_E_NOT_CONNECTED;
    HRESULT hr = m_pTransformFilter->EndFlush();
    if (FAILED(hr)) return hr;
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    CBasePin::NewSegment(tStart, tStop, dRate);
    return m_pTransformFilter->NewSegment(tStart, tStop, dRate);
}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* pmt)
{
    HRESULT hr = m_pTransformFilter->CheckInputType(pmt);
    if (hr != S_OK) return hr;
    // With the output connected already, the new input must still suit it.
    CTransformOutputPin* out = m_pTransformFilter->m_pOutput;
    if (out && out->IsConnected()) return m_pTransformFilter->CheckTransform(pmt, &out->CurrentMediaType());
    return S_OK;
}

HRESULT CTransformInputPin::SetMediaType(const CMediaType* pmt)
{
    HRESULT hr = CBasePin::SetMediaType(pmt);
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->SetMediaType(PINDIR_INPUT, pmt);
}

HRESULT CTransformInputPin::CheckConnect(IPin* pPin)
{
    HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_INPUT, pPin);
    if (FAILED(hr)) return hr;
    return CBaseInputPin::CheckConnect(pPin);
}

HRESULT CTransformInputPin::BreakConnect()
{
    m_pTransformFilter->BreakConnect(PINDIR_INPUT);
    return CBaseInputPin::BreakConnect();
}

HRESULT CTransformInputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = m_pTransformFilter->CompleteConnect(PINDIR_INPUT, pReceivePin);
    if (FAILED(hr)) return hr;
    return CBaseInputPin::CompleteConnect(pReceivePin);
}

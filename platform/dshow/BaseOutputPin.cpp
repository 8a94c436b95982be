#include "platform/dshow/BaseOutputPin.h"
#include "platform/dshow/BaseFilter.h"

CBaseOutputPin::CBaseOutputPin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr,
                               LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_OUTPUT), m_pAllocator(nullptr), m_pInputPin(nullptr)
{
}

CBaseOutputPin::~CBaseOutputPin()
{
    if (m_pAllocator) m_pAllocator->Release();
    if (m_pInputPin) m_pInputPin->Release();
}

STDMETHODIMP CBaseOutputPin::EndOfStream()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBaseOutputPin::EndFlush()
{
    return E_UNEXPECTED;
}

HRESULT CBaseOutputPin::CheckConnect(IPin* pPin)
{
    HRESULT hr = CBasePin::CheckConnect(pPin);
    if (FAILED(hr)) return hr;
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    hr = pPin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&m_pInputPin));
    if (FAILED(hr) || !m_pInputPin) {
        m_pInputPin = nullptr;
        return VFW_E_NO_TRANSPORT;
    }
    return S_OK;
}

HRESULT CBaseOutputPin::BreakConnect()
{
    if (m_pAllocator) {
        m_pAllocator->Decommit();
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*)
{
    if (m_pAllocator) {
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    return DecideAllocator(m_pInputPin, &m_pAllocator);
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pPin, IMemAllocator** ppAlloc)
{
    if (!pPin || !ppAlloc) return E_POINTER;
    *ppAlloc = nullptr;

    ALLOCATOR_PROPERTIES wanted;
    ZeroMemory(&wanted, sizeof(wanted));
    if (FAILED(pPin->GetAllocatorRequirements(&wanted))) ZeroMemory(&wanted, sizeof(wanted));
    if (wanted.cbAlign == 0) wanted.cbAlign = 1;

    HRESULT hr = pPin->GetAllocator(ppAlloc);
    if (SUCCEEDED(hr) && *ppAlloc) {
        ALLOCATOR_PROPERTIES request = wanted;
        hr = DecideBufferSize(*ppAlloc, &request);
        if (SUCCEEDED(hr)) hr = pPin->NotifyAllocator(*ppAlloc, FALSE);
        if (SUCCEEDED(hr)) return S_OK;
    }
    if (*ppAlloc) {
        (*ppAlloc)->Release();
        *ppAlloc = nullptr;
    }

    hr = InitAllocator(ppAlloc);
    if (SUCCEEDED(hr)) {
        ALLOCATOR_PROPERTIES request = wanted;
        hr = DecideBufferSize(*ppAlloc, &request);
        if (SUCCEEDED(hr)) hr = pPin->NotifyAllocator(*ppAlloc, FALSE);
        if (SUCCEEDED(hr)) return S_OK;
    }
    if (*ppAlloc) {
        (*ppAlloc)->Release();
        *ppAlloc = nullptr;
    }
    return hr;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** ppAlloc)
{
    return CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(ppAlloc));
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime,
                                          REFERENCE_TIME* pEndTime, DWORD dwFlags)
{
    if (!ppSample) return E_POINTER;
    *ppSample = nullptr;
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->GetBuffer(ppSample, pStartTime, pEndTime, dwFlags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* pSample)
{
    if (!m_pInputPin) return VFW_E_NOT_CONNECTED;
    return m_pInputPin->Receive(pSample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    if (!m_pConnected) return VFW_E_NOT_CONNECTED;
    return m_pConnected->EndOfStream();
}

HRESULT CBaseOutputPin::DeliverBeginFlush()
{
    if (!m_pConnected) return VFW_E_NOT_CONNECTED;
    return m_pConnected->BeginFlush();
}

HRESULT CBaseOutputPin::DeliverEndFlush()
{
    if (!m_pConnected) return VFW_E_NOT_CONNECTED;
    return m_pConnected->EndFlush();
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    if (!m_pConnected) return VFW_E_NOT_CONNECTED;
    return m_pConnected->NewSegment(tStart, tStop, dRate);
}

HRESULT CBaseOutputPin::Active()
{
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->Commit();
}

HRESULT CBaseOutputPin::Inactive()
{
    if (m_pAllocator) return m_pAllocator->Decommit();
    return S_OK;
}

HRESULT CBaseOutputPin::SetBufferProperties(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest, long cBuffers,
                                            long cbBuffer, long cbMinimum)
{
    if (cbMinimum < 0)
        cbMinimum = cbBuffer;
    if (pRequest->cBuffers < cBuffers)
        pRequest->cBuffers = cBuffers;
    if (pRequest->cbBuffer < cbBuffer)
        pRequest->cbBuffer = cbBuffer;
    if (pRequest->cbAlign < 1)
        pRequest->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual;
    HRESULT hr = pAlloc->SetProperties(pRequest, &actual);
    if (FAILED(hr))
        return hr;
    return actual.cbBuffer < cbMinimum ? E_FAIL : S_OK;
}

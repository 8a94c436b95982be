#include "platform/dshow/TransformOutputPin.h"
#include "platform/dshow/TransformFilter.h"

CTransformOutputPin::CTransformOutputPin(const char* pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                                         LPCWSTR pName)
    : CBaseOutputPin(pObjectName, pTransformFilter, &pTransformFilter->m_csFilter, phr, pName),
      m_pTransformFilter(pTransformFilter)
{
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* pmt)
{
    // The output type is always judged against the input's.
    CTransformInputPin* in = m_pTransformFilter->m_pInput;
    if (!in || !in->IsConnected()) return VFW_E_NOT_CONNECTED;
    return m_pTransformFilter->CheckTransform(&in->CurrentMediaType(), pmt);
}

HRESULT CTransformOutputPin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    CTransformInputPin* in = m_pTransformFilter->m_pInput;
    if (!in || !in->IsConnected()) return VFW_S_NO_MORE_ITEMS;
    return m_pTransformFilter->GetMediaType(iPosition, pMediaType);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* pmt)
{
    HRESULT hr = CBasePin::SetMediaType(pmt);
    if (FAILED(hr)) return hr;
    return m_pTransformFilter->SetMediaType(PINDIR_OUTPUT, pmt);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pPin)
{
    HRESULT hr = m_pTransformFilter->CheckConnect(PINDIR_OUTPUT, pPin);
    if (FAILED(hr)) return hr;
    return CBaseOutputPin::CheckConnect(pPin);
}

HRESULT CTransformOutputPin::BreakConnect()
{
    m_pTransformFilter->BreakConnect(PINDIR_OUTPUT);
    return CBaseOutputPin::BreakConnect();
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = m_pTransformFilter->CompleteConnect(PINDIR_OUTPUT, pReceivePin);
    if (FAILED(hr)) return hr;
    return CBaseOutputPin::CompleteConnect(pReceivePin);
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp)
{
    return m_pTransformFilter->DecideBufferSize(pAlloc, pProp);
}

#include "platform/standins/sysfilters/InfTee.h"

#include <new>
#include <stdio.h>

namespace
{
const long kBufferBytes = 256 * 1024;
const long kBuffers = 8;
}

CInfTeeInputPin::CInfTeeInputPin(CInfTee* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseInputPin("tee input", pFilter, pLock, phr, L"Input"), m_pTee(pFilter)
{
}

// While outputs are connected, only their type comes in again.
HRESULT CInfTeeInputPin::CheckMediaType(const CMediaType* pmt)
{
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected() && !(CMediaType(pOut->CurrentMediaType()) == *pmt))
            return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT CInfTeeInputPin::BreakConnect()
{
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected())
        {
            pOut->GetConnected()->Disconnect();
            pOut->Disconnect();
        }
    }
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP CInfTeeInputPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pTee->m_receiveLock);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    BYTE* p = nullptr;
    pSample->GetPointer(&p);
    long cb = pSample->GetActualDataLength();
    REFERENCE_TIME tStart = 0, tStop = 0;
    HRESULT hrTime = pSample->GetTime(&tStart, &tStop);
    BOOL bTimed = SUCCEEDED(hrTime);
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected() && cb > 0)
            pOut->Send(p, static_cast<DWORD>(cb), bTimed ? &tStart : nullptr, hrTime == S_OK ? &tStop : nullptr,
                       pSample->IsSyncPoint() == S_OK, pSample->IsDiscontinuity() == S_OK);
    }
    return S_OK;
}

STDMETHODIMP CInfTeeInputPin::EndOfStream()
{
    CAutoLock lock(&m_pTee->m_receiveLock);
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().DeliverEndOfStream();
    }
    return S_OK;
}

STDMETHODIMP CInfTeeInputPin::BeginFlush()
{
    CBaseInputPin::BeginFlush();
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().BeginFlush();
    }
    return S_OK;
}

STDMETHODIMP CInfTeeInputPin::EndFlush()
{
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().EndFlush();
    }
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CInfTeeInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    CBasePin::NewSegment(tStart, tStop, dRate);
    for (CInfTeeOutputPin* pOut : m_pTee->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().DeliverNewSegment(tStart, tStop, dRate);
    }
    return S_OK;
}

CInfTeeOutputPin::CInfTeeOutputPin(CInfTee* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName)
    : CQueuedOutputPin("tee output", pFilter, pLock, phr, pName, kBufferBytes, kBuffers), m_pTee(pFilter)
{
}

HRESULT CInfTeeOutputPin::CheckMediaType(const CMediaType* pmt)
{
    if (!m_pTee->m_pInput->IsConnected())
        return VFW_E_NOT_CONNECTED;
    return CMediaType(m_pTee->m_pInput->CurrentMediaType()) == *pmt ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CInfTeeOutputPin::GetMediaType(int iPosition, CMediaType* pmt)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0 || !m_pTee->m_pInput->IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    return pmt->Set(m_pTee->m_pInput->CurrentMediaType());
}

HRESULT CInfTeeOutputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = CQueuedOutputPin::CompleteConnect(pReceivePin);
    if (SUCCEEDED(hr))
        m_pTee->AddFreeOutput();
    return hr;
}

CUnknown* CALLBACK CInfTee::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CInfTee* p = new (std::nothrow) CInfTee(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CInfTee::CInfTee(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("Infinite Pin Tee Filter", pUnk, &m_lock, CLSID_InfTee, phr), m_pInput(nullptr)
{
    m_pInput = new (std::nothrow) CInfTeeInputPin(this, &m_lock, phr);
    AddFreeOutput();
}

CInfTee::~CInfTee()
{
    for (CInfTeeOutputPin* p : m_outputs)
        delete p;
    delete m_pInput;
}

int CInfTee::GetPinCount()
{
    return 1 + static_cast<int>(m_outputs.size());
}

CBasePin* CInfTee::GetPin(int n)
{
    if (n == 0)
        return m_pInput;
    if (n < 1 || n > static_cast<int>(m_outputs.size()))
        return nullptr;
    return m_outputs[n - 1];
}

void CInfTee::AddFreeOutput()
{
    for (CInfTeeOutputPin* p : m_outputs)
    {
        if (!p->IsConnected())
            return;
    }
    WCHAR szName[32];
    swprintf(szName, 32, L"Output%d", static_cast<int>(m_outputs.size()) + 1);
    HRESULT hr = S_OK;
    CInfTeeOutputPin* pPin = new (std::nothrow) CInfTeeOutputPin(this, &m_lock, &hr, szName);
    if (pPin == nullptr)
        return;
    m_outputs.push_back(pPin);
    IncrementPinVersion();
}

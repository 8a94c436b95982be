#include "platform/dshow/Source.h"
#include "platform/dshow/SourceStream.h"
#include <algorithm>

CSource::CSource(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_cStateLock, clsid, phr)
{
}

CSource::~CSource()
{
    // Each pin's destructor takes itself out of the list.
    while (!m_paStreams.empty()) delete m_paStreams.back();
}

STDMETHODIMP CSource::GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State)
{
    HRESULT hr = CBaseFilter::GetState(dwMilliSecsTimeout, State);
    if (hr != S_OK || *State != State_Paused) return hr;
    CAutoLock lock(&m_cStateLock);
    for (CSourceStream* pin : m_paStreams)
        if (pin->IsLive()) return VFW_S_CANT_CUE;
    return S_OK;
}

int CSource::GetPinCount()
{
    CAutoLock lock(&m_cStateLock);
    return int(m_paStreams.size());
}

CBasePin* CSource::GetPin(int n)
{
    CAutoLock lock(&m_cStateLock);
    if (n < 0 || n >= int(m_paStreams.size())) return nullptr;
    return m_paStreams[n];
}

HRESULT CSource::AddPin(CSourceStream* pStream)
{
    CAutoLock lock(&m_cStateLock);
    try {
        m_paStreams.push_back(pStream);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    IncrementPinVersion();
    return S_OK;
}

HRESULT CSource::RemovePin(CSourceStream* pStream)
{
    CAutoLock lock(&m_cStateLock);
    auto it = std::find(m_paStreams.begin(), m_paStreams.end(), pStream);
    if (it == m_paStreams.end()) return S_FALSE;
    m_paStreams.erase(it);
    IncrementPinVersion();
    return S_OK;
}

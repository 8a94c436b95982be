#include "platform/dshow/BasePin.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/EnumMediaTypes.h"
#include "platform/dshow/ComPtr.h"
#include <cwchar>
#include <new>

namespace {

WCHAR* CopyName(LPCWSTR p)
{
    if (!p) p = L"";
    size_t n = wcslen(p) + 1;
    WCHAR* copy = new (std::nothrow) WCHAR[n];
    if (copy) memcpy(copy, p, n * sizeof(WCHAR));
    return copy;
}

// Some enumerators never end; a connection attempt stops after this many types.
const int kMaxTypesTried = 256;

}  // namespace

CBasePin::CBasePin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName,
                   PIN_DIRECTION dir)
    : CUnknown(pObjectName, nullptr),
      m_pName(CopyName(pName)),
      m_pConnected(nullptr),
      m_dir(dir),
      m_pLock(pLock),
      m_pFilter(pFilter),
      m_tStart(0),
      m_tStop(MAXLONGLONG),
      m_dRate(1.0),
      m_TypeVersion(1),
      m_category(GUID_NULL)
{
    if (!m_pName && phr) *phr = E_OUTOFMEMORY;
}

CBasePin::~CBasePin()
{
    if (m_pConnected) {
        m_pConnected->Release();
        m_pConnected = nullptr;
    }
    delete[] m_pName;
}

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IPin)
        return GetInterface(static_cast<IPin*>(this), ppv);
    if (riid == IID_IKsPropertySet && HasKsProperties())
        return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

// A pin is part of its filter: it counts on the filter's references.
STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef()
{
    return static_cast<IBaseFilter*>(m_pFilter)->AddRef();
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease()
{
    return static_cast<IBaseFilter*>(m_pFilter)->Release();
}

BOOL CBasePin::IsStopped()
{
    return m_pFilter->IsStopped();
}

void CBasePin::ClearConnection()
{
    if (m_pConnected) {
        m_pConnected->Release();
        m_pConnected = nullptr;
    }
    FreeMediaType(m_mt);
    m_mt.InitMediaType();
}

STDMETHODIMP CBasePin::Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt)
{
    if (!pReceivePin) return E_POINTER;
    // Connections are always made from the output side.
    if (m_dir == PINDIR_INPUT) return E_UNEXPECTED;
    CAutoLock lock(m_pLock);
    if (m_pConnected) return VFW_E_ALREADY_CONNECTED;
    if (!IsStopped()) return VFW_E_NOT_STOPPED;

    HRESULT hr = CheckConnect(pReceivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    CMediaType wanted;
    if (pmt) wanted = *pmt;
    hr = AgreeMediaType(pReceivePin, &wanted);
    if (FAILED(hr)) BreakConnect();
    return hr;
}

HRESULT CBasePin::AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt)
{
    // A type with major type and subtype is tried as it stands first.
    if (pmt->majortype != GUID_NULL && pmt->subtype != GUID_NULL) {
        HRESULT hr = AttemptConnection(pReceivePin, pmt);
        if (SUCCEEDED(hr) || !pmt->IsPartiallySpecified()) return hr;
    }

    HRESULT result = VFW_E_NO_ACCEPTABLE_TYPES;
    IEnumMediaTypes* ours = nullptr;
    if (SUCCEEDED(EnumMediaTypes(&ours)) && ours) {
        HRESULT hr = TryMediaTypes(pReceivePin, pmt, ours);
        ours->Release();
        if (SUCCEEDED(hr)) return hr;
        if (hr != VFW_E_NO_ACCEPTABLE_TYPES) result = hr;
    }
    ComPtr<IEnumMediaTypes> theirs;
    if (SUCCEEDED(pReceivePin->EnumMediaTypes(&theirs)) && theirs) {
        HRESULT hr = TryMediaTypes(pReceivePin, pmt, theirs);
        if (SUCCEEDED(hr)) return hr;
        if (hr != VFW_E_NO_ACCEPTABLE_TYPES) result = hr;
    }
    return result;
}

HRESULT CBasePin::TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum)
{
    HRESULT result = VFW_E_NO_ACCEPTABLE_TYPES;
    pEnum->Reset();
    for (int tried = 0; tried < kMaxTypesTried; ++tried) {
        AM_MEDIA_TYPE* p = nullptr;
        ULONG got = 0;
        if (pEnum->Next(1, &p, &got) != S_OK || got != 1 || !p) break;
        CMediaType candidate(*p);
        DeleteMediaType(p);
        if (!candidate.MatchesPartial(pmt)) continue;
        HRESULT hr = AttemptConnection(pReceivePin, &candidate);
        if (SUCCEEDED(hr)) return hr;
        result = hr;
    }
    return result;
}

HRESULT CBasePin::AttemptConnection(IPin* pReceivePin, const CMediaType* pmt)
{
    HRESULT hr = CheckMediaType(pmt);
    if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    hr = SetMediaType(pmt);
    if (FAILED(hr)) return hr;

    m_pConnected = pReceivePin;
    m_pConnected->AddRef();
    hr = pReceivePin->ReceiveConnection(static_cast<IPin*>(this), pmt);
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    hr = CompleteConnect(pReceivePin);
    if (FAILED(hr)) {
        pReceivePin->Disconnect();
        ClearConnection();
        return hr;
    }
    return S_OK;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt)
{
    if (!pConnector || !pmt) return E_POINTER;
    if (m_dir == PINDIR_OUTPUT) return E_UNEXPECTED;
    CAutoLock lock(m_pLock);
    if (m_pConnected) return VFW_E_ALREADY_CONNECTED;
    if (!IsStopped()) return VFW_E_NOT_STOPPED;

    HRESULT hr = CheckConnect(pConnector);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    CMediaType mt(*pmt);
    hr = CheckMediaType(&mt);
    if (hr != S_OK) {
        BreakConnect();
        return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    }
    hr = SetMediaType(&mt);
    if (SUCCEEDED(hr)) {
        m_pConnected = pConnector;
        m_pConnected->AddRef();
        hr = CompleteConnect(pConnector);
        if (SUCCEEDED(hr)) return S_OK;
        ClearConnection();
    }
    BreakConnect();
    return hr;
}

STDMETHODIMP CBasePin::Disconnect()
{
    CAutoLock lock(m_pLock);
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    if (!m_pConnected) return S_FALSE;
    HRESULT hr = BreakConnect();
    if (FAILED(hr)) return hr;
    ClearConnection();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pPin)
{
    if (!pPin) return E_POINTER;
    CAutoLock lock(m_pLock);
    *pPin = m_pConnected;
    if (!m_pConnected) return VFW_E_NOT_CONNECTED;
    m_pConnected->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!pmt) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (!m_pConnected) {
        ZeroMemory(pmt, sizeof(*pmt));
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(pmt, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* pInfo)
{
    if (!pInfo) return E_POINTER;
    pInfo->pFilter = static_cast<IBaseFilter*>(m_pFilter);
    pInfo->pFilter->AddRef();
    lstrcpynW(pInfo->achName, m_pName ? m_pName : L"", MAX_PIN_NAME);
    pInfo->dir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* pPinDir)
{
    if (!pPinDir) return E_POINTER;
    *pPinDir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* Id)
{
    if (!Id) return E_POINTER;
    const WCHAR* name = m_pName ? m_pName : L"";
    size_t bytes = (wcslen(name) + 1) * sizeof(WCHAR);
    *Id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*Id) return E_OUTOFMEMORY;
    memcpy(*Id, name, bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* pmt)
{
    if (!pmt) return E_POINTER;
    CMediaType mt(*pmt);
    return CheckMediaType(&mt) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    CEnumMediaTypes* e = new (std::nothrow) CEnumMediaTypes(this, nullptr);
    if (!e) return E_OUTOFMEMORY;
    return GetInterface(static_cast<IEnumMediaTypes*>(e), reinterpret_cast<void**>(ppEnum));
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBasePin::EndOfStream()
{
    return S_OK;
}

STDMETHODIMP CBasePin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePin::EndFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    m_tStart = tStart;
    m_tStop = tStop;
    m_dRate = dRate;
    return S_OK;
}

HRESULT CBasePin::GetMediaType(int, CMediaType*)
{
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT CBasePin::SetMediaType(const CMediaType* pmt)
{
    return m_mt.Set(*pmt);
}

HRESULT CBasePin::CheckConnect(IPin* pPin)
{
    PIN_DIRECTION dir;
    HRESULT hr = pPin->QueryDirection(&dir);
    if (FAILED(hr)) return hr;
    return dir == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::BreakConnect()
{
    return S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*)
{
    return S_OK;
}

HRESULT CBasePin::Active()
{
    return S_OK;
}

HRESULT CBasePin::Inactive()
{
    return S_OK;
}

HRESULT CBasePin::Run(REFERENCE_TIME)
{
    return S_OK;
}

void CBasePin::SetPinCategory(REFGUID category)
{
    m_category = category;
    AddKsProperty(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY,
                  [this](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) -> HRESULT {
                      *pcbReturned = sizeof(GUID);
                      if (!pData) return E_POINTER;
                      if (cbData < sizeof(GUID)) return E_UNEXPECTED;
                      *static_cast<GUID*>(pData) = m_category;
                      return S_OK;
                  },
                  nullptr);
}

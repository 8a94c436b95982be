#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/BasePin.h"
#include "platform/dshow/EnumPins.h"
#include "platform/dshow/ComPtr.h"
#include <cwchar>

CBaseFilter::CBaseFilter(const char* pName, IUnknown* pUnk, CCritSec* pLock, REFCLSID clsid, HRESULT* phr)
    : CUnknown(pName, pUnk, phr),
      m_State(State_Stopped),
      m_pClock(nullptr),
      m_tStart(0),
      m_clsid(clsid),
      m_pLock(pLock),
      m_pGraph(nullptr),
      m_pSink(nullptr),
      m_PinVersion(1)
{
    m_name[0] = L'\0';
}

CBaseFilter::~CBaseFilter()
{
    if (m_pClock) m_pClock->Release();
}

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IBaseFilter || riid == IID_IMediaFilter || riid == IID_IPersist)
        return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    if (riid == IID_IAMovieSetup)
        return GetInterface(static_cast<IAMovieSetup*>(this), ppv);
    if (riid == IID_IKsPropertySet && HasKsProperties())
        return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* pClsID)
{
    if (!pClsID) return E_POINTER;
    *pClsID = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop()
{
    CAutoLock lock(m_pLock);
    HRESULT result = S_OK;
    if (m_State != State_Stopped) {
        int n = GetPinCount();
        for (int i = 0; i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Inactive();
                if (FAILED(hr) && SUCCEEDED(result)) result = hr;
            }
        }
    }
    m_State = State_Stopped;
    return result;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CAutoLock lock(m_pLock);
    if (m_State == State_Stopped) {
        int n = GetPinCount();
        for (int i = 0; i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Active();
                if (FAILED(hr)) return hr;
            }
        }
    }
    m_State = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME tStart)
{
    CAutoLock lock(m_pLock);
    m_tStart = tStart;
    if (m_State == State_Stopped) {
        // Virtual: a derived Pause (transform, source) starts its streaming first.
        HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
    }
    if (m_State != State_Running) {
        int n = GetPinCount();
        for (int i = 0; i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Run(tStart);
                if (FAILED(hr)) return hr;
            }
        }
    }
    m_State = State_Running;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* State)
{
    if (!State) return E_POINTER;
    *State = m_State;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* pClock)
{
    CAutoLock lock(m_pLock);
    if (pClock) pClock->AddRef();
    if (m_pClock) m_pClock->Release();
    m_pClock = pClock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** pClock)
{
    if (!pClock) return E_POINTER;
    CAutoLock lock(m_pLock);
    *pClock = m_pClock;
    if (m_pClock) m_pClock->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    CEnumPins* e = new (std::nothrow) CEnumPins(this, nullptr);
    if (!e) return E_OUTOFMEMORY;
    return GetInterface(static_cast<IEnumPins*>(e), reinterpret_cast<void**>(ppEnum));
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR Id, IPin** ppPin)
{
    if (!ppPin) return E_POINTER;
    *ppPin = nullptr;
    if (!Id) return E_POINTER;
    CAutoLock lock(m_pLock);
    int n = GetPinCount();
    for (int i = 0; i < n; ++i) {
        CBasePin* pin = GetPin(i);
        if (pin && pin->Name() && wcscmp(pin->Name(), Id) == 0)
            return GetInterface(static_cast<IPin*>(pin), reinterpret_cast<void**>(ppPin));
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* pInfo)
{
    if (!pInfo) return E_POINTER;
    CAutoLock lock(m_pLock);
    lstrcpynW(pInfo->achName, m_name, MAX_FILTER_NAME);
    pInfo->pGraph = m_pGraph;
    if (m_pGraph) m_pGraph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName)
{
    CAutoLock lock(m_pLock);
    m_pGraph = pGraph;
    m_pSink = nullptr;
    if (pGraph) {
        // Kept without a reference: the graph owns us and would never be freed otherwise.
        IMediaEventSink* sink = nullptr;
        if (SUCCEEDED(pGraph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))) && sink) {
            m_pSink = sink;
            sink->Release();
        }
    }
    if (pName)
        lstrcpynW(m_name, pName, MAX_FILTER_NAME);
    else
        m_name[0] = L'\0';
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* pVendorInfo)
{
    if (pVendorInfo) *pVendorInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBaseFilter::Register()
{
    return RegisterSetupData(TRUE);
}

STDMETHODIMP CBaseFilter::Unregister()
{
    return RegisterSetupData(FALSE);
}

HRESULT CBaseFilter::RegisterSetupData(BOOL bRegister)
{
    const AMOVIESETUP_FILTER* setup = GetSetupData();
    if (!setup) return S_FALSE;
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  reinterpret_cast<void**>(&mapper));
    if (FAILED(hr)) return hr;
    return DsRegisterFilter(mapper, setup, nullptr, setup->strName, bRegister);
}

HRESULT CBaseFilter::NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2)
{
    IMediaEventSink* sink = m_pSink;
    if (!sink) return E_NOTIMPL;
    // The graph counts completions per filter, so EC_COMPLETE names its sender.
    if (EventCode == EC_COMPLETE && EventParam2 == 0)
        EventParam2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
    return sink->Notify(EventCode, EventParam1, EventParam2);
}

HRESULT CBaseFilter::StreamTime(REFERENCE_TIME& rtStream)
{
    CAutoLock lock(m_pLock);
    if (!m_pClock) return VFW_E_NO_CLOCK;
    REFERENCE_TIME now = 0;
    HRESULT hr = m_pClock->GetTime(&now);
    if (FAILED(hr)) return hr;
    rtStream = now - m_tStart;
    return S_OK;
}

BOOL CBaseFilter::IsActive()
{
    CAutoLock lock(m_pLock);
    return m_State != State_Stopped;
}

BOOL CBaseFilter::IsStopped()
{
    return m_State == State_Stopped;
}

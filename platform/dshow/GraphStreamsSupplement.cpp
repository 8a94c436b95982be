#include "platform/dshow/GraphStreamsSupplement.h"
#include "platform/dshow/Unknown.h"
#include "platform/dshow/ComPtr.h"
#include "platform/dshow/InterfaceUuids.h"
#include <new>

namespace {

// The outer object: everything but IAMGraphStreams is the inner graph's.
class CGraphWithStreams : public CUnknown, public IAMGraphStreams
{
public:
    CGraphWithStreams() : CUnknown("CGraphWithStreams", nullptr), m_pInner(nullptr), m_own(FALSE),
                          m_useStreamOffset(FALSE), m_maxLatency(0) {}

    ~CGraphWithStreams() override
    {
        if (m_pInner) m_pInner->Release();
    }

    HRESULT Init(IClassFactory* pGraphFactory)
    {
        HRESULT hr = pGraphFactory->CreateInstance(GetOwner(), IID_IUnknown, reinterpret_cast<void**>(&m_pInner));
        if (FAILED(hr)) {
            m_pInner = nullptr;
            return hr;
        }
        IUnknown* probe = nullptr;
        if (SUCCEEDED(m_pInner->QueryInterface(IID_IAMGraphStreams, reinterpret_cast<void**>(&probe))) && probe) {
            // The inner's interface holds a reference on us, the outer object.
            probe->Release();
            m_own = FALSE;
        } else {
            m_own = TRUE;
        }
        return S_OK;
    }

    DECLARE_IUNKNOWN

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown) return CUnknown::NonDelegatingQueryInterface(riid, ppv);
        if (riid == IID_IAMGraphStreams && m_own) return GetInterface(static_cast<IAMGraphStreams*>(this), ppv);
        return m_pInner->QueryInterface(riid, ppv);
    }

    STDMETHODIMP FindUpstreamInterface(IPin* pPin, REFIID riid, void** ppvInterface, DWORD dwFlags) override
    {
        if (!pPin || !ppvInterface) return E_POINTER;
        *ppvInterface = nullptr;
        if (dwFlags == 0) dwFlags = AM_INTF_SEARCH_INPUT_PIN | AM_INTF_SEARCH_OUTPUT_PIN | AM_INTF_SEARCH_FILTER;
        return SearchUpstream(pPin, riid, ppvInterface, dwFlags, 0);
    }

    STDMETHODIMP SyncUsingStreamOffset(BOOL bUseStreamOffset) override
    {
        m_useStreamOffset = bUseStreamOffset;
        return S_OK;
    }

    STDMETHODIMP SetMaxGraphLatency(REFERENCE_TIME rtMaxGraphLatency) override
    {
        if (rtMaxGraphLatency < 0) return E_INVALIDARG;
        m_maxLatency = rtMaxGraphLatency;
        return S_OK;
    }

private:
    // Walks from an input pin to its peer, that pin's filter and its input pins, and on.
    HRESULT SearchUpstream(IPin* pInput, REFIID riid, void** ppv, DWORD flags, int depth)
    {
        if (depth > 64) return E_NOINTERFACE;
        if ((flags & AM_INTF_SEARCH_INPUT_PIN) && SUCCEEDED(pInput->QueryInterface(riid, ppv))) return S_OK;
        ComPtr<IPin> output;
        if (FAILED(pInput->ConnectedTo(&output)) || !output) return E_NOINTERFACE;
        if ((flags & AM_INTF_SEARCH_OUTPUT_PIN) && SUCCEEDED(output->QueryInterface(riid, ppv))) return S_OK;
        PIN_INFO info;
        if (FAILED(output->QueryPinInfo(&info)) || !info.pFilter) return E_NOINTERFACE;
        ComPtr<IBaseFilter> filter;
        filter.Attach(info.pFilter);
        if ((flags & AM_INTF_SEARCH_FILTER) && SUCCEEDED(filter->QueryInterface(riid, ppv))) return S_OK;
        ComPtr<IEnumPins> pins;
        if (FAILED(filter->EnumPins(&pins)) || !pins) return E_NOINTERFACE;
        ComPtr<IPin> pin;
        while (pins->Next(1, &pin, nullptr) == S_OK) {
            PIN_DIRECTION dir;
            if (SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_INPUT &&
                SUCCEEDED(SearchUpstream(pin, riid, ppv, flags, depth + 1)))
                return S_OK;
        }
        return E_NOINTERFACE;
    }

    IUnknown* m_pInner;
    BOOL m_own;
    BOOL m_useStreamOffset;
    REFERENCE_TIME m_maxLatency;
};

HRESULT CreateWithFactory(IClassFactory* pGraphFactory, IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    CGraphWithStreams* graph = new (std::nothrow) CGraphWithStreams();
    if (!graph) return E_OUTOFMEMORY;
    // Held while the inner graph is made, which may AddRef and Release the outer object.
    graph->NonDelegatingAddRef();
    HRESULT hr = graph->Init(pGraphFactory);
    if (SUCCEEDED(hr)) hr = graph->NonDelegatingQueryInterface(riid, ppv);
    graph->NonDelegatingRelease();
    return hr;
}

class CGraphFactory : public IClassFactory
{
public:
    explicit CGraphFactory(IClassFactory* pSystem) : m_cRef(1), m_pSystem(pSystem) { m_pSystem->AddRef(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&m_cRef)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&m_cRef);
        if (n == 0) delete this;
        return ULONG(n);
    }
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override
    {
        return CreateWithFactory(m_pSystem, pUnkOuter, riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    virtual ~CGraphFactory() { m_pSystem->Release(); }
    volatile LONG m_cRef;
    IClassFactory* m_pSystem;
};

// The system's own class object, asked by file so our registration never answers.
HRESULT SystemGraphFactory(ComPtr<IClassFactory>& out)
{
    typedef HRESULT(WINAPI * GetClassObjectFn)(REFCLSID, REFIID, void**);
    HMODULE quartz = LoadLibraryA("quartz.dll");
    if (!quartz) return HRESULT_FROM_WIN32(GetLastError());
    GetClassObjectFn get = reinterpret_cast<GetClassObjectFn>(GetProcAddress(quartz, "DllGetClassObject"));
    if (!get) return HRESULT_FROM_WIN32(GetLastError());
    // quartz.dll stays loaded: the class object and every graph live in it.
    return get(CLSID_FilterGraph, IID_IClassFactory, reinterpret_cast<void**>(&out));
}

bool SystemGraphHasStreams(IClassFactory* pSystem)
{
    ComPtr<IUnknown> graph;
    if (FAILED(pSystem->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&graph)))) return false;
    ComPtr<IAMGraphStreams> streams;
    return SUCCEEDED(ComQuery(graph, streams));
}

}  // namespace

HRESULT DsCreateFilterGraph(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    ComPtr<IClassFactory> system;
    HRESULT hr = SystemGraphFactory(system);
    if (FAILED(hr)) return hr;
    return CreateWithFactory(system, nullptr, riid, ppv);
}

HRESULT DsRegisterFilterGraphSupplement(DWORD* pdwCookie)
{
    if (!pdwCookie) return E_POINTER;
    *pdwCookie = 0;
    ComPtr<IClassFactory> system;
    HRESULT hr = SystemGraphFactory(system);
    if (FAILED(hr)) return hr;
    if (SystemGraphHasStreams(system)) return S_FALSE;
    CGraphFactory* factory = new (std::nothrow) CGraphFactory(system);
    if (!factory) return E_OUTOFMEMORY;
    hr = CoRegisterClassObject(CLSID_FilterGraph, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, pdwCookie);
    factory->Release();
    return hr;
}

HRESULT DsRevokeFilterGraphSupplement(DWORD dwCookie)
{
    if (dwCookie == 0) return S_FALSE;
    return CoRevokeClassObject(dwCookie);
}

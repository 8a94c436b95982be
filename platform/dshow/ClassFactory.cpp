#include "platform/dshow/ClassFactory.h"
#include "platform/dshow/ComPtr.h"
#include <new>

CClassFactory::CClassFactory(const CFactoryTemplate* pTemplate) : m_cRef(0), m_pTemplate(pTemplate)
{
    // A class object keeps the module loaded as long as someone holds it.
    CUnknown::LockModule(TRUE);
}

CClassFactory::~CClassFactory()
{
    CUnknown::LockModule(FALSE);
}

STDMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** ppv)
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

STDMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    return ULONG(InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0) delete this;
    return ULONG(n);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    // An aggregated object may only hand its inner IUnknown to the outer object.
    if (pUnkOuter && riid != IID_IUnknown) return E_NOINTERFACE;
    if (!m_pTemplate->m_lpfnNew) return E_UNEXPECTED;

    HRESULT hr = S_OK;
    CUnknown* obj = m_pTemplate->CreateInstance(pUnkOuter, &hr);
    if (!obj) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete obj;
        return hr;
    }
    // Hold the object while querying so a failed query frees it.
    obj->NonDelegatingAddRef();
    hr = obj->NonDelegatingQueryInterface(riid, ppv);
    obj->NonDelegatingRelease();
    return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL fLock)
{
    CUnknown::LockModule(fLock);
    return S_OK;
}

namespace {
volatile LONG g_initDone = 0;
}

HRESULT DsGetClassObject(const CFactoryTemplate* pTemplates, int count, REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    if (InterlockedExchange(&g_initDone, 1) == 0) {
        for (int i = 0; i < count; ++i)
            if (pTemplates[i].m_lpfnInit) pTemplates[i].m_lpfnInit(TRUE, pTemplates[i].m_ClsID);
    }
    for (int i = 0; i < count; ++i) {
        if (!pTemplates[i].IsClassID(rclsid) || !pTemplates[i].m_lpfnNew) continue;
        CClassFactory* factory = new (std::nothrow) CClassFactory(&pTemplates[i]);
        if (!factory) return E_OUTOFMEMORY;
        factory->AddRef();
        HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT DsCanUnloadNow()
{
    return CUnknown::ObjectCount() == 0 && CUnknown::LockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT DsRegisterTemplates(HMODULE hModule, const CFactoryTemplate* pTemplates, int count, BOOL bRegister)
{
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT result = S_OK;
    {
        ComPtr<IFilterMapper2> mapper;
        bool needMapper = false;
        for (int i = 0; i < count; ++i)
            if (pTemplates[i].m_pAMovieSetup_Filter) needMapper = true;
        if (needMapper) {
            result = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                      reinterpret_cast<void**>(&mapper));
        }
        for (int i = 0; i < count && (SUCCEEDED(result) || !bRegister); ++i) {
            const CFactoryTemplate& t = pTemplates[i];
            if (!t.m_ClsID) continue;
            HRESULT hr = S_OK;
            if (bRegister) {
                hr = DsRegisterServerKeys(*t.m_ClsID, t.m_Name, hModule, "Both");
                if (SUCCEEDED(hr) && t.m_pAMovieSetup_Filter)
                    hr = DsRegisterFilter(mapper, t.m_pAMovieSetup_Filter, t.m_pCategory, t.m_Name, TRUE);
            } else {
                // Removal goes on past failures so that as much as possible is gone.
                if (t.m_pAMovieSetup_Filter && mapper)
                    hr = DsRegisterFilter(mapper, t.m_pAMovieSetup_Filter, t.m_pCategory, t.m_Name, FALSE);
                HRESULT hr2 = DsUnregisterServerKeys(*t.m_ClsID);
                if (SUCCEEDED(hr)) hr = hr2;
            }
            if (t.m_lpfnInit) t.m_lpfnInit(bRegister, t.m_ClsID);
            if (FAILED(hr) && SUCCEEDED(result)) result = hr;
        }
    }
    if (SUCCEEDED(hrCom)) CoUninitialize();
    return result;
}

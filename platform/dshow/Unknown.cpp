#include "platform/dshow/Unknown.h"

namespace {
volatile LONG g_objects = 0;
volatile LONG g_locks = 0;
}

CUnknown::CUnknown(const char* pName, IUnknown* pUnkOuter, HRESULT*)
    : m_cRef(0), m_pOwner(pUnkOuter ? pUnkOuter : GetInner()), m_pName(pName)
{
    InterlockedIncrement(&g_objects);
}

CUnknown::~CUnknown()
{
    InterlockedDecrement(&g_objects);
}

HRESULT STDMETHODCALLTYPE CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown)
        return GetInterface(GetInner(), ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingAddRef()
{
    LONG n = InterlockedIncrement(&m_cRef);
    return n > 1 ? ULONG(n) : 1;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingRelease()
{
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0) {
        // A destructor that hands out and releases its own interfaces must not
        // bring the count to zero a second time.
        m_cRef = 1;
        delete this;
        return 0;
    }
    return ULONG(n > 0 ? n : 1);
}

LONG CUnknown::ObjectCount()
{
    return g_objects;
}

LONG CUnknown::LockCount()
{
    return g_locks;
}

void CUnknown::LockModule(BOOL bLock)
{
    if (bLock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}

HRESULT GetInterface(IUnknown* pUnk, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = pUnk;
    if (!pUnk) return E_NOINTERFACE;
    pUnk->AddRef();
    return S_OK;
}

#pragma once
#include "platform/dshow/Unknown.h"
#include <new>
#include "platform/dshow/FilterSetup.h"

typedef CUnknown*(CALLBACK* LPFNNewCOMObject)(IUnknown* pUnkOuter, HRESULT* phr);

// The creation function of a class built as T(pUnkOuter, phr); a class with a
// private constructor names it its friend.
template <class T>
CUnknown* CALLBACK DsCreateObject(IUnknown* pUnkOuter, HRESULT* phr)
{
    T* p = new (std::nothrow) T(pUnkOuter, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}
typedef void(CALLBACK* LPFNInitRoutine)(BOOL bLoading, const CLSID* rclsid);

// One row of a module's table of classes: what DllGetClassObject serves and what
// DllRegisterServer writes.
struct CFactoryTemplate
{
    const WCHAR* m_Name;                           // class name; the filter's (friendly) name
    const CLSID* m_ClsID;
    LPFNNewCOMObject m_lpfnNew;                    // creates one object; null for a data-only row
    LPFNInitRoutine m_lpfnInit;                    // optional; TRUE before first use, with registration
    const AMOVIESETUP_FILTER* m_pAMovieSetup_Filter;  // registered through IFilterMapper2 when set
    const CLSID* m_pCategory;                      // device category; null = DirectShow filters

    BOOL IsClassID(REFCLSID rclsid) const { return m_ClsID && *m_ClsID == rclsid; }
    CUnknown* CreateInstance(IUnknown* pUnkOuter, HRESULT* phr) const { return m_lpfnNew(pUnkOuter, phr); }
};

// The class object of one template row.
class CClassFactory : public IClassFactory
{
public:
    explicit CClassFactory(const CFactoryTemplate* pTemplate);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

private:
    virtual ~CClassFactory();
    volatile LONG m_cRef;
    const CFactoryTemplate* m_pTemplate;
};

// Table-driven bodies of the DLL exports, for any table (the exports use g_Templates).
HRESULT DsGetClassObject(const CFactoryTemplate* pTemplates, int count, REFCLSID rclsid, REFIID riid, void** ppv);
HRESULT DsCanUnloadNow();
// Writes (TRUE) or removes (FALSE) the server keys and filter registrations of every row.
HRESULT DsRegisterTemplates(HMODULE hModule, const CFactoryTemplate* pTemplates, int count, BOOL bRegister);

// The table a filter module defines; DllGetClassObject, DllCanUnloadNow and
// AMovieDllRegisterServer2 of this library serve it.
extern CFactoryTemplate g_Templates[];
extern int g_cTemplates;
STDAPI AMovieDllRegisterServer2(BOOL bRegister);

#pragma once
#include <windows.h>
#include <unknwn.h>

// The object's own IUnknown. When the object is aggregated, its public IUnknown
// methods go to the outer object, and only the outer object calls these.
struct INonDelegatingUnknown
{
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;
};

// Base of every COM object of this library: reference count, aggregation and the
// module-wide count of live objects that DllCanUnloadNow reads.
class CUnknown : public INonDelegatingUnknown
{
public:
    CUnknown(const char* pName, IUnknown* pUnkOuter, HRESULT* phr = nullptr);
    virtual ~CUnknown();
    CUnknown(const CUnknown&) = delete;
    CUnknown& operator=(const CUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    // The IUnknown that public QueryInterface/AddRef/Release go to.
    IUnknown* GetOwner() const { return m_pOwner; }
    // This object's non-delegating IUnknown, as the outer object must hold it.
    IUnknown* GetInner() { return reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this)); }
    const char* ObjectName() const { return m_pName; }

    static LONG ObjectCount();
    static LONG LockCount();
    static void LockModule(BOOL bLock);

protected:
    volatile LONG m_cRef;

private:
    IUnknown* m_pOwner;
    const char* m_pName;
};

// Hands out an interface pointer with a reference added.
HRESULT GetInterface(IUnknown* pUnk, void** ppv);

// Public IUnknown of a class derived from CUnknown, forwarded to the owner.
#define DECLARE_IUNKNOWN                                                              \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override                     \
    {                                                                                 \
        return GetOwner()->QueryInterface(riid, ppv);                                 \
    }                                                                                 \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }           \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }

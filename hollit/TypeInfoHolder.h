#pragma once

#include <windows.h>
#include <oaidl.h>

// The type information behind a dual interface's IDispatch, loaded from the registered type library
// or, failing that, from the library file next to this module.
class CTypeInfoHolder
{
public:
    CTypeInfoHolder(const GUID& libid, const IID& iid, WORD major, WORD minor);
    ~CTypeInfoHolder();

    CTypeInfoHolder(const CTypeInfoHolder&) = delete;
    CTypeInfoHolder& operator=(const CTypeInfoHolder&) = delete;

    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** ppTypeInfo);
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids);
    HRESULT Invoke(IDispatch* pThis, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);

    const WCHAR* GetPath() const { return m_path; }

private:
    HRESULT Load(LCID lcid);

    ITypeInfo* m_pTypeInfo;
    WCHAR m_path[MAX_PATH];
    GUID m_libid;
    IID m_iid;
    WORD m_major;
    WORD m_minor;
    // Kept loaded while the type information lives: the type info's code is in it.
    HMODULE m_hOleAut;
    CRITICAL_SECTION m_lock;
};

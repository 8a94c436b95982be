#include "hollit/TypeInfoHolder.h"

#include "platform/dshow/ComPtr.h"
#include "platform/dshow/CritSec.h"
#include "platform/dshow/ModuleInstance.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* LoadRegTypeLibProc)(REFGUID, WORD, WORD, LCID, ITypeLib**);
typedef HRESULT(STDAPICALLTYPE* LoadTypeLibProc)(LPCOLESTR, ITypeLib**);

HRESULT LastErrorResult()
{
    return static_cast<HRESULT>(0x80070000u | (GetLastError() & 0xFFFFu));
}

}

CTypeInfoHolder::CTypeInfoHolder(const GUID& libid, const IID& iid, WORD major, WORD minor)
    : m_pTypeInfo(nullptr), m_libid(libid), m_iid(iid), m_major(major), m_minor(minor), m_hOleAut(nullptr)
{
    InitializeCriticalSection(&m_lock);
    m_path[0] = 0;
    WCHAR module[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(DsModuleInstance(), module, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        WCHAR* slash = wcsrchr(module, L'\\');
        if (slash)
            *slash = 0;
        static const WCHAR kName[] = L"\\Hollit.tlb";
        if (wcslen(module) + wcslen(kName) < MAX_PATH) {
            wcscpy(m_path, module);
            wcscat(m_path, kName);
        }
    }
}

CTypeInfoHolder::~CTypeInfoHolder()
{
    if (m_pTypeInfo)
        m_pTypeInfo->Release();
    if (m_hOleAut)
        FreeLibrary(m_hOleAut);
    DeleteCriticalSection(&m_lock);
}

HRESULT CTypeInfoHolder::Load(LCID lcid)
{
    if (m_pTypeInfo)
        return S_OK;
    if (!m_hOleAut) {
        m_hOleAut = LoadLibraryA("OleAut32.dll");
        if (!m_hOleAut)
            return LastErrorResult();
    }
    LoadRegTypeLibProc loadReg =
        reinterpret_cast<LoadRegTypeLibProc>(GetProcAddress(m_hOleAut, "LoadRegTypeLib"));
    if (!loadReg)
        return LastErrorResult();
    ComPtr<ITypeLib> lib;
    HRESULT hr = loadReg(m_libid, m_major, m_minor, lcid, &lib);
    if (FAILED(hr)) {
        LoadTypeLibProc loadFile = reinterpret_cast<LoadTypeLibProc>(GetProcAddress(m_hOleAut, "LoadTypeLib"));
        if (!loadFile)
            return LastErrorResult();
        hr = loadFile(m_path, &lib);
        if (FAILED(hr))
            return hr;
    }
    ITypeInfo* info = nullptr;
    hr = lib->GetTypeInfoOfGuid(m_iid, &info);
    if (FAILED(hr))
        return hr;
    m_pTypeInfo = info;
    return S_OK;
}

HRESULT CTypeInfoHolder::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** ppTypeInfo)
{
    if (!ppTypeInfo)
        return E_POINTER;
    *ppTypeInfo = nullptr;
    if (index != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    CScopedLock lock(&m_lock);
    HRESULT hr = Load(lcid);
    if (FAILED(hr))
        return hr;
    m_pTypeInfo->AddRef();
    *ppTypeInfo = m_pTypeInfo;
    return S_OK;
}

HRESULT CTypeInfoHolder::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    ComPtr<ITypeInfo> info;
    HRESULT hr = GetTypeInfo(0, lcid, &info);
    if (FAILED(hr))
        return hr;
    return info->GetIDsOfNames(names, count, ids);
}

HRESULT CTypeInfoHolder::Invoke(IDispatch* pThis, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    HRESULT hr = GetTypeInfo(0, lcid, &info);
    if (FAILED(hr))
        return hr;
    return info->Invoke(pThis, id, flags, params, result, excepInfo, argErr);
}

#include "tests/hardware/support/RecordingPropertySet.h"

#include <vfwmsgs.h>
#include <ks.h>
#ifndef __STREAMS__
#define __STREAMS__
#endif
#include <ksproxy.h>
#include <string.h>

// IKsObject as a tear-off that shares the owner's reference count.
class CRecordingPropertySet::CKsObject : public IKsObject
{
public:
    explicit CKsObject(CRecordingPropertySet* pOwner) : m_pOwner(pOwner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pOwner->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOwner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOwner->Release(); }
    STDMETHODIMP_(HANDLE) KsGetObjectHandle() override { return m_pOwner->m_hObject; }

private:
    CRecordingPropertySet* m_pOwner;
};

CRecordingPropertySet::CRecordingPropertySet()
    : m_cRef(1), m_hObject(NULL), m_pKsObject(NULL)
{
}

CRecordingPropertySet::~CRecordingPropertySet()
{
    delete m_pKsObject;
}

STDMETHODIMP CRecordingPropertySet::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IKsPropertySet)
        *ppv = static_cast<IKsPropertySet*>(this);
    else if (riid == __uuidof(IKsObject) && m_hObject != NULL)
    {
        if (m_pKsObject == NULL)
            m_pKsObject = new CKsObject(this);
        *ppv = m_pKsObject;
    }
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CRecordingPropertySet::AddRef()
{
    return InterlockedIncrement(reinterpret_cast<LONG*>(&m_cRef));
}

STDMETHODIMP_(ULONG) CRecordingPropertySet::Release()
{
    // Tests own the object on the stack; the count is only watched.
    return InterlockedDecrement(reinterpret_cast<LONG*>(&m_cRef));
}

HRESULT CRecordingPropertySet::Record(bool bSet, REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance,
                                      LPVOID pData, DWORD cbData)
{
    Call call;
    call.bSet = bSet;
    call.set = set;
    call.id = id;
    call.instanceLength = cbInstance;
    call.dataLength = cbData;
    call.bSameBuffer = pInstance == pData;
    if (pData != NULL)
        call.data.assign(static_cast<BYTE*>(pData), static_cast<BYTE*>(pData) + cbData);
    if (pInstance != NULL)
        call.instance.assign(static_cast<BYTE*>(pInstance), static_cast<BYTE*>(pInstance) + cbInstance);
    m_calls.push_back(call);
    if (m_requestHandler)
        return m_requestHandler(bSet, set, id, static_cast<const BYTE*>(pInstance), cbInstance,
                                static_cast<BYTE*>(pData), cbData);
    return m_handler ? m_handler(bSet, id, static_cast<BYTE*>(pData), cbData) : S_OK;
}

STDMETHODIMP CRecordingPropertySet::Set(REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance, LPVOID pData,
                                        DWORD cbData)
{
    return Record(true, set, id, pInstance, cbInstance, pData, cbData);
}

STDMETHODIMP CRecordingPropertySet::Get(REFGUID set, DWORD id, LPVOID pInstance, DWORD cbInstance, LPVOID pData,
                                        DWORD cbData, DWORD* pcbReturned)
{
    HRESULT hr = Record(false, set, id, pInstance, cbInstance, pData, cbData);
    if (pcbReturned != NULL)
        *pcbReturned = cbData;
    return hr;
}

STDMETHODIMP CRecordingPropertySet::QuerySupported(REFGUID set, DWORD id, DWORD* pSupport)
{
    for (size_t i = 0; i < m_supported.size(); ++i)
    {
        if (m_supported[i].set == set && m_supported[i].id == id)
        {
            if (pSupport != NULL)
                *pSupport = m_supported[i].flags;
            return S_OK;
        }
    }
    return E_PROP_ID_UNSUPPORTED;
}

void CRecordingPropertySet::AddSupported(const GUID& set, DWORD id, DWORD support)
{
    Support entry = { set, id, support };
    m_supported.push_back(entry);
}

#include "platform/dshow/KsPropertySet.h"
#include <vfwmsgs.h>

void CKsPropertySet::AddKsProperty(REFGUID set, DWORD id, GetHandler get, SetHandler put)
{
    for (Entry& e : m_properties) {
        if (e.set == set && e.id == id) {
            e.get = std::move(get);
            e.put = std::move(put);
            return;
        }
    }
    m_properties.push_back(Entry{set, id, std::move(get), std::move(put)});
}

HRESULT CKsPropertySet::Find(REFGUID set, DWORD id, const Entry** ppEntry) const
{
    *ppEntry = nullptr;
    bool knownSet = false;
    for (const Entry& e : m_properties) {
        if (e.set != set) continue;
        knownSet = true;
        if (e.id == id) {
            *ppEntry = &e;
            return S_OK;
        }
    }
    return knownSet ? E_PROP_ID_UNSUPPORTED : E_PROP_SET_UNSUPPORTED;
}

STDMETHODIMP CKsPropertySet::Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData,
                                 DWORD cbInstanceData, LPVOID pPropData, DWORD cbPropData)
{
    const Entry* e;
    HRESULT hr = Find(guidPropSet, dwPropID, &e);
    if (FAILED(hr)) return hr;
    if (!e->put) return E_PROP_ID_UNSUPPORTED;
    return e->put(pInstanceData, cbInstanceData, pPropData, cbPropData);
}

STDMETHODIMP CKsPropertySet::Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData,
                                 DWORD cbInstanceData, LPVOID pPropData, DWORD cbPropData,
                                 DWORD* pcbReturned)
{
    const Entry* e;
    HRESULT hr = Find(guidPropSet, dwPropID, &e);
    if (FAILED(hr)) return hr;
    if (!e->get) return E_PROP_ID_UNSUPPORTED;
    DWORD returned = 0;
    hr = e->get(pInstanceData, cbInstanceData, pPropData, cbPropData, &returned);
    if (pcbReturned) *pcbReturned = returned;
    return hr;
}

STDMETHODIMP CKsPropertySet::QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport)
{
    const Entry* e;
    HRESULT hr = Find(guidPropSet, dwPropID, &e);
    if (FAILED(hr)) return hr;
    if (pTypeSupport)
        *pTypeSupport = (e->get ? KSPROPERTY_SUPPORT_GET : 0) | (e->put ? KSPROPERTY_SUPPORT_SET : 0);
    return S_OK;
}

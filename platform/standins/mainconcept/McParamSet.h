#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mainconcept/MainConceptSdk.h"

#include <map>

// One numbered parameter set of a filter, as its own interface object; its
// references are the filter's.
class CMcParamSet : public IMcParams
{
public:
    explicit CMcParamSet(IUnknown* pOwner) : m_pOwner(pOwner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pOwner->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOwner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOwner->Release(); }

    // A parameter never set reads 0.
    STDMETHODIMP GetParam(LONG number, LONG* pValue) override
    {
        if (pValue == nullptr)
            return E_POINTER;
        CAutoLock lock(&m_lock);
        auto it = m_values.find(number);
        *pValue = it != m_values.end() ? it->second : 0;
        return S_OK;
    }
    STDMETHODIMP SetParam(LONG number, LONG value) override
    {
        CAutoLock lock(&m_lock);
        m_values[number] = value;
        return S_OK;
    }
    LONG Value(LONG number)
    {
        LONG value = 0;
        GetParam(number, &value);
        return value;
    }

private:
    IUnknown* m_pOwner;
    CCritSec m_lock;
    std::map<LONG, LONG> m_values;
};

#pragma once

#include <windows.h>
#include <unknwn.h>

// A driver interface's stand-in that a test keeps on its stack: it answers
// IUnknown and its one interface (while it offers it), and its reference
// count is only watched.
template <class TInterface>
class CTestComObject : public TInterface
{
public:
    explicit CTestComObject(const IID& iid) : m_iid(iid) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || (riid == m_iid && bOffersInterface))
        {
            *ppv = static_cast<TInterface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    ULONG refs = 1;
    bool bOffersInterface = true;

private:
    const IID& m_iid;
};

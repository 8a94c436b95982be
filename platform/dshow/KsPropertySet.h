#pragma once
#include <dshow.h>
#include <functional>
#include <vector>

// IKsPropertySet answered from a table of handlers, mixed into filters and pins.
// The class that mixes it in supplies IUnknown (DECLARE_IUNKNOWN) and answers
// IID_IKsPropertySet in its NonDelegatingQueryInterface when HasKsProperties().
class CKsPropertySet : public IKsPropertySet
{
public:
    // pInstance/cbInstance as the caller passed them; pData/cbData the property value.
    using GetHandler = std::function<HRESULT(void* pInstance, DWORD cbInstance, void* pData, DWORD cbData,
                                             DWORD* pcbReturned)>;
    using SetHandler = std::function<HRESULT(void* pInstance, DWORD cbInstance, void* pData, DWORD cbData)>;

    // A property is readable with a get handler and writable with a set handler.
    // Registering the same set and id again replaces the earlier handlers.
    void AddKsProperty(REFGUID set, DWORD id, GetHandler get, SetHandler put);
    BOOL HasKsProperties() const { return !m_properties.empty(); }

    STDMETHODIMP Set(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                     LPVOID pPropData, DWORD cbPropData) override;
    STDMETHODIMP Get(REFGUID guidPropSet, DWORD dwPropID, LPVOID pInstanceData, DWORD cbInstanceData,
                     LPVOID pPropData, DWORD cbPropData, DWORD* pcbReturned) override;
    STDMETHODIMP QuerySupported(REFGUID guidPropSet, DWORD dwPropID, DWORD* pTypeSupport) override;

protected:
    virtual ~CKsPropertySet() = default;

private:
    struct Entry
    {
        GUID set;
        DWORD id;
        GetHandler get;
        SetHandler put;
    };
    // E_PROP_SET_UNSUPPORTED or E_PROP_ID_UNSUPPORTED when there is no entry.
    HRESULT Find(REFGUID set, DWORD id, const Entry** ppEntry) const;

    std::vector<Entry> m_properties;
};

#include "platform/dshow/EnumPins.h"
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/BasePin.h"
#include <new>

CEnumPins::CEnumPins(CBaseFilter* pFilter, const CEnumPins* pClone)
    : CUnknown("CEnumPins", nullptr), m_pFilter(pFilter), m_position(0), m_version(pFilter->GetPinVersion())
{
    if (pClone) {
        m_position = pClone->m_position;
        m_version = pClone->m_version;
    }
    static_cast<IBaseFilter*>(m_pFilter)->AddRef();
}

CEnumPins::~CEnumPins()
{
    static_cast<IBaseFilter*>(m_pFilter)->Release();
}

STDMETHODIMP CEnumPins::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IEnumPins)
        return GetInterface(static_cast<IEnumPins*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

BOOL CEnumPins::OutOfSync() const
{
    return m_version != m_pFilter->GetPinVersion();
}

STDMETHODIMP CEnumPins::Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched)
{
    if (!ppPins) return E_POINTER;
    if (pcFetched)
        *pcFetched = 0;
    else if (cPins != 1)
        return E_INVALIDARG;
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;

    ULONG fetched = 0;
    int count = m_pFilter->GetPinCount();
    while (fetched < cPins && m_position < count) {
        CBasePin* pin = m_pFilter->GetPin(m_position);
        if (!pin) break;
        ++m_position;
        ppPins[fetched] = static_cast<IPin*>(pin);
        ppPins[fetched]->AddRef();
        ++fetched;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cPins ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG cPins)
{
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    int count = m_pFilter->GetPinCount();
    ULONG left = m_position < count ? ULONG(count - m_position) : 0;
    if (cPins > left) {
        m_position = count;
        return S_FALSE;
    }
    m_position += int(cPins);
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset()
{
    m_position = 0;
    m_version = m_pFilter->GetPinVersion();
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    CEnumPins* e = new (std::nothrow) CEnumPins(m_pFilter, this);
    if (!e) return E_OUTOFMEMORY;
    return GetInterface(static_cast<IEnumPins*>(e), reinterpret_cast<void**>(ppEnum));
}

#include "platform/dshow/EnumMediaTypes.h"
#include "platform/dshow/BasePin.h"
#include <new>

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pPin, const CEnumMediaTypes* pClone)
    : CUnknown("CEnumMediaTypes", nullptr), m_pPin(pPin), m_position(0), m_version(pPin->GetMediaTypeVersion())
{
    if (pClone) {
        m_position = pClone->m_position;
        m_version = pClone->m_version;
    }
    static_cast<IPin*>(m_pPin)->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes()
{
    static_cast<IPin*>(m_pPin)->Release();
}

STDMETHODIMP CEnumMediaTypes::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IEnumMediaTypes)
        return GetInterface(static_cast<IEnumMediaTypes*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

// A pin that answers every position with the same type would never end the sequence;
// such a repeat ends it, so callers that enumerate to the end always finish.
HRESULT CEnumMediaTypes::TypeAt(int position, CMediaType* pmt) const
{
    HRESULT hr = m_pPin->GetMediaType(position, pmt);
    if (hr != S_OK || position == 0) return hr;
    CMediaType previous;
    if (m_pPin->GetMediaType(position - 1, &previous) == S_OK && previous == *pmt) return VFW_S_NO_MORE_ITEMS;
    return S_OK;
}

BOOL CEnumMediaTypes::OutOfSync() const
{
    return m_version != m_pPin->GetMediaTypeVersion();
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched)
{
    if (!ppMediaTypes) return E_POINTER;
    if (pcFetched)
        *pcFetched = 0;
    else if (cMediaTypes != 1)
        return E_INVALIDARG;
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;

    ULONG fetched = 0;
    while (fetched < cMediaTypes) {
        CMediaType mt;
        if (TypeAt(m_position, &mt) != S_OK) break;
        AM_MEDIA_TYPE* copy = CreateMediaType(&mt);
        if (!copy) {
            for (ULONG i = 0; i < fetched; ++i) {
                DeleteMediaType(ppMediaTypes[i]);
                ppMediaTypes[i] = nullptr;
            }
            m_position -= int(fetched);
            return E_OUTOFMEMORY;
        }
        ppMediaTypes[fetched++] = copy;
        ++m_position;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cMediaTypes ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG cMediaTypes)
{
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    while (cMediaTypes > 0) {
        CMediaType mt;
        if (TypeAt(m_position, &mt) != S_OK) return S_FALSE;
        ++m_position;
        --cMediaTypes;
    }
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    m_position = 0;
    m_version = m_pPin->GetMediaTypeVersion();
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    if (OutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    CEnumMediaTypes* e = new (std::nothrow) CEnumMediaTypes(m_pPin, this);
    if (!e) return E_OUTOFMEMORY;
    return GetInterface(static_cast<IEnumMediaTypes*>(e), reinterpret_cast<void**>(ppEnum));
}

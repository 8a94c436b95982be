#pragma once
#include <dshow.h>
#include "platform/dshow/Unknown.h"

class CBasePin;
class CMediaType;

// Enumerates the types a pin offers (CBasePin::GetMediaType); holds a reference on the pin.
class CEnumMediaTypes : public CUnknown, public IEnumMediaTypes
{
public:
    CEnumMediaTypes(CBasePin* pPin, const CEnumMediaTypes* pClone);
    ~CEnumMediaTypes() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // Each type handed out is a task-memory copy the caller frees with DeleteMediaType.
    STDMETHODIMP Next(ULONG cMediaTypes, AM_MEDIA_TYPE** ppMediaTypes, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cMediaTypes) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** ppEnum) override;

private:
    BOOL OutOfSync() const;
    HRESULT TypeAt(int position, CMediaType* pmt) const;

    CBasePin* m_pPin;
    int m_position;
    LONG m_version;
};

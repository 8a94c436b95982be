#pragma once
#include <dshow.h>
#include "platform/dshow/Unknown.h"

class CBaseFilter;

// Enumerates a filter's pins in index order; holds a reference on the filter.
class CEnumPins : public CUnknown, public IEnumPins
{
public:
    CEnumPins(CBaseFilter* pFilter, const CEnumPins* pClone);
    ~CEnumPins() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cPins) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** ppEnum) override;

private:
    BOOL OutOfSync() const;

    CBaseFilter* m_pFilter;
    int m_position;
    LONG m_version;
};

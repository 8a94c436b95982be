#pragma once

#include "dshow/FilterNode.h"

// A card's hardware encoder whose parameters are numbered properties of one
// driver property set; the wrapper carries them to and from the driver
// without reading them. Valid only when the filter has IKsPropertySet.
class CDriverPropertyEncoder : public CFilterNode
{
public:
    CDriverPropertyEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude,
                           REFGUID propertySet);
    CDriverPropertyEncoder(CDShowGraph* pGraph, REFCLSID clsid, REFGUID propertySet);
    ~CDriverPropertyEncoder() override;

    DWORD ReservedA(DWORD, DWORD, DWORD) override;
    DWORD ReservedB(DWORD, DWORD, DWORD) override;
    // Nonzero when the filter has IKsPropertySet.
    BOOL Initfilter() override;

    // The buffer goes to the driver as instance data and as property data.
    BOOL SetEncoderProperty(DWORD dwId, void* pData, DWORD cbData);
    BOOL GetEncoderProperty(DWORD dwId, void* pData, DWORD cbData);

private:
    GUID m_propertySet;
    ComPtr<IKsPropertySet> m_pPropertySet;
};

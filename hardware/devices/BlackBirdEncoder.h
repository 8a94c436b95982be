#pragma once

#include "dshow/FilterNode.h"

class CFilterClass;

// The encoder property set of the BlackBird card's MPEG encoder.
extern const GUID PROPSETID_BlackBirdEncoder;

// "BlackBird MPEG Encoder": the card's hardware MPEG encoder. Its parameters
// are numbered properties of one driver property set; the wrapper carries
// them to and from the driver without reading them.
class CBlackBirdEncoder : public CFilterNode
{
public:
    CBlackBirdEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CBlackBirdEncoder(CDShowGraph* pGraph, REFCLSID clsid);
    ~CBlackBirdEncoder() override;

    // The factory of the encoder's filter-class record.
    static CFilterNode* CreateInstance(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record);

    DWORD ReservedA(DWORD, DWORD, DWORD) override;
    DWORD ReservedB(DWORD, DWORD, DWORD) override;
    // Nonzero when the filter has IKsPropertySet.
    BOOL Initfilter() override;

    // The buffer goes to the driver as instance data and as property data.
    BOOL SetEncoderProperty(DWORD dwId, void* pData, DWORD cbData);
    BOOL GetEncoderProperty(DWORD dwId, void* pData, DWORD cbData);

private:
    ComPtr<IKsPropertySet> m_pPropertySet;
};

#pragma once

#include "hardware/devices/DriverPropertyEncoder.h"

class CFilterClass;

// The encoder property set of the BlackBird card's MPEG encoder.
extern const GUID PROPSETID_BlackBirdEncoder;

// "BlackBird MPEG Encoder": the card's hardware MPEG encoder.
class CBlackBirdEncoder : public CDriverPropertyEncoder
{
public:
    CBlackBirdEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CDriverPropertyEncoder(pGraph, pCategory, pszName, bExclude, PROPSETID_BlackBirdEncoder)
    {
    }
    CBlackBirdEncoder(CDShowGraph* pGraph, REFCLSID clsid)
        : CDriverPropertyEncoder(pGraph, clsid, PROPSETID_BlackBirdEncoder)
    {
    }

    // The factory of the encoder's filter-class record.
    static CFilterNode* CreateInstance(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record);
};

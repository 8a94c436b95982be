#include "hardware/devices/DriverPropertyEncoder.h"

CDriverPropertyEncoder::CDriverPropertyEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName,
                                               BOOL bExclude, REFGUID propertySet)
    : CFilterNode(pGraph, pCategory, pszName, bExclude), m_propertySet(propertySet)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDriverPropertyEncoder::CDriverPropertyEncoder(CDShowGraph* pGraph, REFCLSID clsid, REFGUID propertySet)
    : CFilterNode(pGraph, clsid), m_propertySet(propertySet)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDriverPropertyEncoder::~CDriverPropertyEncoder()
{
    m_pPropertySet.Reset();
}

DWORD CDriverPropertyEncoder::ReservedA(DWORD, DWORD, DWORD)
{
    return 0;
}

DWORD CDriverPropertyEncoder::ReservedB(DWORD, DWORD, DWORD)
{
    return 0;
}

BOOL CDriverPropertyEncoder::Initfilter()
{
    m_pPropertySet.Reset();
    if (!m_pFilter)
        return FALSE;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pPropertySet))))
        m_pPropertySet.Reset();
    return m_pPropertySet ? TRUE : FALSE;
}

BOOL CDriverPropertyEncoder::SetEncoderProperty(DWORD dwId, void* pData, DWORD cbData)
{
    if (!m_pPropertySet)
        return FALSE;
    return SUCCEEDED(m_pPropertySet->Set(m_propertySet, dwId, pData, cbData, pData, cbData));
}

BOOL CDriverPropertyEncoder::GetEncoderProperty(DWORD dwId, void* pData, DWORD cbData)
{
    if (!m_pPropertySet)
        return FALSE;
    DWORD cbReturned = 0;
    return SUCCEEDED(m_pPropertySet->Get(m_propertySet, dwId, pData, cbData, pData, cbData, &cbReturned));
}

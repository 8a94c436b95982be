#include "hardware/devices/BlackBirdEncoder.h"

#include "dshow/FilterClass.h"

// {D2185A40-0398-11D3-A53E-00A0C9EF506A}
const GUID PROPSETID_BlackBirdEncoder =
    { 0xD2185A40, 0x0398, 0x11D3, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A } };

CBlackBirdEncoder::CBlackBirdEncoder(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CBlackBirdEncoder::CBlackBirdEncoder(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CBlackBirdEncoder::~CBlackBirdEncoder()
{
    m_pPropertySet.Reset();
}

CFilterNode* CBlackBirdEncoder::CreateInstance(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record)
{
    return CreateFilterNodeOf<CBlackBirdEncoder>(pGraph, bExclude, record);
}

DWORD CBlackBirdEncoder::ReservedA(DWORD, DWORD, DWORD)
{
    return 0;
}

DWORD CBlackBirdEncoder::ReservedB(DWORD, DWORD, DWORD)
{
    return 0;
}

BOOL CBlackBirdEncoder::Initfilter()
{
    m_pPropertySet.Reset();
    if (!m_pFilter)
        return FALSE;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pPropertySet))))
        m_pPropertySet.Reset();
    return m_pPropertySet ? TRUE : FALSE;
}

BOOL CBlackBirdEncoder::SetEncoderProperty(DWORD dwId, void* pData, DWORD cbData)
{
    if (!m_pPropertySet)
        return FALSE;
    return SUCCEEDED(m_pPropertySet->Set(PROPSETID_BlackBirdEncoder, dwId, pData, cbData, pData, cbData));
}

BOOL CBlackBirdEncoder::GetEncoderProperty(DWORD dwId, void* pData, DWORD cbData)
{
    if (!m_pPropertySet)
        return FALSE;
    DWORD cbReturned = 0;
    return SUCCEEDED(m_pPropertySet->Get(PROPSETID_BlackBirdEncoder, dwId, pData, cbData, pData, cbData,
                                         &cbReturned));
}

#include "dshow/IVDownScale.h"

enum { PARAMETER_HORIZONTAL = 1792, PARAMETER_VERTICAL = 1793 };

CIVDownScale::CIVDownScale(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVDownScale::CIVDownScale(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVDownScale::CIVDownScale(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVDownScale::~CIVDownScale()
{
    m_pParameters.Reset();
}

BOOL CIVDownScale::Initfilter()
{
    m_pParameters.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return ComQuery(m_pFilter.Get(), IID_IIVDownScaleParameters, m_pParameters) == S_OK;
}

BOOL CIVDownScale::SetScaling(BOOL bHorizontal, BOOL bVertical)
{
    if (!m_pParameters)
        return FALSE;
    if (m_pParameters->SetParameter(PARAMETER_HORIZONTAL, bHorizontal != FALSE) != S_OK)
        return FALSE;
    return m_pParameters->SetParameter(PARAMETER_VERTICAL, bVertical != FALSE) == S_OK;
}

BOOL CIVDownScale::GetScaling(BOOL* pbHorizontal, BOOL* pbVertical)
{
    if (!m_pParameters || pbHorizontal == NULL || pbVertical == NULL)
        return FALSE;
    LONG lHorizontal = 0;
    LONG lVertical = 0;
    m_pParameters->GetParameter(PARAMETER_HORIZONTAL, &lHorizontal);
    HRESULT hr = m_pParameters->GetParameter(PARAMETER_VERTICAL, &lVertical);
    *pbHorizontal = lHorizontal > 0;
    *pbVertical = lVertical > 0;
    return hr == S_OK;
}

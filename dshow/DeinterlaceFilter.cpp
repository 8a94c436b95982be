#include "dshow/DeinterlaceFilter.h"

#include <vector>

namespace
{
VARIANT_BOOL ToVariantBool(BOOL b)
{
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}
}

CDeinterlaceFilter::CDeinterlaceFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDeinterlaceFilter::CDeinterlaceFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDeinterlaceFilter::CDeinterlaceFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CDeinterlaceFilter::~CDeinterlaceFilter()
{
    m_pDeinterlace.Reset();
}

BOOL CDeinterlaceFilter::Initfilter()
{
    m_pDeinterlace.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_IDeinterlace, reinterpret_cast<void**>(&m_pDeinterlace))) &&
           m_pDeinterlace;
}

BOOL CDeinterlaceFilter::SetHighQuality(BOOL bHigh)
{
    return m_pDeinterlace && m_pDeinterlace->SetQuality(QUALITY_NORMAL + (bHigh ? 1 : 0)) == S_OK;
}

BOOL CDeinterlaceFilter::GetHighQuality(LONG* plHigh)
{
    LONG quality = 0;
    if (!m_pDeinterlace || plHigh == NULL || m_pDeinterlace->GetQuality(&quality) != S_OK)
        return FALSE;
    *plHigh = quality - QUALITY_NORMAL;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetNoiseReduce(BOOL bOn)
{
    return m_pDeinterlace && m_pDeinterlace->SetNoiseReduce(ToVariantBool(bOn)) == S_OK;
}

BOOL CDeinterlaceFilter::GetNoiseReduce(BOOL* pbOn)
{
    VARIANT_BOOL on = VARIANT_FALSE;
    if (!m_pDeinterlace || pbOn == NULL || m_pDeinterlace->GetNoiseReduce(&on) != S_OK)
        return FALSE;
    *pbOn = on == VARIANT_TRUE;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetHalfRate(BOOL bOn)
{
    return m_pDeinterlace && m_pDeinterlace->SetHalfRate(ToVariantBool(bOn)) == S_OK;
}

BOOL CDeinterlaceFilter::GetHalfRate(BOOL* pbOn)
{
    VARIANT_BOOL on = VARIANT_FALSE;
    if (!m_pDeinterlace || pbOn == NULL || m_pDeinterlace->GetHalfRate(&on) != S_OK)
        return FALSE;
    *pbOn = on == VARIANT_TRUE;
    return TRUE;
}

BOOL CDeinterlaceFilter::EnableDeinterlace(BOOL bOn)
{
    return m_pDeinterlace && m_pDeinterlace->SetDeinterlace(ToVariantBool(bOn)) == S_OK;
}

BOOL CDeinterlaceFilter::IsDeinterlaceEnabled(BOOL* pbOn)
{
    VARIANT_BOOL on = VARIANT_FALSE;
    if (!m_pDeinterlace || pbOn == NULL || m_pDeinterlace->GetDeinterlace(&on) != S_OK)
        return FALSE;
    *pbOn = on == VARIANT_TRUE;
    return TRUE;
}

BOOL CDeinterlaceFilter::SetReduceValue(LONG lLevel)
{
    if (!m_pDeinterlace || lLevel < 0 || lLevel > REDUCE_MAX)
        return FALSE;
    if (m_pDeinterlace->SetReduceValue(lLevel) != S_OK)
        return FALSE;
    if (lLevel == 0)
        m_pDeinterlace->SetNoiseReduce(VARIANT_FALSE);
    return TRUE;
}

BOOL CDeinterlaceFilter::GetReduceValue(LONG* plLevel)
{
    return m_pDeinterlace && plLevel != NULL && m_pDeinterlace->GetReduceValue(plLevel) == S_OK;
}

BOOL CDeinterlaceFilter::SaveSnapshot(LPCSTR pszFile, LONG lType, LONG lQuality)
{
    if (!m_pDeinterlace || pszFile == NULL)
        return FALSE;
    int cch = MultiByteToWideChar(CP_ACP, 0, pszFile, -1, NULL, 0);
    if (cch <= 0)
        return FALSE;
    std::vector<WCHAR> name(cch);
    MultiByteToWideChar(CP_ACP, 0, pszFile, -1, name.data(), cch);
    return m_pDeinterlace->SaveSnapshot(name.data(), lType, lQuality) == S_OK;
}

#include "dshow/TimeShiftFilter.h"

#include <mbstring.h>
#include <string.h>

CTimeShiftFilter::CTimeShiftFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    OnConstruct();
    if (!Initfilter())
        m_bValid = FALSE;
}

CTimeShiftFilter::CTimeShiftFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    OnConstruct();
    if (!Initfilter())
        m_bValid = FALSE;
}

CTimeShiftFilter::CTimeShiftFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    OnConstruct();
    if (!Initfilter())
        m_bValid = FALSE;
}

CTimeShiftFilter::~CTimeShiftFilter()
{
    m_pTimeShift.Reset();
}

BOOL CTimeShiftFilter::Initfilter()
{
    m_pTimeShift.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_ITimeShift, reinterpret_cast<void**>(&m_pTimeShift))) &&
           m_pTimeShift;
}

BOOL CTimeShiftFilter::MakeIndexName(LPCSTR pszMediaFile, char* pszIndex, int cbIndex)
{
    if (pszMediaFile == NULL || pszIndex == NULL || cbIndex < 1)
        return FALSE;
    // Searched as a multibyte string: a trail byte is neither a '.' nor a
    // folder separator. A dot in a folder name is no extension.
    const unsigned char* pName = reinterpret_cast<const unsigned char*>(pszMediaFile);
    const unsigned char* pDot = _mbsrchr(pName, '.');
    const unsigned char* pSlash = _mbsrchr(pName, '\\');
    const unsigned char* pOther = _mbsrchr(pName, '/');
    if (pOther > pSlash)
        pSlash = pOther;
    if (pDot != NULL && pSlash != NULL && pDot < pSlash)
        pDot = NULL;
    size_t nStem = pDot != NULL ? static_cast<size_t>(pDot - pName) : strlen(pszMediaFile);
    if (nStem + 5 > static_cast<size_t>(cbIndex))
        return FALSE;
    memcpy(pszIndex, pszMediaFile, nStem);
    memcpy(pszIndex + nStem, ".idx", 5);
    return TRUE;
}

// A node whose open failed has no interface; those calls fail instead of
// reaching through a null pointer.
BOOL CTimeShiftFilter::SetFileName(LPCSTR pszMediaFile)
{
    char szIndex[MAX_PATH] = {};
    if (!m_pTimeShift || !MakeIndexName(pszMediaFile, szIndex, MAX_PATH))
        return FALSE;
    return m_pTimeShift->SetFileNames(pszMediaFile, szIndex) == S_OK;
}

BOOL CTimeShiftFilter::SetBufferSize(LONGLONG* pllSize, DWORD dwValue)
{
    return m_pTimeShift && m_pTimeShift->SetBufferSize(pllSize, dwValue) == S_OK;
}

BOOL CTimeShiftFilter::GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen, LONGLONG* pllTotalBufLen)
{
    return m_pTimeShift && m_pTimeShift->GetPositions(pllReadPos, pllCurBufLen, pllTotalBufLen) == S_OK;
}

BOOL CTimeShiftFilter::SetPosition(LONGLONG* pllPosition)
{
    return m_pTimeShift && m_pTimeShift->SetReadPosition(pllPosition) == S_OK;
}

BOOL CTimeShiftFilter::TogglePause()
{
    return m_pTimeShift && m_pTimeShift->TogglePause() == S_OK;
}

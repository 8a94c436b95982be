#include "dshow/SnapPictureFilter.h"

#include <string.h>

CSnapPictureFilter::CSnapPictureFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSnapPictureFilter::CSnapPictureFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSnapPictureFilter::CSnapPictureFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSnapPictureFilter::~CSnapPictureFilter()
{
    m_pSnap.Reset();
}

BOOL CSnapPictureFilter::Initfilter()
{
    m_pSnap.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_ISnapPicture, reinterpret_cast<void**>(&m_pSnap))) && m_pSnap;
}

BOOL CSnapPictureFilter::SnapPicture(LONG lType, LPCSTR pszFile, LONG lQuality)
{
    if (!m_pSnap || lType == TYPE_REFUSED || pszFile == NULL)
        return FALSE;
    SnapPictureRequest request;
    memset(&request, 0, sizeof(request));
    size_t length = strlen(pszFile);
    if (length >= sizeof(request.szFile))
        return FALSE;
    request.cbSize = sizeof(request);
    request.dwType = lType == 1 || lType == 2 ? static_cast<DWORD>(lType) : 0;
    memcpy(request.szFile, pszFile, length + 1);
    request.dwQuality = static_cast<DWORD>(lQuality < 0 ? 0 : lQuality > QUALITY_MAX ? QUALITY_MAX : lQuality);
    return SUCCEEDED(m_pSnap->Command(COMMAND_SAVE, &request));
}

#include "dshow/IVTimeShiftFilter.h"

#include "dshow/DShowText.h"
#include "dshow/InterfaceCall.h"

#include <string.h>

namespace
{
BSTR BstrFromAnsi(const char* pszText, size_t cb)
{
    int cch = cb == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, pszText, static_cast<int>(cb), NULL, 0);
    BSTR bstr = SysAllocStringLen(NULL, cch);
    if (bstr != NULL && cch > 0)
        MultiByteToWideChar(CP_ACP, 0, pszText, static_cast<int>(cb), bstr, cch);
    return bstr;
}
}

CIVTimeShiftFilter::CIVTimeShiftFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVTimeShiftFilter::CIVTimeShiftFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVTimeShiftFilter::CIVTimeShiftFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVTimeShiftFilter::~CIVTimeShiftFilter()
{
    m_pTimeShift.Reset();
}

BOOL CIVTimeShiftFilter::Initfilter()
{
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(ComQuery(m_pFilter.Get(), IID_IIVTimeShift, m_pTimeShift));
}

BOOL CIVTimeShiftFilter::SetTimeShiftFile(LPCSTR pszPath)
{
    if (!m_pTimeShift || pszPath == NULL || strlen(pszPath) >= IV_PATH_SIZE)
        return FALSE;
    char szPath[IV_PATH_SIZE] = {};
    strcpy(szPath, pszPath);
    return SUCCEEDED(m_pTimeShift->SetFile(szPath));
}

BOOL CIVTimeShiftFilter::ConfigureTimeShift(LPCSTR pszPath, DWORD a, DWORD b, DWORD c)
{
    if (!m_pTimeShift || pszPath == NULL)
        return FALSE;
    IVTimeShiftSettings settings = { NULL, NULL, 512, 128, 524288, 0 };
    if (FAILED(m_pTimeShift->GetSettings(&settings)))
        return FALSE;
    // A trail byte of a double-byte character is no separator.
    LPCSTR pSlash = FindLastAnsiChar(pszPath, '\\');
    if (pSlash == NULL)
        return FALSE;
    size_t cbFolder = static_cast<size_t>(pSlash - pszPath);
    settings.bstrFileName = BstrFromAnsi(pszPath + cbFolder + 1, strlen(pszPath) - cbFolder - 1);
    settings.bstrFolder = BstrFromAnsi(pszPath, cbFolder);
    settings.dwSize = static_cast<DWORD>((static_cast<ULONGLONG>(b) * c) / 8);
    settings.dwSizeBytes = settings.dwSize * 1024;
    settings.dwMode = a;
    BOOL bDone = settings.bstrFileName != NULL && settings.bstrFolder != NULL &&
                 SUCCEEDED(m_pTimeShift->SetSettings(&settings)) && SUCCEEDED(m_pTimeShift->SetBufferRate(b));
    SysFreeString(settings.bstrFileName);
    SysFreeString(settings.bstrFolder);
    return bDone;
}

BOOL CIVTimeShiftFilter::Action20()
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Action20);
}

BOOL CIVTimeShiftFilter::Action19()
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Action19);
}

BOOL CIVTimeShiftFilter::SetValue15(DWORD dwValue)
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Value15, dwValue);
}

BOOL CIVTimeShiftFilter::SetValue16(DWORD dwValue)
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Value16, dwValue);
}

BOOL CIVTimeShiftFilter::SetValue13(DWORD dwValue)
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Value13, dwValue);
}

BOOL CIVTimeShiftFilter::SetValue17(DWORD dwValue)
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Value17, dwValue);
}

BOOL CIVTimeShiftFilter::SetValue14(LONGLONG llValue)
{
    return CallIfHeld(m_pTimeShift.Get(), &IIVTimeShift::Value14, llValue, static_cast<DWORD>(1));
}

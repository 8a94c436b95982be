#include "dshow/PinWrapper.h"

#include "dshow/DShowText.h"
#include "dshow/FilterNode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <uuids.h>

void FreeMediaTypeContents(AM_MEDIA_TYPE& mt)
{
    if (mt.cbFormat != 0 && mt.pbFormat != NULL)
        CoTaskMemFree(mt.pbFormat);
    mt.cbFormat = 0;
    mt.pbFormat = NULL;
    if (mt.pUnk != NULL)
    {
        mt.pUnk->Release();
        mt.pUnk = NULL;
    }
}

CPinWrapper::CPinWrapper(IPin* pPin, CFilterNode* pOwner)
    : m_pPin(pPin), m_pOwner(pOwner), m_pPeer(NULL), m_pNext(NULL)
{
    m_szName[0] = '\0';
    PIN_INFO info;
    if (m_pPin && m_pPin->QueryPinInfo(&info) == S_OK)
    {
        if (info.pFilter != NULL)
            info.pFilter->Release();
        info.achName[MAX_PIN_NAME - 1] = L'\0';
        AnsiFromWide(info.achName, m_szName, NAME_SIZE);
    }
}

CPinWrapper::~CPinWrapper()
{
    // A peer that outlives us must not keep pointing here.
    if (m_pPeer != NULL && m_pPeer->m_pPeer == this)
        m_pPeer->m_pPeer = NULL;
    m_pOwner = NULL;
    m_pPeer = NULL;
    m_pNext = NULL;
    m_pPin.Reset();
}

BOOL CPinWrapper::QueryDirection(PIN_DIRECTION* pDirection)
{
    if (!m_pPin || pDirection == NULL)
        return FALSE;
    return m_pPin->QueryDirection(pDirection) == S_OK;
}

BOOL CPinWrapper::QueryId(LPWSTR* ppszId)
{
    if (!m_pPin || ppszId == NULL)
        return FALSE;
    return m_pPin->QueryId(ppszId) == S_OK;
}

BOOL CPinWrapper::QueryPinInfo(PIN_INFO* pInfo)
{
    if (!m_pPin || pInfo == NULL)
        return FALSE;
    return m_pPin->QueryPinInfo(pInfo) == S_OK;
}

BOOL CPinWrapper::QueryAccept(const AM_MEDIA_TYPE* pmt)
{
    if (!m_pPin)
        return FALSE;
    return m_pPin->QueryAccept(pmt) == S_OK;
}

HRESULT CPinWrapper::EnumMediaTypes(IEnumMediaTypes** ppEnum)
{
    if (!m_pPin)
        return E_POINTER;
    return m_pPin->EnumMediaTypes(ppEnum);
}

HRESULT CPinWrapper::ConnectionMediaType(AM_MEDIA_TYPE* pmt)
{
    if (!m_pPin)
        return E_POINTER;
    return m_pPin->ConnectionMediaType(pmt);
}

HRESULT CPinWrapper::ShowPropertyPages(LPCSTR pszCaption, HWND hwndOwner)
{
    if (m_pOwner == NULL)
        return E_POINTER;
    return m_pOwner->ShowPropertyPages(pszCaption, hwndOwner);
}

namespace {

const size_t MAX_DESCRIPTION = 1024;

void AppendGuid(std::string& s, const GUID& g)
{
    char sz[64];
    std::snprintf(sz, sizeof(sz), "%08lX-%04X-%04X-", static_cast<unsigned long>(g.Data1),
                  g.Data2, g.Data3);
    s += sz;
    for (int i = 0; i < 8; ++i)
    {
        std::snprintf(sz, sizeof(sz), "%02X", g.Data4[i]);
        s += sz;
    }
}

void AppendMajorType(std::string& s, const GUID& major)
{
    s += "MainType:";
    if (major == MEDIATYPE_AnalogVideo)
        s += "Analog Video";
    else if (major == MEDIATYPE_Audio)
        s += "Audio";
    else if (major == MEDIATYPE_Video)
        s += "Video";
    else
        AppendGuid(s, major);
}

void AppendSubType(std::string& s, const GUID& sub)
{
    static const struct
    {
        const GUID* pSubType;
        const char* pszName;
    } kNames[] = {
        { &MEDIASUBTYPE_MPEG1Packet, "MPEG1 Packet" },
        { &MEDIASUBTYPE_MPEG1Payload, "MPEG1 Payload" },
        { &MEDIASUBTYPE_YVU9, "YVU9" },
        { &MEDIASUBTYPE_YUY2, "YUY2" },
        { &MEDIASUBTYPE_IJPG, "IJPG" },
        { &MEDIASUBTYPE_RGB8, "RGB8" },
        { &MEDIASUBTYPE_RGB555, "RGB555" },
        { &MEDIASUBTYPE_RGB565, "RGB565" },
        { &MEDIASUBTYPE_RGB24, "RGB24" },
        { &MEDIASUBTYPE_RGB32, "RGB32" },
    };
    s += ",SubType:";
    for (const auto& entry : kNames)
    {
        if (*entry.pSubType == sub)
        {
            s += entry.pszName;
            return;
        }
    }
    AppendGuid(s, sub);
}

void CopyDescription(char* pszText, int cbText, const std::string& s)
{
    size_t n = std::min(std::min(s.size(), static_cast<size_t>(cbText - 1)), MAX_DESCRIPTION);
    std::memcpy(pszText, s.data(), n);
    pszText[n] = '\0';
}

}  // namespace

BOOL CPinWrapper::DescribeMediaType(char* pszText, int cbText)
{
    if (pszText == NULL || cbText < 2)
        return FALSE;
    pszText[0] = '\0';
    AM_MEDIA_TYPE mt;
    ZeroMemory(&mt, sizeof(mt));
    if (FAILED(ConnectionMediaType(&mt)))
        return FALSE;
    std::string s;
    AppendMajorType(s, mt.majortype);
    AppendSubType(s, mt.subtype);
    FreeMediaTypeContents(mt);
    CopyDescription(pszText, cbText, s);
    return TRUE;
}

BOOL CPinWrapper::DescribeFirstMediaType(char* pszText, int cbText)
{
    if (pszText == NULL || cbText < 2)
        return FALSE;
    pszText[0] = '\0';
    ComPtr<IEnumMediaTypes> pEnum;
    if (FAILED(EnumMediaTypes(&pEnum)) || !pEnum)
        return FALSE;
    pEnum->Reset();
    AM_MEDIA_TYPE* pmt = NULL;
    if (pEnum->Next(1, &pmt, NULL) != S_OK || pmt == NULL)
        return FALSE;
    std::string s;
    AppendMajorType(s, pmt->majortype);
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
    CopyDescription(pszText, cbText, s);
    return TRUE;
}

#include "dshow/FilterNode.h"

#include "dshow/DShowText.h"

#include <cstring>
#include <cwchar>
#include <olectl.h>
#include <vector>

LONG g_nDeviceIndex = 0;

namespace {

// Reads a moniker's "FriendlyName" into an ANSI buffer; FALSE when the
// moniker has no readable name.
BOOL ReadFriendlyName(IMoniker* pMoniker, char* pszName, int cbName)
{
    ComPtr<IPropertyBag> pBag;
    if (FAILED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag,
                                       reinterpret_cast<void**>(&pBag))) || !pBag)
        return FALSE;
    VARIANT var;
    VariantInit(&var);
    V_VT(&var) = VT_BSTR;
    if (pBag->Read(L"FriendlyName", &var, NULL) != S_OK)
    {
        VariantClear(&var);
        return FALSE;
    }
    BOOL bOk = V_VT(&var) == VT_BSTR;
    if (bOk)
        AnsiFromWide(V_BSTR(&var), pszName, cbName);
    VariantClear(&var);
    return bOk;
}

HRESULT CreateCategoryEnumerator(const GUID& category, ComPtr<IEnumMoniker>& pEnum)
{
    ComPtr<ICreateDevEnum> pDevEnum;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER,
                                  IID_ICreateDevEnum, reinterpret_cast<void**>(&pDevEnum));
    if (FAILED(hr))
        return hr;
    hr = pDevEnum->CreateClassEnumerator(category, &pEnum, 0);
    if (hr == S_OK && !pEnum)
        hr = E_POINTER;
    return hr;
}

}  // namespace

BOOL MatchDeviceName(LPCSTR pszWanted, LPCSTR pszDevice)
{
    if (pszWanted == NULL || pszDevice == NULL || pszWanted[0] == '\0' || pszDevice[0] == '\0')
        return FALSE;
    size_t nWanted = std::strlen(pszWanted) - 1;
    size_t nDevice = std::strlen(pszDevice) - 1;
    size_t n = nWanted < nDevice ? nWanted : nDevice;
    return std::memcmp(pszWanted, pszDevice, n) == 0;
}

void CFilterNode::ClearMembers(CDShowGraph* pGraph)
{
    m_pFilter.Reset();
    m_bValid = FALSE;
    std::memset(m_szName, 0, sizeof(m_szName));
    std::memset(m_szFriendlyName, 0, sizeof(m_szFriendlyName));
    m_nPinCount = 0;
    m_pNext = NULL;
    m_pPinList = NULL;
    m_bRefreshPins = FALSE;
    m_pGraph = pGraph;
}

CFilterNode::CFilterNode(CDShowGraph* pGraph, REFCLSID clsid)
{
    ClearMembers(pGraph);
    HRESULT hr = CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&m_pFilter));
    if (SUCCEEDED(hr) && m_pFilter)
    {
        ReadPins();
        m_bValid = TRUE;
    }
    else
    {
        m_pFilter.Reset();
    }
}

CFilterNode::CFilterNode(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
{
    ClearMembers(pGraph);
    if (pCategory == NULL)
        return;

    ComPtr<IEnumMoniker> pEnum;
    if (CreateCategoryEnumerator(*pCategory, pEnum) != S_OK)
        return;

    pEnum->Reset();
    LONG nMatches = 0;
    HRESULT hrBind = E_FAIL;
    BOOL bTaken = FALSE;
    ComPtr<IMoniker> pMoniker;
    while (!bTaken && pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        char szDevice[NAME_SIZE];
        if (!ReadFriendlyName(pMoniker, szDevice, NAME_SIZE))
            continue;
        BOOL bMatch = MatchDeviceName(pszName, szDevice);
        if (bExclude ? bMatch : !bMatch)
            continue;
        hrBind = pMoniker->BindToObject(NULL, NULL, IID_IBaseFilter,
                                        reinterpret_cast<void**>(&m_pFilter));
        CopyAnsi(m_szFriendlyName, NAME_SIZE, szDevice);
        if (bExclude || nMatches++ == g_nDeviceIndex)
        {
            bTaken = TRUE;
            break;
        }
        m_pFilter.Reset();
    }

    if (bTaken && hrBind == S_OK && m_pFilter)
    {
        ReadPins();
        m_bValid = TRUE;
    }
    else
    {
        m_pFilter.Reset();
    }
}

CFilterNode::CFilterNode(CDShowGraph* pGraph, IBaseFilter* pFilter)
{
    ClearMembers(pGraph);
    if (pFilter == NULL)
        return;
    FILTER_INFO info;
    if (SUCCEEDED(pFilter->QueryFilterInfo(&info)))
    {
        if (info.pGraph != NULL)
            info.pGraph->Release();
        info.achName[MAX_FILTER_NAME - 1] = L'\0';
        AnsiFromWide(info.achName, m_szFriendlyName, NAME_SIZE);
        CopyAnsi(m_szName, NAME_SIZE, m_szFriendlyName);
    }
    m_pFilter = pFilter;
    ReadPins();
    m_bValid = TRUE;
}

CFilterNode::~CFilterNode()
{
    FreePins();
    m_pFilter.Reset();
}

DWORD CFilterNode::ReservedA(DWORD, DWORD, DWORD) { return 0; }
DWORD CFilterNode::ReservedB(DWORD, DWORD, DWORD) { return 0; }
void CFilterNode::OnConstruct() {}
void CFilterNode::ReservedC() {}
void CFilterNode::ReservedD() {}
DWORD CFilterNode::ReservedE(DWORD, DWORD) { return 0; }

BOOL CFilterNode::Initfilter()
{
    return m_pFilter ? TRUE : FALSE;
}

void CFilterNode::AppendPin(CPinWrapper* pPin)
{
    CPinWrapper** ppTail = &m_pPinList;
    while (*ppTail != NULL)
        ppTail = &(*ppTail)->m_pNext;
    *ppTail = pPin;
    ++m_nPinCount;
}

BOOL CFilterNode::ReadPins()
{
    if (!m_pFilter)
        return TRUE;
    ComPtr<IEnumPins> pEnum;
    if (FAILED(m_pFilter->EnumPins(&pEnum)) || !pEnum)
        return TRUE;
    pEnum->Reset();
    ComPtr<IPin> pPin;
    while (pEnum->Next(1, &pPin, NULL) == S_OK)
    {
        if (pPin)
            AppendPin(new CPinWrapper(pPin, this));
    }
    return TRUE;
}

BOOL CFilterNode::RefreshPins()
{
    if (!m_bRefreshPins || !m_pFilter)
        return TRUE;
    ComPtr<IEnumPins> pEnum;
    if (FAILED(m_pFilter->EnumPins(&pEnum)) || !pEnum)
        return TRUE;
    pEnum->Reset();

    CPinWrapper* pNewList = NULL;
    int nNewCount = 0;
    ComPtr<IPin> pPin;
    while (pEnum->Next(1, &pPin, NULL) == S_OK)
    {
        if (!pPin)
            continue;
        CPinWrapper* pWrapper = NULL;
        for (CPinWrapper** pp = &m_pPinList; *pp != NULL; pp = &(*pp)->m_pNext)
        {
            if ((*pp)->m_pPin.Get() == pPin.Get())
            {
                pWrapper = *pp;
                *pp = pWrapper->m_pNext;
                break;
            }
        }
        if (pWrapper == NULL)
            pWrapper = new CPinWrapper(pPin, this);
        // Surviving wrappers keep their recorded peers.
        pWrapper->m_pNext = pNewList;
        pNewList = pWrapper;
        ++nNewCount;
    }

    while (m_pPinList != NULL)
    {
        CPinWrapper* pGone = m_pPinList;
        m_pPinList = pGone->m_pNext;
        delete pGone;
    }
    m_pPinList = pNewList;
    m_nPinCount = nNewCount;
    return TRUE;
}

void CFilterNode::FreePins()
{
    while (m_pPinList != NULL)
    {
        CPinWrapper* pPin = m_pPinList;
        m_pPinList = pPin->m_pNext;
        delete pPin;
    }
    m_nPinCount = 0;
    m_bValid = FALSE;
}

CPinWrapper* CFilterNode::FindPin(LPCSTR pszPinName)
{
    if (pszPinName == NULL)
        return NULL;
    for (CPinWrapper* p = m_pPinList; p != NULL; p = p->m_pNext)
    {
        if (std::strcmp(p->m_szName, pszPinName) == 0)
            return p;
    }
    return NULL;
}

CPinWrapper* CFilterNode::GetPinAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nPinCount)
        return NULL;
    CPinWrapper* p = m_pPinList;
    for (int i = 0; p != NULL && i < nIndex; ++i)
        p = p->m_pNext;
    return p;
}

CPinWrapper* CFilterNode::GetPinById(IPin* pPin) const
{
    for (CPinWrapper* p = m_pPinList; p != NULL; p = p->m_pNext)
    {
        if (p->m_pPin.Get() == pPin)
            return p;
    }
    return NULL;
}

CPinWrapper* CFilterNode::FindPinById(LPCWSTR pszId) const
{
    if (pszId == NULL)
        return NULL;
    for (CPinWrapper* p = m_pPinList; p != NULL; p = p->m_pNext)
    {
        LPWSTR pszPinId = NULL;
        if (p->QueryId(&pszPinId))
        {
            BOOL bEqual = pszPinId != NULL && std::wcscmp(pszPinId, pszId) == 0;
            CoTaskMemFree(pszPinId);
            if (bEqual)
                return p;
        }
    }
    return NULL;
}

CPinWrapper* CFilterNode::GetFirstPin(int nDirection, BOOL bUnconnected) const
{
    for (CPinWrapper* p = m_pPinList; p != NULL; p = p->m_pNext)
    {
        PIN_DIRECTION dir;
        if (!p->QueryDirection(&dir) || static_cast<int>(dir) != nDirection)
            continue;
        if (bUnconnected ? p->m_pPeer == NULL : p->m_pPeer != NULL)
            return p;
    }
    return NULL;
}

BOOL CFilterNode::RemovePin(CPinWrapper* pPin)
{
    if (pPin == NULL)
        return FALSE;
    for (CPinWrapper** pp = &m_pPinList; *pp != NULL; pp = &(*pp)->m_pNext)
    {
        if (*pp == pPin)
        {
            *pp = pPin->m_pNext;
            --m_nPinCount;
            delete pPin;
            return TRUE;
        }
    }
    return FALSE;
}

void CFilterNode::SetName(LPCSTR pszName)
{
    CopyAnsi(m_szName, NAME_SIZE, pszName);
}

BOOL CFilterNode::IsInGraph() const
{
    if (!m_pFilter)
        return FALSE;
    FILTER_INFO info;
    if (m_pFilter->QueryFilterInfo(&info) != S_OK)
        return FALSE;
    if (info.pGraph == NULL)
        return FALSE;
    info.pGraph->Release();
    return TRUE;
}

HRESULT CFilterNode::HasPropertyPages(BOOL* pbHasPages) const
{
    if (pbHasPages == NULL)
        return E_INVALIDARG;
    *pbHasPages = FALSE;
    if (!m_pFilter)
        return E_POINTER;
    ComPtr<ISpecifyPropertyPages> pSpecify;
    HRESULT hr = ComQuery(m_pFilter.Get(), IID_ISpecifyPropertyPages, pSpecify);
    if (FAILED(hr))
        return hr;
    CAUUID pages = { 0, NULL };
    hr = pSpecify->GetPages(&pages);
    if (SUCCEEDED(hr) && pages.cElems >= 1)
        *pbHasPages = TRUE;
    if (pages.pElems != NULL)
        CoTaskMemFree(pages.pElems);
    return hr;
}

HRESULT CFilterNode::ShowPropertyPages(LPCSTR pszCaption, HWND hwndOwner) const
{
    if (!m_pFilter)
        return E_POINTER;
    WCHAR szCaption[MAX_PATH];
    WideFromAnsi(pszCaption != NULL ? pszCaption : "", szCaption, MAX_PATH);
    ComPtr<ISpecifyPropertyPages> pSpecify;
    HRESULT hr = ComQuery(m_pFilter.Get(), IID_ISpecifyPropertyPages, pSpecify);
    if (FAILED(hr))
        return hr;
    CAUUID pages = { 0, NULL };
    hr = pSpecify->GetPages(&pages);
    if (SUCCEEDED(hr) && pages.cElems >= 1)
    {
        IUnknown* pObject = m_pFilter.Get();
        hr = OleCreatePropertyFrame(hwndOwner, 0, 0, szCaption, 1, &pObject, pages.cElems,
                                    pages.pElems, 0, 0, NULL);
    }
    if (pages.pElems != NULL)
        CoTaskMemFree(pages.pElems);
    return hr;
}

HRESULT FindFilterByName(GUID category, LPCSTR pszName, IBaseFilter** ppFilter, PFN_MATCH_DEVICE_NAME pfnMatch)
{
    if (ppFilter == NULL)
        return E_POINTER;
    ComPtr<IEnumMoniker> pEnum;
    HRESULT hr = CreateCategoryEnumerator(category, pEnum);
    if (FAILED(hr))
        return hr;
    // A category without devices (S_FALSE) finds nothing, like one without a match.
    if (hr != S_OK)
        return VFW_E_NOT_FOUND;
    pEnum->Reset();
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        char szDevice[CFilterNode::NAME_SIZE];
        if (!ReadFriendlyName(pMoniker, szDevice, CFilterNode::NAME_SIZE))
            continue;
        if (pfnMatch(pszName, szDevice))
            return pMoniker->BindToObject(NULL, NULL, IID_IBaseFilter,
                                          reinterpret_cast<void**>(ppFilter));
    }
    return VFW_E_NOT_FOUND;
}

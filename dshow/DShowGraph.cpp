#include "dshow/DShowGraph.h"

#include "dshow/DShowText.h"
#include "dshow/FilterClass.h"

#include <cstdarg>
#include <cstring>

namespace {

char g_szLastError[1024] = "";

}  // namespace

CDShowGraph::CDShowGraph()
    : m_pNodes(NULL), m_nState(STATE_STOPPED), m_bComInitialized(FALSE), m_pfnSleep(&::Sleep)
{
    std::memset(m_aDeviceNames, 0, sizeof(m_aDeviceNames));
    CreateGraph();
}

CDShowGraph::~CDShowGraph()
{
    DestroyGraph();
}

LPCSTR CDShowGraph::GetLastErrorText()
{
    return g_szLastError;
}

BOOL CDShowGraph::FailCreate(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    wvsprintfA(g_szLastError, pszFormat, args);
    va_end(args);
    DestroyGraph();
    return FALSE;
}

BOOL CDShowGraph::CreateGraph()
{
    // A graph built before is torn down first rather than leaked.
    if (m_bComInitialized)
        DestroyGraph();

    if (FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
        return FALSE;
    m_bComInitialized = TRUE;
    m_pNodes = NULL;
    m_nState = STATE_STOPPED;

    if (FAILED(CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC,
                                IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&m_pBuilder))))
        return FailCreate("MakeBuilder() fail : Cannot instantiate graph builder");
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&m_pGraph))))
        return FailCreate("MakeGraph() fail : Cannot instantiate filtergraph");
    if (m_pBuilder->SetFiltergraph(m_pGraph) != S_OK)
        return FailCreate("Cannot give graph to builder");
    if (m_pGraph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&m_pEvents)) != S_OK)
        return FailCreate("Cannot get IID_IMediaEventEx interface");
    if (m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_pControl)) != S_OK)
        return FailCreate("Cannot get IID_IMediaControl interface");
    if (m_pGraph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&m_pVideoWindow)) != S_OK)
        return FailCreate("Cannot get IVideoWindow interface");
    if (m_pGraph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_pSeeking)) != S_OK)
        return FailCreate("Cannot get IID_IMediaSeeking interface");
    if (m_pGraph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&m_pBasicVideo)) != S_OK)
        return FailCreate("Cannot get IID_IBasicVideo interface");
    // Only SyncUsingStreamOffset needs IAMGraphStreams, and some filter graphs
    // (Wine's) do not offer it. Such a graph is still complete: the stream
    // offset call then reports E_POINTER, as for any graph without it.
    if (m_pGraph->QueryInterface(IID_IAMGraphStreams, reinterpret_cast<void**>(&m_pGraphStreams)) != S_OK)
        m_pGraphStreams.Reset();
    return TRUE;
}

namespace {

// Wine's system clock loses the wake-up that ends its advise thread when the
// clock is released before that thread first took the clock's lock: the
// thread then sleeps for ever and the release waits on it. A graph that ran
// only a moment (its renderer's first advice made the thread) would hang as it
// is taken apart on a busy machine. One advice that has fired proves the
// thread is in its loop, where the release's wake-up reaches it.
void SettleGraphClock(IGraphBuilder* pGraph)
{
    ComPtr<IMediaFilter> pMediaFilter;
    ComPtr<IReferenceClock> pClock;
    if (pGraph == NULL ||
        FAILED(pGraph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&pMediaFilter))) ||
        !pMediaFilter || FAILED(pMediaFilter->GetSyncSource(&pClock)) || !pClock)
        return;
    // A renderer's clock (a filter) runs only with its stream: it is not the
    // system clock and is left alone.
    ComPtr<IBaseFilter> pClockFilter;
    if (SUCCEEDED(pClock->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&pClockFilter))) && pClockFilter)
        return;
    HANDLE hFired = CreateEventA(NULL, TRUE, FALSE, NULL);
    REFERENCE_TIME now = 0;
    DWORD_PTR dwCookie = 0;
    if (hFired != NULL && SUCCEEDED(pClock->GetTime(&now)) &&
        SUCCEEDED(pClock->AdviseTime(now, 1, reinterpret_cast<HEVENT>(hFired), &dwCookie)))
    {
        WaitForSingleObject(hFired, 5000);
        pClock->Unadvise(dwCookie);
    }
    if (hFired != NULL)
        CloseHandle(hFired);
}

}  // namespace

void CDShowGraph::DestroyGraph()
{
    if (!m_bComInitialized)
        return;
    m_bComInitialized = FALSE;
    SettleGraphClock(m_pGraph.Get());
    Stop();
    if (m_pVideoWindow)
    {
        m_pVideoWindow->put_Visible(OAFALSE);
        m_pVideoWindow->put_Owner(0);
    }
    RemoveAllFilters();
    m_pBasicVideo.Reset();
    m_pSeeking.Reset();
    m_pVideoWindow.Reset();
    m_pControl.Reset();
    m_pEvents.Reset();
    m_pGraph.Reset();
    m_pBuilder.Reset();
    m_pGraphStreams.Reset();
    CoUninitialize();
}

CFilterNode* CDShowGraph::FinishAdd(CFilterNode* pNode, LPCSTR pszNodeName)
{
    if (pNode == NULL)
        return NULL;
    if (!pNode->IsValid())
    {
        delete pNode;
        return NULL;
    }
    pNode->SetName(pszNodeName);
    if (!AddToGraph(pNode))
    {
        delete pNode;
        return NULL;
    }
    pNode->m_pNext = m_pNodes;
    m_pNodes = pNode;
    return pNode;
}

CFilterNode* CDShowGraph::AddFilter(REFCLSID clsid, LPCSTR pszNodeName)
{
    if (pszNodeName == NULL)
        return NULL;
    CFilterNode* pNode;
    const CFilterClass* pClass = CFilterClass::FindByClsid(clsid);
    if (pClass != NULL)
        pNode = pClass->Create(this, FALSE);
    else
        pNode = new CFilterNode(this, clsid);
    return FinishAdd(pNode, pszNodeName);
}

CFilterNode* CDShowGraph::AddFilterByName(REFGUID category, LPCSTR pszFriendlyName, LPCSTR pszNodeName,
                                          BOOL bExclude, int nDeviceIndex)
{
    if (pszNodeName == NULL)
        return NULL;
    g_nDeviceIndex = nDeviceIndex;
    CFilterNode* pNode;
    const CFilterClass* pClass = CFilterClass::FindByCategory(category, pszFriendlyName);
    if (pClass != NULL)
        pNode = pClass->Create(this, bExclude);
    else
        pNode = new CFilterNode(this, &category, pszFriendlyName, FALSE);
    return FinishAdd(pNode, pszNodeName);
}

BOOL CDShowGraph::AddToGraph(CFilterNode* pNode)
{
    if (pNode == NULL || !pNode->m_pFilter || !m_pGraph)
        return FALSE;
    WCHAR szName[CFilterNode::NAME_SIZE];
    WideFromAnsi(pNode->m_szName, szName, CFilterNode::NAME_SIZE);
    HRESULT hr = m_pGraph->AddFilter(pNode->m_pFilter, szName);
    return hr == S_OK || hr == VFW_S_DUPLICATE_NAME;
}

void CDShowGraph::UnlinkNode(CFilterNode* pNode, BOOL* pbFound)
{
    *pbFound = FALSE;
    for (CFilterNode** pp = &m_pNodes; *pp != NULL; pp = &(*pp)->m_pNext)
    {
        if (*pp == pNode)
        {
            *pp = pNode->m_pNext;
            pNode->m_pNext = NULL;
            *pbFound = TRUE;
            return;
        }
    }
}

void CDShowGraph::RemoveFilter(CFilterNode* pNode)
{
    if (pNode == NULL)
        return;
    BOOL bFound;
    UnlinkNode(pNode, &bFound);
    if (!bFound)
        return;
    DisconnectFilter(pNode);
    RemoveFromGraph(pNode);
    // The filter graph has taken the filter's connections down with it; the
    // wrappers clear what peers still point at them as they go.
    delete pNode;
}

void CDShowGraph::RemoveAllFilters()
{
    Stop();
    std::vector<CFilterNode*> nodes;
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
        nodes.push_back(p);
    for (CFilterNode* p : nodes)
        RemoveFilter(p);
    m_pNodes = NULL;
}

BOOL CDShowGraph::RemoveFromGraph(CFilterNode* pNode)
{
    if (pNode == NULL || !m_pGraph || !pNode->IsInGraph())
        return FALSE;
    return m_pGraph->RemoveFilter(pNode->m_pFilter) == S_OK;
}

BOOL CDShowGraph::RemoveFromGraphByName(LPCSTR pszName)
{
    return RemoveFromGraph(FindFilter(pszName));
}

void CDShowGraph::Reset()
{
    Stop();
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
        DisconnectFilter(p);
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
        RemoveFromGraph(p);
}

CFilterNode* CDShowGraph::FindFilter(LPCSTR pszName) const
{
    if (pszName == NULL)
        return NULL;
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
    {
        if (std::strcmp(p->m_szName, pszName) == 0)
            return p;
    }
    return NULL;
}

BOOL CDShowGraph::ConnectPins(CPinWrapper* pOut, CPinWrapper* pIn)
{
    if (pOut == NULL || pIn == NULL || pOut->m_pPeer != NULL || pIn->m_pPeer != NULL)
        return FALSE;
    if (!m_pGraph)
        return FALSE;
    if (FAILED(m_pGraph->Connect(pOut->m_pPin, pIn->m_pPin)))
        return FALSE;
    pOut->m_pPeer = pIn;
    pIn->m_pPeer = pOut;
    CFilterNode* pOutOwner = pOut->m_pOwner;
    CFilterNode* pInOwner = pIn->m_pOwner;
    if (pOutOwner != NULL)
        pOutOwner->RefreshPins();
    if (pInOwner != NULL)
        pInOwner->RefreshPins();
    return TRUE;
}

BOOL CDShowGraph::ConnectFilters(CFilterNode* pSource, CFilterNode* pTarget, LPCSTR pszOutPin,
                                 LPCSTR pszInPin)
{
    if (pSource == NULL || pTarget == NULL)
        return FALSE;
    CPinWrapper* pOut = (pszOutPin != NULL && pszOutPin[0] != '\0')
                            ? pSource->FindPin(pszOutPin)
                            : pSource->GetFirstPin(PINDIR_OUTPUT, TRUE);
    CPinWrapper* pIn = (pszInPin != NULL && pszInPin[0] != '\0')
                           ? pTarget->FindPin(pszInPin)
                           : pTarget->GetFirstPin(PINDIR_INPUT, TRUE);
    if (pOut == NULL || pIn == NULL)
        return FALSE;
    return ConnectPins(pOut, pIn);
}

BOOL CDShowGraph::DisconnectWithRetry(IPin* pPin)
{
    if (!m_pGraph || pPin == NULL)
        return FALSE;
    for (int nAttempt = 0; nAttempt < DISCONNECT_ATTEMPTS; ++nAttempt)
    {
        // S_FALSE: the pin was not connected (any more), which is what we want.
        HRESULT hr = m_pGraph->Disconnect(pPin);
        if (hr == S_OK || hr == S_FALSE)
            return TRUE;
        SetState(STATE_STOPPED);
        Stop();
        m_pfnSleep(DISCONNECT_PAUSE_MS);
    }
    return FALSE;
}

BOOL CDShowGraph::DisconnectPin(CPinWrapper* pPin)
{
    if (pPin == NULL)
        return TRUE;
    CPinWrapper* pPeer = pPin->m_pPeer;
    if (pPeer != NULL)
    {
        BOOL bOwn = DisconnectWithRetry(pPin->m_pPin);
        BOOL bPeer = DisconnectWithRetry(pPeer->m_pPin);
        // A pin that would not let go stays recorded as connected, so the
        // caller sees the failure and the records match the filter graph.
        if (!bOwn || !bPeer)
            return FALSE;
        pPin->m_pPeer = NULL;
        pPeer->m_pPeer = NULL;
        CFilterNode* pOwner = pPin->m_pOwner;
        CFilterNode* pPeerOwner = pPeer->m_pOwner;
        if (pOwner != NULL)
            pOwner->RefreshPins();
        if (pPeerOwner != NULL)
            pPeerOwner->RefreshPins();
        return TRUE;
    }

    ComPtr<IPin> pPartner;
    if (pPin->m_pPin && SUCCEEDED(pPin->m_pPin->ConnectedTo(&pPartner)) && pPartner)
    {
        pPin->m_pPin->Disconnect();
        pPartner->Disconnect();
    }
    return TRUE;
}

BOOL CDShowGraph::DisconnectFilter(CFilterNode* pNode)
{
    if (pNode == NULL)
        return TRUE;
    // Disconnecting may re-read this node's pin list, so walk a copy of the
    // pins and find each one's current wrapper.
    std::vector<ComPtr<IPin>> pins;
    for (CPinWrapper* p = pNode->m_pPinList; p != NULL; p = p->m_pNext)
        pins.push_back(p->m_pPin);
    BOOL bAll = TRUE;
    for (const ComPtr<IPin>& pin : pins)
    {
        CPinWrapper* pWrapper = pNode->GetPinById(pin);
        if (pWrapper != NULL && !DisconnectPin(pWrapper))
            bAll = FALSE;
    }
    return bAll;
}

BOOL CDShowGraph::DisconnectAll()
{
    Stop();
    BOOL bAll = TRUE;
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
    {
        if (!DisconnectFilter(p))
            bAll = FALSE;
    }
    return bAll;
}

HRESULT CDShowGraph::SetState(int nState)
{
    // Without IAMGraphStreams a graph is still complete (see CreateGraph);
    // a graph that was not built has no media control.
    if (!m_pControl)
        return E_POINTER;
    HRESULT hr;
    switch (nState)
    {
    case STATE_STOPPED:
        hr = m_pControl->Stop();
        break;
    case STATE_RUNNING:
        hr = m_pControl->Run();
        break;
    case STATE_PAUSED:
        hr = m_pControl->Pause();
        break;
    default:
        return E_FAIL;
    }
    if (SUCCEEDED(hr))
        m_nState = nState;
    return hr;
}

BOOL CDShowGraph::Run()
{
    if (m_nState == STATE_RUNNING)
        return TRUE;
    return SUCCEEDED(SetState(STATE_RUNNING));
}

BOOL CDShowGraph::Pause()
{
    if (m_nState == STATE_PAUSED)
        return TRUE;
    return SUCCEEDED(SetState(STATE_PAUSED));
}

BOOL CDShowGraph::Stop()
{
    if (m_nState == STATE_STOPPED)
        return TRUE;
    return SUCCEEDED(SetState(STATE_STOPPED));
}

namespace {

const GUID* DeviceKindCategory(int nKind)
{
    switch (nKind)
    {
    case 0:
        return &CLSID_AudioInputDeviceCategory;
    case 1:
        return &CLSID_VideoInputDeviceCategory;
    case 2:
        return &CLSID_AudioCompressorCategory;
    case 3:
        return &CLSID_VideoCompressorCategory;
    default:
        return NULL;
    }
}

// Calls fn(name) with the ANSI friendly name of each device of the category
// until fn returns false. S_OK when the category could be enumerated.
template <class Fn>
HRESULT ForEachDeviceName(const GUID& category, Fn fn)
{
    ComPtr<ICreateDevEnum> pDevEnum;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER,
                                  IID_ICreateDevEnum, reinterpret_cast<void**>(&pDevEnum));
    if (FAILED(hr))
        return hr;
    ComPtr<IEnumMoniker> pEnum;
    hr = pDevEnum->CreateClassEnumerator(category, &pEnum, 0);
    if (hr != S_OK || !pEnum)
        return hr == S_OK ? E_POINTER : hr;
    ComPtr<IMoniker> pMoniker;
    while (pEnum->Next(1, &pMoniker, NULL) == S_OK)
    {
        ComPtr<IPropertyBag> pBag;
        if (FAILED(pMoniker->BindToStorage(NULL, NULL, IID_IPropertyBag,
                                           reinterpret_cast<void**>(&pBag))) || !pBag)
            continue;
        VARIANT var;
        VariantInit(&var);
        V_VT(&var) = VT_BSTR;
        if (pBag->Read(L"FriendlyName", &var, NULL) != S_OK || V_VT(&var) != VT_BSTR)
        {
            VariantClear(&var);
            continue;
        }
        char szName[CDShowGraph::DEVICE_NAME_SIZE];
        AnsiFromWide(V_BSTR(&var), szName, sizeof(szName));
        VariantClear(&var);
        if (!fn(szName))
            break;
    }
    return S_OK;
}

}  // namespace

CDShowGraph::DEVICE_NAME* CDShowGraph::EnumDevices(int nKind, int* pnCount)
{
    std::memset(m_aDeviceNames, 0, sizeof(m_aDeviceNames));
    if (pnCount == NULL)
        return NULL;
    ComPtr<ICreateDevEnum> pProbe;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER,
                                IID_ICreateDevEnum, reinterpret_cast<void**>(&pProbe))))
        return NULL;
    const GUID* pCategory = DeviceKindCategory(nKind);
    if (pCategory == NULL)
        return NULL;
    int nCount = 0;
    HRESULT hr = ForEachDeviceName(*pCategory, [this, &nCount](const char* pszName) {
        CopyAnsi(m_aDeviceNames[nCount], DEVICE_NAME_SIZE, pszName);
        return ++nCount < MAX_DEVICES;
    });
    if (hr != S_OK)
        return NULL;
    *pnCount = nCount;
    return nCount != 0 ? m_aDeviceNames : NULL;
}

void CDShowGraph::ListDeviceNames(REFGUID category, CStringList& names)
{
    ForEachDeviceName(category, [&names](const char* pszName) {
        if (pszName[0] != '\0')
            names.AddTail(pszName);
        return true;
    });
}

BOOL CDShowGraph::IsVideoVisible()
{
    if (!m_pVideoWindow)
        return FALSE;
    long lVisible = OAFALSE;
    return SUCCEEDED(m_pVideoWindow->get_Visible(&lVisible)) && lVisible == OATRUE;
}

HRESULT CDShowGraph::ShowVideo(BOOL bShow)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->put_Visible(bShow ? OATRUE : OAFALSE);
}

HRESULT CDShowGraph::SetVideoOwner(HWND hwnd)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(hwnd));
}

HRESULT CDShowGraph::SetMessageDrain(HWND hwnd)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(hwnd));
}

HRESULT CDShowGraph::SetVideoStyle(long lStyle)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->put_WindowStyle(lStyle);
}

HRESULT CDShowGraph::SetVideoRect(long lLeft, long lTop, long lRight, long lBottom)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->SetWindowPosition(lLeft, lTop, lRight - lLeft, lBottom - lTop);
}

HRESULT CDShowGraph::GetVideoRect(long* plLeft, long* plTop, long* plWidth, long* plHeight)
{
    if (!m_pVideoWindow)
        return E_POINTER;
    return m_pVideoWindow->GetWindowPosition(plLeft, plTop, plWidth, plHeight);
}

HRESULT CDShowGraph::GetEvent(long* plEventCode, LONG_PTR* plParam1, LONG_PTR* plParam2, long lTimeout)
{
    if (!m_pEvents)
        return E_POINTER;
    return m_pEvents->GetEvent(plEventCode, plParam1, plParam2, lTimeout);
}

HRESULT CDShowGraph::SetNotifyWindow(HWND hwnd, long lMsg, LONG_PTR lInstance)
{
    if (!m_pEvents)
        return E_POINTER;
    return m_pEvents->SetNotifyWindow(reinterpret_cast<OAHWND>(hwnd), lMsg, lInstance);
}

HRESULT CDShowGraph::FreeEventParams(long lEventCode, LONG_PTR lParam1, LONG_PTR lParam2)
{
    if (!m_pEvents)
        return E_POINTER;
    return m_pEvents->FreeEventParams(lEventCode, lParam1, lParam2);
}

void CDShowGraph::ProcessEvents(HWND hwnd)
{
    if (!m_pEvents)
        return;
    long lCode;
    LONG_PTR lParam1, lParam2;
    while (m_pEvents->GetEvent(&lCode, &lParam1, &lParam2, 0) == S_OK)
    {
        switch (lCode)
        {
        case EC_VIDEO_SIZE_CHANGED:
            PostMessageA(hwnd, WM_GRAPH_EVENT, static_cast<WPARAM>(lParam1), 4662);
            break;
        case EC_PAUSED:
            PostMessageA(hwnd, WM_GRAPH_EVENT, 0, 4663);
            break;
        case EC_ERRORABORT:
            if (static_cast<HRESULT>(lParam1) == HRESULT_FROM_WIN32(ERROR_DISK_FULL))
                PostMessageA(hwnd, WM_GRAPH_EVENT, 0, 4661);
            else
                PostMessageA(hwnd, WM_GRAPH_EVENT, static_cast<WPARAM>(lParam1), 4664);
            m_pEvents->FreeEventParams(lCode, lParam1, lParam2);
            return;
        default:
            break;
        }
        m_pEvents->FreeEventParams(lCode, lParam1, lParam2);
    }
}

HRESULT CDShowGraph::SetRate(double dRate)
{
    if (!m_pSeeking)
        return E_POINTER;
    return m_pSeeking->SetRate(dRate);
}

HRESULT CDShowGraph::GetCurrentPosition(LONGLONG* pllPosition)
{
    if (!m_pSeeking)
        return E_POINTER;
    return m_pSeeking->GetCurrentPosition(pllPosition);
}

HRESULT CDShowGraph::SetPositions(LONGLONG llPosition)
{
    if (!m_pSeeking)
        return E_POINTER;
    return m_pSeeking->SetPositions(&llPosition, AM_SEEKING_AbsolutePositioning, NULL,
                                    AM_SEEKING_NoPositioning);
}

HRESULT CDShowGraph::GetDuration(LONGLONG* pllDuration)
{
    if (!m_pSeeking)
        return E_POINTER;
    return m_pSeeking->GetDuration(pllDuration);
}

BOOL CDShowGraph::HoldsFilter(IBaseFilter* pFilter) const
{
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
    {
        if (p->m_pFilter.Get() == pFilter)
            return TRUE;
    }
    return FALSE;
}

void CDShowGraph::RefreshFilters()
{
    if (!m_pGraph)
        return;
    ComPtr<IEnumFilters> pEnum;
    if (FAILED(m_pGraph->EnumFilters(&pEnum)) || !pEnum)
        return;
    std::vector<ComPtr<IBaseFilter>> found;
    ComPtr<IBaseFilter> pFilter;
    while (pEnum->Next(1, &pFilter, NULL) == S_OK)
    {
        if (pFilter && !HoldsFilter(pFilter))
            found.push_back(pFilter);
    }
    // Every adopted filter is wrapped as it stands: building its registry
    // class would create a second filter outside the graph.
    for (const ComPtr<IBaseFilter>& p : found)
    {
        CFilterNode* pNode = new CFilterNode(this, p.Get());
        pNode->m_pNext = m_pNodes;
        m_pNodes = pNode;
    }
}

void CDShowGraph::RefreshAllPins()
{
    for (CFilterNode* p = m_pNodes; p != NULL; p = p->m_pNext)
    {
        if (p->m_bRefreshPins)
            p->RefreshPins();
    }
}

BOOL CDShowGraph::RenderPin(CPinWrapper* pPin, DWORD dwFlags)
{
    if (pPin == NULL || !m_pGraph)
        return FALSE;
    ComPtr<IFilterGraph2> pGraph2;
    if (FAILED(ComQuery(m_pGraph.Get(), IID_IFilterGraph2, pGraph2)))
        return FALSE;
    HRESULT hr = pGraph2->RenderEx(pPin->m_pPin, dwFlags, NULL);
    RefreshAllPins();
    return SUCCEEDED(hr);
}

HRESULT CDShowGraph::SyncUsingStreamOffset(BOOL bUseStreamOffset)
{
    if (!m_pGraphStreams)
        return E_POINTER;
    return m_pGraphStreams->SyncUsingStreamOffset(bUseStreamOffset);
}

const std::vector<TUNER_MODEL_NAME>& CDShowGraph::GetTunerModelTable()
{
    static const std::vector<TUNER_MODEL_NAME> table(g_aTunerModelNames,
                                                     g_aTunerModelNames + g_nTunerModelNames);
    return table;
}

LPCSTR CDShowGraph::GetTunerModelName(int nType)
{
    for (const TUNER_MODEL_NAME& entry : GetTunerModelTable())
    {
        if (entry.nType == nType)
            return entry.pszName;
    }
    return "";
}

BOOL CDShowGraph::StopFromSource(CFilterNode* pSource)
{
    if (pSource == NULL || !pSource->m_pFilter || m_nState != STATE_RUNNING)
        return FALSE;
    if (FAILED(pSource->m_pFilter->Stop()))
        return FALSE;
    BOOL bResult = TRUE;
    ComPtr<IEnumPins> pEnum;
    if (FAILED(pSource->m_pFilter->EnumPins(&pEnum)) || !pEnum)
        return FALSE;
    ComPtr<IPin> pPin;
    while (pEnum->Next(1, &pPin, NULL) == S_OK)
    {
        PIN_DIRECTION dir;
        ComPtr<IPin> pPeer;
        if (SUCCEEDED(pPin->QueryDirection(&dir)) && dir == PINDIR_OUTPUT &&
            SUCCEEDED(pPin->ConnectedTo(&pPeer)) && pPeer)
        {
            if (FAILED(pPeer->EndOfStream()))
                bResult = FALSE;
        }
    }
    return bResult;
}

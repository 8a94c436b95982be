#pragma once

#include <dshow.h>

#include <vector>

#include "dshow/FilterNode.h"
#include "dshow/TunerModelNames.h"
#include "platform/afx/List.h"
#include "platform/dshow/ComPtr.h"

// One DirectShow capture graph: the filter graph and capture graph builder
// with their control interfaces, the nodes of the graph (newest first), a
// table of device names and the run state. Every filter of the system is
// created through it (by the filter-class registry), connected, run and
// stopped. All operations run on the user-interface thread.
class CDShowGraph
{
public:
    enum { MAX_DEVICES = 64, DEVICE_NAME_SIZE = 128 };
    enum { DISCONNECT_ATTEMPTS = 200, DISCONNECT_PAUSE_MS = 200 };
    enum { STATE_STOPPED = 0, STATE_RUNNING = 1, STATE_PAUSED = 2 };
    // Message posted by ProcessEvents, with the event kind in lParam.
    enum { WM_GRAPH_EVENT = 0x5832 };
    typedef char DEVICE_NAME[DEVICE_NAME_SIZE];
    typedef void (WINAPI* PFN_SLEEP)(DWORD dwMilliseconds);

    CDShowGraph();
    virtual ~CDShowGraph();
    // Stops the graph, disconnects every pin and takes every node's filter out
    // of the filter graph; the nodes stay in the list.
    virtual void Reset();

    BOOL CreateGraph();
    void DestroyGraph();

    CFilterNode* AddFilter(REFCLSID clsid, LPCSTR pszNodeName);
    CFilterNode* AddFilterByName(REFGUID category, LPCSTR pszFriendlyName, LPCSTR pszNodeName,
                                 BOOL bExclude, int nDeviceIndex);
    BOOL AddToGraph(CFilterNode* pNode);
    void RemoveFilter(CFilterNode* pNode);
    void RemoveAllFilters();
    BOOL RemoveFromGraph(CFilterNode* pNode);
    BOOL RemoveFromGraphByName(LPCSTR pszName);
    CFilterNode* FindFilter(LPCSTR pszName) const;
    CFilterNode* GetNodeList() const { return m_pNodes; }

    BOOL ConnectPins(CPinWrapper* pOut, CPinWrapper* pIn);
    BOOL ConnectFilters(CFilterNode* pSource, CFilterNode* pTarget, LPCSTR pszOutPin, LPCSTR pszInPin);
    // FALSE when a pin could not be disconnected; its recorded peer is kept.
    BOOL DisconnectPin(CPinWrapper* pPin);
    BOOL DisconnectFilter(CFilterNode* pNode);
    BOOL DisconnectAll();

    BOOL Run();
    BOOL Pause();
    BOOL Stop();
    // Stops only the source node and ends the stream at each of its connected
    // outputs while the rest of the graph still runs, so the filters behind it
    // hand on what they hold. The graph itself is left running.
    BOOL StopFromSource(CFilterNode* pSource);
    HRESULT SetState(int nState);
    int GetState() const { return m_nState; }

    // Friendly names of the devices of kind 0 audio input, 1 video input,
    // 2 audio compressor, 3 video compressor; at most MAX_DEVICES.
    DEVICE_NAME* EnumDevices(int nKind, int* pnCount);
    void ListDeviceNames(REFGUID category, CStringList& names);

    BOOL IsVideoVisible();
    HRESULT ShowVideo(BOOL bShow);
    HRESULT SetVideoOwner(HWND hwnd);
    HRESULT SetMessageDrain(HWND hwnd);
    HRESULT SetVideoStyle(long lStyle);
    HRESULT SetVideoRect(long lLeft, long lTop, long lRight, long lBottom);
    HRESULT GetVideoRect(long* plLeft, long* plTop, long* plWidth, long* plHeight);

    HRESULT GetEvent(long* plEventCode, LONG_PTR* plParam1, LONG_PTR* plParam2, long lTimeout);
    HRESULT SetNotifyWindow(HWND hwnd, long lMsg, LONG_PTR lInstance);
    HRESULT FreeEventParams(long lEventCode, LONG_PTR lParam1, LONG_PTR lParam2);
    void ProcessEvents(HWND hwnd);

    HRESULT SetRate(double dRate);
    HRESULT GetCurrentPosition(LONGLONG* pllPosition);
    HRESULT SetPositions(LONGLONG llPosition);
    HRESULT GetDuration(LONGLONG* pllDuration);

    void RefreshFilters();
    void RefreshAllPins();
    BOOL RenderPin(CPinWrapper* pPin, DWORD dwFlags);

    HRESULT SyncUsingStreamOffset(BOOL bUseStreamOffset);

    IGraphBuilder* GetGraphBuilder() const { return m_pGraph; }
    ICaptureGraphBuilder2* GetCaptureBuilder() const { return m_pBuilder; }
    IMediaEventEx* GetMediaEvent() const { return m_pEvents; }
    IMediaControl* GetMediaControl() const { return m_pControl; }
    IVideoWindow* GetVideoWindow() const { return m_pVideoWindow; }
    IMediaSeeking* GetMediaSeeking() const { return m_pSeeking; }
    IBasicVideo* GetBasicVideo() const { return m_pBasicVideo; }
    IAMGraphStreams* GetGraphStreams() const { return m_pGraphStreams; }
    BOOL IsComInitialized() const { return m_bComInitialized; }

    // The pause between failed disconnect attempts (Sleep unless replaced).
    void SetSleepFunction(PFN_SLEEP pfnSleep) { m_pfnSleep = pfnSleep ? pfnSleep : &::Sleep; }

    // The message of the last failed CreateGraph (empty before any failure).
    static LPCSTR GetLastErrorText();

    // Tuner type ids and model names, built on first use.
    static const std::vector<TUNER_MODEL_NAME>& GetTunerModelTable();
    // The model name of a tuner type id; empty for an id not in the table.
    static LPCSTR GetTunerModelName(int nType);

private:
    BOOL FailCreate(LPCSTR pszFormat, ...);
    BOOL DisconnectWithRetry(IPin* pPin);
    void UnlinkNode(CFilterNode* pNode, BOOL* pbFound);
    CFilterNode* FinishAdd(CFilterNode* pNode, LPCSTR pszNodeName);
    BOOL HoldsFilter(IBaseFilter* pFilter) const;

    DEVICE_NAME m_aDeviceNames[MAX_DEVICES];
    CFilterNode* m_pNodes;
    ComPtr<ICaptureGraphBuilder2> m_pBuilder;
    ComPtr<IGraphBuilder> m_pGraph;
    ComPtr<IMediaEventEx> m_pEvents;
    ComPtr<IMediaControl> m_pControl;
    ComPtr<IVideoWindow> m_pVideoWindow;
    ComPtr<IMediaSeeking> m_pSeeking;
    ComPtr<IBasicVideo> m_pBasicVideo;
    ComPtr<IAMGraphStreams> m_pGraphStreams;
    int m_nState;
    BOOL m_bComInitialized;
    PFN_SLEEP m_pfnSleep;

    CDShowGraph(const CDShowGraph&) = delete;
    CDShowGraph& operator=(const CDShowGraph&) = delete;
};

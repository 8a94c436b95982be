#pragma once

#include <dshow.h>

#include "dshow/PinWrapper.h"
#include "platform/dshow/ComPtr.h"

class CDShowGraph;

// Which of several devices with matching friendly names a by-device
// construction takes (0 the first). CDShowGraph::AddFilterByName sets it
// before every such construction; a capture device that must address the same
// device instance through its driver reads it.
extern LONG g_nDeviceIndex;

// The wrapper of one DirectShow filter and the base of every filter, codec and
// capture-device class. Construction never fails outright: a node whose filter
// was not obtained, or whose Initfilter failed, is not valid and the graph
// deletes it.
class CFilterNode
{
    friend class CDShowGraph;

public:
    enum { NAME_SIZE = 128 };

    // By class identifier, through COM.
    CFilterNode(CDShowGraph* pGraph, REFCLSID clsid);
    // By device category and friendly name, through the system device
    // enumerator. With bExclude the first device whose name does NOT match is
    // taken.
    CFilterNode(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    // Around a filter that already exists (one reference taken).
    CFilterNode(CDShowGraph* pGraph, IBaseFilter* pFilter);

    virtual ~CFilterNode();
    virtual DWORD ReservedA(DWORD, DWORD, DWORD);
    virtual DWORD ReservedB(DWORD, DWORD, DWORD);
    virtual CPinWrapper* FindPin(LPCSTR pszPinName);
    virtual void OnConstruct();
    virtual void ReservedC();
    virtual void ReservedD();
    virtual DWORD ReservedE(DWORD, DWORD);
    virtual BOOL Initfilter();

    BOOL ReadPins();
    BOOL RefreshPins();
    void FreePins();

    CPinWrapper* GetPinAt(int nIndex) const;
    CPinWrapper* GetPinById(IPin* pPin) const;
    CPinWrapper* FindPinById(LPCWSTR pszId) const;
    // The first pin of the direction (0 input, 1 output) whose recorded peer
    // is absent (bUnconnected nonzero) or present (0).
    CPinWrapper* GetFirstPin(int nDirection, BOOL bUnconnected) const;
    CPinWrapper* GetPinList() const { return m_pPinList; }
    int GetPinCount() const { return m_nPinCount; }
    BOOL RemovePin(CPinWrapper* pPin);

    LPCSTR GetName() const { return m_szName; }
    void SetName(LPCSTR pszName);
    LPCSTR GetFriendlyName() const { return m_szFriendlyName; }

    IBaseFilter* GetFilter() const { return m_pFilter; }
    BOOL IsValid() const { return m_bValid; }
    void SetValid(BOOL bValid) { m_bValid = bValid; }
    CFilterNode* GetNext() const { return m_pNext; }
    CDShowGraph* GetGraph() const { return m_pGraph; }
    BOOL GetRefreshPins() const { return m_bRefreshPins; }

    BOOL IsInGraph() const;
    HRESULT HasPropertyPages(BOOL* pbHasPages) const;
    // Shows the filter's property pages as a modal frame titled pszCaption.
    HRESULT ShowPropertyPages(LPCSTR pszCaption, HWND hwndOwner) const;

protected:
    ComPtr<IBaseFilter> m_pFilter;
    BOOL m_bValid;
    char m_szName[NAME_SIZE];
    char m_szFriendlyName[NAME_SIZE];
    int m_nPinCount;
    CFilterNode* m_pNext;
    CPinWrapper* m_pPinList;
    BOOL m_bRefreshPins;
    CDShowGraph* m_pGraph;

private:
    void ClearMembers(CDShowGraph* pGraph);
    void AppendPin(CPinWrapper* pPin);

    CFilterNode(const CFilterNode&) = delete;
    CFilterNode& operator=(const CFilterNode&) = delete;
};

// Device friendly names compare over the first min(a, b) - 1 bytes of the two
// names, so either may be a prefix of the other (less its last character).
// An empty or missing name matches nothing.
BOOL MatchDeviceName(LPCSTR pszWanted, LPCSTR pszDevice);

typedef BOOL (*PFN_MATCH_DEVICE_NAME)(LPCSTR pszWanted, LPCSTR pszDevice);

// Binds the first device of the category whose friendly name matches (as
// above, unless another rule is given). Returns the bind's result;
// VFW_E_NOT_FOUND when no device matches (*ppFilter then untouched), or the
// enumerator's failure.
HRESULT FindFilterByName(GUID category, LPCSTR pszName, IBaseFilter** ppFilter,
                         PFN_MATCH_DEVICE_NAME pfnMatch = MatchDeviceName);

#pragma once
#include "platform/dshow/BaseFilter.h"
#include <vector>

class CSourceStream;

// A filter with only push output pins (CSourceStream), each with its own thread.
// The pins register themselves on construction; the filter deletes the ones left.
class CSource : public CBaseFilter
{
public:
    CSource(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr = nullptr);
    ~CSource() override;

    // VFW_S_CANT_CUE while paused with a live pin: such a filter produces nothing until it runs.
    STDMETHODIMP GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    HRESULT AddPin(CSourceStream* pStream);
    HRESULT RemovePin(CSourceStream* pStream);
    CCritSec* pStateLock() { return &m_cStateLock; }

protected:
    CCritSec m_cStateLock;
    std::vector<CSourceStream*> m_paStreams;
};

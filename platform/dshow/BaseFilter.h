#pragma once
#include <dshow.h>
#include "platform/dshow/Unknown.h"
#include "platform/dshow/CritSec.h"
#include "platform/dshow/KsPropertySet.h"
#include "platform/dshow/FilterSetup.h"

class CBasePin;

// A filter's COM face: IBaseFilter (with IMediaFilter and IPersist), IAMovieSetup,
// and IKsPropertySet once a property has been added. Derived classes own the pins.
class CBaseFilter : public CUnknown, public IBaseFilter, public IAMovieSetup, public CKsPropertySet
{
    friend class CBasePin;

public:
    // pLock is the filter's state lock; pins share it.
    CBaseFilter(const char* pName, IUnknown* pUnk, CCritSec* pLock, REFCLSID clsid, HRESULT* phr = nullptr);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* pClsID) override;

    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;
    STDMETHODIMP GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* pClock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** pClock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** ppEnum) override;
    STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* pInfo) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* pVendorInfo) override;

    // IAMovieSetup: registers the data of GetSetupData() in the DirectShow filters category.
    STDMETHODIMP Register() override;
    STDMETHODIMP Unregister() override;

    // Pins in index order; GetPin returns null past the end. The filter keeps ownership.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int n) = 0;
    virtual const AMOVIESETUP_FILTER* GetSetupData() { return nullptr; }

    // Sends an event to the graph's event sink (E_NOTIMPL outside a graph).
    HRESULT NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2);
    // Stream time: the clock's time less the start time given to Run.
    HRESULT StreamTime(REFERENCE_TIME& rtStream);

    BOOL IsActive();
    BOOL IsStopped();
    FILTER_STATE State() const { return m_State; }
    IFilterGraph* GetFilterGraph() const { return m_pGraph; }
    const WCHAR* FilterName() const { return m_name; }
    CCritSec* FilterLock() const { return m_pLock; }

    // Enumerators made before a pin was added or removed report VFW_E_ENUM_OUT_OF_SYNC.
    LONG GetPinVersion() const { return m_PinVersion; }
    void IncrementPinVersion() { InterlockedIncrement(&m_PinVersion); }

protected:
    FILTER_STATE m_State;
    IReferenceClock* m_pClock;  // owned reference, may be null
    REFERENCE_TIME m_tStart;
    CLSID m_clsid;
    CCritSec* m_pLock;
    // The graph holds the filter; the filter holds neither the graph nor its sink.
    IFilterGraph* m_pGraph;
    IMediaEventSink* m_pSink;
    WCHAR m_name[MAX_FILTER_NAME];
    volatile LONG m_PinVersion;

private:
    HRESULT RegisterSetupData(BOOL bRegister);
};

#pragma once
#include <dshow.h>
#include "platform/dshow/Unknown.h"
#include "platform/dshow/CritSec.h"
#include "platform/dshow/KsPropertySet.h"
#include "platform/dshow/MediaType.h"

class CBaseFilter;

// One pin of a CBaseFilter. Its references are the filter's: a pin lives as long
// as its filter. The connection logic is here; input and output pins add transport.
class CBasePin : public CUnknown, public IPin, public CKsPropertySet
{
public:
    CBasePin(const char* pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName,
             PIN_DIRECTION dir);
    ~CBasePin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // IPin. Connect is an output pin's, ReceiveConnection an input pin's (E_UNEXPECTED otherwise).
    STDMETHODIMP Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pPin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* pInfo) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* pPinDir) override;
    STDMETHODIMP QueryId(LPWSTR* Id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** ppEnum) override;
    STDMETHODIMP QueryInternalConnections(IPin** apPin, ULONG* nPin) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

    // S_OK when the pin accepts the type; anything else refuses it.
    virtual HRESULT CheckMediaType(const CMediaType* pmt) = 0;
    // The types the pin offers, by position; VFW_S_NO_MORE_ITEMS past the end.
    virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType);
    virtual HRESULT SetMediaType(const CMediaType* pmt);
    // Called before the media type is agreed: checks the peer (direction, transport).
    virtual HRESULT CheckConnect(IPin* pPin);
    // Undoes CheckConnect and CompleteConnect.
    virtual HRESULT BreakConnect();
    virtual HRESULT CompleteConnect(IPin* pReceivePin);
    // Streaming starts (pause from stopped) and stops; only connected pins are told.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    virtual HRESULT Run(REFERENCE_TIME tStart);

    // Enumerators made before the offered types changed report VFW_E_ENUM_OUT_OF_SYNC.
    LONG GetMediaTypeVersion() const { return m_TypeVersion; }
    void IncrementTypeVersion() { InterlockedIncrement(&m_TypeVersion); }

    // Answers AMPROPSETID_Pin / AMPROPERTY_PIN_CATEGORY through the pin's IKsPropertySet.
    void SetPinCategory(REFGUID category);

    BOOL IsConnected() const { return m_pConnected != nullptr; }
    IPin* GetConnected() const { return m_pConnected; }
    BOOL IsStopped();
    const CMediaType& CurrentMediaType() const { return m_mt; }
    const WCHAR* Name() const { return m_pName; }
    PIN_DIRECTION Direction() const { return m_dir; }
    CBaseFilter* Filter() const { return m_pFilter; }

    REFERENCE_TIME CurrentStartTime() const { return m_tStart; }
    REFERENCE_TIME CurrentStopTime() const { return m_tStop; }
    double CurrentRate() const { return m_dRate; }

protected:
    HRESULT AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt);
    HRESULT AttemptConnection(IPin* pReceivePin, const CMediaType* pmt);
    HRESULT TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum);
    void ClearConnection();

    WCHAR* m_pName;
    IPin* m_pConnected;  // owned reference while connected
    PIN_DIRECTION m_dir;
    CCritSec* m_pLock;
    CBaseFilter* m_pFilter;
    CMediaType m_mt;
    REFERENCE_TIME m_tStart;
    REFERENCE_TIME m_tStop;
    double m_dRate;
    volatile LONG m_TypeVersion;
    GUID m_category;
};

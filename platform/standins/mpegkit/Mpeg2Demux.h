#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mpegkit/ProgramStreamParser.h"
#include "platform/standins/mpegkit/QueuedOutputPin.h"

#include <vector>

class CMpeg2Demux;

// An output pin made at run time, with the type it was made with; the
// stream ids mapped to it pick the elementary streams it carries.
class CDemuxOutputPin : public CQueuedOutputPin, public IMPEG2StreamIdMap
{
public:
    CDemuxOutputPin(CMpeg2Demux* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, const AM_MEDIA_TYPE& mt);
    ~CDemuxOutputPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMPEG2StreamIdMap
    STDMETHODIMP MapStreamId(ULONG ulStreamId, DWORD dwMediaSampleContent, ULONG ulSubstreamFilterValue,
                             int iDataOffset) override;
    STDMETHODIMP UnmapStreamId(ULONG culStreamId, ULONG* pulStreamId) override;
    STDMETHODIMP EnumStreamIdMap(IEnumStreamIdMap** ppIEnumStreamIdMap) override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;

    BOOL Carries(BYTE streamId);
    HRESULT SetType(const AM_MEDIA_TYPE& mt);

private:
    CMediaType m_type;
    CCritSec m_mapLock;
    std::vector<ULONG> m_streamIds;
};

class CDemuxInputPin : public CBaseInputPin
{
public:
    CDemuxInputPin(CMpeg2Demux* pFilter, CCritSec* pLock, HRESULT* phr);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

private:
    CMpeg2Demux* m_pDemux;
};

// The "MPEG-2 Demultiplexer" of the system (Wine has none), and the base of
// the stand-in splitters: one program
// stream input; output pins made at run time through IMpeg2Demultiplexer,
// each carrying the elementary streams mapped to it, stamped with their
// presentation times counted from the stream's first clock reference.
class CMpeg2Demux : public CBaseFilter, public IMpeg2Demultiplexer, private CProgramStreamParser::Handler
{
    friend class CDemuxInputPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CMpeg2Demux() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMpeg2Demultiplexer
    STDMETHODIMP CreateOutputPin(AM_MEDIA_TYPE* pMediaType, LPWSTR pszPinName, IPin** ppIPin) override;
    STDMETHODIMP SetOutputPinMediaType(LPWSTR pszPinName, AM_MEDIA_TYPE* pMediaType) override;
    STDMETHODIMP DeleteOutputPin(LPWSTR pszPinName) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Pause() override;

protected:
    CMpeg2Demux(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr);
    // A filter that knows its outputs beforehand makes them here.
    virtual HRESULT OnInputConnected() { return S_OK; }

private:

    CDemuxOutputPin* FindOutput(LPCWSTR pszName);
    HRESULT Receive(IMediaSample* pSample);
    void ResetTimeBase();
    void OnPack(LONGLONG llOffset, LONGLONG llScr) override;
    void OnPacket(const CProgramStreamParser::Packet& packet) override;

    CCritSec m_lock;
    CCritSec m_receiveLock;
    CDemuxInputPin* m_pInput;
    std::vector<CDemuxOutputPin*> m_outputs;
    CProgramStreamParser m_parser;
    BOOL m_bHaveBase;
    LONGLONG m_llBase;
    std::vector<BYTE> m_discontinuity;  // per output: the next sample starts a new run
};

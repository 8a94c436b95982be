#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mainconcept/MainConceptSdk.h"
#include "platform/standins/mainconcept/McParamSet.h"
#include "platform/standins/mainconcept/SinkFileName.h"
#include "platform/standins/mpegkit/ProgramStreamWriter.h"

#include <vector>

class CMcMuxer;

// One elementary stream in: MPEG audio or video.
class CMcMuxerInputPin : public CBaseInputPin
{
public:
    CMcMuxerInputPin(CMcMuxer* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, BYTE streamId);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    HRESULT Active() override;

    BYTE StreamId() const { return m_streamId; }
    BOOL Ended() const { return m_bEnded; }

private:
    static BOOL IsAudio(const CMediaType* pmt);

    CMcMuxer* m_pMuxer;
    BYTE m_streamId;
    BOOL m_bEnded;
};

// The MPEG multiplexer: MPEG audio and video streams into an MPEG-2 program
// stream file that it writes itself. A free input appears after each
// connection; it ends the stream (EC_COMPLETE) once every connected input has.
class CMcMuxer : public CBaseFilter, public IMcMuxConfig, public IFileSinkFilter, public IAMFilterMiscFlags
{
    friend class CMcMuxerInputPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CMcMuxer() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMcMuxConfig
    STDMETHODIMP SetValue(LONG) override { return S_OK; }
    STDMETHODIMP SetValue2(LONG) override { return S_OK; }
    STDMETHODIMP SetValue3(LONG) override { return S_OK; }
    STDMETHODIMP SetConfig(McMuxConfig config) override;
    STDMETHODIMP SetPair(LONG, LONG) override { return S_OK; }
    STDMETHODIMP SetType(LONG type) override;

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt) override;
    // IAMFilterMiscFlags: a renderer, so the graph waits for its end.
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;

private:
    enum { MAX_INPUTS = 8 };

    explicit CMcMuxer(IUnknown* pUnk, HRESULT* phr);
    void AddFreeInput();
    HRESULT Write(BYTE streamId, IMediaSample* pSample);
    void InputEnded();

    CCritSec m_lock;
    CCritSec m_writeLock;
    std::vector<CMcMuxerInputPin*> m_inputs;
    CMcParamSet m_params;
    McMuxConfig m_config;
    LONG m_lType;
    CSinkFileName m_file;
    HANDLE m_hFile;
    CProgramStreamWriter m_writer;
    BOOL m_bCompleted;
};

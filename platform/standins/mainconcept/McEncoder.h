#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mainconcept/MainConceptSdk.h"
#include "platform/standins/mainconcept/McParamSet.h"
#include "platform/standins/mainconcept/Mp2Encoder.h"
#include "platform/standins/mainconcept/SinkFileName.h"

// The MPEG encoder: video, audio and multiplexer settings kept as the
// encoder's own records, and its sound encoded into MPEG-1 Layer II, which
// leaves on its output (and, once a file is named, into that file too). It
// takes no pictures: no graph of the system gives it any.
class CMcEncoder : public CTransformFilter,
                   public IMcVideoConfig,
                   public IMcAudioConfig,
                   public IMcMuxConfig,
                   public IFileSinkFilter
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CMcEncoder() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMcVideoConfig
    STDMETHODIMP SetGopLength(LONG v) override { return Keep(0, v); }
    STDMETHODIMP SetBFrames(LONG v) override { return Keep(1, v); }
    STDMETHODIMP SetQuality(LONG v) override { return Keep(2, v); }
    STDMETHODIMP SetAspect(LONG v) override { return Keep(3, v); }
    STDMETHODIMP SetFrameSize(LONG width, LONG height, LONG) override;
    STDMETHODIMP SetCrop(LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP SetInterlace(LONG v) override { return Keep(4, v); }
    STDMETHODIMP SetMotionSearch(LONG v) override { return Keep(5, v); }
    STDMETHODIMP SetRateControl(LONG mode, LONG rate, LONG maxRate, LONG buffer) override;
    STDMETHODIMP GetConfig(McVideoConfig* pConfig) override;
    STDMETHODIMP SetConfig(McVideoConfig config) override;
    STDMETHODIMP GetDefaults(LONG type, LONG pal, McVideoConfig* pConfig) override;
    STDMETHODIMP SetPulldown(LONG, LONG) override { return S_OK; }

    // IMcAudioConfig
    STDMETHODIMP SetValue(LONG v) override { return Keep(10, v); }
    STDMETHODIMP SetValue2(LONG v) override { return Keep(11, v); }
    STDMETHODIMP SetValue3(LONG v) override { return Keep(12, v); }
    STDMETHODIMP SetValue4(LONG v) override { return Keep(13, v); }
    STDMETHODIMP SetValue5(LONG v) override { return Keep(14, v); }
    STDMETHODIMP SetValue6(LONG v) override { return Keep(15, v); }
    STDMETHODIMP SetValue7(LONG v) override { return Keep(16, v); }
    STDMETHODIMP SetValue8(LONG v) override { return Keep(17, v); }
    STDMETHODIMP SetValue9(LONG v) override { return Keep(18, v); }
    STDMETHODIMP SetConfig(McAudioConfig config) override;
    STDMETHODIMP GetDefaults(LONG type, McAudioConfig* pConfig) override;
    STDMETHODIMP SetValue12(LONG v) override { return Keep(19, v); }

    // IMcMuxConfig (its three single values share the names above)
    STDMETHODIMP SetConfig(McMuxConfig config) override;
    STDMETHODIMP SetPair(LONG, LONG) override { return S_OK; }
    STDMETHODIMP SetType(LONG type) override;

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt) override;

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT Receive(IMediaSample* pSample) override;
    HRESULT EndOfStream() override;

private:
    explicit CMcEncoder(IUnknown* pUnk, HRESULT* phr);
    HRESULT Keep(int nSlot, LONG v);
    HRESULT DeliverFrames(const std::vector<BYTE>& frames);

    CCritSec m_settingsLock;
    McVideoConfig m_video;
    McAudioConfig m_audio;
    McMuxConfig m_mux;
    LONG m_lMuxType;
    LONG m_values[20];
    CMcParamSet m_videoParams;
    CMcParamSet m_audioParams;
    CSinkFileName m_file;

    CMp2Encoder m_encoder;
    HANDLE m_hFile;
    int m_nChannels;
    LONGLONG m_llFramesSent;
};

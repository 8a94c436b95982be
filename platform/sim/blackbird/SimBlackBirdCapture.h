#pragma once

#include "platform/dshow/Streams.h"

class CSimLinkPin;
class CSimBlackBirdCapture;

// The "Capture" pin: the decoded picture as YUY2, one frame per frame time of
// the current standard, drawn from what the card receives.
class CSimCaptureStream : public CSourceStream, public IAMStreamConfig
{
public:
    enum { MAX_WIDTH = 720, MAX_HEIGHT = 576 };

    CSimCaptureStream(HRESULT* phr, CSimBlackBirdCapture* pFilter, CCritSec* pLock);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT GetMediaType(CMediaType* pMediaType) override;
    HRESULT CheckMediaType(const CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** ppmt) override;
    STDMETHODIMP GetNumberOfCapabilities(int* piCount, int* piSize) override;
    STDMETHODIMP GetStreamCaps(int iIndex, AM_MEDIA_TYPE** ppmt, BYTE* pSCC) override;

protected:
    HRESULT FillBuffer(IMediaSample* pSample) override;
    HRESULT OnThreadStartPlay() override;

private:
    void MakeType(int width, int height, CMediaType* pmt) const;

    CMediaType m_format;
    LONGLONG m_frame;
    DWORD m_dwStartTick;
};

// The "Audio" pin of a card built with one: the decoded sound as 16-bit stereo
// PCM at 48 kHz, a tone of the source's own pitch, silence off a station.
class CSimAudioStream : public CSourceStream
{
public:
    enum { RATE = 48000, CHANNELS = 2, PACKET_MS = 20 };

    CSimAudioStream(HRESULT* phr, CBaseFilter* pFilter, CCritSec* pLock);

    HRESULT GetMediaType(CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

protected:
    HRESULT FillBuffer(IMediaSample* pSample) override;
    HRESULT OnThreadStartPlay() override;

private:
    LONGLONG m_sample;
    DWORD m_dwStartTick;
};

// "BlackBird Video Capture": the card's video decoder. When it joins a graph
// it brings the card's tuner, TV-audio and crossbar filters along and wires
// them upstream, as the kernel-streaming proxy's graph building does.
class CSimBlackBirdCapture : public CBaseFilter, public IAMAnalogVideoDecoder, public IAMVideoProcAmp
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    STDMETHODIMP JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) override;

    // IAMAnalogVideoDecoder
    STDMETHODIMP get_AvailableTVFormats(LONG* lAnalogVideoStandard) override;
    STDMETHODIMP put_TVFormat(LONG lAnalogVideoStandard) override;
    STDMETHODIMP get_TVFormat(LONG* plAnalogVideoStandard) override;
    STDMETHODIMP get_HorizontalLocked(LONG* plLocked) override;
    STDMETHODIMP put_VCRHorizontalLocking(LONG lVCRHorizontalLocking) override;
    STDMETHODIMP get_VCRHorizontalLocking(LONG* plVCRHorizontalLocking) override;
    STDMETHODIMP get_NumberOfLines(LONG* plNumberOfLines) override;
    STDMETHODIMP put_OutputEnable(LONG lOutputEnable) override;
    STDMETHODIMP get_OutputEnable(LONG* plOutputEnable) override;

    // IAMVideoProcAmp
    STDMETHODIMP GetRange(LONG Property, LONG* pMin, LONG* pMax, LONG* pSteppingDelta, LONG* pDefault,
                          LONG* pCapsFlags) override;
    STDMETHODIMP Set(LONG Property, LONG lValue, LONG Flags) override;
    STDMETHODIMP Get(LONG Property, LONG* lValue, LONG* Flags) override;

    // IAMVideoProcAmp's Get and Set share their names with IKsPropertySet's.
    using CKsPropertySet::Set;
    using CKsPropertySet::Get;

private:
    CSimBlackBirdCapture(IUnknown* pUnk, HRESULT* phr);
    ~CSimBlackBirdCapture() override;
    void BringCompanions(IFilterGraph* pGraph);

    enum { LINK_PIN_COUNT = 5 };
    CCritSec m_lock;
    CSimLinkPin* m_pVideoIn;
    CSimLinkPin* m_pAudioIn;
    CSimCaptureStream* m_pCapture;
    CSimLinkPin* m_p656;
    CSimLinkPin* m_pI2S;
    CSimAudioStream* m_pAudio;
    LONG m_lVCRLocking;
    LONG m_lOutputEnable;
};

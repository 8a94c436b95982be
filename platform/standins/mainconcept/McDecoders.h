#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/mainconcept/McParamSet.h"

#include <vector>

// Stand-ins for the MPEG video and audio decoders of the time-shift graph.
// They do not decode: the video decoder hands on one flat grey picture (YUY2,
// or RGB32 for a renderer that takes no YUY2; its brightness stepping with
// each picture) for every picture start code it finds, and the audio decoder 1152 frames of 48 kHz stereo silence for
// every whole MPEG audio frame. What they hand on carries no time stamps,
// so it is shown and played as it comes.
class CMcVideoDecoder : public CTransformFilter, public IMcVideoDecoderConfig
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMcVideoDecoderConfig
    STDMETHODIMP Values1(LONG, LONG) override { return S_OK; }
    STDMETHODIMP Values2(LONG, LONG) override { return S_OK; }
    STDMETHODIMP EnableOutputFormat(DWORD dwFourCC, BOOL bEnable) override;
    STDMETHODIMP GetConfig(McVideoDecoderConfig* pConfig) override;
    STDMETHODIMP SetConfig(McVideoDecoderConfig* pConfig) override;

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT Receive(IMediaSample* pSample) override;
    HRESULT StartStreaming() override;

private:
    explicit CMcVideoDecoder(IUnknown* pUnk, HRESULT* phr);
    HRESULT DeliverPicture();

    CMcParamSet m_params;
    McVideoDecoderConfig m_config;
    BOOL m_bYuy2;
    DWORD m_dwTail;
    DWORD m_dwPictures;
};

class CMcAudioDecoder : public CTransformFilter
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT Receive(IMediaSample* pSample) override;
    HRESULT StartStreaming() override;

    // The length of the MPEG-1 Layer II frame whose header starts at p, or 0.
    static int FrameLength(const BYTE* p);

private:
    explicit CMcAudioDecoder(IUnknown* pUnk, HRESULT* phr);

    std::vector<BYTE> m_pending;
};

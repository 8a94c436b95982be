#pragma once
#include "platform/dshow/Streams.h"

// Our class identifiers for the three MPEG-4 compressor devices.
extern const CLSID CLSID_StandinMpeg4V1;
extern const CLSID CLSID_StandinMpeg4V2;
extern const CLSID CLSID_StandinMpeg4V3;
// The MPEG-4 codec the recordings add by name.
extern const CLSID CLSID_StandinXvid;

// The settings a compressor keeps, as GetState hands them out.
struct Mpeg4CompressorState
{
    DWORD dwVersion;
    LONG lQuality;       // 0 to 10000
    LONG lKeyFrameRate;  // pictures between key frames
};

// A stand-in for the MPEG-4 video compressors of the video compressor
// category: they pass pictures through unchanged (the MPEG-4 recording
// writes them into its AVI file as they come). They keep their settings through IAMVfwCompressDialogs and
// have no dialogs of their own.
class CMpeg4Compressor : public CTransformFilter, public IAMVfwCompressDialogs
{
public:
    static CUnknown* CALLBACK CreateV1(IUnknown* pUnk, HRESULT* phr);
    static CUnknown* CALLBACK CreateV2(IUnknown* pUnk, HRESULT* phr);
    static CUnknown* CALLBACK CreateV3(IUnknown* pUnk, HRESULT* phr);
    static CUnknown* CALLBACK CreateXvid(IUnknown* pUnk, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IAMVfwCompressDialogs
    STDMETHODIMP ShowDialog(int iDialog, HWND hwnd) override;
    STDMETHODIMP GetState(LPVOID pState, int* pcbState) override;
    STDMETHODIMP SetState(LPVOID pState, int cbState) override;
    STDMETHODIMP SendDriverMessage(int uMsg, long dw1, long dw2) override;

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

private:
    CMpeg4Compressor(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr);
    static CUnknown* Create(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr);

    CCritSec m_stateLock;
    Mpeg4CompressorState m_state;
};

#pragma once

#include "platform/dshow/Streams.h"
#include "platform/sim/blackbird/SimMpegClip.h"

class CSimLinkPin;
class CSimBlackBirdEncoder;

// The encoder's one output: the program stream as the chip writes it, packs
// leaving at the pace of their clock references.
class CSimEncoderStream : public CSourceStream
{
public:
    // Samples of about 16 packs; an MPEG-1 pack may hold many packets, so
    // a buffer takes the largest the clip has.
    enum { SAMPLE_BYTES = 16 * 2048, BUFFER_BYTES = 256 * 1024 };

    CSimEncoderStream(HRESULT* phr, CSimBlackBirdEncoder* pFilter, CCritSec* pLock);

    HRESULT GetMediaType(CMediaType* pMediaType) override;
    HRESULT CheckMediaType(const CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

protected:
    HRESULT FillBuffer(IMediaSample* pSample) override;
    HRESULT OnThreadStartPlay() override;

private:
    CSimMpegClip m_clip;
    DWORD m_dwStartTick;
};

// "BlackBird MPEG Encoder": takes the decoder's 656 video and I2S audio and
// writes an MPEG-2 program stream (an MPEG-1 system stream for kind 2). Its
// parameters are the driver's encoder property set.
class CSimBlackBirdEncoder : public CBaseFilter
{
public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    // The clips the chip "encodes": next to the module, made at build time.
    static void ClipPath(BOOL bMpeg1, char* pszPath, DWORD cchPath);

private:
    CSimBlackBirdEncoder(IUnknown* pUnk, HRESULT* phr);
    ~CSimBlackBirdEncoder() override;

    CCritSec m_lock;
    CSimLinkPin* m_p656;
    CSimLinkPin* m_pI2S;
    CSimEncoderStream* m_pOutput;
};

#pragma once
#include "platform/dshow/Streams.h"

#include <vector>

// Our class identifiers for the two audio compressor devices.
extern const CLSID CLSID_StandinPcmCompressor;
extern const CLSID CLSID_StandinAdpcmCompressor;

// Stand-ins for the audio compressors "PCM" and "Microsoft ADPCM" of the
// audio compressor category. Both take 16-bit PCM; "PCM" hands it on as it
// is, "Microsoft ADPCM" codes it into Microsoft ADPCM blocks (4 bits a
// sample), holding back what does not yet fill a block.
class CAudioCompressor : public CTransformFilter
{
public:
    static CUnknown* CALLBACK CreatePcm(IUnknown* pUnk, HRESULT* phr);
    static CUnknown* CALLBACK CreateAdpcm(IUnknown* pUnk, HRESULT* phr);

    HRESULT CheckInputType(const CMediaType* mtIn) override;
    HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
    HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pProp) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;
    HRESULT StartStreaming() override;

    // Codes one block of interleaved 16-bit samples (wSamplesPerBlock
    // frames) into nBlockAlign bytes.
    static void EncodeAdpcmBlock(const short* pSamples, int nChannels, int nFrames, BYTE* pBlock);
    static int BlockAlignFor(int nChannels, int nSamplesPerSec);
    static int FramesPerBlock(int nChannels, int nBlockAlign);

private:
    CAudioCompressor(IUnknown* pUnk, REFCLSID clsid, BOOL bAdpcm, HRESULT* phr);
    BOOL MakeOutputType(CMediaType* pmt) const;

    BOOL m_bAdpcm;
    std::vector<short> m_pending;
    LONGLONG m_llFramesOut;
};

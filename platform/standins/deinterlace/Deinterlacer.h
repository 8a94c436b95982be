#pragma once

#include "platform/dshow/Streams.h"
#include "platform/standins/deinterlace/DeinterlaceApi.h"
#include "platform/standins/videokit/VideoFrame.h"

#include <vector>

class CDeinterlacer;

class CDeinterlacerInput : public CBaseInputPin
{
public:
    CDeinterlacerInput(CDeinterlacer* pFilter, HRESULT* phr);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT SetMediaType(const CMediaType* pmt) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) override;

private:
    CDeinterlacer* m_pDeinterlacer;
};

// "Preview" gives the processed picture as RGB32 or, to a decompressor that
// takes nothing uncompressed, as Microsoft Video 1; "Capture" gives it as
// YUY2 at the input's frame rate.
class CDeinterlacerOutput : public CBaseOutputPin
{
public:
    CDeinterlacerOutput(CDeinterlacer* pFilter, HRESULT* phr, LPCWSTR pName,
                        const std::vector<VideoFrameFormat::Kind>& kinds);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

    // Sends one YUY2 picture in this pin's format; S_OK also when unconnected.
    HRESULT DeliverPicture(const BYTE* pYuy2, REFERENCE_TIME start, REFERENCE_TIME stop);

private:
    // The kinds the pin offers, in order of preference.
    std::vector<VideoFrameFormat::Kind> m_kinds;
    CDeinterlacer* m_pDeinterlacer;
    std::vector<BYTE> m_rgb;
};

// "Veltrane Deinterlace": takes the card's interlaced YUY2 pictures and makes
// progressive ones. Line doubling of each field (normal quality) or a
// motion-adaptive weave (high quality); two pictures per frame, one for each
// field, unless half rate; recursive noise reduction of the luma; snapshots
// of the last picture as bitmap or JPEG files.
class CDeinterlacer : public CBaseFilter, public IVeltraneDeinterlace
{
    friend class CDeinterlacerInput;
    friend class CDeinterlacerOutput;

public:
    enum { QUALITY_NORMAL = 1022, QUALITY_HIGH = 1023, REDUCE_MAX = 10 };
    // Luma steps between two frames below which a pixel counts as still.
    enum { MOTION_THRESHOLD = 24, NOISE_THRESHOLD = 24 };

    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr) { return DsCreateObject<CDeinterlacer>(pUnk, phr); }

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Stop() override;

    STDMETHODIMP GetQuality(LONG* plQuality) override;
    STDMETHODIMP SetQuality(LONG lQuality) override;
    STDMETHODIMP GetNoiseReduce(VARIANT_BOOL* pbOn) override;
    STDMETHODIMP SetNoiseReduce(VARIANT_BOOL bOn) override;
    STDMETHODIMP GetHalfRate(VARIANT_BOOL* pbOn) override;
    STDMETHODIMP SetHalfRate(VARIANT_BOOL bOn) override;
    STDMETHODIMP GetReduceValue(LONG* plLevel) override;
    STDMETHODIMP SetReduceValue(LONG lLevel) override;
    STDMETHODIMP SaveSnapshot(LPCWSTR pszFile, LONG lType, LONG lQuality) override;
    STDMETHODIMP GetDeinterlace(VARIANT_BOOL* pbOn) override;
    STDMETHODIMP SetDeinterlace(VARIANT_BOOL bOn) override;

    // The pictures of one input frame, as the settings make them; public for
    // the tests of the picture work.
    struct Settings
    {
        BOOL bDeinterlace;
        BOOL bHighQuality;
        BOOL bHalfRate;
        BOOL bNoiseReduce;
        LONG lReduceValue;
    };
    struct Picture
    {
        std::vector<BYTE> yuy2;
        int nField;  // 0 the first half of the frame time, 1 the second
    };
    class CProcessor
    {
    public:
        void Reset() { m_previous.clear(); m_filtered.clear(); }
        // One or two pictures (the second field's when not half rate).
        void Process(const BYTE* pFrame, int width, int height, const Settings& settings,
                     std::vector<Picture>* pPictures);

    private:
        void ReduceNoise(std::vector<BYTE>& frame, LONG level);
        void MakeField(const std::vector<BYTE>& frame, int width, int height, int field, BOOL bHighQuality,
                       std::vector<BYTE>* pOut) const;

        std::vector<BYTE> m_previous;  // the last input frame, before noise reduction
        std::vector<BYTE> m_filtered;  // the last frame after noise reduction
    };

private:
    friend CUnknown* CALLBACK DsCreateObject<CDeinterlacer>(IUnknown* pUnkOuter, HRESULT* phr);
    CDeinterlacer(IUnknown* pUnk, HRESULT* phr);
    ~CDeinterlacer() override;

    HRESULT ProcessSample(IMediaSample* pSample);
    HRESULT GetFlag(BOOL Settings::*pFlag, VARIANT_BOOL* pbOn);
    HRESULT SetFlag(BOOL Settings::*pFlag, VARIANT_BOOL bOn);
    const VideoFrameFormat& InputFormat() const { return m_inputFormat; }
    Settings CurrentSettings();

    CCritSec m_csFilter;
    CCritSec m_csReceive;
    CCritSec m_csSettings;
    CDeinterlacerInput* m_pInput;
    CDeinterlacerOutput* m_pPreview;
    CDeinterlacerOutput* m_pCapture;
    VideoFrameFormat m_inputFormat;
    Settings m_settings;
    CProcessor m_processor;
    std::vector<Picture> m_pictures;
    // The last picture sent, for snapshots.
    std::vector<BYTE> m_snapshot;
    int m_nSnapshotWidth;
    int m_nSnapshotHeight;
};

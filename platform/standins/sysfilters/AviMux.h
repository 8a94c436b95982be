#pragma once
#include "platform/dshow/Streams.h"

#include <vector>

class CAviMux;

// One input of the multiplexer: pictures (VIDEOINFOHEADER) or sound
// (WAVEFORMATEX). Each connected input is one stream of the file, in pin
// order.
class CAviMuxInputPin : public CBaseInputPin
{
public:
    CAviMuxInputPin(CAviMux* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, int nIndex);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT CompleteConnect(IPin* pReceivePin) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    HRESULT Active() override;

    BOOL HasEnded() const { return m_bEnded; }

private:
    CAviMux* m_pMux;
    int m_nIndex;
    BOOL m_bEnded;
};

// The one output "AVI Out": the file as a byte stream; every sample carries
// its place in the file as its time (start = offset, stop = offset + length),
// which is how the file writer behind it places what it writes.
class CAviMuxOutputPin : public CBaseOutputPin
{
public:
    CAviMuxOutputPin(CAviMux* pFilter, CCritSec* pLock, HRESULT* phr);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;
};

// The "AVI Mux" (Wine's takes pictures only): inputs "Input 01", "Input 02",
// ... of which one is always free; pictures and sound are written into one
// RIFF 'AVI ' file (hdrl with one strl a stream, movi, idx1) in the order
// they arrive, through the file writer downstream. The header is written when
// streaming starts and written again, with the index after the data, when
// every input has ended or the graph leaves the running state (a graph stops
// its writer before its multiplexer, so the last chance to write is the pause
// on the way to the stop); running again continues the data where it ended.
// A picture stream that misses frames (by the samples' times) gets empty
// chunks in their place so the streams keep their time. With a master stream
// set to a sound stream, the picture rate is fitted to the sound's duration.
// The file is AVI 1.0: one RIFF, no OpenDML extension. Its sizes are 32-bit,
// so a file about to pass 4 GB is finished whole, the graph is told
// (EC_ERRORABORT) and nothing more is written.
class CAviMux : public CBaseFilter, public IConfigAviMux, public IConfigInterleaving
{
    friend class CAviMuxInputPin;
    friend class CAviMuxOutputPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CAviMux() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    CBasePin* GetPin(int n) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME tStart) override;

    // IConfigAviMux
    STDMETHODIMP SetMasterStream(LONG iStream) override;
    STDMETHODIMP GetMasterStream(LONG* pStream) override;
    STDMETHODIMP SetOutputCompatibilityIndex(BOOL fOldIndex) override;
    STDMETHODIMP GetOutputCompatibilityIndex(BOOL* pfOldIndex) override;

    // IConfigInterleaving: the mode and times are kept; every mode writes
    // the samples in the order they arrive.
    STDMETHODIMP put_Mode(InterleavingMode mode) override;
    STDMETHODIMP get_Mode(InterleavingMode* pMode) override;
    STDMETHODIMP put_Interleaving(const REFERENCE_TIME* prtInterleave, const REFERENCE_TIME* prtPreroll) override;
    STDMETHODIMP get_Interleaving(REFERENCE_TIME* prtInterleave, REFERENCE_TIME* prtPreroll) override;

private:
    struct Stream
    {
        CAviMuxInputPin* pPin = nullptr;
        BOOL bVideo = FALSE;
        std::vector<BYTE> format;  // strf: BITMAPINFOHEADER (+ colours) or WAVEFORMATEX (+ extra)
        DWORD fourcc = 0;          // chunk id: "NNdc", "NNdb" or "NNwb"
        DWORD dwScale = 0;         // pictures: the frame time as dwScale / dwRate seconds;
        DWORD dwRate = 0;          // sound: the block size and the bytes a second
        DWORD dwSampleSize = 0;
        DWORD dwLength = 0;        // frames, or sound blocks
        DWORD dwMaxChunk = 0;
        LONGLONG llBytes = 0;
        LONGLONG llFrameTime = 0;  // 100 ns a picture
        LONGLONG llFirstTime = -1; // the time of picture 0 (-1 before the first)
        LONG width = 0;
        LONG height = 0;
    };
    struct IndexEntry
    {
        DWORD ckid, flags, offset, size;
    };

    explicit CAviMux(IUnknown* pUnk, HRESULT* phr);
    void AddFreeInput();

    // Under m_writeLock.
    HRESULT BeginFile();
    HRESULT WriteSample(int nPin, const BYTE* p, long cb, BOOL bSync, const REFERENCE_TIME* ptStart);
    HRESULT AddChunk(Stream& s, const BYTE* p, long cb, BOOL bKey);
    HRESULT FinishFile();
    std::vector<BYTE> BuildHeader() const;
    HRESULT Write(LONGLONG llOffset, const BYTE* p, size_t cb);
    void EndOfInput();

    CCritSec m_lock;
    CCritSec m_writeLock;
    std::vector<CAviMuxInputPin*> m_inputs;
    CAviMuxOutputPin* m_pOutput;

    std::vector<Stream> m_streams;
    std::vector<int> m_streamOfPin;  // stream index by pin index, -1 for a free pin
    std::vector<IndexEntry> m_index;
    DWORD m_cbHeader;      // bytes before the movi list's data
    LONGLONG m_llEnd;      // where the next chunk goes
    BOOL m_bOpen;          // a file is being written and is not yet finished
    BOOL m_bFinished;      // its header and index are written
    BOOL m_bFailed;        // a write failed: nothing more is written
    LONG m_lMaster;
    BOOL m_bOldIndex;
    InterleavingMode m_mode;
    REFERENCE_TIME m_rtInterleave, m_rtPreroll;
};

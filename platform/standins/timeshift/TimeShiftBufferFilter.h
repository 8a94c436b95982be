#pragma once
#include "platform/dshow/Streams.h"
#include "platform/standins/timeshift/TimeShiftStandin.h"

#include <vector>

class CTimeShiftBufferFilter;

// Takes the encoder's stream into the buffer file.
class CTimeShiftInputPin : public CBaseInputPin
{
public:
    CTimeShiftInputPin(CTimeShiftBufferFilter* pFilter, CCritSec* pLock, HRESULT* phr);

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;

private:
    CTimeShiftBufferFilter* m_pTimeShift;
};

// Plays the buffer back from the read position on a thread of its own.
class CTimeShiftOutputPin : public CBaseOutputPin
{
public:
    enum { SAMPLE_BYTES = 32 * 2048 };

    CTimeShiftOutputPin(CTimeShiftBufferFilter* pFilter, CCritSec* pLock, HRESULT* phr);
    ~CTimeShiftOutputPin() override;

    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // Something changed: data came, the position moved, play-back resumed.
    void Wake() { SetEvent(m_hWake); }

private:
    static unsigned __stdcall ThreadProc(void* pv);
    void Run();

    CTimeShiftBufferFilter* m_pTimeShift;
    HANDLE m_hThread;
    HANDLE m_hStop;
    HANDLE m_hWake;
};

// "Time Shift": writes its input into a ring buffer file of the size it is
// given, with an index file of pack starts beside it, and plays the buffer
// back from any position of it. While play-back is paused, or has caught up
// with the input, it waits; when the input overtakes it, it goes on from the
// oldest pack still there. After a seek the output is flushed and play-back
// starts at a pack.
class CTimeShiftBufferFilter : public CBaseFilter, public ITimeShiftControl, public ITimeShiftStandinState
{
    friend class CTimeShiftInputPin;
    friend class CTimeShiftOutputPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    ~CTimeShiftBufferFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // ITimeShiftControl
    STDMETHODIMP SetReadPosition(LONGLONG* pllPosition) override;
    STDMETHODIMP GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen, LONGLONG* pllTotalBufLen) override;
    STDMETHODIMP SetBufferSize(LONGLONG* pllSize, DWORD dwReserve) override;
    STDMETHODIMP GetReserve(DWORD* pdwReserve) override;
    STDMETHODIMP TogglePause() override;
    STDMETHODIMP SetFileNames(LPCSTR pszMediaFile, LPCSTR pszIndexFile) override;

    // ITimeShiftStandinState
    STDMETHODIMP WaitForInputEnd(DWORD dwMilliseconds) override;
    STDMETHODIMP GetIndexedPacks(LONGLONG* pllPacks) override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int n) override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;

private:
    enum { DEFAULT_BUFFER_BYTES = 32 * 1024 * 1024 };

    explicit CTimeShiftBufferFilter(IUnknown* pUnk, HRESULT* phr);

    HRESULT OpenFiles();
    void CloseFiles();
    HRESULT Write(const BYTE* pData, DWORD cbData);
    BOOL FileAt(HANDLE hFile, LONGLONG llPosition, BYTE* pRead, const BYTE* pWrite, DWORD cb);
    // The same in the ring of the buffer file, wrapping at its end.
    BOOL RingAt(LONGLONG llPosition, BYTE* pRead, const BYTE* pWrite, DWORD cb);
    void NotePack(LONGLONG llPosition);
    LONGLONG WindowStart() const;
    // The pack that starts at or before the position, inside the window; the
    // window start when none is known.
    LONGLONG PackAtOrBefore(LONGLONG llPosition) const;
    LONGLONG PackAtOrAfter(LONGLONG llPosition) const;
    LONGLONG LastPackFrom(LONGLONG llPack, LONGLONG llPosition);
    LONGLONG FirstPackFrom(LONGLONG llPosition);
    // For the output thread: the next bytes to play (0: none now), and
    // whether the output must be flushed first or the stream has ended.
    DWORD TakeBytes(BYTE* pBuffer, DWORD cbMax, BOOL* pbFlush, BOOL* pbBreak, BOOL* pbEnded);

    CCritSec m_lock;
    CCritSec m_dataLock;
    CTimeShiftInputPin* m_pInput;
    CTimeShiftOutputPin* m_pOutput;

    char m_szMediaFile[MAX_PATH];
    char m_szIndexFile[MAX_PATH];
    LONGLONG m_llSize;
    DWORD m_dwReserve;
    HANDLE m_hMedia;
    HANDLE m_hIndex;
    std::vector<TimeShiftIndexRecord> m_index;

    LONGLONG m_llWritten;  // bytes taken since streaming began
    LONGLONG m_llRead;     // where play-back goes on
    LONGLONG m_llPacks;
    BYTE m_tail[3];        // the last bytes written, for pack starts across samples
    BOOL m_bPaused;
    BOOL m_bFlush;
    BOOL m_bBreak;
    BOOL m_bInputEnded;
    BOOL m_bEndSent;
    HANDLE m_hInputEnded;
};

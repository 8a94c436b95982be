#pragma once
#include "platform/dshow/BaseOutputPin.h"

class CSource;

// A push output pin: while the filter is paused or running, a thread of its own
// fills samples (FillBuffer) and delivers them. FillBuffer returns S_OK to deliver
// the sample, S_FALSE at the end of the stream (end-of-stream goes downstream),
// or an error (end-of-stream and EC_ERRORABORT).
class CSourceStream : public CBaseOutputPin
{
public:
    // A pin of a CSource: it adds itself to the filter's pin list and leaves it again.
    CSourceStream(const char* pObjectName, HRESULT* phr, CSource* pms, LPCWSTR pName);
    // A pin of any other filter (one with input pins too, say), which lists its pins itself.
    CSourceStream(const char* pObjectName, HRESULT* phr, CBaseFilter* pFilter, CCritSec* pLock, LPCWSTR pName);
    ~CSourceStream() override;

    HRESULT Active() override;
    HRESULT Inactive() override;

    // A live pin (a capture pin) produces only while the filter runs; its filter then
    // reports VFW_S_CANT_CUE while paused. Set before streaming starts.
    void SetLive(BOOL bLive) { m_bLive = bLive; }
    BOOL IsLive() const { return m_bLive; }

    // The single type of a one-type source; the list form calls it for position 0.
    virtual HRESULT GetMediaType(CMediaType* pMediaType);
    HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
    // Accepts exactly the offered types.
    HRESULT CheckMediaType(const CMediaType* pMediaType) override;

protected:
    virtual HRESULT FillBuffer(IMediaSample* pSample) = 0;
    // On the streaming thread, before the first and after the last sample.
    virtual HRESULT OnThreadCreate() { return S_OK; }
    virtual HRESULT OnThreadDestroy() { return S_OK; }
    virtual HRESULT OnThreadStartPlay() { return S_OK; }
    virtual HRESULT DoBufferProcessingLoop();

    // True once Inactive asked the thread to end.
    BOOL StopRequested() const { return m_bStop; }
    // Waits up to ms for a stop request; TRUE when one came (for paced sources).
    BOOL WaitForStop(DWORD ms) const;
    // Waits until offsetMs after the tick count dwStart; TRUE when a stop
    // request came first.
    BOOL WaitForStopUntil(DWORD dwStart, DWORD offsetMs) const;
    BOOL ThreadExists() const { return m_hThread != nullptr; }

    CSource* m_pSource;  // null for a pin of another kind of filter

private:
    static unsigned __stdcall ThreadProc(void* pv);

    HANDLE m_hThread;
    HANDLE m_hStopEvent;
    volatile BOOL m_bStop;
    BOOL m_bLive;
};

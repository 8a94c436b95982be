#pragma once
#include "platform/dshow/Streams.h"
#include <vector>

class CFileAppendSink;

// The sink's one input pin "Input": takes every media type.
class CFileAppendSinkPin : public CBaseInputPin
{
public:
    CFileAppendSinkPin(CFileAppendSink* pFilter, CCritSec* pLock, HRESULT* phr);

    STDMETHODIMP Receive(IMediaSample* pSample) override;
    STDMETHODIMP EndOfStream() override;
    HRESULT CheckMediaType(const CMediaType* pmt) override;
    HRESULT Active() override;
    HRESULT Inactive() override;

private:
    CFileAppendSink* m_pSink;
};

// A renderer that appends the bytes of every sample it receives to a file (opened
// when streaming starts, closed when it stops) and keeps counts for tests. At the
// end of the stream it signals an event and sends EC_COMPLETE.
class CFileAppendSink : public CBaseFilter, public IFileSinkFilter, public IAMFilterMiscFlags
{
    friend class CFileAppendSinkPin;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    CFileAppendSink(IUnknown* pUnk, HRESULT* phr);
    ~CFileAppendSink() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int n) override;

    // IFileSinkFilter
    STDMETHODIMP SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt) override;
    // IAMFilterMiscFlags: a renderer, so the graph waits for its EC_COMPLETE.
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    HRESULT SetFile(const char* path);
    // TRUE when end of stream arrived within ms.
    BOOL WaitForEndOfStream(DWORD ms);
    // TRUE when at least count samples arrived since streaming started, within ms.
    BOOL WaitForSamples(size_t count, DWORD ms);
    LONGLONG BytesReceived();
    // The actual length of each sample taken, in order (cleared when streaming starts).
    std::vector<long> SampleLengths();
    // Each sample's start time (-1 without one) and discontinuity flag, in order.
    std::vector<REFERENCE_TIME> SampleStarts();
    std::vector<bool> SampleBreaks();
    // Each sample's Receive answers this (S_OK by default) after it is written.
    void SetReceiveResult(HRESULT hr) { m_receiveResult = hr; }

private:
    HRESULT Append(IMediaSample* pSample);
    HRESULT OpenFile();
    void CloseFile();
    void OnEndOfStream();

    CCritSec m_csFilter;
    CCritSec m_csReceive;
    CFileAppendSinkPin* m_pPin;
    char m_path[MAX_PATH];
    HANDLE m_hFile;
    HANDLE m_hEos;
    HANDLE m_hReceived;
    LONGLONG m_bytes;
    std::vector<long> m_lengths;
    std::vector<REFERENCE_TIME> m_starts;
    std::vector<bool> m_breaks;
    HRESULT m_receiveResult;
};

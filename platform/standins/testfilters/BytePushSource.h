#pragma once
#include "platform/dshow/Streams.h"
#include <vector>

class CBytePushSource;

// The source's one output pin "Output": the bytes in samples of the chunk size, the
// last one shorter, then end of stream.
class CBytePushStream : public CSourceStream
{
public:
    CBytePushStream(HRESULT* phr, CBytePushSource* pFilter);

    HRESULT GetMediaType(CMediaType* pMediaType) override;
    HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

protected:
    HRESULT FillBuffer(IMediaSample* pSample) override;
    HRESULT OnThreadStartPlay() override;

private:
    CBytePushSource* m_pSource;
    size_t m_offset;
    LONGLONG m_sampleIndex;
};

// A push source that sends given bytes (a file's, or a buffer's) in N-byte samples.
// As a registered filter it takes its file through IFileSourceFilter.
class CBytePushSource : public CSource, public IFileSourceFilter
{
    friend class CBytePushStream;

public:
    static CUnknown* CALLBACK CreateInstance(IUnknown* pUnk, HRESULT* phr);
    // The same source whose pin has the capture pin category, as a card's would.
    static CUnknown* CALLBACK CreateCaptureInstance(IUnknown* pUnk, HRESULT* phr);
    CBytePushSource(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IFileSourceFilter
    STDMETHODIMP Load(LPCOLESTR pszFileName, const AM_MEDIA_TYPE* pmt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt) override;

    // Set while stopped and before connecting.
    HRESULT LoadFile(const char* path);
    void SetBytes(const BYTE* data, size_t size);
    void SetChunkSize(DWORD bytes);
    // Default: MEDIATYPE_Stream with MEDIASUBTYPE_NULL.
    HRESULT SetOutputType(const AM_MEDIA_TYPE& mt);
    // Each sample after the first carries a time stamp this far past the previous one (0: none).
    void SetSampleDuration(REFERENCE_TIME duration) { m_duration = duration; }

    CBytePushStream* Stream() const { return m_pStream; }
    size_t Size() const { return m_bytes.size(); }
    DWORD ChunkSize() const { return m_chunk; }

private:
    CBytePushStream* m_pStream;
    std::vector<BYTE> m_bytes;
    DWORD m_chunk;
    CMediaType m_type;
    REFERENCE_TIME m_duration;
    WCHAR m_file[MAX_PATH];
};

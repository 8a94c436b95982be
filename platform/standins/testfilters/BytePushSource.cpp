#include "platform/standins/testfilters/BytePushSource.h"
#include "platform/standins/testfilters/TestFilterIds.h"
#include <algorithm>
#include <cstring>
#include <new>

CBytePushStream::CBytePushStream(HRESULT* phr, CBytePushSource* pFilter)
    : CSourceStream("CBytePushStream", phr, pFilter, L"Output"), m_pSource(pFilter), m_offset(0), m_sampleIndex(0)
{
}

HRESULT CBytePushStream::GetMediaType(CMediaType* pMediaType)
{
    return pMediaType->Set(m_pSource->m_type);
}

HRESULT CBytePushStream::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    pRequest->cBuffers = std::max<long>(pRequest->cBuffers, 4);
    pRequest->cbBuffer = std::max<long>(pRequest->cbBuffer, long(m_pSource->m_chunk));
    if (pRequest->cbAlign <= 0) pRequest->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual;
    HRESULT hr = pAlloc->SetProperties(pRequest, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer < long(m_pSource->m_chunk) ? E_FAIL : S_OK;
}

HRESULT CBytePushStream::OnThreadStartPlay()
{
    m_offset = 0;
    m_sampleIndex = 0;
    return S_OK;
}

HRESULT CBytePushStream::FillBuffer(IMediaSample* pSample)
{
    const std::vector<BYTE>& bytes = m_pSource->m_bytes;
    if (m_offset >= bytes.size()) return S_FALSE;
    BYTE* p = nullptr;
    HRESULT hr = pSample->GetPointer(&p);
    if (FAILED(hr)) return hr;
    size_t n = std::min<size_t>(bytes.size() - m_offset, m_pSource->m_chunk);
    n = std::min<size_t>(n, size_t(pSample->GetSize()));
    memcpy(p, bytes.data() + m_offset, n);
    pSample->SetActualDataLength(long(n));
    pSample->SetSyncPoint(TRUE);
    pSample->SetDiscontinuity(m_offset == 0);
    if (m_pSource->m_duration > 0) {
        REFERENCE_TIME start = m_sampleIndex * m_pSource->m_duration;
        REFERENCE_TIME stop = start + m_pSource->m_duration;
        pSample->SetTime(&start, &stop);
    } else {
        pSample->SetTime(nullptr, nullptr);
    }
    m_offset += n;
    ++m_sampleIndex;
    return S_OK;
}

CUnknown* CALLBACK CBytePushSource::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CBytePushSource* p = new (std::nothrow) CBytePushSource(pUnk, CLSID_OndrixBytePushSource, phr);
    if (!p && phr) *phr = E_OUTOFMEMORY;
    return p;
}

CUnknown* CALLBACK CBytePushSource::CreateCaptureInstance(IUnknown* pUnk, HRESULT* phr)
{
    CBytePushSource* p = new (std::nothrow) CBytePushSource(pUnk, CLSID_OndrixTestCapture, phr);
    if (!p) {
        if (phr) *phr = E_OUTOFMEMORY;
        return nullptr;
    }
    if (p->m_pStream) p->m_pStream->SetPinCategory(PIN_CATEGORY_CAPTURE);
    return p;
}

CBytePushSource::CBytePushSource(IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CSource("CBytePushSource", pUnk, clsid, phr), m_pStream(nullptr), m_chunk(2048), m_type(&MEDIATYPE_Stream),
      m_duration(0)
{
    m_file[0] = L'\0';
    m_type.SetSubtype(&MEDIASUBTYPE_NULL);
    m_type.SetVariableSize();
    HRESULT hr = S_OK;
    m_pStream = new (std::nothrow) CBytePushStream(&hr, this);
    if (phr && (!m_pStream || FAILED(hr))) *phr = m_pStream ? hr : E_OUTOFMEMORY;
}

STDMETHODIMP CBytePushSource::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IFileSourceFilter)
        return GetInterface(static_cast<IFileSourceFilter*>(this), ppv);
    return CSource::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBytePushSource::Load(LPCOLESTR pszFileName, const AM_MEDIA_TYPE* pmt)
{
    if (!pszFileName) return E_POINTER;
    char path[MAX_PATH * 2];
    if (!WideCharToMultiByte(CP_ACP, 0, pszFileName, -1, path, sizeof(path), nullptr, nullptr))
        return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = LoadFile(path);
    if (FAILED(hr)) return hr;
    lstrcpynW(m_file, pszFileName, MAX_PATH);
    if (pmt) hr = SetOutputType(*pmt);
    return hr;
}

STDMETHODIMP CBytePushSource::GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt)
{
    if (!ppszFileName) return E_POINTER;
    size_t bytes = (lstrlenW(m_file) + 1) * sizeof(WCHAR);
    *ppszFileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*ppszFileName) return E_OUTOFMEMORY;
    memcpy(*ppszFileName, m_file, bytes);
    if (pmt) return CopyMediaType(pmt, &m_type);
    return S_OK;
}

HRESULT CBytePushSource::LoadFile(const char* path)
{
    CAutoLock lock(&m_cStateLock);
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    LARGE_INTEGER size;
    HRESULT hr = S_OK;
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x40000000) {
        hr = E_FAIL;
    } else {
        std::vector<BYTE> bytes(size_t(size.QuadPart));
        DWORD done = 0;
        size_t pos = 0;
        while (pos < bytes.size()) {
            DWORD want = DWORD(std::min<size_t>(bytes.size() - pos, 1 << 20));
            if (!ReadFile(h, bytes.data() + pos, want, &done, nullptr) || done == 0) {
                hr = E_FAIL;
                break;
            }
            pos += done;
        }
        if (SUCCEEDED(hr)) m_bytes.swap(bytes);
    }
    CloseHandle(h);
    if (SUCCEEDED(hr)) MultiByteToWideChar(CP_ACP, 0, path, -1, m_file, MAX_PATH);
    return hr;
}

void CBytePushSource::SetBytes(const BYTE* data, size_t size)
{
    CAutoLock lock(&m_cStateLock);
    m_bytes.assign(data, data + size);
}

void CBytePushSource::SetChunkSize(DWORD bytes)
{
    CAutoLock lock(&m_cStateLock);
    m_chunk = bytes ? bytes : 1;
}

HRESULT CBytePushSource::SetOutputType(const AM_MEDIA_TYPE& mt)
{
    CAutoLock lock(&m_cStateLock);
    if (m_pStream && m_pStream->IsConnected()) return VFW_E_ALREADY_CONNECTED;
    HRESULT hr = m_type.Set(mt);
    if (m_pStream) m_pStream->IncrementTypeVersion();
    return hr;
}

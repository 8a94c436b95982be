#include "platform/standins/testfilters/FileAppendSink.h"
#include "platform/standins/testfilters/TestFilterIds.h"
#include <new>

CFileAppendSinkPin::CFileAppendSinkPin(CFileAppendSink* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseInputPin("CFileAppendSinkPin", pFilter, pLock, phr, L"Input"), m_pSink(pFilter)
{
}

STDMETHODIMP CFileAppendSinkPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pSink->m_csReceive);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK) return hr;
    hr = m_pSink->Append(pSample);
    if (FAILED(hr)) return hr;
    return m_pSink->m_receiveResult;
}

STDMETHODIMP CFileAppendSinkPin::EndOfStream()
{
    CAutoLock lock(&m_pSink->m_csReceive);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    m_pSink->OnEndOfStream();
    return S_OK;
}

HRESULT CFileAppendSinkPin::CheckMediaType(const CMediaType*)
{
    return S_OK;
}

HRESULT CFileAppendSinkPin::Active()
{
    HRESULT hr = CBaseInputPin::Active();
    if (FAILED(hr)) return hr;
    CAutoLock lock(&m_pSink->m_csReceive);
    ResetEvent(m_pSink->m_hEos);
    ResetEvent(m_pSink->m_hReceived);
    m_pSink->m_bytes = 0;
    m_pSink->m_lengths.clear();
    m_pSink->m_starts.clear();
    m_pSink->m_breaks.clear();
    return m_pSink->OpenFile();
}

HRESULT CFileAppendSinkPin::Inactive()
{
    HRESULT hr = CBaseInputPin::Inactive();
    CAutoLock lock(&m_pSink->m_csReceive);
    m_pSink->CloseFile();
    return hr;
}

CUnknown* CALLBACK CFileAppendSink::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CFileAppendSink* p = new (std::nothrow) CFileAppendSink(pUnk, phr);
    if (!p && phr) *phr = E_OUTOFMEMORY;
    return p;
}

CFileAppendSink::CFileAppendSink(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("CFileAppendSink", pUnk, &m_csFilter, CLSID_OndrixFileAppendSink, phr),
      m_pPin(nullptr),
      m_hFile(INVALID_HANDLE_VALUE),
      m_hEos(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_hReceived(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_bytes(0),
      m_receiveResult(S_OK)
{
    m_path[0] = '\0';
    HRESULT hr = S_OK;
    m_pPin = new (std::nothrow) CFileAppendSinkPin(this, &m_csFilter, &hr);
    if (phr && (!m_pPin || !m_hEos || !m_hReceived || FAILED(hr))) *phr = FAILED(hr) ? hr : E_OUTOFMEMORY;
}

CFileAppendSink::~CFileAppendSink()
{
    CloseFile();
    delete m_pPin;
    if (m_hEos) CloseHandle(m_hEos);
    if (m_hReceived) CloseHandle(m_hReceived);
}

STDMETHODIMP CFileAppendSink::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IFileSinkFilter)
        return GetInterface(static_cast<IFileSinkFilter*>(this), ppv);
    if (riid == IID_IAMFilterMiscFlags)
        return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CFileAppendSink::GetPin(int n)
{
    return n == 0 ? m_pPin : nullptr;
}

STDMETHODIMP CFileAppendSink::SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE*)
{
    if (!pszFileName) return E_POINTER;
    char path[MAX_PATH];
    if (!WideCharToMultiByte(CP_ACP, 0, pszFileName, -1, path, sizeof(path), nullptr, nullptr))
        return HRESULT_FROM_WIN32(GetLastError());
    return SetFile(path);
}

STDMETHODIMP CFileAppendSink::GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt)
{
    if (!ppszFileName) return E_POINTER;
    CAutoLock lock(&m_csFilter);
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, m_path, -1, wide, MAX_PATH);
    size_t bytes = (lstrlenW(wide) + 1) * sizeof(WCHAR);
    *ppszFileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*ppszFileName) return E_OUTOFMEMORY;
    memcpy(*ppszFileName, wide, bytes);
    if (pmt) ZeroMemory(pmt, sizeof(*pmt));
    return S_OK;
}

STDMETHODIMP_(ULONG) CFileAppendSink::GetMiscFlags()
{
    return AM_FILTER_MISC_FLAGS_IS_RENDERER;
}

HRESULT CFileAppendSink::SetFile(const char* path)
{
    if (!path) return E_POINTER;
    CAutoLock lock(&m_csFilter);
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    if (lstrlenA(path) >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    lstrcpynA(m_path, path, MAX_PATH);
    return S_OK;
}

HRESULT CFileAppendSink::OpenFile()
{
    CloseFile();
    if (!m_path[0]) return S_OK;
    m_hFile = CreateFileA(m_path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
}

void CFileAppendSink::CloseFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

HRESULT CFileAppendSink::Append(IMediaSample* pSample)
{
    BYTE* p = nullptr;
    HRESULT hr = pSample->GetPointer(&p);
    if (FAILED(hr)) return hr;
    long n = pSample->GetActualDataLength();
    if (n < 0) return E_UNEXPECTED;
    if (m_hFile != INVALID_HANDLE_VALUE && n > 0) {
        DWORD written = 0;
        if (!WriteFile(m_hFile, p, DWORD(n), &written, nullptr) || written != DWORD(n)) {
            hr = HRESULT_FROM_WIN32(GetLastError());
            NotifyEvent(EC_ERRORABORT, hr, 0);
            return FAILED(hr) ? hr : E_FAIL;
        }
    }
    m_bytes += n;
    m_lengths.push_back(n);
    REFERENCE_TIME start = -1, stop = -1;
    if (FAILED(pSample->GetTime(&start, &stop))) start = -1;
    m_starts.push_back(start);
    m_breaks.push_back(pSample->IsDiscontinuity() == S_OK);
    SetEvent(m_hReceived);
    return S_OK;
}

void CFileAppendSink::OnEndOfStream()
{
    if (m_hFile != INVALID_HANDLE_VALUE) FlushFileBuffers(m_hFile);
    SetEvent(m_hEos);
    NotifyEvent(EC_COMPLETE, S_OK, 0);
}

BOOL CFileAppendSink::WaitForEndOfStream(DWORD ms)
{
    return WaitForSingleObject(m_hEos, ms) == WAIT_OBJECT_0;
}

BOOL CFileAppendSink::WaitForSamples(size_t count, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        {
            CAutoLock lock(&m_csReceive);
            if (m_lengths.size() >= count) return TRUE;
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms || WaitForSingleObject(m_hReceived, ms - spent) != WAIT_OBJECT_0) {
            CAutoLock lock(&m_csReceive);
            return m_lengths.size() >= count;
        }
    }
}

LONGLONG CFileAppendSink::BytesReceived()
{
    CAutoLock lock(&m_csReceive);
    return m_bytes;
}

std::vector<long> CFileAppendSink::SampleLengths()
{
    CAutoLock lock(&m_csReceive);
    return m_lengths;
}

std::vector<REFERENCE_TIME> CFileAppendSink::SampleStarts()
{
    CAutoLock lock(&m_csReceive);
    return m_starts;
}

std::vector<bool> CFileAppendSink::SampleBreaks()
{
    CAutoLock lock(&m_csReceive);
    return m_breaks;
}

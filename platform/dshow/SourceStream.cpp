#include "platform/dshow/SourceStream.h"
#include "platform/dshow/Source.h"
#include <process.h>

CSourceStream::CSourceStream(const char* pObjectName, HRESULT* phr, CSource* pms, LPCWSTR pName)
    : CBaseOutputPin(pObjectName, pms, pms->pStateLock(), phr, pName),
      m_pSource(pms),
      m_hThread(nullptr),
      m_hStopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_bStop(FALSE),
      m_bLive(FALSE)
{
    HRESULT hr = m_hStopEvent ? pms->AddPin(this) : E_OUTOFMEMORY;
    if (FAILED(hr) && phr) *phr = hr;
}

CSourceStream::CSourceStream(const char* pObjectName, HRESULT* phr, CBaseFilter* pFilter, CCritSec* pLock,
                             LPCWSTR pName)
    : CBaseOutputPin(pObjectName, pFilter, pLock, phr, pName),
      m_pSource(nullptr),
      m_hThread(nullptr),
      m_hStopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_bStop(FALSE),
      m_bLive(FALSE)
{
    if (!m_hStopEvent && phr) *phr = E_OUTOFMEMORY;
}

CSourceStream::~CSourceStream()
{
    Inactive();
    if (m_pSource) m_pSource->RemovePin(this);
    if (m_hStopEvent) CloseHandle(m_hStopEvent);
}

HRESULT CSourceStream::GetMediaType(CMediaType*)
{
    return E_UNEXPECTED;
}

HRESULT CSourceStream::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0) return E_INVALIDARG;
    if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
    return GetMediaType(pMediaType);
}

HRESULT CSourceStream::CheckMediaType(const CMediaType* pMediaType)
{
    // Bounded: a pin may answer every position.
    for (int i = 0; i < 1024; ++i) {
        CMediaType offered;
        if (GetMediaType(i, &offered) != S_OK) break;
        if (offered == *pMediaType) return S_OK;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSourceStream::Active()
{
    CAutoLock lock(m_pLock);
    if (m_hThread) return S_OK;
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) return hr;
    m_bStop = FALSE;
    ResetEvent(m_hStopEvent);
    unsigned id = 0;
    m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CSourceStream::ThreadProc, this, 0, &id));
    if (!m_hThread) {
        CBaseOutputPin::Inactive();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CSourceStream::Inactive()
{
    HANDLE thread;
    {
        CAutoLock lock(m_pLock);
        thread = m_hThread;
        m_bStop = TRUE;
        if (m_hStopEvent) SetEvent(m_hStopEvent);
    }
    // Decommitting frees the thread if it waits for a buffer; it then ends by itself.
    HRESULT hr = CBaseOutputPin::Inactive();
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        CAutoLock lock(m_pLock);
        m_hThread = nullptr;
    }
    return hr;
}

BOOL CSourceStream::WaitForStop(DWORD ms) const
{
    if (m_bStop) return TRUE;
    return WaitForSingleObject(m_hStopEvent, ms) == WAIT_OBJECT_0;
}

BOOL CSourceStream::WaitForStopUntil(DWORD dwStart, DWORD offsetMs) const
{
    LONG wait = static_cast<LONG>(dwStart + offsetMs - GetTickCount());
    return wait > 0 ? WaitForStop(static_cast<DWORD>(wait)) : m_bStop;
}

unsigned __stdcall CSourceStream::ThreadProc(void* pv)
{
    CSourceStream* self = static_cast<CSourceStream*>(pv);
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HRESULT hr = self->OnThreadCreate();
    if (SUCCEEDED(hr)) hr = self->OnThreadStartPlay();
    if (SUCCEEDED(hr)) self->DoBufferProcessingLoop();
    self->OnThreadDestroy();
    if (SUCCEEDED(hrCom)) CoUninitialize();
    return 0;
}

HRESULT CSourceStream::DoBufferProcessingLoop()
{
    while (!m_bStop) {
        if (m_bLive && m_pFilter->State() != State_Running) {
            if (WaitForStop(5)) return S_OK;
            continue;
        }
        IMediaSample* sample = nullptr;
        HRESULT hr = GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
        if (FAILED(hr) || !sample) {
            // A decommitted allocator means we are being stopped.
            if (m_bStop) return S_OK;
            if (WaitForStop(1)) return S_OK;
            continue;
        }
        hr = FillBuffer(sample);
        if (hr == S_OK) {
            hr = Deliver(sample);
            sample->Release();
            if (hr != S_OK) {
                // Downstream refuses more data (stopping, flushing or finished): stay quiet.
                return S_OK;
            }
        } else if (hr == S_FALSE) {
            sample->Release();
            DeliverEndOfStream();
            return S_OK;
        } else {
            sample->Release();
            DeliverEndOfStream();
            m_pFilter->NotifyEvent(EC_ERRORABORT, hr, 0);
            return hr;
        }
    }
    return S_OK;
}

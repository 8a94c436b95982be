#include "platform/standins/mainconcept/McMuxer.h"

#include <new>
#include <stdio.h>
#include <string.h>

CMcMuxerInputPin::CMcMuxerInputPin(CMcMuxer* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, BYTE streamId)
    : CBaseInputPin("muxer input", pFilter, pLock, phr, pName), m_pMuxer(pFilter), m_streamId(streamId),
      m_bEnded(FALSE)
{
}

BOOL CMcMuxerInputPin::IsAudio(const CMediaType* pmt)
{
    return pmt->subtype == MEDIASUBTYPE_MPEG1Audio || pmt->subtype == MEDIASUBTYPE_MPEG1AudioPayload ||
           pmt->subtype == MEDIASUBTYPE_MPEG2_AUDIO;
}

HRESULT CMcMuxerInputPin::CheckMediaType(const CMediaType* pmt)
{
    if (pmt->majortype != MEDIATYPE_Stream && pmt->majortype != MEDIATYPE_Audio && pmt->majortype != MEDIATYPE_Video)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (IsAudio(pmt) || pmt->subtype == MEDIASUBTYPE_MPEG2_VIDEO || pmt->subtype == MEDIASUBTYPE_MPEG1Payload ||
        pmt->subtype == MEDIASUBTYPE_MPEG1Video)
        return S_OK;
    return VFW_E_TYPE_NOT_ACCEPTED;
}

// Audio streams are numbered from 0xC0, video streams from 0xE0, by input.
HRESULT CMcMuxerInputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = CBaseInputPin::CompleteConnect(pReceivePin);
    if (FAILED(hr))
        return hr;
    m_streamId = static_cast<BYTE>((IsAudio(&CurrentMediaType()) ? 0xC0 : 0xE0) + (m_streamId & 0x0F));
    m_pMuxer->AddFreeInput();
    return S_OK;
}

HRESULT CMcMuxerInputPin::Active()
{
    m_bEnded = FALSE;
    return CBaseInputPin::Active();
}

STDMETHODIMP CMcMuxerInputPin::Receive(IMediaSample* pSample)
{
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    return m_pMuxer->Write(m_streamId, pSample);
}

STDMETHODIMP CMcMuxerInputPin::EndOfStream()
{
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    m_bEnded = TRUE;
    m_pMuxer->InputEnded();
    return S_OK;
}

CUnknown* CALLBACK CMcMuxer::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMcMuxer* p = new (std::nothrow) CMcMuxer(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMcMuxer::CMcMuxer(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("MPEG Multiplexer", pUnk, &m_lock, CLSID_McMpegMuxer, phr), m_params(GetOwner()), m_lType(2),
      m_hFile(INVALID_HANDLE_VALUE), m_bCompleted(FALSE)
{
    memset(&m_config, 0, sizeof(m_config));
    AddFreeInput();
}

CMcMuxer::~CMcMuxer()
{
    for (CMcMuxerInputPin* p : m_inputs)
        delete p;
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
}

STDMETHODIMP CMcMuxer::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMcMuxConfig)
        return GetInterface(static_cast<IMcMuxConfig*>(this), ppv);
    if (riid == IID_IMcMuxParams)
        return GetInterface(static_cast<IMcParams*>(&m_params), ppv);
    if (riid == IID_IFileSinkFilter)
        return GetInterface(static_cast<IFileSinkFilter*>(this), ppv);
    if (riid == IID_IAMFilterMiscFlags)
        return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CMcMuxer::SetConfig(McMuxConfig config)
{
    CAutoLock lock(&m_lock);
    m_config = config;
    return S_OK;
}

STDMETHODIMP CMcMuxer::SetType(LONG type)
{
    if (type < 0 || type > 4)
        return E_INVALIDARG;
    CAutoLock lock(&m_lock);
    m_lType = type;
    return S_OK;
}

STDMETHODIMP CMcMuxer::SetFileName(LPCOLESTR pszFileName, const AM_MEDIA_TYPE*)
{
    CAutoLock lock(&m_lock);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    return m_file.Set(pszFileName);
}

STDMETHODIMP CMcMuxer::GetCurFile(LPOLESTR* ppszFileName, AM_MEDIA_TYPE* pmt)
{
    CAutoLock lock(&m_lock);
    return m_file.Get(ppszFileName, pmt);
}

int CMcMuxer::GetPinCount()
{
    return static_cast<int>(m_inputs.size());
}

CBasePin* CMcMuxer::GetPin(int n)
{
    return n >= 0 && n < static_cast<int>(m_inputs.size()) ? m_inputs[n] : nullptr;
}

void CMcMuxer::AddFreeInput()
{
    for (CMcMuxerInputPin* p : m_inputs)
    {
        if (!p->IsConnected())
            return;
    }
    if (m_inputs.size() >= MAX_INPUTS)
        return;
    WCHAR szName[32];
    swprintf(szName, 32, L"Input %d", static_cast<int>(m_inputs.size()) + 1);
    HRESULT hr = S_OK;
    CMcMuxerInputPin* pPin =
        new (std::nothrow) CMcMuxerInputPin(this, &m_lock, &hr, szName, static_cast<BYTE>(m_inputs.size()));
    if (pPin == nullptr)
        return;
    m_inputs.push_back(pPin);
    IncrementPinVersion();
}

STDMETHODIMP CMcMuxer::Pause()
{
    CAutoLock lock(&m_lock);
    if (m_State == State_Stopped)
    {
        if (!m_file.IsSet())
            return VFW_E_WRONG_STATE;
        CAutoLock write(&m_writeLock);
        m_hFile = CreateFileW(m_file.Name(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
        if (m_hFile == INVALID_HANDLE_VALUE)
            return HRESULT_FROM_WIN32(GetLastError());
        m_writer.Reset();
        m_bCompleted = FALSE;
    }
    return CBaseFilter::Pause();
}

STDMETHODIMP CMcMuxer::Stop()
{
    CAutoLock lock(&m_lock);
    HRESULT hr = CBaseFilter::Stop();
    CAutoLock write(&m_writeLock);
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        std::vector<BYTE> end;
        m_writer.AddEnd(end);
        DWORD cbWritten = 0;
        WriteFile(m_hFile, end.data(), static_cast<DWORD>(end.size()), &cbWritten, NULL);
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    return hr;
}

HRESULT CMcMuxer::Write(BYTE streamId, IMediaSample* pSample)
{
    BYTE* p = nullptr;
    pSample->GetPointer(&p);
    long cb = pSample->GetActualDataLength();
    if (p == nullptr || cb <= 0)
        return S_OK;
    REFERENCE_TIME tStart = 0, tStop = 0;
    LONGLONG llPts = SUCCEEDED(pSample->GetTime(&tStart, &tStop)) && tStart >= 0 ? tStart * 9 / 1000 : -1;
    CAutoLock lock(&m_writeLock);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return VFW_E_WRONG_STATE;
    std::vector<BYTE> packs;
    m_writer.AddPacket(streamId, llPts, p, static_cast<DWORD>(cb), packs);
    DWORD cbWritten = 0;
    if (!WriteFile(m_hFile, packs.data(), static_cast<DWORD>(packs.size()), &cbWritten, NULL) ||
        cbWritten != packs.size())
    {
        NotifyEvent(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_WRITE_FAULT), 0);
        return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    }
    return S_OK;
}

void CMcMuxer::InputEnded()
{
    CAutoLock lock(&m_writeLock);
    for (CMcMuxerInputPin* p : m_inputs)
    {
        if (p->IsConnected() && !p->Ended())
            return;
    }
    if (m_bCompleted)
        return;
    m_bCompleted = TRUE;
    NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

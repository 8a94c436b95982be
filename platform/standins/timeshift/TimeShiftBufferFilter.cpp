#include "platform/standins/timeshift/TimeShiftBufferFilter.h"

#include "platform/standins/mpegkit/AllocatorSize.h"

#include <process.h>
#include <string.h>

#include <new>

CTimeShiftInputPin::CTimeShiftInputPin(CTimeShiftBufferFilter* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseInputPin("time shift input", pFilter, pLock, phr, L"In"), m_pTimeShift(pFilter)
{
}

HRESULT CTimeShiftInputPin::CheckMediaType(const CMediaType* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

STDMETHODIMP CTimeShiftInputPin::Receive(IMediaSample* pSample)
{
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    BYTE* p = nullptr;
    pSample->GetPointer(&p);
    long cb = pSample->GetActualDataLength();
    if (p == nullptr || cb <= 0)
        return S_OK;
    return m_pTimeShift->Write(p, static_cast<DWORD>(cb));
}

STDMETHODIMP CTimeShiftInputPin::EndOfStream()
{
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    {
        CAutoLock lock(&m_pTimeShift->m_dataLock);
        m_pTimeShift->m_bInputEnded = TRUE;
    }
    SetEvent(m_pTimeShift->m_hInputEnded);
    m_pTimeShift->m_pOutput->Wake();
    return S_OK;
}

CTimeShiftOutputPin::CTimeShiftOutputPin(CTimeShiftBufferFilter* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseOutputPin("time shift output", pFilter, pLock, phr, L"Out"), m_pTimeShift(pFilter), m_hThread(NULL)
{
    m_hStop = CreateEvent(NULL, TRUE, FALSE, NULL);
    m_hWake = CreateEvent(NULL, FALSE, FALSE, NULL);
}

CTimeShiftOutputPin::~CTimeShiftOutputPin()
{
    CloseHandle(m_hStop);
    CloseHandle(m_hWake);
}

HRESULT CTimeShiftOutputPin::CheckMediaType(const CMediaType* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream && pmt->subtype == MEDIASUBTYPE_MPEG2_PROGRAM ? S_OK
                                                                                            : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTimeShiftOutputPin::GetMediaType(int iPosition, CMediaType* pmt)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    pmt->InitMediaType();
    pmt->SetType(&MEDIATYPE_Stream);
    pmt->SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
    return S_OK;
}

HRESULT CTimeShiftOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    return SetAllocatorAtLeast(pAlloc, pRequest, 8, SAMPLE_BYTES, 1);
}

HRESULT CTimeShiftOutputPin::Active()
{
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr))
        return hr;
    ResetEvent(m_hStop);
    SetEvent(m_hWake);
    m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, ThreadProc, this, 0, NULL));
    return m_hThread != NULL ? S_OK : E_OUTOFMEMORY;
}

HRESULT CTimeShiftOutputPin::Inactive()
{
    SetEvent(m_hStop);
    // A delivery waiting for a free sample ends when the samples go.
    HRESULT hr = CBaseOutputPin::Inactive();
    if (m_hThread != NULL)
    {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    return hr;
}

unsigned __stdcall CTimeShiftOutputPin::ThreadProc(void* pv)
{
    static_cast<CTimeShiftOutputPin*>(pv)->Run();
    return 0;
}

void CTimeShiftOutputPin::Run()
{
    HANDLE handles[2] = { m_hStop, m_hWake };
    for (;;)
    {
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return;
        for (;;)
        {
            if (WaitForSingleObject(m_hStop, 0) == WAIT_OBJECT_0)
                return;
            IMediaSample* pSample = nullptr;
            if (FAILED(GetDeliveryBuffer(&pSample, nullptr, nullptr, 0)))
                return;
            BYTE* p = nullptr;
            pSample->GetPointer(&p);
            BOOL bFlush = FALSE, bBreak = FALSE, bEnded = FALSE;
            DWORD cb = m_pTimeShift->TakeBytes(p, static_cast<DWORD>(pSample->GetSize()), &bFlush, &bBreak, &bEnded);
            if (bFlush)
            {
                DeliverBeginFlush();
                DeliverEndFlush();
                DeliverNewSegment(0, MAXLONGLONG, 1.0);
            }
            if (cb == 0)
            {
                pSample->Release();
                if (bEnded)
                    DeliverEndOfStream();
                break;
            }
            pSample->SetActualDataLength(static_cast<long>(cb));
            pSample->SetTime(nullptr, nullptr);
            pSample->SetSyncPoint(FALSE);
            pSample->SetDiscontinuity(bBreak || bFlush);
            Deliver(pSample);
            pSample->Release();
        }
    }
}

CUnknown* CALLBACK CTimeShiftBufferFilter::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CTimeShiftBufferFilter* p = new (std::nothrow) CTimeShiftBufferFilter(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CTimeShiftBufferFilter::CTimeShiftBufferFilter(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("Time Shift", pUnk, &m_lock, CLSID_TimeShiftStandin, phr), m_pInput(nullptr), m_pOutput(nullptr),
      m_llSize(DEFAULT_BUFFER_BYTES), m_dwReserve(0), m_hMedia(INVALID_HANDLE_VALUE),
      m_hIndex(INVALID_HANDLE_VALUE), m_llWritten(0), m_llRead(0), m_llPacks(0), m_bPaused(FALSE),
      m_bFlush(FALSE), m_bBreak(FALSE), m_bInputEnded(FALSE), m_bEndSent(FALSE)
{
    memset(m_tail, 0xFF, sizeof(m_tail));
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH - 16, szTemp);
    lstrcpyA(m_szMediaFile, szTemp);
    lstrcatA(m_szMediaFile, "~TS.mpg");
    lstrcpyA(m_szIndexFile, szTemp);
    lstrcatA(m_szIndexFile, "~TS.idx");
    m_hInputEnded = CreateEvent(NULL, TRUE, FALSE, NULL);
    m_pInput = new (std::nothrow) CTimeShiftInputPin(this, &m_lock, phr);
    m_pOutput = new (std::nothrow) CTimeShiftOutputPin(this, &m_lock, phr);
}

CTimeShiftBufferFilter::~CTimeShiftBufferFilter()
{
    delete m_pInput;
    delete m_pOutput;
    CloseFiles();
    CloseHandle(m_hInputEnded);
}

STDMETHODIMP CTimeShiftBufferFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_ITimeShiftControl)
        return GetInterface(static_cast<ITimeShiftControl*>(this), ppv);
    if (riid == IID_ITimeShiftStandinState)
        return GetInterface(static_cast<ITimeShiftStandinState*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CTimeShiftBufferFilter::GetPin(int n)
{
    if (n == 0)
        return m_pInput;
    return n == 1 ? m_pOutput : nullptr;
}

STDMETHODIMP CTimeShiftBufferFilter::Pause()
{
    CAutoLock lock(&m_lock);
    if (m_State == State_Stopped)
    {
        HRESULT hr = OpenFiles();
        if (FAILED(hr))
            return hr;
    }
    return CBaseFilter::Pause();
}

STDMETHODIMP CTimeShiftBufferFilter::Stop()
{
    CAutoLock lock(&m_lock);
    HRESULT hr = CBaseFilter::Stop();
    CloseFiles();
    return hr;
}

HRESULT CTimeShiftBufferFilter::OpenFiles()
{
    CloseFiles();
    CAutoLock lock(&m_dataLock);
    m_hMedia = CreateFileA(m_szMediaFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_hMedia == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());
    m_hIndex = CreateFileA(m_szIndexFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           NULL);
    if (m_hIndex == INVALID_HANDLE_VALUE)
    {
        HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        CloseHandle(m_hMedia);
        m_hMedia = INVALID_HANDLE_VALUE;
        return hr;
    }
    size_t nBlocks = static_cast<size_t>((m_llSize + TIMESHIFT_BLOCK_BYTES - 1) / TIMESHIFT_BLOCK_BYTES);
    m_index.assign(nBlocks, TimeShiftIndexRecord{ -1, -1 });
    DWORD cbWritten = 0;
    WriteFile(m_hIndex, m_index.data(), static_cast<DWORD>(nBlocks * sizeof(TimeShiftIndexRecord)), &cbWritten, NULL);
    m_llWritten = 0;
    m_llRead = 0;
    m_llPacks = 0;
    memset(m_tail, 0xFF, sizeof(m_tail));
    m_bFlush = FALSE;
    m_bBreak = FALSE;
    m_bInputEnded = FALSE;
    m_bEndSent = FALSE;
    ResetEvent(m_hInputEnded);
    return S_OK;
}

void CTimeShiftBufferFilter::CloseFiles()
{
    CAutoLock lock(&m_dataLock);
    if (m_hMedia != INVALID_HANDLE_VALUE)
        CloseHandle(m_hMedia);
    if (m_hIndex != INVALID_HANDLE_VALUE)
        CloseHandle(m_hIndex);
    m_hMedia = INVALID_HANDLE_VALUE;
    m_hIndex = INVALID_HANDLE_VALUE;
}

BOOL CTimeShiftBufferFilter::FileAt(HANDLE hFile, LONGLONG llPosition, BYTE* pRead, const BYTE* pWrite, DWORD cb)
{
    LARGE_INTEGER li;
    li.QuadPart = llPosition;
    if (!SetFilePointerEx(hFile, li, NULL, FILE_BEGIN))
        return FALSE;
    DWORD cbDone = 0;
    BOOL bOk = pWrite != nullptr ? WriteFile(hFile, pWrite, cb, &cbDone, NULL) : ReadFile(hFile, pRead, cb, &cbDone, NULL);
    return bOk && cbDone == cb;
}

BOOL CTimeShiftBufferFilter::RingAt(LONGLONG llPosition, BYTE* pRead, const BYTE* pWrite, DWORD cb)
{
    LONGLONG llAt = llPosition % m_llSize;
    DWORD cbFirst = llAt + cb > m_llSize ? static_cast<DWORD>(m_llSize - llAt) : cb;
    if (!FileAt(m_hMedia, llAt, pRead, pWrite, cbFirst))
        return FALSE;
    return cbFirst == cb ||
           FileAt(m_hMedia, 0, pRead != nullptr ? pRead + cbFirst : nullptr,
                  pWrite != nullptr ? pWrite + cbFirst : nullptr, cb - cbFirst);
}

LONGLONG CTimeShiftBufferFilter::WindowStart() const
{
    return m_llWritten > m_llSize ? m_llWritten - m_llSize : 0;
}

void CTimeShiftBufferFilter::NotePack(LONGLONG llPosition)
{
    ++m_llPacks;
    LONGLONG llBlock = llPosition / TIMESHIFT_BLOCK_BYTES * TIMESHIFT_BLOCK_BYTES;
    size_t slot = static_cast<size_t>((llPosition / TIMESHIFT_BLOCK_BYTES) % static_cast<LONGLONG>(m_index.size()));
    TimeShiftIndexRecord& record = m_index[slot];
    if (record.llBlock == llBlock)
        return;
    record.llBlock = llBlock;
    record.llFirstPack = llPosition;
    FileAt(m_hIndex, static_cast<LONGLONG>(slot * sizeof(record)), nullptr, reinterpret_cast<const BYTE*>(&record),
           sizeof(record));
}

LONGLONG CTimeShiftBufferFilter::PackAtOrBefore(LONGLONG llPosition) const
{
    LONGLONG llStart = WindowStart();
    for (LONGLONG b = llPosition / TIMESHIFT_BLOCK_BYTES; b >= llStart / TIMESHIFT_BLOCK_BYTES; --b)
    {
        const TimeShiftIndexRecord& record = m_index[static_cast<size_t>(b % static_cast<LONGLONG>(m_index.size()))];
        if (record.llBlock == b * TIMESHIFT_BLOCK_BYTES && record.llFirstPack <= llPosition &&
            record.llFirstPack >= llStart)
            return record.llFirstPack;
    }
    return PackAtOrAfter(llStart);
}

LONGLONG CTimeShiftBufferFilter::PackAtOrAfter(LONGLONG llPosition) const
{
    if (m_index.empty())
        return llPosition;
    for (LONGLONG b = llPosition / TIMESHIFT_BLOCK_BYTES; b * TIMESHIFT_BLOCK_BYTES < m_llWritten; ++b)
    {
        const TimeShiftIndexRecord& record = m_index[static_cast<size_t>(b % static_cast<LONGLONG>(m_index.size()))];
        if (record.llBlock == b * TIMESHIFT_BLOCK_BYTES && record.llFirstPack >= llPosition)
            return record.llFirstPack;
    }
    return m_llWritten;
}

// The index knows a block's first pack; the buffer itself tells the last
// one that starts at or before the position.
LONGLONG CTimeShiftBufferFilter::LastPackFrom(LONGLONG llPack, LONGLONG llPosition)
{
    if (llPack > llPosition)
        return llPack;
    LONGLONG llLast = llPack;
    LONGLONG llEnd = llPosition + 4 < m_llWritten ? llPosition + 4 : m_llWritten;
    std::vector<BYTE> bytes(static_cast<size_t>(llEnd - llPack));
    if (!RingAt(llPack, bytes.data(), nullptr, static_cast<DWORD>(bytes.size())))
        return llPack;
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
    {
        if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 1 && bytes[i + 3] == 0xBA)
            llLast = llPack + static_cast<LONGLONG>(i);
    }
    return llLast;
}

// The first pack that starts at or after the position, read from the
// buffer up to the next one the index knows.
LONGLONG CTimeShiftBufferFilter::FirstPackFrom(LONGLONG llPosition)
{
    LONGLONG llIndexed = PackAtOrAfter(llPosition);
    BYTE chunk[4096 + 3];
    for (LONGLONG llAt = llPosition; llAt + 4 <= llIndexed && llAt + 4 <= m_llWritten; llAt += 4096)
    {
        LONGLONG llEnd = llAt + static_cast<LONGLONG>(sizeof(chunk));
        if (llEnd > m_llWritten)
            llEnd = m_llWritten;
        DWORD cb = static_cast<DWORD>(llEnd - llAt);
        if (!RingAt(llAt, chunk, nullptr, cb))
            return llIndexed;
        for (DWORD i = 0; i + 4 <= cb; ++i)
        {
            if (chunk[i] == 0 && chunk[i + 1] == 0 && chunk[i + 2] == 1 && chunk[i + 3] == 0xBA)
                return llAt + i < llIndexed ? llAt + i : llIndexed;
        }
    }
    return llIndexed;
}

HRESULT CTimeShiftBufferFilter::Write(const BYTE* pData, DWORD cbData)
{
    {
        CAutoLock lock(&m_dataLock);
        if (m_hMedia == INVALID_HANDLE_VALUE)
            return VFW_E_WRONG_STATE;
        for (DWORD i = 0; i < cbData; ++i)
        {
            if (m_tail[0] == 0 && m_tail[1] == 0 && m_tail[2] == 1 && pData[i] == 0xBA)
                NotePack(m_llWritten + i - 3);
            m_tail[0] = m_tail[1];
            m_tail[1] = m_tail[2];
            m_tail[2] = pData[i];
        }
        // A sample larger than the ring leaves only its end.
        DWORD cbSkip = cbData > m_llSize ? static_cast<DWORD>(cbData - m_llSize) : 0;
        if (!RingAt(m_llWritten + cbSkip, nullptr, pData + cbSkip, cbData - cbSkip))
            return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
        m_llWritten += cbData;
        // Overtaken: what play-back had not reached is gone; on from the
        // oldest pack still buffered, after a flush.
        if (m_llRead < WindowStart())
        {
            m_llRead = FirstPackFrom(WindowStart());
            m_bFlush = TRUE;
            m_bBreak = TRUE;
        }
    }
    m_pOutput->Wake();
    return S_OK;
}

DWORD CTimeShiftBufferFilter::TakeBytes(BYTE* pBuffer, DWORD cbMax, BOOL* pbFlush, BOOL* pbBreak, BOOL* pbEnded)
{
    CAutoLock lock(&m_dataLock);
    *pbFlush = m_bFlush;
    m_bFlush = FALSE;
    *pbEnded = FALSE;
    if (m_bPaused || m_hMedia == INVALID_HANDLE_VALUE)
        return 0;
    LONGLONG llAvailable = m_llWritten - m_llRead;
    if (llAvailable <= 0)
    {
        *pbEnded = m_bInputEnded && !m_bEndSent;
        m_bEndSent |= *pbEnded;
        return 0;
    }
    DWORD cb = llAvailable < cbMax ? static_cast<DWORD>(llAvailable) : cbMax;
    if (!RingAt(m_llRead, pBuffer, nullptr, cb))
        return 0;
    m_llRead += cb;
    *pbBreak = m_bBreak;
    m_bBreak = FALSE;
    return cb;
}

STDMETHODIMP CTimeShiftBufferFilter::SetReadPosition(LONGLONG* pllPosition)
{
    if (pllPosition == nullptr)
        return E_POINTER;
    {
        CAutoLock lock(&m_dataLock);
        LONGLONG llStart = WindowStart();
        LONGLONG llTarget = *pllPosition < 0 ? 0 : *pllPosition;
        if (llTarget > m_llWritten - llStart)
            llTarget = m_llWritten - llStart;
        m_llRead = m_index.empty() ? llStart + llTarget : LastPackFrom(PackAtOrBefore(llStart + llTarget),
                                                                       llStart + llTarget);
        m_bFlush = TRUE;
        m_bBreak = TRUE;
        m_bEndSent = FALSE;
    }
    m_pOutput->Wake();
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen,
                                                  LONGLONG* pllTotalBufLen)
{
    if (pllReadPos == nullptr || pllCurBufLen == nullptr || pllTotalBufLen == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_dataLock);
    LONGLONG llStart = WindowStart();
    *pllReadPos = m_llRead - llStart;
    *pllCurBufLen = m_llWritten - llStart;
    *pllTotalBufLen = m_llSize;
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::SetBufferSize(LONGLONG* pllSize, DWORD dwReserve)
{
    if (pllSize == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_lock);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (*pllSize < TIMESHIFT_BLOCK_BYTES)
        return E_INVALIDARG;
    CAutoLock data(&m_dataLock);
    m_llSize = *pllSize;
    m_dwReserve = dwReserve;
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::GetReserve(DWORD* pdwReserve)
{
    if (pdwReserve == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_dataLock);
    *pdwReserve = m_dwReserve;
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::TogglePause()
{
    {
        CAutoLock lock(&m_dataLock);
        m_bPaused = !m_bPaused;
    }
    m_pOutput->Wake();
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::SetFileNames(LPCSTR pszMediaFile, LPCSTR pszIndexFile)
{
    if (pszMediaFile == nullptr || pszIndexFile == nullptr)
        return E_POINTER;
    if (lstrlenA(pszMediaFile) >= MAX_PATH || lstrlenA(pszIndexFile) >= MAX_PATH)
        return E_INVALIDARG;
    CAutoLock lock(&m_lock);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    lstrcpyA(m_szMediaFile, pszMediaFile);
    lstrcpyA(m_szIndexFile, pszIndexFile);
    return S_OK;
}

STDMETHODIMP CTimeShiftBufferFilter::WaitForInputEnd(DWORD dwMilliseconds)
{
    return WaitForSingleObject(m_hInputEnded, dwMilliseconds) == WAIT_OBJECT_0 ? S_OK : S_FALSE;
}

STDMETHODIMP CTimeShiftBufferFilter::GetIndexedPacks(LONGLONG* pllPacks)
{
    if (pllPacks == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_dataLock);
    *pllPacks = m_llPacks;
    return S_OK;
}

#include "platform/standins/sysfilters/AviMux.h"

#include <uuids.h>

#include <algorithm>
#include <new>
#include <stdio.h>
#include <string.h>

namespace
{
const long kBufferBytes = 1024 * 1024;
const long kBuffers = 4;
// The movi list's data starts on this boundary; the room before it is the
// header, padded with a JUNK chunk.
const DWORD kHeaderAlign = 2048;
const DWORD kIndexKeyFrame = 0x10;  // AVIIF_KEYFRAME
const DWORD kHasIndex = 0x10;       // AVIF_HASINDEX
const DWORD kInterleaved = 0x100;   // AVIF_ISINTERLEAVED
const LONGLONG kSecond = 10000000;
// A gap in the pictures' times longer than this is a fault of the source,
// not missed frames: it is not filled.
const DWORD kMaxFill = 250;
// The sizes and index offsets of an AVI 1.0 file are 32-bit.
const LONGLONG kMaxFileBytes = 0xFFFFFFFFll;

DWORD Fourcc(const char* p)
{
    return static_cast<DWORD>(static_cast<BYTE>(p[0])) | (static_cast<DWORD>(static_cast<BYTE>(p[1])) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(p[2])) << 16) | (static_cast<DWORD>(static_cast<BYTE>(p[3])) << 24);
}

// Little-endian RIFF bytes.
class CRiffBytes
{
public:
    void U32(DWORD v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    }
    void U16(WORD v)
    {
        m_bytes.push_back(static_cast<BYTE>(v));
        m_bytes.push_back(static_cast<BYTE>(v >> 8));
    }
    void Fcc(const char* p) { U32(Fourcc(p)); }
    void Bytes(const BYTE* p, size_t cb) { m_bytes.insert(m_bytes.end(), p, p + cb); }
    void Zeros(size_t cb) { m_bytes.insert(m_bytes.end(), cb, 0); }
    // A list or chunk header whose size is set by End.
    size_t Begin(const char* pszId, const char* pszList)
    {
        Fcc(pszId);
        size_t at = m_bytes.size();
        U32(0);
        if (pszList != nullptr)
            Fcc(pszList);
        return at;
    }
    void End(size_t at)
    {
        if (m_bytes.size() % 2 != 0)
            m_bytes.push_back(0);
        Patch(at, static_cast<DWORD>(m_bytes.size() - at - 4));
    }
    void Patch(size_t at, DWORD v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + i] = static_cast<BYTE>(v >> (8 * i));
    }
    size_t Size() const { return m_bytes.size(); }
    std::vector<BYTE>& Data() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

LONGLONG Gcd(LONGLONG a, LONGLONG b)
{
    while (b != 0)
    {
        LONGLONG t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// The frame time as the stream header's scale and rate (rate / scale frames a second).
void FrameTimeToRate(LONGLONG llFrameTime, DWORD* pScale, DWORD* pRate)
{
    LONGLONG scale = llFrameTime > 0 ? llFrameTime : 400000;
    LONGLONG rate = kSecond;
    LONGLONG g = Gcd(scale, rate);
    *pScale = static_cast<DWORD>(scale / g);
    *pRate = static_cast<DWORD>(rate / g);
}
}  // namespace

// Inputs.

CAviMuxInputPin::CAviMuxInputPin(CAviMux* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, int nIndex)
    : CBaseInputPin("AVI mux input", pFilter, pLock, phr, pName), m_pMux(pFilter), m_nIndex(nIndex),
      m_bEnded(FALSE)
{
}

HRESULT CAviMuxInputPin::CheckMediaType(const CMediaType* pmt)
{
    if (pmt->pbFormat == nullptr)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (pmt->majortype == MEDIATYPE_Video && pmt->formattype == FORMAT_VideoInfo &&
        pmt->cbFormat >= sizeof(VIDEOINFOHEADER))
    {
        const VIDEOINFOHEADER* pInfo = reinterpret_cast<const VIDEOINFOHEADER*>(pmt->pbFormat);
        return pInfo->bmiHeader.biWidth > 0 && pInfo->bmiHeader.biHeight != 0 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (pmt->majortype == MEDIATYPE_Audio && pmt->formattype == FORMAT_WaveFormatEx &&
        pmt->cbFormat >= sizeof(PCMWAVEFORMAT))
    {
        const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(pmt->pbFormat);
        return pWave->nBlockAlign > 0 && pWave->nAvgBytesPerSec > 0 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAviMuxInputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = CBaseInputPin::CompleteConnect(pReceivePin);
    if (SUCCEEDED(hr))
        m_pMux->AddFreeInput();
    return hr;
}

HRESULT CAviMuxInputPin::Active()
{
    m_bEnded = FALSE;
    return CBaseInputPin::Active();
}

STDMETHODIMP CAviMuxInputPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pMux->m_writeLock);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    BYTE* p = nullptr;
    if (FAILED(pSample->GetPointer(&p)) || p == nullptr)
        return E_POINTER;
    long cb = pSample->GetActualDataLength();
    REFERENCE_TIME tStart = 0, tStop = 0;
    BOOL bTimed = SUCCEEDED(pSample->GetTime(&tStart, &tStop));
    return m_pMux->WriteSample(m_nIndex, p, cb, pSample->IsSyncPoint() == S_OK, bTimed ? &tStart : nullptr);
}

STDMETHODIMP CAviMuxInputPin::EndOfStream()
{
    CAutoLock lock(&m_pMux->m_writeLock);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    m_bEnded = TRUE;
    m_pMux->EndOfInput();
    return S_OK;
}

// Output.

CAviMuxOutputPin::CAviMuxOutputPin(CAviMux* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseOutputPin("AVI mux output", pFilter, pLock, phr, L"AVI Out")
{
}

HRESULT CAviMuxOutputPin::CheckMediaType(const CMediaType* pmt)
{
    return pmt->majortype == MEDIATYPE_Stream && (pmt->subtype == MEDIASUBTYPE_Avi || pmt->subtype == GUID_NULL)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAviMuxOutputPin::GetMediaType(int iPosition, CMediaType* pmt)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    pmt->InitMediaType();
    pmt->SetType(&MEDIATYPE_Stream);
    pmt->SetSubtype(&MEDIASUBTYPE_Avi);
    pmt->SetFormatType(&FORMAT_None);
    pmt->SetVariableSize();
    return S_OK;
}

HRESULT CAviMuxOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    return SetBufferProperties(pAlloc, pRequest, kBuffers, kBufferBytes);
}

// The filter.

CUnknown* CALLBACK CAviMux::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CAviMux* p = new (std::nothrow) CAviMux(pUnk, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CAviMux::CAviMux(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("AVI Mux", pUnk, &m_lock, CLSID_AviDest, phr), m_pOutput(nullptr), m_cbHeader(0), m_llEnd(0),
      m_bOpen(FALSE), m_bFinished(FALSE), m_bFailed(FALSE), m_lMaster(-1), m_bOldIndex(TRUE),
      m_mode(INTERLEAVE_NONE), m_rtInterleave(kSecond), m_rtPreroll(0)
{
    m_pOutput = new (std::nothrow) CAviMuxOutputPin(this, &m_lock, phr);
    if (m_pOutput == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    AddFreeInput();
}

CAviMux::~CAviMux()
{
    for (CAviMuxInputPin* p : m_inputs)
        delete p;
    delete m_pOutput;
}

STDMETHODIMP CAviMux::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IConfigAviMux)
        return GetInterface(static_cast<IConfigAviMux*>(this), ppv);
    if (riid == IID_IConfigInterleaving)
        return GetInterface(static_cast<IConfigInterleaving*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

// The inputs first, then "AVI Out".
int CAviMux::GetPinCount()
{
    return static_cast<int>(m_inputs.size()) + 1;
}

CBasePin* CAviMux::GetPin(int n)
{
    if (n < 0)
        return nullptr;
    if (n < static_cast<int>(m_inputs.size()))
        return m_inputs[n];
    return n == static_cast<int>(m_inputs.size()) ? m_pOutput : nullptr;
}

void CAviMux::AddFreeInput()
{
    for (CAviMuxInputPin* p : m_inputs)
    {
        if (!p->IsConnected())
            return;
    }
    WCHAR szName[32];
    int nIndex = static_cast<int>(m_inputs.size());
    swprintf(szName, 32, L"Input %02d", nIndex + 1);
    HRESULT hr = S_OK;
    CAviMuxInputPin* pPin = new (std::nothrow) CAviMuxInputPin(this, &m_lock, &hr, szName, nIndex);
    if (pPin == nullptr)
        return;
    m_inputs.push_back(pPin);
    IncrementPinVersion();
}

STDMETHODIMP CAviMux::Pause()
{
    CAutoLock lock(&m_lock);
    FILTER_STATE old = m_State;
    HRESULT hr = CBaseFilter::Pause();
    if (FAILED(hr))
        return hr;
    CAutoLock write(&m_writeLock);
    if (old == State_Stopped)
        return BeginFile();
    // Leaving the running state: the writer behind is still open (it stops
    // first), so the file is made whole now.
    if (old == State_Running)
        FinishFile();
    return S_OK;
}

STDMETHODIMP CAviMux::Run(REFERENCE_TIME tStart)
{
    CAutoLock lock(&m_lock);
    FILTER_STATE old = m_State;
    HRESULT hr = CBaseFilter::Run(tStart);
    if (SUCCEEDED(hr) && old == State_Paused)
    {
        // Running again after a pause: the data goes on where it ended (over
        // the index), and the file is finished again later.
        CAutoLock write(&m_writeLock);
        if (m_bFinished && !m_bFailed)
        {
            m_bFinished = FALSE;
            m_bOpen = TRUE;
        }
    }
    return hr;
}

STDMETHODIMP CAviMux::Stop()
{
    CAutoLock lock(&m_lock);
    {
        CAutoLock write(&m_writeLock);
        if (m_bOpen)
            FinishFile();
        m_bOpen = FALSE;
        m_bFinished = FALSE;
    }
    return CBaseFilter::Stop();
}

HRESULT CAviMux::BeginFile()
{
    m_streams.clear();
    m_index.clear();
    m_streamOfPin.assign(m_inputs.size(), -1);
    m_bOpen = FALSE;
    m_bFinished = FALSE;
    m_bFailed = FALSE;
    for (size_t i = 0; i < m_inputs.size(); ++i)
    {
        CAviMuxInputPin* pPin = m_inputs[i];
        if (!pPin->IsConnected())
            continue;
        const CMediaType& mt = pPin->CurrentMediaType();
        Stream s;
        s.pPin = pPin;
        s.bVideo = mt.majortype == MEDIATYPE_Video;
        char szId[5];
        int nStream = static_cast<int>(m_streams.size());
        if (s.bVideo)
        {
            const VIDEOINFOHEADER* pInfo = reinterpret_cast<const VIDEOINFOHEADER*>(mt.pbFormat);
            const BYTE* pBits = reinterpret_cast<const BYTE*>(&pInfo->bmiHeader);
            s.format.assign(pBits, static_cast<const BYTE*>(mt.pbFormat + mt.cbFormat));
            s.llFrameTime = pInfo->AvgTimePerFrame > 0 ? pInfo->AvgTimePerFrame : 400000;
            FrameTimeToRate(s.llFrameTime, &s.dwScale, &s.dwRate);
            s.width = pInfo->bmiHeader.biWidth;
            s.height = pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight : pInfo->bmiHeader.biHeight;
            snprintf(szId, sizeof(szId), "%02d%s", nStream, pInfo->bmiHeader.biCompression == BI_RGB ? "db" : "dc");
        }
        else
        {
            const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat);
            size_t cbWave = mt.cbFormat >= sizeof(WAVEFORMATEX) ? sizeof(WAVEFORMATEX) + pWave->cbSize : mt.cbFormat;
            cbWave = std::min<size_t>(cbWave, mt.cbFormat);
            s.format.assign(mt.pbFormat, mt.pbFormat + cbWave);
            if (s.format.size() < sizeof(WAVEFORMATEX))
                s.format.resize(sizeof(WAVEFORMATEX), 0);  // cbSize 0
            s.dwScale = pWave->nBlockAlign;
            s.dwRate = pWave->nAvgBytesPerSec;
            s.dwSampleSize = pWave->nBlockAlign;
            snprintf(szId, sizeof(szId), "%02dwb", nStream);
        }
        s.fourcc = Fourcc(szId);
        m_streamOfPin[i] = nStream;
        m_streams.push_back(s);
    }
    if (m_streams.empty())
        return S_OK;
    std::vector<BYTE> header = BuildHeader();
    m_cbHeader = static_cast<DWORD>(header.size());
    m_llEnd = m_cbHeader;
    HRESULT hr = Write(0, header.data(), header.size());
    if (FAILED(hr))
        return hr;
    m_bOpen = TRUE;
    return S_OK;
}

std::vector<BYTE> CAviMux::BuildHeader() const
{
    CRiffBytes b;
    size_t riff = b.Begin("RIFF", "AVI ");
    size_t hdrl = b.Begin("LIST", "hdrl");

    const Stream* pVideo = nullptr;
    DWORD dwMaxBytesPerSec = 0, dwMaxChunk = 0;
    for (const Stream& s : m_streams)
    {
        if (s.bVideo && pVideo == nullptr)
            pVideo = &s;
        dwMaxChunk = std::max(dwMaxChunk, s.dwMaxChunk);
        if (s.bVideo)
            dwMaxBytesPerSec += s.dwScale > 0 ? static_cast<DWORD>(static_cast<ULONGLONG>(s.dwMaxChunk) * s.dwRate /
                                                                   s.dwScale)
                                              : 0;
        else
            dwMaxBytesPerSec += s.dwRate;
    }
    size_t avih = b.Begin("avih", nullptr);
    b.U32(pVideo != nullptr ? static_cast<DWORD>(static_cast<ULONGLONG>(pVideo->dwScale) * 1000000 / pVideo->dwRate)
                            : 0);
    b.U32(dwMaxBytesPerSec);
    b.U32(0);  // padding granularity
    b.U32(kHasIndex | (m_streams.size() > 1 ? kInterleaved : 0));
    b.U32(pVideo != nullptr ? pVideo->dwLength : 0);
    b.U32(0);  // initial frames
    b.U32(static_cast<DWORD>(m_streams.size()));
    b.U32(dwMaxChunk + 8);
    b.U32(pVideo != nullptr ? static_cast<DWORD>(pVideo->width) : 0);
    b.U32(pVideo != nullptr ? static_cast<DWORD>(pVideo->height) : 0);
    b.Zeros(16);
    b.End(avih);

    for (const Stream& s : m_streams)
    {
        size_t strl = b.Begin("LIST", "strl");
        size_t strh = b.Begin("strh", nullptr);
        if (s.bVideo)
        {
            const BITMAPINFOHEADER* pBits = reinterpret_cast<const BITMAPINFOHEADER*>(s.format.data());
            b.Fcc("vids");
            b.U32(pBits->biCompression == BI_RGB ? 0 : pBits->biCompression);
        }
        else
        {
            b.Fcc("auds");
            b.U32(0);
        }
        b.U32(0);  // flags
        b.U16(0);  // priority
        b.U16(0);  // language
        b.U32(0);  // initial frames
        b.U32(s.dwScale);
        b.U32(s.dwRate);
        b.U32(0);  // start
        b.U32(s.dwLength);
        b.U32(s.dwMaxChunk);
        b.U32(0xFFFFFFFF);  // quality: the default
        b.U32(s.dwSampleSize);
        b.U16(0);
        b.U16(0);
        b.U16(static_cast<WORD>(s.width));
        b.U16(static_cast<WORD>(s.height));
        b.End(strh);
        size_t strf = b.Begin("strf", nullptr);
        b.Bytes(s.format.data(), s.format.size());
        b.End(strf);
        b.End(strl);
    }
    b.End(hdrl);

    // JUNK up to the boundary, then the movi list's header.
    size_t target = (b.Size() + 8 + 12 + kHeaderAlign - 1) / kHeaderAlign * kHeaderAlign;
    size_t junk = b.Begin("JUNK", nullptr);
    b.Zeros(target - b.Size() - 12);
    b.End(junk);
    size_t movi = b.Begin("LIST", "movi");
    // The sizes of what follows the header: the movi list's data, and the
    // index after it once the file is finished.
    LONGLONG llData = m_llEnd > m_cbHeader ? m_llEnd - m_cbHeader : 0;
    b.Patch(movi, static_cast<DWORD>(4 + llData));
    LONGLONG llIndex = m_bFinished && m_bOldIndex ? 8 + static_cast<LONGLONG>(m_index.size()) * sizeof(IndexEntry) : 0;
    b.Patch(riff, static_cast<DWORD>(b.Size() - 8 + llData + llIndex));
    return b.Data();
}

HRESULT CAviMux::WriteSample(int nPin, const BYTE* p, long cb, BOOL bSync, const REFERENCE_TIME* ptStart)
{
    if (!m_bOpen || m_bFailed || nPin < 0 || nPin >= static_cast<int>(m_streamOfPin.size()) ||
        m_streamOfPin[nPin] < 0)
        return S_OK;
    if (cb < 0)
        return E_INVALIDARG;
    Stream& s = m_streams[m_streamOfPin[nPin]];
    // A file that would outgrow its 32-bit sizes is finished whole instead,
    // and the graph told; what comes after is not written.
    LONGLONG llIndex = 8 + static_cast<LONGLONG>(m_index.size() + kMaxFill + 2) * sizeof(IndexEntry);
    if (m_llEnd + 8 + cb + 1 + kMaxFill * 8 + llIndex > kMaxFileBytes)
    {
        FinishFile();
        m_bFailed = TRUE;
        NotifyEvent(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE), 0);
        return S_FALSE;
    }
    BOOL bKey = bSync || !s.pPin->CurrentMediaType().bTemporalCompression || !s.bVideo;
    if (s.bVideo && ptStart != nullptr)
    {
        // Missed pictures (by the times) become empty chunks, so that the
        // pictures after them keep their place in time.
        if (s.llFirstTime < 0)
            s.llFirstTime = *ptStart;
        LONGLONG llDue = (*ptStart - s.llFirstTime + s.llFrameTime / 2) / s.llFrameTime;
        if (llDue > s.dwLength && llDue - s.dwLength <= kMaxFill)
        {
            for (LONGLONG i = s.dwLength; i < llDue; ++i)
            {
                HRESULT hr = AddChunk(s, nullptr, 0, FALSE);
                if (FAILED(hr))
                    return hr;
            }
        }
        else if (llDue > s.dwLength || llDue < static_cast<LONGLONG>(s.dwLength) - 1)
        {
            // Times that jump (or run back): the pictures count from here on.
            s.llFirstTime = *ptStart - static_cast<LONGLONG>(s.dwLength) * s.llFrameTime;
        }
    }
    return AddChunk(s, p, cb, bKey);
}

HRESULT CAviMux::AddChunk(Stream& s, const BYTE* p, long cb, BOOL bKey)
{
    BYTE head[8];
    memcpy(head, &s.fourcc, 4);
    DWORD dwSize = static_cast<DWORD>(cb);
    memcpy(head + 4, &dwSize, 4);
    LONGLONG llAt = m_llEnd;
    HRESULT hr = Write(llAt, head, sizeof(head));
    if (SUCCEEDED(hr) && cb > 0)
        hr = Write(llAt + 8, p, static_cast<size_t>(cb));
    static const BYTE kPad = 0;
    if (SUCCEEDED(hr) && cb % 2 != 0)
        hr = Write(llAt + 8 + cb, &kPad, 1);
    if (FAILED(hr))
        return hr;
    m_llEnd = llAt + 8 + cb + (cb % 2);
    // Index offsets count from the movi list's type ("movi").
    IndexEntry entry = { s.fourcc, bKey ? kIndexKeyFrame : 0, static_cast<DWORD>(llAt - (m_cbHeader - 4)), dwSize };
    m_index.push_back(entry);
    s.llBytes += cb;
    s.dwMaxChunk = std::max(s.dwMaxChunk, dwSize);
    if (s.bVideo)
        ++s.dwLength;
    else
        s.dwLength = static_cast<DWORD>(s.llBytes / s.dwSampleSize);
    return S_OK;
}

HRESULT CAviMux::FinishFile()
{
    if (!m_bOpen)
        return S_OK;
    m_bOpen = FALSE;
    m_bFinished = TRUE;
    if (m_bFailed)
        return E_FAIL;
    // With a sound stream as the master, the pictures take the sound's
    // duration: their rate is what the card really delivered.
    if (m_lMaster >= 0 && m_lMaster < static_cast<LONG>(m_streams.size()))
    {
        const Stream& master = m_streams[m_lMaster];
        if (!master.bVideo && master.llBytes > 0 && master.dwRate > 0)
        {
            LONGLONG llDuration = master.llBytes * kSecond / master.dwRate;
            for (Stream& s : m_streams)
            {
                if (s.bVideo && s.dwLength > 0 && llDuration / s.dwLength > 0)
                    FrameTimeToRate(llDuration / s.dwLength, &s.dwScale, &s.dwRate);
            }
        }
    }
    HRESULT hr = S_OK;
    if (m_bOldIndex)
    {
        BYTE head[8];
        DWORD dwFcc = Fourcc("idx1");
        DWORD dwSize = static_cast<DWORD>(m_index.size() * sizeof(IndexEntry));
        memcpy(head, &dwFcc, 4);
        memcpy(head + 4, &dwSize, 4);
        hr = Write(m_llEnd, head, sizeof(head));
        if (SUCCEEDED(hr) && dwSize > 0)
            hr = Write(m_llEnd + 8, reinterpret_cast<const BYTE*>(m_index.data()), dwSize);
    }
    if (SUCCEEDED(hr))
    {
        std::vector<BYTE> header = BuildHeader();
        hr = Write(0, header.data(), header.size());
    }
    return hr;
}

void CAviMux::EndOfInput()
{
    for (CAviMuxInputPin* p : m_inputs)
    {
        if (p->IsConnected() && !p->HasEnded())
            return;
    }
    FinishFile();
    if (m_pOutput->IsConnected())
        m_pOutput->DeliverEndOfStream();
}

// Hands the bytes to the writer in samples of the agreed allocator, each
// timed with its place in the file. A failed delivery is reported to the
// graph once, and nothing more is written.
HRESULT CAviMux::Write(LONGLONG llOffset, const BYTE* p, size_t cb)
{
    if (m_bFailed)
        return E_FAIL;
    if (!m_pOutput->IsConnected())
        return VFW_E_NOT_CONNECTED;
    while (cb > 0)
    {
        IMediaSample* pSample = nullptr;
        HRESULT hr = m_pOutput->GetDeliveryBuffer(&pSample, nullptr, nullptr, 0);
        BYTE* pTarget = nullptr;
        if (SUCCEEDED(hr))
            hr = pSample->GetPointer(&pTarget);
        if (SUCCEEDED(hr))
        {
            size_t n = std::min<size_t>(cb, static_cast<size_t>(pSample->GetSize()));
            memcpy(pTarget, p, n);
            pSample->SetActualDataLength(static_cast<long>(n));
            REFERENCE_TIME tStart = llOffset;
            REFERENCE_TIME tStop = llOffset + static_cast<LONGLONG>(n);
            pSample->SetTime(&tStart, &tStop);
            pSample->SetSyncPoint(TRUE);
            hr = m_pOutput->Deliver(pSample);
            p += n;
            cb -= n;
            llOffset += static_cast<LONGLONG>(n);
        }
        if (pSample != nullptr)
            pSample->Release();
        if (FAILED(hr))
        {
            m_bFailed = TRUE;
            NotifyEvent(EC_ERRORABORT, hr, 0);
            return hr;
        }
    }
    return S_OK;
}

// IConfigAviMux

STDMETHODIMP CAviMux::SetMasterStream(LONG iStream)
{
    CAutoLock lock(&m_lock);
    if (!IsStopped())
        return VFW_E_NOT_STOPPED;
    m_lMaster = iStream;
    return S_OK;
}

STDMETHODIMP CAviMux::GetMasterStream(LONG* pStream)
{
    if (pStream == nullptr)
        return E_POINTER;
    *pStream = m_lMaster;
    return S_OK;
}

STDMETHODIMP CAviMux::SetOutputCompatibilityIndex(BOOL fOldIndex)
{
    CAutoLock lock(&m_lock);
    if (!IsStopped())
        return VFW_E_NOT_STOPPED;
    m_bOldIndex = fOldIndex;
    return S_OK;
}

STDMETHODIMP CAviMux::GetOutputCompatibilityIndex(BOOL* pfOldIndex)
{
    if (pfOldIndex == nullptr)
        return E_POINTER;
    *pfOldIndex = m_bOldIndex;
    return S_OK;
}

// IConfigInterleaving

STDMETHODIMP CAviMux::put_Mode(InterleavingMode mode)
{
    if (mode < INTERLEAVE_NONE || mode > INTERLEAVE_NONE_BUFFERED)
        return E_INVALIDARG;
    CAutoLock lock(&m_lock);
    m_mode = mode;
    return S_OK;
}

STDMETHODIMP CAviMux::get_Mode(InterleavingMode* pMode)
{
    if (pMode == nullptr)
        return E_POINTER;
    *pMode = m_mode;
    return S_OK;
}

STDMETHODIMP CAviMux::put_Interleaving(const REFERENCE_TIME* prtInterleave, const REFERENCE_TIME* prtPreroll)
{
    if (prtInterleave == nullptr || prtPreroll == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_lock);
    m_rtInterleave = *prtInterleave;
    m_rtPreroll = *prtPreroll;
    return S_OK;
}

STDMETHODIMP CAviMux::get_Interleaving(REFERENCE_TIME* prtInterleave, REFERENCE_TIME* prtPreroll)
{
    if (prtInterleave == nullptr || prtPreroll == nullptr)
        return E_POINTER;
    *prtInterleave = m_rtInterleave;
    *prtPreroll = m_rtPreroll;
    return S_OK;
}

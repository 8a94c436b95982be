#include "platform/standins/mpegkit/Mpeg2Demux.h"

#include <new>
#include <string.h>

namespace
{
// Payloads are copied into samples of this size; a larger one takes several.
const long kBufferBytes = 128 * 1024;
const long kBuffers = 16;
}

CDemuxOutputPin::CDemuxOutputPin(CMpeg2Demux* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName,
                                 const AM_MEDIA_TYPE& mt)
    : CQueuedOutputPin("demux output", pFilter, pLock, phr, pName, kBufferBytes, kBuffers), m_type(mt)
{
}

CDemuxOutputPin::~CDemuxOutputPin()
{
}

STDMETHODIMP CDemuxOutputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMPEG2StreamIdMap)
        return GetInterface(static_cast<IMPEG2StreamIdMap*>(this), ppv);
    return CQueuedOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CDemuxOutputPin::MapStreamId(ULONG ulStreamId, DWORD dwMediaSampleContent, ULONG, int)
{
    if (ulStreamId > 0xFF || dwMediaSampleContent != MPEG2_PROGRAM_ELEMENTARY_STREAM)
        return E_INVALIDARG;
    CAutoLock lock(&m_mapLock);
    for (ULONG id : m_streamIds)
    {
        if (id == ulStreamId)
            return S_OK;
    }
    m_streamIds.push_back(ulStreamId);
    return S_OK;
}

STDMETHODIMP CDemuxOutputPin::UnmapStreamId(ULONG culStreamId, ULONG* pulStreamId)
{
    if (pulStreamId == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_mapLock);
    for (ULONG i = 0; i < culStreamId; ++i)
    {
        for (size_t j = 0; j < m_streamIds.size(); ++j)
        {
            if (m_streamIds[j] == pulStreamId[i])
            {
                m_streamIds.erase(m_streamIds.begin() + static_cast<std::ptrdiff_t>(j));
                break;
            }
        }
    }
    return S_OK;
}

STDMETHODIMP CDemuxOutputPin::EnumStreamIdMap(IEnumStreamIdMap** ppIEnumStreamIdMap)
{
    if (ppIEnumStreamIdMap != nullptr)
        *ppIEnumStreamIdMap = nullptr;
    return E_NOTIMPL;
}

BOOL CDemuxOutputPin::Carries(BYTE streamId)
{
    CAutoLock lock(&m_mapLock);
    for (ULONG id : m_streamIds)
    {
        if (id == streamId)
            return TRUE;
    }
    return FALSE;
}

HRESULT CDemuxOutputPin::SetType(const AM_MEDIA_TYPE& mt)
{
    if (IsConnected())
        return VFW_E_ALREADY_CONNECTED;
    m_type = mt;
    IncrementTypeVersion();
    return S_OK;
}

HRESULT CDemuxOutputPin::CheckMediaType(const CMediaType* pmt)
{
    return pmt->majortype == m_type.majortype && pmt->subtype == m_type.subtype ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CDemuxOutputPin::GetMediaType(int iPosition, CMediaType* pmt)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    return pmt->Set(m_type);
}

CDemuxInputPin::CDemuxInputPin(CMpeg2Demux* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseInputPin("demux input", pFilter, pLock, phr, L"MPEG-2 Stream"), m_pDemux(pFilter)
{
}

HRESULT CDemuxInputPin::CheckMediaType(const CMediaType* pmt)
{
    if (pmt->majortype != MEDIATYPE_Stream)
        return VFW_E_TYPE_NOT_ACCEPTED;
    if (pmt->subtype == MEDIASUBTYPE_MPEG2_PROGRAM || pmt->subtype == MEDIASUBTYPE_MPEG1System ||
        pmt->subtype == GUID_NULL)
        return S_OK;
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CDemuxInputPin::CompleteConnect(IPin* pReceivePin)
{
    HRESULT hr = CBaseInputPin::CompleteConnect(pReceivePin);
    return SUCCEEDED(hr) ? m_pDemux->OnInputConnected() : hr;
}

STDMETHODIMP CDemuxInputPin::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pDemux->m_receiveLock);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    return m_pDemux->Receive(pSample);
}

STDMETHODIMP CDemuxInputPin::EndOfStream()
{
    CAutoLock lock(&m_pDemux->m_receiveLock);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    for (CDemuxOutputPin* pOut : m_pDemux->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().DeliverEndOfStream();
    }
    return S_OK;
}

STDMETHODIMP CDemuxInputPin::BeginFlush()
{
    CBaseInputPin::BeginFlush();
    for (CDemuxOutputPin* pOut : m_pDemux->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().BeginFlush();
    }
    return S_OK;
}

STDMETHODIMP CDemuxInputPin::EndFlush()
{
    {
        // The sample in hand finishes first.
        CAutoLock lock(&m_pDemux->m_receiveLock);
        m_pDemux->m_parser.Reset();
        m_pDemux->ResetTimeBase();
    }
    for (CDemuxOutputPin* pOut : m_pDemux->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().EndFlush();
    }
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CDemuxInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    CBasePin::NewSegment(tStart, tStop, dRate);
    for (CDemuxOutputPin* pOut : m_pDemux->m_outputs)
    {
        if (pOut->IsConnected())
            pOut->Queue().DeliverNewSegment(tStart, tStop, dRate);
    }
    return S_OK;
}

CUnknown* CALLBACK CMpeg2Demux::CreateInstance(IUnknown* pUnk, HRESULT* phr)
{
    CMpeg2Demux* p = new (std::nothrow) CMpeg2Demux("MPEG-2 Demultiplexer", pUnk, CLSID_MPEG2Demultiplexer, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CMpeg2Demux::CMpeg2Demux(const char* pName, IUnknown* pUnk, REFCLSID clsid, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_lock, clsid, phr), m_pInput(nullptr),
      m_bHaveBase(FALSE), m_llBase(0)
{
    m_pInput = new (std::nothrow) CDemuxInputPin(this, &m_lock, phr);
}

CMpeg2Demux::~CMpeg2Demux()
{
    for (CDemuxOutputPin* p : m_outputs)
        delete p;
    delete m_pInput;
}

STDMETHODIMP CMpeg2Demux::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMpeg2Demultiplexer)
        return GetInterface(static_cast<IMpeg2Demultiplexer*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CMpeg2Demux::GetPinCount()
{
    return 1 + static_cast<int>(m_outputs.size());
}

CBasePin* CMpeg2Demux::GetPin(int n)
{
    if (n == 0)
        return m_pInput;
    if (n < 1 || n > static_cast<int>(m_outputs.size()))
        return nullptr;
    return m_outputs[n - 1];
}

CDemuxOutputPin* CMpeg2Demux::FindOutput(LPCWSTR pszName)
{
    for (CDemuxOutputPin* p : m_outputs)
    {
        if (pszName != nullptr && lstrcmpW(p->Name(), pszName) == 0)
            return p;
    }
    return nullptr;
}

STDMETHODIMP CMpeg2Demux::CreateOutputPin(AM_MEDIA_TYPE* pMediaType, LPWSTR pszPinName, IPin** ppIPin)
{
    if (pMediaType == nullptr || pszPinName == nullptr || ppIPin == nullptr)
        return E_POINTER;
    *ppIPin = nullptr;
    CAutoLock lock(&m_lock);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (FindOutput(pszPinName) != nullptr || lstrcmpW(pszPinName, m_pInput->Name()) == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    CDemuxOutputPin* pPin = new (std::nothrow) CDemuxOutputPin(this, &m_lock, &hr, pszPinName, *pMediaType);
    if (pPin == nullptr)
        return E_OUTOFMEMORY;
    if (FAILED(hr))
    {
        delete pPin;
        return hr;
    }
    m_outputs.push_back(pPin);
    m_discontinuity.push_back(1);
    IncrementPinVersion();
    *ppIPin = pPin;
    pPin->AddRef();
    return S_OK;
}

STDMETHODIMP CMpeg2Demux::SetOutputPinMediaType(LPWSTR pszPinName, AM_MEDIA_TYPE* pMediaType)
{
    if (pMediaType == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_lock);
    CDemuxOutputPin* pPin = FindOutput(pszPinName);
    return pPin != nullptr ? pPin->SetType(*pMediaType) : VFW_E_NOT_FOUND;
}

STDMETHODIMP CMpeg2Demux::DeleteOutputPin(LPWSTR pszPinName)
{
    CAutoLock lock(&m_lock);
    if (m_State != State_Stopped)
        return VFW_E_NOT_STOPPED;
    for (size_t i = 0; i < m_outputs.size(); ++i)
    {
        if (lstrcmpW(m_outputs[i]->Name(), pszPinName) != 0)
            continue;
        if (m_outputs[i]->IsConnected())
            return VFW_E_ALREADY_CONNECTED;
        delete m_outputs[i];
        m_outputs.erase(m_outputs.begin() + static_cast<std::ptrdiff_t>(i));
        m_discontinuity.erase(m_discontinuity.begin() + static_cast<std::ptrdiff_t>(i));
        IncrementPinVersion();
        return S_OK;
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CMpeg2Demux::Pause()
{
    {
        CAutoLock lock(&m_lock);
        if (m_State == State_Stopped)
        {
            CAutoLock receive(&m_receiveLock);
            m_parser.Reset();
            ResetTimeBase();
        }
    }
    return CBaseFilter::Pause();
}

void CMpeg2Demux::ResetTimeBase()
{
    m_bHaveBase = FALSE;
    m_llBase = 0;
    for (BYTE& b : m_discontinuity)
        b = 1;
}

HRESULT CMpeg2Demux::Receive(IMediaSample* pSample)
{
    BYTE* p = nullptr;
    pSample->GetPointer(&p);
    long cb = pSample->GetActualDataLength();
    if (p != nullptr && cb > 0)
        m_parser.Feed(p, static_cast<DWORD>(cb), *this);
    return S_OK;
}

// Times count from the first clock reference after a start or a flush, so
// the decoders' delay before the first picture is kept.
void CMpeg2Demux::OnPack(LONGLONG, LONGLONG llScr)
{
    if (!m_bHaveBase)
    {
        m_bHaveBase = TRUE;
        m_llBase = llScr;
    }
}

void CMpeg2Demux::OnPacket(const CProgramStreamParser::Packet& packet)
{
    if (packet.bHasPts && !m_bHaveBase)
    {
        m_bHaveBase = TRUE;
        m_llBase = packet.llPts;
    }
    for (size_t i = 0; i < m_outputs.size(); ++i)
    {
        CDemuxOutputPin* pOut = m_outputs[i];
        if (!pOut->IsConnected() || !pOut->Carries(packet.streamId))
            continue;
        REFERENCE_TIME tStart = (packet.llPts - m_llBase) * 1000 / 9;
        if (pOut->Send(packet.pPayload, packet.cbPayload, packet.bHasPts ? &tStart : nullptr, nullptr,
                       packet.bHasPts, m_discontinuity[i]) == S_OK)
            m_discontinuity[i] = 0;
    }
}

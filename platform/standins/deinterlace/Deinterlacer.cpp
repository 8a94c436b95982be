#include "platform/standins/deinterlace/Deinterlacer.h"

#include "platform/standins/videokit/PictureFile.h"

#include <stdlib.h>
#include <string.h>

#include <new>

namespace
{
VARIANT_BOOL ToVariantBool(BOOL b)
{
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}
}

CDeinterlacerInput::CDeinterlacerInput(CDeinterlacer* pFilter, HRESULT* phr)
    : CBaseInputPin("Deinterlace input", pFilter, &pFilter->m_csFilter, phr, L"Input"), m_pDeinterlacer(pFilter)
{
}

HRESULT CDeinterlacerInput::CheckMediaType(const CMediaType* pmt)
{
    return VideoFrameFormat::FromMediaType(pmt).kind == VideoFrameFormat::KIND_YUY2 ? S_OK
                                                                                     : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CDeinterlacerInput::SetMediaType(const CMediaType* pmt)
{
    HRESULT hr = CBaseInputPin::SetMediaType(pmt);
    if (SUCCEEDED(hr))
        m_pDeinterlacer->m_inputFormat = VideoFrameFormat::FromMediaType(pmt);
    return hr;
}

STDMETHODIMP CDeinterlacerInput::Receive(IMediaSample* pSample)
{
    CAutoLock lock(&m_pDeinterlacer->m_csReceive);
    HRESULT hr = CBaseInputPin::Receive(pSample);
    if (hr != S_OK)
        return hr;
    return m_pDeinterlacer->ProcessSample(pSample);
}

STDMETHODIMP CDeinterlacerInput::EndOfStream()
{
    CAutoLock lock(&m_pDeinterlacer->m_csReceive);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    m_pDeinterlacer->m_pPreview->DeliverEndOfStream();
    m_pDeinterlacer->m_pCapture->DeliverEndOfStream();
    return S_OK;
}

STDMETHODIMP CDeinterlacerInput::BeginFlush()
{
    CAutoLock lock(&m_pDeinterlacer->m_csFilter);
    HRESULT hr = CBaseInputPin::BeginFlush();
    m_pDeinterlacer->m_pPreview->DeliverBeginFlush();
    m_pDeinterlacer->m_pCapture->DeliverBeginFlush();
    return hr;
}

STDMETHODIMP CDeinterlacerInput::EndFlush()
{
    CAutoLock lock(&m_pDeinterlacer->m_csFilter);
    m_pDeinterlacer->m_pPreview->DeliverEndFlush();
    m_pDeinterlacer->m_pCapture->DeliverEndFlush();
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CDeinterlacerInput::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate)
{
    CBasePin::NewSegment(tStart, tStop, dRate);
    m_pDeinterlacer->m_pPreview->DeliverNewSegment(tStart, tStop, dRate);
    m_pDeinterlacer->m_pCapture->DeliverNewSegment(tStart, tStop, dRate);
    return S_OK;
}

CDeinterlacerOutput::CDeinterlacerOutput(CDeinterlacer* pFilter, HRESULT* phr, LPCWSTR pName,
                                         const std::vector<VideoFrameFormat::Kind>& kinds)
    : CBaseOutputPin("Deinterlace output", pFilter, &pFilter->m_csFilter, phr, pName), m_kinds(kinds),
      m_pDeinterlacer(pFilter)
{
}

HRESULT CDeinterlacerOutput::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (!m_pDeinterlacer->m_pInput->IsConnected())
        return VFW_S_NO_MORE_ITEMS;
    if (iPosition >= static_cast<int>(m_kinds.size()))
        return VFW_S_NO_MORE_ITEMS;
    VideoFrameFormat format = m_pDeinterlacer->InputFormat();
    format.kind = m_kinds[iPosition];
    format.ToMediaType(pMediaType);
    return S_OK;
}

HRESULT CDeinterlacerOutput::CheckMediaType(const CMediaType* pmt)
{
    if (!m_pDeinterlacer->m_pInput->IsConnected())
        return VFW_E_NOT_CONNECTED;
    VideoFrameFormat format = VideoFrameFormat::FromMediaType(pmt);
    const VideoFrameFormat& input = m_pDeinterlacer->InputFormat();
    BOOL bOffered = FALSE;
    for (VideoFrameFormat::Kind kind : m_kinds)
        bOffered = bOffered || kind == format.kind;
    if (!bOffered || format.width != input.width || format.height != input.height)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CDeinterlacerOutput::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest)
{
    VideoFrameFormat format = VideoFrameFormat::FromMediaType(&m_mt);
    if (format.kind == VideoFrameFormat::KIND_NONE)
        return E_UNEXPECTED;
    return SetBufferProperties(pAlloc, pRequest, 3, format.ImageSize());
}

HRESULT CDeinterlacerOutput::DeliverPicture(const BYTE* pYuy2, REFERENCE_TIME start, REFERENCE_TIME stop)
{
    if (!IsConnected() || m_pAllocator == nullptr)
        return S_OK;
    VideoFrameFormat format = VideoFrameFormat::FromMediaType(&m_mt);
    ComPtr<IMediaSample> pSample;
    HRESULT hr = GetDeliveryBuffer(&pSample, nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    BYTE* pData = nullptr;
    hr = pSample->GetPointer(&pData);
    if (FAILED(hr))
        return hr;
    if (pSample->GetSize() < format.ImageSize())
        return E_FAIL;
    LONG length = format.ImageSize();
    switch (format.kind)
    {
    case VideoFrameFormat::KIND_RGB32:
        Yuy2ToRgb32(pYuy2, format.width, format.height, pData);
        break;
    case VideoFrameFormat::KIND_MSVIDEO1:
        m_rgb.resize(static_cast<size_t>(format.width) * format.height * 4);
        Yuy2ToRgb32(pYuy2, format.width, format.height, m_rgb.data());
        length = EncodeMsVideo1(m_rgb.data(), format.width, format.height, pData);
        break;
    default:
        memcpy(pData, pYuy2, length);
        break;
    }
    pSample->SetActualDataLength(length);
    pSample->SetTime(&start, &stop);
    pSample->SetSyncPoint(TRUE);
    return Deliver(pSample.Get());
}

CDeinterlacer::CDeinterlacer(IUnknown* pUnk, HRESULT* phr)
    : CBaseFilter("Veltrane Deinterlace", pUnk, &m_csFilter, CLSID_VeltraneDeinterlace, phr),
      m_pInput(nullptr), m_pPreview(nullptr), m_pCapture(nullptr), m_nSnapshotWidth(0), m_nSnapshotHeight(0)
{
    m_inputFormat = VideoFrameFormat{ VideoFrameFormat::KIND_NONE, 0, 0, 0 };
    m_settings.bDeinterlace = TRUE;
    m_settings.bHighQuality = FALSE;
    m_settings.bHalfRate = FALSE;
    m_settings.bNoiseReduce = FALSE;
    m_settings.lReduceValue = 5;
    HRESULT hr = S_OK;
    m_pInput = new (std::nothrow) CDeinterlacerInput(this, &hr);
    m_pPreview = new (std::nothrow) CDeinterlacerOutput(
        this, &hr, L"Preview", { VideoFrameFormat::KIND_RGB32, VideoFrameFormat::KIND_MSVIDEO1 });
    m_pCapture = new (std::nothrow) CDeinterlacerOutput(this, &hr, L"Capture", { VideoFrameFormat::KIND_YUY2 });
    if (phr != nullptr && (m_pInput == nullptr || m_pPreview == nullptr || m_pCapture == nullptr))
        *phr = E_OUTOFMEMORY;
}

CDeinterlacer::~CDeinterlacer()
{
    delete m_pInput;
    delete m_pPreview;
    delete m_pCapture;
}

STDMETHODIMP CDeinterlacer::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IVeltraneDeinterlace)
        return GetInterface(static_cast<IVeltraneDeinterlace*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CDeinterlacer::GetPinCount()
{
    return 3;
}

CBasePin* CDeinterlacer::GetPin(int n)
{
    switch (n)
    {
    case 0: return m_pInput;
    case 1: return m_pPreview;
    case 2: return m_pCapture;
    default: return nullptr;
    }
}

STDMETHODIMP CDeinterlacer::Stop()
{
    CAutoLock lock(&m_csFilter);
    if (m_State == State_Stopped)
        return S_OK;
    // The input refuses new samples first; the receive lock then waits for
    // the one in progress before the outputs decommit.
    if (m_pInput->IsConnected())
        m_pInput->Inactive();
    CAutoLock receive(&m_csReceive);
    if (m_pPreview->IsConnected())
        m_pPreview->Inactive();
    if (m_pCapture->IsConnected())
        m_pCapture->Inactive();
    m_processor.Reset();
    m_State = State_Stopped;
    return S_OK;
}

CDeinterlacer::Settings CDeinterlacer::CurrentSettings()
{
    CAutoLock lock(&m_csSettings);
    return m_settings;
}

HRESULT CDeinterlacer::ProcessSample(IMediaSample* pSample)
{
    const VideoFrameFormat& format = m_inputFormat;
    BYTE* pData = nullptr;
    if (format.kind != VideoFrameFormat::KIND_YUY2 || FAILED(pSample->GetPointer(&pData)) ||
        pSample->GetActualDataLength() < format.ImageSize())
        return S_OK;
    REFERENCE_TIME start = 0, stop = 0;
    if (FAILED(pSample->GetTime(&start, &stop)))
        stop = start + format.avgTimePerFrame;
    if (stop <= start)
        stop = start + (format.avgTimePerFrame > 0 ? format.avgTimePerFrame : 400000);

    Settings settings = CurrentSettings();
    m_processor.Process(pData, format.width, format.height, settings, &m_pictures);
    if (m_pictures.empty())
        return S_OK;
    {
        // Kept before it goes out, so a snapshot asked for once it is shown finds it.
        CAutoLock lock(&m_csSettings);
        m_snapshot = m_pictures.back().yuy2;
        m_nSnapshotWidth = format.width;
        m_nSnapshotHeight = format.height;
    }
    REFERENCE_TIME half = (stop - start) / 2;
    HRESULT hr = S_OK;
    for (const Picture& picture : m_pictures)
    {
        BOOL bOneOfTwo = m_pictures.size() == 2;
        REFERENCE_TIME from = bOneOfTwo ? start + picture.nField * half : start;
        REFERENCE_TIME to = bOneOfTwo ? from + half : stop;
        HRESULT hrPreview = m_pPreview->DeliverPicture(picture.yuy2.data(), from, to);
        if (FAILED(hrPreview))
            hr = hrPreview;
    }
    // The capture stream keeps the input's frame rate: the first picture of each frame.
    HRESULT hrCapture = m_pCapture->DeliverPicture(m_pictures[0].yuy2.data(), start, stop);
    if (FAILED(hrCapture))
        hr = hrCapture;
    return hr;
}

void CDeinterlacer::CProcessor::Process(const BYTE* pFrame, int width, int height, const Settings& settings,
                                        std::vector<Picture>* pPictures)
{
    size_t size = static_cast<size_t>(width) * height * 2;
    std::vector<BYTE> frame(pFrame, pFrame + size);
    if (settings.bNoiseReduce && settings.lReduceValue > 0)
        ReduceNoise(frame, settings.lReduceValue);
    else
        m_filtered.clear();

    int nPictures = settings.bDeinterlace && !settings.bHalfRate ? 2 : 1;
    pPictures->resize(nPictures);
    for (int i = 0; i < nPictures; ++i)
    {
        Picture& picture = (*pPictures)[i];
        picture.nField = i;
        if (settings.bDeinterlace)
            MakeField(frame, width, height, i, settings.bHighQuality, &picture.yuy2);
        else
            picture.yuy2 = frame;
    }
    m_previous.assign(pFrame, pFrame + size);
}

void CDeinterlacer::CProcessor::ReduceNoise(std::vector<BYTE>& frame, LONG level)
{
    if (m_filtered.size() != frame.size())
    {
        m_filtered = frame;
        return;
    }
    // Each luma sample moves only part of the way from the last picture to
    // the new one, unless the step is large enough to be motion.
    int keep = static_cast<int>(level) * 12 / REDUCE_MAX;
    for (size_t i = 0; i < frame.size(); i += 2)
    {
        int previous = m_filtered[i];
        int current = frame[i];
        int step = current - previous;
        if (abs(step) < NOISE_THRESHOLD)
            frame[i] = static_cast<BYTE>(current - step * keep / 16);
    }
    m_filtered = frame;
}

void CDeinterlacer::CProcessor::MakeField(const std::vector<BYTE>& frame, int width, int height, int field,
                                          BOOL bHighQuality, std::vector<BYTE>* pOut) const
{
    const size_t stride = static_cast<size_t>(width) * 2;
    pOut->resize(frame.size());
    BYTE* pDst = pOut->data();
    const BYTE* pSrc = frame.data();
    BOOL bHavePrevious = m_previous.size() == frame.size();
    for (int y = 0; y < height; ++y)
    {
        BYTE* pRow = pDst + y * stride;
        if ((y & 1) == field)
        {
            memcpy(pRow, pSrc + y * stride, stride);
            continue;
        }
        // The lines of the other field: the average of the field's lines
        // around them, or with high quality the line itself where it is still.
        int above = y - 1 >= 0 ? y - 1 : y + 1;
        int below = y + 1 < height ? y + 1 : y - 1;
        const BYTE* pAbove = pSrc + above * stride;
        const BYTE* pBelow = pSrc + below * stride;
        const BYTE* pOwn = pSrc + y * stride;
        const BYTE* pOld = bHavePrevious ? m_previous.data() + y * stride : nullptr;
        for (size_t x = 0; x < stride; x += 4)
        {
            BOOL bStill = FALSE;
            if (bHighQuality && pOld != nullptr)
                bStill = abs(pOwn[x] - pOld[x]) < MOTION_THRESHOLD && abs(pOwn[x + 2] - pOld[x + 2]) < MOTION_THRESHOLD;
            for (size_t k = 0; k < 4; ++k)
                pRow[x + k] = bStill ? pOwn[x + k] : static_cast<BYTE>((pAbove[x + k] + pBelow[x + k] + 1) / 2);
        }
    }
}

HRESULT CDeinterlacer::GetFlag(BOOL Settings::*pFlag, VARIANT_BOOL* pbOn)
{
    if (pbOn == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_csSettings);
    *pbOn = ToVariantBool(m_settings.*pFlag);
    return S_OK;
}

HRESULT CDeinterlacer::SetFlag(BOOL Settings::*pFlag, VARIANT_BOOL bOn)
{
    CAutoLock lock(&m_csSettings);
    m_settings.*pFlag = bOn != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CDeinterlacer::GetQuality(LONG* plQuality)
{
    if (plQuality == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_csSettings);
    *plQuality = m_settings.bHighQuality ? QUALITY_HIGH : QUALITY_NORMAL;
    return S_OK;
}

STDMETHODIMP CDeinterlacer::SetQuality(LONG lQuality)
{
    if (lQuality != QUALITY_NORMAL && lQuality != QUALITY_HIGH)
        return E_INVALIDARG;
    CAutoLock lock(&m_csSettings);
    m_settings.bHighQuality = lQuality == QUALITY_HIGH;
    return S_OK;
}

STDMETHODIMP CDeinterlacer::GetNoiseReduce(VARIANT_BOOL* pbOn)
{
    return GetFlag(&Settings::bNoiseReduce, pbOn);
}

STDMETHODIMP CDeinterlacer::SetNoiseReduce(VARIANT_BOOL bOn)
{
    return SetFlag(&Settings::bNoiseReduce, bOn);
}

STDMETHODIMP CDeinterlacer::GetHalfRate(VARIANT_BOOL* pbOn)
{
    return GetFlag(&Settings::bHalfRate, pbOn);
}

STDMETHODIMP CDeinterlacer::SetHalfRate(VARIANT_BOOL bOn)
{
    return SetFlag(&Settings::bHalfRate, bOn);
}

STDMETHODIMP CDeinterlacer::GetReduceValue(LONG* plLevel)
{
    if (plLevel == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_csSettings);
    *plLevel = m_settings.lReduceValue;
    return S_OK;
}

STDMETHODIMP CDeinterlacer::SetReduceValue(LONG lLevel)
{
    if (lLevel < 0 || lLevel > REDUCE_MAX)
        return E_INVALIDARG;
    CAutoLock lock(&m_csSettings);
    m_settings.lReduceValue = lLevel;
    return S_OK;
}

STDMETHODIMP CDeinterlacer::GetDeinterlace(VARIANT_BOOL* pbOn)
{
    return GetFlag(&Settings::bDeinterlace, pbOn);
}

STDMETHODIMP CDeinterlacer::SetDeinterlace(VARIANT_BOOL bOn)
{
    return SetFlag(&Settings::bDeinterlace, bOn);
}

STDMETHODIMP CDeinterlacer::SaveSnapshot(LPCWSTR pszFile, LONG lType, LONG lQuality)
{
    if (pszFile == nullptr)
        return E_POINTER;
    if (lType != PICTURE_BMP && lType != PICTURE_JPEG)
        return E_INVALIDARG;
    std::vector<BYTE> picture;
    int width, height;
    {
        CAutoLock lock(&m_csSettings);
        picture = m_snapshot;
        width = m_nSnapshotWidth;
        height = m_nSnapshotHeight;
    }
    if (picture.empty())
        return VFW_E_WRONG_STATE;
    std::vector<BYTE> bgr(static_cast<size_t>(width) * height * 3);
    Yuy2ToBgr24(picture.data(), width, height, bgr.data());
    return WritePictureFile(pszFile, bgr.data(), width, height, lType, lQuality);
}

#include "dshow/Mpeg2DemuxFilter.h"

#include "dshow/DShowText.h"

#include <ks.h>
#include <ksmedia.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <stddef.h>
#include <string.h>

// The format blocks are built by byte offset; the platform's records must
// put their fields at the same places.
static_assert(offsetof(MPEG2VIDEOINFO, hdr.dwBitRate) == 32 && offsetof(MPEG2VIDEOINFO, hdr.AvgTimePerFrame) == 40 &&
                  offsetof(MPEG2VIDEOINFO, hdr.dwPictAspectRatioX) == 56 &&
                  offsetof(MPEG2VIDEOINFO, hdr.bmiHeader) == 72 &&
                  offsetof(MPEG2VIDEOINFO, hdr.bmiHeader.biXPelsPerMeter) == 96 &&
                  offsetof(MPEG2VIDEOINFO, dwStartTimeCode) == 112 &&
                  offsetof(MPEG2VIDEOINFO, cbSequenceHeader) == 116 && offsetof(MPEG2VIDEOINFO, dwProfile) == 120 &&
                  offsetof(MPEG2VIDEOINFO, dwLevel) == 124 && offsetof(MPEG2VIDEOINFO, dwFlags) == 128 &&
                  offsetof(MPEG2VIDEOINFO, dwSequenceHeader) == 132,
              "MPEG-2 video format block");
static_assert(sizeof(MPEG1WAVEFORMAT) == 40 && offsetof(MPEG1WAVEFORMAT, fwHeadLayer) == 18 &&
                  offsetof(MPEG1WAVEFORMAT, dwHeadBitrate) == 20 && offsetof(MPEG1WAVEFORMAT, fwHeadMode) == 24 &&
                  offsetof(MPEG1WAVEFORMAT, fwHeadFlags) == 30 && offsetof(MPEG1WAVEFORMAT, dwPTSLow) == 32,
              "MPEG audio format block");

namespace
{
// The MPEG-2 sequence header (720 x 480, 4:3, 29.97 frames, its own intra
// matrix) and sequence extension that the video pin announces.
const BYTE kSequenceHeader[86] = {
    0x00, 0x00, 0x01, 0xB3, 0x2D, 0x01, 0xE0, 0x24, 0x09, 0xC4, 0x23, 0x81, 0x10, 0x11, 0x11, 0x12, 0x12,
    0x12, 0x13, 0x13, 0x13, 0x13, 0x14, 0x14, 0x14, 0x14, 0x14, 0x15, 0x15, 0x15, 0x15, 0x15, 0x15, 0x16,
    0x16, 0x16, 0x16, 0x16, 0x16, 0x16, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x17, 0x18, 0x18, 0x18,
    0x19, 0x18, 0x18, 0x18, 0x19, 0x1A, 0x1A, 0x1A, 0x1A, 0x19, 0x1B, 0x1B, 0x1B, 0x1B, 0x1B, 0x1C, 0x1C,
    0x1C, 0x1C, 0x1E, 0x1E, 0x1E, 0x1F, 0x1F, 0x21, 0x00, 0x00, 0x01, 0xB5, 0x14, 0x82, 0x00, 0x01, 0x00,
    0x00,
};

template <class T>
void Put(std::vector<BYTE>& block, size_t offset, T value)
{
    memcpy(&block[offset], &value, sizeof(T));
}

void FillMediaType(int nKind, AM_MEDIA_TYPE& mt, std::vector<BYTE>& block)
{
    memset(&mt, 0, sizeof(mt));
    BOOL bVideo = nKind == CMpeg2DemuxFilter::KIND_VIDEO;
    block = bVideo ? CMpeg2DemuxFilter::VideoFormatBlock() : CMpeg2DemuxFilter::AudioFormatBlock();
    mt.majortype = bVideo ? MEDIATYPE_Video : MEDIATYPE_Audio;
    mt.subtype = bVideo ? MEDIASUBTYPE_MPEG2_VIDEO : MEDIASUBTYPE_MPEG2_AUDIO;
    mt.bFixedSizeSamples = TRUE;
    mt.bTemporalCompression = FALSE;
    mt.lSampleSize = 0;
    mt.formattype = bVideo ? FORMAT_MPEG2Video : FORMAT_WaveFormatEx;
    mt.cbFormat = static_cast<ULONG>(block.size());
    mt.pbFormat = block.data();
}
}

static_assert(132 + sizeof(kSequenceHeader) == 218, "video format block with its sequence header");

std::vector<BYTE> CMpeg2DemuxFilter::VideoFormatBlock()
{
    std::vector<BYTE> block(132 + sizeof(kSequenceHeader), 0);
    Put<LONG>(block, 8, 720);
    Put<LONG>(block, 12, 480);
    Put<DWORD>(block, 32, 4000000);
    Put<LONGLONG>(block, 40, 333667);
    Put<DWORD>(block, 56, 4);
    Put<DWORD>(block, 60, 3);
    Put<DWORD>(block, 72, 40);
    Put<LONG>(block, 76, 720);
    Put<LONG>(block, 80, 480);
    Put<LONG>(block, 96, 2000);
    Put<LONG>(block, 100, 53031);
    Put<DWORD>(block, 112, 0x0006F498);
    Put<DWORD>(block, 116, sizeof(kSequenceHeader));
    Put<DWORD>(block, 120, 2);
    Put<DWORD>(block, 124, 2);
    memcpy(&block[132], kSequenceHeader, sizeof(kSequenceHeader));
    return block;
}

std::vector<BYTE> CMpeg2DemuxFilter::AudioFormatBlock()
{
    std::vector<BYTE> block(40, 0);
    Put<WORD>(block, 0, 0x0050);
    Put<WORD>(block, 2, 2);
    Put<DWORD>(block, 4, 48000);
    Put<DWORD>(block, 8, 32000);
    Put<WORD>(block, 12, 768);
    Put<WORD>(block, 16, 22);
    Put<WORD>(block, 18, 2);
    Put<DWORD>(block, 20, 256000);
    Put<WORD>(block, 24, 1);
    Put<WORD>(block, 26, 1);
    Put<WORD>(block, 28, 1);
    Put<WORD>(block, 30, 0x001C);
    return block;
}

CMpeg2DemuxFilter::CMpeg2DemuxFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg2DemuxFilter::CMpeg2DemuxFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg2DemuxFilter::CMpeg2DemuxFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMpeg2DemuxFilter::~CMpeg2DemuxFilter()
{
    m_pDemux.Reset();
}

DWORD CMpeg2DemuxFilter::ReservedA(DWORD, DWORD, DWORD)
{
    return 0;
}

DWORD CMpeg2DemuxFilter::ReservedB(DWORD, DWORD, DWORD)
{
    return 0;
}

BOOL CMpeg2DemuxFilter::Initfilter()
{
    m_pDemux.Reset();
    m_bRefreshPins = TRUE;
    if (!m_pFilter)
        return FALSE;
    return SUCCEEDED(m_pFilter->QueryInterface(IID_IMpeg2Demultiplexer, reinterpret_cast<void**>(&m_pDemux))) &&
           m_pDemux;
}

BOOL CMpeg2DemuxFilter::CreateOutputPin(LPCSTR pszPinName, int nKind)
{
    if (!m_pDemux || pszPinName == NULL)
        return FALSE;
    WCHAR szName[NAME_SIZE];
    WideFromAnsi(pszPinName, szName, NAME_SIZE);
    AM_MEDIA_TYPE mt;
    std::vector<BYTE> block;
    FillMediaType(nKind, mt, block);
    ComPtr<IPin> pPin;
    return SUCCEEDED(m_pDemux->CreateOutputPin(&mt, szName, &pPin));
}

BOOL CMpeg2DemuxFilter::MapStream(LPCSTR pszPinName, int nKind)
{
    CPinWrapper* pWrapper = FindPin(pszPinName);
    if (pWrapper == NULL || pWrapper->GetPin() == NULL)
        return FALSE;
    ComPtr<IMPEG2StreamIdMap> pMap;
    if (FAILED(pWrapper->GetPin()->QueryInterface(IID_IMPEG2StreamIdMap, reinterpret_cast<void**>(&pMap))) || !pMap)
        return FALSE;
    ULONG streamId = nKind == KIND_VIDEO ? VIDEO_STREAM_ID : AUDIO_STREAM_ID;
    return SUCCEEDED(pMap->MapStreamId(streamId, MPEG2_PROGRAM_ELEMENTARY_STREAM, 0, 0));
}

HRESULT CMpeg2DemuxFilter::DeleteOutputPin(LPCSTR pszPinName)
{
    if (!m_pDemux || pszPinName == NULL)
        return E_POINTER;
    WCHAR szName[NAME_SIZE];
    WideFromAnsi(pszPinName, szName, NAME_SIZE);
    return m_pDemux->DeleteOutputPin(szName);
}

HRESULT CMpeg2DemuxFilter::SetOutputPinMediaType(LPCSTR pszPinName, AM_MEDIA_TYPE* pMediaType)
{
    if (!m_pDemux || pszPinName == NULL)
        return E_POINTER;
    WCHAR szName[NAME_SIZE];
    WideFromAnsi(pszPinName, szName, NAME_SIZE);
    return m_pDemux->SetOutputPinMediaType(szName, pMediaType);
}

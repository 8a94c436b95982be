#include "platform/sim/cardfilter/SimGo7007Driver.h"

#include "platform/sim/chipbus/SimLock.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <stddef.h>

#include <string.h>

#include <string>
#include <vector>

// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
const IID SIMIID_Go7007Bus = { 0x6420803D, 0xD8BA, 0x43D2, { 0xBD, 0x4A, 0x10, 0x9B, 0xA1, 0x6C, 0x2E, 0x32 } };

// {55F1E004-76CD-412E-9413-68AF75304D73}
const IID SIMIID_Go7007Encoder = { 0x55F1E004, 0x76CD, 0x412E, { 0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73 } };

namespace {
const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

enum
{
    COMMAND_WRITE_BYTE = 2
};

std::vector<BYTE> SubAddress(DWORD width, DWORD sub)
{
    if (width == 16)
        return { static_cast<BYTE>(sub >> 8), static_cast<BYTE>(sub) };
    return { static_cast<BYTE>(sub) };
}
}  // namespace

CSimGo7007Bus::CSimGo7007Bus(IUnknown* pOwner, CSimTVCard* pCard) : m_pOwner(pOwner), m_pCard(pCard)
{
}

STDMETHODIMP CSimGo7007Bus::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimGo7007Bus::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimGo7007Bus::Release()
{
    return m_pOwner->Release();
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved3()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved4()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved5()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved6()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved10()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved11()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved12()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved13()
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Bus::Reserved14()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::WriteSub(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD)
{
    if (width != 8 && width != 16)
        return HR_BAD_REQUEST;
    std::vector<BYTE> bytes = SubAddress(width, sub);
    bytes.push_back(static_cast<BYTE>(value));
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(static_cast<BYTE>(device) & 0xFE, bytes.data(), static_cast<int>(bytes.size()))
               ? S_OK
               : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::ReadSub(DWORD device, DWORD width, DWORD sub, BYTE* pBuffer, DWORD)
{
    if (pBuffer == nullptr || (width != 8 && width != 16))
        return HR_BAD_REQUEST;
    CSimLock lock(m_pCard->Lock());
    CSimChipBus& bus = m_pCard->Bus();
    BYTE address = static_cast<BYTE>(device);
    // A read address with sub-address 0 asks the chip for its byte without a
    // sub-address (a tuner's status); otherwise the sub-address goes first.
    if (!(address & 1) || sub != 0)
    {
        std::vector<BYTE> bytes = SubAddress(width, sub);
        if (!bus.I2CWrite(address & 0xFE, bytes.data(), static_cast<int>(bytes.size())))
            return HR_NO_DEVICE;
    }
    return bus.I2CRead(address | 1, pBuffer, 1) ? S_OK : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::WriteBlock(DWORD device, DWORD, DWORD, DWORD count, const BYTE* pBytes, DWORD)
{
    if ((pBytes == nullptr && count > 0) || count > 256)
        return HR_BAD_REQUEST;
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(static_cast<BYTE>(device) & 0xFE, pBytes, static_cast<int>(count)) ? S_OK
                                                                                                      : HR_NO_DEVICE;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Bus::SendCommand(DWORD kind, const BYTE* pBlock, DWORD count, DWORD* pArgument,
                                                     DWORD)
{
    if (pBlock == nullptr || pArgument == nullptr || count != 1 || kind != COMMAND_WRITE_BYTE)
        return HR_BAD_REQUEST;
    BYTE bytes[2] = { pBlock[1], static_cast<BYTE>(*pArgument) };
    CSimLock lock(m_pCard->Lock());
    return m_pCard->Bus().I2CWrite(pBlock[0] & 0xFE, bytes, 2) ? S_OK : HR_NO_DEVICE;
}

namespace {
// What the encoder reports it can do: name, presence bits (the fields it
// holds to), then the fields each kind carries (compression mode, sequence
// setting and group size; standard mask, width, height and bit-rate limits;
// standard mask and frames per 1001 s).
const DWORD STREAM_FIELDS = 0x1 | 0x2 | 0x8;
const DWORD RESOLUTION_FIELDS = 0x1 | 0x2 | 0x200;
const DWORD FRAME_RATE_FIELDS = 0x1 | 0x8;

const struct
{
    const char* name;
    DWORD compressMode;
    DWORD sequence;
    DWORD gopSize;
} kStreams[] = { { "DVD", 1, 2, 12 }, { "VCD", 0, 1, 12 } };

const struct
{
    const char* name;
    DWORD standards;
    DWORD width;
    DWORD height;
    DWORD maxBitrate;
    DWORD minBitrate;
} kResolutions[] = {
    { "D1 PAL", 0x7F0, 720, 576, 8000000, 1000000 },
    { "D1 NTSC", 0x807, 720, 480, 8000000, 1000000 },
    { "CIF PAL", 0x7F0, 352, 288, 2000000, 300000 },
};

const struct
{
    const char* name;
    DWORD standards;
    DWORD frameRate;
} kFrameRates[] = { { "PAL 25", 0x7F0, 25025 }, { "NTSC 30", 0x807, 30000 } };

// The stream settings the driver offers by name, each with its stream entry.
const struct
{
    const char* name;
    DWORD stream;
} kSettings[] = { { "DVD", 0 }, { "VCD", 1 } };

void PutU32(BYTE* p, size_t offset, DWORD value)
{
    memcpy(p + offset, &value, 4);
}

void PutName(BYTE* pEntry, const char* name)
{
    strncpy(reinterpret_cast<char*>(pEntry), name, CSimGo7007Encoder::NAME_SIZE - 1);
}

// A stream record: name, presence bits, compression mode, sequence, group size.
void PutStream(BYTE* p, const char* name, size_t stream)
{
    PutName(p, name);
    PutU32(p, 320, STREAM_FIELDS);
    PutU32(p, 328, kStreams[stream].compressMode);
    PutU32(p, 332, kStreams[stream].sequence);
    PutU32(p, 340, kStreams[stream].gopSize);
}
}  // namespace

CSimGo7007Encoder::CSimGo7007Encoder(IUnknown* pOwner) : m_pOwner(pOwner), m_setting(kSettings[0].name)
{
}

STDMETHODIMP CSimGo7007Encoder::QueryInterface(REFIID riid, void** ppv)
{
    return m_pOwner->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CSimGo7007Encoder::AddRef()
{
    return m_pOwner->AddRef();
}
STDMETHODIMP_(ULONG) CSimGo7007Encoder::Release()
{
    return m_pOwner->Release();
}
HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::SetStreamSetting(const char* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    m_setting.assign(pszName, strnlen(pszName, NAME_SIZE - 1));
    return S_OK;
}
HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::Reserved5()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::GetStreamSetting(char* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    memset(pszName, 0, NAME_SIZE);
    strncpy(pszName, m_setting.c_str(), NAME_SIZE - 1);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSimGo7007Encoder::GetCapabilities(BYTE* pTable)
{
    if (pTable == nullptr)
        return E_POINTER;
    memset(pTable, 0, LINK_COUNT_OFFSET + 4);
    const size_t settings = sizeof(kSettings) / sizeof(kSettings[0]);
    PutU32(pTable, 0, settings);
    for (size_t i = 0; i < settings; ++i)
    {
        BYTE* p = pTable + 4 + i * SETTING_SIZE;
        PutStream(p, kSettings[i].name, kSettings[i].stream);
        PutU32(p, STREAM_SIZE, kSettings[i].stream);
    }
    const size_t streams = sizeof(kStreams) / sizeof(kStreams[0]);
    PutU32(pTable, STREAM_COUNT_OFFSET, streams);
    for (size_t i = 0; i < streams; ++i)
        PutStream(pTable + STREAM_COUNT_OFFSET + 4 + i * STREAM_SIZE, kStreams[i].name, i);
    const size_t resolutions = sizeof(kResolutions) / sizeof(kResolutions[0]);
    PutU32(pTable, RESOLUTION_COUNT_OFFSET, resolutions);
    for (size_t i = 0; i < resolutions; ++i)
    {
        BYTE* p = pTable + RESOLUTION_COUNT_OFFSET + 4 + i * RESOLUTION_SIZE;
        PutName(p, kResolutions[i].name);
        PutU32(p, 320, RESOLUTION_FIELDS);
        PutU32(p, 328, kResolutions[i].standards);
        PutU32(p, 332, kResolutions[i].width);
        PutU32(p, 336, kResolutions[i].height);
        PutU32(p, 356, kResolutions[i].maxBitrate);
        PutU32(p, 360, kResolutions[i].minBitrate);
    }
    const size_t frameRates = sizeof(kFrameRates) / sizeof(kFrameRates[0]);
    PutU32(pTable, FRAME_RATE_COUNT_OFFSET, frameRates);
    for (size_t i = 0; i < frameRates; ++i)
    {
        BYTE* p = pTable + FRAME_RATE_COUNT_OFFSET + 4 + i * FRAME_RATE_SIZE;
        PutName(p, kFrameRates[i].name);
        PutU32(p, 320, FRAME_RATE_FIELDS);
        PutU32(p, 328, kFrameRates[i].standards);
        PutU32(p, 332, kFrameRates[i].frameRate);
    }
    return S_OK;
}

namespace {
struct PinFormat
{
    const GUID* subtype;
    const GUID* formatType;
    int width;
    int height;
};

// Each video pin's formats, in the order offered.
const PinFormat kVideoFormats[] = {
    { &MEDIASUBTYPE_MPEG2_VIDEO, &FORMAT_MPEG2Video, 720, 576 },
    { &MEDIASUBTYPE_MPEG2_VIDEO, &FORMAT_MPEG2Video, 720, 480 },
    { &MEDIASUBTYPE_MPEG1Payload, &FORMAT_MPEGVideo, 352, 288 },
    { &MEDIASUBTYPE_MPEG1Payload, &FORMAT_MPEGVideo, 720, 576 },
    { &MEDIASUBTYPE_YUY2, &FORMAT_VideoInfo, 720, 576 },
};

// The audio pin's: PCM and MPEG audio layer 2, 48 kHz stereo.
const WORD kAudioTags[] = { WAVE_FORMAT_PCM, 0x0050 };

VIDEOINFOHEADER* VideoHeaderOf(const CMediaType& mt, BITMAPINFOHEADER** ppBitmap)
{
    if (mt.formattype == FORMAT_MPEG2Video)
    {
        VIDEOINFOHEADER2* p = reinterpret_cast<VIDEOINFOHEADER2*>(mt.pbFormat);
        *ppBitmap = &p->bmiHeader;
        return nullptr;
    }
    VIDEOINFOHEADER* p = reinterpret_cast<VIDEOINFOHEADER*>(mt.pbFormat);
    *ppBitmap = &p->bmiHeader;
    return p;
}

CMediaType MakeVideoType(const PinFormat& format)
{
    CMediaType mt;
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = *format.subtype;
    mt.formattype = *format.formatType;
    ULONG size = sizeof(VIDEOINFOHEADER);
    if (*format.formatType == FORMAT_MPEG2Video)
        size = offsetof(MPEG2VIDEOINFO, dwSequenceHeader) + CSimGo7007Pin::RECORDS_SIZE;
    else if (*format.formatType == FORMAT_MPEGVideo)
        size = offsetof(MPEG1VIDEOINFO, bSequenceHeader) + CSimGo7007Pin::RECORDS_SIZE;
    BYTE* p = mt.AllocFormatBuffer(size);
    memset(p, 0, size);
    BITMAPINFOHEADER* pBitmap = nullptr;
    VIDEOINFOHEADER* pHeader = VideoHeaderOf(mt, &pBitmap);
    if (pHeader != nullptr)
        pHeader->AvgTimePerFrame = 400000;
    else
        reinterpret_cast<VIDEOINFOHEADER2*>(p)->AvgTimePerFrame = 400000;
    pBitmap->biSize = sizeof(BITMAPINFOHEADER);
    pBitmap->biWidth = format.width;
    pBitmap->biHeight = format.height;
    pBitmap->biSizeImage = format.width * format.height * 2;
    mt.bFixedSizeSamples = FALSE;
    return mt;
}

CMediaType MakeAudioType(WORD tag)
{
    CMediaType mt;
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = tag == WAVE_FORMAT_PCM ? MEDIASUBTYPE_PCM : MEDIASUBTYPE_MPEG1AudioPayload;
    mt.formattype = FORMAT_WaveFormatEx;
    WAVEFORMATEX* p = reinterpret_cast<WAVEFORMATEX*>(mt.AllocFormatBuffer(sizeof(WAVEFORMATEX)));
    memset(p, 0, sizeof(*p));
    p->wFormatTag = tag;
    p->nChannels = 2;
    p->nSamplesPerSec = 48000;
    p->wBitsPerSample = tag == WAVE_FORMAT_PCM ? 16 : 0;
    p->nBlockAlign = tag == WAVE_FORMAT_PCM ? 4 : 1;
    p->nAvgBytesPerSec = tag == WAVE_FORMAT_PCM ? 192000 : 28000;
    return mt;
}

// The size the picture of a video format has.
void SizeOf(const CMediaType& mt, LONG* pWidth, LONG* pHeight)
{
    BITMAPINFOHEADER* pBitmap = nullptr;
    VideoHeaderOf(mt, &pBitmap);
    *pWidth = pBitmap->biWidth;
    *pHeight = pBitmap->biHeight;
}
}  // namespace

CSimGo7007Pin::CSimGo7007Pin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName, BOOL bAudio)
    : CSimLinkPin(pFilter, pLock, phr, pName, PINDIR_OUTPUT, bAudio ? MEDIATYPE_Audio : MEDIATYPE_Video, GUID_NULL),
      m_bAudio(bAudio)
{
    if (bAudio)
    {
        for (WORD tag : kAudioTags)
            m_caps.push_back(MakeAudioType(tag));
    }
    else
    {
        for (const PinFormat& format : kVideoFormats)
            m_caps.push_back(MakeVideoType(format));
    }
    m_format = m_caps.front();
}

STDMETHODIMP CSimGo7007Pin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IAMStreamConfig)
        return GetInterface(static_cast<IAMStreamConfig*>(this), ppv);
    return CSimLinkPin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSimGo7007Pin::SetFormat(AM_MEDIA_TYPE* pmt)
{
    if (pmt == nullptr)
        return E_POINTER;
    CMediaType wanted(*pmt);
    for (const CMediaType& cap : m_caps)
    {
        if (cap.subtype != wanted.subtype || cap.formattype != wanted.formattype || wanted.cbFormat < cap.cbFormat ||
            wanted.pbFormat == nullptr)
            continue;
        if (m_bAudio)
        {
            if (reinterpret_cast<WAVEFORMATEX*>(cap.pbFormat)->wFormatTag !=
                reinterpret_cast<WAVEFORMATEX*>(wanted.pbFormat)->wFormatTag)
                continue;
        }
        else
        {
            LONG w1, h1, w2, h2;
            SizeOf(cap, &w1, &h1);
            SizeOf(wanted, &w2, &h2);
            if (w1 != w2 || h1 != h2)
                continue;
        }
        CAutoLock lock(m_pLock);
        m_format = wanted;
        return S_OK;
    }
    return VFW_E_INVALIDMEDIATYPE;
}

STDMETHODIMP CSimGo7007Pin::GetFormat(AM_MEDIA_TYPE** ppmt)
{
    if (ppmt == nullptr)
        return E_POINTER;
    CAutoLock lock(m_pLock);
    *ppmt = CreateMediaType(&m_format);
    return *ppmt != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CSimGo7007Pin::GetNumberOfCapabilities(int* piCount, int* piSize)
{
    if (piCount == nullptr || piSize == nullptr)
        return E_POINTER;
    *piCount = static_cast<int>(m_caps.size());
    *piSize = m_bAudio ? sizeof(AUDIO_STREAM_CONFIG_CAPS) : sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP CSimGo7007Pin::GetStreamCaps(int iIndex, AM_MEDIA_TYPE** ppmt, BYTE* pSCC)
{
    if (ppmt == nullptr || pSCC == nullptr)
        return E_POINTER;
    if (iIndex < 0 || iIndex >= static_cast<int>(m_caps.size()))
        return S_FALSE;
    const CMediaType& cap = m_caps[iIndex];
    if (m_bAudio)
    {
        AUDIO_STREAM_CONFIG_CAPS* p = reinterpret_cast<AUDIO_STREAM_CONFIG_CAPS*>(pSCC);
        memset(p, 0, sizeof(*p));
        p->guid = MEDIATYPE_Audio;
        p->MinimumChannels = p->MaximumChannels = 2;
        p->MinimumSampleFrequency = p->MaximumSampleFrequency = 48000;
    }
    else
    {
        VIDEO_STREAM_CONFIG_CAPS* p = reinterpret_cast<VIDEO_STREAM_CONFIG_CAPS*>(pSCC);
        memset(p, 0, sizeof(*p));
        p->guid = cap.formattype;
        LONG w, h;
        SizeOf(cap, &w, &h);
        p->InputSize.cx = p->MinOutputSize.cx = p->MaxOutputSize.cx = w;
        p->InputSize.cy = p->MinOutputSize.cy = p->MaxOutputSize.cy = h;
        p->MinFrameInterval = 333667;
        p->MaxFrameInterval = 400000;
    }
    *ppmt = CreateMediaType(&cap);
    return *ppmt != nullptr ? S_OK : E_OUTOFMEMORY;
}

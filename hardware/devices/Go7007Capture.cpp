#include "hardware/devices/Go7007Capture.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/Go7007RegisterAccess.h"
#include "hardware/devices/RemoteControlLock.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include <new>
#include <vector>

// {55F1E004-76CD-412E-9413-68AF75304D73}
const IID IID_IGo7007Encoder = { 0x55F1E004, 0x76CD, 0x412E, { 0x94, 0x13, 0x68, 0xAF, 0x75, 0x30, 0x4D, 0x73 } };

namespace
{
enum { FALLBACK_TUNER = 72, KEY_DEVICE = 0xBB, KEY_FLAG_REG = 48, KEY_CODE_REG = 49 };
}

CGo7007Capture::~CGo7007Capture()
{
    ClearCombinations();
    m_pEncoder.Reset();
    if (m_pStreamCaps != NULL)
        FreeConfigCombinations(m_pStreamCaps);
    delete m_pStreamCaps;
    delete m_pProfiles;
    delete m_pRegisterAccess;
    m_pRegisterAccess = NULL;
}

void CGo7007Capture::InitDefaults()
{
    m_strDeviceName = "WIS GO7007SB A/V Capture";
}

BOOL CGo7007Capture::CreateEncoderRegisterAccess()
{
    CGo7007RegisterAccess* pAccess = new (std::nothrow) CGo7007RegisterAccess();
    if (pAccess == NULL)
        return FALSE;
    m_pRegisterAccess = pAccess;
    m_nCardKind = CARD_KIND_GO7007;
    return pAccess->Attach(m_pFilter.Get(), reinterpret_cast<ULONG_PTR>(this)) >= 0;
}

BOOL CGo7007Capture::Initfilter()
{
    ClearOpenMembers();
    m_byTunerLetterOffset = 17;
    m_byTunerTypeOffset = 16;
    ClearCombinations();
    if (!CFilterNode::Initfilter())
        return FALSE;
    if (!CreateEncoderRegisterAccess())
        return FALSE;
    CRemoteControlLock lock;
    if (!lock.Locked())
    {
        MessageBoxA(NULL, "Initfilter lock failed", NULL, MB_OK);
        return FALSE;
    }
    if (FAILED(m_pFilter->QueryInterface(IID_IGo7007Encoder, reinterpret_cast<void**>(&m_pEncoder))) || !m_pEncoder)
        return FALSE;
    if (m_pStreamCaps == NULL)
        m_pStreamCaps = new (std::nothrow) EncoderCapabilityTable();
    if (m_pProfiles == NULL)
        m_pProfiles = new (std::nothrow) VideoProfileTables();
    if (m_pStreamCaps == NULL || m_pProfiles == NULL)
        return FALSE;
    FreeConfigCombinations(m_pStreamCaps);
    memset(m_pStreamCaps, 0, sizeof(*m_pStreamCaps));
    if (FAILED(m_pEncoder->GetCapabilities(reinterpret_cast<BYTE*>(m_pStreamCaps))))
        return FALSE;
    m_pStreamCaps->combinations = NULL;
    m_pStreamCaps->combinationCount = 0;
    if (!LoadVideoProfiles(m_pStreamCaps, m_pProfiles))
        return FALSE;
    DetectTunerType();
    return RecreateTunerModule();
}

HRESULT CGo7007Capture::SetAudioInput(int, BOOL)
{
    return S_OK;
}

BOOL CGo7007Capture::ReadRemoteKey(BYTE* pKey)
{
    return ReadKeyRegisters(KEY_DEVICE, KEY_FLAG_REG, KEY_CODE_REG, pKey);
}

HRESULT CGo7007Capture::ReadAddressed(BYTE offset, BYTE* pValue)
{
    CGo7007RegisterAccess* pAccess = static_cast<CGo7007RegisterAccess*>(m_pRegisterAccess);
    if (pAccess == NULL)
        return E_FAIL;
    return pAccess->ReadDirect(EEPROM_DEVICE, 8, offset, pValue, ADDRESSED_FLAGS);
}

HRESULT CGo7007Capture::ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || nStart < 0 || nStart + *pnCount > 256)
        return E_INVALIDARG;
    int nRead = 0;
    HRESULT hr = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        BYTE value = 0;
        hr = ReadAddressed(static_cast<BYTE>(nStart + i), &value);
        if (SUCCEEDED(hr))
        {
            pBuffer[i] = value;
            ++nRead;
        }
        BusSleep(BYTE_PAUSE_MS);
    }
    *pnCount = nRead;
    return nRead > 0 ? S_OK : hr;
}

HRESULT CGo7007Capture::WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs)
{
    if (pBuffer == NULL || pnCount == NULL || *pnCount < 1 || (nStart & 0xFF) + *pnCount > 256)
        return E_INVALIDARG;
    if (m_pRegisterAccess == NULL)
        return E_FAIL;
    HRESULT hr = S_OK;
    for (int i = 0; i < *pnCount; ++i)
    {
        hr = m_pRegisterAccess->WriteByte(EEPROM_DEVICE, (nStart + i) & 0xFF, pBuffer[i]);
        BusSleep(dwDelayMs);
    }
    return hr;
}

HRESULT CGo7007Capture::ReadTunerCode(int* pcLetter, int* pnType)
{
    BYTE value = 0;
    if (SUCCEEDED(ReadAddressed(m_byTunerLetterOffset, &value)) && pcLetter != NULL)
        *pcLetter = strchr("AEGPTX", value) != NULL && value != 0 ? value : 'L';
    BusSleep(BYTE_PAUSE_MS);
    HRESULT hr = ReadAddressed(m_byTunerTypeOffset, &value);
    if (pnType != NULL)
        *pnType = FAILED(hr) || value == 0 ? FALLBACK_TUNER : value;
    return FAILED(hr) ? hr : S_OK;
}

BOOL CGo7007Capture::RecreateTunerModule()
{
    CTunerModule* pModule = CreateTunerModule(m_nTunerType);
    if (pModule == NULL)
    {
        m_nTunerType = FALLBACK_TUNER;
        m_cTunerLetter = 'L';
        pModule = CreateTunerModule(FALLBACK_TUNER);
    }
    if (pModule == NULL)
        return FALSE;
    pModule->m_bOnEncoderDevice = TRUE;
    InstallTunerModule(pModule);
    return TRUE;
}

BOOL CGo7007Capture::TuneTVFrequency(float frequency)
{
    if (m_pTunerModule == NULL)
        return FALSE;
    if (m_pTunerModule->m_bReapplyStandard)
        m_pTunerModule->SetStandard(m_pTunerModule->m_nStandard);
    return m_pTunerModule->SetTVFrequency(frequency);
}

BOOL CGo7007Crossbar::RouteDirect(LONG lInput, LONG lOutput)
{
    return Route(lInput, lOutput);
}

void CGo7007Capture::ClearCombinations()
{
    delete[] m_pCombinations;
    m_pCombinations = NULL;
    m_nCombinations = 0;
    m_nStreamSetting = -1;
}

BOOL CGo7007Capture::HasCombination(DWORD dwStream, DWORD dwResolution, DWORD dwFrameRate) const
{
    for (int i = 0; i < m_nCombinations; ++i)
    {
        const ConfigCombination& c = m_pCombinations[i];
        if (c.stream == dwStream && (dwResolution == CONFIG_ID_ANY || c.resolution == dwResolution) &&
            c.framerate == dwFrameRate)
            return TRUE;
    }
    return FALSE;
}

const ResolutionConfig* CGo7007Capture::CapabilityOf(int nResolution) const
{
    DWORD index = m_pProfiles->resolutionIndex[nResolution];
    if (index >= PROFILE_MAX_RECORDS || index >= m_pStreamCaps->resolutionCount)
        return NULL;
    return &m_pStreamCaps->resolutions[index];
}

BOOL CGo7007Capture::SelectStreamSetting(DWORD dwStandards)
{
    ClearCombinations();
    if (!m_pEncoder || m_pStreamCaps == NULL)
        return FALSE;
    char szName[PROFILE_NAME_SIZE] = {};
    if (FAILED(m_pEncoder->GetStreamSetting(szName)))
        return FALSE;
    szName[PROFILE_NAME_SIZE - 1] = 0;
    const Go7007StreamSettings* pSettings = reinterpret_cast<const Go7007StreamSettings*>(m_pStreamCaps->driver);
    const int count = static_cast<int>(pSettings->count < Go7007StreamSettings::MAX_SETTINGS
                                           ? pSettings->count
                                           : static_cast<DWORD>(Go7007StreamSettings::MAX_SETTINGS));
    int found = -1;
    for (int i = 0; i < count; ++i)
    {
        if (strncmp(pSettings->entries[i].config.header.name, szName, PROFILE_NAME_SIZE) == 0)
            found = i;
    }
    if (found < 0)
        return FALSE;
    if (BuildConfigCombinations(m_pStreamCaps, 0, dwStandards) != PROFILE_OK)
        return FALSE;
    const DWORD stream = pSettings->entries[found].stream;
    std::vector<ConfigCombination> kept;
    for (DWORD i = 0; i < m_pStreamCaps->combinationCount; ++i)
    {
        if (m_pStreamCaps->combinations[i].stream == stream)
            kept.push_back(m_pStreamCaps->combinations[i]);
    }
    if (kept.empty())
        return FALSE;
    m_pCombinations = new (std::nothrow) ConfigCombination[kept.size()];
    if (m_pCombinations == NULL)
        return FALSE;
    memcpy(m_pCombinations, kept.data(), kept.size() * sizeof(ConfigCombination));
    m_nCombinations = static_cast<int>(kept.size());
    m_nStreamSetting = found;
    return TRUE;
}

BOOL CGo7007Capture::SelectVideoFormat(DWORD dwStandards, DWORD dwFrameRate, DWORD dwWidth, DWORD dwHeight,
                                       DWORD dwBitrate, BOOL bBest)
{
    if (m_pProfiles == NULL || m_pStreamCaps == NULL)
        return FALSE;
    if (m_nCombinations == 0 && !SelectStreamSetting(dwStandards))
        return FALSE;
    const Go7007StreamSetting& setting =
        reinterpret_cast<const Go7007StreamSettings*>(m_pStreamCaps->driver)->entries[m_nStreamSetting];
    const VideoProfileTables& tables = *m_pProfiles;

    int nFrameRate = -1;
    for (DWORD i = 0; i < tables.framerateCount && i < PROFILE_MAX_RECORDS && nFrameRate < 0; ++i)
    {
        const FrameRateConfig& f = tables.framerates[i];
        if ((f.tv_standard & dwStandards) != 0 && f.frame_rate == dwFrameRate &&
            HasCombination(setting.stream, CONFIG_ID_ANY, tables.framerateIndex[i]))
            nFrameRate = static_cast<int>(i);
    }
    if (nFrameRate < 0)
        return FALSE;
    int nResolution = -1;
    for (DWORD i = 0; i < tables.resolutionCount && i < PROFILE_MAX_RECORDS && nResolution < 0; ++i)
    {
        const ResolutionConfig& r = tables.resolutions[i];
        if ((r.tv_standard & dwStandards) != 0 && r.width == dwWidth && r.height == dwHeight &&
            HasCombination(setting.stream, tables.resolutionIndex[i], tables.framerateIndex[nFrameRate]))
            nResolution = static_cast<int>(i);
    }
    if (nResolution < 0)
        return FALSE;
    const ResolutionConfig* pAllowed = CapabilityOf(nResolution);
    if (pAllowed == NULL)
        return FALSE;
    int nBitrate = -1;
    for (DWORD i = 0; i < tables.bitrateCount && i < PROFILE_MAX_RECORDS; ++i)
    {
        const DWORD target = tables.bitrates[i].target_bitrate;
        if (target != 0 && (target < pAllowed->min_bitrate || target > pAllowed->max_bitrate))
            continue;
        if (bBest)
        {
            if (nBitrate < 0 || target > tables.bitrates[nBitrate].target_bitrate)
                nBitrate = static_cast<int>(i);
        }
        else if (target == dwBitrate)
        {
            nBitrate = static_cast<int>(i);
            break;
        }
    }
    if (nBitrate < 0)
        return FALSE;

    Go7007Format format;
    format.stream = setting.config;
    format.framerate = tables.framerates[nFrameRate];
    format.resolution = tables.resolutions[nResolution];
    format.bitrate = tables.bitrates[nBitrate];
    const BOOL bCapture = SetPinFormat("Video Capture", format);
    const BOOL bPreview = SetPinFormat("Video Preview", format);
    return bCapture && bPreview;
}

IAMStreamConfig* CGo7007Capture::StreamConfigOf(LPCSTR pszPin)
{
    CPinWrapper* pPin = FindPin(pszPin);
    IAMStreamConfig* pConfig = NULL;
    if (pPin == NULL || pPin->GetPin() == NULL ||
        FAILED(pPin->GetPin()->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&pConfig))))
        return NULL;
    return pConfig;
}

namespace
{
void DeleteMediaType(AM_MEDIA_TYPE* pmt)
{
    FreeMediaTypeContents(*pmt);
    CoTaskMemFree(pmt);
}

// The picture fields of a video format block, wherever its kind keeps them.
struct VideoFields
{
    REFERENCE_TIME* pAvgTimePerFrame;
    DWORD* pBitRate;
    BITMAPINFOHEADER* pBitmap;
    ULONG cbHeader;  // where the configuration records may follow
};

BOOL VideoFieldsOf(AM_MEDIA_TYPE* pmt, VideoFields* pFields)
{
    if (pmt->pbFormat == NULL)
        return FALSE;
    if (pmt->formattype == FORMAT_MPEG2Video && pmt->cbFormat >= sizeof(VIDEOINFOHEADER2))
    {
        VIDEOINFOHEADER2* p = reinterpret_cast<VIDEOINFOHEADER2*>(pmt->pbFormat);
        *pFields = { &p->AvgTimePerFrame, &p->dwBitRate, &p->bmiHeader, offsetof(MPEG2VIDEOINFO, dwSequenceHeader) };
        return TRUE;
    }
    if ((pmt->formattype == FORMAT_MPEGVideo || pmt->formattype == FORMAT_VideoInfo) &&
        pmt->cbFormat >= sizeof(VIDEOINFOHEADER))
    {
        VIDEOINFOHEADER* p = reinterpret_cast<VIDEOINFOHEADER*>(pmt->pbFormat);
        const ULONG cbHeader = pmt->formattype == FORMAT_MPEGVideo ? offsetof(MPEG1VIDEOINFO, bSequenceHeader)
                                                                   : sizeof(VIDEOINFOHEADER);
        *pFields = { &p->AvgTimePerFrame, &p->dwBitRate, &p->bmiHeader, cbHeader };
        return TRUE;
    }
    return FALSE;
}
}  // namespace

BOOL CGo7007Capture::SetPinFormat(LPCSTR pszPin, const Go7007Format& format)
{
    // Compression modes of the stream setting: MPEG-1, MPEG-2, uncompressed video.
    const GUID* pSubtype = NULL;
    const GUID* pFormatType = NULL;
    const char* pszKind = NULL;
    switch (format.stream.compress_mode)
    {
    case 0:
        pSubtype = &MEDIASUBTYPE_MPEG1Payload;
        pFormatType = &FORMAT_MPEGVideo;
        pszKind = "MPEG1";
        break;
    case 1:
        pSubtype = &MEDIASUBTYPE_MPEG2_VIDEO;
        pFormatType = &FORMAT_MPEG2Video;
        pszKind = "MPEG2";
        break;
    case 4:
        pFormatType = &FORMAT_VideoInfo;
        pszKind = "videoinfo";
        break;
    default:
        return FALSE;
    }
    ComPtr<IAMStreamConfig> pConfig;
    pConfig.Attach(StreamConfigOf(pszPin));
    int count = 0, size = 0;
    if (!pConfig || FAILED(pConfig->GetNumberOfCapabilities(&count, &size)) || size < 0)
        return FALSE;
    std::vector<BYTE> caps(size > 0 ? size : 1);
    AM_MEDIA_TYPE* pChosen = NULL;
    VideoFields fields = {};
    for (int i = 0; i < count && pChosen == NULL; ++i)
    {
        AM_MEDIA_TYPE* pmt = NULL;
        if (pConfig->GetStreamCaps(i, &pmt, caps.data()) != S_OK || pmt == NULL)
        {
            OutputDebugStringA("[wisproxy]: GetSteamCaps Failed!");
            continue;
        }
        if (pmt->formattype == *pFormatType && (pSubtype == NULL || pmt->subtype == *pSubtype) &&
            VideoFieldsOf(pmt, &fields) && static_cast<DWORD>(fields.pBitmap->biWidth) == format.resolution.width &&
            static_cast<DWORD>(fields.pBitmap->biHeight) == format.resolution.height)
            pChosen = pmt;
        else
            DeleteMediaType(pmt);
    }
    if (pChosen == NULL || format.framerate.frame_rate == 0)
    {
        if (pChosen != NULL)
            DeleteMediaType(pChosen);
        return FALSE;
    }
    const DWORD width = format.resolution.width;
    const DWORD height = format.resolution.height;
    // The frame rate counts frames per 1001 seconds.
    *fields.pAvgTimePerFrame = 10000000000LL / format.framerate.frame_rate;
    fields.pBitmap->biWidth = static_cast<LONG>(width);
    fields.pBitmap->biHeight = static_cast<LONG>(height);
    fields.pBitmap->biSizeImage = width * height * 3 / 2;
    *fields.pBitRate = format.bitrate.target_bitrate;
    if (pChosen->cbFormat >= fields.cbHeader + sizeof(Go7007Format))
        memcpy(pChosen->pbFormat + fields.cbHeader, &format, sizeof(Go7007Format));
    char szLine[96];
    sprintf(szLine, "%s width: %d height: %d fps: %d bps: %d", pszKind, static_cast<int>(width),
            static_cast<int>(height), static_cast<int>(format.framerate.frame_rate),
            static_cast<int>(format.bitrate.target_bitrate));
    OutputDebugStringA(szLine);
    const HRESULT hr = pConfig->SetFormat(pChosen);
    DeleteMediaType(pChosen);
    if (FAILED(hr))
    {
        OutputDebugStringA("wisproxy: set pin format failed");
        return FALSE;
    }
    return TRUE;
}

BOOL CGo7007Capture::SetAudioFormat(const Go7007AudioFormat& request)
{
    ComPtr<IAMStreamConfig> pConfig;
    pConfig.Attach(StreamConfigOf("Audio Capture"));
    int count = 0, size = 0;
    if (!pConfig || FAILED(pConfig->GetNumberOfCapabilities(&count, &size)) || size < 0)
        return FALSE;
    std::vector<BYTE> caps(size > 0 ? size : 1);
    for (int i = 0; i < count; ++i)
    {
        AM_MEDIA_TYPE* pmt = NULL;
        if (pConfig->GetStreamCaps(i, &pmt, caps.data()) != S_OK || pmt == NULL)
            continue;
        WAVEFORMATEX* pWave = reinterpret_cast<WAVEFORMATEX*>(pmt->pbFormat);
        if (pmt->formattype == FORMAT_WaveFormatEx && pWave != NULL && pmt->cbFormat >= sizeof(WAVEFORMAT) &&
            pWave->wFormatTag == request.formatTag)
        {
            pWave->nSamplesPerSec = request.samplesPerSec;
            pWave->nChannels = static_cast<WORD>(request.channels);
            pWave->wBitsPerSample = static_cast<WORD>(request.bitsPerSample);
            pWave->nBlockAlign = static_cast<WORD>(request.blockAlign);
            pWave->nAvgBytesPerSec = request.avgBytesPerSec;
            const HRESULT hr = pConfig->SetFormat(pmt);
            DeleteMediaType(pmt);
            return SUCCEEDED(hr);
        }
        DeleteMediaType(pmt);
    }
    return FALSE;
}

BOOL CGo7007Capture::GetAudioFormat(Go7007AudioFormat* pFormat)
{
    ComPtr<IAMStreamConfig> pConfig;
    pConfig.Attach(StreamConfigOf("Audio Capture"));
    AM_MEDIA_TYPE* pmt = NULL;
    if (pFormat == NULL || !pConfig || FAILED(pConfig->GetFormat(&pmt)) || pmt == NULL)
        return FALSE;
    const WAVEFORMATEX* pWave = reinterpret_cast<const WAVEFORMATEX*>(pmt->pbFormat);
    const BOOL bWave = pmt->formattype == FORMAT_WaveFormatEx && pWave != NULL && pmt->cbFormat >= sizeof(WAVEFORMAT);
    if (bWave)
    {
        pFormat->formatTag = pWave->wFormatTag;
        pFormat->samplesPerSec = pWave->nSamplesPerSec;
        pFormat->channels = pWave->nChannels;
        pFormat->bitsPerSample = pWave->wBitsPerSample;
        pFormat->blockAlign = pWave->nBlockAlign;
        pFormat->avgBytesPerSec = pWave->nAvgBytesPerSec;
    }
    DeleteMediaType(pmt);
    return bWave;
}

BOOL CGo7007Capture::GetBitrateRange(DWORD dwStandards, DWORD dwWidth, DWORD dwHeight, DWORD* pdwMin, DWORD* pdwMax)
{
    if (m_pProfiles == NULL || m_pStreamCaps == NULL || pdwMin == NULL || pdwMax == NULL)
        return FALSE;
    if (m_nCombinations == 0)
        SelectStreamSetting(dwStandards);
    for (DWORD i = 0; i < m_pProfiles->resolutionCount && i < PROFILE_MAX_RECORDS; ++i)
    {
        const ResolutionConfig& r = m_pProfiles->resolutions[i];
        if ((r.tv_standard & dwStandards) == 0 || r.width != dwWidth || r.height != dwHeight)
            continue;
        const ResolutionConfig* pAllowed = CapabilityOf(static_cast<int>(i));
        if (pAllowed == NULL)
            return FALSE;
        *pdwMin = pAllowed->min_bitrate;
        *pdwMax = pAllowed->max_bitrate;
        return TRUE;
    }
    return FALSE;
}

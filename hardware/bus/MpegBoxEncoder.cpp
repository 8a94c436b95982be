#include "hardware/bus/MpegBoxEncoder.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/MpegBoxRegisterAccess.h"
#include "platform/dshow/ComPtr.h"

#include <stdio.h>
#include <string.h>

#include <vector>

// {43705740-5EF5-11D2-BE8A-001061B07491}
const IID IID_IMpegBoxStorage = { 0x43705740, 0x5EF5, 0x11D2, { 0xBE, 0x8A, 0x00, 0x10, 0x61, 0xB0, 0x74, 0x91 } };

namespace {
enum
{
    PROP_STREAM_MODE = 0,
    PROP_BITRATE = 1,
    PROP_AUDIO_LAYER = 2,
    PROP_RESOLUTION = 3,
    PROP_VALUE4 = 4,
    PROP_AUDIO_DATA_RATE = 5,
    PROP_PICTURE_VALUES = 6,
    PROP_CLOSED_GOP = 7,
    PROP_SAMPLING_RATE = 11,
    PROP_AUDIO_OUTPUT = 12,
    PROP_CRC = 13,
    PROP_LINE_A = 22,
    PROP_LINE_B = 24,
    PROP_VERSION = 27,
    PROP_PREFILTER = 42,
    PROP_INVERSE_TELECINE = 50,
    PROP_TRANSPORT_MODE = 54,
    PROP_AUDIO_ENCODING = 60,
    PROP_RESET_BLOCK = 62,
    PROP_ZERO_63 = 63,
    PROP_ZERO_64 = 64,
    PROP_FIRMWARE = 5,
};

enum
{
    DEVICE_DECODER = 0x21,
    DEVICE_WORD = 0x43,
    DEVICE_EEPROM = 0x51,
    DEVICE_PLL = 0x60,
    REG_DECODER_STATUS = 0x1F,
    REG_INPUT_MODE = 2,
    REG_PLL_STATUS = 0x8E,
    DECODER_BUSY = 0x40,
    DECODER_STATUS_BIT5 = 0x20,
    PLL_LOCKED = 0x40,
    POLL_TRIES = 50,
    POLL_MS = 10,
    VERSION_TRIES = 80,
    VERSION_MS = 50,
    VERSION_TEXT = 20,
};

#pragma pack(push, 1)
struct LineRequest
{
    BYTE code;
    DWORD flag;
};
#pragma pack(pop)
static_assert(sizeof(LineRequest) == 5, "line request is five packed bytes");

// Sends one u32 setting when the driver takes it. FALSE only when the driver
// refused it; a setting it does not know is left out.
class CSettingsWriter
{
public:
    explicit CSettingsWriter(IKsPropertySet* pProps) : m_pProps(pProps), m_bOk(TRUE) {}

    void Send(DWORD id, void* pData, DWORD cbData)
    {
        HRESULT hr = MpegBoxPropertyRequest(m_pProps, TRUE, PROPSETID_MpegBoxEncoder, id, NULL, 0, pData, cbData);
        if (FAILED(hr))
            m_bOk = FALSE;
    }
    void SendDword(DWORD id, DWORD value) { Send(id, &value, sizeof(value)); }
    BOOL Ok() const { return m_bOk; }

private:
    IKsPropertySet* m_pProps;
    BOOL m_bOk;
};

BOOL QueryProps(IUnknown* pFilter, ComPtr<IKsPropertySet>& props)
{
    return pFilter != NULL &&
           SUCCEEDED(pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&props))) && props != NULL;
}

BOOL ApplySettings(const MpegBoxSettings* pSettings, IUnknown* pFilter, IUnknown* pSecondFilter, BOOL bOldLayout,
                   BOOL bFull)
{
    ComPtr<IKsPropertySet> pProps;
    if (pSettings == NULL || !QueryProps(pFilter, pProps))
        return FALSE;
    CSettingsWriter writer(pProps.Get());
    writer.SendDword(PROP_STREAM_MODE, pSettings->bStreamOutputMode);
    writer.SendDword(PROP_RESOLUTION, pSettings->bVideoResolution);
    if (bFull)
        writer.SendDword(PROP_TRANSPORT_MODE, pSettings->bTransportOutputMode);
    DWORD picture[2] = { pSettings->awPictureValues[0], pSettings->awPictureValues[1] };
    writer.Send(PROP_PICTURE_VALUES, picture, sizeof(picture));
    writer.SendDword(PROP_SAMPLING_RATE, pSettings->bAudioSamplingRate);
    writer.SendDword(PROP_AUDIO_OUTPUT, pSettings->bAudioOutputMode);
    BYTE dataRate = pSettings->bAudioDataRate;
    writer.Send(PROP_AUDIO_DATA_RATE, &dataRate, 1);
    writer.SendDword(PROP_CRC, pSettings->bCRCState);
    writer.SendDword(PROP_CLOSED_GOP, pSettings->bClosedGOP);
    MpegBoxBitrate bitrate;
    bitrate.dwEncodingMode = pSettings->bEncodingMode;
    bitrate.wVideoBitrate = pSettings->wVideoBitrate;
    bitrate.dwVariance = pSettings->bVariance;
    bitrate.dwMuxRate = pSettings->dwMuxRate;
    bitrate.dwVBRPadding = pSettings->dwVBRPadding;
    writer.Send(PROP_BITRATE, &bitrate, bOldLayout ? MPEGBOX_OLD_BITRATE_SIZE : sizeof(bitrate));
    if (bFull)
        writer.SendDword(PROP_INVERSE_TELECINE, pSettings->bInverseTel);
    BYTE zeros[8] = { 0 };
    writer.Send(PROP_RESET_BLOCK, zeros, sizeof(zeros));
    BOOL bOk = writer.Ok();
    if (pSecondFilter != NULL)
    {
        ComPtr<IMpegBoxStorage> pStorage;
        if (SUCCEEDED(pSecondFilter->QueryInterface(IID_IMpegBoxStorage, reinterpret_cast<void**>(&pStorage))) &&
            pStorage != NULL && FAILED(pStorage->SetStorageCapacity(pSettings->dwStorageCap)))
            bOk = FALSE;
    }
    return bOk;
}

BOOL SendZero(IUnknown* pFilter, DWORD id)
{
    ComPtr<IKsPropertySet> pProps;
    if (!QueryProps(pFilter, pProps))
        return FALSE;
    BYTE zero = 0;
    return SUCCEEDED(MpegBoxPropertyRequest(pProps.Get(), TRUE, PROPSETID_MpegBoxEncoder, id, NULL, 0, &zero, 1));
}

// Reads the version text and parses it; FALSE when the read fails or the
// text is not a version.
BOOL ReadVersion(IUnknown* pFilter, int* pVersion)
{
    char text[VERSION_TEXT + 1];
    memset(text, 0, sizeof(text));
    if (!MpegBoxGetProperty(pFilter, PROPSETID_MpegBoxEncoder, PROP_VERSION, NULL, 0, text, VERSION_TEXT))
        return FALSE;
    // The driver's text need not be terminated within its 20 bytes.
    text[VERSION_TEXT] = '\0';
    int major = 0, minor = 0, build = 0;
    char sep1 = 0, sep2 = 0;
    if (sscanf(text, "%d%c%d%c%d", &major, &sep1, &minor, &sep2, &build) != 5)
        return FALSE;
    *pVersion = (major * 100 + minor) * 1000 + build;
    return TRUE;
}

BOOL PollDecoder(IUnknown* pFilter, DWORD* pValue)
{
    for (int i = 0; i < POLL_TRIES; ++i)
    {
        if (i > 0)
            BusSleep(POLL_MS);
        if (MpegBoxControlRead(pFilter, DEVICE_DECODER, 0, REG_DECODER_STATUS, pValue))
            return TRUE;
    }
    return FALSE;
}

// A property read into an integer field of any width, when the driver has it.
template <class T>
BOOL ReadInto(IKsPropertySet* pProps, DWORD id, T* pField)
{
    DWORD value = 0;
    HRESULT hr = MpegBoxPropertyRequest(pProps, FALSE, PROPSETID_MpegBoxEncoder, id, NULL, 0, &value, sizeof(value));
    if (hr == S_OK)
        *pField = static_cast<T>(value);
    return SUCCEEDED(hr);
}
}  // namespace

void MpegBoxDefaultPreFilter(MpegBoxPreFilter* p)
{
    memset(p, 0, sizeof(*p));
    p->dwMedianCoringLumaLo = 255;
    p->dwMedianCoringChromaLo = 255;
    p->dwLumaSpatialFlt = 3;
    p->dwChromaSpatialFlt = 1;
    p->dwDNRSmoothFactor = 200;
    p->dwDNR_Ntlf_Max_Y = 15;
    p->dwDNR_Ntlf_Max_UV = 15;
    p->dwDNRTemporalMultFactor = 48;
    p->dwDNRTemporalAddFactor = 4;
    p->dwDNRSpatialMultFactor = 21;
    p->dwDNRSpatialSubFactor = 2;
    p->dwVIMZoneWidth = 16;
    p->dwVIMZoneHeight = 2;
}

BOOL MpegBoxWaitReady(IUnknown* pFilter)
{
    for (int i = 0; i < POLL_TRIES; ++i)
    {
        if (i > 0)
            BusSleep(POLL_MS);
        DWORD value = 0;
        if (MpegBoxControlRead(pFilter, DEVICE_DECODER, 0, REG_DECODER_STATUS, &value) && !(value & DECODER_BUSY))
            return TRUE;
    }
    return FALSE;
}

BOOL MpegBoxReadStatusBit5(IUnknown* pFilter, DWORD* pClear)
{
    DWORD value = 0;
    if (pClear == NULL || !PollDecoder(pFilter, &value))
        return FALSE;
    *pClear = (value & DECODER_STATUS_BIT5) ? 0 : 1;
    return TRUE;
}

BOOL MpegBoxSendLinePairs(IUnknown* pFilter)
{
    static const struct
    {
        DWORD id;
        BYTE code;
        DWORD flag;
    } kPairs[] = { { PROP_LINE_A, 3, 1 }, { PROP_LINE_A, 13, 1 }, { PROP_LINE_B, 3, 0 }, { PROP_LINE_B, 13, 0 } };
    BOOL bOk = TRUE;
    for (const auto& pair : kPairs)
    {
        LineRequest request = { pair.code, pair.flag };
        if (!MpegBoxSetProperty(pFilter, PROPSETID_MpegBoxEncoder, pair.id, NULL, 0, &request, sizeof(request)))
            bOk = FALSE;
    }
    return bOk;
}

BOOL MpegBoxSetInputMode(IUnknown* pFilter, int mode, int selector)
{
    if (selector != 1 && selector != 2)
        return FALSE;
    DWORD value = 0;
    if (!MpegBoxControlRead(pFilter, DEVICE_DECODER, MPEGBOX_CODE_DECODER_READ, REG_INPUT_MODE, &value))
        return FALSE;
    static const BYTE kModeBits[] = { 6, 3, 4 };
    if (mode >= 0 && mode < 3)
        value = (value & 0xF0) | kModeBits[mode];
    return MpegBoxControlWrite(pFilter, DEVICE_DECODER, MPEGBOX_CODE_DECODER_WRITE, REG_INPUT_MODE, value & 0xFF);
}

BOOL MpegBoxSetDevice43Mode(IUnknown* pFilter, int selector, BOOL bAlternate)
{
    if (selector != 5)
        return TRUE;
    return MpegBoxControlWrite(pFilter, DEVICE_WORD, MPEGBOX_CODE_WORD_WRITE, 0, bAlternate ? 0x3610 : 0x1610);
}

BOOL MpegBoxReadEeprom(IUnknown* pFilter, DWORD offset, BYTE* pValue)
{
    DWORD value = 0;
    if (pValue == NULL || !MpegBoxControlRead(pFilter, DEVICE_EEPROM, MPEGBOX_CODE_BYTE_READ, offset, &value))
        return FALSE;
    *pValue = static_cast<BYTE>(value);
    return TRUE;
}

BOOL MpegBoxWriteEeprom(IUnknown* pFilter, DWORD offset, BYTE value)
{
    return MpegBoxControlWrite(pFilter, DEVICE_EEPROM, MPEGBOX_CODE_BYTE_WRITE, offset, value);
}

BOOL MpegBoxSetTunerFrequency(IUnknown* pFilter, DWORD frequencyKHz)
{
    DWORD divider = (frequencyKHz + 38900) * 16 / 1000;
    DWORD control = frequencyKHz < 170000 ? 0xCE01 : (frequencyKHz < 450000 ? 0xCE02 : 0xCE08);
    if (!MpegBoxControlWrite(pFilter, DEVICE_PLL, MPEGBOX_CODE_PLL_WRITE, divider, control))
        return FALSE;
    // Gives the PLL time to lock; the tuning stands whether it does or not.
    for (int i = 0; i < POLL_TRIES; ++i)
    {
        DWORD status = 0;
        BOOL bRead = MpegBoxControlRead(pFilter, DEVICE_PLL, MPEGBOX_CODE_DECODER_READ, REG_PLL_STATUS, &status);
        BusSleep(POLL_MS);
        if (!bRead || (status & PLL_LOCKED))
            break;
    }
    return TRUE;
}

namespace {
int DecoderOffset(DWORD reg, int standard)
{
    if (reg != 9)
        return 0;
    if (standard == 0)
        return 189;
    return (standard == 1 || standard == 2) ? 77 : 0;
}
}  // namespace

BOOL MpegBoxReadDecoderRegister(IUnknown* pFilter, DWORD reg, BYTE* pValue, int standard)
{
    DWORD value = 0;
    if (pValue == NULL || !MpegBoxControlRead(pFilter, DEVICE_DECODER, MPEGBOX_CODE_DECODER_READ, reg, &value))
        return FALSE;
    *pValue = static_cast<BYTE>(value - DecoderOffset(reg, standard));
    return TRUE;
}

BOOL MpegBoxWriteDecoderRegister(IUnknown* pFilter, DWORD reg, BYTE value, int standard)
{
    DWORD sent = static_cast<BYTE>(value + DecoderOffset(reg, standard));
    if (reg == 13)
        sent = static_cast<BYTE>(value - 127);
    return MpegBoxControlWrite(pFilter, DEVICE_DECODER, MPEGBOX_CODE_DECODER_WRITE, reg, sent);
}

BOOL MpegBoxSetPrefilter(IUnknown* pFilter, const MpegBoxPreFilter* pRecord)
{
    if (pRecord == NULL)
        return FALSE;
    MpegBoxPreFilter record = *pRecord;
    return MpegBoxSetProperty(pFilter, PROPSETID_MpegBoxEncoder, PROP_PREFILTER, NULL, 0, &record, sizeof(record));
}

BOOL MpegBoxGetPrefilter(IUnknown* pFilter, MpegBoxPreFilter* pRecord)
{
    return pRecord != NULL &&
           MpegBoxGetProperty(pFilter, PROPSETID_MpegBoxEncoder, PROP_PREFILTER, NULL, 0, pRecord, sizeof(*pRecord));
}

BOOL MpegBoxSetProperty4(IUnknown* pFilter, DWORD value)
{
    return MpegBoxSetProperty(pFilter, PROPSETID_MpegBoxEncoder, PROP_VALUE4, NULL, 0, &value, sizeof(value));
}

BOOL MpegBoxGetProperty4(IUnknown* pFilter, DWORD* pValue)
{
    return pValue != NULL &&
           MpegBoxGetProperty(pFilter, PROPSETID_MpegBoxEncoder, PROP_VALUE4, NULL, 0, pValue, sizeof(*pValue));
}

BOOL MpegBoxApplySettings(const MpegBoxSettings* pSettings, IUnknown* pFilter, IUnknown* pSecondFilter, BOOL bOldLayout)
{
    return ApplySettings(pSettings, pFilter, pSecondFilter, bOldLayout, TRUE);
}

BOOL MpegBoxApplySettingsShort(const MpegBoxSettings* pSettings, IUnknown* pFilter, IUnknown* pSecondFilter,
                               BOOL bOldLayout)
{
    return ApplySettings(pSettings, pFilter, pSecondFilter, bOldLayout, FALSE);
}

BOOL MpegBoxSendZero63(IUnknown* pFilter)
{
    return SendZero(pFilter, PROP_ZERO_63);
}

BOOL MpegBoxSendZero64(IUnknown* pFilter)
{
    return SendZero(pFilter, PROP_ZERO_64);
}

BOOL MpegBoxReadSettings(IUnknown* pFilter, MpegBoxSettings* p)
{
    ComPtr<IKsPropertySet> pProps;
    if (p == NULL || !QueryProps(pFilter, pProps))
        return FALSE;
    IKsPropertySet* k = pProps.Get();
    BOOL bOk = ReadInto(k, PROP_AUDIO_LAYER, &p->bMPEGAudLayer);
    bOk &= ReadInto(k, PROP_VALUE4, &p->bVideoInMode);
    bOk &= ReadInto(k, PROP_AUDIO_ENCODING, &p->bAudioEncodingMode);
    bOk &= ReadInto(k, PROP_INVERSE_TELECINE, &p->bInverseTel);
    bOk &= ReadInto(k, PROP_STREAM_MODE, &p->bStreamOutputMode);
    bOk &= ReadInto(k, PROP_TRANSPORT_MODE, &p->bTransportOutputMode);
    bOk &= ReadInto(k, PROP_RESOLUTION, &p->bVideoResolution);
    bOk &= ReadInto(k, PROP_SAMPLING_RATE, &p->bAudioSamplingRate);
    bOk &= ReadInto(k, PROP_AUDIO_OUTPUT, &p->bAudioOutputMode);
    BYTE dataRate = 0;
    HRESULT hr =
        MpegBoxPropertyRequest(k, FALSE, PROPSETID_MpegBoxEncoder, PROP_AUDIO_DATA_RATE, NULL, 0, &dataRate, 1);
    if (hr == S_OK)
        p->bAudioDataRate = dataRate;
    bOk &= SUCCEEDED(hr);
    bOk &= ReadInto(k, PROP_CRC, &p->bCRCState);
    bOk &= ReadInto(k, PROP_CLOSED_GOP, &p->bClosedGOP);
    DWORD picture[2] = { 0, 0 };
    hr = MpegBoxPropertyRequest(k, FALSE, PROPSETID_MpegBoxEncoder, PROP_PICTURE_VALUES, NULL, 0, picture,
                                sizeof(picture));
    if (hr == S_OK)
        p->awPictureValues[0] = static_cast<WORD>(picture[0]), p->awPictureValues[1] = static_cast<WORD>(picture[1]);
    bOk &= SUCCEEDED(hr);
    MpegBoxBitrate bitrate;
    memset(&bitrate, 0, sizeof(bitrate));
    hr = MpegBoxPropertyRequest(k, FALSE, PROPSETID_MpegBoxEncoder, PROP_BITRATE, NULL, 0, &bitrate, sizeof(bitrate));
    if (hr == S_OK)
    {
        p->bEncodingMode = static_cast<BYTE>(bitrate.dwEncodingMode);
        p->wVideoBitrate = bitrate.wVideoBitrate;
        p->bVariance = bitrate.dwVariance;
        p->dwMuxRate = bitrate.dwMuxRate;
        p->dwVBRPadding = bitrate.dwVBRPadding;
    }
    bOk &= SUCCEEDED(hr);
    hr = MpegBoxPropertyRequest(k, FALSE, PROPSETID_MpegBoxEncoder, PROP_PREFILTER, NULL, 0, &p->PreFilterInfo,
                                sizeof(p->PreFilterInfo));
    bOk &= SUCCEEDED(hr);
    return bOk;
}

BOOL MpegBoxCheckFirmwareVersion(IUnknown* pFilter)
{
    int version = 0;
    if (!ReadVersion(pFilter, &version) || version < MPEGBOX_VERSION_LOADER)
        return FALSE;
    if (version > MPEGBOX_VERSION_LOADER)
        return TRUE;
    // The loader has taken the firmware: wait while it starts it.
    for (int i = 0; i < VERSION_TRIES; ++i)
    {
        BusSleep(VERSION_MS);
        if (!ReadVersion(pFilter, &version))
            return FALSE;
        if (version != MPEGBOX_VERSION_BOOTING)
            break;
    }
    return version >= MPEGBOX_VERSION_REQUIRED;
}

BOOL MpegBoxDownloadFirmware(IUnknown* pFilter, LPCSTR pszPath)
{
    if (pszPath == NULL)
        return FALSE;
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return FALSE;
    // Zeroed, so the trailer's spare bytes are defined.
    std::vector<BYTE> block(MPEGBOX_FIRMWARE_BLOCK, 0);
    size_t cbRead = fread(&block[0], 1, MPEGBOX_FIRMWARE_IMAGE, pFile);
    fclose(pFile);
    if (cbRead < MPEGBOX_FIRMWARE_IMAGE)
        return FALSE;
    DWORD two = 2, one = 1;
    memcpy(&block[MPEGBOX_FIRMWARE_IMAGE], &two, 4);
    block[MPEGBOX_FIRMWARE_IMAGE + 4] = 6;
    memcpy(&block[MPEGBOX_FIRMWARE_IMAGE + 8], &one, 4);
    return MpegBoxSetProperty(pFilter, PROPSETID_MpegBoxFirmware, PROP_FIRMWARE, &block[0], MPEGBOX_FIRMWARE_BLOCK,
                              &block[0], MPEGBOX_FIRMWARE_BLOCK);
}

BOOL MpegBoxUseOldBitrateLayout()
{
    HKEY hKey = NULL;
    // Read access only: ordinary users may not open the driver's key for more.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Conexant\\Parameters\\iVac15\\Driver",
                      0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return TRUE;
    DWORD value = 1;
    DWORD type = 0;
    DWORD cb = sizeof(value);
    LONG result =
        RegQueryValueExA(hKey, "OldEncoderBitrateInterface", NULL, &type, reinterpret_cast<BYTE*>(&value), &cb);
    RegCloseKey(hKey);
    return !(result == ERROR_SUCCESS && cb == sizeof(value) && value == 0);
}

BOOL MpegBoxDumpSettings(const MpegBoxSettings* p, LPCSTR pszPath)
{
    if (p == NULL || pszPath == NULL)
        return FALSE;
    FILE* pFile = fopen(pszPath, "w");
    if (pFile == NULL)
        return FALSE;
    const char* mode = "other";
    switch (p->bStreamOutputMode)
    {
    case 2:
        mode = "MPEG1";
        break;
    case 11:
        mode = "VCD";
        break;
    case 10:
        mode = "DVD";
        break;
    case 12:
        mode = "SVCD";
        break;
    }
    fprintf(pFile, "Mode = %s\n", mode);
    // Each line keeps its own spacing around the '='.
    const struct
    {
        const char* format;
        int value;
    } kLines[] = {
        { "bVideoInMode = %d\n", p->bVideoInMode },
        { "bTVEncodeFormat = %d\n", p->bTVEncodeFormat },
        { "bTVDecodeFormat = %d\n", p->bTVDecodeFormat },
        { "dwStorageCap = %d\n", static_cast<int>(p->dwStorageCap) },
        { "wVideoBitrate =%d\n", p->wVideoBitrate },
        { "bEncodingMode= %d\n", p->bEncodingMode },
        { "bVariance = %d\n", static_cast<int>(p->bVariance) },
        { "dwMuxRate = %d\n", static_cast<int>(p->dwMuxRate) },
        { "dwVBRPadding =%d\n", static_cast<int>(p->dwVBRPadding) },
        { "bVideoResolution= %d\n", p->bVideoResolution },
        { "bStreamOutputMode= %d\n", p->bStreamOutputMode },
        { "bMPEGAudLayer =%d\n", p->bMPEGAudLayer },
        { "bAudioSamplingRate= %d\n", p->bAudioSamplingRate },
        { "bAudioDataRate =%d\n", p->bAudioDataRate },
        { "bAudioOutputMode= %d\n", p->bAudioOutputMode },
        { "bCRCState =%d\n", p->bCRCState },
        { "bGOPStructure= %d\n", p->bGOPStructure },
        { "bAudioEncodingMode =%d\n", p->bAudioEncodingMode },
        { "bClosedGOP= %d\n", static_cast<int>(p->bClosedGOP) },
        { "bInverseTel =%d\n", static_cast<int>(p->bInverseTel) },
        { "bTransportOutputMode= %d\n", p->bTransportOutputMode },
        { "nSharpness =%d\n", p->nSharpness },
        { "nBrightness= %d\n", p->nBrightness },
        { "nContrast =%d\n", p->nContrast },
        { "nSaturation= %d\n", p->nSaturation },
        { "nHue =%d\n", p->nHue },
    };
    for (const auto& line : kLines)
        fprintf(pFile, line.format, line.value);
    static const char* const kPreFilterNames[] = {
        "dwDisableFilter",
        "dwMedianFilter",
        "dwMedianCoringLumaHi",
        "dwMedianCoringLumaLo",
        "dwMedianCoringChromaHi",
        "dwMedianCoringChromaLo",
        "dwLumaSpatialFlt",
        "dwChromaSpatialFlt",
        "dwDNRMode",
        "dwDNRSpatialFltLevel",
        "dwDNRTemporalFltLevel",
        "dwDNRSmoothFactor",
        "dwDNR_Ntlf_Max_Y",
        "dwDNR_Ntlf_Max_UV",
        "dwDNRTemporalMultFactor",
        "dwDNRTemporalAddFactor",
        "dwDNRSpatialMultFactor",
        "dwDNRSpatialSubFactor",
        "dwLumaNLTFLevel",
        "dwLumaNLTFCoEffIndex",
        "dwLumaNLTFCoEffValue",
        "dwVIMZoneWidth",
        "dwVIMZoneHeight",
        "dwReserved1",
        "dwReserved2",
        "dwReserved3",
        "dwReserved4",
    };
    static_assert(sizeof(kPreFilterNames) / sizeof(kPreFilterNames[0]) * sizeof(DWORD) == sizeof(MpegBoxPreFilter),
                  "one name per pre-filter field");
    const DWORD* pFields = &p->PreFilterInfo.dwDisableFilter;
    for (size_t i = 0; i < sizeof(kPreFilterNames) / sizeof(kPreFilterNames[0]); ++i)
        fprintf(pFile, "PreFilterInfo.%s = %d\n", kPreFilterNames[i], static_cast<int>(pFields[i]));
    fclose(pFile);
    return TRUE;
}

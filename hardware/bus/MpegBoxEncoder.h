#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstddef>

// Encoder operations of the MPEG-2 box, over the same property sets as its
// transport. Each takes the box's capture filter and returns 1 on success,
// 0 on failure.

// The encoder's pre-filter (property 42), 27 u32 in this order.
struct MpegBoxPreFilter
{
    DWORD dwDisableFilter;
    DWORD dwMedianFilter;
    DWORD dwMedianCoringLumaHi;
    DWORD dwMedianCoringLumaLo;
    DWORD dwMedianCoringChromaHi;
    DWORD dwMedianCoringChromaLo;
    DWORD dwLumaSpatialFlt;
    DWORD dwChromaSpatialFlt;
    DWORD dwDNRMode;
    DWORD dwDNRSpatialFltLevel;
    DWORD dwDNRTemporalFltLevel;
    DWORD dwDNRSmoothFactor;
    DWORD dwDNR_Ntlf_Max_Y;
    DWORD dwDNR_Ntlf_Max_UV;
    DWORD dwDNRTemporalMultFactor;
    DWORD dwDNRTemporalAddFactor;
    DWORD dwDNRSpatialMultFactor;
    DWORD dwDNRSpatialSubFactor;
    DWORD dwLumaNLTFLevel;
    DWORD dwLumaNLTFCoEffIndex;
    DWORD dwLumaNLTFCoEffValue;
    DWORD dwVIMZoneWidth;
    DWORD dwVIMZoneHeight;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwReserved3;
    DWORD dwReserved4;
};
static_assert(sizeof(MpegBoxPreFilter) == 108, "pre-filter record");

// The program's own record of the encoder settings.
struct MpegBoxSettings
{
    BYTE bStreamOutputMode;
    BYTE bVideoResolution;
    BYTE bEncodingMode;
    WORD wVideoBitrate;
    DWORD bVariance;
    DWORD dwMuxRate;
    DWORD dwVBRPadding;
    WORD awPictureValues[2];  // sent together as property 6
    BYTE bMPEGAudLayer;
    BYTE bAudioSamplingRate;
    BYTE bAudioDataRate;
    BYTE bAudioOutputMode;
    BYTE bCRCState;
    BYTE bGOPStructure;
    BYTE bAudioEncodingMode;
    DWORD bClosedGOP;
    DWORD dwStorageCap;
    BYTE reserved[28];
    MpegBoxPreFilter PreFilterInfo;
    BYTE bVideoInMode;
    BYTE bTVEncodeFormat;
    BYTE bTVDecodeFormat;
    int nSharpness;
    int nBrightness;
    int nContrast;
    int nSaturation;
    int nHue;
    DWORD bInverseTel;
    BYTE bTransportOutputMode;
};
static_assert(offsetof(MpegBoxSettings, wVideoBitrate) == 4, "settings layout");
static_assert(offsetof(MpegBoxSettings, bVariance) == 8, "settings layout");
static_assert(offsetof(MpegBoxSettings, awPictureValues) == 20, "settings layout");
static_assert(offsetof(MpegBoxSettings, bMPEGAudLayer) == 24, "settings layout");
static_assert(offsetof(MpegBoxSettings, bAudioEncodingMode) == 30, "settings layout");
static_assert(offsetof(MpegBoxSettings, bClosedGOP) == 32, "settings layout");
static_assert(offsetof(MpegBoxSettings, dwStorageCap) == 36, "settings layout");
static_assert(offsetof(MpegBoxSettings, PreFilterInfo) == 68, "settings layout");
static_assert(offsetof(MpegBoxSettings, bVideoInMode) == 176, "settings layout");
static_assert(offsetof(MpegBoxSettings, nSharpness) == 180, "settings layout");
static_assert(offsetof(MpegBoxSettings, nHue) == 196, "settings layout");
static_assert(offsetof(MpegBoxSettings, bInverseTel) == 200, "settings layout");
static_assert(offsetof(MpegBoxSettings, bTransportOutputMode) == 204, "settings layout");

#pragma pack(push, 1)
// Property 1: the bitrate block. Older drivers take only its first ten bytes.
struct MpegBoxBitrate
{
    DWORD dwEncodingMode;
    WORD wVideoBitrate;
    DWORD dwVariance;
    DWORD dwMuxRate;
    DWORD dwVBRPadding;
};
#pragma pack(pop)
static_assert(sizeof(MpegBoxBitrate) == 18, "bitrate block");
enum
{
    MPEGBOX_OLD_BITRATE_SIZE = 10
};

// The firmware image the box is sent: 256 KiB from the file, then a trailer.
enum
{
    MPEGBOX_FIRMWARE_IMAGE = 0x40000,
    MPEGBOX_FIRMWARE_BLOCK = 0x4000C
};
// Versions as (major x 100 + minor) x 1000 + build.
enum
{
    MPEGBOX_VERSION_LOADER = 200052,
    MPEGBOX_VERSION_BOOTING = 1,
    MPEGBOX_VERSION_REQUIRED = 204021,
};

// The second filter's interface that takes the storage capacity.
extern const IID IID_IMpegBoxStorage;
struct IMpegBoxStorage : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStorageCapacity(DWORD dwStorageCap) = 0;
};

void MpegBoxDefaultPreFilter(MpegBoxPreFilter* pRecord);

BOOL MpegBoxWaitReady(IUnknown* pFilter);
// *pClear = 1 when the decoder's status bit 5 is clear.
BOOL MpegBoxReadStatusBit5(IUnknown* pFilter, DWORD* pClear);
BOOL MpegBoxSendLinePairs(IUnknown* pFilter);
BOOL MpegBoxSetInputMode(IUnknown* pFilter, int mode, int selector);
// Selector 5 sets the 16-bit word of device 0x43; the alternate variant sets
// its second value. Other selectors do nothing.
BOOL MpegBoxSetDevice43Mode(IUnknown* pFilter, int selector, BOOL bAlternate = FALSE);
BOOL MpegBoxReadEeprom(IUnknown* pFilter, DWORD offset, BYTE* pValue);
BOOL MpegBoxWriteEeprom(IUnknown* pFilter, DWORD offset, BYTE value);
BOOL MpegBoxSetTunerFrequency(IUnknown* pFilter, DWORD frequencyKHz);
BOOL MpegBoxReadDecoderRegister(IUnknown* pFilter, DWORD reg, BYTE* pValue, int standard);
BOOL MpegBoxWriteDecoderRegister(IUnknown* pFilter, DWORD reg, BYTE value, int standard);
BOOL MpegBoxSetPrefilter(IUnknown* pFilter, const MpegBoxPreFilter* pRecord);
BOOL MpegBoxGetPrefilter(IUnknown* pFilter, MpegBoxPreFilter* pRecord);
BOOL MpegBoxSetProperty4(IUnknown* pFilter, DWORD value);
BOOL MpegBoxGetProperty4(IUnknown* pFilter, DWORD* pValue);
// Sends every setting the driver supports; 1 only when none was refused.
BOOL MpegBoxApplySettings(const MpegBoxSettings* pSettings, IUnknown* pFilter, IUnknown* pSecondFilter,
                          BOOL bOldLayout);
BOOL MpegBoxApplySettingsShort(const MpegBoxSettings* pSettings, IUnknown* pFilter, IUnknown* pSecondFilter,
                               BOOL bOldLayout);
BOOL MpegBoxSendZero63(IUnknown* pFilter);
BOOL MpegBoxSendZero64(IUnknown* pFilter);
BOOL MpegBoxReadSettings(IUnknown* pFilter, MpegBoxSettings* pSettings);
BOOL MpegBoxCheckFirmwareVersion(IUnknown* pFilter);
BOOL MpegBoxDownloadFirmware(IUnknown* pFilter, LPCSTR pszPath);
BOOL MpegBoxUseOldBitrateLayout();
BOOL MpegBoxDumpSettings(const MpegBoxSettings* pSettings, LPCSTR pszPath);

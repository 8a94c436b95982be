#pragma once

#include "dshow/VideoProfiles.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/PinMapCrossbar.h"

// The private encoder interface of the Go7007 capture filter
// {55F1E004-76CD-412E-9413-68AF75304D73}, by position: the current stream
// setting's name and the encoder's capability table.
extern const IID IID_IGo7007Encoder;
struct IGo7007Encoder : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetStreamSetting(char* pszName) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(BYTE* pTable) = 0;
};

#pragma pack(push, 1)

// The driver's own head of the capability table: the stream settings it
// offers by name, each a stream record and the position of its stream entry.
struct Go7007StreamSetting
{
    StreamConfig config;
    DWORD stream;
};

struct Go7007StreamSettings
{
    enum { MAX_SETTINGS = 16 };
    DWORD count;
    Go7007StreamSetting entries[MAX_SETTINGS];
};

// An encoder format as the driver takes it behind a video format header.
struct Go7007Format
{
    StreamConfig stream;
    FrameRateConfig framerate;
    ResolutionConfig resolution;
    BitrateConfig bitrate;
};

// An audio format request, and what the audio pin reports.
struct Go7007AudioFormat
{
    DWORD formatTag;
    DWORD samplesPerSec;
    DWORD channels;
    DWORD bitsPerSample;
    DWORD blockAlign;
    DWORD avgBytesPerSec;
};

#pragma pack(pop)

static_assert(sizeof(Go7007StreamSetting) == 360 &&
                  sizeof(Go7007StreamSettings) == sizeof(EncoderCapabilityTable::driver),
              "stream settings fill the driver's head of the capability table");
static_assert(sizeof(Go7007Format) == 356 + 348 + 368 + 356, "four records, one after the other");
static_assert(sizeof(Go7007AudioFormat) == 24, "six words");

// Capture devices on the WIS Go7007 encoder chip: opened through the chip's
// encoder interface with the encoder profile file loaded, the EEPROM and
// keys read through the chip's own I2C master (card kind 18), the tuner
// record at 17 (letter) and 16 (type), falling back to type 72, 'L'.
class CGo7007Capture : public CCaptureDevice
{
public:
    enum { CARD_KIND_GO7007 = 18, EEPROM_DEVICE = 0xA0, ADDRESSED_FLAGS = 0x8000, BYTE_PAUSE_MS = 50 };

    ~CGo7007Capture() override;

    void InitDefaults() override;
    BOOL Initfilter() override;
    HRESULT SetAudioInput(int nInput, BOOL bEnable) override;
    BOOL ReadRemoteKey(BYTE* pKey) override;
    HRESULT WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs) override;
    HRESULT ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount) override;
    BOOL RecreateTunerModule() override;
    HRESULT ReadTunerCode(int* pcLetter, int* pnType) override;
    // Re-applies a pending standard, then tunes.
    virtual BOOL TuneTVFrequency(float frequency);
    virtual BOOL CreateEncoderRegisterAccess();

    const VideoProfileTables& GetProfiles() const { return *m_pProfiles; }

    // Finds the stream setting the encoder has in use among the driver's and
    // keeps the combinations of the profile that hold it for the standards.
    BOOL SelectStreamSetting(DWORD dwStandards);
    // Chooses frame rate, resolution and bit rate of the profile for the
    // stream setting in use and sets them on both video pins. bBest asks for
    // the highest bit rate the resolution allows instead of dwBitrate.
    BOOL SelectVideoFormat(DWORD dwStandards, DWORD dwFrameRate, DWORD dwWidth, DWORD dwHeight, DWORD dwBitrate,
                           BOOL bBest);
    // Sets the pin's offered format of that size and compression, with the
    // configuration's timing and bit rate and its records behind the header.
    BOOL SetPinFormat(LPCSTR pszPin, const Go7007Format& format);
    BOOL SetAudioFormat(const Go7007AudioFormat& request);
    BOOL GetAudioFormat(Go7007AudioFormat* pFormat);
    // The bit rates the driver allows for the first resolution of the profile
    // of that size and standards.
    BOOL GetBitrateRange(DWORD dwStandards, DWORD dwWidth, DWORD dwHeight, DWORD* pdwMin, DWORD* pdwMax);

    int GetCombinationCount() const { return m_nCombinations; }
    const ConfigCombination* GetCombinations() const { return m_pCombinations; }

protected:
    CARD_BASE_CONSTRUCTORS(CGo7007Capture, CCaptureDevice)

private:
    HRESULT ReadAddressed(BYTE offset, BYTE* pValue);
    void ClearCombinations();
    BOOL HasCombination(DWORD dwStream, DWORD dwResolution, DWORD dwFrameRate) const;
    const ResolutionConfig* CapabilityOf(int nResolution) const;
    IAMStreamConfig* StreamConfigOf(LPCSTR pszPin);

    ComPtr<IGo7007Encoder> m_pEncoder;
    EncoderCapabilityTable* m_pStreamCaps = NULL;
    int m_nCombinations = 0;
    ConfigCombination* m_pCombinations = NULL;
    VideoProfileTables* m_pProfiles = NULL;
    // The driver's stream setting in use, -1 before one is found.
    int m_nStreamSetting = -1;
};

// "Morvik A/V Capture".
class CMorvikCapture : public CGo7007Capture
{
public:
    CARD_CLASS_CONSTRUCTORS(CMorvikCapture, CGo7007Capture)
};

// The crossbar of the Go7007 devices, which may route any input to any output.
class CGo7007Crossbar : public CPinMapCrossbar
{
public:
    virtual BOOL RouteDirect(LONG lInput, LONG lOutput);

protected:
    CGo7007Crossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude,
                    const CrossbarPinMap& map)
        : CPinMapCrossbar(pGraph, pCategory, pszName, bExclude, map)
    {
    }
    CGo7007Crossbar(CDShowGraph* pGraph, REFCLSID clsid, const CrossbarPinMap& map)
        : CPinMapCrossbar(pGraph, clsid, map)
    {
    }
};

// "Morvik CrossBar": the audio of both outside inputs is one pin.
class CMorvikCrossbar : public CGo7007Crossbar
{
public:
    CMorvikCrossbar(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
        : CGo7007Crossbar(pGraph, pCategory, pszName, bExclude, kCrossbarSharedAudioMap)
    {
        OpenDevice();
    }
    CMorvikCrossbar(CDShowGraph* pGraph, REFCLSID clsid) : CGo7007Crossbar(pGraph, clsid, kCrossbarSharedAudioMap)
    {
        OpenDevice();
    }
};

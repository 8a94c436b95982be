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

protected:
    CARD_BASE_CONSTRUCTORS(CGo7007Capture, CCaptureDevice)

private:
    HRESULT ReadAddressed(BYTE offset, BYTE* pValue);

    ComPtr<IGo7007Encoder> m_pEncoder;
    EncoderCapabilityTable* m_pStreamCaps = NULL;
    int m_nCombinations = 0;
    ConfigCombination* m_pCombinations = NULL;
    VideoProfileTables* m_pProfiles = NULL;
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

#pragma once

#include "dshow/FilterNode.h"
#include "hardware/bus/RegisterAccess.h"
#include "hardware/tuners/TunerModule.h"
#include "hardware/tuners/TunerOwner.h"

#include <string>
#include <vector>

class CRemoteKeyPoller;

// The video standard through the filter's analog video decoder; E_FAIL
// without a filter.
HRESULT GetDecoderStandard(IBaseFilter* pFilter, LONG* plStandard, LONG* plAvailable);
HRESULT SetDecoderStandard(IBaseFilter* pFilter, LONG lStandard);

// The audio-input switch on GPIO lines: after the lines settle, the word read
// goes through the card's rule and is written back under the mask.
typedef DWORD (*PFN_AUDIO_RULE)(DWORD word, int nInput, BOOL bEnable);
// Lines 12-13: 3 mutes, inputs 0, 1, 2 are 0, 1, 2, any other keeps the word.
DWORD AudioRuleLines12And13(DWORD word, int nInput, BOOL bEnable);
HRESULT SwitchAudioByGpio(CRegisterAccess* pAccess, int nInput, BOOL bEnable, PFN_AUDIO_RULE pfnRule, DWORD mask);
class CWorkThread;

// Message the remote-key poller posts to the notify window (wParam the key).
enum { WM_REMOTE_KEY = 0x3981 };

// What GetVideoFormat fills and SetVideoFormat takes: the format code (see
// CCaptureDevice::FormatCode) and the fields of the pin's VIDEOINFOHEADER.
struct VideoFormatRecord
{
    LONG nFormatCode;
    VIDEOINFOHEADER info;
};

// Range and value of one IAMVideoProcAmp property.
struct VideoProcAmpRecord
{
    LONG lValue;
    LONG lMinimum;
    LONG lMaximum;
    LONG lStep;
    LONG lDefault;
    LONG lCapsFlags;
};

// The capture-device interface of a card, over the wrapper of its capture
// filter. The base drives the common card: an EEPROM at 0xA0 naming the
// tuner, a PLL tuner on the card's I2C bus, the audio input and the remote
// key on GPIO lines. Each card class overrides what its card does otherwise.
// The device owns its bus access, tuner module, key poller and auxiliary
// worker and deletes them through their virtual destructors.
class CCaptureDevice : public CFilterNode, public CTunerOwner
{
public:
    enum
    {
        DEFAULT_KEY_POLL_MS = 100,
        DEFAULT_EEPROM_ADDRESS = 0xA0,
        AUDIO_SWITCH_SETTLE_MS = 300,
    };
    enum { PIN_SELECT_CAPTURE = 1 };
    enum { CARD_KIND_NONE = 0, CARD_KIND_KS = 1, CARD_KIND_VENDOR_PROPERTY = 2 };

    CCaptureDevice(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CCaptureDevice(CDShowGraph* pGraph, REFCLSID clsid);
    CCaptureDevice(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CCaptureDevice() override;

    // "Capture" and "Preview" answer the pins the open found; any other name,
    // or a pin not found, is looked up in the pin list.
    virtual CPinWrapper* GetPin(LPCSTR pszPinName);
    virtual void InitDefaults();
    // Opens the card: bus access, video pins, tuner type and tuner module,
    // under "Mutex_Remote_Control".
    BOOL Initfilter() override;
    virtual HRESULT GetVideoStandard(LONG* plStandard, LONG* plAvailable);
    virtual HRESULT SetVideoStandard(LONG lStandard);
    virtual BOOL SetFMFrequency(float frequency);
    virtual BOOL SetTunerMode(LONG lMode);
    virtual HRESULT SetAudioInput(int nInput, BOOL bEnable);
    // Nonzero when a key was read; the key is the GPIO key word decoded.
    virtual BOOL ReadRemoteKey(BYTE* pKey);
    virtual HRESULT I2CBlockTransfer(BYTE* pBuffer, int nLength);
    virtual HRESULT WriteEEPROM(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwDelayMs);
    virtual HRESULT ReadEEPROM(BYTE* pBuffer, int nStart, int* pnCount);
    virtual void Reserved18();
    virtual HRESULT CreateRegisterAccess();
    // Deletes the auxiliary worker, key poller, tuner module and bus access; card kind 0.
    virtual HRESULT ReleaseMembers();
    virtual BOOL RecreateTunerModule();
    virtual int DetectTunerType();
    virtual BOOL WaitGpioReady(BOOL bLevel, BOOL bPad);
    virtual BYTE ReadCardOptionByte();
    // Searches the I2C bus for the tuner and stores its read and write
    // addresses into the module; nonzero when a chip other than the EEPROM answered.
    BOOL DetectTunerAddress(CTunerModule* pModule) override;
    virtual BOOL SelectTunerType(int nTypeId);
    // Nonzero when a chip answers a one-byte read at the address.
    virtual BOOL ProbeI2C(BYTE address);
    virtual HRESULT ReadTunerCode(int* pcLetter, int* pnType);
    // The tuner model of a type id on this card's bus, owned by the caller.
    virtual CTunerModule* CreateTunerModule(int nTypeId);
    virtual BOOL McuWrite(DWORD value, DWORD mask, DWORD dwDelayMs);
    virtual BOOL McuWaitReady(DWORD* pValue);
    // The microcontroller exchanges of the cards that carry one; the base has none.
    virtual BOOL McuSendWord(DWORD value);
    virtual BOOL McuReadWord(WORD* pValue);
    virtual BOOL McuHandshake(DWORD flag);
    virtual BOOL CardExtension1(ULONG_PTR value);
    virtual BOOL CardExtension2(ULONG_PTR value);
    virtual BOOL CardExtension3(ULONG_PTR value);
    virtual BOOL DeleteAuxObject();
    // The video decoder's horizontal lock; the flag is written only on success.
    HRESULT IsSignalLocked(DWORD* pLocked) override;
    virtual HRESULT SetAudioInputEx(int nInput, BOOL bEnable);
    virtual void Reserved41();
    virtual HRESULT WriteCardGpio(DWORD mask, DWORD value);
    // A counted text from a chip of the card, into a buffer of cchBuffer characters.
    virtual BOOL ReadCardInfoString(char* pszBuffer, int cchBuffer, int* pnLength);
    virtual BOOL GetChipIds(DWORD* pValue);

    HRESULT SetVideoProcAmp(LONG lProperty, LONG lValue);
    HRESULT GetVideoProcAmp(LONG lProperty, VideoProcAmpRecord* pRecord);
    HRESULT GetVideoFormat(VideoFormatRecord* pRecord, int nPinSelect);
    HRESULT SetVideoFormat(VideoFormatRecord record, int nPinSelect);
    void FindVideoPins();
    HRESULT GetTVTunerInterface(IAMTVTuner** ppTuner);
    BOOL SetTunerFrequency(float frequency);
    BOOL SetTunerStandard(DWORD dwStandard);
    const std::vector<DWORD>* GetTunerStandards() const;

    int GetCardType() const override { return m_nCardKind; }
    int GetTunerType() const { return m_nTunerType; }
    int GetTunerLetter() const { return m_cTunerLetter; }
    CRegisterAccess* GetRegisterAccess() const { return m_pRegisterAccess; }
    CTunerModule* GetTunerModule() const { return m_pTunerModule; }
    IBaseFilter* GetTunerFilter() const { return m_pTunerFilter.Get(); }
    CPinWrapper* GetCapturePin() const { return m_pCapturePin; }
    CPinWrapper* GetPreviewPin() const { return m_pPreviewPin; }
    LPCSTR GetDeviceName() const { return m_strDeviceName.c_str(); }
    LPCSTR GetTunerFilterName() const { return m_strTunerFilterName.c_str(); }
    int GetKeyTimeout() const { return m_nKeyTimeout; }
    HWND GetNotifyWindow() const { return m_hNotifyWnd; }
    void SetNotifyWindow(HWND hWnd)
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->SetNotifyWindow(hWnd);
        m_hNotifyWnd = hWnd;
    }

    BOOL ProbeTuner(CTunerModule* pModule) override
    {
        return pModule != NULL ? ProbeI2C(pModule->m_byI2CRead) : FALSE;
    }

    BOOL HasFM() const { return m_pTunerModule != NULL && m_pTunerModule->HasFM(); }
    void GetTVFrequencyRange(int* pHigh, int* pLow) const
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->GetTVFrequencyRange(pHigh, pLow);
    }
    void GetFMFrequencyRange(int* pHigh, int* pLow) const
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->GetFMFrequencyRange(pHigh, pLow);
    }
    BOOL StartScan(BOOL bTV, BOOL bUseParameters)
    {
        return m_pTunerModule != NULL && m_pTunerModule->StartScan(bTV, bUseParameters);
    }
    void StopScan()
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->StopScan();
    }
    BOOL IsScanning() { return m_pTunerModule != NULL && m_pTunerModule->IsScanning(); }
    BOOL SetScanList(const float* pList, int count)
    {
        return m_pTunerModule != NULL && m_pTunerModule->SetScanList(pList, count);
    }
    void SetTVScanStartStep(int step)
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->SetTVScanStartStep(step);
    }
    void SetTVScanFineStep(int step)
    {
        if (m_pTunerModule != NULL)
            m_pTunerModule->SetTVScanFineStep(step);
    }
    BOOL SetFMScanStep(int step) { return m_pTunerModule != NULL && m_pTunerModule->SetFMScanStep(step); }
    BOOL SetFMScanRange(int low, int high)
    {
        return m_pTunerModule != NULL && m_pTunerModule->SetFMScanRange(low, high);
    }

    BOOL StartRemotePoller();
    void StopRemotePoller();
    int GetKeyPollPeriod() const { return m_nKeyPollPeriod; }
    BOOL SetKeyPollPeriod(int ms);

    // The subtype of a format code and back (-1 for a subtype not listed).
    static GUID SubtypeFromFormatCode(LONG nCode);
    static LONG FormatCodeFromSubtype(REFGUID subtype);
    // The tuner family letter of a type id ('N' for a type not listed).
    static int TunerLetterOfType(int nTypeId);

protected:
    // What the card-class constructors run after the base construction: the
    // class's defaults and its open; a failed open leaves the node invalid.
    void OpenDevice();
    // The first step of every open: no bus access, tuner, pins, notify window,
    // key poller or auxiliary members (nothing is deleted); tuner 'N', 0.
    void ClearOpenMembers();
    // Puts the module in place of the one held, with its notify window.
    void InstallTunerModule(CTunerModule* pModule);
    // The GPIO key word: bit 8 set is no key, else the inverted low byte with
    // its nibbles swapped.
    static BOOL DecodeGpioKey(DWORD word, BYTE* pKey);
    // Under "Mutex_Remote_Control": the bus access (which must answer 0),
    // the video pins, the tuner type and module; the module's result.
    BOOL OpenUnderLock(BOOL bShowLockFailure);
    // An EEPROM byte; 0 when it cannot be read.
    BYTE ReadEepromOption(BYTE offset);
    // Binds a transport to the capture filter with the device as owner and
    // sends it command 1, which must answer 0; the transport is the device's
    // once attached. E_POINTER without filter, E_OUTOFMEMORY for a null
    // transport; a failed attach deletes it.
    HRESULT AttachFilterTransport(CRegisterAccess* pAccess, int nCardKind);
    // Binds a transport to the card's tuner filter, found by the tuner filter
    // name and kept; a failed attach deletes the transport.
    HRESULT AttachTunerFilterTransport(CRegisterAccess* pAccess, int nCardKind);
    // A key waiting in a chip of the card: the flag register reads 1, then
    // the code register holds the key.
    BOOL ReadKeyRegisters(BYTE device, BYTE flagReg, BYTE codeReg, BYTE* pKey);
    // The card's tuner upstream of the capture pin, found while the capture
    // filter stands in the graph: its IAMTVTuner into the out pointer and its
    // filter into the tuner filter member. Nonzero when found.
    BOOL FindUpstreamTuner(IAMTVTuner** ppTuner);
    // The capture filter's upstream filters are reached through its
    // connections, which exist only while it stands in the graph: the filter
    // is added under its node name, and taken out again after the look-ups
    // when the add succeeded.
    HRESULT StandInGraph();
    void LeaveGraph(HRESULT hrStood);
    // One write of the GPIO lines, with no rest state around it; nonzero when it went through.
    BOOL WriteGpioOnce(DWORD value, DWORD mask)
    {
        return m_pRegisterAccess != NULL && SUCCEEDED(m_pRegisterAccess->WriteGpio(value, mask));
    }
    // An interface upstream of the capture pin (interleaved, then video).
    BOOL FindCaptureUpstream(REFIID iid, void** ppInterface);
    // Takes the tuner filter out of the graph and releases it.
    void RemoveTunerFilter();
    // The tuner record as slot 28 reads it, with no fallbacks: letter 'N'
    // and type 0 unless the read gives others; the read's result.
    int DetectTunerTypeAsRead();
    // The bytes from nStart on through EepromReadByte, pausing after each;
    // the count becomes the number read; S_OK when any was, else the last
    // error. The caller checks the bounds.
    HRESULT ReadEepromBytes(BYTE* pBuffer, int nStart, int* pnCount, DWORD dwPauseMs);
    // One byte of the card EEPROM, as the EEPROM and tuner-code slots reach
    // it: through the bus access's byte transfers unless a card says otherwise.
    virtual HRESULT EepromReadByte(BYTE offset, BYTE* pValue);
    virtual HRESULT EepromWriteByte(BYTE offset, BYTE value);

    CRemoteKeyPoller* m_pKeyPoller;
    CRegisterAccess* m_pRegisterAccess;
    HWND m_hNotifyWnd;
    CTunerModule* m_pTunerModule;
    int m_nCardKind;
    int m_cTunerLetter;
    int m_nTunerType;
    CPinWrapper* m_pCapturePin;
    CPinWrapper* m_pPreviewPin;
    ComPtr<IBaseFilter> m_pTunerFilter;
    std::string m_strDeviceName;
    std::string m_strTunerFilterName;
    BYTE m_byTunerLetterOffset;
    BYTE m_byTunerTypeOffset;
    BYTE m_byEepromAddress;
    int m_nKeyPollPeriod;
    int m_nEventMode;
    CWorkThread* m_pAuxWorker;
    HANDLE m_hEvent;
    int m_nKeyTimeout;

private:
    void SetDefaults();
    HRESULT FindStreamConfig(int nPinSelect, IAMStreamConfig** ppConfig);
};

// The two constructors of a card class: its base's (with any further base
// arguments), then the class's own defaults and open; a failed open leaves
// the node invalid.
#define CARD_CLASS_CONSTRUCTORS(Class, Base, ...)                                                  \
    Class(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)               \
        : Base(pGraph, pCategory, pszName, bExclude, ##__VA_ARGS__)                                \
    {                                                                                              \
        OpenDevice();                                                                              \
    }                                                                                              \
    Class(CDShowGraph* pGraph, REFCLSID clsid) : Base(pGraph, clsid, ##__VA_ARGS__) { OpenDevice(); }

// The constructors of an intermediate base, which leaves the open to its card classes.
#define CARD_BASE_CONSTRUCTORS(Class, Base)                                                        \
    Class(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)               \
        : Base(pGraph, pCategory, pszName, bExclude)                                               \
    {                                                                                              \
    }                                                                                              \
    Class(CDShowGraph* pGraph, REFCLSID clsid) : Base(pGraph, clsid) {}


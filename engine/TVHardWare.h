#pragma once

#include <windows.h>
#include <dshow.h>

#include <utility>
#include <vector>

#include "dshow/DShowGraph.h"
#include "platform/afx/Array.h"
#include "platform/afx/Geometry.h"
#include "platform/afx/List.h"
#include "platform/afx/String.h"
#include "platform/afx/StringArray.h"

class CAudioCaptureFilter;
class CFileWriteFilter;
class CMCEncoderFilter;
class CMpeg2DemuxFilter;
class CMuxFilter;
class CTimeShiftFilter;
class CBlackBirdEncoder;
class CDumpFilter;
class CHALSwitchFilter;
class CRecordParam;
class CCaptureDevice;
class CCrossbarDevice;
class CDeinterlaceFilter;
class CDirectSoundFilter;
class COverlayMixerFilter;
class CEngineWindows;
class CTVAudioDevice;

// The graph manager of the TV engine: owns the one capture graph, finds and
// opens the capture card, builds and runs the preview of the current input
// (card -> deinterlacer -> [Transform Ratio] -> overlay mixer or AVI
// decompressor -> video renderer, and the card's sound to the DirectSound
// renderer), switches inputs, keeps the video standard of each input, the
// capture size and the picture settings, and runs the sound side (mixer lines,
// record level, mute). The controller owns it by value and pushes the
// settings into its members before Initialize. Everything runs on the
// user-interface thread.
class CTVHardWare;

// One record mode: a record format and the four steps that build its graph.
struct CRecordMode
{
    typedef BOOL (CTVHardWare::*PFN_STEP)();
    int format;
    PFN_STEP create;
    PFN_STEP configure;
    PFN_STEP connect;
    PFN_STEP finish;
};

class CTVHardWare
{
public:
    enum { SOURCE_TUNER = 0, SOURCE_COMPOSITE = 1, SOURCE_SVIDEO = 2, SOURCE_RADIO = 3 };
    enum { RESOURCE_NO_CARD = 57351 };

    CTVHardWare();
    virtual ~CTVHardWare();

    // Start-up and the card.
    BOOL Initialize();
    BOOL InitDevice(long* plReserved);
    BOOL CloseDevice();
    BOOL RegisterFilters();
    BOOL ValidateAudioSettings();
    void ResetFilterPointers();

    // The preview graph.
    BOOL CreatePreviewFilter(BOOL bFull);
    BOOL ConfigurePreview();
    BOOL ConnectPreviewGraph();
    BOOL BuildPreviewGraph();
    BOOL RebuildGraph();
    BOOL PauseGraph();
    BOOL HasAudioPin();

    // Inputs, standards and country.
    BOOL SetVideoSource(int nSource, BOOL bFlag);
    BOOL SelectVideoSource(int nSource);
    BOOL StopGraphForRadio(BOOL bToRadio);
    BOOL SetCardActive(BOOL bOn);
    BOOL SetCardSource(int nSource, BOOL bOn);
    BOOL SetVideoStandard(int nStandard);
    int GetVideoStandard();
    BOOL IsNTSC();
    BOOL GetSupportedStandards(CUIntArray* pStandards);
    BOOL ApplyVideoStandard(int nStandard);
    BOOL SetCountryCode(int nCode);
    BOOL SetTunerCountryCode(int nCode);

    // Sizes and aspect.
    BOOL SetVideoSize(CSize size);
    BOOL SetCaptureVideoSize(int nWidth, int nHeight);
    void AdjustVideoSize();
    static CSize NormalizeVideoSize(CSize size, BOOL bNTSC);
    BOOL SetVideoRatio(int x, int y);

    // Picture settings.
    BOOL SetDisplayQuality(int nQuality);
    BOOL ApplyDisplayQuality(int nQuality);
    BOOL SetHighQuality(BOOL bHigh);
    BOOL SetHalfRate(BOOL bHalf);
    BOOL SetNoiseReduce(BOOL bReduce);
    BOOL SetReduceValue(int nValue);
    BOOL SetVideoProcAmp(int nIndex, int nValue);
    BOOL GetVideoProcAmpInfo(int nIndex, struct VideoProcAmpRecord* pRecord);
    BOOL ApplyVideoProcAmp();

    // Windows, scans, tuner range, snapshots.
    void SetVideoWindow(HWND hWnd);
    void SetNotifyWindow(HWND hWnd);
    BOOL StartChannelScan(BOOL bTV, BOOL bUseParameters);
    BOOL StopChannelScan();
    BOOL HasFM();
    void GetTVFrequencyRange(int* pHigh, int* pLow);
    BOOL SetScanList(const float* pList, int nCount);
    BOOL TakeSnapshot(LPCSTR pszFile, LONG lType, LONG lQuality);

    // Overlay, desktop video and the teletext viewer.
    BOOL CreateOverlayMixer();
    BOOL SetUseOverlay(BOOL bUse);
    void SetUseOverlayFlag(BOOL bUse) { UseOverlay = bUse; }
    BOOL GetUseOverlay() const { return UseOverlay; }
    BOOL SetLetterBox(BOOL bLetterBox);
    BOOL SetOverlayColorKey(COLORREF color);
    BOOL SetOverlayMixerProperty(int nIndex, int nValue);
    BOOL GetOverlayMixerProperty(int nIndex, int* pnValue);
    BOOL GetOverlayMixerRange(int nIndex, int* pRange);
    BOOL ApplyOverlayMixerProperties();
    BOOL IsOverlayMixerReady();
    BOOL StartDesktopOverlay();
    BOOL StopDesktopOverlay();
    BOOL ClearDesktopWallpaper();
    BOOL RestoreDesktopWallpaper();
    BOOL IsDesktopVideo() const { return m_bDesktopVideo; }
    BOOL StartTeletextViewer();
    BOOL CloseTeletextViewer();
    BOOL FocusTeletextViewer();
    BOOL IsTeletextViewerRunning();
    void SetTVData(BOOL bOn) { TVDATA = bOn; }
    BOOL GetTVData() const { return TVDATA; }

    // Sound.
    BOOL InitAudioDevice();
    BOOL SetAudioDevice(LPCSTR pszName);
    BOOL SelectAudioCaptureInput(LPCSTR pszLine, BOOL bEnable);
    BOOL SetAudioCaptureFormat(int nRecordMode);
    BOOL GetPlaySourceVolume(DWORD* pdwValue);
    BOOL SetPlaySourceVolume(DWORD dwValue);
    BOOL GetPlaySourceMute(BOOL* pbMute);
    BOOL SetPlaySourceMute(BOOL bMute);
    BOOL SetRecordVolume(int nPercent);
    BOOL GetRecordVolume(int* pnPercent);
    BOOL SetRecordLineMute(BOOL bMute);
    BOOL ApplyPlayLineVolume();
    BOOL SetAudioMute(BOOL bMute);
    BOOL SetDirectSoundMute(BOOL bMute);
    BOOL GetDirectSoundMute(BOOL* pbMute);
    BOOL SetTVAudioMode(long lMode);
    BOOL ConnectAudioSmartTee();
    void SetTVAudioStereo(int nStereo) { TVAUDIOSTEREO = nStereo; }
    int GetTVAudioStereo() const { return TVAUDIOSTEREO; }
    void SetTVAudioLanguage(int nLanguage) { TVAUDIOLANGUAGE = nLanguage; }
    int GetTVAudioLanguage() const { return TVAUDIOLANGUAGE; }
    BOOL BuildPlayDeviceList();
    BOOL BuildPlayInputList();
    BOOL BuildRecordInputList();

    // The compressor lists of the recordings, read once at start-up.
    BOOL BuildVideoCompressorList();
    BOOL BuildAudioCompressorList();
    BOOL GetDeviceNameList(int nKind, CStringList& names);

    // Recording (the record modes and the hardware-MPEG graph).
    BOOL StartRecord();
    BOOL StartRadioRecord();
    BOOL StopRecord();
    void SetRecordFileName(LPCSTR pszPath) { m_strRecordFile = pszPath; }
    BOOL PauseRecord(BOOL bPause);
    BOOL IsRecordPaused(BOOL* pbPaused) const;
    BOOL CreateHardwareMpegFilters();
    BOOL ConfigureEncoderPresetA();
    BOOL ConfigureEncoderPresetB();
    BOOL ConfigureEncoderPresetC();
    BOOL ConfigureEncoderPresetD();
    BOOL ConnectHardwareMpeg();
    BOOL ApplyRecordParam();
    BOOL FinishNothing() { return TRUE; }

    // The AVI and MPEG-4 modes (formats 0 and 3).
    BOOL CreateAviCaptureFilters();
    BOOL ConfigureAviCapture();
    BOOL ConnectAviCaptureGraph();
    BOOL CreateMpeg4Filters();
    BOOL ConfigureMpeg4();
    BOOL ConnectMpeg4() { return RenderCompressedCapture(); }
    BOOL RenderCompressedCapture();
    BOOL FinishMpeg4();
    BOOL CreateXvidCompressor();
    BOOL CreateAudioCompressor();
    BOOL ReleaseAviFilters();
    BOOL ShowXvidSettings(HWND hParent, BOOL bShow);

    // The radio modes.
    BOOL CreatePcmAviFilters();
    BOOL CreateAdpcmAviFilters();
    BOOL CreateCustomAudioFilters();
    BOOL SetRecordWriterFile();
    BOOL ConnectPcmAudioGraph();
    BOOL ConnectAdpcmAudioGraph();
    BOOL ConnectCustomAudioGraph();
    BOOL CreateMpegAudioFilters();
    BOOL ConfigureMpegAudio();
    BOOL ConnectMpegAudioGraph();
    BOOL FinishMpegAudio();
    BOOL ConnectPins(CFilterNode* pFrom, CFilterNode* pTo, LPCSTR pszOutPin, LPCSTR pszInPin);

    // Time shift.
    BOOL StartTimeShift();
    BOOL StopTimeShift();
    BOOL IsTimeShiftPaused() const { return m_bTimeShiftPaused; }
    BOOL ToggleTimeShiftPause();
    BOOL GetTimeShiftPosition(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen, LONGLONG* pllTotalBufLen);
    BOOL SeekTimeShift(LONGLONG* pllPosition);
    BOOL SetTimeShiftLength(int nSeconds);
    void SetTimeShiftReserved(DWORD dwValue) { TFReserved = dwValue; }
    void SetTimeShiftFileName(LPCSTR pszPath) { m_strTimeShiftFile = pszPath; }
    // Kilobits the buffer holds: (video + audio kbit/s) x TFTime, at the
    // rates the encoder last reported (4500 + 224 until it has).
    ULONGLONG GetTimeShiftBufferSize() const;
    // Bytes of the buffer at the rates given (bit/s of video, audio rate
    // index 1 to 14); 0 for an index outside the table.
    static ULONGLONG ComputeTimeShiftBuffer(DWORD dwVideoBitRate, int nAudioRateIndex, int nSeconds);
    ULONGLONG GetTimeShiftBufferBytes() const { return m_ullTimeShiftBuffer; }
    BOOL CreateTimeShiftFilters();
    BOOL ConfigureTimeShiftEncoder();
    BOOL ConnectTimeShiftGraph();
    BOOL ConfigureTimeShift();
    // The controller's record parameters, read by ApplyRecordParam.
    void SetRecordParam(CRecordParam* pParam) { m_pRecordParam = pParam; }

    BOOL IsRecording() const { return m_bRecording; }
    BOOL IsTimeShifting() const { return m_bTimeShift; }
    CDShowGraph& GetGraph() { return m_Graph; }
    CCaptureDevice* GetCaptureDevice() const { return m_pTVCardFilter; }
    int GetVideoSource() const { return m_nVideoSource; }

    // Who shows the engine's messages (plain message boxes until set).
    void SetEngineWindows(CEngineWindows* pWindows);

    // Settings and state; the controller reads and writes them by name.
    CDShowGraph m_Graph;
    CStringList m_AudioDeviceList;
    CString AudioDevice;
    CStringList m_AudioInputList;
    CString AudioInput;
    CStringList m_PlayDeviceList;
    CString AudioPlayDev;
    CStringList m_PlayInputList;
    CString AudioPlayInput;
    CStringArray m_LineInNames;
    int AudioRecVol;
    int TVAUDIOSTEREO;
    int TVAUDIOLANGUAGE;
    BOOL TVDATA;

    CDirectSoundFilter* m_pDefaultSound;
    CCaptureDevice* m_pTVCardFilter;
    CDeinterlaceFilter* m_pDeinterlaceFilter;
    COverlayMixerFilter* m_pOverlayMixer;
    CCrossbarDevice* m_pCrossbarFilter;
    CFilterNode* m_pVideoRender;
    CFilterNode* m_pAviDecompressor;
    CFilterNode* m_pTransformRatio;
    CTVAudioDevice* m_pTVAudioFilter;
    CAudioCaptureFilter* m_pAudioCaptureFilter;

    BOOL UseOverlay;
    HWND m_hVideoWnd;
    HWND m_hNotifyWnd;
    int m_nVideoSource;
    CSize m_CaptureSize;
    std::pair<int, int> m_RatioState;
    int Brightness;
    int Contrast;
    int Hue;
    int Saturation;
    int Sharpness;
    int OverlayBri;
    int OverlayCon;
    int OverlayHue;
    int OverlaySat;
    int OverlaySha;
    BOOL HightQuality;
    BOOL m_bDeinterlace;
    BOOL HalfRate;
    BOOL NoiseReduce;
    int ReduceValue;

    CString m_strRecordFile;
    int DisplayQuality;
    int RecordFormat;
    int TimeShiftFormat;
    BOOL m_bRecording;
    BOOL m_bRecordPaused;
    BOOL m_bScanning;
    CString m_strTimeShiftFile;
    BOOL m_bTimeShift;
    BOOL m_bTimeShiftPaused;
    int TFTime;
    int FMRecordFormat;
    CString m_strCustomCompressor;
    BOOL m_bUseTransformRatio;
    COLORREF m_OverlayColorKey;
    COLORREF m_DesktopColor;
    BOOL m_bDesktopVideo;
    CString m_SavedWallpaper;
    HANDLE m_hTeletextProcess;
    int m_nTimeShiftRate;
    BOOL m_bTimeShiftStart;
    std::vector<CRecordMode> m_TVRecordModes;
    std::vector<CRecordMode> m_FMRecordModes;
    CFilterNode* m_pPreDumpFilter;
    CDumpFilter* m_pDumpFilter;
    CBlackBirdEncoder* m_pMpegEncoder;
    CHALSwitchFilter* m_pHALSwitch;
    CRecordParam* m_pRecordParam;
    int CountryCode;
    int m_TunerStandard;
    CStringList m_VideoCompressorList;
    CStringList m_AudioCompressorList;
    CString Mpeg4Audio;
    CSize Mpeg4RecordSize;
    CMuxFilter* m_pAviMux;
    CFileWriteFilter* m_pAviWriter;
    CFilterNode* m_pInfTee;
    CFilterNode* m_pAudioSmartTeeFilter;
    CFilterNode* m_pXvidCompressor;
    CFilterNode* m_pAudioCompressor;
    CFilterNode* m_pPcmCompressor;
    CFilterNode* m_pAdpcmCompressor;
    CFilterNode* m_pCustomCompressor;
    CMCEncoderFilter* m_pMCEncoderFilter;
    CTimeShiftFilter* m_pTimeShiftFilter;
    CMpeg2DemuxFilter* m_pDemux;
    CFilterNode* m_pVideoDecoder;
    CFilterNode* m_pAudioDecoder;
    CFilterNode* m_pAcmWrapper;
    CFilterNode* m_pTimeShiftRender;
    DWORD TFReserved;
    int m_nTimeShiftAudioRate;
    ULONGLONG m_ullTimeShiftBuffer;
    int TVStandard;
    int AVStandard;
    int SVStandard;

private:
    // The first device of the category whose friendly name begins with the
    // whole wanted name; a reference, or null.
    static IBaseFilter* FindDeviceByCategory(REFGUID category, LPCSTR pszName);
    static BOOL ToBool(HRESULT hr) { return hr == S_OK; }
    void InitRecordModes();
    BOOL ConnectVideoChain();
    void AttachVideoWindow();
    void OwnRendererWindow(CFilterNode* pRenderer);
    BOOL AddAviWriterFilters();
    BOOL AddRadioCompressor(CFilterNode** ppMember, LPCSTR pszName);
    BOOL ConnectRadioAudio(CFilterNode* pTarget);
    BOOL ConnectRadioCompressor(CFilterNode* pCompressor);
    void RemoveNode(CFilterNode** ppMember);
    BOOL AddMpegEncoder();
    void RemovePreviewRenderer();
    BOOL RunRecordModes(const std::vector<CRecordMode>& modes, int nFormat);
    BOOL EncoderPresetHead();
    BOOL WriteEncoder(DWORD dwId, DWORD dwValue, DWORD cbData);
    BOOL WriteBitRate(DWORD dwMode, DWORD dwRate, DWORD dwPeak);
    struct EncoderWrite
    {
        DWORD id;
        DWORD value;
        DWORD length;
    };
    // Writes the rows in order; FALSE at the first the encoder refuses.
    BOOL WriteEncoderList(const EncoderWrite* pRows, size_t nRows);
    BOOL WriteSmallPresetTail(DWORD dwKind, DWORD dwSizeCode, DWORD dwAudioDataRate);
    void DeleteEmptyRecordFile();
    BOOL CanWriteRecordFile() const;
    void StopFailedStart();
    CPinWrapper* FreeInput(CFilterNode* pNode) const;
    CPinWrapper* FreeOutput(CFilterNode* pNode) const;
    void DisconnectCrossbar();
    BOOL RouteCrossbar(LONG lInput, LONG lOutput);
    int CardAudioInput(int nSource) const;
    BOOL ReapplyVideoStandard();
    BOOL RestartForDesktopKey(COLORREF key);

    CEngineWindows* m_pWindows;

    CTVHardWare(const CTVHardWare&) = delete;
    CTVHardWare& operator=(const CTVHardWare&) = delete;
};

// The one graph manager, for the controller's own routines and the preview
// code; set while an instance lives.
extern CTVHardWare* g_pTVHardWare;

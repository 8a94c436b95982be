#pragma once

#include <windows.h>

#include "engine/ChannelAddressTable.h"
#include "engine/ChannelTable.h"
#include "engine/FMCustomList.h"
#include "engine/FreqPointTable.h"
#include "engine/IdNameArray.h"
#include "engine/RecordParam.h"
#include "engine/TVHardWare.h"
#include "engine/ValueRange.h"
#include "foundation/DiskWatcher.h"
#include "foundation/DriveList.h"
#include "foundation/StringResMap.h"
#include "platform/afx/Geometry.h"
#include "platform/afx/List.h"
#include "platform/afx/Map.h"
#include "platform/afx/StringArray.h"
#include "platform/afx/Time.h"

class CEngineWindows;
class CIniFile;

// The one controller of the application: it keeps every user setting, the TV and FM channel
// tables and the place tables, and it is the only way the windows change the hardware. One
// instance lives for the whole run and is reached through g_pTVEngine; every call comes on the
// user-interface thread.
class CTVEngine
{
public:
    enum
    {
        SOURCE_TV = 0,
        SOURCE_AV = 1,
        SOURCE_SV = 2,
        SOURCE_FM = 3,
    };
    enum
    {
        PROCAMP_BRIGHTNESS = 0,
        PROCAMP_CONTRAST = 1,
        PROCAMP_HUE = 2,
        PROCAMP_SATURATION = 3,
        PROCAMP_SHARPNESS = 4,
        PICTURE_CONTROLS = 5,
    };
    enum
    {
        IDS_DEFAULT_SKIN = 33857,
        IDS_START_FAILED = 34046,
        IDS_CAPTION = 57344,
        IDS_GUIDE_DAY_BEFORE_MONDAY = 33848,  // + 1 Monday ... + 7 Sunday: the day headers
        IDS_REGIONAL_CODE_NAME = 45276,
    };
    enum
    {
        COUNTRY_CODE_HRC = 1200,
        COUNTRY_CODE_REGIONAL = 1201,
        TV_INPUT_CABLE = 0,
        TV_INPUT_BROADCAST = 1,
        TV_INPUT_FREE_SCAN = 2,
    };

    // The application folder holds the settings and channel files; by default the program's own.
    explicit CTVEngine(LPCSTR pszAppFolder = NULL);
    virtual ~CTVEngine();

    // Who shows the engine's messages and offers the windows' services.
    void SetEngineWindows(CEngineWindows* pWindows);
    const CString& GetAppFolder() const { return m_strAppFolder; }
    CTVHardWare& GetHardWare() { return m_TVHardWare; }

    // State.
    BOOL IsRecording() const { return m_bRecording; }
    BOOL IsScanning() const { return m_bScanning; }
    BOOL IsTimeShifting() { return m_TVHardWare.IsTimeShifting(); }
    BOOL IsTunerSource() const;
    BOOL IsRadio() const { return GetInputSource() == SOURCE_FM; }
    BOOL IsTVInput() const { return GetInputSource() == SOURCE_TV; }
    int GetInputSource() const { return m_TVHardWare.GetVideoSource(); }
    CChannelTable* GetChannelTable();
    CChannelTable& GetTVTable() { return m_TVTable; }
    CChannelTable& GetFMTable() { return m_FMTable; }
    CChannelItem* GetCurrentChannel();
    BOOL IsDeviceMissing() const { return m_TVHardWare.GetCaptureDevice() == NULL; }
    BOOL IsDiskFull() const { return m_bDiskFull; }
    BOOL IsFMAvailable() const { return m_bFMAvailable; }
    BOOL HasFM() const { return m_bFMAvailable; }
    // While scanning or recording that flag; otherwise the on-screen menu is shown or hidden.
    BOOL IsBusy(BOOL bShow);

    // Start-up, in this order, and exit.
    BOOL InitFormatLists();
    BOOL InitStringLists();
    BOOL LoadSettings();
    BOOL ApplyLoadedSettings();
    BOOL Initialize();
    BOOL ValidateSettings();
    BOOL SaveSettings();
    BOOL SaveChannelFiles();
    void DefaultSettings();

    // The settings file "TVParam.ini" and the registry values.
    void SerializeSettings(BOOL bSave);
    BOOL OpenSettingsFile(LPCSTR pszPath);
    BOOL FlushSettingsFile(LPCSTR pszPath);
    BOOL LoadSnapPathFromRegistry();
    BOOL LoadRecordPathFromRegistry();
    void SaveSnapPathToRegistry();
    void SaveRecordPathToRegistry();
    CString GetDefaultRecordPath();
    CString GetDefaultSnapPath();
    BOOL ReadTrayAutostart(BOOL* pbEnabled);
    void WriteTrayAutostart(BOOL bEnable);
    BOOL GetSystemLogonUser(CString& user);
    BOOL GetSystemLogonPassword(CString& password);
    BOOL SetDefaultLogon(LPCSTR pszUser, LPCSTR pszPassword);
    static int GetDefaultCountryCode();

    // The programme-guide channel map "mapChannel.dat".
    BOOL SerializeEpgChannelMap(BOOL bSave);
    BOOL LookupEpgFile(LPCSTR pszChannel, CString& file);
    BOOL ReplaceEpgMapEntry(LPCSTR pszChannel, LPCSTR pszFile);

    // Picture and processing settings. The proc-amp setters return the previous value; whether
    // the value was taken goes to *pbAccepted.
    int SetBrightness(int nValue, BOOL* pbAccepted = NULL) { return SetProcAmpMember(0, nValue, pbAccepted); }
    int SetContrast(int nValue, BOOL* pbAccepted = NULL) { return SetProcAmpMember(1, nValue, pbAccepted); }
    int SetHue(int nValue, BOOL* pbAccepted = NULL) { return SetProcAmpMember(2, nValue, pbAccepted); }
    int SetSaturation(int nValue, BOOL* pbAccepted = NULL) { return SetProcAmpMember(3, nValue, pbAccepted); }
    int SetSharpness(int nValue, BOOL* pbAccepted = NULL) { return SetProcAmpMember(4, nValue, pbAccepted); }
    int GetBrightness() const { return Brightness; }
    int GetContrast() const { return Contrast; }
    int GetHue() const { return m_nHue; }
    int GetSaturation() const { return Saturation; }
    int GetSharpness() const { return Sharpness; }
    void SetVideoProcAmp(int nProperty, int nValue);
    int GetVideoProcAmpDefault(int nProperty);
    BOOL ResetVideoProcAmp();
    BOOL SetOverlayBrightness(int nValue) { return SetOverlayMember(0, nValue); }
    BOOL SetOverlayContrast(int nValue) { return SetOverlayMember(1, nValue); }
    BOOL SetOverlayHue(int nValue) { return SetOverlayMember(2, nValue); }
    BOOL SetOverlaySaturation(int nValue) { return SetOverlayMember(3, nValue); }
    BOOL SetOverlaySharpness(int nValue) { return SetOverlayMember(4, nValue); }
    int GetOverlayBrightness() const { return OverlayBri; }
    int GetOverlayContrast() const { return OverlayCon; }
    int GetOverlayHue() const { return OverlayHue; }
    int GetOverlaySaturation() const { return OverlaySat; }
    int GetOverlaySharpness() const { return OverlaySha; }
    BOOL ResetOverlayColors();
    BOOL ApplyVideoSettings();
    BOOL ReadOverlayRanges();
    BOOL ReadOverlayValues();
    const CValueRange& GetProcAmpRange(int nProperty) const { return m_ProcAmpRange[nProperty]; }
    const CValueRange& GetOverlayRange(int nControl) const { return m_OverlayRange[nControl]; }
    int SetReduceValue(int nValue);
    int GetReduceValue() const { return ReduceValue; }
    BOOL SetNoiseReduce(BOOL bReduce);
    BOOL GetNoiseReduce() const { return NoiseReduce; }
    BOOL SetHalfRate(BOOL bHalf);
    BOOL GetHalfRate() const { return HalfRate; }
    void SetHighQuality(BOOL bHigh);
    BOOL GetHighQuality() const { return HightQuality; }
    BOOL SetUseOverlay(BOOL bUse);
    BOOL GetUseOverlay() const { return UseOverlay; }
    void SetDisplayQuality(int nQuality);
    int GetDisplayQuality() const { return DisplayQuality; }
    BOOL SetRecordFormat(int nFormat);
    int GetRecordFormat() const { return m_TVHardWare.RecordFormat; }
    BOOL SetFMFilterMode(int nMode);
    int GetFMFilterMode() const { return m_TVHardWare.FMRecordFormat; }
    void SetMaxLength(int nMinutes);
    int GetMaxLength() const { return MaxLength; }
    BOOL SetAudioInput(LPCSTR pszLine);
    BOOL SetAudioDevice(LPCSTR pszName);
    void SetSkinName(LPCSTR pszName) { SkinName = pszName; }
    const CString& GetSkinName() const { return SkinName; }
    void SetEnableShut(BOOL bEnable) { EnableShut = bEnable; }
    void SetShutTime(const CTime& time) { ShutTime = time; }
    void SetShowEPGInfo(BOOL bShow) { ShowEPGInfo = bShow; }
    void SetStartTray(BOOL bStart);
    void SetAutoStartTray(BOOL bStart);

    // The country passed to the tuner ("深圳" as City makes it the regional code 1201).
    BOOL SetCountryCode(int nCode);
    int GetCountryCode() const { return CountryCode; }

    // Inputs.
    BOOL SetVideoSource(int nSource);
    BOOL NextVideoSource();

    // Forwarders into the graph manager and its graph.
    BOOL BuildPreviewGraph() { return m_TVHardWare.BuildPreviewGraph(); }
    BOOL StopGraphForRadio(BOOL bToRadio) { return m_TVHardWare.StopGraphForRadio(bToRadio); }
    void SetNotifyWindow(HWND hWnd) { m_TVHardWare.SetNotifyWindow(hWnd); }
    BOOL CloseDevice() { return m_TVHardWare.CloseDevice(); }
    HRESULT SetVideoPosition(const RECT& rc);
    HRESULT SetVideoVisible(BOOL bVisible) { return m_TVHardWare.GetGraph().ShowVideo(bVisible); }
    HRESULT SetVideoOwner(HWND hWnd) { return m_TVHardWare.GetGraph().SetVideoOwner(hWnd); }
    HRESULT SetVideoMessageDrain(HWND hWnd) { return m_TVHardWare.GetGraph().SetMessageDrain(hWnd); }
    BOOL IsOverlayActive() const { return m_TVHardWare.GetUseOverlay(); }
    CSize GetVideoSize() const { return m_TVHardWare.m_CaptureSize; }
    BOOL SetVideoSize(CSize size) { return m_TVHardWare.SetVideoSize(size); }
    // The MPEG-4 codec's own configuration dialog over the parent window.
    BOOL ConfigureMpeg4Codec(HWND hParent) { return m_TVHardWare.ShowXvidSettings(hParent, TRUE); }

    // The channel change: the tables call these with their band.
    BOOL GetFrequencyRange(BOOL bFM, int* pFirst, int* pSecond);

    // Scan, play-line mute, timed shut-down and still pictures as the windows ask for them.
    BOOL StartChannelScan(int nMode);  // 1 TV, 0 FM radio
    void StopChannelScan();
    BOOL SetPlaySourceMute(BOOL bMute, BOOL bRemember);
    BOOL IsPlaySourceMuted();
    BOOL GetEnableShut() const { return EnableShut; }
    void GetShutTime(CTime& time) const { time = ShutTime; }
    BOOL SaveSnapshotTo(LPCSTR pszFile);

    // Recording and the record disks.
    BOOL StartRecord();
    BOOL StopRecord();
    BOOL PauseRecord(BOOL bPause) { return m_TVHardWare.PauseRecord(bPause); }
    BOOL IsRecordPaused() const { return m_TVHardWare.IsRecordPaused(NULL); }
    BOOL TakeSnapshot();
    // Time shift: the buffer goes to the record folder under a record name.
    BOOL StartTimeShift();
    BOOL StopTimeShift() { return m_TVHardWare.StopTimeShift(); }
    BOOL ToggleTimeShiftPause() { return m_TVHardWare.ToggleTimeShiftPause(); }
    BOOL SetTimeShiftLength(int nSeconds);
    BOOL SetTimeShiftReserved(int nValue);
    BOOL FindTimeShiftDisk(CString& root);
    BOOL UseDisk(CDriveInfo* pDrive);
    BOOL UseDiskOfPath(LPCSTR pszPath);
    CDriveInfo* FindDiskWithSpace(LPCSTR pszRoot);
    BOOL GetRecordDisk(CString& root);
    BOOL SetRecordPath(LPCSTR pszPath);
    BOOL SetReservedSpace(int nMB);
    BOOL SetValidDisks(const CStringArray& disks);
    // The disk part of start-up: the watcher reports low space to the window.
    void InitDiskMonitor(HWND hTarget);
    void SetDiskFull(BOOL bFull);
    CString GetCurDisk() const { return CurDisk; }
    int GetReservedSpace() const { return ReservedSpace; }
    CDriveList& GetDriveList() { return m_DriveList; }
    const CString& GetRecordFolder() const { return m_strRecordFolder; }
    const CString& GetRecordingPath() const { return m_strRecordingPath; }
    CString GetRecordPath() const { return RecordPath; }
    CString GetVideoFolder() const { return VideoFolder; }
    // Creates the folder on the disk in use; the record sub-folder when that worked.
    BOOL SetVideoFolder(LPCSTR pszName);
    void SetSnapshotOptions(LPCSTR pszFolder, BOOL bBmp, int nQuality)
    {
        SnapPath = pszFolder;
        SnapBmp = bBmp;
        JpgQuality = nQuality;
    }

    // Time-stamped file names: the local time of the engine's clock.
    CString MakeRecordFileName(int nFormat);
    CString MakeAudioRecordFileName(int nFormat);
    CString MakeSnapshotFileName(int nType);
    // The clock the names take their time from (GetLocalTime unless replaced).
    typedef void (WINAPI* PFN_LOCAL_TIME)(LPSYSTEMTIME pTime);
    void SetClock(PFN_LOCAL_TIME pfnClock) { m_pfnLocalTime = pfnClock ? pfnClock : &::GetLocalTime; }
    // The folder joined with the name; when that file exists, the first free
    // "name-N.ext" (N from 2), so no recording overwrites another.
    static CString MakeUniquePath(LPCSTR pszFolder, LPCSTR pszName);
    BOOL SetFrequency(BOOL bFM, long frequency);

    // The id-to-name lists the windows show.
    const CIdNameArray& GetRecordFormatNames() const { return m_RecordFormatNames; }
    const CIdNameArray& GetVideoSourceNames() const { return m_VideoSourceNames; }
    const CIdNameArray& GetVideoStandardNames() const { return m_VideoStandardNames; }
    UINT GetProcAmpLabel(int nProperty) const;
    const CStringList& GetSkinNames() const { return m_SkinNames; }
    CChannelAddressTable& GetChannelAddressTable() { return m_ChannelAddress; }
    CFreqPointTable& GetFreqPointTable() { return m_FreqPoints; }
    CFMCustomList& GetFMCustomList() { return m_FMCustom; }
    CRecordParam& GetRecordParam() { return m_RecordParam; }
    const CString& GetEpgFolder() const { return m_strEpgFolder; }

    // The country names and the frequency-point list of the next scan.
    BOOL LoadCountryList();
    const CStringResMap& GetCountryNames() const { return m_CountryNames; }
    BOOL SelectPointTable();
    // Installs a copy of the list (MHz), sorted ascending; a list the device refuses leaves the
    // list installed before.
    BOOL SetPointTable(const float* pList, int nCount);
    const float* GetPointList() const { return m_pPointList; }
    int GetPointCount() const { return m_nPointCount; }
    BOOL IsFreeScanInput() const { return TVInput == TV_INPUT_FREE_SCAN; }
    void SetTVInput(int nInput) { TVInput = nInput; }
    int GetTVInput() const { return TVInput; }
    // The scan has ended: the channels it found go into the current table.
    void EndChannelScan(CChannelTable* pFound);
    BOOL GetDefaultChannelNames(CFreqNameMap& names);
    BOOL LoadChannelList(int nCountryCode, LPCSTR pszListName);
    BOOL BuildChannelTable(const CFreqNameMap& names);
    static void SortChannelTable(CChannelTable& table);

    // The system's main sound output: a mixer error code, 0 when the mute control took the value.
    UINT MuteMasterOutput(BOOL bMute);
    // Video on the desktop background.
    BOOL SetOverlayDesktop(BOOL bOn);
    BOOL GetOverlayDesktop() const { return OverlayDesktop; }
    BOOL CanUseDesktopOverlay();
    BOOL ClearDesktopWallpaper();
    BOOL RestoreDesktopWallpaper();
    // The play-back line's volume in percent.
    BOOL GetPlayVolume(int* pnPercent);
    BOOL SetPlayVolume(int nPercent);
    // Display names of the record formats; empty for a format without one.
    void GetRecordFormatName(CString& name);
    void GetVideoFormatName(CString& name, int nFormat);
    void GetAudioFormatName(CString& name, int nFormat);

    // The programme guide: the archive the download brought, unpacked into the programme folder
    // by the archiver; the folder's programme files; the now/next lines of a channel.
    const CString& GetEpgArchive() const { return m_strEpgArchive; }
    void SetEpgArchive(LPCSTR pszPath) { m_strEpgArchive = pszPath; }
    void SetEpgFolder(LPCSTR pszFolder) { m_strEpgFolder = pszFolder; }
    BOOL UnpackEpgArchive();
    BOOL ListEpgFiles();
    const CStringArray& GetEpgFiles() const { return m_EpgFiles; }
    BOOL GetNowNextText(CChannelItem* pItem, CString& now, CString& next);

private:
    CTVEngine(const CTVEngine&) = delete;
    CTVEngine& operator=(const CTVEngine&) = delete;

    int SetProcAmpMember(int nProperty, int nValue, BOOL* pbAccepted);
    BOOL SetOverlayMember(int nControl, int nValue);
    int* ProcAmpMember(int nProperty);
    int* OverlayMember(int nControl);
    CString AppFile(LPCSTR pszName) const;

public:
    CTVHardWare m_TVHardWare;
    CChannelTable m_TVTable;
    CChannelTable m_FMTable;
    CChannelAddressTable m_ChannelAddress;
    CStringResMap m_CountryNames;
    int CountryCode;
    CString City;
    int TVInput;
    float* m_pPointList;
    int m_nPointCount;
    CString m_strAppFolder;
    CString m_strDefaultSkin;
    CStringList m_SkinNames;
    CIdNameArray m_VideoStandardNames;
    CIdNameArray m_VideoSourceNames;
    CIdNameArray m_RecordFormatNames;
    CValueRange m_OverlayRange[PICTURE_CONTROLS];
    CValueRange m_ProcAmpRange[PICTURE_CONTROLS];
    CMap<int, int, UINT, UINT> m_ProcAmpLabels;
    CString TimeStampName(LPCSTR pszExtension);
    BOOL FindRotatingDisk(LPCSTR pszRoot, int nThresholdMB, CDriveInfo** ppDrive);
    BOOL MoveToDiskWithSpace();

    PFN_LOCAL_TIME m_pfnLocalTime;
    CString m_strRecordFolder;
    CString m_strRecordingPath;
    BOOL m_bRecording;
    BOOL m_bScanning;
    CDiskWatcher m_DiskWatcher;
    CDriveList m_DriveList;
    BOOL m_bDiskFull;
    CDriveInfo* m_pCurDrive;
    BOOL m_bFMAvailable;
    CString SnapPath;
    BOOL SnapBmp;
    int JpgQuality;
    int ExcessLength;
    int NoSpace;
    int MaxLength;
    CString VideoFolder;
    CString RecordPath;
    CString CurDisk;
    CStringArray ValidDisk;
    int ReservedSpace;
    int Brightness;
    int Contrast;
    int m_nHue;
    int Saturation;
    int Sharpness;
    BOOL UseOverlay;
    BOOL HalfRate;
    BOOL NoiseReduce;
    int ReduceValue;
    BOOL HightQuality;
    int OverlayBri;
    int OverlayCon;
    int OverlayHue;
    int OverlaySat;
    int OverlaySha;
    int DisplayQuality;
    CString SkinName;
    BOOL EnableShut;
    CTime ShutTime;
    BOOL AutoStartTray;
    CRect VideoWnd;
    CPoint ControlLeftTop;
    CSize VideoRatio;
    BOOL FullScreen;
    BOOL TopMost;
    int TFTime;
    int TFReserved;
    CIniFile* m_pSettings;
    BOOL MuteAudioPlaySrc;
    BOOL OverlayDesktop;
    int Run;
    CRecordParam m_RecordParam;
    CFMCustomList m_FMCustom;
    CFreqPointTable m_FreqPoints;
    BOOL StartTray;
    CString DefaultUser;
    CString SysDefaultUser;
    CString DefaultPass;
    CString SysDefaultPass;
    BOOL SysDefaultLogon;
    BOOL ShowError;
    CString m_strEpgArchive;
    CString m_strEpgFolder;
    CStringArray m_EpgFiles;
    CMapStringToString m_EpgChannelMap;
    BOOL ShowEPGInfo;
    UINT ShowEPGTime;
    // Encoder settings of the recordings, carried in the settings file.
    int MotionSearchInc;
    CSize Mpeg4RecordSize;

private:
    CEngineWindows* m_pWindows;
};

// The one controller; set while an instance lives.
extern CTVEngine* g_pTVEngine;

#include "engine/TVEngine.h"

#include "engine/EngineWindows.h"
#include "foundation/IniFile.h"
#include "foundation/PathUtils.h"
#include "foundation/Trace.h"
#include "hardware/devices/CaptureDevice.h"

#include <cstdlib>

CTVEngine* g_pTVEngine = NULL;

namespace {
CMessageBoxWindows g_noWindows;

const int kDefaultBrightness = 5020;
const int kDefaultContrast = 2235;
const int kDefaultHue = 5020;
const int kDefaultSaturation = 4980;
const int kDefaultSharpness = 1;
const int kDefaultOverlay[CTVEngine::PICTURE_CONTROLS] = { 750, 10000, 0, 10000, 5 };
const int kCountryShenzhen = 1201;
// The regional channel list whose name makes the tuner take the regional code.
const char kCityShenzhen[] = "深圳";

const struct
{
    int nID;
    LPCSTR pszName;
} kRecordFormats[] = { { 0, "AVI" }, { 1, "Mpeg1" }, { 2, "Mpeg2" }, { 3, "Mpeg4" }, { 4, "VCD" }, { 6, "DVD" } },
  kVideoSources[] = { { 0, "TV" }, { 1, "AV" }, { 2, "SV" }, { 3, "FM" } },
  kVideoStandards[] = { { 0, "None" },           { 1, "NTSC_M" },        { 2, "NTSC_M_J" },      { 4, "NTSC_433" },
                        { 16, "PAL_B" },         { 32, "PAL_D" },        { 128, "PAL_H" },       { 256, "PAL_I" },
                        { 512, "PAL_M" },        { 1024, "PAL_N" },      { 2048, "PAL_60" },     { 4096, "SECAM_B" },
                        { 8192, "SECAM_D" },     { 16384, "SECAM_G" },   { 32768, "SECAM_H" },   { 0x10000, "SECAM_K" },
                        { 0x20000, "SECAM_K1" }, { 0x40000, "SECAM_L" }, { 0x80000, "SECAM_L1" } };

// {minimum, maximum, default} of the proc-amp properties and of the overlay colour controls.
const CValueRange kProcAmpRanges[CTVEngine::PICTURE_CONTROLS] = {
    CValueRange(0, 10000, 5020), CValueRange(0, 10000, 2235), CValueRange(0, 10000, 5020),
    CValueRange(0, 10000, 4980), CValueRange(0, 4, 1),
};
const CValueRange kOverlayRanges[CTVEngine::PICTURE_CONTROLS] = {
    CValueRange(0, 10000, 750),  CValueRange(0, 10000, 10000), CValueRange(-5000, 4999, 0),
    CValueRange(0, 2000, 10000), CValueRange(-8, 7, 5),
};

// Label string of each video proc-amp property (brightness .. gain).
const UINT kProcAmpLabels[] = { 33783, 33784, 33785, 33786, 33791, 33787, 33788, 33789, 33790, 33792 };

template <size_t N, class Row>
void FillNames(CIdNameArray& names, const Row (&rows)[N])
{
    names.RemoveAll();
    for (const Row& row : rows)
        names.SetAt(row.nID, row.pszName);
}
}  // namespace

CTVEngine::CTVEngine(LPCSTR pszAppFolder)
    : CountryCode(0),
      TVInput(0),
      m_pPointList(NULL),
      m_nPointCount(0),
      m_SkinNames(10),
      m_bRecording(0),
      m_bScanning(0),
      m_bDiskFull(0),
      m_pCurDrive(NULL),
      m_bFMAvailable(0),
      SnapBmp(0),
      JpgQuality(100),
      ExcessLength(0),
      NoSpace(0),
      MaxLength(90),
      ReservedSpace(300),
      Brightness(kDefaultBrightness),
      Contrast(kDefaultContrast),
      m_nHue(kDefaultHue),
      Saturation(kDefaultSaturation),
      Sharpness(kDefaultSharpness),
      UseOverlay(1),
      HalfRate(0),
      NoiseReduce(0),
      ReduceValue(5),
      HightQuality(1),
      OverlayBri(kDefaultOverlay[0]),
      OverlayCon(kDefaultOverlay[1]),
      OverlayHue(kDefaultOverlay[2]),
      OverlaySat(kDefaultOverlay[3]),
      OverlaySha(kDefaultOverlay[4]),
      DisplayQuality(1),
      EnableShut(0),
      AutoStartTray(0),
      VideoWnd(0, 0, 0, 0),
      ControlLeftTop(0, 0),
      VideoRatio(1, 1),
      FullScreen(0),
      TopMost(0),
      TFTime(600),
      TFReserved(0),
      m_pSettings(NULL),
      MuteAudioPlaySrc(0),
      OverlayDesktop(0),
      Run(1),
      StartTray(1),
      SysDefaultLogon(0),
      ShowError(1),
      ShowEPGInfo(1),
      ShowEPGTime(4),
      MotionSearchInc(0),
      Mpeg4RecordSize(320, 240),
      m_pWindows(&g_noWindows)
{
    m_pfnLocalTime = &::GetLocalTime;
    m_TVHardWare.SetRecordParam(&m_RecordParam);
    if (pszAppFolder != NULL && *pszAppFolder != '\0')
        m_strAppFolder = pszAppFolder;
    else
        GetModuleDirectory(m_strAppFolder);
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
    {
        m_ProcAmpRange[i] = kProcAmpRanges[i];
        m_OverlayRange[i] = kOverlayRanges[i];
    }
    DefaultSettings();
    g_pTVEngine = this;
}

CTVEngine::~CTVEngine()
{
    if (g_pTVEngine == this)
        g_pTVEngine = NULL;
    m_FreqPoints.RemoveAll();
    delete m_pSettings;
    m_pSettings = NULL;
    delete[] m_pPointList;
    m_pPointList = NULL;
    m_FMTable.RemoveAll();
    m_TVTable.RemoveAll();
}

void CTVEngine::SetEngineWindows(CEngineWindows* pWindows)
{
    m_pWindows = pWindows != NULL ? pWindows : &g_noWindows;
    m_TVHardWare.SetEngineWindows(pWindows);
}

CString CTVEngine::AppFile(LPCSTR pszName) const
{
    return JoinPath(m_strAppFolder, pszName);
}

void CTVEngine::DefaultSettings()
{
    TVInput = 0;
    City.Empty();
    CountryCode = GetDefaultCountryCode();
    if (!LoadRecordPathFromRegistry())
        RecordPath = GetDefaultRecordPath();
    if (!LoadSnapPathFromRegistry())
        SnapPath = GetDefaultSnapPath();
    m_TVHardWare.AudioInput = "Line In";
    SnapBmp = 0;
    JpgQuality = 100;
    ExcessLength = 0;
    NoSpace = 0;
    MaxLength = 90;
    VideoFolder = "Video";
    CurDisk.Empty();
    ValidDisk.RemoveAll();
    ReservedSpace = 300;
    Brightness = kDefaultBrightness;
    Contrast = kDefaultContrast;
    m_nHue = kDefaultHue;
    Saturation = kDefaultSaturation;
    Sharpness = kDefaultSharpness;
    UseOverlay = 1;
    HalfRate = 0;
    NoiseReduce = 0;
    ReduceValue = 5;
    HightQuality = 1;
    OverlayBri = kDefaultOverlay[0];
    OverlayCon = kDefaultOverlay[1];
    OverlayHue = kDefaultOverlay[2];
    OverlaySat = kDefaultOverlay[3];
    OverlaySha = kDefaultOverlay[4];
    DisplayQuality = 1;
    VideoWnd.SetRectEmpty();
    ControlLeftTop = CPoint(0, 0);
    VideoRatio = CSize(1, 1);
    FullScreen = 0;
    TopMost = 0;
    m_strRecordFolder = RecordPath;
    SkinName.Empty();
    EnableShut = 0;
    ShutTime = CTime::GetCurrentTime();
    ReadTrayAutostart(&AutoStartTray);
}

BOOL CTVEngine::IsTunerSource() const
{
    int nSource = GetInputSource();
    return nSource == SOURCE_TV || nSource == SOURCE_FM;
}

CChannelTable* CTVEngine::GetChannelTable()
{
    return IsRadio() ? &m_FMTable : &m_TVTable;
}

CChannelItem* CTVEngine::GetCurrentChannel()
{
    return GetChannelTable()->GetCurrentChannel();
}

BOOL CTVEngine::IsBusy(BOOL bShow)
{
    if (m_bScanning)
        return m_bScanning;
    if (m_bRecording)
        return m_bRecording;
    return m_pWindows->ShowOsdMenu(bShow);
}

BOOL CTVEngine::InitFormatLists()
{
    FillNames(m_RecordFormatNames, kRecordFormats);
    FillNames(m_VideoSourceNames, kVideoSources);
    FillNames(m_VideoStandardNames, kVideoStandards);
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
    {
        m_ProcAmpRange[i] = kProcAmpRanges[i];
        m_OverlayRange[i] = kOverlayRanges[i];
    }
    return 1;
}

BOOL CTVEngine::InitStringLists()
{
    m_ProcAmpLabels.RemoveAll();
    for (int i = 0; i < static_cast<int>(sizeof(kProcAmpLabels) / sizeof(kProcAmpLabels[0])); ++i)
        m_ProcAmpLabels.SetAt(i, kProcAmpLabels[i]);
    m_strDefaultSkin.LoadString(IDS_DEFAULT_SKIN);
    return 1;
}

UINT CTVEngine::GetProcAmpLabel(int nProperty) const
{
    UINT nLabel = 0;
    m_ProcAmpLabels.Lookup(nProperty, nLabel);
    return nLabel;
}

BOOL CTVEngine::ApplyLoadedSettings()
{
    if (SkinName.IsEmpty())
        SkinName = m_strDefaultSkin;
    m_SkinNames.AddHead(m_strDefaultSkin);
    if (!DirectoryExists(RecordPath))
        CreateDirectoryPath(RecordPath);
    if (!DirectoryExists(m_strRecordFolder))
        CreateDirectoryPath(m_strRecordFolder);
    if (!DirectoryExists(SnapPath))
        CreateDirectoryPath(SnapPath);
    WriteTrayAutostart(AutoStartTray);
    return 1;
}

BOOL CTVEngine::Initialize()
{
    LoadCountryList();
    if (CountryCode == 0)
        CountryCode = GetDefaultCountryCode();
    SetCountryCode(CountryCode);
    if (!m_TVHardWare.InitDevice(NULL))
        return 0;

    m_TVHardWare.SetDisplayQuality(DisplayQuality);
    m_TVHardWare.SetUseOverlayFlag(UseOverlay);
    m_TVHardWare.TFTime = TFTime;
    m_TVHardWare.TFReserved = static_cast<DWORD>(TFReserved);
    m_TVHardWare.Mpeg4RecordSize = Mpeg4RecordSize;
    if (!m_TVHardWare.Initialize())
        return 0;

    // A missing or damaged file leaves its table as it is.
    m_TVTable.SetFMTable(0);
    m_FMTable.SetFMTable(1);
    if (!m_TVTable.LoadFromFile(AppFile("TVChannel.tvc")))
        DebugHelperTrace("TVChannel.tvc not read");
    if (!m_FMTable.LoadFromFile(AppFile("FMChannel.fmc")))
        DebugHelperTrace("FMChannel.fmc not read");
    m_ChannelAddress.Load(AppFile("ChannelAddress.ini"));

    m_bFMAvailable = m_TVHardWare.HasFM();
    ReadOverlayRanges();
    m_FreqPoints.LoadFromFile(AppFile("ChannelPoint.ini"));
    SelectPointTable();

    m_TVHardWare.HightQuality = HightQuality;
    m_TVHardWare.HalfRate = HalfRate;
    m_TVHardWare.NoiseReduce = NoiseReduce;
    m_TVHardWare.ReduceValue = ReduceValue;
    m_pWindows->SetTrayAutoStart(StartTray);
    m_TVHardWare.m_bUseTransformRatio = VideoRatio.cx != 1 || VideoRatio.cy != 1;
    return 1;
}

BOOL CTVEngine::ValidateSettings()
{
    if (TVInput < 0 || TVInput > 2)
        TVInput = 0;
    if (!SetFMFilterMode(m_TVHardWare.FMRecordFormat))
        SetFMFilterMode(0);
    if (!SetRecordFormat(m_TVHardWare.RecordFormat))
        SetRecordFormat(4);
    m_TVHardWare.ValidateAudioSettings();
    return 1;
}

BOOL CTVEngine::SaveChannelFiles()
{
    BOOL bResult = 1;
    if (m_TVTable.IsModified())
        bResult = m_TVTable.SaveToFile(AppFile("TVChannel.tvc")) && bResult;
    if (m_FMTable.IsModified())
        bResult = m_FMTable.SaveToFile(AppFile("FMChannel.fmc")) && bResult;
    return bResult;
}

int* CTVEngine::ProcAmpMember(int nProperty)
{
    int* const members[PICTURE_CONTROLS] = { &Brightness, &Contrast, &m_nHue, &Saturation, &Sharpness };
    return nProperty >= 0 && nProperty < PICTURE_CONTROLS ? members[nProperty] : NULL;
}

int* CTVEngine::OverlayMember(int nControl)
{
    int* const members[PICTURE_CONTROLS] = { &OverlayBri, &OverlayCon, &OverlayHue, &OverlaySat, &OverlaySha };
    return nControl >= 0 && nControl < PICTURE_CONTROLS ? members[nControl] : NULL;
}

int CTVEngine::SetProcAmpMember(int nProperty, int nValue, BOOL* pbAccepted)
{
    int* pMember = ProcAmpMember(nProperty);
    int nPrevious = *pMember;
    BOOL bAccepted = m_ProcAmpRange[nProperty].Contains(nValue);
    if (bAccepted)
    {
        *pMember = nValue;
        m_TVHardWare.SetVideoProcAmp(nProperty, nValue);
    }
    if (pbAccepted != NULL)
        *pbAccepted = bAccepted;
    return nPrevious;
}

void CTVEngine::SetVideoProcAmp(int nProperty, int nValue)
{
    m_TVHardWare.SetVideoProcAmp(nProperty, nValue);
    int* pMember = ProcAmpMember(nProperty);
    if (pMember != NULL)
        *pMember = nValue;
}

int CTVEngine::GetVideoProcAmpDefault(int nProperty)
{
    if (ProcAmpMember(nProperty) == NULL)
        return 0;
    VideoProcAmpRecord record = {};
    if (m_TVHardWare.GetVideoProcAmpInfo(nProperty, &record))
        return record.lDefault;
    return m_ProcAmpRange[nProperty].m_nDefault;
}

BOOL CTVEngine::ResetVideoProcAmp()
{
    const int defaults[PICTURE_CONTROLS] = { kDefaultBrightness, kDefaultContrast, kDefaultHue, kDefaultSaturation,
                                             kDefaultSharpness };
    BOOL bResult = 0;
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
    {
        *ProcAmpMember(i) = defaults[i];
        bResult = m_TVHardWare.SetVideoProcAmp(i, defaults[i]);
    }
    return bResult;
}

BOOL CTVEngine::SetOverlayMember(int nControl, int nValue)
{
    if (!m_OverlayRange[nControl].Contains(nValue))
        return 0;
    *OverlayMember(nControl) = nValue;
    return m_TVHardWare.SetOverlayMixerProperty(nControl, nValue);
}

BOOL CTVEngine::ResetOverlayColors()
{
    BOOL bResult = 0;
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
    {
        *OverlayMember(i) = kDefaultOverlay[i];
        bResult = m_TVHardWare.SetOverlayMixerProperty(i, kDefaultOverlay[i]);
    }
    return bResult;
}

BOOL CTVEngine::ApplyVideoSettings()
{
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
        SetProcAmpMember(i, *ProcAmpMember(i), NULL);
    BOOL bResult = 0;
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
        bResult = SetOverlayMember(i, *OverlayMember(i));
    return bResult;
}

// Without the overlay path the built-in records stay, so an overlay saturation above 2000 is refused.
BOOL CTVEngine::ReadOverlayRanges()
{
    if (!m_TVHardWare.GetUseOverlay())
        return 1;
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
    {
        int range[3];
        if (m_TVHardWare.GetOverlayMixerRange(i, range))
            m_OverlayRange[i] = CValueRange(range[0], range[1], range[2]);
    }
    return ReadOverlayValues();
}

BOOL CTVEngine::ReadOverlayValues()
{
    BOOL bResult = 1;
    for (int i = 0; i < PICTURE_CONTROLS; ++i)
        bResult = m_TVHardWare.GetOverlayMixerProperty(i, OverlayMember(i)) && bResult;
    return bResult;
}

int CTVEngine::SetReduceValue(int nValue)
{
    int nPrevious = ReduceValue;
    if (nValue >= 0 && nValue <= 10 && m_TVHardWare.SetReduceValue(nValue))
        ReduceValue = nValue;
    return nPrevious;
}

BOOL CTVEngine::SetNoiseReduce(BOOL bReduce)
{
    BOOL bPrevious = NoiseReduce;
    if (bReduce != NoiseReduce && m_TVHardWare.SetNoiseReduce(bReduce))
        NoiseReduce = bReduce;
    return bPrevious;
}

BOOL CTVEngine::SetHalfRate(BOOL bHalf)
{
    BOOL bPrevious = HalfRate;
    if (bHalf != HalfRate && m_TVHardWare.SetHalfRate(bHalf))
        HalfRate = bHalf;
    return bPrevious;
}

void CTVEngine::SetHighQuality(BOOL bHigh)
{
    if (bHigh == HightQuality)
        return;
    HightQuality = bHigh;
    m_TVHardWare.SetHighQuality(bHigh);
}

BOOL CTVEngine::SetUseOverlay(BOOL bUse)
{
    UseOverlay = bUse;
    return m_TVHardWare.SetUseOverlay(bUse);
}

void CTVEngine::SetDisplayQuality(int nQuality)
{
    if (nQuality < 0 || nQuality > 2)
        return;
    DisplayQuality = nQuality;
    m_TVHardWare.SetDisplayQuality(nQuality);
}

BOOL CTVEngine::SetRecordFormat(int nFormat)
{
    if (static_cast<unsigned>(nFormat) > 8)
        return 0;
    m_TVHardWare.RecordFormat = nFormat;
    return 1;
}

// Mode 3 records through the current FM custom entry's compressor; without one the mode is kept
// but refused, so the caller can fall back.
BOOL CTVEngine::SetFMFilterMode(int nMode)
{
    if (static_cast<unsigned>(nMode) > 3)
        return 0;
    m_TVHardWare.FMRecordFormat = nMode;
    if (nMode != 3)
        return 1;
    if (!m_FMCustom.IsCurValid())
        return 0;
    m_TVHardWare.m_strCustomCompressor = m_FMCustom.GetCurEntry()->m_strAudioComp;
    return 1;
}

void CTVEngine::SetMaxLength(int nMinutes)
{
    if (nMinutes >= 1 && nMinutes <= 300)
        MaxLength = nMinutes;
}

BOOL CTVEngine::SetAudioInput(LPCSTR pszLine)
{
    m_TVHardWare.AudioInput = pszLine;
    return m_TVHardWare.SelectAudioCaptureInput(pszLine, 1);
}

BOOL CTVEngine::SetAudioDevice(LPCSTR pszName)
{
    return m_TVHardWare.SetAudioDevice(pszName);
}

void CTVEngine::SetStartTray(BOOL bStart)
{
    StartTray = bStart;
    m_pWindows->SetTrayAutoStart(bStart);
}

void CTVEngine::SetAutoStartTray(BOOL bStart)
{
    AutoStartTray = bStart;
    WriteTrayAutostart(bStart);
}

BOOL CTVEngine::SetCountryCode(int nCode)
{
    CountryCode = nCode;
    return m_TVHardWare.SetCountryCode(City == kCityShenzhen ? kCountryShenzhen : nCode);
}

BOOL CTVEngine::SetVideoSource(int nSource)
{
    BOOL bAllowed = (nSource >= SOURCE_TV && nSource <= SOURCE_SV) || (nSource == SOURCE_FM && m_bFMAvailable);
    return m_TVHardWare.SelectVideoSource(bAllowed ? nSource : SOURCE_TV);
}

BOOL CTVEngine::NextVideoSource()
{
    if (m_bScanning || m_bRecording)
        return 0;
    int nCurrent = GetInputSource();
    int nNext = m_bFMAvailable ? (nCurrent + 1) & 3 : (nCurrent + 1) % 3;
    return SetVideoSource(nNext);
}

HRESULT CTVEngine::SetVideoPosition(const RECT& rc)
{
    return m_TVHardWare.GetGraph().SetVideoRect(rc.left, rc.top, rc.right, rc.bottom);
}

BOOL CTVEngine::GetFrequencyRange(BOOL bFM, int* pFirst, int* pSecond)
{
    CCaptureDevice* pDevice = m_TVHardWare.GetCaptureDevice();
    if (pDevice == NULL)
        return 0;
    if (bFM)
        pDevice->GetFMFrequencyRange(pSecond, pFirst);
    else
        pDevice->GetTVFrequencyRange(pSecond, pFirst);
    return 1;
}

// The device is gone while another program holds the card (after it asked for it), so a
// channel change then tunes nothing and fails.
BOOL CTVEngine::SetFrequency(BOOL bFM, long frequency)
{
    CCaptureDevice* pDevice = m_TVHardWare.GetCaptureDevice();
    if (pDevice == NULL)
        return 0;
    float fFrequency = static_cast<float>(frequency);
    return bFM ? pDevice->SetFMFrequency(fFrequency) : pDevice->SetTunerFrequency(fFrequency);
}

int CTVEngine::GetDefaultCountryCode()
{
    char szCode[30] = "";
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, szCode, sizeof(szCode)) == 0)
        return 886;
    return static_cast<int>(std::atol(szCode));
}

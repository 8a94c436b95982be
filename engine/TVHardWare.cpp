#include "engine/TVHardWare.h"

#include "dshow/AudioCaptureFilter.h"
#include "dshow/AudioRenderFilter.h"
#include "dshow/DeinterlaceFilter.h"
#include "dshow/OverlayMixerFilter.h"
#include "engine/EngineWindows.h"
#include "engine/TransformRatioInterface.h"
#include "foundation/PathUtils.h"
#include "foundation/RemoteService.h"
#include "foundation/Trace.h"
#include "hardware/devices/CaptureDevice.h"
#include "hardware/devices/CrossbarDevice.h"
#include "hardware/devices/FilterClassTable.h"
#include "hardware/devices/TVAudioDevice.h"

#include <ks.h>
#include <ksmedia.h>
#include <shellapi.h>
#include <string.h>

CTVHardWare* g_pTVHardWare = NULL;

namespace
{
// {19E8BDD6-6C11-47AF-BB2B-A2DDC881CA95}
const CLSID kClsidTransformRatio = { 0x19E8BDD6, 0x6C11, 0x47AF, { 0xBB, 0x2B, 0xA2, 0xDD, 0xC8, 0x81, 0xCA, 0x95 } };
// {C5683497-12D5-4ED1-BF8D-E53B349B0981}
const CLSID kClsidDeinterlace = { 0xC5683497, 0x12D5, 0x4ED1, { 0xBF, 0x8D, 0xE5, 0x3B, 0x34, 0x9B, 0x09, 0x81 } };

const char kCardName[] = "BlackBird Video Capture";
// One letter shorter than the device's name.
const char kCardNodeName[] = "BlackBird Video Captur";
const char kCrossbarName[] = "BlackBird Crossbar";
const char kTunerDeviceName[] = "PhTVTune";
const int kStandardPalD = AnalogVideo_PAL_D;
const int kCountryShenzhen = 1201;
const int kCountryHongKong = 852;

CMessageBoxWindows g_messageBoxes;

int* StandardSlot(CTVHardWare& hw, int nSource)
{
    switch (nSource)
    {
    case CTVHardWare::SOURCE_TUNER: return &hw.TVStandard;
    case CTVHardWare::SOURCE_COMPOSITE: return &hw.AVStandard;
    case CTVHardWare::SOURCE_SVIDEO: return &hw.SVStandard;
    default: return NULL;
    }
}

BOOL MatchWholeName(LPCSTR pszWanted, LPCSTR pszDevice)
{
    if (pszWanted == NULL || pszDevice == NULL || pszWanted[0] == '\0')
        return FALSE;
    return strncmp(pszDevice, pszWanted, strlen(pszWanted)) == 0;
}
}

CTVHardWare::CTVHardWare()
    : AudioRecVol(50), TVAUDIOSTEREO(0), TVAUDIOLANGUAGE(0), TVDATA(FALSE), m_pDefaultSound(NULL),
      m_pTVCardFilter(NULL), m_pDeinterlaceFilter(NULL), m_pOverlayMixer(NULL), m_pCrossbarFilter(NULL),
      m_pVideoRender(NULL), m_pAviDecompressor(NULL), m_pTransformRatio(NULL), m_pTVAudioFilter(NULL),
      m_pAudioCaptureFilter(NULL), UseOverlay(TRUE), m_hVideoWnd(NULL), m_hNotifyWnd(NULL),
      m_nVideoSource(SOURCE_TUNER), m_CaptureSize(720, 576), m_RatioState(0, 0), Brightness(5020),
      Contrast(2235), Hue(5020), Saturation(4980), Sharpness(1), OverlayBri(750), OverlayCon(10000), OverlayHue(0),
      OverlaySat(10000), OverlaySha(5), HightQuality(FALSE), m_bDeinterlace(TRUE), HalfRate(TRUE),
      NoiseReduce(TRUE), ReduceValue(6), DisplayQuality(1), RecordFormat(4), TimeShiftFormat(1),
      m_bRecording(FALSE), m_bRecordPaused(FALSE), m_bScanning(FALSE), m_bTimeShift(FALSE),
      m_bTimeShiftPaused(FALSE), TFTime(600), FMRecordFormat(0), m_bUseTransformRatio(FALSE),
      m_OverlayColorKey(RGB(16, 0, 16)), m_DesktopColor(GetSysColor(COLOR_BACKGROUND)), m_bDesktopVideo(FALSE),
      m_hTeletextProcess(NULL), m_nTimeShiftRate(4500), m_bTimeShiftStart(FALSE), m_pPreDumpFilter(NULL),
      m_pDumpFilter(NULL), m_pMpegEncoder(NULL), m_pHALSwitch(NULL), m_pRecordParam(NULL),
      CountryCode(0), m_TunerStandard(0),
      Mpeg4Audio("Microsoft ADPCM"), Mpeg4RecordSize(320, 240), m_pAviMux(NULL), m_pAviWriter(NULL),
      m_pInfTee(NULL), m_pAudioSmartTeeFilter(NULL), m_pXvidCompressor(NULL), m_pAudioCompressor(NULL),
      m_pPcmCompressor(NULL), m_pAdpcmCompressor(NULL), m_pCustomCompressor(NULL), m_pMCEncoderFilter(NULL),
      m_pTimeShiftFilter(NULL), m_pDemux(NULL), m_pVideoDecoder(NULL), m_pAudioDecoder(NULL), m_pAcmWrapper(NULL),
      m_pTimeShiftRender(NULL), TFReserved(0), m_nTimeShiftAudioRate(224), m_ullTimeShiftBuffer(0),
      TVStandard(kStandardPalD), AVStandard(kStandardPalD),
      SVStandard(kStandardPalD), m_pWindows(&g_messageBoxes)
{
    // The graph builds the system's own classes for the filters it adds.
    RegisterFilterClasses();
    InitRecordModes();
    m_LineInNames.Add("线路输入");
    m_LineInNames.Add("Line In");
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    m_strTimeShiftFile = JoinPath(szTemp, "~TF.mpg");
    g_pTVHardWare = this;
}

CTVHardWare::~CTVHardWare()
{
    CloseTeletextViewer();
    if (g_pTVHardWare == this)
        g_pTVHardWare = NULL;
}

void CTVHardWare::SetEngineWindows(CEngineWindows* pWindows)
{
    m_pWindows = pWindows != NULL ? pWindows : &g_messageBoxes;
}

BOOL CTVHardWare::Initialize()
{
    StartRemoteService();
    BuildVideoCompressorList();
    BuildAudioCompressorList();
    m_AudioDeviceList.RemoveAll();
    BOOL bResult = GetDeviceNameList(0, m_AudioDeviceList);
    InitAudioDevice();
    if (!InitDevice(NULL))
        return FALSE;
    const std::vector<DWORD>* pStandards = m_pTVCardFilter->GetTunerStandards();
    if (pStandards != NULL && !pStandards->empty())
    {
        BOOL bListed = FALSE;
        for (DWORD standard : *pStandards)
            bListed = bListed || standard == static_cast<DWORD>(m_TunerStandard);
        if (!bListed)
            m_TunerStandard = static_cast<int>(pStandards->front());
    }
    if (!CreatePreviewFilter(TRUE))
        return FALSE;
    BuildPlayDeviceList();
    BuildPlayInputList();
    BuildRecordInputList();
    int nLevel = AudioRecVol;
    GetRecordVolume(&nLevel);
    SetRecordVolume(AudioRecVol);
    SetVideoSource(m_nVideoSource, FALSE);
    return bResult;
}

BOOL CTVHardWare::InitDevice(long*)
{
    DebugHelperTrace("CTVHardWare::InitDevice(long *plReserved)");
    if (m_pTVCardFilter == NULL)
    {
        CFilterNode* pNode =
            m_Graph.AddFilterByName(CLSID_VideoInputDeviceCategory, kCardName, kCardNodeName, FALSE, 0);
        m_pTVCardFilter = dynamic_cast<CCaptureDevice*>(pNode);
        if (m_pTVCardFilter == NULL)
        {
            m_Graph.RemoveFilter(pNode);
            CString text;
            text.LoadString(RESOURCE_NO_CARD);
            DebugHelperTrace(text);
            m_pWindows->ShowMessage(text, MB_OK);
            return FALSE;
        }
        DebugHelperTrace("m_pTVCardFilter = %p", static_cast<void*>(m_pTVCardFilter));
    }
    if (m_pCrossbarFilter == NULL)
    {
        m_pCrossbarFilter = dynamic_cast<CCrossbarDevice*>(
            m_Graph.AddFilterByName(AM_KSCATEGORY_CROSSBAR, kCrossbarName, kCrossbarName, FALSE, 0));
        return m_pCrossbarFilter != NULL;
    }
    return TRUE;
}

BOOL CTVHardWare::CloseDevice()
{
    SetCardActive(FALSE);
    m_Graph.DestroyGraph();
    ResetFilterPointers();
    return TRUE;
}

BOOL CTVHardWare::PauseGraph()
{
    return m_Graph.Pause();
}

void CTVHardWare::ResetFilterPointers()
{
    m_pDefaultSound = NULL;
    m_pTVCardFilter = NULL;
    m_pDeinterlaceFilter = NULL;
    m_pOverlayMixer = NULL;
    m_pCrossbarFilter = NULL;
    m_pVideoRender = NULL;
    m_pAviDecompressor = NULL;
    m_pTransformRatio = NULL;
    m_pTVAudioFilter = NULL;
    m_pAudioCaptureFilter = NULL;
    m_pPreDumpFilter = NULL;
    m_pDumpFilter = NULL;
    m_pMpegEncoder = NULL;
    m_pHALSwitch = NULL;
    m_pAviMux = NULL;
    m_pAviWriter = NULL;
    m_pInfTee = NULL;
    m_pAudioSmartTeeFilter = NULL;
    m_pXvidCompressor = NULL;
    m_pAudioCompressor = NULL;
    m_pPcmCompressor = NULL;
    m_pAdpcmCompressor = NULL;
    m_pCustomCompressor = NULL;
    m_pMCEncoderFilter = NULL;
    m_pTimeShiftFilter = NULL;
    m_pDemux = NULL;
    m_pVideoDecoder = NULL;
    m_pAudioDecoder = NULL;
    m_pAcmWrapper = NULL;
    m_pTimeShiftRender = NULL;
    m_strCustomCompressor.Empty();
    m_bTimeShift = FALSE;
    m_bTimeShiftPaused = FALSE;
}

BOOL CTVHardWare::RegisterFilters()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pSlash = strrchr(szPath, '\\');
    if (pSlash != NULL)
        pSlash[1] = '\0';
    CString folder = szPath;
    OSVERSIONINFOA version;
    memset(&version, 0, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        folder = GetShortPath(folder);
    static const char* const kFiles[] = { "Deinterlace.ax", "Corvath.ax" };
    for (const char* pszFile : kFiles)
    {
        // The path is quoted: the program's folder may hold blanks.
        CString parameters = "\"" + folder + "Filters\\" + pszFile + "\" /s";
        SHELLEXECUTEINFOA info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = "open";
        info.lpFile = "Regsvr32.exe";
        info.lpParameters = parameters;
        info.nShow = SW_SHOWNORMAL;
        if (ShellExecuteExA(&info) && info.hProcess != NULL)
        {
            WaitForSingleObject(info.hProcess, INFINITE);
            CloseHandle(info.hProcess);
        }
    }
    return TRUE;
}

BOOL CTVHardWare::ValidateAudioSettings()
{
    return TRUE;
}

CPinWrapper* CTVHardWare::FreeInput(CFilterNode* pNode) const
{
    return pNode != NULL ? pNode->GetFirstPin(PINDIR_INPUT, TRUE) : NULL;
}

CPinWrapper* CTVHardWare::FreeOutput(CFilterNode* pNode) const
{
    return pNode != NULL ? pNode->GetFirstPin(PINDIR_OUTPUT, TRUE) : NULL;
}

BOOL CTVHardWare::HasAudioPin()
{
    if (m_pTVCardFilter == NULL || m_pTVCardFilter->FindPin("Audio") == NULL)
        return FALSE;
    m_Graph.SyncUsingStreamOffset(TRUE);
    return TRUE;
}

BOOL CTVHardWare::CreatePreviewFilter(BOOL bFull)
{
    DebugHelperTrace("CreatePreviewFilter");
    InitAudioDevice();
    DebugHelperTrace("InitAudioDevice()");
    if (!InitDevice(NULL))
        return FALSE;
    DebugHelperTrace("InitDevice(NULL)");
    if (m_pVideoRender == NULL)
    {
        m_pVideoRender = m_Graph.AddFilter(CLSID_VideoRenderer, "Render");
        if (m_pVideoRender == NULL)
            return FALSE;
    }
    if (m_pTransformRatio == NULL)
    {
        m_pTransformRatio = m_Graph.AddFilter(kClsidTransformRatio, "Transform Ratio");
        if (m_pTransformRatio == NULL)
        {
            NullTrace("-------Can't Create Transfrom Ratio---------\n");
            return FALSE;
        }
    }
    if (m_pDefaultSound == NULL && HasAudioPin())
    {
        m_pDefaultSound =
            dynamic_cast<CDirectSoundFilter*>(m_Graph.AddFilter(CLSID_DSoundRender, "Default DirectSound Device"));
        if (m_pDefaultSound == NULL)
            return FALSE;
    }
    if (bFull && m_pDeinterlaceFilter == NULL)
    {
        m_pDeinterlaceFilter =
            dynamic_cast<CDeinterlaceFilter*>(m_Graph.AddFilter(kClsidDeinterlace, "Veltrane Deinterlace"));
        if (m_pDeinterlaceFilter == NULL)
        {
            RegisterFilters();
            m_pDeinterlaceFilter =
                dynamic_cast<CDeinterlaceFilter*>(m_Graph.AddFilter(kClsidDeinterlace, "Veltrane Deinterlace"));
            if (m_pDeinterlaceFilter == NULL)
                return FALSE;
        }
    }
    CreateOverlayMixer();
    if (!bFull)
        return TRUE;
    if (m_pAviDecompressor == NULL)
        m_pAviDecompressor = m_Graph.AddFilter(CLSID_AVIDec, "AVI Decompressor");
    return m_pAviDecompressor != NULL;
}

BOOL CTVHardWare::ConfigurePreview()
{
    BOOL bResult = SetCaptureVideoSize(m_CaptureSize.cx, m_CaptureSize.cy);
    if (m_pTVCardFilter != NULL)
    {
        const int values[5] = { Brightness, Contrast, Hue, Saturation, Sharpness };
        for (int i = 0; i < 5; ++i)
            m_pTVCardFilter->SetVideoProcAmp(i, values[i]);
    }
    if (m_pDeinterlaceFilter != NULL)
    {
        m_pDeinterlaceFilter->SetHighQuality(HightQuality != 0);
        m_pDeinterlaceFilter->EnableDeinterlace(m_bDeinterlace);
        m_pDeinterlaceFilter->SetHalfRate(HalfRate);
        m_pDeinterlaceFilter->SetNoiseReduce(NoiseReduce);
        if (NoiseReduce)
            m_pDeinterlaceFilter->SetReduceValue(ReduceValue);
    }
    if (m_RatioState == std::make_pair(1, 1))
        SetVideoRatio(16, 9);
    else if (m_RatioState == std::make_pair(1, 2))
        SetVideoRatio(-16, -9);
    return bResult;
}

BOOL CTVHardWare::ConnectPreviewGraph()
{
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    if (!ConnectVideoChain())
        return FALSE;
    if (HasAudioPin())
    {
        CPinWrapper* pSound = m_pDefaultSound != NULL ? m_pDefaultSound->FindPin("Audio Input pin (rendered)") : NULL;
        if (!m_Graph.ConnectPins(m_pTVCardFilter->FindPin("Audio"), pSound))
        {
            NullTrace("Connect TV Card Filter to Direct Sound Filter Error!\n");
            return FALSE;
        }
    }
    AttachVideoWindow();
    return TRUE;
}

// Card "Capture" -> deinterlacer -> [Transform Ratio] -> overlay mixer or AVI
// decompressor -> video renderer, on a disconnected graph.
BOOL CTVHardWare::ConnectVideoChain()
{
    CPinWrapper* pCapture = m_pTVCardFilter != NULL ? m_pTVCardFilter->GetPin("Capture") : NULL;
    if (m_pDeinterlaceFilter == NULL || !m_Graph.ConnectPins(pCapture, FreeInput(m_pDeinterlaceFilter)))
    {
        NullTrace("Connect Card to Deinterlace error!\n");
        return FALSE;
    }
    CPinWrapper* pCurrent = m_pDeinterlaceFilter->FindPin("Preview");
    if (m_bUseTransformRatio)
    {
        CPinWrapper* pIn = m_pTransformRatio != NULL ? m_pTransformRatio->FindPin("XForm In") : NULL;
        if (!m_Graph.ConnectPins(pCurrent, pIn))
        {
            NullTrace("Connect CardFilter to TransfromRatio error!\n");
            return FALSE;
        }
        pCurrent = m_pTransformRatio->FindPin("XForm Out");
    }
    if (UseOverlay)
    {
        if (m_Graph.ConnectPins(pCurrent, FreeInput(m_pOverlayMixer)))
        {
            pCurrent = FreeOutput(m_pOverlayMixer);
        }
        else
        {
            NullTrace("Connect Deinterlace Preview to Overlay error!\n");
            UseOverlay = FALSE;
        }
    }
    if (!UseOverlay)
    {
        if (!m_Graph.ConnectPins(pCurrent, FreeInput(m_pAviDecompressor)))
        {
            NullTrace("Connect Deinterlace Preview to AVIDec error!\n");
            return FALSE;
        }
        pCurrent = FreeOutput(m_pAviDecompressor);
    }
    if (!m_Graph.ConnectPins(pCurrent, FreeInput(m_pVideoRender)))
    {
        NullTrace("Connect AVIDec to VideoRender error!\n");
        return FALSE;
    }
    return TRUE;
}

void CTVHardWare::AttachVideoWindow()
{
    if (m_hVideoWnd == NULL)
        return;
    m_Graph.SetVideoOwner(m_hVideoWnd);
    m_Graph.SetMessageDrain(m_hVideoWnd);
    m_Graph.SetVideoStyle(WS_CHILD | WS_CLIPSIBLINGS);
    RECT rc;
    if (!GetClientRect(m_hVideoWnd, &rc))
        SetRect(&rc, 0, 0, 10, 10);
    m_Graph.SetVideoRect(rc.left, rc.top, rc.right, rc.bottom);
    NullTrace("----SetOwner!\n");
}

// Gives a renderer's own window to the video window before the renderer
// connects: a renderer that draws through Direct3D makes its drawing surface
// for the window it has when it connects, so that window is already the child
// it stays, not a top-level window that is turned into a child afterwards.
void CTVHardWare::OwnRendererWindow(CFilterNode* pRenderer)
{
    if (m_hVideoWnd == NULL || pRenderer == NULL || pRenderer->GetFilter() == NULL)
        return;
    ComPtr<IVideoWindow> pWindow;
    if (FAILED(pRenderer->GetFilter()->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&pWindow))))
        return;
    pWindow->put_Owner(reinterpret_cast<OAHWND>(m_hVideoWnd));
    pWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
}

void CTVHardWare::DisconnectCrossbar()
{
    m_Graph.DisconnectFilter(m_pCrossbarFilter);
}

BOOL CTVHardWare::BuildPreviewGraph()
{
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    CreatePreviewFilter(TRUE);
    ConfigurePreview();
    if (!ConnectPreviewGraph())
        return FALSE;
    SetCardSource(m_nVideoSource, TRUE);
    SetCountryCode(CountryCode);
    SetNotifyWindow(m_hNotifyWnd);
    ApplyVideoProcAmp();
    ApplyOverlayMixerProperties();
    DisconnectCrossbar();
    return m_Graph.Run();
}

BOOL CTVHardWare::RebuildGraph()
{
    if (m_Graph.GetState() != CDShowGraph::STATE_STOPPED)
    {
        m_Graph.Stop();
        m_Graph.DisconnectAll();
        m_Graph.DestroyGraph();
    }
    m_bRecording = FALSE;
    ResetFilterPointers();
    if (!m_Graph.CreateGraph())
        return FALSE;
    BOOL bResult = BuildPreviewGraph();
    if (m_nVideoSource == SOURCE_RADIO)
    {
        m_Graph.Stop();
        m_Graph.DisconnectAll();
    }
    ReapplyVideoStandard();
    return bResult;
}

BOOL CTVHardWare::ReapplyVideoStandard()
{
    // The input's own standard: re-applying the tuner's on another input
    // would also store it as that input's.
    return ApplyVideoStandard(m_nVideoSource == SOURCE_RADIO ? TVStandard : GetVideoStandard());
}

int CTVHardWare::CardAudioInput(int nSource) const
{
    switch (nSource)
    {
    case SOURCE_RADIO: return 1;
    case SOURCE_TUNER: return 0;
    default: return 2;
    }
}

BOOL CTVHardWare::SetCardActive(BOOL bOn)
{
    if (m_pTVCardFilter == NULL)
        return FALSE;
    return SUCCEEDED(m_pTVCardFilter->SetAudioInput(CardAudioInput(m_nVideoSource), bOn));
}

BOOL CTVHardWare::SetCardSource(int nSource, BOOL bOn)
{
    if (m_pTVCardFilter == NULL)
        return FALSE;
    if (nSource != SOURCE_RADIO)
        m_nVideoSource = nSource;
    return SUCCEEDED(m_pTVCardFilter->SetAudioInput(CardAudioInput(nSource), bOn));
}

BOOL CTVHardWare::RouteCrossbar(LONG lInput, LONG lOutput)
{
    return m_pCrossbarFilter == NULL || m_pCrossbarFilter->Route(lInput, lOutput);
}

BOOL CTVHardWare::SetVideoSource(int nSource, BOOL)
{
    m_nVideoSource = nSource;
    AdjustVideoSize();
    BOOL bResult = TRUE;
    if (m_pCrossbarFilter != NULL)
    {
        switch (nSource)
        {
        case SOURCE_TUNER:
            bResult = RouteCrossbar(0, 0);
            bResult = RouteCrossbar(3, 1) && bResult;
            ApplyVideoStandard(GetVideoStandard());
            break;
        case SOURCE_COMPOSITE:
            bResult = RouteCrossbar(2, 0);
            bResult = RouteCrossbar(4, 1) && bResult;
            SetVideoSize(m_CaptureSize);
            ApplyVideoStandard(AVStandard);
            break;
        case SOURCE_SVIDEO:
            bResult = RouteCrossbar(1, 0);
            bResult = RouteCrossbar(4, 1) && bResult;
            SetVideoSize(m_CaptureSize);
            ApplyVideoStandard(SVStandard);
            break;
        case SOURCE_RADIO:
            bResult = RouteCrossbar(4, 1);
            break;
        default:
            break;
        }
    }
    if (nSource == SOURCE_TUNER && HasAudioPin())
        SetTunerCountryCode(CountryCode == kCountryShenzhen ? kCountryHongKong : CountryCode);
    return bResult;
}

BOOL CTVHardWare::SelectVideoSource(int nSource)
{
    return SetVideoSource(nSource, TRUE);
}

BOOL CTVHardWare::StopGraphForRadio(BOOL bToRadio)
{
    BOOL bResult = m_Graph.Stop();
    m_bRecording = FALSE;
    if (bToRadio && m_Graph.GetState() == CDShowGraph::STATE_STOPPED)
    {
        m_Graph.DisconnectAll();
        SetPlaySourceMute(TRUE);
        SelectVideoSource(SOURCE_RADIO);
        SetPlaySourceMute(FALSE);
    }
    return bResult;
}

int CTVHardWare::GetVideoStandard()
{
    int* pSlot = StandardSlot(*this, m_nVideoSource);
    return pSlot != NULL ? *pSlot : kStandardPalD;
}

BOOL CTVHardWare::IsNTSC()
{
    int standard = GetVideoStandard();
    return standard == AnalogVideo_NTSC_M || standard == AnalogVideo_NTSC_M_J || standard == AnalogVideo_NTSC_433;
}

BOOL CTVHardWare::GetSupportedStandards(CUIntArray* pStandards)
{
    if (m_pTVCardFilter == NULL || pStandards == NULL)
        return FALSE;
    const std::vector<DWORD>* pList = m_pTVCardFilter->GetTunerStandards();
    if (pList != NULL)
    {
        for (DWORD standard : *pList)
            pStandards->Add(standard);
    }
    return TRUE;
}

BOOL CTVHardWare::ApplyVideoStandard(int nStandard)
{
    BOOL bStop = m_Graph.Stop();
    BOOL bStandard = m_pTVCardFilter != NULL && m_pTVCardFilter->SetVideoStandard(nStandard) == S_OK;
    if (bStop && bStandard)
    {
        int* pSlot = StandardSlot(*this, m_nVideoSource);
        if (pSlot != NULL)
            *pSlot = nStandard;
    }
    BOOL bRun = m_Graph.Run();
    BOOL bRoute = RouteCrossbar(m_nVideoSource == SOURCE_TUNER ? 3 : 4, 1);
    return bStop && bStandard && bRun && bRoute;
}

BOOL CTVHardWare::SetVideoStandard(int nStandard)
{
    int* pSlot = StandardSlot(*this, m_nVideoSource);
    if (pSlot != NULL)
        *pSlot = nStandard;
    BOOL bTuner = TRUE;
    if (m_nVideoSource == SOURCE_TUNER && m_pTVCardFilter != NULL)
        bTuner = m_pTVCardFilter->SetTunerStandard(static_cast<DWORD>(nStandard));
    BOOL bApply = ApplyVideoStandard(nStandard);
    VideoFormatRecord record;
    if (m_pTVCardFilter != NULL &&
        SUCCEEDED(m_pTVCardFilter->GetVideoFormat(&record, CCaptureDevice::PIN_SELECT_CAPTURE)))
    {
        record.nFormatCode = 2;
        record.info.AvgTimePerFrame = IsNTSC() ? 10000000 / 30 : 10000000 / 25;
        m_pTVCardFilter->SetVideoFormat(record, CCaptureDevice::PIN_SELECT_CAPTURE);
    }
    return bTuner && bApply;
}

BOOL CTVHardWare::SetCountryCode(int nCode)
{
    CountryCode = nCode;
    if (m_pTVCardFilter == NULL)
        return TRUE;
    ComPtr<IAMTVTuner> pTuner;
    if (FAILED(m_pTVCardFilter->GetTVTunerInterface(&pTuner)) || !pTuner)
        return TRUE;
    HRESULT hr;
    if (nCode == kCountryShenzhen)
    {
        pTuner->put_CountryCode(kCountryHongKong);
        hr = pTuner->put_Channel(10, 0, 0);
    }
    else
    {
        hr = pTuner->put_CountryCode(nCode);
    }
    return SUCCEEDED(hr);
}

IBaseFilter* CTVHardWare::FindDeviceByCategory(REFGUID category, LPCSTR pszName)
{
    ComPtr<IBaseFilter> pFilter;
    if (FAILED(FindFilterByName(category, pszName, &pFilter, MatchWholeName)))
        return NULL;
    return pFilter.Detach();
}

BOOL CTVHardWare::SetTunerCountryCode(int nCode)
{
    ComPtr<IBaseFilter> pFilter;
    pFilter.Attach(FindDeviceByCategory(AM_KSCATEGORY_TVTUNER, kTunerDeviceName));
    if (!pFilter)
        return FALSE;
    ComPtr<IAMTVTuner> pTuner;
    if (FAILED(pFilter->QueryInterface(IID_IAMTVTuner, reinterpret_cast<void**>(&pTuner))) || !pTuner)
        return FALSE;
    SetAudioMute(TRUE);
    pTuner->put_CountryCode(nCode);
    pTuner.Reset();
    pFilter.Reset();
    SetAudioMute(FALSE);
    return TRUE;
}

CSize CTVHardWare::NormalizeVideoSize(CSize size, BOOL bNTSC)
{
    CSize result = size;
    int w = size.cx;
    BOOL bTall = size.cy >= 480;
    switch (w)
    {
    case 160:
    case 176:
        result = bNTSC ? CSize(160, 120) : CSize(176, 144);
        break;
    case 320:
    case 352:
        result = bNTSC ? (bTall ? CSize(320, 480) : CSize(320, 240)) : (bTall ? CSize(352, 576) : CSize(352, 288));
        break;
    case 480:
        result = bNTSC ? CSize(480, 480) : CSize(480, 576);
        break;
    case 640:
        result = CSize(640, 480);
        break;
    case 704:
        result = bNTSC ? (bTall ? CSize(720, 480) : CSize(720, 240)) : (bTall ? CSize(704, 576) : CSize(704, 352));
        break;
    case 720:
        result = bNTSC ? (bTall ? CSize(720, 480) : CSize(720, 240)) : (bTall ? CSize(720, 576) : CSize(720, 352));
        break;
    default:
        NullTrace("Unexpected Video Size: (%d X %d)\n", size.cx, size.cy);
        break;
    }
    NullTrace("Adjust VideoSize(%s): (%d X %d -> %d X %d)\n", bNTSC ? "NTSC" : "PAL", size.cx, size.cy, result.cx,
              result.cy);
    return result;
}

void CTVHardWare::AdjustVideoSize()
{
    m_CaptureSize = NormalizeVideoSize(m_CaptureSize, IsNTSC());
}

BOOL CTVHardWare::SetCaptureVideoSize(int nWidth, int nHeight)
{
    if (m_pTVCardFilter == NULL)
        return FALSE;
    VideoFormatRecord record;
    if (FAILED(m_pTVCardFilter->GetVideoFormat(&record, CCaptureDevice::PIN_SELECT_CAPTURE)))
        return FALSE;
    CSize size = NormalizeVideoSize(CSize(nWidth, nHeight), IsNTSC());
    record.info.bmiHeader.biWidth = size.cx;
    record.info.bmiHeader.biHeight = size.cy;
    return SUCCEEDED(m_pTVCardFilter->SetVideoFormat(record, CCaptureDevice::PIN_SELECT_CAPTURE));
}

BOOL CTVHardWare::SetVideoSize(CSize size)
{
    m_CaptureSize = NormalizeVideoSize(size, IsNTSC());
    if (m_pTVCardFilter == NULL)
        return TRUE;
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    SetCaptureVideoSize(m_CaptureSize.cx, m_CaptureSize.cy);
    if (!ConnectPreviewGraph())
        return FALSE;
    DisconnectCrossbar();
    m_Graph.Run();
    return TRUE;
}

BOOL CTVHardWare::SetVideoRatio(int x, int y)
{
    if (m_bRecording || m_bTimeShift)
        return FALSE;
    BOOL bRunning = m_Graph.GetState() == CDShowGraph::STATE_RUNNING;
    if (bRunning)
    {
        m_Graph.Stop();
        m_Graph.DisconnectAll();
    }
    ComPtr<ITransformRatio> pRatio;
    BOOL bResult = m_pTransformRatio != NULL && m_pTransformRatio->GetFilter() != NULL &&
                   SUCCEEDED(m_pTransformRatio->GetFilter()->QueryInterface(
                       IID_ITransformRatio, reinterpret_cast<void**>(&pRatio))) &&
                   pRatio;
    if (bResult)
    {
        BOOL bWide = x == 16 && y == 9;
        pRatio->SetAspect(bWide ? 1 : 2);
        m_RatioState.second = bWide ? 1 : 2;
        if (x == 4 && y == 3)
        {
            pRatio->SetScaling(0);
            m_RatioState.first = 0;
        }
        else if (bWide || (x == -16 && y == -9))
        {
            pRatio->SetScaling(1);
            m_RatioState.first = 1;
        }
        pRatio.Reset();
    }
    if (bRunning)
    {
        ConnectPreviewGraph();
        m_Graph.Run();
        ReapplyVideoStandard();
    }
    return bResult;
}

BOOL CTVHardWare::SetDisplayQuality(int nQuality)
{
    DisplayQuality = nQuality;
    return TRUE;
}

BOOL CTVHardWare::ApplyDisplayQuality(int nQuality)
{
    if (m_pDeinterlaceFilter != NULL)
    {
        m_pDeinterlaceFilter->SetHighQuality(nQuality == 1 || nQuality == 2);
        m_pDeinterlaceFilter->SetHalfRate(TRUE);
        m_pDeinterlaceFilter->SetNoiseReduce(nQuality == 2);
        if (nQuality == 2)
            m_pDeinterlaceFilter->SetReduceValue(ReduceValue);
    }
    return TRUE;
}

BOOL CTVHardWare::SetHighQuality(BOOL bHigh)
{
    HightQuality = bHigh;
    return m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->SetHighQuality(bHigh != 0);
}

BOOL CTVHardWare::SetHalfRate(BOOL bHalf)
{
    HalfRate = bHalf;
    return m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->SetHalfRate(bHalf);
}

BOOL CTVHardWare::SetNoiseReduce(BOOL bReduce)
{
    NoiseReduce = bReduce;
    return m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->SetNoiseReduce(bReduce);
}

BOOL CTVHardWare::SetReduceValue(int nValue)
{
    ReduceValue = nValue;
    return m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->SetReduceValue(nValue);
}

BOOL CTVHardWare::SetVideoProcAmp(int nIndex, int nValue)
{
    BOOL bResult = m_pTVCardFilter != NULL && m_pTVCardFilter->SetVideoProcAmp(nIndex, nValue) == S_OK;
    int* const slots[5] = { &Brightness, &Contrast, &Hue, &Saturation, &Sharpness };
    if (nIndex >= 0 && nIndex < 5)
        *slots[nIndex] = nValue;
    return bResult;
}

BOOL CTVHardWare::GetVideoProcAmpInfo(int nIndex, VideoProcAmpRecord* pRecord)
{
    return m_pTVCardFilter != NULL && m_pTVCardFilter->GetVideoProcAmp(nIndex, pRecord) == S_OK;
}

BOOL CTVHardWare::ApplyVideoProcAmp()
{
    if (m_pTVCardFilter == NULL)
        return FALSE;
    const int values[5] = { Brightness, Contrast, Hue, Saturation, Sharpness };
    BOOL bResult = TRUE;
    for (int i = 0; i < 5; ++i)
        bResult = SetVideoProcAmp(i, values[i]) && bResult;
    return bResult;
}

void CTVHardWare::SetVideoWindow(HWND hWnd)
{
    m_hVideoWnd = hWnd;
}

void CTVHardWare::SetNotifyWindow(HWND hWnd)
{
    if (m_pTVCardFilter != NULL)
        m_pTVCardFilter->SetNotifyWindow(hWnd);
    m_hNotifyWnd = hWnd;
}

BOOL CTVHardWare::StartChannelScan(BOOL bTV, BOOL bUseParameters)
{
    m_bScanning = TRUE;
    return m_pTVCardFilter != NULL && m_pTVCardFilter->StartScan(bTV, bUseParameters);
}

BOOL CTVHardWare::StopChannelScan()
{
    if (m_pTVCardFilter != NULL)
        m_pTVCardFilter->StopScan();
    m_bScanning = FALSE;
    return TRUE;
}

BOOL CTVHardWare::HasFM()
{
    return m_pTVCardFilter != NULL && m_pTVCardFilter->HasFM();
}

void CTVHardWare::GetTVFrequencyRange(int* pLow, int* pHigh)
{
    if (m_pTVCardFilter != NULL)
        m_pTVCardFilter->GetTVFrequencyRange(pHigh, pLow);
}

BOOL CTVHardWare::SetScanList(const float* pList, int nCount)
{
    return m_pTVCardFilter != NULL && m_pTVCardFilter->SetScanList(pList, nCount);
}

BOOL CTVHardWare::TakeSnapshot(LPCSTR pszFile, LONG lType, LONG lQuality)
{
    return m_pDeinterlaceFilter != NULL && m_pDeinterlaceFilter->SaveSnapshot(pszFile, lType, lQuality);
}

BOOL CTVHardWare::GetDeviceNameList(int nKind, CStringList& names)
{
    int nCount = 0;
    CDShowGraph::DEVICE_NAME* pNames = m_Graph.EnumDevices(nKind, &nCount);
    if (pNames == NULL)
        return FALSE;
    for (int i = 0; i < nCount; ++i)
        names.AddTail(pNames[i]);
    return TRUE;
}

BOOL CTVHardWare::BuildVideoCompressorList()
{
    CStringList names;
    if (!GetDeviceNameList(3, names))
        return !m_VideoCompressorList.IsEmpty();
    m_VideoCompressorList.RemoveAll();
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = names.GetNext(pos);
        if (name.Find("MPEG-4") >= 0)
            m_VideoCompressorList.AddTail(name);
    }
    return !m_VideoCompressorList.IsEmpty();
}

BOOL CTVHardWare::BuildAudioCompressorList()
{
    CStringList names;
    GetDeviceNameList(2, names);
    m_AudioCompressorList.RemoveAll();
    CString heldBack;
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = names.GetNext(pos);
        if (name.Find("InterVideo") >= 0)
            continue;
        if (name.Find("Microsoft ADPCM") >= 0)
            heldBack = name;
        else
            m_AudioCompressorList.AddTail(name);
    }
    if (!heldBack.IsEmpty())
        m_AudioCompressorList.AddHead(heldBack);
    return !m_AudioCompressorList.IsEmpty();
}

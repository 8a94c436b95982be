#include "ui/settings/DevicePage.h"

// The device context classes come before the engine, whose headers bring the system's macro helpers.
#include "platform/afx/Dc.h"
#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/CaptureSizes.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CDevicePage, CPageBase)

namespace
{
const int kStandardPalB = 16;
const int kInputNTSCStandards[] = { 1, 2, 4 };
const int kSoundRadios[] = { IDC_DEVICE_STEREO, IDC_DEVICE_MONO, IDC_DEVICE_LANGUAGE_A, IDC_DEVICE_LANGUAGE_B,
                             IDC_DEVICE_LANGUAGE_C };

CTVHardWare& HardWare()
{
    return g_pTVEngine->GetHardWare();
}

void FillFromList(CComboBox& combo, const CStringList& names)
{
    combo.ResetContent();
    for (POSITION pos = names.GetHeadPosition(); pos;)
        combo.AddString(names.GetNext(pos));
}

CString SelectedText(CComboBox& combo)
{
    CString text;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

int* StoredStandard(CTVHardWare& hw, int nInput)
{
    return nInput == 0 ? &hw.TVStandard : nInput == 1 ? &hw.AVStandard : &hw.SVStandard;
}
} // namespace

BEGIN_MESSAGE_MAP(CDevicePage, CPageBase)
    ON_CBN_SELCHANGE(IDC_DEVICE_SOURCE, &CDevicePage::OnSourceChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE_STANDARD, &CDevicePage::OnStandardChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE_AUDIO_INPUT, &CDevicePage::OnAudioInputChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE_AUDIO_DEVICE, &CDevicePage::OnAudioDeviceChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE_PLAY_DEVICE, &CDevicePage::OnPlayDeviceChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE_PLAY_INPUT, &CDevicePage::OnPlayInputChanged)
    ON_CBN_DROPDOWN(IDC_DEVICE_PLAY_DEVICE, &CDevicePage::OnPlayDeviceDropDown)
    ON_CBN_DROPDOWN(IDC_DEVICE_AUDIO_DEVICE, &CDevicePage::OnAudioDeviceDropDown)
    ON_BN_CLICKED(IDC_DEVICE_STEREO, &CDevicePage::OnStereo)
    ON_BN_CLICKED(IDC_DEVICE_MONO, &CDevicePage::OnMono)
    ON_BN_CLICKED(IDC_DEVICE_LANGUAGE_A, &CDevicePage::OnLanguageA)
    ON_BN_CLICKED(IDC_DEVICE_LANGUAGE_B, &CDevicePage::OnLanguageB)
    ON_BN_CLICKED(IDC_DEVICE_LANGUAGE_C, &CDevicePage::OnLanguageC)
    ON_BN_CLICKED(IDC_DEVICE_TELETEXT, &CDevicePage::OnTeletext)
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDevicePage::CDevicePage()
    : CPageBase(IDD_PAGE_DEVICE),
      m_nStereo(-1),
      m_nLanguage(-1),
      m_bTeletext(FALSE),
      m_nSource(0),
      m_nBackupSource(0),
      m_nLevel(50),
      m_nBackupLevel(50),
      m_nBackupStereo(0),
      m_nBackupLanguage(0),
      m_nTimer(0)
{
    m_backupStandards[0] = m_backupStandards[1] = m_backupStandards[2] = 0;
}

CDevicePage::~CDevicePage() {}

void CDevicePage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEVICE_AUDIO_INPUT, m_audioInput);
    DDX_Control(pDX, IDC_DEVICE_AUDIO_DEVICE, m_audioDevice);
    DDX_Control(pDX, IDC_DEVICE_SOURCE, m_source);
    DDX_Control(pDX, IDC_DEVICE_STANDARD, m_standard);
    DDX_Control(pDX, IDC_DEVICE_LEVEL, m_level);
    DDX_Control(pDX, IDC_DEVICE_PLAY_DEVICE, m_playDevice);
    DDX_Control(pDX, IDC_DEVICE_PLAY_INPUT, m_playInput);
    DDX_Control(pDX, IDC_DEVICE_LEVEL_TEXT, m_levelText);
    DDX_Radio(pDX, IDC_DEVICE_STEREO, m_nStereo);
    DDX_Radio(pDX, IDC_DEVICE_LANGUAGE_A, m_nLanguage);
    DDX_Check(pDX, IDC_DEVICE_TELETEXT, m_bTeletext);
}

void CDevicePage::LoadData()
{
    CTVHardWare& hw = HardWare();
    m_nBackupSource = g_pTVEngine->GetInputSource();
    m_strBackupAudioInput = hw.AudioInput;
    m_strBackupAudioDevice = hw.AudioDevice;
    m_nBackupStereo = hw.GetTVAudioStereo();
    m_nBackupLanguage = hw.GetTVAudioLanguage();
    m_strBackupPlayDevice = hw.AudioPlayDev;
    m_strBackupPlayInput = hw.AudioPlayInput;
    m_nBackupLevel = hw.AudioRecVol;
    for (int i = 0; i < 3; ++i)
        m_backupStandards[i] = *StoredStandard(hw, i);
}

BOOL CDevicePage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    CTVHardWare& hw = HardWare();
    m_nSource = g_pTVEngine->GetInputSource();
    m_strAudioDevice = hw.AudioDevice;
    m_strAudioInput = hw.AudioInput;
    m_strPlayDevice = hw.AudioPlayDev;
    m_strPlayInput = hw.AudioPlayInput;
    m_nLevel = hw.AudioRecVol;
    hw.GetRecordVolume(&m_nLevel);
    m_nStereo = hw.GetTVAudioStereo();
    m_nLanguage = hw.GetTVAudioLanguage();
    m_bTeletext = hw.GetTVData();
    hw.SetTVAudioMode(SoundModeOf(m_nStereo));
    hw.SetTVAudioMode(LanguageModeOf(m_nLanguage));
    if (m_bTeletext && !hw.IsTeletextViewerRunning())
    {
        m_bTeletext = FALSE;
        hw.CloseTeletextViewer();
    }

    FillSources();
    FillFromList(m_audioDevice, hw.m_AudioDeviceList);
    SelectExact(m_audioDevice, m_strAudioDevice);
    FillAudioInputs();
    FillPlayDevices();
    m_level.SetRange(0, 100, TRUE);
    m_level.SetPos(m_nLevel);
    ShowLevel();
    FillStandards();
    EnableSoundRadios();
    UpdateData(FALSE);
    // Lines that gave way to the first of their list were applied; the user changed nothing yet.
    SetModified(FALSE);
    m_nTimer = SetTimer(TIMER_TELETEXT, TELETEXT_PERIOD);
    return TRUE;
}

void CDevicePage::OnDestroy()
{
    if (m_nTimer)
        KillTimer(TIMER_TELETEXT);
    m_nTimer = 0;
    CPageBase::OnDestroy();
}

void CDevicePage::FillSources()
{
    m_source.ResetContent();
    const CIdNameArray& names = g_pTVEngine->GetVideoSourceNames();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const int nID = names[i].nID;
        if (nID == CTVEngine::SOURCE_FM && !g_pTVEngine->HasFM())
            continue;
        const int nRow = m_source.AddString(names[i].strName);
        m_source.SetItemData(nRow, static_cast<DWORD_PTR>(nID));
        if (nID == m_nSource)
            m_source.SetCurSel(nRow);
    }
}

BOOL CDevicePage::SelectOrFirst(CComboBox& combo, const CString& text)
{
    if (SelectExact(combo, text) >= 0)
        return FALSE;
    combo.SetCurSel(combo.GetCount() > 0 ? 0 : -1);
    return combo.GetCount() > 0;
}

void CDevicePage::FillAudioInputs()
{
    FillFromList(m_audioInput, HardWare().m_AudioInputList);
    if (SelectOrFirst(m_audioInput, m_strAudioInput))
        OnAudioInputChanged();
}

void CDevicePage::FillPlayDevices()
{
    FillFromList(m_playDevice, HardWare().m_PlayDeviceList);
    if (SelectOrFirst(m_playDevice, m_strPlayDevice))
        OnPlayDeviceChanged();
    else
        FillPlayInputs();
}

void CDevicePage::FillPlayInputs()
{
    FillFromList(m_playInput, HardWare().m_PlayInputList);
    if (SelectOrFirst(m_playInput, m_strPlayInput))
        OnPlayInputChanged();
}

void CDevicePage::FillStandards()
{
    CTVHardWare& hw = HardWare();
    m_standard.ResetContent();
    if (g_pTVEngine->IsRadio())
    {
        m_standard.EnableWindow(FALSE);
        g_pTVEngine->GetChannelTable()->SetCurrentChannel(g_pTVEngine->GetCurrentChannel());
        return;
    }
    CUIntArray standards;
    hw.GetSupportedStandards(&standards);
    if (standards.GetSize() == 0)
        standards.Add(kStandardPalB);
    if (m_nSource != CTVEngine::SOURCE_TV && m_nSource != CTVEngine::SOURCE_FM)
    {
        for (int nStandard : kInputNTSCStandards)
        {
            BOOL bListed = FALSE;
            for (INT_PTR i = 0; i < standards.GetSize(); ++i)
                bListed = bListed || standards[i] == static_cast<UINT>(nStandard);
            if (!bListed)
                standards.Add(nStandard);
        }
    }
    const CIdNameArray& names = g_pTVEngine->GetVideoStandardNames();
    for (INT_PTR i = 0; i < standards.GetSize(); ++i)
    {
        const int nRow = m_standard.AddString(names.GetName(static_cast<int>(standards[i])));
        m_standard.SetItemData(nRow, standards[i]);
    }
    if (SelectExact(m_standard, names.GetName(hw.GetVideoStandard())) < 0)
        m_standard.SetCurSel(0);
    m_standard.EnableWindow(!g_pTVEngine->IsRecording());
}

void CDevicePage::EnableSoundRadios()
{
    if (!HardWare().HasAudioPin())
        return;
    const BOOL bTV = g_pTVEngine->IsTVInput();
    for (int nID : kSoundRadios)
        GetDlgItem(nID)->EnableWindow(bTV);
}

void CDevicePage::ShowLevel()
{
    CString text;
    text.Format("%d%%", m_nLevel);
    m_levelText.SetWindowText(text);
}

BOOL CDevicePage::OnSetActive()
{
    FillStandards();
    m_source.EnableWindow(!IsWizard() && !g_pTVEngine->IsRecording() && !g_pTVEngine->IsScanning());
    return CPageBase::OnSetActive();
}

void CDevicePage::OnSourceChanged()
{
    SetModified(TRUE);
    const int nRow = m_source.GetCurSel();
    if (nRow < 0)
        return;
    const int nSource = static_cast<int>(m_source.GetItemData(nRow));
    if (nSource == m_nSource || nSource == g_pTVEngine->GetInputSource())
        return;
    CWaitCursor wait;
    GetSettingsPanel()->StopPreviewForChange();
    g_pTVEngine->SetVideoSource(nSource);
    m_nSource = nSource;
    GetSettingsPanel()->UpdateControlStates();
    FillStandards();
    EnableSoundRadios();
}

void CDevicePage::OnStandardChanged()
{
    SetModified(TRUE);
    const int nRow = m_standard.GetCurSel();
    if (nRow < 0)
        return;
    CTVHardWare& hw = HardWare();
    const int nStandard = static_cast<int>(m_standard.GetItemData(nRow));
    if (nStandard == hw.GetVideoStandard())
        return;
    hw.SetVideoStandard(nStandard);
    hw.SetVideoSize(g_pTVEngine->GetVideoSize());
    hw.SetVideoStandard(nStandard);
    hw.AdjustVideoSize();
}

void CDevicePage::OnAudioInputChanged()
{
    SetModified(TRUE);
    m_strAudioInput = SelectedText(m_audioInput);
    g_pTVEngine->SetAudioInput(m_strAudioInput);
    // The play line of the same name follows, so what is recorded is also heard.
    const int nPlay = m_playInput.FindStringExact(-1, m_strAudioInput);
    if (HardWare().m_PlayInputList.Find(m_strAudioInput) && nPlay >= 0)
    {
        m_playInput.SetCurSel(nPlay);
        OnPlayInputChanged();
    }
}

void CDevicePage::OnAudioDeviceChanged()
{
    SetModified(TRUE);
    m_strAudioDevice = SelectedText(m_audioDevice);
    if (m_strAudioDevice == HardWare().AudioDevice)
        return;
    CWaitCursor wait;
    g_pTVEngine->SetAudioDevice(m_strAudioDevice);
    FillAudioInputs();
}

void CDevicePage::OnPlayDeviceChanged()
{
    SetModified(TRUE);
    m_strPlayDevice = SelectedText(m_playDevice);
    HardWare().AudioPlayDev = m_strPlayDevice;
    HardWare().BuildPlayInputList();
    FillPlayInputs();
}

void CDevicePage::SetPlayInput(const CString& line)
{
    CTVHardWare& hw = HardWare();
    if (line == hw.AudioPlayInput)
        return;
    // The mute belongs to the line: a muted line is unmuted before the change and the new one muted.
    if (g_pTVEngine->IsPlaySourceMuted())
    {
        hw.SetPlaySourceMute(FALSE);
        hw.AudioPlayInput = line;
        hw.SetPlaySourceMute(TRUE);
    }
    else
        hw.AudioPlayInput = line;
}

void CDevicePage::OnPlayInputChanged()
{
    SetModified(TRUE);
    m_strPlayInput = SelectedText(m_playInput);
    SetPlayInput(m_strPlayInput);
}

void CDevicePage::WidenDropDown(CComboBox& combo)
{
    CClientDC dc(&combo);
    CFont* pOld = dc.SelectObject(combo.GetFont());
    int nWidth = 0;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString text;
        combo.GetLBText(i, text);
        const CSize size = dc.GetTextExtent(text);
        if (size.cx > nWidth)
            nWidth = size.cx;
    }
    dc.SelectObject(pOld);
    nWidth += ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXEDGE);
    combo.SetDroppedWidth(nWidth);
}

void CDevicePage::OnPlayDeviceDropDown()
{
    WidenDropDown(m_playDevice);
}

void CDevicePage::OnAudioDeviceDropDown()
{
    WidenDropDown(m_audioDevice);
}

void CDevicePage::OnStereo()
{
    SetModified(TRUE);
    if (HardWare().SetTVAudioMode(MODE_STEREO))
        HardWare().SetTVAudioStereo(0);
}

void CDevicePage::OnMono()
{
    SetModified(TRUE);
    if (HardWare().SetTVAudioMode(MODE_MONO))
        HardWare().SetTVAudioStereo(1);
}

void CDevicePage::SetLanguage(int nLanguage)
{
    SetModified(TRUE);
    if (HardWare().SetTVAudioMode(LanguageModeOf(nLanguage)))
        HardWare().SetTVAudioLanguage(nLanguage);
}

void CDevicePage::OnLanguageA()
{
    SetLanguage(0);
}

void CDevicePage::OnLanguageB()
{
    SetLanguage(1);
}

void CDevicePage::OnLanguageC()
{
    SetLanguage(2);
}

void CDevicePage::OnTeletext()
{
    SetModified(TRUE);
    UpdateData(TRUE);
    CTVHardWare& hw = HardWare();
    hw.SetTVData(m_bTeletext);
    if (m_bTeletext)
    {
        m_nTimer = SetTimer(TIMER_TELETEXT, TELETEXT_PERIOD);
        if (hw.StartTeletextViewer())
        {
            ::Sleep(500);
            hw.FocusTeletextViewer();
        }
    }
    else
    {
        KillTimer(TIMER_TELETEXT);
        m_nTimer = 0;
        hw.CloseTeletextViewer();
    }
}

void CDevicePage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_TELETEXT)
    {
        CPageBase::OnTimer(nIDEvent);
        return;
    }
    if (HardWare().IsTeletextViewerRunning())
        return;
    m_bTeletext = FALSE;
    HardWare().SetTVData(FALSE);
    CheckDlgButton(IDC_DEVICE_TELETEXT, BST_UNCHECKED);
}

void CDevicePage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CPageBase::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || pScrollBar->GetSafeHwnd() != m_level.m_hWnd ||
        (nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK))
        return;
    SetModified(TRUE);
    m_nLevel = m_level.GetPos();
    HardWare().SetRecordVolume(m_nLevel);
    ShowLevel();
}

BOOL CDevicePage::OnMouseWheel(UINT, short, CPoint)
{
    return TRUE;
}

void CDevicePage::OnReset()
{
    CWaitCursor wait;
    CTVHardWare& hw = HardWare();
    if (hw.AudioInput != m_strBackupAudioInput)
        g_pTVEngine->SetAudioInput(m_strBackupAudioInput);
    if (hw.AudioDevice != m_strBackupAudioDevice)
        g_pTVEngine->SetAudioDevice(m_strBackupAudioDevice);
    if (g_pTVEngine->GetInputSource() != m_nBackupSource)
    {
        g_pTVEngine->SetVideoSource(m_nBackupSource);
        GetSettingsPanel()->UpdateControlStates();
    }
    // A standard chosen on the page is as much a change as the others: every input gets its own
    // back, the current one on the card as well.
    for (int i = 0; i < 3; ++i)
    {
        if (i == g_pTVEngine->GetInputSource() && hw.GetVideoStandard() != m_backupStandards[i])
        {
            hw.SetVideoStandard(m_backupStandards[i]);
            hw.SetVideoSize(g_pTVEngine->GetVideoSize());
            hw.SetVideoStandard(m_backupStandards[i]);
            hw.AdjustVideoSize();
        }
        *StoredStandard(hw, i) = m_backupStandards[i];
    }
    if (hw.GetTVAudioStereo() != m_nBackupStereo && hw.SetTVAudioMode(SoundModeOf(m_nBackupStereo)))
        hw.SetTVAudioStereo(m_nBackupStereo);
    if (hw.GetTVAudioLanguage() != m_nBackupLanguage && hw.SetTVAudioMode(LanguageModeOf(m_nBackupLanguage)))
        hw.SetTVAudioLanguage(m_nBackupLanguage);
    if (hw.AudioPlayDev != m_strBackupPlayDevice)
    {
        hw.AudioPlayDev = m_strBackupPlayDevice;
        hw.BuildPlayInputList();
    }
    SetPlayInput(m_strBackupPlayInput);
    if (hw.AudioRecVol != m_nBackupLevel)
        hw.SetRecordVolume(m_nBackupLevel);
}

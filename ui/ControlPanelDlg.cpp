#include "ui/ControlPanelDlg.h"

#include "platform/standins/tamblin/Tamblin.h"
#include "resources/ResourceIds.h"
#include "skin/DialogSkin.h"
#include "skin/MultiSlider.h"
#include "skin/SkinButton.h"
#include "skin/SkinSlider.h"
#include "skin/SkinStatic.h"
#include "ui/SystemActions.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"
#include "ui/settings/HotKeyDefaults.h"
#include "ui/settings/ScheduleListPage.h"
#include "ui/settings/VideoAdjustDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "dshow/AudioRenderFilter.h"
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "skin/SkinList.h"

#include <stdio.h>

namespace
{
const int kChannelsPerSubMenu = 30;
const int kChannelSubMenus = 10;
const UINT kChannelMenuLast = 33316;
const int kVolumeStep = 5;

CTVEngine& Engine() { return *g_pTVEngine; }

// The schedule list page hands the timed shut-down of its OK to the panel.
void ApplyShutdownTime(const CTime& time, BOOL bEnable) { GetControlPanel().SetShutdownTime(time, bEnable); }
}  // namespace

BEGIN_MESSAGE_MAP(CControlPanelDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_INITMENUPOPUP()
ON_WM_MOVE()
ON_WM_SHOWWINDOW()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_LOW_DISK_SPACE, &CControlPanelDlg::OnLowDiskSpace)
ON_MESSAGE(WM_PREVIEW_WALL_CLOSED, &CControlPanelDlg::OnWallClosed)
ON_MESSAGE(WM_REMOTE_KEY, &CControlPanelDlg::OnRemoteKey)
ON_MESSAGE(WM_SCHEDULER_EVENT, &CControlPanelDlg::OnSchedulerEvent)
ON_MESSAGE(WM_TIMECHANGE, &CControlPanelDlg::OnTimeChange)
ON_COMMAND(ID_CHANNEL_NEXT, &CControlPanelDlg::OnChannelNext)
ON_COMMAND(ID_CHANNEL_PREV, &CControlPanelDlg::OnChannelPrev)
ON_COMMAND(ID_CHANNEL_LAST, &CControlPanelDlg::OnChannelLast)
ON_COMMAND(ID_SNAPSHOT, &CControlPanelDlg::OnSnapshot)
ON_COMMAND(ID_RECORD, &CControlPanelDlg::OnRecord)
ON_COMMAND(ID_PREVIEW_WALL, &CControlPanelDlg::OnPreviewWall)
ON_COMMAND(ID_CHANNEL_SCAN, &CControlPanelDlg::OnChannelScan)
ON_COMMAND(ID_SETTINGS, &CControlPanelDlg::OnSettings)
ON_COMMAND(ID_NEXT_INPUT, &CControlPanelDlg::OnNextInput)
ON_COMMAND(ID_FAVOURITES_ONLY, &CControlPanelDlg::OnFavouritesOnly)
ON_COMMAND(ID_MUTE, &CControlPanelDlg::OnMute)
ON_COMMAND(ID_MUTE_MENU, &CControlPanelDlg::OnMute)
ON_COMMAND(ID_MOVIE_PLAYER, &CControlPanelDlg::OnMoviePlayer)
ON_COMMAND(ID_PICTURE_BROWSER, &CControlPanelDlg::OnPictureBrowser)
ON_COMMAND(ID_SHOW_PANEL, &CControlPanelDlg::OnShowPanel)
ON_COMMAND(ID_HELP_FILE, &CControlPanelDlg::OnHelp)
ON_COMMAND(ID_ABOUT, &CControlPanelDlg::OnAbout)
ON_COMMAND(ID_TOOL_MENU, &CControlPanelDlg::OnToolMenu)
ON_COMMAND(ID_EXIT, &CControlPanelDlg::OnExit)
ON_COMMAND(ID_VIDEO_ADJUST, &CControlPanelDlg::OnVideoAdjust)
ON_COMMAND(ID_PAUSE, &CControlPanelDlg::OnPause)
ON_COMMAND(ID_SCHEDULE, &CControlPanelDlg::OnSchedule)
ON_COMMAND(ID_OSD_MENU, &CControlPanelDlg::OnOsdMenu)
ON_COMMAND(ID_NEXT_SKIN, &CControlPanelDlg::OnNextSkin)
ON_COMMAND(ID_DESKTOP_VIDEO, &CControlPanelDlg::OnDesktopVideo)
ON_COMMAND(ID_MESSENGER, &CControlPanelDlg::OnMessenger)
ON_COMMAND(ID_CANCEL_TASK, &CControlPanelDlg::OnCancelTask)
ON_COMMAND_RANGE(ID_RECORD_FORMAT_FIRST, ID_RECORD_FORMAT_LAST, &CControlPanelDlg::OnRecordFormat)
ON_COMMAND(ID_TOPMOST, &CControlPanelDlg::OnTopMost)
ON_COMMAND(ID_FULL_SCREEN, &CControlPanelDlg::OnFullScreen)
ON_COMMAND_RANGE(ID_SIZE_320, ID_SIZE_640, &CControlPanelDlg::OnWindowSize)
ON_COMMAND_RANGE(ID_ASPECT_FREE, ID_ASPECT_16_9, &CControlPanelDlg::OnAspect)
ON_COMMAND(ID_ASPECT_16_9_WIDE, &CControlPanelDlg::OnAspectWide)
ON_COMMAND_RANGE(ID_VOLUME_UP, ID_VOLUME_DOWN, &CControlPanelDlg::OnVolume)
ON_COMMAND_RANGE(ID_FM_FILTER_FIRST, ID_FM_FILTER_FIRST + 2, &CControlPanelDlg::OnFMFilter)
ON_COMMAND(ID_FM_FILTER_CUSTOM, &CControlPanelDlg::OnFMCustom)
ON_COMMAND_RANGE(ID_TIMESHIFT_START, ID_TIMESHIFT_STOP, &CControlPanelDlg::OnTimeShift)
// Last: the channel entries' range takes in the window commands' identifiers, which come first.
ON_COMMAND_RANGE(ID_CHANNEL_FIRST, kChannelMenuLast, &CControlPanelDlg::OnChannelMenu)
END_MESSAGE_MAP()

CControlPanelDlg::CControlPanelDlg()
    : CDialog(IDD), m_hIcon(NULL), m_bSoundRestorePending(FALSE), m_nRecordTimerSeconds(0), m_bRememberedMute(FALSE),
      m_bTimeShiftMute(FALSE), m_pSkin(NULL), m_hAccel(NULL), m_bHotKeysOn(TRUE), m_bRemoteKeysOn(TRUE),
      m_nTaskState(TASK_NONE), m_bShutdownArmed(FALSE), m_nShutdownTimerSeconds(0), m_nNumberTimer(0),
      m_nFirstDigit(-1), m_nSecondDigit(-1), m_nHundredsDigit(-1), m_nNumberMode(1), m_bIndicatorToggle(FALSE),
      m_nRecordButtonTimer(0), m_pSettingsSheet(NULL), m_pAboutDlg(NULL), m_bShutdownAfterTask(FALSE),
      m_bTaskMute(FALSE), m_lTaskFrequency(0), m_bWallShown(FALSE), m_bLastKeyWasWindows(FALSE),
      m_nElapsedSeconds(0), m_bPaused(FALSE), m_nSettingsPage(0), m_nTimeShiftVolume(50), m_nTimeShiftSeconds(0)
{
}

CControlPanelDlg::~CControlPanelDlg() { FreeSkins(); }

BOOL CControlPanelDlg::Create(CWnd* pParent)
{
    return CDialog::Create(IDD, pParent);
}

int CControlPanelDlg::MessageBoxRes(UINT nTextId, UINT nCaptionId, UINT uFlags)
{
    return GetTVApp()->MessageBoxRes(m_hWnd, nTextId, nCaptionId, uFlags);
}

BOOL CControlPanelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hIcon == NULL)
        m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_contextMenu.LoadMenu(IDR_MENU_PANEL);
    m_contextMenu.LoadToolBar(IDTB_MENU_ICONS);
    m_toolMenu.LoadMenu(IDR_MENU_TOOLS);
    m_fmToolMenu.LoadMenu(IDR_MENU_FM_TOOLS);
    Engine().InitDiskMonitor(m_hWnd);

    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CString& folder = Engine().GetAppFolder();
    if (m_previewWall.Create(screen, this))
    {
        m_previewWall.SetOwner(this);
        CString wallPicture = JoinPath(folder, "Wall.bmp");
        if (!FileExists(wallPicture) || !m_previewWall.LoadBackground(wallPicture))
            m_previewWall.SetBackgroundBitmap(IDB_WALL_BACKGROUND);
        CString wallFolder = JoinPath(folder, "WALL");
        CreateDirectoryPath(wallFolder);
        m_previewWall.SetPictureFolder(wallFolder);
    }
    if (m_osdMenu.Create(this))
        m_osdMenu.SetOwner(this);
    m_screenTool.SetOwner(this);
    m_screenTool.Create(this);
    GetVideoAdjustDlg().Create(this);
    LoadColorSkin(JoinPath(folder, "ColorSkin.ini"), JoinPath(folder, "Velmora.dll"));
    LoadHotKeys();

    CTime shutTime;
    Engine().GetShutTime(shutTime);
    if (Engine().GetEnableShut())
        SetShutdownTime(shutTime, TRUE);
    EnableButton(ID_PAUSE, FALSE);
    EnableButton(IDC_TIMESHIFT_POSITION, FALSE);
    EnableButton(ID_TIMESHIFT_PAUSE, FALSE);
    EnableButton(ID_TIMESHIFT_STOP, FALSE);
    if (Engine().IsDeviceMissing())
        MessageBoxRes(IDS_NO_CAPTURE_DEVICE, IDS_APP_TITLE, MB_ICONINFORMATION);
    // No task-bar button of its own.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    SetSettingsPanel(this);
    CScheduleListPage::SetShutdownTimeHandler(&ApplyShutdownTime);

    CString schedule = JoinPath(folder, "Rec.rec");
    if (Timing_Initialize(schedule, 128))
    {
        Timing_RegisterMsgWnd(m_hWnd);
        Timing_StartTrigger(0);
    }
    return TRUE;
}

BOOL CControlPanelDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
    {
        UINT key = static_cast<UINT>(pMsg->wParam);
        if (pMsg->hwnd == ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME))
        {
            ::SetFocus(::GetDlgItem(m_hWnd, ID_ABOUT));
            return TRUE;
        }
        if (m_bRemoteKeysOn && Engine().IsTunerSource())
        {
            if (key >= '0' && key <= '9')
            {
                if (::GetKeyState(VK_SHIFT) >= 0)
                    OnDigit(static_cast<int>(key - '0'));
                return TRUE;
            }
            if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
            {
                OnDigit(static_cast<int>(key - VK_NUMPAD0));
                return TRUE;
            }
            if (key == VK_APPS)
            {
                CPoint origin(0, 0);
                ClientToScreen(&origin);
                CMenu* pMenu = GetContextMenu();
                if (pMenu != NULL)
                    pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, origin.x, origin.y, this);
                return TRUE;
            }
        }
        // The key that follows the left Windows key belongs to the system's own shortcut.
        BOOL bAfterWindows = m_bLastKeyWasWindows;
        m_bLastKeyWasWindows = key == VK_LWIN;
        if (m_bHotKeysOn && m_hotKeys.GetAccelerators() != NULL && !bAfterWindows &&
            ::TranslateAcceleratorA(m_hWnd, m_hotKeys.GetAccelerators(), pMsg))
            return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CControlPanelDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_QUERYENDSESSION:
        GetVideoDlg().ExitApp();
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMQUERYSUSPEND)
            return BROADCAST_QUERY_DENY;
        break;
    case WM_RESTORE_PANEL:
        ShowWindow(SW_MINIMIZE);
        ShowWindow(SW_RESTORE);
        ShowWindow(SW_SHOW);
        return 0;
    case WM_HSCROLL:
        // The time-shift slider tells where the user put its thumb; lParam is the slider object.
        if (LOWORD(wParam) == CMultiSlider::PlacedNotification && lParam != 0 &&
            reinterpret_cast<CMultiSlider*>(lParam) == GetTimeShiftSlider())
        {
            OnTimeShiftPlaced();
            return 0;
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CControlPanelDlg::OnPaint()
{
    if (IsIconic())
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        dc.DrawIcon((rect.Width() - cx + 1) / 2, (rect.Height() - cy + 1) / 2, m_hIcon);
        return;
    }
    Default();
}

void CControlPanelDlg::OnRButtonDown(UINT, CPoint point)
{
    if (m_pSettingsSheet != NULL)
        return;
    CMenu* pMenu = GetContextMenu();
    if (pMenu == NULL)
        return;
    ClientToScreen(&point);
    pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CControlPanelDlg::OnLButtonDown(UINT, CPoint point)
{
    // The whole face moves the panel.
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

int CControlPanelDlg::GetVolumePercent()
{
    CTVEngine& engine = Engine();
    CDirectSoundFilter* pSound = engine.GetHardWare().m_pDefaultSound;
    if (engine.IsTimeShifting() && pSound != NULL)
    {
        LONG lVolume = 50;
        pSound->GetVolume(&lVolume);
        return static_cast<int>(lVolume);
    }
    int nPercent = 50;
    if (!engine.GetPlayVolume(&nPercent))
        nPercent = 50;
    return nPercent;
}

// While time shifting the sound comes from the time-shift graph's renderer, not the play line.
void CControlPanelDlg::SetVolume(int volume)
{
    CTVEngine& engine = Engine();
    CDirectSoundFilter* pSound = engine.GetHardWare().m_pDefaultSound;
    if (engine.IsTimeShifting() && pSound != NULL)
        pSound->SetVolume(volume);
    else
        engine.SetPlayVolume(volume);
}

void CControlPanelDlg::SetMute(BOOL mute)
{
    Engine().SetPlaySourceMute(mute, TRUE);
}

void CControlPanelDlg::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    HWND hSlider = ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME);
    if (pScrollBar == NULL || pScrollBar->m_hWnd != hSlider)
        return;
    int nPos = static_cast<int>(::SendMessageA(hSlider, TBM_GETPOS, 0, 0));
    SetVolume(100 - nPos);
}

void CControlPanelDlg::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    HWND hSlider = ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME);
    if (pScrollBar == NULL)
        return;
    if (pScrollBar->m_hWnd == hSlider)
    {
        SetVolume(static_cast<int>(::SendMessageA(hSlider, TBM_GETPOS, 0, 0)));
        return;
    }
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    if (adjust.m_hWnd != NULL && pScrollBar->m_hWnd != NULL && (nSBCode == SB_THUMBTRACK || nSBCode == SB_ENDSCROLL))
        adjust.OnSliderChanged(static_cast<UINT>(::GetDlgCtrlID(pScrollBar->m_hWnd)));
}

void CControlPanelDlg::OnDestroy()
{
    UINT_PTR timers[] = { TIMER_SOUND_RESTORE, TIMER_CLOCK,        TIMER_SHUTDOWN,      TIMER_RECORD_INDICATOR,
                          TIMER_NUMBER_ENTRY,  TIMER_RECORD_BUTTON, TIMER_RECORD_LENGTH, TIMER_TIMESHIFT_POSITION };
    for (UINT_PTR id : timers)
        KillTimer(id);
    Timing_StopTrigger(0);
    Timing_Uninitialize();
    if (GetSettingsPanel() == this)
        SetSettingsPanel(NULL);
    CScheduleListPage::SetShutdownTimeHandler(NULL);
    if (m_pSkin != NULL)
        m_pSkin->Detach();
    Default();
}

LRESULT CControlPanelDlg::OnTimeChange(WPARAM, LPARAM)
{
    Timing_RefreshTrigger(0);
    return 0;
}

void CControlPanelDlg::SetButtonCheck(UINT nID, BOOL bCheck)
{
    CWnd* pControl = m_pSkin != NULL ? m_pSkin->FindControl(nID) : NULL;
    if (CSkinButton* pButton = dynamic_cast<CSkinButton*>(pControl))
    {
        if (pButton->SetCheck(bCheck ? 1 : 0) != (bCheck ? 1 : 0))
            pButton->Invalidate(FALSE);
        return;
    }
    HWND hButton = ::GetDlgItem(m_hWnd, nID);
    if (hButton != NULL)
        ::SendMessageA(hButton, BM_SETCHECK, bCheck ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CControlPanelDlg::SetPanelText(UINT nID, LPCSTR pszText)
{
    // A skinned label draws the text it was given, not its window text.
    CWnd* pControl = m_pSkin != NULL ? m_pSkin->FindControl(nID) : NULL;
    if (CSkinStatic* pLabel = dynamic_cast<CSkinStatic*>(pControl))
        pLabel->SetWindowText(pszText);
    else
        SetDlgItemText(nID, pszText);
}

CString CControlPanelDlg::GetPanelText(UINT nID)
{
    CWnd* pControl = m_pSkin != NULL ? m_pSkin->FindControl(nID) : NULL;
    if (CSkinStatic* pLabel = dynamic_cast<CSkinStatic*>(pControl))
        return pLabel->GetText();
    CString text;
    GetDlgItemText(nID, text);
    return text;
}

BOOL CControlPanelDlg::IsButtonChecked(UINT nID)
{
    CWnd* pControl = m_pSkin != NULL ? m_pSkin->FindControl(nID) : NULL;
    if (CSkinButton* pButton = dynamic_cast<CSkinButton*>(pControl))
        return pButton->GetCheck() != 0;
    return ::SendDlgItemMessageA(m_hWnd, nID, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CControlPanelDlg::EnableButton(UINT nID, BOOL bEnable)
{
    HWND hControl = ::GetDlgItem(m_hWnd, nID);
    if (hControl != NULL && (::IsWindowEnabled(hControl) != FALSE) != (bEnable != FALSE))
        ::EnableWindow(hControl, bEnable);
}

BOOL CControlPanelDlg::IsBusy()
{
    return Engine().IsRecording() || Engine().IsTimeShifting() || Engine().IsScanning() || m_bWallShown;
}

BOOL CControlPanelDlg::CanChangeChannel()
{
    return Engine().IsTunerSource() && !IsBusy();
}

void CControlPanelDlg::ShowNotice(UINT textId)
{
    MessageBoxRes(textId, IDS_APP_TITLE, MB_ICONINFORMATION);
}

// --- channels ---

void CControlPanelDlg::StepChannel(BOOL bForward)
{
    if (!CanChangeChannel())
        return;
    CancelNumberEntry();
    CChannelTable* pTable = Engine().GetChannelTable();
    CChannelItem* pCurrent = pTable->GetCurrentChannel();
    CChannelItem* pNext = bForward ? pTable->NextChannel(-1) : pTable->PrevChannel(-1);
    if (pNext == NULL || pNext == pCurrent)
        return;
    if (!Engine().IsPlaySourceMuted())
    {
        Engine().SetPlaySourceMute(TRUE, FALSE);
        pTable->SetCurrentChannel(pNext);
        Wait(300);
        Engine().SetPlaySourceMute(FALSE, FALSE);
    }
    else
    {
        pTable->SetCurrentChannel(pNext);
    }
    ShowChannelText();
}

void CControlPanelDlg::OnChannelNext() { StepChannel(TRUE); }

void CControlPanelDlg::OnChannelPrev() { StepChannel(FALSE); }

void CControlPanelDlg::SelectChannel(CChannelItem* pItem)
{
    CChannelTable* pTable = Engine().GetChannelTable();
    if (pItem == NULL || pItem == pTable->GetCurrentChannel())
        return;
    StopPreviewForChange();
    pTable->SetCurrentChannel(pItem);
    ShowChannelText();
}

void CControlPanelDlg::OnChannelLast()
{
    if (!CanChangeChannel())
        return;
    CChannelTable* pTable = Engine().GetChannelTable();
    int nIndex = pTable->FindIndexByFrequency(pTable->m_lLastFreq);
    SelectChannel(pTable->GetChannel(nIndex));
}

void CControlPanelDlg::OnChannelMenu(UINT nID)
{
    if (!CanChangeChannel())
        return;
    int nEntry = static_cast<int>(nID - ID_CHANNEL_FIRST);
    if (nEntry < 0 || nEntry >= m_channelMenuItems.GetSize())
        return;
    SelectChannel(static_cast<CChannelItem*>(m_channelMenuItems[nEntry]));
}

void CControlPanelDlg::RetuneCurrentChannel()
{
    CChannelTable* pTable = Engine().GetChannelTable();
    CChannelItem* pCurrent = pTable->GetCurrentChannel();
    if (pCurrent != NULL)
        pTable->SetCurrentChannel(pCurrent);
}

void CControlPanelDlg::ShowChannelText()
{
    CTVEngine& engine = Engine();
    CChannelTable* pTable = engine.GetChannelTable();
    CChannelItem* pItem = pTable->GetCurrentChannel();
    CString text;
    if (engine.IsRadio())
    {
        if (pItem == NULL)
            text = "FM";
        else
            text.Format("%d %s - %g", pTable->FindItem(pItem) + 1, static_cast<LPCSTR>(pItem->Name),
                        pItem->Frequency / 1000.0);
    }
    else if (pItem == NULL)
    {
        text = "TV";
    }
    else
    {
        text.Format("%d %s", pTable->FindItem(pItem) + 1, static_cast<LPCSTR>(pItem->Name));
        CVideoDlg& video = GetVideoDlg();
        if (video.m_hWnd != NULL)
        {
            video.SetChannelText(text);
            video.ShowChannelLabel(TRUE);
        }
    }
    if (m_screenTool.m_hWnd != NULL)
        m_screenTool.SetInfoText(text);
    SetPanelText(IDC_PANEL_CHANNEL_TEXT, text);
    ShowChannelInfoBox(pItem);
}

void CControlPanelDlg::ShowScanFrequency(long frequency)
{
    CString text;
    text.Format("FM %g", frequency / 1000.0);
    if (m_screenTool.m_hWnd != NULL)
        m_screenTool.SetInfoText(text);
    SetPanelText(IDC_PANEL_CHANNEL_TEXT, text);
}

void CControlPanelDlg::OnFavouritesOnly()
{
    if (!Engine().IsTunerSource())
        return;
    CChannelTable* pTable = Engine().GetChannelTable();
    pTable->SetFavorOnly(!pTable->m_bFavorOnly);
}

// --- other commands ---

void CControlPanelDlg::OnSnapshot()
{
    if (Engine().IsRadio() || IsBusy())
        return;
    ShowOsdMenu(FALSE);
    BOOL bDone = Engine().TakeSnapshot();
    CString text;
    AfxLoadString(bDone ? IDS_SNAPSHOT_DONE : IDS_SNAPSHOT_FAILED, text);
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
    {
        video.SetNoticeText(text);
        video.ShowNoticeLabel(TRUE);
    }
}

void CControlPanelDlg::CloseWallToCurrentChannel()
{
    if (!m_bWallShown)
        return;
    m_previewWall.Close();
    m_bWallShown = FALSE;
    RetuneCurrentChannel();
}

void CControlPanelDlg::OnPreviewWall()
{
    if (!Engine().IsTVInput() || IsBusy())
        return;
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL && video.IsFullScreen())
        OnFullScreen();
    int nCount = Engine().GetTVTable().GetCount();
    if (nCount < 1)
    {
        MessageBoxRes(IDS_NO_CHANNELS_FOR_WALL, IDS_APP_TITLE, MB_ICONINFORMATION);
        return;
    }
    if (m_previewWall.m_hWnd == NULL)
        return;
    ShowOsdMenu(FALSE);
    m_previewWall.Open(nCount);
    if (video.m_hWnd != NULL)
        video.ShowVideo(FALSE);
    Engine().SetVideoOwner(m_previewWall.m_hWnd);
    m_bHotKeysOn = FALSE;
    ShowVideoCursor();
    ShowWindow(SW_HIDE);
    m_bWallShown = TRUE;
}

LRESULT CControlPanelDlg::OnWallClosed(WPARAM, LPARAM)
{
    m_bWallShown = FALSE;
    m_bHotKeysOn = TRUE;
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
    {
        Engine().SetVideoOwner(video.m_hWnd);
        CRect client;
        video.GetClientRect(&client);
        Engine().SetVideoPosition(client);
        video.ShowVideo(TRUE);
    }
    ShowWindow(SW_SHOW);
    ShowChannelText();
    return 0;
}

void CControlPanelDlg::OnChannelScan()
{
    CTVEngine& engine = Engine();
    if (!engine.IsTunerSource() || engine.IsRecording() || engine.IsTimeShifting() || m_bWallShown)
        return;
    if (engine.IsScanning())
    {
        if (MessageBoxRes(IDS_ASK_STOP_SCAN, IDS_APP_TITLE, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            StopChannelScan();
        return;
    }
    if (MessageBoxRes(IDS_ASK_START_SCAN, IDS_APP_TITLE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    StartChannelScan();
}

BOOL CControlPanelDlg::StartChannelScan()
{
    CTVEngine& engine = Engine();
    engine.SetPlaySourceMute(TRUE, FALSE);
    return engine.StartChannelScan(engine.IsRadio() ? 0 : 1);
}

void CControlPanelDlg::StopChannelScan()
{
    Engine().StopChannelScan();
    SetRecordingButtons(FALSE);
}

void CControlPanelDlg::OnSettings()
{
    CTVEngine& engine = Engine();
    if (engine.IsRecording() || m_pSettingsSheet != NULL || m_bWallShown || engine.IsScanning() ||
        engine.IsTimeShifting())
        return;
    ShowVideoAdjust(FALSE);
    ShowVideoCursor();
    m_bRemoteKeysOn = FALSE;
    m_bHotKeysOn = FALSE;
    RunSettingsSheet();
    engine.SaveChannelFiles();
    engine.SaveSettings();
    m_bRemoteKeysOn = TRUE;
    m_bHotKeysOn = TRUE;
    UpdateControlStates();
    if (engine.IsScanning())
        SetRecordingButtons(TRUE);
}

void CControlPanelDlg::SetNextVideoSource(BOOL bShortMute)
{
    if (IsBusy())
        return;
    CWaitCursor wait;
    if (bShortMute)
        StopPreviewForChange();
    if (!Engine().NextVideoSource())
        return;
    UpdateControlStates();
    CTVEngine& engine = Engine();
    engine.SetBrightness(engine.GetBrightness());
    engine.SetContrast(engine.GetContrast());
    engine.SetSharpness(engine.GetSharpness());
    engine.SetHue(engine.GetHue());
    ShowChannelText();
}

void CControlPanelDlg::OnNextInput()
{
    ShowVideoAdjust(FALSE);
    SetNextVideoSource(TRUE);
}

void CControlPanelDlg::OnMute()
{
    CTVEngine& engine = Engine();
    if (engine.IsTimeShifting())
    {
        BOOL bMuted = FALSE;
        engine.GetHardWare().GetDirectSoundMute(&bMuted);
        engine.GetHardWare().SetDirectSoundMute(!bMuted);
    }
    else
    {
        engine.SetPlaySourceMute(!engine.IsPlaySourceMuted(), TRUE);
    }
    OnIdleUpdate();
}

void CControlPanelDlg::OnMoviePlayer()
{
    CTVEngine& engine = Engine();
    if (engine.IsRecording() || engine.IsTimeShifting() || engine.IsScanning())
        return;
    GetVideoDlg().StartPlayerProgram();
}

void CControlPanelDlg::OnPictureBrowser()
{
    CTVEngine& engine = Engine();
    if (engine.IsRecording() || engine.IsTimeShifting() || engine.IsScanning())
        return;
    GetVideoDlg().StartImageBrowser();
}

void CControlPanelDlg::OnShowPanel()
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
    else
        ShowWindow(IsIconic() ? SW_RESTORE : SW_MINIMIZE);
}

void CControlPanelDlg::OnHelp()
{
    CString path = JoinPath(Engine().GetAppFolder(), "Ondrix.chm");
    INT_PTR result = CSystemActions::Get().StartProgram(m_hWnd, "Open", path, NULL, NULL, SW_SHOWNORMAL);
    if (result < 33)
        MessageBoxRes(IDS_HELP_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
}

void CControlPanelDlg::OnAbout()
{
    if (m_pAboutDlg != NULL)
        return;
    ShowVideoCursor();
    SetVideoCursorAutoHide(FALSE);
    m_bHotKeysOn = FALSE;
    RunAboutDialog();
    m_bHotKeysOn = TRUE;
    SetVideoCursorAutoHide(TRUE);
}

void CControlPanelDlg::OnToolMenu()
{
    CNewMenu& menu = Engine().IsRadio() ? m_fmToolMenu : m_toolMenu;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    CPoint point;
    ::GetCursorPos(&point);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CControlPanelDlg::OnExit()
{
    GetVideoDlg().ExitApp();
}

void CControlPanelDlg::OnSchedule()
{
    m_bHotKeysOn = FALSE;
    RunScheduleDialog();
    m_bHotKeysOn = TRUE;
}

void CControlPanelDlg::OnVideoAdjust()
{
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    ShowVideoAdjust(adjust.m_hWnd == NULL || !adjust.IsWindowVisible());
}

void CControlPanelDlg::OnOsdMenu()
{
    ShowOsdMenu(!IsOsdMenuShown());
}

void CControlPanelDlg::ShowOsdMenu(BOOL bShow)
{
    if (m_osdMenu.m_hWnd == NULL)
        return;
    if (bShow == IsOsdMenuShown())
        return;
    m_osdMenu.ShowMenu(bShow);
}

BOOL CControlPanelDlg::IsOsdMenuShown() const
{
    return m_osdMenu.m_hWnd != NULL && m_osdMenu.IsWindowVisible();
}

void CControlPanelDlg::OnMessenger()
{
    GetVideoDlg().StartMessenger();
}

void CControlPanelDlg::OnRecordFormat(UINT nID)
{
    Engine().SetRecordFormat(static_cast<int>(nID - ID_RECORD_FORMAT_FIRST));
    UpdateMenuChecks();
}

void CControlPanelDlg::OnTopMost()
{
    CVideoDlg& video = GetVideoDlg();
    video.SetTopMost(!video.IsTopMost());
}

void CControlPanelDlg::OnFullScreen()
{
    CVideoDlg& video = GetVideoDlg();
    if (video.IsFullScreen())
        video.ShowNormal();
    else
        video.ShowMaximized();
}

void CControlPanelDlg::OnWindowSize(UINT nID)
{
    if (Engine().IsRecording() || Engine().IsTimeShifting())
        return;
    GetVideoDlg().SetClientSize(nID == ID_SIZE_320 ? CSize(320, 240) : CSize(640, 480));
}

void CControlPanelDlg::ApplyAspect(int x, int y)
{
    if (Engine().IsRecording() || Engine().IsTimeShifting())
        return;
    Engine().GetHardWare().SetVideoRatio(x == 0 ? 1 : x, y == 0 ? 1 : y);
    CVideoDlg& video = GetVideoDlg();
    video.SetAspectRatio(CSize(x, y));
    video.ReapplyAspect();
    RetuneCurrentChannel();
}

void CControlPanelDlg::OnAspect(UINT nID)
{
    switch (nID)
    {
    case ID_ASPECT_4_3:
        ApplyAspect(4, 3);
        break;
    case ID_ASPECT_16_9:
        ApplyAspect(16, 9);
        break;
    default:
        ApplyAspect(0, 0);
        break;
    }
}

void CControlPanelDlg::OnAspectWide() { ApplyAspect(-16, -9); }

void CControlPanelDlg::ApplyFreeAspect()
{
    Engine().GetHardWare().SetVideoRatio(1, 1);
    GetVideoDlg().SetAspectRatio(CSize(1, 1));
    RetuneCurrentChannel();
}

void CControlPanelDlg::OnVolume(UINT nID)
{
    int nVolume = GetVolumePercent() + (nID == ID_VOLUME_UP ? kVolumeStep : -kVolumeStep);
    nVolume = nVolume < 0 ? 0 : (nVolume > 100 ? 100 : nVolume);
    SetVolume(nVolume);
    CString format, text;
    AfxLoadString(IDS_VOLUME, format);
    text = format;
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.ShowVolumeBar(TRUE, text, nVolume);
    OnIdleUpdate();
}

void CControlPanelDlg::OnFMFilter(UINT nID)
{
    Engine().SetFMFilterMode(static_cast<int>(nID - ID_FM_FILTER_FIRST));
    UpdateMenuChecks();
}

void CControlPanelDlg::OnFMCustom()
{
    m_bHotKeysOn = FALSE;
    INT_PTR nResult = RunFMCustomDialog();
    m_bHotKeysOn = TRUE;
    if (nResult != IDOK)
        return;
    CTVEngine& engine = Engine();
    // Custom mode records through the list's current entry; with no entry the plain mode returns.
    if (engine.GetFMCustomList().GetCount() == 0 || !engine.SetFMFilterMode(3))
        engine.SetFMFilterMode(0);
    UpdateMenuChecks();
}

void CControlPanelDlg::OnTimeShift(UINT nID)
{
    switch (nID)
    {
    case ID_TIMESHIFT_START:
        StartTimeShift();
        break;
    case ID_TIMESHIFT_PAUSE:
        ToggleTimeShiftPause();
        break;
    default:
        StopTimeShift();
        break;
    }
}

// --- menus and control states ---

CMenu* CControlPanelDlg::GetContextMenu()
{
    return m_contextMenu.m_hMenu != NULL ? m_contextMenu.GetSubMenu(0) : NULL;
}

void CControlPanelDlg::UpdateMenuChecks()
{
    if (m_contextMenu.m_hMenu == NULL)
        return;
    int nFormat = Engine().GetRecordFormat();
    m_contextMenu.CheckMenuRadioItem(ID_RECORD_FORMAT_FIRST, ID_RECORD_FORMAT_LAST, ID_RECORD_FORMAT_FIRST + nFormat,
                                     MF_BYCOMMAND);
    if (m_fmToolMenu.m_hMenu != NULL)
    {
        int nMode = Engine().GetFMFilterMode();
        m_fmToolMenu.CheckMenuRadioItem(ID_FM_FILTER_FIRST, ID_FM_FILTER_CUSTOM, ID_FM_FILTER_FIRST + nMode,
                                        MF_BYCOMMAND);
    }
}

void CControlPanelDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == NULL)
        return;
    CTVEngine& engine = Engine();
    CVideoDlg& video = GetVideoDlg();
    if (GetContextMenu() != NULL && pPopupMenu->m_hMenu == GetContextMenu()->m_hMenu)
        BuildChannelMenu(pPopupMenu);
    BOOL bVideo = video.m_hWnd != NULL;
    pPopupMenu->EnableMenuItem(ID_SHOW_PANEL, MF_BYCOMMAND | (bVideo ? MF_ENABLED : MF_GRAYED));
    pPopupMenu->CheckMenuItem(ID_SHOW_PANEL,
                              MF_BYCOMMAND | (IsWindowVisible() && !IsIconic() ? MF_CHECKED : MF_UNCHECKED));
    pPopupMenu->CheckMenuItem(ID_MUTE, MF_BYCOMMAND | (engine.IsPlaySourceMuted() ? MF_CHECKED : MF_UNCHECKED));
    pPopupMenu->CheckMenuItem(ID_FULL_SCREEN,
                              MF_BYCOMMAND | (bVideo && video.IsFullScreen() ? MF_CHECKED : MF_UNCHECKED));
    pPopupMenu->CheckMenuItem(ID_TOPMOST, MF_BYCOMMAND | (bVideo && video.IsTopMost() ? MF_CHECKED : MF_UNCHECKED));
    pPopupMenu->EnableMenuItem(ID_NOTHING, MF_BYCOMMAND | MF_GRAYED);
    pPopupMenu->CheckMenuItem(ID_DESKTOP_VIDEO, MF_BYCOMMAND | (engine.GetHardWare().IsDesktopVideo() ? MF_CHECKED : MF_UNCHECKED));
    CSize ratio = bVideo ? video.GetAspectRatio() : CSize(0, 0);
    UINT nAspect = ID_ASPECT_FREE;
    if (ratio == CSize(4, 3))
        nAspect = ID_ASPECT_4_3;
    else if (ratio == CSize(16, 9))
        nAspect = ID_ASPECT_16_9;
    else if (ratio == CSize(-16, -9))
        nAspect = ID_ASPECT_16_9_WIDE;
    const UINT aspects[] = { ID_ASPECT_FREE, ID_ASPECT_4_3, ID_ASPECT_16_9, ID_ASPECT_16_9_WIDE };
    BOOL bSizable = !engine.IsRecording() && !engine.IsTimeShifting();
    for (UINT id : aspects)
        pPopupMenu->CheckMenuItem(id, MF_BYCOMMAND | (id == nAspect ? MF_CHECKED : MF_UNCHECKED));
    const UINT sized[] = { ID_SIZE_320, ID_SIZE_640, ID_ASPECT_FREE, ID_ASPECT_4_3, ID_ASPECT_16_9, ID_ASPECT_16_9_WIDE };
    for (UINT id : sized)
        pPopupMenu->EnableMenuItem(id, MF_BYCOMMAND | (bSizable ? MF_ENABLED : MF_GRAYED));
    BOOL bPausable = engine.IsRecording() && engine.GetRecordFormat() != 0 && engine.GetRecordFormat() != 3;
    pPopupMenu->EnableMenuItem(ID_PAUSE, MF_BYCOMMAND | (bPausable ? MF_ENABLED : MF_GRAYED));
    UpdateMenuChecks();
    if (CNewMenu* pNewMenu = dynamic_cast<CNewMenu*>(pPopupMenu))
        pNewMenu->OnInitMenuPopup(m_hWnd);
}

void CControlPanelDlg::BuildChannelMenu(CMenu* pMenu)
{
    CNewMenu* pNewMenu = dynamic_cast<CNewMenu*>(pMenu);
    // Everything above the first channel command is the previous listing.
    while (pMenu->GetMenuItemCount() > 0 && pMenu->GetMenuItemID(0) != ID_CHANNEL_NEXT)
    {
        if (pNewMenu != NULL)
            pNewMenu->DeleteMenu(0, MF_BYPOSITION);
        else
            pMenu->DeleteMenu(0, MF_BYPOSITION);
    }
    m_channelMenuItems.RemoveAll();

    CTVEngine& engine = Engine();
    CChannelTable* pTable = engine.GetChannelTable();
    BOOL bTuner = engine.IsTunerSource();
    UINT nGray = (!bTuner || engine.IsRecording() || engine.IsTimeShifting() || engine.IsScanning()) ? MF_GRAYED : 0;
    CString caption;
    AfxLoadString(bTuner ? IDS_CHANNEL_MENU : IDS_CHANNEL_MENU_NO_TUNER, caption);

    CPtrArray subMenus;
    CMenu* pSub = NULL;
    if (bTuner)
    {
        CChannelItem* pCurrent = pTable->GetCurrentChannel();
        for (int i = 0; i < pTable->GetCount(); ++i)
        {
            CChannelItem* pItem = pTable->GetChannel(i);
            if (!pItem->IsVisible() || (pTable->m_bFavorOnly && !pItem->IsFavorite()))
                continue;
            int nEntry = static_cast<int>(m_channelMenuItems.GetSize());
            if (nEntry % kChannelsPerSubMenu == 0)
            {
                if (subMenus.GetSize() == kChannelSubMenus)
                    break;
                pSub = new CNewMenu;
                pSub->CreatePopupMenu();
                subMenus.Add(pSub);
            }
            CString text;
            text.Format("%d.%s", i + 1, static_cast<LPCSTR>(pItem->Name));
            static_cast<CNewMenu*>(pSub)->AppendMenu(MF_STRING | nGray | (pItem == pCurrent ? MF_CHECKED : 0),
                                                     ID_CHANNEL_FIRST + nEntry, text);
            m_channelMenuItems.Add(pItem);
        }
    }
    if (subMenus.GetSize() == 0)
    {
        pSub = new CNewMenu;
        pSub->CreatePopupMenu();
        CString none;
        AfxLoadString(IDS_NO_CHANNEL, none);
        static_cast<CNewMenu*>(pSub)->AppendMenu(MF_STRING | MF_GRAYED, 0, none);
        subMenus.Add(pSub);
    }
    UINT nPosition = 0;
    for (int i = 0; i < subMenus.GetSize(); ++i)
    {
        CNewMenu* pChannels = static_cast<CNewMenu*>(subMenus[i]);
        CString title = caption;
        if (i > 0)
            title.Format("%s %d", static_cast<LPCSTR>(caption), i + 1);
        UINT nFlags = MF_BYPOSITION | MF_POPUP | (bTuner ? 0 : MF_GRAYED);
        if (pNewMenu != NULL)
            pNewMenu->InsertMenu(nPosition++, nFlags, reinterpret_cast<UINT_PTR>(pChannels->m_hMenu), title);
        else
            pMenu->InsertMenu(nPosition++, nFlags, reinterpret_cast<UINT_PTR>(pChannels->m_hMenu), title);
        // The menu item owns the handle now; the object only carried it.
        pChannels->Detach();
        delete pChannels;
    }
    if (pNewMenu != NULL)
        pNewMenu->InsertMenu(nPosition, MF_BYPOSITION | MF_SEPARATOR);
    else
        pMenu->InsertMenu(nPosition, MF_BYPOSITION | MF_SEPARATOR);
}

void CControlPanelDlg::UpdateControlStates()
{
    CTVEngine& engine = Engine();
    BOOL bTuner = engine.IsTunerSource();
    HWND hFavourites = ::GetDlgItem(m_hWnd, ID_FAVOURITES_ONLY);
    if (hFavourites != NULL)
        ::ShowWindow(hFavourites, bTuner ? SW_SHOW : SW_HIDE);
    SetRecordingButtons(engine.IsRecording() || engine.IsScanning());
    UpdatePauseButton();
    ShowTimeShiftState();
    ShowChannelText();
}

void CControlPanelDlg::OnIdleUpdate()
{
    CTVEngine& engine = Engine();
    BOOL bMuted = FALSE;
    int nVolume = 50;
    if (engine.IsTimeShifting())
        engine.GetHardWare().GetDirectSoundMute(&bMuted);
    else
        bMuted = engine.IsPlaySourceMuted();
    nVolume = GetVolumePercent();
    SetButtonCheck(ID_MUTE, bMuted);
    HWND hSlider = ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME);
    if (hSlider != NULL)
    {
        ::SendMessageA(hSlider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        BOOL bVertical = (::GetWindowLongA(hSlider, GWL_STYLE) & TBS_VERT) != 0;
        ::SendMessageA(hSlider, TBM_SETPOS, TRUE, bVertical ? 100 - nVolume : nVolume);
    }
    if (m_screenTool.m_hWnd != NULL)
    {
        m_screenTool.SetMuteCheck(bMuted);
        m_screenTool.Volume().SetPos(nVolume);
        m_screenTool.SetRecordCheck(engine.IsRecording());
    }
    HWND hFavourites = ::GetDlgItem(m_hWnd, ID_FAVOURITES_ONLY);
    if (hFavourites != NULL)
        ::ShowWindow(hFavourites, engine.IsTunerSource() ? SW_SHOW : SW_HIDE);
}

// --- shut-down ---

void CControlPanelDlg::ShutDown()
{
    Timing_CancelItem(0);
    CTVEngine& engine = Engine();
    engine.SetPlaySourceMute(TRUE, FALSE);
    if (engine.IsTimeShifting())
        StopTimeShift();
    ShowOsdMenu(FALSE);
    CloseSettingsSheet();
    if (m_pAboutDlg != NULL && m_pAboutDlg->m_hWnd != NULL)
        m_pAboutDlg->SendMessage(WM_CLOSE);
    ShowWindow(SW_HIDE);
    ShowVideoAdjust(FALSE);
    if (engine.IsRecording())
    {
        StopRecording(TRUE);
        m_nTaskState = TASK_NONE;
    }
    else if (engine.IsScanning())
    {
        engine.StopChannelScan();
    }
    engine.StopGraphForRadio(FALSE);
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.ShowVideo(FALSE);
    engine.SetPlaySourceMute(FALSE, FALSE);
    CDialog::OnOK();
}

// The control panel's timed and task-driven work: recordings started, split, paused and stopped by
// the user or by a scheduled item, the short mute around channel changes, the timed shut-down with
// its count-down, and the panel's timers.
#include "ui/ControlPanelDlg.h"

#include "platform/standins/tamblin/Tamblin.h"
#include "resources/ResourceIds.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "foundation/Trace.h"

namespace
{
const UINT kSoundRestoreMs = 600;
const UINT kClockMs = 1000;
const UINT kRecordIndicatorMs = 1200;
const UINT kRecordButtonMs = 1000;

CTVEngine& Engine() { return *g_pTVEngine; }
}  // namespace

void CControlPanelDlg::StopPreviewForChange()
{
    CTVEngine& engine = Engine();
    if (engine.IsTimeShifting())
        return;
    if (!m_bSoundRestorePending)
    {
        m_bSoundRestorePending = TRUE;
        m_bRememberedMute = engine.IsPlaySourceMuted();
    }
    engine.SetPlaySourceMute(TRUE, TRUE);
    Wait(100);
    SetTimer(TIMER_SOUND_RESTORE, kSoundRestoreMs, NULL);
}

void CControlPanelDlg::StopSoundRestore()
{
    KillTimer(TIMER_SOUND_RESTORE);
    m_bSoundRestorePending = FALSE;
}

void CControlPanelDlg::StartClock()
{
    UpdateClock();
    SetTimer(TIMER_CLOCK, kClockMs, NULL);
}

void CControlPanelDlg::UpdateClock()
{
    CString text;
    if (Engine().IsRecording())
        text.Format("%02d:%02d:%02d", m_nElapsedSeconds / 3600, m_nElapsedSeconds / 60 % 60, m_nElapsedSeconds % 60);
    else
        text = Now().Format("%H:%M:%S");
    SetPanelText(IDC_PANEL_CLOCK, text);
}

void CControlPanelDlg::OnTimer(UINT_PTR nIDEvent)
{
    CTVEngine& engine = Engine();
    switch (nIDEvent)
    {
    case TIMER_SOUND_RESTORE:
        KillTimer(TIMER_SOUND_RESTORE);
        if (m_bSoundRestorePending)
        {
            m_bSoundRestorePending = FALSE;
            engine.SetPlaySourceMute(m_bRememberedMute, TRUE);
        }
        break;
    case TIMER_CLOCK:
        if (engine.IsRecording() && !engine.IsRecordPaused())
            ++m_nElapsedSeconds;
        UpdateClock();
        break;
    case TIMER_SHUTDOWN:
        ShutdownStep();
        break;
    case TIMER_RECORD_INDICATOR:
        m_bIndicatorToggle = !m_bIndicatorToggle;
        if (!engine.IsRecording())
        {
            KillTimer(TIMER_RECORD_INDICATOR);
            if (GetVideoDlg().m_hWnd != NULL)
                GetVideoDlg().ShowRecordLabel(FALSE);
        }
        else if (m_bIndicatorToggle)
        {
            ShowRecordingText();
        }
        else if (GetVideoDlg().m_hWnd != NULL)
        {
            GetVideoDlg().ShowRecordLabel(FALSE);
        }
        break;
    case TIMER_NUMBER_ENTRY:
        ApplyChannelNumber();
        break;
    case TIMER_RECORD_BUTTON:
        KillTimer(TIMER_RECORD_BUTTON);
        m_nRecordButtonTimer = 0;
        EnableButton(ID_RECORD, TRUE);
        break;
    case TIMER_RECORD_LENGTH:
        OnRecordLengthCheck();
        break;
    case TIMER_TIMESHIFT_POSITION:
        OnTimeShiftPosition();
        break;
    default:
        CDialog::OnTimer(nIDEvent);
        break;
    }
}

// --- recording ---

void CControlPanelDlg::ShowRecordingText()
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd == NULL)
        return;
    CString text;
    if (Engine().IsRecordPaused())
    {
        AfxLoadString(IDS_RECORD_PAUSED, text);
    }
    else
    {
        CString recording, separator, format;
        AfxLoadString(IDS_RECORDING, recording);
        AfxLoadString(IDS_RECORDING_FORMAT_SEPARATOR, separator);
        format = Engine().GetRecordFormatNames().GetName(Engine().GetRecordFormat());
        text = recording + separator + format;
    }
    video.SetRecordText(text);
    video.ShowRecordLabel(TRUE);
}

void CControlPanelDlg::StartRecordIndicator()
{
    m_bIndicatorToggle = TRUE;
    if (Engine().IsRecording())
        ShowRecordingText();
    else if (GetVideoDlg().m_hWnd != NULL)
        GetVideoDlg().ShowRecordLabel(FALSE);
    SetTimer(TIMER_RECORD_INDICATOR, kRecordIndicatorMs, NULL);
}

void CControlPanelDlg::SetRecordTimer(int nSeconds)
{
    m_nRecordTimerSeconds = nSeconds < 1 ? 1 : nSeconds;
    SetTimer(TIMER_RECORD_LENGTH, static_cast<UINT>(m_nRecordTimerSeconds) * 1000, NULL);
}

void CControlPanelDlg::StartUserRecording()
{
    CTVEngine& engine = Engine();
    ShowOsdMenu(FALSE);
    if (engine.StartRecord())
    {
        m_recordStart = Now();
        m_nElapsedSeconds = 0;
        m_nTaskState = TASK_USER;
        SetRecordTimer(1);
        SetRecordingButtons(TRUE);
    }
    else
    {
        RetuneCurrentChannel();
        CString root;
        UINT nText = IDS_DISK_FULL;
        if (!engine.IsDiskFull() && (engine.GetRecordDisk(root), root.IsEmpty()))
            nText = IDS_NO_RECORD_DISK;
        MessageBoxRes(nText, IDS_APP_TITLE, MB_ICONINFORMATION);
        SetRecordingButtons(FALSE);
    }
    UpdatePauseButton();
}

// Every path that ends a recording comes here; the callers set the task state.
void CControlPanelDlg::StopRecording(BOOL bResetButtons)
{
    CTVEngine& engine = Engine();
    StopPreviewForChange();
    if (bResetButtons)
        SetRecordingButtons(FALSE);
    KillTimer(TIMER_RECORD_INDICATOR);
    KillTimer(TIMER_RECORD_LENGTH);
    engine.StopRecord();
    m_bPaused = FALSE;
    UpdatePauseButton();
    if (bResetButtons)
        UpdateControlStates();
    if (engine.IsTunerSource())
    {
        RetuneCurrentChannel();
        Wait(300);
    }
}

void CControlPanelDlg::StopScheduledTask()
{
    if (Engine().IsRecording())
        StopRecording(TRUE);
    Timing_CancelItem(0);
    m_nTaskState = TASK_NONE;
    m_bShutdownAfterTask = FALSE;
    StopSoundRestore();
    Engine().SetPlaySourceMute(m_bTaskMute, TRUE);
}

void CControlPanelDlg::OnRecord()
{
    CTVEngine& engine = Engine();
    if (!engine.IsTunerSource())
    {
        SetButtonCheck(ID_RECORD, engine.IsRecording());
        return;
    }
    if (m_nTaskState == TASK_SCHEDULED)
    {
        StopScheduledTask();
    }
    else if (engine.IsTimeShifting())
    {
        OnTimeShift(ID_TIMESHIFT_STOP);
    }
    else
    {
        if (m_nRecordButtonTimer != 0)
            return;
        CWaitCursor wait;
        CloseWallToCurrentChannel();
        if (!engine.IsRecording())
        {
            StartUserRecording();
        }
        else
        {
            StopRecording(TRUE);
            m_nTaskState = TASK_NONE;
        }
        if (engine.IsRecording())
            ShowRecordingText();
        else if (GetVideoDlg().m_hWnd != NULL)
            GetVideoDlg().ShowRecordLabel(FALSE);
        StartRecordIndicator();
        EnableButton(ID_RECORD, FALSE);
        m_nRecordButtonTimer = SetTimer(TIMER_RECORD_BUTTON, kRecordButtonMs, NULL);
    }
    // A click on the two-state button flips it whether or not anything happened.
    SetButtonCheck(ID_RECORD, engine.IsRecording());
    HWND hActive = ::GetActiveWindow();
    if (hActive != NULL)
        ::SetFocus(hActive);
}

void CControlPanelDlg::OnCancelTask()
{
    if (m_nTaskState == TASK_SCHEDULED)
        StopScheduledTask();
    CloseWallToCurrentChannel();
    if (m_nTaskState == TASK_USER)
    {
        StopRecording(TRUE);
        m_nTaskState = TASK_NONE;
    }
}

void CControlPanelDlg::ReleaseDevice()
{
    if (m_nTaskState == TASK_SCHEDULED)
        StopScheduledTask();
    else if (Engine().IsRecording())
        StopRecording(TRUE);
    m_nTaskState = TASK_NONE;
}

void CControlPanelDlg::SetRecordingButtons(BOOL bRecording)
{
    CTVEngine& engine = Engine();
    BOOL bEnable = !bRecording;
    const UINT channelButtons[] = { ID_SCHEDULE, ID_CHANNEL_SCAN, ID_CHANNEL_NEXT, ID_CHANNEL_PREV, ID_CHANNEL_LAST };
    if (engine.IsTVInput())
    {
        EnableButton(ID_PREVIEW_WALL, bEnable);
        for (UINT id : channelButtons)
            EnableButton(id, bEnable);
    }
    else if (engine.IsRadio())
    {
        EnableButton(ID_PREVIEW_WALL, FALSE);
        for (UINT id : channelButtons)
            EnableButton(id, bEnable);
    }
    else
    {
        EnableButton(ID_PREVIEW_WALL, FALSE);
        EnableButton(ID_CHANNEL_SCAN, FALSE);
        EnableButton(ID_SCHEDULE, FALSE);
    }
    if (m_contextMenu.m_hMenu != NULL)
        m_contextMenu.EnableMenuItem(ID_DESKTOP_VIDEO,
                                     MF_BYCOMMAND | (engine.IsTVInput() && bEnable ? MF_ENABLED : MF_GRAYED));
    const UINT common[] = { ID_SETTINGS,     ID_NEXT_INPUT, ID_SNAPSHOT,       ID_PICTURE_BROWSER,
                            ID_MOVIE_PLAYER, ID_TOOL_MENU,  ID_TIMESHIFT_START };
    for (UINT id : common)
        EnableButton(id, bEnable);
    SetButtonCheck(ID_RECORD, engine.IsRecording());
    if (!engine.IsRecording())
        SetButtonCheck(ID_PAUSE, FALSE);
    if (m_screenTool.m_hWnd != NULL)
        m_screenTool.SetRecordCheck(engine.IsRecording());
    ShowOsdMenu(FALSE);
}

void CControlPanelDlg::UpdatePauseButton()
{
    CTVEngine& engine = Engine();
    int nFormat = engine.GetRecordFormat();
    BOOL bPausable = engine.IsRecording() && nFormat != 0 && nFormat != 3;
    EnableButton(ID_PAUSE, bPausable);
    SetButtonCheck(ID_PAUSE, engine.IsRecording() && engine.IsRecordPaused());
}

void CControlPanelDlg::OnPause()
{
    CTVEngine& engine = Engine();
    if (engine.IsTimeShifting())
    {
        OnTimeShift(ID_TIMESHIFT_PAUSE);
        return;
    }
    int nFormat = engine.GetRecordFormat();
    if (!engine.IsRecording() || nFormat == 0 || nFormat == 3)
    {
        UpdatePauseButton();
        return;
    }
    engine.PauseRecord(!engine.IsRecordPaused());
    m_bPaused = engine.IsRecordPaused();
    ShowRecordingText();
    UpdatePauseButton();
    StartRecordIndicator();
}

void CControlPanelDlg::ForgetEndedTask()
{
    if (m_nTaskState == TASK_NONE || Engine().IsRecording())
        return;
    // The recording ended without the panel (the controller stopped it): a task state left
    // behind would refuse every later scheduled item.
    if (m_nTaskState == TASK_SCHEDULED)
        Timing_CancelItem(0);
    m_nTaskState = TASK_NONE;
    m_bShutdownAfterTask = FALSE;
    SetRecordingButtons(FALSE);
    UpdatePauseButton();
}

void CControlPanelDlg::OnRecordLengthCheck()
{
    CTVEngine& engine = Engine();
    KillTimer(TIMER_RECORD_LENGTH);
    if (!engine.IsRecording())
    {
        ForgetEndedTask();
        return;
    }
    LONGLONG elapsed = (Now() - m_recordStart).GetTotalSeconds();
    LONGLONG remaining = static_cast<LONGLONG>(engine.GetMaxLength()) * 60 - elapsed;
    if (elapsed < 0 || remaining < 2)
    {
        int nTask = m_nTaskState;
        StopRecording(FALSE);
        m_nTaskState = TASK_NONE;
        if (engine.ExcessLength)
        {
            // The recording ends here: a scheduled item ends with it.
            if (nTask == TASK_SCHEDULED)
                Timing_CancelItem(0);
            SetRecordingButtons(FALSE);
            UpdateControlStates();
            return;
        }
        Wait(100);
        StartUserRecording();
        if (engine.IsRecording())
        {
            SetRecordTimer(1);
            StartRecordIndicator();
            m_nTaskState = nTask;
        }
        return;
    }
    LONGLONG next = (remaining < 60 ? remaining : 60) / 2;
    SetRecordTimer(static_cast<int>(next));
}

LRESULT CControlPanelDlg::OnLowDiskSpace(WPARAM wParam, LPARAM lParam)
{
    CTVEngine& engine = Engine();
    LPCSTR pszRoot = reinterpret_cast<LPCSTR>(wParam);
    if (pszRoot == NULL || engine.GetCurDisk().CompareNoCase(pszRoot) != 0 ||
        lParam > engine.GetReservedSpace())
        return 0;
    CDriveInfo* pDrive = engine.FindDiskWithSpace(engine.GetCurDisk());
    if (pDrive == NULL)
    {
        if (m_nTaskState == TASK_SCHEDULED)
            ScheduledStop();
        else if (engine.IsRecording())
        {
            StopRecording(TRUE);
            m_nTaskState = TASK_NONE;
        }
        return 0;
    }
    CString path = pDrive->GetRoot();
    if (!engine.GetVideoFolder().IsEmpty())
        path = JoinPath(path, engine.GetVideoFolder());
    engine.SetRecordPath(path);
    if (m_nTaskState == TASK_USER)
    {
        StopRecording(FALSE);
        m_nTaskState = TASK_NONE;
        if (!engine.NoSpace)
        {
            Wait(100);
            StartUserRecording();
        }
    }
    else if (m_nTaskState == TASK_SCHEDULED)
    {
        StopPreviewForChange();
        StopRecording(FALSE);
        m_nTaskState = TASK_NONE;
        if (!engine.NoSpace)
        {
            Wait(100);
            if (engine.StartRecord())
            {
                engine.SetFrequency(engine.IsRadio(), m_lTaskFrequency);
                m_nTaskState = TASK_SCHEDULED;
                m_recordStart = Now();
                SetRecordTimer(1);
            }
            else
            {
                Timing_CancelItem(0);
                SetRecordingButtons(FALSE);
            }
        }
        else
        {
            Timing_CancelItem(0);
            SetRecordingButtons(FALSE);
        }
    }
    StartRecordIndicator();
    return 0;
}

// --- scheduled items ---

LRESULT CControlPanelDlg::OnSchedulerEvent(WPARAM wParam, LPARAM lParam)
{
    HTIMINGITEM hItem = reinterpret_cast<HTIMINGITEM>(wParam);
    _tagTimingParam timing = {};
    _tagExcuteParam excute = {};
    Timing_GetItemTimingParam(hItem, &timing);
    Timing_GetItemExcuteParam(hItem, &excute, sizeof(excute));
    DebugHelperTrace("scheduler event %ld: %04ld-%02ld-%02ld %02ld:%02ld:%02ld length %ld once %ld week %ld; record %ld "
          "source %lu channel %ld frequency %ld shut down %d mute %d",
          static_cast<long>(lParam), timing.nYear, timing.nMonth, timing.nDay, timing.nHour, timing.nMinute,
          timing.nSecond, timing.lLength, timing.bExcuteOnce, timing.nWeekMask, excute.lRecordLength,
          excute.dwSource, excute.nChannel, excute.lFreq, excute.bShutDown, excute.bMute);
    switch (lParam)
    {
    case TIMING_EVENT_STARTED:
        ForgetEndedTask();
        if (m_nTaskState != TASK_NONE)
        {
            // A recording task runs: the new item does not take over.
            Timing_CancelItem(0);
            break;
        }
        ScheduledStart(excute);
        break;
    case TIMING_EVENT_STOPPED:
        if (m_nTaskState == TASK_SCHEDULED)
            ScheduledStop();
        break;
    default:
        break;
    }
    return 0;
}

void CControlPanelDlg::ScheduledStart(const _tagExcuteParam& excute)
{
    CTVEngine& engine = Engine();
    if (engine.IsDeviceMissing() || engine.IsTimeShifting())
        return;
    m_bTaskMute = engine.IsPlaySourceMuted();
    StopPreviewForChange();
    CloseWallToCurrentChannel();
    CloseSettingsSheet();
    engine.SaveChannelFiles();
    engine.SaveSettings();
    m_bHotKeysOn = TRUE;
    UpdateControlStates();
    ShowOsdMenu(FALSE);
    int nSource = static_cast<int>(excute.dwSource);
    if (nSource != engine.GetInputSource())
    {
        engine.SetVideoSource(nSource);
        EnableButton(ID_RECORD, nSource != CTVEngine::SOURCE_AV && nSource != CTVEngine::SOURCE_SV);
        UpdateControlStates();
    }
    if (nSource == CTVEngine::SOURCE_TV || nSource == CTVEngine::SOURCE_FM)
    {
        engine.MuteMasterOutput(TRUE);
        // The item's band: the radio's frequency is looked up in the FM table.
        CChannelTable& table = nSource == CTVEngine::SOURCE_FM ? engine.GetFMTable() : engine.GetTVTable();
        CChannelItem* pItem = table.GetChannel(table.FindIndexByFrequency(excute.lFreq));
        if (pItem != NULL)
            table.SetCurrentChannel(pItem);
        Wait(500);
        engine.MuteMasterOutput(FALSE);
        m_lTaskFrequency = excute.lFreq;
        ShowChannelText();
    }
    if (excute.lRecordLength == 1)
        return;
    SetButtonCheck(ID_RECORD, TRUE);
    if (!engine.StartRecord())
    {
        // Nothing records: the task is over before it began.
        SetButtonCheck(ID_RECORD, FALSE);
        Timing_CancelItem(0);
        m_nTaskState = TASK_NONE;
        return;
    }
    m_nTaskState = TASK_SCHEDULED;
    SetRecordingButtons(TRUE);
    ShowRecordingText();
    m_recordStart = Now();
    m_nElapsedSeconds = 0;
    StartRecordIndicator();
    SetRecordTimer(1);
    UpdatePauseButton();
    StopSoundRestore();
    engine.SetPlaySourceMute(excute.bMute, TRUE);
    m_bShutdownAfterTask = excute.bShutDown;
}

void CControlPanelDlg::ScheduledStop()
{
    CTVEngine& engine = Engine();
    if (!engine.IsDeviceMissing())
    {
        StopPreviewForChange();
        engine.MuteMasterOutput(TRUE);
        if (engine.IsRecording())
            StopRecording(TRUE);
        engine.MuteMasterOutput(FALSE);
        Wait(500);
        // The line goes back to its state from before the item; a pending restore would undo that.
        StopSoundRestore();
        engine.SetPlaySourceMute(m_bTaskMute, TRUE);
    }
    BOOL bShutDown = m_bShutdownAfterTask;
    m_nTaskState = TASK_NONE;
    m_bShutdownAfterTask = FALSE;
    if (GetVideoDlg().m_hWnd != NULL)
        GetVideoDlg().ShowRecordLabel(FALSE);
    if (bShutDown)
        RunShutdownCountDown();
}

// --- timed shut-down ---

void CControlPanelDlg::StartShutdownTimer(int nSeconds)
{
    m_nShutdownTimerSeconds = nSeconds < 1 ? 1 : nSeconds;
    SetTimer(TIMER_SHUTDOWN, static_cast<UINT>(m_nShutdownTimerSeconds) * 1000, NULL);
}

void CControlPanelDlg::SetShutdownTime(const CTime& time, BOOL bEnable)
{
    m_bShutdownArmed = bEnable;
    if (!bEnable)
    {
        KillTimer(TIMER_SHUTDOWN);
        m_nShutdownTimerSeconds = 0;
        return;
    }
    CTime now = Now();
    m_shutdownTime = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), time.GetHour(), time.GetMinute(),
                           time.GetSecond());
    ShutdownStep();
}

void CControlPanelDlg::ShutdownStep()
{
    KillTimer(TIMER_SHUTDOWN);
    if (!m_bShutdownArmed)
        return;
    for (;;)
    {
        CTime now = Now();
        LONGLONG diff = (m_shutdownTime - now).GetTotalSeconds();
        if (diff < 0)
        {
            BOOL bToday = m_shutdownTime.GetYear() == now.GetYear() && m_shutdownTime.GetMonth() == now.GetMonth() &&
                          m_shutdownTime.GetDay() == now.GetDay();
            if (bToday)
            {
                // Passed today: look again at the end of the day, at least once a minute.
                int nToMidnight = (59 - now.GetMinute()) * 60 + (59 - now.GetSecond());
                StartShutdownTimer(nToMidnight < 60 ? nToMidnight : 60);
                return;
            }
            m_shutdownTime = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), m_shutdownTime.GetHour(),
                                   m_shutdownTime.GetMinute(), m_shutdownTime.GetSecond());
            continue;
        }
        if (diff > 1)
        {
            StartShutdownTimer(static_cast<int>(diff < 60 ? diff : 60));
            return;
        }
        RunShutdownCountDown();
        return;
    }
}

INT_PTR CControlPanelDlg::RunCountDownDialog()
{
    CCountDownDlg dialog(this);
    dialog.SetStartValue(10);
    return dialog.DoModal();
}

void CControlPanelDlg::RunShutdownCountDown()
{
    KillTimer(TIMER_SHUTDOWN);
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL && video.IsFullScreen())
        OnFullScreen();
    if (RunCountDownDialog() != IDOK)
        return;
    GetTVApp()->SetShutdownRequest(TRUE);
    SendMessage(WM_COMMAND, ID_EXIT, 0);
}

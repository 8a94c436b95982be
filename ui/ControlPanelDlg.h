#pragma once
#include "platform/afx/Array.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/Time.h"
#include "skin/NewMenu.h"
#include "ui/osd/OSDMenuDlg.h"
#include "ui/osd/PreviewWallWnd.h"
#include "ui/osd/ScreenToolDlg.h"
#include "ui/settings/HotKeyTable.h"
#include "ui/settings/SettingsPanel.h"

class CChannelItem;
class CChannelTable;
class CDialogSkin;
class CMultiSlider;
class CVideoAdjustDlg;

// The skinned control panel: every user command ends in one of its handlers, whether it comes from
// a button, a menu, a hot key or a remote key. It also takes the scheduling library's events, the
// disk watcher's low-space report and the preview wall's close. Before nearly every action it asks
// the controller for its state and refuses silently in the states listed per command.
class CControlPanelDlg : public CDialog,
                         public COSDMenuOwner,
                         public CScreenToolOwner,
                         public CPreviewWallOwner,
                         public CSettingsPanel
{
public:
    enum
    {
        IDD = 102,
        WM_REMOTE_KEY = 0x3981,
        WM_SCHEDULER_EVENT = 0x4C8,
        WM_LOW_DISK_SPACE = 3021,
        WM_RESTORE_PANEL = 3415,
    };
    // The panel's timers.
    enum
    {
        TIMER_SOUND_RESTORE = 1,
        TIMER_CLOCK = 2,
        TIMER_SHUTDOWN = 3,
        TIMER_RECORD_INDICATOR = 4,
        TIMER_NUMBER_ENTRY = 5,
        TIMER_RECORD_BUTTON = 6,
        TIMER_RECORD_LENGTH = 8,
        TIMER_TIMESHIFT_POSITION = 555,
    };
    // Who started the recording that runs.
    enum
    {
        TASK_NONE = 0,
        TASK_USER = 1,
        TASK_SCHEDULED = 2,
    };

    CControlPanelDlg();
    ~CControlPanelDlg() override;

    BOOL Create(CWnd* pParent);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Start-up steps the video window runs.
    BOOL LoadSkin(LPCSTR pszName) override;
    void UpdateMenuChecks() override;
    void UpdatePauseButton();
    void UpdateControlStates() override;
    void ApplyFreeAspect();
    void StartClock();
    void StopSoundRestore();

    // The video window's idle refresh: buttons and sliders follow the controller's state.
    void OnIdleUpdate();
    // The exit path's work before the controller stops its graphs.
    void ShutDown();

    // Channel changes and their texts.
    void StopPreviewForChange() override;
    void ShowChannelText();
    void ShowScanFrequency(long frequency);
    // CSettingsPanel: the settings pages change channels and scan through the panel.
    void ShowChannelText(CChannelItem* pItem) override;
    BOOL StartChannelScan() override;
    void StopChannelScan() override;
    BOOL IsWallShown() const { return m_bWallShown; }

    // Remote keys and the channel-number entry.
    LRESULT OnRemoteKey(WPARAM wParam, LPARAM lParam);
    BOOL OnDigit(int digit);
    void ApplyChannelNumber();
    void CancelNumberEntry();
    void ToggleNumberMode();
    int GetNumberMode() const { return m_nNumberMode; }
    void EnableRemoteKeys(BOOL bEnable) { m_bRemoteKeysOn = bEnable; }

    void EnableButton(UINT nID, BOOL bEnable);
    // The text of a label and the state of a two-state button, skinned or not.
    CString GetPanelText(UINT nID);
    BOOL IsButtonChecked(UINT nID);
    // Another program takes the card: a running recording, the user's or a scheduled one, stops.
    void ReleaseDevice();

    // Recording and scheduled tasks.
    void SetRecordingButtons(BOOL bRecording) override;
    int GetTaskState() const { return m_nTaskState; }
    const CTime& GetRecordStartTime() const { return m_recordStart; }
    void SetShutdownTime(const CTime& time, BOOL bEnable);
    BOOL IsShutdownArmed() const { return m_bShutdownArmed; }
    const CTime& GetShutdownTime() const { return m_shutdownTime; }
    // Seconds of the next tick of the timed shut-down's timer 3 and of the length check's timer 8.
    int GetShutdownTimerSeconds() const { return m_nShutdownTimerSeconds; }
    int GetRecordTimerSeconds() const { return m_nRecordTimerSeconds; }
    void RunShutdownCountDown();

    // Time shift.
    void StartTimeShift();
    void ToggleTimeShiftPause();
    void StopTimeShift();
    // Seconds counted since time shift started (the length check of the position timer).
    int GetTimeShiftSeconds() const { return m_nTimeShiftSeconds; }

    // The docked video-adjust dialog.
    void ShowVideoAdjust(BOOL bShow) override;
    void ShowPanel(BOOL bShow) override
    {
        if (m_hWnd != NULL)
            ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
    // The modal dialogs that run now: the settings sheet and the About dialog.
    CWnd* GetOpenSettingsSheet() const { return m_pSettingsSheet; }
    int GetSettingsPage() const { return m_nSettingsPage; }

    // Hot keys.
    void EnableHotKeys(BOOL bEnable) override { m_bHotKeysOn = bEnable; }
    CHotKeyTable& GetHotKeyTable() override { return m_hotKeys; }
    void LoadHotKeys() override;

    // The OSD menu host and the windows around the video.
    COSDMenuDlg& GetOsdMenu() { return m_osdMenu; }
    CScreenToolDlg& GetScreenTool() { return m_screenTool; }
    CPreviewWallWnd& GetPreviewWall() { return m_previewWall; }
    void ShowOsdMenu(BOOL bShow);
    BOOL IsOsdMenuShown() const;
    CMenu* GetContextMenu();
    void BuildChannelMenu(CMenu* pMenu);
    int GetChannelMenuCount() const { return static_cast<int>(m_channelMenuItems.GetSize()); }

    // COSDMenuOwner.
    void OnRecordFormatChanged() override { UpdateMenuChecks(); }
    void OnShutdownArmed(const CTime& time) override { SetShutdownTime(time, TRUE); }
    void ShowNotice(UINT textId) override;
    // CScreenToolOwner.
    void Snapshot() override { OnSnapshot(); }
    void OpenPreviewWall() override { OnPreviewWall(); }
    void ToggleRecording() override { OnRecord(); }
    void PrevChannel() override { OnChannelPrev(); }
    void NextChannel() override { OnChannelNext(); }
    void SetMute(BOOL mute) override;
    void SetVolume(int volume) override;
    HWND KeyTarget() override { return m_hWnd; }

protected:
    // What the panel does beside its own windows; tests replace these.
    virtual void Wait(DWORD ms) { ::Sleep(ms); }
    virtual CTime Now() { return CTime::GetCurrentTime(); }
    virtual int MessageBoxRes(UINT nTextId, UINT nCaptionId, UINT uFlags);
    virtual INT_PTR RunCountDownDialog();
    // Windows that live outside the panel and are opened from it.
    virtual void RunSettingsSheet();
    virtual void RunScheduleDialog();
    virtual INT_PTR RunFMCustomDialog();
    virtual void RunAboutDialog();
    void CloseSettingsSheet();
    // The video window's cursor: shown, and whether it hides by itself after a while.
    void ShowVideoCursor();
    void SetVideoCursorAutoHide(BOOL bAutoHide);

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override {}

    void OnPaint();
    HCURSOR OnQueryDragIcon() { return m_hIcon; }
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT, short, CPoint) { return TRUE; }
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose() { OnExit(); }
    void OnDestroy();
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnLowDiskSpace(WPARAM wParam, LPARAM lParam);
    LRESULT OnWallClosed(WPARAM wParam, LPARAM lParam);
    LRESULT OnSchedulerEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimeChange(WPARAM wParam, LPARAM lParam);

    // Commands.
    void OnChannelNext();
    void OnChannelPrev();
    void OnChannelLast();
    void OnSnapshot();
    void OnRecord();
    void OnPreviewWall();
    void OnChannelScan();
    void OnSettings();
    void OnNextInput();
    void OnFavouritesOnly();
    void OnMute();
    void OnMoviePlayer();
    void OnPictureBrowser();
    void OnShowPanel();
    void OnHelp();
    void OnAbout();
    void OnToolMenu();
    void OnExit();
    void OnVideoAdjust();
    void OnPause();
    void OnSchedule();
    void OnOsdMenu();
    void OnNextSkin();
    void OnMessenger();
    void OnCancelTask();
    void OnRecordFormat(UINT nID);
    void OnChannelMenu(UINT nID);
    void OnTopMost();
    void OnFullScreen();
    void OnWindowSize(UINT nID);
    void OnAspect(UINT nID);
    void OnAspectWide();
    void ApplyAspect(int x, int y);
    void OnVolume(UINT nID);
    void OnFMFilter(UINT nID);
    void OnFMCustom();
    void OnTimeShift(UINT nID);
    DECLARE_MESSAGE_MAP()

    // State tests shared by the commands.
    BOOL IsBusy();
    BOOL CanChangeChannel();
    void StepChannel(BOOL bForward);
    void SelectChannel(CChannelItem* pItem);
    void RetuneCurrentChannel();
    void SetNextVideoSource(BOOL bShortMute);
    void CloseWallToCurrentChannel();

    // Recording.
    void StartUserRecording();
    void StopRecording(BOOL bResetButtons);
    void ShowRecordingText();
    void StartRecordIndicator();
    void StopScheduledTask();
    void ForgetEndedTask();
    void OnRecordLengthCheck();
    void SetRecordTimer(int nSeconds);
    void ScheduledStart(const struct _tagExcuteParam& excute);
    void ScheduledStop();
    void ShutdownStep();
    void StartShutdownTimer(int nSeconds);
    void UpdateClock();
    void ShowDigits(int nMode);

    // Time shift.
    void ShowTimeShiftState();
    void OnTimeShiftPosition();
    void OnTimeShiftPlaced();
    CMultiSlider* GetTimeShiftSlider();

    void SetButtonCheck(UINT nID, BOOL bCheck);
    void SetPanelText(UINT nID, LPCSTR pszText);
    int GetVolumePercent();

    HICON m_hIcon;
    CScreenToolDlg m_screenTool;
    CPreviewWallWnd m_previewWall;
    BOOL m_bSoundRestorePending;
    int m_nRecordTimerSeconds;
    BOOL m_bRememberedMute;
    BOOL m_bTimeShiftMute;
    CTime m_recordStart;
    CDialogSkin* m_pSkin;
    CHotKeyTable m_hotKeys;
    HACCEL m_hAccel;
    BOOL m_bHotKeysOn;
    BOOL m_bRemoteKeysOn;
    int m_nTaskState;
    BOOL m_bShutdownArmed;
    CTime m_shutdownTime;
    int m_nShutdownTimerSeconds;
    UINT_PTR m_nNumberTimer;
    int m_nFirstDigit;
    int m_nSecondDigit;
    int m_nHundredsDigit;
    int m_nNumberMode;
    BOOL m_bIndicatorToggle;
    UINT_PTR m_nRecordButtonTimer;
    CWnd* m_pSettingsSheet;
    CDialog* m_pAboutDlg;
    BOOL m_bShutdownAfterTask;
    BOOL m_bTaskMute;
    long m_lTaskFrequency;
    CNewMenu m_contextMenu;
    CNewMenu m_toolMenu;
    CNewMenu m_fmToolMenu;
    CPtrArray m_channelMenuItems;
    COSDMenuDlg m_osdMenu;
    BOOL m_bWallShown;
    BOOL m_bLastKeyWasWindows;
    int m_nElapsedSeconds;
    BOOL m_bPaused;
    int m_nSettingsPage;
    int m_nTimeShiftVolume;
    int m_nTimeShiftSeconds;

    // Skins, hot keys and the windows docked to the panel (ControlPanelSkin.cpp).
public:
    BOOL LoadColorSkin(LPCSTR pszDescription, LPCSTR pszLibrary);
    void DockVideoAdjust();
    // After the bindings changed: the table is made anew, or there is none without bindings.
    void RebuildAccelerators();
    HACCEL GetAccelerators() const { return m_hAccel; }
    CDialogSkin* GetSkin() const { return m_pSkin; }
    CDialogSkin* GetColorSkin() const { return m_pColorSkin; }

protected:
    void FreeSkins();
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnScreenToolShown(BOOL shown) override;
    void OnDesktopVideo();
    // The video window's channel information box after a channel change, when the setting asks.
    void ShowChannelInfoBox(CChannelItem* pItem);
    CDialogSkin* m_pColorSkin = NULL;
};

// The one control panel of the application.
CControlPanelDlg& GetControlPanel();

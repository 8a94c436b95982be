#include "ui/VideoDlg.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"
#include "ui/ControlPanelDlg.h"
#include "ui/TVApp.h"

BEGIN_MESSAGE_MAP(CVideoDlg, CSkinDialog)
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_MOUSEMOVE()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_WM_SYSCOMMAND()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_QUERYDRAGICON()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_MESSAGE(WM_EXIT_REQUEST, &CVideoDlg::OnExitRequest)
ON_MESSAGE(WM_RELEASE_DEVICE, &CVideoDlg::OnReleaseDevice)
ON_MESSAGE(WM_TAKE_BACK_DEVICE, &CVideoDlg::OnTakeBackDevice)
ON_MESSAGE(WM_REMOTE_KEY, &CVideoDlg::OnRemoteKey)
ON_MESSAGE(WM_SCAN_STEP, &CVideoDlg::OnScanStep)
ON_MESSAGE(WM_SCAN_DONE, &CVideoDlg::OnScanDone)
ON_COMMAND(ID_NOTHING, &CVideoDlg::OnNothing)
ON_COMMAND(ID_DESKTOP_VIDEO, &CVideoDlg::OnDesktopVideo)
ON_MESSAGE(WM_KICKIDLE, &CVideoDlg::OnKickIdle)
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CVideoDlg::CVideoDlg()
    : CSkinDialog(IDD), m_isTopMost(FALSE), m_isMaximized(FALSE), m_hIcon(NULL), m_playerRunning(FALSE),
      m_scanStep(0), m_scanLow(0), m_scanHigh(100), m_cursorTimer(0), m_cursorShown(TRUE), m_cursorAutoHide(TRUE),
      m_desktopVideo(FALSE), m_maximizeActs(TRUE), m_hPanelParent(NULL)
{
}

CVideoDlg::~CVideoDlg() { m_oldChannels.RemoveAll(); }

BOOL CVideoDlg::OnInitDialog()
{
    SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM);
    SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, IDB_CAPTION_MIDDLE);
    SetMinButtonBitmaps(IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED);
    SetMaxButtonBitmaps(IDB_MAX_NORMAL, IDB_MAX_HOVER, IDB_MAX_PRESSED);
    SetCloseButtonBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED);
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CSkinDialog::OnInitDialog();
    ModifyStyle(0, WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU);
    CString title;
    AfxLoadString(IDS_VIDEO_TITLE, title);
    SetWindowText(title);

    // Hidden first: the dialog stands visible at its template size until it is placed.
    ShowWindow(SW_HIDE);
    CreateLabels();
    CTVEngine* pEngine = g_pTVEngine;
    pEngine->GetHardWare().SetVideoWindow(m_hWnd);
    pEngine->SetNotifyWindow(m_hWnd);
    pEngine->SetVideoOwner(m_hWnd);
    CControlPanelDlg& panel = GetControlPanel();
    panel.Create(this);
    panel.LoadSkin(pEngine->GetSkinName());
    RestoreWindowState();
    panel.UpdateMenuChecks();
    panel.UpdatePauseButton();
    pEngine->BuildPreviewGraph();
    panel.UpdateControlStates();
    GetTVApp()->CloseSplash();
    pEngine->GetHardWare().SetCardActive(TRUE);
    panel.ApplyFreeAspect();
    panel.StartClock();
    panel.OnIdleUpdate();
    pEngine->ApplyVideoSettings();
    ShowWindow(SW_SHOW);
    if (pEngine->IsRadio())
    {
        panel.ShowWindow(SW_HIDE);
        panel.PostMessage(CControlPanelDlg::WM_RESTORE_PANEL, 0, 0);
    }
    else
    {
        panel.ShowWindow(SW_SHOW);
    }
    CTVHardWare& hardware = pEngine->GetHardWare();
    if (hardware.HasAudioPin())
    {
        if (hardware.GetTVData())
        {
            hardware.StartTeletextViewer();
            ::Sleep(200);
            hardware.FocusTeletextViewer();
        }
        hardware.SetTVAudioStereo(hardware.GetTVAudioStereo());
        hardware.SetTVAudioLanguage(hardware.GetTVAudioLanguage());
    }
    pEngine->SetCountryCode(pEngine->GetCountryCode());
    CChannelTable* pTable = pEngine->GetChannelTable();
    if (pTable != NULL && pTable->GetCurrentChannel() != NULL)
        pTable->SetCurrentChannel(pTable->GetCurrentChannel());
    panel.StopSoundRestore();
    ::Sleep(100);
    pEngine->MuteMasterOutput(FALSE);
    pEngine->SetPlaySourceMute(pEngine->MuteAudioPlaySrc, TRUE);
    CRect client;
    GetClientRect(&client);
    pEngine->SetVideoPosition(client);
    GetTVApp()->NotifyTray();
    return FALSE;
}

void CVideoDlg::RestoreWindowState()
{
    CTVEngine* pEngine = g_pTVEngine;
    CControlPanelDlg& panel = GetControlPanel();
    if (pEngine->VideoWnd.IsRectEmpty())
    {
        SetClientSize(CSize(640, 480));
        CenterWindow();
        panel.CenterWindow();
        if (!pEngine->IsRadio())
        {
            // The panel goes centred directly below the video window.
            CRect video, rcPanel;
            GetWindowRect(&video);
            panel.GetWindowRect(&rcPanel);
            video.OffsetRect(0, -rcPanel.Height() / 2);
            ::SetWindowPos(m_hWnd, NULL, video.left, video.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            ::SetWindowPos(panel.m_hWnd, NULL, video.left + (video.Width() - rcPanel.Width()) / 2, video.bottom, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    else
    {
        MoveWindow(&pEngine->VideoWnd, TRUE);
        ::SetWindowPos(panel.m_hWnd, NULL, pEngine->ControlLeftTop.x, pEngine->ControlLeftTop.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetAspectRatio(pEngine->VideoRatio);
}

void CVideoDlg::SaveWindowState()
{
    CTVEngine* pEngine = g_pTVEngine;
    pEngine->FullScreen = m_isMaximized;
    pEngine->VideoRatio = GetAspectRatio();
    pEngine->TopMost = m_isTopMost;
    WINDOWPLACEMENT placement = { sizeof(placement) };
    if (GetWindowPlacement(&placement))
        pEngine->VideoWnd = placement.rcNormalPosition;
}

void CVideoDlg::SetClientSize(CSize size)
{
    WINDOWPLACEMENT placement = { sizeof(placement) };
    GetWindowPlacement(&placement);
    RECT& rc = placement.rcNormalPosition;
    rc.right = rc.left + size.cx + 2 * GetBorderWidth();
    rc.bottom = rc.top + size.cy + GetCaptionHeight() + GetBottomHeight();
    SetWindowPlacement(&placement);
}

void CVideoDlg::ReapplyAspect()
{
    if (IsMaximized())
        return;
    CRect rect;
    GetWindowRect(&rect);
    ApplySizingRule(WMSZ_RIGHT, &rect);
    MoveWindow(&rect, TRUE);
}

void CVideoDlg::SetTopMost(BOOL bTopMost)
{
    ::SetWindowPos(m_hWnd, bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_isTopMost = bTopMost;
}

void CVideoDlg::ExitApp()
{
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd != NULL)
    {
        CRect rcPanel;
        panel.GetWindowRect(&rcPanel);
        g_pTVEngine->ControlLeftTop = rcPanel.TopLeft();
        panel.ShutDown();
    }
    g_pTVEngine->CloseDevice();
    CDialog::OnOK();
}

BOOL CVideoDlg::PreTranslateMessage(MSG* pMsg)
{
    // Every key pressed here is the control panel's: it owns the commands and the hot keys.
    CControlPanelDlg& panel = GetControlPanel();
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && panel.m_hWnd != NULL)
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && IsFullScreen())
            panel.SendMessage(WM_COMMAND, ID_FULL_SCREEN, 0);
        panel.PostMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(pMsg);
}

LRESULT CVideoDlg::OnRemoteKey(WPARAM wParam, LPARAM lParam)
{
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd != NULL)
        panel.SendMessage(WM_REMOTE_KEY, wParam, lParam);
    return 0;
}

LRESULT CVideoDlg::OnKickIdle(WPARAM, LPARAM lParam)
{
    if (lParam != 5)
        return 1;
    if (GetControlPanel().m_hWnd != NULL)
        GetControlPanel().OnIdleUpdate();
    return 0;
}

void CVideoDlg::OnRButtonDown(UINT, CPoint point)
{
    ShowCursor();
    StopCursorTimer();
    CMenu* pMenu = GetControlPanel().GetContextMenu();
    if (pMenu == NULL)
        return;
    ClientToScreen(&point);
    pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, &GetControlPanel());
}

void CVideoDlg::OnLButtonDblClk(UINT, CPoint)
{
    GetControlPanel().SendMessage(WM_COMMAND, ID_FULL_SCREEN, 0);
    Default();
}

LRESULT CVideoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST && wParam == PBT_APMQUERYSUSPEND)
        return BROADCAST_QUERY_DENY;
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

void CVideoDlg::OnDestroy()
{
    if (m_osdText.m_hWnd != NULL)
        m_osdText.DestroyWindow();
    StopCursorTimer();
    SaveWindowState();
    DestroyLabels();
    Default();
}

BOOL CVideoDlg::OnEraseBkgnd(CDC* pDC)
{
    if (g_pTVEngine != NULL && g_pTVEngine->IsRadio())
        return static_cast<BOOL>(Default());
    return TRUE;
}

void CVideoDlg::OnPaint()
{
    if (g_pTVEngine != NULL && g_pTVEngine->IsRadio())
    {
        CSkinDialog::OnPaint();
        return;
    }
    Default();
}

LRESULT CVideoDlg::OnExitRequest(WPARAM, LPARAM)
{
    GetTVApp()->SetTrayAutoStart(FALSE);
    ExitApp();
    return 0;
}

LRESULT CVideoDlg::OnReleaseDevice(WPARAM, LPARAM)
{
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd != NULL)
    {
        panel.EnableButton(ID_MOVIE_PLAYER, TRUE);
        panel.ShowWindow(SW_HIDE);
        panel.ReleaseDevice();
    }
    ShowWindow(SW_HIDE);
    g_pTVEngine->GetHardWare().GetGraph().DestroyGraph();
    g_pTVEngine->GetHardWare().ResetFilterPointers();
    return 0;
}

LRESULT CVideoDlg::OnTakeBackDevice(WPARAM, LPARAM)
{
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus();
    SetActiveWindow();
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd != NULL)
        panel.StopPreviewForChange();
    if (g_pTVEngine->GetHardWare().RebuildGraph())
    {
        if (panel.m_hWnd != NULL)
        {
            panel.ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
            panel.ShowWindow(SW_SHOW);
            panel.StopPreviewForChange();
        }
        g_pTVEngine->GetHardWare().SetCardActive(TRUE);
        if (g_pTVEngine->GetInputSource() != CTVEngine::SOURCE_TV)
        {
            CChannelTable* pTable = g_pTVEngine->GetChannelTable();
            if (pTable != NULL && pTable->GetCurrentChannel() != NULL)
                pTable->SetCurrentChannel(pTable->GetCurrentChannel());
        }
    }
    else
    {
        ExitApp();
    }
    m_playerRunning = FALSE;
    return 0;
}

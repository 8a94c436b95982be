#include "ui/VideoDlg.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"
#include "ui/TVApp.h"

BEGIN_MESSAGE_MAP(CVideoDlg, CSkinDialog)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_QUERYDRAGICON()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_MESSAGE(WM_EXIT_REQUEST, &CVideoDlg::OnExitRequest)
ON_MESSAGE(WM_RELEASE_DEVICE, &CVideoDlg::OnReleaseDevice)
ON_MESSAGE(WM_TAKE_BACK_DEVICE, &CVideoDlg::OnTakeBackDevice)
END_MESSAGE_MAP()

CVideoDlg::CVideoDlg() : CSkinDialog(IDD), m_isTopMost(FALSE), m_isMaximized(FALSE), m_hIcon(NULL), m_playerRunning(FALSE)
{
}

CVideoDlg::~CVideoDlg() {}

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

    ShowWindow(SW_HIDE);
    CTVEngine* pEngine = g_pTVEngine;
    pEngine->GetHardWare().SetVideoWindow(m_hWnd);
    pEngine->SetNotifyWindow(m_hWnd);
    pEngine->SetVideoOwner(m_hWnd);
    RestoreWindowState();
    pEngine->BuildPreviewGraph();
    GetTVApp()->CloseSplash();
    pEngine->GetHardWare().SetCardActive(TRUE);
    pEngine->ApplyVideoSettings();
    ShowWindow(SW_SHOW);
    pEngine->SetCountryCode(pEngine->GetCountryCode());
    CChannelTable* pTable = pEngine->GetChannelTable();
    if (pTable != NULL && pTable->GetCurrentChannel() != NULL)
        pTable->SetCurrentChannel(pTable->GetCurrentChannel());
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
    if (pEngine->VideoWnd.IsRectEmpty())
    {
        SetClientSize(CSize(640, 480));
        CenterWindow();
    }
    else
    {
        MoveWindow(&pEngine->VideoWnd, TRUE);
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
    g_pTVEngine->CloseDevice();
    CDialog::OnOK();
}

BOOL CVideoDlg::PreTranslateMessage(MSG* pMsg)
{
    return CSkinDialog::PreTranslateMessage(pMsg);
}

LRESULT CVideoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_POWERBROADCAST && wParam == PBT_APMQUERYSUSPEND)
        return BROADCAST_QUERY_DENY;
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

void CVideoDlg::OnSize(UINT nType, int cx, int cy)
{
    CSkinDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MAXIMIZED)
        m_isMaximized = TRUE;
    else if (nType == SIZE_RESTORED)
        m_isMaximized = FALSE;
    if (g_pTVEngine != NULL)
    {
        CRect client;
        GetClientRect(&client);
        g_pTVEngine->SetVideoPosition(client);
    }
}

void CVideoDlg::OnDestroy()
{
    SaveWindowState();
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
    if (g_pTVEngine->GetHardWare().RebuildGraph())
    {
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

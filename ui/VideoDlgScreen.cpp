// The video window on the screen: full screen and the desktop video entered through maximising,
// the cursor hidden over the picture in full screen, and the panel standing alone while the video
// window is hidden.
#include "ui/VideoDlg.h"

#include "resources/ResourceIds.h"
#include "ui/ControlPanelDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

namespace
{
const UINT kCursorHideMs = 2000;
const UINT kDesktopMinimizeMs = 100;
// The pointer this close to the top of the full-screen picture calls the screen tool.
const int kToolEdge = 2;

// A pop-up menu of the panel stands open.
BOOL IsPopupMenuOpen()
{
    HWND hMenu = ::FindWindowA("#32768", NULL);
    return hMenu != NULL && ::IsWindowVisible(hMenu);
}
}  // namespace

void CVideoDlg::Minimize()
{
    CScreenToolDlg& tool = GetControlPanel().GetScreenTool();
    if (tool.m_hWnd != NULL)
        tool.Show(FALSE);
    ShowWindow(SW_MINIMIZE);
}

void CVideoDlg::OnSize(UINT nType, int cx, int cy)
{
    CSkinDialog::OnSize(nType, cx, cy);
    PlaceChannelInfo();
    CTVEngine* pEngine = g_pTVEngine;
    CControlPanelDlg& panel = GetControlPanel();
    if (nType == SIZE_MAXIMIZED && m_maximizeActs && pEngine != NULL)
    {
        m_isMaximized = TRUE;
        if (!m_desktopVideo)
        {
            if (panel.m_hWnd != NULL)
                panel.ShowWindow(SW_HIDE);
            // The picture goes onto the cleared desktop; the window itself is minimised soon after.
            if (!panel.IsOsdMenuShown() && pEngine->ClearDesktopWallpaper())
            {
                m_desktopVideo = TRUE;
                SetTimer(TIMER_DESKTOP_MINIMIZE, kDesktopMinimizeMs, NULL);
            }
        }
        else
        {
            pEngine->RestoreDesktopWallpaper();
            m_desktopVideo = FALSE;
            if (panel.m_hWnd != NULL)
                panel.ShowWindow(SW_SHOW);
            ShowWindow(SW_RESTORE);
        }
    }
    else if (nType == SIZE_RESTORED && m_isMaximized)
    {
        m_isMaximized = FALSE;
        ShowCursor();
        StopCursorTimer();
    }
    m_maximizeActs = (!m_desktopVideo && nType == SIZE_MAXIMIZED) || (m_desktopVideo && nType == SIZE_MINIMIZED);
    RelayoutLabels();
    if (pEngine != NULL)
    {
        CRect client;
        GetClientRect(&client);
        pEngine->SetVideoPosition(client);
    }
}

void CVideoDlg::OnDesktopVideo()
{
    CTVEngine& engine = *g_pTVEngine;
    GetControlPanel().StopPreviewForChange();
    if (!engine.GetHardWare().IsDesktopVideo())
    {
        if (!engine.IsOverlayActive())
            engine.SetUseOverlay(TRUE);
        engine.SetOverlayDesktop(TRUE);
    }
    else
    {
        engine.SetOverlayDesktop(FALSE);
    }
}

void CVideoDlg::OnMove(int x, int y)
{
    Default();
    PlaceChannelInfo();
    for (INT_PTR i = 0; i < m_labels.GetSize(); ++i)
    {
        COSDLabelWnd* pLabel = static_cast<COSDLabelWnd*>(m_labels[i]);
        if (pLabel->m_hWnd != NULL)
            pLabel->Reposition();
    }
}

void CVideoDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_MINIMIZE)
    {
        for (INT_PTR i = 0; i < m_labels.GetSize(); ++i)
        {
            COSDLabelWnd* pLabel = static_cast<COSDLabelWnd*>(m_labels[i]);
            if (pLabel->IsShown())
                pLabel->Show(FALSE);
        }
    }
    Default();
}

// --- the cursor ---

void CVideoDlg::ShowCursor()
{
    if (!m_cursorShown)
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    m_cursorShown = TRUE;
}

void CVideoDlg::HideCursor()
{
    if (m_cursorShown)
        ::SetCursor(NULL);
    m_cursorShown = FALSE;
    StopCursorTimer();
}

void CVideoDlg::StopCursorTimer()
{
    if (m_cursorTimer != 0 && m_hWnd != NULL)
        KillTimer(TIMER_CURSOR);
    m_cursorTimer = 0;
}

void CVideoDlg::SetCursorAutoHide(BOOL bAutoHide)
{
    m_cursorAutoHide = bAutoHide;
    if (bAutoHide)
    {
        StopCursorTimer();
    }
    else if (m_hWnd != NULL)
    {
        // Its next expiry only stops it.
        m_cursorTimer = SetTimer(TIMER_CURSOR, kCursorHideMs, NULL);
    }
}

void CVideoDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    ShowCursor();
    if (m_isMaximized)
    {
        CTVEngine& engine = *g_pTVEngine;
        CScreenToolDlg& tool = GetControlPanel().GetScreenTool();
        if (point.y <= kToolEdge && !engine.IsTimeShifting() && !engine.IsScanning() && tool.m_hWnd != NULL &&
            !tool.IsWindowVisible())
            tool.Show(TRUE);
        m_cursorTimer = SetTimer(TIMER_CURSOR, kCursorHideMs, NULL);
    }
    Default();
}

void CVideoDlg::OnCursorTimer()
{
    if (!m_cursorAutoHide)
    {
        StopCursorTimer();
        return;
    }
    CControlPanelDlg& panel = GetControlPanel();
    CScreenToolDlg& tool = panel.GetScreenTool();
    BOOL bKeep = IsPopupMenuOpen() || (tool.m_hWnd != NULL && tool.IsWindowVisible()) ||
                 (panel.m_hWnd != NULL && panel.IsWindowVisible());
    if (bKeep)
        ShowCursor();
    else
        HideCursor();
}

void CVideoDlg::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case TIMER_CURSOR:
        OnCursorTimer();
        break;
    case TIMER_DESKTOP_MINIMIZE:
        KillTimer(TIMER_DESKTOP_MINIMIZE);
        Minimize();
        break;
    default:
        Default();
        break;
    }
}

// --- showing and hiding ---

void CVideoDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (!bShow)
    {
        for (INT_PTR i = 0; i < m_labels.GetSize(); ++i)
            static_cast<COSDLabelWnd*>(m_labels[i])->Show(FALSE);
    }
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd == NULL)
        return;
    if (bShow)
    {
        // The panel goes back where it stood before the video window was hidden.
        if (m_hPanelParent != NULL && ::IsWindow(m_hPanelParent))
            ::SetParent(panel.m_hWnd, m_hPanelParent);
        m_hPanelParent = NULL;
        panel.ModifyStyle(WS_SYSMENU | WS_MINIMIZEBOX, 0);
    }
    else
    {
        // Alone, the panel carries a task-bar button and a system menu of its own.
        panel.ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, SWP_FRAMECHANGED);
        HWND hFormer = ::SetParent(panel.m_hWnd, NULL);
        if (m_hPanelParent == NULL)
            m_hPanelParent = hFormer;
        panel.ModifyStyle(WS_CHILD, WS_SYSMENU | WS_MINIMIZEBOX);
        CScreenToolDlg& tool = panel.GetScreenTool();
        if (tool.m_hWnd != NULL)
            tool.Show(FALSE);
    }
    panel.UpdateWindow();
    panel.Invalidate();
}

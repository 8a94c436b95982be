#include "ui/osd/ScreenToolDlg.h"

#include <commctrl.h>

#include "engine/TVEngine.h"
#include "platform/afx/Dc.h"
#include "resources/ResourceIds.h"
#include "skin/DrawHelpers.h"

namespace {

struct ToolButton
{
    UINT id;
    int x, y, width, height;
    UINT hover, normal, pressed, disabled;
    UINT tip;
    BOOL check;
};

const ToolButton kButtons[8] = {
    { IDC_TOOL_PIN, 13, 5, 20, 15, IDB_TOOL_PIN_HOVER, IDB_TOOL_PIN_NORMAL, IDB_TOOL_PIN_PRESSED,
      IDB_TOOL_PIN_DISABLED, IDS_TOOL_TIP_PIN, TRUE },
    { IDC_TOOL_HIDE, 65, 14, 30, 20, IDB_TOOL_HIDE_HOVER, IDB_TOOL_HIDE_NORMAL, IDB_TOOL_HIDE_PRESSED,
      IDB_TOOL_HIDE_DISABLED, IDS_TOOL_TIP_HIDE, FALSE },
    { IDC_TOOL_SNAPSHOT, 130, 5, 20, 15, IDB_TOOL_SNAPSHOT_HOVER, IDB_TOOL_SNAPSHOT_NORMAL,
      IDB_TOOL_SNAPSHOT_PRESSED, IDB_TOOL_SNAPSHOT_DISABLED, IDS_TOOL_TIP_SNAPSHOT, FALSE },
    { IDC_TOOL_WALL, 154, 5, 20, 15, IDB_TOOL_WALL_HOVER, IDB_TOOL_WALL_NORMAL, IDB_TOOL_WALL_PRESSED,
      IDB_TOOL_WALL_DISABLED, IDS_TOOL_TIP_WALL, FALSE },
    { IDC_TOOL_RECORD, 178, 5, 20, 15, IDB_TOOL_RECORD_HOVER, IDB_TOOL_RECORD_NORMAL, IDB_TOOL_RECORD_PRESSED,
      IDB_TOOL_RECORD_DISABLED, IDS_TOOL_TIP_RECORD, TRUE },
    { IDC_TOOL_PREV, 373, 4, 20, 15, IDB_TOOL_PREV_HOVER, IDB_TOOL_PREV_NORMAL, IDB_TOOL_PREV_PRESSED,
      IDB_TOOL_PREV_DISABLED, IDS_TOOL_TIP_PREV, FALSE },
    { IDC_TOOL_NEXT, 400, 4, 20, 15, IDB_TOOL_NEXT_HOVER, IDB_TOOL_NEXT_NORMAL, IDB_TOOL_NEXT_PRESSED,
      IDB_TOOL_NEXT_DISABLED, IDS_TOOL_TIP_NEXT, FALSE },
    { IDC_TOOL_MUTE, 551, 5, 20, 15, IDB_TOOL_MUTE_HOVER, IDB_TOOL_MUTE_NORMAL, IDB_TOOL_MUTE_PRESSED,
      IDB_TOOL_MUTE_DISABLED, IDS_TOOL_TIP_MUTE, TRUE },
};

} // namespace

BEGIN_MESSAGE_MAP(CScreenToolDlg, CDialog)
ON_WM_PAINT()
ON_WM_HSCROLL()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CScreenToolDlg::CScreenToolDlg()
    : CDialog(IDD_SCREEN_TOOL),
      m_nTimer(0),
      m_nAutoHide(2000),
      m_bPinned(FALSE),
      m_pOwner(nullptr)
{
}

BOOL CScreenToolDlg::Create(CWnd* pParent)
{
    return CDialog::Create(IDD_SCREEN_TOOL, pParent);
}

BOOL CScreenToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < 8; ++i)
    {
        const ToolButton& b = kButtons[i];
        m_buttons[i].SubclassDlgItem(b.id, this);
        m_buttons[i].SetWindowPos(nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
        m_buttons[i].LoadBitmaps(b.hover, b.normal, b.pressed, b.disabled);
        m_buttons[i].SetCheckMode(b.check);
    }
    m_volume.SubclassDlgItem(IDC_TOOL_VOLUME, this);
    m_volume.SetWindowPos(nullptr, 435, 4, 103, 15, SWP_NOZORDER | SWP_NOACTIVATE);
    m_volume.SendMessage(TBM_SETTHUMBLENGTH, 20);
    m_volume.SetPos(0);
    m_volume.SetLineSize(5);
    m_volume.SetPageSize(10);
    m_volume.SetBitmaps(IDB_TOOL_LEFT, IDB_TOOL_THUMB);
    // The label takes its place and size when it is attached to its control.
    m_info.SetPosition(241, 5);
    m_info.SetSize(120, 16);
    m_info.SetBackMode(CSkinStatic::BackNone);
    m_info.SetTextColor(RGB(255, 255, 255));
    m_info.SubclassDlgItem(IDC_TOOL_INFO, this);

    const BOOL tile = m_tile.LoadBitmap(IDB_TOOL_TILE);
    const BOOL left = m_left.LoadBitmap(IDB_TOOL_LEFT);
    if (tile && left)
    {
        BITMAP info;
        m_tile.GetBitmap(&info);
        SetWindowPos(&CWnd::wndTopMost, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), info.bmHeight, SWP_HIDEWINDOW);
    }
    // The tool never takes the activation: its tips show whether or not it is active.
    if (m_toolTip.Create(this, TTS_ALWAYSTIP))
    {
        for (int i = 0; i < 8; ++i)
            m_toolTip.AddTool(kButtons[i].id, kButtons[i].tip);
        m_toolTip.AddTool(IDC_TOOL_VOLUME, IDS_TOOL_TIP_VOLUME);
        m_toolTip.AddTool(IDC_TOOL_INFO, IDS_TOOL_TIP_INFO);
    }
    SetWindowText("ScreenTool");
    return TRUE;
}

void CScreenToolDlg::StartHideTimer()
{
    m_nTimer = SetTimer(HIDE_TIMER, m_nAutoHide);
}

void CScreenToolDlg::StopHideTimer()
{
    if (m_nTimer)
        KillTimer(HIDE_TIMER);
    m_nTimer = 0;
}

void CScreenToolDlg::Show(BOOL show)
{
    if (show)
    {
        m_bPinned = m_buttons[0].GetCheck();
        ShowWindow(SW_SHOWNOACTIVATE);
        StartHideTimer();
    }
    else
    {
        ShowWindow(SW_HIDE);
    }
    Owner().OnScreenToolShown(show);
}

void CScreenToolDlg::SetPinned(BOOL pinned)
{
    m_bPinned = pinned;
    m_buttons[0].SetCheck(pinned);
    if (pinned)
        StopHideTimer();
    else
        StartHideTimer();
}

void CScreenToolDlg::SetInfoText(LPCSTR text)
{
    m_strInfo = text ? text : "";
    m_info.SetWindowText(m_strInfo);
    m_info.Invalidate();
    Invalidate(FALSE);
}

BOOL CScreenToolDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CTVEngine* pEngine = g_pTVEngine;
    const BOOL recording = pEngine && pEngine->IsRecording();
    const BOOL scanning = pEngine && pEngine->IsScanning();
    const BOOL shifting = pEngine && pEngine->IsTimeShifting();
    switch (LOWORD(wParam))
    {
    case IDC_TOOL_PIN:
        SetPinned(!m_bPinned);
        return TRUE;
    case IDC_TOOL_HIDE:
        Show(FALSE);
        return TRUE;
    case IDC_TOOL_SNAPSHOT:
        if (!recording && !scanning && !shifting)
            Owner().Snapshot();
        return TRUE;
    case IDC_TOOL_WALL:
        if (!recording && !scanning && !shifting)
            Owner().OpenPreviewWall();
        return TRUE;
    case IDC_TOOL_RECORD:
        if (!scanning)
        {
            Owner().ToggleRecording();
            Owner().SetRecordingButtons(pEngine && pEngine->IsRecording());
        }
        return TRUE;
    case IDC_TOOL_PREV:
        if (!recording && !scanning)
            Owner().PrevChannel();
        return TRUE;
    case IDC_TOOL_NEXT:
        if (!recording && !scanning)
            Owner().NextChannel();
        return TRUE;
    case IDC_TOOL_MUTE:
        Owner().SetMute(!(pEngine && pEngine->IsPlaySourceMuted()));
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

BOOL CScreenToolDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
    {
        if (HWND target = Owner().KeyTarget())
            ::PostMessageA(target, WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CScreenToolDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawBackground(&dc);
}

void CScreenToolDlg::DrawBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    int leftWidth = 0;
    if (m_left.GetSafeHandle())
    {
        BITMAP info;
        m_left.GetBitmap(&info);
        leftWidth = info.bmWidth;
        DrawBitmap(pDC, CRect(0, 0, info.bmWidth, info.bmHeight), &m_left);
    }
    if (client.right > leftWidth)
        TileBitmap(pDC, CRect(leftWidth, 0, client.right, client.bottom), &m_tile);
}

void CScreenToolDlg::OnHScroll(UINT code, UINT, CScrollBar* pBar)
{
    if (pBar && pBar->m_hWnd == m_volume.m_hWnd && (code == SB_THUMBPOSITION || code == SB_ENDSCROLL))
        Owner().SetVolume(m_volume.GetPos());
    Default();
}

void CScreenToolDlg::OnTimer(UINT_PTR id)
{
    if (id != HIDE_TIMER)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    CRect rect;
    GetWindowRect(&rect);
    if (!m_bPinned && !rect.PtInRect(cursor))
    {
        Show(FALSE);
        StopHideTimer();
    }
}

void CScreenToolDlg::OnDestroy()
{
    StopHideTimer();
    CDialog::OnDestroy();
}

void CScreenToolDlg::OnMouseMove(UINT, CPoint)
{
    StopHideTimer();
    TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT };
    ::TrackMouseEvent(&track);
}

void CScreenToolDlg::OnMouseLeave()
{
    if (!m_bPinned)
        StartHideTimer();
}

// Also asked by the information label, which draws its text over the tool's own picture.
BOOL CScreenToolDlg::OnEraseBkgnd(CDC* pDC)
{
    DrawBackground(pDC);
    return TRUE;
}

BOOL CScreenToolDlg::OnMouseWheel(UINT, short, CPoint)
{
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

namespace {
// The dots run 6, 5, 4, 3, 4, 5, 6, ... across every count-down dialog.
int g_nDots = 6;
BOOL g_bDotsDown = TRUE;
const UINT_PTR kCountTimer = 1;
} // namespace

BEGIN_MESSAGE_MAP(CCountDownDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CCountDownDlg::CCountDownDlg(CWnd* pParent) : CDialog(IDD_COUNT_DOWN, pParent), m_nStart(30), m_nRemaining(30)
{
}

int CCountDownDlg::GetDotCount()
{
    return g_nDots;
}

BOOL CCountDownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nRemaining = m_nStart;
    SetDlgItemInt(IDC_COUNT_DOWN_SECONDS, m_nRemaining, TRUE);
    SetTimer(kCountTimer, 1000);
    return TRUE;
}

void CCountDownDlg::Tick()
{
    --m_nRemaining;
    if (m_nRemaining < 1)
    {
        KillTimer(kCountTimer);
        EndDialog(IDOK);
        return;
    }
    SetDlgItemInt(IDC_COUNT_DOWN_SECONDS, m_nRemaining, TRUE);
    if (g_bDotsDown && g_nDots <= 3)
        g_bDotsDown = FALSE;
    else if (!g_bDotsDown && g_nDots >= 6)
        g_bDotsDown = TRUE;
    g_nDots += g_bDotsDown ? -1 : 1;
    SetDlgItemText(IDC_COUNT_DOWN_DOTS, CString('.', g_nDots));
}

void CCountDownDlg::OnTimer(UINT_PTR id)
{
    if (id == kCountTimer)
        Tick();
}

BOOL CCountDownDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDC_COUNT_DOWN_OK:
        KillTimer(kCountTimer);
        EndDialog(IDOK);
        return TRUE;
    case IDC_COUNT_DOWN_CANCEL:
    case IDCANCEL:
        EndDialog(IDCANCEL);
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

// ---------------------------------------------------------------------------------------------

namespace {
CWnd* g_pForegroundWnd = nullptr;
} // namespace

CForegroundHelper::CForegroundHelper(CWnd* pWnd) : m_hThread(nullptr)
{
    g_pForegroundWnd = pWnd;
    m_hThread = ::CreateThread(nullptr, 0, &CForegroundHelper::Run, nullptr, 0, nullptr);
}

CForegroundHelper::~CForegroundHelper()
{
    if (m_hThread)
    {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

DWORD WINAPI CForegroundHelper::Run(LPVOID)
{
    if (g_pForegroundWnd && g_pForegroundWnd->m_hWnd)
        ::SetForegroundWindow(g_pForegroundWnd->m_hWnd);
    return 0;
}

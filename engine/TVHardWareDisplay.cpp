#include "engine/TVHardWare.h"

#include "dshow/OverlayMixerFilter.h"
#include "engine/ActiveDesktop.h"
#include "foundation/RegistryKey.h"

namespace
{
const char kTeletextTitle[] = "PC Text Pro Light Version";
const char kTeletextKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vtx.Exe";
// Where the viewer's page selector is, from the window's top-left corner.
const int kTeletextClickX = 270;
const int kTeletextClickY = 55;
const COLORREF kDefaultColorKey = RGB(16, 0, 16);

// A mouse event at a point of the screen, whenever the input queue takes it.
void SendAbsoluteMouse(POINT at, DWORD dwButtons)
{
    int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    DWORD dx = width > 0 ? static_cast<DWORD>(MulDiv(at.x, 65535, width)) : 0;
    DWORD dy = height > 0 ? static_cast<DWORD>(MulDiv(at.y, 65535, height)) : 0;
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons, dx, dy, 0, GetMessageExtraInfo());
}
}

BOOL CTVHardWare::CreateOverlayMixer()
{
    if (m_pOverlayMixer == NULL)
    {
        m_pOverlayMixer = dynamic_cast<COverlayMixerFilter*>(m_Graph.AddFilter(CLSID_OverlayMixer, "Overlay Mixer"));
        if (m_pOverlayMixer == NULL)
            UseOverlay = FALSE;
    }
    if (m_pOverlayMixer == NULL)
        return FALSE;
    m_pOverlayMixer->SetLetterBox(FALSE);
    return TRUE;
}

BOOL CTVHardWare::SetUseOverlay(BOOL bUse)
{
    UseOverlay = bUse;
    m_Graph.Stop();
    m_Graph.DisconnectAll();
    if (!ConnectPreviewGraph())
        return FALSE;
    DisconnectCrossbar();
    m_Graph.Run();
    ReapplyVideoStandard();
    return TRUE;
}

BOOL CTVHardWare::SetLetterBox(BOOL bLetterBox)
{
    return m_pOverlayMixer != NULL && m_pOverlayMixer->SetLetterBox(bLetterBox);
}

BOOL CTVHardWare::SetOverlayColorKey(COLORREF color)
{
    return m_pOverlayMixer != NULL && m_pOverlayMixer->SetColorKey(color);
}

BOOL CTVHardWare::SetOverlayMixerProperty(int nIndex, int nValue)
{
    BOOL bResult = m_pOverlayMixer != NULL && m_pOverlayMixer->SetColorControl(nIndex, nValue);
    int* const slots[5] = { &OverlayBri, &OverlayCon, &OverlayHue, &OverlaySat, &OverlaySha };
    if (nIndex >= 0 && nIndex < 5)
        *slots[nIndex] = nValue;
    return bResult;
}

BOOL CTVHardWare::GetOverlayMixerProperty(int nIndex, int* pnValue)
{
    if (!UseOverlay || m_pOverlayMixer == NULL || pnValue == NULL)
        return FALSE;
    LONG lValue = 0;
    if (!m_pOverlayMixer->GetColorControl(nIndex, &lValue))
        return FALSE;
    *pnValue = lValue;
    return TRUE;
}

BOOL CTVHardWare::GetOverlayMixerRange(int nIndex, int* pRange)
{
    if (!UseOverlay || m_pOverlayMixer == NULL || pRange == NULL)
        return FALSE;
    LONG lMinimum = 0, lMaximum = 0, lDefault = 0;
    if (!m_pOverlayMixer->GetColorControlRange(nIndex, &lMinimum, &lMaximum, &lDefault))
        return FALSE;
    pRange[0] = lMinimum;
    pRange[1] = lMaximum;
    pRange[2] = lDefault;
    return TRUE;
}

BOOL CTVHardWare::ApplyOverlayMixerProperties()
{
    const int values[5] = { OverlayBri, OverlayCon, OverlayHue, OverlaySat, OverlaySha };
    for (int i = 0; i < 5; ++i)
        SetOverlayMixerProperty(i, values[i]);
    return TRUE;
}

BOOL CTVHardWare::IsOverlayMixerReady()
{
    return m_pOverlayMixer != NULL && m_pOverlayMixer->GetFirstPin(PINDIR_INPUT, FALSE) != NULL &&
           m_pOverlayMixer->GetFirstPin(PINDIR_OUTPUT, FALSE) != NULL;
}

BOOL CTVHardWare::RestartForDesktopKey(COLORREF key)
{
    BOOL bRunning = m_Graph.GetState() == CDShowGraph::STATE_RUNNING;
    if (bRunning)
    {
        BuildPreviewGraph();
        m_Graph.Stop();
    }
    BOOL bResult = SetOverlayColorKey(key);
    if (bRunning)
        m_Graph.Run();
    return bResult;
}

BOOL CTVHardWare::StartDesktopOverlay()
{
    if (!UseOverlay)
        return FALSE;
    m_DesktopColor = GetSysColor(COLOR_BACKGROUND);
    BOOL bResult = RestartForDesktopKey(m_DesktopColor);
    ReapplyVideoStandard();
    m_bDesktopVideo = bResult;
    return bResult;
}

BOOL CTVHardWare::StopDesktopOverlay()
{
    if (!m_bDesktopVideo)
    {
        ReapplyVideoStandard();
        return FALSE;
    }
    m_bDesktopVideo = FALSE;
    m_OverlayColorKey = kDefaultColorKey;
    BOOL bResult = RestartForDesktopKey(m_OverlayColorKey);
    ReapplyVideoStandard();
    return bResult;
}

BOOL CTVHardWare::ClearDesktopWallpaper()
{
    m_SavedWallpaper.Empty();
    CActiveDesktop desktop;
    CString wallpaper;
    if (!desktop.GetWallpaper(wallpaper, NULL))
        return FALSE;
    if (wallpaper.IsEmpty())
        return TRUE;
    m_SavedWallpaper = wallpaper;
    return desktop.SetWallpaper("", NULL);
}

BOOL CTVHardWare::RestoreDesktopWallpaper()
{
    if (m_SavedWallpaper.IsEmpty())
        return FALSE;
    CActiveDesktop desktop;
    if (!desktop.SetWallpaper(m_SavedWallpaper, NULL))
        return FALSE;
    m_SavedWallpaper.Empty();
    return TRUE;
}

BOOL CTVHardWare::StartTeletextViewer()
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kTeletextKey) != ERROR_SUCCESS)
        return FALSE;
    CString path;
    if (key.QueryString("", path) != ERROR_SUCCESS || path.IsEmpty())
        return FALSE;
    key.Close();
    if (FindWindowA(NULL, kTeletextTitle) != NULL)
        return FALSE;
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    memset(&process, 0, sizeof(process));
    if (!CreateProcessA(path, NULL, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        return FALSE;
    CloseHandle(process.hThread);
    if (m_hTeletextProcess != NULL)
        CloseHandle(m_hTeletextProcess);
    m_hTeletextProcess = process.hProcess;
    return TRUE;
}

BOOL CTVHardWare::CloseTeletextViewer()
{
    HWND hViewer = FindWindowA(NULL, kTeletextTitle);
    if (hViewer != NULL)
        SendMessageA(hViewer, WM_CLOSE, 0, 0);
    if (m_hTeletextProcess != NULL)
    {
        CloseHandle(m_hTeletextProcess);
        m_hTeletextProcess = NULL;
    }
    return TRUE;
}

BOOL CTVHardWare::FocusTeletextViewer()
{
    HWND hViewer = FindWindowA(NULL, kTeletextTitle);
    if (hViewer == NULL)
        return FALSE;
    POINT saved;
    GetCursorPos(&saved);
    SetForegroundWindow(hViewer);
    RECT rc;
    GetWindowRect(hViewer, &rc);
    POINT click = { rc.left + kTeletextClickX, rc.top + kTeletextClickY };
    // The input queue takes the click later than the call returns: the cursor
    // goes there, clicks and comes back in queued events, in that order, so
    // the click cannot land where the cursor was.
    SendAbsoluteMouse(click, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    SendAbsoluteMouse(saved, 0);
    return TRUE;
}

BOOL CTVHardWare::IsTeletextViewerRunning()
{
    return FindWindowA(NULL, kTeletextTitle) != NULL;
}

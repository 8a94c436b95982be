// The programs the video window starts: the movie player, the picture browser, the updater and
// the instant messenger.
#include "ui/VideoDlg.h"
#include "ui/ControlPanelDlg.h"
#include "ui/SystemActions.h"
#include "ui/TVApp.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "foundation/RegistryKey.h"
#include "resources/ResourceIds.h"

namespace
{
CString ReadMachineValue(LPCSTR pszKey, LPCSTR pszValue)
{
    CString text;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, pszKey) == ERROR_SUCCESS)
        key.QueryString(pszValue, text);
    return text;
}

// The sibling program's path: beside the program's folder, in a root folder the file of the root
// install, else where the common registry key names it.
CString SiblingProgramPath(LPCSTR pszSubPath, LPCSTR pszRootFile, LPCSTR pszValue)
{
    CString folder = GetTVApp()->GetAppPath();
    CString path;
    if (folder.GetLength() == 3)
        path = folder + pszRootFile;
    else
    {
        int slash = folder.ReverseFind('\\');
        path = (slash >= 0 ? folder.Left(slash + 1) : CString()) + pszSubPath;
    }
    if (!FileExists(path))
        path = ReadMachineValue("Software\\Veltrane\\Common", pszValue);
    return path;
}
}  // namespace

LRESULT CVideoDlg::StartPlayerProgram()
{
    CTVEngine* pEngine = g_pTVEngine;
    if (pEngine->IsScanning() || pEngine->IsRecording() || m_playerRunning)
        return 0;
    if (pEngine->ShowEPGInfo && m_osdText.m_hWnd != NULL)
        m_osdText.Show(FALSE);
    HideOsdWindows();
    CString path = SiblingProgramPath("Fennick\\Fennick.exe", "Quastel.exe", "Fennick");
    if (path.IsEmpty() || !FileExists(path))
    {
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_MOVIE_PLAYER_MISSING, IDS_APP_TITLE, MB_ICONINFORMATION);
        return 0;
    }
    BOOL bWasMuted = pEngine->IsPlaySourceMuted();
    pEngine->GetHardWare().SetPlaySourceMute(TRUE);
    pEngine->GetHardWare().SetCardActive(FALSE);
    char shortFolder[MAX_PATH] = "";
    if (::GetShortPathNameA(pEngine->RecordPath, shortFolder, sizeof(shortFolder)) == 0)
        lstrcpynA(shortFolder, pEngine->RecordPath, sizeof(shortFolder));
    CString parameters;
    parameters.Format("/P=%s /H=%lld", shortFolder, static_cast<long long>(reinterpret_cast<LONG_PTR>(m_hWnd)));
    INT_PTR result = CSystemActions::Get().StartProgram(m_hWnd, "Open", path, parameters, NULL, SW_SHOWNORMAL);
    if (result > 32)
    {
        m_playerRunning = TRUE;
        return 0;
    }
    // The player did not start: the picture and the sound come back as they were.
    pEngine->GetHardWare().SetCardActive(TRUE);
    pEngine->GetHardWare().SetPlaySourceMute(bWasMuted);
    GetTVApp()->MessageBoxRes(m_hWnd, IDS_MOVIE_PLAYER_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
    return 0;
}

void CVideoDlg::HideOsdWindows()
{
    CControlPanelDlg& panel = GetControlPanel();
    if (panel.m_hWnd == NULL)
        return;
    panel.ShowOsdMenu(FALSE);
    if (panel.GetScreenTool().m_hWnd != NULL)
        panel.GetScreenTool().Show(FALSE);
}

LRESULT CVideoDlg::StartImageBrowser()
{
    HideOsdWindows();
    CString path = SiblingProgramPath("Ostrelin\\Ostrelin.exe", "Quastel.exe", "Ostrelin");
    if (path.IsEmpty() || !FileExists(path))
    {
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_PICTURE_BROWSER_MISSING, IDS_APP_TITLE, MB_ICONINFORMATION);
        return 0;
    }
    CString folder = path;
    int slash = folder.ReverseFind('\\');
    folder = slash >= 0 ? folder.Left(slash) : CString();
    INT_PTR result =
        CSystemActions::Get().StartProgram(m_hWnd, "Open", path, g_pTVEngine->SnapPath, folder, SW_SHOWNORMAL);
    if (result <= 32)
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_PICTURE_BROWSER_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
    return 0;
}

LRESULT CVideoDlg::StartUpdater()
{
    CString root;
    GetSystemDriveRoot(root);
    CString path = JoinPath(JoinPath(JoinPath(root, "Program Files"), "Veltrane\\Update"), "Brasket.exe");
    if (!FileExists(path))
    {
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_UPDATER_MISSING, IDS_APP_TITLE, MB_ICONINFORMATION);
        return 0;
    }
    CString title, product, caption, version, server;
    GetWindowText(title);
    AfxLoadString(IDS_UPDATER_PRODUCT, product);
    AfxLoadString(IDS_APP_TITLE, caption);
    AfxLoadString(IDS_UPDATER_VERSION, version);
    AfxLoadString(IDS_UPDATER_SERVER, server);
    const CString& folder = GetTVApp()->GetAppPath();
    CString parameters;
    parameters.Format("%s,%s,%s,%s,%s,%s,%s", static_cast<LPCSTR>(title), static_cast<LPCSTR>(product),
                      static_cast<LPCSTR>(caption), static_cast<LPCSTR>(version), static_cast<LPCSTR>(server), "TRUE",
                      static_cast<LPCSTR>(folder));
    INT_PTR result = CSystemActions::Get().StartProgram(m_hWnd, "Open", path, parameters, folder, SW_SHOWNORMAL);
    if (result <= 32)
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_UPDATER_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
    return 0;
}

LRESULT CVideoDlg::StartMessenger()
{
    CString folder = ReadMachineValue("SOFTWARE\\Microsoft\\MSNMessenger", "InstallationDirectory");
    if (folder.IsEmpty())
        folder = "C:\\Program Files\\MSN Messenger\\";
    CString path = folder + "msnmsgr.exe";
    if (!FileExists(path))
    {
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_MESSENGER_MISSING, IDS_APP_TITLE, MB_ICONINFORMATION);
        return 0;
    }
    INT_PTR result = CSystemActions::Get().StartProgram(m_hWnd, "Open", path, NULL, folder, SW_SHOWNORMAL);
    // ShellExecute reports success with a value above 32; 32 itself is an error code.
    if (result <= 32)
        GetTVApp()->MessageBoxRes(m_hWnd, IDS_MESSENGER_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
    return 0;
}

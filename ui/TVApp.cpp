#include <winsock2.h>

#include "ui/TVApp.h"
// Before the engine: its DirectShow headers define macros named like window members.
#include "ui/ControlPanelDlg.h"
#include "ui/VideoDlg.h"
#include <shellapi.h>

#include <string>

#include "engine/EngineWindows.h"
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "skin/SkinList.h"
#include "resources/ResourceIds.h"
#include "ui/SystemActions.h"

namespace
{
const char kMutexName[] = "Mireval_GlobalMutex_zolt";
const char kVideoTitle[] = "Veltrane Mireval IV";
const char kTrayTitle[] = "Remote Control Tray";
const char kCompanionTitle[] = " Orbanet ";
const UINT kTrayNotify = 1690;

// What the engine asks of the windows, answered by the application.
class CAppEngineWindows : public CEngineWindows
{
public:
    int ShowMessage(LPCSTR pszText, UINT uType) override
    {
        CString caption;
        AfxLoadString(IDS_APP_TITLE, caption);
        return ::MessageBoxA(NULL, pszText, caption, uType);
    }
    void SetTrayAutoStart(BOOL bStart) override { GetTVApp()->SetTrayAutoStart(bStart); }
    BOOL ShowOsdMenu(BOOL bShow) override
    {
        GetControlPanel().ShowOsdMenu(bShow);
        return GetControlPanel().IsOsdMenuShown();
    }
    void OnSearchBegin() override { GetVideoDlg().OnSearchBegin(); }
    BOOL ReadSkinNames(LPCSTR pszSkinSetPath, CStringList& names) override
    {
        CSkinList list;
        return list.Open(pszSkinSetPath) && list.GetSkinNames(names);
    }
};

CAppEngineWindows g_engineWindows;
}  // namespace

CTVApp::CTVApp()
    : m_hMutex(NULL), m_bShutdownRequest(FALSE), m_hResources(NULL), m_bRecordStart(FALSE), m_bTrayAutoStart(TRUE),
      m_nPowerOffTimeout(0), m_bScreenSettingsChanged(FALSE), m_bComStarted(FALSE), m_bSocketsStarted(FALSE)
{
}

CTVApp* GetTVApp() { return static_cast<CTVApp*>(AfxGetApp()); }

BOOL CTVApp::BringRunningInstanceForward()
{
    HWND hWnd = ::FindWindowA(NULL, kVideoTitle);
    if (hWnd == NULL)
        return FALSE;
    DWORD dwTimeout = 0;
    ::SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &dwTimeout, 0);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, NULL, 0);
    if (!::IsWindowVisible(hWnd) || ::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::SetForegroundWindow(hWnd);
    ::BringWindowToTop(hWnd);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<LPVOID>(static_cast<DWORD_PTR>(dwTimeout)), 0);
    return TRUE;
}

BOOL CTVApp::InitInstance()
{
    AfxEnableControlContainer();
    m_hMutex = ::CreateMutexA(NULL, TRUE, kMutexName);
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
    {
        ::CloseHandle(m_hMutex);
        m_hMutex = NULL;
        BringRunningInstanceForward();
        return FALSE;
    }

    m_bComStarted = SUCCEEDED(::CoInitialize(NULL));
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 0), &wsa) == 0)
    {
        if (LOBYTE(wsa.wVersion) != 2)
            ::WSACleanup();
        else
            m_bSocketsStarted = TRUE;
    }
    Enable3dControls();
    // Silent until the video window is up; it unmutes at the end of its start-up.
    g_pTVEngine->MuteMasterOutput(TRUE);

    InitAppPath();
    m_hResources = ::LoadLibraryA("OndrixRsc.dll");
    if (m_hResources == NULL)
    {
        CString text;
        AfxLoadString(IDS_RESOURCE_LIBRARY_MISSING, text);
        AfxMessageBox(text);
        return FALSE;
    }
    AfxSetResourceHandle(m_hResources);

    if (!CheckSkinFiles())
    {
        AfxMessageBox(IDS_SKIN_FILES_MISSING);
        return FALSE;
    }
    ParseCommandLine();
    g_pTVEngine->SetEngineWindows(&g_engineWindows);
    if (!LoadParameterFiles())
        return FALSE;
    ShowSplash();

    CSystemActions& system = CSystemActions::Get();
    system.SetScreenSaverActive(FALSE);
    m_nPowerOffTimeout = system.GetPowerOffTimeout();
    system.SetPowerOffTimeout(0);
    m_bScreenSettingsChanged = TRUE;

    HWND hCompanion = ::FindWindowA(NULL, kCompanionTitle);
    m_pMainWnd = &GetControlPanel();
    if (hCompanion != NULL)
        ::ShowWindow(hCompanion, SW_MINIMIZE);
    GetVideoDlg().DoModal();
    if (hCompanion != NULL && ::IsWindow(hCompanion))
        ::ShowWindow(hCompanion, SW_MAXIMIZE);
    return FALSE;
}

int CTVApp::ExitInstance()
{
    if (m_bScreenSettingsChanged)
    {
        CSystemActions::Get().SetScreenSaverActive(TRUE);
        CSystemActions::Get().SetPowerOffTimeout(m_nPowerOffTimeout);
        m_bScreenSettingsChanged = FALSE;
    }
    StartTray(g_pTVEngine->StartTray);
    if (m_hMutex != NULL)
    {
        SaveOnExit();
        ::CloseHandle(m_hMutex);
        m_hMutex = NULL;
    }
    if (m_hResources != NULL)
    {
        AfxSetResourceHandle(m_hInstance);
        ::FreeLibrary(m_hResources);
        m_hResources = NULL;
    }
    if (m_bShutdownRequest)
        CSystemActions::Get().ShutdownWindows(EWX_SHUTDOWN | EWX_POWEROFF);
    if (m_bComStarted)
        ::CoUninitialize();
    if (m_bSocketsStarted)
        ::WSACleanup();
    return CWinApp::ExitInstance();
}

BOOL CTVApp::InitAppPath()
{
    GetModuleDirectory(m_strAppPath);
    return TRUE;
}

BOOL CTVApp::CheckSkinFiles()
{
    static const char* const kFiles[] = { "Skin.ini", "Drusk.dll", "ColorSkin.ini", "Velmora.dll" };
    BOOL ok = TRUE;
    for (const char* pszFile : kFiles)
        ok &= FileExists(m_strAppPath + "\\" + pszFile) ? TRUE : FALSE;
    return ok;
}

BOOL CTVApp::ArgumentsAskRecord(LPCSTR pszCommandLine)
{
    int argc = 0;
    LPWSTR* argv = NULL;
    // The arguments as the C runtime splits them; the first is the program.
    int length = ::MultiByteToWideChar(CP_ACP, 0, pszCommandLine, -1, NULL, 0);
    std::wstring text(length, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, pszCommandLine, -1, &text[0], length);
    argv = ::CommandLineToArgvW(text.c_str(), &argc);
    BOOL bRecord = FALSE;
    for (int i = 1; argv != NULL && i < argc; ++i)
    {
        LPCWSTR pszArg = argv[i];
        if (*pszArg == L'-' || *pszArg == L'/')
            ++pszArg;
        if (::lstrcmpiW(pszArg, L"Rec") == 0)
            bRecord = TRUE;
    }
    ::LocalFree(argv);
    return bRecord;
}

void CTVApp::ParseCommandLine() { m_bRecordStart = ArgumentsAskRecord(::GetCommandLineA()); }

BOOL CTVApp::LoadParameterFiles()
{
    CTVEngine* pEngine = g_pTVEngine;
    pEngine->InitFormatLists();
    pEngine->InitStringLists();
    pEngine->LoadSettings();
    pEngine->ApplyLoadedSettings();
    if (!pEngine->Initialize())
    {
        MessageBoxRes(NULL, IDS_DEVICE_OPEN_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
        pEngine->CloseDevice();
        return FALSE;
    }
    pEngine->ValidateSettings();
    return TRUE;
}

BOOL CTVApp::ShowSplash()
{
    CString path = m_strAppPath + "\\Splash.bmp";
    if (!FileExists(path))
        return FALSE;
    m_splash.LoadBitmapFile(path);
    m_splash.Show(NULL, FALSE, 0);
    return TRUE;
}

int CTVApp::MessageBoxRes(HWND hOwner, UINT nTextId, UINT nCaptionId, UINT uFlags)
{
    CString text, caption;
    AfxLoadString(nTextId, text);
    AfxLoadString(nCaptionId, caption);
    return ::MessageBoxA(hOwner, text, caption, uFlags);
}

int CTVApp::NotifyTray()
{
    HWND hTray = ::FindWindowA(NULL, kTrayTitle);
    if (hTray != NULL)
        ::PostMessageA(hTray, kTrayNotify, 0, 0);
    return 1;
}

BOOL CTVApp::StartTray(BOOL bEnabled)
{
    if (!bEnabled || ::FindWindowA(NULL, kTrayTitle) != NULL)
        return TRUE;
    CString path = m_strAppPath + "\\Wimbrel.exe";
    if (!FileExists(path))
        return FALSE;
    INT_PTR result = CSystemActions::Get().StartProgram(NULL, "Open", path, NULL, m_strAppPath, SW_SHOWNORMAL);
    if (result < 33)
        MessageBoxRes(NULL, IDS_TRAY_START_FAILED, IDS_APP_TITLE, MB_ICONINFORMATION);
    return TRUE;
}

void CTVApp::SaveOnExit()
{
    g_pTVEngine->SaveSettings();
    g_pTVEngine->SaveChannelFiles();
}

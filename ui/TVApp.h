#pragma once
#include "platform/afx/WinApp.h"
#include "skin/SplashWnd.h"

// The application: its InitInstance starts Ondrix and runs the video window modally; the user
// interface lives inside that modal loop. InitInstance always answers FALSE, so the framework goes
// straight on to ExitInstance, which undoes the start-up.
class CTVApp : public CWinApp
{
public:
    CTVApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    BOOL InitAppPath();
    const CString& GetAppPath() const { return m_strAppPath; }
    BOOL CheckSkinFiles();
    void ParseCommandLine();
    BOOL LoadParameterFiles();
    BOOL ShowSplash();
    void CloseSplash() { m_splash.Close(); }
    int MessageBoxRes(HWND hOwner, UINT nTextId, UINT nCaptionId, UINT uFlags);
    int NotifyTray();
    BOOL StartTray(BOOL bEnabled);
    void SetTrayAutoStart(BOOL bStart) { m_bTrayAutoStart = bStart; }
    void SetShutdownRequest(BOOL bShutdown) { m_bShutdownRequest = bShutdown; }
    void SaveOnExit();
    BOOL IsRecordStart() const { return m_bRecordStart; }
    CSplashWnd& Splash() { return m_splash; }

    // The arguments after the program name; TRUE when one of them asks to start recording.
    static BOOL ArgumentsAskRecord(LPCSTR pszCommandLine);

private:
    BOOL BringRunningInstanceForward();

    CString m_strAppPath;
    HANDLE m_hMutex;
    BOOL m_bShutdownRequest;
    CSplashWnd m_splash;
    HMODULE m_hResources;
    BOOL m_bRecordStart;
    BOOL m_bTrayAutoStart;
    int m_nPowerOffTimeout;
    BOOL m_bScreenSettingsChanged;
    BOOL m_bComStarted;
    BOOL m_bSocketsStarted;
};

CTVApp* GetTVApp();

#pragma once
#include <windows.h>

// What the application does to the machine beyond its own windows: the screen saver, the monitor
// power-off time-out, shutting Windows down and starting other programs. Everything goes through
// the one installed object, so tests can see the calls without changing the machine.
class CSystemActions
{
public:
    virtual ~CSystemActions() {}
    virtual BOOL SetScreenSaverActive(BOOL bActive);
    virtual int GetPowerOffTimeout();
    virtual BOOL SetPowerOffTimeout(int nSeconds);
    // ExitWindowsEx after the shut-down privilege is enabled.
    virtual BOOL ShutdownWindows(UINT uFlags);
    // ShellExecuteA's result as a number (above 32 on success).
    virtual INT_PTR StartProgram(HWND hOwner, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR pszParameters, LPCSTR pszFolder,
                                 int nShowCmd);

    // The installed object; the real one unless a test installed another.
    static CSystemActions& Get();
    static void Install(CSystemActions* pActions);
};

#include "ui/SystemActions.h"

#include <shellapi.h>

namespace
{
CSystemActions g_realActions;
CSystemActions* g_pActions = &g_realActions;
}  // namespace

CSystemActions& CSystemActions::Get() { return *g_pActions; }

void CSystemActions::Install(CSystemActions* pActions) { g_pActions = pActions != NULL ? pActions : &g_realActions; }

BOOL CSystemActions::SetScreenSaverActive(BOOL bActive)
{
    return ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, bActive, NULL, SPIF_SENDWININICHANGE);
}

int CSystemActions::GetPowerOffTimeout()
{
    int nSeconds = 0;
    ::SystemParametersInfoA(SPI_GETPOWEROFFTIMEOUT, 0, &nSeconds, 0);
    return nSeconds;
}

BOOL CSystemActions::SetPowerOffTimeout(int nSeconds)
{
    return ::SystemParametersInfoA(SPI_SETPOWEROFFTIMEOUT, nSeconds, NULL, SPIF_UPDATEINIFILE);
}

BOOL CSystemActions::ShutdownWindows(UINT uFlags)
{
    HANDLE hToken = NULL;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
    {
        TOKEN_PRIVILEGES privileges = {};
        ::LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        ::AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, NULL, NULL);
        ::CloseHandle(hToken);
    }
    return ::ExitWindowsEx(uFlags, 0);
}

INT_PTR CSystemActions::StartProgram(HWND hOwner, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR pszParameters,
                                     LPCSTR pszFolder, int nShowCmd)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(hOwner, pszVerb, pszFile, pszParameters, pszFolder, nShowCmd));
}

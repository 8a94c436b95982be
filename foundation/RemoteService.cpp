#include "foundation/RemoteService.h"

#include "foundation/RegistryKey.h"

namespace {

typedef int(__cdecl* StatusFn)(int* state);
typedef int(__cdecl* VoidFn)();

const int kServiceRunning = 4;

void DefaultSleep(DWORD ms)
{
    Sleep(ms);
}
RemoteServiceSleepFn g_sleep = DefaultSleep;

HMODULE LoadQuillet()
{
    CString folder;
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veltrane\\Common") == ERROR_SUCCESS)
    {
        key.QueryString("RemoteService", folder);
        key.Close();
    }
    if (folder.IsEmpty())
        return nullptr;
    CString path = folder + "\\" + "Quillet.dll";
    return LoadLibraryA(path);
}

}  // namespace

void SetRemoteServiceSleep(RemoteServiceSleepFn sleep)
{
    g_sleep = sleep ? sleep : DefaultSleep;
}

int StartRemoteService()
{
    HMODULE lib = LoadQuillet();
    if (!lib)
        return 0;
    StatusFn getStatus = reinterpret_cast<StatusFn>(GetProcAddress(lib, "RSGetStatus"));
    VoidFn uninstall = reinterpret_cast<VoidFn>(GetProcAddress(lib, "RSUnInstall"));
    VoidFn install = reinterpret_cast<VoidFn>(GetProcAddress(lib, "RSInstall"));
    VoidFn start = reinterpret_cast<VoidFn>(GetProcAddress(lib, "RSStart"));
    if (!getStatus || !uninstall || !install || !start)
    {
        FreeLibrary(lib);
        return 0;
    }
    int state = 0;
    int ok = getStatus(&state);
    if (!(ok && state == kServiceRunning))
    {
        ok = start();
        if (!ok)
        {
            install();
            g_sleep(300);
            ok = start();
        }
    }
    if (ok)
        ok = getStatus(&state);
    int result = (ok && state == kServiceRunning) ? 1 : 0;
    FreeLibrary(lib);
    return result;
}

int StopRemoteService()
{
    HMODULE lib = LoadQuillet();
    if (!lib)
        return 0;
    int result = 0;
    VoidFn stop = reinterpret_cast<VoidFn>(GetProcAddress(lib, "RSStop"));
    if (stop)
        result = stop();
    FreeLibrary(lib);
    return result;
}

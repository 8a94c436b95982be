#include "platform/ks/KsDeviceIo.h"

#include "platform/ks/ProcessSection.h"

namespace
{
enum { MAX_ROUTES = 64 };

struct RouteEntry
{
    HANDLE hDevice;
    PKSDEVICE_ROUTE pfnRoute;
    void* pContext;
};

// Lives in a section named after the process, so every module that links
// this file meets the same table.
struct RouteTable
{
    volatile LONG lock;
    RouteEntry entries[MAX_ROUTES];
};

void* volatile s_pTable = NULL;

RouteTable* OpenTable()
{
    return static_cast<RouteTable*>(OpenProcessSection("KsDeviceIoRoutes", sizeof(RouteTable), &s_pTable));
}

typedef HRESULT (WINAPI *PFN_KS_DEVICE_CONTROL)(HANDLE, ULONG, PVOID, ULONG, PVOID, ULONG, PULONG);
}

HRESULT WINAPI KsDeviceIoControl(HANDLE hDevice, ULONG ioControl, PVOID pIn, ULONG inLength,
                                 PVOID pOut, ULONG outLength, PULONG pReturned)
{
    PKSDEVICE_ROUTE pfnRoute = NULL;
    void* pContext = NULL;
    if (KsDeviceIoFindRoute(hDevice, &pfnRoute, &pContext) && pfnRoute != NULL)
    {
        ULONG cbReturned = 0;
        HRESULT hr = pfnRoute(pContext, ioControl, pIn, inLength, pOut, outLength, &cbReturned);
        if (pReturned != NULL)
            *pReturned = cbReturned;
        return hr;
    }
    // Only a file object can be a driver's: anything else would leave the
    // kernel call waiting for a completion that never comes.
    SetLastError(NO_ERROR);
    if (GetFileType(hDevice) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR)
        return HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE);
    static PFN_KS_DEVICE_CONTROL s_pfnKernel = NULL;
    if (s_pfnKernel == NULL)
    {
        HMODULE hKsProxy = LoadLibraryA("ksproxy.ax");
        if (hKsProxy != NULL)
            s_pfnKernel = reinterpret_cast<PFN_KS_DEVICE_CONTROL>(
                GetProcAddress(hKsProxy, "KsSynchronousDeviceControl"));
    }
    if (s_pfnKernel == NULL)
        return HRESULT_FROM_WIN32(ERROR_INVALID_FUNCTION);
    return s_pfnKernel(hDevice, ioControl, pIn, inLength, pOut, outLength, pReturned);
}

BOOL KsDeviceIoRegister(HANDLE hDevice, PKSDEVICE_ROUTE pfnRoute, void* pContext)
{
    RouteTable* pTable = OpenTable();
    if (pTable == NULL || hDevice == NULL || pfnRoute == NULL)
        return FALSE;
    CProcessSectionLock lock(&pTable->lock);
    int nFree = -1;
    for (int i = 0; i < MAX_ROUTES; ++i)
    {
        if (pTable->entries[i].hDevice == hDevice)
        {
            nFree = i;
            break;
        }
        if (nFree < 0 && pTable->entries[i].hDevice == NULL)
            nFree = i;
    }
    if (nFree < 0)
        return FALSE;
    pTable->entries[nFree].pfnRoute = pfnRoute;
    pTable->entries[nFree].pContext = pContext;
    pTable->entries[nFree].hDevice = hDevice;
    return TRUE;
}

void KsDeviceIoUnregister(HANDLE hDevice)
{
    RouteTable* pTable = OpenTable();
    if (pTable == NULL || hDevice == NULL)
        return;
    CProcessSectionLock lock(&pTable->lock);
    for (int i = 0; i < MAX_ROUTES; ++i)
    {
        if (pTable->entries[i].hDevice == hDevice)
        {
            pTable->entries[i].hDevice = NULL;
            pTable->entries[i].pfnRoute = NULL;
            pTable->entries[i].pContext = NULL;
        }
    }
}

BOOL KsDeviceIoFindRoute(HANDLE hDevice, PKSDEVICE_ROUTE* ppfnRoute, void** ppContext)
{
    RouteTable* pTable = OpenTable();
    if (pTable == NULL || hDevice == NULL)
        return FALSE;
    CProcessSectionLock lock(&pTable->lock);
    for (int i = 0; i < MAX_ROUTES; ++i)
    {
        if (pTable->entries[i].hDevice == hDevice)
        {
            *ppfnRoute = pTable->entries[i].pfnRoute;
            *ppContext = pTable->entries[i].pContext;
            return TRUE;
        }
    }
    return FALSE;
}

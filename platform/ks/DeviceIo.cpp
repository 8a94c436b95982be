#include "platform/ks/DeviceIo.h"

#include "platform/ks/ProcessSection.h"

#include <stddef.h>
#include <string.h>

#include <mutex>
#include <set>

namespace {
enum
{
    MAX_INTERFACES = 32,
    MAX_PATH_CHARS = 128
};

struct InterfaceEntry
{
    GUID interfaceClass;
    char path[MAX_PATH_CHARS];
    PKSDEVICE_ROUTE pfnRoute;
    void* pContext;
};

struct InterfaceTable
{
    volatile LONG lock;
    InterfaceEntry entries[MAX_INTERFACES];
};

void* volatile s_pTable = NULL;

InterfaceTable* OpenTable()
{
    return static_cast<InterfaceTable*>(OpenProcessSection("DeviceIoInterfaces", sizeof(InterfaceTable), &s_pTable));
}

// A set of simulated interfaces of one class, as its HDEVINFO.
struct SimulatedSet
{
    GUID interfaceClass;
};

std::mutex s_setsLock;
std::set<HDEVINFO> s_sets;

SimulatedSet* FindSet(HDEVINFO hSet)
{
    std::lock_guard<std::mutex> lock(s_setsLock);
    return s_sets.count(hSet) != 0 ? static_cast<SimulatedSet*>(hSet) : NULL;
}

// The index-th registered interface of the class; FALSE past the last.
BOOL FindInterface(const GUID& interfaceClass, DWORD index, InterfaceEntry* pEntry)
{
    InterfaceTable* pTable = OpenTable();
    if (pTable == NULL)
        return FALSE;
    CProcessSectionLock lock(&pTable->lock);
    for (int i = 0; i < MAX_INTERFACES; ++i)
    {
        const InterfaceEntry& entry = pTable->entries[i];
        if (entry.path[0] != '\0' && entry.interfaceClass == interfaceClass && index-- == 0)
        {
            *pEntry = entry;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL FindPath(LPCSTR pszPath, InterfaceEntry* pEntry)
{
    InterfaceTable* pTable = OpenTable();
    if (pTable == NULL || pszPath == NULL)
        return FALSE;
    CProcessSectionLock lock(&pTable->lock);
    for (int i = 0; i < MAX_INTERFACES; ++i)
    {
        if (pTable->entries[i].path[0] != '\0' && lstrcmpiA(pTable->entries[i].path, pszPath) == 0)
        {
            *pEntry = pTable->entries[i];
            return TRUE;
        }
    }
    return FALSE;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}
}  // namespace

HDEVINFO WINAPI DevIoGetClassDevs(const GUID* pClass, PCSTR pszEnumerator, HWND hWndParent, DWORD flags)
{
    InterfaceEntry entry;
    if (pClass == NULL || (flags & DIGCF_DEVICEINTERFACE) == 0 || !FindInterface(*pClass, 0, &entry))
        return SetupDiGetClassDevsA(pClass, pszEnumerator, hWndParent, flags);
    SimulatedSet* pSet = new SimulatedSet;
    pSet->interfaceClass = *pClass;
    std::lock_guard<std::mutex> lock(s_setsLock);
    s_sets.insert(pSet);
    return pSet;
}

BOOL WINAPI DevIoEnumDeviceInterfaces(HDEVINFO hSet, PSP_DEVINFO_DATA pDevice, const GUID* pClass, DWORD index,
                                      PSP_DEVICE_INTERFACE_DATA pInterface)
{
    SimulatedSet* pSet = FindSet(hSet);
    if (pSet == NULL)
        return SetupDiEnumDeviceInterfaces(hSet, pDevice, pClass, index, pInterface);
    if (pInterface == NULL || pInterface->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return Fail(ERROR_INVALID_USER_BUFFER);
    InterfaceEntry entry;
    if (pClass == NULL || *pClass != pSet->interfaceClass || !FindInterface(*pClass, index, &entry))
        return Fail(ERROR_NO_MORE_ITEMS);
    pInterface->InterfaceClassGuid = *pClass;
    pInterface->Flags = SPINT_ACTIVE;
    // Which of the class's interfaces this is.
    pInterface->Reserved = index + 1;
    return TRUE;
}

BOOL WINAPI DevIoGetDeviceInterfaceDetail(HDEVINFO hSet, PSP_DEVICE_INTERFACE_DATA pInterface,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A pDetail, DWORD cbDetail,
                                          PDWORD pcbRequired, PSP_DEVINFO_DATA pDevice)
{
    SimulatedSet* pSet = FindSet(hSet);
    if (pSet == NULL)
        return SetupDiGetDeviceInterfaceDetailA(hSet, pInterface, pDetail, cbDetail, pcbRequired, pDevice);
    InterfaceEntry entry;
    if (pInterface == NULL || pInterface->Reserved == 0 ||
        !FindInterface(pSet->interfaceClass, static_cast<DWORD>(pInterface->Reserved - 1), &entry))
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD cbRequired =
        static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + strlen(entry.path) + 1);
    if (pcbRequired != NULL)
        *pcbRequired = cbRequired;
    if (pDetail == NULL && cbDetail == 0)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (pDetail == NULL || pDetail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return Fail(ERROR_INVALID_USER_BUFFER);
    if (cbDetail < cbRequired)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    strcpy(pDetail->DevicePath, entry.path);
    return TRUE;
}

BOOL WINAPI DevIoDestroyDeviceInfoList(HDEVINFO hSet)
{
    SimulatedSet* pSet = FindSet(hSet);
    if (pSet == NULL)
        return SetupDiDestroyDeviceInfoList(hSet);
    {
        std::lock_guard<std::mutex> lock(s_setsLock);
        s_sets.erase(hSet);
    }
    delete pSet;
    return TRUE;
}

HANDLE WINAPI DevIoCreateFile(LPCSTR pszPath, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES pSecurity,
                              DWORD disposition, DWORD attributes, HANDLE hTemplate)
{
    InterfaceEntry entry;
    if (!FindPath(pszPath, &entry))
        return CreateFileA(pszPath, access, share, pSecurity, disposition, attributes, hTemplate);
    // Each opening is a handle of its own, served by the driver's route.
    HANDLE hDevice = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (hDevice == NULL)
        return INVALID_HANDLE_VALUE;
    if (!KsDeviceIoRegister(hDevice, entry.pfnRoute, entry.pContext))
    {
        CloseHandle(hDevice);
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return INVALID_HANDLE_VALUE;
    }
    return hDevice;
}

BOOL WINAPI DevIoControl(HANDLE hDevice, DWORD code, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut,
                         LPDWORD pcbReturned, LPOVERLAPPED pOverlapped)
{
    PKSDEVICE_ROUTE pfnRoute = NULL;
    void* pContext = NULL;
    if (!KsDeviceIoFindRoute(hDevice, &pfnRoute, &pContext) || pfnRoute == NULL)
        return DeviceIoControl(hDevice, code, pIn, cbIn, pOut, cbOut, pcbReturned, pOverlapped);
    ULONG cbReturned = 0;
    HRESULT hr = pfnRoute(pContext, code, pIn, cbIn, pOut, cbOut, &cbReturned);
    if (pcbReturned != NULL)
        *pcbReturned = cbReturned;
    if (FAILED(hr))
        return Fail(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : ERROR_GEN_FAILURE);
    return TRUE;
}

BOOL WINAPI DevIoCloseHandle(HANDLE hDevice)
{
    PKSDEVICE_ROUTE pfnRoute = NULL;
    void* pContext = NULL;
    if (KsDeviceIoFindRoute(hDevice, &pfnRoute, &pContext))
        KsDeviceIoUnregister(hDevice);
    return CloseHandle(hDevice);
}

BOOL DevIoRegisterInterface(const GUID& interfaceClass, LPCSTR pszPath, PKSDEVICE_ROUTE pfnRoute, void* pContext)
{
    InterfaceTable* pTable = OpenTable();
    if (pTable == NULL || pszPath == NULL || pszPath[0] == '\0' || strlen(pszPath) >= MAX_PATH_CHARS ||
        pfnRoute == NULL)
        return FALSE;
    CProcessSectionLock lock(&pTable->lock);
    int nFree = -1;
    for (int i = 0; i < MAX_INTERFACES; ++i)
    {
        if (lstrcmpiA(pTable->entries[i].path, pszPath) == 0)
        {
            nFree = i;
            break;
        }
        if (nFree < 0 && pTable->entries[i].path[0] == '\0')
            nFree = i;
    }
    if (nFree < 0)
        return FALSE;
    InterfaceEntry& entry = pTable->entries[nFree];
    entry.interfaceClass = interfaceClass;
    entry.pfnRoute = pfnRoute;
    entry.pContext = pContext;
    strcpy(entry.path, pszPath);
    return TRUE;
}

void DevIoUnregisterInterface(LPCSTR pszPath)
{
    InterfaceTable* pTable = OpenTable();
    if (pTable == NULL || pszPath == NULL)
        return;
    CProcessSectionLock lock(&pTable->lock);
    for (int i = 0; i < MAX_INTERFACES; ++i)
    {
        if (lstrcmpiA(pTable->entries[i].path, pszPath) == 0)
            memset(&pTable->entries[i], 0, sizeof(pTable->entries[i]));
    }
}

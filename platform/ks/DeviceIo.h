#pragma once

#include <windows.h>
#include <setupapi.h>

#include "platform/ks/KsDeviceIo.h"

// Device-interface enumeration (SetupAPI), CreateFileA and DeviceIoControl in
// our own hands. A simulated driver registers its device interface by class
// and path: enumerating a class that has such interfaces lists them in the
// order they were registered, opening a path gives a handle whose requests go
// to the driver's route on the caller's thread. A route's failure HRESULT
// comes back as the Win32 error it carries. Everything else is the
// system's. Registrations are shared by every module of the process.
HDEVINFO WINAPI DevIoGetClassDevs(const GUID* pClass, PCSTR pszEnumerator, HWND hWndParent, DWORD flags);
BOOL WINAPI DevIoEnumDeviceInterfaces(HDEVINFO hSet, PSP_DEVINFO_DATA pDevice, const GUID* pClass, DWORD index,
                                      PSP_DEVICE_INTERFACE_DATA pInterface);
BOOL WINAPI DevIoGetDeviceInterfaceDetail(HDEVINFO hSet, PSP_DEVICE_INTERFACE_DATA pInterface,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A pDetail, DWORD cbDetail,
                                          PDWORD pcbRequired, PSP_DEVINFO_DATA pDevice);
BOOL WINAPI DevIoDestroyDeviceInfoList(HDEVINFO hSet);
HANDLE WINAPI DevIoCreateFile(LPCSTR pszPath, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES pSecurity,
                              DWORD disposition, DWORD attributes, HANDLE hTemplate);
BOOL WINAPI DevIoControl(HANDLE hDevice, DWORD code, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut,
                         LPDWORD pcbReturned, LPOVERLAPPED pOverlapped);
BOOL WINAPI DevIoCloseHandle(HANDLE hDevice);

// FALSE when the path is empty or too long, or the table is full.
BOOL DevIoRegisterInterface(const GUID& interfaceClass, LPCSTR pszPath, PKSDEVICE_ROUTE pfnRoute, void* pContext);
void DevIoUnregisterInterface(LPCSTR pszPath);

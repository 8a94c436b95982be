#pragma once

#include <windows.h>

// KsSynchronousDeviceControl in our own hands. A driver object's handle is
// served by its kernel driver; a simulated driver registers a route for the
// handle it hands out, and requests on that handle are given to the route on
// the caller's thread, as a synchronous device control would be. Routes are
// shared by every module of the process (the program and the filter DLLs).
typedef HRESULT (*PKSDEVICE_ROUTE)(void* pContext, ULONG ioControl, void* pIn, ULONG inLength,
                                   void* pOut, ULONG outLength, ULONG* pReturned);

HRESULT WINAPI KsDeviceIoControl(HANDLE hDevice, ULONG ioControl, PVOID pIn, ULONG inLength,
                                 PVOID pOut, ULONG outLength, PULONG pReturned);

// FALSE when the handle is null or the table is full.
BOOL KsDeviceIoRegister(HANDLE hDevice, PKSDEVICE_ROUTE pfnRoute, void* pContext);
void KsDeviceIoUnregister(HANDLE hDevice);
// The route registered for a handle; FALSE when none is.
BOOL KsDeviceIoFindRoute(HANDLE hDevice, PKSDEVICE_ROUTE* ppfnRoute, void** ppContext);

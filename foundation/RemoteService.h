#pragma once
#include <windows.h>

// Starts the maker's remote-control service through Quillet.dll, found in the folder named by
// HKLM "SOFTWARE\Veltrane\Common" "RemoteService"; 1 when the service runs at the end, else 0.
// The library is loaded for the call and freed again.
int StartRemoteService();
// The result of the library's stop function, or 0.
int StopRemoteService();

// The pause between an install and the second start; tests replace it.
typedef void (*RemoteServiceSleepFn)(DWORD milliseconds);
void SetRemoteServiceSleep(RemoteServiceSleepFn sleep);

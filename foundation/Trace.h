#pragma once
#include <windows.h>

// Sends a printf-style line to the outside debugging window titled "DebugHelper " (with the blank);
// 1 when sent, 0 when no such window is open (nothing is formatted then).
int DebugHelperTrace(LPCSTR format, ...);
// Diagnostic lines that are deliberately sent nowhere.
int NullTrace(LPCSTR format, ...);

#pragma once
#include <windows.h>
#include <utility>

#include "platform/afx/String.h"

// Sends a printf-style line to the outside debugging window titled "DebugHelper " (with the blank);
// 1 when sent, 0 when no such window is open (nothing is formatted then).
int DebugHelperTraceRaw(LPCSTR format, ...);
template <class... Args>
inline int DebugHelperTrace(LPCSTR format, Args&&... args)
{
    return DebugHelperTraceRaw(format, AfxFormatArg(std::forward<Args>(args))...);
}

// Diagnostic lines that are deliberately sent nowhere.
template <class... Args>
inline int NullTrace(LPCSTR, Args&&...)
{
    return 0;
}

#pragma once
// This thread's visible dialog box: other programs on the same display have theirs.
#include <windows.h>

inline HWND ThreadDialog()
{
    HWND found = NULL;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) WINAPI -> BOOL {
            char name[16] = "";
            GetClassNameA(hwnd, name, sizeof(name));
            if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(hwnd))
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

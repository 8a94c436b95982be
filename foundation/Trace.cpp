#include "foundation/Trace.h"

#include <cstdarg>

namespace {
HWND g_debugWindow = nullptr;
}

int DebugHelperTraceRaw(LPCSTR format, ...)
{
    if (!g_debugWindow || !IsWindow(g_debugWindow))
        g_debugWindow = FindWindowA(nullptr, "DebugHelper ");
    if (!g_debugWindow)
        return 0;

    CString line;
    try
    {
        va_list args;
        va_start(args, format);
        line.FormatV(format, args);
        va_end(args);
    }
    catch (...)
    {
        line = "DebugHelper输出字符串格式错误!";
    }
    SendMessageA(g_debugWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(line)));
    return 1;
}

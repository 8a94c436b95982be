#include "foundation/TimedMessageBox.h"

#include <cstdio>

#include "platform/afx/String.h"

namespace {

UINT g_tickMs = 1000;
HWND g_owner = nullptr;
int g_secondsLeft = 0;
BOOL g_titleSaved = FALSE;
char g_savedTitle[MAX_PATH];

BOOL CALLBACK FindDialogOfThread(HWND wnd, LPARAM found)
{
    char cls[16] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(wnd) && IsWindowEnabled(wnd))
        *reinterpret_cast<HWND*>(found) = wnd;
    return TRUE;
}

// The box is the owner's last active pop-up; without an owner, the open dialog of this thread.
HWND FindBox()
{
    if (g_owner)
    {
        HWND popup = GetLastActivePopup(g_owner);
        if (popup && popup != g_owner)
            return popup;
    }
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK CountDown(HWND, UINT, UINT_PTR, DWORD)
{
    --g_secondsLeft;
    if (g_secondsLeft > 0)
    {
        HWND box = FindBox();
        if (!box)
            return;
        if (!g_titleSaved)
        {
            GetWindowTextA(box, g_savedTitle, MAX_PATH);
            g_titleSaved = TRUE;
        }
        char title[64];
        std::snprintf(title, sizeof title, "Left Seconds: %d", g_secondsLeft);
        SetWindowTextA(box, title);
    }
    else if (g_secondsLeft == 0)
    {
        g_savedTitle[0] = '\0';
        // One quit ends the box's modal loop; the other tells the caller that time ran out.
        PostQuitMessage(0);
        PostQuitMessage(0);
    }
}

}  // namespace

void SetTimedMessageBoxTick(UINT milliseconds)
{
    g_tickMs = milliseconds ? milliseconds : 1000;
}

int TimedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, int defaultResult, UINT style, UINT timeoutMs)
{
    g_secondsLeft = static_cast<int>(timeoutMs / 1000) + 1;
    g_titleSaved = FALSE;
    UINT_PTR timer = SetTimer(nullptr, 0, g_tickMs, CountDown);
    g_owner = owner ? owner : GetActiveWindow();
    int result = MessageBoxA(g_owner, text, caption, style);
    KillTimer(nullptr, timer);
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return defaultResult;
    return result;
}

int TimedMessageBoxRes(HWND owner, UINT textId, UINT captionId, int defaultResult, UINT style, UINT timeoutMs)
{
    CString text, caption;
    text.LoadString(textId);
    caption.LoadString(captionId);
    return TimedMessageBox(owner, text, caption, defaultResult, style, timeoutMs);
}

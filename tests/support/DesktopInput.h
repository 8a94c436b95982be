#pragma once
// A user's hands for window tests: real mouse and keyboard input through SendInput, and a message
// pump that runs until the window shows what the input should have done. Test programs that use it
// take turns on the one desktop (DESKTOP_INPUT in their CMakeLists).
#include <windows.h>

#include <functional>
#include <initializer_list>

#include "platform/afx/Wnd.h"

namespace desktop {

// Dispatches every waiting message, with the framework's pre-translation.
inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// Pumps until done() holds; FALSE when it still does not after timeoutMs. The wait is for
// messages (mouse-leave tracking polls on a timer), never a fixed sleep.
inline BOOL PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        Pump();
        if (done())
            return TRUE;
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= timeoutMs)
            return FALSE;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    }
}

inline void SendMouse(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof input);
}

// Client point of the window on the screen.
inline POINT OnScreen(HWND window, int x, int y)
{
    POINT point = { x, y };
    ::ClientToScreen(window, &point);
    return point;
}

inline void MoveTo(HWND window, int x, int y)
{
    SendMouse(0, OnScreen(window, x, y));
    Pump();
}

inline void Press(HWND window, int x, int y)
{
    SendMouse(MOUSEEVENTF_LEFTDOWN, OnScreen(window, x, y));
    Pump();
}

inline void Release(HWND window, int x, int y)
{
    SendMouse(MOUSEEVENTF_LEFTUP, OnScreen(window, x, y));
    Pump();
}

inline void Click(HWND window, int x, int y)
{
    Press(window, x, y);
    Release(window, x, y);
}

inline void SendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

// Presses the keys in order and holds them.
inline void Hold(std::initializer_list<WORD> keys)
{
    for (WORD key : keys)
        SendKey(key, false);
    Pump();
}

// Lets go of the keys in order.
inline void LetGo(std::initializer_list<WORD> keys)
{
    for (WORD key : keys)
        SendKey(key, true);
    Pump();
}

// Brings the window up and gives the control the keyboard; TRUE when it has it.
inline BOOL Focus(HWND topLevel, HWND control)
{
    ::SetForegroundWindow(topLevel);
    ::SetFocus(control);
    return PumpUntil([&] { return ::GetFocus() == control; }, 2000);
}

// The pixel the window shows at a client point.
inline COLORREF PixelAt(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return color;
}

}  // namespace desktop

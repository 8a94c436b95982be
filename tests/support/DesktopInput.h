#pragma once
// A user's hands for window tests: real mouse input through SendInput, the keyboard's messages, and
// a message pump that runs until the window shows what the input should have done. Test programs
// that move the mouse take turns on the one desktop (DESKTOP_INPUT in their CMakeLists).
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

// Keys as the keyboard gives them to the window that has the focus: the key messages (system key
// messages while Alt is held) with their scan codes, and the thread's key state updated as the
// thread would see it for each. Unlike SendInput, no other program's window can take them.
class Keyboard
{
public:
    explicit Keyboard(HWND focus) : m_focus(focus) { ::GetKeyboardState(m_state); }

    void Down(WORD key) { Send(key, false); }
    void Up(WORD key) { Send(key, true); }

private:
    void Send(WORD key, bool up)
    {
        const bool alt = (m_state[VK_MENU] & 0x80) != 0;
        const bool ctrl = (m_state[VK_CONTROL] & 0x80) != 0;
        const UINT scan = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
        LPARAM lParam = 1 | (static_cast<LPARAM>(scan) << 16);
        if (alt || key == VK_MENU)
            lParam |= 1 << 29;
        if (up)
            lParam |= (1u << 30) | (1u << 31);
        // Alt with another key, or Alt itself, makes system key messages; with Ctrl too it does not.
        const bool system = (alt || key == VK_MENU) && !ctrl;
        const UINT message = system ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
        SetState(key, !up);
        if (key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU)
            SetState(key == VK_CONTROL ? VK_LCONTROL : key == VK_SHIFT ? VK_LSHIFT : VK_LMENU, !up);
        ::SetKeyboardState(m_state);
        ::PostMessageA(m_focus, message, key, lParam);
        Pump();
    }
    void SetState(WORD key, bool down) { m_state[key] = down ? 0x80 : 0; }

    HWND m_focus;
    BYTE m_state[256];
};

// The pixel the window shows at a client point.
inline COLORREF PixelAt(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return color;
}

}  // namespace desktop

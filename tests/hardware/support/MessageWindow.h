#pragma once

#include <windows.h>

#include <vector>

// A real top-level window (hidden) that records the messages of a range that
// are posted to it. Pump() runs the thread's message loop until a message of
// the given number arrives or the time-out passes.
class CMessageWindow
{
public:
    struct Posted
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    CMessageWindow(UINT firstMessage, UINT lastMessage);
    ~CMessageWindow();

    HWND Handle() const { return m_hWnd; }
    // TRUE when the message arrived within the time-out.
    BOOL PumpUntil(UINT message, DWORD timeoutMs);
    // Handles whatever is queued now, without waiting.
    void PumpPending();
    const std::vector<Posted>& Messages() const { return m_messages; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    UINT m_first;
    UINT m_last;
    std::vector<Posted> m_messages;
};

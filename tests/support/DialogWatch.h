#pragma once
// Watches the dialog boxes this thread shows, as a user sees them come up: every message box is
// recorded (caption and text) and answered with the button the test chose; any other dialog is
// handed to the test's callback once, from the dialog's own message loop just after it first
// shows, so the test can fill it in and press its buttons as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CDialogWatch
{
public:
    struct Box
    {
        std::string caption;
        std::string text;
    };

    explicit CDialogWatch(int answer = IDOK) : m_answer(answer)
    {
        s_pWatch = this;
        m_hook = ::SetWindowsHookExA(WH_CBT, &CDialogWatch::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CDialogWatch()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_pWatch = nullptr;
    }

    void SetAnswer(int answer) { m_answer = answer; }
    // Called for each new dialog that is not a message box.
    std::function<void(HWND)> onDialog;
    std::vector<Box> boxes;

private:
    static bool IsMessageBox(HWND hWnd) { return ::GetDlgItem(hWnd, 0xFFFF) != nullptr; }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        CDialogWatch* self = s_pWatch;
        if (code == HCBT_ACTIVATE && self != nullptr)
        {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            char name[16] = "";
            ::GetClassNameA(hWnd, name, sizeof name);
            if (lstrcmpA(name, "#32770") == 0 && ::GetPropA(hWnd, "DialogWatchSeen") == nullptr)
            {
                ::SetPropA(hWnd, "DialogWatchSeen", reinterpret_cast<HANDLE>(1));
                if (IsMessageBox(hWnd))
                {
                    char caption[256] = "";
                    char text[1024] = "";
                    ::GetWindowTextA(hWnd, caption, sizeof caption);
                    ::GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
                    self->boxes.push_back({ caption, text });
                    ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(self->m_answer, BN_CLICKED), 0);
                }
                else if (self->onDialog)
                {
                    self->m_pending.push_back(hWnd);
                    ::SetTimer(nullptr, 0, 0, &CDialogWatch::Run);
                }
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        CDialogWatch* self = s_pWatch;
        while (self != nullptr && !self->m_pending.empty())
        {
            HWND hWnd = self->m_pending.front();
            if (::IsWindow(hWnd) && !::IsWindowVisible(hWnd))
            {
                // Activated before it shows: the user sees it a moment later.
                ::SetTimer(nullptr, 0, 10, &CDialogWatch::Run);
                return;
            }
            self->m_pending.erase(self->m_pending.begin());
            if (!::IsWindow(hWnd))
                continue;
            self->onDialog(hWnd);
            // A test that gave up half way leaves the dialog to close, not to wait for ever.
            if (::testing::Test::HasFatalFailure() && ::IsWindow(hWnd))
                ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }

    HHOOK m_hook;
    std::vector<HWND> m_pending;
    int m_answer;
    static inline CDialogWatch* s_pWatch = nullptr;
};

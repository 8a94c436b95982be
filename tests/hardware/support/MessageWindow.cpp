#include "tests/hardware/support/MessageWindow.h"

namespace
{
const char WINDOW_CLASS[] = "HardwareTestMessageWindow";
}

CMessageWindow::CMessageWindow(UINT firstMessage, UINT lastMessage)
    : m_hWnd(NULL), m_first(firstMessage), m_last(lastMessage)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CMessageWindow::WindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&wc);
    m_hWnd = CreateWindowA(WINDOW_CLASS, "scan", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                           wc.hInstance, NULL);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CMessageWindow::~CMessageWindow()
{
    if (m_hWnd != NULL)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CMessageWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMessageWindow* pThis = reinterpret_cast<CMessageWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pThis != NULL && message >= pThis->m_first && message <= pThis->m_last)
    {
        Posted posted = { message, wParam, lParam };
        pThis->m_messages.push_back(posted);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void CMessageWindow::PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL CMessageWindow::PumpUntil(UINT message, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;)
    {
        PumpPending();
        for (size_t i = 0; i < m_messages.size(); ++i)
        {
            if (m_messages[i].message == message)
                return TRUE;
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return FALSE;
        MsgWaitForMultipleObjects(0, NULL, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

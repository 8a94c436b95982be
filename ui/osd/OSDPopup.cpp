#include "ui/osd/OSDPopup.h"

void OsdShowPopup(CWnd& wnd, BOOL show, UINT autoHideMs, UINT_PTR timer)
{
    if (!wnd.m_hWnd)
        return;
    if (show)
    {
        // Above the video renderer's window, which joins the video window after the texts do.
        wnd.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (autoHideMs > 0)
            wnd.SetTimer(timer, autoHideMs);
    }
    else
    {
        wnd.ShowWindow(SW_HIDE);
        wnd.KillTimer(timer);
    }
}

void OsdSetAutoHide(CWnd& wnd, UINT autoHideMs, UINT_PTR timer)
{
    if (!wnd.m_hWnd)
        return;
    if (autoHideMs)
        wnd.SetTimer(timer, autoHideMs);
    else
        wnd.KillTimer(timer);
}

BOOL OsdCreatePopup(CWnd& wnd, CWnd* pParent, LOGFONTA& font)
{
    if (!wnd.CreateEx(0, nullptr, "", WS_POPUP | WS_CHILD, 0, 0, 0, 0, pParent ? pParent->m_hWnd : nullptr, nullptr))
        return FALSE;
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    return stock && ::GetObjectA(stock, sizeof font, &font);
}

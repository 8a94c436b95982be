#include "MenuTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "skin/NewMenu.h"

HINSTANCE UseResourceLibrary()
{
    static HINSTANCE library = ::LoadLibraryA("OndrixRsc.dll");
    AfxSetResourceHandle(library);
    return library;
}

CPixels::CPixels(HDC hSource, int x, int y, int width, int height) : m_width(width), m_height(height)
{
    void* bits = nullptr;
    HDC hMemory = ::CreateCompatibleDC(hSource);
    HBITMAP hBitmap = MakeDib(width, height, &bits);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    ::BitBlt(hMemory, 0, 0, width, height, hSource, x, y, SRCCOPY);
    ::GdiFlush();
    m_bits.assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
}

COLORREF CPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const DWORD bgr = m_bits[y * m_width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int CPixels::FirstColumnNot(COLORREF background, int left, int right, int top, int bottom) const
{
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (At(x, y) != background)
                return x;
    return -1;
}

int CPixels::LastColumnNot(COLORREF background, int left, int right, int top, int bottom) const
{
    for (int x = right - 1; x >= left; --x)
        for (int y = top; y < bottom; ++y)
            if (At(x, y) != background)
                return x;
    return -1;
}

BOOL CPixels::Contains(COLORREF color, const RECT& rect) const
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (At(x, y) == color)
                return TRUE;
    return FALSE;
}

void CPixels::Save(const char* name) const
{
    const std::string folder = std::string(ONDRIX_BINARY_DIR) + "/menu-shots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    FILE* file = std::fopen((folder + "/" + name + ".bmp").c_str(), "wb");
    if (!file)
        return;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = m_width;
    header.biHeight = -m_height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD size = static_cast<DWORD>(m_bits.size() * sizeof(DWORD));
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + size;
    std::fwrite(&fileHeader, sizeof fileHeader, 1, file);
    std::fwrite(&header, sizeof header, 1, file);
    std::fwrite(m_bits.data(), size, 1, file);
    std::fclose(file);
}

CPixels CaptureWindow(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    HDC hDC = ::GetWindowDC(hWnd);
    CPixels pixels(hDC, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
    ::ReleaseDC(hWnd, hDC);
    return pixels;
}

CPixels CaptureScreen(const RECT& rect)
{
    HDC hDC = ::GetDC(nullptr);
    CPixels pixels(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ::ReleaseDC(nullptr, hDC);
    return pixels;
}

namespace {

BOOL CALLBACK CollectMenuWindow(HWND hWnd, LPARAM lParam)
{
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (lstrcmpA(className, "#32768") == 0 && ::IsWindowVisible(hWnd) &&
        ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId())
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> OpenMenuWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HMENU MenuOfWindow(HWND hMenuWnd)
{
    return reinterpret_cast<HMENU>(::SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0));
}

BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
ON_WM_TIMER()
ON_WM_MENUCHAR()
END_MESSAGE_MAP()

CMenuOwner::CMenuOwner()
{
}

BOOL CMenuOwner::CreateOwner()
{
    // Above every ordinary window, so that what its menus' shadows darken is this white and not a
    // window another test program shows on the shared display.
    return CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))), "menus",
                    WS_POPUP | WS_VISIBLE, 0, 0, 800, 720, nullptr, nullptr);
}

UINT CMenuOwner::Track(CMenu* pMenu, int x, int y, std::vector<std::function<void()>> steps)
{
    m_steps = std::move(steps);
    m_nNext = 0;
    // An open menu takes every mouse message of the display, and a mouse over it selects the item
    // beneath: the pointer rests in the far corner, away from this window and its menus, so only
    // the keys choose.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    // The window is painted and on the display before the menu opens over it (the system puts
    // painted windows on the display when its queue runs empty).
    UpdateWindow();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    SetTimer(1, 20);
    const UINT nCommand =
        static_cast<UINT>(pMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, this));
    KillTimer(1);
    EXPECT_EQ(m_steps.size(), m_nNext) << "the menu closed before its last step";
    m_steps.clear();
    return nCommand;
}

void CMenuOwner::OnTimer(UINT_PTR)
{
    if (m_nNext < m_steps.size())
    {
        m_steps[m_nNext++]();
        return;
    }
    ADD_FAILURE() << "the menu stayed open after its last step";
    ::EndMenu();
}

void CMenuOwner::Key(UINT vk)
{
    PostMessage(WM_KEYDOWN, vk, 1);
    PostMessage(WM_KEYUP, vk, 0xC0000001);
}

void CMenuOwner::Char(char ch)
{
    PostMessage(WM_CHAR, static_cast<BYTE>(ch), 1);
}

LRESULT CMenuOwner::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    return m_bRouteMenuChar ? CNewMenu::OnMenuChar(nChar, nFlags, pMenu) : Default();
}

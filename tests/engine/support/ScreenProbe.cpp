#include "tests/engine/support/ScreenProbe.h"

#include "platform/standins/videokit/PictureFile.h"

#include <math.h>
#include <stdio.h>

CScreenShot CScreenShot::OfClient(HWND hwnd)
{
    RECT rc;
    if (!GetClientRect(hwnd, &rc))
        return CScreenShot();
    // The window's own picture, child windows (the video renderer's) included:
    // what another program's window happens to cover on the shared display
    // does not count.
    return Copy(hwnd, 0, 0, rc.right, rc.bottom);
}

CScreenShot CScreenShot::OfScreen(const RECT& rect)
{
    return Copy(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

CScreenShot CScreenShot::Copy(HWND hwnd, int x, int y, int width, int height)
{
    CScreenShot shot;
    shot.m_width = width;
    shot.m_height = height;
    HDC hScreen = GetDC(hwnd);
    HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.m_width;
    info.bmiHeader.biHeight = -shot.m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, shot.m_width, shot.m_height, hScreen, x, y, SRCCOPY);
    GdiFlush();
    shot.m_bgr.resize(static_cast<size_t>(shot.m_width) * shot.m_height * 3);
    const BYTE* pSrc = static_cast<const BYTE*>(pBits);
    for (size_t i = 0; i < static_cast<size_t>(shot.m_width) * shot.m_height; ++i)
    {
        shot.m_bgr[i * 3] = pSrc[i * 4];
        shot.m_bgr[i * 3 + 1] = pSrc[i * 4 + 1];
        shot.m_bgr[i * 3 + 2] = pSrc[i * 4 + 2];
    }
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(hwnd, hScreen);
    return shot;
}

Rgb CScreenShot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return Rgb{ -1, -1, -1 };
    const BYTE* p = m_bgr.data() + (static_cast<size_t>(y) * m_width + x) * 3;
    return Rgb{ p[2], p[1], p[0] };
}

Rgb CScreenShot::Mean(int left, int top, int right, int bottom) const
{
    long long r = 0, g = 0, b = 0, n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            Rgb c = At(x, y);
            if (c.r < 0)
                continue;
            r += c.r;
            g += c.g;
            b += c.b;
            ++n;
        }
    if (n == 0)
        return Rgb{ -1, -1, -1 };
    return Rgb{ static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n) };
}

double CScreenShot::MeanLumaDifference(const CScreenShot& other, int left, int top, int right, int bottom) const
{
    double sum = 0;
    long n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            sum += abs(Luma(At(x, y)) - Luma(other.At(x, y)));
            ++n;
        }
    return n != 0 ? sum / n : 0;
}

double CScreenShot::LumaDeviation(int left, int top, int right, int bottom) const
{
    double sum = 0, sum2 = 0;
    long n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            double l = Luma(At(x, y));
            sum += l;
            sum2 += l * l;
            ++n;
        }
    if (n == 0)
        return 0;
    double mean = sum / n;
    return sqrt(sum2 / n - mean * mean);
}

BOOL CScreenShot::Save(const std::string& path) const
{
    std::wstring wide(path.begin(), path.end());
    return SUCCEEDED(WritePictureFile(wide.c_str(), m_bgr.data(), m_width, m_height, PICTURE_BMP, 0));
}

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;)
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

BOOL PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;)
    {
        if (condition())
            return TRUE;
        if (GetTickCount() - start >= timeoutMs)
            return FALSE;
        PumpFor(20);
    }
}

namespace
{
LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}

CTestWindow::CTestWindow(int x, int y, int width, int height, LPCSTR pszTitle)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "OndrixTestVideoWindow";
    RegisterClassA(&wc);
    RECT rc = { 0, 0, width, height };
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    AdjustWindowRect(&rc, style, FALSE);
    m_hwnd = CreateWindowExA(0, wc.lpszClassName, pszTitle, style, x, y, rc.right - rc.left, rc.bottom - rc.top,
                             NULL, NULL, wc.hInstance, NULL);
    // Shown without taking the foreground: the video needs no activation, and another program
    // on the display may be in the middle of a click.
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hwnd);
}

CTestWindow::~CTestWindow()
{
    DestroyWindow(m_hwnd);
}

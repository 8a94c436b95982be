// Stand-in for the outside teletext viewer: a window titled "PC Text Pro Light
// Version" showing one teletext page. Its top band holds the page selector: a
// click anywhere in it switches between the index page 100 and the subtitle
// page 888. The page number also stands in the child window PAGE_ID.
#include <windows.h>

#include <stdio.h>

namespace
{
const char kTitle[] = "PC Text Pro Light Version";
const char kClass[] = "VtxTeletextViewer";
const int kBandHeight = 60;
const int kPageId = 100;

int g_nPage = 100;

void ShowPage(HWND hwnd)
{
    char text[16];
    sprintf(text, "P%d", g_nPage);
    SetDlgItemTextA(hwnd, kPageId, text);
    InvalidateRect(hwnd, NULL, TRUE);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(hdc, &client, black);
    DeleteObject(black);
    RECT band = { 0, 0, client.right, kBandHeight };
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 160));
    FillRect(hdc, &band, blue);
    DeleteObject(blue);
    SetBkMode(hdc, TRANSPARENT);
    static const struct Line
    {
        COLORREF colour;
        const char* text;
    } kIndex[] = { { RGB(255, 255, 0), "INDEX" }, { RGB(0, 255, 255), "101 News" }, { RGB(0, 255, 0), "200 Sport" },
                   { RGB(255, 0, 255), "300 Weather" }, { RGB(255, 255, 255), "888 Subtitles" } },
      kSubtitles[] = { { RGB(255, 255, 255), "SUBTITLES" }, { RGB(255, 255, 0), "...and now the news." } };
    const Line* pLines = g_nPage == 888 ? kSubtitles : kIndex;
    int count = g_nPage == 888 ? 2 : 5;
    for (int i = 0; i < count; ++i)
    {
        SetTextColor(hdc, pLines[i].colour);
        TextOutA(hdc, 20, kBandHeight + 20 + i * 24, pLines[i].text, lstrlenA(pLines[i].text));
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 20, 80, 20, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageId)), NULL, NULL);
        ShowPage(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        if (HIWORD(lParam) < kBandHeight)
        {
            g_nPage = g_nPage == 100 ? 888 : 100;
            ShowPage(hwnd);
        }
        return 0;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nShow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kClass;
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 200,
                                200, 480, 360, NULL, NULL, hInstance, NULL);
    if (hwnd == NULL)
        return 1;
    ShowWindow(hwnd, nShow);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

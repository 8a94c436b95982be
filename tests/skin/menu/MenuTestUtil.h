#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/Wnd.h"
#include "tests/skin/PixelPictures.h"

// The resource library, loaded once and made the resource module.
HINSTANCE UseResourceLibrary();

// A copy of some pixels of a device context, read back without the context.
class CPixels
{
public:
    CPixels() = default;
    CPixels(HDC hSource, int x, int y, int width, int height);
    // All of a memory canvas.
    CPixels(const MemoryCanvas& canvas, int width, int height) : CPixels(canvas.dc(), 0, 0, width, height) {}
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The leftmost and rightmost columns in [left, right) of the rows [top, bottom) holding a pixel of
    // another colour than background; -1 when none.
    int FirstColumnNot(COLORREF background, int left, int right, int top, int bottom) const;
    int LastColumnNot(COLORREF background, int left, int right, int top, int bottom) const;
    BOOL Contains(COLORREF color, const RECT& rect) const;
    // Written as a BMP file under the build folder's "menu-shots" for a person to look at.
    void Save(const char* name) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_bits;
};

// The whole window as its own window context holds it.
CPixels CaptureWindow(HWND hWnd);
// A part of the screen as the display shows it.
CPixels CaptureScreen(const RECT& rect);

// The visible pop-up menu windows of the thread, the newest first.
std::vector<HWND> OpenMenuWindows();
// The menu a pop-up menu window shows.
HMENU MenuOfWindow(HWND hMenuWnd);

// The owner of the menus under test: a plain white window that routes the owner-drawn items to
// their menu objects, and runs one step per timer tick while a menu it tracks is open.
class CMenuOwner : public CWnd
{
public:
    CMenuOwner();
    BOOL CreateOwner();
    // Opens the menu at (x, y) and runs the steps, one a tick; the last step must close the menu.
    // The chosen command, or 0. Steps left over when the menu closed fail the test.
    UINT Track(CMenu* pMenu, int x, int y, std::vector<std::function<void()>> steps);
    // Keys reach the open menu as if typed.
    void Key(UINT vk);
    void Char(char ch);

    BOOL m_bRouteMenuChar = FALSE;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::function<void()>> m_steps;
    size_t m_nNext = 0;
};

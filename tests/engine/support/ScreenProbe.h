#pragma once
// What a window shows, read back from the window as a user would see it, and
// waiting for it to change without fixed sleeps: the message loop runs while
// the condition is polled, up to a deadline.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct Rgb
{
    int r, g, b;
};

class CScreenShot
{
public:
    // The client area of the window with its child windows.
    static CScreenShot OfClient(HWND hwnd);
    // What the display shows in the rectangle (screen coordinates), every window on it included.
    static CScreenShot OfScreen(const RECT& rect);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb At(int x, int y) const;
    // The mean colour of the rectangle (client coordinates, right and bottom excluded).
    Rgb Mean(int left, int top, int right, int bottom) const;
    // The mean of |a - b| over the luma of the rectangle's pixels against another shot.
    double MeanLumaDifference(const CScreenShot& other, int left, int top, int right, int bottom) const;
    // The standard deviation of the luma over the rectangle.
    double LumaDeviation(int left, int top, int right, int bottom) const;
    // Writes a 24-bit bitmap (for a person to look at).
    BOOL Save(const std::string& path) const;

private:
    static CScreenShot Copy(HWND hwnd, int x, int y, int width, int height);

    int m_width = 0;
    int m_height = 0;
    std::vector<BYTE> m_bgr;  // top-down rows, 3 bytes a pixel
};

inline int Luma(const Rgb& c)
{
    return (c.r * 299 + c.g * 587 + c.b * 114) / 1000;
}

// Runs the thread's messages until the condition holds or the time is out.
BOOL PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Runs the thread's messages for a number of rounds of at most ms each.
void PumpFor(DWORD ms);

// A plain top-level window with a client area of the size, at the position.
class CTestWindow
{
public:
    CTestWindow(int x, int y, int width, int height, LPCSTR pszTitle);
    ~CTestWindow();
    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

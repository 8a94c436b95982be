#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Small pictures drawn as rows of letters: G pure green, g almost green, R red, B blue, W white,
// K black, M magenta.
inline COLORREF LetterColor(char c)
{
    switch (c)
    {
    case 'G':
        return RGB(0, 255, 0);
    case 'g':
        return RGB(0, 254, 0);
    case 'R':
        return RGB(255, 0, 0);
    case 'B':
        return RGB(0, 0, 255);
    case 'W':
        return RGB(255, 255, 255);
    case 'M':
        return RGB(255, 0, 255);
    default:
        return RGB(0, 0, 0);
    }
}

// A 32-bit top-down DIB section (pixels 0x00RRGGBB, row after row); the caller deletes it.
inline HBITMAP MakeDib(int width, int height, void** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// A 32-bit top-down DIB section of the picture; the caller deletes it.
inline HBITMAP MakePicture(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = height ? static_cast<int>(rows[0].size()) : 0;
    void* bits = nullptr;
    HBITMAP bitmap = MakeDib(width, height, &bits);
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const COLORREF c = LetterColor(rows[y][x]);
            pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return bitmap;
}

// A memory device context drawing into its own 32-bit picture.
class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height, COLORREF fill)
    {
        m_dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = MakeDib(width, height, &bits);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = { 0, 0, width, height };
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

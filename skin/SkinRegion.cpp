#include "skin/SkinRegion.h"

namespace {

class TransparentProbe
{
public:
    TransparentProbe(HDC dc, int width, int height, COLORREF transparent)
        : m_dc(dc), m_width(width), m_height(height), m_transparent(transparent)
    {
    }

    // Pixels outside the bitmap are never transparent.
    bool operator()(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && ::GetPixel(m_dc, x, y) == m_transparent;
    }

private:
    HDC m_dc;
    int m_width;
    int m_height;
    COLORREF m_transparent;
};

void CutColumnRun(HRGN region, int x, int top, int bottom)
{
    HRGN run = ::CreateRectRgn(x, top, x + 1, bottom);
    // The run lies inside the region, so XOR takes it out.
    ::CombineRgn(region, region, run, RGN_XOR);
    ::DeleteObject(run);
}

}  // namespace

BOOL CreateSkinRegion(CGdiObject& region, HBITMAP bitmap, COLORREF transparent)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info))
        return FALSE;
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    if (region.GetSafeHandle())
        ::SetRectRgn(static_cast<HRGN>(region.GetSafeHandle()), 0, 0, width, height);
    else
        region.Attach(::CreateRectRgn(0, 0, width, height));
    HRGN shape = static_cast<HRGN>(region.GetSafeHandle());

    const TransparentProbe isTransparent(dc, width, height, transparent);
    for (int x = 0; x <= width; ++x)
    {
        int start = -1;
        int end = -1;
        int y = 0;
        while (y < height)
        {
            if (isTransparent(x, y))
            {
                if (start == -1)
                    start = isTransparent(x, y - 1) ? y - 1 : y;
                else
                    end = y;
                y += 2;
            }
            else if (start == -1)
            {
                y += 2;
            }
            else
            {
                end = isTransparent(x, y - 1) ? y : y - 1;
                CutColumnRun(shape, x, start, end);
                start = end = -1;
                y += 1;
            }
        }
        if (start != -1)
            CutColumnRun(shape, x, start, height);
    }

    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return TRUE;
}

#include "skin/SliderFace.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    const SIZE size = { info.bmWidth, info.bmHeight };
    return size;
}

void CopyBitmap(HDC target, int x, int y, HBITMAP bitmap)
{
    const SIZE size = BitmapSize(bitmap);
    HDC memory = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(target, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

}  // namespace

void DrawSliderFace(HDC target, const RECT& client, const SliderFace& face)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HDC back = ::CreateCompatibleDC(target);
    HBITMAP buffer = ::CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBuffer = ::SelectObject(back, buffer);

    CopyBitmap(back, 0, 0, face.track);
    if (face.band)
    {
        HBRUSH brush = ::CreateSolidBrush(face.bandColor);
        ::FillRect(back, face.band, brush);
        ::DeleteObject(brush);
    }
    if (face.thumbShape)
    {
        // The shape follows the thumb to wherever it stands, then goes back to the picture's origin.
        ::OffsetRgn(face.thumbShape, face.thumbRect.left, face.thumbRect.top);
        ::SelectClipRgn(back, face.thumbShape);
    }
    CopyBitmap(back, face.thumbRect.left, face.thumbRect.top, face.thumb);
    ::BitBlt(target, 0, 0, width, height, back, 0, 0, SRCCOPY);
    if (face.thumbShape)
        ::OffsetRgn(face.thumbShape, -face.thumbRect.left, -face.thumbRect.top);

    ::SelectClipRgn(back, nullptr);
    ::SelectObject(back, oldBuffer);
    ::DeleteObject(buffer);
    ::DeleteDC(back);
}

#include "skin/TransparentBitmap.h"

void DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY,
                           COLORREF transparent, HPALETTE palette)
{
    HDC imageDC = ::CreateCompatibleDC(target);
    HDC maskDC = ::CreateCompatibleDC(target);
    HDC sourceDC = ::CreateCompatibleDC(target);

    HBITMAP image = ::CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldImage = ::SelectObject(imageDC, image);
    HGDIOBJ oldSource = ::SelectObject(sourceDC, bitmap);
    ::BitBlt(imageDC, 0, 0, width, height, sourceDC, sourceX, sourceY, SRCCOPY);

    HPALETTE oldTargetPalette = nullptr;
    HPALETTE oldImagePalette = nullptr;
    const bool usePalette = palette && (::GetDeviceCaps(target, RASTERCAPS) & RC_PALETTE);
    if (usePalette)
    {
        oldTargetPalette = ::SelectPalette(target, palette, FALSE);
        ::RealizePalette(target);
        oldImagePalette = ::SelectPalette(imageDC, palette, FALSE);
    }

    // Monochrome mask, white where the image has the transparent colour.
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
    const COLORREF oldImageBack = ::SetBkColor(imageDC, transparent);
    ::BitBlt(maskDC, 0, 0, width, height, imageDC, 0, 0, SRCCOPY);

    // Transparent pixels of the image become black, so OR-ing it leaves the target there.
    ::SetBkColor(imageDC, RGB(0, 0, 0));
    const COLORREF oldImageText = ::SetTextColor(imageDC, RGB(255, 255, 255));
    ::BitBlt(imageDC, 0, 0, width, height, maskDC, 0, 0, SRCAND);

    // Opaque pixels of the target become black, then take the image's.
    const COLORREF oldTargetBack = ::SetBkColor(target, RGB(255, 255, 255));
    const COLORREF oldTargetText = ::SetTextColor(target, RGB(0, 0, 0));
    ::BitBlt(target, x, y, width, height, maskDC, 0, 0, SRCAND);
    ::BitBlt(target, x, y, width, height, imageDC, 0, 0, SRCPAINT);
    ::SetBkColor(target, oldTargetBack);
    ::SetTextColor(target, oldTargetText);

    ::SetBkColor(imageDC, oldImageBack);
    ::SetTextColor(imageDC, oldImageText);
    if (usePalette)
    {
        ::SelectPalette(imageDC, oldImagePalette, FALSE);
        ::SelectPalette(target, oldTargetPalette, FALSE);
    }
    ::SelectObject(maskDC, oldMask);
    ::SelectObject(sourceDC, oldSource);
    ::SelectObject(imageDC, oldImage);
    ::DeleteObject(mask);
    ::DeleteObject(image);
    ::DeleteDC(sourceDC);
    ::DeleteDC(maskDC);
    ::DeleteDC(imageDC);
}

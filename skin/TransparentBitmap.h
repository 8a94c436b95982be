#pragma once
#include <windows.h>

// Draws width x height pixels of the bitmap from (sourceX, sourceY) onto the target at (x, y),
// leaving the target's pixels where the bitmap has the transparent colour. The palette, when
// given, is realised first on a palette device.
void DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY,
                           COLORREF transparent, HPALETTE palette);

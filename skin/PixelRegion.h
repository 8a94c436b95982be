#pragma once
#include <windows.h>

// The shape of the bitmap without every pixel of the transparent colour, in the bitmap's
// coordinates, exact to the pixel; null when there is no bitmap. The caller owns the region.
HRGN CreatePixelRegion(HBITMAP bitmap, COLORREF transparent);

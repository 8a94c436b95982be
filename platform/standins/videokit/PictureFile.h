#pragma once

#include <windows.h>

// Writes a picture of 24-bit BGR rows (top down, no row padding) as a file:
// kind PICTURE_BMP a 24-bit bitmap, PICTURE_JPEG a JPEG picture of that
// quality (1 to 100) through the system's imaging codecs.
enum { PICTURE_BMP = 1, PICTURE_JPEG = 2 };
HRESULT WritePictureFile(LPCWSTR pszPath, const BYTE* pBgr, int width, int height, int kind, int quality);

#include "platform/standins/imageload/PicBlock.h"

#include "platform/standins/imageload/ImageLoad.h"

#include <string.h>

namespace {
int g_lastError = PIC_ERR_NONE;
}

void PicSetError(int code) { g_lastError = code; }

extern "C" int WINAPI GetLastPicLibError(void) { return g_lastError; }

int PicRowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

BOOL PicImage::Allocate(int w, int h, int b) {
  if (w <= 0 || h <= 0 || w > 65535 || h > 65535)
    return FALSE;
  width = w;
  height = h;
  bits = b;
  rowBytes = PicRowBytes(w, b);
  palette.assign(b <= 8 ? (1u << b) : 0, RGBQUAD{0, 0, 0, 0});
  try {
    pixels.assign((size_t)rowBytes * h, 0);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

RGBQUAD PicImage::Pixel(int x, int fromTop) const {
  const BYTE* row = Row(fromTop);
  switch (bits) {
    case 1:
      return palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
      return palette[(row[x / 2] >> ((x % 2) ? 0 : 4)) & 15];
    case 8:
      return palette[row[x]];
    case 16: {
      const WORD v = row[2 * x] | (row[2 * x + 1] << 8);
      const BYTE r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
      return RGBQUAD{BYTE(b << 3 | b >> 2), BYTE(g << 3 | g >> 2), BYTE(r << 3 | r >> 2), 0};
    }
    case 24:
      return RGBQUAD{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    default:
      return RGBQUAD{row[4 * x], row[4 * x + 1], row[4 * x + 2], 0};
  }
}

PicImage PicImage::To24() const {
  PicImage out;
  if (!out.Allocate(width, height, 24))
    return out;
  for (int y = 0; y < height; ++y) {
    BYTE* dst = out.Row(y);
    for (int x = 0; x < width; ++x) {
      const RGBQUAD c = Pixel(x, y);
      dst[3 * x] = c.rgbBlue;
      dst[3 * x + 1] = c.rgbGreen;
      dst[3 * x + 2] = c.rgbRed;
    }
  }
  return out;
}

PicImage PicImage::To8Indexed() const {
  PicImage out;
  if (bits > 8 || !out.Allocate(width, height, 8))
    return out;
  for (size_t i = 0; i < palette.size(); ++i)
    out.palette[i] = palette[i];
  for (int y = 0; y < height; ++y) {
    const BYTE* src = Row(y);
    BYTE* dst = out.Row(y);
    for (int x = 0; x < width; ++x) {
      if (bits == 8)
        dst[x] = src[x];
      else if (bits == 4)
        dst[x] = (src[x / 2] >> ((x % 2) ? 0 : 4)) & 15;
      else
        dst[x] = (src[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return out;
}

HGLOBAL PicToBlock(const PicImage& image) {
  const DWORD paletteBytes = (DWORD)image.palette.size() * sizeof(RGBQUAD);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + paletteBytes;
  const DWORD total = offset + (DWORD)image.pixels.size();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
  if (!block) {
    PicSetError(PIC_ERR_MEMORY);
    return NULL;
  }
  BYTE* p = (BYTE*)GlobalLock(block);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfSize = total;
  file.bfOffBits = offset;
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = image.width;
  info.biHeight = image.height;
  info.biPlanes = 1;
  info.biBitCount = (WORD)image.bits;
  info.biCompression = BI_RGB;
  info.biSizeImage = (DWORD)image.pixels.size();
  info.biXPelsPerMeter = info.biYPelsPerMeter = 2835;
  memcpy(p, &file, sizeof(file));
  memcpy(p + sizeof(file), &info, sizeof(info));
  if (paletteBytes)
    memcpy(p + sizeof(file) + sizeof(info), image.palette.data(), paletteBytes);
  memcpy(p + offset, image.pixels.data(), image.pixels.size());
  GlobalUnlock(block);
  PicSetError(PIC_ERR_NONE);
  return block;
}

BOOL PicFromBlock(HGLOBAL block, PicImage* image) {
  if (!block) {
    PicSetError(PIC_ERR_ARGUMENT);
    return FALSE;
  }
  const SIZE_T size = GlobalSize(block);
  const BYTE* p = (const BYTE*)GlobalLock(block);
  if (!p) {
    PicSetError(PIC_ERR_ARGUMENT);
    return FALSE;
  }
  BOOL ok = FALSE;
  BITMAPINFOHEADER info;
  if (size >= sizeof(BITMAPFILEHEADER) + sizeof(info)) {
    memcpy(&info, p + sizeof(BITMAPFILEHEADER), sizeof(info));
    const int bits = info.biBitCount;
    const bool known = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (known && info.biCompression == BI_RGB && info.biHeight > 0 &&
        image->Allocate(info.biWidth, info.biHeight, bits)) {
      const size_t paletteBytes = image->palette.size() * sizeof(RGBQUAD);
      const size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(info) + paletteBytes;
      if (offset + image->pixels.size() <= size) {
        if (paletteBytes)
          memcpy(image->palette.data(), p + sizeof(BITMAPFILEHEADER) + sizeof(info), paletteBytes);
        memcpy(image->pixels.data(), p + offset, image->pixels.size());
        ok = TRUE;
      }
    }
  }
  GlobalUnlock(block);
  PicSetError(ok ? PIC_ERR_NONE : PIC_ERR_FORMAT);
  return ok;
}

BOOL PicReadFile(const char* fileName, std::vector<BYTE>* bytes) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    PicSetError(PIC_ERR_OPEN);
    return FALSE;
  }
  LARGE_INTEGER size;
  BOOL ok = GetFileSizeEx(file, &size) && size.QuadPart < (256 << 20);
  if (ok) {
    bytes->resize((size_t)size.QuadPart);
    DWORD done = 0;
    ok = bytes->empty() || (ReadFile(file, bytes->data(), (DWORD)bytes->size(), &done, NULL) && done == bytes->size());
  }
  CloseHandle(file);
  if (!ok)
    PicSetError(PIC_ERR_OPEN);
  return ok;
}

BOOL PicWriteFile(const char* fileName, const std::vector<BYTE>& bytes) {
  HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    PicSetError(PIC_ERR_WRITE);
    return FALSE;
  }
  DWORD done = 0;
  const BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &done, NULL) && done == bytes.size();
  CloseHandle(file);
  PicSetError(ok ? PIC_ERR_NONE : PIC_ERR_WRITE);
  return ok;
}

std::wstring PicWide(const char* text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

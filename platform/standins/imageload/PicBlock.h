#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One picture in memory while it passes through the library: rows bottom-up, padded to 4 bytes,
// a palette of 2^bits entries for 8 bits or fewer.
struct PicImage {
  int width = 0;
  int height = 0;
  int bits = 0;
  int rowBytes = 0;
  std::vector<RGBQUAD> palette;
  std::vector<BYTE> pixels;

  BOOL Allocate(int w, int h, int b);
  BYTE* Row(int fromTop) { return pixels.data() + (size_t)(height - 1 - fromTop) * rowBytes; }
  const BYTE* Row(int fromTop) const { return pixels.data() + (size_t)(height - 1 - fromTop) * rowBytes; }
  RGBQUAD Pixel(int x, int fromTop) const;
  // The same picture as 24-bit or, for 8 bits or fewer, as 8-bit indexed.
  PicImage To24() const;
  PicImage To8Indexed() const;
};

int PicRowBytes(int width, int bits);
void PicSetError(int code);
HGLOBAL PicToBlock(const PicImage& image);
BOOL PicFromBlock(HGLOBAL block, PicImage* image);
BOOL PicReadFile(const char* fileName, std::vector<BYTE>* bytes);
BOOL PicWriteFile(const char* fileName, const std::vector<BYTE>& bytes);
std::wstring PicWide(const char* text);

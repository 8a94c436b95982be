#include "platform/standins/imageload/ImageLoad.h"
#include "platform/standins/imageload/PicBlock.h"

#include <string.h>

BOOL PicLooksLikeTga(const BYTE* header, size_t size);

namespace {

BOOL EndsWith(const char* name, const char* tail) {
  const size_t n = strlen(name), t = strlen(tail);
  return n >= t && lstrcmpiA(name + n - t, tail) == 0;
}

int Info(const char* fileName, PICINFO* info, HGLOBAL (WINAPI* load)(const char*), int type) {
  if (!fileName || !info) {
    PicSetError(PIC_ERR_ARGUMENT);
    return 0;
  }
  HGLOBAL block = load(fileName);
  if (!block)
    return 0;
  const BYTE* p = (const BYTE*)GlobalLock(block);
  BITMAPINFOHEADER header;
  memcpy(&header, p + sizeof(BITMAPFILEHEADER), sizeof(header));
  GlobalUnlock(block);
  GlobalFree(block);
  memset(info, 0, sizeof(*info));
  info->fileType = type;
  info->width = header.biWidth;
  info->height = header.biHeight;
  info->bitCount = header.biBitCount;
  info->colors = header.biBitCount <= 8 ? 1 << header.biBitCount : 0;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(fileName, GetFileExInfoStandard, &data))
    info->fileSize = data.nFileSizeLow;
  PicSetError(PIC_ERR_NONE);
  return 1;
}

}  // namespace

// By the file's signature; TGA has none, so it also needs its extension.
extern "C" int WINAPI FileType(const char* fileName) {
  if (!fileName) {
    PicSetError(PIC_ERR_ARGUMENT);
    return PIC_TYPE_UNKNOWN;
  }
  BYTE h[32] = {};
  DWORD got = 0;
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    PicSetError(PIC_ERR_OPEN);
    return PIC_TYPE_UNKNOWN;
  }
  ReadFile(file, h, sizeof(h), &got, NULL);
  CloseHandle(file);
  PicSetError(PIC_ERR_NONE);
  if (got >= 2 && h[0] == 'B' && h[1] == 'M')
    return PIC_TYPE_BMP;
  if (got >= 6 && memcmp(h, "GIF8", 4) == 0)
    return PIC_TYPE_GIF;
  if (got >= 3 && h[0] == 0xFF && h[1] == 0xD8 && h[2] == 0xFF)
    return PIC_TYPE_JPG;
  if (got >= 4 && (memcmp(h, "II*\0", 4) == 0 || memcmp(h, "MM\0*", 4) == 0))
    return PIC_TYPE_TIF;
  if (got >= 8 && memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0)
    return PIC_TYPE_PNG;
  if (got >= 4 && h[0] == 0x0A && h[1] <= 5 && h[2] == 1 && (h[3] == 1 || h[3] == 4 || h[3] == 8))
    return PIC_TYPE_PCX;
  if (EndsWith(fileName, ".tga") && PicLooksLikeTga(h, got))
    return PIC_TYPE_TGA;
  PicSetError(PIC_ERR_FORMAT);
  return PIC_TYPE_UNKNOWN;
}

extern "C" int WINAPI GetBMPInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadBMP, PIC_TYPE_BMP); }
extern "C" int WINAPI GetGIFInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadGIF, PIC_TYPE_GIF); }
extern "C" int WINAPI GetPCXInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadPCX, PIC_TYPE_PCX); }
extern "C" int WINAPI GetTGAInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadTGA, PIC_TYPE_TGA); }
extern "C" int WINAPI GetJPGInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadJPG, PIC_TYPE_JPG); }
extern "C" int WINAPI GetTIFInfo(const char* fileName, PICINFO* info) { return Info(fileName, info, LoadTIF, PIC_TYPE_TIF); }

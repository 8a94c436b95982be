#pragma once
// The picture library ImageLoad.dll: loads and saves pictures as one movable global memory block
// laid out like a BMP file (file header, information header, full palette, bottom-up rows).
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// FileType numbering.
enum {
  PIC_TYPE_UNKNOWN = 0,
  PIC_TYPE_BMP = 1,
  PIC_TYPE_GIF = 2,
  PIC_TYPE_PCX = 3,
  PIC_TYPE_TGA = 4,
  PIC_TYPE_JPG = 5,
  PIC_TYPE_TIF = 6,
  PIC_TYPE_PNG = 7,
};

// GetLastPicLibError codes.
enum {
  PIC_ERR_NONE = 0,
  PIC_ERR_OPEN = -1001,
  PIC_ERR_FORMAT = -1002,
  PIC_ERR_MEMORY = -1003,
  PIC_ERR_UNSUPPORTED = -1004,
  PIC_ERR_CODEC = -1005,
  PIC_ERR_WRITE = -1006,
  PIC_ERR_ARGUMENT = -1007,
};

typedef struct tagPICINFO {
  int fileType;  // FileType numbering
  int width;
  int height;
  int bitCount;  // of the block a load gives
  int colors;    // palette entries of that block, 0 above 8 bits
  DWORD fileSize;
} PICINFO;

int WINAPI FileType(const char* fileName);
int WINAPI GetLastPicLibError(void);

HGLOBAL WINAPI LoadBMP(const char* fileName);
HGLOBAL WINAPI LoadGIF(const char* fileName);
HGLOBAL WINAPI LoadPCX(const char* fileName);
HGLOBAL WINAPI LoadTGA(const char* fileName);
HGLOBAL WINAPI LoadJPG(const char* fileName);
HGLOBAL WINAPI LoadTIF(const char* fileName);
HGLOBAL WINAPI LoadPNG(const char* fileName);

// 1 with the record filled, 0 on failure (GetLastPicLibError tells why).
int WINAPI GetBMPInfo(const char* fileName, PICINFO* info);
int WINAPI GetGIFInfo(const char* fileName, PICINFO* info);
int WINAPI GetPCXInfo(const char* fileName, PICINFO* info);
int WINAPI GetTGAInfo(const char* fileName, PICINFO* info);
int WINAPI GetJPGInfo(const char* fileName, PICINFO* info);
int WINAPI GetTIFInfo(const char* fileName, PICINFO* info);

// 1 when written, 0 on failure. GIF holds 256 colours at most: deeper pictures are reduced.
int WINAPI SaveBMP(const char* fileName, HGLOBAL block);
int WINAPI SaveGIF(const char* fileName, HGLOBAL block);
int WINAPI SavePCX(const char* fileName, HGLOBAL block);
int WINAPI SaveTGA(const char* fileName, HGLOBAL block);
int WINAPI SaveJPG(const char* fileName, HGLOBAL block, int quality);
int WINAPI SaveTIF(const char* fileName, HGLOBAL block);
int WINAPI SavePNG(const char* fileName, HGLOBAL block);

// Colour reduction of 24-bit pixels (blue, green, red; rows of rowBytes) to a palette of at most
// `colors` entries (1 to 256). Returns the number of entries written, 0 on bad arguments.
int WINAPI Popularity(const BYTE* pixels, int width, int height, int rowBytes, int colors, RGBQUAD* palette);
int WINAPI MedianCut(const BYTE* pixels, int width, int height, int rowBytes, int colors, RGBQUAD* palette);

#ifdef __cplusplus
}
#endif

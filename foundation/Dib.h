#pragma once
#include <windows.h>

#include "platform/afx/Palette.h"
#include "platform/standins/imageload/ImageLoad.h"

// One device-independent bitmap in a movable global block laid out like a BMP file (file header,
// information header, palette, bottom-up rows padded to 4 bytes). Picture files go through the
// picture library ImageLoad.dll. Every operation leaves its code in GetStatus().
class CDib
{
public:
    enum
    {
        kOk = 0,
        kNoMemory = -50,
        kLockFailed = -51,
        kUnknownFile = -200,
        kNoImage = -201,
        kNoPalette = -202,
        kBadColorCount = -203,
        kDrawFailed = -204,
        kBadAngle = -207,
        kRotating = -208,
    };
    enum
    {
        kReducePopularity = 0,
        kReduceMedianCut = 1,
        kReduceFixed = 2
    };

    CDib();
    CDib(const char* fileName, HDC dc, int x, int y);
    virtual ~CDib();

    void Clear();
    BOOL Load(const char* fileName, HDC dc = NULL, int x = 0, int y = 0);
    BOOL GetInfo(const char* fileName, PICINFO* info);
    BOOL Save(const char* fileName, int type = -1);
    static int TypeFromExtension(const char* fileName);
    BOOL Draw(HDC dc, int x = -1, int y = -1);
    BOOL SelectPalette(HDC dc);
    BOOL GetPalette(RGBQUAD* buffer);
    // A new[] table of GetColorCount() entries for the caller to delete[].
    RGBQUAD* CopyPalette();
    // Locks the block and returns the address of its pixel rows; rowBytes gets the row size of the
    // image, rowBytesForBits the row size that `bits` pixels of `width` (-1: own width) would take.
    BYTE* Lock(int* rowBytes, int bits, int* rowBytesForBits, int width = -1);
    void Unlock();
    BOOL Crop(int left, int top, int right, int bottom);
    BOOL Resize(int width, int height);
    BOOL Rotate(int angle);
    BOOL FlipVertical();
    BOOL Mirror();
    BOOL SetBitDepth(int bits);
    void SetReduceMode(int mode) { m_reduceMode = mode; }
    int GetReduceMode() const { return m_reduceMode; }
    static int FindNearestColor(int red, int green, int blue, const RGBQUAD* palette, int count);
    // The fixed palette of `count` colours: groups of 16 base colours, each group darker.
    static void MakeFixedPalette(int count, RGBQUAD* palette);
    BOOL CopyFrom(const CDib& other);

    // A new zeroed picture; palettes of 8 bits or fewer start as a grey ramp.
    BOOL Create(int width, int height, int bits);
    RGBQUAD GetPixelColor(int x, int fromTop) const;
    BOOL SetPaletteEntries(int first, int count, const RGBQUAD* colours);

    BOOL IsValid() const { return m_block != NULL; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitCount() const { return m_bitCount; }
    int GetColorCount() const { return m_colorCount; }
    int GetStatus() const { return m_status; }
    int GetFileType() const { return m_fileType; }
    void SetJpegQuality(int quality) { m_jpegQuality = quality; }
    int GetJpegQuality() const { return m_jpegQuality; }
    HGLOBAL GetBlock() const { return m_block; }
    const char* GetFileName() const { return m_fileName; }
    CPalette& GetPaletteObject() { return m_palette; }

    static int RowBytes(int width, int bits);

private:
    BOOL Fail(int status);
    BOOL Adopt(HGLOBAL block);
    BOOL ReadFields();
    BOOL BuildPalette();
    void SetFileName(const char* fileName);
    template <class Source>
    BOOL Remap(int width, int height, Source source);
    BOOL ReducePalette(int count, RGBQUAD* palette);

    int m_status;
    int m_screenPlanes;
    int m_screenBits;
    int m_paletteBytes;
    int m_width;
    int m_height;
    int m_planes;
    int m_bitCount;
    int m_colorCount;
    int m_fileType;
    int m_x;
    int m_y;
    int m_jpegQuality;
    int m_reduceMode;
    CPalette m_palette;
    HGLOBAL m_block;
    char* m_fileName;
    BYTE* m_work;

    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;
};

#pragma once

#include "platform/dshow/Streams.h"

#include <vector>

// The pictures the stand-in video filters pass: YUY2 (rows top down), RGB32
// (rows bottom up, as a DIB) and, for decompressors that take nothing
// uncompressed, 16-bit Microsoft Video 1.
struct VideoFrameFormat
{
    enum Kind { KIND_NONE, KIND_YUY2, KIND_RGB32, KIND_MSVIDEO1 };

    Kind kind;
    int width;
    int height;
    REFERENCE_TIME avgTimePerFrame;

    // Bytes in one row (of the decoded picture for Microsoft Video 1).
    LONG Stride() const { return kind == KIND_RGB32 ? width * 4 : width * 2; }
    // Bytes of one picture; for Microsoft Video 1 the most a picture can take.
    LONG ImageSize() const { return Stride() * height; }

    // KIND_NONE for a type that is neither, or has an odd width.
    static VideoFrameFormat FromMediaType(const AM_MEDIA_TYPE* pmt);
    // The media type of a frame of this format.
    void ToMediaType(CMediaType* pmt) const;
};

// Conversions between the two layouts and 24-bit BGR rows (top down, no row padding).
void Yuy2ToRgb32(const BYTE* pYuy2, int width, int height, BYTE* pRgb32);
void Rgb32ToYuy2(const BYTE* pRgb32, int width, int height, BYTE* pYuy2);
void Yuy2ToBgr24(const BYTE* pYuy2, int width, int height, BYTE* pBgr);
void Rgb32ToBgr24(const BYTE* pRgb32, int width, int height, BYTE* pBgr);

// One RGB32 picture as 16-bit Microsoft Video 1, every 4 x 4 block in two
// colours; width and height are multiples of four. Returns the bytes written
// (at most width * height * 6 / 16 + 2).
LONG EncodeMsVideo1(const BYTE* pRgb32, int width, int height, BYTE* pOut);

// BT.601 conversions of one pixel.
void YuvToRgb(int y, int u, int v, BYTE* pB, BYTE* pG, BYTE* pR);
void RgbToYuv(int r, int g, int b, int* pY, int* pU, int* pV);

inline BYTE ClampByte(int v)
{
    return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

#include "platform/standins/videokit/VideoFrame.h"

#include <string.h>

namespace
{
const DWORD kFourccMsVideo1 = MAKEFOURCC('C', 'R', 'A', 'M');
const GUID kSubtypeMsVideo1 = { kFourccMsVideo1, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
}

VideoFrameFormat VideoFrameFormat::FromMediaType(const AM_MEDIA_TYPE* pmt)
{
    VideoFrameFormat format = { KIND_NONE, 0, 0, 0 };
    if (pmt == nullptr || pmt->majortype != MEDIATYPE_Video || pmt->formattype != FORMAT_VideoInfo ||
        pmt->pbFormat == nullptr || pmt->cbFormat < sizeof(VIDEOINFOHEADER))
        return format;
    const VIDEOINFOHEADER* pVih = reinterpret_cast<const VIDEOINFOHEADER*>(pmt->pbFormat);
    const BITMAPINFOHEADER& bmi = pVih->bmiHeader;
    int width = bmi.biWidth;
    int height = bmi.biHeight;
    if (width <= 0 || height == 0 || (width & 1))
        return format;
    if (pmt->subtype == MEDIASUBTYPE_YUY2 && bmi.biBitCount == 16)
    {
        format.kind = KIND_YUY2;
        height = height < 0 ? -height : height;
    }
    else if (pmt->subtype == kSubtypeMsVideo1 && bmi.biCompression == kFourccMsVideo1 && bmi.biBitCount == 16 &&
             height > 0 && (width & 3) == 0 && (height & 3) == 0)
    {
        format.kind = KIND_MSVIDEO1;
    }
    // Only bottom-up RGB: the renderers take it everywhere.
    else if (pmt->subtype == MEDIASUBTYPE_RGB32 && bmi.biBitCount == 32 && bmi.biCompression == BI_RGB && height > 0)
    {
        format.kind = KIND_RGB32;
    }
    else
    {
        return format;
    }
    format.width = width;
    format.height = height;
    format.avgTimePerFrame = pVih->AvgTimePerFrame;
    return format;
}

void VideoFrameFormat::ToMediaType(CMediaType* pmt) const
{
    pmt->InitMediaType();
    pmt->majortype = MEDIATYPE_Video;
    pmt->subtype = kind == KIND_RGB32 ? MEDIASUBTYPE_RGB32 : kind == KIND_MSVIDEO1 ? kSubtypeMsVideo1 : MEDIASUBTYPE_YUY2;
    pmt->formattype = FORMAT_VideoInfo;
    pmt->bFixedSizeSamples = kind != KIND_MSVIDEO1;
    pmt->bTemporalCompression = FALSE;
    VIDEOINFOHEADER vih;
    memset(&vih, 0, sizeof(vih));
    vih.AvgTimePerFrame = avgTimePerFrame;
    vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih.bmiHeader.biWidth = width;
    vih.bmiHeader.biHeight = height;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = kind == KIND_RGB32 ? 32 : 16;
    vih.bmiHeader.biCompression =
        kind == KIND_RGB32 ? BI_RGB : kind == KIND_MSVIDEO1 ? kFourccMsVideo1 : MAKEFOURCC('Y', 'U', 'Y', '2');
    vih.bmiHeader.biSizeImage = ImageSize();
    if (avgTimePerFrame > 0)
        vih.dwBitRate = static_cast<DWORD>(ImageSize() * 8.0 * 10000000.0 / avgTimePerFrame);
    pmt->lSampleSize = kind == KIND_MSVIDEO1 ? 0 : ImageSize();
    pmt->SetFormat(reinterpret_cast<BYTE*>(&vih), sizeof(vih));
}

void YuvToRgb(int y, int u, int v, BYTE* pB, BYTE* pG, BYTE* pR)
{
    int c = 298 * (y - 16);
    int d = u - 128;
    int e = v - 128;
    *pR = ClampByte((c + 409 * e + 128) >> 8);
    *pG = ClampByte((c - 100 * d - 208 * e + 128) >> 8);
    *pB = ClampByte((c + 516 * d + 128) >> 8);
}

void RgbToYuv(int r, int g, int b, int* pY, int* pU, int* pV)
{
    *pY = ((66 * r + 129 * g + 25 * b + 128) >> 8) + 16;
    *pU = ((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128;
    *pV = ((112 * r - 94 * g - 18 * b + 128) >> 8) + 128;
}

namespace
{
// Calls put(x, y, b, g, r) for every pixel of a YUY2 picture.
template <class Put>
void ForEachYuy2Pixel(const BYTE* pYuy2, int width, int height, Put put)
{
    for (int y = 0; y < height; ++y)
    {
        const BYTE* pRow = pYuy2 + static_cast<size_t>(y) * width * 2;
        for (int x = 0; x < width; x += 2)
        {
            const BYTE* p = pRow + x * 2;
            BYTE b, g, r;
            YuvToRgb(p[0], p[1], p[3], &b, &g, &r);
            put(x, y, b, g, r);
            YuvToRgb(p[2], p[1], p[3], &b, &g, &r);
            put(x + 1, y, b, g, r);
        }
    }
}
}

void Yuy2ToRgb32(const BYTE* pYuy2, int width, int height, BYTE* pRgb32)
{
    ForEachYuy2Pixel(pYuy2, width, height, [=](int x, int y, BYTE b, BYTE g, BYTE r) {
        BYTE* p = pRgb32 + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = 0;
    });
}

void Yuy2ToBgr24(const BYTE* pYuy2, int width, int height, BYTE* pBgr)
{
    ForEachYuy2Pixel(pYuy2, width, height, [=](int x, int y, BYTE b, BYTE g, BYTE r) {
        BYTE* p = pBgr + (static_cast<size_t>(y) * width + x) * 3;
        p[0] = b;
        p[1] = g;
        p[2] = r;
    });
}

void Rgb32ToYuy2(const BYTE* pRgb32, int width, int height, BYTE* pYuy2)
{
    for (int y = 0; y < height; ++y)
    {
        const BYTE* pSrc = pRgb32 + static_cast<size_t>(height - 1 - y) * width * 4;
        BYTE* pDst = pYuy2 + static_cast<size_t>(y) * width * 2;
        for (int x = 0; x < width; x += 2)
        {
            int y0, u0, v0, y1, u1, v1;
            RgbToYuv(pSrc[x * 4 + 2], pSrc[x * 4 + 1], pSrc[x * 4], &y0, &u0, &v0);
            RgbToYuv(pSrc[x * 4 + 6], pSrc[x * 4 + 5], pSrc[x * 4 + 4], &y1, &u1, &v1);
            pDst[x * 2] = ClampByte(y0);
            pDst[x * 2 + 1] = ClampByte((u0 + u1) / 2);
            pDst[x * 2 + 2] = ClampByte(y1);
            pDst[x * 2 + 3] = ClampByte((v0 + v1) / 2);
        }
    }
}

void Rgb32ToBgr24(const BYTE* pRgb32, int width, int height, BYTE* pBgr)
{
    for (int y = 0; y < height; ++y)
    {
        const BYTE* pSrc = pRgb32 + static_cast<size_t>(height - 1 - y) * width * 4;
        BYTE* pDst = pBgr + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x)
        {
            pDst[x * 3] = pSrc[x * 4];
            pDst[x * 3 + 1] = pSrc[x * 4 + 1];
            pDst[x * 3 + 2] = pSrc[x * 4 + 2];
        }
    }
}

namespace
{
WORD Rgb555(int r, int g, int b)
{
    return static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}
}

LONG EncodeMsVideo1(const BYTE* pRgb32, int width, int height, BYTE* pOut)
{
    BYTE* p = pOut;
    // Blocks go bottom up like the DIB rows, and so do the rows inside a block;
    // flag bit n is the block's pixel n (four to a row, left to right), a set
    // bit taking the first colour.
    for (int by = 0; by < height / 4; ++by)
        for (int bx = 0; bx < width / 4; ++bx)
        {
            int luma[16];
            const BYTE* pixels[16];
            int sum = 0;
            for (int i = 0; i < 16; ++i)
            {
                pixels[i] = pRgb32 + ((static_cast<size_t>(by) * 4 + i / 4) * width + bx * 4 + i % 4) * 4;
                luma[i] = pixels[i][2] * 299 + pixels[i][1] * 587 + pixels[i][0] * 114;
                sum += luma[i];
            }
            int mean = sum / 16;
            int total[2][3] = {}, count[2] = {};
            WORD flags = 0;
            // The last pixel must take the second colour: its bit is the top bit of the code.
            BOOL bLastBright = luma[15] > mean;
            for (int i = 0; i < 16; ++i)
            {
                int side = (luma[i] > mean) == bLastBright ? 1 : 0;
                if (side == 0)
                    flags |= static_cast<WORD>(1u << i);
                for (int c = 0; c < 3; ++c)
                    total[side][c] += pixels[i][2 - c];
                ++count[side];
            }
            WORD colors[2];
            for (int side = 0; side < 2; ++side)
            {
                int n = count[side] != 0 ? count[side] : 1;
                colors[side] = Rgb555(total[side][0] / n, total[side][1] / n, total[side][2] / n);
            }
            // A code of two zero bytes could read as the end of the picture.
            if (count[0] == 0)
            {
                colors[0] = colors[1];
                flags = 1;
            }
            p[0] = static_cast<BYTE>(flags);
            p[1] = static_cast<BYTE>(flags >> 8);
            p[2] = static_cast<BYTE>(colors[0]);
            p[3] = static_cast<BYTE>(colors[0] >> 8);
            p[4] = static_cast<BYTE>(colors[1]);
            p[5] = static_cast<BYTE>(colors[1] >> 8);
            p += 6;
        }
    p[0] = 0;
    p[1] = 0;
    p += 2;
    return static_cast<LONG>(p - pOut);
}

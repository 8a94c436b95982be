#include "skin/SkinBitmap.h"
#include "skin/TransparentBitmap.h"

#include <gtest/gtest.h>

#include "tests/skin/PixelPictures.h"
#include "tests/skin/description/SkinTestFiles.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// A 24-bit bitmap file of the picture (bottom-up rows padded to four bytes).
std::string WriteBitmapFile(const char* name, const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y)
    {
        std::string row;
        for (int x = 0; x < width; ++x)
        {
            const COLORREF c = LetterColor(rows[y][x]);
            row += static_cast<char>(GetBValue(c));
            row += static_cast<char>(GetGValue(c));
            row += static_cast<char>(GetRValue(c));
        }
        row.resize(stride, '\0');
        pixels += row;
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const std::string path = SkinTestPath(name);
    WriteBytes(path, std::string(reinterpret_cast<char*>(&file), sizeof file) +
                         std::string(reinterpret_cast<char*>(&info), sizeof info) + pixels);
    return path;
}

void ExpectCanvas(const MemoryCanvas& canvas, const std::vector<std::string>& rows, const char* what)
{
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            EXPECT_EQ(LetterColor(rows[y][x]), canvas.at((int)x, (int)y)) << what << " at " << x << "," << y;
}

}  // namespace

TEST(SkinBitmapTest, FileLoadsAndAFailedLoadKeepsThePicture)
{
    const std::string path = WriteBitmapFile("three-by-two.bmp", { "RGB", "WKR" });
    CSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path.c_str()));
    EXPECT_EQ(3, bitmap.GetWidth());
    EXPECT_EQ(2, bitmap.GetHeight());
    const HGDIOBJ loaded = bitmap.GetSafeHandle();
    EXPECT_FALSE(bitmap.LoadFromFile(SkinTestPath("no-such.bmp").c_str()));
    EXPECT_EQ(loaded, bitmap.GetSafeHandle());

    MemoryCanvas canvas(3, 2, kBlue);
    RECT all = { 0, 0, 3, 2 };
    EXPECT_TRUE(bitmap.BlitToRect(canvas.dc(), all));
    ExpectCanvas(canvas, { "RGB", "WKR" }, "whole picture");
}

TEST(SkinBitmapTest, BlitIsCutToTheRectangleAndUnscaled)
{
    const std::string path = WriteBitmapFile("four-by-three.bmp", { "RGBW", "GBWR", "BWRG" });
    CSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path.c_str()));
    MemoryCanvas canvas(5, 4, RGB(0, 0, 0));
    RECT part = { 1, 1, 3, 3 };
    EXPECT_TRUE(bitmap.BlitToRect(canvas.dc(), part));
    ExpectCanvas(canvas, { "KKKKK", "KRGKK", "KGBKK", "KKKKK" }, "cut");
}

TEST(SkinBitmapTest, DrawStretchesTheSourceOntoTheDestination)
{
    const std::string path = WriteBitmapFile("two-by-two.bmp", { "RG", "BW" });
    CSkinBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path.c_str()));
    {
        MemoryCanvas canvas(4, 4, RGB(0, 0, 0));
        RECT destination = { 0, 0, 4, 4 };
        EXPECT_TRUE(bitmap.Draw(canvas.dc(), &destination, nullptr));
        ExpectCanvas(canvas, { "RRGG", "RRGG", "BBWW", "BBWW" }, "whole");
    }
    {
        MemoryCanvas canvas(3, 3, RGB(0, 0, 0));
        RECT destination = { 1, 0, 3, 2 };
        RECT source = { 1, 0, 2, 2 };
        EXPECT_TRUE(bitmap.Draw(canvas.dc(), &destination, &source));
        ExpectCanvas(canvas, { "KGG", "KWW", "KKK" }, "right column");
    }
    MemoryCanvas canvas(2, 2, RGB(0, 0, 0));
    EXPECT_FALSE(bitmap.Draw(canvas.dc(), nullptr, nullptr));
}

TEST(SkinBitmapTest, PicturesLoadFromFilesAndResources)
{
    CSkinBitmap bitmap;
    SkinPictureSource resource;
    resource.resourceId = 700;
    ASSERT_TRUE(LoadSkinPicture(bitmap, resource));
    MemoryCanvas canvas(2, 2, RGB(0, 0, 0));
    RECT all = { 0, 0, 2, 2 };
    bitmap.BlitToRect(canvas.dc(), all);
    ExpectCanvas(canvas, { "RG", "BW" }, "resource 700");

    const HGDIOBJ loaded = bitmap.GetSafeHandle();
    SkinPictureSource missing;
    missing.resourceId = 701;
    EXPECT_FALSE(LoadSkinPicture(bitmap, missing));
    SkinPictureSource zero;
    EXPECT_FALSE(LoadSkinPicture(bitmap, zero));
    SkinPictureSource missingFile;
    missingFile.fromFile = TRUE;
    missingFile.path = SkinTestPath("no-such-picture.bmp").c_str();
    EXPECT_FALSE(LoadSkinPicture(bitmap, missingFile));
    EXPECT_EQ(loaded, bitmap.GetSafeHandle());

    SkinPictureSource file;
    file.fromFile = TRUE;
    file.path = WriteBitmapFile("one-pixel.bmp", { "B" }).c_str();
    ASSERT_TRUE(LoadSkinPicture(bitmap, file));
    EXPECT_EQ(1, bitmap.GetWidth());
}

TEST(SkinBitmapTest, TransparentDrawKeepsTheTargetUnderTheTransparentColour)
{
    HBITMAP picture = MakePicture({ "GRRG", "gGGR", "GRRG" });
    MemoryCanvas canvas(6, 4, kBlue);
    // Source columns 1 to 3 of rows 0 and 1, drawn at (2, 1).
    DrawTransparentBitmap(canvas.dc(), 2, 1, 3, 2, picture, 1, 0, kGreen, nullptr);
    ExpectCanvas(canvas, { "BBBBBB", "BBRRBB", "BBBBRB", "BBBBBB" }, "green transparent");

    MemoryCanvas red(4, 3, kWhite);
    SetBkColor(red.dc(), RGB(1, 2, 3));
    SetTextColor(red.dc(), RGB(4, 5, 6));
    HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    DrawTransparentBitmap(red.dc(), 0, 0, 4, 3, picture, 0, 0, kRed, palette);
    ExpectCanvas(red, { "GWWG", "gGGW", "GWWG" }, "red transparent");
    EXPECT_EQ(RGB(1, 2, 3), GetBkColor(red.dc()));
    EXPECT_EQ(RGB(4, 5, 6), GetTextColor(red.dc()));
    DeleteObject(picture);
}

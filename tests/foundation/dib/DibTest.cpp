#include "foundation/Dib.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const int W = 16, H = 12;

// The pattern the reference pictures were made from (pictures.py); rows from the top.
RGBQUAD Pattern(int x, int y) {
  return RGBQUAD{BYTE(128 + (x - y) * 4), BYTE(y * 20), BYTE(x * 16), 0};
}

std::string Ref(const char* name) { return std::string(DIB_PICTURES) + "/ref/" + name; }
std::string Out(const char* name) { return std::string(DIB_PICTURES) + "/out/" + name; }

bool Same(RGBQUAD a, RGBQUAD b, int tolerance = 0) {
  return abs(a.rgbRed - b.rgbRed) <= tolerance && abs(a.rgbGreen - b.rgbGreen) <= tolerance &&
         abs(a.rgbBlue - b.rgbBlue) <= tolerance;
}

std::string Show(RGBQUAD c) {
  char text[32];
  sprintf(text, "(%d,%d,%d)", c.rgbRed, c.rgbGreen, c.rgbBlue);
  return text;
}

// Writes colours (or, for palette depths, indexes) into a picture through Lock.
void Put(CDib& dib, int x, int y, DWORD value) {
  int rowBytes = 0, ignored = 0;
  BYTE* bits = dib.Lock(&rowBytes, dib.GetBitCount(), &ignored);
  ASSERT_NE(nullptr, bits);
  BYTE* row = bits + (size_t)(dib.GetHeight() - 1 - y) * rowBytes;
  switch (dib.GetBitCount()) {
    case 1:
      row[x / 8] = BYTE((row[x / 8] & ~(0x80 >> (x % 8))) | ((value & 1) << (7 - x % 8)));
      break;
    case 4:
      row[x / 2] = BYTE((row[x / 2] & ((x % 2) ? 0xF0 : 0x0F)) | ((value & 15) << ((x % 2) ? 0 : 4)));
      break;
    case 8:
      row[x] = BYTE(value);
      break;
    case 16:
      row[2 * x] = BYTE(value);
      row[2 * x + 1] = BYTE(value >> 8);
      break;
    case 24:
      memcpy(row + 3 * x, &value, 3);
      break;
    default:
      memcpy(row + 4 * x, &value, 4);
  }
  dib.Unlock();
}

DWORD Packed(RGBQUAD c, int bits) {
  if (bits == 16)
    return ((c.rgbRed >> 3) << 10) | ((c.rgbGreen >> 3) << 5) | (c.rgbBlue >> 3);
  return c.rgbBlue | (c.rgbGreen << 8) | (c.rgbRed << 16);
}

// A small picture whose every pixel differs: indexes x + y * w for palette depths (masked), the
// colour (40x+5, 30y+7, 200-10x) otherwise.
void MakeNumbered(CDib& dib, int w, int h, int bits) {
  ASSERT_TRUE(dib.Create(w, h, bits));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (bits <= 8)
        Put(dib, x, y, (x + y * w) & ((1 << bits) - 1));
      else
        Put(dib, x, y, Packed(RGBQUAD{BYTE(200 - 10 * x), BYTE(30 * y + 7), BYTE(40 * x + 5), 0}, bits));
    }
}

void MakePattern(CDib& dib) {
  ASSERT_TRUE(dib.Create(W, H, 24));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      Put(dib, x, y, Packed(Pattern(x, y), 24));
}

void ExpectPattern(const CDib& dib, int tolerance, const char* what) {
  ASSERT_EQ(W, dib.GetWidth()) << what;
  ASSERT_EQ(H, dib.GetHeight()) << what;
  long total = 0;
  int worst = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const RGBQUAD got = dib.GetPixelColor(x, y), want = Pattern(x, y);
      const int d[3] = {abs(got.rgbRed - want.rgbRed), abs(got.rgbGreen - want.rgbGreen),
                        abs(got.rgbBlue - want.rgbBlue)};
      for (int k = 0; k < 3; ++k) {
        total += d[k];
        worst = std::max(worst, d[k]);
      }
    }
  EXPECT_LE(worst, tolerance) << what;
  EXPECT_LE(total / (double)(W * H * 3), tolerance / 4.0 + 0.001) << what;
}

const int kDepths[] = {1, 4, 8, 16, 24, 32};

}  // namespace

TEST(DibBasics, EmptyImageRefusesEveryOperation) {
  CDib dib;
  EXPECT_FALSE(dib.IsValid());
  EXPECT_EQ(100, dib.GetJpegQuality());
  EXPECT_EQ(2, dib.GetReduceMode());
  EXPECT_FALSE(dib.Crop(-1, -1, -1, -1));
  EXPECT_EQ(-201, dib.GetStatus());
  EXPECT_FALSE(dib.Rotate(90));
  EXPECT_EQ(-201, dib.GetStatus());
  EXPECT_FALSE(dib.Resize(2, 2));
  EXPECT_FALSE(dib.SetBitDepth(8));
  EXPECT_FALSE(dib.Save(Out("never.bmp").c_str()));
  EXPECT_EQ(-201, dib.GetStatus());
  HDC dc = CreateCompatibleDC(NULL);
  EXPECT_FALSE(dib.Draw(dc, 0, 0));
  DeleteDC(dc);
  EXPECT_EQ(nullptr, dib.CopyPalette());
  EXPECT_EQ(-201, dib.GetStatus());
}

struct ExtensionRow {
  const char* name;
  int type;
};

TEST(DibBasics, TypeFromExtensionTable) {
  const ExtensionRow rows[] = {
      {"a.jpg", 1}, {"A.JPG", 1}, {"x.bmp", 2}, {"x.Gif", 3}, {"x.pcx", 4}, {"x.tga", 5}, {"x.TIF", 6},
      {".bmp", 2},  {"photo.jpeg", -1}, {"x.tiff", -1}, {"x.png", -1}, {"bmp", -1}, {"mp", -1}, {"", -1},
      {NULL, -1},
  };
  for (const ExtensionRow& row : rows)
    EXPECT_EQ(row.type, CDib::TypeFromExtension(row.name)) << (row.name ? row.name : "(null)");
}

TEST(DibBasics, CreateGivesHeaderAndPalette) {
  for (int bits : kDepths) {
    CDib dib;
    ASSERT_TRUE(dib.Create(5, 3, bits)) << bits;
    EXPECT_EQ(5, dib.GetWidth());
    EXPECT_EQ(3, dib.GetHeight());
    EXPECT_EQ(bits, dib.GetBitCount());
    EXPECT_EQ(bits <= 8 ? 1 << bits : 0, dib.GetColorCount());
    const BYTE* block = (const BYTE*)GlobalLock(dib.GetBlock());
    const BITMAPFILEHEADER* file = (const BITMAPFILEHEADER*)block;
    const BITMAPINFOHEADER* info = (const BITMAPINFOHEADER*)(block + 14);
    EXPECT_EQ(0x4D42, file->bfType);
    EXPECT_EQ(54u + dib.GetColorCount() * 4, file->bfOffBits);
    EXPECT_EQ((DWORD)CDib::RowBytes(5, bits) * 3, info->biSizeImage);
    EXPECT_EQ(GlobalSize(dib.GetBlock()), file->bfSize);
    GlobalUnlock(dib.GetBlock());
  }
}

struct RowBytesRow {
  int width, bits, bytes;
};

TEST(DibBasics, RowBytesTable) {
  const RowBytesRow rows[] = {{1, 1, 4},  {32, 1, 4},  {33, 1, 8},  {8, 4, 4},   {9, 4, 8},  {4, 8, 4},
                              {5, 8, 8},  {2, 16, 4},  {3, 16, 8},  {4, 24, 12}, {5, 24, 16}, {3, 32, 12}};
  for (const RowBytesRow& row : rows)
    EXPECT_EQ(row.bytes, CDib::RowBytes(row.width, row.bits)) << row.width << "x" << row.bits;
}

struct CropRow {
  int left, top, right, bottom;
  int x0, y0, w, h;  // expected: the kept rectangle
};

TEST(DibTransform, CropTable) {
  const CropRow rows[] = {
      {-1, -1, -1, -1, 0, 0, 6, 4},  // whole picture
      {0, 0, 5, 3, 0, 0, 6, 4},      // the same, written out
      {1, 1, 3, 2, 1, 1, 3, 2},
      {3, 2, 1, 1, 1, 1, 3, 2},      // reversed edges are swapped
      {-1, -1, 0, 0, 0, 0, 1, 1},
      {4, -1, 99, -1, 4, 0, 2, 4},   // clamped into the picture
  };
  for (int bits : kDepths)
    for (const CropRow& row : rows) {
      CDib dib;
      MakeNumbered(dib, 6, 4, bits);
      CDib original;
      original.CopyFrom(dib);
      EXPECT_TRUE(dib.Crop(row.left, row.top, row.right, row.bottom)) << bits;
      EXPECT_EQ(0, dib.GetStatus());
      ASSERT_EQ(row.w, dib.GetWidth()) << bits << " " << row.left << "," << row.top;
      ASSERT_EQ(row.h, dib.GetHeight());
      EXPECT_EQ(bits, dib.GetBitCount());
      for (int y = 0; y < row.h; ++y)
        for (int x = 0; x < row.w; ++x)
          ASSERT_TRUE(Same(original.GetPixelColor(row.x0 + x, row.y0 + y), dib.GetPixelColor(x, y)))
              << bits << " at " << x << "," << y;
    }
}

TEST(DibTransform, RotateEveryDepth) {
  for (int bits : kDepths) {
    CDib original;
    MakeNumbered(original, 5, 3, bits);
    for (int angle : {90, 180, 270}) {
      CDib dib;
      dib.CopyFrom(original);
      ASSERT_TRUE(dib.Rotate(angle)) << bits << " " << angle;
      EXPECT_EQ(0, dib.GetStatus());
      const bool turned = angle != 180;
      ASSERT_EQ(turned ? 3 : 5, dib.GetWidth());
      ASSERT_EQ(turned ? 5 : 3, dib.GetHeight());
      for (int r = 0; r < dib.GetHeight(); ++r)
        for (int c = 0; c < dib.GetWidth(); ++c) {
          int sr, sc;
          if (angle == 90) {  // clockwise as seen on screen
            sr = 3 - 1 - c;
            sc = r;
          } else if (angle == 270) {
            sr = c;
            sc = 5 - 1 - r;
          } else {
            sr = 3 - 1 - r;
            sc = 5 - 1 - c;
          }
          ASSERT_TRUE(Same(original.GetPixelColor(sc, sr), dib.GetPixelColor(c, r)))
              << bits << " bits, " << angle << " at " << c << "," << r;
        }
    }
  }
}

TEST(DibTransform, RotateByOtherAngleChangesNothing) {
  CDib dib;
  MakeNumbered(dib, 5, 3, 24);
  for (int angle : {0, 45, 89, 91, 360, -90}) {
    EXPECT_FALSE(dib.Rotate(angle));
    EXPECT_EQ(-207, dib.GetStatus());
    EXPECT_EQ(5, dib.GetWidth());
  }
}

TEST(DibTransform, FlipAndMirror) {
  for (int bits : kDepths) {
    CDib original, flipped, mirrored;
    MakeNumbered(original, 7, 3, bits);
    flipped.CopyFrom(original);
    mirrored.CopyFrom(original);
    ASSERT_TRUE(flipped.FlipVertical());
    ASSERT_TRUE(mirrored.Mirror());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 7; ++x) {
        ASSERT_TRUE(Same(original.GetPixelColor(x, 2 - y), flipped.GetPixelColor(x, y))) << bits;
        ASSERT_TRUE(Same(original.GetPixelColor(6 - x, y), mirrored.GetPixelColor(x, y))) << bits;
      }
  }
}

struct ResizeRow {
  int w, h;
};

TEST(DibTransform, ResizeNearestNeighbour) {
  const ResizeRow rows[] = {{10, 6}, {2, 3}, {5, 3}, {1, 1}, {9, 2}};
  for (int bits : kDepths)
    for (const ResizeRow& row : rows) {
      CDib original, dib;
      MakeNumbered(original, 5, 3, bits);
      dib.CopyFrom(original);
      ASSERT_TRUE(dib.Resize(row.w, row.h));
      ASSERT_EQ(row.w, dib.GetWidth());
      ASSERT_EQ(row.h, dib.GetHeight());
      for (int y = 0; y < row.h; ++y)
        for (int x = 0; x < row.w; ++x)
          ASSERT_TRUE(Same(original.GetPixelColor(x * 5 / row.w, y * 3 / row.h), dib.GetPixelColor(x, y)))
              << bits << " bits " << row.w << "x" << row.h << " at " << x << "," << y;
    }
  CDib dib;
  MakeNumbered(dib, 5, 3, 8);
  EXPECT_FALSE(dib.Resize(0, 3));
  EXPECT_EQ(5, dib.GetWidth());
}

TEST(DibPalette, FixedPaletteOf32) {
  RGBQUAD palette[32];
  CDib::MakeFixedPalette(32, palette);
  const BYTE base[16][3] = {{255, 255, 255}, {0, 0, 0},       {255, 0, 0},     {0, 0, 255},
                            {0, 255, 0},     {150, 150, 150}, {255, 255, 0},   {0, 150, 150},
                            {150, 0, 150},   {150, 150, 0},   {0, 255, 255},   {255, 0, 255},
                            {255, 120, 120}, {120, 255, 120}, {120, 120, 255}, {90, 90, 90}};
  for (int i = 0; i < 32; ++i) {
    const int scale = i < 16 ? 2 : 1;
    const RGBQUAD want{BYTE(base[i % 16][2] * scale / 2), BYTE(base[i % 16][1] * scale / 2),
                       BYTE(base[i % 16][0] * scale / 2), 0};
    EXPECT_TRUE(Same(want, palette[i])) << i << " " << Show(palette[i]);
  }
}

TEST(DibPalette, FixedPaletteOf256HasSixteenGroups) {
  RGBQUAD palette[256];
  CDib::MakeFixedPalette(256, palette);
  EXPECT_TRUE(Same(RGBQUAD{255, 255, 255, 0}, palette[0]));
  EXPECT_TRUE(Same(RGBQUAD{15, 15, 15, 0}, palette[240]));  // 255 * 1 / 16
  EXPECT_TRUE(Same(RGBQUAD{0, 0, 15, 0}, palette[242]));
}

TEST(DibPalette, FindNearestColor) {
  const RGBQUAD palette[4] = {{0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 200, 0}, {1, 0, 200, 0}};
  EXPECT_EQ(2, CDib::FindNearestColor(200, 0, 0, palette, 4));     // exact: stops at the first
  EXPECT_EQ(2, CDib::FindNearestColor(200, 0, 1, palette, 4));     // distance 1 < 2 ends at once
  EXPECT_EQ(3, CDib::FindNearestColor(200, 0, 2, palette, 4));     // 4 vs 1
  EXPECT_EQ(1, CDib::FindNearestColor(250, 250, 250, palette, 4));
  const RGBQUAD distant[1] = {{255, 255, 255, 0}};
  EXPECT_EQ(0, CDib::FindNearestColor(0, 0, 0, distant, 1));  // beyond the starting limit: entry 0
}

struct DepthRow {
  int from, to;
  int tolerance;  // per channel, for true-colour targets
};

TEST(DibDepth, TrueColourConversionsTable) {
  const DepthRow rows[] = {{24, 32, 0}, {32, 24, 0}, {24, 16, 7}, {16, 24, 0}, {32, 16, 7}};
  for (const DepthRow& row : rows) {
    CDib original, dib;
    MakeNumbered(original, 5, 3, row.from);
    dib.CopyFrom(original);
    ASSERT_TRUE(dib.SetBitDepth(row.to)) << row.from << "->" << row.to;
    EXPECT_EQ(row.to, dib.GetBitCount());
    EXPECT_EQ(0, dib.GetColorCount());
    const BYTE* block = (const BYTE*)GlobalLock(dib.GetBlock());
    const BITMAPINFOHEADER* info = (const BITMAPINFOHEADER*)(block + 14);
    EXPECT_EQ(row.to, info->biBitCount);
    EXPECT_EQ((DWORD)CDib::RowBytes(5, row.to) * 3, info->biSizeImage);
    EXPECT_EQ(54u, ((const BITMAPFILEHEADER*)block)->bfOffBits);
    GlobalUnlock(dib.GetBlock());
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_TRUE(Same(original.GetPixelColor(x, y), dib.GetPixelColor(x, y), row.tolerance))
            << row.from << "->" << row.to << " " << Show(original.GetPixelColor(x, y)) << " "
            << Show(dib.GetPixelColor(x, y));
  }
}

TEST(DibDepth, PaletteDepthsKeepTheFirstEntries) {
  const DepthRow rows[] = {{1, 4, 0}, {1, 8, 0}, {4, 8, 0}, {8, 4, 0}, {8, 1, 0}, {4, 1, 0}};
  for (const DepthRow& row : rows) {
    CDib original, dib;
    MakeNumbered(original, 6, 4, row.from);
    dib.CopyFrom(original);
    RGBQUAD oldPalette[256];
    ASSERT_TRUE(original.GetPalette(oldPalette));
    ASSERT_TRUE(dib.SetBitDepth(row.to));
    EXPECT_EQ(1 << row.to, dib.GetColorCount());
    RGBQUAD newPalette[256];
    ASSERT_TRUE(dib.GetPalette(newPalette));
    const int kept = std::min(1 << row.from, 1 << row.to);
    for (int i = 0; i < kept; ++i)
      EXPECT_TRUE(Same(oldPalette[i], newPalette[i])) << row.from << "->" << row.to << " entry " << i;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) {
        const RGBQUAD was = original.GetPixelColor(x, y);
        const RGBQUAD now = dib.GetPixelColor(x, y);
        const int index = (x + y * 6) & ((1 << row.from) - 1);
        if (index < kept)
          EXPECT_TRUE(Same(was, now)) << row.from << "->" << row.to;
        else  // dropped entries map to the nearest kept colour
          EXPECT_TRUE(Same(newPalette[CDib::FindNearestColor(was.rgbRed, was.rgbGreen, was.rgbBlue, newPalette, kept)],
                           now));
      }
  }
}

TEST(DibDepth, TrueColourToFixedPalette) {
  CDib dib;
  ASSERT_TRUE(dib.Create(4, 2, 24));
  const RGBQUAD colours[8] = {{255, 255, 255, 0}, {0, 0, 0, 0},   {0, 0, 255, 0},     {255, 0, 0, 0},
                              {0, 255, 0, 0},     {0, 0, 250, 0}, {150, 150, 150, 0}, {10, 10, 10, 0}};
  for (int i = 0; i < 8; ++i)
    Put(dib, i % 4, i / 4, Packed(colours[i], 24));
  ASSERT_TRUE(dib.SetBitDepth(4));
  EXPECT_EQ(16, dib.GetColorCount());
  for (int i = 0; i < 8; ++i) {
    const RGBQUAD want = i == 5 ? RGBQUAD{0, 0, 255, 0} : i == 7 ? RGBQUAD{0, 0, 0, 0} : colours[i];
    EXPECT_TRUE(Same(want, dib.GetPixelColor(i % 4, i / 4))) << i << " " << Show(dib.GetPixelColor(i % 4, i / 4));
  }
  CDib mono;
  ASSERT_TRUE(mono.Create(2, 1, 24));
  Put(mono, 0, 0, Packed(RGBQUAD{200, 200, 200, 0}, 24));
  Put(mono, 1, 0, Packed(RGBQUAD{30, 30, 30, 0}, 24));
  ASSERT_TRUE(mono.SetBitDepth(1));
  EXPECT_TRUE(Same(RGBQUAD{255, 255, 255, 0}, mono.GetPixelColor(0, 0)));
  EXPECT_TRUE(Same(RGBQUAD{0, 0, 0, 0}, mono.GetPixelColor(1, 0)));
}

struct ReduceRow {
  int mode;
  int bits;
};

// The library's reductions find the picture's own colours when it has few enough.
TEST(DibDepth, LibraryReductionsTable) {
  const ReduceRow rows[] = {{0, 8}, {1, 8}, {0, 4}, {1, 4}};
  for (const ReduceRow& row : rows) {
    CDib dib;
    ASSERT_TRUE(dib.Create(6, 2, 24));
    for (int x = 0; x < 6; ++x) {
      Put(dib, x, 0, Packed(RGBQUAD{BYTE(40 * x), 100, 30, 0}, 24));
      Put(dib, x, 1, Packed(RGBQUAD{BYTE(40 * x), 100, 30, 0}, 24));
    }
    dib.SetReduceMode(row.mode);
    ASSERT_TRUE(dib.SetBitDepth(row.bits));
    for (int x = 0; x < 6; ++x)
      EXPECT_TRUE(Same(RGBQUAD{BYTE(40 * x), 100, 30, 0}, dib.GetPixelColor(x, 1)))
          << "mode " << row.mode << " " << Show(dib.GetPixelColor(x, 1));
  }
}

TEST(DibPalette, CopyAndSelect) {
  CDib dib;
  MakeNumbered(dib, 4, 4, 8);
  RGBQUAD* table = dib.CopyPalette();
  ASSERT_NE(nullptr, table);
  EXPECT_TRUE(Same(RGBQUAD{255, 255, 255, 0}, table[255]));
  delete[] table;
  EXPECT_NE(nullptr, dib.GetPaletteObject().GetSafeHandle());
  EXPECT_EQ(256, dib.GetPaletteObject().GetEntryCount());
  HDC dc = CreateCompatibleDC(NULL);
  EXPECT_TRUE(dib.SelectPalette(dc));
  DeleteDC(dc);
  CDib deep;
  MakeNumbered(deep, 4, 4, 24);
  EXPECT_EQ(nullptr, deep.CopyPalette());
  EXPECT_EQ(-203, deep.GetStatus());
}

TEST(DibDraw, DrawsEveryLine) {
  CDib dib;
  MakePattern(dib);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = -30;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HDC dc = CreateCompatibleDC(NULL);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old = SelectObject(dc, target);
  EXPECT_TRUE(dib.Draw(dc, 3, 2));
  GdiFlush();
  const DWORD* px = (const DWORD*)bits;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const DWORD v = px[(y + 2) * 40 + x + 3];
      const RGBQUAD got{BYTE(v), BYTE(v >> 8), BYTE(v >> 16), 0};
      ASSERT_TRUE(Same(Pattern(x, y), got)) << x << "," << y;
    }
  // -1 keeps the stored position.
  memset(bits, 0, 40 * 30 * 4);
  EXPECT_TRUE(dib.Draw(dc));
  GdiFlush();
  EXPECT_NE(0u, px[2 * 40 + 3 + 15] & 0xFFFFFF);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
}

TEST(DibFiles, UnknownFileLeavesTheImageEmpty) {
  const std::string text = Out("notes.txt");
  FILE* f = fopen(text.c_str(), "wb");
  ASSERT_NE(nullptr, f);
  fputs("not a picture at all", f);
  fclose(f);
  CDib dib;
  MakeNumbered(dib, 2, 2, 8);
  EXPECT_FALSE(dib.Load(text.c_str()));
  EXPECT_EQ(-200, dib.GetStatus());
  EXPECT_FALSE(dib.IsValid());
  EXPECT_FALSE(dib.Load(Out("missing.bmp").c_str()));
  EXPECT_EQ(-200, dib.GetStatus());
  DeleteFileA(text.c_str());
}

TEST(DibFiles, SaveNeedsAKnownType) {
  CDib dib;
  MakePattern(dib);
  EXPECT_FALSE(dib.Save(Out("pattern.jpeg").c_str()));
  EXPECT_FALSE(dib.Save(Out("x.bmp").c_str(), 7));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Out("pattern.jpeg").c_str()));
}

struct ReferenceRow {
  const char* name;
  int fileType;
  int tolerance;
};

// Pictures written by ImageMagick, read through the library.
TEST(DibFiles, LoadsReferencePictures) {
  const ReferenceRow rows[] = {
      {"pattern.bmp", 1, 0},    {"pattern8.bmp", 1, 0},  {"pattern.gif", 2, 0},    {"pattern.pcx", 3, 0},
      {"pattern8.pcx", 3, 0},   {"pattern.tga", 4, 0},   {"patternrle.tga", 4, 0}, {"pattern.jpg", 5, 12},
      {"pattern.tif", 6, 0},    {"patternlzw.tif", 6, 0},
  };
  for (const ReferenceRow& row : rows) {
    CDib dib;
    ASSERT_TRUE(dib.Load(Ref(row.name).c_str())) << row.name << " status " << dib.GetStatus();
    EXPECT_EQ(row.fileType, dib.GetFileType()) << row.name;
    EXPECT_STREQ(Ref(row.name).c_str(), dib.GetFileName());
    ExpectPattern(dib, row.tolerance, row.name);
    PICINFO info = {};
    ASSERT_TRUE(dib.GetInfo(Ref(row.name).c_str(), &info)) << row.name;
    EXPECT_EQ(W, info.width);
    EXPECT_EQ(H, info.height);
  }
  CDib png;
  EXPECT_FALSE(png.Load(Ref("pattern.png").c_str()));  // not among the six types
  EXPECT_EQ(-200, png.GetStatus());
}

struct SaveRow {
  const char* name;
  int bits;  // the picture saved
  int tolerance;
};

// Each format written and read back; pictures.py then checks the same files with ImageMagick.
TEST(DibFiles, SaveAndLoadBackTable) {
  const SaveRow rows[] = {
      {"saved24.bmp", 24, 0}, {"saved32.bmp", 32, 0}, {"saved.gif", 24, 0}, {"saved.pcx", 24, 0},
      {"saved.tga", 24, 0},   {"saved32.tga", 32, 0}, {"saved.tif", 24, 0}, {"saved.jpg", 24, 24},
  };
  for (const SaveRow& row : rows) {
    CDib dib;
    MakePattern(dib);
    ASSERT_TRUE(dib.SetBitDepth(row.bits));
    ASSERT_TRUE(dib.Save(Out(row.name).c_str())) << row.name << " status " << dib.GetStatus();
    EXPECT_EQ(0, dib.GetStatus());
    CDib back;
    ASSERT_TRUE(back.Load(Out(row.name).c_str())) << row.name << " status " << back.GetStatus();
    ExpectPattern(back, row.tolerance, row.name);
  }
}

TEST(DibFiles, PalettePicturesKeepTheirIndexes) {
  for (const char* name : {"index8.bmp", "index8.pcx", "index8.tga", "index8.gif", "index8.tif"}) {
    CDib dib;
    MakeNumbered(dib, 7, 5, 8);
    const std::string path = Out("") + "../" + name;
    ASSERT_TRUE(dib.Save(path.c_str())) << name;
    CDib back;
    ASSERT_TRUE(back.Load(path.c_str())) << name << " " << back.GetStatus();
    EXPECT_EQ(8, back.GetBitCount()) << name;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        ASSERT_TRUE(Same(dib.GetPixelColor(x, y), back.GetPixelColor(x, y))) << name;
    DeleteFileA(path.c_str());
  }
}

TEST(DibFiles, JpegQualityReachesTheEncoder) {
  CDib dib;
  MakePattern(dib);
  ASSERT_TRUE(dib.Resize(160, 120));
  const std::string high = Out("") + "../q100.jpg", low = Out("") + "../q10.jpg";
  ASSERT_TRUE(dib.Save(high.c_str()));
  dib.SetJpegQuality(10);
  ASSERT_TRUE(dib.Save(low.c_str()));
  WIN32_FILE_ATTRIBUTE_DATA a, b;
  ASSERT_TRUE(GetFileAttributesExA(high.c_str(), GetFileExInfoStandard, &a));
  ASSERT_TRUE(GetFileAttributesExA(low.c_str(), GetFileExInfoStandard, &b));
  DeleteFileA(high.c_str());
  DeleteFileA(low.c_str());
  if (b.nFileSizeLow == a.nFileSizeLow)
    GTEST_SKIP() << "the platform's JPEG encoder ignores its ImageQuality option";
  EXPECT_LT(b.nFileSizeLow, a.nFileSizeLow);
}

TEST(DibFiles, LoadWithDeviceContextDraws) {
  HDC screen = GetDC(NULL);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(dc, target);
  CDib dib(Ref("pattern.bmp").c_str(), dc, 1, 1);
  EXPECT_EQ(0, dib.GetStatus());
  const COLORREF c = GetPixel(dc, 1 + 5, 1 + 3);
  EXPECT_EQ(RGB(Pattern(5, 3).rgbRed, Pattern(5, 3).rgbGreen, Pattern(5, 3).rgbBlue), c);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
}

TEST(DibBasics, CopyFromDuplicates) {
  CDib a, b;
  MakeNumbered(a, 3, 3, 4);
  ASSERT_TRUE(b.CopyFrom(a));
  EXPECT_NE(a.GetBlock(), b.GetBlock());
  EXPECT_EQ(GlobalSize(a.GetBlock()), GlobalSize(b.GetBlock()));
  Put(a, 0, 0, 9);
  EXPECT_FALSE(Same(a.GetPixelColor(0, 0), b.GetPixelColor(0, 0)));
  CDib empty;
  EXPECT_FALSE(b.CopyFrom(empty));
  EXPECT_EQ(-201, b.GetStatus());
}

#include "foundation/Picture.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

std::string Ref(const char* name) { return std::string(DIB_PICTURES) + "/ref/" + name; }

RGBQUAD Pattern(int x, int y) { return RGBQUAD{BYTE(128 + (x - y) * 4), BYTE(y * 20), BYTE(x * 16), 0}; }

// The bitmap's pixels as 32-bit rows from the top.
std::vector<DWORD> Pixels(CBitmap& bitmap, int* width, int* height) {
  BITMAP info = {};
  bitmap.GetBitmap(&info);
  *width = info.bmWidth;
  *height = info.bmHeight;
  std::vector<DWORD> pixels((size_t)info.bmWidth * info.bmHeight);
  BITMAPINFO request = {};
  request.bmiHeader.biSize = sizeof(request.bmiHeader);
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(NULL);
  GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(NULL, screen);
  return pixels;
}

int Diff(DWORD px, RGBQUAD want) {
  return std::max({abs(int(BYTE(px >> 16)) - want.rgbRed), abs(int(BYTE(px >> 8)) - want.rgbGreen),
                   abs(int(BYTE(px)) - want.rgbBlue)});
}

class PictureTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { CoInitialize(NULL); }
  static void TearDownTestSuite() { CoUninitialize(); }
};

struct FileRow {
  const char* name;
  int tolerance;
};

}  // namespace

TEST_F(PictureTest, LoadsFilesIntoBitmaps) {
  const FileRow rows[] = {{"pattern.bmp", 0}, {"pattern.gif", 0}, {"pattern.jpg", 12}};
  for (const FileRow& row : rows) {
    CPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(Ref(row.name).c_str())) << row.name;
    EXPECT_NE(nullptr, picture.GetPicture());
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = Pixels(picture, &width, &height);
    ASSERT_EQ(16, width) << row.name;
    ASSERT_EQ(12, height) << row.name;
    EXPECT_EQ(16, picture.GetSize().cx);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_LE(Diff(pixels[y * 16 + x], Pattern(x, y)), row.tolerance) << row.name << " " << x << "," << y;
  }
}

TEST_F(PictureTest, SecondLoadIsRefused) {
  CPicture picture;
  ASSERT_TRUE(picture.LoadFromFile(Ref("pattern.bmp").c_str()));
  HGDIOBJ first = picture.GetSafeHandle();
  EXPECT_FALSE(picture.LoadFromFile(Ref("pattern.gif").c_str()));
  EXPECT_EQ(first, picture.GetSafeHandle());
}

TEST_F(PictureTest, FailuresMakeNoBitmap) {
  CPicture missing, notPicture, noResource;
  EXPECT_FALSE(missing.LoadFromFile(Ref("no-such.bmp").c_str()));
  EXPECT_FALSE(notPicture.LoadFromFile(Ref("pattern.ppm").c_str()));
  EXPECT_EQ(nullptr, notPicture.GetSafeHandle());
  EXPECT_FALSE(noResource.LoadFromResource(99, "PICTURE", GetModuleHandle(NULL)));
  EXPECT_EQ(nullptr, noResource.GetSafeHandle());
}

TEST_F(PictureTest, LoadsFromResource) {
  CPicture picture;
  ASSERT_TRUE(picture.LoadFromResource(1, "PICTURE", GetModuleHandle(NULL)));
  int width = 0, height = 0;
  const std::vector<DWORD> pixels = Pixels(picture, &width, &height);
  ASSERT_EQ(4, width);
  ASSERT_EQ(2, height);
  EXPECT_EQ(0, Diff(pixels[0], RGBQUAD{0, 0, 250, 0}));
  EXPECT_EQ(0, Diff(pixels[7], RGBQUAD{30, 200, 10, 0}));
}

TEST_F(PictureTest, BackgroundShowsThroughTransparency) {
  CPicture picture;
  ASSERT_TRUE(picture.LoadFromFile(Ref("transparent.gif").c_str(), RGB(0, 0, 255)));
  int width = 0, height = 0;
  const std::vector<DWORD> pixels = Pixels(picture, &width, &height);
  ASSERT_EQ(3, width);
  EXPECT_EQ(0, Diff(pixels[0], RGBQUAD{0, 0, 255, 0}));
  EXPECT_EQ(0, Diff(pixels[1], RGBQUAD{255, 0, 0, 0}));
  EXPECT_EQ(0, Diff(pixels[2], RGBQUAD{0, 0, 255, 0}));
}

// The device-context and GDI object wrappers, drawing into a memory context read back by pixels.
#include <gtest/gtest.h>

#include "platform/afx/Dc.h"
#include "platform/afx/Wnd.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(Gdi, DrawsIntoAMemoryContextAndGivesTheOldObjectsBack) {
  CClientDC screen(nullptr);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 96, 48));
  CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
  ASSERT_NE(nullptr, pOldBitmap);
  EXPECT_NE(bitmap.GetSafeHandle(), pOldBitmap->GetSafeHandle());

  dc.FillSolidRect(0, 0, 96, 48, kRed);
  CBrush blue(kBlue);
  dc.FillRect(CRect(10, 10, 20, 20), &blue);
  CPen green(PS_SOLID, 1, kGreen);
  CPen* pOldPen = dc.SelectObject(&green);
  dc.MoveTo(0, 30);
  dc.LineTo(96, 30);
  CRgn region;
  ASSERT_TRUE(region.CreateRectRgn(40, 5, 50, 15));
  CBrush yellow(kYellow);
  dc.FillRgn(&region, &yellow);
  dc.Draw3dRect(CRect(60, 2, 70, 12), kWhite, kBlack);

  CFont font;
  ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial"));
  CFont* pOldFont = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(kWhite);
  CRect textRect(0, 32, 96, 48);
  dc.DrawText(CString("MMMM"), &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
  EXPECT_GT(dc.GetTextExtent(CString("MMMM")).cx, 0);

  // The wrappers handed back select the previous objects again.
  EXPECT_EQ(green.GetSafeHandle(), dc.SelectObject(pOldPen)->GetSafeHandle());
  EXPECT_EQ(font.GetSafeHandle(), dc.SelectObject(pOldFont)->GetSafeHandle());

  struct Row {
    int x, y;
    COLORREF colour;
  } rows[] = {
      {0, 0, kRed},     {9, 9, kRed},      {10, 10, kBlue},  {19, 19, kBlue},  {20, 20, kRed},
      {5, 30, kGreen},  {95, 30, kGreen},  {5, 29, kRed},    {40, 5, kYellow}, {49, 14, kYellow},
      {50, 15, kRed},   {60, 2, kWhite},   {60, 10, kWhite}, {69, 2, kBlack},  {65, 11, kBlack},
      {65, 6, kRed},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.colour, dc.GetPixel(row.x, row.y)) << row.x << "," << row.y;
  int textPixels = 0;
  for (int y = textRect.top; y < textRect.bottom; ++y)
    for (int x = textRect.left; x < textRect.right; ++x)
      textPixels += dc.GetPixel(x, y) == kWhite;
  EXPECT_GT(textPixels, 20);

  EXPECT_EQ(bitmap.GetSafeHandle(), dc.SelectObject(pOldBitmap)->GetSafeHandle());

  // A context and GDI objects nobody owns come back as wrappers that leave their handles alone.
  HDC hRaw = ::CreateCompatibleDC(nullptr);
  {
    CDC* pTemp = CDC::FromHandle(hRaw);
    EXPECT_EQ(pTemp, CDC::FromHandle(hRaw));
    CDC::DeleteTempMap();
  }
  EXPECT_EQ(OBJ_MEMDC, static_cast<int>(::GetObjectType(hRaw)));
  ::DeleteDC(hRaw);
}

}  // namespace

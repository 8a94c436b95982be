#include "platform/afx/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, SizesAndOperations) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(100, r.Width());
  EXPECT_EQ(50, r.Height());
  EXPECT_EQ(CSize(100, 50), r.Size());
  EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
  r.OffsetRect(-10, -20);
  EXPECT_EQ(CRect(0, 0, 100, 50), r);
  r.InflateRect(1, 2);
  EXPECT_EQ(CRect(-1, -2, 101, 52), r);
  CRect i = r & CRect(50, 0, 200, 10);
  EXPECT_EQ(CRect(50, 0, 101, 10), i);
  CRect n(5, 5, 1, 1);
  n.NormalizeRect();
  EXPECT_EQ(CRect(1, 1, 5, 5), n);
  EXPECT_TRUE(CRect().IsRectEmpty());
  EXPECT_EQ(CPoint(1, 1), n.TopLeft());
  n.BottomRight() = CPoint(9, 9);
  EXPECT_EQ(9, n.right);
}

TEST(CPoint, Arithmetic) {
  CPoint p(3, 4);
  p += CSize(1, 1);
  EXPECT_EQ(CPoint(4, 5), p);
  EXPECT_EQ(CSize(3, 3), p - CPoint(1, 2));
  EXPECT_EQ(CPoint(-4, -5), -p);
  EXPECT_EQ(CPoint(0x1234, -2), CPoint(MAKELONG(0x1234, 0xFFFE)));
}

}  // namespace

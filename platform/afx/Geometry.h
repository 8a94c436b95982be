#pragma once
#include "platform/afx/AfxDefs.h"

class CSize : public tagSIZE {
public:
  CSize() { cx = cy = 0; }
  CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
  CSize(SIZE s) { cx = s.cx; cy = s.cy; }
  CSize(POINT p) { cx = p.x; cy = p.y; }
  CSize(DWORD dwSize) { cx = static_cast<short>(LOWORD(dwSize)); cy = static_cast<short>(HIWORD(dwSize)); }

  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
  void operator+=(SIZE s) { cx += s.cx; cy += s.cy; }
  void operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public tagPOINT {
public:
  CPoint() { x = y = 0; }
  CPoint(int initX, int initY) { x = initX; y = initY; }
  CPoint(POINT p) { x = p.x; y = p.y; }
  CPoint(SIZE s) { x = s.cx; y = s.cy; }
  CPoint(DWORD dwPoint) { x = static_cast<short>(LOWORD(dwPoint)); y = static_cast<short>(HIWORD(dwPoint)); }

  void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
  void Offset(POINT p) { x += p.x; y += p.y; }
  void Offset(SIZE s) { x += s.cx; y += s.cy; }
  void SetPoint(int X, int Y) { x = X; y = Y; }

  bool operator==(POINT p) const { return x == p.x && y == p.y; }
  bool operator!=(POINT p) const { return !(*this == p); }
  void operator+=(SIZE s) { x += s.cx; y += s.cy; }
  void operator-=(SIZE s) { x -= s.cx; y -= s.cy; }
  void operator+=(POINT p) { x += p.x; y += p.y; }
  void operator-=(POINT p) { x -= p.x; y -= p.y; }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public tagRECT {
public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& r) { CopyRect(&r); }
  CRect(LPCRECT r) { CopyRect(r); }
  CRect(POINT topLeft, SIZE size) {
    left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy;
  }
  CRect(POINT topLeft, POINT bottomRight) {
    left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
  CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
  const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }

  void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  void SetRectEmpty() { left = top = right = bottom = 0; }
  void CopyRect(LPCRECT r) { left = r->left; top = r->top; right = r->right; bottom = r->bottom; }
  BOOL EqualRect(LPCRECT r) const { return left == r->left && top == r->top && right == r->right && bottom == r->bottom; }

  void InflateRect(int x, int y) { left -= x; top -= y; right += x; bottom += y; }
  void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
  void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
  void OffsetRect(int x, int y) { left += x; right += x; top += y; bottom += y; }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void NormalizeRect() {
    if (left > right) { int t = left; left = right; right = t; }
    if (top > bottom) { int t = top; top = bottom; bottom = t; }
  }
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

  CRect& operator=(const RECT& r) { CopyRect(&r); return *this; }
  bool operator==(const RECT& r) const { return EqualRect(&r) != FALSE; }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  void operator+=(POINT p) { OffsetRect(p); }
  void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
  void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }
  CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
  CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
  CRect operator&(const RECT& o) const { CRect r; ::IntersectRect(&r, this, &o); return r; }
  CRect operator|(const RECT& o) const { CRect r; ::UnionRect(&r, this, &o); return r; }
};

#pragma once
#include "platform/afx/GdiObject.h"

class CBitmap : public CGdiObject {
public:
  operator HBITMAP() const { return (HBITMAP)m_hObject; }
  BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL LoadBitmap(UINT resourceId);
  int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
  SIZE GetBitmapDimension() const;
};

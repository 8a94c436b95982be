#include "platform/afx/Bitmap.h"

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId)));
}

SIZE CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  if (m_hObject)
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
  return size;
}

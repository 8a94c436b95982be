#include "platform/afx/Bitmap.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCEA(resourceId)); }

BOOL CBitmap::LoadBitmap(LPCSTR resourceName) {
  return Attach(::LoadBitmapA(AfxFindResourceHandle(resourceName, (LPCSTR)RT_BITMAP), resourceName));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDBitmap), (LPCSTR)RT_BITMAP);
  return Attach(::CreateMappedBitmap(hInst, nIDBitmap, nFlags, lpColorMap, nMapSize));
}

SIZE CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  if (m_hObject)
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
  return size;
}

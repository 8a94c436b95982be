#pragma once
#include "platform/afx/GdiObject.h"

#include <commctrl.h>

class CBitmap : public CGdiObject {
  DECLARE_DYNCREATE(CBitmap)
public:
  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) { return FromHandleAs<CBitmap>(hBitmap); }
  operator HBITMAP() const { return (HBITMAP)m_hObject; }
  BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
  // From the resource module (else the program).
  BOOL LoadBitmap(UINT resourceId);
  BOOL LoadBitmap(LPCSTR resourceName);
  BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap))); }
  // A button bitmap with its standard greys mapped to the current system colours.
  BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = NULL, int nMapSize = 0);
  int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
  SIZE GetBitmapDimension() const;
  DWORD GetBitmapBits(DWORD count, void* bits) const { return ::GetBitmapBits((HBITMAP)m_hObject, count, bits); }
  DWORD SetBitmapBits(DWORD count, const void* bits) { return ::SetBitmapBits((HBITMAP)m_hObject, count, bits); }
};

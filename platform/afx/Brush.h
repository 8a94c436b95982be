#pragma once
#include "platform/afx/Bitmap.h"

class CBrush : public CGdiObject {
  DECLARE_DYNCREATE(CBrush)
public:
  CBrush() {}
  explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
  CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
  explicit CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }
  static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return FromHandleAs<CBrush>(hBrush); }
  operator HBRUSH() const { return (HBRUSH)m_hObject; }
  BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
  BOOL CreatePatternBrush(CBitmap* pBitmap) { return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle())); }
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
  // The system's colour brush (owned by the system; deleting it later is ignored).
  BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
  int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

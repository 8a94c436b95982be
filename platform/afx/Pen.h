#pragma once
#include "platform/afx/GdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNCREATE(CPen)
public:
  CPen() {}
  CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
  static CPen* PASCAL FromHandle(HPEN hPen) { return FromHandleAs<CPen>(hPen); }
  operator HPEN() const { return (HPEN)m_hObject; }
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
  int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
};

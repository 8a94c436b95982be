#pragma once
#include "platform/afx/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
  DECLARE_DYNCREATE(CFont)
public:
  static CFont* PASCAL FromHandle(HFONT hFont) { return FromHandleAs<CFont>(hFont); }
  operator HFONT() const { return (HFONT)m_hObject; }
  BOOL CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
  // nPointSize in tenths of a point, for pDC (the screen when NULL).
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = NULL);
  BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = NULL);
  int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
};

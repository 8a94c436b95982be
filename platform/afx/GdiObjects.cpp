#include <cstdlib>
#include <cstring>

#include "platform/afx/Brush.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Font.h"
#include "platform/afx/Pen.h"
#include "platform/afx/Rgn.h"

IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CRgn, CGdiObject)

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
  return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                              nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  LOGFONTA logFont = {};
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfHeight = nPointSize;
  lstrcpynA(logFont.lfFaceName, lpszFaceName ? lpszFaceName : "", LF_FACESIZE);
  return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC) {
  HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(NULL);
  LOGFONTA logFont = *lpLogFont;
  // Tenths of a point to device pixels, then to the context's logical units.
  POINT pt = {0, ::GetDeviceCaps(hDC, LOGPIXELSY) * logFont.lfHeight / 720};
  ::DPtoLP(hDC, &pt, 1);
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &ptOrg, 1);
  logFont.lfHeight = -std::abs(pt.y - ptOrg.y);
  if (!pDC)
    ::ReleaseDC(NULL, hDC);
  return CreateFontIndirect(&logFont);
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return Attach(::PathToRegion(pDC->GetSafeHdc())); }

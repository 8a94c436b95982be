#include "platform/afx/Dc.h"

#include "platform/afx/HandleMap.h"
#include "platform/afx/Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE) {}

CDC::~CDC() {
  if (m_hDC)
    ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const {
  const CDC* self = static_cast<const CDC*>(AfxOpaquePointer(this));
  return self ? self->m_hDC : NULL;
}

CDC* PASCAL CDC::FromHandle(HDC hDC) {
  return static_cast<CDC*>(AfxGetThreadState()->m_mapHDC.FromHandle(hDC, [] { return static_cast<CObject*>(new CDC); }));
}

void PASCAL CDC::DeleteTempMap() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  pState->m_mapHDC.DeleteTemp(pState->m_nLoopDepth);
}

BOOL CDC::Attach(HDC hDC) {
  if (!hDC || m_hDC)
    return FALSE;
  m_hDC = m_hAttribDC = hDC;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  m_hDC = m_hAttribDC = NULL;
  return hDC;
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEA*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC->GetSafeHdc())); }

BOOL CDC::DeleteDC() {
  if (!m_hDC)
    return FALSE;
  return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CGdiObject* CDC::SelectStockObject(int nIndex) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CPen* CDC::SelectObject(CPen* pPen) { return CPen::FromHandle((HPEN)::SelectObject(m_hDC, pPen->GetSafeHandle())); }

CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle((HBRUSH)::SelectObject(m_hDC, pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont) { return CFont::FromHandle((HFONT)::SelectObject(m_hDC, pFont->GetSafeHandle())); }

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, pBitmap->GetSafeHandle()));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->GetSafeHandle()));
}

int CDC::SelectObject(CRgn* pRgn) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn->GetSafeHandle())));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old = {0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetWindowOrg() const {
  POINT pt = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &pt);
  return pt;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old = {0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetViewportOrg() const {
  POINT pt = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &pt);
  return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT old = {0, 0};
  ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
  return old;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old = {0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  ::SetBkColor(m_hDC, clr);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen), pt.x,
                      pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
  return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->GetSafeHwnd()) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

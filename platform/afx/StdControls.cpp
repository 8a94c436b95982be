#include "platform/afx/StdControls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM)
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

namespace {
// An item's text of a list or combo box: one message for its length, one for the text.
void ReadItemText(HWND hWnd, UINT nLenMsg, UINT nTextMsg, int nIndex, CString& rString) {
  const int nLen = static_cast<int>(::SendMessageA(hWnd, nLenMsg, nIndex, 0));
  if (nLen < 0) {
    rString.Empty();
    return;
  }
  ::SendMessageA(hWnd, nTextMsg, nIndex, reinterpret_cast<LPARAM>(rString.GetBufferSetLength(nLen)));
  rString.ReleaseBuffer();
}
}  // namespace

void CListBox::GetText(int nIndex, CString& rString) const {
  ReadItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
  const DWORD dw = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
  bOutside = HIWORD(dw) != 0;
  return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

namespace {

// The owner-draw messages of list and combo boxes go to the control's own operations; the rest to
// the window's reflection.
template <class T>
BOOL OwnerDrawChildNotify(T* pControl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM:
      pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      return TRUE;
    case WM_COMPAREITEM: {
      const int nResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      if (pResult)
        *pResult = nResult;
      return TRUE;
    }
    case WM_DELETEITEM:
      pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      return TRUE;
    default:
      return pControl->CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
}

}  // namespace

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return OwnerDrawChildNotify(this, message, wParam, lParam, pResult);
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  ReadItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return OwnerDrawChildNotify(this, message, wParam, lParam, pResult);
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const {
  // The first word of the buffer tells the control its size.
  *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength);
  return static_cast<int>(SendMessage(EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(lpszBuffer)));
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollLimit() const {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  if (!::GetScrollInfo(m_hWnd, SB_CTL, &info))
    return 0;
  const int nLimit = info.nMax - (info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0);
  return nLimit < info.nMin ? info.nMin : nLimit;
}

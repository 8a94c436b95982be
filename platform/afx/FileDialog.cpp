#include "platform/afx/FileDialog.h"

#include "platform/afx/WinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCmdTarget)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd) {
  ZeroMemory(&m_ofn, sizeof m_ofn);
  m_szFileName[0] = '\0';
  m_szFileTitle[0] = '\0';
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = MAX_PATH;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = MAX_PATH;
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName)
    lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
  if (lpszFilter) {
    m_strFilter = lpszFilter;
    // Ends with two NULs whatever the caller wrote.
    m_strFilter += "||";
    LPSTR p = m_strFilter.GetBuffer(0);
    for (LPSTR q = p; *q; ++q) {
      if (*q == '|')
        *q = '\0';
    }
    m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
    m_ofn.lpstrFilter = m_strFilter;
  }
}

CFileDialog::~CFileDialog() {}

INT_PTR CFileDialog::DoModal() {
  HWND hWndTop = nullptr;
  m_ofn.hwndOwner = AfxGetSafeOwner(m_pParentWnd->GetSafeHwnd(), &hWndTop);
  m_ofn.hInstance = AfxGetResourceHandle();
  const BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  if (hWndTop && ::IsWindow(hWndTop))
    ::EnableWindow(hWndTop, TRUE);
  return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  CString path(m_ofn.lpstrFile);
  const int nSlash = path.ReverseFind('\\');
  return nSlash < 0 ? path : path.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  const int nDot = name.ReverseFind('.');
  return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  const int nDot = name.ReverseFind('.');
  return nDot < 0 ? name : name.Left(nDot);
}

#pragma once
#include "platform/afx/Wnd.h"

#include <commdlg.h>

// The system's open and save file dialogs. The filter is "Text|*.txt|All|*.*||" style: every '|'
// becomes the NUL the dialog expects.
class CFileDialog : public CCmdTarget {
  DECLARE_DYNAMIC(CFileDialog)
public:
  CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
              CWnd* pParentWnd = nullptr);
  ~CFileDialog() override;

  // IDOK with a chosen file, IDCANCEL when the user cancelled or the dialog failed.
  virtual INT_PTR DoModal();

  CString GetPathName() const;
  // The name with its extension, without the folder.
  CString GetFileName() const;
  // The extension without its dot, "" when the name has none.
  CString GetFileExt() const;
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

  // Edit before DoModal; the dialog's own fields (the buffers, the filter) are set by the constructor.
  OPENFILENAMEA m_ofn;

protected:
  BOOL m_bOpenFileDialog;
  CWnd* m_pParentWnd;
  CString m_strFilter;
  CString m_strDefExt;
  char m_szFileName[MAX_PATH];
  char m_szFileTitle[MAX_PATH];
};

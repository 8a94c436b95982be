#pragma once
#include "platform/afx/Wnd.h"

// A dialog from a template of the resource module: modal (DoModal runs its own message loop, with
// WM_KICKIDLE at idle) or modeless (Create). Enter and Esc end a modal dialog through OnOK and
// OnCancel; OnOK exchanges the data first and stays open when the exchange fails.
class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
  // Modal: the dialog's result, -1 when the template is missing or the window cannot be made.
  virtual INT_PTR DoModal();
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

  LPCSTR m_lpszTemplateName;  // a name, or MAKEINTRESOURCE of the id
  UINT m_nIDHelp;
  LPCDLGTEMPLATE m_lpDialogTemplate;
  CWnd* m_pParentWnd;

protected:
  DECLARE_MESSAGE_MAP()

  BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
  HWND PreModal();
  void PostModal();
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

  HWND m_hWndTop;  // the top-level window disabled for the time of DoModal
};

#include "platform/afx/Dialog.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// Every message goes through the window procedure the creation hook installed; the dialog manager
// still needs a dialog procedure to send WM_INITDIALOG at all.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

LPCDLGTEMPLATE LoadTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
  *phInst = hInst;
  return hTemplate ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_lpDialogTemplate(nullptr), m_pParentWnd(nullptr), m_hWndTop(nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_lpDialogTemplate(nullptr),
      m_pParentWnd(pParentWnd),
      m_hWndTop(nullptr) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(0),
      m_lpDialogTemplate(nullptr),
      m_pParentWnd(pParentWnd),
      m_hWndTop(nullptr) {
  if (IS_INTRESOURCE(lpszTemplateName))
    m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
}

CDialog::~CDialog() {}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
    m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
  HINSTANCE hInst = nullptr;
  LPCDLGTEMPLATE lpTemplate = LoadTemplate(lpszTemplateName, &hInst);
  return lpTemplate && CreateIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (!pParentWnd)
    pParentWnd = m_pParentWnd;
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst ? hInst : AfxGetResourceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  m_lpszTemplateName = nullptr;
  m_lpDialogTemplate = lpDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  AfxInitCommonControls();
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
  if (!AfxUnhookWindowCreate())
    PostNcDestroy();
  // A dialog destroyed during its creation (a missing control class) detached itself already.
  return hWnd != nullptr && m_hWnd == hWnd;
}

HWND CDialog::PreModal() { return AfxGetSafeOwner(m_pParentWnd->GetSafeHwnd(), &m_hWndTop); }

void CDialog::PostModal() {
  if (m_hWndTop && ::IsWindow(m_hWndTop))
    ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = nullptr;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
  if (m_lpszTemplateName)
    lpDialogTemplate = LoadTemplate(m_lpszTemplateName, &hInst);
  if (!lpDialogTemplate)
    return -1;

  HWND hWndParent = PreModal();
  BOOL bEnableParent = FALSE;
  if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }

  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  if (CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst)) {
    // EndDialog during OnInitDialog leaves no loop to run.
    if (m_nFlags & WF_CONTINUEMODAL) {
      DWORD dwFlags = MLF_SHOWONIDLE;
      if (GetStyle() & DS_NOIDLEMSG)
        dwFlags |= MLF_NOIDLEMSG;
      RunModalLoop(dwFlags);
    }
    if (m_hWnd)
      SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  m_nFlags &= ~WF_CONTINUEMODAL;
  // The owner is enabled before this window goes, so the activation returns to it.
  if (bEnableParent)
    ::EnableWindow(hWndParent, TRUE);
  if (hWndParent && ::GetActiveWindow() == m_hWnd)
    ::SetActiveWindow(hWndParent);
  DestroyWindow();
  PostModal();
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    EndModalLoop(nResult);
  ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (m_hWnd && pWndCtrl)
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  // Esc in a multi-line edit would otherwise be swallowed by the edit.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
      (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE)) {
    char className[8] = "";
    if (::GetClassNameA(pMsg->hwnd, className, sizeof className) && lstrcmpiA(className, "Edit") == 0) {
      HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
      if (!hCancel || ::IsWindowEnabled(hCancel)) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      }
    }
  }
  return PreTranslateInput(pMsg);
}

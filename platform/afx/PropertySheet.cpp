#include "platform/afx/PropertySheet.h"

#include "platform/afx/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

// Every message of a page goes through the window procedure the creation hook installed.
INT_PTR CALLBACK AfxPageDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The sheet's Apply button.
const UINT kApplyButton = 0x3021;

}  // namespace

// The control calls this just before it makes a page's window: the page object takes the window
// over before its first message. The hook is taken down again when the control releases the page.
UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPropPage) {
  CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(pPropPage->lParam);
  switch (message) {
    case PSPCB_CREATE:
      AfxHookWindowCreate(pPage);
      pPage->m_bHooked = TRUE;
      pPage->m_bFirstSetActive = TRUE;
      return TRUE;
    case PSPCB_RELEASE:
      if (pPage->m_bHooked) {
        pPage->m_bHooked = FALSE;
        AfxUnhookWindowCreate();
      }
      return 0;
    default:
      return 0;
  }
}

// --- page -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE), m_bModified(FALSE), m_bHooked(FALSE) {
  ZeroMemory(&m_psp, sizeof m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage() {
  Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage() {
  Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCSTR lpszTemplateName, UINT nIDCaption) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName))
    m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
  ZeroMemory(&m_psp, sizeof m_psp);
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_USECALLBACK;
  m_psp.pszTemplate = lpszTemplateName;
  m_psp.pfnDlgProc = &AfxPageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  m_psp.pfnCallback = &AfxPropPageCallback;
  if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
    m_psp.pszTitle = m_strCaption;
    m_psp.dwFlags |= PSP_USETITLE;
  }
}

CPropertySheet* CPropertyPage::GetParentSheet() const {
  return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bModified = bChanged;
  if (HWND hWndSheet = ::GetParent(m_hWnd))
    ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose() {
  if (HWND hWndSheet = ::GetParent(m_hWnd))
    ::SendMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
  HWND hWndSheet = ::GetParent(m_hWnd);
  return hWndSheet ? ::SendMessageA(hWndSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // The sheet does the dialog keys for all its pages (it knows the tabs and its buttons).
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CDialog::OnNotify(wParam, lParam, pResult))
    return TRUE;
  const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
  if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
    return FALSE;
  LRESULT lResult = 0;
  switch (pNMHDR->code) {
    case PSN_SETACTIVE:
      lResult = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      lResult = !OnKillActive();
      break;
    case PSN_APPLY:
      lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      break;
    case PSN_RESET:
      OnReset();
      break;
    case PSN_QUERYCANCEL:
      lResult = !OnQueryCancel();
      break;
    case PSN_WIZBACK:
      lResult = OnWizardBack();
      break;
    case PSN_WIZNEXT:
      lResult = OnWizardNext();
      break;
    case PSN_WIZFINISH:
      lResult = !OnWizardFinish();
      break;
    default:
      return FALSE;
  }
  // The control reads the answer from the message result; a dialog also keeps it in DWLP_MSGRESULT.
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
  if (pResult)
    *pResult = lResult;
  return TRUE;
}

// --- sheet ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() : m_pParentWnd(nullptr), m_bModeless(FALSE), m_hWndTop(nullptr) {
  ZeroMemory(&m_psh, sizeof m_psh);
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_DEFAULT;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd)
    DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption.LoadString(nIDCaption);
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption = pszCaption ? pszCaption : "";
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

HPROPSHEETPAGE CPropertySheet::CreatePageHandle(CPropertyPage* pPage) {
  PROPSHEETPAGEA psp = pPage->m_psp;
  if (!psp.hInstance && !(psp.dwFlags & PSP_DLGINDIRECT))
    psp.hInstance = AfxFindResourceHandle(psp.pszTemplate, RT_DIALOG);
  return ::CreatePropertySheetPageA(&psp);
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  m_pages.push_back(pPage);
  if (m_hWnd) {
    HPROPSHEETPAGE hPage = CreatePageHandle(pPage);
    if (hPage && SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
      return;
    if (hPage)
      ::DestroyPropertySheetPage(hPage);
    m_pages.pop_back();
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount())
    return;
  if (m_hWnd)
    SendMessage(PSM_REMOVEPAGE, nPage, 0);
  m_pages.erase(m_pages.begin() + nPage);
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i) {
    if (m_pages[i] == pPage)
      return i;
  }
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (!m_hWnd)
    return static_cast<int>(m_psh.nStartPage);
  // The tab's selection outlives the page handle the control drops once OK or Cancel ended the run.
  CTabCtrl* pTab = GetTabControl();
  return pTab ? pTab->GetCurSel() : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount())
    return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = nPage;
    return TRUE;
  }
  return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, nPage, 0));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const {
  if (!m_hWnd)
    return nullptr;
  return static_cast<CTabCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL))));
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle) {
  m_psh.dwFlags &= ~PSH_PROPTITLE;
  m_psh.dwFlags |= nStyle & PSH_PROPTITLE;
  if (m_hWnd) {
    SendMessage(PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>(lpszText));
    return;
  }
  m_strCaption = lpszText ? lpszText : "";
}

void CPropertySheet::SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }

void CPropertySheet::SetWizardButtons(DWORD dwFlags) { PostMessage(PSM_SETWIZBUTTONS, 0, dwFlags); }

void CPropertySheet::SetFinishText(LPCSTR lpszText) {
  m_strFinishText = lpszText ? lpszText : "";
  if (m_hWnd)
    SendMessage(PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_strFinishText)));
}

void CPropertySheet::PressButton(int nButton) {
  // As the button's own command, so the sheet's command handling sees which button ended the run.
  UINT nID = 0;
  switch (nButton) {
    case PSBTN_BACK: nID = ID_WIZBACK; break;
    case PSBTN_NEXT: nID = ID_WIZNEXT; break;
    case PSBTN_FINISH: nID = ID_WIZFINISH; break;
    case PSBTN_OK: nID = IDOK; break;
    case PSBTN_APPLYNOW: nID = kApplyButton; break;
    case PSBTN_CANCEL: nID = IDCANCEL; break;
    default: SendMessage(PSM_PRESSBUTTON, nButton, 0); return;
  }
  SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, nID)));
}

void CPropertySheet::EndDialog(int nEndID) {
  if (m_bModeless)
    DestroyWindow();
  else
    EndModalLoop(nEndID);
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle) {
  AfxInitCommonControls();
  m_handles.clear();
  for (CPropertyPage* pPage : m_pages) {
    HPROPSHEETPAGE hPage = CreatePageHandle(pPage);
    if (!hPage) {
      for (HPROPSHEETPAGE h : m_handles)
        ::DestroyPropertySheetPage(h);
      m_handles.clear();
      return FALSE;
    }
    m_handles.push_back(hPage);
  }
  PROPSHEETHEADERA psh = m_psh;
  psh.dwSize = sizeof psh;
  psh.dwFlags &= ~PSH_PROPSHEETPAGE;
  psh.dwFlags |= PSH_MODELESS;
  psh.hwndParent = hWndParent;
  psh.hInstance = AfxGetResourceHandle();
  psh.pszCaption = m_strCaption;
  psh.nPages = static_cast<UINT>(m_handles.size());
  psh.phpage = m_handles.empty() ? nullptr : m_handles.data();
  if (psh.nStartPage >= psh.nPages)
    psh.nStartPage = 0;

  // The first window the control makes is the sheet itself.
  AfxHookWindowCreate(this);
  const INT_PTR hWnd = ::PropertySheetA(&psh);
  AfxUnhookWindowCreate();
  // The control owns the page handles from here on, made or not.
  m_handles.clear();
  if (hWnd <= 0 || !m_hWnd)
    return FALSE;
  if (dwStyle != static_cast<DWORD>(-1))
    ModifyStyle(0, dwStyle);
  if (dwExStyle)
    ModifyStyleEx(0, dwExStyle);
  if (!m_strFinishText.IsEmpty())
    SendMessage(PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_strFinishText)));
  return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (pParentWnd)
    m_pParentWnd = pParentWnd;
  m_bModeless = TRUE;
  return CreateSheet(m_pParentWnd->GetSafeHwnd(), dwStyle, dwExStyle);
}

INT_PTR CPropertySheet::DoModal() {
  HWND hWndParent = AfxGetSafeOwner(m_pParentWnd->GetSafeHwnd(), &m_hWndTop);
  BOOL bEnableParent = FALSE;
  if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }
  m_bModeless = FALSE;
  m_nModalResult = IDCANCEL;
  m_nFlags |= WF_CONTINUEMODAL;
  INT_PTR nResult = -1;
  if (CreateSheet(hWndParent, static_cast<DWORD>(-1), 0)) {
    if (ContinueModal())
      RunModalLoop(MLF_SHOWONIDLE);
    nResult = m_nModalResult;
    if (m_hWnd)
      SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  m_nFlags &= ~WF_CONTINUEMODAL;
  if (bEnableParent)
    ::EnableWindow(hWndParent, TRUE);
  if (hWndParent && m_hWnd && ::GetActiveWindow() == m_hWnd)
    ::SetActiveWindow(hWndParent);
  if (m_hWnd)
    DestroyWindow();
  if (m_hWndTop && ::IsWindow(m_hWndTop))
    ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = nullptr;
  return nResult;
}

BOOL CPropertySheet::ContinueModal() {
  if (!CWnd::ContinueModal())
    return FALSE;
  // OK, Cancel and Finish end the run by dropping the current page.
  return m_hWnd && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CPropertySheet::OnInitDialog() { return static_cast<BOOL>(Default()); }

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam))
    return TRUE;
  const UINT nID = LOWORD(wParam);
  if (nID != IDOK && nID != IDCANCEL && nID != ID_WIZFINISH)
    return FALSE;
  Default();
  // The control ends the run by dropping the current page; a refusal leaves it in place.
  if (m_hWnd && !SendMessage(PSM_GETCURRENTPAGEHWND))
    m_nModalResult = static_cast<int>(nID);
  return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
      (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
    return FALSE;
  return static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}

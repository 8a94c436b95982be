#pragma once

#include <vector>

#include "platform/afx/CommonControls.h"
#include "platform/afx/Dialog.h"

class CPropertySheet;

// The commands of a wizard's buttons, as the property-sheet control sends them.
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

// One page of a property sheet: a child dialog from a template of the resource module, created by
// the system's property-sheet control when its tab is first shown. The control's page
// notifications arrive as the virtual operations below. The tab text is the template's caption
// unless a caption string is given.
class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CPropertyPage() override;
  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
  void Construct(LPCSTR lpszTemplateName, UINT nIDCaption = 0);

  // The page header handed to the control (flags, template, title); edit it before the sheet runs.
  PROPSHEETPAGEA m_psp;

  // Marks the page changed (the sheet's Apply button comes on) or unchanged.
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }
  // After an irreversible change: OK becomes Close and Cancel is disabled.
  void CancelToClose();
  // Sends PSM_QUERYSIBLINGS to the sheet: the first non-zero answer of another page.
  LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

  // The page is shown: FALSE refuses. The first call after the window is made keeps the controls
  // as the dialog initialisation left them; later ones reload them (UpdateData(FALSE)).
  virtual BOOL OnSetActive();
  // The page is left (also before an apply): FALSE keeps it (UpdateData(TRUE) failed).
  virtual BOOL OnKillActive();
  // OK or Apply: FALSE keeps the sheet open on this page. Base: OnOK, TRUE.
  virtual BOOL OnApply();
  // Cancel: the sheet goes without storing. Base: OnCancel.
  virtual void OnReset();
  // Nothing to do for a page: the sheet closes, not the page.
  void OnOK() override;
  void OnCancel() override;
  // Whether Cancel may close the sheet. Base: TRUE.
  virtual BOOL OnQueryCancel();
  // Wizard buttons: 0 goes to the neighbouring page, -1 stays, a template id goes to that page.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  // FALSE keeps the wizard open.
  virtual BOOL OnWizardFinish();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The page notifications of the sheet (PSN_*), after the message map had its turn.
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The sheet the page is on: its parent window's object, NULL when it has none.
  CPropertySheet* GetParentSheet() const;

protected:
  DECLARE_MESSAGE_MAP()

  friend class CPropertySheet;
  friend UINT CALLBACK AfxPropPageCallback(HWND, UINT, LPPROPSHEETPAGEA);

  CString m_strCaption;
  BOOL m_bFirstSetActive;
  BOOL m_bModified;
  BOOL m_bHooked;  // the creation hook is armed for this page's window
};

// A property sheet over the system's property-sheet control: tabbed, or a wizard (Back, Next,
// Finish). The pages are the caller's objects; the sheet keeps them in the order added. DoModal
// runs the control modeless inside the framework's modal loop (idle processing and message
// pre-translation work as in a dialog) and answers IDOK, IDCANCEL or, for a wizard, ID_WIZFINISH.
class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;
  void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  void Construct(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  // The sheet header handed to the control (flags, start page); edit it before the sheet runs.
  PROPSHEETHEADERA m_psh;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  // The shown page; before the window exists the start page.
  int GetActiveIndex() const;
  CPropertyPage* GetActivePage() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  CTabCtrl* GetTabControl() const;

  // The title; nStyle PSH_PROPTITLE lets the control decorate it as a properties title. The
  // caption given at construction stays the sheet's caption.
  void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
  const CString& GetCaption() const { return m_strCaption; }
  void SetWizardMode();
  BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
  // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH; posted, as the control's macro does.
  void SetWizardButtons(DWORD dwFlags);
  void SetFinishText(LPCSTR lpszText);
  // PSBTN_*: as if the user pressed that button.
  void PressButton(int nButton);
  // Ends a modal sheet with that result.
  void EndDialog(int nEndID);

  virtual INT_PTR DoModal();
  // Modeless: the sheet stays until the owner destroys it.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
  // The control's own initialisation (it makes the tabs and the start page), through Default.
  virtual BOOL OnInitDialog();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  CWnd* m_pParentWnd;
  BOOL m_bModeless;

protected:
  DECLARE_MESSAGE_MAP()

  LRESULT HandleInitDialog(WPARAM, LPARAM);
  // Builds the header and the page handles and makes the window; FALSE when it cannot.
  BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
  HPROPSHEETPAGE CreatePageHandle(CPropertyPage* pPage);

  CString m_strCaption;
  std::vector<CPropertyPage*> m_pages;
  std::vector<HPROPSHEETPAGE> m_handles;
  HWND m_hWndTop;
  CString m_strFinishText;
};

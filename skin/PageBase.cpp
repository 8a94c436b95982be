#include "skin/PageBase.h"

IMPLEMENT_DYNAMIC(CPageBase, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageBase, CPropertyPage)
    ON_WM_DESTROY()
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPageBase::CPageBase(UINT nIDTemplate, UINT)
    : CPropertyPage(nIDTemplate)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CPageBase::~CPageBase() {}

DWORD WizardButtonsFor(int nIndex, int nCount)
{
    // In this order, so the only page of a one-page wizard gets Next alone.
    if (nCount == 0)
        return PSWIZB_FINISH;
    if (nIndex == 0)
        return PSWIZB_NEXT;
    if (nIndex < nCount - 1)
        return PSWIZB_BACK | PSWIZB_NEXT;
    return PSWIZB_BACK | PSWIZB_FINISH;
}

BOOL CPageBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CPageBase::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadData();
    return TRUE;
}

BOOL CPageBase::OnApply()
{
    if (!SaveData())
        return FALSE;
    LoadData();
    return TRUE;
}

void CPageBase::OnReset() {}

BOOL CPageBase::OnQueryCancel()
{
    return CanCancel() != 0;
}

BOOL CPageBase::OnSetActive()
{
    CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    if (pSheet)
    {
        CString caption;
        GetWindowText(caption);
        pSheet->SetTitle(caption, PSH_PROPTITLE);
        if (pSheet->m_psh.dwFlags & PSH_WIZARD)
            pSheet->SetWizardButtons(WizardButtonsFor(pSheet->GetPageIndex(this), pSheet->GetPageCount()));
    }
    return CPropertyPage::OnSetActive();
}

void CPageBase::LoadData() {}

BOOL CPageBase::CanCancel()
{
    return TRUE;
}

BOOL CPageBase::SaveData()
{
    SetModified(FALSE);
    return TRUE;
}

BOOL CPageBase::IsWizard() const
{
    const CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    return pSheet && (pSheet->m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0;
}

void CPageBase::OnDestroy()
{
    CPropertyPage::OnDestroy();
}

void CPageBase::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CPropertyPage::OnGetMinMaxInfo(lpMMI);
}

void CPageBase::OnSize(UINT nType, int cx, int cy)
{
    CPropertyPage::OnSize(nType, cx, cy);
}

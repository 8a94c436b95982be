#include "ui/settings/PropSheet.h"

#include "engine/TVEngine.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"

IMPLEMENT_DYNAMIC(CPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropSheet, CPropertySheet)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPropSheet::CPropSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_bCancelAllowed(1), m_nRememberedPage(0)
{
    m_FMChannelPage.m_bFM = TRUE;
    m_psh.dwFlags &= ~(PSH_NOAPPLYNOW | PSH_HASHELP);
    m_psh.dwFlags |= PSH_PROPTITLE;
}

CPropSheet::CPropSheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_bCancelAllowed(1), m_nRememberedPage(0)
{
}

CPropSheet::~CPropSheet() {}

void CPropSheet::AddAllPages()
{
    AddPage(&m_TVChannelPage);
    if (g_pTVEngine && g_pTVEngine->IsFMAvailable())
        AddPage(&m_FMChannelPage);
    AddPage(&m_EPGPage);
    AddPage(&m_DevicePage);
    AddPage(&m_RecordFormatPage);
    AddPage(&m_ScheduleListPage);
    AddPage(&m_InterfacePage);
    AddPage(&m_VideoPage);
    AddPage(&m_StoragePage);
}

void CPropSheet::AddSetupPages()
{
    AddPage(&m_DevicePage);
    AddPage(&m_RecordFormatPage);
    AddPage(&m_TVChannelPage);
    AddPage(&m_VideoPage);
    SetWizardMode();
    m_bCancelAllowed = 0;
    m_strCaption.LoadString(IDS_SETUP_WIZARD_CAPTION);
}

void CPropSheet::AddChannelPage(BOOL bFM)
{
    AddPage(bFM ? &m_FMChannelPage : &m_TVChannelPage);
}

BOOL CPropSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The setup shape applies every page before Finish; a page that refuses keeps the wizard open.
    if (nID == ID_WIZFINISH && nCode == CN_COMMAND && !pHandlerInfo && m_hWnd)
    {
        if (!SendMessage(PSM_APPLY))
            return TRUE;
    }
    return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && !GetCaption().IsEmpty() && lParam)
    {
        CString title = GetCaption() + " - " + reinterpret_cast<LPCSTR>(lParam);
        return CPropertySheet::WindowProc(message, wParam, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(title)));
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

BOOL CPropSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    if (HICON hIcon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(128)))
    {
        SetIcon(hIcon, TRUE);
        SetIcon(hIcon, FALSE);
    }
    if (m_bCancelAllowed == 0)
    {
        if (CWnd* pCancel = GetDlgItem(IDCANCEL))
            pCancel->EnableWindow(FALSE);
    }
    CTabCtrl* pTab = GetTabControl();
    for (int i = 0; pTab && i < GetPageCount(); ++i)
    {
        if (GetPage(i) != &m_FMChannelPage)
            continue;
        CString text = pTab->GetItemText(i);
        text.Replace("TV", "FM");
        pTab->SetItemText(i, text);
        if (m_FMChannelPage.m_hWnd)
            m_FMChannelPage.SetWindowText(text);
    }
    return TRUE;
}

void CPropSheet::OnDestroy()
{
    m_nRememberedPage = GetActiveIndex();
    CPropertySheet::OnDestroy();
}

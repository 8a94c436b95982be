#include "ui/osd/OSDMenuDlg.h"

#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDChannelPages.h"
#include "ui/osd/OSDPicturePages.h"
#include "ui/osd/OSDSchedulePages.h"

void COSDMenuOwner::ShowNotice(UINT textId)
{
    CString text, caption;
    text.LoadString(textId);
    caption.LoadString(IDS_APP_TITLE);
    ::MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
}

COSDMenuDlg* OsdHostOf(CWnd* pPage)
{
    return pPage ? dynamic_cast<COSDMenuDlg*>(CWnd::FromHandlePermanent(::GetParent(pPage->m_hWnd))) : nullptr;
}

COSDMenuDlg::COSDMenuDlg(CWnd* pParent) : CDialog(IDD_OSD_MENU, pParent), m_pCurrent(nullptr), m_pOwner(nullptr)
{
}

COSDMenuDlg::~COSDMenuDlg()
{
    if (m_hWnd)
        DestroyWindow();
    DeletePages();
}

BOOL COSDMenuDlg::Create(CWnd* pParent)
{
    return CDialog::Create(IDD_OSD_MENU, pParent);
}

BOOL COSDMenuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BOOL loaded = OsdLoadBitmap(m_rowNormal, IDB_OSD_ROW);
    loaded &= OsdLoadBitmap(m_rowSelected, IDB_OSD_ROW_SELECTED);
    loaded &= OsdLoadBitmap(m_header, IDB_OSD_HEADER);
    loaded &= OsdLoadBitmap(m_footer, IDB_OSD_FOOTER);
    (void)loaded;
    BuildPages();
    m_pCurrent = GetPage(PAGE_MAIN);
    Replace();
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
        m_pages[i]->OnRefresh();
    CenterWindow(AfxGetMainWnd());
    return TRUE;
}

BOOL COSDMenuDlg::BuildPages()
{
    m_pages.Add(new MMainMenuPage);
    m_pages.Add(new MChannelEditPage);
    m_pages.Add(new MChannelSearchPage);
    m_pages.Add(new MPictureAdjustPage);
    m_pages.Add(new MScheduleRecordPage);
    m_pages.Add(new MCaptureSettingsPage);
    m_pages.Add(new MShutdownTimePage);
    m_pages.Add(new MTaskListPage);
    m_pages.Add(new MNoiseReductionPage);
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
    {
        MFrame* pPage = m_pages[i];
        pPage->Create(CRect(0, 0, 120, 120), this, 0);
        pPage->SetSharedBitmaps(&m_header, &m_footer);
        pPage->BuildRows();
        pPage->SetAllRowsSharedBitmaps(&m_rowNormal, &m_rowSelected);
        pPage->LayoutRows();
        pPage->SelectRow(0);
    }
    static const struct
    {
        int parent;
        int child;
    } kLinks[] = {
        { PAGE_MAIN, PAGE_CHANNEL_EDIT }, { PAGE_MAIN, PAGE_PICTURE },         { PAGE_MAIN, PAGE_TASK_LIST },
        { PAGE_MAIN, PAGE_CAPTURE },      { PAGE_MAIN, PAGE_NOISE },           { PAGE_CHANNEL_EDIT, PAGE_CHANNEL_SEARCH },
        { PAGE_NOISE, PAGE_SHUTDOWN },    { PAGE_TASK_LIST, PAGE_SCHEDULE_RECORD },
    };
    for (const auto& link : kLinks)
    {
        m_pages[link.parent]->AddSubFrame(m_pages[link.child]);
        m_pages[link.child]->SetParentFrame(m_pages[link.parent]);
    }
    for (int i = 1; i < PAGE_COUNT; ++i)
        m_pages[i]->ShowWindow(SW_HIDE);
    return TRUE;
}

MFrame* COSDMenuDlg::GetPage(int index) const
{
    if (m_pages.GetSize() == 0 || index < 0 || index >= m_pages.GetSize())
        return nullptr;
    return m_pages[index];
}

void COSDMenuDlg::Replace()
{
    if (!m_pCurrent)
        return;
    CRect rect;
    m_pCurrent->GetWindowRect(&rect);
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    m_pCurrent->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(AfxGetMainWnd());
}

void COSDMenuDlg::SwitchTo(MFrame* pPage)
{
    m_pCurrent->Show(FALSE);
    m_pCurrent = pPage;
    m_pCurrent->Show(TRUE);
    Replace();
}

void COSDMenuDlg::ShowMenu(BOOL show)
{
    if (show)
    {
        for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
            m_pages[i]->OnRefresh();
        MFrame* pRoot = GetPage(PAGE_MAIN);
        if (m_pCurrent && pRoot && m_pCurrent != pRoot)
            SwitchTo(pRoot);
        ShowWindow(SW_SHOW);
    }
    else
    {
        for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
            m_pages[i]->OnHide();
        ShowWindow(SW_HIDE);
    }
}

BOOL COSDMenuDlg::GoBack()
{
    MFrame* pParent = m_pCurrent ? m_pCurrent->GetParentFrame() : nullptr;
    if (!pParent)
        return FALSE;
    SwitchTo(pParent);
    return TRUE;
}

BOOL COSDMenuDlg::OpenSelected()
{
    MFrame* pSub = m_pCurrent ? m_pCurrent->GetSelectedFrame() : nullptr;
    if (!pSub)
        return FALSE;
    SwitchTo(pSub);
    return TRUE;
}

int COSDMenuDlg::UpdateScanProgress(int low, int high, int position)
{
    MChannelSearchPage* pSearch = dynamic_cast<MChannelSearchPage*>(GetPage(PAGE_CHANNEL_SEARCH));
    return pSearch ? pSearch->UpdateProgress(low, high, position) : position;
}

int COSDMenuDlg::OnOSDKey(UINT key, LPARAM lParam)
{
    if (!m_pCurrent)
        return 0;
    const LRESULT result = m_pCurrent->SendMessage(WM_OSD_KEY, key, lParam);
    if (result != OSD_KEY_TAKEN && result != OSD_KEY_UNHANDLED)
        return 0;
    switch (key)
    {
    case VK_APPS:
        if (IsWindowVisible())
        {
            if (!GoBack())
                ShowMenu(FALSE);
        }
        else
        {
            ShowMenu(TRUE);
        }
        break;
    case VK_RETURN:
        OpenSelected();
        break;
    case OSD_KEY_CLOSE:
        ShowMenu(FALSE);
        break;
    default:
        break;
    }
    return 0;
}

BOOL COSDMenuDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        const UINT key = static_cast<UINT>(pMsg->wParam);
        switch (key)
        {
        case VK_APPS:
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_RETURN:
        case OSD_KEY_CLOSE:
            OnOSDKey(key, pMsg->lParam);
            return TRUE;
        case VK_ESCAPE:
            if (IsWindowVisible())
                OnOSDKey(VK_APPS, pMsg->lParam);
            else
                ShowMenu(TRUE);
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void COSDMenuDlg::DeletePages()
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
        delete m_pages[i];
    m_pages.RemoveAll();
    m_pCurrent = nullptr;
}

void COSDMenuDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    DeletePages();
}

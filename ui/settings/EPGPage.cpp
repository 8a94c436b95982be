#include "ui/settings/EPGPage.h"

#include "engine/TVEngine.h"
#include "foundation/FolderBrowser.h"
#include "foundation/PathUtils.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/SettingsPanel.h"
#include "ui/settings/WizarSheet.h"

IMPLEMENT_DYNAMIC(CEPGPage, CPageBase)

namespace
{
const int kChannelColumn = 0;
const int kFileColumn = 1;
const char kCommonKey[] = "SOFTWARE\\Veltrane\\Common";
const char kWizardCaption[] = "EPG 文件升级";
} // namespace

BEGIN_MESSAGE_MAP(CEPGPage, CPageBase)
    ON_MESSAGE(WM_EDITLIST_GET_CHOICES, &CEPGPage::OnGetChoices)
    ON_MESSAGE(WM_EDITLIST_CELL_EDITED, &CEPGPage::OnCellEdited)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_EPG_LIST, &CEPGPage::OnItemChanged)
    ON_BN_CLICKED(IDC_EPG_BROWSE, &CEPGPage::OnBrowse)
    ON_BN_CLICKED(IDC_EPG_WIZARD, &CEPGPage::OnWizard)
    ON_BN_CLICKED(IDC_EPG_SHOW_INFO, &CEPGPage::OnChanged)
    ON_EN_CHANGE(IDC_EPG_SHOW_TIME, &CEPGPage::OnChanged)
END_MESSAGE_MAP()

CEPGPage::CEPGPage() : CPageBase(IDD_PAGE_EPG), m_bShowInfo(TRUE), m_nShowTime(0) {}

CEPGPage::~CEPGPage() {}

void CEPGPage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EPG_LIST, m_list);
    DDX_Check(pDX, IDC_EPG_SHOW_INFO, m_bShowInfo);
    DDX_Text(pDX, IDC_EPG_SHOW_TIME, m_nShowTime);
}

BOOL CEPGPage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    CTVEngine& engine = *g_pTVEngine;
    m_list.InsertColumn(kChannelColumn, "频道", LVCFMT_LEFT, 150);
    m_list.InsertColumn(kFileColumn, "文件", LVCFMT_LEFT, 150);
    m_list.SetReadOnlyColumn(kChannelColumn);
    m_list.SetComboColumn(kFileColumn);
    m_list.SetComboVScroll(TRUE);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    engine.ListEpgFiles();
    m_bShowInfo = engine.ShowEPGInfo;
    m_nShowTime = static_cast<int>(engine.ShowEPGTime);
    UpdateData(FALSE);
    ShowFolder();
    FillList();
    return TRUE;
}

void CEPGPage::ShowFolder()
{
    SetDlgItemText(IDC_EPG_FOLDER, g_pTVEngine->GetEpgFolder());
}

void CEPGPage::FillList()
{
    CTVEngine& engine = *g_pTVEngine;
    CChannelTable& table = engine.GetTVTable();
    m_list.DeleteAllItems();
    for (int i = 0; i < table.GetCount(); ++i)
    {
        CChannelItem* pItem = table.GetChannel(i);
        CString name = pItem ? CString(pItem->Name) : CString();
        CString file;
        if (!name.IsEmpty())
        {
            engine.LookupEpgFile(name, file);
            // A mapped file that is no longer in the folder shows as none.
            if (!file.IsEmpty() && !FileExists(engine.GetEpgFolder() + file))
                file.Empty();
        }
        const int nRow = m_list.InsertItem(i, name);
        m_list.SetItemText(nRow, kFileColumn, file);
    }
}

LRESULT CEPGPage::OnGetChoices(WPARAM wParam, LPARAM lParam)
{
    CStringList* pChoices = reinterpret_cast<CStringList*>(lParam);
    if (static_cast<int>(wParam) != kFileColumn || pChoices == NULL)
        return 0;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect listRect;
    m_list.GetWindowRect(&listRect);
    if (!listRect.PtInRect(cursor))
        return 0;
    pChoices->AddTail("");
    const CStringArray& files = g_pTVEngine->GetEpgFiles();
    for (int i = 0; i < files.GetSize(); ++i)
        pChoices->AddTail(files[i]);
    SetModified(TRUE);
    return 0;
}

LRESULT CEPGPage::OnCellEdited(WPARAM, LPARAM)
{
    SetModified(TRUE);
    return 0;
}

void CEPGPage::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (!(pNMLV->uChanged & LVIF_STATE) || !((pNMLV->uNewState ^ pNMLV->uOldState) & LVIS_SELECTED) ||
        !(pNMLV->uNewState & LVIS_SELECTED))
        return;
    CTVEngine& engine = *g_pTVEngine;
    if (engine.IsScanning())
        return;
    CChannelTable& table = engine.GetTVTable();
    CChannelItem* pItem = table.GetChannel(pNMLV->iItem);
    if (pItem == NULL)
        return;
    CSettingsPanel* pPanel = GetSettingsPanel();
    pPanel->StopPreviewForChange();
    pPanel->ShowChannelText(pItem);
    table.SetCurrentChannel(pItem);
}

void CEPGPage::UseEpgFolder(LPCSTR pszFolder)
{
    CString folder(pszFolder);
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCommonKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
    {
        ::RegSetValueExA(hKey, "EpgUnzipPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(folder)),
                         static_cast<DWORD>(folder.GetLength() + 1));
        ::RegCloseKey(hKey);
        g_pTVEngine->SetEpgFolder(folder);
    }
    FillList();
}

void CEPGPage::OnBrowse()
{
    CFolderBrowser browser;
    if (browser.BrowseRes(m_hWnd, IDS_BROWSE_EPG_FOLDER, g_pTVEngine->GetEpgFolder()) == 1)
        UseEpgFolder(browser.GetResult());
    ShowFolder();
    SetModified(TRUE);
}

void CEPGPage::OnWizard()
{
    CWizarSheet wizard(kWizardCaption, this, 0);
    wizard.AddPages();
    if (wizard.DoModal() == ID_WIZFINISH)
    {
        ShowFolder();
        g_pTVEngine->ListEpgFiles();
        SetModified(TRUE);
    }
}

void CEPGPage::OnChanged()
{
    SetModified(TRUE);
}

BOOL CEPGPage::SaveData()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CTVEngine& engine = *g_pTVEngine;
    engine.SetShowEPGInfo(m_bShowInfo);
    engine.ShowEPGTime = static_cast<UINT>(m_nShowTime);
    for (int i = 0; i < m_list.GetItemCount(); ++i)
    {
        const CString name = m_list.GetItemText(i, kChannelColumn);
        const CString file = m_list.GetItemText(i, kFileColumn);
        CString mapped;
        engine.LookupEpgFile(name, mapped);
        if (file != mapped)
            engine.ReplaceEpgMapEntry(name, file);
    }
    return CPageBase::SaveData();
}

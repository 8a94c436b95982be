#include "ui/settings/FMCustomDlg.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"

namespace
{
// Audio compressors of this maker do not record the radio line.
const char kSkippedMaker[] = "InterVideo";
const int kAudioCompressors = 2;
}  // namespace

BEGIN_MESSAGE_MAP(CFMCustomDlg, CDialog)
ON_CBN_SELCHANGE(IDC_FM_CUSTOM_ENTRIES, &CFMCustomDlg::OnSelchangeEntry)
ON_BN_CLICKED(IDC_FM_CUSTOM_ADD, &CFMCustomDlg::OnAdd)
ON_BN_CLICKED(IDC_FM_CUSTOM_MODIFY, &CFMCustomDlg::OnModify)
ON_BN_CLICKED(IDC_FM_CUSTOM_DELETE, &CFMCustomDlg::OnDelete)
ON_EN_CHANGE(IDC_FM_CUSTOM_NAME, &CFMCustomDlg::OnChangeName)
END_MESSAGE_MAP()

CFMCustomDlg::CFMCustomDlg(CWnd* pParent) : CDialog(IDD, pParent), m_strName("FMCustom 1"), m_pCurEntry(NULL)
{
}

void CFMCustomDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FM_CUSTOM_ENTRIES, m_EntryCombo);
    DDX_Control(pDX, IDC_FM_CUSTOM_FILTERS, m_FilterCombo);
    DDX_Text(pDX, IDC_FM_CUSTOM_NAME, m_strName);
}

BOOL CFMCustomDlg::UpdateData(BOOL bSaveAndValidate)
{
    if (!CDialog::UpdateData(bSaveAndValidate))
        return FALSE;
    if (bSaveAndValidate)
    {
        const int nSel = m_FilterCombo.GetCurSel();
        if (nSel < 0)
            return FALSE;
        m_FilterCombo.GetLBText(nSel, m_strAudioComp);
        return TRUE;
    }
    const int nCount = m_FilterCombo.GetCount();
    int nFound = -1;
    for (int i = 0; i < nCount && nFound < 0; ++i)
    {
        CString text;
        m_FilterCombo.GetLBText(i, text);
        if (text.CompareNoCase(m_strAudioComp) == 0)
            nFound = i;
    }
    if (nFound < 0 && nCount > 0)
        nFound = 0;
    if (nFound >= 0)
        m_FilterCombo.SetCurSel(nFound);
    return TRUE;
}

BOOL CFMCustomDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(FALSE);
    FillFilterCombo();
    m_List = g_pTVEngine->GetFMCustomList();
    FillEntryCombo();
    OnSelchangeEntry();
    return TRUE;
}

void CFMCustomDlg::FillFilterCombo()
{
    CStringList names;
    g_pTVEngine->GetHardWare().GetDeviceNameList(kAudioCompressors, names);
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = names.GetNext(pos);
        if (name.Left(10) == kSkippedMaker)
            continue;
        m_FilterCombo.AddString(name);
    }
    if (m_FilterCombo.GetCount() > 0)
        m_FilterCombo.SetCurSel(0);
}

void CFMCustomDlg::FillEntryCombo()
{
    m_EntryCombo.ResetContent();
    for (int i = 0; i < m_List.GetCount(); ++i)
    {
        CFMCustomEntry* pEntry = m_List.GetAt(i);
        const int nIndex = m_EntryCombo.AddString(pEntry->m_strName);
        m_EntryCombo.SetItemDataPtr(nIndex, pEntry);
    }
    m_EntryCombo.SetCurSel(m_List.m_nCurrent);
}

void CFMCustomDlg::OnSelchangeEntry()
{
    const int nSel = m_EntryCombo.GetCurSel();
    if (nSel >= 0)
    {
        m_pCurEntry = static_cast<CFMCustomEntry*>(m_EntryCombo.GetItemDataPtr(nSel));
        m_strName = m_pCurEntry->m_strName;
        m_strAudioComp = m_pCurEntry->m_strAudioComp;
    }
    UpdateData(FALSE);
    m_List.m_nCurrent = nSel;
    RefreshButtons();
}

void CFMCustomDlg::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    CFMCustomEntry* pEntry = new CFMCustomEntry;
    pEntry->m_strName = m_strName;
    pEntry->m_strAudioComp = m_strAudioComp;
    m_List.Add(pEntry);
    const int nIndex = m_EntryCombo.AddString(pEntry->m_strName);
    m_EntryCombo.SetItemDataPtr(nIndex, pEntry);
    m_EntryCombo.SetCurSel(nIndex);
    OnSelchangeEntry();
}

void CFMCustomDlg::OnModify()
{
    if (!UpdateData(TRUE) || m_pCurEntry == NULL)
        return;
    m_pCurEntry->m_strName = m_strName;
    m_pCurEntry->m_strAudioComp = m_strAudioComp;
    FillEntryCombo();
    OnSelchangeEntry();
}

void CFMCustomDlg::OnDelete()
{
    if (m_pCurEntry == NULL)
        return;
    CString prompt;
    CString format;
    AfxLoadString(IDS_ASK_DELETE_FM_ENTRY, format);
    prompt.Format(format, (LPCSTR)m_pCurEntry->m_strName);
    if (AfxMessageBox(prompt, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    int nIndex = m_EntryCombo.GetCurSel();
    if (m_List.IsValidIndex(nIndex))
    {
        m_List.RemoveAt(nIndex);
        m_pCurEntry = NULL;
        m_EntryCombo.DeleteString(nIndex);
        m_EntryCombo.SetWindowText("");
    }
    if (nIndex >= m_List.GetCount())
        --nIndex;
    m_EntryCombo.SetCurSel(m_List.IsValidIndex(nIndex) ? nIndex : -1);
    OnSelchangeEntry();
}

void CFMCustomDlg::OnChangeName()
{
    RefreshButtons();
}

BOOL CFMCustomDlg::NameInUse(const CString& name, const CFMCustomEntry* pExcept) const
{
    for (int i = 0; i < m_List.GetCount(); ++i)
    {
        const CFMCustomEntry* pEntry = m_List.GetAt(i);
        if (pEntry != pExcept && pEntry->m_strName.CompareNoCase(name) == 0)
            return TRUE;
    }
    return FALSE;
}

void CFMCustomDlg::RefreshButtons()
{
    CString name;
    GetDlgItemText(IDC_FM_CUSTOM_NAME, name);
    name.TrimLeft();
    const BOOL bCurrent = m_pCurEntry != NULL;
    GetDlgItem(IDC_FM_CUSTOM_ADD)->EnableWindow(!name.IsEmpty() && !NameInUse(name, NULL));
    GetDlgItem(IDC_FM_CUSTOM_MODIFY)->EnableWindow(bCurrent && !name.IsEmpty() && !NameInUse(name, m_pCurEntry));
    GetDlgItem(IDC_FM_CUSTOM_DELETE)->EnableWindow(bCurrent);
}

void CFMCustomDlg::OnOK()
{
    g_pTVEngine->GetFMCustomList() = m_List;
    CDialog::OnOK();
}

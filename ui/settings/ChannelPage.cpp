#include "ui/settings/ChannelPage.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/FileDialog.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CChannelPage, CPageBase)

CChannelPage* CChannelPage::s_pActivePage = NULL;

namespace
{
const int kNameColumn = 1;
const int kFrequencyColumn = 2;
const int kPositionColumn = 3;
// The one country whose city choice is ignored: its table always comes from this city.
const int kFixedCityCountry = 1201;
const char kFixedCity[] = "深圳";

BOOL HasExtension(LPCSTR pszPath, LPCSTR pszExtension)
{
    const char* pDot = strrchr(pszPath, '.');
    return pDot && lstrcmpiA(pDot, pszExtension) == 0;
}
} // namespace

int CChannelListCtrl::MoveItem(int nFrom, int nTo)
{
    return m_pPage ? m_pPage->MoveRow(nFrom, nTo) : CDragListCtrl::MoveItem(nFrom, nTo);
}

BEGIN_MESSAGE_MAP(CChannelPage, CPageBase)
    ON_BN_CLICKED(IDC_CHANNEL_RENAME, &CChannelPage::OnRename)
    ON_BN_CLICKED(IDC_CHANNEL_FAVOURITE, &CChannelPage::OnFavourite)
    ON_BN_CLICKED(IDC_CHANNEL_DELETE, &CChannelPage::OnDelete)
    ON_BN_CLICKED(IDC_CHANNEL_SET_FREQUENCY, &CChannelPage::OnSetFrequency)
    ON_BN_CLICKED(IDC_CHANNEL_SCAN, &CChannelPage::OnScan)
    ON_BN_CLICKED(IDC_CHANNEL_FAVOURITES_ONLY, &CChannelPage::OnCheckChanged)
    ON_BN_CLICKED(IDC_CHANNEL_KEEP_PREVIOUS, &CChannelPage::OnCheckChanged)
    ON_BN_CLICKED(IDC_CHANNEL_INPUT_FIRST, &CChannelPage::OnInputChanged)
    ON_BN_CLICKED(IDC_CHANNEL_INPUT_SECOND, &CChannelPage::OnInputChanged)
    ON_BN_CLICKED(IDC_CHANNEL_INPUT_THIRD, &CChannelPage::OnInputChanged)
    ON_CBN_SELCHANGE(IDC_CHANNEL_COUNTRY, &CChannelPage::OnCountryChanged)
    ON_CBN_SELCHANGE(IDC_CHANNEL_CITY, &CChannelPage::OnCityChanged)
    ON_COMMAND(ID_CHANNEL_ADD, &CChannelPage::OnAddChannel)
    ON_COMMAND(ID_CHANNEL_EXPORT, &CChannelPage::OnExport)
    ON_COMMAND(ID_CHANNEL_IMPORT, &CChannelPage::OnImport)
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_DESTROY()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_CHANNEL_LIST, &CChannelPage::OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_CHANNEL_LIST, &CChannelPage::OnColumnClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_CHANNEL_LIST, &CChannelPage::OnListKeyDown)
    ON_NOTIFY(NM_DBLCLK, IDC_CHANNEL_LIST, &CChannelPage::OnListDblClick)
    ON_NOTIFY(NM_RCLICK, IDC_CHANNEL_LIST, &CChannelPage::OnListRClick)
END_MESSAGE_MAP()

CChannelPage::CChannelPage()
    : CPageBase(IDD_PAGE_CHANNEL),
      m_bFM(FALSE),
      m_lFrequency(0),
      m_bFavorOnly(FALSE),
      m_nTVInput(0),
      m_bKeepPrevious(FALSE),
      m_nTolerance(0),
      m_pSelected(NULL),
      m_pTable(NULL),
      m_nBackupTVInput(0),
      m_nBackupCountry(0),
      m_nPageCountry(0),
      m_bSortAscending(TRUE),
      m_nSortColumn(-1)
{
    m_list.m_pPage = this;
}

CChannelPage::~CChannelPage()
{
    m_backup.RemoveAll();
    if (s_pActivePage == this)
        s_pActivePage = NULL;
}

CString CChannelPage::FormatFrequency(long lKHz)
{
    CString text;
    text.Format("%g", lKHz / 1000.0);
    return text;
}

long CChannelPage::ParseFrequency(LPCSTR pszMHz)
{
    // To the nearest kHz: "64.1" is 64099.999... in binary and must not lose a kHz.
    return static_cast<long>(floor(atof(pszMHz) * 1000.0 + 0.5));
}

BOOL CChannelPage::IsScanning() const
{
    return g_pTVEngine && g_pTVEngine->IsScanning();
}

BOOL CChannelPage::IsCurrentTunerBand() const
{
    return g_pTVEngine && g_pTVEngine->IsTunerSource() && (m_bFM ? 1 : 0) == (g_pTVEngine->IsRadio() ? 1 : 0);
}

void CChannelPage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHANNEL_FINE_TUNE, m_slider);
    DDX_Control(pDX, IDC_CHANNEL_LIST, m_list);
    DDX_Control(pDX, IDC_CHANNEL_COUNTRY, m_country);
    DDX_Control(pDX, IDC_CHANNEL_CITY, m_city);
    DDX_Text(pDX, IDC_CHANNEL_FREQUENCY, m_strFrequency);
    DDX_Text(pDX, IDC_CHANNEL_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 20);
    DDX_Check(pDX, IDC_CHANNEL_FAVOURITES_ONLY, m_bFavorOnly);
    DDX_Radio(pDX, IDC_CHANNEL_INPUT_FIRST, m_nTVInput);
    DDX_Check(pDX, IDC_CHANNEL_KEEP_PREVIOUS, m_bKeepPrevious);
}

BOOL CChannelPage::UpdateData(BOOL bSaveAndValidate)
{
    if (!bSaveAndValidate)
        m_strFrequency = FormatFrequency(m_lFrequency);
    if (!CWnd::UpdateData(bSaveAndValidate))
        return FALSE;
    if (bSaveAndValidate)
        m_lFrequency = ParseFrequency(m_strFrequency);
    return TRUE;
}

BOOL CChannelPage::OnInitDialog()
{
    m_pTable = m_bFM ? &g_pTVEngine->GetFMTable() : &g_pTVEngine->GetTVTable();
    CPageBase::OnInitDialog();
    m_nPageCountry = g_pTVEngine->GetCountryCode();
    m_strPageCity = g_pTVEngine->City;
    m_bKeepPrevious = m_pTable->m_bReservePrev;
    m_bFavorOnly = m_pTable->m_bFavorOnly;
    m_nTolerance = m_pTable->m_nTolerance;
    CString text;
    text.Format("%+d", -m_nTolerance);
    SetDlgItemText(IDC_CHANNEL_TOLERANCE_MINUS, text);
    text.Format("%+d", m_nTolerance);
    SetDlgItemText(IDC_CHANNEL_TOLERANCE_PLUS, text);
    m_menu.LoadMenu(IDR_MENU_CHANNEL_PAGE);
    m_slider.SetRange(0, 2 * m_nTolerance, TRUE);
    m_slider.SetPos(m_nTolerance);
    m_slider.SetLineSize(1);
    m_slider.SetPageSize(10);
    m_images.Create(IDB_CHANNEL_IMAGES, 36, 1, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                            LVS_EX_HEADERDRAGDROP | LVS_EX_FLATSB);
    if (HCURSOR hDrag = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDCUR_DRAG)))
        m_list.SetDragCursor(hDrag);
    const struct
    {
        UINT nHeading;
        int nFormat;
        int nWidth;
    } columns[] = {
        { IDS_COL_FAVOURITE, LVCFMT_RIGHT, 65 },
        { IDS_COL_CHANNEL_NAME, LVCFMT_LEFT, 170 },
        { IDS_COL_FREQUENCY, LVCFMT_RIGHT, 80 },
        { IDS_COL_NUMBER, LVCFMT_LEFT, 50 },
    };
    for (int i = 0; i < 4; ++i)
    {
        CString heading;
        heading.LoadString(columns[i].nHeading);
        m_list.InsertColumn(i, heading, columns[i].nFormat, columns[i].nWidth);
    }
    FillList();

    if (m_bFM)
    {
        CString caption;
        GetWindowText(caption);
        caption.Replace("TV", "FM");
        SetWindowText(caption);
        CRect rect;
        m_list.GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.top = 20;
        m_list.MoveWindow(&rect);
        static const int hidden[] = { IDC_CHANNEL_COUNTRY, IDC_CHANNEL_COUNTRY_LABEL, IDC_CHANNEL_INPUT_FIRST,
                                      IDC_CHANNEL_INPUT_SECOND, IDC_CHANNEL_INPUT_THIRD, IDC_CHANNEL_INPUT_LABEL,
                                      IDC_CHANNEL_CITY_LABEL, IDC_CHANNEL_INPUT_GROUP, IDC_CHANNEL_CITY };
        for (int nID : hidden)
        {
            if (CWnd* pWnd = GetDlgItem(nID))
                pWnd->ShowWindow(SW_HIDE);
        }
    }
    else
    {
        POSITION pos = g_pTVEngine->m_CountryNames.GetStartPosition();
        while (pos)
        {
            DWORD code = 0;
            CString name;
            g_pTVEngine->m_CountryNames.GetNextAssoc(pos, code, name);
            const int nItem = m_country.AddString(name);
            m_country.SetItemData(nItem, code);
        }
        const CString current = g_pTVEngine->m_CountryNames.GetString(m_nPageCountry);
        if (!current.IsEmpty())
            m_country.SelectString(-1, current);
        FillCities(m_nPageCountry);
        if (!g_pTVEngine->City.IsEmpty())
            m_city.SelectString(-1, g_pTVEngine->City);
        m_nTVInput = g_pTVEngine->TVInput;
        if (m_nTVInput < 0)
            m_nTVInput = 0;
        if (m_nTVInput > 2)
            m_nTVInput = 2;
    }
    UpdateData(FALSE);
    UpdateControlStates();
    return TRUE;
}

void CChannelPage::FillCities(int nCountry)
{
    m_city.ResetContent();
    m_city.AddString("");
    CStringArray names;
    g_pTVEngine->GetChannelAddressTable().GetTableNames(nCountry, names);
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_city.AddString(names[i]);
}

void CChannelPage::FillList()
{
    m_pSelected = NULL;
    m_list.DeleteAllItems();
    for (int i = 0; i < m_pTable->GetCount(); ++i)
        AddRow(m_pTable->GetChannel(i));
    FindRow(m_pTable->GetCurrentChannel());
}

int CChannelPage::AddRow(CChannelItem* pItem)
{
    if (!pItem || !pItem->IsVisible())
        return -1;
    const int nRow = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, m_list.GetItemCount(), "", 0, 0,
                                       pItem->IsFavorite() ? 1 : 0, reinterpret_cast<LPARAM>(pItem));
    WriteRow(nRow);
    return nRow;
}

void CChannelPage::WriteRow(int nRow)
{
    CChannelItem* pItem = reinterpret_cast<CChannelItem*>(m_list.GetItemData(nRow));
    if (!pItem)
        return;
    m_list.SetItem(nRow, 0, LVIF_IMAGE, NULL, pItem->IsFavorite() ? 1 : 0, 0, 0, 0);
    m_list.SetItemText(nRow, kNameColumn, pItem->Name);
    m_list.SetItemText(nRow, kFrequencyColumn, FormatFrequency(pItem->Frequency));
    CString position;
    position.Format("%d", m_pTable->FindItem(pItem) + 1);
    m_list.SetItemText(nRow, kPositionColumn, position);
}

void CChannelPage::RewriteRows()
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        WriteRow(i);
}

int CChannelPage::FindRow(const CChannelItem* pItem)
{
    for (int i = 0; pItem && i < m_list.GetItemCount(); ++i)
    {
        if (reinterpret_cast<const CChannelItem*>(m_list.GetItemData(i)) == pItem)
            return i;
    }
    return -1;
}

void CChannelPage::SelectRow(int nRow)
{
    if (nRow < 0 || nRow >= m_list.GetItemCount())
        return;
    m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(nRow, FALSE);
    m_pSelected = reinterpret_cast<CChannelItem*>(m_list.GetItemData(nRow));
    OnSelectionChanged();
}

void CChannelPage::UpdateControlStates()
{
    const BOOL bScanning = IsScanning();
    if (IsCurrentTunerBand())
    {
        CString text;
        text.LoadString(bScanning ? IDS_SEARCH_STOP : IDS_SEARCH_START);
        SetDlgItemText(IDC_CHANNEL_SCAN, text);
    }
    static const int controls[] = { IDC_CHANNEL_INPUT_FIRST, IDC_CHANNEL_INPUT_SECOND, IDC_CHANNEL_INPUT_THIRD,
                                    IDC_CHANNEL_COUNTRY,     IDC_CHANNEL_CITY,         IDC_CHANNEL_RENAME,
                                    IDC_CHANNEL_FAVOURITE,   IDC_CHANNEL_DELETE,       IDC_CHANNEL_SET_FREQUENCY,
                                    IDC_CHANNEL_FINE_TUNE };
    for (int nID : controls)
    {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(!bScanning);
    }
}

void CChannelPage::LoadData()
{
    if (!m_pTable)
        return;
    m_backup = *m_pTable;
    if (!m_bFM)
    {
        m_nBackupCountry = g_pTVEngine->GetCountryCode();
        m_nBackupTVInput = g_pTVEngine->TVInput;
        m_strBackupCity = g_pTVEngine->City;
    }
}

void CChannelPage::StoreTVSettings()
{
    if (m_bFM)
        return;
    m_nTVInput = GetCheckedRadioButton(IDC_CHANNEL_INPUT_FIRST, IDC_CHANNEL_INPUT_THIRD) - IDC_CHANNEL_INPUT_FIRST;
    if (m_nTVInput >= 0 && m_nTVInput <= 2)
        g_pTVEngine->TVInput = m_nTVInput;
    const int nCountry = m_country.GetCurSel();
    if (nCountry >= 0)
        g_pTVEngine->SetCountryCode(static_cast<int>(m_country.GetItemData(nCountry)));
    const int nCity = m_city.GetCurSel();
    if (nCity >= 0)
    {
        CString city;
        m_city.GetLBText(nCity, city);
        g_pTVEngine->City = city;
    }
}

BOOL CChannelPage::SaveData()
{
    if (!m_pTable)
        return CPageBase::SaveData();
    UpdateData(TRUE);
    StoreTVSettings();
    m_pTable->m_bFavorOnly = m_bFavorOnly;
    m_pTable->m_bReservePrev = m_bKeepPrevious;
    m_pTable->m_bModified = TRUE;
    return CPageBase::SaveData();
}

BOOL CChannelPage::CanCancel()
{
    // The table is being rebuilt by the scan: the backup and the scan's channels must not mix.
    return !IsScanning();
}

void CChannelPage::OnReset()
{
    if (!m_pTable)
        return;
    *m_pTable = m_backup;
    if (g_pTVEngine->IsTunerSource())
        GetSettingsPanel()->ShowChannelText(g_pTVEngine->GetChannelTable()->SelectStartChannel());
    if (!m_bFM)
    {
        g_pTVEngine->SetCountryCode(m_nBackupCountry);
        g_pTVEngine->TVInput = m_nBackupTVInput;
        g_pTVEngine->City = m_strBackupCity;
    }
}

BOOL CChannelPage::OnSetActive()
{
    if (CWnd* pScan = GetDlgItem(IDC_CHANNEL_SCAN))
        pScan->EnableWindow(IsCurrentTunerBand());
    s_pActivePage = this;
    m_list.SetFocus();
    UpdateControlStates();
    return CPageBase::OnSetActive();
}

BOOL CChannelPage::OnKillActive()
{
    if (s_pActivePage == this)
        s_pActivePage = NULL;
    return CPageBase::OnKillActive();
}

void CChannelPage::OnDestroy()
{
    if (s_pActivePage == this)
        s_pActivePage = NULL;
    CPageBase::OnDestroy();
}

BOOL CChannelPage::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_list.IsDragging())
    {
        m_list.CancelDrag();
        return TRUE;
    }
    return CPageBase::PreTranslateMessage(pMsg);
}

BOOL CChannelPage::OnMouseWheel(UINT, short, CPoint)
{
    return TRUE;
}

void CChannelPage::OnSelectionChanged()
{
    m_lFrequency = 0;
    m_strName.Empty();
    if (m_pSelected)
    {
        m_lFrequency = m_pSelected->Frequency;
        m_strName = m_pSelected->Name;
        m_slider.SetPos(m_nTolerance);
        if (m_pSelected != m_pTable->GetCurrentChannel() && IsCurrentTunerBand())
        {
            GetSettingsPanel()->StopPreviewForChange();
            m_pTable->SetCurrentChannel(m_pSelected);
            GetSettingsPanel()->ShowChannelText(m_pSelected);
        }
    }
    UpdateData(FALSE);
}

void CChannelPage::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pNMLV = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (IsScanning() || !(pNMLV->uChanged & LVIF_STATE) ||
        ((pNMLV->uOldState ^ pNMLV->uNewState) & LVIS_SELECTED) == 0)
        return;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    const int nRow = pos ? m_list.GetNextSelectedItem(pos) : -1;
    CChannelItem* pSelected = nRow >= 0 ? reinterpret_cast<CChannelItem*>(m_list.GetItemData(nRow)) : NULL;
    if (pSelected == m_pSelected && (pNMLV->uNewState & LVIS_SELECTED) == 0 && pSelected)
        return;
    m_pSelected = pSelected;
    OnSelectionChanged();
}

void CChannelPage::OnRename()
{
    if (!m_pSelected)
        return;
    UpdateData(TRUE);
    m_pSelected->Name = m_strName;
    WriteRow(FindRow(m_pSelected));
    SetModified(TRUE);
}

void CChannelPage::OnFavourite()
{
    if (!m_pSelected)
        return;
    m_pSelected->SetFavorite(!m_pSelected->IsFavorite());
    WriteRow(FindRow(m_pSelected));
    SetModified(TRUE);
}

void CChannelPage::OnDelete()
{
    if (!m_pSelected)
        return;
    const int nRow = FindRow(m_pSelected);
    const int nIndex = m_pTable->FindItem(m_pSelected);
    CChannelItem* pItem = m_pSelected;
    m_pSelected = NULL;
    if (nIndex >= 0)
        m_pTable->RemoveAt(nIndex);
    delete pItem;
    m_list.DeleteItem(nRow);
    const int nCount = m_list.GetItemCount();
    if (nCount > 0)
        SelectRow(nRow < nCount ? nRow : nCount - 1);
    else
        OnSelectionChanged();
    UpdateControlStates();
    RewriteRows();
    SetModified(TRUE);
}

void CChannelPage::OnSetFrequency()
{
    if (!m_pSelected)
        return;
    UpdateData(TRUE);
    GetSettingsPanel()->StopPreviewForChange();
    m_pSelected->Frequency = m_lFrequency;
    if (IsCurrentTunerBand())
        g_pTVEngine->SetFrequency(m_bFM, m_lFrequency);
    m_slider.SetPos(m_nTolerance);
    WriteRow(FindRow(m_pSelected));
    SetModified(TRUE);
}

void CChannelPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CPageBase::OnHScroll(nSBCode, nPos, pScrollBar);
    if (reinterpret_cast<HWND>(pScrollBar->GetSafeHwnd()) != m_slider.m_hWnd)
        return;
    const int nDelta = m_slider.GetPos() - m_nTolerance;
    if (m_pSelected)
    {
        m_lFrequency = m_pSelected->Frequency + nDelta;
        UpdateData(FALSE);
        if (IsCurrentTunerBand())
            g_pTVEngine->SetFrequency(m_bFM, m_lFrequency);
    }
    SetModified(TRUE);
}

void CChannelPage::OnScan()
{
    if (g_pTVEngine->IsRecording() || !IsCurrentTunerBand())
        return;
    if (IsScanning())
    {
        if (SettingsMessageBox(this, IDS_ASK_STOP_SCAN, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        GetSettingsPanel()->StopChannelScan();
        UpdateControlStates();
        return;
    }
    if (SettingsMessageBox(this, IDS_ASK_START_SCAN, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    StoreTVSettings();
    m_pSelected = NULL;
    m_list.DeleteAllItems();
    GetSettingsPanel()->StartChannelScan();
    UpdateControlStates();
    m_list.EnableDrag(FALSE);
}

void CChannelPage::OnScanProgress(int nBand, CChannelItem* pItem)
{
    CChannelPage* pPage = s_pActivePage;
    if (!pPage || !pPage->m_hWnd || (pPage->m_bFM ? 1 : 0) != (nBand ? 1 : 0))
        return;
    const int nRow = pPage->AddRow(pItem);
    if (nRow >= 0)
        pPage->m_list.EnsureVisible(nRow, FALSE);
}

void CChannelPage::OnScanFinished()
{
    CChannelPage* pPage = s_pActivePage;
    if (!pPage || !pPage->m_hWnd || !g_pTVEngine->IsTunerSource() ||
        (pPage->m_bFM ? 1 : 0) != (g_pTVEngine->IsRadio() ? 1 : 0))
        return;
    pPage->FillList();
    pPage->UpdateControlStates();
    pPage->LoadData();
    pPage->m_list.EnableDrag(TRUE);
}

void CChannelPage::OnCheckChanged()
{
    UpdateData(TRUE);
    SetModified(TRUE);
}

void CChannelPage::OnInputChanged()
{
    SetModified(TRUE);
}

void CChannelPage::RebuildTable(int nCountry, LPCSTR pszCity)
{
    g_pTVEngine->LoadChannelList(nCountry, pszCity);
    FillList();
}

void CChannelPage::OnCountryChanged()
{
    const int nSel = m_country.GetCurSel();
    if (nSel < 0)
        return;
    const int nCode = static_cast<int>(m_country.GetItemData(nSel));
    if (nCode == m_nPageCountry)
        return;
    FillCities(nCode);
    m_city.SetCurSel(0);
    if (nCode == g_pTVEngine->GetCountryCode() && !g_pTVEngine->City.IsEmpty())
        m_city.SelectString(-1, g_pTVEngine->City);
    if (nCode == kFixedCityCountry)
        RebuildTable(nCode, kFixedCity);
    else
    {
        CString city;
        if (m_city.GetCurSel() >= 0)
            m_city.GetLBText(m_city.GetCurSel(), city);
        RebuildTable(nCode, city);
    }
    m_nPageCountry = nCode;
    SetModified(TRUE);
}

void CChannelPage::OnCityChanged()
{
    SetModified(TRUE);
    const int nCountry = m_country.GetCurSel();
    const int nCode = nCountry >= 0 ? static_cast<int>(m_country.GetItemData(nCountry)) : kFixedCityCountry;
    CString city;
    if (m_city.GetCurSel() >= 0)
        m_city.GetLBText(m_city.GetCurSel(), city);
    if (city != m_strPageCity)
    {
        RebuildTable(nCode, city);
        m_strPageCity = city;
    }
}

void CChannelPage::OnAddChannel()
{
    CChannelItem* pItem = new CChannelItem(m_pTable->GetMaxID() + 1, 0, "New Channel", CChannelItem::FLAG_NEW);
    m_pTable->Add(pItem);
    const int nRow = AddRow(pItem);
    SelectRow(nRow);
    SetModified(TRUE);
}

BOOL CChannelPage::ExportTable(LPCSTR pszPath)
{
    return HasExtension(pszPath, ".ini") ? m_pTable->SaveToProfile(pszPath) : m_pTable->SaveToFile(pszPath);
}

BOOL CChannelPage::ImportTable(LPCSTR pszPath)
{
    CChannelTable table;
    table.SetFMTable(m_bFM);
    const BOOL bRead = HasExtension(pszPath, ".ini") ? table.LoadFromProfile(pszPath) : table.LoadFromFile(pszPath);
    if (bRead)
    {
        m_pTable->CopyItems(table);
        FillList();
        SetModified(TRUE);
    }
    table.RemoveAll();
    return bRead;
}

void CChannelPage::OnExport()
{
    CString filter;
    filter.LoadString(m_bFM ? IDS_FILTER_FM_CHANNELS : IDS_FILTER_TV_CHANNELS);
    CFileDialog dlg(FALSE, m_bFM ? "fmb" : "tvb", m_bFM ? "FMChl" : "TVChl",
                    OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filter, this);
    if (dlg.DoModal() != IDOK)
        return;
    ExportTable(dlg.GetPathName());
}

void CChannelPage::OnImport()
{
    CString filter;
    filter.LoadString(m_bFM ? IDS_FILTER_FM_CHANNELS : IDS_FILTER_TV_CHANNELS);
    CFileDialog dlg(TRUE, NULL, NULL, OFN_EXPLORER | OFN_HIDEREADONLY, filter, this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!ImportTable(dlg.GetPathName()))
        AfxMessageBox(IDS_CHANNEL_IMPORT_FAILED);
}

int CChannelPage::MoveRow(int nFrom, int nTo)
{
    CChannelItem* pItem = reinterpret_cast<CChannelItem*>(m_list.GetItemData(nFrom));
    const int nIndex = m_pTable->FindItem(pItem);
    if (nIndex >= 0)
    {
        // The drop place in the table: before the channel of row nTo, or at the end.
        CChannelItem* pBefore =
            nTo < m_list.GetItemCount() ? reinterpret_cast<CChannelItem*>(m_list.GetItemData(nTo)) : NULL;
        m_pTable->RemoveAt(nIndex);
        const int nAt = pBefore ? m_pTable->FindItem(pBefore) : -1;
        if (nAt >= 0)
            m_pTable->InsertAt(nAt, pItem);
        else
            m_pTable->Add(pItem);
        SetModified(TRUE);
    }
    const int nNew = m_list.CDragListCtrl::MoveItem(nFrom, nTo);
    RewriteRows();
    return nNew;
}

int CALLBACK CChannelPage::CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const CChannelPage* pPage = reinterpret_cast<const CChannelPage*>(lParamSort);
    const CChannelItem* a = reinterpret_cast<const CChannelItem*>(lParam1);
    const CChannelItem* b = reinterpret_cast<const CChannelItem*>(lParam2);
    int nDiff = 0;
    switch (pPage->m_nSortColumn)
    {
    case 0:
        nDiff = a->IsFavorite() - b->IsFavorite();
        break;
    case kNameColumn:
        nDiff = strcmp(a->Name, b->Name);
        break;
    case kFrequencyColumn:
        nDiff = a->Frequency < b->Frequency ? -1 : a->Frequency > b->Frequency ? 1 : 0;
        break;
    default:
        nDiff = pPage->m_pTable->FindItem(a) - pPage->m_pTable->FindItem(b);
        break;
    }
    return pPage->m_bSortAscending ? nDiff : -nDiff;
}

void CChannelPage::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (IsScanning())
        return;
    const int nColumn = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    m_list.EnableDrag(FALSE);
    if (nColumn == m_nSortColumn)
        m_bSortAscending = !m_bSortAscending;
    else
    {
        m_nSortColumn = nColumn;
        m_bSortAscending = TRUE;
    }
    m_list.SortItems(&CChannelPage::CompareRows, reinterpret_cast<DWORD_PTR>(this));
    m_list.EnableDrag(TRUE);
}

void CChannelPage::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (IsScanning())
        return;
    const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
    if (key == VK_SPACE)
        OnFavourite();
    else if (key == VK_DELETE)
        OnDelete();
}

void CChannelPage::OnListDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!IsScanning())
        OnFavourite();
}

void CChannelPage::OnListRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!IsScanning())
        ShowContextMenu();
}

void CChannelPage::ShowContextMenu()
{
    CMenu* pPopup = m_menu.GetSubMenu(0);
    if (!pPopup)
        return;
    pPopup->EnableMenuItem(ID_CHANNEL_EXPORT,
                           MF_BYCOMMAND | (m_list.GetItemCount() ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
    CPoint pt;
    ::GetCursorPos(&pt);
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

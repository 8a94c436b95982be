#include "ui/settings/ScheduleListPage.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "ui/settings/ScheduleItemDlg.h"

namespace
{
const char* const kWeekdays[7] = { "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日" };
const char kViewing[] = "预约收看";
const char kRecording[] = "预约录像";

struct Column
{
    UINT nHeader;
    int nWidth;
};
const Column kColumns[6] = {
    { IDS_COL_SCHEDULE_DATE, 70 },   { IDS_COL_SCHEDULE_TIME, 70 },    { IDS_SCHEDULE_VIEWING, 70 },
    { IDS_COL_SCHEDULE_LENGTH, 60 }, { IDS_COL_SCHEDULE_CHANNEL, 60 }, { IDS_COL_SCHEDULE_SOURCE, 50 },
};

BOOL ReadItem(HTIMINGITEM item, _tagTimingParam& timing, _tagExcuteParam& excute)
{
    return Timing_GetItemTimingParam(item, &timing) && Timing_GetItemExcuteParam(item, &excute, sizeof excute);
}

// Whether the library takes the timing record (for a new item, or as the item's new record); an
// overlap is refused with the message, any other refusal silently.
BOOL MayStore(HTIMINGITEM item, const _tagTimingParam& timing)
{
    long lResult = TIMING_ITEM_INVALID;
    Timing_CheckItem(0, item, timing, &lResult);
    if (lResult == TIMING_ITEM_OVERLAP || lResult == TIMING_ITEM_OVERLAP_RUNNING)
        AfxMessageBox(IDS_SCHEDULE_OVERLAP);
    return lResult == TIMING_ITEM_NORMAL || lResult == TIMING_ITEM_EXPIRED;
}

BOOL IsHeld(HTIMINGITEM item)
{
    for (HTIMINGITEM held = Timing_GetFirstItem(0); held != NULL; held = Timing_GetNextItem(0, held))
        if (held == item)
            return TRUE;
    return FALSE;
}
}  // namespace

CScheduleListPage::PFN_SHUTDOWN_TIME CScheduleListPage::s_pfnShutdownTime = NULL;

BEGIN_MESSAGE_MAP(CScheduleListPage, CPageBase)
ON_BN_CLICKED(IDC_SCHEDULE_ADD, &CScheduleListPage::OnAdd)
ON_BN_CLICKED(IDC_SCHEDULE_EDIT, &CScheduleListPage::OnEdit)
ON_BN_CLICKED(IDC_SCHEDULE_DELETE, &CScheduleListPage::OnDelete)
ON_BN_CLICKED(IDC_SCHEDULE_SHUT_DOWN, &CScheduleListPage::OnShutDown)
END_MESSAGE_MAP()

CScheduleListPage::CScheduleListPage() : CPageBase(IDD), m_bShutDown(0) {}

void CScheduleListPage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCHEDULE_LIST, m_List);
    DDX_Check(pDX, IDC_SCHEDULE_SHUT_DOWN, m_bShutDown);
    DDX_DateTimeCtrl(pDX, IDC_SCHEDULE_SHUT_TIME, m_ShutTime);
}

BOOL CScheduleListPage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    m_bShutDown = g_pTVEngine->GetEnableShut();
    g_pTVEngine->GetShutTime(m_ShutTime);
    m_List.SetExtendedStyle(m_List.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_GRIDLINES);
    for (int i = 0; i < 6; ++i)
    {
        CString header;
        AfxLoadString(kColumns[i].nHeader, header);
        m_List.InsertColumn(i, header, LVCFMT_RIGHT, kColumns[i].nWidth);
    }
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item))
    {
        _tagTimingParam timing = {};
        _tagExcuteParam excute = {};
        if (ReadItem(item, timing, excute))
            AddRow(item, timing, excute);
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL CScheduleListPage::SaveData()
{
    g_pTVEngine->SetEnableShut(m_bShutDown);
    g_pTVEngine->SetShutTime(m_ShutTime);
    if (s_pfnShutdownTime != NULL)
        s_pfnShutdownTime(m_ShutTime, m_bShutDown);
    return CPageBase::SaveData();
}

void CScheduleListPage::FormatRow(const _tagTimingParam& timing, const _tagExcuteParam& excute, CString texts[6])
{
    if (timing.bExcuteOnce)
    {
        texts[0].Format("%04d-%02d-%02d", static_cast<int>(timing.nYear), static_cast<int>(timing.nMonth),
                        static_cast<int>(timing.nDay));
    }
    else
    {
        texts[0].Empty();
        for (int bit = 0; bit < 7; ++bit)
        {
            if (!((timing.nWeekMask >> bit) & 1))
                continue;
            if (!texts[0].IsEmpty())
                texts[0] += ",";
            texts[0] += kWeekdays[bit];
        }
    }
    texts[1].Format("%02d:%02d:%02d", static_cast<int>(timing.nHour), static_cast<int>(timing.nMinute),
                    static_cast<int>(timing.nSecond));
    const BOOL bViewing = excute.lRecordLength == 1;
    texts[2] = bViewing ? kViewing : kRecording;
    texts[3].Empty();
    if (!bViewing)
    {
        const long lLength = excute.lRecordLength;
        texts[3].Format("%02d:%02d:%02d", static_cast<int>(lLength / 3600), static_cast<int>(lLength / 60 % 60),
                        static_cast<int>(lLength % 60));
    }
    texts[4].Empty();
    if (excute.dwSource == CTVEngine::SOURCE_TV)
    {
        CChannelTable* pTable = g_pTVEngine->GetChannelTable();
        const CChannelItem* pChannel = pTable != NULL ? pTable->GetChannel(excute.nChannel - 1) : NULL;
        if (pChannel != NULL)
            texts[4].Format("%d.%s", static_cast<int>(pChannel->ID), (LPCSTR)pChannel->Name);
    }
    switch (excute.dwSource)
    {
    case CTVEngine::SOURCE_TV: texts[5] = "TV"; break;
    case CTVEngine::SOURCE_AV: texts[5] = "AV"; break;
    case CTVEngine::SOURCE_FM: texts[5] = "FM"; break;
    default: texts[5] = "SV"; break;
    }
}

int CScheduleListPage::AddRow(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam& excute)
{
    CString texts[6];
    FormatRow(timing, excute, texts);
    const int nRow = m_List.InsertItem(LVIF_TEXT | LVIF_PARAM, m_List.GetItemCount(), "", 0, 0, 0,
                                       reinterpret_cast<LPARAM>(item));
    for (int i = 0; i < 6; ++i)
        m_List.SetItemText(nRow, i, texts[i]);
    return nRow;
}

int CScheduleListPage::GetSelectedRow() const
{
    return m_List.GetNextItem(-1, LVNI_SELECTED);
}

void CScheduleListPage::SelectRow(int nRow)
{
    if (nRow < 0)
        return;
    if (nRow >= m_List.GetItemCount())
        nRow = m_List.GetItemCount() - 1;
    m_List.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_List.EnsureVisible(nRow, FALSE);
}

HTIMINGITEM CScheduleListPage::GetRowItem(int nRow) const
{
    if (nRow < 0 || nRow >= m_List.GetItemCount())
        return NULL;
    HTIMINGITEM item = reinterpret_cast<HTIMINGITEM>(m_List.GetItemData(nRow));
    return IsHeld(item) ? item : NULL;
}

void CScheduleListPage::OnAdd()
{
    CScheduleItemDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!MayStore(NULL, dlg.m_Timing))
        return;
    // The row shows only what the library took.
    HTIMINGITEM item = Timing_InsertItem(0, dlg.m_Timing, &dlg.m_Excute);
    if (item != NULL)
        AddRow(item, dlg.m_Timing, dlg.m_Excute);
}

void CScheduleListPage::OnEdit()
{
    const int nRow = GetSelectedRow();
    HTIMINGITEM item = GetRowItem(nRow);
    if (item == NULL)
        return;
    _tagTimingParam timing = {};
    _tagExcuteParam excute = {};
    if (!ReadItem(item, timing, excute))
        return;
    CScheduleItemDlg dlg(this);
    dlg.SetItem(timing, excute);
    if (dlg.DoModal() != IDOK)
        return;
    if (!MayStore(item, dlg.m_Timing) || !Timing_UpdateItem(item, dlg.m_Timing, &dlg.m_Excute))
        return;
    m_List.DeleteItem(nRow);
    SelectRow(AddRow(item, dlg.m_Timing, dlg.m_Excute));
}

void CScheduleListPage::OnDelete()
{
    const int nRow = GetSelectedRow();
    HTIMINGITEM item = GetRowItem(nRow);
    if (item == NULL)
        return;
    Timing_RemoveItem(item);
    m_List.DeleteItem(nRow);
    if (m_List.GetItemCount() > 0)
        SelectRow(0);
}

void CScheduleListPage::OnShutDown()
{
    UpdateData(TRUE);
    SetModified(TRUE);
}

BOOL CScheduleListPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != NULL && pHdr->idFrom == IDC_SCHEDULE_LIST)
    {
        if (pHdr->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(pHdr)->wVKey == VK_DELETE)
            OnDelete();
        else if (pHdr->code == NM_DBLCLK && reinterpret_cast<const NMITEMACTIVATE*>(pHdr)->iItem >= 0)
            OnEdit();
    }
    return CPageBase::OnNotify(wParam, lParam, pResult);
}

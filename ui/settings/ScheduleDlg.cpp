#include "ui/settings/ScheduleDlg.h"

#include <cstdio>
#include <cstdlib>

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/File.h"
#include "platform/afx/WinApp.h"
#include "platform/standins/tamblin/Tamblin.h"
#include "resources/ResourceIds.h"
#include "ui/settings/ScheduleItemDlg.h"

namespace
{
const char kCaption[] = "EPG";
const char kViewingExpired[] = "添加预约收看时间过期，请重新添加";
const char kRecordingExpired[] = "添加定时录像时间过期，请重新添加";
const char kViewingOverlap[] = "添加预约收看时间重叠";
const char kRecordingOverlap[] = "添加定时录像时间重叠";
const long kLastProgrammeLength = 3600;

// The name of a tab's weekday: Monday to Saturday, then Sunday, are consecutive strings.
CString DayName(int nTab)
{
    CString name;
    AfxLoadString(IDS_MONDAY + nTab, name);
    return name;
}

BOOL HoldsAnyDayName(const CString& line)
{
    for (int nTab = 0; nTab < 7; ++nTab)
        if (line.Find(DayName(nTab)) >= 0)
            return TRUE;
    return FALSE;
}

int Digit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// "HH:MM title": the time and the title; FALSE for any other line.
BOOL ParseProgramme(const CString& line, int& nHour, int& nMinute, CString& title)
{
    if (line.GetLength() < 5 || line[2] != ':')
        return FALSE;
    const int d[4] = { Digit(line[0]), Digit(line[1]), Digit(line[3]), Digit(line[4]) };
    if (d[0] < 0 || d[1] < 0 || d[2] < 0 || d[3] < 0)
        return FALSE;
    nHour = d[0] * 10 + d[1];
    nMinute = d[2] * 10 + d[3];
    if (nHour > 23 || nMinute > 59)
        return FALSE;
    title = line.Mid(5);
    title.Trim();
    return TRUE;
}

// The number in characters [first, first + count) of the text, else the default.
int Field(const CString& text, int nFirst, int nCount, int nDefault)
{
    if (text.GetLength() < nFirst + nCount)
        return nDefault;
    return atoi(text.Mid(nFirst, nCount));
}

// The date and time shown in a row of the list.
CTime RowTime(const CListCtrl& list, int nRow)
{
    const CString date = list.GetItemText(nRow, 0);
    const CString time = list.GetItemText(nRow, 1);
    return CTime(Field(date, 0, 4, 2006), Field(date, 5, 2, 1), Field(date, 8, 2, 1), Field(time, 0, 2, 0),
                 Field(time, 3, 2, 0), 0);
}
}  // namespace

BEGIN_MESSAGE_MAP(CScheduleDlg, CDialog)
ON_BN_CLICKED(IDC_GUIDE_VIEW, &CScheduleDlg::OnAddViewing)
ON_BN_CLICKED(IDC_GUIDE_RECORD, &CScheduleDlg::OnAddRecording)
ON_BN_CLICKED(IDC_GUIDE_UNUSED, &CScheduleDlg::OnUnused)
ON_NOTIFY(TCN_SELCHANGE, IDC_GUIDE_DAYS, &CScheduleDlg::OnSelchangeTab)
ON_CBN_SELCHANGE(IDC_GUIDE_CHANNEL, &CScheduleDlg::OnSelchangeChannel)
ON_NOTIFY(NM_KILLFOCUS, IDC_GUIDE_PROGRAMMES, &CScheduleDlg::OnKillfocusList)
ON_NOTIFY(NM_CUSTOMDRAW, IDC_GUIDE_PROGRAMMES, &CScheduleDlg::OnCustomdrawList)
END_MESSAGE_MAP()

CScheduleDlg::CScheduleDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CScheduleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GUIDE_DAYS, m_Tab);
    DDX_Control(pDX, IDC_GUIDE_CHANNEL, m_ChannelCombo);
    DDX_Control(pDX, IDC_GUIDE_PROGRAMMES, m_List);
}

BOOL CScheduleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    for (int nTab = 0; nTab < 7; ++nTab)
    {
        CString name = DayName(nTab);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = name.GetBuffer(0);
        m_Tab.SendMessage(TCM_INSERTITEMA, nTab, reinterpret_cast<LPARAM>(&item));
        name.ReleaseBuffer();
    }

    m_List.SetExtendedStyle(m_List.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    CRect rect;
    m_List.GetClientRect(rect);
    m_List.InsertColumn(0, "日期", LVCFMT_LEFT, 80);
    m_List.InsertColumn(1, "开始时间", LVCFMT_LEFT, 80);
    m_List.InsertColumn(2, "节目", LVCFMT_LEFT, rect.Width() - 185);

    CChannelTable& table = g_pTVEngine->GetTVTable();
    CChannelItem* pCurrent = table.GetCurrentChannel();
    for (int i = 0; i < table.GetCount(); ++i)
    {
        CChannelItem* pItem = table.GetChannel(i);
        const int nIndex = m_ChannelCombo.AddString(pItem->Name);
        if (pCurrent != NULL && pItem->Name.CompareNoCase(pCurrent->Name) == 0)
            m_ChannelCombo.SetCurSel(nIndex);
    }

    m_Tab.SendMessage(TCM_SETCURSEL, TabOfDayOfWeek(CTime::GetCurrentTime().GetDayOfWeek()));
    LoadProgrammes();
    return TRUE;
}

int CScheduleDlg::GetCurTab() const
{
    return static_cast<int>(m_Tab.SendMessage(TCM_GETCURSEL));
}

void CScheduleDlg::LoadProgrammes()
{
    m_List.DeleteAllItems();
    const int nChannel = m_ChannelCombo.GetCurSel();
    const int nTab = GetCurTab();
    if (nChannel < 0 || nTab < 0)
        return;
    CString channel;
    m_ChannelCombo.GetLBText(nChannel, channel);
    CString fileName;
    if (!g_pTVEngine->LookupEpgFile(channel, fileName) || fileName.IsEmpty())
        return;
    CStdioFile file;
    if (!file.Open(g_pTVEngine->GetEpgFolder() + fileName, CFile::modeRead | CFile::typeText))
        return;

    // The tab's day in this week (Monday to Sunday).
    const CTime now = CTime::GetCurrentTime();
    const CTime day = now + CTimeSpan(nTab - TabOfDayOfWeek(now.GetDayOfWeek()), 0, 0, 0);
    const CString dayName = DayName(nTab);
    BOOL bInDay = FALSE;
    CString line;
    while (file.ReadString(line))
    {
        line.Trim();
        if (!bInDay)
        {
            bInDay = line.Find(dayName) >= 0;
            continue;
        }
        if (HoldsAnyDayName(line))
            break;
        int nHour = 0;
        int nMinute = 0;
        CString title;
        if (!ParseProgramme(line, nHour, nMinute, title))
            continue;
        CString date;
        date.Format("%04d-%02d-%02d", day.GetYear(), day.GetMonth(), day.GetDay());
        CString time;
        time.Format("%02d:%02d", nHour, nMinute);
        const int nRow = m_List.InsertItem(m_List.GetItemCount(), date);
        m_List.SetItemText(nRow, 1, time);
        m_List.SetItemText(nRow, 2, title);
    }
}

void CScheduleDlg::OnSelchangeTab(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    LoadProgrammes();
    *pResult = 0;
}

void CScheduleDlg::OnSelchangeChannel()
{
    LoadProgrammes();
}

void CScheduleDlg::OnKillfocusList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
}

void CScheduleDlg::OnCustomdrawList(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
}

void CScheduleDlg::OnAddViewing()
{
    AddItem(FALSE);
}

void CScheduleDlg::OnAddRecording()
{
    AddItem(TRUE);
}

void CScheduleDlg::AddItem(BOOL bRecording)
{
    const int nRow = m_List.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    const CTime start = RowTime(m_List, nRow);

    const int nChannel = m_ChannelCombo.GetCurSel();
    const CChannelItem* pChannel = g_pTVEngine->GetTVTable().GetChannel(nChannel);
    long lLength = 1;
    if (bRecording)
    {
        lLength = kLastProgrammeLength;
        if (nRow + 1 < m_List.GetItemCount())
            lLength = static_cast<long>((RowTime(m_List, nRow + 1) - start).GetTimeSpan());
    }

    _tagExcuteParam excute = {};
    excute.stuExcute.dwSize = sizeof excute;
    excute.lRecordLength = lLength;
    excute.dwSource = CTVEngine::SOURCE_TV;
    excute.nChannel = nChannel + 1;
    excute.lFreq = pChannel != NULL ? pChannel->Frequency : 0;

    _tagTimingParam timing = {};
    timing.nYear = start.GetYear();
    timing.nMonth = start.GetMonth();
    timing.nDay = start.GetDay();
    timing.nHour = start.GetHour();
    timing.nMinute = start.GetMinute();
    timing.nSecond = 0;
    timing.lLength = lLength;
    timing.bExcuteOnce = 1;
    timing.nWeekMask = 1 << TabOfDayOfWeek(start.GetDayOfWeek());

    CScheduleItemDlg dlg(this);
    dlg.SetItem(timing, excute);
    if (dlg.DoModal() != IDOK)
        return;
    long lResult = TIMING_ITEM_INVALID;
    Timing_CheckItem(0, NULL, dlg.m_Timing, &lResult);
    switch (lResult)
    {
    case TIMING_ITEM_NORMAL:
        Timing_InsertItem(0, dlg.m_Timing, &dlg.m_Excute);
        break;
    case TIMING_ITEM_EXPIRED:
        MessageBox(bRecording ? kRecordingExpired : kViewingExpired, kCaption);
        break;
    case TIMING_ITEM_OVERLAP:
    case TIMING_ITEM_OVERLAP_RUNNING:
        MessageBox(bRecording ? kRecordingOverlap : kViewingOverlap, kCaption);
        break;
    default:
        break;
    }
}

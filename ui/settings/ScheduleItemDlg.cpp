#include "ui/settings/ScheduleItemDlg.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"

namespace
{
const char kViewingTitle[] = "预约收看";
const char kRecordingTitle[] = "预约录像";
const char kAdvancedShown[] = "高级设置<<";
const char kAdvancedHidden[] = "高级设置>>";
const int kSources = 3;
const int kMaxLeadDays = 7;

// The dialog's full and short rectangles, measured on first use and kept for the run.
BOOL g_bMeasured = FALSE;
CRect g_rcFull;
CRect g_rcShort;

// Weekday list entry k: Sunday first, then Monday to Saturday.
const UINT kWeekdayNames[7] = { IDS_SUNDAY, IDS_MONDAY, IDS_TUESDAY, IDS_WEDNESDAY, IDS_THURSDAY, IDS_FRIDAY, IDS_SATURDAY };

// The mask bit of list entry k: Monday is bit 0, Sunday bit 6.
int MaskBitOfEntry(int k)
{
    return k == 0 ? 6 : k - 1;
}
}  // namespace

int CScheduleItemDlg::s_bRemember = 0;

BEGIN_MESSAGE_MAP(CScheduleItemDlg, CDialog)
ON_BN_CLICKED(IDC_ITEM_ONCE, &CScheduleItemDlg::OnOnce)
ON_BN_CLICKED(IDC_ITEM_TYPE_APPLY, &CScheduleItemDlg::OnTypeChanged)
ON_BN_CLICKED(IDC_ITEM_AUTO_START, &CScheduleItemDlg::OnAutoStart)
ON_BN_CLICKED(IDC_ITEM_REMEMBER, &CScheduleItemDlg::OnRemember)
ON_WM_DESTROY()
ON_CBN_SELCHANGE(IDC_ITEM_SOURCE, &CScheduleItemDlg::OnSelchangeSource)
ON_BN_CLICKED(IDC_ITEM_ADVANCED, &CScheduleItemDlg::OnAdvanced)
ON_BN_CLICKED(IDC_ITEM_VIEWING, &CScheduleItemDlg::OnTypeChanged)
ON_BN_CLICKED(IDC_ITEM_RECORDING, &CScheduleItemDlg::OnTypeChanged)
END_MESSAGE_MAP()

CScheduleItemDlg::CScheduleItemDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_bOption(0), m_bShutDown(0), m_bMute(0), m_bAutoRun(0), m_bRemember(1),
      m_nAutoRunTime(5), m_bOnce(1), m_nType(1), m_nFreq(0), m_nSource(0), m_bRecord(1), m_bNewItem(1),
      m_nWeekDays(0)
{
    const CTime now = CTime::GetCurrentTime();
    m_Date = now;
    m_StartTime = now;
    m_Length = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 50, 0);
    memset(&m_Timing, 0, sizeof m_Timing);
    memset(&m_Excute, 0, sizeof m_Excute);
}

void CScheduleItemDlg::SetItem(const _tagTimingParam& timing, const _tagExcuteParam& excute)
{
    m_Timing = timing;
    m_Excute = excute;
    m_bNewItem = 0;
}

void CScheduleItemDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ITEM_SOURCE, m_SourceCombo);
    DDX_Control(pDX, IDC_ITEM_WEEKDAYS, m_WeekdayList);
    DDX_Control(pDX, IDC_ITEM_CHANNEL, m_ChannelCombo);
    DDX_Check(pDX, IDC_ITEM_OPTION, m_bOption);
    DDX_Check(pDX, IDC_ITEM_SHUT_DOWN, m_bShutDown);
    DDX_Check(pDX, IDC_ITEM_MUTE, m_bMute);
    DDX_Check(pDX, IDC_ITEM_AUTO_START, m_bAutoRun);
    DDX_Check(pDX, IDC_ITEM_REMEMBER, m_bRemember);
    DDX_Text(pDX, IDC_ITEM_AUTO_DELAY, m_nAutoRunTime);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_DATE, m_Date);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_LENGTH, m_Length);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_START_TIME, m_StartTime);
    DDX_Check(pDX, IDC_ITEM_ONCE, m_bOnce);
    DDX_Radio(pDX, IDC_ITEM_VIEWING, m_nType);
}

BOOL CScheduleItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CIdNameArray& names = g_pTVEngine->GetVideoSourceNames();
    const int nSourceNames = g_pTVEngine->HasFM() ? kSources + 1 : kSources;
    for (int i = 0; i < nSourceNames; ++i)
        m_SourceCombo.AddString(names.GetName(i));
    m_SourceCombo.SetCurSel(g_pTVEngine->GetInputSource());
    FillChannels();
    FillWeekdays();
    if (m_bNewItem)
        SetDefaults();
    else
        FillFromItem();

    CString user;
    g_pTVEngine->GetSystemLogonUser(user);
    if (!user.IsEmpty())
    {
        CString password;
        g_pTVEngine->GetSystemLogonPassword(password);
        SetDlgItemText(IDC_ITEM_LOGON_USER, user);
        SetDlgItemText(IDC_ITEM_LOGON_PASSWORD, password);
    }
    UpdateData(FALSE);
    GetDlgItem(IDC_ITEM_DATE)->ShowWindow(m_bOnce ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_ITEM_WEEKDAYS)->ShowWindow(m_bOnce ? SW_HIDE : SW_SHOW);
    EnableAutoStart(m_bAutoRun);
    ApplyAdvancedLayout();
    ApplyTypeLayout();
    return TRUE;
}

void CScheduleItemDlg::FillWeekdays()
{
    m_WeekdayList.SetExtendedStyle(m_WeekdayList.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    CRect rect;
    m_WeekdayList.GetClientRect(rect);
    m_WeekdayList.InsertColumn(0, "", LVCFMT_LEFT, rect.Width());
    for (int k = 0; k < 7; ++k)
    {
        CString name;
        AfxLoadString(kWeekdayNames[k], name);
        m_WeekdayList.InsertItem(k, name);
    }
}

void CScheduleItemDlg::FillChannels()
{
    const int nSource = m_SourceCombo.GetCurSel();
    const BOOL bTuner = nSource == CTVEngine::SOURCE_TV || nSource == CTVEngine::SOURCE_FM;
    m_ChannelCombo.EnableWindow(bTuner);
    if (!bTuner)
        return;
    m_ChannelCombo.ResetContent();
    CChannelTable& table = nSource == CTVEngine::SOURCE_FM ? g_pTVEngine->GetFMTable() : g_pTVEngine->GetTVTable();
    CChannelItem* pCurrent = table.GetCurrentChannel();
    int nSelect = 0;
    for (int i = 0; i < table.GetCount(); ++i)
    {
        CChannelItem* pItem = table.GetChannel(i);
        if (!pItem->IsVisible())
            continue;
        CString text;
        text.Format("%d.%s", i + 1, (LPCSTR)pItem->Name);
        const int nIndex = m_ChannelCombo.AddString(text);
        m_ChannelCombo.SetItemDataPtr(nIndex, pItem);
        if (pItem == pCurrent)
            nSelect = nIndex;
    }
    m_ChannelCombo.SetCurSel(nSelect);
}

void CScheduleItemDlg::SetDefaults()
{
    const CTime now = CTime::GetCurrentTime();
    m_bOnce = 1;
    m_bMute = 0;
    m_bAutoRun = 0;
    m_bShutDown = 0;
    m_bRemember = 1;
    m_nAutoRunTime = 5;
    m_Date = now;
    m_Length = CTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 50, 0);
    m_StartTime = now + CTimeSpan(60);
    const int nSource = g_pTVEngine->GetInputSource();
    if (nSource >= 0 && nSource < kSources)
        m_SourceCombo.SetCurSel(nSource);
    m_nWeekDays = 1 << now.GetDayOfWeek();
    // Today's entry: Sunday is entry 0, Monday entry 1 ...
    m_WeekdayList.SetCheck(now.GetDayOfWeek() - 1, TRUE);
}

void CScheduleItemDlg::FillFromItem()
{
    m_bOnce = m_Timing.bExcuteOnce ? 1 : 0;
    m_bRecord = m_Excute.lRecordLength != 1;
    m_nType = m_bRecord ? 1 : 0;
    m_bMute = m_Excute.bMute ? 1 : 0;
    m_bAutoRun = m_Excute.bAutoRun ? 1 : 0;
    m_nAutoRunTime = static_cast<int>(m_Excute.unAutoRunTime);
    m_bRemember = s_bRemember;
    m_Date = CTime(m_Timing.nYear, m_Timing.nMonth, m_Timing.nDay, m_Timing.nHour, m_Timing.nMinute, m_Timing.nSecond);
    m_StartTime = m_Date;
    m_nWeekDays = 0;
    for (int k = 0; k < 7; ++k)
    {
        const BOOL bSet = (m_Timing.nWeekMask >> MaskBitOfEntry(k)) & 1;
        m_WeekdayList.SetCheck(k, bSet);
        if (bSet)
            m_nWeekDays |= 1 << (k + 1);
    }
    m_bShutDown = m_Excute.bShutDown ? 1 : 0;
    const long lLength = m_bRecord ? m_Excute.lRecordLength : 0;
    m_Length = CTime(m_Timing.nYear, m_Timing.nMonth, m_Timing.nDay, static_cast<int>(lLength / 3600),
                     static_cast<int>(lLength / 60 % 60), static_cast<int>(lLength % 60));
    m_SourceCombo.SetCurSel(static_cast<int>(m_Excute.dwSource));
    FillChannels();
    const int nEntries = m_ChannelCombo.GetCount();
    const int nChannel = m_Excute.nChannel < nEntries ? static_cast<int>(m_Excute.nChannel) : nEntries;
    m_ChannelCombo.SetCurSel(nChannel - 1);
}

void CScheduleItemDlg::OnSelchangeSource()
{
    // The option box is read, but the list is the same either way.
    UpdateData(TRUE);
    FillChannels();
}

void CScheduleItemDlg::OnOnce()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_ITEM_DATE)->ShowWindow(m_bOnce ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_ITEM_WEEKDAYS)->ShowWindow(m_bOnce ? SW_HIDE : SW_SHOW);
}

void CScheduleItemDlg::EnableAutoStart(BOOL bEnable)
{
    GetDlgItem(IDC_ITEM_LOGON_USER)->EnableWindow(bEnable);
    GetDlgItem(IDC_ITEM_LOGON_PASSWORD)->EnableWindow(bEnable);
    GetDlgItem(IDC_ITEM_AUTO_DELAY)->EnableWindow(bEnable);
    GetDlgItem(IDC_ITEM_LOGON_NOTE)->ShowWindow(bEnable ? SW_SHOW : SW_HIDE);
}

void CScheduleItemDlg::OnAutoStart()
{
    UpdateData(TRUE);
    EnableAutoStart(m_bAutoRun);
}

void CScheduleItemDlg::OnRemember()
{
    UpdateData(TRUE);
    s_bRemember = m_bRemember;
}

void CScheduleItemDlg::OnTypeChanged()
{
    UpdateData(TRUE);
    m_bRecord = m_nType == 1;
    if (m_bRecord)
    {
        m_bOnce = 1;
        m_bShutDown = 0;
        UpdateData(FALSE);
        OnOnce();
    }
    ApplyTypeLayout();
}

void CScheduleItemDlg::ApplyTypeLayout()
{
    const int nShow = m_bRecord ? SW_SHOW : SW_HIDE;
    SetWindowText(m_bRecord ? kRecordingTitle : kViewingTitle);
    GetDlgItem(IDC_ITEM_LENGTH)->ShowWindow(nShow);
    GetDlgItem(IDC_ITEM_LENGTH_LABEL)->ShowWindow(nShow);
    GetDlgItem(IDC_ITEM_MUTE)->ShowWindow(nShow);
    GetDlgItem(IDC_ITEM_SHUT_DOWN)->ShowWindow(nShow);
    m_SourceCombo.EnableWindow(m_bRecord);
}

void CScheduleItemDlg::OnAdvanced()
{
    CString text;
    GetDlgItemText(IDC_ITEM_ADVANCED, text);
    SetDlgItemText(IDC_ITEM_ADVANCED, text == kAdvancedShown ? kAdvancedHidden : kAdvancedShown);
    ApplyAdvancedLayout();
}

void CScheduleItemDlg::ApplyAdvancedLayout()
{
    if (!g_bMeasured)
    {
        GetWindowRect(g_rcFull);
        CRect rcEnd;
        GetDlgItem(IDC_ITEM_SHORT_END)->GetWindowRect(rcEnd);
        g_rcShort = g_rcFull;
        g_rcShort.bottom = rcEnd.bottom;
        g_bMeasured = TRUE;
    }
    CString text;
    GetDlgItemText(IDC_ITEM_ADVANCED, text);
    const BOOL bShort = text == kAdvancedHidden;
    const CRect& rect = bShort ? g_rcShort : g_rcFull;
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    GetDlgItem(IDC_ITEM_ADVANCED_GROUP)->ShowWindow(bShort ? SW_HIDE : SW_SHOW);
}

int CScheduleItemDlg::CheckedMask() const
{
    int nMask = 0;
    for (int k = 0; k < 7; ++k)
        if (m_WeekdayList.GetCheck(k))
            nMask |= 1 << MaskBitOfEntry(k);
    return nMask;
}

void CScheduleItemDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_bRecord = m_nType == 1;
    const int nChannel = m_ChannelCombo.GetCurSel();
    if (nChannel >= 0)
    {
        const CChannelItem* pItem = static_cast<const CChannelItem*>(m_ChannelCombo.GetItemDataPtr(nChannel));
        m_nFreq = pItem != NULL ? pItem->Frequency : 0;
    }
    const int nSource = m_SourceCombo.GetCurSel();
    m_nSource = nSource >= 1 ? nSource : 0;
    const int nMask = CheckedMask();
    m_nWeekDays = 0;
    for (int k = 0; k < 7; ++k)
        if (m_WeekdayList.GetCheck(k))
            m_nWeekDays |= 1 << (k + 1);

    memset(&m_Excute, 0, sizeof m_Excute);
    m_Excute.stuExcute.dwSize = sizeof m_Excute;
    m_Excute.stuExcute.dwReserved = 0;
    m_Excute.bAutoRun = m_bAutoRun;
    m_Excute.bMute = m_bMute;
    m_Excute.bShutDown = m_bShutDown;
    m_Excute.dwSource = static_cast<DWORD>(m_nSource);
    m_Excute.lFreq = m_nFreq;
    m_Excute.nChannel = nChannel + 1;
    m_Excute.lRecordLength =
        m_bRecord ? m_Length.GetHour() * 3600 + m_Length.GetMinute() * 60 + m_Length.GetSecond() : 1;
    m_Excute.unAutoRunTime = m_bAutoRun ? static_cast<UINT>(m_nAutoRunTime) : 0;

    m_Timing.lReserved = 0;
    m_Timing.bExcuteOnce = m_bOnce;
    if (m_bOnce)
    {
        m_Timing.nWeekMask = 0;
    }
    else
    {
        if (nMask == 0)
        {
            AfxMessageBox(IDS_NO_WEEKDAY);
            return;
        }
        m_Timing.nWeekMask = nMask;
    }
    m_Timing.nYear = m_Date.GetYear();
    m_Timing.nMonth = m_Date.GetMonth();
    m_Timing.nDay = m_Date.GetDay();
    m_Timing.nHour = m_StartTime.GetHour();
    m_Timing.nMinute = m_StartTime.GetMinute();
    m_Timing.nSecond = m_StartTime.GetSecond();
    m_Timing.lLength = m_Excute.lRecordLength;

    if (m_bAutoRun)
    {
        if ((m_Date - CTime::GetCurrentTime()).GetTimeSpan() / 86400 > kMaxLeadDays)
        {
            AfxMessageBox(IDS_AUTO_START_TOO_FAR);
            return;
        }
        CString user;
        CString password;
        GetDlgItemText(IDC_ITEM_LOGON_USER, user);
        GetDlgItemText(IDC_ITEM_LOGON_PASSWORD, password);
        if (user.IsEmpty())
        {
            AfxMessageBox(IDS_LOGON_USER_EMPTY);
            return;
        }
        if (!g_pTVEngine->SetDefaultLogon(user, password))
            AfxMessageBox(IDS_LOGON_SAVE_FAILED);
    }
    EndDialog(IDOK);
}

void CScheduleItemDlg::OnDestroy()
{
    Default();
}

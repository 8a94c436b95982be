#include "ui/osd/OSDSchedulePages.h"

#include <cstdlib>
#include <cstring>

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"
#include "ui/osd/OSDMenuDlg.h"

HTIMINGITEM g_pEditTimingItem = nullptr;

namespace {

const UINT kTaskListId = 45000;
const UINT kRecordId = 45100;
const UINT kShutdownId = 45000;
const int kListRows = 5;
const int kActionRow = 5;
const UINT kNoPosition = 0xFFFFFFFF;

enum
{
    ACTION_NEW,
    ACTION_EDIT,
    ACTION_DELETE
};

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 31;
    const BOOL leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

BOOL ReadItem(HTIMINGITEM item, _tagTimingParam* pTiming, _tagExcuteParam* pExcute)
{
    std::memset(pTiming, 0, sizeof *pTiming);
    std::memset(pExcute, 0, sizeof *pExcute);
    return Timing_GetItemTimingParam(item, pTiming) && Timing_GetItemExcuteParam(item, pExcute, sizeof *pExcute);
}

BOOL SameTiming(const _tagTimingParam& a, const _tagTimingParam& b)
{
    return a.nYear == b.nYear && a.nMonth == b.nMonth && a.nDay == b.nDay && a.nHour == b.nHour &&
           a.nMinute == b.nMinute && a.nSecond == b.nSecond && a.lLength == b.lLength &&
           a.bExcuteOnce == b.bExcuteOnce && a.nWeekMask == b.nWeekMask && a.lReserved == b.lReserved;
}

BOOL SameExcute(const _tagExcuteParam& a, const _tagExcuteParam& b)
{
    return a.stuExcute.dwSize == b.stuExcute.dwSize && a.stuExcute.dwReserved == b.stuExcute.dwReserved &&
           a.lRecordLength == b.lRecordLength && a.dwSource == b.dwSource && a.nChannel == b.nChannel &&
           a.lFreq == b.lFreq && a.bShutDown == b.bShutDown && a.bMute == b.bMute && a.bAutoRun == b.bAutoRun &&
           a.unAutoRunTime == b.unAutoRunTime;
}

void SetItemText(MItemGroup* pRow, int item, LPCSTR text)
{
    if (MItem* pItem = pRow ? pRow->GetItem(item) : nullptr)
        pItem->SetText(text);
}

void GoBackFrom(CWnd* pPage)
{
    if (COSDMenuDlg* pHost = OsdHostOf(pPage))
        pHost->GoBack();
}

} // namespace

// --- date and time rows ------------------------------------------------------------------------

MItemGroup* MDateTimeFrame::AddDateTimeRow(UINT id, UINT caption, BOOL date, int separatorLeft, int separatorRight)
{
    static const int kDateRanges[3][2] = { { 2003, 2100 }, { 1, 12 }, { 1, 31 } };
    static const int kTimeRanges[3][2] = { { 0, 23 }, { 0, 59 }, { 0, 59 } };
    MItemGroup* pRow = NewRow(id, OsdString(caption));
    const CString separator = OsdString(date ? IDS_OSD_DATE_SEPARATOR : IDS_OSD_TIME_SEPARATOR);
    for (int field = 0; field < 3; ++field)
    {
        const int shift = field * 110;
        MNumberItem* pNumber = AddItem(pRow, new MNumberItem, CRect(249 + shift, 6, 319 + shift, 38), id);
        const int(&range)[2] = date ? kDateRanges[field] : kTimeRanges[field];
        pNumber->SetRange(range[0], range[1]);
        AddItem(pRow, new MItem, CRect(separatorLeft + shift, 6, separatorRight + shift, 38), id, separator);
    }
    pRow->SetCurrentItem(0);
    ++m_nDateTimeRows;
    return pRow;
}

void MDateTimeFrame::SetFields(int row, int a, int b, int c)
{
    const int values[3] = { a, b, c };
    for (int field = 0; field < 3; ++field)
        if (MNumberItem* pNumber = RowItem<MNumberItem>(row, 1 + field * 2))
            pNumber->SetValue(values[field]);
    if (row == m_nDateRow)
        ClampDay(row);
}

void MDateTimeFrame::GetFields(int row, int* a, int* b, int* c) const
{
    int* out[3] = { a, b, c };
    for (int field = 0; field < 3; ++field)
    {
        MNumberItem* pNumber = RowItem<MNumberItem>(row, 1 + field * 2);
        *out[field] = pNumber ? pNumber->GetValue() : 0;
    }
}

void MDateTimeFrame::ClampDay(int dateRow)
{
    MNumberItem* pYear = RowItem<MNumberItem>(dateRow, 1);
    MNumberItem* pMonth = RowItem<MNumberItem>(dateRow, 3);
    MNumberItem* pDay = RowItem<MNumberItem>(dateRow, 5);
    if (pYear && pMonth && pDay)
        pDay->SetRange(1, DaysInMonth(pYear->GetValue(), pMonth->GetValue()));
}

CTime MDateTimeFrame::ReadTime(int dateRow, int timeRow) const
{
    int year, month, day, hour, minute, second;
    GetFields(dateRow, &year, &month, &day);
    GetFields(timeRow, &hour, &minute, &second);
    if (day > DaysInMonth(year, month))
        day = DaysInMonth(year, month);
    return CTime(year, month, day, hour, minute, second);
}

int MDateTimeFrame::OnDateTimeKey(UINT key)
{
    if (key != VK_UP && key != VK_DOWN)
        return -1;
    ClampDay(m_nDateRow);
    return OSD_KEY_CONSUMED;
}

// --- task list ---------------------------------------------------------------------------------

BOOL MTaskListPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kTaskListId);
}

BOOL MTaskListPage::BuildRows()
{
    const CString empty = OsdString(IDS_OSD_EMPTY_ROW);
    for (int row = 0; row < kListRows; ++row)
    {
        MItemGroup* pRow = new MItemGroup;
        pRow->Create(CRect(20, 0, 229, 45), this, kTaskListId);
        AddItem(pRow, new MItem, CRect(20, 0, 229, 45), kTaskListId, empty);
        AddItem(pRow, new MItem, CRect(229, 0, 579, 45), kTaskListId, empty);
        AddRow(pRow);
    }
    MItemGroup* pRow = NewRow(kTaskListId, OsdString(IDS_OSD_TASK_ACTION));
    MChoiceItem* pChoice = AddChoice(pRow, CRect(253, 6, 476, 45), kTaskListId);
    pChoice->AddString(OsdString(IDS_OSD_TASK_NEW));
    pChoice->AddString(OsdString(IDS_OSD_TASK_EDIT));
    pChoice->AddString(OsdString(IDS_OSD_TASK_DELETE));
    m_positions.SetSize(kListRows);
    for (int row = 0; row < kListRows; ++row)
        m_positions[row] = kNoPosition;
    return TRUE;
}

void MTaskListPage::CountItems()
{
    m_nCount = 0;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item))
        ++m_nCount;
}

HTIMINGITEM MTaskListPage::ItemAt(int position) const
{
    if (position < 0)
        return nullptr;
    HTIMINGITEM item = Timing_GetFirstItem(0);
    for (int i = 0; item && i < position; ++i)
        item = Timing_GetNextItem(0, item);
    return item;
}

int MTaskListPage::PositionOfRow(int row) const
{
    if (row < 0 || row >= m_positions.GetSize() || m_positions[row] == kNoPosition)
        return -1;
    return static_cast<int>(m_positions[row]);
}

void MTaskListPage::OnRefresh()
{
    if (MChoiceItem* pChoice = RowItem<MChoiceItem>(kActionRow, 1))
        pChoice->SetCurSel(ACTION_NEW);
    CountItems();
    m_nPageCount = (m_nCount + 4) / 5;
    m_nPage = 0;
    SelectRow(m_nRemembered);
    ListFrom(0);
}

void MTaskListPage::ListFrom(int first)
{
    const CString empty = OsdString(IDS_OSD_EMPTY_ROW);
    if (m_nCount >= 1)
    {
        SetItemText(GetRow(0), 0, empty);
        SetItemText(GetRow(0), 1, "");
    }
    HTIMINGITEM item = ItemAt(first);
    int position = first;
    int number = 0;
    for (int row = 0; row < kListRows; ++row)
    {
        MItemGroup* pRow = GetRow(row);
        m_positions[row] = kNoPosition;
        BOOL filled = FALSE;
        while (position < m_nCount && item && !filled)
        {
            _tagTimingParam timing;
            _tagExcuteParam excute;
            const BOOL read = ReadItem(item, &timing, &excute);
            if (read && excute.dwSource == 0)
            {
                ++number;
                m_positions[row] = position;
                const CTime start(timing.nYear, timing.nMonth, timing.nDay, timing.nHour, timing.nMinute,
                                  timing.nSecond);
                SetItemText(pRow, 1, start.Format("%Y-%m-%d  %H:%M:%S"));
                CString left;
                left.Format("%d   %s", number, static_cast<LPCSTR>(OsdString(IDS_OSD_TASK_RECORD)));
                SetItemText(pRow, 0, left);
                filled = TRUE;
            }
            ++position;
            item = Timing_GetNextItem(0, item);
        }
        if (!filled)
        {
            SetItemText(pRow, 0, empty);
            SetItemText(pRow, 1, "");
        }
        if (pRow)
            pRow->Invalidate(FALSE);
    }
}

int MTaskListPage::SelectRow(int index)
{
    const int old = m_nCurrentRow;
    if (GetRowCount() > 0 && index >= 0 && index < GetRowCount())
    {
        m_nCurrentRow = index;
        m_rows[index]->SetSelected(TRUE);
    }
    return old;
}

void MTaskListPage::OnHide()
{
    if (MItemGroup* pRow = GetRow(kActionRow))
        pRow->SetSelected(FALSE);
}

void MTaskListPage::MoveRow(int step)
{
    if (MItemGroup* pRow = GetRow(m_nRemembered))
        pRow->SetSelected(FALSE);
    if (MItemGroup* pRow = GetRow(m_nCurrentRow))
        pRow->SetSelected(FALSE);
    int index = (m_nCurrentRow < kListRows ? m_nCurrentRow : m_nRemembered) + step;
    if (index < 0)
    {
        index = kListRows - 1;
        if (m_nPage > 0)
        {
            --m_nPage;
            ListFrom(m_nPage * 5);
        }
    }
    else if (index >= kListRows)
    {
        index = 0;
        if (m_nPage + 1 < m_nPageCount)
        {
            ++m_nPage;
            ListFrom(m_nPage * 5);
        }
    }
    m_nCurrentRow = index;
    m_nRemembered = index;
    m_rows[index]->SetSelected(TRUE);
}

int MTaskListPage::PrevRow()
{
    const int old = m_nCurrentRow;
    MoveRow(-1);
    return old;
}

int MTaskListPage::NextRow()
{
    const int old = m_nCurrentRow;
    MoveRow(1);
    return old;
}

int MTaskListPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    if (m_nCurrentRow < kListRows)
    {
        if (key == VK_RETURN)
        {
            m_nRemembered = m_nCurrentRow;
            SelectRow(kActionRow);
        }
        return OSD_KEY_CONSUMED;
    }
    if (key != VK_RETURN)
        return OSD_KEY_CONSUMED;
    MChoiceItem* pChoice = RowItem<MChoiceItem>(kActionRow, 1);
    const int action = pChoice ? pChoice->GetCurSel() : ACTION_NEW;
    const int position = PositionOfRow(m_nRemembered);
    const BOOL valid = position >= 0 && position < m_nCount;
    // Leaving the action row for the recording page: the item row stays marked, row 0 is current
    // so that the page's one sub-page opens.
    auto openRecordPage = [this]() {
        GetRow(kActionRow)->SetSelected(FALSE);
        SelectRow(m_nRemembered);
        m_nCurrentRow = 0;
        return OSD_KEY_UNHANDLED;
    };
    switch (action)
    {
    case ACTION_NEW:
        g_pEditTimingItem = nullptr;
        return openRecordPage();
    case ACTION_EDIT:
        if (valid)
        {
            if (HTIMINGITEM item = ItemAt(position))
            {
                g_pEditTimingItem = item;
                return openRecordPage();
            }
        }
        SelectRow(m_nRemembered);
        return OSD_KEY_CONSUMED;
    case ACTION_DELETE:
        if (valid)
        {
            GetRow(kActionRow)->SetSelected(FALSE);
            if (HTIMINGITEM item = ItemAt(position))
                Timing_RemoveItem(item);
            OnRefresh();
        }
        SelectRow(m_nRemembered);
        return OSD_KEY_CONSUMED;
    default:
        return OSD_KEY_CONSUMED;
    }
}

// --- scheduled recording -----------------------------------------------------------------------

namespace {
enum
{
    REC_DATE,
    REC_TIME,
    REC_LENGTH,
    REC_CHANNEL,
    REC_SHUT_DOWN,
    REC_ACTION
};
} // namespace

MScheduleRecordPage::MScheduleRecordPage() : m_lFreq(0), m_bShutDown(FALSE)
{
    std::memset(&m_excute, 0, sizeof m_excute);
    std::memset(&m_timing, 0, sizeof m_timing);
}

BOOL MScheduleRecordPage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kRecordId);
}

BOOL MScheduleRecordPage::BuildRows()
{
    m_nDateRow = REC_DATE;
    AddDateTimeRow(kRecordId, IDS_OSD_SCHEDULE_FIRST + REC_DATE, TRUE, 319, 359);
    AddDateTimeRow(kRecordId, IDS_OSD_SCHEDULE_FIRST + REC_TIME, FALSE, 319, 359);
    AddDateTimeRow(kRecordId, IDS_OSD_SCHEDULE_FIRST + REC_LENGTH, FALSE, 319, 359);
    const CRect choice(249, 6, 555, 45);
    AddChoice(NewRow(kRecordId, OsdString(IDS_OSD_SCHEDULE_FIRST + REC_CHANNEL)), choice, kRecordId);
    MChoiceItem* pChoice = AddChoice(NewRow(kRecordId, OsdString(IDS_OSD_SCHEDULE_FIRST + REC_SHUT_DOWN)), choice,
                                     kRecordId);
    pChoice->AddString(OsdString(IDS_OSD_YES));
    pChoice->AddString(OsdString(IDS_OSD_NO));
    pChoice = AddChoice(NewRow(kRecordId, OsdString(IDS_OSD_SCHEDULE_FIRST + REC_ACTION)), choice, kRecordId);
    pChoice->AddString(OsdString(IDS_OSD_YES_ACTION));
    pChoice->AddString(OsdString(IDS_OSD_NO_ACTION));
    m_start = CTime::GetCurrentTime();
    m_length = CTimeSpan(0, 0, 50, 0);
    return TRUE;
}

MFrame* MScheduleRecordPage::GetSelectedFrame()
{
    return m_subFrames.GetSize() > 0 ? m_subFrames[0] : nullptr;
}

void MScheduleRecordPage::OnRefresh()
{
    // Scheduled recordings are stored with source 0: the channels offered are the TV table's.
    CChannelTable& table = g_pTVEngine->GetTVTable();
    MChoiceItem* pChannels = RowItem<MChoiceItem>(REC_CHANNEL, 1);
    if (pChannels)
    {
        pChannels->RemoveAll();
        CChannelItem* pCurrent = table.GetCurrentChannel();
        int select = 0;
        for (int i = 0; i < table.GetCount(); ++i)
        {
            CChannelItem* pChannel = table.GetChannel(i);
            if (!pChannel || !pChannel->IsVisible())
                continue;
            CString text;
            text.Format("%d.%s", i + 1, static_cast<LPCSTR>(pChannel->Name));
            const int entry = pChannels->AddString(text);
            if (pChannel == pCurrent)
                select = entry;
        }
        pChannels->SetCurSel(select);
    }
    MChoiceItem* pShutDown = RowItem<MChoiceItem>(REC_SHUT_DOWN, 1);
    MChoiceItem* pAction = RowItem<MChoiceItem>(REC_ACTION, 1);
    if (pAction)
        pAction->SetCurSel(0);
    if (!g_pEditTimingItem || !ReadItem(g_pEditTimingItem, &m_timing, &m_excute))
    {
        const CTime now = CTime::GetCurrentTime();
        ShowDate(REC_DATE, now);
        ShowTime(REC_TIME, now);
        SetFields(REC_LENGTH, 0, 50, 0);
        if (pShutDown)
            pShutDown->SetCurSel(1);
        return;
    }
    SetFields(REC_DATE, m_timing.nYear, m_timing.nMonth, m_timing.nDay);
    SetFields(REC_TIME, m_timing.nHour, m_timing.nMinute, m_timing.nSecond);
    const long length = m_excute.lRecordLength;
    SetFields(REC_LENGTH, length / 3600, (length % 3600) / 60, length % 60);
    if (pChannels)
    {
        for (int i = 0; i < pChannels->GetCount(); ++i)
        {
            CChannelItem* pChannel = table.GetChannel(std::atoi(pChannels->GetString(i)) - 1);
            if (pChannel && pChannel->Frequency == m_excute.lFreq)
            {
                pChannels->SetCurSel(i);
                break;
            }
        }
    }
    if (pShutDown)
        pShutDown->SetCurSel(m_excute.bShutDown ? 0 : 1);
}

void MScheduleRecordPage::OnHide()
{
    g_pEditTimingItem = nullptr;
}

void MScheduleRecordPage::Show(BOOL show)
{
    MFrame::Show(show);
    if (!show)
        g_pEditTimingItem = nullptr;
}

BOOL MScheduleRecordPage::Store()
{
    m_start = ReadTime(REC_DATE, REC_TIME);
    int hours, minutes, seconds;
    GetFields(REC_LENGTH, &hours, &minutes, &seconds);
    const long length = hours * 3600L + minutes * 60L + seconds;
    m_length = CTimeSpan(length);

    CString channelText;
    if (MChoiceItem* pChannels = RowItem<MChoiceItem>(REC_CHANNEL, 1))
        pChannels->GetCurText(channelText);
    const int position = std::atoi(channelText) - 1;
    CChannelItem* pChannel = g_pTVEngine->GetTVTable().GetChannel(position);
    if (!pChannel)
        return FALSE;
    m_lFreq = pChannel->Frequency;
    MChoiceItem* pShutDown = RowItem<MChoiceItem>(REC_SHUT_DOWN, 1);
    m_bShutDown = pShutDown && pShutDown->GetCurSel() == 0;

    _tagExcuteParam excute;
    std::memset(&excute, 0, sizeof excute);
    excute.stuExcute.dwSize = 40;
    excute.lRecordLength = length;
    excute.dwSource = 0;
    excute.nChannel = position + 1;
    excute.lFreq = m_lFreq;
    excute.bShutDown = m_bShutDown;
    _tagTimingParam timing;
    std::memset(&timing, 0, sizeof timing);
    timing.nYear = m_start.GetYear();
    timing.nMonth = m_start.GetMonth();
    timing.nDay = m_start.GetDay();
    timing.nHour = m_start.GetHour();
    timing.nMinute = m_start.GetMinute();
    timing.nSecond = m_start.GetSecond();
    timing.lLength = length;
    timing.bExcuteOnce = 1;

    COSDMenuDlg* pHost = OsdHostOf(this);
    long result = TIMING_ITEM_INVALID;
    if (g_pEditTimingItem)
    {
        HTIMINGITEM item = Timing_GetFirstItem(0);
        for (; item; item = Timing_GetNextItem(0, item))
        {
            _tagTimingParam itemTiming;
            _tagExcuteParam itemExcute;
            if (ReadItem(item, &itemTiming, &itemExcute) && SameTiming(itemTiming, m_timing) &&
                SameExcute(itemExcute, m_excute))
                break;
        }
        if (item)
        {
            Timing_CheckItem(0, item, timing, &result);
            if (result == TIMING_ITEM_NORMAL || result == TIMING_ITEM_EXPIRED)
                Timing_UpdateItem(item, timing, &excute);
        }
        g_pEditTimingItem = nullptr;
    }
    else
    {
        Timing_CheckItem(0, nullptr, timing, &result);
        if (result == TIMING_ITEM_NORMAL || result == TIMING_ITEM_EXPIRED)
            Timing_InsertItem(0, timing, &excute);
    }
    if ((result == TIMING_ITEM_OVERLAP || result == TIMING_ITEM_OVERLAP_RUNNING) && pHost)
        pHost->GetOwner()->ShowNotice(IDS_SCHEDULE_OVERLAP);
    return TRUE;
}

int MScheduleRecordPage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    if (IsDateTimeRow(m_nCurrentRow))
        return OnDateTimeKey(key);
    if (m_nCurrentRow == REC_CHANNEL || m_nCurrentRow == REC_SHUT_DOWN)
        return key == VK_LEFT || key == VK_RIGHT ? OSD_KEY_CONSUMED : -1;
    if (m_nCurrentRow != REC_ACTION || key != VK_RETURN)
        return -1;
    MChoiceItem* pAction = RowItem<MChoiceItem>(REC_ACTION, 1);
    if (pAction && pAction->GetCurSel() == 0)
    {
        // Without a channel to record there is nothing to store: the page stays open.
        if (!Store())
            return OSD_KEY_CONSUMED;
    }
    else
    {
        g_pEditTimingItem = nullptr;
    }
    GoBackFrom(this);
    return OSD_KEY_CONSUMED;
}

// --- timed shut-down ---------------------------------------------------------------------------

BOOL MShutdownTimePage::Create(const RECT& rect, CWnd* pParent, UINT)
{
    return MFrame::Create(rect, pParent, kShutdownId);
}

BOOL MShutdownTimePage::BuildRows()
{
    m_nDateRow = 0;
    AddDateTimeRow(kShutdownId, IDS_OSD_SHUTDOWN_FIRST, TRUE, 324, 349);
    AddDateTimeRow(kShutdownId + 1, IDS_OSD_SHUTDOWN_FIRST + 1, FALSE, 324, 349);
    MChoiceItem* pChoice = AddChoice(NewRow(kShutdownId + 2, OsdString(IDS_OSD_SHUTDOWN_LAST)),
                                     CRect(249, 6, 440, 45), kShutdownId + 2);
    pChoice->AddString(OsdString(IDS_OSD_YES));
    pChoice->AddString(OsdString(IDS_OSD_NO));
    m_chosen = CTime::GetCurrentTime();
    return TRUE;
}

void MShutdownTimePage::OnRefresh()
{
    const CTime now = CTime::GetCurrentTime();
    ShowDate(0, now);
    ShowTime(1, now);
}

int MShutdownTimePage::OnCodeOK(UINT key, LPARAM lParam)
{
    if (key == OSD_KEY_CLOSE)
        return MFrame::OnCodeOK(key, lParam);
    if (IsDateTimeRow(m_nCurrentRow))
        return OnDateTimeKey(key);
    if (m_nCurrentRow != 2 || key != VK_RETURN)
        return -1;
    MChoiceItem* pChoice = RowItem<MChoiceItem>(2, 1);
    if (pChoice && pChoice->GetCurSel() == 0)
    {
        m_chosen = ReadTime(0, 1);
        g_pTVEngine->SetShutTime(m_chosen);
        g_pTVEngine->SetEnableShut(TRUE);
        if (COSDMenuDlg* pHost = OsdHostOf(this))
            pHost->GetOwner()->OnShutdownArmed(m_chosen);
    }
    else
    {
        g_pTVEngine->SetEnableShut(FALSE);
    }
    GoBackFrom(this);
    return OSD_KEY_CONSUMED;
}

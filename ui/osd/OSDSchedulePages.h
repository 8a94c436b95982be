#pragma once
#include "platform/afx/Time.h"
#include "platform/standins/tamblin/Tamblin.h"
#include "ui/osd/OSDFrame.h"

// The schedule item that the recording page edits; null when it makes a new one.
extern HTIMINGITEM g_pEditTimingItem;

// A page with date and time rows: a caption and three number fields with separators.
class MDateTimeFrame : public MFrame
{
protected:
    // The row's fields are its items 1, 3 and 5.
    MItemGroup* AddDateTimeRow(UINT id, UINT caption, BOOL date, int separatorLeft, int separatorRight);
    void SetFields(int row, int a, int b, int c);
    void GetFields(int row, int* a, int* b, int* c) const;
    void ShowDate(int row, const CTime& time) { SetFields(row, time.GetYear(), time.GetMonth(), time.GetDay()); }
    void ShowTime(int row, const CTime& time) { SetFields(row, time.GetHour(), time.GetMinute(), time.GetSecond()); }
    // The date of one row with the time of another.
    CTime ReadTime(int dateRow, int timeRow) const;
    // Up and down on a date or time row; the day field follows the month's length.
    int OnDateTimeKey(UINT key);
    BOOL IsDateTimeRow(int row) const { return row >= 0 && row < m_nDateTimeRows; }
    void ClampDay(int dateRow);

    int m_nDateTimeRows = 0;
    int m_nDateRow = 0;
};

// Lists the scheduled TV recordings five to a page, with new, edit and delete actions.
class MTaskListPage : public MFrame
{
public:
    MTaskListPage() : m_nRemembered(0), m_nCount(0), m_nPage(0), m_nPageCount(0) {}
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override;
    int OnCodeOK(UINT key, LPARAM lParam) override;
    int SelectRow(int index) override;
    int PrevRow() override;
    int NextRow() override;

    int GetPage() const { return m_nPage; }
    int GetItemCount() const { return m_nCount; }
    // The schedule position listed in the row, or -1.
    int PositionOfRow(int row) const;

private:
    void CountItems();
    void ListFrom(int first);
    HTIMINGITEM ItemAt(int position) const;
    void MoveRow(int step);

    int m_nRemembered;
    int m_nCount;
    int m_nPage;
    int m_nPageCount;
    CArray<UINT, UINT> m_positions;
};

// Edits one scheduled recording and stores it in the schedule.
class MScheduleRecordPage : public MDateTimeFrame
{
public:
    MScheduleRecordPage();
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override;
    int OnCodeOK(UINT key, LPARAM lParam) override;
    void Show(BOOL show) override;
    MFrame* GetSelectedFrame() override;

private:
    BOOL Store();

    CTime m_start;
    CTimeSpan m_length;
    long m_lFreq;
    BOOL m_bShutDown;
    _tagExcuteParam m_excute;
    _tagTimingParam m_timing;
};

// Sets the time at which the computer is shut down.
class MShutdownTimePage : public MDateTimeFrame
{
public:
    BOOL Create(const RECT& rect, CWnd* pParent, UINT id) override;
    BOOL BuildRows() override;
    void OnRefresh() override;
    void OnHide() override {}
    int OnCodeOK(UINT key, LPARAM lParam) override;
    const CTime& GetChosenTime() const { return m_chosen; }

private:
    CTime m_chosen;
};

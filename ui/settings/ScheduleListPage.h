#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/Time.h"
#include "platform/standins/tamblin/Tamblin.h"
#include "skin/PageBase.h"

// The settings page that lists every item of the schedule and adds, edits and deletes them, and
// that holds the timed shut-down. Each row keeps its item as its data.
class CScheduleListPage : public CPageBase
{
public:
    enum { IDD = 132 };

    // The control panel learns the shut-down time through this when the page is applied.
    typedef void (*PFN_SHUTDOWN_TIME)(const CTime& time, BOOL bEnable);
    static void SetShutdownTimeHandler(PFN_SHUTDOWN_TIME pfnHandler) { s_pfnShutdownTime = pfnHandler; }

    CScheduleListPage();

    BOOL OnInitDialog() override;
    BOOL SaveData() override;

    // The six texts of a row for the item's records.
    static void FormatRow(const _tagTimingParam& timing, const _tagExcuteParam& excute, CString texts[6]);
    // The row's item, NULL when the row is not there or its item left the schedule.
    HTIMINGITEM GetRowItem(int nRow) const;
    int GetSelectedRow() const;
    void SelectRow(int nRow);

    CListCtrl m_List;
    int m_bShutDown;
    CTime m_ShutTime;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnShutDown();
    DECLARE_MESSAGE_MAP()

private:
    int AddRow(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam& excute);

    static PFN_SHUTDOWN_TIME s_pfnShutdownTime;
};

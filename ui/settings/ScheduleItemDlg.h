#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/StdControls.h"
#include "platform/afx/Time.h"
#include "platform/standins/tamblin/Tamblin.h"

// Enters one item of the schedule: a viewing or a recording, once at a date or weekly on chosen
// days, with its source, channel, length and options. On OK the two records of the scheduling
// library are left in m_Timing and m_Excute.
class CScheduleItemDlg : public CDialog
{
public:
    enum { IDD = 138 };

    explicit CScheduleItemDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    // Makes the dialog edit an existing item with these records.
    void SetItem(const _tagTimingParam& timing, const _tagExcuteParam& excute);

    CComboBox m_SourceCombo;
    CListCtrl m_WeekdayList;
    CComboBox m_ChannelCombo;
    int m_bOption;
    int m_bShutDown;
    int m_bMute;
    int m_bAutoRun;
    int m_bRemember;
    int m_nAutoRunTime;
    CTime m_Date;
    CTime m_Length;
    CTime m_StartTime;
    int m_bOnce;
    int m_nType;  // 0 viewing, 1 recording
    int m_nFreq;
    int m_nSource;
    BOOL m_bRecord;
    BOOL m_bNewItem;
    _tagTimingParam m_Timing;
    _tagExcuteParam m_Excute;
    // Days by their day of the week: bit 1 Sunday ... bit 7 Saturday.
    int m_nWeekDays;

    // The last value of the remember box, for the whole run.
    static int s_bRemember;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnOnce();
    void OnTypeChanged();
    void OnAutoStart();
    void OnRemember();
    void OnSelchangeSource();
    void OnAdvanced();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FillChannels();
    void FillWeekdays();
    void SetDefaults();
    void FillFromItem();
    void ApplyTypeLayout();
    void ApplyAdvancedLayout();
    void EnableAutoStart(BOOL bEnable);
    // The weekly mask (bit 0 Monday ... bit 6 Sunday) of the checked entries.
    int CheckedMask() const;
};

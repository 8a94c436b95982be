#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/StdControls.h"

// One week of the downloaded programme guide of one TV channel, a tab per weekday; a chosen
// programme becomes a scheduled viewing or recording of the scheduling library.
//
// A guide file is text: a line holding a weekday's name starts that day's programmes, which run to
// the next line holding a weekday's name. A programme line starts with the time "HH:MM" (hours
// 0 to 23), then blanks or tabs, then the title; other lines are left out.
class CScheduleDlg : public CDialog
{
public:
    enum { IDD = 286 };

    explicit CScheduleDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    // The programmes of the selected channel and day into the list.
    void LoadProgrammes();
    // Tab of a day of the week (CTime: 1 Sunday ... 7 Saturday): Monday 0 ... Sunday 6.
    static int TabOfDayOfWeek(int nDayOfWeek) { return (nDayOfWeek + 5) % 7; }

    CWnd m_Tab;
    CComboBox m_ChannelCombo;
    CListCtrl m_List;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnAddViewing();
    void OnAddRecording();
    void OnUnused() {}
    void OnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelchangeChannel();
    void OnKillfocusList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomdrawList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void AddItem(BOOL bRecording);
    int GetCurTab() const;
};

#pragma once
#include "platform/afx/Dialog.h"
#include "platform/afx/Time.h"
#include "ui/osd/OSDFrame.h"

// What the OSD menu asks of the window that owns it (the control panel).
class COSDMenuOwner
{
public:
    virtual ~COSDMenuOwner() {}
    // The record format changed: the owner renews its record-format menu checks.
    virtual void OnRecordFormatChanged() {}
    // The timed shut-down was switched on for that time: the owner arms its count-down.
    virtual void OnShutdownArmed(const CTime& time) {}
    // Shows a notice from the resource library under the application's caption.
    virtual void ShowNotice(UINT textId);
};

// The invisible host of the OSD menu: owns the nine pages, keeps the current one and routes the
// remote's navigation keys to it.
class COSDMenuDlg : public CDialog
{
public:
    enum
    {
        PAGE_MAIN,
        PAGE_CHANNEL_EDIT,
        PAGE_CHANNEL_SEARCH,
        PAGE_PICTURE,
        PAGE_SCHEDULE_RECORD,
        PAGE_CAPTURE,
        PAGE_SHUTDOWN,
        PAGE_TASK_LIST,
        PAGE_NOISE,
        PAGE_COUNT
    };

    explicit COSDMenuDlg(CWnd* pParent = nullptr);
    ~COSDMenuDlg() override;

    BOOL Create(CWnd* pParent);
    void SetOwner(COSDMenuOwner* pOwner) { m_pOwner = pOwner; }
    COSDMenuOwner* GetOwner() { return m_pOwner ? m_pOwner : &m_noOwner; }

    void ShowMenu(BOOL show);
    BOOL GoBack();
    BOOL OpenSelected();
    MFrame* GetPage(int index) const;
    MFrame* GetCurrentPage() const { return m_pCurrent; }
    int UpdateScanProgress(int low, int high, int position);
    int OnOSDKey(UINT key, LPARAM lParam);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    BOOL BuildPages();
    void Replace();
    void SwitchTo(MFrame* pPage);
    void DeletePages();

    CArray<MFrame*, MFrame*> m_pages;
    MFrame* m_pCurrent;
    CBitmap m_rowNormal;
    CBitmap m_rowSelected;
    CBitmap m_header;
    CBitmap m_footer;
    COSDMenuOwner* m_pOwner;
    COSDMenuOwner m_noOwner;
};

// The host of a page, when the page lives in one.
COSDMenuDlg* OsdHostOf(CWnd* pPage);

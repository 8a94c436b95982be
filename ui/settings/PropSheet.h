#pragma once
#include "platform/afx/PropertySheet.h"
#include "ui/settings/ChannelPage.h"
#include "ui/settings/EPGPage.h"
#include "ui/settings/InterfacePage.h"
#include "ui/settings/ScheduleListPage.h"
#include "ui/settings/StoragePage.h"
#include "ui/settings/DevicePage.h"
#include "ui/settings/RecordFormatPage.h"
#include "ui/settings/VideoPage.h"

// The settings sheet: the pages of the settings, as tabs (or, in the setup shape, as a wizard).
// The pages work on the controller directly; OK and Apply save the created pages, Cancel restores
// them. The sheet remembers the page that was in front when it closed.
class CPropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CPropSheet)
public:
    CPropSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    CPropSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CPropSheet() override;

    // The full sheet's tabs, in order; the FM channel page only with a device that has FM.
    void AddAllPages();
    // The setup wizard: device, record format, TV channels and video, without Cancel.
    void AddSetupPages();
    // One channel page alone: the FM one for a nonzero argument.
    void AddChannelPage(BOOL bFM);
    // The index of the page in front when the window went.
    int GetRememberedPage() const { return m_nRememberedPage; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    CEPGPage m_EPGPage;
    CChannelPage m_TVChannelPage;
    CChannelPage m_FMChannelPage;
    CDevicePage m_DevicePage;
    CRecordFormatPage m_RecordFormatPage;
    CScheduleListPage m_ScheduleListPage;
    CVideoPage m_VideoPage;
    CStoragePage m_StoragePage;
    CInterfacePage m_InterfacePage;
    BYTE m_bCancelAllowed;
    int m_nRememberedPage;

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

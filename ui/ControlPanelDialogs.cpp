// The windows the control panel opens: the settings sheet, the schedule dialog, the FM custom
// filter dialog, the About dialog and the docked video-adjust dialog; and what the settings pages
// ask of the panel while they run.
#include "ui/ControlPanelDlg.h"

#include "resources/ResourceIds.h"
#include "skin/HyperLink.h"
#include "ui/VideoDlg.h"
#include "ui/settings/FMCustomDlg.h"
#include "ui/settings/PropSheet.h"
#include "ui/settings/ScheduleDlg.h"
#include "ui/settings/VideoAdjustDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

namespace
{
// The About dialog: its web and mail lines open through the shell.
class CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        LinkToOwnText(m_web, IDC_ABOUT_WEB_LINK, "");
        LinkToOwnText(m_mail, IDC_ABOUT_MAIL_LINK, "mailto:");
        return TRUE;
    }

private:
    void LinkToOwnText(CHyperLink& link, UINT nID, LPCSTR pszScheme)
    {
        if (!link.SubclassDlgItem(nID, this))
            return;
        CString text;
        link.GetWindowText(text);
        link.SetURL(CString(pszScheme) + text);
    }

    CHyperLink m_web;
    CHyperLink m_mail;
};
}  // namespace

void CControlPanelDlg::RunSettingsSheet()
{
    CVideoDlg& video = GetVideoDlg();
    CPropSheet sheet(IDS_SETTINGS_CAPTION, video.m_hWnd != NULL ? &video : NULL, m_nSettingsPage);
    sheet.AddAllPages();
    m_pSettingsSheet = &sheet;
    sheet.DoModal();
    m_pSettingsSheet = NULL;
    m_nSettingsPage = sheet.GetRememberedPage();
}

void CControlPanelDlg::CloseSettingsSheet()
{
    if (m_pSettingsSheet != NULL && m_pSettingsSheet->m_hWnd != NULL)
        m_pSettingsSheet->SendMessage(WM_CLOSE);
}

void CControlPanelDlg::RunScheduleDialog()
{
    CScheduleDlg dialog(this);
    dialog.DoModal();
}

INT_PTR CControlPanelDlg::RunFMCustomDialog()
{
    CFMCustomDlg dialog(this);
    return dialog.DoModal();
}

void CControlPanelDlg::RunAboutDialog()
{
    CAboutDlg about(this);
    m_pAboutDlg = &about;
    about.DoModal();
    m_pAboutDlg = NULL;
}

void CControlPanelDlg::ShowVideoAdjust(BOOL bShow)
{
    CVideoAdjustDlg& adjust = GetVideoAdjustDlg();
    if (bShow && adjust.m_hWnd == NULL)
        adjust.Create(this);
    if (adjust.m_hWnd == NULL)
        return;
    if (bShow)
        DockVideoAdjust();
    adjust.Show(bShow);
}

void CControlPanelDlg::ShowVideoCursor()
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.ShowCursor();
}

void CControlPanelDlg::SetVideoCursorAutoHide(BOOL bAutoHide)
{
    CVideoDlg& video = GetVideoDlg();
    if (video.m_hWnd != NULL)
        video.SetCursorAutoHide(bAutoHide);
}

void CControlPanelDlg::ShowChannelText(CChannelItem* pItem)
{
    if (pItem != NULL)
        g_pTVEngine->GetChannelTable()->SetCurrentChannel(pItem);
    ShowChannelText();
}

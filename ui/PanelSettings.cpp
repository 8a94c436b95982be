#include "ui/PanelSettings.h"

#include "ui/ControlPanelDlg.h"

namespace
{
// The settings pages' way to the live control panel.
class CPanelSettings : public CSettingsPanel
{
public:
    CControlPanelDlg* m_pPanel = NULL;

    void StopPreviewForChange() override { m_pPanel->StopPreviewForChange(); }
    void ShowChannelText(CChannelItem* pItem) override
    {
        CSettingsPanel::ShowChannelText(pItem);
        m_pPanel->ShowChannelText();
    }
    void UpdateMenuChecks() override { m_pPanel->UpdateMenuChecks(); }
    void UpdateControlStates() override { m_pPanel->UpdateControlStates(); }
    CHotKeyTable& GetHotKeyTable() override { return m_pPanel->GetHotKeyTable(); }
    void LoadHotKeys() override { m_pPanel->LoadHotKeys(); }
    void EnableHotKeys(BOOL bEnable) override { m_pPanel->EnableHotKeys(bEnable); }
    BOOL LoadSkin(LPCSTR pszName) override { return m_pPanel->LoadSkin(pszName); }
    void ShowPanel(BOOL bShow) override
    {
        if (m_pPanel->m_hWnd != NULL)
            m_pPanel->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
};

CPanelSettings g_panelSettings;
} // namespace

void InstallPanelSettings(CControlPanelDlg* pPanel)
{
    g_panelSettings.m_pPanel = pPanel;
    SetSettingsPanel(pPanel != NULL ? &g_panelSettings : NULL);
}

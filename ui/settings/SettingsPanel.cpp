#include "ui/settings/SettingsPanel.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"

namespace
{
CSettingsPanel* g_pPanel = NULL;
CSettingsPanel g_standIn;
} // namespace

void CSettingsPanel::ShowChannelText(CChannelItem* pItem)
{
    if (pItem && g_pTVEngine)
        g_pTVEngine->GetChannelTable()->SetCurrentChannel(pItem);
}

BOOL CSettingsPanel::StartChannelScan()
{
    return g_pTVEngine && g_pTVEngine->StartChannelScan(g_pTVEngine->IsRadio() ? 0 : 1);
}

void CSettingsPanel::StopChannelScan()
{
    if (g_pTVEngine)
        g_pTVEngine->StopChannelScan();
}

CSettingsPanel* GetSettingsPanel()
{
    return g_pPanel ? g_pPanel : &g_standIn;
}

void SetSettingsPanel(CSettingsPanel* pPanel)
{
    g_pPanel = pPanel;
}

int SettingsMessageBox(CWnd* pOwner, UINT nTextId, UINT nType)
{
    CString text, caption;
    text.LoadString(nTextId);
    caption.LoadString(IDS_APP_TITLE);
    HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : NULL;
    return ::MessageBoxA(hOwner, text, caption, nType);
}

#include "ui/settings/SettingsPanel.h"

#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"
#include "ui/settings/HotKeyDefaults.h"
#include "resources/ResourceIds.h"

namespace
{
CSettingsPanel* g_pPanel = NULL;
CSettingsPanel g_standIn;

CString AccelPath()
{
    return JoinPath(g_pTVEngine ? static_cast<LPCSTR>(g_pTVEngine->GetAppFolder()) : ".", "Accel");
}
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

CHotKeyTable& CSettingsPanel::GetHotKeyTable()
{
    static CHotKeyTable table;
    return table;
}

void CSettingsPanel::LoadHotKeys()
{
    CHotKeyTable& table = GetHotKeyTable();
    LoadHotKeysOrDefaults(table, AccelPath());
    table.BuildAccelerators();
}

BOOL CSettingsPanel::SaveHotKeys()
{
    return GetHotKeyTable().SaveFile(AccelPath());
}

void CSettingsPanel::InitDefaultHotKeys()
{
    FillDefaultHotKeys(GetHotKeyTable());
}

BOOL CSettingsPanel::AddHotKey(LPCSTR pszCommand, WORD key, BOOL bAlt, BOOL bCtrl, BOOL bShift)
{
    CHotKeyTable& table = GetHotKeyTable();
    const DWORD command = table.FindCommand(pszCommand);
    if (command == CHotKeyTable::kNoCommand)
        return FALSE;
    ACCEL accel = {};
    accel.fVirt = FVIRTKEY;
    if (bAlt)
        accel.fVirt |= FALT;
    if (bCtrl)
        accel.fVirt |= FCONTROL;
    if (bShift)
        accel.fVirt |= FSHIFT;
    accel.key = key;
    accel.cmd = static_cast<WORD>(command);
    return table.AddKey(accel, 0);
}

BOOL CSettingsPanel::RemoveHotKey(LPCSTR pszCommand, LPCSTR pszKeyText)
{
    return GetHotKeyTable().RemoveKey(pszCommand, pszKeyText);
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

#include "ui/settings/InterfacePage.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CInterfacePage, CPageBase)

BEGIN_MESSAGE_MAP(CInterfacePage, CPageBase)
    ON_LBN_SELCHANGE(IDC_UI_COMMANDS, &CInterfacePage::OnCommandChanged)
    ON_BN_CLICKED(IDC_UI_ADD_KEY, &CInterfacePage::OnAddKey)
    ON_BN_CLICKED(IDC_UI_REMOVE_KEY, &CInterfacePage::OnRemoveKey)
    ON_BN_CLICKED(IDC_UI_DEFAULT_KEYS, &CInterfacePage::OnDefaultKeys)
    ON_LBN_SELCHANGE(IDC_UI_SKIN_LIST, &CInterfacePage::OnSkinListChanged)
    ON_CBN_SELCHANGE(IDC_UI_SKIN_COMBO, &CInterfacePage::OnSkinComboChanged)
    ON_BN_CLICKED(IDC_UI_TRAY_AUTOSTART, &CInterfacePage::OnChanged)
    ON_BN_CLICKED(IDC_UI_START_TRAY, &CInterfacePage::OnChanged)
END_MESSAGE_MAP()

CInterfacePage::CInterfacePage()
    : CPageBase(IDD_PAGE_INTERFACE), m_bTrayAutostart(TRUE), m_bStartTray(FALSE), m_bTrayAtLoad(FALSE)
{
}

CInterfacePage::~CInterfacePage() {}

void CInterfacePage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UI_SKIN_COMBO, m_skinCombo);
    DDX_Control(pDX, IDC_UI_SKIN_LIST, m_skinList);
    DDX_Control(pDX, IDC_UI_COMMANDS, m_commands);
    DDX_Control(pDX, IDC_UI_KEYS, m_keys);
    DDX_Control(pDX, IDC_UI_HOTKEY_EDIT, m_hotKeyEdit);
    DDX_Text(pDX, IDC_UI_DESCRIPTION, m_strDescription);
    DDX_Check(pDX, IDC_UI_TRAY_AUTOSTART, m_bTrayAutostart);
    DDX_Check(pDX, IDC_UI_START_TRAY, m_bStartTray);
}

BOOL CInterfacePage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    CTVEngine& engine = *g_pTVEngine;
    m_strSkinName = engine.GetSkinName();
    m_bTrayAutostart = engine.AutoStartTray;
    m_bStartTray = engine.StartTray;

    const CHotKeyTable& table = GetSettingsPanel()->GetHotKeyTable();
    for (int i = 0; i < table.GetCommandCount(); ++i)
        m_commands.AddString(table.GetCommand(i).name);

    const CStringList& skins = engine.GetSkinNames();
    for (POSITION pos = skins.GetHeadPosition(); pos != NULL;)
    {
        const CString& name = skins.GetNext(pos);
        m_skinCombo.AddString(name);
        m_skinList.AddString(name);
    }
    m_skinCombo.SetCurSel(m_skinCombo.FindStringExact(-1, m_strSkinName));
    m_skinList.SetCurSel(m_skinList.FindStringExact(-1, m_strSkinName));
    UpdateData(FALSE);
    return TRUE;
}

void CInterfacePage::LoadData()
{
    m_strSkinAtLoad = g_pTVEngine->GetSkinName();
    m_bTrayAtLoad = g_pTVEngine->AutoStartTray;
}

void CInterfacePage::ListKeys()
{
    const int nCommand = m_commands.GetCurSel();
    if (nCommand < 0)
        return;
    CString name;
    m_commands.GetText(nCommand, name);
    const CHotKeyTable& table = GetSettingsPanel()->GetHotKeyTable();
    m_keys.ResetContent();
    m_strDescription = table.GetDescription(name);
    const DWORD command = table.FindCommand(name);
    if (command != CHotKeyTable::kNoCommand)
    {
        for (POSITION pos = table.GetFirstKeyPosition(); pos != NULL;)
        {
            const CHotKeyItem* pItem = table.GetNextKey(pos);
            if (pItem->GetCommand() == command)
                m_keys.AddString(pItem->GetKeyText());
        }
    }
    // Only the description: a check box the user has clicked keeps its state until it is stored.
    SetDlgItemText(IDC_UI_DESCRIPTION, m_strDescription);
}

void CInterfacePage::OnCommandChanged()
{
    ListKeys();
}

void CInterfacePage::OnAddKey()
{
    WORD key = 0;
    WORD flags = 0;
    if (!m_hotKeyEdit.GetHotKey(key, flags))
    {
        key = 0;
        flags = 0;
    }
    ACCEL accel = {};
    accel.fVirt = static_cast<BYTE>(flags);
    accel.key = key;
    const CString keyText = CHotKeyItem(accel, 0).GetKeyText();
    if (keyText.IsEmpty())
    {
        SettingsMessageBox(this, IDS_HOTKEY_EMPTY, MB_ICONINFORMATION);
        return;
    }
    const int nCommand = m_commands.GetCurSel();
    if (nCommand >= 0)
    {
        CString name;
        m_commands.GetText(nCommand, name);
        if (GetSettingsPanel()->AddHotKey(name, key, (flags & FALT) != 0, (flags & FCONTROL) != 0,
                                          (flags & FSHIFT) != 0))
        {
            ListKeys();
            SetModified(TRUE);
        }
        else
        {
            SettingsMessageBox(this, IDS_HOTKEY_ALREADY_BOUND, MB_ICONINFORMATION);
        }
    }
    m_hotKeyEdit.SetFocus();
}

void CInterfacePage::OnRemoveKey()
{
    const int nCommand = m_commands.GetCurSel();
    if (nCommand < 0)
        return;
    const int nKey = m_keys.GetCurSel();
    if (nKey < 0)
    {
        SettingsMessageBox(this, IDS_HOTKEY_NO_KEY_SELECTED, MB_ICONINFORMATION);
    }
    else
    {
        CString name, keyText;
        m_commands.GetText(nCommand, name);
        m_keys.GetText(nKey, keyText);
        GetSettingsPanel()->RemoveHotKey(name, keyText);
        m_keys.DeleteString(nKey);
    }
    SetModified(TRUE);
}

void CInterfacePage::OnDefaultKeys()
{
    GetSettingsPanel()->InitDefaultHotKeys();
    ListKeys();
    SetModified(TRUE);
}

void CInterfacePage::ApplySkin(LPCSTR pszName)
{
    m_strSkinName = pszName;
    CWaitCursor wait;
    if (m_strSkinName.CompareNoCase(g_pTVEngine->GetSkinName()) == 0)
        return;
    CSettingsPanel* pPanel = GetSettingsPanel();
    pPanel->ShowVideoAdjust(FALSE);
    if (pPanel->LoadSkin(m_strSkinName))
        g_pTVEngine->SetSkinName(m_strSkinName);
    pPanel->ShowPanel(TRUE);
}

void CInterfacePage::OnSkinListChanged()
{
    const int nIndex = m_skinList.GetCurSel();
    if (nIndex < 0)
        return;
    CString name;
    m_skinList.GetText(nIndex, name);
    ApplySkin(name);
}

void CInterfacePage::OnSkinComboChanged()
{
    const int nIndex = m_skinCombo.GetCurSel();
    if (nIndex < 0)
        return;
    CString name;
    m_skinCombo.GetLBText(nIndex, name);
    ApplySkin(name);
}

void CInterfacePage::OnChanged()
{
    SetModified(TRUE);
}

BOOL CInterfacePage::SaveData()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CTVEngine& engine = *g_pTVEngine;
    engine.SetAutoStartTray(m_bTrayAutostart);
    engine.SetStartTray(m_bStartTray);
    CSettingsPanel* pPanel = GetSettingsPanel();
    pPanel->SaveHotKeys();
    pPanel->GetHotKeyTable().BuildAccelerators();
    return CPageBase::SaveData();
}

void CInterfacePage::OnReset()
{
    CSettingsPanel* pPanel = GetSettingsPanel();
    pPanel->LoadHotKeys();
    pPanel->EnableHotKeys(FALSE);
    g_pTVEngine->SetAutoStartTray(m_bTrayAtLoad);
    ApplySkin(m_strSkinAtLoad);
}

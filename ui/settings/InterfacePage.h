#pragma once
#include "platform/afx/StdControls.h"
#include "skin/PageBase.h"
#include "ui/settings/HotKeyEdit.h"

// The control panel's skin, its hot keys and the two tray-program options. A skin picked here
// is applied at once; hot-key edits change the panel's live table and are written to "Accel" on
// OK or Apply, or thrown away on Cancel by reading the file again.
class CInterfacePage : public CPageBase
{
    DECLARE_DYNAMIC(CInterfacePage)
public:
    CInterfacePage();
    ~CInterfacePage() override;

    BOOL OnInitDialog() override;
    void LoadData() override;
    BOOL SaveData() override;
    void OnReset() override;

    CComboBox& GetSkinCombo() { return m_skinCombo; }
    CListBox& GetSkinList() { return m_skinList; }
    CListBox& GetCommandList() { return m_commands; }
    CListBox& GetKeyList() { return m_keys; }
    CHotKeyEdit& GetHotKeyEdit() { return m_hotKeyEdit; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCommandChanged();
    void OnAddKey();
    void OnRemoveKey();
    void OnDefaultKeys();
    void OnSkinListChanged();
    void OnSkinComboChanged();
    void OnChanged();
    DECLARE_MESSAGE_MAP()

    void ListKeys();
    void ApplySkin(LPCSTR pszName);

    CComboBox m_skinCombo;
    CListBox m_skinList;
    CListBox m_commands;
    CListBox m_keys;
    CString m_strDescription;
    BOOL m_bTrayAutostart;
    BOOL m_bStartTray;
    CHotKeyEdit m_hotKeyEdit;
    CString m_strSkinName;
    CString m_strSkinAtLoad;
    BOOL m_bTrayAtLoad;
};

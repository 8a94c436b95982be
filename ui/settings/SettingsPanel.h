#pragma once
#include "platform/afx/Wnd.h"
#include "ui/settings/HotKeyTable.h"

class CChannelItem;

// What the settings pages ask of the control panel. The panel installs itself with
// SetSettingsPanel; without one the pages get a stand-in that does the engine's part alone.
class CSettingsPanel
{
public:
    virtual ~CSettingsPanel() {}
    // Stops what the preview must not show while a setting changes (the preview wall, the OSD).
    virtual void StopPreviewForChange() {}
    // Makes the channel the current one of its table, tunes it and shows its text.
    virtual void ShowChannelText(CChannelItem* pItem);
    // Starts and stops the automatic channel scan of the current band.
    virtual BOOL StartChannelScan();
    virtual void StopChannelScan();
    virtual void UpdateMenuChecks() {}
    virtual void UpdateControlStates() {}

    // The hot keys: the live table, kept in the file "Accel" of the application folder. The
    // stand-in keeps a table of its own.
    virtual CHotKeyTable& GetHotKeyTable();
    // Reads "Accel" (the defaults, written anew, when it is missing or unreadable) and builds the
    // accelerator table.
    virtual void LoadHotKeys();
    virtual BOOL SaveHotKeys();
    virtual void EnableHotKeys(BOOL /*bEnable*/) {}
    // Empties the table and fills the default commands and keys.
    void InitDefaultHotKeys();
    // Binds the key with the modifiers to the named command; FALSE when the command is unknown or
    // the combination is bound already.
    BOOL AddHotKey(LPCSTR pszCommand, WORD key, BOOL bAlt, BOOL bCtrl, BOOL bShift);
    BOOL RemoveHotKey(LPCSTR pszCommand, LPCSTR pszKeyText);

    // The panel's skin: loads the named skin into the panel (FALSE leaves the old one); the
    // stand-in has no panel and loads nothing.
    virtual BOOL LoadSkin(LPCSTR /*pszName*/) { return FALSE; }
    virtual void ShowVideoAdjust(BOOL /*bShow*/) {}
    virtual void ShowPanel(BOOL /*bShow*/) {}
};

CSettingsPanel* GetSettingsPanel();
void SetSettingsPanel(CSettingsPanel* pPanel);

// A message box of the resource library: text nTextId under the application's caption (57344).
int SettingsMessageBox(CWnd* pOwner, UINT nTextId, UINT nType);

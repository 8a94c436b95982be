#pragma once
#include "platform/afx/Wnd.h"

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
};

CSettingsPanel* GetSettingsPanel();
void SetSettingsPanel(CSettingsPanel* pPanel);

// A message box of the resource library: text nTextId under the application's caption (57344).
int SettingsMessageBox(CWnd* pOwner, UINT nTextId, UINT nType);

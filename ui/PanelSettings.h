#pragma once
#include "ui/settings/SettingsPanel.h"

class CControlPanelDlg;

// Makes the panel what the settings pages work through (its hot-key table, its skin, its channel
// text); NULL hands the pages back to the stand-in.
void InstallPanelSettings(CControlPanelDlg* pPanel);

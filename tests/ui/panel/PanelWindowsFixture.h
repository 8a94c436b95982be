#pragma once
// The application's windows as the video window's start-up makes them (the video window, the
// control panel with its skin, hot keys, OSD menu and tool windows) over the real engine on the
// simulated card, for the tests of the panel's skins, the video window and the OSD menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/ControlPanelDlg.h"
#include "ui/VideoDlg.h"
#include "ControllerOnCard.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/support/DesktopInput.h"

// The engine's calls into the windows go to the windows under test, as the application routes them.
class CPanelTestWindows : public CTestWindows
{
public:
    BOOL ShowOsdMenu(BOOL bShow) override;
    void OnSearchBegin() override;
    BOOL ReadSkinNames(LPCSTR pszPath, CStringList& names) override;
};

class PanelWindows : public ControllerOnCard
{
protected:
    CPanelTestWindows panelWindows;
    std::unique_ptr<CTVEngine> engine;

    // Files of the application folder the test puts there before the windows start.
    virtual void PrepareFolder() {}
    void SetUp() override;
    void TearDown() override;

    static CVideoDlg& Video();
    static CControlPanelDlg& Panel();
    static void Command(UINT id);
    // A remote key, as the key poller posts it to the video window.
    static void RemoteKey(UINT code);
    // A key pressed in the focused window: a key-down in the queue of that window.
    static void Key(HWND target, UINT key);
    // The client area of the window, saved in the build tree under the name.
    static std::string Shot(HWND window, const std::string& name);
    // Copies a file of the build's program folder into the test's application folder.
    void CopyProgramFile(const std::string& relative);
};

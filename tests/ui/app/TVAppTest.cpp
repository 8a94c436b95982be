// The application object's small services: the record argument, the tray program at exit and the
// system side effects, seen through the system-actions seam.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/SystemActions.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"

CVideoDlg& GetVideoDlg()
{
    static CVideoDlg dialog;
    return dialog;
}

namespace
{
CTVApp theApp;

class CRecordingActions : public CSystemActions
{
public:
    BOOL SetScreenSaverActive(BOOL bActive) override
    {
        calls.push_back(bActive ? "screensaver on" : "screensaver off");
        return TRUE;
    }
    int GetPowerOffTimeout() override { return 600; }
    BOOL SetPowerOffTimeout(int nSeconds) override
    {
        calls.push_back("poweroff " + std::to_string(nSeconds));
        return TRUE;
    }
    BOOL ShutdownWindows(UINT uFlags) override
    {
        calls.push_back("shutdown " + std::to_string(uFlags));
        return TRUE;
    }
    INT_PTR StartProgram(HWND, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR, LPCSTR pszFolder, int nShowCmd) override
    {
        calls.push_back(std::string("start ") + pszVerb + " " + pszFile + " in " + pszFolder + " show " +
                        std::to_string(nShowCmd));
        return 42;
    }
    std::vector<std::string> calls;
};

struct Installed
{
    explicit Installed(CSystemActions* p) { CSystemActions::Install(p); }
    ~Installed() { CSystemActions::Install(nullptr); }
};
}  // namespace

TEST(TVApp, RecordArgumentWithOrWithoutOneDashOrSlashInAnyCase)
{
    struct Case
    {
        const char* line;
        BOOL record;
    };
    const Case cases[] = {
        { "Ondrix.exe Rec", TRUE },
        { "Ondrix.exe -rec", TRUE },
        { "Ondrix.exe /REC", TRUE },
        { "\"C:\\Program Files\\Ondrix.exe\" -x /rEc", TRUE },
        { "Ondrix.exe", FALSE },
        { "Ondrix.exe Record", FALSE },
        { "Ondrix.exe --Rec", FALSE },
        { "Ondrix.exe Re", FALSE },
        { "Rec", FALSE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.record, CTVApp::ArgumentsAskRecord(c.line)) << c.line;
}

TEST(TVApp, TrayProgramStartsOnlyWhenEnabledNotRunningAndPresent)
{
    CRecordingActions actions;
    Installed installed(&actions);
    theApp.InitAppPath();
    const std::string tray = std::string(theApp.GetAppPath()) + "\\Wimbrel.exe";
    DeleteFileA(tray.c_str());

    EXPECT_TRUE(theApp.StartTray(FALSE));
    EXPECT_FALSE(theApp.StartTray(TRUE));  // not installed
    EXPECT_TRUE(actions.calls.empty());

    HANDLE h = CreateFileA(tray.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    EXPECT_TRUE(theApp.StartTray(TRUE));
    ASSERT_EQ(1u, actions.calls.size());
    EXPECT_EQ("start Open " + tray + " in " + std::string(theApp.GetAppPath()) + " show 1", actions.calls[0]);

    // Its window is up already: not started a second time.
    HWND window = CreateWindowExA(0, "STATIC", "Remote Control Tray", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    EXPECT_TRUE(theApp.StartTray(TRUE));
    EXPECT_EQ(1u, actions.calls.size());
    DestroyWindow(window);
    DeleteFileA(tray.c_str());
}

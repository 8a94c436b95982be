// The application object's small services: the record argument, the tray program at exit and the
// system side effects, seen through the system-actions seam.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/support/ThreadDialog.h"
#include "ui/SystemActions.h"
#include "ui/ControlPanelDlg.h"
#include "ui/TVApp.h"
#include "ui/VideoDlg.h"
// After the windows: the engine's DirectShow headers define macros named like window members.
#include "engine/TVEngine.h"

CVideoDlg& GetVideoDlg()
{
    static CVideoDlg dialog;
    return dialog;
}

CControlPanelDlg& GetControlPanel()
{
    static CControlPanelDlg panel;
    return panel;
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
        return result;
    }
    INT_PTR result = 42;
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

namespace
{
std::string g_boxText;

// Reads and closes the message box that the call under test shows.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = ThreadDialog();
    if (box == NULL)
        return;
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    g_boxText = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

std::string ResourceText(UINT id)
{
    CString text;
    AfxLoadString(id, text);
    return static_cast<LPCSTR>(text);
}

void Touch(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(h);
}

class Launchers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hResources = LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, m_hResources);
        AfxSetResourceHandle(m_hResources);
        CSystemActions::Install(&actions);
        theApp.InitAppPath();
        g_boxText.clear();
        m_timer = SetTimer(NULL, 0, 20, CloseMessageBox);
    }
    void TearDown() override
    {
        KillTimer(NULL, m_timer);
        CSystemActions::Install(nullptr);
        AfxSetResourceHandle(GetModuleHandleA(NULL));
        FreeLibrary(m_hResources);
    }
    CRecordingActions actions;
    CTVEngine engine;
    HMODULE m_hResources = nullptr;
    UINT_PTR m_timer = 0;
};
}  // namespace

TEST_F(Launchers, MessengerResult32IsAFailure)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "Messenger\\";
    CreateDirectoryA(folder.c_str(), NULL);
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\MSNMessenger", 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueExA(key, "InstallationDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
    GetVideoDlg().StartMessenger();
    EXPECT_EQ(ResourceText(IDS_MESSENGER_MISSING), g_boxText);

    Touch(folder + "msnmsgr.exe");
    const struct
    {
        INT_PTR result;
        bool failed;
    } cases[] = { { 2, true }, { 32, true }, { 33, false } };
    for (const auto& c : cases)
    {
        g_boxText.clear();
        actions.result = c.result;
        GetVideoDlg().StartMessenger();
        EXPECT_EQ(c.failed ? ResourceText(IDS_MESSENGER_FAILED) : std::string(), g_boxText) << c.result;
    }
    EXPECT_EQ("start Open " + folder + "msnmsgr.exe in " + folder + " show 1", actions.calls.back());
    DeleteFileA((folder + "msnmsgr.exe").c_str());
    RemoveDirectoryA(folder.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\MSNMessenger");
}

// The programme-guide download wizard run modally against a guide web server on 127.0.0.1: the
// address from the registry, the save dialog answered as a user answers it, the archive downloaded
// with its progress and unpacked by the stand-in archiver; a 404, a reply without a length and an
// early close are failures that keep Next off; closing the wizard while it downloads cancels the
// worker and waits for it.
#include <gtest/gtest.h>

#include <winsock2.h>

#include <string>
#include <vector>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "ui/settings/WizarSheet.h"
#include "ControllerTestSupport.h"
#include "engine/TVEngine.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/engine/support/TestFiles.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/DialogWatch.h"
#include "ui/SystemActions.h"

namespace {

const char kCaption[] = "EPG 文件升级";

std::string ServerURL(const char* path)
{
    const std::string port = ReadBytes(std::string(EPG_SERVER_DIR) + "/port");
    return "http://127.0.0.1:" + port + path;
}

class CRecordingActions : public CSystemActions
{
public:
    INT_PTR StartProgram(HWND, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR, LPCSTR, int nShowCmd) override
    {
        started.push_back(std::string(pszVerb) + " " + pszFile + " " + std::to_string(nShowCmd));
        return 33;
    }
    std::vector<std::string> started;
};

// A message box of another thread of this program (the download worker's): its text, and it is
// answered.
std::string TakeWorkerBox()
{
    struct Found
    {
        std::string text;
    } found;
    EnumWindows(
        [](HWND hWnd, LPARAM lParam) WINAPI -> BOOL {
            DWORD process = 0;
            const DWORD thread = GetWindowThreadProcessId(hWnd, &process);
            char name[16] = "";
            GetClassNameA(hWnd, name, sizeof name);
            if (process != GetCurrentProcessId() || thread == GetCurrentThreadId() || lstrcmpA(name, "#32770") != 0 ||
                GetDlgItem(hWnd, 0xFFFF) == nullptr || !IsWindowVisible(hWnd))
                return TRUE;
            char text[256] = "";
            GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
            reinterpret_cast<Found*>(lParam)->text = text;
            PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.text;
}

// Pumps until the condition holds; a thread timer wakes the wait, since the worker's windows do
// not post to this thread.
bool Await(const std::function<bool()>& done, DWORD timeoutMs = 20000)
{
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    const bool ok = desktop::PumpUntil(done, timeoutMs) != FALSE;
    KillTimer(nullptr, timer);
    return ok;
}

bool Enabled(HWND sheet, int id)
{
    HWND button = GetDlgItem(sheet, id);
    return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button);
}

std::string PageText(HWND sheet, int id)
{
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    char text[512] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

void PressPage(HWND sheet, int id)
{
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    desktop::Pump();
}

void PressSheet(HWND sheet, int button)
{
    PropSheet_PressButton(sheet, button);
    desktop::Pump();
}

bool IsSaveDialog(HWND h)
{
    return GetDlgItem(h, cmb13) != nullptr || GetDlgItem(h, edt1) != nullptr;
}

// The save dialog as a user answers it: the proposed name is read, a path typed, Save pressed.
void AnswerSave(HWND h, const std::string& path, std::string* proposed)
{
    const int field = GetDlgItem(h, cmb13) != nullptr ? cmb13 : edt1;
    char text[MAX_PATH] = "";
    GetDlgItemTextA(h, field, text, sizeof text);
    *proposed = text;
    SetDlgItemTextA(h, field, path.c_str());
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, IDOK)));
}

LONGLONG SizeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class Wizard : public ::testing::Test
{
protected:
    CTestWindows windows;
    CRecordingActions actions;
    std::string folder;
    std::string archive;

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        folder = FreshAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        archive = folder + "\\showtime.zip";
        CreateDirectoryA((folder + "\\Guide").c_str(), nullptr);
        DeleteFileA((folder + "\\Guide\\five.txt").c_str());
        SetMachineValue(kCommonKey, "EpgUnzipPath", (folder + "\\Guide").c_str());
        CSystemActions::Install(&actions);
        CPageDownload::SetPause(10);
    }
    void TearDown() override
    {
        CSystemActions::Install(nullptr);
        SetMachineValue(kCommonKey, "EpgUnzipPath", nullptr);
        SetMachineValue(kCommonKey, "EpgURL", nullptr);
        WSACleanup();
    }

    void StartEngine(CTVEngine& engine)
    {
        engine.SetEngineWindows(&windows);
        engine.LoadSettings();
    }
};

}  // namespace

TEST_F(Wizard, DownloadsTheArchiveWithItsProgressAndUnpacksIt)
{
    // The archiver registers its template for new zip files in its own folder.
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string bin(program);
    bin = bin.substr(0, bin.find_last_of('\\'));
    HKEY key;
    ASSERT_EQ(0, RegCreateKeyExA(HKEY_CLASSES_ROOT, ".zip\\ShellNew", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    const std::string templ = bin + "\\ZIPNEW.ZIP";
    RegSetValueExA(key, "FileName", 0, REG_SZ, reinterpret_cast<const BYTE*>(templ.c_str()), static_cast<DWORD>(templ.size() + 1));
    RegCloseKey(key);

    const std::string url = ServerURL("/download/showtime.zip");
    SetMachineValue(kCommonKey, "EpgURL", url.c_str());
    CTVEngine engine(folder.c_str());
    StartEngine(engine);

    CWizarSheet sheet(kCaption, nullptr, 0);
    CDialogWatch watch;
    std::string proposed;
    int maxProgress = 0;
    int progressRange = 0;
    watch.onDialog = [&](HWND h) {
        if (IsSaveDialog(h))
        {
            AnswerSave(h, archive, &proposed);
            return;
        }
        // Welcome: the stored address; Next only.
        EXPECT_EQ(url, PageText(h, IDC_WIZARD_URL));
        EXPECT_TRUE(Enabled(h, ID_WIZNEXT));
        EXPECT_FALSE(Enabled(h, ID_WIZBACK));
        EXPECT_TRUE(GetDlgItem(h, IDHELP) == nullptr || !IsWindowVisible(GetDlgItem(h, IDHELP)));
        PressSheet(h, PSBTN_NEXT);

        // Download: Back only while it runs; the progress moves; Next when the archive is whole.
        EXPECT_EQ("showtime.zip", proposed.substr(proposed.find_last_of('\\') + 1));
        HWND page = PropSheet_GetCurrentPageHwnd(h);
        HWND progress = GetDlgItem(page, IDC_WIZARD_PROGRESS);
        ASSERT_TRUE(Await([&] {
            if (IsWindowVisible(progress))
            {
                const int pos = sheet.m_PageDownload.m_Progress.GetPos();
                if (pos > 0 && maxProgress == 0)
                {
                    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                    CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/wizard-progress.bmp");
                    EXPECT_FALSE(Enabled(h, ID_WIZNEXT));
                }
                maxProgress = pos > maxProgress ? pos : maxProgress;
                progressRange = static_cast<int>(SendMessageA(progress, PBM_GETRANGE, FALSE, 0));
            }
            return Enabled(h, ID_WIZNEXT);
        }));
        EXPECT_EQ("下载完成!", PageText(h, IDC_WIZARD_STATUS));
        EXPECT_FALSE(IsWindowVisible(progress));
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/wizard-done.bmp");
        PressSheet(h, PSBTN_NEXT);

        // Finish: the archive's path; unpacking lists the guide files; the folder opens.
        EXPECT_EQ(archive, PageText(h, IDC_WIZARD_ARCHIVE));
        EXPECT_TRUE(Enabled(h, ID_WIZFINISH));
        PressPage(h, IDC_WIZARD_UNPACK);
        PressPage(h, IDC_WIZARD_OPEN_FOLDER);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/wizard-finish.bmp");
        sheet.PressButton(PSBTN_FINISH);
    };
    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    EXPECT_GT(maxProgress, 0);
    const std::string served = ReadBytes(std::string(EPG_SERVER_DIR) + "/showtime.zip");
    EXPECT_EQ(static_cast<int>(served.size() / 1024), maxProgress);
    EXPECT_EQ(served, ReadBytes(archive));
    EXPECT_EQ(archive, std::string(engine.GetEpgArchive()));
    // The archiver runs on its own: wait (bounded) for its file, then list the folder again.
    ASSERT_TRUE(WaitForFiles(folder + "\\Guide", { "\\five.txt" }, 20000));
    engine.ListEpgFiles();
    ASSERT_EQ(1, engine.GetEpgFiles().GetSize());
    EXPECT_EQ(std::string("five.txt"), std::string(engine.GetEpgFiles()[0]));
    const std::string guide = ReadBytes(folder + "\\Guide\\five.txt");
    EXPECT_NE(std::string::npos, guide.find("20:00 Evening Film"));
    EXPECT_EQ(std::vector<std::string>({ "open " + folder + " " + std::to_string(SW_SHOWNORMAL) }), actions.started);
    (void)progressRange;
}

struct FailureCase
{
    const char* path;
    const char* status;
    const char* box;
    LONGLONG fileSize;  // -1: no file
};

TEST_F(Wizard, FailedDownloadsSayWhyAndKeepNextOff)
{
    const FailureCase cases[] = {
        { "/missing.zip", "服务器拒绝了下载(404),请手动下载!", "服务器拒绝了下载(404).", -1 },
        { "/nolength.zip", "服务器没有给出文件长度,请手动下载!", "服务器没有给出文件长度.", -1 },
        { "/early.zip", "服务器已经关闭连接,请手动下载!", "服务器已经关闭连接.", 3000 },
        { "http://127.0.0.1:1/showtime.zip", "连接失败,请手动下载!", "", -1 },
    };
    CTVEngine engine(folder.c_str());
    StartEngine(engine);
    for (const FailureCase& c : cases)
    {
        SCOPED_TRACE(c.path);
        DeleteFileA(archive.c_str());
        const std::string url = c.path[0] == '/' ? ServerURL(c.path) : std::string(c.path);
        SetMachineValue(kCommonKey, "EpgURL", url.c_str());
        CWizarSheet sheet(kCaption, nullptr, 0);
        CDialogWatch watch;
        std::string proposed;
        std::string box;
        watch.onDialog = [&](HWND h) {
            if (IsSaveDialog(h))
            {
                AnswerSave(h, archive, &proposed);
                return;
            }
            PressSheet(h, PSBTN_NEXT);
            ASSERT_TRUE(Await([&] {
                if (box.empty())
                    box = TakeWorkerBox();
                return PageText(h, IDC_WIZARD_STATUS) == c.status && !sheet.m_PageDownload.IsDownloading();
            })) << PageText(h, IDC_WIZARD_STATUS);
            EXPECT_FALSE(Enabled(h, ID_WIZNEXT));
            EXPECT_TRUE(Enabled(h, ID_WIZBACK));
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CScreenShot::OfClient(h).Save(std::string(ONDRIX_BINARY_DIR) + "/wizard-failed" +
                                          std::string(c.path).substr(std::string(c.path).find_last_of('/') + 1) + ".bmp");
            PressSheet(h, PSBTN_CANCEL);
        };
        EXPECT_EQ(IDCANCEL, sheet.DoModal());
        EXPECT_EQ(std::string(c.box), box);
        EXPECT_EQ(c.fileSize, SizeOf(archive));
    }
}

TEST_F(Wizard, ClosingTheWizardWhileItDownloadsStopsTheWorker)
{
    const std::string url = ServerURL("/stall.zip");
    SetMachineValue(kCommonKey, "EpgURL", url.c_str());
    CTVEngine engine(folder.c_str());
    StartEngine(engine);
    CWizarSheet sheet(kCaption, nullptr, 0);
    CDialogWatch watch;
    std::string proposed;
    DWORD worker = 0;
    DWORD closedIn = 0;
    watch.onDialog = [&](HWND h) {
        if (IsSaveDialog(h))
        {
            AnswerSave(h, archive, &proposed);
            return;
        }
        PressSheet(h, PSBTN_NEXT);
        worker = sheet.m_PageDownload.GetWorkerThreadId();
        ASSERT_NE(0u, worker);
        // Receiving: the first blocks are in the file and the server holds the rest back.
        ASSERT_TRUE(Await([&] { return SizeOf(archive) >= 2048; }));
        EXPECT_TRUE(sheet.m_PageDownload.IsDownloading());
        const DWORD start = GetTickCount();
        PressSheet(h, PSBTN_CANCEL);
        closedIn = GetTickCount() - start;
    };
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    // The worker is gone before the wizard is: the receive was cut, not waited out.
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, worker);
    if (thread != nullptr)
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
        CloseHandle(thread);
    }
    EXPECT_FALSE(sheet.m_PageDownload.IsDownloading());
    EXPECT_LT(closedIn, 10000u);
    EXPECT_TRUE(TakeWorkerBox().empty());
}

// The program ends as soon as the tests have run: the system's file dialog leaves threads behind
// that would otherwise hold the process at its exit.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    fflush(stdout);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}

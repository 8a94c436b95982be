// The two links of the About dialog as the user meets them: drawn in the link colour, underlined
// under the mouse, opened by the shell's registered handler for their address (a recorder program
// stands in for the browser and the mail program), drawn in the visited colour afterwards; and the
// fall-back through the ".htm" open command and the error box when nothing opens the address.
#include <gtest/gtest.h>

#include <string>

// The windowing headers come before the test support, which brings the system's macro helpers.
#include "skin/HyperLink.h"

#include <shellapi.h>

#include "platform/afx/Dialog.h"
#include "platform/afx/WinApp.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/ScreenProbe.h"
#include "tests/support/DesktopInput.h"
#include "tests/support/DialogWatch.h"

namespace {

// One default value under HKEY_CLASSES_ROOT, put back as it was at the end of the test.
class CClassesDefault
{
public:
    CClassesDefault(const std::string& key, const char* value) : m_key(key)
    {
        HKEY h;
        char old[1024] = "";
        LONG size = sizeof old;
        m_had = RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), old, &size) == ERROR_SUCCESS;
        m_old = old;
        Set(value);
        (void)h;
    }
    ~CClassesDefault() { Set(m_had ? m_old.c_str() : nullptr); }

private:
    void Set(const char* value)
    {
        HKEY h;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != 0)
            return;
        if (value != nullptr)
            RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
        else
            RegDeleteValueA(h, nullptr);
        RegCloseKey(h);
    }
    std::string m_key;
    std::string m_old;
    bool m_had;
};

std::string Recorder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "UrlRecorder.exe";
}

std::string ReadText(const std::string& path)
{
    std::string text;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD got = 0;
    if (ReadFile(h, buffer, sizeof buffer, &got, nullptr))
        text.assign(buffer, got);
    CloseHandle(h);
    return text;
}

// Counts the pixels of the client rectangle that are exactly the colour.
int CountColour(HWND hWnd, COLORREF colour)
{
    RECT rect;
    GetClientRect(hWnd, &rect);
    int count = 0;
    HDC dc = GetDC(hWnd);
    for (int y = 0; y < rect.bottom; ++y)
        for (int x = 0; x < rect.right; ++x)
            count += GetPixel(dc, x, y) == colour;
    ReleaseDC(hWnd, dc);
    return count;
}

class AboutLinks : public ::testing::Test
{
protected:
    CDialog about;
    CHyperLink web;
    CHyperLink mail;
    std::string log;
    HANDLE recorded = nullptr;

    void SetUp() override
    {
        static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
        ASSERT_NE(nullptr, resources);
        AfxSetResourceHandle(resources);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        log = std::string(temp) + "ondrix-url-log.txt";
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("ONDRIX_URL_LOG", log.c_str());
        recorded = CreateEventA(nullptr, FALSE, FALSE, "OndrixUrlRecorded");

        ASSERT_TRUE(about.Create(IDD_ABOUT, nullptr));
        about.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        // As the panel opens it: each link's own text is its address, the mail one behind "mailto:".
        CString mailText;
        about.GetDlgItemText(IDC_ABOUT_MAIL_LINK, mailText);
        mail.SetURL("mailto:" + mailText);
        ASSERT_TRUE(web.SubclassDlgItem(IDC_ABOUT_WEB_LINK, &about));
        ASSERT_TRUE(mail.SubclassDlgItem(IDC_ABOUT_MAIL_LINK, &about));
        about.ShowWindow(SW_SHOW);
        about.UpdateWindow();
        // The pointer stays where the last program left it: start with it off the links.
        desktop::MoveTo(about.m_hWnd, 2, 2);
        desktop::PumpUntil([&] { return !web.IsOver() && !mail.IsOver(); }, 2000);
        desktop::Pump();
    }
    void TearDown() override
    {
        about.DestroyWindow();
        CloseHandle(recorded);
    }

    // Waits for the recorder to have run, pumping this thread's messages meanwhile.
    bool WaitRecorded()
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 20000)
        {
            if (MsgWaitForMultipleObjects(1, &recorded, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0)
                return true;
            desktop::Pump();
        }
        return false;
    }

    // The button messages a click on the link gives it, sent to the link itself: a window that
    // another test program shows on the shared display cannot take the click.
    void ClickLink(CHyperLink& link)
    {
        CRect rect;
        link.GetClientRect(rect);
        const LPARAM at = MAKELPARAM(rect.Width() / 2, rect.Height() / 2);
        link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        link.SendMessage(WM_LBUTTONUP, 0, at);
        desktop::Pump();
    }

    void Shoot(const char* name)
    {
        ::RedrawWindow(about.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        desktop::Pump();
        CScreenShot::OfClient(about.m_hWnd).Save(std::string(ONDRIX_BINARY_DIR) + "/hyperlink-" + name + ".bmp");
    }
};

}  // namespace

TEST_F(AboutLinks, LinksTakeTheirTextsAndFitThem)
{
    CString text;
    web.GetWindowText(text);
    EXPECT_EQ(std::string("http://www.veltrane.com.cn"), std::string(web.GetURL()));
    EXPECT_EQ(std::string(text), std::string(web.GetURL()));
    mail.GetWindowText(text);
    EXPECT_EQ("mailto:" + std::string(text), std::string(mail.GetURL()));
    EXPECT_TRUE(web.GetStyle() & SS_NOTIFY);

    // The window is as wide as its text in its font.
    HDC dc = GetDC(web.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(web.SendMessage(WM_GETFONT)));
    SIZE extent;
    web.GetWindowText(text);
    GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    SelectObject(dc, old);
    ReleaseDC(web.m_hWnd, dc);
    CRect rect;
    web.GetClientRect(rect);
    EXPECT_EQ(extent.cx, rect.Width());
    EXPECT_EQ(extent.cy, rect.Height());

    Shoot("about");
    EXPECT_GT(CountColour(web.m_hWnd, RGB(0, 0, 238)), 40);
    EXPECT_EQ(0, CountColour(web.m_hWnd, RGB(85, 26, 139)));
}

TEST_F(AboutLinks, HoverUnderlinesAndLeavingRestoresWithinATick)
{
    CRect rect;
    web.GetClientRect(rect);
    desktop::MoveTo(about.m_hWnd, 2, 2);
    desktop::MoveTo(web.m_hWnd, rect.Width() / 2, rect.Height() / 2);
    ASSERT_TRUE(desktop::PumpUntil([&] { return web.IsOver() != FALSE; }));
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(web.SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_TRUE(lf.lfUnderline);
    web.UpdateWindow();
    EXPECT_GT(CountColour(web.m_hWnd, RGB(255, 0, 0)), 40);
    // The hand comes from the system's help program when it has one; the link answers the cursor
    // question only then.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    HMODULE help = LoadLibraryA((std::string(windows) + "\\winhlp32.exe").c_str());
    const bool hasHand = help != nullptr && LoadCursorA(help, MAKEINTRESOURCEA(106)) != nullptr;
    if (help != nullptr)
        FreeLibrary(help);
    EXPECT_EQ(hasHand, web.GetLinkCursor() != nullptr);
    EXPECT_EQ(hasHand, web.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(web.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0);
    Shoot("hover");

    const DWORD left = GetTickCount();
    desktop::MoveTo(about.m_hWnd, 2, 2);
    ASSERT_TRUE(desktop::PumpUntil([&] { return web.IsOver() == FALSE; }, 2000));
    EXPECT_LT(GetTickCount() - left, 1000u);
    GetObjectA(reinterpret_cast<HFONT>(web.SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_FALSE(lf.lfUnderline);
}

TEST_F(AboutLinks, ClickOpensTheAddressThroughTheShellAndMarksItVisited)
{
    const std::string command = "\"" + Recorder() + "\" \"%1\"";
    CClassesDefault http("http\\shell\\open\\command", command.c_str());
    CClassesDefault mailto("mailto\\shell\\open\\command", command.c_str());

    ClickLink(web);
    ASSERT_TRUE(WaitRecorded());
    EXPECT_NE(std::string::npos, ReadText(log).find("http://www.veltrane.com.cn")) << ReadText(log);
    EXPECT_TRUE(web.GetVisited());
    desktop::MoveTo(about.m_hWnd, 2, 2);
    desktop::PumpUntil([&] { return web.IsOver() == FALSE; }, 2000);
    Shoot("visited");
    EXPECT_GT(CountColour(web.m_hWnd, RGB(85, 26, 139)), 40);

    ClickLink(mail);
    ASSERT_TRUE(WaitRecorded());
    EXPECT_NE(std::string::npos, ReadText(log).find("mailto:support@veltrane.com.cn")) << ReadText(log);
    EXPECT_TRUE(mail.GetVisited());
}

TEST_F(AboutLinks, AnAddressTheShellCannotOpenGoesToTheHtmCommand)
{
    const std::string command = "\"" + Recorder() + "\" \"%1\"";
    CClassesDefault htm(".htm", "OndrixTestPage");
    CClassesDefault page("OndrixTestPage\\shell\\open\\command", command.c_str());
    web.SetURL("ondrixnosuch:page");
    ClickLink(web);
    ASSERT_TRUE(WaitRecorded());
    EXPECT_NE(std::string::npos, ReadText(log).find("ondrixnosuch:page")) << ReadText(log);
    EXPECT_TRUE(web.GetVisited());
}

TEST_F(AboutLinks, NothingToOpenWithShowsTheErrorBoxForTheShellsCode)
{
    CClassesDefault htm(".htm", nullptr);
    const INT_PTR code = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", "ondrixnosuch:page", nullptr, nullptr, SW_SHOW));
    ASSERT_LE(code, 32);
    CDialogWatch watch;
    web.SetURL("ondrixnosuch:page");
    ClickLink(web);
    ASSERT_TRUE(desktop::PumpUntil([&] { return !watch.boxes.empty(); }));
    EXPECT_EQ("Unable to open hyperlink:\n\n" + std::string(CHyperLink::ErrorText(code)), watch.boxes[0].text);
    EXPECT_FALSE(web.GetVisited());
}

TEST(HyperLinkText, ErrorTextsByCode)
{
    const struct
    {
        INT_PTR code;
        const char* text;
    } cases[] = {
        { 0, "The operating system is out\nof memory or resources." },
        { 2, "The specified file was not found." },
        { 3, "The specified path was not found." },
        { 5, "The operating system denied\naccess to the specified file." },
        { 8, "There was not enough memory to complete the operation." },
        { 11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)." },
        { 26, "A sharing violation occurred. " },
        { 27, "The filename association is\nincomplete or invalid." },
        { 28, "The DDE transaction could not\nbe completed because the request timed out." },
        { 29, "The DDE transaction failed." },
        { 30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed." },
        { 31, "There is no application associated\nwith the given filename extension." },
        { 32, "The specified dynamic-link library was not found." },
        { 1, "Unknown Error (1) occurred." },
        { 33, "Unknown Error (33) occurred." },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.text), std::string(CHyperLink::ErrorText(c.code))) << c.code;
}

TEST(HyperLinkText, AnEmptyLinkShowsItsAddress)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 300, 100), nullptr, 0));
    HWND hStatic = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 20, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(100), nullptr, nullptr);
    CHyperLink link;
    link.SetURL("http://example.invalid/");
    ASSERT_TRUE(link.SubclassWindow(hStatic));
    CString text;
    link.GetWindowText(text);
    EXPECT_EQ(std::string("http://example.invalid/"), std::string(text));
    link.DestroyWindow();
    parent.DestroyWindow();
}

#include "PanelWindowsFixture.h"

#include "resources/ResourceIds.h"
#include "skin/SkinList.h"
#include "ui/TVApp.h"

namespace
{
CTVApp theApp;
CVideoDlg* g_pVideo = nullptr;
CControlPanelDlg* g_pPanel = nullptr;
}  // namespace

CVideoDlg& GetVideoDlg() { return *g_pVideo; }
CControlPanelDlg& GetControlPanel() { return *g_pPanel; }

BOOL CPanelTestWindows::ShowOsdMenu(BOOL bShow)
{
    CTestWindows::ShowOsdMenu(bShow);
    g_pPanel->ShowOsdMenu(bShow);
    return g_pPanel->IsOsdMenuShown();
}

void CPanelTestWindows::OnSearchBegin() { g_pVideo->OnSearchBegin(); }

BOOL CPanelTestWindows::ReadSkinNames(LPCSTR pszPath, CStringList& names)
{
    CSkinList list;
    return list.Open(pszPath) && list.GetSkinNames(names);
}

void PanelWindows::SetUp()
{
    static HINSTANCE resources = ::LoadLibraryA("OndrixRsc.dll");
    ASSERT_NE(nullptr, resources);
    AfxSetResourceHandle(resources);
    ControllerOnCard::SetUp();
    WriteBytes(File("TVParam.ini"), "[Channel]\r\nTVCurFreq=175250\r\nTVLastFreq=49750\r\nTVCurIndex=1\r\n");
    for (const char* name : { "Skin.ini", "Drusk.dll", "ColorSkin.ini", "Velmora.dll" })
        CopyProgramFile(name);
    PrepareFolder();
    engine.reset(new CTVEngine(folder.c_str()));
    ASSERT_TRUE(Start(*engine, &panelWindows));
    g_pVideo = new CVideoDlg;
    g_pPanel = new CControlPanelDlg;
    theApp.m_pMainWnd = g_pPanel;
    ASSERT_TRUE(g_pVideo->Create(IDD_VIDEO, nullptr));
    ASSERT_NE(nullptr, g_pPanel->m_hWnd);
    desktop::Pump();
}

void PanelWindows::TearDown()
{
    if (g_pVideo != nullptr && g_pVideo->m_hWnd != NULL)
        g_pVideo->DestroyWindow();
    if (g_pPanel != nullptr && g_pPanel->m_hWnd != NULL)
        g_pPanel->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    delete g_pPanel;
    delete g_pVideo;
    g_pPanel = nullptr;
    g_pVideo = nullptr;
    engine.reset();
}

CVideoDlg& PanelWindows::Video() { return *g_pVideo; }

CControlPanelDlg& PanelWindows::Panel() { return *g_pPanel; }

void PanelWindows::Command(UINT id)
{
    g_pPanel->SendMessage(WM_COMMAND, id, 0);
    desktop::Pump();
}

void PanelWindows::RemoteKey(UINT code)
{
    ::PostMessageA(g_pVideo->m_hWnd, CVideoDlg::WM_REMOTE_KEY, code, 0);
    desktop::Pump();
}

void PanelWindows::Key(HWND target, UINT key)
{
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    desktop::Pump();
}

std::string PanelWindows::Shot(HWND window, const std::string& name)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    desktop::Pump();
    std::string path = std::string(ONDRIX_BINARY_DIR) + "/" + name + ".bmp";
    CScreenShot::OfClient(window).Save(path);
    return path;
}

void PanelWindows::CopyProgramFile(const std::string& relative)
{
    std::string target = folder + "\\" + relative;
    for (size_t slash = target.find('\\', folder.size() + 1); slash != std::string::npos;
         slash = target.find('\\', slash + 1))
        ::CreateDirectoryA(target.substr(0, slash).c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(relative.c_str(), target.c_str(), FALSE)) << relative;
}

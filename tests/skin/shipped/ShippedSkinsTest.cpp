// The shipped skins against the real panels: the skin list names skins whose files and libraries
// are there, every description takes over every control of its panel's template, and each skin,
// applied as the panel applies it, dresses the real dialogs with all its pictures. Each dressed
// pair of panels is also written out as a picture (testdata\skins) for a person to look at.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "foundation/PathUtils.h"
#include "platform/afx/Dialog.h"
#include "resources/ResourceIds.h"
#include "skin/DialogSkin.h"
#include "skin/MultiSlider.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinButton.h"
#include "skin/SkinDescription.h"
#include "skin/SkinList.h"
#include "skin/SkinSlider.h"
#include "skin/SkinStatic.h"

namespace {

std::string Windows(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

const std::string kApp = Windows(std::string(ONDRIX_BINARY_DIR) + "/bin");

std::string AppFile(const std::string& relative)
{
    return kApp + "\\" + relative;
}

struct ShippedSkin
{
    std::string name;
    std::string description;  // relative to the application folder
    std::string library;
    std::string colourDescription;
    std::string colourLibrary;
};

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The built-in skin and the listed ones, with their files as the panel finds them.
std::vector<ShippedSkin> Skins()
{
    std::vector<ShippedSkin> skins = { { "BaseSkin", "Skin.ini", "Drusk.dll", "ColorSkin.ini", "Velmora.dll" } };
    CSkinList list;
    if (!list.Open(AppFile("SkinSet.ini").c_str()))
        return skins;
    CStringList names;
    list.GetSkinNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos;)
    {
        const CString name = names.GetNext(pos);
        CString description, library;
        list.GetSkinFiles(name, description, library);
        const std::string folder = FolderOf(std::string(description));
        skins.push_back({ std::string(name), std::string(description), std::string(library), folder + "ColorSkin.ini",
                          folder + "Velmora.dll" });
    }
    return skins;
}

HINSTANCE ResourceLibrary()
{
    static HINSTANCE library = ::LoadLibraryA("OndrixRsc.dll");
    return library;
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The ids of the template's controls.
std::set<UINT> TemplateControls(UINT dialogId)
{
    std::set<UINT> ids;
    HWND dialog = ::CreateDialogParamA(ResourceLibrary(), MAKEINTRESOURCEA(dialogId), nullptr, &PlainDialog, 0);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ids.insert(static_cast<UINT>(::GetDlgCtrlID(child)));
    ::DestroyWindow(dialog);
    return ids;
}

// A skin applied as the panel applies one: the library is the resource module only while the
// description is read, and is freed before the skin goes on the dialog.
struct AppliedSkin
{
    AppliedSkin(UINT dialogId, const std::string& description, const std::string& library, POINT at)
    {
        HINSTANCE skinLibrary = ::LoadLibraryA(AppFile(library).c_str());
        libraryLoaded = skinLibrary != nullptr;
        AfxSetResourceHandle(skinLibrary);
        loaded = skin.LoadSkin(AppFile(description).c_str());
        // The normal picture of each button, for comparing with what the dialog shows.
        for (int i = 0; loaded && i < skin.GetDescription()->GetElementCount(); ++i)
        {
            const SkinElementRecord* record = skin.GetDescription()->GetElement(i);
            if (record->kind == SkinElementButton)
            {
                CBitmap* normal = new CBitmap;
                LoadSkinPicture(*normal,
                                static_cast<const SkinButtonRecord*>(record)->pictures[SkinButtonRecord::Normal]);
                normals.emplace_back(record->id, normal);
            }
        }
        AfxSetResourceHandle(ResourceLibrary());
        ::FreeLibrary(skinLibrary);

        dialog.Create(dialogId);
        dialog.SetWindowPos(&CWnd::wndTop, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        skin.Attach(&dialog);
        dialog.ShowWindow(SW_SHOWNOACTIVATE);
    }
    ~AppliedSkin()
    {
        for (auto& normal : normals)
            delete normal.second;
        skin.Detach();
        dialog.DestroyWindow();
    }
    void Redraw()
    {
        ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    BOOL libraryLoaded = FALSE;
    BOOL loaded = FALSE;
    CDialogSkin skin;
    CDialog dialog;
    std::vector<std::pair<UINT, CBitmap*>> normals;
};

COLORREF BitmapPixel(CBitmap& bitmap, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return color;
}

// Writes what the screen shows in the rectangle as a 24-bit bitmap file.
void WriteScreen(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP shot = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, shot);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    HANDLE out = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof file, &written, nullptr);
    ::WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    ::WriteFile(out, bits, size, &written, nullptr);
    ::CloseHandle(out);
    ::SelectObject(memory, old);
    ::DeleteObject(shot);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

std::string ShotPath(const std::string& name)
{
    std::string dir = Windows(std::string(ONDRIX_BINARY_DIR) + "/testdata");
    ::CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\skins";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name + ".bmp";
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

}  // namespace

TEST(ShippedSkinsTest, SkinListNamesThreeSkinsWhoseFilesAndLibrariesAreThere)
{
    const std::vector<ShippedSkin> skins = Skins();
    ASSERT_EQ(4u, skins.size());
    EXPECT_EQ("One", skins[1].name);
    EXPECT_EQ("Two", skins[2].name);
    EXPECT_EQ("Three", skins[3].name);
    CString builtIn;
    builtIn.LoadString(ResourceLibrary(), IDS_DEFAULT_SKIN_NAME);
    EXPECT_STREQ(skins[0].name.c_str(), builtIn);
    for (const ShippedSkin& s : skins)
    {
        for (const std::string& file : { s.description, s.colourDescription })
            EXPECT_TRUE(FileExists(AppFile(file).c_str())) << file;
        for (const std::string& library : { s.library, s.colourLibrary })
        {
            HMODULE loaded = ::LoadLibraryA(AppFile(library).c_str());
            EXPECT_NE(nullptr, loaded) << library;
            ::FreeLibrary(loaded);
        }
    }
}

TEST(ShippedSkinsTest, EveryDescriptionTakesOverEveryControlOfItsPanel)
{
    const std::set<UINT> panel = TemplateControls(IDD_CONTROL_PANEL);
    const std::set<UINT> colour = TemplateControls(IDD_VIDEO_ADJUST);
    ASSERT_EQ(29u, panel.size());
    ASSERT_EQ(7u, colour.size());
    for (const ShippedSkin& s : Skins())
    {
        for (const auto& which :
             { std::make_pair(s.description, &panel), std::make_pair(s.colourDescription, &colour) })
        {
            CSkinDescription description(AppFile(which.first).c_str());
            ASSERT_TRUE(description.Parse()) << which.first;
            std::set<UINT> ids;
            for (int i = 0; i < description.GetElementCount(); ++i)
                ids.insert(description.GetElement(i)->id);
            EXPECT_EQ(*which.second, ids) << which.first;
            EXPECT_EQ(static_cast<size_t>(description.GetElementCount()), ids.size()) << which.first;
            ASSERT_NE(nullptr, description.GetDialog()) << which.first;
            EXPECT_EQ(SkinDialogRecord::StylePicture, description.GetDialog()->style) << which.first;
            EXPECT_TRUE(description.GetDialog()->transparent) << which.first;
        }
    }
}

TEST(ShippedSkinsTest, EverySkinDressesTheRealPanelsWithAllItsPictures)
{
    AfxSetResourceHandle(ResourceLibrary());
    const std::set<UINT> panelIds = TemplateControls(IDD_CONTROL_PANEL);
    for (const ShippedSkin& s : Skins())
    {
        AppliedSkin panel(IDD_CONTROL_PANEL, s.description, s.library, { 40, 40 });
        ASSERT_TRUE(panel.libraryLoaded) << s.name;
        ASSERT_TRUE(panel.loaded) << s.name;
        ASSERT_EQ(static_cast<int>(panelIds.size()), panel.skin.GetControlCount()) << s.name;
        for (UINT id : panelIds)
            EXPECT_EQ(panel.skin.FindControl(id), CWnd::FromHandlePermanent(::GetDlgItem(panel.dialog.m_hWnd, id)))
                << s.name << " " << id;
        CRect window;
        panel.dialog.GetWindowRect(&window);
        EXPECT_EQ(panel.skin.GetShape()->GetSize().cx, window.Width()) << s.name;
        HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(panel.dialog.m_hWnd, outline)) << s.name;
        EXPECT_FALSE(::PtInRegion(outline, 0, 0)) << s.name;
        ::DeleteObject(outline);

        // The panel as it looks while watching: a channel, the clock, some volume, muted, and a
        // time-shift buffer half full.
        static_cast<CSkinStatic*>(panel.skin.FindControl(IDC_PANEL_CHANNEL_TEXT))->SetWindowText("12 CCTV-1 综合");
        static_cast<CSkinStatic*>(panel.skin.FindControl(IDC_PANEL_CLOCK))->SetWindowText("21:05:33");
        CSkinSlider* volume = static_cast<CSkinSlider*>(panel.skin.FindControl(IDC_PANEL_VOLUME));
        volume->SetRange(0, 100, TRUE);
        volume->SetPos(100 - 70);
        CMultiSlider* position = static_cast<CMultiSlider*>(panel.skin.FindControl(IDC_TIMESHIFT_POSITION));
        position->SetRange(0, 600, TRUE);
        position->SetSelection(0, 420, TRUE);
        position->SetPos(300, TRUE);
        static_cast<CSkinButton*>(panel.skin.FindControl(ID_MUTE))->SetCheck(1);
        ::EnableWindow(::GetDlgItem(panel.dialog.m_hWnd, ID_PAUSE), FALSE);
        // The position slider's cursor came from the skin's library, which is gone by now.
        HWND seek = position->m_hWnd;
        EXPECT_TRUE(
            ::SendMessageA(seek, WM_SETCURSOR, reinterpret_cast<WPARAM>(seek), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
            << s.name;

        // The colour panel where the panel puts it for this skin.
        AppliedSkin colour(IDD_VIDEO_ADJUST, s.colourDescription, s.colourLibrary, { 0, 0 });
        ASSERT_TRUE(colour.loaded) << s.name;
        EXPECT_EQ(7, colour.skin.GetControlCount()) << s.name;
        POINT dock = { window.right, window.top };
        if (s.name == "Two")
            dock = { window.left + 7, window.top + 13 };
        else if (s.name == "Three")
            dock = { window.right - 75, window.top };
        colour.dialog.SetWindowPos(&CWnd::wndTop, dock.x, dock.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        for (UINT id = IDC_ADJUST_BRIGHTNESS; id <= IDC_ADJUST_SHARPNESS; ++id)
        {
            ::SendDlgItemMessageA(colour.dialog.m_hWnd, id, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
            ::SendDlgItemMessageA(colour.dialog.m_hWnd, id, TBM_SETPOS, TRUE, 30 + 10 * (id - IDC_ADJUST_BRIGHTNESS));
        }
        panel.Redraw();
        colour.Redraw();
        Pump();

        // Each button shows its normal picture where the skin put it.
        for (auto& normal : panel.normals)
        {
            if (normal.first == ID_MUTE || normal.first == ID_PAUSE)
                continue;
            HWND button = ::GetDlgItem(panel.dialog.m_hWnd, normal.first);
            CRect rect;
            ::GetClientRect(button, &rect);
            HDC dc = ::GetDC(button);
            const COLORREF shown = ::GetPixel(dc, rect.Width() / 2 - 3, rect.Height() / 2 - 3);
            ::ReleaseDC(button, dc);
            EXPECT_EQ(BitmapPixel(*normal.second, rect.Width() / 2 - 3, rect.Height() / 2 - 3), shown)
                << s.name << " " << normal.first;
        }

        CRect both;
        CRect colourRect;
        colour.dialog.GetWindowRect(&colourRect);
        both.UnionRect(&window, &colourRect);
        both.InflateRect(8, 8);
        WriteScreen(both, ShotPath(s.name));
    }
}

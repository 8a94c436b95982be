#include "tests/skin/controls/SkinFixture.h"

#include <fstream>

#include "skin/MultiSlider.h"
#include "skin/SkinButton.h"

std::string ControlTestPath(const std::string& name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "\\testdata";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\skincontrols";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void WriteBitmap(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& color)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const COLORREF c = color(x, y);
            unsigned char* p = &pixels[static_cast<size_t>(height - 1 - y) * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
}

void WriteSolidBitmap(const std::string& path, int width, int height, COLORREF color)
{
    WriteBitmap(path, width, height, [=](int, int) { return color; });
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

BEGIN_MESSAGE_MAP(CControlsDlg, CDialog)
ON_MESSAGE(WM_HSCROLL, &CControlsDlg::OnScroll)
END_MESSAGE_MAP()

CControlsDlg::CControlsDlg() : CDialog(IDD_SKIN_CONTROLS)
{
}

BOOL CControlsDlg::Open()
{
    if (!Create(IDD_SKIN_CONTROLS))
        return FALSE;
    // Out of the way of other programs' windows, and above them.
    SetWindowPos(&CWnd::wndTopMost, 880, 620, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    return TRUE;
}

BOOL CControlsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED)
    {
        ++clicks[LOWORD(wParam)];
        if (LOWORD(wParam) == IDC_TOGGLE)
        {
            CSkinButton* button = static_cast<CSkinButton*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
            toggleAtClick.push_back(button ? button->GetCheck() : -1);
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CControlsDlg::OnScroll(WPARAM wParam, LPARAM lParam)
{
    // The multi-slider sends its own object, not a window handle.
    Placed event = { wParam, nullptr, FALSE };
    if (wParam == CMultiSlider::PlacedNotification)
    {
        CMultiSlider* from = reinterpret_cast<CMultiSlider*>(lParam);
        event.from = from;
        event.dragging = from->IsDragging();
    }
    placed.push_back(event);
    return 0;
}

SkinnedDialog::SkinnedDialog(const std::string& description, const char* name) : path(ControlTestPath(name))
{
    WriteText(path, description);
    dialog.Open();
    loaded = skin.LoadSkin(path.c_str());
    if (loaded)
        skin.Attach(&dialog);
    dialog.UpdateWindow();
}

SkinnedDialog::~SkinnedDialog()
{
    skin.Detach();
    dialog.DestroyWindow();
}

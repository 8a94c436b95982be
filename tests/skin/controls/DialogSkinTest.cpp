// The dialog skin on a real dialog: the shape's size, outline and background, the labels, loading
// a second skin into the same object, and what a detached skin leaves behind.
#include <gtest/gtest.h>

#include "skin/SkinDescription.h"
#include "skin/SkinStatic.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/DesktopInput.h"

namespace {

const COLORREF kFace = RGB(100, 50, 20);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kMarker = RGB(12, 34, 56);

// 240 x 160 with a transparent 10 x 10 corner at the top left.
void WriteFace()
{
    WriteBitmap(ControlTestPath("Face.bmp"), 240, 160, [](int x, int y) { return x < 10 && y < 10 ? kGreen : kFace; });
}

CSize WindowSize(HWND window)
{
    CRect rect;
    ::GetWindowRect(window, &rect);
    return rect.Size();
}

// Paints the marker over the window, then has it erase its background.
LRESULT EraseOverMarker(HWND window)
{
    HDC dc = ::GetDC(window);
    CRect all;
    ::GetClientRect(window, &all);
    HBRUSH brush = ::CreateSolidBrush(kMarker);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    const LRESULT result = ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::ReleaseDC(window, dc);
    return result;
}

const char kFaceOnly[] = "[Face]\nTYPE=Dialog\nID=1\nSTYLE=2\nTRANSPARENT=1\nLOADFROM=1\nBACKBMP=Face\n";

}  // namespace

TEST(DialogSkinTest, DialogSectionAloneSizesCutsAndPaintsTheDialog)
{
    WriteFace();
    SkinnedDialog d(kFaceOnly, "FaceOnly.ini");
    ASSERT_TRUE(d.loaded);
    EXPECT_EQ(0, d.skin.GetControlCount());
    HWND dialog = d.dialog.m_hWnd;
    EXPECT_EQ(CSize(240, 160), WindowSize(dialog));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(dialog, region));
    EXPECT_FALSE(::PtInRegion(region, 3, 3));
    EXPECT_TRUE(::PtInRegion(region, 12, 3));
    EXPECT_TRUE(::PtInRegion(region, 239, 159));
    ::DeleteObject(region);
    EXPECT_EQ(1, EraseOverMarker(dialog));
    EXPECT_EQ(kFace, desktop::PixelAt(dialog, 235, 155));
}

TEST(DialogSkinTest, NoBackgroundStyleWithASizeCutsToTheRectangleAndNeverPaints)
{
    SkinnedDialog d("[Frame]\nTYPE=Dialog\nID=1\nSTYLE=0\nSIZE=200,120\nBACKCOLOR=255\n", "Frame.ini");
    ASSERT_TRUE(d.loaded);
    HWND dialog = d.dialog.m_hWnd;
    EXPECT_EQ(CSize(200, 120), WindowSize(dialog));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(dialog, region));
    EXPECT_TRUE(::PtInRegion(region, 199, 119));
    EXPECT_FALSE(::PtInRegion(region, 200, 60));
    ::DeleteObject(region);
    EXPECT_EQ(1, EraseOverMarker(dialog));
    EXPECT_EQ(kMarker, desktop::PixelAt(dialog, 195, 115));
}

TEST(DialogSkinTest, SecondLoadAndDetachGiveTheItemsAndDialogTheirOwnProceduresBack)
{
    WriteFace();
    for (const char* name : { "KeyH.bmp", "KeyU.bmp", "KeyD.bmp", "KeyX.bmp" })
        WriteSolidBitmap(ControlTestPath(name), 30, 20, RGB(200, 200, 200));
    for (const char* name : { "CutH.bmp", "CutU.bmp", "CutD.bmp", "CutX.bmp" })
        WriteBitmap(ControlTestPath(name), 30, 20, [](int x, int y) { return x < 4 && y < 4 ? kGreen : kFace; });
    CControlsDlg dialog;
    ASSERT_TRUE(dialog.Open());
    HWND push = ::GetDlgItem(dialog.m_hWnd, IDC_PUSH);
    const LONG_PTR dialogProc = ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC);
    const LONG_PTR pushProc = ::GetWindowLongPtrA(push, GWLP_WNDPROC);

    const std::string first = ControlTestPath("First.ini");
    WriteText(first, std::string(kFaceOnly) +
                         "\n[Push]\nTYPE=BUTTON\nID=901\nPOSITION=5,5\nTRANSPARENT=1\nLOADFROM=1\nBMPNAME=Cut\n");
    CDialogSkin* skin = new CDialogSkin;
    ASSERT_TRUE(skin->LoadSkin(first.c_str()));
    skin->Attach(&dialog);
    EXPECT_NE(dialogProc, ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));
    EXPECT_NE(pushProc, ::GetWindowLongPtrA(push, GWLP_WNDPROC));

    // Loading into the same object takes the first skin off before anything else.
    const std::string second = ControlTestPath("Second.ini");
    WriteText(second, "[Push]\nTYPE=BUTTON\nID=901\nPOSITION=50,5\nLOADFROM=1\nBMPNAME=Key\n");
    ASSERT_TRUE(skin->LoadSkin(second.c_str()));
    EXPECT_EQ(dialogProc, ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(pushProc, ::GetWindowLongPtrA(push, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, skin->GetShape());
    ASSERT_EQ(1, skin->GetControlCount());
    skin->Attach(&dialog);
    EXPECT_EQ(skin->GetControl(0), CWnd::FromHandlePermanent(push));
    // The second skin's button is rectangular: the first one's cut is gone.
    HRGN cut = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(push, cut));
    ::DeleteObject(cut);

    skin->Detach();
    delete skin;
    EXPECT_EQ(dialogProc, ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(pushProc, ::GetWindowLongPtrA(push, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(push));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(dialog.m_hWnd, region));
    ::DeleteObject(region);
    dialog.DestroyWindow();
}

TEST(DialogSkinTest, ElementWhosePictureDoesNotLoadIsLeftToItsPlainControl)
{
    WriteSolidBitmap(ControlTestPath("KeyH.bmp"), 30, 20, RGB(200, 200, 200));
    for (const char* name : { "KeyU.bmp", "KeyD.bmp", "KeyX.bmp" })
        WriteSolidBitmap(ControlTestPath(name), 30, 20, RGB(200, 200, 200));
    SkinnedDialog d("[Push]\nTYPE=BUTTON\nID=901\nPOSITION=5,5\nLOADFROM=1\nBMPNAME=Missing\n\n"
                    "[Toggle]\nTYPE=BUTTON\nID=902\nSTYLE=1\nPOSITION=50,5\nLOADFROM=1\nBMPNAME=Key\n\n"
                    "[Face]\nTYPE=Dialog\nID=1\nSTYLE=2\nLOADFROM=1\nBACKBMP=NoFace\n",
                    "Missing.ini");
    ASSERT_TRUE(d.loaded);
    ASSERT_EQ(1, d.skin.GetControlCount());
    EXPECT_EQ(static_cast<UINT>(IDC_TOGGLE), d.skin.GetControlId(0));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(d.Item(IDC_PUSH)));
    EXPECT_EQ(nullptr, d.skin.GetShape());
    // The description still reads: every section's record is there.
    EXPECT_EQ(2, d.skin.GetDescription()->GetElementCount());
    EXPECT_NE(nullptr, d.skin.GetDescription()->GetDialog());

    // A description that cannot be read makes nothing.
    CDialogSkin none;
    EXPECT_FALSE(none.LoadSkin(ControlTestPath("NoSuch.ini").c_str()));
    EXPECT_EQ(0, none.GetControlCount());
    EXPECT_EQ(nullptr, none.GetShape());
}

TEST(DialogSkinTest, LabelsShowTheDialogOrTheirColourBehindTextCentredInThem)
{
    WriteFace();
    SkinnedDialog d(std::string(kFaceOnly) +
                        "\n[Label]\nTYPE=STATIC\nID=906\nSTYTLE=0\nPOSITION=20,60\nSIZE=100,30\nTEXTCOLOR=255,255,255\n"
                        "TEXT=HHHH\nFONTSIZE=0,-12\n",
                    "Label.ini");
    ASSERT_TRUE(d.loaded);
    HWND label = d.Item(IDC_LABEL);
    CSkinStatic* skinned = d.Find<CSkinStatic>(IDC_LABEL);
    ASSERT_NE(nullptr, skinned);
    ::RedrawWindow(d.dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The dialog's picture shows through everywhere but the text.
    EXPECT_EQ(kFace, desktop::PixelAt(label, 95, 2));
    EXPECT_EQ(kFace, desktop::PixelAt(label, 95, 27));

    // Rows that hold text, in a colour of its own.
    skinned->SetBackColor(RGB(0, 0, 160));
    skinned->SetWindowText("HHHH");
    ::UpdateWindow(label);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            if (desktop::PixelAt(label, x, y) == RGB(255, 255, 255))
            {
                top = top < 0 ? y : top;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    EXPECT_EQ(RGB(0, 0, 160), desktop::PixelAt(label, 95, 2));
    // Centred: as many empty rows above the text as below, give or take the font's spacing.
    EXPECT_NEAR(top, 29 - bottom, 4);
    EXPECT_GT(top, 5);
}

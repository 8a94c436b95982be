#pragma once
// A plain dialog made from the test template and skinned from a description and pictures that a
// test writes as files; the dialog counts what its controls tell it.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "skin/DialogSkin.h"
#include "tests/skin/controls/ControlTestIds.h"

// Windows path of a file in the build folder's area for these tests.
std::string ControlTestPath(const std::string& name);
// A 24-bit bitmap file painted pixel by pixel.
void WriteBitmap(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& color);
void WriteSolidBitmap(const std::string& path, int width, int height, COLORREF color);
void WriteText(const std::string& path, const std::string& text);

class CControlsDlg : public CDialog
{
public:
    CControlsDlg();
    // Shows the dialog over every other window at a place of its own on the screen.
    BOOL Open();

    std::map<UINT, int> clicks;
    // The toggle's check state as each of its clicks arrived.
    std::vector<int> toggleAtClick;
    struct Placed
    {
        WPARAM code;
        CWnd* from;
        BOOL dragging;
    };
    std::vector<Placed> placed;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT OnScroll(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A dialog with a skin attached; the description is written from the text first.
struct SkinnedDialog
{
    explicit SkinnedDialog(const std::string& description, const char* name = "Skin.ini");
    ~SkinnedDialog();

    template <class Control>
    Control* Find(UINT id) const
    {
        return static_cast<Control*>(skin.FindControl(id));
    }
    HWND Item(UINT id) const { return ::GetDlgItem(dialog.m_hWnd, id); }

    std::string path;
    CControlsDlg dialog;
    CDialogSkin skin;
    BOOL loaded;
};

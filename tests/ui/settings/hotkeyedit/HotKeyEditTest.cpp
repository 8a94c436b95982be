// The capture edit on a real window: the key messages of a user's key presses, through the
// message loop, show as the edit's words and come out as a virtual key with accelerator flags;
// nothing is typed into the edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DesktopInput.h"
#include "ui/settings/HotKeyEdit.h"

namespace {

struct KeyCase
{
    const char* name;
    std::vector<WORD> keys;  // pressed in order, held
    const char* held;        // the text while they are held
    BOOL valid;
    WORD key;
    WORD flags;
    const char* released;  // the text once they are let go
};

std::string Text(const CWnd& edit)
{
    CString text;
    edit.GetWindowText(text);
    return std::string(text);
}

void Press(desktop::Keyboard& keyboard, const std::vector<WORD>& keys)
{
    for (WORD key : keys)
        keyboard.Down(key);
}

void Release(desktop::Keyboard& keyboard, const std::vector<WORD>& keys)
{
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        keyboard.Up(*key);
}

}  // namespace

TEST(HotKeyEditTest, HeldKeysShowInTheEditsWordsAndComeOutAsAcceleratorFlags)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "keys", WS_POPUP | WS_VISIBLE, 880, 560, 300, 60,
                               nullptr, nullptr));
    CHotKeyEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 290, 40), &frame, 100));

    const KeyCase cases[] = {
        { "Ctrl and Shift alone", { VK_CONTROL, VK_SHIFT }, "Shift + Ctrl", FALSE, 0, 0, "" },
        { "Ctrl, Alt and Delete",
          { VK_CONTROL, VK_MENU, VK_DELETE },
          "Ctrl + Alt + Delete",
          TRUE,
          VK_DELETE,
          FVIRTKEY | FCONTROL | FALT,
          "Ctrl + Alt + Delete" },
        { "Alt and F4 as system keys", { VK_MENU, VK_F4 }, "Alt + F4", TRUE, VK_F4, FVIRTKEY | FALT, "Alt + F4" },
        { "Shift and F5", { VK_SHIFT, VK_F5 }, "Shift + F5", TRUE, VK_F5, FVIRTKEY | FSHIFT, "Shift + F5" },
        { "a letter alone", { 'A' }, "A", TRUE, 'A', FVIRTKEY, "A" },
        { "a key the edit has no word for", { VK_F13 }, "", FALSE, 0, 0, "" },
        { "the volume-up key",
          { VK_CONTROL, VK_VOLUME_UP },
          "Ctrl + VK_VOL+",
          TRUE,
          VK_VOLUME_UP,
          FVIRTKEY | FCONTROL,
          "Ctrl + VK_VOL+" },
    };
    for (const KeyCase& c : cases)
    {
        edit.SetHotKey(0, 0);
        desktop::Keyboard keyboard(edit.m_hWnd);
        Press(keyboard, c.keys);
        EXPECT_TRUE(desktop::PumpUntil([&] { return Text(edit) == c.held; }, 2000)) << c.name << ": " << Text(edit);
        WORD key = 0;
        WORD flags = 0;
        EXPECT_EQ(c.valid, edit.GetHotKey(key, flags)) << c.name;
        if (c.valid)
        {
            EXPECT_EQ(c.key, key) << c.name;
            EXPECT_EQ(c.flags, flags) << c.name;
        }
        Release(keyboard, c.keys);
        EXPECT_TRUE(desktop::PumpUntil([&] { return Text(edit) == c.released; }, 2000)) << c.name << ": " << Text(edit);
    }
    // Alt and F4 reached the edit, not the window.
    EXPECT_TRUE(::IsWindow(frame.m_hWnd));
    frame.DestroyWindow();
}

#include "ui/settings/HotKeyItem.h"
#include "ui/settings/KeyNames.h"

#include <gtest/gtest.h>

#include <string>

TEST(KeyNamesTest, KeyTextNamesModifiersInOrderThenTheKey)
{
    const struct
    {
        BYTE flags;
        WORD key;
        const char* text;
    } rows[] = {
        { FVIRTKEY | FCONTROL | FALT, VK_DELETE, "Ctrl+Alt+DELETE" },
        { FVIRTKEY | FSHIFT, VK_F5, "Shift+F5" },
        { FVIRTKEY | FSHIFT | FALT | FCONTROL, 'X', "Ctrl+Alt+Shift+X" },
        { FVIRTKEY, 'A', "A" },
        { 0, '7', "7" },
        { FVIRTKEY, VK_F13, "F13" },
        { FVIRTKEY, VK_F24, "F24" },
        { FVIRTKEY | FCONTROL, 0xDE, "Ctrl+," },
        { FVIRTKEY | FCONTROL, 0xBC, "Ctrl+," },
        { FVIRTKEY, 0xC0, "`" },
        { FVIRTKEY, 0xDC, "\\" },
        { FVIRTKEY, VK_SCROLL, "SCROLL lOCK" },
        { FVIRTKEY, VK_CAPITAL, "Caps Lock" },
        { FVIRTKEY, VK_NEXT, "PageDown" },
        { FVIRTKEY, VK_DECIMAL, "Num Del" },
        { FVIRTKEY, VK_NUMPAD9, "Num 9" },
        { FVIRTKEY, VK_APPS, "VK_APPS" },
        { FVIRTKEY, VK_OEM_CLEAR, "VK_OEM_CLEAR" },
        { FVIRTKEY, VK_VOLUME_MUTE, "VK_MUTE" },
        { FVIRTKEY, VK_VOLUME_DOWN, "VK_VOL-" },
        { FVIRTKEY, VK_VOLUME_UP, "VK_VOL+" },
        // Keys the table does not name drop their modifiers too.
        { FVIRTKEY | FCONTROL, 0xE5, "" },
        { FVIRTKEY | FCONTROL, VK_MEDIA_PLAY_PAUSE, "" },
        { FVIRTKEY | FCONTROL, 0, "" },
    };
    for (const auto& row : rows)
    {
        EXPECT_EQ(row.text, std::string(FormatKeyText(row.flags, row.key))) << row.key;
        ACCEL accel = { row.flags, row.key, 1000 };
        EXPECT_EQ(row.text, std::string(CHotKeyItem(accel, 0).GetKeyText())) << row.key;
    }
}

TEST(KeyNamesTest, CaptureTextUsesItsOwnWordsAndSaysWhenItIsComplete)
{
    const struct
    {
        WORD key;
        WORD flags;
        const char* text;
        BOOL valid;
    } rows[] = {
        { 255, FVIRTKEY | FCONTROL | FSHIFT, "Shift + Ctrl", FALSE },
        { 255, FVIRTKEY | FALT, "Alt", FALSE },
        { VK_F13, FVIRTKEY, "", FALSE },
        { VK_F13, FVIRTKEY | FCONTROL, "Ctrl", FALSE },
        { VK_F4, FVIRTKEY | FALT, "Alt + F4", TRUE },
        { VK_DELETE, FVIRTKEY | FCONTROL | FALT, "Ctrl + Alt + Delete", TRUE },
        { 'Q', FVIRTKEY | FCONTROL | FSHIFT | FALT, "Ctrl + Shift + Alt + Q", TRUE },
        { 'A', FVIRTKEY, "A", TRUE },
        { VK_BACK, FVIRTKEY | FSHIFT, "Shift + Back Space", TRUE },
        { VK_NUMPAD0, FVIRTKEY, "Numeric keypad 0", TRUE },
        { 0xC0, FVIRTKEY, "~", TRUE },
        { 0xDE, FVIRTKEY, "'", TRUE },
        { VK_VOLUME_UP, FVIRTKEY, "VK_VOL+", TRUE },
        { 0, FVIRTKEY, "", FALSE },
    };
    for (const auto& row : rows)
    {
        BOOL valid = !row.valid;
        EXPECT_EQ(row.text, std::string(FormatCaptureText(row.key, row.flags, &valid))) << row.text;
        EXPECT_EQ(row.valid, valid) << row.text;
    }
}

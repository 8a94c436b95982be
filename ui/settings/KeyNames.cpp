#include "ui/settings/KeyNames.h"

namespace {

struct KeyName
{
    WORD key;
    const char* name;
};

struct ModifierName
{
    BYTE flag;
    const char* name;
};

// Order matters: the first row of a code names it.
const KeyName kKeyTextNames[] = {
    { 0x01, "VK_LBUTTON" },
    { 0x02, "VK_RBUTTON" },
    { 0x03, "VK_CANCEL" },
    { 0x04, "VK_MBUTTON" },
    { 0x08, "BACK" },
    { 0x09, "TAB" },
    { 0x0C, "VK_CLEAR" },
    { 0x0D, "RETURN" },
    { 0x10, "SHIFT" },
    { 0x11, "CONTROL" },
    { 0x12, "MENU" },
    { 0x13, "PAUSE" },
    { 0x14, "Caps Lock" },
    { 0x1B, "ESCAPE" },
    { 0x20, "SPACE" },
    { 0x21, "PageUp" },
    { 0x22, "PageDown" },
    { 0x23, "END" },
    { 0x24, "HOME" },
    { 0x25, "LEFT" },
    { 0x26, "UP" },
    { 0x27, "RIGHT" },
    { 0x28, "DOWN" },
    { 0x29, "VK_SELECT" },
    { 0x2A, "PRINT" },
    { 0x2B, "EXECUTE" },
    { 0x2C, "SNAPSHOT" },
    { 0x2D, "INSERT" },
    { 0x2E, "DELETE" },
    { 0x2F, "VK_HELP" },
    { 0x30, "0" },
    { 0x31, "1" },
    { 0x32, "2" },
    { 0x33, "3" },
    { 0x34, "4" },
    { 0x35, "5" },
    { 0x36, "6" },
    { 0x37, "7" },
    { 0x38, "8" },
    { 0x39, "9" },
    { 0x41, "A" },
    { 0x42, "B" },
    { 0x43, "C" },
    { 0x44, "D" },
    { 0x45, "E" },
    { 0x46, "F" },
    { 0x47, "G" },
    { 0x48, "H" },
    { 0x49, "I" },
    { 0x4A, "J" },
    { 0x4B, "K" },
    { 0x4C, "L" },
    { 0x4D, "M" },
    { 0x4E, "N" },
    { 0x4F, "O" },
    { 0x50, "P" },
    { 0x51, "Q" },
    { 0x52, "R" },
    { 0x53, "S" },
    { 0x54, "T" },
    { 0x55, "U" },
    { 0x56, "V" },
    { 0x57, "W" },
    { 0x58, "X" },
    { 0x59, "Y" },
    { 0x5A, "Z" },
    { 0x5B, "VK_LWIN" },
    { 0x5C, "VK_RWIN" },
    { 0x5D, "VK_APPS" },
    { 0x60, "Num 0" },
    { 0x61, "Num 1" },
    { 0x62, "Num 2" },
    { 0x63, "Num 3" },
    { 0x64, "Num 4" },
    { 0x65, "Num 5" },
    { 0x66, "Num 6" },
    { 0x67, "Num 7" },
    { 0x68, "Num 8" },
    { 0x69, "Num 9" },
    { 0x6A, "Num *" },
    { 0x6B, "Num +" },
    { 0x6C, "SEPARATOR" },
    { 0x6D, "Num -" },
    { 0x6E, "Num Del" },
    { 0x6F, "Num /" },
    { 0x70, "F1" },
    { 0x71, "F2" },
    { 0x72, "F3" },
    { 0x73, "F4" },
    { 0x74, "F5" },
    { 0x75, "F6" },
    { 0x76, "F7" },
    { 0x77, "F8" },
    { 0x78, "F9" },
    { 0x79, "F10" },
    { 0x7A, "F11" },
    { 0x7B, "F12" },
    { 0x7C, "F13" },
    { 0x7D, "F14" },
    { 0x7E, "F15" },
    { 0x7F, "F16" },
    { 0x80, "F17" },
    { 0x81, "F18" },
    { 0x82, "F19" },
    { 0x83, "F20" },
    { 0x84, "F21" },
    { 0x85, "F22" },
    { 0x86, "F23" },
    { 0x87, "F24" },
    { 0x90, "Num Lock" },
    { 0x91, "SCROLL lOCK" },
    { 0xBA, ";" },
    { 0xBB, "=" },
    { 0xBC, "," },
    { 0xBD, "-" },
    { 0xBE, "." },
    { 0xBF, "/" },
    { 0xC0, "`" },
    { 0xDB, "[" },
    { 0xDC, "\\" },
    { 0xDD, "]" },
    { 0xDE, "," },
    { 0xF6, "VK_ATTN" },
    { 0xF7, "VK_CRSEL" },
    { 0xF8, "VK_EXSEL" },
    { 0xF9, "VK_EREOF" },
    { 0xFA, "VK_PLAY" },
    { 0xFB, "VK_ZOOM" },
    { 0xFC, "VK_NONAME" },
    { 0xFD, "VK_PA1" },
    { 0xFE, "VK_OEM_CLEAR" },
    { 0xAD, "VK_MUTE" },
    { 0xAE, "VK_VOL-" },
    { 0xAF, "VK_VOL+" },
};
static_assert(sizeof kKeyTextNames / sizeof kKeyTextNames[0] == 134, "every named key of the key text");

const ModifierName kKeyTextModifiers[] = { { FCONTROL, "Ctrl" }, { FALT, "Alt" }, { FSHIFT, "Shift" } };

const KeyName kCaptureKeyNames[] = {
    { 1, "Left mouse button" },
    { 2, "Right mouse button" },
    { 4, "Middle mouse button" },
    { 8, "Back Space" },
    { 9, "Tab" },
    { 13, "Enter" },
    { 16, "Shift" },
    { 17, "Ctrl" },
    { 18, "Alt" },
    { 19, "Pause" },
    { 20, "Caps Lock" },
    { 27, "Esc" },
    { 32, "Space" },
    { 33, "Page Up" },
    { 34, "Page Down" },
    { 35, "End" },
    { 36, "Home" },
    { 37, "Left" },
    { 38, "Up" },
    { 39, "Right" },
    { 40, "Down" },
    { 44, "Print Screen" },
    { 45, "Insert" },
    { 46, "Delete" },
    { 48, "0" },
    { 49, "1" },
    { 50, "2" },
    { 51, "3" },
    { 52, "4" },
    { 53, "5" },
    { 54, "6" },
    { 55, "7" },
    { 56, "8" },
    { 57, "9" },
    { 65, "A" },
    { 66, "B" },
    { 67, "C" },
    { 68, "D" },
    { 69, "E" },
    { 70, "F" },
    { 71, "G" },
    { 72, "H" },
    { 73, "I" },
    { 74, "J" },
    { 75, "K" },
    { 76, "L" },
    { 77, "M" },
    { 78, "N" },
    { 79, "O" },
    { 80, "P" },
    { 81, "Q" },
    { 82, "R" },
    { 83, "S" },
    { 84, "T" },
    { 85, "U" },
    { 86, "V" },
    { 87, "W" },
    { 88, "X" },
    { 89, "Y" },
    { 90, "Z" },
    { 96, "Numeric keypad 0" },
    { 97, "Numeric keypad 1" },
    { 98, "Numeric keypad 2" },
    { 99, "Numeric keypad 3" },
    { 100, "Numeric keypad 4" },
    { 101, "Numeric keypad 5" },
    { 102, "Numeric keypad 6" },
    { 103, "Numeric keypad 7" },
    { 104, "Numeric keypad 8" },
    { 105, "Numeric keypad 9" },
    { 112, "F1" },
    { 113, "F2" },
    { 114, "F3" },
    { 115, "F4" },
    { 116, "F5" },
    { 117, "F6" },
    { 118, "F7" },
    { 119, "F8" },
    { 120, "F9" },
    { 121, "F10" },
    { 122, "F11" },
    { 123, "F12" },
    { 186, ";" },
    { 187, "=" },
    { 188, "," },
    { 189, "-" },
    { 190, "." },
    { 191, "/" },
    { 192, "~" },
    { 219, "[" },
    { 220, "\\" },
    { 221, "]" },
    { 222, "'" },
    { 173, "VK_MUTE" },
    { 174, "VK_VOL-" },
    { 175, "VK_VOL+" },
};

const struct
{
    WORD flags;
    const char* name;
} kCaptureModifierNames[] = {
    { FVIRTKEY | FALT, "Alt" },
    { FVIRTKEY | FCONTROL, "Ctrl" },
    { FVIRTKEY | FSHIFT, "Shift" },
    { FVIRTKEY | FSHIFT | FALT, "Shift + Alt" },
    { FVIRTKEY | FSHIFT | FCONTROL, "Shift + Ctrl" },
    { FVIRTKEY | FCONTROL | FALT, "Ctrl + Alt" },
    { FVIRTKEY | FCONTROL | FSHIFT | FALT, "Ctrl + Shift + Alt" },
};

template <size_t N>
LPCSTR FindName(const KeyName (&table)[N], WORD key)
{
    for (const KeyName& row : table)
        if (row.key == key)
            return row.name;
    return nullptr;
}

}  // namespace

LPCSTR FindKeyTextName(WORD key)
{
    return FindName(kKeyTextNames, key);
}

CString FormatKeyText(BYTE flags, WORD key)
{
    const LPCSTR name = key ? FindKeyTextName(key) : nullptr;
    if (!name)
        return CString();
    CString text;
    for (const ModifierName& modifier : kKeyTextModifiers)
    {
        if (flags & modifier.flag)
        {
            text += modifier.name;
            text += '+';
        }
    }
    return text + name;
}

LPCSTR FindCaptureKeyName(WORD key)
{
    return FindName(kCaptureKeyNames, key);
}

LPCSTR FindCaptureModifierName(WORD flags)
{
    for (const auto& row : kCaptureModifierNames)
        if (row.flags == flags)
            return row.name;
    return nullptr;
}

CString FormatCaptureText(WORD key, WORD flags, BOOL* valid)
{
    const LPCSTR keyName = FindCaptureKeyName(key);
    const LPCSTR modifiers = FindCaptureModifierName(flags);
    CString text;
    BOOL complete = FALSE;
    if (keyName && flags == FVIRTKEY)
    {
        text = keyName;
        complete = TRUE;
    }
    else if (modifiers)
    {
        text = modifiers;
        if (keyName)
        {
            text += " + ";
            text += keyName;
            complete = TRUE;
        }
    }
    if (valid)
        *valid = complete;
    return text;
}

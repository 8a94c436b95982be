#include "ui/settings/HotKeyDefaults.h"

namespace {

const UINT kGroupNames[] = { 33900, 33901 };

// In the order the settings page lists them.
const struct
{
    DWORD group;
    WORD command;
    UINT name;         // string resource
    UINT description;  // string resource
} kDefaultCommands[] = {
    { 0, 1000, 33902, 33935 },  { 0, 1001, 33903, 33936 },  { 0, 1008, 33904, 33937 },  { 0, 1002, 33905, 33938 },
    { 0, 1003, 33906, 33939 },  { 0, 1163, 33918, 33951 },  { 0, 1007, 33910, 33943 },  { 0, 1004, 33907, 33940 },
    { 0, 1099, 33916, 33949 },  { 0, 1100, 33917, 33950 },  { 0, 34157, 57346, 57347 }, { 1, 32894, 33919, 33952 },
    { 1, 32895, 33920, 33953 }, { 1, 32896, 33921, 33954 }, { 1, 32897, 33922, 33955 }, { 0, 1101, 33913, 33946 },
    { 0, 1084, 33912, 33945 },  { 1, 32903, 33923, 33956 }, { 1, 32904, 33924, 33957 }, { 1, 1164, 33925, 33958 },
    { 0, 1103, 33914, 33947 },  { 0, 1105, 33911, 33944 },  { 0, 1005, 35250, 35251 },  { 0, 1016, 33909, 33942 },
    { 0, 1166, 35252, 35253 },  { 0, 1202, 35254, 35255 },  { 0, 1102, 35256, 35257 },  { 0, 4236, 57360, 57361 },
    { 0, 4237, 57364, 57361 },
};

enum Modifier : BYTE
{
    None = 0,
    Shift = FSHIFT,
    Ctrl = FCONTROL,
    Alt = FALT
};

// Added in this order, each at the head of the bindings.
const struct
{
    WORD command;
    WORD key;
    BYTE modifiers;
} kDefaultKeys[] = {
    { 1001, VK_NEXT, None },     { 1001, VK_DOWN, None },
    { 1000, VK_PRIOR, None },    { 1000, VK_UP, None },
    { 1008, 'B', Ctrl },         { 1002, 'C', Ctrl | Shift },
    { 1003, 'R', Ctrl },         { 1163, 'P', Ctrl },
    { 4237, 'S', Ctrl | Shift }, { 1004, 'W', Ctrl | Shift },
    { 34157, 'T', Ctrl },        { 1007, 'J', Ctrl | Shift },
    { 1105, VK_F4, Alt },        { 1084, VK_VOLUME_MUTE, None },
    { 1101, 'H', Ctrl | Shift }, { 1103, 'A', None },
    { 1099, 'E', Ctrl },         { 1099, 'T', Ctrl | Shift },
    { 1099, 'M', Ctrl },         { 1099, 'O', Ctrl },
    { 1100, 'I', Ctrl },         { 32894, 'T', None },
    { 32895, VK_RETURN, Alt },   { 32903, VK_VOLUME_UP, None },
    { 32903, VK_RIGHT, None },   { 32904, VK_VOLUME_DOWN, None },
    { 32904, VK_LEFT, None },    { 1005, 'V', Ctrl | Alt },
    { 1016, 'F', Ctrl | Alt },   { 1202, 'S', Ctrl | Alt },
    { 1164, 'G', Ctrl },         { 4236, 'N', Ctrl },
};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

void FillDefaultHotKeys(CHotKeyTable& table)
{
    table.RemoveAll();
    for (UINT id : kGroupNames)
        table.AddGroup(LoadText(id));
    for (const auto& row : kDefaultCommands)
        table.AddCommand(row.group, row.command, LoadText(row.name), LoadText(row.description));
    for (const auto& row : kDefaultKeys)
    {
        ACCEL accel = {};
        accel.fVirt = static_cast<BYTE>(FVIRTKEY | row.modifiers);
        accel.key = row.key;
        accel.cmd = row.command;
        table.AddKey(accel, 0);
    }
}

BOOL LoadHotKeysOrDefaults(CHotKeyTable& table, LPCSTR path)
{
    if (table.LoadFile(path))
        return TRUE;
    FillDefaultHotKeys(table);
    table.SaveFile(path);
    return FALSE;
}

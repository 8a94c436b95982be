#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/settings/HotKeyTable.h"

inline ACCEL Accel(BYTE flags, WORD key, WORD command)
{
    ACCEL accel = {};
    accel.fVirt = flags;
    accel.key = key;
    accel.cmd = command;
    return accel;
}

// The bindings as "command:key text", head first.
inline std::vector<std::string> Bindings(const CHotKeyTable& table)
{
    std::vector<std::string> out;
    for (POSITION pos = table.GetFirstKeyPosition(); pos;)
    {
        const CHotKeyItem* item = table.GetNextKey(pos);
        out.push_back(std::to_string(item->GetCommand()) + ":" + std::string(item->GetKeyText()));
    }
    return out;
}

// Any non-null owner will do: the table only remembers it.
inline CWnd* SomeOwner()
{
    static int owner;
    return reinterpret_cast<CWnd*>(&owner);
}

#pragma once

#include <windows.h>

// Position of the next start-code prefix 00 00 01 wholly inside b[from, to), or -1. Steps three
// bytes at a time over bytes that cannot hold a prefix: every byte of a recording and every pack
// of a save passes through here. Header only, for the pause filter too, which links the library
// by ordinal alone.
inline int FindStartCodePrefix(const BYTE* b, int from, int to)
{
    if (b == nullptr)
        return -1;
    int i = from < 0 ? 0 : from;
    while (i + 2 < to)
    {
        if (b[i + 2] > 1)
            i += 3;
        else if (b[i + 1])
            i += 2;
        else if (b[i] || b[i + 2] != 1)
            i += 1;
        else
            return i;
    }
    return -1;
}

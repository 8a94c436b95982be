#pragma once
#include <windows.h>

#include <string>

#include "tests/foundation/ini/IniTestFiles.h"

// Windows path (backslashes) of a file in the build folder's skin test area; each test names its own.
inline std::string SkinTestPath(const char* name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "\\testdata";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\skin";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

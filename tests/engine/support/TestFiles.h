#pragma once
// Whole files as byte strings, for tests that write a file's bytes and compare what came back.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(f);
}

// "<missing>" when the file cannot be opened.
inline std::string ReadBytes(const std::string& path)
{
    std::string out;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got)
        out.append(buf, got);
    CloseHandle(f);
    return out;
}

// Waits for the files to appear whole in the folder, woken by the folder's change notifications.
inline bool WaitForFiles(const std::string& folder, const std::vector<std::string>& names, DWORD timeoutMs)
{
    HANDLE hChange = FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (hChange == INVALID_HANDLE_VALUE)
        return false;
    DWORD start = GetTickCount();
    bool bAll = false;
    for (;;)
    {
        bAll = std::all_of(names.begin(), names.end(), [&](const std::string& name) {
            return GetFileAttributesA((folder + name).c_str()) != INVALID_FILE_ATTRIBUTES;
        });
        DWORD elapsed = GetTickCount() - start;
        if (bAll || elapsed >= timeoutMs)
            break;
        WaitForSingleObject(hChange, timeoutMs - elapsed);
        FindNextChangeNotification(hChange);
    }
    FindCloseChangeNotification(hChange);
    return bAll;
}

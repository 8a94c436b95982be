#pragma once
// What the controller tests share: a fresh application folder per test, the controller's
// registry values, the files of the other tests, and the trace lines the program sends.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/EngineWindows.h"
#include "foundation/RegistryKey.h"
#include "tests/engine/support/TestFiles.h"

inline std::string SourcePath(const char* relative)
{
    return std::string(ONDRIX_SOURCE_DIR) + "/" + relative;
}

// An empty folder of the build tree (Windows path, backslashes) standing in for the program's.
inline std::string FreshAppFolder(const char* name)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/testdata";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "/controller";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "/";
    dir += name;
    for (char& c : dir)
        c = c == '/' ? '\\' : c;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string path = dir + "\\" + data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

inline void SetMachineValue(const char* key, const char* name, const char* text)
{
    HKEY h;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != 0)
        return;
    if (text != nullptr)
        RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    else
        RegDeleteValueA(h, name);
    RegCloseKey(h);
}

inline std::string MachineValue(const char* key, const char* name)
{
    CRegistryKey reg;
    CString text("<missing>");
    if (reg.Open(HKEY_LOCAL_MACHINE, key) == 0)
        reg.QueryString(name, text);
    return std::string(text);
}

const char kCommonKey[] = "Software\\Veltrane\\Common";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The top-level window "DebugHelper " that trace lines are sent to, keeping what it is sent.
class CTraceWindow
{
public:
    CTraceWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CTraceWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OndrixTestTraceSink";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowA("OndrixTestTraceSink", "DebugHelper ", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        Lines().clear();
    }
    ~CTraceWindow() { DestroyWindow(m_hwnd); }
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }
    bool Saw(const char* text) const
    {
        for (const std::string& line : Lines())
        {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        // The window's own title goes by the same message while it is made.
        if (msg == WM_SETTEXT && lParam != 0 && lstrcmpA(reinterpret_cast<LPCSTR>(lParam), "DebugHelper ") != 0)
            Lines().push_back(reinterpret_cast<LPCSTR>(lParam));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    HWND m_hwnd;
};

// The windows' side of the engine, as far as the tests watch it.
class CTestWindows : public CEngineWindows
{
public:
    int ShowMessage(LPCSTR pszText, UINT) override
    {
        messages.push_back(pszText);
        return IDOK;
    }
    void SetTrayAutoStart(BOOL bStart) override { trayAutoStart = bStart; }
    BOOL ShowOsdMenu(BOOL bShow) override
    {
        menuCalls.push_back(bShow);
        return 7;
    }
    BOOL ReadSkinNames(LPCSTR pszPath, CStringList& names) override
    {
        skinListPath = pszPath;
        names.AddTail("Blue");
        return TRUE;
    }
    std::vector<std::string> messages;
    std::vector<BOOL> menuCalls;
    int trayAutoStart = -1;
    std::string skinListPath;
};

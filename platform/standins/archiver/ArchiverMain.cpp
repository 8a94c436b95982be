// The archiver's extract command as the programme guide gives it:
//   e [-switches] <archive> [<mask> ...] <destination folder\>
// Every file whose path in the archive matches a mask (all files without a mask) is written into
// the destination folder without the archive's folders, replacing a file of the same name.
#include <windows.h>
#include <shellapi.h>
#include <wctype.h>

#include <string>
#include <vector>

#include "platform/standins/archiver/ZipReader.h"

namespace
{
enum { EXIT_OK = 0, EXIT_FATAL = 2, EXIT_OPEN = 6, EXIT_USAGE = 7, EXIT_CREATE = 9 };

bool Matches(const wchar_t* pMask, const wchar_t* pPath)
{
    if (*pMask == L'\0')
        return *pPath == L'\0';
    if (*pMask == L'*')
        return Matches(pMask + 1, pPath) || (*pPath != L'\0' && Matches(pMask, pPath + 1));
    if (*pPath == L'\0')
        return false;
    if (*pMask != L'?' && towlower(*pMask) != towlower(*pPath))
        return false;
    return Matches(pMask + 1, pPath + 1);
}

bool WriteWhole(const std::wstring& path, const std::vector<unsigned char>& data)
{
    // Written beside the target, then put in its place: a reader never sees half a file.
    std::wstring partial = path + L".part";
    HANDLE hFile = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD cbWritten = 0;
    bool bOk = data.empty() || (WriteFile(hFile, data.data(), static_cast<DWORD>(data.size()), &cbWritten, NULL) &&
                                cbWritten == data.size());
    CloseHandle(hFile);
    if (bOk)
        bOk = MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!bOk)
        DeleteFileW(partial.c_str());
    return bOk;
}

int Extract(const std::vector<std::wstring>& args)
{
    std::vector<std::wstring> names;
    for (size_t i = 1; i < args.size(); ++i)
    {
        if (!args[i].empty() && args[i][0] != L'-')
            names.push_back(args[i]);
    }
    if (names.empty())
        return EXIT_USAGE;
    std::wstring archive = names.front();
    std::wstring destination;
    DWORD lastAttributes = names.size() > 1 ? GetFileAttributesW(names.back().c_str()) : INVALID_FILE_ATTRIBUTES;
    bool bLastIsFolder = lastAttributes != INVALID_FILE_ATTRIBUTES && (lastAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (names.size() > 1 && (names.back().back() == L'\\' || bLastIsFolder))
    {
        destination = names.back();
        if (destination.back() != L'\\')
            destination += L'\\';
        names.pop_back();
    }
    std::vector<std::wstring> masks(names.begin() + 1, names.end());

    CZipReader zip;
    if (!zip.Open(archive.c_str()))
        return EXIT_OPEN;
    int result = EXIT_OK;
    for (const ZipEntry& entry : zip.Entries())
    {
        if (entry.path.empty() || entry.path.back() == L'\\')
            continue;
        bool bWanted = masks.empty();
        for (const std::wstring& mask : masks)
            bWanted = bWanted || Matches(mask.c_str(), entry.path.c_str());
        if (!bWanted)
            continue;
        std::vector<unsigned char> data;
        if (!zip.Extract(entry, data))
        {
            result = EXIT_FATAL;
            continue;
        }
        std::wstring name = entry.path.substr(entry.path.rfind(L'\\') + 1);
        if (!WriteWhole(destination + name, data))
            result = EXIT_CREATE;
    }
    return result;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == NULL)
        return EXIT_USAGE;
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    if (args.empty() || (args[0] != L"e" && args[0] != L"E"))
        return EXIT_USAGE;
    return Extract(args);
}

#include "foundation/PathUtils.h"

#include <cstdlib>
#include <cstring>
#include <algorithm>

namespace {

// True when the text ends in a single-byte '\' (a double-byte character may end in 0x5C).
bool EndsWithBackslash(const CString& text)
{
    int n = text.GetLength();
    return n > 0 && text.ReverseFind('\\') == n - 1;
}

}  // namespace

BOOL FileExists(LPCSTR path)
{
    if (!path)
        return FALSE;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL DirectoryExists(LPCSTR path)
{
    if (!path)
        return FALSE;
    CString copy(path);
    copy.Replace('/', '\\');
    DWORD attributes = GetFileAttributesA(copy);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL ReplaceFileContents(LPCSTR path, const void* data, size_t size, BOOL* created)
{
    if (created)
        *created = FALSE;
    if (!path || !*path)
        return FALSE;
    CString temp = CString(path) + ".tmp";
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    if (created)
        *created = TRUE;
    const char* bytes = static_cast<const char*>(data);
    BOOL ok = TRUE;
    size_t done = 0;
    while (ok && done < size)
    {
        DWORD wrote = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
        if (!WriteFile(file, bytes + done, want, &wrote, nullptr) || wrote == 0)
            ok = FALSE;
        done += wrote;
    }
    if (ok && !FlushFileBuffers(file))
        ok = FALSE;
    if (!CloseHandle(file))
        ok = FALSE;
    if (ok && !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = FALSE;
    if (!ok)
        DeleteFileA(temp);
    return ok;
}

BOOL CreateDirectoryPath(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    if (DirectoryExists(path))
        return TRUE;
    CString copy(path);
    if (EndsWithBackslash(copy))
        copy.Delete(copy.GetLength() - 1);
    int slash = copy.ReverseFind('\\');
    CString parent = slash >= 0 ? copy.Left(slash) : CString();
    if (!CreateDirectoryPath(parent))
        return FALSE;
    return CreateDirectoryA(copy, nullptr);
}

void GetModuleDirectory(CString& folder)
{
    char name[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    folder = name;
    int slash = folder.ReverseFind('\\');
    if (slash >= 0)
        folder = folder.Left(slash);
}

void GetSystemDriveRoot(CString& root)
{
    CString windows;
    GetWindowsFolder(windows);
    root = windows.Left(3);
}

void GetWindowsFolder(CString& folder)
{
    char buffer[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    folder = n > 0 && n < MAX_PATH ? buffer : "";
}

void GetProgramFilesFolder(CString& folder)
{
    CString root;
    GetSystemDriveRoot(root);
    folder = root + "Program Files";
}

CString GetShortPath(LPCSTR path)
{
    char buffer[MAX_PATH] = {};
    DWORD n = path ? GetShortPathNameA(path, buffer, MAX_PATH) : 0;
    return n > 0 && n < MAX_PATH ? CString(buffer) : CString();
}

CString GetLongPath(LPCSTR path)
{
    char buffer[MAX_PATH] = {};
    DWORD n = path ? GetLongPathNameA(path, buffer, MAX_PATH) : 0;
    return n > 0 && n < MAX_PATH ? CString(buffer) : CString();
}

CString JoinPath(LPCSTR folder, LPCSTR name)
{
    CString result(folder);
    CString tail(name);
    if (!EndsWithBackslash(result) && tail.Left(1) != "\\")
        result += '\\';
    return result + tail;
}

// Splits like _splitpath (either slash separates folders) but for paths of any length.
CString SplitPathPart(LPCSTR path, int part)
{
    if (!path)
        return CString();
    CString whole(path);
    if (part == PathPartFileName)
    {
        int slash = whole.ReverseFind('\\');
        return slash >= 0 ? whole.Mid(slash + 1) : whole;
    }
    CString rest = whole;
    CString drive;
    if (rest.GetLength() >= 2 && rest[1] == ':' && !IsDBCSLeadByte(static_cast<BYTE>(rest[0])))
    {
        drive = rest.Left(2);
        rest = rest.Mid(2);
    }
    int lastSep = std::max(rest.ReverseFind('\\'), rest.ReverseFind('/'));
    CString dir = rest.Left(lastSep + 1);
    CString name = rest.Mid(lastSep + 1);
    int dot = name.ReverseFind('.');
    switch (part)
    {
    case PathPartDrive:
        return drive;
    case PathPartFolder:
    {
        CString folder = drive + dir;
        if (EndsWithBackslash(folder))
            folder.Delete(folder.GetLength() - 1);
        return folder;
    }
    case PathPartBaseName:
        return dot >= 0 ? name.Left(dot) : name;
    case PathPartExtension:
        return dot >= 0 ? name.Mid(dot + 1) : CString();
    default:
        return CString();
    }
}

CString GetModuleFolder(HMODULE module)
{
    char name[MAX_PATH] = {};
    GetModuleFileNameA(module, name, MAX_PATH);
    return SplitPathPart(name, PathPartFolder);
}

int FindStringInArray(const CStringArray& array, LPCSTR text)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        if (array[i] == (text ? text : ""))
            return static_cast<int>(i);
    return -1;
}

int FindStringInArrayNoCase(const CStringArray& array, LPCSTR text)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        if (array[i].CompareNoCase(text) == 0)
            return static_cast<int>(i);
    return -1;
}

// Unsigned throughout: 0 prints as "0" and values of 2^63 and above keep all their digits.
CString UInt64ToDecimalString(DWORD low, DWORD high)
{
    unsigned long long value = (static_cast<unsigned long long>(high) << 32) | low;
    char digits[24];
    int pos = sizeof digits - 1;
    digits[pos] = '\0';
    do
    {
        digits[--pos] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    return CString(digits + pos);
}

// Stand-in archiver: "WinRAR.exe e [switches] <archive> <folder>" extracts every file of a zip
// archive into the folder, without the archive's own folders. Entries must be stored
// (uncompressed); a deflated entry, a damaged archive or a file that cannot be written ends the
// run with exit code 2 (3 for a bad command line). Switches (-x...) are accepted and ignored.
#include <windows.h>

#include <string>
#include <vector>

namespace {

bool ReadWhole(const std::string& path, std::vector<unsigned char>& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(h, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    bool ok = size == 0 || (ReadFile(h, bytes.data(), size, &got, nullptr) && got == size);
    CloseHandle(h);
    return ok;
}

bool WriteWhole(const std::string& path, const unsigned char* data, DWORD size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    bool ok = size == 0 || (WriteFile(h, data, size, &put, nullptr) && put == size);
    CloseHandle(h);
    return ok;
}

DWORD Le(const std::vector<unsigned char>& b, size_t at, int n)
{
    DWORD v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return v;
}

// Splits the command line the way the C runtime does for quoted arguments.
std::vector<std::string> Arguments()
{
    std::vector<std::string> args;
    const char* p = GetCommandLineA();
    while (*p)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t')))
        {
            if (*p == '"')
                quoted = !quoted;
            else
                arg += *p;
            ++p;
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace

int main()
{
    std::vector<std::string> args = Arguments();
    std::vector<std::string> plain;
    for (size_t i = 1; i < args.size(); ++i)
        if (args[i].empty() || args[i][0] != '-')
            plain.push_back(args[i]);
    if (plain.size() != 3 || plain[0] != "e")
        return 3;
    std::string folder = plain[2];
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);

    std::vector<unsigned char> zip;
    if (!ReadWhole(plain[1], zip))
        return 2;
    size_t at = 0;
    int files = 0;
    while (at + 30 <= zip.size() && Le(zip, at, 4) == 0x04034b50)
    {
        const DWORD flags = Le(zip, at + 6, 2);
        const DWORD method = Le(zip, at + 8, 2);
        const DWORD packed = Le(zip, at + 18, 4);
        const DWORD nameLength = Le(zip, at + 26, 2);
        const DWORD extraLength = Le(zip, at + 28, 2);
        const size_t data = at + 30 + nameLength + extraLength;
        // Sizes after the data (flag 8) cannot be walked without inflating.
        if ((flags & 8) || method != 0 || data + packed > zip.size())
            return 2;
        std::string name(reinterpret_cast<const char*>(&zip[at + 30]), nameLength);
        const size_t slash = name.find_last_of("/\\");
        const std::string leaf = slash == std::string::npos ? name : name.substr(slash + 1);
        if (!leaf.empty() && !WriteWhole(folder + leaf, &zip[data], packed))
            return 2;
        files += !leaf.empty();
        at = data + packed;
    }
    return files > 0 ? 0 : 2;
}

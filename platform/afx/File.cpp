#include "platform/afx/File.h"

#include <string>

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE)
{
}

CFile::~CFile()
{
    Close();
}

BOOL CFile::Open(LPCSTR path, UINT openFlags)
{
    Close();
    if (!path)
        return FALSE;
    DWORD access = GENERIC_READ;
    if (openFlags & modeWrite)
        access = GENERIC_WRITE;
    else if (openFlags & modeReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;
    const DWORD share = (openFlags & shareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    DWORD disposition = OPEN_EXISTING;
    if (openFlags & modeCreate)
        disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    m_hFile = ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD done = 0;
    if (!IsOpen() || !::ReadFile(m_hFile, buffer, count, &done, nullptr))
        return 0;
    return done;
}

BOOL CFile::Write(const void* buffer, UINT count)
{
    DWORD done = 0;
    return IsOpen() && ::WriteFile(m_hFile, buffer, count, &done, nullptr) && done == count;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    return IsOpen() && ::GetFileSizeEx(m_hFile, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {}, position = {};
    return IsOpen() && ::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT)
               ? static_cast<ULONGLONG>(position.QuadPart)
               : 0;
}

BOOL CFile::Close()
{
    if (!IsOpen())
        return FALSE;
    const BOOL closed = ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return closed;
}

BOOL CStdioFile::Open(LPCSTR path, UINT openFlags)
{
    Close();
    if (!path)
        return FALSE;
    char mode[3] = { (openFlags & (CFile::modeWrite | CFile::modeReadWrite)) ? 'w' : 'r',
                     (openFlags & CFile::typeBinary) ? 'b' : 't', '\0' };
    m_pStream = std::fopen(path, mode);
    return m_pStream != nullptr;
}

BOOL CStdioFile::Close()
{
    if (!m_pStream)
        return TRUE;
    BOOL ok = std::fclose(m_pStream) == 0;
    m_pStream = nullptr;
    return ok;
}

// A character at a time, so a NUL inside a line does not end it early.
BOOL CStdioFile::ReadString(CString& text)
{
    text.Empty();
    if (!m_pStream)
        return FALSE;
    std::string line;
    int c;
    while ((c = std::getc(m_pStream)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && (std::ferror(m_pStream) || line.empty()))
        return FALSE;
    text = CString(line.data(), static_cast<int>(line.size()));
    return TRUE;
}

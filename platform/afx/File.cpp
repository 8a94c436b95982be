#include "platform/afx/File.h"

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

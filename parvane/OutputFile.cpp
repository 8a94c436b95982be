#include "parvane/OutputFile.h"

#include <string.h>

#include <new>

namespace {
const DWORD kBufferSize = 1 << 20;
__int64 g_writeBudget = -1;
}

void COutputFile::SetWriteBudgetForTest(__int64 bytes)
{
    g_writeBudget = bytes;
}

COutputFile::COutputFile()
    : m_file(INVALID_HANDLE_VALUE), m_buffer(NULL), m_onDisk(0), m_used(0), m_failed(FALSE), m_written(0), m_lastWriter(NULL), m_rangePacks(0)
{
    m_path[0] = 0;
}

COutputFile::~COutputFile()
{
    if (IsOpen())
        Close();
    delete[] m_buffer;
}

BOOL COutputFile::Create(const char* path)
{
    if (!path || !*path || strlen(path) >= sizeof(m_path) || IsOpen())
        return FALSE;
    if (!m_buffer)
    {
        m_buffer = new (std::nothrow) BYTE[kBufferSize];
        if (!m_buffer)
            return FALSE;
    }
    m_file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    strcpy(m_path, path);
    m_used = 0;
    m_failed = FALSE;
    m_written = 0;
    m_onDisk = 0;
    m_lastWriter = NULL;
    m_rangePacks = 0;
    return TRUE;
}

BOOL COutputFile::Flush()
{
    if (m_used == 0)
        return !m_failed;
    DWORD n = m_used;
    if (g_writeBudget >= 0 && m_onDisk + n > g_writeBudget)
    {
        n = (DWORD)(g_writeBudget > m_onDisk ? g_writeBudget - m_onDisk : 0);
        m_failed = TRUE;
    }
    DWORD done = 0;
    if (!WriteFile(m_file, m_buffer, n, &done, NULL) || done != n)
        m_failed = TRUE;
    m_onDisk += done;
    m_used = 0;
    return !m_failed;
}

BOOL COutputFile::Write(const void* data, DWORD length)
{
    if (!IsOpen() || m_failed || (!data && length))
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(data);
    while (length)
    {
        DWORD room = kBufferSize - m_used;
        DWORD n = length < room ? length : room;
        memcpy(m_buffer + m_used, p, n);
        m_used += n;
        p += n;
        length -= n;
        m_written += n;
        if (m_used == kBufferSize && !Flush())
            return FALSE;
    }
    return TRUE;
}

BOOL COutputFile::Close()
{
    if (!IsOpen())
        return FALSE;
    BOOL ok = Flush();
    if (!CloseHandle(m_file))
        ok = FALSE;
    m_file = INVALID_HANDLE_VALUE;
    return ok && !m_failed;
}

void COutputFile::Discard()
{
    if (IsOpen())
    {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    m_used = 0;
    if (m_path[0])
        DeleteFileA(m_path);
}

#include "parvane/MappedFile.h"

#include <string.h>

namespace {

const DWORD kPreferredWindow = 0x80000;

const BYTE* SearchForward(const BYTE* from, const BYTE* to, const BYTE* pattern, int n)
{
    // Anchor on the last byte: for start codes it is the stream byte, which is rare in the data.
    const BYTE last = pattern[n - 1];
    const BYTE* p = from + (n - 1);
    while (p < to)
    {
        p = static_cast<const BYTE*>(memchr(p, last, to - p));
        if (!p)
            return NULL;
        if (memcmp(p - (n - 1), pattern, n - 1) == 0)
            return p - (n - 1);
        ++p;
    }
    return NULL;
}

const BYTE* SearchBackward(const BYTE* from, const BYTE* to, const BYTE* pattern, int n)
{
    const BYTE last = pattern[n - 1];
    for (const BYTE* p = to - 1; p >= from + (n - 1); --p)
    {
        if (*p == last && memcmp(p - (n - 1), pattern, n - 1) == 0)
            return p - (n - 1);
    }
    return NULL;
}

} // namespace

CMappedFile::CMappedFile(const char* path)
    : m_file(INVALID_HANDLE_VALUE), m_mapping(NULL), m_view(NULL), m_window(0), m_granularity(0),
      m_viewOffset(0), m_viewLength(0), m_fileSize(0), m_ok(FALSE)
{
    m_path[0] = 0;
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    m_granularity = si.dwAllocationGranularity ? si.dwAllocationGranularity : 0x10000;
    m_window = kPreferredWindow - kPreferredWindow % m_granularity;
    if (m_window == 0)
        m_window = m_granularity;
    m_ok = Open(path);
}

CMappedFile::~CMappedFile()
{
    Unmap();
    if (m_mapping)
        CloseHandle(m_mapping);
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_path[0] = 0;
}

BOOL CMappedFile::Open(const char* path)
{
    if (!path || !*path || strlen(path) >= sizeof(m_path))
        return FALSE;
    // OpenFile is limited to 128-character paths; recordings live in deep folders.
    m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_file == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size) || size.QuadPart <= 0)
        return FALSE;
    m_fileSize = size.QuadPart;
    m_mapping = CreateFileMappingA(m_file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (!m_mapping)
        return FALSE;
    if (!MapView(0))
        return FALSE;
    strcpy(m_path, path);
    return TRUE;
}

void CMappedFile::Unmap()
{
    if (m_view)
        UnmapViewOfFile(m_view);
    m_view = NULL;
    m_viewOffset = 0;
    m_viewLength = 0;
}

BOOL CMappedFile::MapView(__int64 offset)
{
    Unmap();
    __int64 rest = m_fileSize - offset;
    DWORD length = rest < (__int64)m_window ? (DWORD)rest : m_window;
    void* p = MapViewOfFile(m_mapping, FILE_MAP_READ, (DWORD)(offset >> 32), (DWORD)offset, length);
    if (!p)
        return FALSE;
    m_view = static_cast<const BYTE*>(p);
    m_viewOffset = offset;
    m_viewLength = length;
    return TRUE;
}

BOOL CMappedFile::MoveView(__int64 offset)
{
    if (MapView(offset))
        return TRUE;
    MapView(0);
    return FALSE;
}

BOOL CMappedFile::ViewHolds(__int64 from, __int64 to) const
{
    return m_view && from >= m_viewOffset && to <= m_viewOffset + m_viewLength;
}

const BYTE* CMappedFile::Pointer(__int64 position, int length)
{
    if (!m_mapping || position < 0 || length < 0 || position + length > m_fileSize)
        return NULL;
    if (ViewHolds(position, position + length))
        return m_view + (position - m_viewOffset);
    __int64 start = position - position % m_granularity;
    __int64 rest = m_fileSize - start;
    __int64 viewLength = rest < (__int64)m_window ? rest : (__int64)m_window;
    if (position + length > start + viewLength)
        return NULL;
    if (!MoveView(start))
        return NULL;
    return m_view + (position - m_viewOffset);
}

const BYTE* CMappedFile::FindForward(const void* pattern, __int64 start, int patternLength)
{
    if (!pattern || patternLength <= 0 || !m_mapping)
        return NULL;
    const BYTE* pat = static_cast<const BYTE*>(pattern);
    __int64 pos = start < 0 ? 0 : start;
    while (pos + patternLength <= m_fileSize)
    {
        if (!ViewHolds(pos, pos + patternLength) && !MoveView(pos - pos % m_granularity))
            return NULL;
        const BYTE* viewEnd = m_view + m_viewLength;
        const BYTE* hit = SearchForward(m_view + (pos - m_viewOffset), viewEnd, pat, patternLength);
        if (hit)
            return hit;
        __int64 end = m_viewOffset + m_viewLength;
        if (end >= m_fileSize)
            return NULL;
        // Overlap the next view so that an occurrence across the border is still seen.
        pos = end - (patternLength - 1);
    }
    return NULL;
}

const BYTE* CMappedFile::FindBackward(const void* pattern, __int64 start, int patternLength)
{
    if (!pattern || patternLength <= 0 || !m_mapping)
        return NULL;
    const BYTE* pat = static_cast<const BYTE*>(pattern);
    __int64 end = start > m_fileSize ? m_fileSize : start;
    while (end >= patternLength)
    {
        __int64 from = end - (__int64)m_window;
        if (from <= 0)
            from = 0;
        else
            from = (from + m_granularity - 1) / m_granularity * m_granularity;
        if (!ViewHolds(from, end) && !MoveView(from))
            return NULL;
        const BYTE* hit = SearchBackward(m_view + (from - m_viewOffset), m_view + (end - m_viewOffset), pat,
                                         patternLength);
        if (hit)
            return hit;
        if (from == 0)
            return NULL;
        end = from + (patternLength - 1);
    }
    return NULL;
}

__int64 CMappedFile::PositionOf(const BYTE* p) const
{
    if (!p || !m_view)
        return -1;
    __int64 pos = m_viewOffset + (p - m_view);
    if (pos > m_fileSize)
        return -1;
    return pos;
}

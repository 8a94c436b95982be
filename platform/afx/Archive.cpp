#include "platform/afx/Archive.h"

#include <string.h>

#include <algorithm>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_file(file),
      m_mode(mode),
      m_failed(file == nullptr),
      m_closed(FALSE),
      m_buffer(bufferSize > 0 ? bufferSize : 4096),
      m_next(0),
      m_end(0)
{
}

CArchive::~CArchive()
{
    if (!m_closed)
        Close();
}

ULONGLONG CArchive::GetBytesLeft() const
{
    if (!IsLoading() || m_failed)
        return 0;
    const ULONGLONG length = m_file->GetLength();
    const ULONGLONG position = m_file->GetPosition();
    return (length > position ? length - position : 0) + (m_end - m_next);
}

BOOL CArchive::FillBuffer()
{
    m_next = 0;
    m_end = m_file->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    return m_end > 0;
}

UINT CArchive::Read(void* buffer, UINT count)
{
    if (!IsLoading() || m_failed)
        return 0;
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count)
    {
        if (m_next == m_end && !FillBuffer())
            break;
        const UINT take = std::min(count - done, m_end - m_next);
        memcpy(out + done, m_buffer.data() + m_next, take);
        m_next += take;
        done += take;
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count)
{
    if (!IsStoring() || m_failed)
        return;
    const BYTE* in = static_cast<const BYTE*>(buffer);
    while (count > 0)
    {
        if (m_next == m_buffer.size() && !Flush())
            return;
        const UINT take = std::min(count, static_cast<UINT>(m_buffer.size()) - m_next);
        memcpy(m_buffer.data() + m_next, in, take);
        m_next += take;
        in += take;
        count -= take;
    }
}

BOOL CArchive::Flush()
{
    if (m_failed)
        return FALSE;
    if (IsStoring() && m_next > 0)
    {
        if (!m_file->Write(m_buffer.data(), m_next))
            m_failed = TRUE;
        m_next = 0;
    }
    return !m_failed;
}

BOOL CArchive::Close()
{
    m_closed = TRUE;
    return Flush();
}

CArchive& CArchive::Put(const void* data, UINT size)
{
    Write(data, size);
    return *this;
}

CArchive& CArchive::Get(void* data, UINT size)
{
    if (Read(data, size) != size)
    {
        m_failed = TRUE;
        memset(data, 0, size);
    }
    return *this;
}

void CArchive::WriteCount(DWORD count)
{
    if (count < 0xFFFF)
    {
        *this << static_cast<WORD>(count);
    }
    else
    {
        *this << static_cast<WORD>(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount()
{
    WORD shortCount = 0;
    *this >> shortCount;
    if (shortCount != 0xFFFF)
        return shortCount;
    DWORD count = 0;
    *this >> count;
    return count;
}

CArchive& CArchive::operator<<(const CString& text)
{
    const DWORD length = static_cast<DWORD>(text.GetLength());
    if (length < 0xFF)
    {
        *this << static_cast<BYTE>(length);
    }
    else if (length < 0xFFFE)
    {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    }
    else
    {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    Write(text.GetString(), length);
    return *this;
}

CArchive& CArchive::operator>>(CString& text)
{
    text.Empty();
    BYTE byteLength = 0;
    *this >> byteLength;
    DWORD length = byteLength;
    if (byteLength == 0xFF)
    {
        WORD wordLength = 0;
        *this >> wordLength;
        length = wordLength;
        // 0xFFFE is never written as a length (it marks wide strings in other writers).
        if (wordLength == 0xFFFE)
            m_failed = TRUE;
        else if (wordLength == 0xFFFF)
            *this >> length;
    }
    if (m_failed)
        return *this;
    if (length > GetBytesLeft())
    {
        m_failed = TRUE;
        return *this;
    }
    if (length > 0)
    {
        LPSTR chars = text.GetBuffer(static_cast<int>(length));
        const UINT got = Read(chars, length);
        text.ReleaseBuffer(static_cast<int>(got));
        if (got != length)
        {
            m_failed = TRUE;
            text.Empty();
        }
    }
    return *this;
}

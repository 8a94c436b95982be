#pragma once
#include "platform/afx/File.h"
#include "platform/afx/String.h"

#include <vector>

// A buffered binary stream over a CFile in the manner of MFC's CArchive, with its encodings of
// counts and strings. Instead of throwing, an archive that runs past the end of its file, meets a
// read or write error, or is asked for more bytes than the file still holds becomes failed: from
// then on reads give zeros and writes are dropped, and the caller checks IsFailed.
class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1
    };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    ~CArchive();

    BOOL IsLoading() const { return m_mode == load; }
    BOOL IsStoring() const { return m_mode == store; }
    BOOL IsFailed() const { return m_failed; }
    void SetFailed() { m_failed = TRUE; }
    CFile* GetFile() const { return m_file; }

    // Bytes still to be read, buffered or in the file; 0 for a storing archive.
    ULONGLONG GetBytesLeft() const;

    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Writes out what is buffered; FALSE when the archive has failed.
    BOOL Flush();
    // Flushes a storing archive; the file stays open. FALSE when anything failed.
    BOOL Close();

    // WORD, or 0xFFFF and a DWORD from 0xFFFF up.
    void WriteCount(DWORD count);
    DWORD ReadCount();

    CArchive& operator<<(BYTE value) { return Put(&value, sizeof value); }
    CArchive& operator<<(WORD value) { return Put(&value, sizeof value); }
    CArchive& operator<<(DWORD value) { return Put(&value, sizeof value); }
    CArchive& operator<<(LONG value) { return Put(&value, sizeof value); }
    CArchive& operator<<(int value) { return Put(&value, sizeof value); }
    CArchive& operator>>(BYTE& value) { return Get(&value, sizeof value); }
    CArchive& operator>>(WORD& value) { return Get(&value, sizeof value); }
    CArchive& operator>>(DWORD& value) { return Get(&value, sizeof value); }
    CArchive& operator>>(LONG& value) { return Get(&value, sizeof value); }
    CArchive& operator>>(int& value) { return Get(&value, sizeof value); }

    // Length as a BYTE below 255, else 0xFF and a WORD below 0xFFFE, else 0xFF 0xFFFF and a DWORD;
    // then the ANSI characters without terminator. A length beyond the bytes left fails the read
    // and leaves the string empty.
    CArchive& operator<<(const CString& text);
    CArchive& operator>>(CString& text);

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    CArchive& Put(const void* data, UINT size);
    CArchive& Get(void* data, UINT size);
    BOOL FillBuffer();

    CFile* m_file;
    UINT m_mode;
    BOOL m_failed;
    BOOL m_closed;
    std::vector<BYTE> m_buffer;
    // Loading: the unread bytes are [m_next, m_end); storing: [0, m_next) waits to be written.
    UINT m_next;
    UINT m_end;
};

#pragma once
#include "platform/afx/Object.h"
#include "platform/afx/String.h"

#include <cstdio>

// A binary file over a Win32 handle in the manner of MFC's CFile. Failures are reported by result
// (no exceptions): Open and Write give FALSE, Read gives the bytes it could read.
class CFile : public CObject
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile();
    ~CFile() override;

    BOOL Open(LPCSTR path, UINT openFlags);
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    UINT Read(void* buffer, UINT count);
    BOOL Write(const void* buffer, UINT count);
    ULONGLONG GetLength() const;
    ULONGLONG GetPosition() const;
    // FALSE when the handle could not be closed cleanly (or none was open).
    BOOL Close();

    HANDLE m_hFile;
};

// A text file through the C runtime's text mode (CR LF read as one line end, Ctrl-Z ends the
// text), in the manner of MFC's CStdioFile. ferror(m_pStream) tells a failed read from the end.
class CStdioFile : public CObject
{
public:
    CStdioFile() : m_pStream(nullptr) {}
    ~CStdioFile() override { Close(); }

    // CFile::modeRead, or CFile::modeWrite | CFile::modeCreate; text mode unless typeBinary.
    BOOL Open(LPCSTR path, UINT openFlags);
    BOOL Close();
    // The next line without its line end; FALSE at the end of the file or when the read fails.
    BOOL ReadString(CString& text);

    FILE* m_pStream;
};

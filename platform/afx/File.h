#pragma once
#include "platform/afx/Object.h"
#include "platform/afx/String.h"
#include <cstdio>

// A binary file over a Win32 handle, in the manner of MFC's CFile. Failures are return values
// (MFC throws); Read gives what it could, 0 at the end of the file or after a failure.
class CFile : public CObject {
public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() : m_hFile(INVALID_HANDLE_VALUE) {}
  ~CFile() override { Close(); }

  BOOL Open(LPCSTR pszFileName, UINT nOpenFlags);
  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
  // FALSE when closing lost data that the system still held.
  BOOL Close();

  UINT Read(void* lpBuf, UINT nCount);
  // FALSE unless every byte was written.
  BOOL Write(const void* lpBuf, UINT nCount);
  BOOL Flush();
  ULONGLONG GetLength() const;
  ULONGLONG GetPosition() const;
  const CString& GetFilePath() const { return m_strFileName; }

  HANDLE m_hFile;

private:
  CString m_strFileName;
};

// A text file through the C runtime's text mode (CR LF read as one line end, Ctrl-Z ends the
// text), in the manner of MFC's CStdioFile. ferror(m_pStream) tells a failed read from the end.
class CStdioFile : public CObject {
public:
  CStdioFile() : m_pStream(nullptr) {}
  ~CStdioFile() override { Close(); }

  // CFile::modeRead, or CFile::modeWrite | CFile::modeCreate; text mode unless typeBinary.
  BOOL Open(LPCSTR pszFileName, UINT nOpenFlags);
  BOOL Close();
  // The next line without its line end; FALSE at the end of the file or when the read fails.
  BOOL ReadString(CString& rString);

  FILE* m_pStream;
};

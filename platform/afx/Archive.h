#pragma once
#include "platform/afx/File.h"
#include "platform/afx/String.h"
#include <vector>

// A buffered binary stream over a CFile in the manner of MFC's CArchive, with MFC's byte forms:
// little-endian numbers, counts and string lengths in their short-or-escaped forms. MFC throws
// on a failure; here the archive remembers it instead (IsFailed), reads past the end give zeros,
// and nothing more is written once a write has failed.
class CArchive {
public:
  enum Mode { store = 0, load = 1 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096);
  // Flushes a storing archive that was not closed.
  ~CArchive();

  BOOL IsLoading() const { return m_nMode == load; }
  BOOL IsStoring() const { return m_nMode == store; }
  CFile* GetFile() const { return m_pFile; }
  BOOL IsFailed() const { return m_bFailed; }

  // The bytes read; fewer than asked (and the archive failed) at the end of the file.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  // Flushes and lets go of the file, which stays open; FALSE when the archive has failed.
  BOOL Close();
  // Lets go of the file without writing what is buffered.
  void Abort();

  CArchive& operator<<(BYTE by) { Write(&by, sizeof by); return *this; }
  CArchive& operator<<(WORD w) { Write(&w, sizeof w); return *this; }
  CArchive& operator<<(LONG l) { Write(&l, sizeof l); return *this; }
  CArchive& operator<<(DWORD dw) { Write(&dw, sizeof dw); return *this; }
  CArchive& operator<<(int i) { return *this << static_cast<LONG>(i); }
  CArchive& operator>>(BYTE& by) { by = 0; Read(&by, sizeof by); return *this; }
  CArchive& operator>>(WORD& w) { w = 0; Read(&w, sizeof w); return *this; }
  CArchive& operator>>(LONG& l) { l = 0; Read(&l, sizeof l); return *this; }
  CArchive& operator>>(DWORD& dw) { dw = 0; Read(&dw, sizeof dw); return *this; }
  CArchive& operator>>(int& i) { LONG l; *this >> l; i = l; return *this; }

  // A collection's element count: a WORD, or 0xFFFF and a DWORD from 0xFFFF on.
  DWORD_PTR ReadCount();
  void WriteCount(DWORD_PTR dwCount);

private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;
  void FillBuffer();

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  size_t m_nBufCur;  // next byte to read
  size_t m_nBufMax;  // bytes held (read) or written so far (store)
  BOOL m_bFailed;
  BOOL m_bAtEnd;
};

// A string's length prefix: one byte below 255; else 0xFF and a WORD below 0xFFFE; else 0xFF,
// 0xFFFF and a DWORD. Wide strings carry the marker 0xFF 0xFFFE before their length.
void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode);
UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize);

// The length prefix and the characters, no terminator; wide strings read back in the ANSI code page.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

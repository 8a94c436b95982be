#include "platform/afx/File.h"

#include <string>

BOOL CFile::Open(LPCSTR pszFileName, UINT nOpenFlags) {
  Close();
  DWORD access = GENERIC_READ;
  if (nOpenFlags & modeWrite) access = GENERIC_WRITE;
  if (nOpenFlags & modeReadWrite) access = GENERIC_READ | GENERIC_WRITE;
  DWORD share = (nOpenFlags & shareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
  DWORD disposition = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  m_hFile = CreateFileA(pszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile == INVALID_HANDLE_VALUE) return FALSE;
  m_strFileName = pszFileName;
  return TRUE;
}

BOOL CFile::Close() {
  if (m_hFile == INVALID_HANDLE_VALUE) return TRUE;
  BOOL ok = CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  return ok;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  DWORD got = 0;
  if (m_hFile == INVALID_HANDLE_VALUE || !ReadFile(m_hFile, lpBuf, nCount, &got, nullptr)) return 0;
  return got;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount) {
  const BYTE* p = static_cast<const BYTE*>(lpBuf);
  while (nCount > 0) {
    DWORD wrote = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !WriteFile(m_hFile, p, nCount, &wrote, nullptr) || wrote == 0)
      return FALSE;
    p += wrote;
    nCount -= wrote;
  }
  return TRUE;
}

BOOL CFile::Flush() { return m_hFile != INVALID_HANDLE_VALUE && FlushFileBuffers(m_hFile); }

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (m_hFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(m_hFile, &size)) return 0;
  return static_cast<ULONGLONG>(size.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, pos;
  zero.QuadPart = 0;
  if (m_hFile == INVALID_HANDLE_VALUE || !SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT)) return 0;
  return static_cast<ULONGLONG>(pos.QuadPart);
}

BOOL CStdioFile::Open(LPCSTR pszFileName, UINT nOpenFlags) {
  Close();
  char mode[4] = {0};
  mode[0] = (nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite)) ? 'w' : 'r';
  mode[1] = (nOpenFlags & CFile::typeBinary) ? 'b' : 't';
  m_pStream = std::fopen(pszFileName, mode);
  return m_pStream != nullptr;
}

BOOL CStdioFile::Close() {
  if (!m_pStream) return TRUE;
  BOOL ok = std::fclose(m_pStream) == 0;
  m_pStream = nullptr;
  return ok;
}

BOOL CStdioFile::ReadString(CString& rString) {
  rString.Empty();
  if (!m_pStream) return FALSE;
  std::string line;
  int c;
  while ((c = std::getc(m_pStream)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && (std::ferror(m_pStream) || line.empty())) return FALSE;
  rString = CString(line.data(), static_cast<int>(line.size()));
  return TRUE;
}

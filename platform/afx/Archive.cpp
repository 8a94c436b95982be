#include "platform/afx/Archive.h"

#include <cstring>
#include <string>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile),
      m_nMode(nMode),
      m_buffer(nBufSize < 128 ? 128 : static_cast<size_t>(nBufSize)),
      m_nBufCur(0),
      m_nBufMax(0),
      m_bFailed(pFile == nullptr),
      m_bAtEnd(FALSE) {}

CArchive::~CArchive() {
  if (m_pFile) Close();
}

void CArchive::FillBuffer() {
  m_nBufCur = 0;
  m_nBufMax = 0;
  if (!m_pFile || m_bAtEnd) return;
  m_nBufMax = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
  if (m_nBufMax == 0) m_bAtEnd = TRUE;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT done = 0;
  while (done < nMax && IsLoading() && !m_bFailed) {
    if (m_nBufCur == m_nBufMax) {
      FillBuffer();
      if (m_nBufMax == 0) break;
    }
    size_t take = m_nBufMax - m_nBufCur;
    if (take > nMax - done) take = nMax - done;
    std::memcpy(out + done, m_buffer.data() + m_nBufCur, take);
    m_nBufCur += take;
    done += static_cast<UINT>(take);
  }
  if (done < nMax) {
    std::memset(out + done, 0, nMax - done);
    m_bFailed = TRUE;
  }
  return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  while (nMax > 0 && IsStoring() && !m_bFailed) {
    if (m_nBufMax == m_buffer.size()) Flush();
    if (m_bFailed) return;
    size_t take = m_buffer.size() - m_nBufMax;
    if (take > nMax) take = nMax;
    std::memcpy(m_buffer.data() + m_nBufMax, in, take);
    m_nBufMax += take;
    in += take;
    nMax -= static_cast<UINT>(take);
  }
  if (nMax > 0) m_bFailed = TRUE;
}

void CArchive::Flush() {
  if (!IsStoring() || !m_pFile || m_nBufMax == 0) return;
  if (!m_bFailed && !m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_nBufMax))) m_bFailed = TRUE;
  m_nBufMax = 0;
}

BOOL CArchive::Close() {
  Flush();
  m_pFile = nullptr;
  return !m_bFailed;
}

void CArchive::Abort() {
  m_nBufMax = 0;
  m_pFile = nullptr;
}

DWORD_PTR CArchive::ReadCount() {
  WORD wCount;
  *this >> wCount;
  if (wCount != 0xFFFF) return wCount;
  DWORD dwCount;
  *this >> dwCount;
  return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
  } else {
    *this << static_cast<WORD>(0xFFFF);
    *this << static_cast<DWORD>(dwCount);
  }
}

void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode) {
  if (bUnicode) {
    ar << static_cast<BYTE>(0xFF);
    ar << static_cast<WORD>(0xFFFE);
  }
  if (nLength < 255) {
    ar << static_cast<BYTE>(nLength);
    return;
  }
  ar << static_cast<BYTE>(0xFF);
  if (nLength < 0xFFFE) {
    ar << static_cast<WORD>(nLength);
    return;
  }
  ar << static_cast<WORD>(0xFFFF);
  ar << static_cast<DWORD>(nLength);
}

UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize) {
  nCharSize = sizeof(char);
  BYTE bLength;
  ar >> bLength;
  if (bLength < 0xFF) return bLength;
  WORD wLength;
  ar >> wLength;
  if (wLength == 0xFFFE) {
    nCharSize = sizeof(WCHAR);
    ar >> bLength;
    if (bLength < 0xFF) return bLength;
    ar >> wLength;
  }
  if (wLength < 0xFFFF) return wLength;
  DWORD dwLength;
  ar >> dwLength;
  return dwLength;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string) {
  AfxWriteStringLength(ar, static_cast<UINT_PTR>(string.GetLength()), FALSE);
  ar.Write(static_cast<LPCSTR>(string), static_cast<UINT>(string.GetLength()));
  return ar;
}

// The characters come in pieces, so a damaged length asks for no more memory than the file holds.
CArchive& AFXAPI operator>>(CArchive& ar, CString& string) {
  int nCharSize;
  UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
  std::string bytes;
  UINT_PTR nBytes = nLength * static_cast<UINT_PTR>(nCharSize);
  if (nCharSize != 1 && nBytes / static_cast<UINT_PTR>(nCharSize) != nLength) nBytes = 0;
  char chunk[4096];
  while (nBytes > 0 && !ar.IsFailed()) {
    UINT want = nBytes < sizeof chunk ? static_cast<UINT>(nBytes) : static_cast<UINT>(sizeof chunk);
    UINT got = ar.Read(chunk, want);
    bytes.append(chunk, got);
    nBytes -= got;
    if (got < want) break;
  }
  if (nCharSize == 1) {
    string = CString(bytes.data(), static_cast<int>(bytes.size()));
  } else {
    std::wstring wide(bytes.size() / sizeof(WCHAR), L'\0');
    if (!wide.empty()) std::memcpy(&wide[0], bytes.data(), wide.size() * sizeof(WCHAR));
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], n, nullptr, nullptr);
    string = CString(ansi.data(), static_cast<int>(ansi.size()));
  }
  return ar;
}

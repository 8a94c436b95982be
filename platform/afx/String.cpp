#include "platform/afx/String.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

struct NilString {
  long nRefs;
  int nDataLength;
  int nAllocLength;
  char chars[4];
};
// Shared by every empty string that has no buffer of its own; never written.
NilString g_nil = {-1, 0, 0, {0, 0, 0, 0}};

inline bool IsLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// Size of the character at p: 2 for a complete double-byte pair, else 1.
inline int CharSize(LPCSTR p) { return (IsLead(*p) && p[1] != '\0') ? 2 : 1; }

inline int SafeLen(LPCSTR psz) { return psz ? static_cast<int>(std::strlen(psz)) : 0; }

inline char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// True when the character at p (of size n) is one of the characters of the set.
bool InSet(LPCSTR p, int n, LPCSTR set) {
  if (!set) return false;
  for (LPCSTR q = set; *q; q += CharSize(q)) {
    int m = CharSize(q);
    if (m == n && std::memcmp(p, q, n) == 0) return true;
  }
  return false;
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

void CString::Init() { m_pchData = g_nil.chars; }

void CString::Release() {
  if (m_pchData != g_nil.chars) ::operator delete(static_cast<void*>(Header()));
  Init();
}

void CString::AllocBuffer(int nLen) {
  if (nLen <= 0) {
    Init();
    return;
  }
  void* p = ::operator new(sizeof(Data) + nLen + 1);
  Data* d = static_cast<Data*>(p);
  d->nRefs = 1;
  d->nDataLength = 0;
  d->nAllocLength = nLen;
  d->chars()[0] = '\0';
  m_pchData = d->chars();
}

// Makes room for nLen characters; keeps the current text when asked to.
void CString::Reserve(int nLen, bool keep) {
  if (nLen <= Header()->nAllocLength && Header()->nAllocLength != 0) return;
  if (nLen <= 0) return;
  char* old = m_pchData;
  Data* oldHeader = Header();
  int oldLen = oldHeader->nDataLength;
  AllocBuffer(nLen);
  if (keep && oldLen > 0) {
    std::memcpy(m_pchData, old, oldLen + 1);
    Header()->nDataLength = oldLen;
  }
  if (old != g_nil.chars) ::operator delete(static_cast<void*>(oldHeader));
}

void CString::SetLength(int nLen) {
  if (Header()->nAllocLength == 0) return;  // only the nil string, whose length is 0
  Header()->nDataLength = nLen;
  m_pchData[nLen] = '\0';
}

void CString::AssignCopy(LPCSTR pch, int nLen) {
  if (nLen <= 0) {
    if (Header()->nAllocLength != 0) SetLength(0);
    return;
  }
  if (nLen > Header()->nAllocLength) {
    // pch may point into our own buffer: copy before releasing it.
    CString tmp(pch, nLen);
    *this = std::move(tmp);
    return;
  }
  std::memmove(m_pchData, pch, nLen);
  SetLength(nLen);
}

void CString::AppendChars(LPCSTR pch, int nLen) {
  if (nLen <= 0) return;
  int oldLen = GetLength();
  if (oldLen + nLen > Header()->nAllocLength) {
    CString tmp(pch, nLen);  // pch may point into our own buffer
    int grow = std::max(oldLen + nLen, oldLen + oldLen / 2);
    Reserve(grow, true);
    std::memcpy(m_pchData + oldLen, tmp.m_pchData, nLen);
  } else {
    std::memmove(m_pchData + oldLen, pch, nLen);
  }
  SetLength(oldLen + nLen);
}

CString::CString() { Init(); }

CString::CString(const CString& src) {
  Init();
  AssignCopy(src.m_pchData, src.GetLength());
}

CString::CString(CString&& src) noexcept {
  m_pchData = src.m_pchData;
  src.Init();
}

CString::CString(LPCSTR psz) {
  Init();
  if (psz != nullptr && HIWORD(reinterpret_cast<ULONG_PTR>(psz)) == 0) {
    LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));  // MAKEINTRESOURCE id
    return;
  }
  int n = SafeLen(psz);
  if (n > 0) {
    AllocBuffer(n);
    std::memcpy(m_pchData, psz, n);
    SetLength(n);
  }
}

CString::CString(LPCSTR pch, int nLength) {
  Init();
  if (pch && nLength > 0) {
    AllocBuffer(nLength);
    std::memcpy(m_pchData, pch, nLength);
    SetLength(nLength);
  }
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::CString(LPCWSTR pwsz) {
  Init();
  *this = pwsz;
}

CString::CString(char ch, int nRepeat) {
  Init();
  if (nRepeat > 0) {
    AllocBuffer(nRepeat);
    std::memset(m_pchData, ch, nRepeat);
    SetLength(nRepeat);
  }
}

CString::~CString() { Release(); }

void CString::Empty() { Release(); }

void CString::SetAt(int nIndex, char ch) {
  if (nIndex >= 0 && nIndex < GetLength()) m_pchData[nIndex] = ch;
}

CString& CString::operator=(const CString& src) {
  if (this != &src) AssignCopy(src.m_pchData, src.GetLength());
  return *this;
}

CString& CString::operator=(CString&& src) noexcept {
  if (this != &src) {
    Release();
    m_pchData = src.m_pchData;
    src.Init();
  }
  return *this;
}

CString& CString::operator=(LPCSTR psz) {
  AssignCopy(psz, SafeLen(psz));
  return *this;
}

CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCSTR>(psz); }

CString& CString::operator=(LPCWSTR pwsz) {
  if (!pwsz || !*pwsz) {
    Empty();
    return *this;
  }
  int n = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) {
    Empty();
    return *this;
  }
  CString tmp;
  LPSTR buf = tmp.GetBuffer(n);
  WideCharToMultiByte(CP_ACP, 0, pwsz, -1, buf, n, nullptr, nullptr);
  tmp.ReleaseBuffer();
  *this = std::move(tmp);
  return *this;
}

CString& CString::operator=(char ch) {
  AssignCopy(&ch, 1);
  return *this;
}

CString& CString::operator+=(const CString& src) {
  AppendChars(src.m_pchData, src.GetLength());
  return *this;
}

CString& CString::operator+=(LPCSTR psz) {
  AppendChars(psz, SafeLen(psz));
  return *this;
}

CString& CString::operator+=(char ch) {
  AppendChars(&ch, 1);
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString r;
  r.Reserve(a.GetLength() + b.GetLength(), false);
  r += a;
  r += b;
  return r;
}

CString operator+(const CString& a, LPCSTR b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(LPCSTR a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

int CString::Compare(LPCSTR psz) const { return Sign(std::strcmp(m_pchData, psz ? psz : "")); }

int CString::CompareNoCase(LPCSTR psz) const {
  LPCSTR a = m_pchData;
  LPCSTR b = psz ? psz : "";
  while (*a && *b) {
    int na = CharSize(a), nb = CharSize(b);
    if (na == 1 && nb == 1) {
      BYTE ca = static_cast<BYTE>(FoldLower(*a)), cb = static_cast<BYTE>(FoldLower(*b));
      if (ca != cb) return ca < cb ? -1 : 1;
    } else {
      int c = std::memcmp(a, b, std::min(na, nb));
      if (c != 0) return Sign(c);
      if (na != nb) return na < nb ? -1 : 1;
    }
    a += na;
    b += nb;
  }
  if (*a == *b) return 0;
  return *a ? 1 : -1;
}

int CString::Collate(LPCSTR psz) const {
  return CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1, psz ? psz : "", -1) - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCSTR psz) const {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pchData, -1, psz ? psz : "", -1) - CSTR_EQUAL;
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - std::max(nFirst, 0)); }

CString CString::Mid(int nFirst, int nCount) const {
  int len = GetLength();
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if (nFirst > len) nFirst = len;
  if (nCount > len - nFirst) nCount = len - nFirst;
  return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const {
  int len = GetLength();
  nCount = std::max(0, std::min(nCount, len));
  return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const {
  int len = GetLength();
  nCount = std::max(0, std::min(nCount, len));
  return CString(m_pchData + len - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const {
  LPCSTR p = m_pchData;
  while (*p && InSet(p, CharSize(p), pszCharSet)) p += CharSize(p);
  return Left(static_cast<int>(p - m_pchData));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const {
  LPCSTR p = m_pchData;
  while (*p && !InSet(p, CharSize(p), pszCharSet)) p += CharSize(p);
  return Left(static_cast<int>(p - m_pchData));
}

CString& CString::MakeUpper() {
  for (char* p = m_pchData; *p; p += CharSize(p))
    if (CharSize(p) == 1) *p = FoldUpper(*p);
  return *this;
}

CString& CString::MakeLower() {
  for (char* p = m_pchData; *p; p += CharSize(p))
    if (CharSize(p) == 1) *p = FoldLower(*p);
  return *this;
}

CString& CString::MakeReverse() {
  // Reverse by characters so double-byte pairs stay in order.
  int len = GetLength();
  if (len < 2) return *this;
  CString tmp;
  LPSTR out = tmp.GetBuffer(len) + len;
  for (LPCSTR p = m_pchData; *p;) {
    int n = CharSize(p);
    out -= n;
    std::memcpy(out, p, n);
    p += n;
  }
  tmp.ReleaseBuffer(len);
  *this = std::move(tmp);
  return *this;
}

CString& CString::TrimRight() {
  LPCSTR last = nullptr;
  for (LPCSTR p = m_pchData; *p; p += CharSize(p)) {
    if (CharSize(p) == 1 && IsSpace(*p)) {
      if (!last) last = p;
    } else {
      last = nullptr;
    }
  }
  if (last) SetLength(static_cast<int>(last - m_pchData));
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  LPCSTR last = nullptr;
  for (LPCSTR p = m_pchData; *p; p += CharSize(p)) {
    if (CharSize(p) == 1 && *p == chTarget) {
      if (!last) last = p;
    } else {
      last = nullptr;
    }
  }
  if (last) SetLength(static_cast<int>(last - m_pchData));
  return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets) {
  LPCSTR last = nullptr;
  for (LPCSTR p = m_pchData; *p; p += CharSize(p)) {
    if (InSet(p, CharSize(p), pszTargets)) {
      if (!last) last = p;
    } else {
      last = nullptr;
    }
  }
  if (last) SetLength(static_cast<int>(last - m_pchData));
  return *this;
}

CString& CString::TrimLeft() {
  LPCSTR p = m_pchData;
  while (*p && CharSize(p) == 1 && IsSpace(*p)) ++p;
  if (p != m_pchData) Delete(0, static_cast<int>(p - m_pchData));
  return *this;
}

CString& CString::TrimLeft(char chTarget) {
  LPCSTR p = m_pchData;
  while (*p && CharSize(p) == 1 && *p == chTarget) ++p;
  if (p != m_pchData) Delete(0, static_cast<int>(p - m_pchData));
  return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets) {
  LPCSTR p = m_pchData;
  while (*p && InSet(p, CharSize(p), pszTargets)) p += CharSize(p);
  if (p != m_pchData) Delete(0, static_cast<int>(p - m_pchData));
  return *this;
}

int CString::Replace(char chOld, char chNew) {
  int count = 0;
  if (chOld == chNew) return 0;
  for (char* p = m_pchData; *p; p += CharSize(p)) {
    if (CharSize(p) == 1 && *p == chOld) {
      *p = chNew;
      ++count;
    }
  }
  return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
  int oldLen = SafeLen(pszOld);
  if (oldLen == 0) return 0;
  int newLen = SafeLen(pszNew);
  int count = 0;
  CString out;
  int pos = 0;
  for (;;) {
    int hit = Find(pszOld, pos);
    if (hit < 0) break;
    out.AppendChars(m_pchData + pos, hit - pos);
    out.AppendChars(pszNew, newLen);
    pos = hit + oldLen;
    ++count;
  }
  if (count == 0) return 0;
  out.AppendChars(m_pchData + pos, GetLength() - pos);
  *this = std::move(out);
  return count;
}

int CString::Remove(char chRemove) {
  char* dst = m_pchData;
  int count = 0;
  for (char* p = m_pchData; *p;) {
    int n = CharSize(p);
    if (n == 1 && *p == chRemove) {
      ++count;
    } else {
      std::memmove(dst, p, n);
      dst += n;
    }
    p += n;
  }
  if (count) SetLength(static_cast<int>(dst - m_pchData));
  return count;
}

int CString::Insert(int nIndex, char ch) { return Insert(nIndex, CString(ch)); }

int CString::Insert(int nIndex, LPCSTR psz) {
  int len = GetLength();
  int n = SafeLen(psz);
  if (n == 0) return len;
  nIndex = std::max(0, std::min(nIndex, len));
  CString tmp(psz, n);  // psz may point into our own buffer
  Reserve(len + n, true);
  std::memmove(m_pchData + nIndex + n, m_pchData + nIndex, len - nIndex);
  std::memcpy(m_pchData + nIndex, tmp.m_pchData, n);
  SetLength(len + n);
  return len + n;
}

int CString::Delete(int nIndex, int nCount) {
  int len = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nCount > 0 && nIndex < len) {
    nCount = std::min(nCount, len - nIndex);
    std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, len - nIndex - nCount);
    SetLength(len - nCount);
  }
  return GetLength();
}

int CString::Find(char ch, int nStart) const {
  int len = GetLength();
  if (nStart < 0) nStart = 0;
  if (nStart >= len) return -1;
  for (LPCSTR p = m_pchData + nStart; *p; p += CharSize(p))
    if (CharSize(p) == 1 && *p == ch) return static_cast<int>(p - m_pchData);
  return -1;
}

int CString::Find(LPCSTR pszSub, int nStart) const {
  int len = GetLength();
  if (nStart < 0) nStart = 0;
  if (nStart > len) return -1;
  int n = SafeLen(pszSub);
  if (n == 0) return nStart;
  for (LPCSTR p = m_pchData + nStart; *p; p += CharSize(p))
    if (std::strncmp(p, pszSub, n) == 0) return static_cast<int>(p - m_pchData);
  return -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (LPCSTR p = m_pchData; *p; p += CharSize(p))
    if (CharSize(p) == 1 && *p == ch) found = static_cast<int>(p - m_pchData);
  return found;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
  for (LPCSTR p = m_pchData; *p; p += CharSize(p))
    if (InSet(p, CharSize(p), pszCharSet)) return static_cast<int>(p - m_pchData);
  return -1;
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const {
  int len = GetLength();
  if (iStart < 0 || iStart >= len) {
    iStart = -1;
    return CString();
  }
  LPCSTR p = m_pchData + iStart;
  while (*p && InSet(p, CharSize(p), pszTokens)) p += CharSize(p);
  if (!*p) {
    iStart = -1;
    return CString();
  }
  LPCSTR end = p;
  while (*end && !InSet(end, CharSize(end), pszTokens)) end += CharSize(end);
  iStart = static_cast<int>(end - m_pchData) + (*end ? CharSize(end) : 0);
  return CString(p, static_cast<int>(end - p));
}

void CString::FormatV(LPCSTR pszFormat, va_list args) {
  if (!pszFormat) {
    Empty();
    return;
  }
  va_list count;
  va_copy(count, args);
  int n = _vscprintf(pszFormat, count);
  va_end(count);
  if (n <= 0) {
    Empty();
    return;
  }
  CString tmp;
  LPSTR buf = tmp.GetBuffer(n);
  _vsnprintf(buf, n + 1, pszFormat, args);
  tmp.ReleaseBuffer(n);
  *this = std::move(tmp);
}

void CString::FormatRaw(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatRaw(UINT nFormatID, ...) {
  CString fmt;
  fmt.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  FormatV(fmt, args);
  va_end(args);
}

void CString::AppendFormatRaw(LPCSTR pszFormat, ...) {
  CString part;
  va_list args;
  va_start(args, pszFormat);
  part.FormatV(pszFormat, args);
  va_end(args);
  *this += part;
}

BOOL CString::LoadString(UINT nID) { return LoadString(AfxGetResourceHandle(), nID); }

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
  // A zero buffer size makes the system hand out the resource text itself, of any length.
  LPCWSTR res = nullptr;
  int n = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&res), 0);
  if (n <= 0 || !res) {
    Empty();
    return FALSE;
  }
  int bytes = WideCharToMultiByte(CP_ACP, 0, res, n, nullptr, 0, nullptr, nullptr);
  CString tmp;
  LPSTR buf = tmp.GetBuffer(bytes);
  WideCharToMultiByte(CP_ACP, 0, res, n, buf, bytes, nullptr, nullptr);
  tmp.ReleaseBuffer(bytes);
  *this = std::move(tmp);
  return TRUE;
}

LPSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < GetLength()) nMinBufLength = GetLength();
  if (nMinBufLength == 0 && Header()->nAllocLength == 0) nMinBufLength = 1;  // writable buffer
  Reserve(nMinBufLength, true);
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (Header()->nAllocLength == 0) return;
  if (nNewLength < 0) nNewLength = static_cast<int>(strnlen(m_pchData, Header()->nAllocLength));
  nNewLength = std::min(nNewLength, Header()->nAllocLength);
  SetLength(nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  GetBuffer(nNewLength);
  SetLength(nNewLength);
  return m_pchData;
}

void CString::FreeExtra() {
  if (Header()->nAllocLength > GetLength()) {
    CString tmp(m_pchData, GetLength());
    *this = std::move(tmp);
  }
}

bool operator==(const CString& a, const CString& b) { return a.GetLength() == b.GetLength() && a.Compare(b) == 0; }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }
